#include "ui/KodyCpv.h"

#include "app/TabeleKodow.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int RolaKodu = Qt::UserRole + 1;

} // namespace

TKodyCpv::TKodyCpv(QWidget* rodzic)
    : QDialog(rodzic), FKody(WczytajKodyCpv()), FDrzewo(new QTreeWidget(this)), FSzukaj(new QLineEdit(this)),
      FZegar(new QTimer(this))
{
    setObjectName(QStringLiteral("KodyCpv"));
    setWindowTitle(QStringLiteral("Kody CPV"));
    resize(760, 560);
    auto* uklad = new QVBoxLayout(this);
    FSzukaj->setObjectName(QStringLiteral("Szukaj"));
    FSzukaj->setPlaceholderText(QStringLiteral("Szukaj kodu lub nazwy"));
    FSzukaj->setClearButtonEnabled(true);
    uklad->addWidget(FSzukaj);
    FDrzewo->setObjectName(QStringLiteral("Drzewo"));
    FDrzewo->setHeaderLabels({QStringLiteral("Kod"), QStringLiteral("Nazwa")});
    FDrzewo->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FDrzewo->setUniformRowHeights(true);
    for (auto& kod : FKody)
        Dodaj(*kod, nullptr);
    FDrzewo->header()->resizeSection(0, 170);
    uklad->addWidget(FDrzewo);
    auto* przyciski = new QDialogButtonBox(this);
    QPushButton* kopiuj = przyciski->addButton(QStringLiteral("Kopiuj"), QDialogButtonBox::ActionRole);
    kopiuj->setObjectName(QStringLiteral("Kopiuj"));
    QPushButton* zamknij = przyciski->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::RejectRole);
    zamknij->setObjectName(QStringLiteral("Zamknij"));
    uklad->addWidget(przyciski);
    connect(przyciski, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(kopiuj, &QPushButton::clicked, this, [this] {
        QStringList linie;
        for (const QTreeWidgetItem* e : FDrzewo->selectedItems())
            linie << e->text(0) + QLatin1Char(' ') + e->text(1);
        QApplication::clipboard()->setText(linie.join(QLatin1Char('\n')));
    });
    FZegar->setSingleShot(true);
    FZegar->setInterval(300);
    connect(FSzukaj, &QLineEdit::textChanged, FZegar, qOverload<>(&QTimer::start));
    connect(FZegar, &QTimer::timeout, this, &TKodyCpv::Filtruj);
}

void TKodyCpv::Dodaj(TKodCpv& kod, QTreeWidgetItem* rodzic)
{
    auto* element = rodzic ? new QTreeWidgetItem(rodzic) : new QTreeWidgetItem(FDrzewo);
    element->setText(0, kod.Kod);
    element->setText(1, kod.Opis);
    element->setData(0, RolaKodu, QVariant::fromValue(static_cast<void*>(&kod)));
    for (auto& dziecko : kod.KodyCpv)
        Dodaj(*dziecko, element);
}

void TKodyCpv::Filtruj()
{
    const QString filtr = FSzukaj->text().trimmed();
    for (auto& kod : FKody) {
        kod->Ukryj();
        if (filtr.isEmpty())
            kod->Clear();
        else
            kod->Filtruj(filtr, QString());
    }
    FDrzewo->setUpdatesEnabled(false);
    for (int i = 0; i < FDrzewo->topLevelItemCount(); ++i)
        Pokaz(FDrzewo->topLevelItem(i));
    if (!filtr.isEmpty())
        FDrzewo->expandAll();
    else
        FDrzewo->collapseAll();
    FDrzewo->setUpdatesEnabled(true);
}

void TKodyCpv::Pokaz(QTreeWidgetItem* element)
{
    const auto* kod = static_cast<const TKodCpv*>(element->data(0, RolaKodu).value<void*>());
    element->setHidden(kod->Hidden);
    for (int i = 0; i < element->childCount(); ++i)
        Pokaz(element->child(i));
}

int TKodyCpv::Widocznych() const
{
    int ile = 0;
    for (QTreeWidgetItemIterator it(FDrzewo); *it; ++it)
        if (!(*it)->isHidden())
            ++ile;
    return ile;
}
