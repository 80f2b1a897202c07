#pragma once

#include <QString>

#include <cstdint>

class TSkoroszyt;

// Writes the workbook as an Office Open XML file (.xlsx): every sheet in order with its cells, formats,
// merged ranges, column widths, row heights, hidden rows and columns, footer, print titles and protection.
// The file is written beside the target and takes its place only when complete, so an existing file is
// never lost. Throws EBlad with a Polish message naming the file (and the sheet and cell where one is to
// blame).
//
// Formula cells carry no stored result, so that every reader calculates them on opening.
void ZapiszXlsx(const TSkoroszyt& skoroszyt, const QString& sciezka);
