#pragma once

#include "workflow/ScalanieDialogu.h"

#include <QDialog>

#include <memory>
#include <vector>

class IUzytkownik;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;
class TKonfiguracja;
class TModelSpisu;
class TSpecyfikacja;
class TSpisST;
class TZestawST;

// The window "Scalanie list specyfikacji" over its logic: the target list on the left, the added list
// on the right, the copy and compare buttons between them, the recent added lists, and the ways out.
// The duplicate questions and the summary go to the user given.
class TScalanieListForm : public QDialog
{
public:
    TScalanieListForm(QWidget* rodzic, const QString& sciezkaListy, TZestawST& zestaw, TKonfiguracja& konfiguracja,
                      IUzytkownik& uzytkownik);
    ~TScalanieListForm() override;

    TScalanieDialogu& Logika() { return *FLogika; }
    // "Anuluj" and the window's close button go through the logic's question.
    void reject() override;

private:
    void Odswiez();
    std::vector<TSpecyfikacja*> Zaznaczone(QTreeView* drzewo, TModelSpisu* model) const;
    void Zamknij(TScalanieDialogu::TZamkniecie zamkniecie);
    void Porownaj();
    // The node selected and made visible in the target tree.
    void Pokaz(const TSpecyfikacja* wezel);

    std::unique_ptr<TScalanieDialogu> FLogika;
    TModelSpisu* FModelListy;
    TModelSpisu* FModelDodawanej;
    QTreeView* FDrzewoListy;
    QTreeView* FDrzewoDodawanej;
    QLabel* FEtykietaListy;
    QLabel* FWczytywanie;
    QComboBox* FOstatnie;
    std::vector<QWidget*> FKontrolki;
};

// Shows the window for the list file and the set: the merged list when it closed accepted, else null.
std::unique_ptr<TSpisST> PokazScalanieList(QWidget* rodzic, const QString& sciezkaListy, TZestawST& zestaw,
                                           TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik);
