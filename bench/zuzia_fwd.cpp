// Reading and copying Zuzia and FWD estimates of 5,000 / 50,000 / 200,000 positions, 25 positions to an
// element (50,000 positions in 2,000 elements is the main case), in positions per second. "szczyt_MB" is
// the peak resident memory of the process so far: run one case alone to read its own peak. Reading also
// reports the memory of the tree and the peak of the reading per position ("drzewo_B_poz",
// "szczyt_B_poz", see PamiecBenchmarku.h). Copies are
// written as the program writes them (safe write, flushed to disk); CPU time is what the rate counts.
#include "GlownaBenchmarku.h"
#include "app/Kodowanie.h"
#include "app/Konfiguracja.h"
#include "estimates/KosztorysFwdSt.h"
#include "estimates/KosztorysZuzia.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "PamiecBenchmarku.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

namespace {

constexpr int PozycjiNaElement = 25;

void Konfiguracja()
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    (void)konfiguracja;
}

double SzczytMB()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_maxrss) / 1024.0;
}

QString Zapisz(const QTemporaryDir& katalog, const QString& nazwa, const QByteArray& dane)
{
    const QString sciezka = katalog.filePath(nazwa);
    QFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly) || plik.write(dane) != dane.size())
        std::abort();
    return sciezka;
}

QByteArray Zuzia(int pozycji)
{
    QString x;
    x.reserve(pozycji * 340);
    x += QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Kosztorys>\r\n"
                        "  <Narzuty>\r\n    <VAT Suma=\"23\"/>\r\n  </Narzuty>\r\n");
    for (int e = 0; e * PozycjiNaElement < pozycji; ++e) {
        x += QStringLiteral("  <Rozdzial Nr=\"%1\">\r\n    <Nazwa>Roboty ziemne – odcinek %1</Nazwa>\r\n").arg(e + 1);
        for (int i = 0; i < PozycjiNaElement && e * PozycjiNaElement + i < pozycji; ++i) {
            const int n = e * PozycjiNaElement + i;
            x += QStringLiteral(
                     "    <Pozycja Id=\"P%1\" Nr=\"%2.%3\" Jedn=\"m3\" Ilosc=\"12.345\" Wartosc=\"1234,56\"%4>\r\n"
                     "      <Nazwa>Wykopy oraz przekopy wykonywane koparkami podsiębiernymi, grunt kat. III, poz. "
                     "%1</Nazwa>\r\n"
                     "      <Katalog Nazwa=\"KNR 2-01\" Nr=\"0218\" Tab=\"02\" Kol=\"03\"/>\r\n")
                     .arg(n)
                     .arg(e + 1)
                     .arg(i + 1)
                     .arg(n % 10 == 9 ? QStringLiteral(" Blok=\"-1\"") : QString());
            if (n % 2 == 0)
                x += QStringLiteral("      <Sst Nr=\"D-02.01.01\"/>\r\n");
            x += QStringLiteral("    </Pozycja>\r\n");
        }
        x += QStringLiteral("  </Rozdzial>\r\n");
    }
    x += QStringLiteral("</Kosztorys>\r\n");
    return NaWindows1250(x);
}

QByteArray Fwd(int pozycji)
{
    QString x;
    x.reserve(pozycji * 420);
    x += QStringLiteral(
        "[KOSZTORYS "
        "FWD]\r\nwersja_FWD=1.0\r\nprogram=Generator\r\nwersja_programu=1\r\nstrona_kodowa=Windows-1250\r\n\r\n"
        "[STRONA TYTULOWA]\r\nrodzaj_kosztorysu=Kosztorys ofertowy\r\nopis_roboty=Przebudowa drogi\r\n"
        "wartosc_netto=0\r\n\r\n");
    for (int e = 0; e * PozycjiNaElement < pozycji; ++e) {
        x += QStringLiteral("[POZIOM STRUKTURY]\r\nid=%1\r\npoziom=%2\r\nlp=%1\r\nrodzaj=dział\r\nopis=Roboty ziemne – "
                            "odcinek %1\r\n\r\n")
                 .arg(e + 1)
                 .arg(e % 4 == 0 ? 1 : 2);
        for (int i = 0; i < PozycjiNaElement && e * PozycjiNaElement + i < pozycji; ++i) {
            const int n = e * PozycjiNaElement + i;
            x += QStringLiteral(
                     "[POZYCJA]\r\nid=%1\r\ntyp=1\r\nlp=%2.%3\r\nkatalog_rodzaj=KNR\r\nkatalog_symbol=2-01\r\n"
                     "opis_podstawy=0218-03\r\nopis=Wykopy oraz przekopy wykonywane koparkami podsiębiernymi, poz. "
                     "%1\r\n"
                     "precyzja=2\r\nilosc=12,35\r\njm=m3\r\ncena=18,50\r\nwartosc=228,48\r\n%4\r\n"
                     "[PRZEDMIAR]\r\ntyp=1\r\nwyrazenie=2,5*4,94\r\nwynik=12,35\r\n\r\n")
                     .arg(n)
                     .arg(e + 1)
                     .arg(i + 1)
                     .arg(n % 2 == 0 ? QStringLiteral("spec_techn=D-02.01.01\r\n") : QString());
        }
    }
    x += QStringLiteral("[KONIEC]\r\n");
    return NaWindows1250(x);
}

template <typename TKosztorysFormatu>
void Czytanie(benchmark::State& stan, QByteArray (*generuj)(int), const char* rozszerzenie)
{
    Konfiguracja();
    const int pozycji = static_cast<int>(stan.range(0));
    const QTemporaryDir katalog;
    const QString plik = Zapisz(katalog, QStringLiteral("kosztorys") + QLatin1String(rozszerzenie), generuj(pozycji));
    for (auto _ : stan) {
        auto kosztorys = std::make_unique<TKosztorysFormatu>(plik);
        benchmark::DoNotOptimize(kosztorys->Count());
        // Freeing the tree is not reading it.
        stan.PauseTiming();
        kosztorys.reset();
        stan.ResumeTiming();
    }
    stan.SetItemsProcessed(stan.iterations() * pozycji);
    stan.counters["szczyt_MB"] = SzczytMB();
    PamiecBenchmarku::Zmierz(stan, pozycji, [&plik] { return std::make_unique<TKosztorysFormatu>(plik); });
}

template <typename TKosztorysFormatu>
void Zapis(benchmark::State& stan, QByteArray (*generuj)(int), const char* rozszerzenie)
{
    Konfiguracja();
    const int pozycji = static_cast<int>(stan.range(0));
    const QTemporaryDir katalog;
    const QString plik = Zapisz(katalog, QStringLiteral("kosztorys") + QLatin1String(rozszerzenie), generuj(pozycji));
    TKosztorysFormatu kosztorys(plik);
    int n = 0;
    kosztorys.DlaKazdejPozycji([&n](TPozycjaRds& p) { p.SetST(QStringLiteral("D-%1.01.01").arg(++n % 40)); });
    const QString kopia = katalog.filePath(QStringLiteral("kopia") + QLatin1String(rozszerzenie));
    for (auto _ : stan)
        kosztorys.SaveFile(kopia);
    stan.SetItemsProcessed(stan.iterations() * pozycji);
    stan.counters["szczyt_MB"] = SzczytMB();
}

void BM_ZuziaCzytanie(benchmark::State& stan)
{
    Czytanie<TKosztorysZuzia>(stan, Zuzia, ".xml");
}
void BM_ZuziaZapis(benchmark::State& stan)
{
    Zapis<TKosztorysZuzia>(stan, Zuzia, ".xml");
}
void BM_FwdCzytanie(benchmark::State& stan)
{
    Czytanie<TKosztorysFwdSt>(stan, Fwd, ".fwd");
}
void BM_FwdZapis(benchmark::State& stan)
{
    Zapis<TKosztorysFwdSt>(stan, Fwd, ".fwd");
}

} // namespace

BENCHMARK(BM_ZuziaCzytanie)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZuziaZapis)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FwdCzytanie)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FwdZapis)->Arg(5000)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);

VELOSTRA_BENCHMARK_MAIN()
