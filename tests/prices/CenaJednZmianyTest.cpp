// Notification, restoring of stored values and copies of a unit price.
#include "prices/CenaJedn.h"

#include <QDate>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const QString StaraData = QStringLiteral("01.01.2000");

QString Dzis()
{
    return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
}

using CenaJednZmianyTest = ::testing::Test;

struct TSetter
{
    const char* Nazwa;
    std::function<void(TCenaJedn&)> FTaSama; // sets the value the fresh price already has
    std::function<void(TCenaJedn&)> FInna;   // sets another value
    std::function<bool(const TCenaJedn&)> FZapisana;
};

std::vector<TSetter> Settery()
{
    return {
        {"SetCena", [](TCenaJedn& c) { c.SetCena(0.001); }, [](TCenaJedn& c) { c.SetCena(5); },
         [](const TCenaJedn& c) { return c.GetCena() == 5.0 && c.GetCenaZReki() == 5.0; }},
        {"SetWspolczynnik", [](TCenaJedn& c) { c.SetWspolczynnik(1); }, [](TCenaJedn& c) { c.SetWspolczynnik(2); },
         [](const TCenaJedn& c) { return c.GetWspolczynnik() == 2.0; }},
        {"SetRj", [](TCenaJedn& c) { c.SetRj(0); }, [](TCenaJedn& c) { c.SetRj(3); },
         [](const TCenaJedn& c) { return c.GetRj() == 3.0 && c.GetRjObliczone() == 3.0 && c.GetWartosc() == 3.0; }},
        {"SetMj", [](TCenaJedn& c) { c.SetMj(0); }, [](TCenaJedn& c) { c.SetMj(4); },
         [](const TCenaJedn& c) { return c.GetMj() == 4.0 && c.GetSumaRMSj() == 4.0; }},
        {"SetSj", [](TCenaJedn& c) { c.SetSj(0.004); }, [](TCenaJedn& c) { c.SetSj(6); },
         [](const TCenaJedn& c) { return c.GetSj() == 6.0 && c.GetSumaRMSjObliczone() == 6.0; }},
        {"SetRjWspolcz", [](TCenaJedn& c) { c.SetRjWspolcz(1); }, [](TCenaJedn& c) { c.SetRjWspolcz(2); },
         [](const TCenaJedn& c) { return c.GetRjWspolcz() == 2.0; }},
        {"SetMjWspolcz", [](TCenaJedn& c) { c.SetMjWspolcz(1); }, [](TCenaJedn& c) { c.SetMjWspolcz(2); },
         [](const TCenaJedn& c) { return c.GetMjWspolcz() == 2.0; }},
        {"SetSjWspolcz", [](TCenaJedn& c) { c.SetSjWspolcz(1); }, [](TCenaJedn& c) { c.SetSjWspolcz(2); },
         [](const TCenaJedn& c) { return c.GetSjWspolcz() == 2.0; }},
        {"SetSumaRMSjWspolcz", [](TCenaJedn& c) { c.SetSumaRMSjWspolcz(1); },
         [](TCenaJedn& c) { c.SetSumaRMSjWspolcz(2); },
         [](const TCenaJedn& c) { return c.GetSumaRMSjWspolcz() == 2.0; }},
        {"SetOplata", [](TCenaJedn& c) { c.SetOplata(0); }, [](TCenaJedn& c) { c.SetOplata(9); },
         [](const TCenaJedn& c) { return c.GetOplata() == 9.0; }},
        {"SetCzyOplataR", [](TCenaJedn& c) { c.SetCzyOplataR(false); }, [](TCenaJedn& c) { c.SetCzyOplataR(true); },
         [](const TCenaJedn& c) { return c.GetCzyOplataR(); }},
        {"SetCzyOplataM", [](TCenaJedn& c) { c.SetCzyOplataM(false); }, [](TCenaJedn& c) { c.SetCzyOplataM(true); },
         [](const TCenaJedn& c) { return c.GetCzyOplataM(); }},
        {"SetCzyOplataS", [](TCenaJedn& c) { c.SetCzyOplataS(false); }, [](TCenaJedn& c) { c.SetCzyOplataS(true); },
         [](const TCenaJedn& c) { return c.GetCzyOplataS(); }},
        {"SetWybranyInfCen", [](TCenaJedn& c) { c.SetWybranyInfCen(0); }, [](TCenaJedn& c) { c.SetWybranyInfCen(2); },
         [](const TCenaJedn& c) { return c.GetWybranyInfCen() == 2; }},
        {"SetZrodloCenyJedn", [](TCenaJedn& c) { c.SetZrodloCenyJedn(0); },
         [](TCenaJedn& c) { c.SetZrodloCenyJedn(1); }, [](const TCenaJedn& c) { return c.GetZrodloCenyJedn() == 1; }},
    };
}

TEST_F(CenaJednZmianyTest, TaSamaWartoscNicNieZmienia)
{
    for (const TSetter& s : Settery()) {
        SCOPED_TRACE(s.Nazwa);
        TCenaJedn c;
        c.UstawDate(StaraData);
        c.UstawCeneZReki(TCenaJedn::ZrodloZReki, 0, 1, 77.0, 0); // a stored result no recalculation would keep
        int zmiany = 0;
        c.OnZmiana = [&zmiany](TCenaJedn*) { ++zmiany; };
        s.FTaSama(c);
        EXPECT_EQ(zmiany, 0);
        EXPECT_EQ(c.GetData(), StaraData);
        EXPECT_EQ(c.GetWartosc(), 77.0);
    }
}

TEST_F(CenaJednZmianyTest, NowaWartoscPrzeliczaStemplujeIPowiadamia)
{
    for (const TSetter& s : Settery()) {
        SCOPED_TRACE(s.Nazwa);
        TCenaJedn c;
        c.UstawDate(StaraData);
        std::vector<TCenaJedn*> nadawcy;
        QString dataWZdarzeniu;
        c.OnZmiana = [&](TCenaJedn* n) {
            nadawcy.push_back(n);
            dataWZdarzeniu = n->GetData();
        };
        s.FInna(c);
        ASSERT_EQ(nadawcy.size(), 1u);
        EXPECT_EQ(nadawcy.front(), &c);
        EXPECT_EQ(dataWZdarzeniu, Dzis()); // the date is stamped before the owner hears of it
        EXPECT_EQ(c.GetData(), Dzis());
        EXPECT_TRUE(s.FZapisana(c));
    }
}

TEST_F(CenaJednZmianyTest, SetterLiczySwojSposobNiezaleznieOdWybranego)
{
    TCenaJedn c;
    c.SetCena(10);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 10.0);
    c.SetRj(25); // the hand way is still chosen; the way being edited gives the price
    EXPECT_EQ(c.GetZrodloCenyJedn(), TCenaJedn::ZrodloZReki);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 25.0);
    c.Oblicz(); // the chosen way again
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 10.0);
    c.SetZrodloCenyJedn(TCenaJedn::ZrodloRMSj);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 25.0);
}

TEST_F(CenaJednZmianyTest, ObliczTylkoWybranySposobBezPowiadamiania)
{
    TCenaJedn c;
    c.UstawDate(StaraData);
    c.UstawCeneZReki(TCenaJedn::ZrodloZReki, 4, 2, 0, 0);
    c.UstawCeneRms(1, 2, 3, 1, 1, 1, 0, 0, 0, 0, 1, 0);
    int zmiany = 0;
    c.OnZmiana = [&zmiany](TCenaJedn*) { ++zmiany; };
    c.Oblicz();
    EXPECT_DOUBLE_EQ(c.GetCenaZReki(), 8.0);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 8.0);
    EXPECT_EQ(c.GetSumaRMSjObliczone(), 0.0); // the other ways are left alone
    EXPECT_EQ(zmiany, 0);
    EXPECT_EQ(c.GetData(), StaraData);

    for (std::uint8_t inny : {std::uint8_t{3}, std::uint8_t{255}}) {
        TCenaJedn d;
        d.UstawCeneZReki(inny, 4, 2, 12.5, 3);
        d.Oblicz();
        EXPECT_EQ(d.GetWartosc(), 12.5);
        EXPECT_EQ(d.GetCenaZReki(), 3.0);
    }
}

TEST_F(CenaJednZmianyTest, LadowanieBezPrzeliczania)
{
    TCenaJedn c;
    c.UstawDate(StaraData);
    int zmiany = 0;
    c.OnZmiana = [&zmiany](TCenaJedn*) { ++zmiany; };
    c.UstawCeneZReki(TCenaJedn::ZrodloRMSj, 5.555, 2, 123.45, 9.99);
    c.UstawCeneRms(1.111, 2, 3, 1.5, 1.25, 0.5, 11, 22, 33, 44, 2, 55);
    c.UstawOplata(true, false, true, 6);
    c.UstawWybranyInfCen(2);
    c.GetInfCen2()->UstawInfCen(QStringLiteral("Sekocenbud"), QStringLiteral("/x/inf.xml"), QStringLiteral("2.2024"),
                                QStringLiteral("1-01"), QStringLiteral("max"), 2, 99,
                                {TCena(QStringLiteral("max"), 5)});
    EXPECT_EQ(zmiany, 0);
    EXPECT_EQ(c.GetData(), StaraData); // reading a file is no change
    EXPECT_EQ(c.GetZrodloCenyJedn(), TCenaJedn::ZrodloRMSj);
    EXPECT_EQ(c.GetCena(), 5.555); // stored values are taken as they are, unrounded
    EXPECT_EQ(c.GetWspolczynnik(), 2.0);
    EXPECT_EQ(c.GetWartosc(), 123.45);
    EXPECT_EQ(c.GetCenaZReki(), 9.99);
    EXPECT_EQ(c.GetRj(), 1.111);
    EXPECT_EQ(c.GetMj(), 2.0);
    EXPECT_EQ(c.GetSj(), 3.0);
    EXPECT_EQ(c.GetRjWspolcz(), 1.5);
    EXPECT_EQ(c.GetMjWspolcz(), 1.25);
    EXPECT_EQ(c.GetSjWspolcz(), 0.5);
    EXPECT_EQ(c.GetRjObliczone(), 11.0);
    EXPECT_EQ(c.GetMjObliczone(), 22.0);
    EXPECT_EQ(c.GetSjObliczone(), 33.0);
    EXPECT_EQ(c.GetSumaRMSj(), 44.0);
    EXPECT_EQ(c.GetSumaRMSjWspolcz(), 2.0);
    EXPECT_EQ(c.GetSumaRMSjObliczone(), 55.0);
    EXPECT_TRUE(c.GetCzyOplataR());
    EXPECT_FALSE(c.GetCzyOplataM());
    EXPECT_TRUE(c.GetCzyOplataS());
    EXPECT_EQ(c.GetOplata(), 6.0);
    EXPECT_EQ(c.GetOplataR(), 0.0); // shares are only worked out by a recalculation
    EXPECT_EQ(c.GetWybranyInfCen(), 2);
    EXPECT_DOUBLE_EQ(c.GetInfCen2()->GetObliczone(), 10.0); // the source itself is recalculated

    c.Oblicz(); // the component way: (1.111 + 3) * 1.5 + 2 * 1.25 + (3 + 3) * 0.5, then * 2
    EXPECT_DOUBLE_EQ(c.GetOplataR(), 3.0);
    EXPECT_DOUBLE_EQ(c.GetOplataS(), 3.0);
    EXPECT_DOUBLE_EQ(c.GetRjObliczone(), 6.17); // 6.1665
    EXPECT_DOUBLE_EQ(c.GetMjObliczone(), 2.5);
    EXPECT_DOUBLE_EQ(c.GetSjObliczone(), 3.0);
    EXPECT_DOUBLE_EQ(c.GetSumaRMSj(), 11.67);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 23.34);
    EXPECT_EQ(zmiany, 0);
    EXPECT_EQ(c.GetData(), StaraData);
}

// A unit price with every input set, for the copies.
void Wypelnij(TCenaJedn& c)
{
    c.UstawDate(StaraData);
    c.UstawCeneZReki(TCenaJedn::ZrodloInfCen, 7, 1.5, 0, 10.5);
    c.UstawCeneRms(1, 2, 3, 1.1, 1.2, 1.3, 1.1, 2.4, 3.9, 7.4, 2, 14.8);
    c.UstawOplata(false, true, false, 4);
    c.UstawWybranyInfCen(1);
    c.GetInfCen1()->UstawInfCen(QStringLiteral("A"), QStringLiteral("/a.xml"), QStringLiteral("1.2020"),
                                QStringLiteral("s1"), QStringLiteral("min"), 1, 0,
                                {TCena(QStringLiteral("min"), 3), TCena(QStringLiteral("max"), 4)});
    c.GetInfCen2()->UstawInfCen(QStringLiteral("B"), QStringLiteral("/b.xml"), QStringLiteral("2.2021"),
                                QStringLiteral("s2"), QStringLiteral("max"), 3, 0,
                                {TCena(QStringLiteral("min"), 5), TCena(QStringLiteral("max"), 6)});
    c.GetInfCen3()->UstawInfCen(QStringLiteral("C"), {}, {}, {}, {}, 1, 0, {});
}

void PorownajZrodla(const TCenaInfCen& a, const TCenaInfCen& b)
{
    EXPECT_EQ(a.GetNazwaInfCen(), b.GetNazwaInfCen());
    EXPECT_EQ(a.GetInfCenPath(), b.GetInfCenPath());
    EXPECT_EQ(a.GetWydanie(), b.GetWydanie());
    EXPECT_EQ(a.GetSymbol(), b.GetSymbol());
    EXPECT_EQ(a.GetKolumna(), b.GetKolumna());
    EXPECT_EQ(a.GetWspolcz(), b.GetWspolcz());
    EXPECT_EQ(a.GetObliczone(), b.GetObliczone());
    ASSERT_EQ(a.GetCenyPozycji().size(), b.GetCenyPozycji().size());
    for (std::size_t i = 0; i < a.GetCenyPozycji().size(); ++i) {
        EXPECT_NE(a.GetCenyPozycji()[i].get(), b.GetCenyPozycji()[i].get()); // copies, not shared
        EXPECT_EQ(a.GetCenyPozycji()[i]->GetNazwa(), b.GetCenyPozycji()[i]->GetNazwa());
        EXPECT_EQ(a.GetCenyPozycji()[i]->GetWartosc(), b.GetCenyPozycji()[i]->GetWartosc());
    }
    ASSERT_EQ(a.GetWybranaCena() == nullptr, b.GetWybranaCena() == nullptr);
    if (a.GetWybranaCena() != nullptr) {
        EXPECT_EQ(a.GetWybranaCena()->GetNazwa(), b.GetWybranaCena()->GetNazwa());
    }
}

TEST_F(CenaJednZmianyTest, CopyPrzenosiWszystkoIPrzelicza)
{
    TCenaJedn wzor;
    Wypelnij(wzor);
    TCenaJedn c;
    int zmiany = 0;
    c.OnZmiana = [&zmiany](TCenaJedn*) { ++zmiany; };
    c.Copy(wzor);
    EXPECT_EQ(zmiany, 0);
    EXPECT_TRUE(c.OnZmiana); // its own event stays
    EXPECT_EQ(c.GetZrodloCenyJedn(), TCenaJedn::ZrodloInfCen);
    EXPECT_EQ(c.GetData(), StaraData);
    EXPECT_EQ(c.GetCena(), 7.0);
    EXPECT_EQ(c.GetWspolczynnik(), 1.5);
    EXPECT_EQ(c.GetCenaZReki(), 10.5);
    EXPECT_EQ(c.GetRj(), 1.0);
    EXPECT_EQ(c.GetMjWspolcz(), 1.2);
    EXPECT_EQ(c.GetSumaRMSjObliczone(), 14.8);
    EXPECT_EQ(c.GetOplata(), 4.0);
    EXPECT_TRUE(c.GetCzyOplataM());
    EXPECT_EQ(c.GetWybranyInfCen(), 1);
    PorownajZrodla(*c.GetInfCen1(), *wzor.GetInfCen1());
    PorownajZrodla(*c.GetInfCen2(), *wzor.GetInfCen2());
    PorownajZrodla(*c.GetInfCen3(), *wzor.GetInfCen3());
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 18.0); // recalculated: the second source, 6 * 3

    // The copy's sources tell the copy, and only the copy.
    int zmianyWzoru = 0;
    wzor.OnZmiana = [&zmianyWzoru](TCenaJedn*) { ++zmianyWzoru; };
    c.GetInfCen2()->SetWspolcz(2);
    EXPECT_EQ(zmiany, 1);
    EXPECT_EQ(zmianyWzoru, 0);
    EXPECT_DOUBLE_EQ(c.GetWartosc(), 12.0);
    EXPECT_DOUBLE_EQ(wzor.GetInfCen2()->GetObliczone(), 18.0);
}

TEST_F(CenaJednZmianyTest, CloneJestNiezaleznaKopia)
{
    TCenaJedn wzor;
    Wypelnij(wzor);
    int zmianyWzoru = 0;
    wzor.OnZmiana = [&zmianyWzoru](TCenaJedn*) { ++zmianyWzoru; };
    std::unique_ptr<TCenaJedn> kopia = wzor.Clone();
    ASSERT_NE(kopia, nullptr);
    EXPECT_FALSE(kopia->OnZmiana);
    EXPECT_DOUBLE_EQ(kopia->GetWartosc(), 18.0);
    EXPECT_EQ(kopia->GetData(), StaraData);
    PorownajZrodla(*kopia->GetInfCen2(), *wzor.GetInfCen2());
    kopia->SetCena(99);
    kopia->GetInfCen1()->SetWspolcz(5);
    EXPECT_EQ(wzor.GetCena(), 7.0);
    EXPECT_EQ(wzor.GetInfCen1()->GetWspolcz(), 1.0);
    EXPECT_EQ(zmianyWzoru, 0);

    // Cancelling an edit: the remembered clone copied back restores the price.
    wzor.SetCena(1);
    wzor.GetInfCen2()->WyczyscCenyPozycji();
    std::unique_ptr<TCenaJedn> zapamietana = kopia->Clone();
    kopia->Copy(wzor);
    EXPECT_DOUBLE_EQ(kopia->GetWartosc(), 0.0);
    kopia->Copy(*zapamietana);
    EXPECT_EQ(kopia->GetCena(), 99.0);
    EXPECT_DOUBLE_EQ(kopia->GetWartosc(), 18.0);
}

TEST_F(CenaJednZmianyTest, CopySamegoSiebieNicNieRobi)
{
    TCenaJedn c;
    Wypelnij(c);
    c.Copy(c);
    EXPECT_EQ(c.GetInfCen1()->GetCenyPozycji().size(), 2u);
    EXPECT_EQ(c.GetInfCen1()->GetWybranaCena()->GetNazwa(), QStringLiteral("min"));
}

} // namespace
