// Any bytes as a Rodos estimate: the reader builds a tree or raises its Polish message (leaving no
// tree), never crashes or hangs; reading is repeatable; what was read can be written back, and the
// copy is CR LF text holding at least the source's lines, which reads again without a crash.
#include "app/Kodowanie.h"
#include "estimates/KosztorysJson.h"
#include "estimates/KosztorysRds.h"

#include "WspolneFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QByteArray bajty = WejscieFuzz(dane, rozmiar);
    const TUstawieniaKosztorysu ustawienia = UstawieniaFuzz(rozmiar);

    TKosztorysRds kosztorys(QString(), false, false, false, ustawienia);
    if (!WczytajCalyLubNic(kosztorys, bajty))
        return 0;
    TKosztorysRds drugi(QString(), false, false, false, ustawienia);
    drugi.WczytajZDanych(bajty);
    if (KosztorysNaJson(drugi) != KosztorysNaJson(kosztorys))
        std::abort();

    const QByteArray kopia = kosztorys.ZapiszDoDanych(bajty);
    const qsizetype konceLinii = LinieCrLf(kopia);
    // Every source line is written; ST lines may be added, none is dropped.
    if (konceLinii < TLinieRds(DekodujTekstPliku(bajty).Tekst).Count())
        std::abort();

    TKosztorysRds trzeci(QString(), false, false, false, ustawienia);
    try {
        trzeci.WczytajZDanych(kopia);
    } catch (const EBlad&) {
    }
    (void)kosztorys.IdKosztorysuZDanych(bajty);
    return 0;
}
