// Any bytes as an FWD estimate: a tree or the reader's Polish message, never a crash, a hang or a half
// read tree. An estimate that was read is copied with an ST number on every position; the copy reads back
// to as many elements and positions, and copying the copy changes nothing. The copy made section by
// section equals what the parser's list of blocks writes.
#include "app/Kodowanie.h"
#include "estimates/KosztorysFWD.h"
#include "estimates/KosztorysFwdSt.h"

#include "WspolneFuzz.h"

namespace {

void PoSekcjachJakZListy(const QByteArray& bajty)
{
    TKosztorysFWD fwd;
    fwd.LoadFromString(DekodujTekstPliku(bajty).Tekst, true);
    TKosztorysFwdSt pusty;
    bool bladListy = false;
    bool bladSekcji = false;
    QByteArray zListy;
    QByteArray poSekcjach;
    try {
        zListy = fwd.SaveToBytes();
    } catch (const TExBladBrakDanych&) {
        bladListy = true;
    }
    try {
        poSekcjach = pusty.ZapiszDoDanych(bajty);
    } catch (const TExBladBrakDanych&) {
        bladSekcji = true;
    }
    if (bladListy != bladSekcji || zListy != poSekcjach)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QByteArray bajty = WejscieFuzz(dane, rozmiar);
    const TUstawieniaKosztorysu ustawienia = UstawieniaFuzz(rozmiar);
    PoSekcjachJakZListy(bajty);
    TKosztorysFwdSt kosztorys(QString(), false, false, false, ustawienia);
    if (!WczytajCalyLubNic(kosztorys, bajty))
        return 0;
    int n = 0;
    kosztorys.DlaKazdejPozycji([&n](TPozycjaRds& p) { p.SetST(QStringLiteral("D-%1.01 ż#2").arg(++n)); });
    const QByteArray kopia = kosztorys.ZapiszDoDanych(bajty);
    TKosztorysFwdSt odczytana(QString(), false, false, false, ustawienia);
    try {
        odczytana.WczytajZDanych(kopia);
    } catch (const EBlad&) {
        std::abort();
    }
    if (odczytana.Count() != kosztorys.Count() || odczytana.ZapiszDoDanych(kopia) != kopia)
        std::abort();
    return 0;
}
