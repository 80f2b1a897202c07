// Any bytes as a Zuzia estimate: a tree or the reader's Polish message, never a crash, a hang or a half
// read tree. An estimate that was read is copied with an ST number on every position, and the copy reads
// back to as many elements and positions.
#include "estimates/KosztorysZuzia.h"

#include "WspolneFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QByteArray bajty = WejscieFuzz(dane, rozmiar);
    const TUstawieniaKosztorysu ustawienia = UstawieniaFuzz(rozmiar);
    TKosztorysZuzia kosztorys(QString(), false, false, false, ustawienia);
    if (!WczytajCalyLubNic(kosztorys, bajty))
        return 0;
    int n = 0;
    kosztorys.DlaKazdejPozycji([&n](TPozycjaRds& p) { p.SetST(QStringLiteral("D-%1.01 ż Ω#2").arg(++n)); });
    QByteArray kopia;
    try {
        kopia = kosztorys.ZapiszDoDanych(bajty);
    } catch (const EBlad&) {
        return 0;
    }
    TKosztorysZuzia odczytana(QString(), false, false, false, ustawienia);
    try {
        odczytana.WczytajZDanych(kopia);
    } catch (const EBlad&) {
        std::abort();
    }
    if (odczytana.Count() != kosztorys.Count())
        std::abort();
    return 0;
}
