#include "ui/ScalanieListForm.h"
#include "ui/AkcjeDrzewaSpisu.h"
#include "ui/Ikony.h"
#include "ui/PorownanieSpecyfikacji.h"

#include "specs/Specyfikacja.h"
#include "specs/SpisST.h"
#include "workflow/EdycjaSpisu.h"
#include "workflow/ModelSpisu.h"

#include <QAction>
#include <QBrush>
#include <QColor>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The list's model with the nodes of the last conflict highlighted.
class TModelZKonfliktami : public QIdentityProxyModel
{
public:
    TModelZKonfliktami(TModelSpisu* zrodlo, const TScalanieDialogu& logika, QObject* rodzic)
        : QIdentityProxyModel(rodzic), FZrodlo(zrodlo), FLogika(logika)
    {
        setSourceModel(zrodlo);
    }
    QVariant data(const QModelIndex& indeks, int rola) const override
    {
        const TSpecyfikacja* wezel = FZrodlo->Wezel(mapToSource(indeks));
        if (rola == Qt::BackgroundRole && FLogika.Konflikty().count(wezel))
            return QBrush(QColor(255, 200, 200));
        // Merging is where unbound specifications are easy to miss: their captions say so.
        if (rola == Qt::DisplayRole && wezel && !wezel->CzyGrupa() && wezel->GetEncodedPath().isEmpty())
            return wezel->GetCaption() + QStringLiteral(" ! Brak powiązanego pliku !");
        return QIdentityProxyModel::data(indeks, rola);
    }

private:
    TModelSpisu* FZrodlo;
    const TScalanieDialogu& FLogika;
};

QPushButton* Przycisk(const QString& tekst, const char* nazwa, QWidget* rodzic)
{
    auto* p = new QPushButton(tekst, rodzic);
    p->setObjectName(QString::fromLatin1(nazwa));
    return p;
}

QTreeView* Drzewo(TModelSpisu* model, const TScalanieDialogu& logika, const char* nazwa, QWidget* rodzic)
{
    auto* d = new QTreeView(rodzic);
    d->setObjectName(QString::fromLatin1(nazwa));
    d->setModel(new TModelZKonfliktami(model, logika, d));
    d->setHeaderHidden(true);
    // Long captions scroll rather than lose their end, where the missing-file note stands.
    d->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    d->header()->setStretchLastSection(false);
    d->setSelectionMode(QAbstractItemView::ExtendedSelection);
    d->setMinimumSize(320, 360);
    return d;
}

} // namespace

TScalanieListForm::TScalanieListForm(QWidget* rodzic, const QString& sciezkaListy, TZestawST& zestaw,
                                     TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik)
    : QDialog(rodzic), FLogika(std::make_unique<TScalanieDialogu>(sciezkaListy, zestaw, konfiguracja, uzytkownik)),
      FModelListy(new TModelSpisu(this)), FModelDodawanej(new TModelSpisu(this))
{
    setObjectName(QStringLiteral("ScalanieListForm"));
    setWindowTitle(QStringLiteral("Scalanie list specyfikacji"));

    FEtykietaListy = new QLabel(QFileInfo(sciezkaListy).fileName(), this);
    FEtykietaListy->setObjectName(QStringLiteral("etykietaListy"));
    FDrzewoListy = Drzewo(FModelListy, *FLogika, "drzewoListy", this);
    // The target list is edited in its tree: nodes move by dragging and go with "Usuń".
    FDrzewoListy->setDragDropMode(QAbstractItemView::InternalMove);
    FDrzewoListy->setDefaultDropAction(Qt::MoveAction);
    FDrzewoListy->setDropIndicatorShown(true);
    FModelListy->OnPrzenies = [this](TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj) {
        return FLogika->Edycja().Przenies(wezel, cel, miejsce, wykonaj);
    };
    // The target list is edited in its tree with the main tree's commands and keys, on the node selected.
    const TTworzenieAkcji nowa = [this](const QString& nazwa, const QString& tekst, const QKeySequence& skrot,
                                        std::function<void()> polecenie, const QString& ikona) {
        auto* akcja = new QAction(IkonaMotywu(ikona), tekst, FDrzewoListy);
        akcja->setObjectName(nazwa);
        akcja->setShortcut(skrot);
        akcja->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(akcja, &QAction::triggered, this, std::move(polecenie));
        return akcja;
    };
    const auto wybrany = [this]() -> TSpecyfikacja* {
        const auto wybrane = Zaznaczone(FDrzewoListy, FModelListy);
        return wybrane.size() == 1 ? wybrane.front() : nullptr;
    };
    FDrzewoListy->addActions(AkcjeDrzewaSpisu(
        nowa, [this] { return &FLogika->Edycja(); }, wybrany, [this] { Odswiez(); }));
    QMenu* zwin = MenuZwin(this, nowa, [this](int poziom) {
        FDrzewoListy->collapseAll();
        if (poziom > 0)
            FDrzewoListy->expandToDepth(poziom - 1);
    });
    FDrzewoListy->addAction(zwin->menuAction());
    FDrzewoListy->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(FDrzewoListy->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, wybrany] {
        FDrzewoListy->findChild<QAction*>(QStringLiteral("WarunkiOgolne"))->setText(TekstWarunkowOgolnych(wybrany()));
    });
    FLogika->OnPokaz = [this](TSpecyfikacja* wezel) { Pokaz(wezel); };
    auto* lewa = new QVBoxLayout;
    lewa->addWidget(FEtykietaListy);
    lewa->addWidget(FDrzewoListy);

    QPushButton* dodaj = Przycisk(QStringLiteral("<"), "przyciskDodaj", this);
    dodaj->setToolTip(QStringLiteral("Dodaj"));
    QPushButton* naKoniec = Przycisk(QStringLiteral("|<"), "przyciskDodajNaKoniec", this);
    QPushButton* wszystkie = Przycisk(QStringLiteral("<<"), "przyciskDodajWszystkie", this);
    QPushButton* porownaj = Przycisk(QStringLiteral("<>"), "przyciskPorownaj", this);
    auto* srodek = new QVBoxLayout;
    srodek->addStretch();
    for (QPushButton* p : {dodaj, naKoniec, wszystkie, porownaj})
        srodek->addWidget(p);
    srodek->addStretch();

    FOstatnie = new QComboBox(this);
    FOstatnie->setObjectName(QStringLiteral("ostatnieListy"));
    FOstatnie->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QPushButton* wybierz = Przycisk(QStringLiteral("..."), "przyciskWybierz", this);
    FDrzewoDodawanej = Drzewo(FModelDodawanej, *FLogika, "drzewoDodawanej", this);
    auto* wyborListy = new QHBoxLayout;
    wyborListy->addWidget(FOstatnie, 1);
    wyborListy->addWidget(wybierz);
    auto* prawa = new QVBoxLayout;
    prawa->addLayout(wyborListy);
    prawa->addWidget(FDrzewoDodawanej);

    auto* drzewa = new QHBoxLayout;
    drzewa->addLayout(lewa, 1);
    drzewa->addLayout(srodek);
    drzewa->addLayout(prawa, 1);

    FWczytywanie = new QLabel(QStringLiteral("Trwa wczytywanie danych... proszę czekać."), this);
    FWczytywanie->setObjectName(QStringLiteral("etykietaWczytywania"));
    QPushButton* zapisz = Przycisk(QStringLiteral("Zapisz"), "przyciskZapisz", this);
    QPushButton* zapiszJako = Przycisk(QStringLiteral("Zapisz jako..."), "przyciskZapiszJako", this);
    QPushButton* anuluj = Przycisk(QStringLiteral("Anuluj"), "przyciskAnuluj", this);
    auto* dol = new QHBoxLayout;
    dol->addWidget(FWczytywanie);
    dol->addStretch();
    dol->addWidget(zapisz);
    dol->addWidget(zapiszJako);
    dol->addWidget(anuluj);

    auto* uklad = new QVBoxLayout(this);
    uklad->addLayout(drzewa, 1);
    uklad->addLayout(dol);

    FKontrolki = {FDrzewoListy, FDrzewoDodawanej, FOstatnie, wybierz, dodaj,
                  naKoniec,     wszystkie,        porownaj,  zapisz,  zapiszJako};

    connect(dodaj, &QPushButton::clicked, this, [this] {
        FLogika->Dodaj(Zaznaczone(FDrzewoDodawanej, FModelDodawanej), Zaznaczone(FDrzewoListy, FModelListy));
    });
    connect(naKoniec, &QPushButton::clicked, this,
            [this] { FLogika->DodajNaKoniec(Zaznaczone(FDrzewoDodawanej, FModelDodawanej)); });
    connect(wszystkie, &QPushButton::clicked, this, [this] { FLogika->DodajWszystkie(); });
    connect(porownaj, &QPushButton::clicked, this, [this] { Porownaj(); });
    connect(wybierz, &QPushButton::clicked, this, [this] { FLogika->WybierzDodawana(); });
    connect(FOstatnie, &QComboBox::activated, this, [this](int indeks) { FLogika->WybierzOstatnia(indeks); });
    connect(zapisz, &QPushButton::clicked, this, [this] { Zamknij(FLogika->Zapisz()); });
    connect(zapiszJako, &QPushButton::clicked, this, [this] { Zamknij(FLogika->ZapiszJako()); });
    connect(anuluj, &QPushButton::clicked, this, &TScalanieListForm::reject);

    FLogika->OnZmiana = [this] { Odswiez(); };
    FLogika->Wczytaj();
}

TScalanieListForm::~TScalanieListForm()
{
    // The logic may still call back while its worker stops.
    FLogika->OnZmiana = nullptr;
    FLogika->OnPokaz = nullptr;
}

void TScalanieListForm::Odswiez()
{
    const bool trwa = FLogika->CzyTrwaWczytywanie();
    for (QWidget* w : FKontrolki)
        w->setEnabled(!trwa);
    FWczytywanie->setVisible(trwa);
    FModelListy->Ustaw(FLogika->Lista(), false);
    FModelDodawanej->Ustaw(FLogika->DodawanaLista(), false);
    FDrzewoListy->expandAll();
    FDrzewoDodawanej->expandAll();
    const QSignalBlocker blokada(FOstatnie);
    FOstatnie->clear();
    for (const QString& sciezka : FLogika->OstatnioUzywane())
        FOstatnie->addItem(QFileInfo(sciezka).fileName(), sciezka);
    FOstatnie->setCurrentIndex(FLogika->BiezacaOstatnia());
}

std::vector<TSpecyfikacja*> TScalanieListForm::Zaznaczone(QTreeView* drzewo, TModelSpisu* model) const
{
    const auto* proxy = static_cast<const QIdentityProxyModel*>(drzewo->model());
    std::vector<TSpecyfikacja*> wynik;
    for (const QModelIndex& i : drzewo->selectionModel()->selectedRows())
        if (TSpecyfikacja* w = model->Wezel(proxy->mapToSource(i)))
            wynik.push_back(w);
    return wynik;
}

void TScalanieListForm::Pokaz(const TSpecyfikacja* wezel)
{
    const auto* proxy = static_cast<const QIdentityProxyModel*>(FDrzewoListy->model());
    const QModelIndex indeks = proxy->mapFromSource(FModelListy->Indeks(wezel));
    if (!indeks.isValid())
        return;
    FDrzewoListy->scrollTo(indeks);
    FDrzewoListy->selectionModel()->setCurrentIndex(indeks,
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TScalanieListForm::Porownaj()
{
    const auto lewe = Zaznaczone(FDrzewoListy, FModelListy);
    const auto prawe = Zaznaczone(FDrzewoDodawanej, FModelDodawanej);
    const auto opisy =
        FLogika->Porownaj(lewe.empty() ? nullptr : lewe.front(), prawe.empty() ? nullptr : prawe.front());
    if (!opisy)
        return;
    TPorownanieSpecyfikacji okno(QStringLiteral("Porównaj specyfikacje"), QString(),
                                 {{QStringLiteral("Lista docelowa"), lewe.empty() ? nullptr : lewe.front()},
                                  {QStringLiteral("Lista dodawana"), prawe.empty() ? nullptr : prawe.front()}},
                                 this);
    okno.setObjectName(QStringLiteral("PorownanieSpecyfikacji"));
    auto* przyciski = new QDialogButtonBox(QDialogButtonBox::Ok, &okno);
    connect(przyciski, &QDialogButtonBox::accepted, &okno, &QDialog::accept);
    okno.Uklad()->addWidget(przyciski, okno.Wiersze(), 0, 1, okno.Kolumn());
    okno.exec();
}

void TScalanieListForm::Zamknij(TScalanieDialogu::TZamkniecie zamkniecie)
{
    if (zamkniecie == TScalanieDialogu::TZamkniecie::Zatwierdz)
        QDialog::accept();
    else if (zamkniecie == TScalanieDialogu::TZamkniecie::Odrzuc)
        QDialog::reject();
}

void TScalanieListForm::reject()
{
    Zamknij(FLogika->Anuluj());
}

std::unique_ptr<TSpisST> PokazScalanieList(QWidget* rodzic, const QString& sciezkaListy, TZestawST& zestaw,
                                           TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik)
{
    TScalanieListForm okno(rodzic, sciezkaListy, zestaw, konfiguracja, uzytkownik);
    if (okno.exec() != QDialog::Accepted)
        return nullptr;
    return okno.Logika().PrzejmijListe();
}
