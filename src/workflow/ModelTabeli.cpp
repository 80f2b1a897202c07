#include "workflow/ModelTabeli.h"

void TModelTabeli::Ustaw(const QStringList& naglowki, std::vector<TWiersz> wiersze)
{
    beginResetModel();
    FNaglowki = naglowki;
    FWiersze = std::move(wiersze);
    endResetModel();
}

void* TModelTabeli::Obiekt(int wiersz) const
{
    return wiersz >= 0 && wiersz < Wierszy() ? FWiersze[static_cast<std::size_t>(wiersz)].Obiekt : nullptr;
}

int TModelTabeli::WierszObiektu(const void* obiekt) const
{
    if (!obiekt)
        return -1;
    for (int i = 0; i < Wierszy(); ++i)
        if (FWiersze[static_cast<std::size_t>(i)].Obiekt == obiekt)
            return i;
    return -1;
}

QString TModelTabeli::Tekst(int wiersz, int kolumna) const
{
    if (wiersz < 0 || wiersz >= Wierszy())
        return QString();
    return FWiersze[static_cast<std::size_t>(wiersz)].Komorki.value(kolumna);
}

int TModelTabeli::rowCount(const QModelIndex& rodzic) const
{
    return rodzic.isValid() ? 0 : Wierszy();
}

int TModelTabeli::columnCount(const QModelIndex& rodzic) const
{
    return rodzic.isValid() ? 0 : static_cast<int>(FNaglowki.size());
}

QVariant TModelTabeli::data(const QModelIndex& indeks, int rola) const
{
    if (!indeks.isValid() || (rola != Qt::DisplayRole && rola != Qt::ToolTipRole))
        return {};
    return Tekst(indeks.row(), indeks.column());
}

QVariant TModelTabeli::headerData(int sekcja, Qt::Orientation orientacja, int rola) const
{
    if (orientacja != Qt::Horizontal || rola != Qt::DisplayRole)
        return QAbstractTableModel::headerData(sekcja, orientacja, rola);
    return FNaglowki.value(sekcja);
}
