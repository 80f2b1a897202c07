// The table of the program's settings. A new setting is one line here (and its field); the file's
// reader and writer, the defaults and the command-line tool's JSON all walk this table.
#include "app/KonfiguracjaUstawienia.h"

#include "app/Konfiguracja.h"

#include <QFileInfo>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <type_traits>

namespace {

using K = TKonfiguracja;
using R = TRodzajUstawienia;
using G = TGrupaUstawien;
using F = TRegulaFolderu;

template <class T> TWartoscUstawienia Wartosc(T wartosc)
{
    if constexpr (std::is_invocable_v<T, const K&>)
        return {QVariant(), [wartosc](const K& k) { return QVariant::fromValue(std::invoke(wartosc, k)); }};
    else
        return {QVariant::fromValue(wartosc), {}};
}

// One line of the table, with the rarer properties added by name.
class TWpis
{
public:
    explicit TWpis(TUstawienie u) : FU(std::move(u)) {}
    operator TUstawienie() const { return FU; }

    template <class T> TWpis& NaStart(T wartosc)
    {
        FU.NaStart = Wartosc(wartosc);
        return *this;
    }
    template <class T> TWpis& GdyBrak(T wartosc)
    {
        FU.GdyBrak = Wartosc(wartosc);
        return *this;
    }
    TWpis& Grupa(G grupa)
    {
        FU.Grupa = grupa;
        return *this;
    }
    TWpis& Regula(QString (*regula)(const QString&, const QString&))
    {
        FU.Regula = regula;
        return *this;
    }
    TWpis& TylkoZ(const char* atrybut)
    {
        FU.TylkoZAtrybutem = atrybut;
        return *this;
    }
    TWpis& Folder(F regula)
    {
        FU.Folder = regula;
        return *this;
    }
    TWpis& Dokladny()
    {
        FU.Rodzaj = R::TekstDokladny;
        return *this;
    }
    // Polozenie and Rozmiar: the attribute of the second coordinate.
    TWpis& Drugi(const char* atrybut)
    {
        FU.Atrybut2 = atrybut;
        return *this;
    }
    // Wybor: the names of the values, in their order.
    TWpis& Nazwy(QStringList nazwy)
    {
        FU.Wybory = std::move(nazwy);
        return *this;
    }
    // A list: the items' attribute (null: their text) and how many are written at most (0: all).
    TWpis& Elementy(const char* atrybut, int maks = 0)
    {
        FU.Atrybut = atrybut;
        FU.MaksPozycji = maks;
        return *this;
    }

private:
    TUstawienie FU;
};

template <class T> constexpr R RodzajDla()
{
    if constexpr (std::is_same_v<T, bool>)
        return R::Logiczna;
    else if constexpr (std::is_same_v<T, int>)
        return R::Calkowita;
    else if constexpr (std::is_same_v<T, double>)
        return R::Liczba;
    else if constexpr (std::is_same_v<T, QString>)
        return R::Tekst;
    else if constexpr (std::is_same_v<T, QStringList>)
        return R::Lista;
    else if constexpr (std::is_same_v<T, QPoint>)
        return R::Polozenie;
    else if constexpr (std::is_same_v<T, QSize>)
        return R::Rozmiar;
    else if constexpr (std::is_same_v<T, std::unique_ptr<TMyPath>>)
        return R::Sciezka;
    else {
        static_assert(std::is_enum_v<T>, "a setting of a kind the file cannot hold");
        return R::Wybor;
    }
}

// A public field of the configuration; its kind follows from its type.
template <class T, class D>
TWpis Pole(T K::*pole, const char* nazwaPola, const char* element, const char* atrybut, D domyslna)
{
    TUstawienie u;
    u.Element = element;
    u.Atrybut = atrybut;
    u.Nazwa = QString::fromLatin1(nazwaPola);
    u.Rodzaj = RodzajDla<T>();
    if constexpr (std::is_same_v<T, std::unique_ptr<TMyPath>>) {
        u.Pobierz = [pole](const K& k) { return QVariant((k.*pole)->EncodedPath()); };
        u.Ustaw = [pole](K& k, const QVariant& w) { (k.*pole)->SetEncodedPath(w.toString()); };
    } else if constexpr (std::is_enum_v<T>) {
        u.Pobierz = [pole](const K& k) { return QVariant(static_cast<int>(k.*pole)); };
        u.Ustaw = [pole](K& k, const QVariant& w) { k.*pole = static_cast<T>(w.toInt()); };
    } else {
        u.Pobierz = [pole](const K& k) { return QVariant::fromValue(k.*pole); };
        u.Ustaw = [pole](K& k, const QVariant& w) { k.*pole = w.value<T>(); };
    }
    u.Domyslna = Wartosc(domyslna);
    return TWpis(std::move(u));
}

// A text kept behind a getter and a setter with rules of their own.
template <class D>
TWpis Dostep(const char* nazwa, const char* element, const char* atrybut, const QString& (K::*pobierz)() const,
             void (K::*ustaw)(const QString&), D domyslna)
{
    TUstawienie u;
    u.Element = element;
    u.Atrybut = atrybut;
    u.Nazwa = QString::fromLatin1(nazwa);
    u.Rodzaj = R::Tekst;
    u.Pobierz = [pobierz](const K& k) { return QVariant((k.*pobierz)()); };
    u.Ustaw = [ustaw](K& k, const QVariant& w) { (k.*ustaw)(w.toString()); };
    u.Domyslna = Wartosc(domyslna);
    return TWpis(std::move(u));
}

// A folder whose default lies under the user folder; stored with "%USERPATH%".
TWpis Folder(std::unique_ptr<TMyPath> K::*pole, const char* nazwaPola, const char* atrybut, const QString& podKatalog,
             F regula)
{
    return Pole(pole, nazwaPola, "paths", atrybut,
                [podKatalog](const K& k) {
                    TMyPath p;
                    p.SetPath(k.GetUserPath() + podKatalog, k.GetUserPath());
                    return p.EncodedPath();
                })
        .Grupa(G::Sciezki)
        .Folder(regula);
}

template <class T>
TWpis Wybor(T K::*pole, const char* nazwaPola, const char* element, const char* atrybut, QStringList nazwy)
{
    return Pole(pole, nazwaPola, element, atrybut, 0).Nazwy(std::move(nazwy));
}

QString IstniejacyFolder(const QString& wartosc, const QString& domyslna)
{
    return !wartosc.isEmpty() && QFileInfo(wartosc).isDir() ? wartosc : domyslna;
}

QString IstniejacyPlik(const QString& wartosc, const QString&)
{
    return QFileInfo::exists(wartosc) ? wartosc : QString();
}

QString BezOdstepow(const QString& wartosc, const QString&)
{
    return QString(wartosc).remove(QLatin1Char(' '));
}

// "#" marks a variant in the stored number; it cannot be the separator shown.
QString BezZastrzezonegoSeparatora(const QString& wartosc, const QString& domyslna)
{
    return wartosc.trimmed() == QLatin1String("#") ? domyslna : wartosc;
}

int CwiercWysokosci(int wysokosc)
{
    return static_cast<int>(std::nearbyint(wysokosc / 4.0));
}

#define POLE(pole) &TKonfiguracja::pole, #pole

std::vector<TUstawienie> Tabela()
{
    const QString brak;
    return {
        Pole(POLE(WspolczynnikGlobalnyCenyJedn), nullptr, "wspolczynnikGlobalnyCenyJedn", 1.0),
        Pole(POLE(CzyWspolczynnikGlobalnyCenyJedn), nullptr, "czyWspolczynnikGlobalnyCenyJedn", true)
            .TylkoZ("wspolczynnikGlobalnyCenyJedn"),
        Pole(POLE(Position), "position", "x", &K::GetDefaultPosition).Drugi("y"),
        Pole(POLE(Maximized), "position", "max", true).GdyBrak(false),
        Pole(POLE(Size), "size", "cx", &K::GetDefaultSize).Drugi("cy"),
        Pole(POLE(DrzewoSTWidth), "panele", "drzewoWidth", &K::GetDefaultDrzewoSTWidth).Grupa(G::Panele),
        Pole(POLE(NawigatorWidth), "panele", "naviWidth", 225).Grupa(G::Panele),
        Pole(POLE(PodgladPozHeight), "szczePoz", "height", &K::GetDefaultPodgladDrzewaHeight)
            .Grupa(G::Panele)
            .GdyBrak([](const K& k) { return CwiercWysokosci(k.Okno()->WysokoscPaneluKosztorysu(k.Size)); }),
        Pole(POLE(WidokKosztorys), "widokKosztorys", "visible", false),
        Pole(POLE(FilterKosztorysIndex), "otworzKosztorysDlg", "filterIndex", 0),
        Pole(POLE(CzyZbiorSTPokazKosztorys), "filtryZbioruST", "pokazKosztorys", true),
        Pole(POLE(CzyZbiorSTPokazWlasne), "filtryZbioruST", "pokazWlasne", true),
        Pole(POLE(CzyZbiorSTPokazBraki), "filtryZbioruST", "pokazBraki", true),
        Pole(POLE(CzyZbiorSTPokazZPlikami), "filtryZbioruST", "pokazZPlikami", true),
        Pole(POLE(CzyZbiorSTSynchronizujZDrzewkiem), "filtryZbioruST", "synchroST", true),
        Pole(POLE(CzyDrzewkoSynchronizujZeZbioremSt), "filtryZbioruST", "synchroDrzewaZeZbioremST", true),
        Pole(POLE(CzyPozycjeST), "filtryPozycji", "st", true),
        Pole(POLE(CzyPozycjeBezST), "filtryPozycji", "bezSt", true),
        Pole(POLE(CzyPozycjeSynchronizujZDrzewkiem), "filtryPozycji", "synchroST", true),
        Pole(POLE(CzyPodgladSzczPozycji), "podgladSzczPoz", "value", true).Grupa(G::Panele),
        Pole(POLE(PorzadkSTFolderDocelowy), "porzadkST", "folder", brak).Grupa(G::PorzadkST).Regula(IstniejacyFolder),
        Pole(POLE(PorzadkSTOpcja), "porzadkST", "opcja", 0).Grupa(G::PorzadkST),
        Pole(POLE(PorzadkSTNadpisuj), "porzadkST", "nadpisuj", true).Grupa(G::PorzadkST),
        Pole(POLE(PorzadkSTAktualizuj), "porzadkST", "aktualizuj", true).Grupa(G::PorzadkST),
        Dostep("UserPath", "userPath", "path", &K::GetUserPath, &K::SetUserPath,
               [](const K&) { return K::GetDefaultUserPath(); })
            .Grupa(G::KatalogUzytkownika)
            .Regula(IstniejacyFolder),
        Pole(POLE(CzyPodgladPozycjiZSt), "podgladPozZSt", "value", true).Grupa(G::Panele),
        Pole(POLE(PodgladPozZStHeight), "pozZSt", "height", &K::GetDefaultPodgladDrzewaHeight)
            .Grupa(G::Panele)
            .GdyBrak([](const K& k) { return CwiercWysokosci(k.Okno()->WysokoscPaneluZbioru(k.Size)); }),
        Pole(POLE(CzyPodgladDrzewa), "czyPodgladDrzewa", "value", true).Grupa(G::Panele),
        Pole(POLE(PodgladDrzewaHeight), "podglDrzewa", "height", &K::GetDefaultPodgladDrzewaHeight).Grupa(G::Panele),
        Pole(POLE(PytajOPozostalePozycje), "pytajOPozostalePozycje", "value", true),
        Pole(POLE(WyborDlaPozostalychPozycji), "pytajOPozostalePozycje", "option", 0),
        Folder(POLE(ZestawyPath), "zestawy", QStringLiteral("/Dane/Zestawy"), F::Glowny),
        Folder(POLE(KosztorysyPath), "kosztorysy", QStringLiteral("/Dane/Kosztorysy"), F::Glowny),
        Folder(POLE(SstPath), "sst", QStringLiteral("/Dane/Listy SST"), F::Glowny),
        Folder(POLE(SzablonyStronyTytPath), "stronyTyt", QStringLiteral("/Dane/Szablony"), F::Zwykly),
        Folder(POLE(SzablonyStPath), "szablonySt", QStringLiteral("/Dane/Szablony/Specyfikacje"), F::PustyToDomyslny),
        Folder(POLE(EksportPath), "eksport", QStringLiteral("/Dane/Eksport"), F::Glowny),
        Folder(POLE(StZSzablonuPath), "stzszablonu", QStringLiteral("/Specyfikacje Techniczne"), F::PustyToDomyslny),
        Folder(POLE(StcPath), "stc", QStringLiteral("/CAD"), F::Niezalezny).NaStart(brak),
        Pole(POLE(RecentZSTList), "recentZst", nullptr, QStringList()).Elementy(nullptr, 5).Regula(IstniejacyPlik),
        Pole(POLE(RecentSSTList), "recentSst", nullptr, QStringList()).Elementy(nullptr, 5).Regula(IstniejacyPlik),
        Pole(POLE(TytulPodgladuDrzewa), "tytulPodgladuDrzewa", "value", QStringLiteral("Szczegóły")),
        Pole(POLE(CzyBackupZestawu), "backupZst", "value", true),
        Pole(POLE(CzyBackupListySST), "backupSst", "value", true),
        Pole(POLE(CzySortujPopupListView), "sortPopup", "value", true),
        Pole(POLE(RozmiarDrzewoSpecyfikacji), "rozmiary", "drzewoSt", 8),
        Pole(POLE(RozmiarSpecyfikacje), "rozmiary", "st", 8),
        Pole(POLE(RozmiarKosztorys), "rozmiary", "koszt", 8),
        Pole(POLE(RozmiarDrzewoElementow), "rozmiary", "drzewoEl", 8),
        Dostep("PierwszaStronaDocTemplate", "pierwszaStronaDoc", "path", &K::GetPierwszaStronaDocTemplate,
               &K::SetPierwszaStronaDocTemplate, brak),
        Dostep("PierwszaStronaOdtTemplate", "pierwszaStronaOdt", "path", &K::GetPierwszaStronaOdtTemplate,
               &K::SetPierwszaStronaOdtTemplate, brak),
        Pole(POLE(CzyscSSTPrzyNowymZst), "zestaw", "czyscGdyNowy", false),
        Pole(POLE(CzyPomijajWFiltrzePopupListView), "popupListViewFiltrExcludes", "enabled", false),
        Pole(POLE(PomijaneWFiltrzePopupListView), "popupListViewFiltrExcludes", "exclude", brak).Regula(BezOdstepow),
        Pole(POLE(CzyKorzystajZWariantow), "warianty", "use", false),
        Pole(POLE(CzyWyswietlacTytulSTZWariantem), "warianty", "zTytulemST", true).NaStart(false),
        Pole(POLE(EdbudJdnMdbPath), "edbud", "jdnPath", [](const K&) { return K::GetDefaultEdbudJdnMdbPath(); })
            .NaStart(brak),
        Pole(POLE(ListaSeparatorowWariantow), "warianty", "separatory", brak).Dokladny(),
        Pole(POLE(CzyPotwierdzenieUsunPowiazaniePlikuST), "potwierdzenia", "powiazaniePlikuSt", true).NaStart(false),
        Pole(POLE(CzyPotwierdzenieUsunST), "potwierdzenia", "st", true).NaStart(false),
        Pole(POLE(CzyPotwierdzenieUsunSTZPozycji), "potwierdzenia", "stPozycji", true).NaStart(false),
        Pole(POLE(CzyPotwierdzenieUsunSTZeZbioru), "potwierdzenia", "stZeZbioru", true).NaStart(false),
        Dostep("WizualnySeparatorWariantu", "warianty", "wizualnySeparator", &K::GetWizualnySeparatorWariantow,
               &K::SetWizualnySeparatorWariantow, QStringLiteral("."))
            .NaStart(brak)
            .Dokladny()
            .Regula(BezZastrzezonegoSeparatora),
        Pole(POLE(UwzglednijWariantyPrzyEksporcieKosztorysu), "warianty", "uwzglednijPrzyEksporcie", false),
        Pole(POLE(RozpoznajWariantyPrzyImporcieKosztorysu), "warianty", "rozpoznajPrzyImporcie", false),
        Pole(POLE(CzyZapisujTytulyEksportuXls), "zap_tyt_xls", "use", false),
        Pole(POLE(TytulyEksportuXls), "zap_tyt_xls", nullptr,
             QStringList{QStringLiteral("FORMULARZ OFERTOWY"), QStringLiteral("TABELA ELEMENTÓW ROZLICZENIOWYCH")})
            .Elementy("value")
            .NaStart(QStringList())
            .Grupa(G::TytulyEksportuXls),
        Pole(POLE(TylkoWidokSpecyfikacje), "tylkoSpecyfikacje", "value", false),
        Pole(POLE(CzyZapamietacOpcjeDuplikatowNumeru), "opcjeDuplikatow", "czyZapamietacOpcjeNumeru", false),
        Pole(POLE(CzyZapamietacOpcjeDuplikatowPliku), "opcjeDuplikatow", "czyZapamietacOpcjePliku", false),
        Wybor(POLE(ZapamietanaOpcjaDuplikatowNumeru), "opcjeDuplikatow", "opcjeNumeru",
              {QStringLiteral("doNone"), QStringLiteral("doPomin"), QStringLiteral("doNadpisz")}),
        Wybor(POLE(ZapamietanaOpcjaDuplikatowPliku), "opcjeDuplikatow", "opcjePliku",
              {QStringLiteral("dpoNone"), QStringLiteral("dpoDodajBezPliku"), QStringLiteral("dpoNadpiszPlikIPominSt"),
               QStringLiteral("dpoNadpisz"), QStringLiteral("dpoPominSt")}),
        Pole(POLE(CzyEksportDoc), "eksport_zestawu", "doc", true),
        Pole(POLE(CzyWyswietlajCeny), "ceny", "use", true),
        Pole(POLE(NazwaJmWTytuleStPrzyGenerowaniuKosztorysu), "jm", "nazwaJmWTytulSt", true),
        Pole(POLE(OtworzKosztorysPoStworzeniu), "kosztorys", "otworzPoStworzeniu", true),
        Pole(POLE(WyswietlajEdytorJmPrzyEdycjiSt), "jm", "edytorPrzyEdycjiJm", false),
    };
}

#undef POLE

} // namespace

const std::vector<TUstawienie>& UstawieniaKonfiguracji()
{
    static const std::vector<TUstawienie> tabela = Tabela();
    return tabela;
}

const std::vector<const TUstawienie*>& UstawieniaKonfiguracjiWKolejnosciOdczytu()
{
    static const std::vector<const TUstawienie*> kolejnosc = [] {
        std::vector<const TUstawienie*> w;
        for (const TUstawienie& u : UstawieniaKonfiguracji())
            if (u.Rodzaj == R::Rozmiar)
                w.push_back(&u);
        for (const TUstawienie& u : UstawieniaKonfiguracji())
            if (u.Rodzaj != R::Rozmiar)
                w.push_back(&u);
        return w;
    }();
    return kolejnosc;
}

const TUstawienie& UstawienieKonfiguracji(const QString& nazwa)
{
    for (const TUstawienie& u : UstawieniaKonfiguracji())
        if (u.Nazwa == nazwa)
            return u;
    throw std::logic_error("Nie ma ustawienia o nazwie " + nazwa.toStdString() + ".");
}
