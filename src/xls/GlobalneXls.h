#pragma once

#include "xls/RekordyBiff8.h"

#include <cstdint>
#include <vector>

class TSkoroszyt;

// The part of the Workbook stream before the sheets: fonts, number and cell formats, the list of sheets,
// the table of sheets that formulas and names refer to, the names of print titles and the shared texts.
// What the sheets written after it need to know is returned.
struct TUkladXls
{
    // The first cell format (XF) index of the workbook's formats; format i is XF PierwszyXf + i.
    static constexpr std::uint16_t PierwszyXf = 15;
    // Where each sheet's stream offset is to be written once the sheet is.
    std::vector<qsizetype> OffsetyArkuszy;
    // The table of sheets is written: sheet i has entry i, for references to other sheets.
    bool TabelaArkuszy = false;
};

TUkladXls ZapiszGlobalneXls(TRekordyBiff8& rekordy, const TSkoroszyt& skoroszyt);

// The shared string table (SST) and its index (EXTSST): every text of the workbook once, the strings
// continued across CONTINUE records where one would exceed the record size.
void ZapiszTekstyXls(TRekordyBiff8& rekordy, const TSkoroszyt& skoroszyt);
