#pragma once

#include "xls/EksportujXlsThread.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class IUzytkownik;
class TEksportElementuXlsOpt;
class TEksportXlsController;
class TKonfiguracja;
class TKosztorys;
class TZestawST;

// The logic of the dialog "Eksportuj do excela": the options read from the set and stored back when an
// export starts, the proposed folder and file name, "Eksportuj" starting the export job or stopping it,
// its progress, the titles of the sheets, and what is shown at its end. The window lays out its controls
// over it; tests drive it directly.
class TEksportXlsDialogu : public IOknoEksportuXls
{
public:
    // No estimates in the set: EBlad "Brak danych do eksportu.".
    TEksportXlsDialogu(TZestawST& zestaw, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik);
    // Closes as Zamknij does.
    ~TEksportXlsDialogu() override;
    TEksportXlsDialogu(const TEksportXlsDialogu&) = delete;
    TEksportXlsDialogu& operator=(const TEksportXlsDialogu&) = delete;

    // The fields.
    QString Folder;
    QString Plik;
    QString Haslo;
    QString HasloPowtorzone;
    // The choices of the title's combo box.
    QStringList TytulyDoWyboru;
    TEksportElementuXlsOpt& Opcje();
    // "Uwzględnij wariant w Nr ST" is shown only when the program works with variants.
    bool CzyWariantWidoczny() const;
    // "Wstaw ceny z kosztorysu" is enabled only when the program shows prices.
    bool CzyCenyDostepne() const;
    // The folder proposed when the set stores none.
    QString DomyslnyFolder() const;

    // "Przywróć domyślne".
    void PrzywrocDomyslne();
    // "Dodaj nagłówek zestawu": the set's header text joins the description or leaves its end.
    void UstawNaglowekZestawuWOpisie(bool wlacz);

    // The title dialog: one row per estimate, its file name without folder and extension and its title.
    struct TTytulKosztorysu
    {
        QString Plik;
        QString Tytul;
    };
    std::vector<TTytulKosztorysu> TytulyKosztorysow() const;
    // "Zastosuj": the titles in the rows' order.
    void ZastosujTytulyKosztorysow(const QStringList& tytuly);

    // "Eksportuj": starts an export, or stops the running one. Checks the fields first (a message
    // through the user and nothing started when one is wrong).
    void Eksportuj();
    void Zatrzymaj();
    // Waits for the job's end, serving its calls to the main thread.
    void Czekaj();
    bool CzyTrwa() const;
    // "Zamknij": a running export is stopped and awaited.
    void Zamknij();

    bool CzyZablokowany() const { return FZablokowany; }
    int Maksimum() const { return FMaksimum; }
    int Pozycja() const { return FPozycja; }
    // The file the last export wrote; empty when none.
    const QString& OstatniPlik() const { return FOstatniPlik; }

    // Anything shown changed (progress, running or idle).
    std::function<void()> OnZmiana;

    // IOknoEksportuXls
    QString NazwaPliku() const override { return Plik; }
    QString LokalizacjaPliku() const override { return Folder; }
    void ZablokujNaCzasEksportu() override;
    void UstawPostep(int wartosc) override;
    void OdblokujPoEksporcie() override;

private:
    void Zmiana();
    bool SprawdzPola();
    void Koniec(TEksportujXlsThread* zadanie);

    TZestawST& FZestaw;
    TKonfiguracja& FKonfiguracja;
    IUzytkownik& FUzytkownik;
    std::unique_ptr<TEksportXlsController> FController;
    std::unique_ptr<TEksportujXlsThread> FZadanie;
    bool FZablokowany = false;
    int FMaksimum = 0;
    int FPozycja = 0;
    QString FOstatniPlik;
};
