#pragma once

#include <QIdentityProxyModel>
#include <QStyledItemDelegate>

#include <functional>

class TZestawController;

// The positions grid as the window shows it: the controller's model with its number column editable. A
// typed number goes to the controller (OnZmiana), which spreads it and fills the grid again.
class TEdycjaNumeruProxy : public QIdentityProxyModel
{
public:
    TEdycjaNumeruProxy(QAbstractItemModel& zrodlo, int kolumna, QObject* rodzic);

    std::function<void(int wiersz, const QString& numer)> OnZmiana;

    Qt::ItemFlags flags(const QModelIndex& indeks) const override;
    bool setData(const QModelIndex& indeks, const QVariant& wartosc, int rola = Qt::EditRole) override;

private:
    int FKolumna;
};

// The editor of a position's number: a line with the pop-up list of the list's numbers and titles (the
// controller's model), filtered as the user types.
class TEdytorNumeru : public QStyledItemDelegate
{
public:
    TEdytorNumeru(TZestawController& kontroler, QObject* rodzic);

    QWidget* createEditor(QWidget* rodzic, const QStyleOptionViewItem& opcje, const QModelIndex& indeks) const override;

private:
    TZestawController& FKontroler;
};
