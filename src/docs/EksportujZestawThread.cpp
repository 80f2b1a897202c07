#include "docs/EksportujZestawThread.h"

#include "docs/ZbiorEksporter.h"

TEksportujZestawThread::TEksportujZestawThread(IWidokEksportu* widok, std::vector<const TMyPath*> pliki,
                                               QString plikWynikowy, TZbiorEksporter* eksporter, TOnException onException)
    : TPrzetworzPlikiThread(nullptr, std::move(onException)), FWidok(widok), FPliki(std::move(pliki)),
      FPlikWynikowy(std::move(plikWynikowy)), FEksporter(eksporter)
{
}

void TEksportujZestawThread::Terminate()
{
    TPrzetworzPlikiThread::Terminate();
    FEksporter->Terminate();
}

void TEksportujZestawThread::Rozpocznij()
{
    FEksporter->ResetTerminated();
    FStatus.clear();
    FWidok->EksportRozpoczety(static_cast<int>(FPliki.size()));
}

void TEksportujZestawThread::Przetwarzaj()
{
    FEksporter->OnProgressChange = [this](TZbiorEksporter* eksporter) {
        const QString status = QStringLiteral("Przetwarzanie pliku: ") + eksporter->CurrentFile();
        NaWatkuGlownym([this, status] {
            if (Terminated())
                return;
            FStatus = status;
            FWidok->KolejnyPlik(status);
        });
    };
    try {
        FEksporter->ScalPliki(FPlikWynikowy, FPliki);
    } catch (...) {
        FBlad = true;
        FEksporter->OnProgressChange = nullptr;
        throw;
    }
    FEksporter->OnProgressChange = nullptr;
}

void TEksportujZestawThread::Zakoncz()
{
    FWidok->EksportZakonczony(FBlad ? FStatus + QStringLiteral(" (Błąd eksportu)")
                                    : QStringLiteral("Proces eksportu został zakończony"));
}
