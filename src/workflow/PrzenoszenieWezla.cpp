#include "workflow/PrzenoszenieWezla.h"

#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <memory>

bool CzyMiesciSiePod(const TSpecyfikacja& wezel, int poziomRodzica)
{
    const int poziom = poziomRodzica + 1;
    if ((wezel.CzyGrupa() && poziom > 3) || poziom > 4)
        return false;
    for (int i = 0; i < wezel.Count(); ++i)
        if (!CzyMiesciSiePod(*wezel.GetSpecyfikacja(i), poziom))
            return false;
    return true;
}

bool PrzeniesWezel(TSpisST& spis, TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj)
{
    TSpecyfikacja* docelowy = cel ? cel : &spis;
    if (!wezel || !wezel->Parent() || dynamic_cast<TWariantSpecyfikacji*>(wezel) ||
        dynamic_cast<TWariantSpecyfikacji*>(docelowy) || (docelowy != &spis && !docelowy->CzyGrupa()))
        return false;
    // Never into itself or its own subtree.
    for (const TSpecyfikacja* p = docelowy; p; p = p->Parent())
        if (p == wezel)
            return false;
    // Only kinds of works stand at the top; nothing goes deeper than the list allows.
    if ((docelowy == &spis && !wezel->CzyGrupa()) || !CzyMiesciSiePod(*wezel, docelowy->KtoryPoziom()))
        return false;
    if (!wykonaj)
        return true;
    TSpecyfikacja* stary = wezel->Parent();
    const int byl = wezel->GetIndex();
    const int ile = docelowy->Count();
    if (miejsce < 0 || miejsce > ile)
        miejsce = ile;
    if (stary == docelowy) {
        if (miejsce == byl || miejsce == byl + 1)
            return true; // dropped on its own place
        if (miejsce > byl)
            --miejsce;
    }
    std::unique_ptr<TSpecyfikacja> przenoszony = stary->Delete(wezel);
    if (!przenoszony)
        return false;
    // The place is checked above, so neither call can refuse (and lose) the node.
    if (miejsce >= docelowy->Count())
        docelowy->Add(std::move(przenoszony));
    else
        docelowy->Insert(std::move(przenoszony), miejsce);
    return true;
}
