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
    u.Nazwa = QString::fromLatin1(nazwaPola).mid(1);
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
        Pole(POLE(FWspolczynnikGlobalnyCenyJedn), nullptr, "wspolczynnikGlobalnyCenyJedn", 1.0),
        Pole(POLE(FCzyWspolczynnikGlobalnyCenyJedn), nullptr, "czyWspolczynnikGlobalnyCenyJedn", true)
            .TylkoZ("wspolczynnikGlobalnyCenyJedn"),
        Pole(POLE(FPosition), "position", "x", &K::GetDefaultPosition).Drugi("y"),
        Pole(POLE(FMaximized), "position", "max", true).GdyBrak(false),
        Pole(POLE(FSize), "size", "cx", &K::GetDefaultSize).Drugi("cy"),
        Pole(POLE(FDrzewoSTWidth), "panele", "drzewoWidth", &K::GetDefaultDrzewoSTWidth).Grupa(G::Panele),
        Pole(POLE(FNawigatorWidth), "panele", "naviWidth", 225).Grupa(G::Panele),
        Pole(POLE(FPodgladPozHeight), "szczePoz", "height", &K::GetDefaultPodgladDrzewaHeight)
            .Grupa(G::Panele)
            .GdyBrak([](const K& k) { return CwiercWysokosci(k.Okno()->WysokoscPaneluKosztorysu(k.FSize)); }),
        Pole(POLE(FWidokKosztorys), "widokKosztorys", "visible", false),
        Pole(POLE(FFilterKosztorysIndex), "otworzKosztorysDlg", "filterIndex", 0),
        Pole(POLE(FCzyZbiorSTPokazKosztorys), "filtryZbioruST", "pokazKosztorys", true),
        Pole(POLE(FCzyZbiorSTPokazWlasne), "filtryZbioruST", "pokazWlasne", true),
        Pole(POLE(FCzyZbiorSTPokazBraki), "filtryZbioruST", "pokazBraki", true),
        Pole(POLE(FCzyZbiorSTPokazZPlikami), "filtryZbioruST", "pokazZPlikami", true),
        Pole(POLE(FCzyZbiorSTSynchronizujZDrzewkiem), "filtryZbioruST", "synchroST", true),
        Pole(POLE(FCzyDrzewkoSynchronizujZeZbioremSt), "filtryZbioruST", "synchroDrzewaZeZbioremST", true),
        Pole(POLE(FCzyPozycjeST), "filtryPozycji", "st", true),
        Pole(POLE(FCzyPozycjeBezST), "filtryPozycji", "bezSt", true),
        Pole(POLE(FCzyPozycjeSynchronizujZDrzewkiem), "filtryPozycji", "synchroST", true),
        Pole(POLE(FCzyPodgladSzczPozycji), "podgladSzczPoz", "value", true).Grupa(G::Panele),
        Pole(POLE(FPorzadkSTFolderDocelowy), "porzadkST", "folder", brak).Grupa(G::PorzadkST).Regula(IstniejacyFolder),
        Pole(POLE(FPorzadkSTOpcja), "porzadkST", "opcja", 0).Grupa(G::PorzadkST),
        Pole(POLE(FPorzadkSTNadpisuj), "porzadkST", "nadpisuj", true).Grupa(G::PorzadkST),
        Pole(POLE(FPorzadkSTAktualizuj), "porzadkST", "aktualizuj", true).Grupa(G::PorzadkST),
        Dostep("UserPath", "userPath", "path", &K::GetUserPath, &K::SetUserPath,
               [](const K&) { return K::GetDefaultUserPath(); })
            .Grupa(G::KatalogUzytkownika)
            .Regula(IstniejacyFolder),
        Pole(POLE(FCzyPodgladPozycjiZSt), "podgladPozZSt", "value", true).Grupa(G::Panele),
        Pole(POLE(FPodgladPozZStHeight), "pozZSt", "height", &K::GetDefaultPodgladDrzewaHeight)
            .Grupa(G::Panele)
            .GdyBrak([](const K& k) { return CwiercWysokosci(k.Okno()->WysokoscPaneluZbioru(k.FSize)); }),
        Pole(POLE(FCzyPodgladDrzewa), "czyPodgladDrzewa", "value", true).Grupa(G::Panele),
        Pole(POLE(FPodgladDrzewaHeight), "podglDrzewa", "height", &K::GetDefaultPodgladDrzewaHeight).Grupa(G::Panele),
        Pole(POLE(FPytajOPozostalePozycje), "pytajOPozostalePozycje", "value", true),
        Pole(POLE(FWyborDlaPozostalychPozycji), "pytajOPozostalePozycje", "option", 0),
        Folder(POLE(FZestawyPath), "zestawy", QStringLiteral("/Dane/Zestawy"), F::Glowny),
        Folder(POLE(FKosztorysyPath), "kosztorysy", QStringLiteral("/Dane/Kosztorysy"), F::Glowny),
        Folder(POLE(FSstPath), "sst", QStringLiteral("/Dane/Listy SST"), F::Glowny),
        Folder(POLE(FSzablonyStronyTytPath), "stronyTyt", QStringLiteral("/Dane/Szablony"), F::Zwykly),
        Folder(POLE(FSzablonyStPath), "szablonySt", QStringLiteral("/Dane/Szablony/Specyfikacje"), F::PustyToDomyslny),
        Folder(POLE(FEksportPath), "eksport", QStringLiteral("/Dane/Eksport"), F::Glowny),
        Folder(POLE(FStZSzablonuPath), "stzszablonu", QStringLiteral("/Specyfikacje Techniczne"), F::PustyToDomyslny),
        Folder(POLE(FStcPath), "stc", QStringLiteral("/CAD"), F::Niezalezny).NaStart(brak),
        Pole(POLE(FRecentZSTList), "recentZst", nullptr, QStringList()).Elementy(nullptr, 5).Regula(IstniejacyPlik),
        Pole(POLE(FRecentSSTList), "recentSst", nullptr, QStringList()).Elementy(nullptr, 5).Regula(IstniejacyPlik),
        Pole(POLE(FTytulPodgladuDrzewa), "tytulPodgladuDrzewa", "value", QStringLiteral("Szczegóły")),
        Pole(POLE(FCzyBackupZestawu), "backupZst", "value", true),
        Pole(POLE(FCzyBackupListySST), "backupSst", "value", true),
        Pole(POLE(FCzySortujPopupListView), "sortPopup", "value", true),
        Pole(POLE(FRozmiarDrzewoSpecyfikacji), "rozmiary", "drzewoSt", 8),
        Pole(POLE(FRozmiarSpecyfikacje), "rozmiary", "st", 8),
        Pole(POLE(FRozmiarKosztorys), "rozmiary", "koszt", 8),
        Pole(POLE(FRozmiarDrzewoElementow), "rozmiary", "drzewoEl", 8),
        Dostep("PierwszaStronaDocTemplate", "pierwszaStronaDoc", "path", &K::GetPierwszaStronaDocTemplate,
               &K::SetPierwszaStronaDocTemplate, brak),
        Dostep("PierwszaStronaOdtTemplate", "pierwszaStronaOdt", "path", &K::GetPierwszaStronaOdtTemplate,
               &K::SetPierwszaStronaOdtTemplate, brak),
        Pole(POLE(FCzyscSSTPrzyNowymZst), "zestaw", "czyscGdyNowy", false),
        Pole(POLE(FCzyPomijajWFiltrzePopupListView), "popupListViewFiltrExcludes", "enabled", false),
        Pole(POLE(FPomijaneWFiltrzePopupListView), "popupListViewFiltrExcludes", "exclude", brak).Regula(BezOdstepow),
        Pole(POLE(FCzyKorzystajZWariantow), "warianty", "use", false),
        Pole(POLE(FCzyWyswietlacTytulSTZWariantem), "warianty", "zTytulemST", true).NaStart(false),
        Pole(POLE(FEdbudJdnMdbPath), "edbud", "jdnPath", [](const K&) { return K::GetDefaultEdbudJdnMdbPath(); })
            .NaStart(brak),
        Pole(POLE(FListaSeparatorowWariantow), "warianty", "separatory", brak).Dokladny(),
        Pole(POLE(FCzyPotwierdzenieUsunPowiazaniePlikuST), "potwierdzenia", "powiazaniePlikuSt", true).NaStart(false),
        Pole(POLE(FCzyPotwierdzenieUsunST), "potwierdzenia", "st", true).NaStart(false),
        Pole(POLE(FCzyPotwierdzenieUsunSTZPozycji), "potwierdzenia", "stPozycji", true).NaStart(false),
        Pole(POLE(FCzyPotwierdzenieUsunSTZeZbioru), "potwierdzenia", "stZeZbioru", true).NaStart(false),
        Dostep("WizualnySeparatorWariantu", "warianty", "wizualnySeparator", &K::GetWizualnySeparatorWariantow,
               &K::SetWizualnySeparatorWariantow, QStringLiteral("."))
            .NaStart(brak)
            .Dokladny()
            .Regula(BezZastrzezonegoSeparatora),
        Pole(POLE(FUwzglednijWariantyPrzyEksporcieKosztorysu), "warianty", "uwzglednijPrzyEksporcie", false),
        Pole(POLE(FRozpoznajWariantyPrzyImporcieKosztorysu), "warianty", "rozpoznajPrzyImporcie", false),
        Pole(POLE(FCzyZapisujTytulyEksportuXls), "zap_tyt_xls", "use", false),
        Pole(POLE(FTytulyEksportuXls), "zap_tyt_xls", nullptr,
             QStringList{QStringLiteral("FORMULARZ OFERTOWY"), QStringLiteral("TABELA ELEMENTÓW ROZLICZENIOWYCH")})
            .Elementy("value")
            .NaStart(QStringList())
            .Grupa(G::TytulyEksportuXls),
        Pole(POLE(FTylkoWidokSpecyfikacje), "tylkoSpecyfikacje", "value", false),
        Pole(POLE(FCzyZapamietacOpcjeDuplikatowNumeru), "opcjeDuplikatow", "czyZapamietacOpcjeNumeru", false),
        Pole(POLE(FCzyZapamietacOpcjeDuplikatowPliku), "opcjeDuplikatow", "czyZapamietacOpcjePliku", false),
        Wybor(POLE(FZapamietanaOpcjaDuplikatowNumeru), "opcjeDuplikatow", "opcjeNumeru",
              {QStringLiteral("doNone"), QStringLiteral("doPomin"), QStringLiteral("doNadpisz")}),
        Wybor(POLE(FZapamietanaOpcjaDuplikatowPliku), "opcjeDuplikatow", "opcjePliku",
              {QStringLiteral("dpoNone"), QStringLiteral("dpoDodajBezPliku"), QStringLiteral("dpoNadpiszPlikIPominSt"),
               QStringLiteral("dpoNadpisz"), QStringLiteral("dpoPominSt")}),
        Pole(POLE(FCzyEksportDoc), "eksport_zestawu", "doc", true),
        Pole(POLE(FCzyWyswietlajCeny), "ceny", "use", true),
        Pole(POLE(FNazwaJmWTytuleStPrzyGenerowaniuKosztorysu), "jm", "nazwaJmWTytulSt", true),
        Pole(POLE(FOtworzKosztorysPoStworzeniu), "kosztorys", "otworzPoStworzeniu", true),
        Pole(POLE(FWyswietlajEdytorJmPrzyEdycjiSt), "jm", "edytorPrzyEdycjiJm", false),
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
