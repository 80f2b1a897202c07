#include "prices/CenaInfCen.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct TZrodloZLicznikiem
{
    TZrodloZLicznikiem()
    {
        FZrodlo.OnZmiana = [this](TCenaInfCen* nadawca) {
            ++FIle;
            EXPECT_EQ(nadawca, &FZrodlo);
        };
    }
    void DodajCeny()
    {
        FZrodlo.DodajCenePozycji(std::make_unique<TCena>(QStringLiteral("min"), 10.0));
        FZrodlo.DodajCenePozycji(std::make_unique<TCena>(QStringLiteral("śr"), 20.0));
        FZrodlo.DodajCenePozycji(std::make_unique<TCena>(QStringLiteral("max"), 30.0));
    }
    TCenaInfCen FZrodlo;
    int FIle = 0;
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
        const char* FNazwa;
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
        SCOPED_TRACE(p.FNazwa);
        TZrodloZLicznikiem z;
        p.FUstaw(z.FZrodlo, QString());
        EXPECT_EQ(z.FIle, 0);
        p.FUstaw(z.FZrodlo, QStringLiteral("Wartość"));
        EXPECT_EQ(z.FIle, 1);
        EXPECT_EQ(p.FPobierz(z.FZrodlo), QStringLiteral("Wartość"));
        p.FUstaw(z.FZrodlo, QStringLiteral("Wartość"));
        EXPECT_EQ(z.FIle, 1);
    }
    TZrodloZLicznikiem z;
    z.FZrodlo.SetWspolcz(1.0);
    EXPECT_EQ(z.FIle, 0);
    z.FZrodlo.SetWspolcz(1.25);
    EXPECT_EQ(z.FIle, 1);
    EXPECT_EQ(z.FZrodlo.GetWspolcz(), 1.25);
}

TEST(CenaInfCen, WybranaCenaRazyWspolczynnik)
{
    TZrodloZLicznikiem z;
    z.FZrodlo.SetKolumna(QStringLiteral("śr"));
    z.FIle = 0;
    z.DodajCeny();
    EXPECT_EQ(z.FIle, 1); // only the price of the column changes the choice
    ASSERT_NE(z.FZrodlo.GetWybranaCena(), nullptr);
    EXPECT_EQ(z.FZrodlo.GetWybranaCena()->GetNazwa(), QStringLiteral("śr"));
    EXPECT_EQ(z.FZrodlo.GetObliczone(), 20.0);
    z.FZrodlo.SetWspolcz(1.15);
    EXPECT_DOUBLE_EQ(z.FZrodlo.GetObliczone(), 23.0); // not rounded
    z.FZrodlo.SetWspolcz(1.0001);
    EXPECT_DOUBLE_EQ(z.FZrodlo.GetObliczone(), 20.002);

    TCena* max = z.FZrodlo.GetCenyPozycji()[2].get();
    z.FZrodlo.SetWybranaCena(max);
    EXPECT_EQ(z.FZrodlo.GetWybranaCena(), max);
    EXPECT_EQ(z.FZrodlo.GetKolumna(), QStringLiteral("max"));
    EXPECT_DOUBLE_EQ(z.FZrodlo.GetObliczone(), 30.003);
    const int przed = z.FIle;
    z.FZrodlo.SetWybranaCena(max); // the same entry
    TCena obca(QStringLiteral("min"), 1.0);
    z.FZrodlo.SetWybranaCena(&obca); // not one of the position's prices
    z.FZrodlo.SetWybranaCena(nullptr);
    EXPECT_EQ(z.FIle, przed);
    EXPECT_EQ(z.FZrodlo.GetWybranaCena(), max);

    z.FZrodlo.SetKolumna(QStringLiteral("min")); // the column decides the price
    EXPECT_EQ(z.FZrodlo.GetWybranaCena(), z.FZrodlo.GetCenyPozycji()[0].get());
    EXPECT_DOUBLE_EQ(z.FZrodlo.GetObliczone(), 10.001);
    z.FZrodlo.SetKolumna(QStringLiteral("brak"));
    EXPECT_EQ(z.FZrodlo.GetWybranaCena(), nullptr);
    EXPECT_EQ(z.FZrodlo.GetObliczone(), 0.0);
}

TEST(CenaInfCen, CzyszczenieCen)
{
    TZrodloZLicznikiem z;
    z.FZrodlo.WyczyscCenyPozycji(); // nothing chosen, nothing to tell
    EXPECT_EQ(z.FIle, 0);
    z.FZrodlo.SetKolumna(QStringLiteral("max"));
    z.DodajCeny();
    EXPECT_EQ(z.FZrodlo.GetObliczone(), 30.0);
    const int przed = z.FIle;
    z.FZrodlo.WyczyscCenyPozycji();
    EXPECT_EQ(z.FIle, przed + 1);
    EXPECT_TRUE(z.FZrodlo.GetCenyPozycji().empty());
    EXPECT_EQ(z.FZrodlo.GetWybranaCena(), nullptr);
    EXPECT_EQ(z.FZrodlo.GetObliczone(), 0.0);
    EXPECT_EQ(z.FZrodlo.GetKolumna(), QStringLiteral("max")); // the column stays for the next position
    z.FZrodlo.DodajCenePozycji(nullptr);
    EXPECT_TRUE(z.FZrodlo.GetCenyPozycji().empty());
}

TEST(CenaInfCen, UstawInfCenOdtwarzaBezZdarzenia)
{
    TZrodloZLicznikiem z;
    z.DodajCeny();
    const std::vector<TCena> ceny = {TCena(QStringLiteral("Cena min"), 8.5), TCena(QStringLiteral("Cena max"), 12.0)};
    z.FZrodlo.UstawInfCen(QStringLiteral("Informator"), QStringLiteral("%USERPATH%/inf.xml"), QStringLiteral("1.2024"),
                          QStringLiteral("KNR 2-01"), QStringLiteral("Cena max"), 0.9, 555.0, ceny);
    EXPECT_EQ(z.FIle, 0);
    EXPECT_EQ(z.FZrodlo.GetNazwaInfCen(), QStringLiteral("Informator"));
    EXPECT_EQ(z.FZrodlo.GetInfCenPath(), QStringLiteral("%USERPATH%/inf.xml"));
    EXPECT_EQ(z.FZrodlo.GetWydanie(), QStringLiteral("1.2024"));
    EXPECT_EQ(z.FZrodlo.GetSymbol(), QStringLiteral("KNR 2-01"));
    EXPECT_EQ(z.FZrodlo.GetKolumna(), QStringLiteral("Cena max"));
    EXPECT_EQ(z.FZrodlo.GetWspolcz(), 0.9);
    ASSERT_EQ(z.FZrodlo.GetCenyPozycji().size(), 2u); // the earlier prices are replaced
    EXPECT_EQ(z.FZrodlo.GetWybranaCena(), z.FZrodlo.GetCenyPozycji()[1].get());
    EXPECT_DOUBLE_EQ(z.FZrodlo.GetObliczone(), 10.8); // recalculated, the stored 555 is not kept

    z.FZrodlo.UstawInfCen({}, {}, {}, {}, QStringLiteral("inna"), 1.0, 3.0, ceny);
    EXPECT_EQ(z.FZrodlo.GetWybranaCena(), nullptr);
    EXPECT_EQ(z.FZrodlo.GetObliczone(), 0.0);
    EXPECT_EQ(z.FIle, 0);
}

TEST(CenaInfCen, CopyBezPrzeliczania)
{
    TZrodloZLicznikiem wzor;
    wzor.FZrodlo.SetKolumna(QStringLiteral("śr"));
    wzor.DodajCeny();
    wzor.FZrodlo.SetWspolcz(2);
    TZrodloZLicznikiem z;
    z.FZrodlo.Copy(wzor.FZrodlo);
    EXPECT_EQ(z.FIle, 0);
    EXPECT_EQ(z.FZrodlo.GetKolumna(), QStringLiteral("śr"));
    EXPECT_EQ(z.FZrodlo.GetObliczone(), 40.0);
    ASSERT_EQ(z.FZrodlo.GetCenyPozycji().size(), 3u);
    EXPECT_EQ(z.FZrodlo.GetWybranaCena(), z.FZrodlo.GetCenyPozycji()[1].get());
    EXPECT_TRUE(z.FZrodlo.OnZmiana);
}

} // namespace
