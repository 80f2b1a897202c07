#include "ui/GlowneOkno.h"
#include "ui/Ikony.h"

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

// Menus, tool bars and the status bar take this much of the window's height; the frame this much width.
constexpr int WysokoscRamek = 140;
constexpr int SzerokoscRamek = 16;

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

// Columns as wide as their texts (a long title at most half the grid), the last one taking the rest. Only the
// visible rows are measured, so that a grid of thousands of rows fills at once.
void DopasujKolumny(QTableView* tabela)
{
    tabela->horizontalHeader()->setResizeContentsPrecision(200);
    const int polowa = qMax(200, tabela->viewport()->width() / 2);
    for (int k = 0; k + 1 < tabela->model()->columnCount(); ++k) {
        tabela->resizeColumnToContents(k);
        if (tabela->columnWidth(k) > polowa)
            tabela->setColumnWidth(k, polowa);
    }
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

TGlowneOkno::TGlowneOkno(QWidget* rodzic) : QMainWindow(rodzic)
{
    setWindowTitle(QStringLiteral("Velostra"));
    setObjectName(QStringLiteral("GlowneOkno"));
    FZegarSzukania = new QTimer(this);
    FZegarSzukania->setSingleShot(true);
    FZegarSzukania->setInterval(500);
    connect(FZegarSzukania, &QTimer::timeout, this, &TGlowneOkno::Filtruj);

    FPodzial = new QSplitter(Qt::Horizontal, this);
    FPodzial->setObjectName(QStringLiteral("Podzial"));
    FPodzial->addWidget(ZbudujNawigator());
    FPodzial->addWidget(ZbudujPanelDrzewa());
    FPodzial->addWidget(ZbudujObszarRoboczy());
    FPodzial->setStretchFactor(2, 1);
    setCentralWidget(FPodzial);
    ZbudujPasekStanu();
    ZbudujMenu();
    ZbudujMenuPodreczne();
    OdswiezAktywnosc();
}

TGlowneOkno::~TGlowneOkno()
{
    // The controller and its models go before the widgets that show them; the engine after its start.
    FProgram.reset();
    FKontroler.reset();
    if (FStartSilnika.joinable())
        FStartSilnika.join();
}

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
    FDrzewoSpisu = new QTreeView(podzial);
    FDrzewoSpisu->setObjectName(QStringLiteral("Lista_SST_plik"));
    FDrzewoSpisu->setHeaderHidden(true);
    FDrzewoSpisu->setUniformRowHeights(true);
    FDrzewoSpisu->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FDrzewoSpisu->setContextMenuPolicy(Qt::ActionsContextMenu);
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
    FJednostki->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    connect(FJednostki, &QTableWidget::itemChanged, this, &TGlowneOkno::ZmianaJednostki);
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

// ---------------------------------------------------------------- the controller

void TGlowneOkno::UtworzKontroler(TKonfiguracja& konfiguracja, IUzytkownik* uzytkownik)
{
    FKonfiguracja = &konfiguracja;
    FUzytkownikOkna = std::make_unique<TUzytkownikOkna>(
        this, konfiguracja, [this] { return Silnik(); }, [this] { return &FKontroler->Zestaw(); });
    IUzytkownik& kto = uzytkownik ? *uzytkownik : *FUzytkownikOkna;
    FUzytkownik = &kto;
    FKontroler = std::make_unique<TZestawController>(konfiguracja, *this, kto);
    FProgram = std::make_unique<TProgramController>(*FUzytkownikOkna);
    PodlaczModele();
    {
        const QSignalBlocker blokada(FSynchronizuj);
        FSynchronizuj->setChecked(konfiguracja.CzyDrzewkoSynchronizujZeZbioremSt);
    }
    {
        const QSignalBlocker blokada(FOpisJmWTytule);
        FOpisJmWTytule->setChecked(konfiguracja.NazwaJmWTytuleStPrzyGenerowaniuKosztorysu);
    }
    UstawWidok(FKontroler->CzyWidokSpecyfikacje());
    OdswiezDrzewoSpecyfikacji();
    ZastosujUstawieniaWidoku();
    OdswiezMenuOstatnich();
    WypelnijUstawieniaEksportu();
    OdswiezAktywnosc();
}

void TGlowneOkno::PodlaczModele()
{
    FDrzewoElementow->setModel(&FKontroler->DrzewoElementow());
    FDrzewoSpisu->setModel(&FKontroler->DrzewoSpisu());
    auto* edycja = new TEdycjaNumeruProxy(FKontroler->ListaPozycji(), 1, this);
    edycja->OnZmiana = [this](int wiersz, const QString& numer) {
        auto* pozycja = static_cast<TPozycjaRds*>(FKontroler->ListaPozycji().Obiekt(wiersz));
        if (!pozycja)
            return;
        // Edited from inside the view's commit: the grid is filled again only after it.
        QTimer::singleShot(0, this, [this, pozycja, numer] { Wykonaj([&] { ZmienNumer(pozycja, numer); }); });
    };
    FPozycje->setModel(edycja);
    FPozycje->setItemDelegateForColumn(1, new TEdytorNumeru(*FKontroler, this));
    FSzczegoly->setModel(&FKontroler->SzczegolyPozycji());
    FZbior->setModel(&FKontroler->ZbiorSt());
    FPozycjeZSt->setModel(&FKontroler->ListaPozycjiZSt());

    connect(FDrzewoElementow->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& indeks) {
                if (TElementRds* element = TModelElementow::Element(indeks))
                    Wykonaj([&] { FKontroler->WyswietlPozycje(element); });
            });
    connect(FDrzewoSpisu->selectionModel(), &QItemSelectionModel::currentChanged, this, &TGlowneOkno::WybranoWezel);
    connect(FPozycje->selectionModel(), &QItemSelectionModel::currentChanged, this, &TGlowneOkno::WybranoWierszPozycji);
    connect(FZbior->selectionModel(), &QItemSelectionModel::currentChanged, this, &TGlowneOkno::WybranoWierszZbioru);
    // A model reset replaces the selection models' contents, not the models themselves.
    connect(&FKontroler->ListaPozycji(), &QAbstractItemModel::modelReset, this, [this] { DopasujKolumny(FPozycje); });
    connect(&FKontroler->ZbiorSt(), &QAbstractItemModel::modelReset, this, [this] {
        DopasujKolumny(FZbior);
        OdswiezAktywnosc();
    });
    connect(&FKontroler->SzczegolyPozycji(), &QAbstractItemModel::modelReset, this,
            [this] { DopasujKolumny(FSzczegoly); });
    connect(&FKontroler->ListaPozycjiZSt(), &QAbstractItemModel::modelReset, this,
            [this] { DopasujKolumny(FPozycjeZSt); });
}

void TGlowneOkno::ZmienNumer(TPozycjaRds* pozycja, const QString& numer)
{
    // With variants in use a specification that has them asks which one the position takes.
    if (FKonfiguracja && FKonfiguracja->CzyKorzystajZWariantow && !numer.isEmpty()) {
        if (TSpecyfikacja* s = FKontroler->Spis().FindSpecyfikacja(numer, fsSzukajWSpecyfikacjach);
            s && s->WariantyCount() > 0) {
            TWyborWariantu wybor(*s, FKonfiguracja->GetWizualnySeparatorWariantow(), this);
            // The variant travels after "#", as the controller reads numbers typed with one.
            if (wybor.exec() == QDialog::Accepted && wybor.Wariant()) {
                FKontroler->ZmienNumerPozycji(pozycja, s->Numer() + QLatin1Char('#') + wybor.Wariant()->Numer());
                return;
            }
        }
    }
    FKontroler->ZmienNumerPozycji(pozycja, numer);
}

void TGlowneOkno::Wykonaj(const std::function<void()>& polecenie)
{
    if (!FKontroler)
        return;
    try {
        polecenie();
    } catch (const EBlad& e) {
        FUzytkownik->PokazKomunikat(e.Komunikat());
    } catch (const std::exception& e) {
        FUzytkownik->PokazKomunikat(QString::fromLocal8Bit(e.what()));
    }
    OdswiezAktywnosc();
}

ISilnikDokumentow* TGlowneOkno::Silnik()
{
    if (!FSilnik) {
        FSilnik = std::make_unique<TSilnikLibreOffice>();
        // Started beside the user's work; the first merge waits for it if it is not ready yet.
        FStartSilnika = std::thread([silnik = FSilnik.get()] {
            try {
                silnik->Uruchom();
            } catch (...) {
                // Reported when the export asks for it.
            }
        });
    }
    return FSilnik.get();
}

void TGlowneOkno::OtworzPlik(const QString& plik)
{
    if (plik.endsWith(QLatin1String(".sst"), Qt::CaseInsensitive))
        Wykonaj([&] { FKontroler->OtworzSST(plik); });
    else
        Wykonaj([&] { FKontroler->OtworzZestaw(plik); });
}

TSpecyfikacja* TGlowneOkno::WybranyWezel() const
{
    if (!FKontroler)
        return nullptr;
    const QModelIndexList wybrane = FDrzewoSpisu->selectionModel()->selectedRows();
    // Commands on one node only: none with several selected.
    if (wybrane.size() > 1)
        return nullptr;
    return FKontroler->DrzewoSpisu().Wezel(wybrane.isEmpty() ? FDrzewoSpisu->currentIndex() : wybrane.first());
}

TElementRds* TGlowneOkno::WybranyElementDrzewa() const
{
    return TModelElementow::Element(FDrzewoElementow->currentIndex());
}

// ---------------------------------------------------------------- handlers

void TGlowneOkno::WypelnijUstawieniaEksportu()
{
    if (!FKontroler)
        return;
    const TKonfiguracjaZestawu& k = *FKontroler->Zestaw().GetKonfiguracja();
    FWypelnianie = true;
    const QSignalBlocker b1(FStronaTytulowa), b2(FWstawNazweZadania), b3(FNazwaZadania), b4(FStopka), b5(FDodajStopke),
        b6(FNrStrony), b7(FDwustronny), b8(FNaglowek), b9(FDodajNaglowek);
    FStronaTytulowa->setChecked(k.CzyWstawiacSzablonPierwszejStrony);
    const QString szablon = FKontroler->PobierzSzablonPierwszejStrony();
    FStronaTytulowa->setToolTip(szablon.isEmpty() ? QStringLiteral("Brak wbranego pliku szablony strony tytułowej!")
                                                  : szablon);
    FSzablon->setText(szablon.isEmpty()
                          ? QString()
                          : QStringLiteral("<a href=\"#\">%1</a>").arg(QFileInfo(szablon).fileName().toHtmlEscaped()));
    FWstawNazweZadania->setChecked(k.CzyWstawTekstDoSt);
    if (FNazwaZadania->toPlainText() != k.TekstDoSt)
        FNazwaZadania->setPlainText(k.TekstDoSt);
    FDodajStopke->setChecked(k.CzyStopka);
    FNrStrony->setChecked(k.CzyNrStronyStopki);
    FDwustronny->setChecked(k.CzyDrukDwustronnyStopki);
    if (FStopka->toPlainText() != k.TrescStopki)
        FStopka->setPlainText(k.TrescStopki);
    FDodajNaglowek->setChecked(k.CzyNaglowek);
    if (FNaglowek->toPlainText() != k.TrescNaglowka)
        FNaglowek->setPlainText(k.TrescNaglowka);
    FDwustronny->setEnabled(k.CzyStopka);
    FRodzajWyjscia->setIcon(IkonaRodzajuWyjscia(k.CzyEksportDoc));
    FRodzajWyjscia->setToolTip(k.CzyEksportDoc ? QStringLiteral("Microsoft Word (DOC)")
                                               : QStringLiteral("OpenOffice Writer (ODT)"));
    FWypelnianie = false;
}

void TGlowneOkno::ZmianaUstawienEksportu()
{
    if (FWypelnianie || !FKontroler)
        return;
    Wykonaj([this] {
        const TKonfiguracjaZestawu& k = *FKontroler->Zestaw().GetKonfiguracja();
        if (FDodajNaglowek->isChecked() != k.CzyNaglowek || FNaglowek->toPlainText() != k.TrescNaglowka)
            FKontroler->ZmianaUstawienNaglowka(FDodajNaglowek->isChecked(), FNaglowek->toPlainText());
        if (FDodajStopke->isChecked() != k.CzyStopka || FStopka->toPlainText() != k.TrescStopki ||
            FNrStrony->isChecked() != k.CzyNrStronyStopki)
            FKontroler->ZmianaUstawienStopki(FDodajStopke->isChecked(), FStopka->toPlainText(), FNrStrony->isChecked());
        if (FDwustronny->isChecked() != k.CzyDrukDwustronnyStopki) {
            FKontroler->Zestaw().GetKonfiguracja()->CzyDrukDwustronnyStopki = FDwustronny->isChecked();
            FKontroler->ZmienionoZestaw();
        }
        if (FWstawNazweZadania->isChecked() != k.CzyWstawTekstDoSt || FNazwaZadania->toPlainText() != k.TekstDoSt)
            FKontroler->ZmianaUstawienWstawTekstDoST(FWstawNazweZadania->isChecked(), FNazwaZadania->toPlainText());
        FDwustronny->setEnabled(FDodajStopke->isChecked());
    });
}

void TGlowneOkno::WybranoWezel()
{
    const QModelIndex indeks = FDrzewoSpisu->currentIndex();
    PokazPodglad(indeks);
    const TSpecyfikacja* wezel = FKontroler ? FKontroler->DrzewoSpisu().Wezel(indeks) : nullptr;
    if (wezel && FSynchronizuj->isChecked() && !wezel->CzyGrupa())
        Wykonaj([&] { FKontroler->SynchronizujDrzewoZeZbiorem(wezel); });
    OdswiezAktywnosc();
}

void TGlowneOkno::PokazPodglad(const QModelIndex& indeks)
{
    const TSpecyfikacja* wezel = FKontroler ? FKontroler->DrzewoSpisu().Wezel(indeks) : nullptr;
    FJednostki->setRowCount(0);
    if (!wezel) {
        FTytulPodgladu->clear();
        FObmiar->clear();
        return;
    }
    const QString naglowek = FKonfiguracja && !FKonfiguracja->TytulPodgladuDrzewa.isEmpty()
                                 ? FKonfiguracja->TytulPodgladuDrzewa + QStringLiteral(": ")
                                 : QString();
    FTytulPodgladu->setText(
        naglowek + wezel->GetCaption() +
        (!wezel->CzyGrupa() && wezel->GetPlik().isEmpty() ? QStringLiteral(" (Brak powiązanego pliku)") : QString()));
    FObmiar->setHtml(wezel->Info());
    if (wezel->CzyGrupa())
        return;
    const QSignalBlocker blokada(FJednostki);
    FJednostki->setRowCount(wezel->JmCount());
    const auto kwota = [](double wartosc) { return QString::number(wartosc, 'f', 2); };
    for (int i = 0; i < wezel->JmCount(); ++i) {
        const TJmSpecyfikacji* jm = wezel->GetJm(i);
        // Empty cells prompt for what they take.
        const auto komorka = [](const QString& tekst, const QString& podpowiedz) {
            auto* element = new QTableWidgetItem(tekst.isEmpty() ? podpowiedz : tekst);
            if (tekst.isEmpty())
                element->setForeground(Qt::gray);
            return element;
        };
        FJednostki->setItem(i, 0, komorka(jm->Jm(), QStringLiteral("wybierz jm")));
        FJednostki->setItem(i, 1, komorka(jm->Opis(), QStringLiteral("wpisz opis")));
        const TCenaJedn* cena = jm->CenaJedn();
        auto* elementCeny = new QTableWidgetItem(cena ? kwota(cena->GetWartosc()) : QStringLiteral("cena"));
        if (cena) {
            const TCenaInfCen* infCen = cena->GetWybranaInfCen();
            elementCeny->setToolTip(QStringLiteral("Cena z ręki = ") + kwota(cena->GetCenaZReki()) +
                                    QStringLiteral("\nCena z InfCen = ") +
                                    kwota(infCen ? infCen->GetObliczone() : 0.0) + QStringLiteral("\nCena z RMSj = ") +
                                    kwota(cena->GetSumaRMSjObliczone()));
        }
        FJednostki->setItem(i, 2, elementCeny);
    }
}

TSpecyfikacja* TGlowneOkno::WezelPodgladu() const
{
    TSpecyfikacja* wezel = FKontroler ? FKontroler->DrzewoSpisu().Wezel(FDrzewoSpisu->currentIndex()) : nullptr;
    return wezel && !wezel->CzyGrupa() ? wezel : nullptr;
}

void TGlowneOkno::ZmianaJednostki(QTableWidgetItem* element)
{
    TSpecyfikacja* wezel = WezelPodgladu();
    if (!wezel || element->row() >= wezel->JmCount())
        return;
    TJmSpecyfikacji* jm = wezel->GetJm(element->row());
    const QString tekst = element->text().trimmed();
    Wykonaj([&] {
        if (element->column() == 0 && tekst != QLatin1String("wybierz jm"))
            jm->SetJm(tekst);
        else if (element->column() == 1 && tekst != QLatin1String("wpisz opis"))
            jm->SetOpis(tekst);
        else if (element->column() == 2 && jm->CenaJedn()) {
            bool ok = false;
            const double cena = QString(tekst).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            if (!ok || cena < 0)
                FUzytkownik->PokazKomunikat(QStringLiteral("Wartość nieprawidłowa."));
            else
                jm->CenaJedn()->SetCena(cena);
        }
    });
    // Shown again from the unit: a refused price returns to the stored one, prices as "0.00".
    QTimer::singleShot(0, this, [this] { PokazPodglad(FDrzewoSpisu->currentIndex()); });
}

void TGlowneOkno::WybranoWierszPozycji()
{
    const int wiersz = FPozycje->currentIndex().row();
    if (wiersz >= 0)
        Wykonaj([&] { FKontroler->WyswietlSzczegolyPozycji(wiersz); });
}

void TGlowneOkno::WybranoWierszZbioru()
{
    const int wiersz = FZbior->currentIndex().row();
    if (wiersz < 0)
        return;
    Wykonaj([&] {
        FKontroler->SynchronizujZbiorZDrzewkiemST(wiersz);
        FKontroler->WyswietlListePozycjiZSt(wiersz);
    });
}

void TGlowneOkno::ZmienRodzajWyjscia()
{
    if (!FKontroler)
        return;
    TKonfiguracjaZestawu& k = *FKontroler->Zestaw().GetKonfiguracja();
    TRodzajWyjscia okno(k.CzyEksportDoc, this);
    const QPoint nad = FRodzajWyjscia->mapToGlobal(QPoint(0, 0));
    okno.move(nad.x(), nad.y() - okno.sizeHint().height());
    if (okno.exec() != QDialog::Accepted || okno.CzyWord() == k.CzyEksportDoc)
        return;
    k.CzyEksportDoc = okno.CzyWord();
    Wykonaj([this] {
        FKontroler->ZmienionoZestaw();
        FKontroler->WyswietlZbiorST();
    });
    WypelnijUstawieniaEksportu();
}

void TGlowneOkno::Filtruj()
{
    const TSpecyfikacja* grupa = FZakresSzukania->currentIndex() == 1 ? WybranyWezel() : nullptr;
    Wykonaj([&] { FKontroler->AktualizujFiltrSpecyfikacji(FSzukaj->text(), grupa); });
    if (!FSzukaj->text().isEmpty())
        FDrzewoSpisu->expandAll();
}

// ---------------------------------------------------------------- IWidokZestawu

void TGlowneOkno::UstawTytul(const QString& tytul)
{
    setWindowTitle(tytul);
    // A set opened or made anew: the navigator shows its export settings.
    WypelnijUstawieniaEksportu();
}

void TGlowneOkno::UstawStatus(int panel, const QString& tekst)
{
    if (panel < 0 || panel >= static_cast<int>(FPanele.size()))
        return;
    FPanele[static_cast<size_t>(panel)]->setText(tekst);
    if (panel == 2)
        FPanele[2]->setMinimumWidth(FPanele[2]->fontMetrics().horizontalAdvance(tekst) + 38);
    if (panel == 4)
        FPanele[4]->setMinimumWidth(static_cast<int>(FPanele[4]->fontMetrics().horizontalAdvance(tekst) * 1.2));
}

void TGlowneOkno::OdswiezOstatnie()
{
    OdswiezMenuOstatnich();
}

void TGlowneOkno::OdswiezDrzewoSpecyfikacji()
{
    // The model was built again by the controller: the first level stays open for orientation.
    FDrzewoSpisu->expandToDepth(FSzukaj->text().isEmpty() ? 0 : 3);
    PokazPodglad(FDrzewoSpisu->currentIndex());
}

void TGlowneOkno::UstawWidok(bool specyfikacje)
{
    FStronyNawigatora->setCurrentIndex(specyfikacje ? 0 : 1);
    FObszar->setCurrentIndex(specyfikacje ? 1 : 0);
    (specyfikacje ? FPrzyciskSpecyfikacje : FPrzyciskKosztorys)->setChecked(true);
    OdswiezAktywnosc();
}

void TGlowneOkno::ZaznaczElement(const TElementRds* element)
{
    if (!FKontroler)
        return;
    const QModelIndex indeks = FKontroler->DrzewoElementow().Indeks(element);
    const QSignalBlocker blokada(FDrzewoElementow->selectionModel());
    FDrzewoElementow->setCurrentIndex(indeks);
    if (indeks.isValid())
        FDrzewoElementow->scrollTo(indeks);
}

void TGlowneOkno::ZaznaczWierszPozycji(int wiersz)
{
    const QModelIndex indeks = FPozycje->model()->index(wiersz, 0);
    FPozycje->setCurrentIndex(indeks);
    FPozycje->selectRow(wiersz);
    FPozycje->scrollTo(indeks);
    FPozycje->setFocus();
}

void TGlowneOkno::ZaznaczWierszZbioru(int wiersz)
{
    const QModelIndex indeks = FZbior->model()->index(wiersz, 0);
    const QSignalBlocker blokada(FZbior->selectionModel());
    FZbior->setCurrentIndex(indeks);
    FZbior->selectRow(wiersz);
    FZbior->scrollTo(indeks);
}

void TGlowneOkno::PokazWezelSpecyfikacji(const TSpecyfikacja* wezel)
{
    if (!FKontroler)
        return;
    QModelIndex indeks = FKontroler->DrzewoSpisu().Indeks(wezel);
    if (!indeks.isValid()) {
        // A node added since the last rebuild.
        FKontroler->DrzewoSpisu().Odswiez();
        indeks = FKontroler->DrzewoSpisu().Indeks(wezel);
    }
    if (!indeks.isValid())
        return;
    FDrzewoSpisu->setUpdatesEnabled(false);
    for (QModelIndex rodzic = indeks.parent(); rodzic.isValid(); rodzic = rodzic.parent())
        FDrzewoSpisu->expand(rodzic);
    FDrzewoSpisu->setCurrentIndex(indeks);
    FDrzewoSpisu->scrollTo(indeks);
    FDrzewoSpisu->setUpdatesEnabled(true);
}

void TGlowneOkno::UstawTylkoWidokSpecyfikacje(bool tylko)
{
    FPrzyciskKosztorys->setVisible(!tylko);
    for (const QString& nazwa : {QStringLiteral("OtworzKosztorys"), QStringLiteral("ZapiszKosztorys"),
                                 QStringLiteral("EksportujDoExcela"), QStringLiteral("UsunKosztorys")})
        if (QAction* a = Akcja(nazwa))
            a->setVisible(!tylko);
    if (tylko)
        UstawWidok(true);
}

void TGlowneOkno::ZastosujUstawieniaWidoku()
{
    if (!FKonfiguracja)
        return;
    const auto czcionka = [](QWidget* w, int rozmiar) {
        if (rozmiar <= 0)
            return;
        QFont f = w->font();
        f.setPointSize(rozmiar);
        w->setFont(f);
    };
    czcionka(FDrzewoSpisu, FKonfiguracja->RozmiarDrzewoSpecyfikacji);
    czcionka(FDrzewoElementow, FKonfiguracja->RozmiarDrzewoElementow);
    czcionka(FZbior, FKonfiguracja->RozmiarSpecyfikacje);
    czcionka(FPozycjeZSt, FKonfiguracja->RozmiarSpecyfikacje);
    czcionka(FPozycje, FKonfiguracja->RozmiarKosztorys);
    czcionka(FSzczegoly, FKonfiguracja->RozmiarKosztorys);
    const int szerokosc = qMax(width(), 800);
    const int nawigator = FKonfiguracja->NawigatorWidth > 0 ? FKonfiguracja->NawigatorWidth : szerokosc / 6;
    const int drzewo = FKonfiguracja->DrzewoSTWidth > 0 ? FKonfiguracja->DrzewoSTWidth : szerokosc / 3;
    // The list tree needs room for numbers and titles; older layouts kept it narrow.
    const int drzewoSzersze = qMax(drzewo, 360);
    FPodzial->setSizes({nawigator, drzewoSzersze, qMax(200, szerokosc - nawigator - drzewoSzersze)});
    UstawTylkoWidokSpecyfikacje(FKonfiguracja->TylkoWidokSpecyfikacje);
    PokazPodglad(FDrzewoSpisu->currentIndex());
}

void TGlowneOkno::ZwinDoPoziomu(int poziom)
{
    FDrzewoSpisu->collapseAll();
    if (poziom > 0)
        FDrzewoSpisu->expandToDepth(poziom - 1);
}

// ---------------------------------------------------------------- window events

void TGlowneOkno::closeEvent(QCloseEvent* zdarzenie)
{
    if (FKontroler) {
        bool zamknij = true;
        Wykonaj([&] { zamknij = FKontroler->Zamknij(); });
        if (!zamknij) {
            zdarzenie->ignore();
            return;
        }
        if (FKonfiguracja) {
            const QList<int> rozmiary = FPodzial->sizes();
            FKonfiguracja->NawigatorWidth = rozmiary.value(0);
            FKonfiguracja->DrzewoSTWidth = rozmiary.value(1);
            FKonfiguracja->WidokKosztorys = !FKontroler->CzyWidokSpecyfikacje();
        }
    }
    zdarzenie->accept();
}

bool TGlowneOkno::eventFilter(QObject* obiekt, QEvent* zdarzenie)
{
    // Escape in the search box clears it (and so shows the whole list again).
    if (obiekt == FSzukaj && zdarzenie->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(zdarzenie)->key() == Qt::Key_Escape) {
        FSzukaj->clear();
        return true;
    }
    return QMainWindow::eventFilter(obiekt, zdarzenie);
}

void TGlowneOkno::resizeEvent(QResizeEvent* zdarzenie)
{
    QMainWindow::resizeEvent(zdarzenie);
    // The navigator keeps its width; the work area takes what the window gains or loses.
    FPodzial->setStretchFactor(0, 0);
}

// ---------------------------------------------------------------- IOknoKonfiguracji

QSize TGlowneOkno::RozmiarEkranu() const
{
    const QScreen* ekran = screen() ? screen() : QGuiApplication::primaryScreen();
    return ekran ? ekran->size() : QSize(1920, 1080);
}

int TGlowneOkno::LiczbaMonitorow() const
{
    return static_cast<int>(QGuiApplication::screens().size());
}

int TGlowneOkno::SzerokoscObszaruKlienta(QSize rozmiarOkna) const
{
    return rozmiarOkna.width() - SzerokoscRamek;
}

int TGlowneOkno::WysokoscPaneluDrzewa(QSize rozmiarOkna) const
{
    return rozmiarOkna.height() - WysokoscRamek;
}

int TGlowneOkno::WysokoscPaneluKosztorysu(QSize rozmiarOkna) const
{
    return rozmiarOkna.height() - WysokoscRamek;
}

int TGlowneOkno::WysokoscPaneluZbioru(QSize rozmiarOkna) const
{
    return rozmiarOkna.height() - WysokoscRamek;
}

void TGlowneOkno::PobierzStanOkna(TKonfiguracja& konfiguracja)
{
    konfiguracja.Maximized = isMaximized();
    const QRect normalne = normalGeometry();
    if (normalne.isValid()) {
        konfiguracja.Position = normalne.topLeft();
        konfiguracja.Size = normalne.size();
    }
}

void TGlowneOkno::UstawZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    resize(konfiguracja.Size);
    move(konfiguracja.Position);
}
