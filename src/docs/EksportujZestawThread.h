#pragma once

#include "docs/WatekEksportera.h"

#include <QString>

#include <vector>

class TMyPath;
class TZbiorEksporter;

// What the running export shows; the export dialog implements it. Every call comes on the main thread.
class IWidokEksportu
{
public:
    virtual ~IWidokEksportu() = default;
    // The export starts with that many files: browsing off, the button reads "Stop", progress from 0.
    virtual void EksportRozpoczety(int liczbaPlikow) = 0;
    // Before each file: the status text and one step of the progress.
    virtual void KolejnyPlik(const QString& status) = 0;
    // The export ended (also after a stop or a failure): the status text; browsing on, "Start" again.
    virtual void EksportZakonczony(const QString& status) = 0;
};

// Merges the export's files into the target on a worker thread, reporting progress to the view. A
// failure reaches the error handler (the thread family's) after the view was told the export ended.
class TEksportujZestawThread : public TWatekEksportera
{
public:
    // Nothing is owned; the view, the paths and the exporter outlive the thread.
    TEksportujZestawThread(IWidokEksportu* widok, std::vector<const TMyPath*> pliki, QString plikWynikowy,
                           TZbiorEksporter* eksporter, TOnException onException = {});
    // Its steps use its own members: it stops before they go.
    ~TEksportujZestawThread() override { ZatrzymajICzekaj(); }

protected:
    void Rozpocznij() override;
    void Przetwarzaj() override;
    void Zakoncz() override;

private:
    IWidokEksportu* FWidok;
    std::vector<const TMyPath*> FPliki;
    QString FPlikWynikowy;
};
