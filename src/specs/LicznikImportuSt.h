#pragma once

// What one import or merge did with the incoming specifications. The duplicate dialog provider owns it
// and shows it under "Import specyfikacji" when the import ends; the duplicate handler counts into it.
class TLicznikImportuSt
{
public:
    int DodanychSt() const { return FDodanychSt; }
    int NadpisanychPlikow() const { return FNadpisanychPlikow; }
    int PominietychSt() const { return FPominietychSt; }
    int NadpisanychSt() const { return FNadpisanychSt; }

    void Clear();
    void IncDodanychSt() { ++FDodanychSt; }
    void IncNadpisanychPlikow() { ++FNadpisanychPlikow; }
    void IncPominietychSt() { ++FPominietychSt; }
    void IncNadpisanychSt() { ++FNadpisanychSt; }

private:
    int FDodanychSt = 0;
    int FNadpisanychPlikow = 0;
    int FPominietychSt = 0;
    int FNadpisanychSt = 0;
};
