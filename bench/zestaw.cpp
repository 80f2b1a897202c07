// A set of 10 estimates with 50,000 positions in all, bound to a list of 20,000 specifications:
// matching every position against the list and rebuilding the collection (target under 100 ms), and
// opening and saving the set's file (targets under 500 ms each). The positions carry numbers of the
// list (a tenth with a variant), numbers the list lacks and no number at all, as real estimates do; each
// estimate draws on some 400 specifications of its own, so the collection has a few thousand entries.
#include "app/Konfiguracja.h"
#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "zestaw/DopasowanieSpecyfikacji.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Kosztorysow = 10;
constexpr int ElementowWKosztorysie = 200;
constexpr int PozycjiWElemencie = 25; // 10 * 200 * 25 = 50,000
constexpr int Pozycji = Kosztorysow * ElementowWKosztorysie * PozycjiWElemencie;

QStringList Numery;

void ZbudujListe(TSpisST& spis)
{
    for (int r = 0; r < 10; ++r) {
        auto rodzaj = std::make_unique<TSpecyfikacja>(QStringLiteral("R-%1").arg(r), false, true, QString(), QString(),
                                                      QStringLiteral("Rodzaj robót"));
        for (int g = 0; g < 100; ++g) {
            auto grupa = std::make_unique<TSpecyfikacja>(QStringLiteral("G-%1.%2").arg(r).arg(g), false, true,
                                                         QString(), QString(), QStringLiteral("Grupa robót"));
            for (int s = 0; s < 20; ++s) {
                const QString numer =
                    QStringLiteral("D-%1.%2.%3").arg(r).arg(g, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
                auto spec = std::make_unique<TSpecyfikacja>(numer, r == 0 && g == 0 && s == 0, false, QString(),
                                                            QString(), QStringLiteral("Specyfikacja ") + numer);
                if (s % 5 == 0)
                    spec->AddWariant(std::make_unique<TWariantSpecyfikacji>(
                        QStringLiteral("A"), QStringLiteral("wariant"), QString(), QString()));
                Numery << numer;
                grupa->Add(std::move(spec));
            }
            rodzaj->Add(std::move(grupa));
        }
        spis.Add(std::move(rodzaj));
    }
}

QString NumerPozycji(int i)
{
    if (i % 20 == 7)
        return QString();
    if (i % 20 == 13)
        return QStringLiteral("X-%1").arg(i);
    // An estimate covers a few kinds of works: its positions draw on some 400 specifications of the list,
    // each estimate on others.
    const int kosztorys = i / (ElementowWKosztorysie * PozycjiWElemencie);
    const int s = (kosztorys * 1931 + (i * 7919) % 400) % static_cast<int>(Numery.size());
    // Every fifth specification has variant "A": a tenth of the positions name it.
    return s % 5 == 0 && i % 2 == 0 ? Numery[s] + QStringLiteral("#A") : Numery[s];
}

void ZbudujKosztorysy(TZestawST& zestaw, const QString& folder)
{
    int i = 0;
    for (int k = 0; k < Kosztorysow; ++k) {
        const QString sciezka = folder + QStringLiteral("/kosztorys%1.rds").arg(k);
        auto kosztorys = TKosztorysFactory::GetKosztorys(sciezka, false, zestaw.Ustawienia());
        kosztorys->FilePath().SetPath(sciezka);
        kosztorys->SetTytul(QStringLiteral("Kosztorys %1").arg(k));
        for (int e = 0; e < ElementowWKosztorysie; ++e) {
            TElementRds* element = kosztorys->AddElement(
                std::make_unique<TElementRds>(QString::number(e + 1), 1, QStringLiteral("Element robót %1").arg(e)));
            for (int p = 0; p < PozycjiWElemencie; ++p, ++i) {
                auto pozycja = std::make_unique<TPozycjaRds>();
                pozycja->SetId(QString::number(i));
                pozycja->SetNr(QStringLiteral("%1.%2").arg(e + 1).arg(p + 1));
                pozycja->SetST(NumerPozycji(i));
                pozycja->SetPodstawa(QStringLiteral("KNR 2-31 0114-05"));
                pozycja->SetOpis(
                    QStringLiteral("Podbudowa z kruszywa łamanego stabilizowanego mechanicznie, grubość 20 cm"));
                pozycja->SetJm(QStringLiteral("m2"));
                pozycja->SetIlosc(QStringLiteral("1520,50"));
                pozycja->SetCena(QStringLiteral("45,20"));
                element->AddPozycja(std::move(pozycja));
            }
        }
        zestaw.AddKosztorys(std::move(kosztorys));
    }
}

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
        // The paths of the set's estimates and list ask the configuration for the user folder.
        static TOknoBezEkranu okno;
        TKonfiguracja::GetInstance(&okno, false);
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

BENCHMARK_MAIN();
