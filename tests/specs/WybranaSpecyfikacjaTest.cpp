// The specification chosen for a position: key, document and title, with variants in use and not.

#include "specs/PomocnikSpecyfikacji.h"

#include "app/Wyjatki.h"
#include "specs/WybranaSpecyfikacja.h"

namespace {

class WybranaSpecyfikacja : public TestSpecyfikacji
{
protected:
    WybranaSpecyfikacja()
    {
        U.WizualnySeparatorWariantow = QStringLiteral("/");
        Spec = std::make_unique<TSpecyfikacja>(QStringLiteral("D-01.01"), false, false, QString(),
                                               Dokument(QStringLiteral("spec.doc")), QStringLiteral("Roboty ziemne"));
        Wariant = DodajWariant(*Spec, NowyWariant(QStringLiteral("B"), QStringLiteral("ręcznie"),
                                                  Dokument(QStringLiteral("wariant.doc"))));
    }

    // The owner's settings, which the choices below point at.
    TUstawieniaWariantow U;
    std::unique_ptr<TSpecyfikacja> Spec;
    TWariantSpecyfikacji* Wariant = nullptr;
};

TEST_F(WybranaSpecyfikacja, BezSpecyfikacjiWszystkoPuste)
{
    U.CzyKorzystajZWariantow = true;
    TWybranaSpecyfikacja wybrana(U);
    EXPECT_EQ(&wybrana.Ustawienia(), &U);
    EXPECT_TRUE(wybrana.GetST(true, true).isEmpty());
    EXPECT_TRUE(wybrana.GetPlik().isEmpty());
    EXPECT_EQ(wybrana.GetPath(), nullptr);
    EXPECT_TRUE(wybrana.GetOpis(true).isEmpty());
}

struct PrzypadekST
{
    bool WariantyWUzyciu;
    bool ZWariantem;
    bool CzyZWariantem;
    bool SeparatorWizualny;
    const char* Oczekiwany;
};

class KluczST : public WybranaSpecyfikacja, public ::testing::WithParamInterface<PrzypadekST>
{
};

TEST_P(KluczST, ZaleznyOdWariantuIUstawien)
{
    const auto p = GetParam();
    U.CzyKorzystajZWariantow = p.WariantyWUzyciu;
    TWybranaSpecyfikacja wybrana(U);
    wybrana.SetSpecyfikacja(Spec.get());
    if (p.ZWariantem)
        wybrana.SetWariantSpecyfikacji(Wariant);
    EXPECT_EQ(wybrana.GetST(p.CzyZWariantem, p.SeparatorWizualny), QString::fromLatin1(p.Oczekiwany));
    // The same asked with the settings given, of a choice that holds none (a position's).
    TWybranaSpecyfikacja bezUstawien;
    bezUstawien.Assign(wybrana);
    EXPECT_EQ(bezUstawien.GetST(U, p.CzyZWariantem, p.SeparatorWizualny), QString::fromLatin1(p.Oczekiwany));
}

INSTANTIATE_TEST_SUITE_P(Przypadki, KluczST,
                         ::testing::Values(PrzypadekST{true, true, true, false, "D-01.01#B"},
                                           PrzypadekST{true, true, true, true, "D-01.01/B"},
                                           PrzypadekST{true, true, false, true, "D-01.01"},
                                           PrzypadekST{false, true, true, false, "D-01.01"},
                                           PrzypadekST{false, true, true, true, "D-01.01"},
                                           PrzypadekST{true, false, true, false, "D-01.01"},
                                           PrzypadekST{true, false, true, true, "D-01.01"}));

struct PrzypadekPliku
{
    bool WariantyWUzyciu;
    bool ZWariantem;
    bool PlikWariantu;
};

class PlikWybranej : public WybranaSpecyfikacja, public ::testing::WithParamInterface<PrzypadekPliku>
{
};

TEST_P(PlikWybranej, WariantuTylkoGdyWariantyWUzyciu)
{
    const auto p = GetParam();
    U.CzyKorzystajZWariantow = p.WariantyWUzyciu;
    TWybranaSpecyfikacja wybrana(U);
    wybrana.SetSpecyfikacja(Spec.get());
    if (p.ZWariantem)
        wybrana.SetWariantSpecyfikacji(Wariant);
    const TSpecyfikacja* oczekiwany = p.PlikWariantu ? static_cast<TSpecyfikacja*>(Wariant) : Spec.get();
    EXPECT_EQ(wybrana.GetPlik(), oczekiwany->GetPlik());
    EXPECT_FALSE(wybrana.GetPlik().isEmpty());
    EXPECT_EQ(wybrana.GetPath(), oczekiwany->GetPath());
}

INSTANTIATE_TEST_SUITE_P(Przypadki, PlikWybranej,
                         ::testing::Values(PrzypadekPliku{true, true, true}, PrzypadekPliku{false, true, false},
                                           PrzypadekPliku{true, false, false}, PrzypadekPliku{false, false, false}));

TEST_F(WybranaSpecyfikacja, BrakujacyPlikWariantuNieWracaDoPlikuSpecyfikacji)
{
    U.CzyKorzystajZWariantow = true;
    auto brak = NowyWariant(QStringLiteral("C"), QString(), BrakujacyDokument(QStringLiteral("c.doc")));
    TWariantSpecyfikacji* c = DodajWariant(*Spec, std::move(brak));
    TWybranaSpecyfikacja wybrana(U);
    wybrana.SetSpecyfikacja(Spec.get());
    wybrana.SetWariantSpecyfikacji(c);
    EXPECT_TRUE(wybrana.GetPlik().isEmpty());
    EXPECT_EQ(wybrana.GetPath(), c->GetPath());
}

struct PrzypadekOpisu
{
    bool WariantyWUzyciu;
    bool ZWariantem;
    bool TytulZWariantem;
    bool DlaWariantu;
    const char* Oczekiwany;
};

class OpisWybranej : public WybranaSpecyfikacja, public ::testing::WithParamInterface<PrzypadekOpisu>
{
};

TEST_P(OpisWybranej, ZaleznyOdWariantuIUstawien)
{
    const auto p = GetParam();
    U.CzyKorzystajZWariantow = p.WariantyWUzyciu;
    U.CzyWyswietlacTytulSTZWariantem = p.TytulZWariantem;
    TWybranaSpecyfikacja wybrana(U);
    wybrana.SetSpecyfikacja(Spec.get());
    if (p.ZWariantem)
        wybrana.SetWariantSpecyfikacji(Wariant);
    EXPECT_EQ(wybrana.GetOpis(p.DlaWariantu), QString::fromUtf8(p.Oczekiwany));
}

INSTANTIATE_TEST_SUITE_P(Przypadki, OpisWybranej,
                         ::testing::Values(PrzypadekOpisu{true, true, true, true, "Roboty ziemne ręcznie"},
                                           PrzypadekOpisu{true, true, true, false, "Roboty ziemne ręcznie"},
                                           PrzypadekOpisu{true, true, false, true, "ręcznie"},
                                           PrzypadekOpisu{true, true, false, false, "Roboty ziemne"},
                                           PrzypadekOpisu{false, true, true, true, "Roboty ziemne"},
                                           PrzypadekOpisu{false, true, false, true, "Roboty ziemne"},
                                           PrzypadekOpisu{true, false, true, true, "Roboty ziemne"},
                                           PrzypadekOpisu{true, false, false, true, "Roboty ziemne"}));

TEST_F(WybranaSpecyfikacja, WariantMusiNalezecDoSpecyfikacji)
{
    TSpecyfikacja inna(QStringLiteral("D-02"), false, false, QString(), QString(), QString());
    TWariantSpecyfikacji* obcy = DodajWariant(inna, NowyWariant(QStringLiteral("B")));
    TWybranaSpecyfikacja wybrana;
    try {
        wybrana.SetWariantSpecyfikacji(Wariant);
        FAIL() << "a variant was taken without its specification";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Nieprawidłowy wariant dla specyfikacji"));
    }
    wybrana.SetSpecyfikacja(Spec.get());
    EXPECT_THROW(wybrana.SetWariantSpecyfikacji(obcy), EBlad);
    EXPECT_EQ(wybrana.GetWariantSpecyfikacji(), nullptr);
    wybrana.SetWariantSpecyfikacji(Wariant);
    EXPECT_EQ(wybrana.GetWariantSpecyfikacji(), Wariant);
    wybrana.SetWariantSpecyfikacji(nullptr);
    EXPECT_EQ(wybrana.GetWariantSpecyfikacji(), nullptr);
}

TEST_F(WybranaSpecyfikacja, ZmianaSpecyfikacjiCzysciWariant)
{
    TWybranaSpecyfikacja wybrana;
    wybrana.SetSpecyfikacja(Spec.get());
    wybrana.SetWariantSpecyfikacji(Wariant);
    wybrana.SetSpecyfikacja(Spec.get());
    EXPECT_EQ(wybrana.GetWariantSpecyfikacji(), nullptr);
}

TEST_F(WybranaSpecyfikacja, AssignNieKopiujeDopasowanej)
{
    TSpecyfikacja dopasowana(QStringLiteral("D-09"), false, false, QString(), QString(), QString());
    TWybranaSpecyfikacja zrodlo;
    zrodlo.SetSpecyfikacja(Spec.get());
    zrodlo.SetWariantSpecyfikacji(Wariant);
    zrodlo.SetDopasowanaSpecyfikacja(&dopasowana);

    TWybranaSpecyfikacja cel;
    TSpecyfikacja wlasna(QStringLiteral("D-10"), false, false, QString(), QString(), QString());
    cel.SetDopasowanaSpecyfikacja(&wlasna);
    cel.Assign(zrodlo);
    EXPECT_EQ(cel.GetSpecyfikacja(), Spec.get());
    EXPECT_EQ(cel.GetWariantSpecyfikacji(), Wariant);
    EXPECT_EQ(cel.GetDopasowanaSpecyfikacja(), &wlasna);
}

TEST_F(WybranaSpecyfikacja, BezUstawienWariantyNieSaWUzyciu)
{
    // The program's configuration says variants are in use; a choice goes by its own settings only.
    K->CzyKorzystajZWariantow = true;
    TWybranaSpecyfikacja wybrana;
    wybrana.SetSpecyfikacja(Spec.get());
    wybrana.SetWariantSpecyfikacji(Wariant);
    EXPECT_EQ(&wybrana.Ustawienia(), &TUstawieniaWariantow::Domyslne());
    EXPECT_FALSE(wybrana.CzyWariantWUzyciu());
    EXPECT_EQ(wybrana.GetST(true, false), QStringLiteral("D-01.01"));
    EXPECT_EQ(wybrana.GetPlik(), Spec->GetPlik());
    EXPECT_EQ(wybrana.GetOpis(true), QStringLiteral("Roboty ziemne"));
    // Settings given with the question change the answer.
    U.CzyKorzystajZWariantow = true;
    EXPECT_TRUE(wybrana.CzyWariantWUzyciu(U));
    EXPECT_EQ(wybrana.GetST(U, true, true), QStringLiteral("D-01.01/B"));
    EXPECT_EQ(wybrana.GetPlik(U), Wariant->GetPlik());
    EXPECT_EQ(wybrana.GetPath(U), Wariant->GetPath());
    EXPECT_EQ(wybrana.GetOpis(U, true), QStringLiteral("ręcznie"));
}

} // namespace
