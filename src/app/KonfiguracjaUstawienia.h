#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

class TKonfiguracja;

// How a setting is kept in the file (and shown as JSON by the command-line tool).
enum class TRodzajUstawienia {
    Logiczna,      // "true"/"false"; any other text sends the whole file back to the defaults
    Calkowita,     // decimal; a text that is no integer gives the default
    Liczba,        // a real number in the user's locale; "," and "." both read
    Tekst,         // read trimmed
    TekstDokladny, // kept as written: a blank may be the value itself
    Sciezka,       // a folder in stored form with "%USERPATH%"; the default lies under the user folder
    Lista,         // child elements "item": their text, or the attribute the setting names
    Wybor,         // one of named values; the first means "none" and is not written
    Polozenie,     // the window's corner: two attributes, valid only for the screen they were taken on
    Rozmiar,       // the window's size: likewise
};

// Settings restored together by one "Przywróć domyślne" of the settings dialog.
enum class TGrupaUstawien { Brak, Panele, Sciezki, PorzadkST, KatalogUzytkownika, TytulyEksportuXls };

// What the other folders of the element do to a folder (kind Sciezka).
enum class TRegulaFolderu {
    Zwykly,          // kept as written, also empty
    Glowny,          // empty: every folder but the independent ones goes back to its default
    PustyToDomyslny, // empty alone goes back to its default
    Niezalezny,      // empty goes back to its default; untouched by an empty main folder
};

// A default: fixed, or computed from the configuration (the screen, the user folder).
struct TWartoscUstawienia
{
    QVariant Stala;
    std::function<QVariant(const TKonfiguracja&)> Wyliczana;

    bool Jest() const { return Wyliczana || Stala.isValid(); }
    QVariant Dla(const TKonfiguracja& k) const { return Wyliczana ? Wyliczana(k) : Stala; }
};

// One setting of the program: where it sits in the file, how it is read and written, its defaults.
struct TUstawienie
{
    const char* Element = nullptr;  // null: an attribute of the root
    const char* Atrybut = nullptr;  // a list: the items' attribute, null for their text
    const char* Atrybut2 = nullptr; // Polozenie and Rozmiar: the second coordinate
    QString Nazwa;                  // the field's name; its key in the JSON
    TRodzajUstawienia Rodzaj = TRodzajUstawienia::Logiczna;
    // The value as QVariant: bool, int, double, QString (a folder: its stored form), QStringList,
    // int for a choice, QPoint, QSize.
    std::function<QVariant(const TKonfiguracja&)> Pobierz;
    std::function<void(TKonfiguracja&, const QVariant&)> Ustaw;
    TWartoscUstawienia Domyslna; // restored by its group and taken when the file lacks the value
    TWartoscUstawienia NaStart;  // at the first start, where it differs
    TWartoscUstawienia GdyBrak;  // when an existing file lacks the value, where it differs
    TGrupaUstawien Grupa = TGrupaUstawien::Brak;
    // A text read from the file (or one item of a list) passes through it: the value kept, given the
    // default; an empty item is dropped.
    QString (*Regula)(const QString& wartosc, const QString& domyslna) = nullptr;
    // Read only when its element carries that attribute too; the default otherwise.
    const char* TylkoZAtrybutem = nullptr;
    TRegulaFolderu Folder = TRegulaFolderu::Zwykly;
    QStringList Wybory;  // Wybor: the names by value
    int MaksPozycji = 0; // Lista: at most that many are written; 0 for all

    QVariant DomyslnaNaStart(const TKonfiguracja& k) const { return (NaStart.Jest() ? NaStart : Domyslna).Dla(k); }
    QVariant DomyslnaGdyBrak(const TKonfiguracja& k) const { return (GdyBrak.Jest() ? GdyBrak : Domyslna).Dla(k); }
};

// Every setting, in the order of the file: the root's attributes, then the elements and their attributes.
// Consecutive settings with the same element share it.
const std::vector<TUstawienie>& UstawieniaKonfiguracji();
// The same settings in the order they are given values: the window's size first, as the centred corner
// and the panels are measured from it; otherwise as in the file.
const std::vector<const TUstawienie*>& UstawieniaKonfiguracjiWKolejnosciOdczytu();
// The setting of that name; throws std::logic_error when there is none (a mistake in the program).
const TUstawienie& UstawienieKonfiguracji(const QString& nazwa);
