#include "workflow/ProgramController.h"

TSprawdzAktualizacjeThread::TSprawdzAktualizacjeThread(IUzytkownikAktualizacji& uzytkownik, QUrl adresWersji,
                                                       QString wersjaProgramu, int msLimit)
    : FUzytkownik(uzytkownik), FAdresWersji(std::move(adresWersji)), FWersjaProgramu(std::move(wersjaProgramu)),
      FMsLimit(msLimit)
{
    OnException = [this](TExceptionMsgThread* zadanie) {
        // A stopped check belongs to a closing window: nothing is shown any more.
        if (!zadanie->CzyZatrzymano())
            FUzytkownik.PokazKomunikat(zadanie->ExceptionMsg());
    };
}

TSprawdzAktualizacjeThread::~TSprawdzAktualizacjeThread()
{
    ZatrzymajICzekaj();
}

void TSprawdzAktualizacjeThread::Przetwarzaj()
{
    FVersionChecker = std::make_unique<TVersionChecker>(FAdresWersji, FMsLimit, [this] { return CzyZatrzymano(); });
}

void TSprawdzAktualizacjeThread::Zakoncz()
{
    if (!FVersionChecker || CzyZatrzymano())
        return;
    if (!FVersionChecker->CzyNowszaNiz(FWersjaProgramu)) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Posiadasz aktualną wersję programu."));
        return;
    }
    const QString komunikat = QStringLiteral("Jest dostępna nowa wersja programu ") +
                              FVersionChecker->GetAktualnaWersja() + QStringLiteral(" (") +
                              FVersionChecker->GetDataAktualizacji() + QStringLiteral(").");
    if (FUzytkownik.ZadajPytanie(komunikat,
                                 QStringLiteral("Czy chcesz przejść do strony, z której można pobrać aktualizację ?")))
        FUzytkownik.OtworzAdres(FVersionChecker->GetAdresPobierania());
}

TProgramController::TProgramController(IUzytkownikAktualizacji& uzytkownik, QUrl adresWersji, QString wersjaProgramu,
                                       int msLimit)
    : FUzytkownik(uzytkownik), FAdresWersji(std::move(adresWersji)), FWersjaProgramu(std::move(wersjaProgramu)),
      FMsLimit(msLimit)
{
}

TProgramController::~TProgramController() = default;

void TProgramController::SprawdzAktualnoscProgramu()
{
    if (CzySprawdzanieTrwa())
        return;
    // The previous check has ended; its job is freed here.
    FSprawdzAktualizacjeThread.reset();
    FSprawdzAktualizacjeThread =
        std::make_unique<TSprawdzAktualizacjeThread>(FUzytkownik, FAdresWersji, FWersjaProgramu, FMsLimit);
    FSprawdzAktualizacjeThread->start();
}

bool TProgramController::CzySprawdzanieTrwa() const
{
    return FSprawdzAktualizacjeThread && FSprawdzAktualizacjeThread->isRunning();
}
