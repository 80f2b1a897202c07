// Packing and unpacking 300 generated specification documents (about 150 MB, partly compressible) with the
// program's archive, next to Info-ZIP's "zip -6" and "unzip" on the same files in the same run. "MB/s"
// counts uncompressed megabytes; "VmHWM_MB" is the process's peak resident memory during the benchmark
// (reset before it), to hold against "limit_MB" = the archive's size + 64 MB for packing.
#include "GlownaBenchmarku.h"
#include "archive/Archiwum.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int Dokumentow = 300;
constexpr qint64 RozmiarDokumentu = 500 * 1024;

std::unique_ptr<QTemporaryDir> Katalog;
// unzip writes names in code page 852 that Qt cannot name to remove; the folder goes by its bytes.
struct TSprzatanie
{
    ~TSprzatanie()
    {
        if (Katalog)
            std::filesystem::remove_all(QFile::encodeName(Katalog->path()).toStdString());
    }
} Sprzatanie;
QStringList Pliki;
qint64 Razem = 0;

double VmHwmMb()
{
    std::ifstream status("/proc/self/status");
    std::string slowo;
    while (status >> slowo)
        if (slowo == "VmHWM:") {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
    return 0;
}

void ZerujSzczyt()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void Przygotuj()
{
    if (Katalog)
        return;
    Katalog = std::make_unique<QTemporaryDir>();
    QDir().mkpath(Katalog->filePath(QStringLiteral("sst")));
    quint32 x = 12345;
    const QByteArray slowa[] = {"beton klasy C20/25, ", "zbrojenie stalą B500SP, ",     "tynk cementowo-wapienny, ",
                                "posadzka z płytek, ",  "izolacja przeciwwilgociowa, ", "roboty ziemne kat. III, "};
    for (int i = 0; i < Dokumentow; ++i) {
        QByteArray dok;
        dok.reserve(RozmiarDokumentu);
        // Runs of text and runs of noise: roughly what documents with embedded pictures compress to.
        while (dok.size() < RozmiarDokumentu) {
            x = x * 1103515245u + 12345u;
            if ((x >> 16) % 3 != 0) {
                for (int k = 0; k < 40; ++k)
                    dok += slowa[(x >> (k % 24)) % 6];
            } else {
                for (int k = 0; k < 700; ++k) {
                    x = x * 1103515245u + 12345u;
                    dok += char(x >> 24);
                }
            }
        }
        dok.truncate(RozmiarDokumentu + (i % 7) * 1000);
        const QString sciezka =
            Katalog->filePath(QStringLiteral("sst/ST-%1 Ściany żelbetowe.doc").arg(i, 3, 10, QLatin1Char('0')));
        QFile plik(sciezka);
        plik.open(QIODevice::WriteOnly);
        plik.write(dok);
        Pliki << sciezka;
        Razem += dok.size();
    }
}

void Podsumuj(benchmark::State& state, double sekundy)
{
    state.counters["MB/s"] = benchmark::Counter(double(Razem) / (1024.0 * 1024.0) / sekundy);
    state.counters["VmHWM_MB"] = VmHwmMb();
}

// The seconds a tool takes in the documents' folder; negative when it is missing or fails.
double CzasNarzedzia(const QString& program, const QStringList& argumenty)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return -1;
    QProcess proces;
    proces.setWorkingDirectory(Katalog->path());
    QElapsedTimer czas;
    czas.start();
    proces.start(program, argumenty);
    proces.waitForFinished(-1);
    const double sekundy = double(czas.nsecsElapsed()) / 1e9;
    return proces.exitCode() == 0 ? sekundy : -1;
}

double CzasZip6()
{
    QFile::remove(Katalog->filePath(QStringLiteral("infozip.zip")));
    const double sekundy =
        CzasNarzedzia(QStringLiteral("zip"), {QStringLiteral("-6"), QStringLiteral("-q"), QStringLiteral("-r"),
                                              QStringLiteral("infozip.zip"), QStringLiteral("sst")});
    QFile::remove(Katalog->filePath(QStringLiteral("infozip.zip")));
    return sekundy;
}

// Also "x zip -6": Info-ZIP's time on the same files in the same iterations over ours (target at least 1.8,
// the entries being deflated on all cores).
void Pakowanie(benchmark::State& state)
{
    Przygotuj();
    const QString zip = Katalog->filePath(QStringLiteral("nasze.azst"));
    ZerujSzczyt();
    double nasze = 0;
    double infoZip = 0;
    for (auto _ : state) {
        QElapsedTimer czas;
        czas.start();
        TArchiwum archiwum;
        for (const QString& p : Pliki)
            archiwum.DodajPlik(QStringLiteral("ZIP\\sst\\") + QFileInfo(p).fileName(), p);
        archiwum.Zapisz(zip);
        const double sekundy = double(czas.nsecsElapsed()) / 1e9;
        state.SetIterationTime(sekundy);
        Podsumuj(state, sekundy);
        nasze += sekundy;
        state.PauseTiming();
        infoZip += CzasZip6();
        state.ResumeTiming();
    }
    if (infoZip > 0)
        state.counters["x zip -6"] = infoZip / nasze;
    const double mb = double(QFileInfo(zip).size()) / (1024.0 * 1024.0);
    state.counters["archiwum_MB"] = mb;
    state.counters["limit_MB"] = mb + 64;
}

// Also "x unzip": unzip's time on the same archive in the same iterations over ours (target at least 1.5).
void Rozpakowanie(benchmark::State& state)
{
    Przygotuj();
    const QString zip = Katalog->filePath(QStringLiteral("nasze.azst"));
    if (!QFileInfo::exists(zip)) {
        state.SkipWithError("run Pakowanie first");
        return;
    }
    const QString cel = Katalog->filePath(QStringLiteral("nasze"));
    ZerujSzczyt();
    double nasze = 0;
    double infoZip = 0;
    for (auto _ : state) {
        QElapsedTimer czas;
        czas.start();
        TArchiwum archiwum;
        archiwum.Otworz(zip);
        // As the set and list archivers unpack: every document at once, after the checks.
        std::vector<std::pair<QString, QString>> wpisy;
        for (const QString& nazwa : archiwum.GetListaPlikow())
            wpisy.emplace_back(nazwa, cel);
        archiwum.WypakujPliki(wpisy, true);
        const double sekundy = double(czas.nsecsElapsed()) / 1e9;
        state.SetIterationTime(sekundy);
        Podsumuj(state, sekundy);
        nasze += sekundy;
        state.PauseTiming();
        infoZip += CzasNarzedzia(QStringLiteral("unzip"),
                                 {QStringLiteral("-q"), QStringLiteral("-o"), QStringLiteral("nasze.azst"),
                                  QStringLiteral("-d"), QStringLiteral("unzip")});
        state.ResumeTiming();
    }
    if (infoZip > 0)
        state.counters["x unzip"] = infoZip / nasze;
}

void Narzedzie(benchmark::State& state, const QString& program, const QStringList& argumenty)
{
    Przygotuj();
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        state.SkipWithError("tool not installed");
        return;
    }
    for (auto _ : state) {
        const double sekundy = CzasNarzedzia(program, argumenty);
        if (sekundy < 0) {
            state.SkipWithError("tool failed");
            break;
        }
        state.SetIterationTime(sekundy);
        state.counters["MB/s"] = benchmark::Counter(double(Razem) / (1024.0 * 1024.0) / sekundy);
    }
}

void InfoZipZip(benchmark::State& state)
{
    QFile::remove(Katalog ? Katalog->filePath(QStringLiteral("infozip.zip")) : QString());
    Narzedzie(state, QStringLiteral("zip"),
              {QStringLiteral("-6"), QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("infozip.zip"),
               QStringLiteral("sst")});
    QFile::remove(Katalog->filePath(QStringLiteral("infozip.zip")));
}

void InfoZipUnzip(benchmark::State& state)
{
    Narzedzie(state, QStringLiteral("unzip"),
              {QStringLiteral("-q"), QStringLiteral("-o"), QStringLiteral("nasze.azst"), QStringLiteral("-d"),
               QStringLiteral("unzip")});
}

} // namespace

BENCHMARK(Pakowanie)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(InfoZipZip)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Rozpakowanie)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(InfoZipUnzip)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

VELOSTRA_BENCHMARK_MAIN()
