// Any bytes as a specification list file: the reader never crashes and fails only with EBlad, leaving the
// list empty; what it writes reads back without an error and settles (the second file written reads back
// to itself; the first may still lose elements that hold nothing once a missing document is dropped);
// and the index answers every lookup as the plain walk of the tree does.
#include "WezlySpisu.h"
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void PorownajZPrzejsciem(TSpisST& spis)
{
    std::vector<TSpecyfikacja*> wezly;
    Wezly(&spis, wezly);
    if (wezly.size() > 150)
        wezly.resize(150);
    QStringList numery;
    for (TSpecyfikacja* w : wezly) {
        numery << w->Numer() << w->Numer().toLower() + QLatin1Char(' ');
        for (int i = 0; i < w->WariantyCount(); ++i)
            numery << w->Numer() + QLatin1Char('#') + w->GetWariant(i)->Numer();
        numery << w->Numer() + QStringLiteral("#?");
    }
    for (const QString& numer : numery) {
        for (int bity = 0; bity < 32; ++bity) {
            const auto flagi = TFindSpecyfikacjaFlags::fromInt(bity);
            TWariantSpecyfikacji* w1 = nullptr;
            TWariantSpecyfikacji* w2 = nullptr;
            bool p1 = false;
            bool p2 = false;
            if (spis.FindSpecyfikacja(numer, w1, flagi, p1) != spis.FindSpecyfikacjaPrzejscie(numer, w2, flagi, p2) ||
                w1 != w2 || p1 != p2)
                std::abort();
        }
    }
    for (TSpecyfikacja* w : wezly) {
        TWariantSpecyfikacji* w1 = nullptr;
        TWariantSpecyfikacji* w2 = nullptr;
        if (spis.FindSpecyfikacjaPlik(w->GetEncodedPath(), w1) !=
                spis.FindSpecyfikacjaPlikPrzejscie(w->GetEncodedPath(), w2) ||
            w1 != w2)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    (void)konfiguracja;

    TSpisST spis;
    try {
        spis.OtworzZBajtow(QByteArray(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar)));
    } catch (const EBlad&) {
        if (spis.Count() != 0 || !spis.ListaPustych().empty())
            std::abort();
        return 0;
    }
    PorownajZPrzejsciem(spis);

    TSpisST druga;
    druga.OtworzZBajtow(spis.ZapiszDoBajtow());
    const QByteArray zapis = druga.ZapiszDoBajtow();
    TSpisST trzecia;
    trzecia.OtworzZBajtow(zapis);
    if (trzecia.ZapiszDoBajtow() != zapis)
        std::abort();
    return 0;
}
