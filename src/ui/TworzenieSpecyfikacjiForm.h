#pragma once

#include "app/KodCpv.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ISilnikDokumentow;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTextEdit;
class QToolButton;
class TTworzenieSpecyfikacjiDialogu;
class IUzytkownik;
class QWidget;
class TJmSpecyfikacji;
class TKonfiguracja;
class TSpecyfikacja;
class TZestawST;

// What the specification dialog's "Stwórz plik" gives the dialog "Tworzenie Specyfikacji".
struct TTworzenieSpecyfikacjiWejscie
{
    QString Numer;
    QString Tytul;                         // the title on the list
    const TSpecyfikacja* Rodzic = nullptr; // the node the new specification goes under
    std::vector<std::shared_ptr<const TJmSpecyfikacji>> Jednostki;
};

// What it takes back on OK.
struct TTworzenieSpecyfikacjiWynik
{
    QString Plik;
    QString Tytul;
    std::vector<std::unique_ptr<TJmSpecyfikacji>> Jednostki; // empty: none were created
};

// Shows "Tworzenie Specyfikacji" for the open set (its list and output kind) and the program's
// configuration; silnik is the window's office (not owned), used to fill a template's placeholders.
// Failures are shown by the dialog, which stays open. Nothing when cancelled.
std::optional<TTworzenieSpecyfikacjiWynik>
PokazTworzenieSpecyfikacji(QWidget* rodzic, const TTworzenieSpecyfikacjiWejscie& wejscie, TZestawST& zestaw,
                           TKonfiguracja& konfiguracja, ISilnikDokumentow* silnik, IUzytkownik& uzytkownik);

// The dialog itself over its logic (not owned): lays the logic's state out and forwards the commands.
class TTworzenieSpecyfikacjiForm : public QDialog
{
    Q_OBJECT

public:
    TTworzenieSpecyfikacjiForm(TTworzenieSpecyfikacjiDialogu& logika, QWidget* rodzic);

    // "zmień": the folder picker; empty when cancelled. Tests replace it.
    std::function<QString(QWidget* rodzic, const QString& tytul, const QString& folder)> WybierzFolder;
    // "wybierz": the CPV browser in selection mode over the trees; true for OK. Tests replace it.
    std::function<bool(QWidget* rodzic, TListaKodowCpv& kody)> WybierzKodyCpv;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;

private:
    void Odswiez();
    void OdswiezJednostki();
    void OdswiezKodyCpv();
    void Stworz();

    TTworzenieSpecyfikacjiDialogu& FLogika;
    QLineEdit* FNumer;
    QLineEdit* FTytulNaLiscie;
    QRadioButton* FSzablon;
    QRadioButton* FIstniejaca;
    QComboBox* FPodstawy;
    QToolButton* FInnySpis;
    QLineEdit* FFolder;
    QPushButton* FZmienFolder;
    QCheckBox* FWstawTytul;
    QTextEdit* FTytul;
    QCheckBox* FWstawJednostki;
    QTableWidget* FJednostki;
    QToolButton* FDodajJednostke;
    QToolButton* FUsunJednostke;
    QCheckBox* FWstawKodyCpv;
    QTableWidget* FKodyCpv;
    QPushButton* FWybierzKody;
    QCheckBox* FOtworzPlik;
    QPushButton* FStworz;
};
