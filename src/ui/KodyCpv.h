#pragma once

#include "app/KodCpv.h"

#include <QDialog>

class QLineEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The browser "Kody CPV": the code tree of the program's table, searched by code or name; the codes
// chosen are copied for pasting into a specification.
class TKodyCpv : public QDialog
{
    Q_OBJECT

public:
    explicit TKodyCpv(QWidget* rodzic);
    // The codes shown now (for the search's effect).
    int Widocznych() const;

private:
    void Dodaj(TKodCpv& kod, QTreeWidgetItem* rodzic);
    void Filtruj();
    void Pokaz(QTreeWidgetItem* element);

    TListaKodowCpv FKody;
    QTreeWidget* FDrzewo;
    QLineEdit* FSzukaj;
    QTimer* FZegar;
};
