#pragma once

#include <QAbstractItemModel>

#include <functional>
#include <vector>

class TSpecyfikacja;
class TSpisST;

// The list tree as the window shows it: the visible (not filtered out) nodes of the open list, and a
// specification's variants below it when variants are in use. The nodes are the list's (not owned);
// Odswiez builds the view again after the list or its filter changed.
class TModelSpisu : public QAbstractItemModel
{
public:
    explicit TModelSpisu(QObject* rodzic = nullptr) : QAbstractItemModel(rodzic) {}

    // What a node is, for the window to draw (a missing document is a warning before generating).
    static constexpr int RolaRodzaju = Qt::UserRole + 1;
    enum TRodzaj { Grupa, Specyfikacja, BezPliku, WarunkiOgolne };

    // The list to show (null: none) and whether variants hang below their specifications.
    void Ustaw(const TSpisST* spis, bool warianty);
    void Odswiez();
    // The node of an index; null for an invalid one.
    TSpecyfikacja* Wezel(const QModelIndex& indeks) const;
    // The index of the node; invalid when it is not shown.
    QModelIndex Indeks(const TSpecyfikacja* wezel) const;
    int Wezlow() const { return static_cast<int>(FWezly.size()); }

    QModelIndex index(int wiersz, int kolumna, const QModelIndex& rodzic = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& indeks) const override;
    int rowCount(const QModelIndex& rodzic = QModelIndex()) const override;
    int columnCount(const QModelIndex& rodzic = QModelIndex()) const override;
    QVariant data(const QModelIndex& indeks, int rola = Qt::DisplayRole) const override;

    // Dragging a node inside the tree moves it: the owner tells whether it may (wykonaj false) and moves
    // it under cel (null: the list itself) before cel's child of index miejsce in the list (-1: last).
    // Variants are never dragged.
    std::function<bool(TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj)> OnPrzenies;
    Qt::ItemFlags flags(const QModelIndex& indeks) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indeksy) const override;
    bool canDropMimeData(const QMimeData* dane, Qt::DropAction akcja, int wiersz, int kolumna,
                         const QModelIndex& rodzic) const override;
    bool dropMimeData(const QMimeData* dane, Qt::DropAction akcja, int wiersz, int kolumna,
                      const QModelIndex& rodzic) override;

private:
    struct TWezel
    {
        TSpecyfikacja* Wezel;
        int Rodzic; // -1 for the top level
        int Wiersz;
        std::vector<int> Dzieci;
    };

    void Dodaj(TSpecyfikacja* wezel, int rodzic, std::vector<int>& rodzenstwo);
    // The dragged node of the data, when it is still shown; the list index a drop row stands for.
    TSpecyfikacja* Przeciagany(const QMimeData* dane) const;
    int MiejsceWLiscie(int wiersz, const QModelIndex& rodzic) const;

    const TSpisST* FSpis = nullptr;
    bool FWarianty = false;
    std::vector<TWezel> FWezly;
    std::vector<int> FGorne;
};
