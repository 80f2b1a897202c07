#pragma once

#include "app/KodCpv.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class TKodyCpvDialogu;

// The window "Wybierz kody CPV": the code trees, searched by code or name in the construction works or the
// whole dictionary. Browsing shows the program's own table; selection ticks codes of the caller's trees.
class TKodyCpv : public QDialog
{
    Q_OBJECT

public:
    // Browsing the program's table: nothing can be ticked, the only button is "Zamknij".
    explicit TKodyCpv(QWidget* rodzic);
    // Selection over the caller's trees (not owned): the ticks are the codes' Checked marks; "OK" keeps
    // them, "Anuluj" brings back those of the opening.
    TKodyCpv(TListaKodowCpv& kody, QWidget* rodzic);
    ~TKodyCpv() override;

    // The codes shown now (for the search's effect).
    int Widocznych() const;
    // Puts the text in the search box and searches at once, as the timer does when it fires.
    void Szukaj(const QString& tekst);

    void reject() override;

private:
    TKodyCpv(std::unique_ptr<TListaKodowCpv> wlasne, TListaKodowCpv* kody, QWidget* rodzic);
    void Przebuduj();
    void Dodaj(TKodCpv& kod, QTreeWidgetItem* rodzic);
    void Filtruj();
    void ZmienTryb(int indeks);

    std::unique_ptr<TListaKodowCpv> FWlasneKody;
    std::unique_ptr<TKodyCpvDialogu> FLogika;
    bool FCzyWybor;
    QTreeWidget* FDrzewo;
    QLineEdit* FSzukaj;
    QComboBox* FTryb;
    QDialogButtonBox* FPrzyciski;
    QTimer* FZegar;
};
