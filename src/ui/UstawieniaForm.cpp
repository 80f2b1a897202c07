#include "ui/UstawieniaForm.h"

#include "app/Wyjatki.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

using W = TWartosciUstawien;
using S = TStronaUstawien;

// The pages' and paths' names in the controls' objectNames.
const char* const IdStron[LiczbaStronUstawien] = {"Ogolne",  "Warianty", "Widok",    "Potwierdzenia",
                                                  "Program", "Szablony", "Pozostale"};
const char* const IdSciezek[LiczbaSciezekUstawien] = {
    "KatalogUzytkownika", "Zestawy",    "Kosztorysy", "Sst",         "Stc",     "SzablonyStronyTyt",
    "SzablonDoc",         "SzablonOdt", "SzablonySt", "StZSzablonu", "Eksport", "PlikJednostekEdbud"};

QString Nazwa(const char* przedrostek, const char* id)
{
    return QString::fromLatin1(przedrostek) + QString::fromLatin1(id);
}

QLabel* Etykieta(const QString& napis, QWidget* kontrolka)
{
    auto* l = new QLabel(napis);
    l->setBuddy(kontrolka);
    return l;
}

} // namespace

TUstawieniaForm::TUstawieniaForm(TUstawieniaDialogu& logika, QWidget* rodzic) : QDialog(rodzic), FLogika(logika)
{
    setWindowTitle(QStringLiteral("Ustawienia"));
    setObjectName(QStringLiteral("UstawieniaForm"));
    WybierzFolder = [this](const QString& tytul, const QString& folder) {
        return QFileDialog::getExistingDirectory(this, tytul, folder);
    };
    WybierzPlik = [this](const QString& tytul, const QString& folder, const QString& filtr) {
        return QFileDialog::getOpenFileName(this, tytul, folder, filtr);
    };

    FDrzewo = new QTreeWidget;
    FDrzewo->setObjectName(QStringLiteral("drzewoKategorii"));
    FDrzewo->setHeaderHidden(true);
    FDrzewo->setRootIsDecorated(false);
    FDrzewo->setFixedWidth(150);
    FDrzewo->setStyleSheet(QStringLiteral("QTreeWidget::item { padding: 3px 2px; }"));
    FStrony = new QStackedWidget;
    FStrony->setObjectName(QStringLiteral("strony"));
    for (int i = 0; i < LiczbaStronUstawien; ++i) {
        const auto strona = static_cast<S>(i);
        FDrzewo->addTopLevelItem(new QTreeWidgetItem(QStringList{TUstawieniaDialogu::NazwaStrony(strona)}));
        QWidget* s = nullptr;
        switch (strona) {
        case S::Ogolne:
            s = StronaOgolne();
            break;
        case S::Warianty:
            s = StronaWarianty();
            break;
        case S::Widok:
            s = StronaWidok();
            break;
        case S::Potwierdzenia:
            s = StronaPotwierdzenia();
            break;
        default:
            s = StronaSciezek(strona);
            break;
        }
        FStrony->addWidget(s);
    }
    // The page whose caption is the node's text.
    connect(FDrzewo, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* wezel) {
        for (int i = 0; wezel && i < LiczbaStronUstawien; ++i)
            if (TUstawieniaDialogu::NazwaStrony(static_cast<S>(i)) == wezel->text(0))
                FStrony->setCurrentIndex(i);
    });

    auto* wszystkie = new QPushButton(QStringLiteral("Przywróć wszystkie domyślne ustawienia"));
    wszystkie->setObjectName(QStringLiteral("btPrzywrocWszystkie"));
    connect(wszystkie, &QPushButton::clicked, this, [this] {
        FLogika.PrzywrocWszystkieDomyslne();
        Pokaz();
    });
    auto* zapisz = new QPushButton(QStringLiteral("Zapisz"));
    zapisz->setObjectName(QStringLiteral("btZapisz"));
    zapisz->setDefault(true);
    connect(zapisz, &QPushButton::clicked, this, [this] {
        if (FLogika.Zapisz())
            accept();
    });
    auto* zamknij = new QPushButton(QStringLiteral("Zamknij"));
    zamknij->setObjectName(QStringLiteral("btZamknij"));
    connect(zamknij, &QPushButton::clicked, this, &QDialog::reject);

    auto* srodek = new QHBoxLayout;
    srodek->addWidget(FDrzewo);
    srodek->addWidget(FStrony, 1);
    auto* dol = new QHBoxLayout;
    dol->addWidget(wszystkie);
    dol->addStretch(1);
    dol->addWidget(zapisz);
    dol->addWidget(zamknij);
    // A line keeps the dialog's buttons apart from the page's own.
    auto* linia = new QFrame;
    linia->setFrameShape(QFrame::HLine);
    linia->setFrameShadow(QFrame::Sunken);
    auto* uklad = new QVBoxLayout(this);
    uklad->addLayout(srodek, 1);
    uklad->addWidget(linia);
    uklad->addLayout(dol);

    Pokaz();
    FDrzewo->setCurrentItem(FDrzewo->topLevelItem(0));
    resize(860, 580);
}

QString TUstawieniaForm::FiltrQt(const QString& filtr)
{
    const QStringList czesci = filtr.split(QLatin1Char('|'));
    QStringList wynik;
    for (qsizetype i = 0; i + 1 < czesci.size(); i += 2) {
        QString opis = czesci[i];
        const qsizetype nawias = opis.indexOf(QLatin1Char('('));
        if (nawias >= 0)
            opis = opis.left(nawias).trimmed();
        wynik << opis + QStringLiteral(" (") + czesci[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' ')) +
                     QLatin1Char(')');
    }
    return wynik.join(QStringLiteral(";;"));
}

// ---------------------------------------------------------------- pages

QWidget* TUstawieniaForm::NowaStrona(TStronaUstawien strona, QWidget* tresc, QWidget* przyciski)
{
    auto* s = new QWidget;
    s->setObjectName(Nazwa("strona", IdStron[static_cast<int>(strona)]));
    auto* tytul = new QLabel(TUstawieniaDialogu::NazwaStrony(strona));
    QFont czcionka = tytul->font();
    czcionka.setBold(true);
    czcionka.setPointSizeF(czcionka.pointSizeF() * 1.25);
    tytul->setFont(czcionka);
    auto* linia = new QFrame;
    linia->setFrameShape(QFrame::HLine);
    linia->setFrameShadow(QFrame::Sunken);
    auto* uklad = new QVBoxLayout(s);
    uklad->setContentsMargins(8, 0, 0, 0);
    uklad->addWidget(tytul);
    uklad->addWidget(linia);
    uklad->addWidget(tresc);
    uklad->addStretch(1);
    uklad->addWidget(przyciski);
    return s;
}

QCheckBox* TUstawieniaForm::Pole(const QString& napis, const QString& nazwa, bool W::*wartosc)
{
    auto* c = new QCheckBox(napis);
    c->setObjectName(nazwa);
    FPola.emplace_back(c, wartosc);
    connect(c, &QCheckBox::toggled, this, [this, wartosc](bool zaznaczone) {
        if (wartosc == &W::WyswietlajCeny)
            FLogika.UstawWyswietlajCeny(zaznaczone);
        else
            FLogika.Wartosci.*wartosc = zaznaczone;
        Pokaz();
    });
    return c;
}

QComboBox* TUstawieniaForm::ListaRozmiarow(const QString& nazwa, int W::*wartosc)
{
    auto* c = new QComboBox;
    c->setObjectName(nazwa);
    c->addItems(TUstawieniaDialogu::RozmiaryCzcionek());
    FRozmiary.emplace_back(c, wartosc);
    connect(c, &QComboBox::currentIndexChanged, this,
            [this, wartosc](int indeks) { FLogika.Wartosci.*wartosc = indeks; });
    return c;
}

QPushButton* TUstawieniaForm::PrzyciskDomyslnych(TStronaUstawien strona)
{
    auto* b = new QPushButton(QStringLiteral("Przywróć domyślne"));
    b->setObjectName(Nazwa("btPrzywrocDomyslne", IdStron[static_cast<int>(strona)]));
    connect(b, &QPushButton::clicked, this, [this, strona] {
        FLogika.PrzywrocDomyslne(strona);
        Pokaz();
    });
    return b;
}

namespace {

// The page's buttons, right-aligned; a widget on the left when given.
QWidget* RzadPrzyciskow(QWidget* lewy, QWidget* prawy)
{
    auto* w = new QWidget;
    auto* uklad = new QHBoxLayout(w);
    uklad->setContentsMargins(0, 0, 0, 0);
    if (lewy)
        uklad->addWidget(lewy);
    uklad->addStretch(1);
    uklad->addWidget(prawy);
    return w;
}

} // namespace

QWidget* TUstawieniaForm::StronaOgolne()
{
    auto* tresc = new QWidget;
    auto* uklad = new QVBoxLayout(tresc);
    uklad->setContentsMargins(0, 0, 0, 0);

    auto* typ = new QGroupBox(QStringLiteral("Typ pliku STWiORB"));
    typ->setObjectName(QStringLiteral("gbTypPliku"));
    FOdt = new QRadioButton(QStringLiteral("OpenOffice Writer (ODT)"));
    FOdt->setObjectName(QStringLiteral("rbOdt"));
    FDoc = new QRadioButton(QStringLiteral("Microsoft Word (DOC)"));
    FDoc->setObjectName(QStringLiteral("rbDoc"));
    connect(FDoc, &QRadioButton::toggled, this, [this](bool doc) { FLogika.Wartosci.EksportDoc = doc; });
    auto* ukladTypu = new QVBoxLayout(typ);
    ukladTypu->addWidget(FOdt);
    ukladTypu->addWidget(FDoc);
    ukladTypu->addWidget(Pole(QStringLiteral("Ustaw domyślny dla nowych zestawów"),
                              QStringLiteral("cbDomyslnyDlaNowychZestawow"), &W::DomyslnyDlaNowychZestawow));
    uklad->addWidget(typ);

    uklad->addWidget(Pole(QStringLiteral("Sortuj specyfikacje w podręcznej liście edytora pozycji kosztorysu"),
                          QStringLiteral("cbSortujPodrecznaListe"), &W::SortujPodrecznaListe));
    uklad->addWidget(
        Pole(QStringLiteral("Pomijaj znaki w filtrowaniu podręcznej listy edytora Nr ST w pozycji kosztorysu:"),
             QStringLiteral("cbPomijajZnaki"), &W::PomijajZnaki));
    FPomijane = new QLineEdit;
    FPomijane->setObjectName(QStringLiteral("edPomijaneZnaki"));
    FPomijane->setPlaceholderText(QStringLiteral("Pomijane znaki"));
    connect(FPomijane, &QLineEdit::textEdited, this, [this](const QString& tekst) {
        const int kursor = FPomijane->cursorPosition();
        FLogika.UstawPomijaneZnaki(tekst);
        if (FLogika.Wartosci.PomijaneZnaki != tekst) {
            // A blank typed is taken back; the caret stays where the user was typing.
            FPomijane->setText(FLogika.Wartosci.PomijaneZnaki);
            FPomijane->setCursorPosition(kursor - static_cast<int>(tekst.left(kursor).count(QLatin1Char(' '))));
        }
    });
    auto* wciecie = new QHBoxLayout;
    wciecie->setContentsMargins(24, 0, 0, 0);
    wciecie->addWidget(FPomijane);
    uklad->addLayout(wciecie);
    uklad->addWidget(Pole(QStringLiteral("Czyść listę specyfikacji przy tworzeniu nowego zestawu"),
                          QStringLiteral("cbCzyscListePrzyNowymZestawie"), &W::CzyscListePrzyNowymZestawie));
    return NowaStrona(S::Ogolne, tresc, RzadPrzyciskow(nullptr, PrzyciskDomyslnych(S::Ogolne)));
}

QWidget* TUstawieniaForm::StronaWarianty()
{
    auto* tresc = new QWidget;
    auto* uklad = new QGridLayout(tresc);
    uklad->setContentsMargins(0, 0, 0, 0);
    auto* tytul = Pole(QStringLiteral("Wyświetlaj tytuł specyfikacji z tytułem wariantu"),
                       QStringLiteral("cbTytulZWariantem"), &W::TytulZWariantem);
    FSeparatory = new QLineEdit;
    FSeparatory->setObjectName(QStringLiteral("edSeparatoryWariantow"));
    connect(FSeparatory, &QLineEdit::textEdited, this,
            [this](const QString& tekst) { FLogika.Wartosci.SeparatoryWariantow = tekst; });
    auto* eksport = Pole(QStringLiteral("Uwzględnij warianty przy eksporcie ( kosztorysu, Listy ST)"),
                         QStringLiteral("cbUwzglednijWariantyPrzyEksporcie"), &W::UwzglednijWariantyPrzyEksporcie);
    auto* import = Pole(QStringLiteral("Rozpoznaj warianty przy imporcie kosztorysu"),
                        QStringLiteral("cbRozpoznajWariantyPrzyImporcie"), &W::RozpoznajWariantyPrzyImporcie);
    FSeparator = new QLineEdit;
    FSeparator->setObjectName(QStringLiteral("edSeparatorWariantu"));
    FSeparator->setFixedWidth(40);
    connect(FSeparator, &QLineEdit::textEdited, this, [this](const QString& tekst) {
        FLogika.UstawSeparatorWariantu(tekst);
        if (FLogika.Wartosci.SeparatorWariantu != tekst) {
            FSeparator->setText(FLogika.Wartosci.SeparatorWariantu);
            FSeparator->setCursorPosition(1);
        }
    });
    auto* etykietaSeparatorow =
        Etykieta(QStringLiteral("Lista separatorów wariantów dla importu kosztorysu:"), FSeparatory);
    auto* etykietaSeparatora = Etykieta(QStringLiteral("Znak separatora wariantów"), FSeparator);
    uklad->addWidget(tytul, 0, 0, 1, 2);
    uklad->addWidget(etykietaSeparatorow, 1, 0);
    uklad->addWidget(FSeparatory, 1, 1);
    uklad->addWidget(eksport, 2, 0, 1, 2);
    uklad->addWidget(import, 3, 0, 1, 2);
    uklad->addWidget(etykietaSeparatora, 4, 0);
    uklad->addWidget(FSeparator, 4, 1, Qt::AlignLeft);
    uklad->setColumnStretch(1, 1);
    FKontrolkiWariantow = {tytul, FSeparatory, eksport, import, FSeparator, etykietaSeparatorow, etykietaSeparatora};
    return NowaStrona(S::Warianty, tresc, RzadPrzyciskow(nullptr, PrzyciskDomyslnych(S::Warianty)));
}

QWidget* TUstawieniaForm::StronaWidok()
{
    auto* tresc = new QWidget;
    auto* uklad = new QGridLayout(tresc);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->addWidget(Pole(QStringLiteral("Ustaw tylko widok \"Specyfikacje\""),
                          QStringLiteral("cbTylkoWidokSpecyfikacje"), &W::TylkoWidokSpecyfikacje),
                     0, 0, 1, 2);
    FTytulPodgladu = new QLineEdit;
    FTytulPodgladu->setObjectName(QStringLiteral("edTytulPodgladuDrzewa"));
    connect(FTytulPodgladu, &QLineEdit::textEdited, this,
            [this](const QString& tekst) { FLogika.Wartosci.TytulPodgladuDrzewa = tekst; });
    uklad->addWidget(Etykieta(QStringLiteral("Tytuł okna podglądu drzewa specyfikacji"), FTytulPodgladu), 1, 0);
    uklad->addWidget(FTytulPodgladu, 1, 1);
    const std::pair<QString, std::pair<const char*, int W::*>> rozmiary[] = {
        {QStringLiteral("Rozmiar czcionki drzewa specyfikacji: "),
         {"cbRozmiarDrzewaSpecyfikacji", &W::RozmiarDrzewaSpecyfikacji}},
        {QStringLiteral("Rozmiar czcionki drzewa elementów kosztorysu: "),
         {"cbRozmiarDrzewaElementow", &W::RozmiarDrzewaElementow}},
        {QStringLiteral("Rozmiar czcionki widoku \"Specyfikacje\": "),
         {"cbRozmiarSpecyfikacji", &W::RozmiarSpecyfikacji}},
        {QStringLiteral("Rozmiar czcionki widoku \"Kosztorys\":"), {"cbRozmiarKosztorysu", &W::RozmiarKosztorysu}},
    };
    int wiersz = 2;
    for (const auto& [napis, lista] : rozmiary) {
        QComboBox* c = ListaRozmiarow(QString::fromLatin1(lista.first), lista.second);
        uklad->addWidget(Etykieta(napis, c), wiersz, 0);
        uklad->addWidget(c, wiersz++, 1, Qt::AlignLeft);
    }
    uklad->addWidget(Pole(QStringLiteral("Korzystaj z wariantów specyfikacji"), QStringLiteral("cbKorzystajZWariantow"),
                          &W::KorzystajZWariantow),
                     wiersz++, 0, 1, 2);
    uklad->addWidget(Pole(QStringLiteral("Wyświetlaj ceny w podglądzie szczegółów pozycji kosztorysu"),
                          QStringLiteral("cbWyswietlajCeny"), &W::WyswietlajCeny),
                     wiersz++, 0, 1, 2);
    uklad->setColumnStretch(1, 1);
    return NowaStrona(S::Widok, tresc, RzadPrzyciskow(nullptr, PrzyciskDomyslnych(S::Widok)));
}

QWidget* TUstawieniaForm::StronaPotwierdzenia()
{
    auto* tresc = new QWidget;
    auto* uklad = new QVBoxLayout(tresc);
    uklad->setContentsMargins(0, 0, 0, 0);
    const std::pair<QString, std::pair<const char*, bool W::*>> pola[] = {
        {QStringLiteral("Pytaj o pozostałe pozycje w elemencie /kosztorysie podczas edycji  ST/"),
         {"cbPytajOPozostalePozycje", &W::PytajOPozostalePozycje}},
        {QStringLiteral("Pytaj o duplikaty pliku specyfikacji"), {"cbPytajODuplikatyPliku", &W::PytajODuplikatyPliku}},
        {QStringLiteral("Pytaj o duplikaty numeru specyfikacji"),
         {"cbPytajODuplikatyNumeru", &W::PytajODuplikatyNumeru}},
        {QStringLiteral("Zapisuj tytuły użytkownika w oknie eksportu XLS (Excel)"),
         {"cbZapisujTytulyXls", &W::ZapisujTytulyXls}},
        {QStringLiteral("Twórz kopię zapasową pliku listy specyfikacji (*.~sst)"), {"cbKopiaListy", &W::KopiaListy}},
        {QStringLiteral("Twórz kopię zapasową pliku zestawu (*.~zst)"), {"cbKopiaZestawu", &W::KopiaZestawu}},
        {QStringLiteral("Pytaj o potwierdzenie usunięcia specyfikacji z pozycji kosztorysu"),
         {"cbPotwierdzUsuniecieZPozycji", &W::PotwierdzUsuniecieZPozycji}},
        {QStringLiteral("Pytaj o potwierdzenie usunięcia specyfikacji ze zbioru"),
         {"cbPotwierdzUsuniecieZeZbioru", &W::PotwierdzUsuniecieZeZbioru}},
        {QStringLiteral("Pytaj o potwierdzenie usunięcia powiązania specyfikacji z plikiem"),
         {"cbPotwierdzUsunieciePowiazania", &W::PotwierdzUsunieciePowiazania}},
        {QStringLiteral("Pytaj o potwierdzenie usunięcia specyfikacji z drzewa"),
         {"cbPotwierdzUsuniecieZDrzewa", &W::PotwierdzUsuniecieZDrzewa}},
        {QStringLiteral("Otwórz kosztorys po stworzeniu"),
         {"cbOtworzKosztorysPoStworzeniu", &W::OtworzKosztorysPoStworzeniu}},
    };
    for (const auto& [napis, pole] : pola)
        uklad->addWidget(Pole(napis, QString::fromLatin1(pole.first), pole.second));
    return NowaStrona(S::Potwierdzenia, tresc, RzadPrzyciskow(nullptr, PrzyciskDomyslnych(S::Potwierdzenia)));
}

QWidget* TUstawieniaForm::StronaSciezek(TStronaUstawien strona)
{
    auto* tresc = new QWidget;
    auto* uklad = new QGridLayout(tresc);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->setVerticalSpacing(4);
    int wiersz = 0;
    for (const TOpisSciezki& o : TUstawieniaDialogu::OpisySciezek()) {
        if (o.Strona != strona)
            continue;
        const int i = static_cast<int>(o.Sciezka);
        const auto sciezka = o.Sciezka;
        auto* zaznacz = new QCheckBox(o.Etykieta);
        zaznacz->setObjectName(Nazwa("cbZaznacz", IdSciezek[i]));
        connect(zaznacz, &QCheckBox::toggled, this, [this, sciezka](bool z) { FLogika.Zaznacz(sciezka, z); });
        auto* pole = new QLineEdit;
        pole->setObjectName(Nazwa("edSciezka", IdSciezek[i]));
        connect(pole, &QLineEdit::textEdited, this,
                [this, sciezka](const QString& tekst) { FLogika.Wartosci.Sciezka(sciezka) = tekst; });
        auto* przegladaj = new QPushButton(QStringLiteral("Przeglądaj"));
        przegladaj->setObjectName(Nazwa("btPrzegladaj", IdSciezek[i]));
        connect(przegladaj, &QPushButton::clicked, this, [this, sciezka] { Przegladaj(sciezka); });
        FZaznaczenia[i] = zaznacz;
        FSciezki[i] = pole;
        if (wiersz > 0)
            uklad->setRowMinimumHeight(wiersz++, 6);
        uklad->addWidget(zaznacz, wiersz++, 0, 1, 2);
        uklad->addWidget(pole, wiersz, 0);
        uklad->addWidget(przegladaj, wiersz++, 1);
    }
    uklad->setColumnStretch(0, 1);

    const int s = static_cast<int>(strona);
    auto* wszystkie = new QCheckBox;
    wszystkie->setObjectName(Nazwa("cbWszystkie", IdStron[s]));
    connect(wszystkie, &QCheckBox::toggled, this, [this, strona](bool z) {
        FLogika.ZaznaczWszystkie(strona, z);
        Pokaz();
    });
    FWszystkie[s] = wszystkie;
    auto* przywroc = new QPushButton(QStringLiteral("Przywróć domyślne dla zaznaczonych"));
    przywroc->setObjectName(Nazwa("btPrzywrocZaznaczone", IdStron[s]));
    connect(przywroc, &QPushButton::clicked, this, [this, strona] {
        FLogika.PrzywrocDomyslneZaznaczonych(strona);
        Pokaz();
    });
    return NowaStrona(strona, tresc, RzadPrzyciskow(wszystkie, przywroc));
}

// ---------------------------------------------------------------- behaviour

void TUstawieniaForm::Przegladaj(TSciezkaUstawien sciezka)
{
    const TDialogPliku d = FLogika.DialogWyboru(sciezka);
    const QString wybrana =
        TUstawieniaDialogu::Opis(sciezka).Rodzaj == TRodzajSciezki::Folder
            ? WybierzFolder(d.Tytul, d.Folder)
            : WybierzPlik(d.Tytul, d.NazwaPliku.isEmpty() ? d.Folder : d.NazwaPliku, FiltrQt(d.Filtr));
    if (FLogika.UstawWybrana(sciezka, wybrana))
        Pokaz();
}

void TUstawieniaForm::Pokaz()
{
    const TWartosciUstawien& w = FLogika.Wartosci;
    auto tekst = [](QLineEdit* pole, const QString& wartosc) {
        // Only a different text is put, so that the caret of the edit being typed in stays.
        if (pole->text() != wartosc) {
            const QSignalBlocker blokada(pole);
            pole->setText(wartosc);
        }
    };
    {
        const QSignalBlocker a(FDoc), b(FOdt);
        FDoc->setChecked(w.EksportDoc);
        FOdt->setChecked(!w.EksportDoc);
    }
    for (const auto& [pole, wartosc] : FPola) {
        const QSignalBlocker blokada(pole);
        pole->setChecked(w.*wartosc);
    }
    for (const auto& [lista, wartosc] : FRozmiary) {
        const QSignalBlocker blokada(lista);
        lista->setCurrentIndex(w.*wartosc);
    }
    tekst(FPomijane, w.PomijaneZnaki);
    tekst(FSeparatory, w.SeparatoryWariantow);
    tekst(FSeparator, w.SeparatorWariantu);
    tekst(FTytulPodgladu, w.TytulPodgladuDrzewa);
    for (QWidget* k : FKontrolkiWariantow)
        k->setEnabled(FLogika.CzyWariantyDostepne());
    for (int i = 0; i < LiczbaSciezekUstawien; ++i) {
        tekst(FSciezki[i], w.Sciezki[i]);
        const QSignalBlocker blokada(FZaznaczenia[i]);
        FZaznaczenia[i]->setChecked(FLogika.CzyZaznaczona(static_cast<TSciezkaUstawien>(i)));
    }
    for (int s = 0; s < LiczbaStronUstawien; ++s)
        if (QCheckBox* wszystkie = FWszystkie[s]) {
            const QSignalBlocker blokada(wszystkie);
            wszystkie->setChecked(FLogika.CzyWszystkieZaznaczone(static_cast<S>(s)));
            wszystkie->setText(FLogika.NapisZaznaczWszystkie(static_cast<S>(s)));
        }
}

bool PokazUstawienia(QWidget* rodzic, TKonfiguracja& konfiguracja, TZestawST& zestaw, IUzytkownik& uzytkownik)
{
    std::unique_ptr<TUstawieniaDialogu> logika;
    try {
        logika = std::make_unique<TUstawieniaDialogu>(konfiguracja, zestaw, uzytkownik);
    } catch (const EBlad& e) {
        uzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
    TUstawieniaForm okno(*logika, rodzic);
    return okno.exec() == QDialog::Accepted;
}
