#pragma once

#include <QDialog>

class QProgressBar;
class TCzekanieNaOtwarcie;

// The waiting dialog "Trwa wczytywanie danych" over an open job: a borderless window centred on its owner
// with the progress and "Anuluj" (also on Escape). It starts the job when shown and closes when the job
// has ended, however it ended.
class TOknoCzekania : public QDialog
{
    Q_OBJECT

public:
    TOknoCzekania(TCzekanieNaOtwarcie& czekanie, QWidget* rodzic);
    // Runs the job to its end (the user may stop it); the failure, if any, is the job's to tell.
    void Wykonaj();

protected:
    void reject() override;

private:
    TCzekanieNaOtwarcie& FCzekanie;
    QProgressBar* FPostep;
};
