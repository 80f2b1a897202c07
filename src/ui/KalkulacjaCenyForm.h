#pragma once

#include "prices/KalkulacjaCeny.h"

#include <QDialog>

#include <array>
#include <functional>
#include <map>
#include <set>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TJmSpecyfikacji;
class TSpecyfikacja;
class TZestawController;

// What the calculation asks of the user, answered with the program's dialogs: the desktop's file dialog for
// a publication, "Wybierz cenę", "Współczynniki regionalne" and the notice "Uwaga!". The dialogs open over
// the window given last (the calculation dialog, once it exists).
class TUzytkownikCenyOkna : public IUzytkownikCeny
{
public:
    explicit TUzytkownikCenyOkna(QWidget* rodzic = nullptr) : FRodzic(rodzic) {}

    void UstawRodzica(QWidget* rodzic) { FRodzic = rodzic; }

    // The desktop's file dialog (parent, title, Qt filter); replaceable so that tests answer it.
    std::function<QString(QWidget* rodzic, const QString& tytul, const QString& filtr)> WybierzPlik;

    QString WybierzPlikInformatora() override;
    QModelIndex WybierzCene(TModelInfCen& model) override;
    QModelIndex WybierzWspolczynnik(TModelWspolczynnikow& model) override;
    void PokazKomunikat(const QString& tekst) override;

private:
    QWidget* FRodzic;
};

// The dialog "Kalkulacja Ceny Jednostkowej" over its logic: the header of the specification and unit, the
// pages of the three ways (the page shown is the price's way), the global coefficient, "Wybrana Cena
// Jednostkowa", "Przenieś" (Enter) and "Anuluj" (Escape, restores through the logic). Every change goes to
// the logic and the whole dialog is shown again from it.
class TKalkulacjaCenyForm : public QDialog
{
    Q_OBJECT

public:
    using TPole = TKalkulacjaCeny::TPole;

    // logika: over the unit's own price (jm.CenaJedn()), which the dialog reads its results from.
    // specyfikacja: the node the unit belongs to (a variant shows its parent's number and its own).
    TKalkulacjaCenyForm(TKalkulacjaCeny& logika, const TSpecyfikacja& specyfikacja, const TJmSpecyfikacji& jm,
                        QWidget* rodzic = nullptr);

    // The edit of a number field (for the tests' typing and for the colour check).
    QLineEdit* Pole(TPole pole) const;
    static bool CzyCzerwone(const QLineEdit* pole);

public Q_SLOTS:
    void accept() override;
    void reject() override;

private:
    QWidget* StronaZReki();
    QWidget* StronaRms();
    QWidget* StronaInformatora();
    QWidget* DolPanel();
    QLineEdit* NowePole(TPole pole, const char* nazwa, QWidget* rodzic);
    QLabel* NowyWynik(const char* nazwa, QWidget* rodzic);
    void Wpisano(TPole pole, const QString& tekst);
    // A change made through the logic, then everything shown again (the field being typed in keeps its text).
    void Zmien(const std::function<void()>& zmiana, const QLineEdit* edytowane = nullptr);
    void Odswiez(const QLineEdit* edytowane = nullptr);
    void PokazPole(TPole pole, const QLineEdit* edytowane);
    QString TekstZCeny(TPole pole) const;

    TKalkulacjaCeny& FLogika;
    const TCenaJedn& FCena;
    QString FJm;
    // Fields whose text the user typed (or the logic wrote): they keep it, expressions included; the others
    // show the price's numbers.
    std::set<TPole> FWpisane;
    std::map<TPole, QLineEdit*> FPola;

    QLabel* FCenaNaglowka = nullptr;
    QTabWidget* FStrony = nullptr;
    QLabel* FWynikZReki = nullptr;
    std::array<QLabel*, 3> FWynikiRms{};
    QLabel* FSumaRms = nullptr;
    QLabel* FWynikRms = nullptr;
    QCheckBox* FObliczR = nullptr;
    QRadioButton* FOdM = nullptr;
    QRadioButton* FOdS = nullptr;
    std::array<QCheckBox*, 3> FOplaty{};
    QButtonGroup* FZrodla = nullptr;
    struct TWierszZrodla
    {
        QRadioButton* Wybor = nullptr;
        QLabel* Nazwa = nullptr;
        QLineEdit* Symbol = nullptr;
        QComboBox* Ceny = nullptr;
        QLabel* Wynik = nullptr;
    };
    std::array<TWierszZrodla, 3> FWiersze{};
    QCheckBox* FGlobalny = nullptr;
    QLabel* FWybrana = nullptr;
    bool FZakonczone = false;
};

// Opens "Kalkulacja Ceny Jednostkowej" for the unit of the given index of the specification (or variant),
// modal over the window, with the program's dialogs as the user. The global coefficient it changes goes at
// once to the configuration and to every unit price of the open list (through the controller). True when
// the dialog ended with "Przenieś"; on "Anuluj" the price and the coefficient are as they were. An index
// outside the node's units opens nothing and gives false.
bool PokazKalkulacjeCeny(QWidget* rodzic, TSpecyfikacja& specyfikacja, int indeksJednostki,
                         TZestawController& kontroler);

// The same with the global settings at opening and what writes a change of them, for a caller without the
// controller.
bool PokazKalkulacjeCeny(QWidget* rodzic, TSpecyfikacja& specyfikacja, int indeksJednostki,
                         const TUstawieniaCen& globalne, std::function<void(const TUstawieniaCen&)> zapiszGlobalne);
