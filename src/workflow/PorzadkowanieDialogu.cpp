#include "workflow/PorzadkowanieDialogu.h"

#include "app/Konfiguracja.h"
#include "specs/SpisST.h"
#include "workflow/KopiowanieSpecyfikacjiThread.h"

TPorzadkowanieDialogu::TPorzadkowanieDialogu(TSpisST& spis, TKonfiguracja& konfiguracja, QString katalogUzytkownika)
    : FSpis(spis), FKonfiguracja(konfiguracja), FKatalogUzytkownika(std::move(katalogUzytkownika))
{
    Opcje.FolderDocelowy = konfiguracja.PorzadkSTFolderDocelowy;
    Opcje.Struktura = konfiguracja.PorzadkSTOpcja;
    Opcje.Nadpisuj = konfiguracja.PorzadkSTNadpisuj;
    Opcje.Aktualizuj = konfiguracja.PorzadkSTAktualizuj;
}

TPorzadkowanieDialogu::~TPorzadkowanieDialogu()
{
    Zamknij();
}

QString TPorzadkowanieDialogu::PlikRaportu(const QString& katalogUzytkownika)
{
    return katalogUzytkownika + QStringLiteral("/raport porządkowania struktury.txt");
}

void TPorzadkowanieDialogu::Zmiana()
{
    if (OnZmiana)
        OnZmiana();
}

void TPorzadkowanieDialogu::PrzywrocDomyslne()
{
    FKonfiguracja.LoadDefaultPorzadkST();
    Opcje.FolderDocelowy = FKonfiguracja.PorzadkSTFolderDocelowy;
    Opcje.Struktura = FKonfiguracja.PorzadkSTOpcja;
    Opcje.Nadpisuj = FKonfiguracja.PorzadkSTNadpisuj;
    Opcje.Aktualizuj = FKonfiguracja.PorzadkSTAktualizuj;
    Zmiana();
}

void TPorzadkowanieDialogu::Start()
{
    if (CzyTrwa())
        return;
    FZadanie.reset();
    FMaksimum = FPozycja = 0;
    FStatus.clear();
    FBlad.clear();
    FZadanie = std::make_unique<TKopiowanieSpecyfikacjiThread>(FSpis, Opcje, PlikRaportu(FKatalogUzytkownika));
    FZadanie->OnMaksimum = [this](int m) {
        FMaksimum = m;
        Zmiana();
    };
    FZadanie->OnPostep = [this](int p) {
        FPozycja = p;
        Zmiana();
    };
    FZadanie->OnKoniec = [this] {
        FStatus = QStringLiteral("Proces porządkowania został zakończony");
        FZaktualizowano = FZaktualizowano || FZadanie->CzyZaktualizowano();
    };
    // The failure reaches the main thread after the end step, through the job's handler.
    FZadanie->OnException = [this](TExceptionMsgThread* zadanie) {
        FBlad = zadanie->ExceptionMsg();
        FRaport = FZadanie->Raport();
        Zmiana();
    };
    FZadanie->start();
    Zmiana();
}

void TPorzadkowanieDialogu::Stop()
{
    if (FZadanie)
        FZadanie->PoprosOZatrzymanie();
}

void TPorzadkowanieDialogu::Czekaj()
{
    if (!FZadanie)
        return;
    FZadanie->Czekaj();
    FRaport = FZadanie->Raport();
    FBlad = FZadanie->ExceptionMsg();
    Zmiana();
}

bool TPorzadkowanieDialogu::CzyTrwa() const
{
    return FZadanie && FZadanie->isRunning();
}

void TPorzadkowanieDialogu::Zamknij()
{
    if (FZamkniety)
        return;
    FZamkniety = true;
    if (CzyTrwa()) {
        Stop();
        FZadanie->Czekaj();
    }
    FKonfiguracja.PorzadkSTFolderDocelowy = Opcje.FolderDocelowy;
    FKonfiguracja.PorzadkSTOpcja = Opcje.Struktura;
    FKonfiguracja.PorzadkSTNadpisuj = Opcje.Nadpisuj;
    FKonfiguracja.PorzadkSTAktualizuj = Opcje.Aktualizuj;
}
