#include "app/Watki.h"

#include "app/Wyjatki.h"

#include <QCoreApplication>

#include <algorithm>
#include <exception>
#include <future>
#include <stdexcept>

namespace {

bool NaWatkuGlownymTeraz()
{
    QCoreApplication* aplikacja = QCoreApplication::instance();
    return aplikacja && QThread::currentThread() == aplikacja->thread();
}

} // namespace

// One call of a worker to the main thread. Whichever path takes it first (the waiting main thread or
// the event loop) runs it; the other finds it taken.
struct TExceptionMsgThread::TWywolanie
{
    TExceptionMsgThread* Watek = nullptr; // the job whose worker calls; null for other threads
    const std::function<void()>* Funkcja = nullptr;
    std::atomic<bool> Pobrane{false};
    std::promise<void> Wynik;
};

TExceptionMsgThread::TExceptionMsgThread(std::mutex* sekcja, TOnException onException)
    : OnException(std::move(onException)), FCriticalSection(sekcja)
{
    // Both come on the worker thread, before and after run: after it no call of this run can come; a new
    // start clears the mark.
    connect(
        this, &QThread::started, this,
        [this] {
            std::lock_guard<std::mutex> blokada(FMutexKolejki);
            FKoniecPracy = false;
        },
        Qt::DirectConnection);
    connect(
        this, &QThread::finished, this,
        [this] {
            std::lock_guard<std::mutex> blokada(FMutexKolejki);
            FKoniecPracy = true;
            FZmianaKolejki.notify_all();
        },
        Qt::DirectConnection);
}

TExceptionMsgThread::~TExceptionMsgThread()
{
    if (isRunning())
        ZatrzymajICzekaj();
}

void TExceptionMsgThread::PoprosOZatrzymanie()
{
    FZatrzymano = true;
}

void TExceptionMsgThread::ZatrzymajICzekaj()
{
    PoprosOZatrzymanie();
    Czekaj();
}

void TExceptionMsgThread::Czekaj()
{
    if (!NaWatkuGlownymTeraz()) {
        wait();
        return;
    }
    if (FWywolanWToku > 0)
        throw std::logic_error(
            "Czekanie na zadanie w jego własnym wywołaniu na wątku głównym nigdy by się nie skończyło.");
    std::unique_lock<std::mutex> blokada(FMutexKolejki);
    for (;;) {
        while (!FKolejka.empty()) {
            const std::shared_ptr<TWywolanie> wywolanie = FKolejka.front();
            FKolejka.pop_front();
            blokada.unlock();
            Wykonaj(wywolanie);
            blokada.lock();
        }
        if (!isRunning())
            return;
        if (FKoniecPracy) {
            // The run is over, so no call can come: the thread only finishes. A job started again clears
            // the mark as its run begins, and its calls are served on the next round.
            blokada.unlock();
            if (wait(QDeadlineTimer(20)))
                return;
            blokada.lock();
            continue;
        }
        FZmianaKolejki.wait(blokada, [this] { return !FKolejka.empty() || FKoniecPracy; });
    }
}

void TExceptionMsgThread::Wykonaj(const std::shared_ptr<TWywolanie>& wywolanie)
{
    if (wywolanie->Pobrane.exchange(true))
        return;
    // Taken here, the call still holds its worker (and so its job) until its result is set.
    TExceptionMsgThread* watek = wywolanie->Watek;
    if (watek) {
        {
            std::lock_guard<std::mutex> blokada(watek->FMutexKolejki);
            auto& kolejka = watek->FKolejka;
            kolejka.erase(std::remove(kolejka.begin(), kolejka.end(), wywolanie), kolejka.end());
        }
        ++watek->FWywolanWToku;
    }
    std::exception_ptr blad;
    try {
        (*wywolanie->Funkcja)();
    } catch (...) {
        blad = std::current_exception();
    }
    if (watek)
        --watek->FWywolanWToku;
    if (blad)
        wywolanie->Wynik.set_exception(blad);
    else
        wywolanie->Wynik.set_value();
}

void TExceptionMsgThread::NaWatkuGlownym(const std::function<void()>& funkcja)
{
    QCoreApplication* aplikacja = QCoreApplication::instance();
    if (!aplikacja || NaWatkuGlownymTeraz()) {
        funkcja();
        return;
    }
    auto wywolanie = std::make_shared<TWywolanie>();
    wywolanie->Watek = dynamic_cast<TExceptionMsgThread*>(QThread::currentThread());
    wywolanie->Funkcja = &funkcja;
    std::future<void> wynik = wywolanie->Wynik.get_future();
    if (TExceptionMsgThread* watek = wywolanie->Watek) {
        std::lock_guard<std::mutex> blokada(watek->FMutexKolejki);
        watek->FKolejka.push_back(wywolanie);
        watek->FZmianaKolejki.notify_all();
    }
    QMetaObject::invokeMethod(
        aplikacja, [wywolanie] { Wykonaj(wywolanie); }, Qt::QueuedConnection);
    wynik.get();
}

void TPrzetworzPlikiThread::KrokNaWatkuGlownym(void (TPrzetworzPlikiThread::*krok)())
{
    NaWatkuGlownym([this, krok] {
        if (FCriticalSection) {
            std::lock_guard<std::mutex> blokada(*FCriticalSection);
            (this->*krok)();
        } else {
            (this->*krok)();
        }
    });
}

namespace {

// The message a failure carries to the error handler. Errors outside the program's family are reported
// too: a worker must never take the whole program down with an uncaught exception.
QString KomunikatBledu(std::exception_ptr blad)
{
    try {
        std::rethrow_exception(blad);
    } catch (const EBlad& e) {
        return e.Komunikat();
    } catch (const std::exception& e) {
        return QStringLiteral("Nieoczekiwany błąd: %1").arg(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return QStringLiteral("Nieoczekiwany błąd.");
    }
}

} // namespace

void TPrzetworzPlikiThread::run()
{
    std::exception_ptr blad;
    try {
        KrokNaWatkuGlownym(&TPrzetworzPlikiThread::Rozpocznij);
        if (!CzyZatrzymano())
            Przetwarzaj();
    } catch (...) {
        blad = std::current_exception();
    }
    try {
        KrokNaWatkuGlownym(&TPrzetworzPlikiThread::Zakoncz);
    } catch (...) {
        blad = std::current_exception(); // as with a failing "finally": the later failure is the one reported
    }
    if (!blad)
        return;
    FExceptionMsg = KomunikatBledu(blad);
    if (FExceptionMsg.isEmpty())
        FExceptionMsg = QStringLiteral("Nieoczekiwany błąd.");
    NaWatkuGlownym([this] {
        try {
            if (OnException)
                OnException(this);
        } catch (...) {
            // The handler is the last stop of a failure; nothing may travel back to the worker.
        }
    });
}
