#pragma once

#include "workflow/Uzytkownik.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TJmSpecyfikacji;
class TKonfiguracja;

// One row of the units grid; Zrodlo is the node's unit the row started from (its price and export flag
// are kept), none for a row typed in the dialog.
struct TWierszJednostki
{
    QString Jm;
    QString Opis;
    std::shared_ptr<const TJmSpecyfikacji> Zrodlo;
};

// The logic of the specification dialog ("Dodaj Specyfikację", "Edytuj Specyfikację") and of the variant
// dialog ("Dodaj wariant specyfikacji", "Edytuj wariant specyfikacji"): the number proposal, the units
// grid, the checks of "Dodaj", "Wybierz plik" and "Stwórz plik". The windows lay out their controls over
// it; tests drive it directly. Notices and questions go to the user.
class TSpecyfikacjaDialogu
{
public:
    // The field a failed check puts the focus on.
    enum class TPole { Brak, Numer, Tytul };

    TSpecyfikacjaDialogu(const TDaneSpecyfikacji& dane, IUzytkownik& uzytkownik, TKonfiguracja& konfiguracja);
    ~TSpecyfikacjaDialogu();

    QString Numer;
    QString Tytul;
    // The chosen document; empty: none chosen (the node keeps its own).
    QString Plik;
    // "Pokaż edytor jednostek", from the configuration; stored back by Zamknij.
    bool PokazEdytorJm = false;
    // Variants: "Otwórz plik po stworzeniu".
    bool OtworzPoStworzeniu = false;

    const TDaneSpecyfikacji& Dane() const { return FDane; }
    bool CzyWariant() const { return FDane.CzyWariant; }
    bool CzyEdycja() const { return FDane.Edytowana != nullptr; }
    QString TekstOk() const;
    // The text of "Plik ST :": the chosen file's name, else what the caller gave.
    QString NazwaPliku() const;
    // The proposed segments to overtype, as a 0-based selection of Numer (length 0: the caret at Od).
    int ZaznaczenieOd() const { return FZaznaczenieOd; }
    int ZaznaczenieDlugosc() const { return FZaznaczenieDlugosc; }
    // The field that has the focus when the dialog shows: the title when a number was given.
    TPole PoleStartowe() const;
    // The field the last failed check named.
    TPole PoleBledu() const { return FPoleBledu; }

    // --- Units grid
    const std::vector<TWierszJednostki>& Wiersze() const { return FWiersze; }
    // Disabled while the grid holds only its heading.
    bool CzyTabelaAktywna() const { return FTabelaAktywna; }
    void UstawKomorke(int wiersz, int kolumna, const QString& tekst);
    // "Dodaj jednostkę": enables a disabled grid (with one row to type into) or adds a row at the end.
    void DodajJednostke();
    // Insert: a row before the given one (at the end when out of range).
    void WstawWiersz(int wiersz);
    // Delete: the row; the grid is disabled when no row is left.
    void UsunWiersz(int wiersz);
    // "Usuń jednostkę": the selected row, else the last one.
    void UsunJednostke(int wybrany);
    // Enter on a row: on the last one a row is appended; true when it was.
    bool EnterNaWierszu(int wiersz);
    // The unit names of the unit code table, sorted, for the unit editor's completer.
    QStringList NazwyJednostek() const;
    // The grid's rows as units: rows blank after trimming are dropped.
    std::vector<std::unique_ptr<TJmSpecyfikacji>> Jednostki() const;

    // --- Commands; each returns true when the dialog closes with OK.
    bool Dodaj();
    // "Wybierz plik": the caller's file dialog, then Dodaj.
    bool WybierzPlik();
    // Specifications' "Stwórz plik", in two steps around the creation dialog: the checks before it, then
    // the created file, title and units (none: the current stay), which are taken over before Dodaj.
    bool SprawdzPrzedTworzeniem();
    bool PoUtworzeniu(const QString& plik, const QString& tytul,
                      std::vector<std::unique_ptr<TJmSpecyfikacji>> jednostki);
    // The node the created specification goes under.
    const TSpecyfikacja* RodzicTworzonej() const;
    // Variants' "Stwórz plik": the copy of the specification's document.
    bool CzyStworzPlikWariantuDostepne() const;
    QString PlikWariantu() const;
    bool StworzPlikWariantu();
    // Stores "Pokaż edytor jednostek" in the configuration, however the dialog closes.
    void Zamknij();

    // What the caller reads after OK.
    TDaneSpecyfikacji Wynik() const;

private:
    bool Odmow(const QString& tekst, TPole pole);
    bool SprawdzNumerSpecyfikacji();
    bool SprawdzNumerWariantu();
    bool SprawdzPlik();
    void ZbudujJednostki();

    TDaneSpecyfikacji FDane;
    IUzytkownik& FUzytkownik;
    TKonfiguracja& FKonfiguracja;
    std::vector<TWierszJednostki> FWiersze;
    std::vector<std::pair<QString, QString>> FPoczatkoweJednostki;
    bool FTabelaAktywna = true;
    int FZaznaczenieOd = 0;
    int FZaznaczenieDlugosc = 0;
    TPole FPoleBledu = TPole::Brak;
    std::vector<std::shared_ptr<const TJmSpecyfikacji>> FStworzone;
    bool FCzyStworzone = false;
};
