#pragma once

#include "estimates/PozycjaRds.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// One element of an estimate's tree: its sub-elements and positions in file order, both owned.
class TElementRds
{
public:
    TElementRds(const QString& nr, int pz, const QString& opis);
    virtual ~TElementRds();
    TElementRds(const TElementRds&) = delete;
    TElementRds& operator=(const TElementRds&) = delete;

    const QString& GetNr() const { return FNr; }
    int GetPz() const { return FPz; }
    QString Opis;
    TElementRds* Parent = nullptr; // not owned
    void* Data = nullptr;          // the user interface's node; not owned

    // Take ownership of a new child; false (and nothing taken) when it is already a child of this element.
    bool AddElement(TElementRds* element);
    bool AddPozycja(TPozycjaRds* pozycja);
    TElementRds* AddElement(std::unique_ptr<TElementRds> element);
    TPozycjaRds* AddPozycja(std::unique_ptr<TPozycjaRds> pozycja);

    int ElementyCount() const { return static_cast<int>(FElementy.size()); }
    int PozycjeCount() const { return static_cast<int>(FPozycje.size()); }
    // Null for an index outside the list.
    TElementRds* GetElement(int indeks) const;
    TPozycjaRds* GetPozycja(int indeks) const;

    // Nr, a blank and Opis, trimmed.
    QString GetCaption() const;
    // All elements and positions below this element at any depth.
    int Count() const;
    // Positions of the subtree whose ST equals the trimmed number (any letter case) get the new one.
    void ZaktualizujSTPozycji(const QString& numerSt, const QString& nowyNumerSt);

    // Every position of the subtree, the positions of an element before its children's.
    void DlaKazdejPozycji(const std::function<void(TPozycjaRds&)>& funkcja) const;
    // The first position of the subtree (same order) for which the test holds; null when none.
    TPozycjaRds* ZnajdzPozycje(const std::function<bool(const TPozycjaRds&)>& test) const;

protected:
    // Frees the positions, then the child elements.
    void WyczyscDrzewo();

private:
    QString FNr;
    int FPz;
    std::vector<std::unique_ptr<TElementRds>> FElementy;
    std::vector<std::unique_ptr<TPozycjaRds>> FPozycje;
};
