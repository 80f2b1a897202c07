#include "estimates/edbud/GeneratorJet4.h"

namespace {

TGeneratorJet4::TKolumna Tekst(const char* nazwa, bool kompresja)
{
    return {QString::fromLatin1(nazwa), TGeneratorJet4::TTyp::Text, 255, kompresja};
}

TGeneratorJet4::TKolumna Long(const char* nazwa)
{
    return {QString::fromLatin1(nazwa), TGeneratorJet4::TTyp::Long};
}

} // namespace

TGeneratorJet4 GeneratorKosztorysuEdbud(const std::vector<TRozdzialEdbud>& rozdzialy,
                                        const std::vector<TPozycjaEdbud>& pozycje, bool kompresja)
{
    TGeneratorJet4 g;
    const int tabRozdzialow = g.DodajTabele(QStringLiteral("chapters"), {Long("chapterid"), Tekst("lp", kompresja),
                                                                         Tekst("name", kompresja), Long("posorder")});
    const int tabPozycji =
        g.DodajTabele(QStringLiteral("positions"), {Long("positionid"),
                                                    Long("chapterid"),
                                                    Tekst("lp", kompresja),
                                                    Tekst("code", kompresja),
                                                    Tekst("name", kompresja),
                                                    Tekst("unit", kompresja),
                                                    Tekst("quantitystring", kompresja),
                                                    Tekst("ts", kompresja),
                                                    {QStringLiteral("price"), TGeneratorJet4::TTyp::Double},
                                                    Long("posorder")});
    for (const TRozdzialEdbud& r : rozdzialy)
        g.DodajWiersz(tabRozdzialow, {r.Id, r.Lp, r.Nazwa, r.Kolejnosc});
    for (const TPozycjaEdbud& p : pozycje)
        g.DodajWiersz(tabPozycji,
                      {p.Id, p.IdRozdzialu, p.Lp, p.Kod, p.Nazwa, p.Jednostka, p.Ilosc, p.Ts, p.Cena, p.Kolejnosc});
    return g;
}

TGeneratorJet4 GeneratorJednostekEdbud(const std::vector<std::pair<QString, QString>>& jednostki)
{
    TGeneratorJet4 g;
    const int tabela = g.DodajTabele(QStringLiteral("UNITS"), {Tekst("code", true), Tekst("name", true)});
    for (const auto& [kod, nazwa] : jednostki)
        g.DodajWiersz(tabela, {kod, nazwa});
    return g;
}
