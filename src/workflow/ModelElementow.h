#pragma once

#include <QAbstractItemModel>

class TElementRds;
class TZestawST;

// The element tree: each estimate of the set a top-level node, each element a child in the estimate's
// order. Nodes point at the elements (not owned); Odswiez rebuilds the view after the set changed, so
// nothing is shown of an estimate that left.
class TModelElementow : public QAbstractItemModel
{
public:
    explicit TModelElementow(const TZestawST& zestaw, QObject* rodzic = nullptr)
        : QAbstractItemModel(rodzic), FZestaw(zestaw)
    {
    }

    void Odswiez();
    // The element of a node; null for an invalid index.
    static TElementRds* Element(const QModelIndex& indeks);
    QModelIndex Indeks(const TElementRds* element) const;
    // An estimate's caption is its description for the Rodos reader, else the element's caption.
    static QString Podpis(const TElementRds& element);

    QModelIndex index(int wiersz, int kolumna, const QModelIndex& rodzic = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& indeks) const override;
    int rowCount(const QModelIndex& rodzic = QModelIndex()) const override;
    int columnCount(const QModelIndex& rodzic = QModelIndex()) const override;
    QVariant data(const QModelIndex& indeks, int rola = Qt::DisplayRole) const override;

private:
    int Wiersz(const TElementRds* element) const;

    const TZestawST& FZestaw;
};
