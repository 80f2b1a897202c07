#pragma once

#include "prices/Cena.h"

#include <QAbstractTableModel>

#include <memory>
#include <vector>

class TInfCen;
class TInfCenPozycja;

// The grid of the price chooser "Wybierz cenę" over one loaded publication: "Lp", "Symbol", "Nazwa",
// "Jm" and the four prices ("0.00"), one row per item that passes the name and symbol filters (trimmed,
// letter case ignored), numbered from 1. The values chosen come from the items, at full precision.
class TModelInfCen : public QAbstractTableModel
{
public:
    static constexpr int PierwszaKolumnaCeny = 4;

    explicit TModelInfCen(const TInfCen& infCen, QObject* rodzic = nullptr);

    // Either filter rebuilds the rows.
    void UstawFiltry(const QString& nazwa, const QString& symbol);
    // "OK" only for exactly one selected cell, in a price column.
    static bool CzyMoznaWybrac(const QModelIndex& komorka);
    const TInfCenPozycja* Pozycja(int wiersz) const;
    // After OK on a cell: the item, its symbol, the column's heading and one price per price column.
    struct TWybor
    {
        const TInfCenPozycja* Pozycja = nullptr;
        QString Symbol;
        QString Kolumna;
        double Wartosc = 0;
        std::vector<std::unique_ptr<TCena>> Ceny;
    };
    TWybor Wybierz(const QModelIndex& komorka) const;

    int rowCount(const QModelIndex& rodzic = QModelIndex()) const override;
    int columnCount(const QModelIndex& rodzic = QModelIndex()) const override;
    QVariant data(const QModelIndex& indeks, int rola = Qt::DisplayRole) const override;
    QVariant headerData(int sekcja, Qt::Orientation orientacja, int rola = Qt::DisplayRole) const override;

private:
    static double Cena(const TInfCenPozycja& p, int kolumna);

    const TInfCen& FInfCen;
    std::vector<QString> FNazwy; // folded, per item
    std::vector<QString> FSymbole;
    std::vector<int> FWiersze; // indexes of the items shown
};

// The grid of "Współczynniki regionalne": "Region", "Kubaturowe", "Inżynieryjne" ("0.000"); OK takes the
// selected coefficient cell's value.
class TModelWspolczynnikow : public QAbstractTableModel
{
public:
    explicit TModelWspolczynnikow(const TInfCen& infCen, QObject* rodzic = nullptr);

    // "OK" only on one of the two coefficient columns.
    static bool CzyMoznaWybrac(const QModelIndex& komorka);
    // The selected coefficient at full precision; 0 outside the coefficient cells.
    double WybranyWspolczynnik(const QModelIndex& komorka) const;

    int rowCount(const QModelIndex& rodzic = QModelIndex()) const override;
    int columnCount(const QModelIndex& rodzic = QModelIndex()) const override;
    QVariant data(const QModelIndex& indeks, int rola = Qt::DisplayRole) const override;
    QVariant headerData(int sekcja, Qt::Orientation orientacja, int rola = Qt::DisplayRole) const override;

private:
    const TInfCen& FInfCen;
};
