// Any bytes as a Word 97 document whose comments are looked for: the reader of its compound file never
// crashes, and a stream it returns is never longer than asked for.
#include "app/PlikZlozonyOdczyt.h"
#include "docs/KomentarzeDoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QByteArray plik(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    (void)CzyDocMaKomentarze(plik);
    if (const auto strumien = PoczatekStrumienia(plik, u"WordDocument", 700); strumien && strumien->size() > 700)
        std::abort();
    return 0;
}
