#pragma once

#include "workflow/Uzytkownik.h"

#include <QString>

class TKonfiguracja;
class TZestawST;

// The logic of the dialog "Strona tytułowa zestawu" for the set's current export kind: which choice is
// preselected and which are available, the file dialog of "Przeglądaj...", and the checks and the copy of
// the program's template that "OK" makes. The window lays out its controls over it; tests drive it directly.
class TStronaTytulowaDialogu
{
public:
    // brakSzablonuProgramu: the program has no existing template of the kind.
    TStronaTytulowaDialogu(bool brakSzablonuProgramu, TKonfiguracja& konfiguracja, TZestawST& zestaw,
                           IUzytkownik& uzytkownik);

    // The choice selected: PlikZDysku, UtworzonyZSzablonu or SzablonProgramu.
    TWyborStronyTytulowej::TRodzaj Rodzaj = TWyborStronyTytulowej::PlikZDysku;
    // The file of "Wybierz plik z dysku".
    QString Plik;
    bool UstawJakoSzablon = false;
    bool OtworzUtworzony = true;

    bool CzyEksportDoc() const { return FCzyDoc; }
    // The two choices based on the program's template.
    bool CzySzablonProgramuDostepny() const { return !FBrakSzablonuProgramu; }
    bool CzyUstawJakoSzablonDostepny() const { return FBrakSzablonuProgramu; }
    // "Otwórz plik po utworzeniu" only goes with creating a file from the template.
    bool CzyOtworzWidoczny() const { return Rodzaj == TWyborStronyTytulowej::UtworzonyZSzablonu; }
    // The file dialog of "Przeglądaj...": the kind's filter, the folder of the set's template or of the
    // program's templates.
    TDialogPliku DialogPliku() const;
    // "Przeglądaj...": the file chosen (none when cancelled); true when the dialog closes with OK.
    bool Przegladaj();
    // "OK": true when the dialog may close; the user was told why not otherwise.
    bool Ok();
    // What the dialog returns after "OK".
    TWyborStronyTytulowej Wynik() const;

private:
    bool ZestawZapisany();
    bool UtworzZSzablonu();

    TKonfiguracja& FKonfiguracja;
    TZestawST& FZestaw;
    IUzytkownik& FUzytkownik;
    bool FBrakSzablonuProgramu;
    bool FCzyDoc;
    QString FSzablonProgramu;
    QString FUtworzony;
};
