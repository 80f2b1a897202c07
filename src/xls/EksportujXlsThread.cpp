#include "xls/EksportujXlsThread.h"

#include "xls/EksportXlsController.h"

TEksportujXlsThread::TEksportujXlsThread(IOknoEksportuXls* okno, TEksportXlsController* controller, TOnKoniec onKoniec,
                                         TOnException onException)
    : TPrzetworzPlikiThread(nullptr, std::move(onException)), FOkno(okno), FController(controller),
      FOnKoniec(std::move(onKoniec))
{
    FController->UstawObslugePostepu([this] { KrokPostepu(); });
}

TEksportujXlsThread::~TEksportujXlsThread()
{
    ZatrzymajICzekaj();
    FController->UstawObslugePostepu({});
}

void TEksportujXlsThread::PoprosOZatrzymanie()
{
    TPrzetworzPlikiThread::PoprosOZatrzymanie();
    FController->Terminate();
}

void TEksportujXlsThread::Rozpocznij()
{
    FNazwaPliku = FOkno->NazwaPliku();
    FLokalizacjaPliku = FOkno->LokalizacjaPliku();
    FWynik = {};
    FBlad = false;
    FWykonane = 0;
    FPokazane = -1;
    FMaksimum = FController->PobierzMaxProgres();
    if (!CzyZatrzymano())
        FController->ResetTerminated();
    FOkno->ZablokujNaCzasEksportu();
}

void TEksportujXlsThread::Przetwarzaj()
{
    if (CzyZatrzymano())
        return;
    try {
        FWynik = FController->Eksportuj(FNazwaPliku, FLokalizacjaPliku);
    } catch (...) {
        FBlad = true;
        throw;
    }
}

void TEksportujXlsThread::KrokPostepu()
{
    // A stop asked for just before the export began would have been cleared by it.
    if (CzyZatrzymano())
        FController->Terminate();
    const int wykonane = ++FWykonane;
    const int setna = FMaksimum > 0 ? static_cast<int>(qint64(wykonane) * 100 / FMaksimum) : 100;
    if (setna == FPokazane)
        return;
    FPokazane = setna;
    NaWatkuGlownym([this, wykonane] { FOkno->UstawPostep(wykonane); });
}

void TEksportujXlsThread::Zakoncz()
{
    if (CzyZatrzymano())
        FWynik.Przerwany = true;
    FOkno->OdblokujPoEksporcie();
    if (FOnKoniec)
        FOnKoniec(this);
}
