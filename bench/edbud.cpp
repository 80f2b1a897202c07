// An Edbud estimate of 20,000 positions in 400 chapters: reading it (target under 1 s) and writing its
// copy with every position's ST number in "ts" (target under 2 s).
#include "GlownaBenchmarku.h"
#include "app/Konfiguracja.h"
#include "estimates/edbud/GeneratorJet4.h"
#include "estimates/edbud/KosztorysEdbud.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Rozdzialow = 400;
constexpr int PozycjiWRozdziale = 50;

struct TDane
{
    QTemporaryDir Katalog;
    QString Plik;
};

TDane& Dane()
{
    static TDane* dane = [] {
        static TOknoBezEkranu okno;
        TKonfiguracja::GetInstance(&okno, false);
        auto* d = new TDane;
        std::vector<TRozdzialEdbud> rozdzialy;
        std::vector<TPozycjaEdbud> pozycje;
        for (int r = 0; r < Rozdzialow; ++r) {
            rozdzialy.push_back({r + 1, QString::number(r + 1), QStringLiteral("Rozdział robót %1").arg(r + 1), r});
            for (int p = 0; p < PozycjiWRozdziale; ++p) {
                const int id = r * PozycjiWRozdziale + p + 1;
                pozycje.push_back({id, r + 1, QStringLiteral("%1.%2").arg(r + 1).arg(p + 1),
                                   QStringLiteral("KNR 2-31 0114-05"),
                                   QStringLiteral("Podbudowa z kruszywa łamanego stabilizowanego mechanicznie"),
                                   QStringLiteral("M2"), QStringLiteral("1520,50"),
                                   p % 3 == 0 ? QVariant() : QVariant(QStringLiteral("D-04.04.02")), 45.2, p});
            }
        }
        TGeneratorJet4 g = GeneratorKosztorysuEdbud(rozdzialy, pozycje);
        g.UstawZapasStrony(600); // room on every page for the numbers written back
        d->Plik = d->Katalog.filePath(QStringLiteral("kosztorys.mdb"));
        g.Zapisz(d->Plik);
        return d;
    }();
    return *dane;
}

void BM_CzytajEdbud(benchmark::State& stan)
{
    for (auto _ : stan) {
        TKosztorysEdbud k(Dane().Plik);
        k.WczytajKosztorys();
        benchmark::DoNotOptimize(k.Count());
    }
    stan.counters["pozycje/s"] =
        benchmark::Counter(Rozdzialow * PozycjiWRozdziale, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CzytajEdbud)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ZapiszEdbud(benchmark::State& stan)
{
    TKosztorysEdbud k(Dane().Plik);
    k.WczytajKosztorys();
    // Every position gets a number, longer than most stored ones.
    for (int e = 0; e < k.ElementyCount(); ++e)
        for (int i = 0; i < k.GetElement(e)->PozycjeCount(); ++i)
            k.GetElement(e)->GetPozycja(i)->SetST(QStringLiteral("D-05.03.05#%1").arg(i % 3));
    const QString kopia = Dane().Katalog.filePath(QStringLiteral("kopia.mdb"));
    for (auto _ : stan)
        k.SaveFile(kopia);
    stan.counters["pozycje/s"] =
        benchmark::Counter(Rozdzialow * PozycjiWRozdziale, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ZapiszEdbud)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

VELOSTRA_BENCHMARK_MAIN()
