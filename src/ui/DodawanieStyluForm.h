#pragma once

#include "docs/WatkiStylow.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class ISilnikDokumentow;
class IUzytkownik;
class TKonfiguracja;

// The dialog "Dodawanie stylu do plików ST": the template and the styles it uses, the target (a folder
// with its subfolders, or one document), and "Dopisz wybrany" running TDopiszStylDoPlikow, which reads
// "Przerwij" while it runs and stops it. "Anuluj" stops a running job and closes.
class TDodawanieStyluForm : public QDialog, public IWidokDopisywaniaStylu
{
    Q_OBJECT

public:
    // The engine is not owned; the user shows the notices and the file dialogs.
    TDodawanieStyluForm(ISilnikDokumentow* silnik, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik,
                        QWidget* rodzic = nullptr);
    ~TDodawanieStyluForm() override;

    // "Wybierz folder": the folder chosen (the dialog's title and start folder given); empty when
    // cancelled. The desktop's folder dialog unless a test answers instead.
    std::function<QString(QWidget* rodzic, const QString& tytul, const QString& folder)> WybierzFolder;

    bool CzyTrwa() const;
    // The job of the last "Dopisz wybrany"; null before the first.
    const TDopiszStylDoPlikow* Zadanie() const { return FZadanie.get(); }

    void DopisywanieRozpoczete(int liczbaPlikow) override;
    void KolejnyPlik(const QString& nazwaPliku) override;
    void DopisywanieZakonczone(const QString& komunikat) override;

protected:
    void reject() override;

private:
    void WybierzSzablon();
    void WybierzPlik();
    void Dopisz();
    void Zatrzymaj();
    void Odswiez();

    ISilnikDokumentow* FSilnik;
    TKonfiguracja& FKonfiguracja;
    IUzytkownik& FUzytkownik;
    std::unique_ptr<TDopiszStylDoPlikow> FZadanie;
    bool FTrwa = false;
    QLineEdit* FSzablon;
    QPushButton* FWybierzSzablon;
    QListWidget* FStyle;
    QLineEdit* FWybranyStyl;
    QRadioButton* FTrybFolderu;
    QLineEdit* FFolder;
    QPushButton* FWybierzFolder;
    QRadioButton* FTrybPliku;
    QLineEdit* FPlik;
    QPushButton* FWybierzPlik;
    QLabel* FNazwaPliku;
    QProgressBar* FPostep;
    QPushButton* FDopisz;
    QPushButton* FAnuluj;
};

// Shows the dialog modal over the window until the user closes it.
void PokazDodawanieStylu(QWidget* rodzic, ISilnikDokumentow* silnik, TKonfiguracja& konfiguracja,
                         IUzytkownik& uzytkownik);
