#include "ui/WspolczynnikiForm.h"

#include "prices/ModelInfCen.h"
#include "ui/PrzyciskiDialogu.h"
#include "ui/WyborCenyForm.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TWspolczynnikiForm::TWspolczynnikiForm(TModelWspolczynnikow& model, QWidget* rodzic) : QDialog(rodzic)
{
    setObjectName(QStringLiteral("Wspolczynniki"));
    setWindowTitle(QStringLiteral("Współczynniki regionalne"));

    FSiatka = new QTableView(this);
    FSiatka->setObjectName(QStringLiteral("Regiony"));
    FSiatka->setModel(&model);
    FSiatka->setSelectionMode(QAbstractItemView::SingleSelection);
    FSiatka->setSelectionBehavior(QAbstractItemView::SelectItems);
    FSiatka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FSiatka->verticalHeader()->hide();
    FSiatka->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FSiatka->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    FSiatka->setMinimumSize(420, 300);
    WyrownajKolumneDoPrawej(FSiatka, 1);
    WyrownajKolumneDoPrawej(FSiatka, 2);

    QDialogButtonBox* przyciski = PrzyciskiOkAnuluj(this);
    FOk = przyciski->findChild<QPushButton*>(QStringLiteral("OK"));

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(FSiatka, 1);
    uklad->addWidget(przyciski);

    connect(FSiatka->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { OdswiezOk(); });
    connect(FSiatka, &QTableView::doubleClicked, this, [this](const QModelIndex& komorka) {
        if (TModelWspolczynnikow::CzyMoznaWybrac(komorka))
            accept();
    });
    OdswiezOk();
}

QModelIndex TWspolczynnikiForm::Wybrany() const
{
    const QModelIndexList zaznaczone = FSiatka->selectionModel()->selectedIndexes();
    if (zaznaczone.size() != 1 || !TModelWspolczynnikow::CzyMoznaWybrac(zaznaczone.front()))
        return {};
    return zaznaczone.front();
}

void TWspolczynnikiForm::OdswiezOk()
{
    FOk->setEnabled(Wybrany().isValid());
}
