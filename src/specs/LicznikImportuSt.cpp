#include "specs/LicznikImportuSt.h"

void TLicznikImportuSt::Clear()
{
    FDodanychSt = 0;
    FNadpisanychPlikow = 0;
    FPominietychSt = 0;
    FNadpisanychSt = 0;
}
