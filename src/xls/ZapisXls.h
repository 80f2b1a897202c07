#pragma once

#include <QByteArray>

class TSkoroszyt;

// The workbook as an Excel 97-2003 file (.xls): the Workbook stream of records in a compound document.
// Formulas are stored with a stale cached value and the flag that has every reader calculate them when it
// opens the file. Throws EBlad for a workbook without sheets or a formula that cannot be compiled (the
// message names the sheet and the cell).
//
// The bytes are the whole file; the caller saves them with ZapiszBezpiecznie.
QByteArray ZapiszXls(const TSkoroszyt& skoroszyt);
