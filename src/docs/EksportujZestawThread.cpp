#include "docs/EksportujZestawThread.h"

#include "docs/ZbiorEksporter.h"

TEksportujZestawThread::TEksportujZestawThread(IWidokEksportu* widok, std::vector<const TMyPath*> pliki,
                                               QString plikWynikowy, TZbiorEksporter* eksporter,
                                               TOnException onException)
    : TWatekEksportera(eksporter, QStringLiteral("Przetwarzanie pliku: "), std::move(onException)), FWidok(widok),
      FPliki(std::move(pliki)), FPlikWynikowy(std::move(plikWynikowy))
{
}

void TEksportujZestawThread::Rozpocznij()
{
    FEksporter->ResetTerminated();
    FStatus.clear();
    FWidok->EksportRozpoczety(static_cast<int>(FPliki.size()));
}

void TEksportujZestawThread::Przetwarzaj()
{
    ZPostepem([this](const QString& status) { FWidok->KolejnyPlik(status); },
              [this] { FEksporter->ScalPliki(FPlikWynikowy, FPliki); });
}

void TEksportujZestawThread::Zakoncz()
{
    FWidok->EksportZakonczony(FBlad ? FStatus + QStringLiteral(" (Błąd eksportu)")
                                    : QStringLiteral("Proces eksportu został zakończony"));
}
