#pragma once

#include "app/OpcjeDuplikatow.h"

#include <memory>

class TSpecyfikacja;
class TSpisST;

// What a list being merged into another one asks about each incoming node: does it collide with a node
// already in the list, and what becomes of it. The duplicate handler of merges and imports answers it,
// asking the user through its dialog where no answer is remembered.
class IObslugaDuplikatowListy
{
public:
    virtual ~IObslugaDuplikatowListy() = default;

    // False: the caller attaches the incoming node as usual (the handler may have changed it, e.g. dropped
    // its document). True: the node was consumed and `s` is empty; `istniejacy` is then the node of the
    // list that took its place (the rest of the incoming element is read into it), or null when the
    // incoming node was skipped with all its content. czyDuplikatPliku tells whether the decision was
    // made about a duplicate document rather than a duplicate number.
    // Failures (a cancelled question, an unresolvable conflict) are raised as EBlad and end the merge.
    virtual bool CzySaDuplikaty(TSpisST& spis, std::unique_ptr<TSpecyfikacja>& s, TSpecyfikacja*& istniejacy,
                                bool& czyDuplikatPliku) = 0;

    // The answers chosen for the node last checked; doNone / dpoNone when that question was not asked.
    virtual TOpcjaDuplikatowNumeru GetWybranaOpcjaDuplikatowNumeru() const = 0;
    virtual TOpcjaDuplikatowPliku GetWybranaOpcjaDuplikatowPliku() const = 0;
};
