// Units of measure: the rules of AddJm, the unit's own events, its price and its copies.

#include "specs/PomocnikSpecyfikacji.h"

#include "app/Wyjatki.h"
#include "prices/CenaJedn.h"
#include "specs/JmSpecyfikacji.h"

namespace {

class JmSpecyfikacji : public TestSpecyfikacji
{
protected:
    JmSpecyfikacji() : Spec(QStringLiteral("D-01"), false, false, QString(), QString(), QString()) {}
    TSpecyfikacja Spec;
};

struct PrzypadekOstatniejJm
{
    const char* Jm;
    const char* Opis;
    bool CzyPrzyjmieKolejna;
};

class AddJmPoOstatniej : public JmSpecyfikacji, public ::testing::WithParamInterface<PrzypadekOstatniejJm>
{
};

TEST_P(AddJmPoOstatniej, PustaOstatniaBlokujeKolejne)
{
    const auto p = GetParam();
    TRejestrZmian zmiany;
    Spec.SetOnZmieniono(zmiany.Zdarzenie());
    ASSERT_TRUE(Spec.AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m3"), QStringLiteral("objętość"), false)));
    ASSERT_TRUE(
        Spec.AddJm(std::make_unique<TJmSpecyfikacji>(QString::fromUtf8(p.Jm), QString::fromUtf8(p.Opis), false)));
    zmiany.Nadawcy.clear();

    EXPECT_EQ(Spec.AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), true)),
              p.CzyPrzyjmieKolejna);
    EXPECT_EQ(Spec.JmCount(), p.CzyPrzyjmieKolejna ? 3 : 2);
    EXPECT_EQ(zmiany.Nadawcy.size(), p.CzyPrzyjmieKolejna ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Jednostki, AddJmPoOstatniej,
                         ::testing::Values(PrzypadekOstatniejJm{"", "", false}, PrzypadekOstatniejJm{"m2", "", true},
                                           PrzypadekOstatniejJm{"", "mierzona w metrach", true},
                                           PrzypadekOstatniejJm{"szt.", "sztuki", true},
                                           PrzypadekOstatniejJm{" ", "", true}));

TEST_F(JmSpecyfikacji, PustaJednostkaMozeBycPierwszaIJedyna)
{
    EXPECT_TRUE(Spec.AddJm(std::make_unique<TJmSpecyfikacji>()));
    EXPECT_FALSE(Spec.AddJm(std::make_unique<TJmSpecyfikacji>()));
    EXPECT_EQ(Spec.JmCount(), 1);
    // Once typed in, the row is a unit like any other and the next one may follow.
    Spec.GetJm(0)->SetJm(QStringLiteral("m"));
    EXPECT_TRUE(Spec.AddJm(std::make_unique<TJmSpecyfikacji>()));
    EXPECT_EQ(Spec.JmCount(), 2);
}

TEST_F(JmSpecyfikacji, AddJmDoGrupyJestBledem)
{
    TSpecyfikacja grupa(QStringLiteral("G"), false, true, QString(), QString(), QString());
    try {
        grupa.AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), false));
        FAIL() << "a group took a unit";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Jednostkę można dodać tylko do specyfikacji"));
    }
    EXPECT_EQ(grupa.JmCount(), 0);
}

TEST_F(JmSpecyfikacji, AddJmTejSamejJednostkiDajeFalse)
{
    auto nowa = std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), false);
    TJmSpecyfikacji* jm = nowa.get();
    ASSERT_TRUE(Spec.AddJm(std::move(nowa)));
    EXPECT_FALSE(Spec.AddJm(std::unique_ptr<TJmSpecyfikacji>(jm)));
    ASSERT_EQ(Spec.JmCount(), 1);
    EXPECT_EQ(Spec.GetJm(0)->Jm(), QStringLiteral("m2"));
}

TEST_F(JmSpecyfikacji, DelJmGetJmIClearJm)
{
    TJmSpecyfikacji* a = nullptr;
    {
        auto nowa = std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), false);
        a = nowa.get();
        Spec.AddJm(std::move(nowa));
    }
    Spec.AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m3"), QString(), false));
    TRejestrZmian zmiany;
    Spec.SetOnZmieniono(zmiany.Zdarzenie());
    EXPECT_EQ(Spec.GetJm(2), nullptr);
    EXPECT_EQ(Spec.GetJm(-1), nullptr);

    TJmSpecyfikacji obca(QStringLiteral("x"), QString(), false);
    Spec.DelJm(&obca);
    EXPECT_TRUE(zmiany.Nadawcy.empty());
    Spec.DelJm(a);
    ASSERT_EQ(Spec.JmCount(), 1);
    EXPECT_EQ(Spec.GetJm(0)->Jm(), QStringLiteral("m3"));
    EXPECT_EQ(zmiany.Nadawcy.size(), 1u);
    Spec.ClearJm();
    EXPECT_EQ(Spec.JmCount(), 0);
}

TEST_F(JmSpecyfikacji, SetteryZglaszajaPrzedZapisaniem)
{
    TJmSpecyfikacji jm(QStringLiteral("m2"), QStringLiteral("opis"), false);
    std::vector<QString> widziane;
    jm.SetOnChange([&](TNadawcaZmiany* nadawca) {
        EXPECT_EQ(nadawca, &jm);
        widziane.push_back(jm.Jm() + QLatin1Char('|') + jm.Opis() + QLatin1Char('|') +
                           (jm.Eksportuj() ? QLatin1Char('T') : QLatin1Char('N')));
    });
    jm.SetJm(QStringLiteral("m2"));
    jm.SetOpis(QStringLiteral("opis"));
    jm.SetEksportuj(false);
    EXPECT_TRUE(widziane.empty());
    jm.SetJm(QStringLiteral("m3"));
    jm.SetOpis(QStringLiteral("nowy"));
    jm.SetEksportuj(true);
    ASSERT_EQ(widziane.size(), 3u);
    EXPECT_EQ(widziane[0], QStringLiteral("m2|opis|N"));
    EXPECT_EQ(widziane[1], QStringLiteral("m3|opis|N"));
    EXPECT_EQ(widziane[2], QStringLiteral("m3|nowy|N"));
    EXPECT_TRUE(jm.Eksportuj());
}

TEST_F(JmSpecyfikacji, ZmianaCenyJestZmianaJednostkiISpecyfikacji)
{
    TSpecyfikacja korzen(QStringLiteral("SpisSt"), false, true, QString(), QString(), QString());
    TRejestrZmian zmiany;
    korzen.SetOnZmieniono(zmiany.Zdarzenie());
    TSpecyfikacja* grupa = Dodaj(korzen, NowaGrupa(QStringLiteral("D")));
    TSpecyfikacja* spec = Dodaj(*grupa, NowaSpecyfikacja(QStringLiteral("D-01")));
    auto nowa = std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), false);
    TJmSpecyfikacji* jm = nowa.get();
    spec->AddJm(std::move(nowa));
    zmiany.Nadawcy.clear();

    jm->CenaJedn()->SetCena(10.0);
    ASSERT_EQ(zmiany.Nadawcy.size(), 1u);
    EXPECT_EQ(zmiany.Nadawcy[0], jm);
    jm->SetOpis(QStringLiteral("powierzchnia"));
    ASSERT_EQ(zmiany.Nadawcy.size(), 2u);
    EXPECT_EQ(dynamic_cast<TJmSpecyfikacji*>(zmiany.Nadawcy[1]), jm);
}

TEST_F(JmSpecyfikacji, KopiaMaWlasnaCeneZgloszajacaKopie)
{
    TJmSpecyfikacji oryginal(QStringLiteral("m2"), QStringLiteral("powierzchnia"), true);
    oryginal.CenaJedn()->SetRj(3.0);
    oryginal.CenaJedn()->SetCena(7.25);
    int zmianOryginalu = 0;
    oryginal.SetOnChange([&](TNadawcaZmiany*) { ++zmianOryginalu; });

    auto kopia = oryginal.Clone();
    EXPECT_EQ(kopia->Jm(), QStringLiteral("m2"));
    EXPECT_EQ(kopia->Opis(), QStringLiteral("powierzchnia"));
    EXPECT_TRUE(kopia->Eksportuj());
    ASSERT_NE(kopia->CenaJedn(), oryginal.CenaJedn());
    EXPECT_DOUBLE_EQ(kopia->CenaJedn()->GetCena(), 7.25);
    EXPECT_DOUBLE_EQ(kopia->CenaJedn()->GetRj(), 3.0);
    EXPECT_FALSE(kopia->OnChange()) << "a copy reports to nobody until it is added";
    EXPECT_EQ(zmianOryginalu, 0);

    TRejestrZmian zmianyKopii;
    kopia->SetOnChange(zmianyKopii.Zdarzenie());
    kopia->CenaJedn()->SetCena(1.0);
    EXPECT_EQ(zmianOryginalu, 0) << "the copy's price must not report to the original";
    ASSERT_EQ(zmianyKopii.Nadawcy.size(), 1u);
    EXPECT_EQ(zmianyKopii.Nadawcy[0], kopia.get());
    EXPECT_DOUBLE_EQ(oryginal.CenaJedn()->GetCena(), 7.25);
}

} // namespace
