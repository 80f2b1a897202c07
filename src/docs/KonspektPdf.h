#pragma once

#include <QString>
#include <QStringList>

// Gives a PDF an outline (its bookmarks pane) with one entry per named destination, in order, titled by
// the matching title and leading where the destination is. Names without a destination are left out.
// The file is rewritten in place; EBlad with a Polish message when it cannot be read or written.
void ZapiszKonspektPdf(const QString& plik, const QStringList& nazwy, const QStringList& tytuly);

// The outline of a PDF as (title, page from 1) pairs, top level only, in order (tests and diagnostics).
QList<std::pair<QString, int>> CzytajKonspektPdf(const QString& plik);
