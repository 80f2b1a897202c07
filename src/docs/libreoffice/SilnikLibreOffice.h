#pragma once

#include "docs/SilnikDokumentow.h"

#include <QString>

#include <memory>
#include <mutex>

#include <sys/types.h>

class TProcesOffice;
struct TPolaczenieOffice;

// The document engine on a private headless LibreOffice, reached through C++ UNO over a pipe. Started on
// the first need (or by Uruchom), ended cleanly when destroyed. A lost office (crash, kill) shows as
// ESilnikUtracony; Uruchom then starts a new one.
class TSilnikLibreOffice : public ISilnikDokumentow
{
public:
    TSilnikLibreOffice();
    // An engine that first uses an office already listening on the pipe (one office shared by the
    // processes of a test run, started and ended by its owner): it never ends that office, and when the
    // office is gone it starts a private one of its own.
    // grupaWspolnego: that office's process group, ended like an own office when it stops answering.
    explicit TSilnikLibreOffice(QString potokWspolnego, pid_t grupaWspolnego = -1);
    ~TSilnikLibreOffice() override;

    std::unique_ptr<IDokumentTekstowy> NowyDokument() override;
    std::unique_ptr<IDokumentTekstowy> OtworzDokument(const QString& plik, bool tylkoDoOdczytu) override;
    void Uruchom() override;
    // Ends the office (asks it to quit, then terminates it).
    void Zatrzymaj();
    bool CzyUruchomiony() const;
    // The pipe of the office in use (empty when none).
    QString NazwaPotoku() const;
    // The windows (hidden ones too) the office holds; 0 when it is not running. The window's office stays up
    // all day: what a merge opens, it closes.
    int LiczbaOkien();

private:
    void UruchomJesliTrzeba();
    bool PolaczZeWspolnym();

    mutable std::mutex FMutex;
    std::unique_ptr<TProcesOffice> FProces;
    std::unique_ptr<TPolaczenieOffice> FPolaczenie;
    QString FPotokWspolnego;
    pid_t FGrupaWspolnego = -1;
};
