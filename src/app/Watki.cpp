#include "app/Watki.h"

#include "app/Wyjatki.h"

#include <QCoreApplication>

#include <exception>

TExceptionMsgThread::TExceptionMsgThread(std::mutex* sekcja, TOnException onException)
    : OnException(std::move(onException)), FCriticalSection(sekcja)
{
}

TExceptionMsgThread::~TExceptionMsgThread()
{
    if (isRunning())
        TerminateICzekaj();
}

void TExceptionMsgThread::Terminate()
{
    FTerminated = true;
}

void TExceptionMsgThread::TerminateICzekaj()
{
    Terminate();
    Czekaj();
}

void TExceptionMsgThread::Czekaj()
{
    const bool naGlownym =
        QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
    if (!naGlownym) {
        wait();
        return;
    }
    // The job may be waiting for a call on this thread; serve such calls until it ends.
    while (!wait(5))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void TExceptionMsgThread::NaWatkuGlownym(const std::function<void()>& funkcja)
{
    QCoreApplication* aplikacja = QCoreApplication::instance();
    if (!aplikacja || QThread::currentThread() == aplikacja->thread()) {
        funkcja();
        return;
    }
    std::exception_ptr blad;
    QMetaObject::invokeMethod(
        aplikacja,
        [&funkcja, &blad] {
            try {
                funkcja();
            } catch (...) {
                blad = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (blad)
        std::rethrow_exception(blad);
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
        if (!Terminated())
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
