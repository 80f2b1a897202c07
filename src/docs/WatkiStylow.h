#pragma once

#include "app/Watki.h"
#include "docs/WatekEksportera.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <vector>

class ISilnikDokumentow;
class TMyPath;
class TZbiorEksporterDOC;

// What reading the styles of the export's files shows; the export dialog implements it. Main thread only.
class IWidokPobieraniaStylow
{
public:
    virtual ~IWidokPobieraniaStylow() = default;
    // Browsing and Start off, progress from 0 to that many files, the link reads "Zatrzymaj ...".
    virtual void PobieranieRozpoczete(int liczbaPlikow, const QString& tekstLinku) = 0;
    virtual void KolejnyPlik(const QString& status) = 0;
    // Browsing and Start on; the style box refilled with the names (sorted) and dropped down.
    virtual void PobieranieZakonczone(const QString& status, const QStringList& style) = 0;
};

// Reads the names of the styles used in the export's files on a worker thread ("Pobierz style z
// dokumentów"). Nothing is owned.
class TPobierzStyleThread : public TWatekEksportera
{
public:
    TPobierzStyleThread(IWidokPobieraniaStylow* widok, std::vector<const TMyPath*> pliki, TZbiorEksporterDOC* eksporter,
                        TOnException onException = {});
    // Its steps use its own members: it stops before they go.
    ~TPobierzStyleThread() override { ZatrzymajICzekaj(); }

protected:
    void Rozpocznij() override;
    void Przetwarzaj() override;
    void Zakoncz() override;

private:
    IWidokPobieraniaStylow* FWidok;
    std::vector<const TMyPath*> FPliki;
    TZbiorEksporterDOC* FEksporterDOC;
    QStringList FStyleList;
};

// What copying a style into documents shows; the style dialog implements it. Main thread only.
class IWidokDopisywaniaStylu
{
public:
    virtual ~IWidokDopisywaniaStylu() = default;
    // Controls off, the button reads "Przerwij", progress from 0 to that many files.
    virtual void DopisywanieRozpoczete(int liczbaPlikow) = 0;
    virtual void KolejnyPlik(const QString& nazwaPliku) = 0;
    // Controls on, "Dopisz wybrany" again; the message to show (also after a stop).
    virtual void DopisywanieZakonczone(const QString& komunikat) = 0;
};

// Copies one style from a template into every Word document of a folder (with its subfolders) or into
// one document, on a worker thread. Nothing is owned.
class TDopiszStylDoPlikow : public TPrzetworzPlikiThread
{
public:
    // folderLubPlik: in folder mode the folder, else the one file.
    TDopiszStylDoPlikow(IWidokDopisywaniaStylu* widok, ISilnikDokumentow* silnik, QString folderLubPlik,
                        bool trybFolderu, QString szablonPath, QString nazwaStylu, TOnException onException = {});
    // Its steps use its own members: it stops before they go.
    ~TDopiszStylDoPlikow() override { ZatrzymajICzekaj(); }

    int IlePrzetworzonych() const { return FIlePrzetworzonych; }
    const QStringList& Pliki() const { return FPliki; }

protected:
    void Rozpocznij() override;
    void Przetwarzaj() override;
    void Zakoncz() override;

private:
    IWidokDopisywaniaStylu* FWidok;
    ISilnikDokumentow* FSilnik;
    QString FFolderLubPlik;
    bool FTrybFolderu;
    QString FSzablonPath;
    QString FNazwaStylu;
    QStringList FPliki;
    std::atomic<int> FIlePrzetworzonych{0};
};

// The checks of "Dopisz wybrany", in order; the first failure's message, or empty when all pass.
QString SprawdzDopisanieStylu(bool trybFolderu, const QString& plik, const QString& folder, const QString& szablon,
                              const QString& nazwaStylu);
