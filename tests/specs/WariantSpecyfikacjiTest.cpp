// Variants: their list in the specification, refused tree operations and captions.

#include "specs/PomocnikSpecyfikacji.h"

#include "app/Wyjatki.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/WybranaSpecyfikacja.h"

#include <functional>

namespace {

class WariantSpecyfikacji : public TestSpecyfikacji
{
protected:
    WariantSpecyfikacji()
        : Spec(QStringLiteral("D-01.01.01"), false, false, QString(), QString(), QStringLiteral("Roboty ziemne"))
    {
    }
    TSpecyfikacja Spec;
};

struct OperacjaNaWariancie
{
    const char* Nazwa;
    std::function<void(TWariantSpecyfikacji&)> Wykonaj;
};

class OperacjeDrzewaNaWariancie : public WariantSpecyfikacji, public ::testing::WithParamInterface<OperacjaNaWariancie>
{
};

TEST_P(OperacjeDrzewaNaWariancie, SaNiedozwolone)
{
    TWariantSpecyfikacji* w = DodajWariant(Spec, NowyWariant(QStringLiteral("A")));
    try {
        GetParam().Wykonaj(*w);
        FAIL() << GetParam().Nazwa << " was allowed on a variant";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Operacja niedozwolona")) << GetParam().Nazwa;
    }
    EXPECT_EQ(w->Count(), 0);
    EXPECT_EQ(w->WariantyCount(), 0);
    EXPECT_EQ(w->Numer(), QStringLiteral("A"));
}

INSTANTIATE_TEST_SUITE_P(
    Wszystkie, OperacjeDrzewaNaWariancie,
    ::testing::Values(
        OperacjaNaWariancie{"Add", [](TWariantSpecyfikacji& w) { w.Add(NowaSpecyfikacja(QStringLiteral("X"))); }},
        OperacjaNaWariancie{"AddGroup", [](TWariantSpecyfikacji& w) { w.Add(NowaGrupa(QStringLiteral("X"))); }},
        OperacjaNaWariancie{"Insert",
                            [](TWariantSpecyfikacji& w) { w.Insert(NowaSpecyfikacja(QStringLiteral("X")), 0); }},
        OperacjaNaWariancie{"RemoveNode",
                            [](TWariantSpecyfikacji& w) { w.Remove(static_cast<TSpecyfikacja*>(nullptr)); }},
        OperacjaNaWariancie{"RemoveIndex", [](TWariantSpecyfikacji& w) { w.Remove(0); }},
        OperacjaNaWariancie{"Overwrite",
                            [](TWariantSpecyfikacji& w) {
                                TSpecyfikacja inna(QStringLiteral("Z"), false, false, QString(), QString(), QString());
                                w.Overwrite(inna);
                            }},
        OperacjaNaWariancie{"Delete", [](TWariantSpecyfikacji& w) { w.Delete(nullptr); }},
        OperacjaNaWariancie{"Move", [](TWariantSpecyfikacji& w) { w.Move(0, 0); }},
        OperacjaNaWariancie{"AddWariant",
                            [](TWariantSpecyfikacji& w) { w.AddWariant(NowyWariant(QStringLiteral("B"))); }},
        OperacjaNaWariancie{"DelWariant", [](TWariantSpecyfikacji& w) { w.DelWariant(0); }},
        OperacjaNaWariancie{"RemWariant", [](TWariantSpecyfikacji& w) { w.RemWariant(nullptr); }}),
    [](const ::testing::TestParamInfo<OperacjaNaWariancie>& przypadek) { return std::string(przypadek.param.Nazwa); });

TEST_F(WariantSpecyfikacji, OperacjeWywolanePrzezWskaznikBazowyRowniezOdmawiaja)
{
    TSpecyfikacja* jakoWezel = DodajWariant(Spec, NowyWariant(QStringLiteral("A")));
    EXPECT_THROW(jakoWezel->Add(NowaSpecyfikacja(QStringLiteral("X"))), EBlad);
    EXPECT_FALSE(jakoWezel->CzyGrupa());
}

TEST_F(WariantSpecyfikacji, WariantMaJednostki)
{
    TWariantSpecyfikacji* w = DodajWariant(Spec, NowyWariant(QStringLiteral("A")));
    EXPECT_TRUE(w->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), false)));
    EXPECT_EQ(w->JmCount(), 1);
}

TEST_F(WariantSpecyfikacji, AddWariantUstawiaRodzicaObslugeIZglaszaZmiane)
{
    TRejestrZmian zmiany;
    Spec.SetOnZmieniono(zmiany.Zdarzenie());
    auto nowy = NowyWariant(QStringLiteral("A"));
    TWariantSpecyfikacji* w = nowy.get();
    EXPECT_TRUE(Spec.AddWariant(std::move(nowy)));
    EXPECT_EQ(w->Parent(), &Spec);
    EXPECT_TRUE(Spec.ContainsWariant(w));
    EXPECT_EQ(Spec.GetWariant(0), w);
    ASSERT_EQ(zmiany.Nadawcy.size(), 1u);
    EXPECT_EQ(zmiany.Nadawcy[0], &Spec);

    w->SetOpis(QStringLiteral("Wariant A"));
    ASSERT_EQ(zmiany.Nadawcy.size(), 2u);
    EXPECT_EQ(zmiany.Nadawcy[1], w) << "a variant reports itself through the owner's handler";

    EXPECT_FALSE(Spec.AddWariant(std::unique_ptr<TWariantSpecyfikacji>(w))) << "already present";
    EXPECT_EQ(Spec.WariantyCount(), 1);
    EXPECT_EQ(w->Opis(), QStringLiteral("Wariant A"));
}

TEST_F(WariantSpecyfikacji, AddWariantDoGrupyJestBledem)
{
    TSpecyfikacja grupa(QStringLiteral("G"), false, true, QString(), QString(), QString());
    try {
        grupa.AddWariant(NowyWariant(QStringLiteral("A")));
        FAIL() << "a group took a variant";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Wariant można dodać tylko do specyfikacji"));
    }
    EXPECT_EQ(grupa.WariantyCount(), 0);
}

TEST_F(WariantSpecyfikacji, DelRemIClearWariantow)
{
    TWariantSpecyfikacji* a = DodajWariant(Spec, NowyWariant(QStringLiteral("A")));
    TWariantSpecyfikacji* b = DodajWariant(Spec, NowyWariant(QStringLiteral("B")));
    DodajWariant(Spec, NowyWariant(QStringLiteral("C")));
    TSpecyfikacja inna(QStringLiteral("D-02"), false, false, QString(), QString(), QString());
    TWariantSpecyfikacji* obcy = DodajWariant(inna, NowyWariant(QStringLiteral("A")));
    TRejestrZmian zmiany;
    Spec.SetOnZmieniono(zmiany.Zdarzenie());

    EXPECT_FALSE(Spec.ContainsWariant(obcy));
    EXPECT_FALSE(Spec.ContainsWariant(nullptr));
    EXPECT_EQ(Spec.GetWariant(3), nullptr);
    EXPECT_EQ(Spec.GetWariant(-1), nullptr);
    EXPECT_FALSE(Spec.DelWariant(3));
    EXPECT_FALSE(Spec.RemWariant(obcy));
    EXPECT_TRUE(zmiany.Nadawcy.empty());

    EXPECT_TRUE(Spec.RemWariant(b));
    EXPECT_TRUE(zmiany.Nadawcy.empty()) << "RemWariant is silent";
    EXPECT_EQ(Spec.WariantyCount(), 2);
    EXPECT_TRUE(Spec.DelWariant(0));
    EXPECT_EQ(zmiany.Nadawcy.size(), 1u);
    EXPECT_FALSE(Spec.ContainsWariant(a));
    ASSERT_EQ(Spec.WariantyCount(), 1);
    EXPECT_EQ(Spec.GetWariant(0)->Numer(), QStringLiteral("C"));
    Spec.ClearWarianty();
    EXPECT_EQ(Spec.WariantyCount(), 0);
    EXPECT_EQ(inna.WariantyCount(), 1);
}

struct PrzypadekOpisuWariantu
{
    bool TytulZWariantem;
    const char* Separator;
    const char* Oczekiwany;
};

class OpisWariantu : public WariantSpecyfikacji, public ::testing::WithParamInterface<PrzypadekOpisuWariantu>
{
};

TEST_P(OpisWariantu, ZaleznyOdUstawien)
{
    const auto p = GetParam();
    TUstawieniaWariantow u;
    u.CzyWyswietlacTytulSTZWariantem = p.TytulZWariantem;
    u.WizualnySeparatorWariantow = QString::fromUtf8(p.Separator);
    TWariantSpecyfikacji* w = DodajWariant(Spec, NowyWariant(QStringLiteral("A"), QStringLiteral("ręcznie")));
    EXPECT_EQ(w->GetCaption(u), QString::fromUtf8(p.Oczekiwany));
}

INSTANTIATE_TEST_SUITE_P(Ustawienia, OpisWariantu,
                         ::testing::Values(PrzypadekOpisuWariantu{false, ".", "D-01.01.01.A ręcznie"},
                                           PrzypadekOpisuWariantu{true, ".", "D-01.01.01.A Roboty ziemne ręcznie"},
                                           PrzypadekOpisuWariantu{false, "/", "D-01.01.01/A ręcznie"},
                                           PrzypadekOpisuWariantu{true, " - ", "D-01.01.01 - A Roboty ziemne ręcznie"},
                                           PrzypadekOpisuWariantu{false, "", "D-01.01.01A ręcznie"}));

TEST_F(WariantSpecyfikacji, OpisBezRodzicaJestPusty)
{
    TWariantSpecyfikacji w(QStringLiteral("A"), QStringLiteral("ręcznie"), QString(), QString());
    EXPECT_TRUE(w.GetCaption().isEmpty());
    EXPECT_TRUE(w.GetCaption(TUstawieniaWariantow{true, true, QStringLiteral(".")}).isEmpty());
}

TEST_F(WariantSpecyfikacji, OpisNieObcinaOdstepow)
{
    TWariantSpecyfikacji* w = DodajWariant(Spec, NowyWariant(QStringLiteral("A")));
    EXPECT_EQ(w->GetCaption(TUstawieniaWariantow{false, false, QStringLiteral(".")}), QStringLiteral("D-01.01.01.A "));
}

// Without settings the caption is the first start's: no separator, no title of the specification; the
// program's configuration plays no part.
TEST_F(WariantSpecyfikacji, OpisBezUstawienJakPrzyPierwszymUruchomieniu)
{
    K->CzyWyswietlacTytulSTZWariantem = true;
    K->SetWizualnySeparatorWariantow(QStringLiteral("/"));
    TWariantSpecyfikacji* w = DodajWariant(Spec, NowyWariant(QStringLiteral("A"), QStringLiteral("ręcznie")));
    EXPECT_EQ(w->GetCaption(), QStringLiteral("D-01.01.01A ręcznie"));
    EXPECT_EQ(static_cast<const TSpecyfikacja*>(w)->GetCaption(), w->GetCaption());
}

} // namespace
