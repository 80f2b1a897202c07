#pragma once

#include "cli/Polecenie.h"

// "kosztorys PLIK [--zapisz KOPIA] [--st ID=NUMER]... [--indeksuj] [--renumeruj] [--nadpisz-kopie]":
// reads an estimate of any format and prints its tree as JSON; with --zapisz sets the ST number of
// the positions with the given identifiers and writes the copy.
class TPolecenieKosztorys : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("kosztorys"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;
};
