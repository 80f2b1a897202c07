#pragma once

#include "app/MyPath.h"
#include "docs/TypPliku.h"

#include <QString>

#include <memory>
#include <vector>

class TKonfiguracja;
class TSpecyfikacja;
class TSpisST;
class TZestawST;

// What the choice of bases takes from the program's settings: the user folder, against which the bases'
// paths are stored, and the folder of templates (stored form, "%USERPATH%" allowed; empty when not set).
struct TUstawieniaPodstaw
{
    QString FolderUzytkownika;
    QString FolderSzablonow;

    static TUstawieniaPodstaw ZKonfiguracji(const TKonfiguracja& konfiguracja);
};

// One document a new specification can be made from: the text shown in the choice list and the file.
class TPodstawaDoSt
{
public:
    TPodstawaDoSt(QString opis, std::unique_ptr<TMyPath> plik);
    TPodstawaDoSt(const TPodstawaDoSt&) = delete;
    TPodstawaDoSt& operator=(const TPodstawaDoSt&) = delete;

    const QString& Opis() const { return FOpis; }
    const TMyPath& Plik() const { return *FPlik; }

private:
    QString FOpis;
    std::unique_ptr<TMyPath> FPlik;
};

// The documents offered as the basis of a new specification, limited to those the set's output kind
// accepts (Word documents, or OpenDocument text which also takes Word documents in). The set is not owned.
class TPodstawyDoSt
{
public:
    virtual ~TPodstawyDoSt();
    TPodstawyDoSt(const TPodstawyDoSt&) = delete;
    TPodstawyDoSt& operator=(const TPodstawyDoSt&) = delete;

    // Fills the list afresh.
    virtual void WypelnijPodstawy() = 0;

    const std::vector<std::unique_ptr<TPodstawaDoSt>>& Pliki() const { return FPliki; }
    const TTypPliku& TypPliku() const { return *FTypPliku; }

protected:
    // Raises "Błąd wewnętrzny (3)" without the set. The list is filled by the derived class's constructor,
    // as only there does the call reach its own WypelnijPodstawy.
    TPodstawyDoSt(const TUstawieniaPodstaw& ustawienia, TZestawST* zestaw);

    void DodajPodstawe(const QString& opis, const QString& sciezka);

    TUstawieniaPodstaw Ustawienia;
    TZestawST* Zestaw;
    std::vector<std::unique_ptr<TPodstawaDoSt>> FPliki;
    std::unique_ptr<TTypPliku> FTypPliku;
};

// The template files: every accepted file in the templates folder and below it, hidden ones included; a
// folder's own files come before those of its subfolders, names in order without regard to letter case.
class TPodstawyDoStSzablon final : public TPodstawyDoSt
{
public:
    TPodstawyDoStSzablon(const TUstawieniaPodstaw& ustawienia, TZestawST* zestaw);

    void WypelnijPodstawy() override;
};

// The documents of a specification list (the given one, or the set's own when none is given): each
// node whose document exists and is accepted, depth first, a node before its children, titled with the
// node's caption. Variants are not offered.
class TPodstawyDoStSpisSt final : public TPodstawyDoSt
{
public:
    TPodstawyDoStSpisSt(const TUstawieniaPodstaw& ustawienia, TSpisST* spisSt, TZestawST* zestaw);

    void WypelnijPodstawy() override;

    TSpisST* SpisSt() const { return FSpisSt; }

private:
    void DodajWezel(const TSpecyfikacja& wezel);

    TSpisST* FSpisSt;
};
