#include "workflow/ModelSpisu.h"

#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <QMimeData>

namespace {

const QString TypPrzeciaganego = QStringLiteral("application/x-velostra-wezel-listy");

} // namespace

void TModelSpisu::Ustaw(const TSpisST* spis, bool warianty)
{
    FSpis = spis;
    FWarianty = warianty;
    Odswiez();
}

void TModelSpisu::Odswiez()
{
    beginResetModel();
    FWezly.clear();
    FGorne.clear();
    if (FSpis) {
        FWezly.reserve(static_cast<size_t>(FSpis->IleSpecyfikacji(true)) * 2 + 16);
        for (int i = 0; i < FSpis->Count(); ++i)
            Dodaj(FSpis->GetSpecyfikacja(i), -1, FGorne);
    }
    endResetModel();
}

void TModelSpisu::Dodaj(TSpecyfikacja* wezel, int rodzic, std::vector<int>& rodzenstwo)
{
    if (wezel->Hidden())
        return;
    const int numer = static_cast<int>(FWezly.size());
    rodzenstwo.push_back(numer);
    FWezly.push_back({wezel, rodzic, static_cast<int>(rodzenstwo.size()) - 1, {}});
    std::vector<int> dzieci;
    for (int i = 0; i < wezel->Count(); ++i)
        Dodaj(wezel->GetSpecyfikacja(i), numer, dzieci);
    if (FWarianty && !wezel->CzyGrupa()) {
        for (int i = 0; i < wezel->WariantyCount(); ++i) {
            dzieci.push_back(static_cast<int>(FWezly.size()));
            FWezly.push_back({wezel->GetWariant(i), numer, static_cast<int>(dzieci.size()) - 1, {}});
        }
    }
    // The vector may have grown: the node is found again by its number.
    FWezly[static_cast<size_t>(numer)].Dzieci = std::move(dzieci);
}

TSpecyfikacja* TModelSpisu::Wezel(const QModelIndex& indeks) const
{
    if (!indeks.isValid())
        return nullptr;
    return FWezly[static_cast<size_t>(indeks.internalId())].Wezel;
}

QModelIndex TModelSpisu::Indeks(const TSpecyfikacja* wezel) const
{
    if (!wezel)
        return {};
    for (size_t i = 0; i < FWezly.size(); ++i)
        if (FWezly[i].Wezel == wezel)
            return createIndex(FWezly[i].Wiersz, 0, static_cast<quintptr>(i));
    return {};
}

QModelIndex TModelSpisu::index(int wiersz, int kolumna, const QModelIndex& rodzic) const
{
    const std::vector<int>& dzieci =
        rodzic.isValid() ? FWezly[static_cast<size_t>(rodzic.internalId())].Dzieci : FGorne;
    if (kolumna != 0 || wiersz < 0 || wiersz >= static_cast<int>(dzieci.size()))
        return {};
    return createIndex(wiersz, 0, static_cast<quintptr>(dzieci[static_cast<size_t>(wiersz)]));
}

QModelIndex TModelSpisu::parent(const QModelIndex& indeks) const
{
    if (!indeks.isValid())
        return {};
    const int rodzic = FWezly[static_cast<size_t>(indeks.internalId())].Rodzic;
    if (rodzic < 0)
        return {};
    return createIndex(FWezly[static_cast<size_t>(rodzic)].Wiersz, 0, static_cast<quintptr>(rodzic));
}

int TModelSpisu::rowCount(const QModelIndex& rodzic) const
{
    if (rodzic.column() > 0)
        return 0;
    return static_cast<int>(rodzic.isValid() ? FWezly[static_cast<size_t>(rodzic.internalId())].Dzieci.size()
                                             : FGorne.size());
}

int TModelSpisu::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TModelSpisu::data(const QModelIndex& indeks, int rola) const
{
    const TSpecyfikacja* wezel = Wezel(indeks);
    if (!wezel)
        return {};
    switch (rola) {
    case Qt::DisplayRole:
        return wezel->GetCaption();
    case Qt::ToolTipRole:
        return wezel->CzyGrupa() || wezel->CzyIstnieje()
                   ? wezel->GetCaption()
                   : wezel->GetCaption() + QStringLiteral(" (Brak powiązanego pliku)");
    case RolaRodzaju:
        if (wezel->CzyGrupa())
            return Grupa;
        if (wezel->CzyWarunkiOgolne())
            return WarunkiOgolne;
        return wezel->CzyIstnieje() ? Specyfikacja : BezPliku;
    default:
        return {};
    }
}

Qt::ItemFlags TModelSpisu::flags(const QModelIndex& indeks) const
{
    // The list itself takes drops of kinds of works.
    if (!indeks.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = QAbstractItemModel::flags(indeks);
    const TSpecyfikacja* wezel = Wezel(indeks);
    if (dynamic_cast<const TWariantSpecyfikacji*>(wezel))
        return f;
    f |= Qt::ItemIsDragEnabled;
    if (wezel->CzyGrupa())
        f |= Qt::ItemIsDropEnabled;
    return f;
}

QStringList TModelSpisu::mimeTypes() const
{
    return {TypPrzeciaganego};
}

QMimeData* TModelSpisu::mimeData(const QModelIndexList& indeksy) const
{
    const TSpecyfikacja* wezel = indeksy.isEmpty() ? nullptr : Wezel(indeksy.first());
    if (!wezel || dynamic_cast<const TWariantSpecyfikacji*>(wezel))
        return nullptr;
    auto* dane = new QMimeData;
    // Within this program only: the node is found again among the shown ones before it is used.
    dane->setData(TypPrzeciaganego, QByteArray::number(reinterpret_cast<quintptr>(wezel)));
    return dane;
}

TSpecyfikacja* TModelSpisu::Przeciagany(const QMimeData* dane) const
{
    if (!dane || !dane->hasFormat(TypPrzeciaganego))
        return nullptr;
    const quintptr adres = dane->data(TypPrzeciaganego).toULongLong();
    for (const TWezel& w : FWezly)
        if (reinterpret_cast<quintptr>(w.Wezel) == adres)
            return w.Wezel;
    return nullptr;
}

int TModelSpisu::MiejsceWLiscie(int wiersz, const QModelIndex& rodzic) const
{
    const std::vector<int>& dzieci =
        rodzic.isValid() ? FWezly[static_cast<size_t>(rodzic.internalId())].Dzieci : FGorne;
    if (wiersz < 0 || wiersz >= static_cast<int>(dzieci.size()))
        return -1;
    const TSpecyfikacja* przed = FWezly[static_cast<size_t>(dzieci[static_cast<size_t>(wiersz)])].Wezel;
    // Among the variants below a specification's children: after the children.
    if (dynamic_cast<const TWariantSpecyfikacji*>(przed))
        return -1;
    return przed->GetIndex();
}

bool TModelSpisu::canDropMimeData(const QMimeData* dane, Qt::DropAction akcja, int wiersz, int,
                                  const QModelIndex& rodzic) const
{
    TSpecyfikacja* wezel = Przeciagany(dane);
    return akcja == Qt::MoveAction && wezel && OnPrzenies &&
           OnPrzenies(wezel, Wezel(rodzic), MiejsceWLiscie(wiersz, rodzic), false);
}

bool TModelSpisu::dropMimeData(const QMimeData* dane, Qt::DropAction akcja, int wiersz, int kolumna,
                               const QModelIndex& rodzic)
{
    if (!canDropMimeData(dane, akcja, wiersz, kolumna, rodzic))
        return false;
    OnPrzenies(Przeciagany(dane), Wezel(rodzic), MiejsceWLiscie(wiersz, rodzic), true);
    // The move has rebuilt the tree; the view must not remove the dragged rows itself.
    return false;
}
