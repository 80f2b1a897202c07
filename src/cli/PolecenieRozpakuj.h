#pragma once

#include "cli/Polecenie.h"

// "rozpakuj ARCHIWUM -d FOLDER [--struktura 0|1|2] [--nadpisuj] [--katalog-uzytkownika KATALOG]":
// unpacks a set (.azst) or list (.alst) archive into the folder and prints the unpacked file's path.
// Without --struktura the structure of the folder's marker is kept (0 when there is none); a chosen
// structure that differs from the marker's is refused, as no one can be asked here.
class TPolecenieRozpakuj : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("rozpakuj"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;
};
