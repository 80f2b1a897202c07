#pragma once

#include "workflow/Uzytkownik.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class IUzytkownik;
class TKonfiguracja;
class TKonfiguracjaZestawu;
class TMyPath;
class TSpisST;
class TZestawST;

// The pages of the dialog "Ustawienia", in the order of its category tree.
enum class TStronaUstawien { Ogolne, Warianty, Widok, Potwierdzenia, Program, Szablony, Pozostale };
inline constexpr int LiczbaStronUstawien = 7;

// The paths of the pages "Program", "Szablony" and "Pozostałe", in the order they are shown.
enum class TSciezkaUstawien {
    KatalogUzytkownika,
    Zestawy,
    Kosztorysy,
    Sst,
    Stc,
    SzablonyStronyTyt,
    SzablonDoc,
    SzablonOdt,
    SzablonySt,
    StZSzablonu,
    Eksport,
    PlikJednostekEdbud,
};
inline constexpr int LiczbaSciezekUstawien = 12;

// What a path names and so how it is chosen: a folder, a title-page template or the Edbud units file.
enum class TRodzajSciezki { Folder, Plik, PlikJednostekEdbud };

// One path of the dialog: its page, caption, the browser's title and filter, and the setting it edits.
struct TOpisSciezki
{
    TSciezkaUstawien Sciezka;
    TStronaUstawien Strona;
    TRodzajSciezki Rodzaj;
    QString Etykieta;
    QString TytulWyboru;
    QString Filtr;                                             // files: "description|patterns"
    QString Ustawienie;                                        // the setting's name in the configuration's table
    std::unique_ptr<TMyPath> TKonfiguracja::*Folder = nullptr; // the folders kept with "%USERPATH%"
};

// The values of the dialog's controls. Font sizes are the lists' indexes (-1: no entry chosen).
struct TWartosciUstawien
{
    // "Ogólne"
    bool EksportDoc = true;
    bool DomyslnyDlaNowychZestawow = false;
    bool SortujPodrecznaListe = false;
    bool PomijajZnaki = false;
    QString PomijaneZnaki;
    bool CzyscListePrzyNowymZestawie = false;
    // "Warianty"
    bool TytulZWariantem = false;
    QString SeparatoryWariantow;
    bool UwzglednijWariantyPrzyEksporcie = false;
    bool RozpoznajWariantyPrzyImporcie = false;
    QString SeparatorWariantu;
    // "Widok"
    bool TylkoWidokSpecyfikacje = false;
    QString TytulPodgladuDrzewa;
    int RozmiarDrzewaSpecyfikacji = -1;
    int RozmiarDrzewaElementow = -1;
    int RozmiarSpecyfikacji = -1;
    int RozmiarKosztorysu = -1;
    bool KorzystajZWariantow = false;
    bool WyswietlajCeny = false;
    // "Potwierdzenia"
    bool PytajOPozostalePozycje = false;
    bool PytajODuplikatyPliku = false;
    bool PytajODuplikatyNumeru = false;
    bool ZapisujTytulyXls = false;
    bool KopiaListy = false;
    bool KopiaZestawu = false;
    bool PotwierdzUsuniecieZPozycji = false;
    bool PotwierdzUsuniecieZeZbioru = false;
    bool PotwierdzUsunieciePowiazania = false;
    bool PotwierdzUsuniecieZDrzewa = false;
    bool OtworzKosztorysPoStworzeniu = false;
    // "Program", "Szablony", "Pozostałe", by TSciezkaUstawien
    std::array<QString, LiczbaSciezekUstawien> Sciezki;

    QString& Sciezka(TSciezkaUstawien s) { return Sciezki[static_cast<int>(s)]; }
    const QString& Sciezka(TSciezkaUstawien s) const { return Sciezki[static_cast<int>(s)]; }
    bool operator==(const TWartosciUstawien&) const = default;
};

// The logic of the dialog "Ustawienia": the controls' values loaded from the program's configuration
// and the set's, the defaults of each page, the tick boxes of the path pages, the checks of chosen
// folders and files, and "Zapisz", which writes what the user changed. The window lays out its
// controls over it; tests drive it directly.
class TUstawieniaDialogu
{
public:
    // Refuses to open with EBlad: "Brak ustawień konfiguracyjnych do edycji" without a configuration,
    // "Brak ustawień konfiguracyjnych zestawu do edycji" without the set's, "Brak listy specyfikacji"
    // without a list. Loads the controls.
    TUstawieniaDialogu(TKonfiguracja* konfiguracja, TKonfiguracjaZestawu* konfiguracjaZestawu, TSpisST* spis,
                       IUzytkownik& uzytkownik);
    // The set's configuration and list.
    TUstawieniaDialogu(TKonfiguracja& konfiguracja, TZestawST& zestaw, IUzytkownik& uzytkownik);

    TWartosciUstawien Wartosci;

    // --- Descriptions
    static QString NazwaStrony(TStronaUstawien strona);
    static const std::array<TOpisSciezki, LiczbaSciezekUstawien>& OpisySciezek();
    static const TOpisSciezki& Opis(TSciezkaUstawien sciezka);
    // The entries of each font-size list; an entry's point size is 12 minus its index.
    static QStringList RozmiaryCzcionek();
    static int RozmiarDlaIndeksu(int indeks);
    // -1 for a size that is no entry of the list.
    static int IndeksDlaRozmiaru(int rozmiar);
    // The information shown when the prices are ticked.
    static const QString InformacjaOCenach;

    // --- Values as the configuration holds them now (what "Zapisz" compares with)
    TWartosciUstawien Zapisane() const;

    // --- Edits with rules of their own
    // The variant controls are usable only while "Korzystaj z wariantów specyfikacji" is ticked.
    bool CzyWariantyDostepne() const { return Wartosci.KorzystajZWariantow; }
    // The separator keeps one character: a longer text is cut to its first.
    void UstawSeparatorWariantu(const QString& tekst);
    // The skipped characters never hold a blank.
    void UstawPomijaneZnaki(const QString& tekst);
    // The user ticked or unticked the prices; ticking them shows InformacjaOCenach.
    void UstawWyswietlajCeny(bool wlacz);

    // --- Defaults
    // "Przywróć domyślne" of "Ogólne", "Warianty", "Widok" (whose "Ustaw tylko widok..." goes back to
    // the stored value) or "Potwierdzenia"; a path page resets all its paths.
    void PrzywrocDomyslne(TStronaUstawien strona);
    // The default of a path; the folders under the user folder as the dialog now shows it.
    QString DomyslnaSciezka(TSciezkaUstawien sciezka) const;
    // "Przywróć wszystkie domyślne ustawienia": every page, paths included; the spreadsheet export's
    // default titles follow on "Zapisz".
    void PrzywrocWszystkieDomyslne();
    bool CzyPrzywrocicTytulyXls() const { return FPrzywrocTytulyXls; }

    // --- Tick boxes of the path pages
    bool CzyZaznaczona(TSciezkaUstawien sciezka) const { return FZaznaczone[static_cast<int>(sciezka)]; }
    void Zaznacz(TSciezkaUstawien sciezka, bool zaznacz) { FZaznaczone[static_cast<int>(sciezka)] = zaznacz; }
    // The page's box that ticks or unticks all of its paths, and its caption.
    bool CzyWszystkieZaznaczone(TStronaUstawien strona) const { return FWszystkie[static_cast<int>(strona)]; }
    QString NapisZaznaczWszystkie(TStronaUstawien strona) const { return FNapisyWszystkie[static_cast<int>(strona)]; }
    void ZaznaczWszystkie(TStronaUstawien strona, bool zaznacz);
    // "Przywróć domyślne dla zaznaczonych".
    void PrzywrocDomyslneZaznaczonych(TStronaUstawien strona);

    // --- "Przeglądaj"
    // The browser for a path: title, filter (files) and the folder it starts in (empty: the desktop's).
    TDialogPliku DialogWyboru(TSciezkaUstawien sciezka) const;
    // Takes what the browser returned (empty: cancelled). A folder that does not exist or a units file
    // that Edbud's reader refuses is reported and the path keeps its text; true when taken.
    bool UstawWybrana(TSciezkaUstawien sciezka, const QString& wybrana);
    // The check of Edbud units files (the reader's own, unless a test puts another).
    std::function<bool(const QString&)> CzyPlikJednostekEdbud;

    // --- "Zapisz"
    // Writes every value whose control differs from the configuration. When the user folder changes and
    // the list's documents would get too long paths, asks first: "Nie" writes nothing. True when the
    // dialog closes with OK.
    bool Zapisz();

private:
    void Wczytaj();
    bool CzyPoprawnySeparator();
    void ZapiszRozne(const TWartosciUstawien& zapisane);

    TKonfiguracja& FKonfiguracja;
    TKonfiguracjaZestawu& FKonfiguracjaZestawu;
    TSpisST& FSpis;
    IUzytkownik& FUzytkownik;
    std::array<bool, LiczbaSciezekUstawien> FZaznaczone;
    std::array<bool, LiczbaStronUstawien> FWszystkie;
    std::array<QString, LiczbaStronUstawien> FNapisyWszystkie;
    bool FPrzywrocTytulyXls = false;
};
