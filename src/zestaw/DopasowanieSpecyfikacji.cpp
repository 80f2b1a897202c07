#include "zestaw/DopasowanieSpecyfikacji.h"

#include "estimates/Kosztorys.h"
#include "specs/SpisST.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QHash>

namespace {

bool CzyPusty(const QString& tekst)
{
    for (const QChar c : tekst)
        if (!c.isSpace())
            return false;
    return true;
}

// What the list answers for one number. An estimate names the same few hundred specifications again and
// again, and the list does not change while its positions are matched: each distinct number is looked up
// once.
struct TOdpowiedz
{
    TSpecyfikacja* Specyfikacja = nullptr;
    TWariantSpecyfikacji* Wariant = nullptr;
    bool Pelne = false;
    TPozycjaZbioru* Wpis = nullptr; // the collection's entry, once a position has joined it
};

} // namespace

void DopasujSpecyfikacje(TZestawST& zestaw)
{
    const bool czyKorzystajZWariantow = zestaw.Ustawienia().Warianty.CzyKorzystajZWariantow;
    TSpisST& spis = *zestaw.SpisSpecyfikacji();
    TZbiorST& zbior = *zestaw.GetZbiorST();
    zbior.ClearPozycjeIDopasowanieST();

    const TFindSpecyfikacjaFlags flagiPozycji = FlagiDopasowaniaPozycji(czyKorzystajZWariantow);
    // The collection's own entries are matched first; positions join the collection as they are visited,
    // each while it is at hand, and that does not touch what the entries were matched to.
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

    QHash<QString, TOdpowiedz> odpowiedzi;
    odpowiedzi.reserve(1024);
    for (int k = 0; k < zestaw.KosztorysyCount(); ++k) {
        zestaw.GetKosztorys(k)->DlaKazdejPozycji([&](TPozycjaRds& p) {
            TWybranaSpecyfikacja& wybrana = p.WybranaSpecyfikacja();
            wybrana.SetSpecyfikacja(nullptr);
            wybrana.SetDopasowanaSpecyfikacja(nullptr);
            // A blank number is no number: it must not pick a node of the list that has none either.
            if (CzyPusty(p.ST()))
                return;
            auto it = odpowiedzi.find(p.ST());
            if (it == odpowiedzi.end()) {
                TOdpowiedz o;
                o.Specyfikacja = spis.FindSpecyfikacja(p.ST(), o.Wariant, flagiPozycji, o.Pelne);
                it = odpowiedzi.insert(p.ST(), o);
            }
            if (it->Specyfikacja && it->Pelne) {
                wybrana.SetSpecyfikacja(it->Specyfikacja);
                wybrana.SetWariantSpecyfikacji(it->Wariant);
                it->Wpis = zbior.DodajDoWpisu(&p, it->Wpis);
            } else if (it->Specyfikacja) {
                wybrana.SetDopasowanaSpecyfikacja(it->Specyfikacja);
            }
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
