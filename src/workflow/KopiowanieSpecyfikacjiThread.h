#pragma once

#include "app/Watki.h"
#include "workflow/PorzadkowanieSpisu.h"

#include <functional>

class TSpisST;

// The ordering job: the dry run and the copying on the worker while the list stays untouched; the copies
// become the nodes' documents ("Aktualizuj ścieżki po skopiowaniu") in the end step, on the main thread.
// Any logged failure ends it with "Błąd kopiowania".
class TKopiowanieSpecyfikacjiThread : public TPrzetworzPlikiThread
{
public:
    TKopiowanieSpecyfikacjiThread(TSpisST& spis, TOpcjePorzadkowania opcje, QString plikRaportu);
    ~TKopiowanieSpecyfikacjiThread() override;

    // Main thread: the number of documents, the documents done (at most once per percent), the end.
    std::function<void(int maksimum)> OnMaksimum;
    std::function<void(int pozycja)> OnPostep;
    std::function<void()> OnKoniec;
    // Whether any node took its copy as its document.
    bool CzyZaktualizowano() const { return FZaktualizowano; }
    // The report lines of this run.
    const QStringList& Raport() const { return FRaport.Linie(); }

protected:
    void Przetwarzaj() override;
    void Zakoncz() override;

private:
    TOpcjePorzadkowania FOpcje;
    TPorzadkowanieSpisu FPorzadkowanie;
    TPorzadkowanieLogger FRaport;
    bool FZaktualizowano = false;
};
