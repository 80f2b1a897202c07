// Merging 50 specification documents of about 6 pages each (.doc, .docx and .odt in turn) into one .docx:
// end to end through velostra-cli, office start included (target under 8 s), with a fresh office profile
// each run (/0, the first run of a version) and with the profile kept between runs (/1), and on an office
// already running, as the window keeps one (target under 6 s). Counters give the split: start, inserts, title page
// with header and footer, replacements, store. 500 documents (3,000 pages) show the growth per document, and a
// cold run is set against a warm one in the same iterations.
#include "GlownaBenchmarku.h"
#include "app/Konfiguracja.h"
#include "app/MyPath.h"
#include "docs/ZbiorEksporterODT.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikLibreOffice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <optional>

#include <unistd.h>

namespace {

constexpr int LiczbaDokumentow = 50;

QString Tekst(int i)
{
    return QStringLiteral("Akapit %1. Roboty należy wykonać zgodnie z dokumentacją projektową, specyfikacją "
                          "techniczną i poleceniami Inspektora nadzoru. Materiały powinny odpowiadać wymaganiom "
                          "norm, a sprzęt być sprawny technicznie. Wykonawca odpowiada za jakość robót, "
                          "bezpieczeństwo na budowie i ochronę środowiska w czasie prowadzenia prac.")
        .arg(i);
}

QString KatalogProgramow()
{
    char sciezka[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", sciezka, sizeof(sciezka) - 1);
    return QFileInfo(QString::fromLocal8Bit(sciezka, n > 0 ? n : 0)).absolutePath();
}

struct TDane
{
    QTemporaryDir Katalog;
    std::vector<std::unique_ptr<TMyPath>> Pliki;
    QString Zestaw;
    // The same documents ten times over under other names: 500 documents, 3,000 pages.
    QString Zestaw500;
};

// A list of the documents and a set that needs them all, made through velostra-cli.
QString ZapiszZestaw(const QString& katalog, const QString& nazwa, const QStringList& pliki)
{
    QString lista = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst wersja=\"0.1.0.0\">\n");
    const QString zestaw = katalog + QLatin1Char('/') + nazwa + QStringLiteral(".zst");
    const QString plikListy = katalog + QLatin1Char('/') + nazwa + QStringLiteral(".sst");
    QStringList argumenty{QStringLiteral("zestaw"), QStringLiteral("--utworz"), zestaw, QStringLiteral("--lista"),
                          plikListy};
    for (int i = 0; i < pliki.size(); ++i) {
        const QString numer = QStringLiteral("ST-%1").arg(i + 1, 3, 10, QLatin1Char('0'));
        lista += QStringLiteral("  <specyfikacja numer=\"%1\" opis=\"Specyfikacja %1\" plik=\"%2\" />\n")
                     .arg(numer, pliki[i]);
        argumenty << QStringLiteral("--wlasna") << numer;
    }
    lista += QStringLiteral("</sst>\n");
    QFile plik(plikListy);
    if (!plik.open(QIODevice::WriteOnly) || plik.write(lista.toUtf8()) < 0)
        std::abort();
    plik.close();
    QProcess cli;
    cli.start(KatalogProgramow() + QStringLiteral("/velostra-cli"), argumenty);
    if (!cli.waitForFinished(120000) || cli.exitCode() != 0)
        std::abort();
    return zestaw;
}

TDane& Dane()
{
    static TDane* dane = [] {
        static TOknoBezEkranu okno;
        TKonfiguracja::GetInstance(&okno, false);
        auto* d = new TDane;
        // The kept office profile goes to the benchmark's folder, never to the user's cache.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(d->Katalog.filePath("cache")));
        TSilnikLibreOffice silnik;
        const char* const rozszerzenia[] = {"doc", "docx", "odt"};
        QStringList pliki;
        for (int i = 0; i < LiczbaDokumentow; ++i) {
            TTrescDokumentu tresc;
            tresc.Naglowek = QStringLiteral("ST-%1 Specyfikacja techniczna %1").arg(i + 1, 2, 10, QLatin1Char('0'));
            for (int a = 0; a < 14; ++a)
                tresc.Akapity << Tekst(a);
            tresc.ZTabela = true;
            tresc.PodzialyStron = 4;
            const QString plik = d->Katalog.filePath(QStringLiteral("ST-%1.%2").arg(i + 1).arg(rozszerzenia[i % 3]));
            ZapiszDokument(silnik, plik, tresc);
            auto sciezka = std::make_unique<TMyPath>();
            sciezka->SetEncodedPath(plik);
            d->Pliki.push_back(std::move(sciezka));
            pliki << plik;
        }
        d->Zestaw = ZapiszZestaw(d->Katalog.path(), QStringLiteral("zestaw"), pliki);
        QStringList pliki500;
        for (int k = 0; k < 10; ++k)
            for (const QString& plik : pliki) {
                const QString kopia =
                    QFileInfo(plik).absolutePath() + QStringLiteral("/k%1-").arg(k) + QFileInfo(plik).fileName();
                if (k > 0 && !QFile::copy(plik, kopia))
                    std::abort();
                pliki500 << (k > 0 ? kopia : plik);
            }
        d->Zestaw500 = ZapiszZestaw(d->Katalog.path(), QStringLiteral("zestaw500"), pliki500);
        return d;
    }();
    return *dane;
}

// velostra-cli's generuj of the set into the target as OpenDocument; its times, or none when it failed (the
// benchmark then says why).
std::optional<QJsonObject> Generuj(benchmark::State& stan, const QString& zestaw, const QString& wynik)
{
    QProcess cli;
    cli.start(KatalogProgramow() + QStringLiteral("/velostra-cli"),
              {QStringLiteral("generuj"), zestaw, QStringLiteral("--rodzaj"), QStringLiteral("odt"),
               QStringLiteral("-o"), wynik});
    if (!cli.waitForFinished(900000) || cli.exitCode() != 0) {
        stan.SkipWithError(cli.readAllStandardError().toStdString().c_str());
        return std::nullopt;
    }
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object().value("czasy_ms").toObject();
}

void Liczniki(benchmark::State& stan, const QJsonObject& czasy, int iteracje)
{
    for (const char* nazwa : {"start", "wstawianie", "strony", "zamiany", "zapis"})
        stan.counters[std::string(nazwa) + "_ms"] = czasy.value(QLatin1String(nazwa)).toDouble() / iteracje;
}

void BM_GenerujPrzezCli(benchmark::State& stan)
{
    TDane& d = Dane();
    const bool trwalyProfil = stan.range(0) != 0;
    const bool piecset = stan.range(1) == 500;
    const QString cache = d.Katalog.filePath("cache");
    QJsonObject suma;
    int iteracje = 0;
    for (auto _ : stan) {
        if (!trwalyProfil) {
            stan.PauseTiming();
            QDir(cache).removeRecursively();
            stan.ResumeTiming();
        }
        const std::optional<QJsonObject> czasy =
            Generuj(stan, piecset ? d.Zestaw500 : d.Zestaw, d.Katalog.filePath("wynik-cli.docx"));
        if (!czasy)
            return;
        for (const QString& k : czasy->keys())
            suma[k] = suma.value(k).toDouble() + czasy->value(k).toDouble();
        ++iteracje;
    }
    Liczniki(stan, suma, iteracje);
    // Growth: the time per document, the same at 50 and 500 when it is linear.
    stan.counters["s_na_dokument"] = benchmark::Counter(
        piecset ? 500 : LiczbaDokumentow, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    if (piecset)
        return;
    TSilnikLibreOffice silnik;
    const QString pdf = DoPdf(silnik, d.Katalog.filePath("wynik-cli.docx"));
    stan.counters["strony_wyniku"] = LiczbaStronPdf(pdf);
}
BENCHMARK(BM_GenerujPrzezCli)
    ->Args({0, 50})
    ->Args({1, 50})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_GenerujPrzezCli)->Args({1, 500})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

std::vector<const TMyPath*> Wskazniki(const TDane& d)
{
    std::vector<const TMyPath*> pliki;
    for (const auto& p : d.Pliki)
        pliki.push_back(p.get());
    return pliki;
}

// The header, the numbered footer and the bookmark per specification (number and description, as the list
// gives them) that velostra-cli's generuj of the set gives its merge.
void UstawJakCli(TZbiorEksporterODT& eksporter)
{
    const TDane& d = Dane();
    for (std::size_t i = 0; i < d.Pliki.size(); ++i) {
        const QString numer = QStringLiteral("ST-%1").arg(int(i) + 1, 3, 10, QLatin1Char('0'));
        eksporter.ZakladkiPlikow.insert(d.Pliki[i]->GetPath(), numer + QStringLiteral(" Specyfikacja ") + numer);
    }
    eksporter.CzyNaglowek = true;
    eksporter.TrescNaglowka = QStringList{"Nagłówek"};
    eksporter.CzyStopka = true;
    eksporter.CzyNrStronyWStopce = true;
}

// An office already running, and an exporter on it set up as velostra-cli sets its own.
struct TCieplyPakiet
{
    TCieplyPakiet()
    {
        // The warm office keeps a profile of its own: holding the cold run's one would send that run to a
        // fresh profile, which no user's second generuj pays.
        const QByteArray cache = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(Dane().Katalog.filePath("cache-cieply")));
        Silnik.Uruchom();
        qputenv("XDG_CACHE_HOME", cache);
        UstawJakCli(Eksporter);
    }
    TSilnikLibreOffice Silnik;
    TZbiorEksporterODT Eksporter{&Silnik};
};

// A cold run against a warm one in the same iterations: "x cieply" is velostra-cli's generuj of the 50 documents,
// office start included (the profile kept), over the merge of the same documents on an office already running
// (target at most 1.5).
void BM_ZimnyDoCieplego(benchmark::State& stan)
{
    TDane& d = Dane();
    const std::vector<const TMyPath*> pliki = Wskazniki(d);
    TCieplyPakiet cieplyPakiet;
    TZbiorEksporterODT& eksporter = cieplyPakiet.Eksporter;
    double zimny = 0;
    double cieply = 0;
    for (auto _ : stan) {
        QElapsedTimer zegar;
        zegar.start();
        if (!Generuj(stan, d.Zestaw, d.Katalog.filePath("zimny.docx")))
            return;
        zimny += double(zegar.restart());
        eksporter.ScalPliki(d.Katalog.filePath("cieply.docx"), pliki);
        cieply += double(zegar.elapsed());
    }
    stan.counters["zimny_ms"] = zimny / double(stan.iterations());
    stan.counters["cieply_ms"] = cieply / double(stan.iterations());
    stan.counters["x cieply"] = zimny / cieply;
}
BENCHMARK(BM_ZimnyDoCieplego)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ScalanieNaDzialajacymPakiecie(benchmark::State& stan)
{
    TDane& d = Dane();
    const std::vector<const TMyPath*> pliki = Wskazniki(d);
    TCieplyPakiet cieplyPakiet;
    TZbiorEksporterODT& eksporter = cieplyPakiet.Eksporter;
    eksporter.TrescStopki = QStringList{"Stopka"};
    eksporter.CzyTekstDoSt = true;
    eksporter.TekstDoSt = QStringList{"Zadanie"};
    QJsonObject suma;
    int iteracje = 0;
    for (auto _ : stan) {
        eksporter.ScalPliki(d.Katalog.filePath("wynik.docx"), pliki);
        const TCzasyScalania& c = eksporter.Czasy;
        suma["start"] = suma.value("start").toDouble() + c.Start;
        suma["wstawianie"] = suma.value("wstawianie").toDouble() + c.Wstawianie;
        suma["strony"] = suma.value("strony").toDouble() + c.Strony;
        suma["zamiany"] = suma.value("zamiany").toDouble() + c.Zamiany;
        suma["zapis"] = suma.value("zapis").toDouble() + c.Zapis;
        ++iteracje;
    }
    Liczniki(stan, suma, iteracje);
}
BENCHMARK(BM_ScalanieNaDzialajacymPakiecie)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

VELOSTRA_BENCHMARK_MAIN()
