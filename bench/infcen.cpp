// A price-information publication of 100,000 items: reading it (target at most 250 ms) and filtering the
// price chooser per keystroke (target at most 15 ms). "cel" = time / target; under 1 meets it.
#include "prices/InfCen.h"
#include "CelBenchmarku.h"
#include "GlownaBenchmarku.h"
#include "prices/ModelInfCen.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

constexpr int Pozycji = 100000;

struct TDane
{
    TDane()
    {
        Plik = Katalog.filePath(QStringLiteral("informator.xml"));
        std::ofstream f(Plik.toStdString());
        f << "<informator wydawca=\"Wydawca\" wydanie=\"I kwartał\" rok=\"2024\">\n";
        for (int i = 0; i < Pozycji; ++i)
            f << "<pozycja SYMBOL_GL=\"S-" << i << "\" NAZWA=\"Beton towarowy klasy C" << i % 50
              << " z dodatkami\" NAZWA_JM=\"m3\" cj_min_CENA=\"310,50\" cj_max_CENA=\"420,00\" cj_sr_CENA=\"365,25\" "
                 "mnj_CENA=\"12,5\"/>\n";
        f << "<wspolczynniki><w region=\"mazowieckie\" wsp_kub=\"1,05\" wsp_inz=\"0,98\"/></wspolczynniki>\n";
        f << "</informator>\n";
    }

    QTemporaryDir Katalog;
    QString Plik;
};

TDane& Dane()
{
    static TDane* dane = new TDane;
    return *dane;
}

void BM_WczytajInformator(benchmark::State& stan)
{
    for (auto _ : stan) {
        TInfCen i;
        i.WczytajInfCen(Dane().Plik);
        if (i.LiczbaPozycji() != Pozycji)
            stan.SkipWithError("not every item was read");
    }
    stan.counters["pozycje/s"] = benchmark::Counter(Pozycji, benchmark::Counter::kIsIterationInvariantRate);
    Cel(stan, 0.25);
}
BENCHMARK(BM_WczytajInformator)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FiltrInformatora(benchmark::State& stan)
{
    TInfCen i;
    i.WczytajInfCen(Dane().Plik);
    TModelInfCen model(i);
    const QStringList wpisane{QStringLiteral("b"), QStringLiteral("be"), QStringLiteral("beton t"),
                              QStringLiteral("klasy c4")};
    int k = 0;
    for (auto _ : stan)
        model.UstawFiltry(wpisane[k++ % wpisane.size()], QString());
    Cel(stan, 0.015);
}
BENCHMARK(BM_FiltrInformatora)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

VELOSTRA_BENCHMARK_MAIN()
