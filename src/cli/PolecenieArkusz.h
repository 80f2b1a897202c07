#pragma once

#include "cli/Polecenie.h"

// "arkusz ZESTAW.zst -o WYNIK.xls|.xlsx [--warianty] [--katalog-uzytkownika KATALOG]": exports the set's
// estimates to a workbook with the options stored in the set (their defaults when it has none); the
// target's extension chooses the format. Progress goes to the error stream, the written path to the
// output.
class TPolecenieArkusz : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("arkusz"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;
};
