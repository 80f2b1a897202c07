#pragma once

#include "app/MyPath.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TKonfiguracja;
class TKonfiguracjaZestawu;
class TZbiorEksporter;
class TPozycjaZbioru;
class TZbiorST;

// What an export takes from the program's settings, as the caller read them when the export started: the
// program's own title-page templates (stored form, used when the set names none) and whether the list
// written into the general conditions names the variants (both switches on).
struct TUstawieniaEksportuProgramu
{
    QString SzablonPierwszejStronyDoc;
    QString SzablonPierwszejStronyOdt;
    bool CzyKorzystajZWariantow = false;
    bool CzyWariantyPrzyEksporcie = false;
    // What "%USERPATH%" in the program's template paths stands for.
    QString KatalogUzytkownika;

    static TUstawieniaEksportuProgramu ZKonfiguracji(const TKonfiguracja& konfiguracja);
};

// The questions preparing an export may ask (Tak/Nie). The window shows them; the command-line tool
// answers them itself.
class IPytaniaEksportu
{
public:
    virtual ~IPytaniaEksportu() = default;
    // True for "Tak".
    virtual bool Pytanie(const QString& tresc) = 0;
};

// The documents to merge, in order: the title page first when one is used, then the file of every
// collection entry. The paths belong to the list and the set; only the program's title page, when that
// one is used, is held here.
struct TListaPlikowEksportu
{
    std::vector<const TMyPath*> Pliki;
    bool CzyStronaTytulowa = false;
    std::unique_ptr<TMyPath> SzablonProgramu;
};

// The title-page template of the set's output kind: the set's own when it names one that exists, else the
// program's of that kind when it exists; empty when there is none.
QString PobierzSzablonPierwszejStrony(const TKonfiguracjaZestawu& zestaw, const TUstawieniaEksportuProgramu& program);

// The file list of an export of the collection (in its order): asks before leaving out missing files,
// files the exporter does not handle and an unusable title page; nothing (no list) when the user says
// "Nie". Raises "Brak odpowiednich plików do eksportu. Sprawdź ustawienia filtrów" when nothing but a
// title page is left.
std::optional<TListaPlikowEksportu> PrzygotujListePlikow(const TZbiorST& zbior, const TZbiorEksporter& eksporter,
                                                         bool czyStronaTytulowa, const TKonfiguracjaZestawu& zestaw,
                                                         const TUstawieniaEksportuProgramu& program,
                                                         IPytaniaEksportu& pytania);
// The same over the entries given (those the window shows, in its order), with the exporter's test of a
// file's kind.
std::optional<TListaPlikowEksportu> PrzygotujListePlikow(const std::vector<const TPozycjaZbioru*>& wpisy,
                                                         const std::function<bool(const QString&)>& czyObslugiwany,
                                                         bool czyStronaTytulowa, const TKonfiguracjaZestawu& zestaw,
                                                         const TUstawieniaEksportuProgramu& program,
                                                         IPytaniaEksportu& pytania);

// The file name offered for the result: the set file's name with its extension taken out, trimmed.
QString DomyslnaNazwaPlikuEksportu(const QString& zestawPath);
// "Ilość znalezionych specyfikacji do eksportu: N", the title page not counted.
QString TekstIlosciSpecyfikacji(const TListaPlikowEksportu& lista);

// The target of the export: folder + name + the exporter's extension, the folder made when missing.
// Raises "Proszę wybrać lokalizację i określić nazwę pliku docelowego." for an empty field and
// "Błąd tworzenia foldera docelowego: ..." when the folder cannot be made; nothing when the target exists
// and the user does not want it overwritten.
std::optional<QString> PrzygotujPlikDocelowy(const QString& folder, const QString& nazwa,
                                             const TZbiorEksporter& eksporter, IPytaniaEksportu& pytania);

// Finds the general-conditions file among the exported ones, checks its "#LISTA_ST#" and fills the
// exporter's list of specifications (number - title of every other exported entry, in collection order).
// Raises the messages of each failed check.
// A bookmark for each exported file of the collection: its specification's number (with the variant when
// the program exports variants) and title; the first entry of a file names it.
void PrzygotujZakladki(const TZbiorST& zbior, const TListaPlikowEksportu& lista, TZbiorEksporter& eksporter);

void PrzygotujListeStDoWarOgolnych(const TZbiorST& zbior, const TListaPlikowEksportu& lista, TZbiorEksporter& eksporter,
                                   const TUstawieniaEksportuProgramu& program);
