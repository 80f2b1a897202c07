#pragma once

#include "specs/KonfiguracjaZestawu.h"
#include "workflow/EksportDokumentuDialogu.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class IUzytkownik;
class TKonfiguracja;
class TZbiorEksporter;
class TZestawST;
struct TListaPlikowEksportu;

// The dialog "Eksportuj pliki specyfikacji" over its logic: the target folder and name, the options, the
// style box with its link, the margins, the progress and "Start"/"Stop". It closes with OK when an export
// ended (TEksportDokumentuDialogu::OnKoniec).
class TEksportDokumentuForm : public QDialog
{
    Q_OBJECT

public:
    TEksportDokumentuForm(TZestawST& zestaw, const TListaPlikowEksportu& pliki, TZbiorEksporter& eksporter,
                          TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik, QWidget* rodzic = nullptr);
    ~TEksportDokumentuForm() override;

    TEksportDokumentuDialogu& Logika() { return *FLogika; }

    // "Przeglądaj...": the folder chosen (the dialog's title and start folder given); empty when cancelled.
    // The desktop's folder dialog unless a test answers instead.
    std::function<QString(QWidget* rodzic, const QString& tytul, const QString& folder)> WybierzFolder;
    // "Marginesy": the margins dialog "Ustawienia marginesy"; nothing when cancelled.
    std::function<std::optional<TMarginesy>(QWidget* rodzic, const TMarginesy& marginesy)> EdytujMarginesy;

protected:
    // Closing stops a running export or reading of styles and waits for it; the dialog ends without OK.
    void reject() override;

private:
    void PokazWartosci();
    void Odswiez();
    void PokazStyle(const QStringList& style);

    std::unique_ptr<TEksportDokumentuDialogu> FLogika;
    QLineEdit* FFolder;
    QPushButton* FPrzegladaj;
    QLineEdit* FNazwa;
    QCheckBox* FOtworz;
    QCheckBox* FDrukDwustronny;
    QCheckBox* FListaSt;
    QCheckBox* FStylWNaglowku;
    QComboBox* FStyl;
    QLabel* FLinkStylow;
    QCheckBox* FWeryfikujStyl;
    QCheckBox* FUstawMarginesy;
    QPushButton* FMarginesy;
    QLabel* FStatus;
    QProgressBar* FPostep;
    QPushButton* FStart;
    QPushButton* FZamknij;
};

// Shows the dialog modal over the window; the options to compare with the set's when it ended with OK.
std::optional<TUstawieniaEksportuZestawu> PokazEksportDokumentu(QWidget* rodzic, TZestawST& zestaw,
                                                                const TListaPlikowEksportu& pliki,
                                                                TZbiorEksporter& eksporter, TKonfiguracja& konfiguracja,
                                                                IUzytkownik& uzytkownik);
