#pragma once

#include "xls/GlobalneXls.h"
#include "xls/RekordyBiff8.h"

#include <QString>

#include <cstdint>

class TArkusz;

// One sheet's substream of the Workbook stream, from its BOF to its EOF: settings, footer, protection,
// column widths, rows and cells in blocks of 32 rows, the window, merged ranges. Formulas are compiled
// here; one that cannot be raises EBlad naming the sheet and the cell.
void ZapiszArkuszXls(TRekordyBiff8& rekordy, const TArkusz& arkusz, int indeks, const TUkladXls& uklad);

// A column width in the format's units (1/256 of the width of a digit of the default font, the cell's
// padding included) from pixels, for Arial 10 (7-pixel digits). Widths are rounded as a spreadsheet
// program rounds them when it shows them in characters, to two decimal places.
std::uint16_t SzerokoscKolumnyXls(int piksele);
