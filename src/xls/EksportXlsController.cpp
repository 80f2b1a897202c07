#include "xls/EksportXlsController.h"

TEksportXlsController::TEksportXlsController(std::vector<TKosztorys*> kosztorysy)
    : FEksport(std::make_unique<TEksportElementuXls>(std::move(kosztorysy)))
{
}

TEksportXlsController::~TEksportXlsController() = default;

TWynikEksportuXls TEksportXlsController::Eksportuj(const QString& nazwaPliku, const QString& lokalizacjaPliku)
{
    FEksport->NazwaPliku = nazwaPliku;
    FEksport->SciezkaDoPliku = lokalizacjaPliku;
    return FEksport->Eksportuj();
}

QString TEksportXlsController::GetFileName(const QString& nazwaPliku, const QString& sciezkaDoPliku)
{
    return TEksportElementuXls::SciezkaCelu(nazwaPliku, sciezkaDoPliku);
}

TEksportElementuXlsOpt& TEksportXlsController::GetOpcjeEksportu()
{
    return FEksport->OpcjeEksportu();
}

int TEksportXlsController::PobierzMaxProgres() const
{
    return FEksport->PobierzMaxProgres();
}

void TEksportXlsController::UstawObslugePostepu(TEksportElementuXls::TOnZwiekszenieProgresu obsluga)
{
    FEksport->OnZwiekszenieProgresu = std::move(obsluga);
}

void TEksportXlsController::Terminate()
{
    FEksport->Terminate();
}

void TEksportXlsController::ResetTerminated()
{
    FEksport->ResetTerminated();
}

bool TEksportXlsController::Terminated() const
{
    return FEksport->Terminated();
}

const std::vector<TKosztorys*>& TEksportXlsController::Kosztorysy() const
{
    return FEksport->Kosztorysy();
}
