// Reading and writing Rodos (".rds") and Rodos 7 (".rds7") estimates of 5,000, 50,000 and 200,000
// positions, 25 positions to an element (50,000 positions in 2,000 elements is the main case).
// Items are positions (items_per_second is the rate); writing is the copy with every position's ST number
// changed. Reading also reports the memory of the tree and the peak of the reading per position
// ("drzewo_B_poz", "szczyt_B_poz", see PamiecBenchmarku.h).
#include "GlownaBenchmarku.h"
#include "app/Kodowanie.h"
#include "app/Konfiguracja.h"
#include "estimates/KosztorysRds.h"
#include "estimates/KosztorysRds7.h"

#include "PamiecBenchmarku.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include <benchmark/benchmark.h>

namespace {

constexpr int PozycjiWElemencie = 25;

void Konfiguracja()
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    (void)konfiguracja;
}

// A generated estimate: elements of levels 0 and 1, simple positions, inactive ones, and every tenth
// position an aggregate of two components; one Rodos 7 quantity in five is an expression.
QString Kosztorys(int pozycji, bool rds7)
{
    QString t;
    t.reserve(static_cast<qsizetype>(pozycji) * 420);
    t += QStringLiteral("[KOSZTORYS]\r\nID_KS=KS-BENCH\r\nNazwa=Przebudowa drogi powiatowej\r\n\r\n");
    const int elementow = (pozycji + PozycjiWElemencie - 1) / PozycjiWElemencie;
    int id = 0;
    for (int e = 0; e < elementow; ++e) {
        t += QStringLiteral("[ELEM]\r\nNr=%1\r\nOpis=Roboty drogowe, odcinek %1\r\nPZ=%2\r\n\r\n")
                 .arg(e)
                 .arg(e % 10 == 0 ? 0 : 1);
        for (int p = 0; p < PozycjiWElemencie && id < pozycji; ++p, ++id) {
            const bool agregat = p % 10 == 9;
            t += agregat ? QStringLiteral("[AGR]") : (p % 7 == 3 ? QStringLiteral("[POZ]-") : QStringLiteral("[POZ]"));
            t += QStringLiteral("\r\nID=%1\r\nNr=%2.%3\r\nST=D-04.04.%4%5\r\n")
                     .arg(id)
                     .arg(e)
                     .arg(p)
                     .arg(p % 20, 2, 10, QLatin1Char('0'))
                     .arg(p % 3 == 0 ? QStringLiteral("#2") : QString());
            t += QStringLiteral(
                "Kat=KNR 2-31\r\nTabl=0114\r\nTekst=05\r\n"
                "Opis=Podbudowa z kruszywa łamanego stabilizowanego mechanicznie, warstwa dolna gr. 20 cm\r\n"
                "Jm=m2\r\n");
            // One Rodos 7 quantity in five is an expression, the others plain numbers.
            t += rds7 && p % 5 == 0 ? QStringLiteral("Ilość=2*(62,75+1,5)\r\n") : QStringLiteral("Ilość=125,5\r\n");
            t += QStringLiteral("Cena=38,40\r\n\r\n");
            if (agregat)
                for (int s = 0; s < 2; ++s)
                    t += QStringLiteral("[POZ]\r\nID=%1-%2\r\nAgrID=%1\r\nOpis=Kruszywo łamane 0/31,5\r\nJm=t\r\n"
                                        "Ilość=0,45\r\nCena=62.10\r\n\r\n")
                             .arg(id)
                             .arg(s);
        }
    }
    return t;
}

QByteArray Dane(int pozycji, bool rds7)
{
    const QString tekst = Kosztorys(pozycji, rds7);
    return rds7 ? QByteArrayLiteral("\xEF\xBB\xBF") + tekst.toUtf8() : NaWindows1250(tekst);
}

template <typename TKlasa> void Czytanie(benchmark::State& stan, bool rds7)
{
    Konfiguracja();
    const int pozycji = static_cast<int>(stan.range(0));
    const QByteArray dane = Dane(pozycji, rds7);
    for (auto _ : stan) {
        TKlasa kosztorys;
        kosztorys.WczytajZDanych(dane);
        benchmark::DoNotOptimize(kosztorys.Count());
    }
    stan.SetItemsProcessed(stan.iterations() * pozycji);
    stan.SetBytesProcessed(stan.iterations() * dane.size());
    PamiecBenchmarku::Zmierz(stan, pozycji, [&dane] {
        auto kosztorys = std::make_unique<TKlasa>();
        kosztorys->WczytajZDanych(dane);
        return kosztorys;
    });
}

// The copy's bytes, every position with a new ST number.
template <typename TKlasa> void Zapis(benchmark::State& stan, bool rds7)
{
    Konfiguracja();
    const int pozycji = static_cast<int>(stan.range(0));
    const QByteArray dane = Dane(pozycji, rds7);
    TKlasa kosztorys;
    kosztorys.WczytajZDanych(dane);
    int i = 0;
    kosztorys.DlaKazdejPozycji([&i](TPozycjaRds& p) { p.SetST(QStringLiteral("D-05.03.%1").arg(i++ % 30)); });
    for (auto _ : stan)
        benchmark::DoNotOptimize(kosztorys.ZapiszDoDanych(dane));
    stan.SetItemsProcessed(stan.iterations() * pozycji);
    stan.SetBytesProcessed(stan.iterations() * dane.size());
}

// SaveFile as the program calls it: read the source, build the copy, write it safely to disk.
template <typename TKlasa> void ZapisPliku(benchmark::State& stan, bool rds7)
{
    Konfiguracja();
    const int pozycji = static_cast<int>(stan.range(0));
    QTemporaryDir katalog;
    const QString zrodlo = katalog.filePath(rds7 ? QStringLiteral("k.rds7") : QStringLiteral("k.rds"));
    QFile plik(zrodlo);
    if (!plik.open(QIODevice::WriteOnly) || plik.write(Dane(pozycji, rds7)) < 0) {
        stan.SkipWithError("cannot write the source");
        return;
    }
    plik.close();
    TKlasa kosztorys(zrodlo);
    kosztorys.WczytajKosztorys();
    for (auto _ : stan)
        kosztorys.SaveFile(katalog.filePath(QStringLiteral("kopia")));
    stan.SetItemsProcessed(stan.iterations() * pozycji);
}

} // namespace

static void BM_CzytanieRds(benchmark::State& stan)
{
    Czytanie<TKosztorysRds>(stan, false);
}
static void BM_ZapisRds(benchmark::State& stan)
{
    Zapis<TKosztorysRds>(stan, false);
}
static void BM_ZapisPlikuRds(benchmark::State& stan)
{
    ZapisPliku<TKosztorysRds>(stan, false);
}
static void BM_CzytanieRds7(benchmark::State& stan)
{
    Czytanie<TKosztorysRds7>(stan, true);
}
static void BM_ZapisRds7(benchmark::State& stan)
{
    Zapis<TKosztorysRds7>(stan, true);
}
static void BM_ZapisPlikuRds7(benchmark::State& stan)
{
    ZapisPliku<TKosztorysRds7>(stan, true);
}

BENCHMARK(BM_CzytanieRds)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZapisRds)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZapisPlikuRds)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CzytanieRds7)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZapisRds7)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZapisPlikuRds7)->Arg(50000)->Unit(benchmark::kMillisecond);

VELOSTRA_BENCHMARK_MAIN()
