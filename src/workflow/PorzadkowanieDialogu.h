#pragma once

#include "workflow/PorzadkowanieSpisu.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TKonfiguracja;
class TKopiowanieSpecyfikacjiThread;
class TSpisST;

// The logic of the dialog "Porządkowanie  specyfikacji": the options loaded from the configuration and
// stored back on closing, "Start" running the copying job and "Stop" stopping it, the progress, the
// status line and the failure to show. The window lays out its controls over it; tests drive it directly.
class TPorzadkowanieDialogu
{
public:
    TPorzadkowanieDialogu(TSpisST& spis, TKonfiguracja& konfiguracja, QString katalogUzytkownika);
    // Closes as Zamknij does.
    ~TPorzadkowanieDialogu();
    TPorzadkowanieDialogu(const TPorzadkowanieDialogu&) = delete;
    TPorzadkowanieDialogu& operator=(const TPorzadkowanieDialogu&) = delete;

    TOpcjePorzadkowania Opcje;

    // "Przywróć domyślne".
    void PrzywrocDomyslne();
    void Start();
    // Asks the job to stop between two files; never waits (OnZmiana tells the end).
    void Stop();
    // Waits for the job's end, serving its calls to the main thread.
    void Czekaj();
    bool CzyTrwa() const;
    // Stops and waits for a running job, then stores the options in the configuration.
    void Zamknij();

    int Maksimum() const { return FMaksimum; }
    int Pozycja() const { return FPozycja; }
    // "Proces porządkowania został zakończony" after a run.
    const QString& Status() const { return FStatus; }
    // The failure of the last run, for the window to show once; empty when none.
    const QString& Blad() const { return FBlad; }
    const QStringList& Raport() const { return FRaport; }
    bool CzyZaktualizowano() const { return FZaktualizowano; }
    // The report file in the user folder.
    static QString PlikRaportu(const QString& katalogUzytkownika);

    // Anything shown changed (progress, running or idle, status, failure).
    std::function<void()> OnZmiana;

private:
    void Zmiana();

    TSpisST& FSpis;
    TKonfiguracja& FKonfiguracja;
    QString FKatalogUzytkownika;
    std::unique_ptr<TKopiowanieSpecyfikacjiThread> FZadanie;
    int FMaksimum = 0;
    int FPozycja = 0;
    QString FStatus;
    QString FBlad;
    QStringList FRaport;
    bool FZaktualizowano = false;
    bool FZamkniety = false;
};
