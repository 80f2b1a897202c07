#include "zestaw/DopasowanieSpecyfikacji.h"

#include "estimates/Kosztorys.h"
#include "specs/SpisST.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

namespace {

bool CzyPusty(const QString& tekst)
{
    for (const QChar c : tekst)
        if (!c.isSpace())
            return false;
    return true;
}

} // namespace

void DopasujSpecyfikacje(TZestawST& zestaw)
{
    const bool czyKorzystajZWariantow = zestaw.Ustawienia().Warianty.CzyKorzystajZWariantow;
    TSpisST& spis = *zestaw.SpisSpecyfikacji();
    TZbiorST& zbior = *zestaw.GetZbiorST();
    zbior.ClearPozycjeIDopasowanieST();

    const TFindSpecyfikacjaFlags flagiPozycji = FlagiDopasowaniaPozycji(czyKorzystajZWariantow);
    for (int k = 0; k < zestaw.KosztorysyCount(); ++k) {
        zestaw.GetKosztorys(k)->DlaKazdejPozycji([&](TPozycjaRds& p) {
            TWybranaSpecyfikacja& wybrana = p.WybranaSpecyfikacja();
            wybrana.SetSpecyfikacja(nullptr);
            wybrana.SetDopasowanaSpecyfikacja(nullptr);
            // A blank number is no number: it must not pick a node of the list that has none either.
            if (CzyPusty(p.ST()))
                return;
            TWariantSpecyfikacji* wariant = nullptr;
            bool pelne = false;
            TSpecyfikacja* s = spis.FindSpecyfikacja(p.ST(), wariant, flagiPozycji, pelne);
            if (s && pelne) {
                wybrana.SetSpecyfikacja(s);
                wybrana.SetWariantSpecyfikacji(wariant);
            } else if (s) {
                wybrana.SetDopasowanaSpecyfikacja(s);
            }
        });
    }

    TFindSpecyfikacjaFlags flagiZbioru = fsSzukajWSpecyfikacjach;
    if (czyKorzystajZWariantow)
        flagiZbioru |= fsSzukajWariantu;
    for (int i = 0; i < zbior.Count(); ++i) {
        TPozycjaZbioru& pozycja = *zbior.GetPozycjaZbioru(i);
        TWariantSpecyfikacji* wariant = nullptr;
        bool pelne = false;
        if (TSpecyfikacja* s = spis.FindSpecyfikacja(pozycja.ST(), wariant, flagiZbioru, pelne)) {
            pozycja.WybranaSpecyfikacja().SetSpecyfikacja(s);
            pozycja.WybranaSpecyfikacja().SetWariantSpecyfikacji(wariant);
        }
    }

    for (int k = 0; k < zestaw.KosztorysyCount(); ++k) {
        zestaw.GetKosztorys(k)->DlaKazdejPozycji([&](TPozycjaRds& p) {
            if (p.WybranaSpecyfikacja().GetSpecyfikacja())
                zbior.Add(&p);
        });
    }
    zbior.UsunNieuzywane();
    zbior.Sort();
}

void DopasujSpecyfikacje(TZestawST& zestaw, const TUstawieniaKosztorysu& ustawienia)
{
    zestaw.UstawUstawienia(ustawienia);
    DopasujSpecyfikacje(zestaw);
}
