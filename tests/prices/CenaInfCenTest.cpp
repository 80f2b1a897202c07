#include "prices/CenaInfCen.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct TZrodloZLicznikiem
{
    TZrodloZLicznikiem()
    {
        Zrodlo.OnZmiana = [this](TCenaInfCen* nadawca) {
            ++Ile;
            EXPECT_EQ(nadawca, &Zrodlo);
        };
    }
    void DodajCeny()
    {
        Zrodlo.DodajCenePozycji(std::make_unique<TCena>(QStringLiteral("min"), 10.0));
        Zrodlo.DodajCenePozycji(std::make_unique<TCena>(QStringLiteral("śr"), 20.0));
        Zrodlo.DodajCenePozycji(std::make_unique<TCena>(QStringLiteral("max"), 30.0));
    }
    TCenaInfCen Zrodlo;
    int Ile = 0;
};

TEST(Cena, CloneKopiujeNazweIWartosc)
{
    const TCena c(QStringLiteral("Cena maksymalna"), 12.5);
    const std::unique_ptr<TCena> k = c.Clone();
    EXPECT_EQ(k->GetNazwa(), QStringLiteral("Cena maksymalna"));
    EXPECT_EQ(k->GetWartosc(), 12.5);
    EXPECT_NE(k.get(), &c);
}

TEST(CenaInfCen, SetteryTekstowIWspolczynnika)
{
    struct TPrzypadek
    {
        const char* Nazwa;
        std::function<void(TCenaInfCen&, const QString&)> FUstaw;
        std::function<QString(const TCenaInfCen&)> FPobierz;
    };
    const std::vector<TPrzypadek> przypadki = {
        {"nazwa", &TCenaInfCen::SetNazwaInfCen, &TCenaInfCen::GetNazwaInfCen},
        {"ścieżka", &TCenaInfCen::SetInfCenPath, &TCenaInfCen::GetInfCenPath},
        {"wydanie", &TCenaInfCen::SetWydanie, &TCenaInfCen::GetWydanie},
        {"symbol", &TCenaInfCen::SetSymbol, &TCenaInfCen::GetSymbol},
        {"kolumna", &TCenaInfCen::SetKolumna, &TCenaInfCen::GetKolumna},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TZrodloZLicznikiem z;
        p.FUstaw(z.Zrodlo, QString());
        EXPECT_EQ(z.Ile, 0);
        p.FUstaw(z.Zrodlo, QStringLiteral("Wartość"));
        EXPECT_EQ(z.Ile, 1);
        EXPECT_EQ(p.FPobierz(z.Zrodlo), QStringLiteral("Wartość"));
        p.FUstaw(z.Zrodlo, QStringLiteral("Wartość"));
        EXPECT_EQ(z.Ile, 1);
    }
    TZrodloZLicznikiem z;
    z.Zrodlo.SetWspolcz(1.0);
    EXPECT_EQ(z.Ile, 0);
    z.Zrodlo.SetWspolcz(1.25);
    EXPECT_EQ(z.Ile, 1);
    EXPECT_EQ(z.Zrodlo.GetWspolcz(), 1.25);
}

TEST(CenaInfCen, WybranaCenaRazyWspolczynnik)
{
    TZrodloZLicznikiem z;
    z.Zrodlo.SetKolumna(QStringLiteral("śr"));
    z.Ile = 0;
    z.DodajCeny();
    EXPECT_EQ(z.Ile, 1); // only the price of the column changes the choice
    ASSERT_NE(z.Zrodlo.GetWybranaCena(), nullptr);
    EXPECT_EQ(z.Zrodlo.GetWybranaCena()->GetNazwa(), QStringLiteral("śr"));
    EXPECT_EQ(z.Zrodlo.GetObliczone(), 20.0);
    z.Zrodlo.SetWspolcz(1.15);
    EXPECT_DOUBLE_EQ(z.Zrodlo.GetObliczone(), 23.0); // not rounded
    z.Zrodlo.SetWspolcz(1.0001);
    EXPECT_DOUBLE_EQ(z.Zrodlo.GetObliczone(), 20.002);

    TCena* max = z.Zrodlo.GetCenyPozycji()[2].get();
    z.Zrodlo.SetWybranaCena(max);
    EXPECT_EQ(z.Zrodlo.GetWybranaCena(), max);
    EXPECT_EQ(z.Zrodlo.GetKolumna(), QStringLiteral("max"));
    EXPECT_DOUBLE_EQ(z.Zrodlo.GetObliczone(), 30.003);
    const int przed = z.Ile;
    z.Zrodlo.SetWybranaCena(max); // the same entry
    TCena obca(QStringLiteral("min"), 1.0);
    z.Zrodlo.SetWybranaCena(&obca); // not one of the position's prices
    z.Zrodlo.SetWybranaCena(nullptr);
    EXPECT_EQ(z.Ile, przed);
    EXPECT_EQ(z.Zrodlo.GetWybranaCena(), max);

    z.Zrodlo.SetKolumna(QStringLiteral("min")); // the column decides the price
    EXPECT_EQ(z.Zrodlo.GetWybranaCena(), z.Zrodlo.GetCenyPozycji()[0].get());
    EXPECT_DOUBLE_EQ(z.Zrodlo.GetObliczone(), 10.001);
    z.Zrodlo.SetKolumna(QStringLiteral("brak"));
    EXPECT_EQ(z.Zrodlo.GetWybranaCena(), nullptr);
    EXPECT_EQ(z.Zrodlo.GetObliczone(), 0.0);
}

TEST(CenaInfCen, CzyszczenieCen)
{
    TZrodloZLicznikiem z;
    z.Zrodlo.WyczyscCenyPozycji(); // nothing chosen, nothing to tell
    EXPECT_EQ(z.Ile, 0);
    z.Zrodlo.SetKolumna(QStringLiteral("max"));
    z.DodajCeny();
    EXPECT_EQ(z.Zrodlo.GetObliczone(), 30.0);
    const int przed = z.Ile;
    z.Zrodlo.WyczyscCenyPozycji();
    EXPECT_EQ(z.Ile, przed + 1);
    EXPECT_TRUE(z.Zrodlo.GetCenyPozycji().empty());
    EXPECT_EQ(z.Zrodlo.GetWybranaCena(), nullptr);
    EXPECT_EQ(z.Zrodlo.GetObliczone(), 0.0);
    EXPECT_EQ(z.Zrodlo.GetKolumna(), QStringLiteral("max")); // the column stays for the next position
    z.Zrodlo.DodajCenePozycji(nullptr);
    EXPECT_TRUE(z.Zrodlo.GetCenyPozycji().empty());
}

TEST(CenaInfCen, UstawInfCenOdtwarzaBezZdarzenia)
{
    TZrodloZLicznikiem z;
    z.DodajCeny();
    const std::vector<TCena> ceny = {TCena(QStringLiteral("Cena min"), 8.5), TCena(QStringLiteral("Cena max"), 12.0)};
    z.Zrodlo.UstawInfCen(QStringLiteral("Informator"), QStringLiteral("%USERPATH%/inf.xml"), QStringLiteral("1.2024"),
                         QStringLiteral("KNR 2-01"), QStringLiteral("Cena max"), 0.9, 555.0, ceny);
    EXPECT_EQ(z.Ile, 0);
    EXPECT_EQ(z.Zrodlo.GetNazwaInfCen(), QStringLiteral("Informator"));
    EXPECT_EQ(z.Zrodlo.GetInfCenPath(), QStringLiteral("%USERPATH%/inf.xml"));
    EXPECT_EQ(z.Zrodlo.GetWydanie(), QStringLiteral("1.2024"));
    EXPECT_EQ(z.Zrodlo.GetSymbol(), QStringLiteral("KNR 2-01"));
    EXPECT_EQ(z.Zrodlo.GetKolumna(), QStringLiteral("Cena max"));
    EXPECT_EQ(z.Zrodlo.GetWspolcz(), 0.9);
    ASSERT_EQ(z.Zrodlo.GetCenyPozycji().size(), 2u); // the earlier prices are replaced
    EXPECT_EQ(z.Zrodlo.GetWybranaCena(), z.Zrodlo.GetCenyPozycji()[1].get());
    EXPECT_DOUBLE_EQ(z.Zrodlo.GetObliczone(), 10.8); // recalculated, the stored 555 is not kept

    z.Zrodlo.UstawInfCen({}, {}, {}, {}, QStringLiteral("inna"), 1.0, 3.0, ceny);
    EXPECT_EQ(z.Zrodlo.GetWybranaCena(), nullptr);
    EXPECT_EQ(z.Zrodlo.GetObliczone(), 0.0);
    EXPECT_EQ(z.Ile, 0);
}

TEST(CenaInfCen, CopyBezPrzeliczania)
{
    TZrodloZLicznikiem wzor;
    wzor.Zrodlo.SetKolumna(QStringLiteral("śr"));
    wzor.DodajCeny();
    wzor.Zrodlo.SetWspolcz(2);
    TZrodloZLicznikiem z;
    z.Zrodlo.Copy(wzor.Zrodlo);
    EXPECT_EQ(z.Ile, 0);
    EXPECT_EQ(z.Zrodlo.GetKolumna(), QStringLiteral("śr"));
    EXPECT_EQ(z.Zrodlo.GetObliczone(), 40.0);
    ASSERT_EQ(z.Zrodlo.GetCenyPozycji().size(), 3u);
    EXPECT_EQ(z.Zrodlo.GetWybranaCena(), z.Zrodlo.GetCenyPozycji()[1].get());
    EXPECT_TRUE(z.Zrodlo.OnZmiana);
}

} // namespace
