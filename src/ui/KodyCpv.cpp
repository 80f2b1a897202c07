#include "ui/KodyCpv.h"

#include "app/TabeleKodow.h"
#include "workflow/KodyCpvDialogu.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int RolaKodu = Qt::UserRole + 1;

TKodCpv* KodElementu(const QTreeWidgetItem* element)
{
    return static_cast<TKodCpv*>(element->data(0, RolaKodu).value<void*>());
}

} // namespace

TKodyCpv::TKodyCpv(QWidget* rodzic) : TKodyCpv(std::make_unique<TListaKodowCpv>(WczytajKodyCpv()), nullptr, rodzic) {}

TKodyCpv::TKodyCpv(TListaKodowCpv& kody, QWidget* rodzic) : TKodyCpv(nullptr, &kody, rodzic) {}

TKodyCpv::TKodyCpv(std::unique_ptr<TListaKodowCpv> wlasne, TListaKodowCpv* kody, QWidget* rodzic)
    : QDialog(rodzic), FWlasneKody(std::move(wlasne)),
      FLogika(std::make_unique<TKodyCpvDialogu>(kody ? *kody : *FWlasneKody)), FCzyWybor(kody != nullptr),
      FDrzewo(new QTreeWidget(this)), FSzukaj(new QLineEdit(this)), FTryb(new QComboBox(this)),
      FPrzyciski(new QDialogButtonBox(this)), FZegar(new QTimer(this))
{
    setObjectName(QStringLiteral("KodyCpv"));
    setWindowTitle(QStringLiteral("Wybierz kody CPV"));
    setMinimumSize(640, 480);
    resize(760, 560);
    auto* uklad = new QVBoxLayout(this);
    auto* szukanie = new QHBoxLayout;
    FSzukaj->setObjectName(QStringLiteral("Szukaj"));
    FSzukaj->setPlaceholderText(FLogika->Podpowiedz());
    FSzukaj->setClearButtonEnabled(true);
    // The longer of the two hints stays readable.
    FSzukaj->setMinimumWidth(
        FSzukaj->fontMetrics().horizontalAdvance(QString(7, QLatin1Char(' ')) + TKodyCpvDialogu::TrybCalegoSlownika) +
        40);
    szukanie->addWidget(FSzukaj, 1);
    FTryb->setObjectName(QStringLiteral("TrybSzukania"));
    FTryb->addItems({TKodyCpvDialogu::TrybRobotBudowlanych, TKodyCpvDialogu::TrybCalegoSlownika});
    szukanie->addWidget(FTryb);
    uklad->addLayout(szukanie);

    FDrzewo->setObjectName(QStringLiteral("Drzewo"));
    FDrzewo->setHeaderHidden(true);
    FDrzewo->setColumnCount(1);
    FDrzewo->setUniformRowHeights(true);
    uklad->addWidget(FDrzewo);

    QPushButton* ok = FPrzyciski->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    QPushButton* anuluj = FPrzyciski->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    anuluj->setObjectName(QStringLiteral("Anuluj"));
    if (FCzyWybor) {
        ok->setDefault(true);
    } else {
        ok->hide();
        anuluj->setText(QStringLiteral("Zamknij"));
        anuluj->setDefault(true);
    }
    uklad->addWidget(FPrzyciski);
    connect(FPrzyciski, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(FPrzyciski, &QDialogButtonBox::rejected, this, &TKodyCpv::reject);

    connect(FDrzewo, &QTreeWidget::itemChanged, this, [](QTreeWidgetItem* element, int kolumna) {
        if (kolumna == 0)
            KodElementu(element)->Checked = element->checkState(0) == Qt::Checked;
    });
    connect(FTryb, &QComboBox::currentIndexChanged, this, &TKodyCpv::ZmienTryb);
    FZegar->setSingleShot(true);
    FZegar->setInterval(500);
    connect(FSzukaj, &QLineEdit::textChanged, FZegar, qOverload<>(&QTimer::start));
    connect(FZegar, &QTimer::timeout, this, &TKodyCpv::Filtruj);
    Przebuduj();
}

TKodyCpv::~TKodyCpv() = default;

void TKodyCpv::reject()
{
    if (FCzyWybor)
        FLogika->PrzywrocZaznaczenia();
    QDialog::reject();
}

void TKodyCpv::ZmienTryb(int indeks)
{
    const auto tryb = indeks == 1 ? TKodyCpvDialogu::TTryb::CalySlownik : TKodyCpvDialogu::TTryb::RobotyBudowlane;
    const bool ponow = FLogika->UstawTryb(tryb, FSzukaj->text());
    FSzukaj->setPlaceholderText(FLogika->Podpowiedz());
    if (ponow) {
        FZegar->stop();
        Filtruj();
    }
}

void TKodyCpv::Szukaj(const QString& tekst)
{
    FSzukaj->setText(tekst);
    FZegar->stop();
    Filtruj();
}

void TKodyCpv::Filtruj()
{
    FLogika->Filtruj(FSzukaj->text());
    Przebuduj();
}

void TKodyCpv::Przebuduj()
{
    // The tree is made anew from the codes' marks; the program's own filling raises no tick changes.
    const QSignalBlocker blokada(FDrzewo);
    FDrzewo->setUpdatesEnabled(false);
    FDrzewo->clear();
    for (auto& kod : FLogika->Kody())
        Dodaj(*kod, nullptr);
    if (FLogika->CzyFiltr())
        FDrzewo->expandAll();
    if (FDrzewo->topLevelItemCount() > 0)
        FDrzewo->scrollToItem(FDrzewo->topLevelItem(0));
    FDrzewo->setUpdatesEnabled(true);
}

void TKodyCpv::Dodaj(TKodCpv& kod, QTreeWidgetItem* rodzic)
{
    if (kod.Hidden)
        return;
    auto* element = rodzic ? new QTreeWidgetItem(rodzic) : new QTreeWidgetItem(FDrzewo);
    element->setText(0, TKodyCpvDialogu::Podpis(kod));
    element->setData(0, RolaKodu, QVariant::fromValue(static_cast<void*>(&kod)));
    if (!FCzyWybor) {
        // A new item is checkable by default; browsing offers no ticks.
        element->setFlags(element->flags() & ~Qt::ItemIsUserCheckable);
    } else {
        element->setCheckState(0, kod.Checked ? Qt::Checked : Qt::Unchecked);
        // A ticked code is brought into view.
        if (kod.Checked)
            for (QTreeWidgetItem* e = rodzic; e; e = e->parent())
                e->setExpanded(true);
    }
    for (auto& dziecko : kod.KodyCpv)
        Dodaj(*dziecko, element);
}

int TKodyCpv::Widocznych() const
{
    int ile = 0;
    for (QTreeWidgetItemIterator it(FDrzewo); *it; ++it)
        if (!(*it)->isHidden())
            ++ile;
    return ile;
}
