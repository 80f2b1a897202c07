// Number texts and XML parsing sit under every file format; these show their cost per item.
#include "GlownaBenchmarku.h"
#include "app/Liczby.h"
#include "app/Xml.h"

#include <benchmark/benchmark.h>

static void BM_LiczbaNaTekst(benchmark::State& stan)
{
    double x = 0.1;
    for (auto _ : stan) {
        benchmark::DoNotOptimize(LiczbaNaTekst(x));
        x += 1.37;
    }
}
BENCHMARK(BM_LiczbaNaTekst);

static void BM_TekstNaLiczbe(benchmark::State& stan)
{
    const QString tekst = QStringLiteral(" 12345,678 ");
    for (auto _ : stan)
        benchmark::DoNotOptimize(TekstNaLiczbe(tekst));
}
BENCHMARK(BM_TekstNaLiczbe);

static void BM_ParsujXml(benchmark::State& stan)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<lista>";
    for (int i = 0; i < stan.range(0); ++i)
        xml +=
            "<st numer=\"D-01.01." + QByteArray::number(i) + "\" tytul=\"Roboty ziemne\" plik=\"%USERPATH%/a.doc\"/>";
    xml += "</lista>";
    for (auto _ : stan) {
        pugi::xml_document dok;
        ParsujXml(xml, dok);
        benchmark::DoNotOptimize(dok.document_element());
    }
    stan.SetItemsProcessed(stan.iterations() * stan.range(0));
}
BENCHMARK(BM_ParsujXml)->Arg(1000)->Arg(50000);

VELOSTRA_BENCHMARK_MAIN()
