// The window "Wybierz kody CPV" on the program's code table, on the offscreen platform: one keystroke in
// the search box is the filter over every code and the tree built again (target 30 ms).
#include "ui/KodyCpv.h"

#include "CelBenchmarku.h"
#include "GlownaGui.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// What a user types, a key at a time; the empty text at the end shows every code again.
const QString Wpisywane = QStringLiteral("roboty w zakresie");

void Wpisz(benchmark::State& stan, int tryb)
{
    TKodyCpv okno(nullptr);
    okno.findChild<QComboBox*>(QStringLiteral("TrybSzukania"))->setCurrentIndex(tryb);
    okno.show();
    int dlugosc = 1;
    for (auto _ : stan) {
        okno.Szukaj(Wpisywane.left(dlugosc));
        QApplication::processEvents();
        benchmark::DoNotOptimize(okno.Widocznych());
        dlugosc = dlugosc % (Wpisywane.size() + 1) + 1;
        if (dlugosc > Wpisywane.size())
            dlugosc = 0;
    }
    stan.counters["kodow"] = okno.Widocznych();
    Cel(stan, 0.03);
}

void RobotyBudowlane(benchmark::State& stan)
{
    Wpisz(stan, 0);
}
void CalySlownik(benchmark::State& stan)
{
    Wpisz(stan, 1);
}

} // namespace

BENCHMARK(RobotyBudowlane)->Unit(benchmark::kMillisecond);
BENCHMARK(CalySlownik)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return UruchomBenchmarkiGui(argc, argv);
}
