#pragma once

#include "workflow/StronaTytulowaDialogu.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class IUzytkownik;
class TKonfiguracja;
class TZestawST;

// The dialog "Strona tytułowa zestawu" over its logic: the three choices, the file with "Przeglądaj...",
// "Ustaw jako szablon" and "Otwórz plik po utworzeniu". It closes with OK when the logic's checks pass.
class TStronaTytulowaForm : public QDialog
{
    Q_OBJECT

public:
    TStronaTytulowaForm(bool brakSzablonuProgramu, TKonfiguracja& konfiguracja, TZestawST& zestaw,
                        IUzytkownik& uzytkownik, QWidget* rodzic = nullptr);

    TStronaTytulowaDialogu& Logika() { return FLogika; }

public Q_SLOTS:
    void accept() override;

private:
    void Odswiez();

    TStronaTytulowaDialogu FLogika;
    QRadioButton* FSzablonProgramu;
    QRadioButton* FUtworz;
    QRadioButton* FZDysku;
    QLineEdit* FPlik;
    QPushButton* FPrzegladaj;
    QCheckBox* FUstawJakoSzablon;
    QCheckBox* FOtworz;
};

// Shows the dialog modal over the window; Anulowano unless it ended with OK.
TWyborStronyTytulowej PokazStronaTytulowa(QWidget* rodzic, bool brakSzablonuProgramu, TKonfiguracja& konfiguracja,
                                          TZestawST& zestaw, IUzytkownik& uzytkownik);
