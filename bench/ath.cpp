// Reading and writing ATH (".ath") estimates of 5,000, 50,000 and 200,000 positions, 25 positions to
// an element (50,000 positions in 2,000 elements is the main case). Items are positions; writing is
// the copy with every position's ST number changed; szczyt_MB is the process's peak memory while the
// benchmark runs (the tree and source held by the benchmark included, the generation excluded).
#include "GlownaBenchmarku.h"
#include "app/Kodowanie.h"
#include "app/Konfiguracja.h"
#include "app/OknoKonfiguracji.h"
#include "estimates/KosztorysAth1.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int PozycjiWElemencie = 25;

void Konfiguracja()
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    (void)konfiguracja;
}

// A generated estimate as NORMA writes one: a header, elements of levels 1 and 2, positions with every
// key (basis with tabs, a unit with its long name, four prices), every tenth one a transport, ST
// numbers with and without a variant, some positions without one.
QString Kosztorys(int pozycji)
{
    QString t;
    t.reserve(static_cast<qsizetype>(pozycji) * 330);
    t += QStringLiteral("[KOSZTORYS ATHENASOFT]\r\nco=Kosztorys ofertowy\r\npr=NORMA 4.50\r\n"
                        "nt=Przebudowa drogi powiatowej w Łęczycy\r\n\r\n");
    const int elementow = (pozycji + PozycjiWElemencie - 1) / PozycjiWElemencie;
    int id = 0;
    for (int e = 0; e < elementow; ++e) {
        t += QStringLiteral("[ELEMENT %1]\r\nnu=%2\r\nna=Roboty drogowe, odcinek %2\r\n\r\n")
                 .arg(e % 4 == 0 ? 1 : 2)
                 .arg(e + 1);
        for (int p = 0; p < PozycjiWElemencie && id < pozycji; ++p, ++id) {
            t += p % 10 == 9 ? QStringLiteral("[TRANSPORT 2]\r\n") : QStringLiteral("[POZYCJA]\r\n");
            t += QStringLiteral("id=%1\r\nnu=%2\r\npd=KNR\tKNR 2-31\t0114-0%3\t0\r\n")
                     .arg(id + 1)
                     .arg(id + 1)
                     .arg(p % 8);
            t += QStringLiteral(
                "na=Podbudowa z kruszywa łamanego stabilizowanego mechanicznie, warstwa dolna gr. 20 cm\r\n"
                "jm=m2\tmetr kwadratowy\r\nob=1250,5\r\ncj=35,20 4,10 28,60 2,50\r\n");
            if (p % 5 != 4)
                t += QStringLiteral("nsn=D-04.04.%1%2\r\n")
                         .arg(p % 20, 2, 10, QLatin1Char('0'))
                         .arg(p % 3 == 0 ? QStringLiteral("#2") : QString());
            t += QStringLiteral("\r\n");
        }
    }
    return t;
}

// Peak memory of the process from here on, in MB: the peak is reset (Linux), then read back by
// SzczytPamieci, so the generated source does not count.
void ZerujSzczytPamieci()
{
    QFile plik(QStringLiteral("/proc/self/clear_refs"));
    if (plik.open(QIODevice::WriteOnly))
        plik.write("5");
}

double SzczytPamieci()
{
    QFile plik(QStringLiteral("/proc/self/status"));
    if (!plik.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linia : plik.readAll().split('\n'))
        if (linia.startsWith("VmHWM:"))
            return linia.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void Czytanie(benchmark::State& stan)
{
    Konfiguracja();
    const int pozycji = static_cast<int>(stan.range(0));
    const QByteArray dane = NaWindows1250(Kosztorys(pozycji));
    ZerujSzczytPamieci();
    for (auto _ : stan) {
        auto kosztorys = std::make_unique<TKosztorysAth1>();
        kosztorys->WczytajZDanych(dane);
        benchmark::DoNotOptimize(kosztorys->Count());
        // Freeing the tree is not reading; it is left out of the time.
        stan.PauseTiming();
        kosztorys.reset();
        stan.ResumeTiming();
    }
    stan.SetItemsProcessed(stan.iterations() * pozycji);
    stan.SetBytesProcessed(stan.iterations() * dane.size());
    stan.counters["szczyt_MB"] = SzczytPamieci();
}

// The copy's bytes, every position with a new ST number.
void Zapis(benchmark::State& stan)
{
    Konfiguracja();
    const int pozycji = static_cast<int>(stan.range(0));
    const QByteArray dane = NaWindows1250(Kosztorys(pozycji));
    TKosztorysAth1 kosztorys;
    kosztorys.WczytajZDanych(dane);
    int i = 0;
    kosztorys.DlaKazdejPozycji([&i](TPozycjaRds& p) { p.SetST(QStringLiteral("D-05.03.%1").arg(i++ % 30)); });
    ZerujSzczytPamieci();
    for (auto _ : stan)
        benchmark::DoNotOptimize(kosztorys.ZapiszDoDanych(dane));
    stan.SetItemsProcessed(stan.iterations() * pozycji);
    stan.SetBytesProcessed(stan.iterations() * dane.size());
    stan.counters["szczyt_MB"] = SzczytPamieci();
}

// The repaired copy's bytes, every block given an identifier and a number.
void Naprawa(benchmark::State& stan)
{
    Konfiguracja();
    const int pozycji = static_cast<int>(stan.range(0));
    const QByteArray dane = NaWindows1250(Kosztorys(pozycji));
    TKosztorysAth1 kosztorys;
    kosztorys.Indeksuj = true;
    kosztorys.Renumeruj = true;
    for (auto _ : stan)
        benchmark::DoNotOptimize(kosztorys.NaprawDane(dane));
    stan.SetItemsProcessed(stan.iterations() * pozycji);
}

// Reading and SaveFile as the program calls them, through files on disk.
void Pliki(benchmark::State& stan)
{
    Konfiguracja();
    const int pozycji = static_cast<int>(stan.range(0));
    QTemporaryDir katalog;
    const QString zrodlo = katalog.filePath(QStringLiteral("k.ath"));
    QFile plik(zrodlo);
    if (!plik.open(QIODevice::WriteOnly) || plik.write(NaWindows1250(Kosztorys(pozycji))) < 0) {
        stan.SkipWithError("cannot write the source");
        return;
    }
    plik.close();
    ZerujSzczytPamieci();
    for (auto _ : stan) {
        TKosztorysAth1 kosztorys(zrodlo);
        kosztorys.SaveFile(katalog.filePath(QStringLiteral("kopia.ath")));
    }
    stan.SetItemsProcessed(stan.iterations() * pozycji);
    stan.counters["szczyt_MB"] = SzczytPamieci();
}

} // namespace

static void BM_CzytanieAth(benchmark::State& stan)
{
    Czytanie(stan);
}
static void BM_ZapisAth(benchmark::State& stan)
{
    Zapis(stan);
}
static void BM_NaprawaAth(benchmark::State& stan)
{
    Naprawa(stan);
}
static void BM_OdczytIZapisPlikuAth(benchmark::State& stan)
{
    Pliki(stan);
}

BENCHMARK(BM_CzytanieAth)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZapisAth)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NaprawaAth)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OdczytIZapisPlikuAth)->Arg(50000)->Unit(benchmark::kMillisecond);

VELOSTRA_BENCHMARK_MAIN()
