#pragma once

#include "cli/Polecenie.h"

// "archiwizuj ZESTAW.zst|LISTA.sst -o ARCHIWUM [--katalog-uzytkownika KATALOG]": prints the missing-file
// lists (one group per list, headed by its name) and then packs the set or list with its files.
class TPolecenieArchiwizuj : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("archiwizuj"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;
};
