#pragma once

#include "workflow/WidokZestawu.h"

// No window: for callers that print or measure the result themselves (the command-line tool, benchmarks).
class TWidokBezOkna : public IWidokZestawu
{
public:
    void UstawTytul(const QString&) override {}
    void UstawStatus(int, const QString&) override {}
    void OdswiezOstatnie() override {}
    void OdswiezDrzewoSpecyfikacji() override {}
    void UstawWidok(bool) override {}
    void ZaznaczElement(const TElementRds*) override {}
    void ZaznaczWierszPozycji(int) override {}
    void ZaznaczWierszZbioru(int) override {}
    void PokazWezelSpecyfikacji(const TSpecyfikacja*) override {}
    void UstawTylkoWidokSpecyfikacje(bool) override {}
    void ZastosujUstawieniaWidoku() override {}
    void ZwinDoPoziomu(int) override {}
};
