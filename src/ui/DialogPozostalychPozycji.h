#pragma once

#include "workflow/Uzytkownik.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

// "Informacja ": which positions get the number typed into one of them (or chosen in the tree).
class TDialogPozostalychPozycji : public QDialog
{
    Q_OBJECT

public:
    TDialogPozostalychPozycji(const QString& tekst, bool zmianaZDrzewa, int domyslny, QWidget* rodzic);
    TWyborPozostalych Wybor() const;

private:
    QButtonGroup* FWybory;
    QCheckBox* FNiePytaj;
};
