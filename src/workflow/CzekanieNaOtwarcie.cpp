#include "workflow/CzekanieNaOtwarcie.h"

#include "workflow/ZadaniaOtwarcia.h"

TCzekanieNaOtwarcie::TCzekanieNaOtwarcie(std::unique_ptr<TZadanieOtwarcia> zadanie) : FZadanie(std::move(zadanie))
{
    FZadanie->OnMaksimum = [this](int maksimum) {
        FMaksimum = maksimum;
        FPozycja = 0;
        if (OnZmiana)
            OnZmiana();
    };
    FZadanie->OnPostep = [this](int pozycja) {
        FPozycja = pozycja;
        if (OnZmiana)
            OnZmiana();
    };
    QObject::connect(FZadanie.get(), &QThread::finished, FZadanie.get(), [this] {
        if (OnKoniec)
            OnKoniec();
    });
}

TCzekanieNaOtwarcie::~TCzekanieNaOtwarcie()
{
    if (FZadanie->isRunning()) {
        Anuluj();
        Czekaj();
    }
}

void TCzekanieNaOtwarcie::Uruchom()
{
    FZadanie->start();
}

void TCzekanieNaOtwarcie::Anuluj()
{
    FAnulowano = true;
    FZadanie->PoprosOZatrzymanie();
}

void TCzekanieNaOtwarcie::Czekaj()
{
    FZadanie->Czekaj();
}

bool TCzekanieNaOtwarcie::CzyZakonczone() const
{
    return FZadanie->isFinished();
}

QString TCzekanieNaOtwarcie::Blad() const
{
    return FZadanie->ExceptionMsg();
}
