#include "ui/WyborCenyForm.h"

#include "prices/ModelInfCen.h"
#include "ui/PrzyciskiDialogu.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

class TDoPrawej : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* opcje, const QModelIndex& indeks) const override
    {
        QStyledItemDelegate::initStyleOption(opcje, indeks);
        opcje->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
};

} // namespace

void WyrownajKolumneDoPrawej(QTableView* siatka, int kolumna)
{
    siatka->setItemDelegateForColumn(kolumna, new TDoPrawej(siatka));
}

TWyborCenyForm::TWyborCenyForm(TModelInfCen& model, QWidget* rodzic) : QDialog(rodzic), FModel(model)
{
    setObjectName(QStringLiteral("WyborCeny"));
    setWindowTitle(QStringLiteral("Wybierz cenę"));

    FFiltrNazwy = new QLineEdit(this);
    FFiltrNazwy->setObjectName(QStringLiteral("FiltrNazwy"));
    FFiltrNazwy->setClearButtonEnabled(true);
    FFiltrSymbolu = new QLineEdit(this);
    FFiltrSymbolu->setObjectName(QStringLiteral("FiltrSymbolu"));
    FFiltrSymbolu->setClearButtonEnabled(true);
    auto* etykietaNazwy = new QLabel(QStringLiteral("Filtr nazwy:"), this);
    etykietaNazwy->setObjectName(QStringLiteral("EtykietaFiltruNazwy"));
    etykietaNazwy->setBuddy(FFiltrNazwy);
    auto* etykietaSymbolu = new QLabel(QStringLiteral("Filtr symbolu:"), this);
    etykietaSymbolu->setObjectName(QStringLiteral("EtykietaFiltruSymbolu"));
    etykietaSymbolu->setBuddy(FFiltrSymbolu);

    FSiatka = new QTableView(this);
    FSiatka->setObjectName(QStringLiteral("Ceny"));
    FSiatka->setModel(&FModel);
    FSiatka->setSelectionMode(QAbstractItemView::SingleSelection);
    FSiatka->setSelectionBehavior(QAbstractItemView::SelectItems);
    FSiatka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FSiatka->verticalHeader()->hide();
    FSiatka->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FSiatka->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    FSiatka->setMinimumSize(820, 360);
    for (int k = TModelInfCen::PierwszaKolumnaCeny; k < FModel.columnCount(); ++k)
        WyrownajKolumneDoPrawej(FSiatka, k);

    QDialogButtonBox* przyciski = PrzyciskiOkAnuluj(this);
    FOk = przyciski->findChild<QPushButton*>(QStringLiteral("OK"));

    auto* filtry = new QGridLayout;
    filtry->addWidget(etykietaNazwy, 0, 0);
    filtry->addWidget(FFiltrNazwy, 0, 1);
    filtry->addWidget(etykietaSymbolu, 0, 2);
    filtry->addWidget(FFiltrSymbolu, 0, 3);
    filtry->setColumnStretch(1, 3);
    filtry->setColumnStretch(3, 1);
    auto* uklad = new QVBoxLayout(this);
    uklad->addLayout(filtry);
    uklad->addWidget(FSiatka, 1);
    uklad->addWidget(przyciski);

    const auto filtruj = [this] {
        FModel.UstawFiltry(FFiltrNazwy->text(), FFiltrSymbolu->text());
        OdswiezOk();
    };
    connect(FFiltrNazwy, &QLineEdit::textChanged, this, filtruj);
    connect(FFiltrSymbolu, &QLineEdit::textChanged, this, filtruj);
    connect(FSiatka->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { OdswiezOk(); });
    connect(FSiatka, &QTableView::doubleClicked, this, [this](const QModelIndex& komorka) {
        if (TModelInfCen::CzyMoznaWybrac(komorka))
            accept();
    });
    OdswiezOk();
}

QModelIndex TWyborCenyForm::Wybrana() const
{
    const QModelIndexList zaznaczone = FSiatka->selectionModel()->selectedIndexes();
    if (zaznaczone.size() != 1 || !TModelInfCen::CzyMoznaWybrac(zaznaczone.front()))
        return {};
    return zaznaczone.front();
}

void TWyborCenyForm::OdswiezOk()
{
    FOk->setEnabled(Wybrana().isValid());
}
