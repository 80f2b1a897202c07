#pragma once

#include "workflow/UstawieniaDialogu.h"

#include <QDialog>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class IUzytkownik;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class QWidget;
class TKonfiguracja;
class TZestawST;

// The dialog "Ustawienia" over its logic: a category tree on the left switching the pages, the pages'
// controls bound to TUstawieniaDialogu, "Zapisz" and "Zamknij".
class TUstawieniaForm : public QDialog
{
public:
    explicit TUstawieniaForm(TUstawieniaDialogu& logika, QWidget* rodzic = nullptr);

    // The desktop's browsers, replaceable so that tests answer them: a folder (title, start folder) and
    // a file (title, start folder, Qt filter). Empty when cancelled.
    std::function<QString(const QString& tytul, const QString& folder)> WybierzFolder;
    std::function<QString(const QString& tytul, const QString& folder, const QString& filtr)> WybierzPlik;

    // The Qt form of a "description|patterns" filter: "Plik (*.a;*.b)|*.a;*.b" gives "Plik (*.a *.b)".
    static QString FiltrQt(const QString& filtr);

private:
    QWidget* StronaOgolne();
    QWidget* StronaWarianty();
    QWidget* StronaWidok();
    QWidget* StronaPotwierdzenia();
    QWidget* StronaSciezek(TStronaUstawien strona);
    QWidget* NowaStrona(TStronaUstawien strona, QWidget* tresc, QWidget* przyciski);
    QCheckBox* Pole(const QString& napis, const QString& nazwa, bool TWartosciUstawien::*wartosc);
    QComboBox* ListaRozmiarow(const QString& nazwa, int TWartosciUstawien::*wartosc);
    QPushButton* PrzyciskDomyslnych(TStronaUstawien strona);
    void Przegladaj(TSciezkaUstawien sciezka);
    // Shows the logic's values in the controls without their change handlers.
    void Pokaz();

    TUstawieniaDialogu& FLogika;
    QTreeWidget* FDrzewo = nullptr;
    QStackedWidget* FStrony = nullptr;
    QRadioButton* FOdt = nullptr;
    QRadioButton* FDoc = nullptr;
    QLineEdit* FPomijane = nullptr;
    QLineEdit* FSeparatory = nullptr;
    QLineEdit* FSeparator = nullptr;
    QLineEdit* FTytulPodgladu = nullptr;
    std::vector<QWidget*> FKontrolkiWariantow;
    std::vector<std::pair<QCheckBox*, bool TWartosciUstawien::*>> FPola;
    std::vector<std::pair<QComboBox*, int TWartosciUstawien::*>> FRozmiary;
    std::array<QLineEdit*, LiczbaSciezekUstawien> FSciezki{};
    std::array<QCheckBox*, LiczbaSciezekUstawien> FZaznaczenia{};
    std::array<QCheckBox*, LiczbaStronUstawien> FWszystkie{};
};

// The dialog for the main window's IUzytkownik::Ustawienia: refused (the reason told through the user)
// when the set lacks a configuration or a list; true when it ended with "Zapisz".
bool PokazUstawienia(QWidget* rodzic, TKonfiguracja& konfiguracja, TZestawST& zestaw, IUzytkownik& uzytkownik);
