// Any bytes as a set file: the reader never crashes and fails only with EBlad, leaving the set as it
// was (empty here); a set it reads is written, read back and written again to the same bytes, and
// matching it against its (empty) list succeeds.
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "zestaw/DopasowanieSpecyfikacji.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    // The stored paths ask the configuration for the user folder.
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    (void)konfiguracja;
    TUstawieniaKosztorysu ustawienia;
    ustawienia.Warianty.CzyKorzystajZWariantow = rozmiar % 2 == 1;

    QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    // Lists named by the set are not read here: a fuzzed path must not reach files of the machine.
    bajty.replace("<sst", "<xst");
    TZestawST zestaw(ustawienia);
    const QByteArray pusty = zestaw.ZapiszDoBajtow();
    try {
        zestaw.OtworzZBajtow(bajty, QStringLiteral("fuzz.zst"));
    } catch (const EBlad&) {
        if (zestaw.KosztorysyCount() != 0 || zestaw.GetZbiorST()->Count() != 0 || zestaw.ZapiszDoBajtow() != pusty)
            std::abort();
        return 0;
    }
    DopasujSpecyfikacje(zestaw);
    const QByteArray pierwszy = zestaw.ZapiszDoBajtow();
    TZestawST druga(ustawienia);
    druga.OtworzZBajtow(pierwszy);
    if (druga.ZapiszDoBajtow() != pierwszy)
        std::abort();
    return 0;
}
