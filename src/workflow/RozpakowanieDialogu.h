#pragma once

#include "archive/OpcjeEkstrakcjiArchiwum.h"
#include "specs/StrukturaSst.h"
#include "workflow/Uzytkownik.h"

#include <QString>

#include <functional>
#include <memory>

class TKonfiguracja;
class TRozpakowanieThread;

// The logic of the dialog "Rozpakuj archiwum" for a set or a list archive: the fields and their
// defaults, the structure marker of the target folder, the checks before unpacking, and the unpacking by
// the archive core on a worker thread. The window lays out its controls over it; tests drive it directly.
class TRozpakowanieDialogu
{
public:
    TRozpakowanieDialogu(bool czyZestaw, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik);
    // Closes as Zamknij does.
    ~TRozpakowanieDialogu();
    TRozpakowanieDialogu(const TRozpakowanieDialogu&) = delete;
    TRozpakowanieDialogu& operator=(const TRozpakowanieDialogu&) = delete;

    bool CzyZestaw() const { return FCzyZestaw; }

    // The fields, from the program's extraction defaults.
    QString Archiwum;
    QString Folder;
    bool CzyNadpisuj = false;
    int Struktura = TOpcjeEkstrakcjiArchiwum::StrukturaNumer;
    bool CzyOtworz = true;

    // The caption of the box that opens the unpacked file.
    QString NapisOtworz() const;
    // "Przeglądaj..." next to the archive.
    TDialogPliku DialogArchiwum() const;
    static QString TytulFolderu() { return QStringLiteral("Wskaż folder docelowy"); }

    // Reads the marker of the target folder's specifications; a marker with a known structure selects it.
    void CzytajZnacznik();
    const TZnacznikStruktury& Znacznik() const { return FZnacznik; }

    // "Rozpakuj": checks the fields (a message and nothing started when one is wrong), asks when the
    // folder holds another structure, then starts the unpacking; while it runs, stops it.
    void Rozpakuj();
    // A stop takes effect at the next file; the files written until then stay (the message says so).
    void Zatrzymaj();
    // Waits for the job's end, serving its calls to the main thread.
    void Czekaj();
    bool CzyTrwa() const;
    // Files unpacked of all the archive's entries while unpacking runs (0 of 0 until the first file).
    int Pozycja() const { return FPozycja; }
    int Maksimum() const { return FMaksimum; }
    // Closing: a running job is stopped and awaited.
    void Zamknij();

    // The unpacked set or list file after a successful unpacking; empty otherwise.
    const QString& Wynik() const { return FWynik; }

    // Anything shown changed (running or idle, the structure read from a marker).
    std::function<void()> OnZmiana;
    // The unpacking succeeded and its message was shown: the dialog closes with OK.
    std::function<void()> OnKoniec;

    // The unpacking itself, on the calling thread; the path of the unpacked set or list file. postep is told
    // of every file written and may end the work by throwing. Throws EBlad.
    static QString RozpakujArchiwum(bool czyZestaw, const QString& archiwum, const TOpcjeEkstrakcjiArchiwum& opcje,
                                    const std::function<void(int zrobione, int wszystkie)>& postep = {});

private:
    void Zmiana();
    bool Przygotuj(TOpcjeEkstrakcjiArchiwum& opcje);
    void Koniec(TRozpakowanieThread* zadanie);

    bool FCzyZestaw;
    IUzytkownik& FUzytkownik;
    QString FKatalogUzytkownika;
    TZnacznikStruktury FZnacznik;
    std::unique_ptr<TRozpakowanieThread> FZadanie;
    bool FTrwa = false; // from the start until the job's end step
    int FPozycja = 0;
    int FMaksimum = 0;
    QString FWynik;
};
