#include "ui/EdycjaNumeru.h"

#include "workflow/ZestawController.h"

#include <QCompleter>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

TEdycjaNumeruProxy::TEdycjaNumeruProxy(QAbstractItemModel& zrodlo, int kolumna, QObject* rodzic)
    : QIdentityProxyModel(rodzic), FKolumna(kolumna)
{
    setSourceModel(&zrodlo);
}

Qt::ItemFlags TEdycjaNumeruProxy::flags(const QModelIndex& indeks) const
{
    const Qt::ItemFlags flagi = QIdentityProxyModel::flags(indeks);
    return indeks.column() == FKolumna ? flagi | Qt::ItemIsEditable : flagi;
}

bool TEdycjaNumeruProxy::setData(const QModelIndex& indeks, const QVariant& wartosc, int rola)
{
    if (rola != Qt::EditRole || indeks.column() != FKolumna)
        return false;
    const QString numer = wartosc.toString().trimmed();
    if (numer == data(indeks, Qt::DisplayRole).toString().trimmed())
        return false;
    if (OnZmiana)
        OnZmiana(indeks.row(), numer);
    return true;
}

TEdytorNumeru::TEdytorNumeru(TZestawController& kontroler, QObject* rodzic)
    : QStyledItemDelegate(rodzic), FKontroler(kontroler)
{
}

QWidget* TEdytorNumeru::createEditor(QWidget* rodzic, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* edytor = new QLineEdit(rodzic);
    edytor->setObjectName(QStringLiteral("EdytorNumeru"));
    // Built once per list change; the list itself filters as the user types.
    FKontroler.OdswiezPopupListView(QString(), nullptr, false, false);
    auto* podpowiedzi = new QCompleter(&FKontroler.PopupLista(), edytor);
    podpowiedzi->setCompletionColumn(0);
    podpowiedzi->setFilterMode(Qt::MatchContains);
    podpowiedzi->setCaseSensitivity(Qt::CaseInsensitive);
    podpowiedzi->setMaxVisibleItems(12);
    auto* lista = new QTableView;
    lista->setObjectName(QStringLiteral("PopupLista"));
    lista->horizontalHeader()->hide();
    lista->verticalHeader()->hide();
    lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista->setShowGrid(false);
    podpowiedzi->setPopup(lista);
    lista->horizontalHeader()->setStretchLastSection(false);
    lista->setColumnWidth(0, 100);
    lista->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    lista->setMinimumWidth(520);
    edytor->setCompleter(podpowiedzi);
    return edytor;
}
