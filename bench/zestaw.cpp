// The benchmark set (ZestawBenchmarku.h): matching every position against the list and rebuilding the
// collection (target under 100 ms), and opening and saving the set's file (targets under 500 ms each).
#include "GlownaBenchmarku.h"
#include "ZestawBenchmarku.h"

#include "zestaw/DopasowanieSpecyfikacji.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace zestaw_benchmarku;

TUstawieniaKosztorysu ZWariantami()
{
    TUstawieniaKosztorysu u;
    u.Warianty.CzyKorzystajZWariantow = true;
    return u;
}

struct TDane
{
    QTemporaryDir Katalog;
    TZestawST Zestaw{ZWariantami()};
    QByteArray Plik;
};

TDane& Dane()
{
    static TDane* dane = [] {
        auto* d = new TDane;
        ZbudujListe(*d->Zestaw.SpisSpecyfikacji());
        ZbudujKosztorysy(d->Zestaw, d->Katalog.path());
        d->Zestaw.GetZbiorST()->Add(QStringLiteral("D-0.00.01"));
        d->Plik = d->Zestaw.ZapiszDoBajtow();
        return d;
    }();
    return *dane;
}

void BM_Dopasowanie(benchmark::State& stan)
{
    TZestawST& zestaw = Dane().Zestaw;
    for (auto _ : stan)
        DopasujSpecyfikacje(zestaw);
    stan.counters["pozycje/s"] = benchmark::Counter(Pozycji, benchmark::Counter::kIsIterationInvariantRate);
    stan.counters["wpisy zbioru"] = zestaw.GetZbiorST()->Count();
}
BENCHMARK(BM_Dopasowanie)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OtworzZestaw(benchmark::State& stan)
{
    const QString plik = Dane().Katalog.filePath(QStringLiteral("zestaw.zst"));
    Dane().Zestaw.Zapisz(plik);
    for (auto _ : stan) {
        auto zestaw = std::make_unique<TZestawST>();
        zestaw->Otworz(plik);
        stan.PauseTiming();
        zestaw.reset();
        stan.ResumeTiming();
    }
    stan.counters["pozycje/s"] = benchmark::Counter(Pozycji, benchmark::Counter::kIsIterationInvariantRate);
    stan.counters["MB pliku"] = static_cast<double>(Dane().Plik.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_OtworzZestaw)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ZapiszZestaw(benchmark::State& stan)
{
    const QString plik = Dane().Katalog.filePath(QStringLiteral("zapis.zst"));
    for (auto _ : stan)
        Dane().Zestaw.Zapisz(plik);
    stan.counters["pozycje/s"] = benchmark::Counter(Pozycji, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ZapiszZestaw)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

VELOSTRA_BENCHMARK_MAIN()
