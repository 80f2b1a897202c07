#pragma once

#include "cli/Polecenie.h"

// "informator PLIK.xml [--nazwa TEKST] [--symbol TEKST]": the price-information publication as JSON, its
// items filtered as the price chooser filters them.
class TPolecenieInformator : public TPolecenie
{
public:
    QString Nazwa() const override { return QStringLiteral("informator"); }
    TPomocPolecenia Pomoc() const override;
    int Wykonaj(const QStringList& argumenty, QTextStream& wyjscie, QTextStream& bledy) override;
};
