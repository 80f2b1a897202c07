#pragma once

#include "ui/TworzenieSpecyfikacjiForm.h"
#include "workflow/SpecyfikacjaDialogu.h"

#include <QDialog>
#include <QTableWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The units grid "Nazwa JM", "Opis" over the dialog's logic: empty cells show what to type, the unit
// editor offers the names of the unit code table; Delete, Insert and Enter on the last row edit the rows.
class TTabelaJednostek : public QTableWidget
{
public:
    TTabelaJednostek(TSpecyfikacjaDialogu& logika, QWidget* rodzic);
    // Fills the grid from the logic's rows, keeping the current cell where it can.
    void Odswiez(int wiersz = -1, int kolumna = 0);

protected:
    void keyPressEvent(QKeyEvent* zdarzenie) override;

private:
    TSpecyfikacjaDialogu& FLogika;
};

// The dialog "Tworzenie Specyfikacji" as the specification dialog's "Stwórz plik" opens it.
using TTworzeniePliku = std::function<std::optional<TTworzenieSpecyfikacjiWynik>(
    QWidget* rodzic, const TTworzenieSpecyfikacjiWejscie& wejscie)>;

// The specification dialog ("Dodaj Specyfikację", "Edytuj Specyfikację") and, for a variant, the variant
// dialog ("Dodaj wariant specyfikacji", "Edytuj wariant specyfikacji"): number, title, the bound document,
// the creation of a document and the units editor.
class TDialogSpecyfikacji : public QDialog
{
    Q_OBJECT

public:
    static constexpr int WysokoscWariantuZJednostkami = 517;
    static constexpr int WysokoscWariantuBezJednostek = 230;

    TDialogSpecyfikacji(const TDaneSpecyfikacji& dane, IUzytkownik& uzytkownik, TKonfiguracja& konfiguracja,
                        TTworzeniePliku tworzenie, QWidget* rodzic);
    ~TDialogSpecyfikacji() override;

    TSpecyfikacjaDialogu& Logika() { return FLogika; }
    TDaneSpecyfikacji Dane() const { return FLogika.Wynik(); }

    void accept() override;
    void done(int wynik) override;

protected:
    void showEvent(QShowEvent* zdarzenie) override;

private:
    void Zakoncz(bool czyOk);
    void StworzPlik();
    void PokazJednostki(bool pokaz);
    void Odswiez();

    TSpecyfikacjaDialogu FLogika;
    TTworzeniePliku FTworzenie;
    QLineEdit* FNumer;
    QLineEdit* FTytul;
    QLabel* FPlik;
    QCheckBox* FPokazJm;
    QCheckBox* FOtworzPoStworzeniu = nullptr;
    QWidget* FPanelJm;
    TTabelaJednostek* FTabela;
    int FWysokoscPanelu = 0;
    bool FZamkniety = false;
};
