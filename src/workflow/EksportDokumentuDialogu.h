#pragma once

#include "docs/EksportujZestawThread.h"
#include "docs/Marginesy.h"
#include "docs/WatkiStylow.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class IUzytkownik;
class TKonfiguracja;
class TZadanieEksportuDokumentu;
class TZamianaPliku;
class TZbiorEksporter;
class TZbiorEksporterDOC;
class TZestawST;
struct TListaPlikowEksportu;
struct TUstawieniaEksportuZestawu;

// The logic of the dialog "Eksportuj pliki specyfikacji": the target folder and name, the options preset
// from the set, which controls are open, the checks of "Start", the export job with its progress, reading
// the documents' styles, and the options handed back when the dialog ends with OK. The window lays out its
// controls over it; tests drive it directly.
//
// The merge writes a temporary file beside the target, which takes the target's place only when the export
// ended whole: a stopped or failed export leaves the target as it was.
class TEksportDokumentuDialogu : public IWidokEksportu, public IWidokPobieraniaStylow
{
public:
    // Nothing is owned; the exporter is of the set's output kind (Word when it is a TZbiorEksporterDOC),
    // its header, footer and task name already set by the caller.
    TEksportDokumentuDialogu(TZestawST& zestaw, const TListaPlikowEksportu& pliki, TZbiorEksporter& eksporter,
                             TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik);
    // Closes as Zamknij does.
    ~TEksportDokumentuDialogu() override;
    TEksportDokumentuDialogu(const TEksportDokumentuDialogu&) = delete;
    TEksportDokumentuDialogu& operator=(const TEksportDokumentuDialogu&) = delete;

    // The fields: the program's export folder and the set file's name.
    QString Folder;
    QString Nazwa;
    // The boxes, preset from the set's configuration.
    bool CzyOtworzPoUtworzeniu = false; // "Otwórz plik po utworzeniu"
    bool CzyDrukDwustronny = false;     // "Wydruk dwustronny stopki"
    bool CzyWstawListeSt = false;       // "Wstaw listę ST do Wymagań Ogólnych"
    bool CzyStylWNaglowku = false;      // "Wstaw odwołanie do stylu tekstu w nagłówku dokumentu"
    QString NazwaStylu;                 // the style box's text
    bool CzyWeryfikujStyl = false;      // "Weryfikuj wybrany styl przed eksportem"
    bool CzyUstawMarginesy = false;     // "Ustaw marginesy"
    TMarginesy Marginesy;               // the working margins, which "Marginesy" edits

    bool CzyWord() const { return FEksporterDOC != nullptr; }
    // What the controls show now. While an export or the reading of styles runs only its own stop is open.
    bool CzyOtworzWidoczny() const { return CzyWord(); }
    bool CzyPolaDostepne() const { return !CzyZajety(); } // folder, name, "Wstaw listę ST ..."
    bool CzyPrzegladajDostepny() const { return !CzyZajety(); }
    bool CzyOtworzDostepny() const { return !CzyZajety(); }
    bool CzyDrukDwustronnyDostepny() const;
    bool CzyStylWNaglowkuDostepny() const;
    bool CzyPolaStyluDostepne() const; // the style box and "Weryfikuj ..."
    bool CzyLinkStylowDostepny() const;
    // "<a>Pobierz style z dokumentów</a>" (active), its plain text, or the link that stops the reading.
    QString TekstLinkuStylow() const;
    bool CzyUstawMarginesyDostepne() const;
    bool CzyPrzyciskMarginesowDostepny() const;
    bool CzyStartDostepny() const { return !FPobieranieStylow; }
    QString TekstStartu() const;
    const QString& Status() const { return FStatus; }
    int Maksimum() const { return FMaksimum; }
    int Pozycja() const { return FPozycja; }
    // The names the last reading of styles found, for the style box.
    const QStringList& Style() const { return FStyle; }

    // "Przeglądaj...": the folder the user chose in "Wskaż folder na pliki użytkownika" (empty: cancelled).
    void Przegladaj(const QString& wybrany);
    // "Start": checks the request and starts the export; while one runs, stops it and waits for its end.
    void Start();
    // The link: starts reading the styles of the export's files (Word only), or stops a running reading.
    void PobierzStyle();
    // Asks the running export to stop without waiting, so that a progress report may call it.
    void Zatrzymaj();
    // Waits for the running jobs' end, serving their calls to the main thread.
    void Czekaj();
    bool CzyTrwa() const { return FEksportTrwa; }
    bool CzyPobieranieStylow() const { return FPobieranieStylow; }
    // Closing: running jobs are stopped and awaited; an export stopped so does not end with OK.
    void Zamknij();

    // The export ended without an error (or was stopped by "Stop"): the dialog closes with OK.
    bool CzyZakonczono() const { return FZakonczono; }
    // The file of the last export started; empty before.
    const QString& PlikDocelowy() const { return FPlikDocelowy; }
    // The set's export options with the dialog's choices; a choice the dialog did not offer (a control
    // closed for this kind of export or set) keeps the set's value.
    TUstawieniaEksportuZestawu Wynik() const;

    // Anything shown changed (progress, status, running or idle).
    std::function<void()> OnZmiana;
    // The export ended so that the dialog closes with OK.
    std::function<void()> OnKoniec;
    // A reading of styles ended: the style box is refilled with the names and dropped down.
    std::function<void(const QStringList& style)> OnStyle;

    // IWidokEksportu and IWidokPobieraniaStylow
    void EksportRozpoczety(int liczbaPlikow) override;
    void KolejnyPlik(const QString& status) override;
    void EksportZakonczony(const QString& status) override;
    void PobieranieRozpoczete(int liczbaPlikow, const QString& tekstLinku) override;
    void PobieranieZakonczone(const QString& status, const QStringList& style) override;

private:
    bool CzyZajety() const { return FEksportTrwa || FPobieranieStylow; }
    bool CzyNaglowekWZestawie() const;
    bool CzyStopkaWZestawie() const;
    bool Przygotuj(QString& cel);
    void Zmiana();

    TZestawST& FZestaw;
    const TListaPlikowEksportu& FPliki;
    TZbiorEksporter& FEksporter;
    TZbiorEksporterDOC* FEksporterDOC;
    TKonfiguracja& FKonfiguracja;
    IUzytkownik& FUzytkownik;
    std::unique_ptr<TZamianaPliku> FZamiana;
    std::unique_ptr<TZadanieEksportuDokumentu> FZadanie;
    std::unique_ptr<TPobierzStyleThread> FWatekStylow;
    bool FEksportTrwa = false;
    bool FPobieranieStylow = false;
    bool FZamykanie = false;
    bool FZakonczono = false;
    QString FStatus;
    QString FLinkZatrzymania;
    QStringList FStyle;
    QString FPlikDocelowy;
    int FMaksimum = 0;
    int FPozycja = 0;
};
