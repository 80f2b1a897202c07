#include "workflow/ModelElementow.h"

#include "estimates/Kosztorys.h"
#include "estimates/KosztorysRds.h"
#include "zestaw/ZestawST.h"

void TModelElementow::Odswiez()
{
    beginResetModel();
    endResetModel();
}

TElementRds* TModelElementow::Element(const QModelIndex& indeks)
{
    return indeks.isValid() ? static_cast<TElementRds*>(indeks.internalPointer()) : nullptr;
}

QString TModelElementow::Podpis(const TElementRds& element)
{
    if (!element.Parent)
        if (const auto* rds = dynamic_cast<const TKosztorysRds*>(&element))
            return rds->Opis;
    return element.GetCaption();
}

int TModelElementow::Wiersz(const TElementRds* element) const
{
    if (!element)
        return -1;
    if (!element->Parent) {
        const auto* kosztorys = dynamic_cast<const TKosztorys*>(element);
        return kosztorys ? FZestaw.IndeksKosztorysu(kosztorys) : -1;
    }
    const TElementRds& rodzic = *element->Parent;
    for (int i = 0; i < rodzic.ElementyCount(); ++i)
        if (rodzic.GetElement(i) == element)
            return i;
    return -1;
}

QModelIndex TModelElementow::Indeks(const TElementRds* element) const
{
    const int wiersz = Wiersz(element);
    return wiersz < 0 ? QModelIndex() : createIndex(wiersz, 0, const_cast<TElementRds*>(element));
}

QModelIndex TModelElementow::index(int wiersz, int kolumna, const QModelIndex& rodzic) const
{
    if (kolumna != 0 || wiersz < 0)
        return {};
    if (!rodzic.isValid())
        return wiersz < FZestaw.KosztorysyCount() ? createIndex(wiersz, 0, FZestaw.GetKosztorys(wiersz))
                                                  : QModelIndex();
    const TElementRds* e = Element(rodzic);
    return wiersz < e->ElementyCount() ? createIndex(wiersz, 0, e->GetElement(wiersz)) : QModelIndex();
}

QModelIndex TModelElementow::parent(const QModelIndex& indeks) const
{
    const TElementRds* e = Element(indeks);
    return e ? Indeks(e->Parent) : QModelIndex();
}

int TModelElementow::rowCount(const QModelIndex& rodzic) const
{
    if (!rodzic.isValid())
        return FZestaw.KosztorysyCount();
    return rodzic.column() == 0 ? Element(rodzic)->ElementyCount() : 0;
}

int TModelElementow::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TModelElementow::data(const QModelIndex& indeks, int rola) const
{
    const TElementRds* e = Element(indeks);
    if (!e || rola != Qt::DisplayRole)
        return {};
    return Podpis(*e);
}
