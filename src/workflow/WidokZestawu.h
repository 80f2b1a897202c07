#pragma once

#include <QString>

class TElementRds;

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
};
