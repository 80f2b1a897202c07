#pragma once

#include <QString>
#include <QStringList>

// The files one kind of reference of a set or list points at that do not exist: shown to the user
// before packing, one group per list, headed by the list's name. Kept sorted, without duplicates.
class TListaBrakowPlikow
{
public:
    explicit TListaBrakowPlikow(QString nazwaListy) : FNazwaListy(std::move(nazwaListy)) {}

    const QString& NazwaListy() const { return FNazwaListy; }
    void Dodaj(const QString& sciezka);
    int Count() const { return static_cast<int>(FSciezki.size()); }
    const QString& Get(int indeks) const { return FSciezki.at(indeks); }

private:
    QString FNazwaListy;
    QStringList FSciezki;
};
