// Any bytes as a Zuzia estimate: a tree or the reader's Polish message, never a crash, a hang or a half
// read tree. An estimate that was read is copied with an ST number on every position, and the copy reads
// back to as many elements and positions.
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "estimates/KosztorysZuzia.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    (void)konfiguracja;
    const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    TKosztorysZuzia kosztorys;
    try {
        kosztorys.WczytajZDanych(bajty);
    } catch (const EBlad&) {
        if (kosztorys.Count() != 0)
            std::abort();
        return 0;
    }
    int n = 0;
    kosztorys.DlaKazdejPozycji([&n](TPozycjaRds& p) { p.SetST(QStringLiteral("D-%1.01 ż Ω#2").arg(++n)); });
    QByteArray kopia;
    try {
        kopia = kosztorys.ZapiszDoDanych(bajty);
    } catch (const EBlad&) {
        return 0;
    }
    TKosztorysZuzia odczytana;
    try {
        odczytana.WczytajZDanych(kopia);
    } catch (const EBlad&) {
        std::abort();
    }
    if (odczytana.Count() != kosztorys.Count())
        std::abort();
    return 0;
}
