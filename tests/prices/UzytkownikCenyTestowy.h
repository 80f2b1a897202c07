#pragma once

#include "prices/KalkulacjaCeny.h"
#include "prices/ModelInfCen.h"

#include <QStringList>

// The calculation's user in tests: a set publication file, the price of a set column of the first item,
// the first region's coefficient, notices kept.
class TUzytkownikCenyTestowy : public IUzytkownikCeny
{
public:
    QString Plik;
    int Kolumna = 5;
    QStringList Komunikaty;
    QString WybierzPlikInformatora() override { return Plik; }
    QModelIndex WybierzCene(TModelInfCen& model) override { return model.index(0, Kolumna); }
    QModelIndex WybierzWspolczynnik(TModelWspolczynnikow& model) override { return model.index(0, 2); }
    void PokazKomunikat(const QString& tekst) override { Komunikaty << tekst; }
};
