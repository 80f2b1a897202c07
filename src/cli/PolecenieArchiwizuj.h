#pragma once

#include "cli/Polecenie.h"

// "archiwizuj ZESTAW.zst|LISTA.sst -o ARCHIWUM [--katalog-uzytkownika KATALOG]": prints the missing-file
// lists (one group per list, headed by its name) and then packs the set or list with its files.
class TPolecenieArchiwizuj : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("archiwizuj"); }
    QString Opis() const override
    {
        return QStringLiteral("archiwum zestawu (.zst → .azst) lub spisu specyfikacji (.sst → .alst): "
                              "PLIK -o ARCHIWUM [--katalog-uzytkownika KATALOG]");
    }
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;
};
