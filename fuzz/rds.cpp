// Any bytes as a Rodos estimate: the reader builds a tree or raises its Polish message (leaving no
// tree), never crashes or hangs; reading is repeatable; what was read can be written back, and the
// copy is CR LF text holding at least the source's lines, which reads again without a crash.
#include "app/Kodowanie.h"
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "estimates/KosztorysJson.h"
#include "estimates/KosztorysRds.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    (void)konfiguracja;
    const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));

    TKosztorysRds kosztorys;
    try {
        kosztorys.WczytajZDanych(bajty);
    } catch (const EBlad&) {
        if (kosztorys.Count() != 0)
            std::abort();
        return 0;
    }
    TKosztorysRds drugi;
    drugi.WczytajZDanych(bajty);
    if (KosztorysNaJson(drugi) != KosztorysNaJson(kosztorys))
        std::abort();

    const QByteArray kopia = kosztorys.UtworzKopie(bajty);
    qsizetype konceLinii = 0;
    for (qsizetype i = 0; i < kopia.size(); ++i) {
        if (kopia[i] == '\r' && (i + 1 >= kopia.size() || kopia[i + 1] != '\n'))
            std::abort();
        if (kopia[i] == '\n') {
            if (i == 0 || kopia[i - 1] != '\r')
                std::abort();
            ++konceLinii;
        }
    }
    if (!kopia.isEmpty() && !kopia.endsWith("\r\n"))
        std::abort();
    // Every source line is written; ST lines may be added, none is dropped.
    if (konceLinii < TLinieRds(DekodujTekstPliku(bajty).Tekst).Count())
        std::abort();

    TKosztorysRds trzeci;
    try {
        trzeci.WczytajZDanych(kopia);
    } catch (const EBlad&) {
    }
    (void)kosztorys.IdKosztorysuZDanych(bajty);
    return 0;
}
