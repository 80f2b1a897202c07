#pragma once

#include "app/Watki.h"
#include "zestaw/ZestawST.h"

#include <atomic>
#include <functional>
#include <memory>

class TSpisST;

// An open job: reads a set or a list into objects of its own on the worker, which the controller takes
// over on the main thread when the job has ended, so that nothing the window shows changes meanwhile.
// Progress reaches the main thread at most once per percent, so that reading is never held up by
// repainting.
class TZadanieOtwarcia : public TPrzetworzPlikiThread
{
public:
    TZadanieOtwarcia();
    ~TZadanieOtwarcia() override;

    // Called on the main thread: the number of steps, then the steps done so far.
    std::function<void(int maksimum)> OnMaksimum;
    std::function<void(int pozycja)> OnPostep;

protected:
    // From the worker.
    void UstawMaksimum(int maksimum);
    void Krok();

private:
    int FMaksimum = 0;
    int FKroki = 0;
    int FProcent = -1;
};

// Reads a set file with its list and estimates, as the given set would (its settings and prices).
class TOtworzZestawThread : public TZadanieOtwarcia
{
public:
    TOtworzZestawThread(TZestawST& zestaw, QString zestawPath, bool tworzKopieZapasowaSst, bool tworzKopieZapasowaZst);
    ~TOtworzZestawThread() override;

    const QString& ZestawPath() const { return FZestawPath; }
    // What was read; take it only after the job has ended without a failure or a stop.
    TOdczytanyZestaw& Odczyt() { return FOdczyt; }
    // Also stops the list being read between two records.
    void PoprosOZatrzymanie() override;

protected:
    void Przetwarzaj() override;

private:
    TZestawST& FZestaw;
    QString FZestawPath;
    TOdczytanyZestaw FOdczyt;
};

// Reads a list file into a new list made like the given one (user folder, unit prices).
class TOtworzSstThread : public TZadanieOtwarcia
{
public:
    TOtworzSstThread(const TSpisST& wzor, QString spisStPath, bool tworzKopieZapasowaSst);
    ~TOtworzSstThread() override;

    const QString& SpisStPath() const { return FSpisStPath; }
    std::unique_ptr<TSpisST> Przejmij() { return std::move(FSpis); }
    void PoprosOZatrzymanie() override;

protected:
    void Przetwarzaj() override;

private:
    QString FSpisStPath;
    bool FTworzKopieZapasowaSst;
    std::unique_ptr<TSpisST> FSpis;
};
