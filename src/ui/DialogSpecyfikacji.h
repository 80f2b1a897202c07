#pragma once

#include "workflow/Uzytkownik.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// The specification or variant dialog: number, title and the bound document, chosen through the
// desktop's file dialog.
class TDialogSpecyfikacji : public QDialog
{
    Q_OBJECT

public:
    TDialogSpecyfikacji(const TDaneSpecyfikacji& dane, IUzytkownik& uzytkownik, QWidget* rodzic);
    TDaneSpecyfikacji Dane() const;

protected:
    void accept() override;

private:
    TDaneSpecyfikacji FDane;
    IUzytkownik& FUzytkownik;
    QLineEdit* FNumer;
    QLineEdit* FTytul;
    QLabel* FPlik;
};
