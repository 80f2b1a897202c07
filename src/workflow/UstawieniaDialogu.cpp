#include "workflow/UstawieniaDialogu.h"

#include "app/Konfiguracja.h"
#include "app/KonfiguracjaUstawienia.h"
#include "app/MyPath.h"
#include "app/Wyjatki.h"
#include "estimates/edbud/KosztorysEdbud.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "specs/WyjatkiSpecyfikacji.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>

#include <type_traits>

namespace {

using W = TWartosciUstawien;
using S = TStronaUstawien;

// A control bound to one setting of the configuration's table: loaded through the table's getter,
// written through its setter, reset to its fixed default. Negacja: the box says the opposite.
template <class T> struct TPowiazanie
{
    T W::*Kontrolka;
    const char* Ustawienie;
    S Strona;
    bool Negacja = false;
};

const TPowiazanie<bool> PolaLogiczne[] = {
    {&W::SortujPodrecznaListe, "CzySortujPopupListView", S::Ogolne},
    {&W::PomijajZnaki, "CzyPomijajWFiltrzePopupListView", S::Ogolne},
    {&W::CzyscListePrzyNowymZestawie, "CzyscSSTPrzyNowymZst", S::Ogolne},
    {&W::TytulZWariantem, "CzyWyswietlacTytulSTZWariantem", S::Warianty},
    {&W::UwzglednijWariantyPrzyEksporcie, "UwzglednijWariantyPrzyEksporcieKosztorysu", S::Warianty},
    {&W::RozpoznajWariantyPrzyImporcie, "RozpoznajWariantyPrzyImporcieKosztorysu", S::Warianty},
    {&W::TylkoWidokSpecyfikacje, "TylkoWidokSpecyfikacje", S::Widok},
    {&W::KorzystajZWariantow, "CzyKorzystajZWariantow", S::Widok},
    {&W::WyswietlajCeny, "CzyWyswietlajCeny", S::Widok},
    {&W::PytajOPozostalePozycje, "PytajOPozostalePozycje", S::Potwierdzenia},
    {&W::PytajODuplikatyPliku, "CzyZapamietacOpcjeDuplikatowPliku", S::Potwierdzenia, true},
    {&W::PytajODuplikatyNumeru, "CzyZapamietacOpcjeDuplikatowNumeru", S::Potwierdzenia, true},
    {&W::ZapisujTytulyXls, "CzyZapisujTytulyEksportuXls", S::Potwierdzenia},
    {&W::KopiaListy, "CzyBackupListySST", S::Potwierdzenia},
    {&W::KopiaZestawu, "CzyBackupZestawu", S::Potwierdzenia},
    {&W::PotwierdzUsuniecieZPozycji, "CzyPotwierdzenieUsunSTZPozycji", S::Potwierdzenia},
    {&W::PotwierdzUsuniecieZeZbioru, "CzyPotwierdzenieUsunSTZeZbioru", S::Potwierdzenia},
    {&W::PotwierdzUsunieciePowiazania, "CzyPotwierdzenieUsunPowiazaniePlikuST", S::Potwierdzenia},
    {&W::PotwierdzUsuniecieZDrzewa, "CzyPotwierdzenieUsunST", S::Potwierdzenia},
    {&W::OtworzKosztorysPoStworzeniu, "OtworzKosztorysPoStworzeniu", S::Potwierdzenia},
};

// The variant separator is written through its setter, which refuses "#".
const TPowiazanie<QString> PolaTekstowe[] = {
    {&W::PomijaneZnaki, "PomijaneWFiltrzePopupListView", S::Ogolne},
    {&W::SeparatoryWariantow, "ListaSeparatorowWariantow", S::Warianty},
    {&W::SeparatorWariantu, "WizualnySeparatorWariantu", S::Warianty},
    {&W::TytulPodgladuDrzewa, "TytulPodgladuDrzewa", S::Widok},
};

const TPowiazanie<int> PolaRozmiaru[] = {
    {&W::RozmiarDrzewaSpecyfikacji, "RozmiarDrzewoSpecyfikacji", S::Widok},
    {&W::RozmiarDrzewaElementow, "RozmiarDrzewoElementow", S::Widok},
    {&W::RozmiarSpecyfikacji, "RozmiarSpecyfikacje", S::Widok},
    {&W::RozmiarKosztorysu, "RozmiarKosztorys", S::Widok},
};

bool ZUstawienia(const TPowiazanie<bool>& p, const QVariant& w)
{
    return w.toBool() != p.Negacja;
}
QString ZUstawienia(const TPowiazanie<QString>&, const QVariant& w)
{
    return w.toString();
}
int ZUstawienia(const TPowiazanie<int>&, const QVariant& w)
{
    return TUstawieniaDialogu::IndeksDlaRozmiaru(w.toInt());
}

// Each table in turn, with what the caller does to one binding.
template <class F> void DlaKazdego(F&& f)
{
    for (const auto& p : PolaLogiczne)
        f(p);
    for (const auto& p : PolaTekstowe)
        f(p);
    for (const auto& p : PolaRozmiaru)
        f(p);
}

QVariant DoUstawienia(const TPowiazanie<bool>& p, bool w)
{
    return w != p.Negacja;
}
QVariant DoUstawienia(const TPowiazanie<QString>&, const QString& w)
{
    return w;
}
QVariant DoUstawienia(const TPowiazanie<int>&, int indeks)
{
    return TUstawieniaDialogu::RozmiarDlaIndeksu(indeks);
}

template <class T> T& Wymagany(T* wskaznik, const char* komunikat)
{
    if (!wskaznik)
        throw EBlad(QString::fromUtf8(komunikat));
    return *wskaznik;
}

const QString NapisPoczatkowyWszystkich = QStringLiteral("  Odznacz wszystkie  ");

} // namespace

const QString TUstawieniaDialogu::InformacjaOCenach =
    QStringLiteral("Opcja pozwala wczytać cenę jednostkową, która jest zapisana w pliku z kosztorysem.\r\n"
                   "Velostra nie \"kosztorysuje\" tj. nie wylicza cen na podstawie R,M,S \r\n"
                   "Gdy nie będzie wyświetlana cena jednostkowych oznacza, że nie ma jej w pliku. ");

TUstawieniaDialogu::TUstawieniaDialogu(TKonfiguracja* konfiguracja, TKonfiguracjaZestawu* konfiguracjaZestawu,
                                       TSpisST* spis, IUzytkownik& uzytkownik)
    : CzyPlikJednostekEdbud(&TKosztorysEdbud::CzyPrawidlowyPlikJdnMdb),
      FKonfiguracja(Wymagany(konfiguracja, "Brak ustawień konfiguracyjnych do edycji")),
      FKonfiguracjaZestawu(Wymagany(konfiguracjaZestawu, "Brak ustawień konfiguracyjnych zestawu do edycji")),
      FSpis(Wymagany(spis, "Brak listy specyfikacji")), FUzytkownik(uzytkownik)
{
    FZaznaczone.fill(true);
    FWszystkie.fill(true);
    FNapisyWszystkie.fill(NapisPoczatkowyWszystkich);
    Wczytaj();
}

TUstawieniaDialogu::TUstawieniaDialogu(TKonfiguracja& konfiguracja, TZestawST& zestaw, IUzytkownik& uzytkownik)
    : TUstawieniaDialogu(&konfiguracja, zestaw.GetKonfiguracja(), zestaw.SpisSpecyfikacji(), uzytkownik)
{
}

// ---------------------------------------------------------------- descriptions

QString TUstawieniaDialogu::NazwaStrony(TStronaUstawien strona)
{
    static const std::array<QString, LiczbaStronUstawien> nazwy{
        QStringLiteral("Ogólne"),        QStringLiteral("Warianty"), QStringLiteral("Widok"),
        QStringLiteral("Potwierdzenia"), QStringLiteral("Program"),  QStringLiteral("Szablony"),
        QStringLiteral("Pozostałe"),
    };
    return nazwy[static_cast<int>(strona)];
}

const std::array<TOpisSciezki, LiczbaSciezekUstawien>& TUstawieniaDialogu::OpisySciezek()
{
    using P = TSciezkaUstawien;
    using K = TKonfiguracja;
    // A folder is chosen with a title of its own; a file's browser takes the caption as its title.
    auto opis = [](P p, S s, TRodzajSciezki r, const char* etykieta, const char* tytul, const char* ustawienie) {
        TOpisSciezki o{};
        o.Sciezka = p;
        o.Strona = s;
        o.Rodzaj = r;
        o.Etykieta = QString::fromUtf8(etykieta);
        o.TytulWyboru = QString::fromUtf8(tytul);
        o.Ustawienie = QString::fromLatin1(ustawienie);
        return o;
    };
    auto folder = [&](P p, S s, const char* etykieta, const char* tytul, const char* ustawienie,
                      std::unique_ptr<TMyPath> K::*pole) {
        TOpisSciezki o = opis(p, s, TRodzajSciezki::Folder, etykieta, tytul, ustawienie);
        o.Folder = pole;
        return o;
    };
    auto plik = [&](P p, TRodzajSciezki r, const char* etykieta, const char* filtr, const char* ustawienie) {
        TOpisSciezki o =
            opis(p, p == P::PlikJednostekEdbud ? S::Pozostale : S::Szablony, r, etykieta, etykieta, ustawienie);
        o.Filtr = QString::fromUtf8(filtr);
        return o;
    };
    static const std::array<TOpisSciezki, LiczbaSciezekUstawien> opisy{
        folder(P::KatalogUzytkownika, S::Program,
               "Ścieżka do profilu użytkownika:", "Wskaż folder na pliki użytkownika", "UserPath", nullptr),
        folder(P::Zestawy, S::Program, "Ścieżka do plików zestawów", "Wskaż folder na pliki zestawów", "ZestawyPath",
               &K::ZestawyPath),
        folder(P::Kosztorysy, S::Program, "Ścieżka do plików kosztorysów", "Wskaż folder na pliki kosztorysów",
               "KosztorysyPath", &K::KosztorysyPath),
        folder(P::Sst, S::Program, "Ścieżka do plików SST", "Wskaż folder na pliki SST", "SstPath", &K::SstPath),
        folder(P::Stc, S::Program, "Ścieżka na pliki STC", "Wskaż folder z plikami STC", "StcPath", &K::StcPath),
        folder(P::SzablonyStronyTyt, S::Szablony, "Ścieżka do szablonów strony tytułowej",
               "Wskaż folder z szablonami stryny tytułowej", "SzablonyStronyTytPath", &K::SzablonyStronyTytPath),
        plik(P::SzablonDoc, TRodzajSciezki::Plik, "Ścieżka do szablonu pierwszej strony DOC",
             "Plik Microsoft Word (*.doc;*.docx)|*.doc;*.docx", "PierwszaStronaDocTemplate"),
        plik(P::SzablonOdt, TRodzajSciezki::Plik, "Ścieżka do szablonu pierwszej strony ODT",
             "Plik OpenOffice Writer (*.odt)|*.odt", "PierwszaStronaOdtTemplate"),
        folder(P::SzablonySt, S::Szablony, "Ścieżka do folderu z szablonami specyfikacji",
               "Wskaż folder z szablonami specyfikacji", "SzablonyStPath", &K::SzablonyStPath),
        folder(P::StZSzablonu, S::Szablony, "Ścieżka na pliki specyfikacji tworzone na podstawie szablonu",
               "Wskaż folder na specyfikacje utworzone z szablonu", "StZSzablonuPath", &K::StZSzablonuPath),
        folder(P::Eksport, S::Pozostale, "Ścieżka do plików eksportu", "Wskaż folder na pliki eksportu", "EksportPath",
               &K::EksportPath),
        plik(P::PlikJednostekEdbud, TRodzajSciezki::PlikJednostekEdbud, "Ścieżka do pliku jednostek programu EdBud",
             "Plik MSAccess (*.mdb)|*.mdb", "EdbudJdnMdbPath"),
    };
    return opisy;
}

const TOpisSciezki& TUstawieniaDialogu::Opis(TSciezkaUstawien sciezka)
{
    return OpisySciezek()[static_cast<int>(sciezka)];
}

QStringList TUstawieniaDialogu::RozmiaryCzcionek()
{
    return {QStringLiteral("Bardzo duża czcionka (12pt)"), QStringLiteral("Duża czcionka (11pt)"),
            QStringLiteral("Średnia czcionka (10pt)"), QStringLiteral("Mała czcionka (9pt)"),
            QStringLiteral("Najmniejsza czcionka (8pt)")};
}

int TUstawieniaDialogu::RozmiarDlaIndeksu(int indeks)
{
    return 12 - indeks;
}

int TUstawieniaDialogu::IndeksDlaRozmiaru(int rozmiar)
{
    const int indeks = 12 - rozmiar;
    return indeks >= 0 && indeks < RozmiaryCzcionek().size() ? indeks : -1;
}

// ---------------------------------------------------------------- loading

TWartosciUstawien TUstawieniaDialogu::Zapisane() const
{
    TWartosciUstawien w;
    w.EksportDoc = FKonfiguracjaZestawu.CzyEksportDoc;
    DlaKazdego([&](const auto& p) {
        w.*p.Kontrolka = ZUstawienia(p, UstawienieKonfiguracji(p.Ustawienie).Pobierz(FKonfiguracja));
    });
    for (const TOpisSciezki& o : OpisySciezek())
        w.Sciezka(o.Sciezka) = o.Folder ? (FKonfiguracja.*o.Folder)->GetPath()
                                        : UstawienieKonfiguracji(o.Ustawienie).Pobierz(FKonfiguracja).toString();
    return w;
}

void TUstawieniaDialogu::Wczytaj()
{
    Wartosci = Zapisane();
}

// ---------------------------------------------------------------- edits with rules

void TUstawieniaDialogu::UstawSeparatorWariantu(const QString& tekst)
{
    Wartosci.SeparatorWariantu = tekst.left(1);
}

void TUstawieniaDialogu::UstawPomijaneZnaki(const QString& tekst)
{
    Wartosci.PomijaneZnaki = QString(tekst).remove(QLatin1Char(' '));
}

void TUstawieniaDialogu::UstawWyswietlajCeny(bool wlacz)
{
    Wartosci.WyswietlajCeny = wlacz;
    if (wlacz)
        FUzytkownik.PokazKomunikat(InformacjaOCenach);
}

// ---------------------------------------------------------------- defaults

void TUstawieniaDialogu::PrzywrocDomyslne(TStronaUstawien strona)
{
    if (strona == S::Ogolne) {
        Wartosci.EksportDoc = TKonfiguracjaZestawu::GetDefaultCzyEksportDoc();
        Wartosci.DomyslnyDlaNowychZestawow = false;
    }
    DlaKazdego([&](const auto& p) {
        if (p.Strona == strona)
            Wartosci.*p.Kontrolka = ZUstawienia(p, TKonfiguracja::GetDefault(QString::fromLatin1(p.Ustawienie)));
    });
    // The view restricted to specifications has no default of its own here: it returns to what is stored.
    if (strona == S::Widok)
        Wartosci.TylkoWidokSpecyfikacje = FKonfiguracja.TylkoWidokSpecyfikacje;
    // The user folder first: the other folders' defaults lie under it.
    for (const TOpisSciezki& o : OpisySciezek())
        if (o.Strona == strona)
            Wartosci.Sciezka(o.Sciezka) = DomyslnaSciezka(o.Sciezka);
}

QString TUstawieniaDialogu::DomyslnaSciezka(TSciezkaUstawien sciezka) const
{
    const TOpisSciezki& o = Opis(sciezka);
    const QString domyslna = UstawienieKonfiguracji(o.Ustawienie).Domyslna.Dla(FKonfiguracja).toString();
    if (!o.Folder)
        return domyslna;
    TMyPath folder;
    folder.SetEncodedPath(domyslna);
    return folder.GetPath(Wartosci.Sciezka(TSciezkaUstawien::KatalogUzytkownika));
}

void TUstawieniaDialogu::PrzywrocWszystkieDomyslne()
{
    for (int s = 0; s < LiczbaStronUstawien; ++s)
        PrzywrocDomyslne(static_cast<S>(s));
    FPrzywrocTytulyXls = true;
}

// ---------------------------------------------------------------- tick boxes

void TUstawieniaDialogu::ZaznaczWszystkie(TStronaUstawien strona, bool zaznacz)
{
    for (const TOpisSciezki& o : OpisySciezek())
        if (o.Strona == strona)
            Zaznacz(o.Sciezka, zaznacz);
    FWszystkie[static_cast<int>(strona)] = zaznacz;
    FNapisyWszystkie[static_cast<int>(strona)] =
        zaznacz ? QStringLiteral("  Odznacz Wszystkie") : QStringLiteral("  Zaznacz Wszystkie");
}

void TUstawieniaDialogu::PrzywrocDomyslneZaznaczonych(TStronaUstawien strona)
{
    for (const TOpisSciezki& o : OpisySciezek())
        if (o.Strona == strona && CzyZaznaczona(o.Sciezka))
            Wartosci.Sciezka(o.Sciezka) = DomyslnaSciezka(o.Sciezka);
}

// ---------------------------------------------------------------- browsing

TDialogPliku TUstawieniaDialogu::DialogWyboru(TSciezkaUstawien sciezka) const
{
    const TOpisSciezki& o = Opis(sciezka);
    const QString biezaca = Wartosci.Sciezka(sciezka);
    TDialogPliku d;
    d.Tytul = o.TytulWyboru;
    d.Filtr = o.Filtr;
    if (o.Rodzaj == TRodzajSciezki::Folder) {
        if (!biezaca.isEmpty() && QFileInfo(biezaca).isDir())
            d.Folder = biezaca;
    } else if (!biezaca.isEmpty() && QFileInfo::exists(biezaca)) {
        d.Folder = QFileInfo(biezaca).absolutePath();
        d.NazwaPliku = biezaca;
    }
    return d;
}

bool TUstawieniaDialogu::UstawWybrana(TSciezkaUstawien sciezka, const QString& wybrana)
{
    if (wybrana.isEmpty())
        return false;
    switch (Opis(sciezka).Rodzaj) {
    case TRodzajSciezki::Folder:
        if (!QFileInfo(wybrana).isDir()) {
            FUzytkownik.PokazKomunikat(QStringLiteral("Wybrany folder jest nieprawidłowy!"));
            return false;
        }
        break;
    case TRodzajSciezki::PlikJednostekEdbud:
        if (!CzyPlikJednostekEdbud(wybrana)) {
            FUzytkownik.PokazKomunikat(QStringLiteral("Wybrany plik nie zawiera kodów jednostek programu EDBUD."));
            return false;
        }
        break;
    case TRodzajSciezki::Plik:
        break;
    }
    Wartosci.Sciezka(sciezka) = wybrana;
    return true;
}

// ---------------------------------------------------------------- saving

bool TUstawieniaDialogu::CzyPoprawnySeparator()
{
    // The configuration's setter holds the rule; tried here so that a refusal comes before anything is
    // written, and the stored value put back.
    const QString stary = FKonfiguracja.GetWizualnySeparatorWariantow();
    try {
        FKonfiguracja.SetWizualnySeparatorWariantow(Wartosci.SeparatorWariantu);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
    FKonfiguracja.SetWizualnySeparatorWariantow(stary);
    return true;
}

bool TUstawieniaDialogu::Zapisz()
{
    const TWartosciUstawien zapisane = Zapisane();
    if (Wartosci.SeparatorWariantu != zapisane.SeparatorWariantu && !CzyPoprawnySeparator())
        return false;
    const QString& katalog = Wartosci.Sciezka(TSciezkaUstawien::KatalogUzytkownika);
    if (katalog != zapisane.Sciezka(TSciezkaUstawien::KatalogUzytkownika)) {
        QString nowy = katalog;
        while (nowy.size() > 1 && (nowy.endsWith(QLatin1Char('/')) || nowy.endsWith(QLatin1Char('\\'))))
            nowy.chop(1);
        try {
            FSpis.WalidujSciezki(nowy);
        } catch (const ELongPathException&) {
            if (!FUzytkownik.ZadajPytanie(QStringLiteral("Dla wybranego folderu, w plikach specyfikacji zostanie "
                                                         "przekroczona maksymalna długość ścieżki dozwolona przez "
                                                         "system Windows."),
                                          QStringLiteral("Niektóre funkcje programu mogą nie działać prawidłowo.\r\n"
                                                         "Czy kontynuować ?")))
                return false;
        }
    }
    ZapiszRozne(zapisane);
    return true;
}

void TUstawieniaDialogu::ZapiszRozne(const TWartosciUstawien& zapisane)
{
    if (Wartosci.EksportDoc != zapisane.EksportDoc)
        FKonfiguracjaZestawu.CzyEksportDoc = Wartosci.EksportDoc;
    if (Wartosci.DomyslnyDlaNowychZestawow)
        FKonfiguracja.CzyEksportDoc = Wartosci.EksportDoc;
    DlaKazdego([&](const auto& p) {
        const auto& wartosc = Wartosci.*p.Kontrolka;
        // A font list without a chosen entry leaves the size alone.
        if constexpr (std::is_same_v<std::decay_t<decltype(wartosc)>, int>)
            if (wartosc < 0)
                return;
        if (wartosc != zapisane.*p.Kontrolka)
            UstawienieKonfiguracji(p.Ustawienie).Ustaw(FKonfiguracja, DoUstawienia(p, wartosc));
    });
    // In the table's order: the user folder first, so that the folders written after it are stored
    // against the new one (and the unchanged ones, kept with "%USERPATH%", follow it).
    for (const TOpisSciezki& o : OpisySciezek()) {
        const QString& wartosc = Wartosci.Sciezka(o.Sciezka);
        if (wartosc == zapisane.Sciezka(o.Sciezka))
            continue;
        if (o.Folder)
            (FKonfiguracja.*o.Folder)->SetPath(wartosc);
        else
            UstawienieKonfiguracji(o.Ustawienie).Ustaw(FKonfiguracja, wartosc);
    }
    if (FPrzywrocTytulyXls)
        FKonfiguracja.LoadDefaultTytuluEksportuXls();
}
