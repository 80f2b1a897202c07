#pragma once

#include "app/Watki.h"
#include "xls/EksportElementuXls.h"

#include <QString>

#include <atomic>
#include <functional>

class TEksportXlsController;

// The export dialog as the running export sees it. Every call comes on the main thread.
class IOknoEksportuXls
{
public:
    virtual ~IOknoEksportuXls() = default;
    virtual QString NazwaPliku() const = 0;
    virtual QString LokalizacjaPliku() const = 0;
    // The export starts: the fields and browsing disabled, the button reads "Zatrzymaj", progress 0.
    virtual void ZablokujNaCzasEksportu() = 0;
    // How many rows are written.
    virtual void UstawPostep(int wartosc) = 0;
    // The export ended (also after a stop or a failure): the button reads "Eksportuj", fields enabled.
    virtual void OdblokujPoEksporcie() = 0;
};

// Runs the export of the controller on a worker thread. Progress reaches the dialog at most about a
// hundred times, whatever the number of rows. A failure reaches the error handler after the end step.
class TEksportujXlsThread : public TPrzetworzPlikiThread
{
public:
    using TOnKoniec = std::function<void(TEksportujXlsThread* sender)>;

    // Nothing is owned; the dialog and the controller outlive the thread. It becomes the controller's
    // progress handler.
    TEksportujXlsThread(IOknoEksportuXls* okno, TEksportXlsController* controller, TOnKoniec onKoniec,
                        TOnException onException = {});
    ~TEksportujXlsThread() override;

    void PoprosOZatrzymanie() override;
    // The outcome, after the end (empty file when it failed).
    const TWynikEksportuXls& Wynik() const { return FWynik; }
    // The export failed (its message reaches the error handler after the end step).
    bool CzyBlad() const { return FBlad; }
    const QString& NazwaPliku() const { return FNazwaPliku; }
    const QString& LokalizacjaPliku() const { return FLokalizacjaPliku; }

protected:
    void Rozpocznij() override;
    void Przetwarzaj() override;
    void Zakoncz() override;

private:
    void KrokPostepu();

    IOknoEksportuXls* FOkno;
    TEksportXlsController* FController;
    TOnKoniec FOnKoniec;
    QString FNazwaPliku, FLokalizacjaPliku;
    TWynikEksportuXls FWynik;
    int FMaksimum = 0;
    std::atomic<int> FWykonane{0};
    std::atomic<bool> FBlad{false};
    int FPokazane = -1; // the hundredth shown last (worker thread)
};
