// The spreadsheet export on the benchmark set (ZestawBenchmarku.h: 10 estimates, 50,000 positions in
// 2,000 elements) with every option on:
//   - building the workbook and saving the .xls: target under 300 ms ("cel" = time / target), and the
//     memory it takes beyond the estimates ("MB", target under 150 MB);
//   - the same workbook through libxlsxwriter as .xlsx, timed for comparison.
#include "CelBenchmarku.h"
#include "GlownaBenchmarku.h"
#include "ZestawBenchmarku.h"

#include "xls/EksportElementuXls.h"
#include "xls/EksportElementuXlsOpt.h"
#include "xls/Skoroszyt.h"
#include "xls/ZapisXlsx.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace zestaw_benchmarku;

// The peak resident memory of the process so far, in kB.
long SzczytPamieciKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linia : status.readAll().split('\n'))
        if (linia.startsWith("VmHWM:"))
            return linia.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

struct TDane
{
    TDane()
    {
        ZbudujListe(*Zestaw.SpisSpecyfikacji());
        ZbudujKosztorysy(Zestaw, Katalog.path());
        for (int k = 0; k < Zestaw.KosztorysyCount(); ++k) {
            Zestaw.GetKosztorys(k)->DlaKazdejPozycji([](TPozycjaRds& p) {
                p.SetRj(QStringLiteral("12,40"));
                p.SetMj(QStringLiteral("30.10"));
                p.SetSj(QStringLiteral("2,70"));
            });
            Kosztorysy.push_back(Zestaw.GetKosztorys(k));
        }
    }

    std::unique_ptr<TEksportElementuXls> Eksport() const
    {
        auto eksport = std::make_unique<TEksportElementuXls>(Kosztorysy);
        auto& o = eksport->OpcjeEksportu();
        o.WstawTytul = o.WstawOpis = o.WstawTytulKosztorysu = o.ChronArkusz = o.EksportujCenyZKosztorysu = true;
        o.Tytul = QStringLiteral("FORMULARZ OFERTOWY");
        o.Opis = QStringLiteral("Przebudowa drogi gminnej\nodcinek 1");
        o.HasloOchrony = QStringLiteral("tajne");
        eksport->SciezkaDoPliku = Katalog.path();
        return eksport;
    }

    QTemporaryDir Katalog;
    TZestawST Zestaw;
    std::vector<TKosztorys*> Kosztorysy;
};

TDane& Dane()
{
    static TDane dane;
    return dane;
}

void BM_EksportXls(benchmark::State& stan)
{
    auto& dane = Dane();
    const long przed = SzczytPamieciKb();
    for (auto _ : stan) {
        auto eksport = dane.Eksport();
        eksport->NazwaPliku = QStringLiteral("formularz");
        benchmark::DoNotOptimize(eksport->Eksportuj());
    }
    Cel(stan, 0.300);
    stan.counters["MB"] = double(SzczytPamieciKb() - przed) / 1024.0;
}
BENCHMARK(BM_EksportXls)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_EksportXlsx(benchmark::State& stan)
{
    auto& dane = Dane();
    for (auto _ : stan) {
        auto eksport = dane.Eksport();
        eksport->NazwaPliku = QStringLiteral("formularz.xlsx");
        benchmark::DoNotOptimize(eksport->Eksportuj());
    }
}
BENCHMARK(BM_EksportXlsx)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

VELOSTRA_BENCHMARK_MAIN()
