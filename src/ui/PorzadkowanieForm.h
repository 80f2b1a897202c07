#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class TPorzadkowanieDialogu;

// The dialog "Porządkowanie  specyfikacji" over its logic: the target folder, the structure and the two
// options, the progress, "Start"/"Stop", the failure and the report lines of the last run. Closing stops
// a running job, waits for it and stores the options (TPorzadkowanieDialogu::Zamknij).
class TPorzadkowanieForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPorzadkowanieForm(TPorzadkowanieDialogu& dialog, QWidget* rodzic = nullptr);
    ~TPorzadkowanieForm() override;

    // "Przeglądaj...": the folder chosen (the dialog's start folder given); empty when cancelled. The
    // desktop's folder dialog unless a test answers instead.
    std::function<QString(QWidget* rodzic, const QString& folder)> WybierzFolder;
    // The failure of a run, shown once. The program's notice unless a test answers instead.
    std::function<void(QWidget* rodzic, const QString& tekst)> PokazBlad;

protected:
    void reject() override;

private:
    void PokazOpcje();
    void Odswiez();
    // The job's end is seen here: its end step runs on the main thread while the worker still runs.
    void Sprawdz();

    TPorzadkowanieDialogu& FDialog;
    QTimer* FZegar;
    QLineEdit* FFolder;
    QPushButton* FPrzegladaj;
    QRadioButton* FPlaska;
    QRadioButton* FNumer;
    QRadioButton* FNumerIOpis;
    QCheckBox* FNadpisuj;
    QCheckBox* FAktualizuj;
    QLabel* FStatus;
    QProgressBar* FPostep;
    QPlainTextEdit* FRaport;
    QPushButton* FDomyslne;
    QPushButton* FStart;
    QPushButton* FZamknij;
};

// Shows the dialog modal over the window until the user closes it.
void PokazPorzadkowanie(QWidget* rodzic, TPorzadkowanieDialogu& dialog);
