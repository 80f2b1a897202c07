#pragma once

#include <QDialog>
#include <QModelIndex>

class QLineEdit;
class QPushButton;
class QTableView;
class TModelInfCen;

// Numbers of a grid's column drawn against the right edge (the models give only the texts).
void WyrownajKolumneDoPrawej(QTableView* siatka, int kolumna);

// The price chooser "Wybierz cenę" over one loaded publication: the name and symbol filters above the grid
// of items; "OK" only while the model allows the selection (exactly one cell, in a price column).
class TWyborCenyForm : public QDialog
{
public:
    explicit TWyborCenyForm(TModelInfCen& model, QWidget* rodzic = nullptr);

    // The selected cell of the model; invalid while the selection cannot be taken.
    QModelIndex Wybrana() const;

private:
    void OdswiezOk();

    TModelInfCen& FModel;
    QLineEdit* FFiltrNazwy;
    QLineEdit* FFiltrSymbolu;
    QTableView* FSiatka;
    QPushButton* FOk;
};
