// The main window's layout: the navigator, the list tree panel, the work area and the status bar.
#include "ui/GlowneOkno.h"
#include "ui/KalkulacjaCenyForm.h"

#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "docs/libreoffice/SilnikLibreOffice.h"
#include "estimates/Kosztorys.h"
#include "prices/CenaJedn.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "ui/EdycjaNumeru.h"
#include "ui/Ikony.h"
#include "ui/Komunikaty.h"
#include "ui/RodzajWyjscia.h"
#include "ui/UzytkownikOkna.h"
#include "ui/WyborWariantu.h"
#include "workflow/ProgramController.h"
#include "workflow/ZestawController.h"
#include "zestaw/ZestawST.h"
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <thread>

namespace {

QTableView* NowaTabela(const QString& nazwa, QWidget* rodzic)
{
    auto* tabela = new QTableView(rodzic);
    tabela->setObjectName(nazwa);
    tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabela->setAlternatingRowColors(true);
    tabela->verticalHeader()->setVisible(false);
    tabela->verticalHeader()->setDefaultSectionSize(tabela->fontMetrics().height() + 6);
    tabela->horizontalHeader()->setStretchLastSection(true);
    tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela->setContextMenuPolicy(Qt::ActionsContextMenu);
    return tabela;
}

QLabel* Naglowek(const QString& tekst, QWidget* rodzic)
{
    auto* etykieta = new QLabel(tekst, rodzic);
    QFont gruba = etykieta->font();
    gruba.setBold(true);
    etykieta->setFont(gruba);
    return etykieta;
}

QCheckBox* Pole(const QString& nazwa, const QString& tekst, QWidget* rodzic)
{
    auto* pole = new QCheckBox(tekst, rodzic);
    pole->setObjectName(nazwa);
    return pole;
}

QTextEdit* Tekst(const QString& nazwa, QWidget* rodzic)
{
    auto* tekst = new QTextEdit(rodzic);
    tekst->setObjectName(nazwa);
    tekst->setAcceptRichText(true);
    tekst->setMinimumHeight(60);
    return tekst;
}

} // namespace

// ---------------------------------------------------------------- layout

QWidget* TGlowneOkno::ZbudujNawigator()
{
    auto* nawigator = new QWidget(this);
    nawigator->setObjectName(QStringLiteral("Nawigator"));
    auto* uklad = new QVBoxLayout(nawigator);
    uklad->setContentsMargins(2, 2, 2, 2);
    auto* przyciski = new QHBoxLayout;
    FPrzyciskSpecyfikacje = new QToolButton(nawigator);
    FPrzyciskSpecyfikacje->setObjectName(QStringLiteral("SPECYFIKACJE"));
    FPrzyciskSpecyfikacje->setText(QStringLiteral("SPECYFIKACJE"));
    FPrzyciskKosztorys = new QToolButton(nawigator);
    FPrzyciskKosztorys->setObjectName(QStringLiteral("KOSZTORYS"));
    FPrzyciskKosztorys->setText(QStringLiteral("KOSZTORYS"));
    for (QToolButton* p : {FPrzyciskSpecyfikacje, FPrzyciskKosztorys}) {
        p->setCheckable(true);
        p->setAutoExclusive(true);
        p->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        przyciski->addWidget(p);
    }
    connect(FPrzyciskSpecyfikacje, &QToolButton::clicked, this,
            [this] { Wykonaj([this] { FKontroler->UstawWidokSpecyfikacje(); }); });
    connect(FPrzyciskKosztorys, &QToolButton::clicked, this,
            [this] { Wykonaj([this] { FKontroler->UstawWidokKosztorys(); }); });
    uklad->addLayout(przyciski);
    FStronyNawigatora = new QStackedWidget(nawigator);
    FStronyNawigatora->setObjectName(QStringLiteral("StronyNawigatora"));
    uklad->addWidget(FStronyNawigatora);

    // "Specyfikacje": the set's export settings in four panels.
    auto* panele = new QToolBox(FStronyNawigatora);
    panele->setObjectName(QStringLiteral("PaneleEksportu"));
    auto* eksport = new QWidget(panele);
    auto* ukladEksportu = new QVBoxLayout(eksport);
    auto* generuj = new QPushButton(QStringLiteral("Generuj plik"), eksport);
    generuj->setObjectName(QStringLiteral("GenerujPlik"));
    connect(generuj, &QPushButton::clicked, this, [this] { Wykonaj([this] { FKontroler->EksportujZbiorST(); }); });
    FStronaTytulowa =
        Pole(QStringLiteral("chkDodawajSzablonPierwszejStrony"), QStringLiteral("Wstaw stronę tytułową"), eksport);
    connect(FStronaTytulowa, &QCheckBox::toggled, this, [this](bool zaznaczone) {
        if (FWypelnianie || !FKontroler)
            return;
        Wykonaj([&] {
            if (!FKontroler->SprawdzPlikiSzablonow(zaznaczone)) {
                const QSignalBlocker blokada(FStronaTytulowa);
                FStronaTytulowa->setChecked(false);
            }
            FKontroler->ZmianaUstawienEksportu(FStronaTytulowa->isChecked());
            WypelnijUstawieniaEksportu();
        });
    });
    FSzablon = new QLabel(eksport);
    FSzablon->setObjectName(QStringLiteral("SzablonStronyTytulowej"));
    FSzablon->setWordWrap(true);
    connect(FSzablon, &QLabel::linkActivated, this,
            [this] { Wykonaj([this] { FKontroler->OtworzSzablonPierwszejStrony(); }); });
    auto* wybierz = new QPushButton(QStringLiteral("Wybierz szablon"), eksport);
    wybierz->setObjectName(QStringLiteral("WybierzSzablon"));
    connect(wybierz, &QPushButton::clicked, this, [this] {
        Wykonaj([this] {
            FKontroler->WybierzSzablonPierwszejStronyZestawu();
            WypelnijUstawieniaEksportu();
        });
    });
    ukladEksportu->addWidget(generuj);
    ukladEksportu->addWidget(FStronaTytulowa);
    ukladEksportu->addWidget(FSzablon);
    ukladEksportu->addWidget(wybierz);
    ukladEksportu->addStretch();
    panele->addItem(eksport, QStringLiteral("Ustawienia Eksportu"));

    auto* zadanie = new QWidget(panele);
    auto* ukladZadania = new QVBoxLayout(zadanie);
    FWstawNazweZadania =
        Pole(QStringLiteral("WstawNazweZadania"), QStringLiteral("Wstaw nazwę zadania  do pliku ST"), zadanie);
    FNazwaZadania = Tekst(QStringLiteral("NazwaZadania"), zadanie);
    FNazwaZadania->setToolTip(
        QStringLiteral("Zamienia ciąg  #NAZWA_ZADANIA# występujący w pliku ST na treść wpisaną w oknie"));
    ukladZadania->addWidget(FWstawNazweZadania);
    ukladZadania->addWidget(FNazwaZadania);
    panele->addItem(zadanie, QStringLiteral("Nazwa zadania"));

    auto* stopka = new QWidget(panele);
    auto* ukladStopki = new QVBoxLayout(stopka);
    FStopka = Tekst(QStringLiteral("Stopka"), stopka);
    FDodajStopke = Pole(QStringLiteral("DodajStopke"), QStringLiteral("Dodaj stopkę"), stopka);
    FNrStrony = Pole(QStringLiteral("WstawNrStrony"), QStringLiteral("Wstaw nr strony"), stopka);
    FDwustronny = Pole(QStringLiteral("WydrukDwustronny"), QStringLiteral("Wydruk dwustronny stopki"), stopka);
    ukladStopki->addWidget(FStopka);
    ukladStopki->addWidget(FDodajStopke);
    ukladStopki->addWidget(FNrStrony);
    ukladStopki->addWidget(FDwustronny);
    panele->addItem(stopka, QStringLiteral("Stopka"));

    auto* naglowek = new QWidget(panele);
    auto* ukladNaglowka = new QVBoxLayout(naglowek);
    FNaglowek = Tekst(QStringLiteral("Naglowek"), naglowek);
    FDodajNaglowek = Pole(QStringLiteral("DodajNaglowek"), QStringLiteral("Dodaj nagłówek"), naglowek);
    ukladNaglowka->addWidget(FNaglowek);
    ukladNaglowka->addWidget(FDodajNaglowek);
    panele->addItem(naglowek, QStringLiteral("Nagłówek"));
    for (QCheckBox* pole : {FWstawNazweZadania, FDodajStopke, FNrStrony, FDwustronny, FDodajNaglowek})
        connect(pole, &QCheckBox::toggled, this, &TGlowneOkno::ZmianaUstawienEksportu);
    for (QTextEdit* tekst : {FNazwaZadania, FStopka, FNaglowek})
        connect(tekst, &QTextEdit::textChanged, this, &TGlowneOkno::ZmianaUstawienEksportu);
    FStronyNawigatora->addWidget(panele);

    // "Kosztorys": the set's estimates and their elements.
    auto* kosztorys = new QWidget(FStronyNawigatora);
    auto* ukladKosztorysu = new QVBoxLayout(kosztorys);
    ukladKosztorysu->setContentsMargins(0, 0, 0, 0);
    ukladKosztorysu->addWidget(Naglowek(QStringLiteral("Elementy Kosztorysu"), kosztorys));
    auto* narzedzia = new QHBoxLayout;
    const auto przycisk = [&](const QString& nazwa, const QString& ikona, const QString& podpowiedz,
                              std::function<void()> polecenie) {
        auto* p = new QToolButton(kosztorys);
        p->setObjectName(nazwa);
        p->setIcon(IkonaMotywu(ikona));
        p->setToolTip(podpowiedz);
        if (p->icon().isNull())
            p->setText(podpowiedz.left(1));
        connect(p, &QToolButton::clicked, this, std::move(polecenie));
        narzedzia->addWidget(p);
    };
    FDrzewoElementow = new QTreeView(kosztorys);
    FDrzewoElementow->setObjectName(QStringLiteral("tvElementyKosztorysu"));
    FDrzewoElementow->setHeaderHidden(true);
    FDrzewoElementow->setContextMenuPolicy(Qt::ActionsContextMenu);
    przycisk(QStringLiteral("ZwinWszystko"), QStringLiteral("go-top"), QStringLiteral("Zwiń wszystko"),
             [this] { FDrzewoElementow->collapseAll(); });
    przycisk(QStringLiteral("ZwinPoziom"), QStringLiteral("go-up"), QStringLiteral("Zwiń jeden poziom"), [this] {
        // The deepest expanded level goes.
        int glebokosc = -1;
        std::function<void(const QModelIndex&, int)> szukaj = [&](const QModelIndex& rodzic, int poziom) {
            for (int i = 0; i < FDrzewoElementow->model()->rowCount(rodzic); ++i) {
                const QModelIndex dziecko = FDrzewoElementow->model()->index(i, 0, rodzic);
                if (FDrzewoElementow->isExpanded(dziecko)) {
                    glebokosc = qMax(glebokosc, poziom);
                    szukaj(dziecko, poziom + 1);
                }
            }
        };
        szukaj({}, 0);
        if (glebokosc >= 0)
            FDrzewoElementow->expandToDepth(glebokosc - 1);
        if (glebokosc == 0)
            FDrzewoElementow->collapseAll();
    });
    przycisk(QStringLiteral("RozwinPoziom"), QStringLiteral("go-down"), QStringLiteral("Rozwiń jeden poziom"), [this] {
        int glebokosc = 0;
        std::function<void(const QModelIndex&, int)> szukaj = [&](const QModelIndex& rodzic, int poziom) {
            for (int i = 0; i < FDrzewoElementow->model()->rowCount(rodzic); ++i) {
                const QModelIndex dziecko = FDrzewoElementow->model()->index(i, 0, rodzic);
                if (FDrzewoElementow->isExpanded(dziecko)) {
                    glebokosc = qMax(glebokosc, poziom + 1);
                    szukaj(dziecko, poziom + 1);
                }
            }
        };
        szukaj({}, 0);
        FDrzewoElementow->expandToDepth(glebokosc);
    });
    przycisk(QStringLiteral("RozwinWszystko"), QStringLiteral("go-bottom"), QStringLiteral("Rozwiń wszystko"),
             [this] { FDrzewoElementow->expandAll(); });
    narzedzia->addStretch();
    przycisk(QStringLiteral("KosztorysWGore"), QStringLiteral("arrow-up"), QStringLiteral("Przesuń kosztorys w górę"),
             [this] {
                 Wykonaj([this] {
                     if (auto* k = dynamic_cast<TKosztorys*>(WybranyElementDrzewa()))
                         FKontroler->PrzesunKosztorysWGore(k);
                 });
             });
    przycisk(QStringLiteral("KosztorysWDol"), QStringLiteral("arrow-down"), QStringLiteral("Przesuń kosztorys w dół"),
             [this] {
                 Wykonaj([this] {
                     if (auto* k = dynamic_cast<TKosztorys*>(WybranyElementDrzewa()))
                         FKontroler->PrzesunKosztorysWDol(k);
                 });
             });
    ukladKosztorysu->addLayout(narzedzia);
    ukladKosztorysu->addWidget(FDrzewoElementow);
    FStronyNawigatora->addWidget(kosztorys);
    return nawigator;
}

QWidget* TGlowneOkno::ZbudujPanelDrzewa()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelDrzewa"));
    auto* uklad = new QVBoxLayout(panel);
    uklad->setContentsMargins(2, 2, 2, 2);
    auto* pasek = new QToolBar(panel);
    pasek->setObjectName(QStringLiteral("PasekDrzewa"));
    pasek->setIconSize(QSize(18, 18));
    uklad->addWidget(pasek);
    auto* szukanie = new QHBoxLayout;
    FSzukaj = new QLineEdit(panel);
    FSzukaj->setObjectName(QStringLiteral("Szukaj"));
    FSzukaj->setPlaceholderText(QStringLiteral("        Szukaj wszędzie"));
    FSzukaj->setClearButtonEnabled(true);
    connect(FSzukaj, &QLineEdit::textChanged, FZegarSzukania, qOverload<>(&QTimer::start));
    FSzukaj->installEventFilter(this);
    FZakresSzukania = new QComboBox(panel);
    FZakresSzukania->setObjectName(QStringLiteral("ZakresSzukania"));
    FZakresSzukania->addItems({QStringLiteral("Szukaj wszędzie"), QStringLiteral("Szukaj w wybranej grupie")});
    connect(FZakresSzukania, &QComboBox::currentIndexChanged, this, [this](int indeks) {
        FSzukaj->setPlaceholderText(QStringLiteral("        ") + FZakresSzukania->itemText(indeks));
        FZegarSzukania->start();
    });
    FZakresSzukania->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FZakresSzukania->setMinimumContentsLength(10);
    szukanie->addWidget(FSzukaj, 3);
    szukanie->addWidget(FZakresSzukania, 2);
    uklad->addLayout(szukanie);
    FSynchronizuj =
        Pole(QStringLiteral("SynchronizujDrzewo"), QStringLiteral("Synchronizuj ze zbiorem specyfikacji"), panel);
    connect(FSynchronizuj, &QCheckBox::toggled, this, [this](bool wlacz) {
        if (FKonfiguracja)
            FKonfiguracja->CzyDrzewkoSynchronizujZeZbioremSt = wlacz;
    });
    uklad->addWidget(FSynchronizuj);

    auto* podzial = new QSplitter(Qt::Vertical, panel);
    podzial->setObjectName(QStringLiteral("PodzialDrzewa"));
    FPodzialDrzewa = podzial;
    FDrzewoSpisu = new QTreeView(podzial);
    FDrzewoSpisu->setObjectName(QStringLiteral("Lista_SST_plik"));
    FDrzewoSpisu->setHeaderHidden(true);
    FDrzewoSpisu->setUniformRowHeights(true);
    FDrzewoSpisu->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FDrzewoSpisu->setContextMenuPolicy(Qt::ActionsContextMenu);
    // Nodes move by dragging, under the list's nesting rules; names change through "Edytuj" (F2), which
    // checks them.
    FDrzewoSpisu->setDragDropMode(QAbstractItemView::InternalMove);
    FDrzewoSpisu->setDefaultDropAction(Qt::MoveAction);
    FDrzewoSpisu->setDropIndicatorShown(true);
    FDrzewoSpisu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(FDrzewoSpisu, &QTreeView::doubleClicked, this, [this](const QModelIndex& indeks) {
        const TSpecyfikacja* wezel = FKontroler ? FKontroler->DrzewoSpisu().Wezel(indeks) : nullptr;
        if (wezel && !wezel->CzyGrupa())
            Wykonaj([&] { FKontroler->OtworzPlikSTDrzewka(wezel); });
    });
    auto* podglad = new QWidget(podzial);
    auto* ukladPodgladu = new QVBoxLayout(podglad);
    ukladPodgladu->setContentsMargins(0, 0, 0, 0);
    FTytulPodgladu = Naglowek(QString(), podglad);
    FTytulPodgladu->setObjectName(QStringLiteral("TytulPodgladu"));
    FTytulPodgladu->setWordWrap(true);
    auto* strony = new QTabWidget(podglad);
    strony->setObjectName(QStringLiteral("Podglad"));
    FObmiar = new QTextEdit(strony);
    FObmiar->setObjectName(QStringLiteral("Obmiar"));
    FObmiar->setReadOnly(true);
    strony->addTab(FObmiar, QStringLiteral("Obmiar"));
    FJednostki = new QTableWidget(strony);
    FJednostki->setObjectName(QStringLiteral("JednostkiMiary"));
    FJednostki->setColumnCount(3);
    FJednostki->setHorizontalHeaderLabels({QStringLiteral("JM"), QStringLiteral("Opis"), QStringLiteral("Cena")});
    FJednostki->horizontalHeader()->setStretchLastSection(true);
    FJednostki->verticalHeader()->setVisible(false);
    // A double click on a price opens its calculation; on the unit or its description it edits in place.
    FJednostki->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(FJednostki, &QTableWidget::itemChanged, this, &TGlowneOkno::ZmianaJednostki);
    connect(FJednostki, &QTableWidget::cellDoubleClicked, this, [this](int wiersz, int kolumna) {
        if (kolumna != 2) {
            FJednostki->editItem(FJednostki->item(wiersz, kolumna));
            return;
        }
        TSpecyfikacja* wezel = WezelPodgladu();
        if (wezel && FKontroler && PokazKalkulacjeCeny(this, *wezel, wiersz, *FKontroler))
            PokazPodglad(FDrzewoSpisu->currentIndex());
    });
    FJednostki->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FJednostki, &QWidget::customContextMenuRequested, this, &TGlowneOkno::PokazCenyJednostki);
    auto* jednostki = new QWidget(strony);
    auto* ukladJednostek = new QVBoxLayout(jednostki);
    ukladJednostek->setContentsMargins(0, 0, 0, 0);
    ukladJednostek->addWidget(FJednostki);
    auto* przyciskiJednostek = new QHBoxLayout;
    auto* dodajJm = new QPushButton(QStringLiteral("Dodaj jednostkę"), jednostki);
    dodajJm->setObjectName(QStringLiteral("DodajJednostke"));
    auto* usunJm = new QPushButton(QStringLiteral("Usuń jednostkę"), jednostki);
    usunJm->setObjectName(QStringLiteral("UsunJednostke"));
    przyciskiJednostek->addWidget(dodajJm);
    przyciskiJednostek->addWidget(usunJm);
    przyciskiJednostek->addStretch();
    ukladJednostek->addLayout(przyciskiJednostek);
    FOpisJmWTytule =
        Pole(QStringLiteral("OpisJmWTytule"),
             QStringLiteral("Dodaj opis jednostki do tytułu specyfikacji przy generowaniu kosztorysu"), jednostki);
    connect(FOpisJmWTytule, &QCheckBox::toggled, this, [this](bool wlacz) {
        if (FKonfiguracja)
            FKonfiguracja->NazwaJmWTytuleStPrzyGenerowaniuKosztorysu = wlacz;
    });
    ukladJednostek->addWidget(FOpisJmWTytule);
    connect(dodajJm, &QPushButton::clicked, this, [this] {
        TSpecyfikacja* wezel = WezelPodgladu();
        if (!wezel)
            return;
        Wykonaj([&] { wezel->AddJm(std::make_unique<TJmSpecyfikacji>()); });
        PokazPodglad(FDrzewoSpisu->currentIndex());
    });
    connect(usunJm, &QPushButton::clicked, this, [this] {
        TSpecyfikacja* wezel = WezelPodgladu();
        const int wiersz = FJednostki->currentRow();
        if (!wezel || wiersz < 0 || wiersz >= wezel->JmCount())
            return;
        Wykonaj([&] { wezel->DelJm(wezel->GetJm(wiersz)); });
        PokazPodglad(FDrzewoSpisu->currentIndex());
    });
    strony->addTab(jednostki, QStringLiteral("Jednostki miary"));
    ukladPodgladu->addWidget(FTytulPodgladu);
    ukladPodgladu->addWidget(strony);
    podzial->addWidget(FDrzewoSpisu);
    podzial->addWidget(podglad);
    podzial->setStretchFactor(0, 3);
    podzial->setStretchFactor(1, 1);
    uklad->addWidget(podzial, 1);
    return panel;
}

QWidget* TGlowneOkno::ZbudujObszarRoboczy()
{
    FObszar = new QStackedWidget(this);
    FObszar->setObjectName(QStringLiteral("ObszarRoboczy"));

    auto* kosztorys = new QWidget(FObszar);
    kosztorys->setObjectName(QStringLiteral("StronaKosztorys"));
    auto* ukladK = new QVBoxLayout(kosztorys);
    ukladK->setContentsMargins(2, 2, 2, 2);
    auto* pasekK = new QToolBar(kosztorys);
    pasekK->setObjectName(QStringLiteral("PasekKosztorysu"));
    pasekK->setIconSize(QSize(18, 18));
    pasekK->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ukladK->addWidget(pasekK);
    auto* podzialK = new QSplitter(Qt::Vertical, kosztorys);
    podzialK->setObjectName(QStringLiteral("PodzialKosztorysu"));
    FPodzialKosztorysu = podzialK;
    FPozycje = NowaTabela(QStringLiteral("ListaPozycji"), podzialK);
    FPozycje->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    auto* szczegoly = new QWidget(podzialK);
    auto* ukladS = new QVBoxLayout(szczegoly);
    ukladS->setContentsMargins(0, 0, 0, 0);
    ukladS->addWidget(Naglowek(QStringLiteral("Szczegóły pozycji kosztorysowej"), szczegoly));
    FSzczegoly = NowaTabela(QStringLiteral("SzczegolyPozycji"), szczegoly);
    ukladS->addWidget(FSzczegoly);
    podzialK->addWidget(FPozycje);
    podzialK->addWidget(szczegoly);
    podzialK->setStretchFactor(0, 3);
    podzialK->setStretchFactor(1, 1);
    ukladK->addWidget(podzialK, 1);
    FObszar->addWidget(kosztorys);

    auto* specyfikacje = new QWidget(FObszar);
    specyfikacje->setObjectName(QStringLiteral("StronaSpecyfikacje"));
    auto* ukladZ = new QVBoxLayout(specyfikacje);
    ukladZ->setContentsMargins(2, 2, 2, 2);
    auto* pasekZ = new QToolBar(specyfikacje);
    pasekZ->setObjectName(QStringLiteral("PasekZbioru"));
    pasekZ->setIconSize(QSize(18, 18));
    pasekZ->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ukladZ->addWidget(pasekZ);
    auto* podzialZ = new QSplitter(Qt::Vertical, specyfikacje);
    podzialZ->setObjectName(QStringLiteral("PodzialZbioru"));
    FPodzialZbioru = podzialZ;
    FZbior = NowaTabela(QStringLiteral("ZbiorStGrid"), podzialZ);
    FZbior->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(FZbior, &QTableView::doubleClicked, this,
            [this](const QModelIndex& indeks) { Wykonaj([&] { FKontroler->OtworzPlikSTZbioru(indeks.row()); }); });
    auto* pozycjeZSt = new QWidget(podzialZ);
    auto* ukladP = new QVBoxLayout(pozycjeZSt);
    ukladP->setContentsMargins(0, 0, 0, 0);
    ukladP->addWidget(Naglowek(QStringLiteral("Lista pozycji  kosztorysowych"), pozycjeZSt));
    FPozycjeZSt = NowaTabela(QStringLiteral("ListaPozycjiZSt"), pozycjeZSt);
    ukladP->addWidget(FPozycjeZSt);
    podzialZ->addWidget(FZbior);
    podzialZ->addWidget(pozycjeZSt);
    podzialZ->setStretchFactor(0, 3);
    podzialZ->setStretchFactor(1, 1);
    ukladZ->addWidget(podzialZ, 1);
    FObszar->addWidget(specyfikacje);
    return FObszar;
}

void TGlowneOkno::ZbudujPasekStanu()
{
    for (int i = 0; i < 6; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        FPanele.push_back(panel);
    }
    FRodzajWyjscia = new QToolButton(this);
    FRodzajWyjscia->setObjectName(QStringLiteral("RodzajWyjscia"));
    FRodzajWyjscia->setAutoRaise(true);
    FRodzajWyjscia->setFixedWidth(28);
    FRodzajWyjscia->setToolTip(QStringLiteral("Typ pliku STWiORB"));
    connect(FRodzajWyjscia, &QToolButton::clicked, this, &TGlowneOkno::ZmienRodzajWyjscia);
    statusBar()->addWidget(FPanele[0], 2);
    statusBar()->addWidget(FPanele[1], 1);
    statusBar()->addWidget(FPanele[2]);
    statusBar()->addWidget(FRodzajWyjscia);
    statusBar()->addWidget(FPanele[4]);
    statusBar()->addPermanentWidget(FPanele[5]);
    FPanele[3]->hide(); // the output kind's panel is the button
    FPanele[5]->setMinimumWidth(80);
    FPanele[5]->setText(QStringLiteral("wer. ") + WersjaProgramu() + QStringLiteral("  "));
}
