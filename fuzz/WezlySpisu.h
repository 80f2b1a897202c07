#pragma once

// The nodes of a specification list, shared by the list's fuzz targets.

#include "specs/Specyfikacja.h"

#include <vector>

// Every node below and including w, a node before its children.
inline void Wezly(TSpecyfikacja* w, std::vector<TSpecyfikacja*>& wynik)
{
    wynik.push_back(w);
    for (int i = 0; i < w->Count(); ++i)
        Wezly(w->GetSpecyfikacja(i), wynik);
}
