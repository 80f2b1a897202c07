// A specification list of 20,000 specifications (kinds, groups, elements; units of measure with unit prices
// of all three ways; some variants), with every document on disk: opening and saving it (nodes per
// second, and "x pugixml": the time over pugixml's alone on the same file in the same run, targets at most
// 3 for opening and 2 for saving), the memory an open list takes (target under 200 MB), and matching
// 50,000 numbers, against the plain walk the index replaces.
//
// Two lists of the same tree: argument 0 gives every specification one priced unit and every fourth a
// second one; argument 1 gives every specification two, each price with all its inputs stored (a file
// twice as large: every unit writes three price-information sources). "wezly/s" counts the tree's nodes,
// "elementy/s" the file's XML elements.
#include "app/DuzeStrony.h"
#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "prices/CenaJedn.h"
#include "specs/DuplikatStDialog.h"
#include "specs/DuplikatStHandler.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/LicznikImportuSt.h"
#include "specs/ScalanieList.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <pugixml.hpp>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include <unistd.h>

namespace {

constexpr int Rodzaje = 10;
constexpr int Grupy = 10;
constexpr int Elementy = 10;
constexpr int SpecyfikacjiWElemencie = 20; // 10 * 10 * 10 * 20 = 20,000

std::unique_ptr<QTemporaryDir> Katalog;
QByteArray Pliki[2];
int Elementow[2] = {0, 0};
int Wezlow = 0;
// Nodes, variants and units of measure: every object the reader makes from an element of the file,
// the unit prices apart.
int Obiektow[2] = {0, 0};

int PoliczObiekty(const TSpecyfikacja& w)
{
    int ile = 1 + w.WariantyCount() + w.JmCount();
    for (int i = 0; i < w.WariantyCount(); ++i)
        ile += w.GetWariant(i)->JmCount();
    for (int i = 0; i < w.Count(); ++i)
        ile += PoliczObiekty(*w.GetSpecyfikacja(i));
    return ile;
}
QStringList Numery;

QString NumerSpecyfikacji(int r, int g, int e, int s)
{
    return QStringLiteral("%1-%2.%3.%4")
        .arg(QLatin1Char(r % 2 ? 'B' : 'D'))
        .arg(r * 10 + g, 2, 10, QLatin1Char('0'))
        .arg(e, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

std::unique_ptr<TJmSpecyfikacji> Jednostka(int i)
{
    auto jm = std::make_unique<TJmSpecyfikacji>(i % 2 ? QStringLiteral("m2") : QStringLiteral("m3"),
                                                QStringLiteral("według dokumentacji"), true);
    TCenaJedn& c = *jm->CenaJedn();
    c.UstawDate(QStringLiteral("14.03.2024"));
    switch (i % 3) {
    case 0:
        c.UstawCeneZReki(TCenaJedn::ZrodloZReki, 10.5 + i % 100, 1.1, 0, 0);
        break;
    case 1:
        c.UstawCeneZReki(TCenaJedn::ZrodloRMSj, 0, 1, 0, 0);
        c.UstawCeneRms(12.3, 45.6, 7.89, 1, 1.05, 1, 0, 0, 0, 0, 1.1, 0);
        c.UstawOplata(true, false, true, 3.5);
        break;
    default:
        c.UstawCeneZReki(TCenaJedn::ZrodloInfCen, 0, 1, 0, 0);
        c.GetInfCen1()->UstawInfCen(QStringLiteral("Biuletyn Cen Regionalnych"),
                                    QStringLiteral("%USERPATH%/Ceny/biuletyn.xml"), QStringLiteral("I kw. 2024"),
                                    QStringLiteral("01.02-03"), QStringLiteral("średnia"), 1.05, 0,
                                    {TCena(QStringLiteral("min"), 100), TCena(QStringLiteral("średnia"), 120.4),
                                     TCena(QStringLiteral("max"), 140)});
        break;
    }
    c.Oblicz();
    return jm;
}

int PoliczElementy(const QByteArray& bajty)
{
    return static_cast<int>(bajty.count("<specyfikacja") + bajty.count("<warianty") + bajty.count("<wariant ") +
                            bajty.count("<jednostk") + bajty.count("<cena"));
}

// The two lists, written once to bytes; every document exists.
void Przygotuj()
{
    Katalog = std::make_unique<QTemporaryDir>();
    TKonfiguracja::GetInstance()->SetUserPath(Katalog->path());
    const QString folder = Katalog->path() + QStringLiteral("/Specyfikacje/");
    QDir().mkpath(folder);
    TSpisST spisy[2];
    int licznik = 0;
    for (int r = 0; r < Rodzaje; ++r) {
        auto rodzaj = std::make_unique<TSpecyfikacja>(QStringLiteral("R-%1").arg(r), false, true, QString(), QString(),
                                                      QStringLiteral("Rodzaj robót %1").arg(r));
        auto rodzajPelny = rodzaj->Clone(false, false);
        for (int g = 0; g < Grupy; ++g) {
            auto grupa = std::make_unique<TSpecyfikacja>(QStringLiteral("G-%1.%2").arg(r).arg(g), false, true,
                                                         QString(), QString(), QStringLiteral("Grupa robót"));
            auto grupaPelna = grupa->Clone(false, false);
            for (int e = 0; e < Elementy; ++e) {
                auto element =
                    std::make_unique<TSpecyfikacja>(QStringLiteral("E-%1.%2.%3").arg(r).arg(g).arg(e), false, true,
                                                    QString(), QString(), QStringLiteral("Element robót"));
                auto elementPelny = element->Clone(false, false);
                for (int s = 0; s < SpecyfikacjiWElemencie; ++s, ++licznik) {
                    const QString numer = NumerSpecyfikacji(r, g, e, s);
                    const QString dokument = folder + numer + QStringLiteral(".odt");
                    QFile plik(dokument);
                    if (!plik.open(QIODevice::WriteOnly))
                        std::abort();
                    auto spec = std::make_unique<TSpecyfikacja>(
                        numer, false, false, QString(), dokument,
                        QStringLiteral("Specyfikacja techniczna wykonania robót ") + numer);
                    spec->AddJm(Jednostka(licznik));
                    if (licznik % 10 == 0) {
                        spec->AddWariant(std::make_unique<TWariantSpecyfikacji>(
                            QStringLiteral("A"), QStringLiteral("wariant A"), dokument, QString()));
                        spec->AddWariant(std::make_unique<TWariantSpecyfikacji>(
                            QStringLiteral("B"), QStringLiteral("wariant B"), QString(), QString()));
                    }
                    Numery << numer;
                    // The full list: a second unit for every specification.
                    auto pelna = spec->Clone(true, true);
                    pelna->AddJm(Jednostka(licznik + 1));
                    if (licznik % 4 == 0)
                        spec->AddJm(Jednostka(licznik + 1));
                    element->Add(std::move(spec));
                    elementPelny->Add(std::move(pelna));
                }
                grupa->Add(std::move(element));
                grupaPelna->Add(std::move(elementPelny));
            }
            rodzaj->Add(std::move(grupa));
            rodzajPelny->Add(std::move(grupaPelna));
        }
        spisy[0].Add(std::move(rodzaj));
        spisy[1].Add(std::move(rodzajPelny));
    }
    for (int i = 0; i < 2; ++i) {
        Pliki[i] = spisy[i].ZapiszDoBajtow();
        Elementow[i] = PoliczElementy(Pliki[i]);
    }
    Wezlow = spisy[0].RozmiarIndeksu() - 1;
    for (int i = 0; i < 2; ++i)
        Obiektow[i] = PoliczObiekty(spisy[i]) - 1;
}

// Resident memory now and at its peak (VmHWM, which clear_refs resets), in MB.
double PamiecMB(const char* pole)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& linia : status.readAll().split('\n'))
        if (linia.startsWith(pole))
            return linia.mid(static_cast<qsizetype>(std::strlen(pole))).trimmed().split(' ').first().toDouble() /
                   1024.0;
    return -1;
}

void ZerujSzczytPamieci()
{
    QFile plik(QStringLiteral("/proc/self/clear_refs"));
    if (plik.open(QIODevice::WriteOnly))
        plik.write("5");
}

void Liczniki(benchmark::State& stan, int plik)
{
    stan.counters["wezly/s"] = benchmark::Counter(Wezlow, benchmark::Counter::kIsIterationInvariantRate);
    stan.counters["obiekty/s"] = benchmark::Counter(Obiektow[plik], benchmark::Counter::kIsIterationInvariantRate);
    stan.counters["elementy/s"] = benchmark::Counter(Elementow[plik], benchmark::Counter::kIsIterationInvariantRate);
    stan.counters["MB pliku"] = static_cast<double>(Pliki[plik].size()) / (1024.0 * 1024.0);
}

// CPU time of this thread: the reference and the measured work are timed alike, in the same run.
double CzasCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The reference for opening: pugixml alone parsing the same bytes (as the XML layer asks it to) and
// freeing its document, from the same state of memory as the list's open. "x pugixml" is the list's time
// over that one's (target: at most 3).
double CzasSamegoParsowania(const QByteArray& bajty)
{
    const double start = CzasCpu();
    {
        pugi::xml_document dokument;
        if (!dokument.load_buffer(bajty.constData(), static_cast<size_t>(bajty.size()),
                                  pugi::parse_default | pugi::parse_declaration, pugi::encoding_auto))
            std::abort();
    }
    return CzasCpu() - start;
}

void BM_Otworz(benchmark::State& stan)
{
    const int plik = static_cast<int>(stan.range(0));
    // The prices are computed as the program computes them: with the configuration's coefficient.
    const TUstawieniaCen ceny = TUstawieniaCen::ZKonfiguracji(*TKonfiguracja::GetInstance());
    double czasListy = 0;
    double czasPugixml = 0;
    for (auto _ : stan) {
        const double start = CzasCpu();
        auto spis = std::make_unique<TSpisST>();
        spis->SetUstawieniaCen(ceny);
        spis->OtworzZBajtow(Pliki[plik]);
        czasListy += CzasCpu() - start;
        stan.PauseTiming();
        spis.reset();
        // Both start from memory given back to the system: the parse alone would otherwise reuse the
        // memory the list has just freed while the list's open fault its memory in afresh.
        malloc_trim(0);
        czasPugixml += CzasSamegoParsowania(Pliki[plik]);
        malloc_trim(0);
        stan.ResumeTiming();
    }
    Liczniki(stan, plik);
    stan.counters["x pugixml"] = czasListy / czasPugixml;
    stan.counters["ms pugixml"] = 1000.0 * czasPugixml / static_cast<double>(stan.iterations());
}
BENCHMARK(BM_Otworz)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The reference for saving: pugixml alone writing the same document (parsed beforehand) to the same
// file, flushed to disk as the list's safe write flushes it. "x pugixml" is the list's time over that
// one's (target: at most 2).
double CzasSamegoZapisu(const pugi::xml_document& dokument, const QString& cel)
{
    const double start = CzasCpu();
    FILE* plik = std::fopen(QFile::encodeName(cel).constData(), "wb");
    if (!plik)
        std::abort();
    pugi::xml_writer_file zapis(plik);
    dokument.save(zapis, "  ", pugi::format_default, pugi::encoding_utf8);
    if (std::fflush(plik) != 0 || fsync(fileno(plik)) != 0)
        std::abort();
    std::fclose(plik);
    return CzasCpu() - start;
}

void BM_Zapisz(benchmark::State& stan)
{
    const int plik = static_cast<int>(stan.range(0));
    TSpisST spis;
    spis.OtworzZBajtow(Pliki[plik]);
    pugi::xml_document wzor;
    if (!wzor.load_buffer(Pliki[plik].constData(), static_cast<size_t>(Pliki[plik].size())))
        std::abort();
    const QString cel = Katalog->path() + QStringLiteral("/Lista.sst");
    const QString celWzoru = Katalog->path() + QStringLiteral("/Wzor.sst");
    double czasListy = 0;
    double czasPugixml = 0;
    for (auto _ : stan) {
        const double start = CzasCpu();
        spis.Zapisz(cel);
        czasListy += CzasCpu() - start;
        stan.PauseTiming();
        czasPugixml += CzasSamegoZapisu(wzor, celWzoru);
        stan.ResumeTiming();
    }
    Liczniki(stan, plik);
    stan.counters["x pugixml"] = czasListy / czasPugixml;
    stan.counters["ms pugixml"] = 1000.0 * czasPugixml / static_cast<double>(stan.iterations());
}
BENCHMARK(BM_Zapisz)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What an open list takes on the heap, and the peak of resident memory while it is read (the file's bytes,
// already in memory, not counted).
void BM_PamiecOtwartejListy(benchmark::State& stan)
{
    const int plik = static_cast<int>(stan.range(0));
    for (auto _ : stan) {
        malloc_trim(0);
        ZerujSzczytPamieci();
        const double przed = PamiecMB("VmRSS:");
        const std::size_t stertaPrzed = mallinfo2().uordblks + mallinfo2().hblkhd;
        auto spis = std::make_unique<TSpisST>();
        spis->OtworzZBajtow(Pliki[plik]);
        stan.counters["MB szczyt"] = PamiecMB("VmHWM:") - przed;
        stan.counters["MB listy"] =
            static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd - stertaPrzed) / (1024.0 * 1024.0);
        spis.reset();
    }
}
BENCHMARK(BM_PamiecOtwartejListy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// 50,000 numbers as positions carry them: existing numbers, some with a variant (found or not), some in
// other letter case or with blanks, some unknown.
QStringList NumeryPozycji()
{
    QStringList wynik;
    for (int i = 0; i < 50000; ++i) {
        const QString& n = Numery[(i * 7919) % Numery.size()];
        switch (i % 5) {
        case 0:
            wynik << n;
            break;
        case 1:
            wynik << n.toLower() + QLatin1Char(' ');
            break;
        case 2:
            wynik << n + QStringLiteral("#A");
            break;
        case 3:
            wynik << n + QStringLiteral("#Z");
            break;
        default:
            wynik << QStringLiteral("X-%1").arg(i);
            break;
        }
    }
    return wynik;
}

void BM_FindSpecyfikacja50000(benchmark::State& stan)
{
    TSpisST spis;
    spis.OtworzZBajtow(Pliki[0]);
    const QStringList numery = NumeryPozycji();
    const TFindSpecyfikacjaFlags flagi = FlagiDopasowaniaPozycji(true);
    for (auto _ : stan) {
        int znalezione = 0;
        for (const QString& n : numery) {
            TWariantSpecyfikacji* wariant = nullptr;
            bool pelne = false;
            znalezione += spis.FindSpecyfikacja(n, wariant, flagi, pelne) ? 1 : 0;
        }
        benchmark::DoNotOptimize(znalezione);
    }
    stan.SetItemsProcessed(stan.iterations() * numery.size());
}
BENCHMARK(BM_FindSpecyfikacja50000)->Unit(benchmark::kMillisecond);

// The walk the index replaces, on 500 of the numbers (all 50,000 would take minutes).
void BM_FindSpecyfikacjaPrzejscie500(benchmark::State& stan)
{
    TSpisST spis;
    spis.OtworzZBajtow(Pliki[0]);
    const QStringList numery = NumeryPozycji().mid(0, 500);
    const TFindSpecyfikacjaFlags flagi = FlagiDopasowaniaPozycji(true);
    for (auto _ : stan) {
        int znalezione = 0;
        for (const QString& n : numery) {
            TWariantSpecyfikacji* wariant = nullptr;
            bool pelne = false;
            znalezione += spis.FindSpecyfikacjaPrzejscie(n, wariant, flagi, pelne) ? 1 : 0;
        }
        benchmark::DoNotOptimize(znalezione);
    }
    stan.SetItemsProcessed(stan.iterations() * numery.size());
}
BENCHMARK(BM_FindSpecyfikacjaPrzejscie500)->Unit(benchmark::kMillisecond);

// Merging two lists of 20,000 specifications each (20 kinds of 10 groups of 100), no duplicates: every
// copied node is checked against the growing target list.
class TDialogBezPytan : public IDuplikatStDialog
{
public:
    TOpcjaDuplikatowNumeru ShowDuplicatStDialog(const TSpecyfikacja&, const TSpecyfikacja&, bool, bool&) override
    {
        return doNone;
    }
    TOpcjaDuplikatowPliku ShowDuplicatPlikuDialog(const TSpecyfikacja&, const TSpecyfikacja&, bool&) override
    {
        return dpoNone;
    }
    void ShowDuplikaty(const TSpecyfikacja&, const TSpecyfikacja&, const TSpecyfikacja&) override {}
    TLicznikImportuSt& GetLicznikImportu() override { return Licznik; }
    TLicznikImportuSt Licznik;
};

std::unique_ptr<TSpisST> Lista20000(const QString& przedrostek)
{
    auto spis = std::make_unique<TSpisST>();
    for (int r = 0; r < 20; ++r) {
        const QString nr = przedrostek + QString::number(r);
        auto rodzaj = std::make_unique<TSpecyfikacja>(nr, false, true, QString(), QString(), QStringLiteral("Rodzaj"));
        for (int g = 0; g < 10; ++g) {
            const QString ng = nr + QLatin1Char('.') + QString::number(g);
            auto grupa =
                std::make_unique<TSpecyfikacja>(ng, false, true, QString(), QString(), QStringLiteral("Grupa"));
            for (int s = 0; s < 100; ++s)
                grupa->Add(std::make_unique<TSpecyfikacja>(ng + QLatin1Char('.') + QString::number(s), false, false,
                                                           QString(), QString(), QStringLiteral("Specyfikacja")));
            rodzaj->Add(std::move(grupa));
        }
        spis->Add(std::move(rodzaj));
    }
    return spis;
}

void BM_ScalanieList20000(benchmark::State& stan)
{
    const std::unique_ptr<TSpisST> dodawana = Lista20000(QStringLiteral("B-"));
    for (auto _ : stan) {
        stan.PauseTiming();
        std::unique_ptr<TSpisST> cel = Lista20000(QStringLiteral("A-"));
        TDialogBezPytan dialog;
        TDuplikatStHandler obsluga(TZapamietaneOpcjeDuplikatow{}, &dialog);
        TScalanieList scalanie(*cel, obsluga);
        stan.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < dodawana->Count(); ++i)
            scalanie.Kopiuj(*dodawana->GetSpecyfikacja(i), *cel);
        const double sekundy = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        stan.PauseTiming();
        std::printf("scalanie 20000 + 20000: %.3f s, dodanych %d\n", sekundy, dialog.Licznik.DodanychSt());
        cel.reset();
        stan.ResumeTiming();
    }
}
BENCHMARK(BM_ScalanieList20000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    UruchomZDuzymiStronami(argv);
    TOknoBezEkranu okno;
    TKonfiguracja::GetInstance(&okno, false);
    Przygotuj();
    for (int i = 0; i < 2; ++i)
        std::printf("lista %d: %d wezlow, %d elementow XML, plik %.1f MB\n", i, Wezlow, Elementow[i],
                    static_cast<double>(Pliki[i].size()) / (1024.0 * 1024.0));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Katalog.reset();
    TKonfiguracja::Zwolnij(false);
    return 0;
}
