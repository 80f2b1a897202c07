// Any bytes as the configuration file: the reader falls back to defaults and never crashes, and
// what it writes settles: the second file written is read back to itself. (The first may differ:
// an empty title list or "stc" folder written at the first start reads back as the defaults.)
#include "app/Konfiguracja.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    konfiguracja->WczytajZXml(QByteArray(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar)));
    konfiguracja->WczytajZXml(konfiguracja->DoXml());
    const QByteArray zapisana = konfiguracja->DoXml();
    konfiguracja->WczytajZXml(zapisana);
    if (konfiguracja->DoXml() != zapisana)
        std::abort();
    return 0;
}
