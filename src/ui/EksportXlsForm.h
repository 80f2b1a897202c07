#pragma once

#include "workflow/EksportXlsDialogu.h"
#include "workflow/PolaEksportuXls.h"

#include <QDialog>

#include <QMap>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTableWidget;
class QWidget;

// The dialog "Eksportuj do excela" over its logic: the file's folder and name, the sheet protection, the
// options and columns, the titles of the sheets, the progress and "Eksportuj" that stops a running export.
// Every control follows the logic's options at once; the logic decides what is shown at the end.
class TEksportXlsForm : public QDialog
{
    Q_OBJECT

public:
    explicit TEksportXlsForm(TEksportXlsDialogu& logika, QWidget* rodzic = nullptr);
    ~TEksportXlsForm() override;

    TEksportXlsDialogu& Logika() { return FLogika; }

    // "Przeglądaj...": the folder chosen (the dialog's title and start folder given); empty when cancelled.
    // The desktop's folder dialog unless a test answers instead.
    std::function<QString(QWidget* rodzic, const QString& tytul, const QString& folder)> WybierzFolder;
    // "Ustaw": the title dialog; the desktop's modal dialog unless a test answers instead.
    std::function<void(QWidget* rodzic, TEksportXlsDialogu& logika)> ZmienTytuly;

protected:
    // Closing stops a running export and waits for it.
    void reject() override;

private:
    QCheckBox* Pole(const QString& id) const { return FPola.value(id); }
    QWidget* ZbudujPlik();
    QWidget* ZbudujOpcje();
    QWidget* ZbudujKolumny();
    void DopasujRozmiar();
    void PokazWartosci();
    void Odswiez();

    TEksportXlsDialogu& FLogika;
    TPolaEksportuXls FOpcjePol;
    QMap<QString, QCheckBox*> FPola;
    QScrollArea* FPrzewijanie = nullptr;
    QWidget* FTresc = nullptr;
    QWidget* FOpcje = nullptr;
    QLineEdit* FFolder = nullptr;
    QPushButton* FPrzegladaj = nullptr;
    QLineEdit* FPlik = nullptr;
    QLineEdit* FHaslo = nullptr;
    QLineEdit* FHasloPowtorzone = nullptr;
    QSpinBox* FMiejsca = nullptr;
    QSpinBox* FStawkaVat = nullptr;
    QComboBox* FTytul = nullptr;
    QPlainTextEdit* FOpis = nullptr;
    QCheckBox* FNaglowek = nullptr;
    QPushButton* FUstaw = nullptr;
    QTableWidget* FKolumny = nullptr;
    QProgressBar* FPostep = nullptr;
    QPushButton* FDomyslne = nullptr;
    QPushButton* FEksportuj = nullptr;
    QPushButton* FZamknij = nullptr;
};

// The dialog "Zmień tytuły kosztorysów ": one row per estimate, its file name and its editable title;
// "Zastosuj" sets the titles and closes with OK, "Anuluj" closes without change.
class TZmienTytulyKosztorysowForm : public QDialog
{
    Q_OBJECT

public:
    explicit TZmienTytulyKosztorysowForm(TEksportXlsDialogu& logika, QWidget* rodzic = nullptr);

private:
    void Zastosuj();

    TEksportXlsDialogu& FLogika;
    QTableWidget* FTabela;
};

// Shows "Eksportuj do excela" modally over the logic until the user closes it.
void PokazEksportDoArkusza(QWidget* rodzic, TEksportXlsDialogu& dialog);
