#pragma once

// The duplicate dialog of the register import that goes round every answer, cancelling included, and
// remembers some of them: the register fuzz target and the corpus test of the list answer alike.
#include "specs/DuplikatStDialog.h"
#include "specs/LicznikImportuSt.h"

class TDialogKolem : public IDuplikatStDialog
{
public:
    TOpcjaDuplikatowNumeru ShowDuplicatStDialog(const TSpecyfikacja&, const TSpecyfikacja&, bool,
                                                bool& czyZapamietajWybor) override
    {
        static const TOpcjaDuplikatowNumeru odpowiedzi[] = {doNadpisz, doPomin, doNadpisz, doNone};
        czyZapamietajWybor = FPytan % 5 == 4;
        return odpowiedzi[FPytan++ % 4];
    }
    TOpcjaDuplikatowPliku ShowDuplicatPlikuDialog(const TSpecyfikacja&, const TSpecyfikacja&,
                                                  bool& czyZapamietajWybor) override
    {
        static const TOpcjaDuplikatowPliku odpowiedzi[] = {dpoDodajBezPliku, dpoNadpisz, dpoPominSt,
                                                           dpoNadpiszPlikIPominSt, dpoNone};
        czyZapamietajWybor = FPytan % 7 == 6;
        return odpowiedzi[FPytan++ % 5];
    }
    void ShowDuplikaty(const TSpecyfikacja&, const TSpecyfikacja&, const TSpecyfikacja&) override {}
    TLicznikImportuSt& GetLicznikImportu() override { return Licznik; }

    TLicznikImportuSt Licznik;

private:
    unsigned FPytan = 0;
};
