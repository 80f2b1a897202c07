#pragma once

#include "workflow/Uzytkownik.h"

#include <QDialog>

class QLineEdit;

// The dialog of a kind, group or element of works: its number and title. "Numer nie może być pusty."
// keeps it open; the list's own rules are the controller's.
class TDialogGrupy : public QDialog
{
    Q_OBJECT

public:
    TDialogGrupy(const TDaneGrupy& dane, QWidget* rodzic);
    TDaneGrupy Dane() const;

protected:
    void accept() override;

private:
    TDaneGrupy FDane;
    int FPoziom;
    QLineEdit* FNumer;
    QLineEdit* FTytul;
};
