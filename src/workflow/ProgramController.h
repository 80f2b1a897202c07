#pragma once

#include "app/Pliki.h"
#include "app/Watki.h"
#include "workflow/SprawdzanieAktualizacji.h"

#include <QString>
#include <QUrl>

#include <memory>

// What the update check asks of the user; the main window implements it (its PokazKomunikat and
// ZadajPytanie are those of IUzytkownik), tests with a recording fake.
class IUzytkownikAktualizacji
{
public:
    virtual ~IUzytkownikAktualizacji() = default;

    // A notice with one "OK".
    virtual void PokazKomunikat(const QString& tekst) = 0;
    // A question of two lines with "Tak" and "Nie"; true for "Tak".
    virtual bool ZadajPytanie(const QString& komunikat, const QString& pytanie) = 0;
    // Opens a web address in the desktop's browser.
    virtual void OtworzAdres(const QUrl& adres) = 0;
};

// The update check as a job: the fetch on the worker; the comparison and the questions in the end step,
// on the main thread. A failure reaches the user as a notice, unless the job was asked to stop.
class TSprawdzAktualizacjeThread : public TPrzetworzPlikiThread
{
public:
    TSprawdzAktualizacjeThread(IUzytkownikAktualizacji& uzytkownik, QUrl adresWersji, QString wersjaProgramu,
                               int msLimit);
    ~TSprawdzAktualizacjeThread() override;

    // The checker of the version text; null until fetched, and after a failed fetch.
    const TVersionChecker* VersionChecker() const { return FVersionChecker.get(); }

protected:
    void Przetwarzaj() override;
    void Zakoncz() override;

private:
    IUzytkownikAktualizacji& FUzytkownik;
    QUrl FAdresWersji;
    QString FWersjaProgramu;
    int FMsLimit;
    std::unique_ptr<TVersionChecker> FVersionChecker;
};

// Program-wide commands of the main window.
class TProgramController
{
public:
    // uzytkownik: the main window's user, who owns the check's notices and question.
    explicit TProgramController(IUzytkownikAktualizacji& uzytkownik, QUrl adresWersji = DomyslnyAdresWersji(),
                                QString wersjaProgramu = WersjaProgramu(), int msLimit = LimitPobieraniaMs);
    // A check still running is asked to stop and waited for; it shows nothing more.
    ~TProgramController();
    TProgramController(const TProgramController&) = delete;
    TProgramController& operator=(const TProgramController&) = delete;

    // Starts the update check; does nothing while one runs.
    void SprawdzAktualnoscProgramu();
    bool CzySprawdzanieTrwa() const;
    // The last check started (running or ended); null before the first.
    TSprawdzAktualizacjeThread* SprawdzAktualizacjeThread() const { return FSprawdzAktualizacjeThread.get(); }

private:
    IUzytkownikAktualizacji& FUzytkownik;
    QUrl FAdresWersji;
    QString FWersjaProgramu;
    int FMsLimit;
    std::unique_ptr<TSprawdzAktualizacjeThread> FSprawdzAktualizacjeThread;
};
