#pragma once

#include <QIcon>
#include <QString>

// An icon of the desktop's theme by its freedesktop name; where the theme has none (or there is no theme),
// the style's own picture of the same meaning, so that no button is left without one.
QIcon IkonaMotywu(const QString& nazwa);
// The output kind's badge for the status bar: "W" for Word, "O" for OpenDocument.
QIcon IkonaRodzajuWyjscia(bool word);
