#pragma once

#include "cli/Polecenie.h"

// "porzadkuj LISTA.sst -d FOLDER [--struktura 0|1|2] [--nadpisuj] [--aktualizuj [-o NOWA.sst]] [--proba]
// [--katalog-uzytkownika KATALOG]": orders the list's documents into the folder as the window's ordering
// does; prints the report lines and writes the report file; --aktualizuj re-points the list to the copies
// and saves it; --proba runs the dry run only.
class TPoleceniePorzadkuj : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("porzadkuj"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;
};
