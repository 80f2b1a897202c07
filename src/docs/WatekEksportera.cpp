#include "docs/WatekEksportera.h"

#include "docs/ZbiorEksporter.h"

TWatekEksportera::TWatekEksportera(TZbiorEksporter* eksporter, QString przedrostekStatusu, TOnException onException)
    : TPrzetworzPlikiThread(nullptr, std::move(onException)), FEksporter(eksporter),
      FPrzedrostekStatusu(std::move(przedrostekStatusu))
{
}

void TWatekEksportera::PoprosOZatrzymanie()
{
    TPrzetworzPlikiThread::PoprosOZatrzymanie();
    FEksporter->Terminate();
}

void TWatekEksportera::ZPostepem(const std::function<void(const QString&)>& pokaz, const std::function<void()>& praca)
{
    FEksporter->OnProgressChange = [this, pokaz](TZbiorEksporter* eksporter) {
        const QString status = FPrzedrostekStatusu + eksporter->CurrentFile();
        NaWatkuGlownym([this, pokaz, status] {
            if (CzyZatrzymano())
                return;
            FStatus = status;
            pokaz(status);
        });
    };
    try {
        praca();
    } catch (...) {
        FBlad = true;
        FEksporter->OnProgressChange = nullptr;
        throw;
    }
    FEksporter->OnProgressChange = nullptr;
}
