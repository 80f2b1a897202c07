#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <memory>

// Opens the device that receives the new content (a file beside the target). Tests swap it for a
// device that fails part-way.
using TFabrykaUrzadzenia = std::function<std::unique_ptr<QIODevice>(const QString& sciezka)>;

// Replaces a file so that a failure at any point leaves one complete file, the old or the new one,
// under the target's name or its name followed by "~":
//   1. the new content is written beside the target and flushed to disk;
//   2. the old file is moved aside under its name + "~";
//   3. the new file takes the target's name;
//   4. the "~" copy is deleted.
// A failure in step 1 leaves the old file untouched; in step 3 the old file is moved back.
// Throws EBlad with a Polish message naming the file.
void ZapiszBezpiecznie(const QString& sciezka, const QByteArray& dane, const TFabrykaUrzadzenia& fabryka = {});

// The name under which the old file waits while its replacement is written.
inline QString SciezkaKopiiTyldy(const QString& sciezka)
{
    return sciezka + QLatin1Char('~');
}
