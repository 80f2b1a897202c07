#pragma once

#include <QDialog>
#include <QModelIndex>

class QPushButton;
class QTableView;
class TModelWspolczynnikow;

// "Współczynniki regionalne" of one loaded publication: the grid of regions; "OK" only on one coefficient
// cell, whose value the caller takes through the model.
class TWspolczynnikiForm : public QDialog
{
public:
    explicit TWspolczynnikiForm(TModelWspolczynnikow& model, QWidget* rodzic = nullptr);

    // The selected coefficient cell; invalid while none is selected.
    QModelIndex Wybrany() const;

private:
    void OdswiezOk();

    QTableView* FSiatka;
    QPushButton* FOk;
};
