#pragma once

#include "app/OpcjeDuplikatow.h"

#include <QString>
#include <QStringList>

#include <optional>

#include <memory>
#include <vector>

class TCzekanieNaOtwarcie;
class TEksportXlsDialogu;
class TPorzadkowanieDialogu;
class TJmSpecyfikacji;
class TLicznikImportuSt;
class TListaBrakowPlikow;
class TSpecyfikacja;
class TSpisST;
class TZestawST;
struct TListaPlikowEksportu;
struct TUstawieniaEksportuZestawu;

// The answer to a question with "Tak", "Nie" and "Anuluj".
enum class TOdpowiedz { Tak, Nie, Anuluj };

// A file dialog as the controller asks for it; the window shows the desktop's dialog.
struct TDialogPliku
{
    QString Tytul;
    // Pairs of description and patterns joined by "|": "Plik zestawu (*.zst)|*.zst".
    QString Filtr;
    QString Folder;
    QString NazwaPliku;
    QString DomyslneRozszerzenie;
    int IndeksFiltru = 1; // 1-based, as the configuration keeps it
    bool Wiele = false;
};

// The files chosen, in the dialog's order; none when the dialog was cancelled.
struct TWybranePliki
{
    QStringList Pliki;
    int IndeksFiltru = 1;
};

// What the dialog "Informacja " returned: which positions get the new number, and "Nie pytaj ponownie".
struct TWyborPozostalych
{
    int Wybor = 0;
    bool NiePytaj = false;
};

// What the dialog "Strona tytułowa zestawu" returned.
struct TWyborStronyTytulowej
{
    enum TRodzaj { Anulowano, PlikZDysku, UtworzonyZSzablonu, SzablonProgramu };
    TRodzaj Rodzaj = Anulowano;
    QString Plik;                  // the chosen or created file
    bool UstawJakoSzablon = false; // "Ustaw jako szablon", when the box was enabled and ticked
    bool OtworzUtworzony = false;  // the box for opening the created file, when visible and ticked
};

// The group dialog ("Dodaj"): a kind (level 0), a group (1) or an element of works (2).
struct TDaneGrupy
{
    int Poziom = 0;
    QString Numer;
    QString Opis;
    // The list whose group numbers the new number must not repeat; the edited node's own number may stay.
    TSpisST* Spis = nullptr;
    QString NumerEdytowanego;

    // The check of "Dodaj"/"Zapisz" for the number typed: the message, or empty when it passes. Kinds of
    // works are checked like groups and elements, so no two nodes of the tree share a group number.
    QString BladNumeru(const QString& numer) const;
};

// The specification and variant dialogs: "Dodaj Specyfikację", "Edytuj Specyfikację", "Dodaj wariant
// specyfikacji", "Edytuj wariant specyfikacji". In: the title, the values (Numer: the preset number when
// adding), the bound file's name, the start of the file dialog and the nodes the dialog checks against.
// Out: the values, the chosen file (empty: none chosen) and the units the dialog made (CzyJednostki false:
// the node's units stay).
struct TDaneSpecyfikacji
{
    QString Tytul;
    QString Numer;
    QString Opis;
    QString NazwaPliku;
    TDialogPliku DialogPliku;
    TSpisST* Spis = nullptr;                     // the open list, for the numbers and files in use
    const TSpecyfikacja* Nadrzedna = nullptr;    // adding a specification: the node it goes under
    const TSpecyfikacja* Edytowana = nullptr;    // the node or variant edited; null when adding
    const TSpecyfikacja* Specyfikacja = nullptr; // variants: the specification that owns them
    bool CzyWariant = false;
    QString Plik;
    bool CzyJednostki = false;
    std::vector<std::shared_ptr<const TJmSpecyfikacji>> Jednostki;
};

// The user as the set controller sees one: notices, questions and dialogs, each a call that returns
// the answer. The window implements it with its dialogs; tests with a scripted user.
class IUzytkownik
{
public:
    virtual ~IUzytkownik() = default;

    // A notice with one "OK".
    virtual void PokazKomunikat(const QString& tekst) = 0;
    // A question of two lines (the message and the question) with "Tak" and "Nie"; true for "Tak".
    virtual bool ZadajPytanie(const QString& komunikat, const QString& pytanie) = 0;
    // A question with "Tak", "Nie" and "Anuluj".
    virtual TOdpowiedz PytanieTakNieAnuluj(const QString& tekst) = 0;
    virtual TWybranePliki WybierzDoOtwarcia(const TDialogPliku& dialog) = 0;
    // The path chosen; empty when cancelled.
    virtual QString WybierzDoZapisu(const TDialogPliku& dialog) = 0;
    // The dialog "Informacja " about the other positions with the same number; empty for "Anuluj".
    // zmianaZDrzewa hides the first choice and the check box; domyslny is the preselected choice.
    virtual std::optional<TWyborPozostalych> WyborDlaPozostalychPozycji(const QString& tekst, bool zmianaZDrzewa,
                                                                        int domyslny) = 0;
    // The waiting dialog: runs the open job (czekanie.Uruchom), shows its progress with a working
    // "Anuluj" (czekanie.Anuluj) and returns when the job has ended (czekanie.Czekaj serves its calls).
    virtual void CzekajNaOtwarcie(TCzekanieNaOtwarcie& czekanie) = 0;
    // The dialog "Specyfikacje z pustym numerem" for the set and its list.
    virtual void PokazSpecyfikacjeZPustymNumerem(TSpisST& spis) = 0;
    // The window "Scalanie list specyfikacji" for the list file and the set: the merged list on OK,
    // null otherwise.
    virtual std::unique_ptr<TSpisST> ScalListy(const QString& sciezkaListy, TZestawST& zestaw) = 0;
    // The dialog "Strona tytułowa zestawu"; brakSzablonuProgramu: the program has no template of the kind.
    virtual TWyborStronyTytulowej StronaTytulowaZestawu(bool brakSzablonuProgramu) = 0;
    // The dialog "Ustawienia" for the set's configuration, its list and the program's configuration, which
    // it edits in place; true when it ended with OK.
    virtual bool Ustawienia(TZestawST& zestaw) = 0;
    // Opens a file with the desktop's program.
    virtual void OtworzPlikWProgramie(const QString& plik) = 0;
    // Shows a folder in the desktop's file manager.
    virtual void OtworzFolder(const QString& folder) = 0;
    // The dialog "Porządkowanie  specyfikacji" over its logic, shown until the user closes it.
    virtual void PorzadkowanieSpisu(TPorzadkowanieDialogu& dialog) = 0;
    // --- Exports
    // The dialog "Eksportuj pliki specyfikacji" for the set and the files, which runs the export with the
    // window's header, footer and task name; on OK its options (to be compared with the set's), else empty.
    virtual std::optional<TUstawieniaEksportuZestawu> EksportujPlikiSpecyfikacji(TZestawST& zestaw,
                                                                                 const TListaPlikowEksportu& pliki) = 0;
    // The dialog "Eksportuj do excela" over its logic, shown until the user closes it.
    virtual void EksportujDoArkusza(TEksportXlsDialogu& dialog) = 0;

    // --- Archives and imports
    // The dialog "Brakujące pliki archiwum" with the lists of missing files; true for OK.
    virtual bool BrakujacePliki(const std::vector<std::unique_ptr<TListaBrakowPlikow>>& listy) = 0;
    // The dialog "Rozpakuj archiwum" for a set (true) or list archive, which unpacks; archiwum presets its
    // archive field (empty: the dialog's default). The unpacked file when "Otwórz zestaw po rozpakowaniu"
    // was checked, else empty.
    virtual QString RozpakujArchiwum(bool czyZestaw, const QString& archiwum) = 0;
    // "Informacja": "Znaleziono duplikat specyfikacji o numerze: ..." with "Pomiń specyfikację", "Nadpisz
    // specyfikację", "Anuluj" and "Zapamiętaj wybór" (preset from zapamietaj, returned in it).
    virtual TOpcjaDuplikatowNumeru DuplikatNumeru(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                                  bool czyDuplikatPliku, bool& zapamietaj) = 0;
    // "Duplikat pliku specyfikacji" with its four choices and "Nie pytaj ponownie".
    virtual TOpcjaDuplikatowPliku DuplikatPliku(const TSpecyfikacja& istniejaca, const TSpecyfikacja& importowana,
                                                bool& zapamietaj) = 0;
    // "Konflikt specyfikacji": the specification and its duplicates of number and of file.
    virtual void KonfliktSpecyfikacji(const TSpecyfikacja& specyfikacja, const TSpecyfikacja& duplikatPliku,
                                      const TSpecyfikacja& duplikatNumeru) = 0;
    // "Import specyfikacji": the closing message and the counter's four numbers.
    virtual void PodsumowanieImportu(const QString& komunikat, const TLicznikImportuSt& licznik) = 0;
    // "Otwórz listę specyfikacji": one of the lists; -1 when not OK.
    virtual int WybierzListe(const QStringList& listy) = 0;

    // The group dialog; empty when cancelled.
    virtual std::optional<TDaneGrupy> EdycjaGrupy(const TDaneGrupy& dane) = 0;
    // The specification or variant dialog; empty when cancelled.
    virtual std::optional<TDaneSpecyfikacji> EdycjaSpecyfikacji(const TDaneSpecyfikacji& dane) = 0;
};
