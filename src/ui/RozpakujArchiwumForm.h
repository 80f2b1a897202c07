#pragma once

#include "workflow/RozpakowanieDialogu.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class IUzytkownik;
class TKonfiguracja;

// The dialog "Rozpakuj archiwum" over its logic: the archive, the target folder, overwriting, the folder
// structure, opening the unpacked file, a busy bar while the archive core works and "Rozpakuj" that stops
// it meanwhile. It closes with OK after a successful unpacking.
class TRozpakujArchiwumForm : public QDialog
{
    Q_OBJECT

public:
    TRozpakujArchiwumForm(bool czyZestaw, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik,
                          QWidget* rodzic = nullptr);
    ~TRozpakujArchiwumForm() override;

    TRozpakowanieDialogu& Logika() { return *FLogika; }
    // Presets the archive (as "Przeglądaj..." would) and reads the target folder's marker.
    void UstawArchiwum(const QString& archiwum);

    // "Przeglądaj..." next to the folder: the folder chosen; empty when cancelled. The desktop's dialog
    // unless a test answers instead. The archive is chosen through the user's open dialog.
    std::function<QString(QWidget* rodzic, const QString& tytul, const QString& folder)> WybierzFolder;

protected:
    // Closing stops a running unpacking and waits for it; the dialog ends without OK.
    void reject() override;

private:
    void PokazWartosci();
    void Odswiez();

    IUzytkownik& FUzytkownik;
    std::unique_ptr<TRozpakowanieDialogu> FLogika;
    QLineEdit* FArchiwum;
    QPushButton* FPrzegladajArchiwum;
    QLineEdit* FFolder;
    QPushButton* FPrzegladajFolder;
    QCheckBox* FNadpisuj;
    QRadioButton* FStruktury[3];
    QCheckBox* FOtworz;
    QProgressBar* FPostep;
    QPushButton* FRozpakuj;
    QPushButton* FZamknij;
};

// Shows the dialog modally for a set (true) or a list archive; the unpacked file when it ended with OK and
// the opening box was checked, else empty.
QString PokazRozpakujArchiwum(QWidget* rodzic, bool czyZestaw, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik,
                              const QString& archiwum = {});
