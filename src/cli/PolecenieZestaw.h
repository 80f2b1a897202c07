#pragma once

#include "cli/Polecenie.h"

// "zestaw PLIK.zst [--zapisz NOWY.zst]": opens the set with its list, matches the estimates' positions
// against the list, prints the set with its collection as JSON and, when asked, saves it again.
// "zestaw --utworz NOWY.zst --lista LISTA.sst KOSZTORYS... [--wlasna ST]...": makes a new set of the
// estimates (read from their files) bound to the list, matches it, saves it and prints it.
// Options of both: --katalog-uzytkownika KATALOG (the user folder that "%USERPATH%" stands for in this
// run) and --warianty (variants in use in this run).
class TPolecenieZestaw : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("zestaw"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;
};
