#pragma once

#include "xls/Skoroszyt.h"

#include <QString>

class TElementRds;
class TEksportElementuXlsOpt;
class TPozycjaRds;

// What goes into each column of the exported form: cell texts of positions and element rows, the
// alignment of data and heading cells, and the column widths. Stateless.
class TElementRdsXlsColumnMapper
{
public:
    // The text of a position's cell; empty for a column with nothing to show.
    static QString PobierzWartosc(const QString& columnId, const TPozycjaRds& pozycja,
                                  const TEksportElementuXlsOpt& opcjeEksportu);
    // The text of an element row's cell: its number in "nrPoz", its description in column number 1.
    static QString PobierzWartosc(const QString& columnId, int columnNr, const TElementRds& element);
    // Horizontal alignment of data cells (Ogolne: the sheet's default).
    static TWyrownanie PobierzAlign(const QString& columnId);
    static TWyrownanie PobierzHeaderAlign(const QString& columnId);
    // Column width in pixels.
    static int PobierzSzerokosc(const QString& columnId);
};
