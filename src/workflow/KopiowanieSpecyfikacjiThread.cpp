#include "workflow/KopiowanieSpecyfikacjiThread.h"

#include "app/Pliki.h"
#include "specs/SpisST.h"

TKopiowanieSpecyfikacjiThread::TKopiowanieSpecyfikacjiThread(TSpisST& spis, TOpcjePorzadkowania opcje,
                                                             QString plikRaportu)
    : FOpcje(opcje), FPorzadkowanie(spis, opcje),
      FRaport(std::move(plikRaportu), NazwaPlikuBezRozszerzenia(spis.GetSpisStPath()->GetPath()))
{
}

TKopiowanieSpecyfikacjiThread::~TKopiowanieSpecyfikacjiThread()
{
    ZatrzymajICzekaj();
}

void TKopiowanieSpecyfikacjiThread::Przetwarzaj()
{
    const int maksimum = FPorzadkowanie.Zaplanuj();
    NaWatkuGlownym([this, maksimum] {
        if (OnMaksimum)
            OnMaksimum(maksimum);
    });
    int pozycja = 0;
    int procent = -1;
    const bool bezBledow = FPorzadkowanie.Kopiuj(
        FRaport, [this] { return CzyZatrzymano(); },
        [&] {
            ++pozycja;
            const int p = maksimum > 0 ? pozycja * 100 / maksimum : 100;
            if (p == procent)
                return;
            procent = p;
            NaWatkuGlownym([this, pozycja] {
                if (OnPostep)
                    OnPostep(pozycja);
            });
        });
    if (!bezBledow)
        throw EBlad(QStringLiteral("Błąd kopiowania"));
}

void TKopiowanieSpecyfikacjiThread::Zakoncz()
{
    // The list changes here, on the main thread, also after failures of other files.
    if (FOpcje.Aktualizuj)
        for (const auto& [wezel, cel] : FPorzadkowanie.Skopiowane()) {
            wezel->SetPlik(cel);
            FZaktualizowano = true;
        }
    if (OnKoniec)
        OnKoniec();
}
