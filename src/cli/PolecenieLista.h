#pragma once

#include "cli/Polecenie.h"

#include <QJsonObject>

class TSpecyfikacja;

// "lista PLIK.sst": prints the specification list as JSON, the root first with every node below it.
// "lista PLIK.sst --znajdz NUMER [--flagi N]": prints what FindSpecyfikacja finds for the number, with
// the flags of matching positions or the given byte of flag bits.
class TPolecenieLista : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("lista"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;

    // {"numer", "opis", "plik" (stored form), "grupa", "warunkiOgolne", "info", "warianty", "jednostki",
    //  "specyfikacje"}, children in tree order.
    static QJsonObject WezelNaJson(const TSpecyfikacja& wezel);
};
