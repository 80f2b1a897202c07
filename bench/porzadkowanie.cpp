// Ordering the benchmark list (20,000 specifications, a 50 KB document each) into folders:
//   - the dry run: target under 200 ms ("cel" = time / target, under 1 meets it);
//   - the copying: at disk speed, at least 80% of "cp -r" of the same files in the same run ("wzgledem cp"
//     = time of cp -r / time of ordering, at least 0.8 meets it).
#include "CelBenchmarku.h"
#include "GlownaBenchmarku.h"
#include "ZestawBenchmarku.h"

#include "workflow/PorzadkowanieSpisu.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace zestaw_benchmarku;

constexpr int RozmiarDokumentu = 50 * 1024;

struct TDane
{
    TDane()
    {
        const QString dokumenty = Katalog.filePath(QStringLiteral("Specyfikacje"));
        QDir().mkpath(dokumenty);
        ZbudujListe(Spis);
        const QByteArray tresc(RozmiarDokumentu, 'x');
        // Every specification gets a document of its own.
        std::function<void(TSpecyfikacja&)> przypisz = [&](TSpecyfikacja& w) {
            for (int i = 0; i < w.Count(); ++i) {
                TSpecyfikacja& d = *w.GetSpecyfikacja(i);
                if (d.CzyGrupa()) {
                    przypisz(d);
                    continue;
                }
                const QString plik = dokumenty + QLatin1Char('/') + d.Numer() + QStringLiteral(".doc");
                QFile f(plik);
                if (f.open(QIODevice::WriteOnly))
                    f.write(tresc);
                f.close();
                d.SetPlik(plik);
            }
        };
        przypisz(Spis);
        Spis.Zapisz(Katalog.filePath(QStringLiteral("lista.sst")));
    }

    QTemporaryDir Katalog;
    TSpisST Spis;
};

TDane& Dane()
{
    static TDane* dane = new TDane;
    return *dane;
}

TOpcjePorzadkowania Opcje(const QString& cel)
{
    TOpcjePorzadkowania o;
    o.FolderDocelowy = cel;
    o.Struktura = TOpcjePorzadkowania::StrukturaNumerIOpis;
    o.Nadpisuj = true;
    return o;
}

void BM_PorzadkowanieProba(benchmark::State& stan)
{
    const QString cel = Dane().Katalog.filePath(QStringLiteral("proba"));
    QDir().mkpath(cel);
    int plikow = 0;
    for (auto _ : stan) {
        TPorzadkowanieSpisu p(Dane().Spis, Opcje(cel));
        plikow = p.Zaplanuj();
    }
    stan.counters["dokumenty"] = plikow;
    Cel(stan, 0.2);
}
BENCHMARK(BM_PorzadkowanieProba)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_PorzadkowanieKopia(benchmark::State& stan)
{
    double porzadkowanie = 0;
    double cp = 0;
    for (auto _ : stan) {
        const QString cel = Dane().Katalog.filePath(QStringLiteral("cel"));
        const QString celCp = Dane().Katalog.filePath(QStringLiteral("cp"));
        QDir(cel).removeRecursively();
        QDir(celCp).removeRecursively();
        QDir().mkpath(cel);
        QElapsedTimer zegar;
        zegar.start();
        TPorzadkowanieSpisu p(Dane().Spis, Opcje(cel));
        p.Zaplanuj();
        TPorzadkowanieLogger raport(Dane().Katalog.filePath(QStringLiteral("raport.txt")), QStringLiteral("lista"));
        if (!p.Kopiuj(
                raport, [] { return false; }, [] {}))
            stan.SkipWithError("copying failed");
        const double t = static_cast<double>(zegar.nsecsElapsed()) / 1e9;
        porzadkowanie += t;
        stan.SetIterationTime(t);
        zegar.restart();
        QProcess::execute(QStringLiteral("cp"),
                          {QStringLiteral("-r"), Dane().Katalog.filePath(QStringLiteral("Specyfikacje")), celCp});
        cp += static_cast<double>(zegar.nsecsElapsed()) / 1e9;
    }
    stan.counters["MB/s"] = benchmark::Counter(20000.0 * RozmiarDokumentu / (1024.0 * 1024.0),
                                               benchmark::Counter::kIsIterationInvariantRate);
    stan.counters["wzgledem cp"] = porzadkowanie > 0 ? cp / porzadkowanie : 0;
}
BENCHMARK(BM_PorzadkowanieKopia)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

VELOSTRA_BENCHMARK_MAIN()
