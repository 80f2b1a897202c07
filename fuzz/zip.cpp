// Any bytes as a zip archive: the reader never crashes and fails only with EBlad; every entry it accepts
// inflates (or fails with EBlad) within its declared size; an archive read whole writes back into one that
// reads to the same names and contents.
#include "app/Wyjatki.h"
#include "app/ZipFile.h"
#include "archive/Archiwum.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    TZipFile zip;
    try {
        zip.LoadFromBytes(QByteArray(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar)));
    } catch (const EBlad&) {
        if (zip.GetCount() != 0)
            std::abort();
        return 0;
    }
    bool wszystkie = true;
    std::vector<QByteArray> tresci;
    for (int i = 0; i < zip.GetCount(); ++i) {
        (void)TArchiwum::DekodujNazwe(zip.GetName(i));
        try {
            tresci.push_back(zip.GetData(i));
            if (static_cast<quint64>(tresci.back().size()) != zip.Wpis(i).RozmiarNieskompresowany)
                std::abort();
        } catch (const EBlad&) {
            wszystkie = false;
        }
    }
    bool sprawdzone = true;
    try {
        zip.Sprawdz();
    } catch (const EBlad&) {
        sprawdzone = false;
    }
    if (sprawdzone != wszystkie)
        std::abort();
    if (!wszystkie)
        return 0;
    TZipFile drugi;
    drugi.LoadFromBytes(zip.SaveToBytes());
    if (drugi.GetCount() != zip.GetCount())
        std::abort();
    for (int i = 0; i < drugi.GetCount(); ++i)
        if (drugi.GetName(i) != zip.GetName(i) || drugi.GetData(i) != tresci[static_cast<size_t>(i)])
            std::abort();
    return 0;
}
