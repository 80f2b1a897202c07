// The set controller on the benchmark set (ZestawBenchmarku.h), as the window drives it:
//   - opening the set file with its list of 20,000 specifications, models filled: target under 1.5 s;
//   - one number given to all 50,000 positions with "Zmień we wszystkich kosztorysach": under 100 ms;
//   - filtering the pop-up number list of 20,000 numbers per keystroke: under 10 ms.
// Each prints its share of the target ("cel" = time / target; under 1 meets it).
#include "CelBenchmarku.h"
#include "ZestawBenchmarku.h"
#include "app/DuzeStrony.h"

#include "app/Konfiguracja.h"
#include "app/OknoKonfiguracji.h"
#include "specs/KonfiguracjaZestawu.h"
#include "workflow/CzekanieNaOtwarcie.h"
#include "workflow/UzytkownikBezOkna.h"
#include "workflow/WidokBezOkna.h"
#include "workflow/ZestawController.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace zestaw_benchmarku;

// Every question "Nie", every dialog cancelled; a number goes to every estimate of the set.
class TUzytkownikBenchmarku : public TUzytkownikBezOkna
{
public:
    std::optional<TWyborPozostalych> WyborDlaPozostalychPozycji(const QString&, bool, int) override
    {
        return TWyborPozostalych{3, false};
    }
};

struct TDane
{
    TDane()
    {
        TKonfiguracja& k = *TKonfiguracja::GetInstance(&Okno, false);
        k.SetUserPath(Katalog.path());
        k.CzyKorzystajZWariantow = true;
        TUstawieniaKosztorysu u = TUstawieniaKosztorysu::ZKonfiguracji(k);
        TZestawST zestaw(u);
        ZbudujListe(*zestaw.SpisSpecyfikacji());
        zestaw.SpisSpecyfikacji()->Zapisz(Katalog.filePath(QStringLiteral("lista.sst")));
        ZbudujKosztorysy(zestaw, Katalog.path());
        Plik = Katalog.filePath(QStringLiteral("zestaw.zst"));
        zestaw.Zapisz(Plik);
        Kontroler = std::make_unique<TZestawController>(k, Widok, Uzytkownik);
    }

    TOknoBezEkranu Okno;
    QTemporaryDir Katalog;
    QString Plik;
    TWidokBezOkna Widok;
    TUzytkownikBenchmarku Uzytkownik;
    std::unique_ptr<TZestawController> Kontroler;
};

TDane& Dane()
{
    static TDane* dane = new TDane;
    return *dane;
}

void BM_OtworzZestawKontrolerem(benchmark::State& stan)
{
    TZestawController& k = *Dane().Kontroler;
    for (auto _ : stan)
        k.OtworzZestaw(Dane().Plik);
    if (k.Zestaw().KosztorysyCount() != 10 || k.Spis().IleSpecyfikacji(true) != 20000)
        stan.SkipWithError("the set was not opened whole");
    stan.counters["wiersze pozycji"] = k.ListaPozycji().Wierszy();
    stan.counters["wiersze zbioru"] = k.ZbiorSt().Wierszy();
    Cel(stan, 1.5);
}
BENCHMARK(BM_OtworzZestawKontrolerem)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_PrzypiszWszystkim(benchmark::State& stan)
{
    TZestawController& k = *Dane().Kontroler;
    if (k.Zestaw().KosztorysyCount() == 0)
        k.OtworzZestaw(Dane().Plik);
    // Every position carries one number; each round moves all of them to the other one.
    const QStringList numery{QStringLiteral("D-1.01.01"), QStringLiteral("D-2.02.02")};
    for (int i = 0; i < k.Zestaw().KosztorysyCount(); ++i)
        k.Zestaw().GetKosztorys(i)->DlaKazdejPozycji([&](TPozycjaRds& p) { p.SetST(numery[0]); });
    TPozycjaRds* pozycja = k.Zestaw().GetKosztorys(0)->ZnajdzPozycje([](const TPozycjaRds&) { return true; });
    k.WyswietlPozycje(pozycja->Parent);
    int runda = 0;
    for (auto _ : stan)
        k.ZmienNumerPozycji(pozycja, numery[++runda % 2], 3);
    int zmienione = 0;
    for (int i = 0; i < k.Zestaw().KosztorysyCount(); ++i)
        k.Zestaw().GetKosztorys(i)->DlaKazdejPozycji([&](TPozycjaRds& p) { zmienione += p.ST() == pozycja->ST(); });
    if (zmienione != Pozycji)
        stan.SkipWithError("not every position got the number");
    stan.counters["pozycje"] = zmienione;
    Cel(stan, 0.1);
}
BENCHMARK(BM_PrzypiszWszystkim)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FiltrListyPodpowiedzi(benchmark::State& stan)
{
    TZestawController& k = *Dane().Kontroler;
    if (k.Spis().Count() == 0)
        k.OtworzZestaw(Dane().Plik);
    const QStringList wpisane{QStringLiteral("d"), QStringLiteral("d-5"), QStringLiteral("d-5.4"),
                              QStringLiteral("d-5.42")};
    int i = 0;
    for (auto _ : stan)
        k.OdswiezPopupListView(wpisane[i++ % wpisane.size()], nullptr, true, false);
    stan.counters["numery"] = static_cast<double>(Numery.size());
    Cel(stan, 0.01);
}
BENCHMARK(BM_FiltrListyPodpowiedzi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    UruchomZDuzymiStronami(argv);
    // The open jobs reach the main thread through the application's event loop when nobody waits.
    QCoreApplication aplikacja(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
