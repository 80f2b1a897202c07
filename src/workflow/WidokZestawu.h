#pragma once

#include <QString>

class TElementRds;
class TSpecyfikacja;

// The window as the set controller sees it. The trees and grids are the controller's models; the view
// only hears that a whole view changed or that a selection moves. None of these calls may call the
// controller back.
class IWidokZestawu
{
public:
    virtual ~IWidokZestawu() = default;

    // "Velostra - [name]" or "Velostra - [name*]".
    virtual void UstawTytul(const QString& tytul) = 0;
    // Status bar panel 0 to 4.
    virtual void UstawStatus(int panel, const QString& tekst) = 0;
    // The recent sets and lists changed (the controller's OstatnieZestawy / OstatnieListy).
    virtual void OdswiezOstatnie() = 0;
    // The list tree must be built again from the open list.
    virtual void OdswiezDrzewoSpecyfikacji() = 0;
    // The specifications view (true) or the estimate view (false) is shown.
    virtual void UstawWidok(bool specyfikacje) = 0;
    // Selects the element's node in the element tree without firing the tree's handler (null: none).
    virtual void ZaznaczElement(const TElementRds* element) = 0;
    // Selects and focuses a row of the positions grid / of the collection grid (all columns).
    virtual void ZaznaczWierszPozycji(int wiersz) = 0;
    virtual void ZaznaczWierszZbioru(int wiersz) = 0;
    // Expands the path to the node of the list tree and scrolls it into view, in one update bracket.
    virtual void PokazWezelSpecyfikacji(const TSpecyfikacja* wezel) = 0;
    // Hides (true) or shows everything that concerns estimates.
    virtual void UstawTylkoWidokSpecyfikacje(bool tylko) = 0;
    // The configuration's look changed (fonts, the tree preview's caption, panel sizes, the variant
    // button, the title-page link): the window applies it.
    virtual void ZastosujUstawieniaWidoku() = 0;
    // Collapses every node of the tree's level (0 kinds, 1 groups, 2 elements) with its children.
    virtual void ZwinDoPoziomu(int poziom) = 0;
};
