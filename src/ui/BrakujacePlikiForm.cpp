#include "ui/BrakujacePlikiForm.h"

#include "archive/ListaBrakowPlikow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TBrakujacePlikiForm::TBrakujacePlikiForm(const std::vector<std::unique_ptr<TListaBrakowPlikow>>& listy, bool czyZestaw,
                                         QWidget* rodzic)
    : QDialog(rodzic)
{
    setWindowTitle(QStringLiteral("Brakujące pliki archiwum"));
    auto* uklad = new QVBoxLayout(this);
    auto* opis = new QLabel(
        czyZestaw ? QStringLiteral("W bieżącym zestawie brakuje następujących, powiązanych plików:")
                  : QStringLiteral("W bieżącym spisie specyfikacji brakuje następujących, powiązanych plików:"),
        this);
    opis->setObjectName(QStringLiteral("Opis"));
    uklad->addWidget(opis);

    auto* drzewo = new QTreeWidget(this);
    drzewo->setObjectName(QStringLiteral("Pliki"));
    drzewo->setColumnCount(1);
    drzewo->setHeaderLabels({QStringLiteral("Nazwa pliku")});
    drzewo->setRootIsDecorated(true);
    drzewo->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const auto& lista : listy) {
        if (!lista || lista->Count() == 0)
            continue;
        auto* grupa = new QTreeWidgetItem(drzewo, {lista->NazwaListy()});
        QFont pogrubiona = grupa->font(0);
        pogrubiona.setBold(true);
        grupa->setFont(0, pogrubiona);
        for (int i = 0; i < lista->Count(); ++i)
            new QTreeWidgetItem(grupa, {lista->Get(i)});
        grupa->setExpanded(true);
    }
    drzewo->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    drzewo->setMinimumSize(560, 240);
    uklad->addWidget(drzewo, 1);

    auto* pytanie =
        new QLabel(czyZestaw ? QStringLiteral("Czy chcesz stworzyć archiwum zestawu pomimo brakujących plików ?")
                             : QStringLiteral("Czy chcesz stworzyć archiwum spisu specyfikacji pomimo brakujących "
                                              "plików ?"),
                   this);
    pytanie->setObjectName(QStringLiteral("Pytanie"));
    uklad->addWidget(pytanie);

    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    auto* tak = new QPushButton(QStringLiteral("Tak"), this);
    tak->setObjectName(QStringLiteral("Tak"));
    tak->setDefault(true);
    auto* nie = new QPushButton(QStringLiteral("Nie"), this);
    nie->setObjectName(QStringLiteral("Nie"));
    przyciski->addWidget(tak);
    przyciski->addWidget(nie);
    uklad->addLayout(przyciski);
    connect(tak, &QPushButton::clicked, this, &QDialog::accept);
    connect(nie, &QPushButton::clicked, this, &QDialog::reject);
}

bool PokazBrakujacePliki(QWidget* rodzic, const std::vector<std::unique_ptr<TListaBrakowPlikow>>& listy, bool czyZestaw)
{
    TBrakujacePlikiForm okno(listy, czyZestaw, rodzic);
    return okno.exec() == QDialog::Accepted;
}
