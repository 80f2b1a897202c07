#pragma once

#include <QString>

class TXlsUtils
{
public:
    // The A1-style address of a cell given zero-based (row 4, column 7 gives "H5"); columns past Z go
    // on as AA, AB, ... Negative coordinates raise EBlad.
    static QString GetAdresKomorki(int row, int col);
};
