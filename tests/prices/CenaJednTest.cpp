#include "prices/CenaJedn.h"
#include "support/KonfiguracjaTestowa.h"

#include <QDate>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

QString Dzis()
{
    return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
}

// Counts the change events of one unit price and remembers their senders.
struct TLicznikZmian
{
    explicit TLicznikZmian(TCenaJedn& cena)
    {
        cena.OnZmiana = [this](TCenaJedn* nadawca) {
            ++Ile;
            Nadawca = nadawca;
        };
    }
    int Ile = 0;
    TCenaJedn* Nadawca = nullptr;
};

// A price of its own has the program-wide coefficient switched off.
using CenaJednTest = ::testing::Test;

TEST_F(CenaJednTest, WartosciPoczatkowe)
{
    TCenaJedn c;
    EXPECT_EQ(c.GetZrodloCenyJedn(), TCenaJedn::ZrodloZReki);
    EXPECT_EQ(c.GetCena(), 0.0);
    EXPECT_EQ(c.GetWspolczynnik(), 1.0);
    EXPECT_EQ(c.GetCenaZReki(), 0.0);
    for (double v :
         {c.GetRj(), c.GetMj(), c.GetSj(), c.GetRjObliczone(), c.GetMjObliczone(), c.GetSjObliczone(), c.GetSumaRMSj(),
          c.GetSumaRMSjObliczone(), c.GetOplata(), c.GetOplataR(), c.GetOplataM(), c.GetOplataS(), c.GetWartosc()})
        EXPECT_EQ(v, 0.0);
    for (double v : {c.GetRjWspolcz(), c.GetMjWspolcz(), c.GetSjWspolcz(), c.GetSumaRMSjWspolcz()})
        EXPECT_EQ(v, 1.0);
    EXPECT_FALSE(c.GetCzyOplataR());
    EXPECT_FALSE(c.GetCzyOplataM());
    EXPECT_FALSE(c.GetCzyOplataS());
    EXPECT_EQ(c.GetWybranyInfCen(), 0);
    EXPECT_TRUE(c.GetData().isEmpty());
    EXPECT_FALSE(c.OnZmiana);
    for (int i = 1; i <= 3; ++i) {
        TCenaInfCen* z = c.GetInfCen(i);
        ASSERT_NE(z, nullptr);
        EXPECT_TRUE(z->GetNazwaInfCen().isEmpty());
        EXPECT_EQ(z->GetWspolcz(), 1.0);
        EXPECT_EQ(z->GetObliczone(), 0.0);
        EXPECT_TRUE(z->GetCenyPozycji().empty());
        EXPECT_EQ(z->GetWybranaCena(), nullptr);
    }
    EXPECT_EQ(c.GetInfCen(1), c.GetInfCen1());
    EXPECT_EQ(c.GetInfCen(2), c.GetInfCen2());
    EXPECT_EQ(c.GetInfCen(3), c.GetInfCen3());
    EXPECT_EQ(c.GetInfCen(0), nullptr);
    EXPECT_EQ(c.GetInfCen(4), nullptr);
}

// --- Hand way

struct TPrzypadekZReki
{
    double Cena;
    double Wspolczynnik;
    double ZapisanaCena;
    double Wynik;
};

class CenaZReki : public CenaJednTest, public ::testing::WithParamInterface<TPrzypadekZReki>
{
};

TEST_P(CenaZReki, ZaokraglaDoGroszyPolowyDoParzystej)
{
    const TPrzypadekZReki& p = GetParam();
    TCenaJedn c;
    c.SetCena(p.Cena);
    c.SetWspolczynnik(p.Wspolczynnik);
    EXPECT_DOUBLE_EQ(c.GetCena(), p.ZapisanaCena);
    EXPECT_EQ(c.GetWspolczynnik(), p.Wspolczynnik); // coefficients are kept as given
    EXPECT_DOUBLE_EQ(c.GetCenaZReki(), p.Wynik);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), p.Wynik);
}

INSTANTIATE_TEST_SUITE_P(
    Przypadki, CenaZReki,
    ::testing::Values(TPrzypadekZReki{2.125, 1.0, 2.12, 2.12}, TPrzypadekZReki{2.375, 1.0, 2.38, 2.38},
                      TPrzypadekZReki{2.675, 1.0, 2.68, 2.68}, TPrzypadekZReki{2.5, 0.85, 2.5, 2.12},
                      TPrzypadekZReki{2.5, 0.95, 2.5, 2.38}, TPrzypadekZReki{100.0, 1.23, 100.0, 123.0},
                      TPrzypadekZReki{19.99, 3.0, 19.99, 59.97}, TPrzypadekZReki{3.333, 1.0, 3.33, 3.33},
                      TPrzypadekZReki{0.0, 5.0, 0.0, 0.0}, TPrzypadekZReki{-1.005, 1.0, -1.0, -1.0},
                      TPrzypadekZReki{12.34, 0.333, 12.34, 4.11}));

// --- Component way

struct TPrzypadekRms
{
    const char* FOpis;
    double FRj, FMj, Sj;
    double FRjWspolcz, FMjWspolcz, FSjWspolcz, SumaWspolcz;
    double Oplata;
    bool FR, FM, S;
    double FOplataR, FOplataM, OplataS;
    double FRjObliczone, FMjObliczone, SjObliczone;
    double FSuma, SumaObliczone;
};

class CenaRms : public CenaJednTest, public ::testing::WithParamInterface<TPrzypadekRms>
{
};

TEST_P(CenaRms, SkladnikiOplataISuma)
{
    const TPrzypadekRms& p = GetParam();
    SCOPED_TRACE(p.FOpis);
    TCenaJedn c;
    c.SetZrodloCenyJedn(TCenaJedn::ZrodloRMSj);
    c.SetRj(p.FRj);
    c.SetMj(p.FMj);
    c.SetSj(p.Sj);
    c.SetRjWspolcz(p.FRjWspolcz);
    c.SetMjWspolcz(p.FMjWspolcz);
    c.SetSjWspolcz(p.FSjWspolcz);
    c.SetSumaRMSjWspolcz(p.SumaWspolcz);
    c.SetOplata(p.Oplata);
    c.SetCzyOplataR(p.FR);
    c.SetCzyOplataM(p.FM);
    c.SetCzyOplataS(p.S);
    EXPECT_DOUBLE_EQ(c.GetOplataR(), p.FOplataR);
    EXPECT_DOUBLE_EQ(c.GetOplataM(), p.FOplataM);
    EXPECT_DOUBLE_EQ(c.GetOplataS(), p.OplataS);
    EXPECT_DOUBLE_EQ(c.GetRjObliczone(), p.FRjObliczone);
    EXPECT_DOUBLE_EQ(c.GetMjObliczone(), p.FMjObliczone);
    EXPECT_DOUBLE_EQ(c.GetSjObliczone(), p.SjObliczone);
    EXPECT_DOUBLE_EQ(c.GetSumaRMSj(), p.FSuma);
    EXPECT_DOUBLE_EQ(c.GetSumaRMSjObliczone(), p.SumaObliczone);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), p.SumaObliczone);
    // The same inputs restored and recalculated give the same result.
    TCenaJedn d;
    d.UstawCeneZReki(TCenaJedn::ZrodloRMSj, 0, 1, 0, 0);
    d.UstawCeneRms(c.GetRj(), c.GetMj(), c.GetSj(), p.FRjWspolcz, p.FMjWspolcz, p.FSjWspolcz, 0, 0, 0, 0, p.SumaWspolcz,
                   0);
    d.UstawOplata(p.FR, p.FM, p.S, p.Oplata);
    d.Oblicz();
    EXPECT_DOUBLE_EQ(d.GetWartosc(), p.SumaObliczone);
}

INSTANTIATE_TEST_SUITE_P(
    Przypadki, CenaRms,
    ::testing::Values(
        TPrzypadekRms{"bez opłaty", 10, 20, 30, 1, 1, 1, 1, 0, false, false, false, 0, 0, 0, 10, 20, 30, 60, 60},
        TPrzypadekRms{"opłata R i S", 10,   20,  30, 1,   1,    1,  1,    9,  true,
                      false,          true, 4.5, 0,  4.5, 14.5, 20, 34.5, 69, 69},
        TPrzypadekRms{"opłata bez pól", 10, 20, 30, 1, 1, 1, 1, 9, false, false, false, 0, 0, 0, 10, 20, 30, 60, 60},
        TPrzypadekRms{"pola bez opłaty", 10, 20, 30, 1, 1, 1, 1, 0, true, true, true, 0, 0, 0, 10, 20, 30, 60, 60},
        TPrzypadekRms{"opłata na trzy", 10,       20,       30,    1,     1,     1,     1,    10, true, true, true,
                      10.0 / 3,         10.0 / 3, 10.0 / 3, 13.33, 23.33, 33.33, 69.99, 69.99},
        TPrzypadekRms{"opłata tylko M", 10, 20, 30, 1, 1, 1, 1, -3, false, true, false, 0, -3, 0, 10, 17, 30, 57, 57},
        TPrzypadekRms{
            "opłata przed współczynnikiem", 10, 0, 0, 1.5, 1, 1, 1, 2, true, false, false, 2, 0, 0, 18, 0, 0, 18, 18},
        TPrzypadekRms{"współczynniki", 12.5,  7.25, 3, 1.1, 0.8,   2.005, 1.5,  0,     false,
                      false,           false, 0,    0, 0,   13.75, 5.8,   6.02, 25.57, 38.36},
        TPrzypadekRms{"kwoty zaokrąglone",
                      2.125,
                      2.375,
                      1.004,
                      1,
                      1,
                      1,
                      2,
                      0,
                      false,
                      false,
                      false,
                      0,
                      0,
                      0,
                      2.12,
                      2.38,
                      1.0,
                      5.5,
                      11.0}));

TEST_F(CenaJednTest, KwotySkladnikowZapisywaneZaokraglone)
{
    TCenaJedn c;
    c.SetRj(2.125);
    c.SetMj(2.375);
    c.SetSj(7.005);
    c.SetOplata(1.2345);
    c.SetRjWspolcz(1.0005);
    EXPECT_DOUBLE_EQ(c.GetRj(), 2.12);
    EXPECT_DOUBLE_EQ(c.GetMj(), 2.38);
    EXPECT_DOUBLE_EQ(c.GetSj(), 7.0); // 7.005 is 7.00499999... in binary, taken as a half: even cent
    EXPECT_EQ(c.GetOplata(), 1.2345); // the fee and the coefficients are not rounded
    EXPECT_EQ(c.GetRjWspolcz(), 1.0005);
}

// --- Price-information way

TEST_F(CenaJednTest, CenaZInformatoraWybranegoZrodla)
{
    TCenaJedn c;
    TLicznikZmian zmiany(c);
    c.SetZrodloCenyJedn(TCenaJedn::ZrodloInfCen);
    TCenaInfCen* z1 = c.GetInfCen1();
    z1->SetKolumna(QStringLiteral("Cena średnia"));
    z1->DodajCenePozycji(std::make_unique<TCena>(QStringLiteral("Cena minimalna"), 10.0));
    z1->DodajCenePozycji(std::make_unique<TCena>(QStringLiteral("Cena średnia"), 20.0));
    z1->SetWspolcz(1.5);
    EXPECT_DOUBLE_EQ(z1->GetObliczone(), 30.0);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 30.0);

    c.GetInfCen3()->DodajCenePozycji(std::make_unique<TCena>(QString(), 7.25)); // the empty column is named ""
    EXPECT_DOUBLE_EQ(c.GetInfCen3()->GetObliczone(), 7.25);

    const std::vector<std::pair<int, double>> wybory = {{1, 0.0}, {2, 7.25}, {0, 30.0}, {7, 30.0}, {-1, 30.0}};
    for (const auto& [wybor, wartosc] : wybory) {
        c.SetWybranyInfCen(wybor);
        EXPECT_EQ(c.GetWybranyInfCen(), wybor);
        EXPECT_DOUBLE_EQ(c.GetWartosc(), wartosc) << "wybrane źródło " << wybor;
    }
    EXPECT_EQ(c.GetWybranaInfCen(), c.GetInfCen1());
    c.SetWybranyInfCen(1);
    EXPECT_EQ(c.GetWybranaInfCen(), c.GetInfCen2());
    c.SetWybranyInfCen(2);
    EXPECT_EQ(c.GetWybranaInfCen(), c.GetInfCen3());
}

TEST_F(CenaJednTest, ZmianaWZrodlePrzeliczaIPowiadamia)
{
    TCenaJedn c;
    c.UstawCeneZReki(TCenaJedn::ZrodloInfCen, 0, 1, 0, 0);
    c.UstawDate(QStringLiteral("01.01.2000"));
    TLicznikZmian zmiany(c);
    c.GetInfCen1()->SetKolumna(QStringLiteral("max"));
    EXPECT_EQ(zmiany.Ile, 1); // recalculated even though nothing is chosen yet
    c.GetInfCen1()->DodajCenePozycji(std::make_unique<TCena>(QStringLiteral("max"), 40.0));
    EXPECT_EQ(zmiany.Ile, 2);
    EXPECT_EQ(zmiany.Nadawca, &c);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 40.0);
    EXPECT_EQ(c.GetData(), Dzis());
    c.GetInfCen1()->SetWspolcz(0.5);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 20.0);
    c.GetInfCen1()->WyczyscCenyPozycji();
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 0.0); // a source with no chosen price contributes nothing
    EXPECT_EQ(zmiany.Ile, 4);
}

// --- Program-wide coefficient

struct TPrzypadekGlobalny
{
    std::uint8_t Zrodlo;
    bool Wlaczony;
    double Wspolczynnik;
    double Wartosc;
};

class CenaZeWspolczynnikiemGlobalnym : public ::testing::TestWithParam<TPrzypadekGlobalny>
{
};

TEST_P(CenaZeWspolczynnikiemGlobalnym, KazdySposob)
{
    const TPrzypadekGlobalny& p = GetParam();
    TCenaJedn c;
    c.SetUstawienia({p.Wlaczony, p.Wspolczynnik});
    c.UstawCeneZReki(p.Zrodlo, 0, 1, 0, 0);
    c.SetCena(10.05); // hand result 10.05
    c.SetRj(60);
    c.SetMj(40); // component result 100
    c.GetInfCen1()->SetWspolcz(1.2);
    c.GetInfCen1()->DodajCenePozycji(std::make_unique<TCena>(QString(), 50.0)); // information result 60
    c.Oblicz();
    EXPECT_DOUBLE_EQ(c.GetWartosc(), p.Wartosc);
    // The ways' own results never carry the program-wide coefficient.
    EXPECT_DOUBLE_EQ(c.GetCenaZReki(), 10.05);
    EXPECT_DOUBLE_EQ(c.GetSumaRMSjObliczone(), 100.0);
    EXPECT_DOUBLE_EQ(c.GetInfCen1()->GetObliczone(), 60.0);
}

INSTANTIATE_TEST_SUITE_P(Przypadki, CenaZeWspolczynnikiemGlobalnym,
                         ::testing::Values(TPrzypadekGlobalny{TCenaJedn::ZrodloRMSj, true, 1.1, 110.0},
                                           TPrzypadekGlobalny{TCenaJedn::ZrodloRMSj, false, 1.1, 100.0},
                                           TPrzypadekGlobalny{TCenaJedn::ZrodloZReki, true, 1.1,
                                                              11.06}, // 11.055, half to even
                                           TPrzypadekGlobalny{TCenaJedn::ZrodloZReki, false, 1.1, 10.05},
                                           TPrzypadekGlobalny{TCenaJedn::ZrodloInfCen, true, 1.1, 66.0},
                                           TPrzypadekGlobalny{TCenaJedn::ZrodloInfCen, false, 1.1, 60.0},
                                           TPrzypadekGlobalny{TCenaJedn::ZrodloInfCen, true, 0.333, 19.98},
                                           TPrzypadekGlobalny{TCenaJedn::ZrodloRMSj, true, 1.0, 100.0}));

TEST(CenaJednGlobalny, NoweUstawieniaPrzeliczajaBezZdarzeniaIDaty)
{
    TKonfiguracja::Zwolnij(false); // the settings alone decide, with no configuration in the process
    TCenaJedn c;
    c.SetCena(50);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 50.0);
    c.UstawDate(QStringLiteral("01.01.2000"));
    int zmiany = 0;
    c.OnZmiana = [&zmiany](TCenaJedn*) { ++zmiany; };
    c.SetUstawienia({true, 2.0});
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 100.0);
    EXPECT_DOUBLE_EQ(c.GetCenaZReki(), 50.0);
    c.SetCena(60); // a setter uses the settings the price holds
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 120.0);
    EXPECT_EQ(zmiany, 1);
    c.UstawDate(QStringLiteral("01.01.2000"));
    c.SetUstawienia({false, 2.0});
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 60.0);
    EXPECT_EQ(zmiany, 1);
    EXPECT_EQ(c.GetData(), QStringLiteral("01.01.2000"));
    EXPECT_FALSE(TKonfiguracja::Istnieje());
}

TEST(CenaJednGlobalny, KopiaLiczyZUstawieniamiWzoru)
{
    TCenaJedn wzor;
    wzor.SetUstawienia({true, 1.5});
    wzor.SetCena(10);
    const std::unique_ptr<TCenaJedn> kopia = wzor.Clone();
    EXPECT_EQ(kopia->GetUstawienia(), wzor.GetUstawienia());
    EXPECT_DOUBLE_EQ(kopia->GetWartosc(), 15.0);
}

class UstawieniaCenZKonfiguracji : public TTestZKonfiguracja
{
};

TEST_F(UstawieniaCenZKonfiguracji, ZmianaKonfiguracjiDzialaDopieroPrzezNowaMigawke)
{
    Konfiguracja().CzyWspolczynnikGlobalnyCenyJedn = true;
    Konfiguracja().WspolczynnikGlobalnyCenyJedn = 1.25;
    const TUstawieniaCen migawka = TUstawieniaCen::ZKonfiguracji(Konfiguracja());
    EXPECT_EQ(migawka, (TUstawieniaCen{true, 1.25}));
    TCenaJedn c;
    c.SetUstawienia(migawka);
    c.SetCena(8);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 10.0);
    // The price holds its snapshot: a later change of the configuration does not reach it.
    Konfiguracja().CzyWspolczynnikGlobalnyCenyJedn = false;
    c.Oblicz();
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 10.0);
    c.SetUstawienia(TUstawieniaCen::ZKonfiguracji(Konfiguracja()));
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 8.0);
}

} // namespace
