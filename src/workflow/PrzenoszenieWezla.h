#pragma once

class TSpecyfikacja;
class TSpisST;

// Whether the subtree fits under a parent of that level: a group at most on level 3, a specification on 4.
bool CzyMiesciSiePod(const TSpecyfikacja& wezel, int poziomRodzica);

// Moves a node of the list under cel (null: the list itself) before cel's child of index miejsce (past the
// end, or -1: last), when the list's nesting allows it: only kinds of works at the top, never into its own
// subtree, never deeper than the list allows; variants are not moved. With wykonaj false only tells
// whether it may. True when it may (and, with wykonaj, did; a drop on its own place moves nothing).
bool PrzeniesWezel(TSpisST& spis, TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj);
