#pragma once

#include <QString>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

// A worker thread that reports failures as message texts. The error handler runs on the main thread.
//
// The worker reaches the main thread only through NaWatkuGlownym. While the main thread waits for the
// worker (Czekaj), it runs those calls and nothing else: no user input, timer, posted event or deferred
// delete can run inside the wait, so a wait never re-enters the program. When the main thread is not
// waiting, the calls reach it through its event loop; each runs exactly once, whichever path takes it.
//
// A job whose steps use members of its own calls ZatrzymajICzekaj in its own destructor: by the time
// this class's destructor runs, those members are gone while the worker may still be using them.
class TExceptionMsgThread : public QThread
{
public:
    using TOnException = std::function<void(TExceptionMsgThread* sender)>;

    // sekcja: a lock held around the start and end steps; may be null, is not owned.
    explicit TExceptionMsgThread(std::mutex* sekcja = nullptr, TOnException onException = {});
    // A job still running is asked to stop and waited for (ZatrzymajICzekaj); no event loop runs.
    ~TExceptionMsgThread() override;

    const QString& ExceptionMsg() const { return FExceptionMsg; }
    bool CzyZatrzymano() const { return FZatrzymano.load(); }
    // Asks the work to stop. It is only a request (unlike QThread::terminate, which is never used): the work
    // is not interrupted but polls CzyZatrzymano between items.
    virtual void PoprosOZatrzymanie();
    void ZatrzymajICzekaj();
    // Waits for the end of the work. On the main thread it runs meanwhile the job's own calls to the main
    // thread and nothing else. Throws std::logic_error when called from one of those calls, as the job
    // waits for that call to end and the wait would never end.
    void Czekaj();

    TOnException OnException;

    // Runs the function on the main thread and waits for it; a failure travels back to the caller. On the
    // main thread (or without an application object) it runs at once.
    static void NaWatkuGlownym(const std::function<void()>& funkcja);

protected:
    std::mutex* FCriticalSection = nullptr;
    QString FExceptionMsg;

private:
    struct TWywolanie;
    static void Wykonaj(const std::shared_ptr<TWywolanie>& wywolanie);

    std::atomic<bool> FZatrzymano{false};
    // The calls of this job's worker waiting for the main thread, and the end of its run.
    std::mutex FMutexKolejki;
    std::condition_variable FZmianaKolejki;
    std::deque<std::shared_ptr<TWywolanie>> FKolejka;
    bool FKoniecPracy = false;
    // How many of this job's calls run on the main thread now; main thread only.
    int FWywolanWToku = 0;
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
