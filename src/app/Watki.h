#pragma once

#include <QString>
#include <QThread>

#include <atomic>
#include <functional>
#include <mutex>

// A worker thread that reports failures as message texts. The error handler runs on the main thread.
class TExceptionMsgThread : public QThread
{
public:
    using TOnException = std::function<void(TExceptionMsgThread* sender)>;

    // sekcja: a lock held around the start and end steps; may be null, is not owned.
    explicit TExceptionMsgThread(std::mutex* sekcja = nullptr, TOnException onException = {});
    ~TExceptionMsgThread() override;

    const QString& ExceptionMsg() const { return FExceptionMsg; }
    bool Terminated() const { return FTerminated.load(); }
    // Asks the work to stop; it is never interrupted but polls Terminated between items.
    virtual void Terminate();
    // Terminate, then wait for the end while the calling (main) thread keeps serving the job's calls.
    void TerminateICzekaj();
    // Wait for the end, serving the job's calls to the main thread meanwhile.
    void Czekaj();

    TOnException OnException;

    // Runs the function on the main thread and waits for it; failures travel back to the caller.
    static void NaWatkuGlownym(const std::function<void()>& funkcja);

protected:
    std::mutex* FCriticalSection = nullptr;
    QString FExceptionMsg;

private:
    std::atomic<bool> FTerminated{false};
};

// The template every long job of the program derives from: a start step and an end step on the
// main thread frame the work on the worker; the end step runs whatever happened; a failure reaches
// the main thread as a message given to the error handler after the end step.
class TPrzetworzPlikiThread : public TExceptionMsgThread
{
public:
    using TExceptionMsgThread::TExceptionMsgThread;

protected:
    // Start step, on the main thread.
    virtual void Rozpocznij() {}
    // The work, on the worker thread.
    virtual void Przetwarzaj() = 0;
    // End step, on the main thread; runs also after a failure.
    virtual void Zakoncz() {}

    void run() override;

private:
    void KrokNaWatkuGlownym(void (TPrzetworzPlikiThread::*krok)());
};
