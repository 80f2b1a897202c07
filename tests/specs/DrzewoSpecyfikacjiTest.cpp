// The tree of the specification list: nesting limits, insertion, removal, moves, levels and counts.

#include "specs/PomocnikSpecyfikacji.h"

#include "app/Wyjatki.h"

namespace {

QString KomunikatZagniezdzenia(const QString& numer)
{
    return QStringLiteral("Błąd! Próba dodania specyfikacji ") + numer +
           QStringLiteral(
               " spowoduje przekroczenie maksymalnego poziomu zagnieżdżenia specyfikacji. Operacja przerwana.");
}

class DrzewoSpecyfikacji : public TestSpecyfikacji
{
protected:
    DrzewoSpecyfikacji() : Korzen(QStringLiteral("SpisSt"), false, true, QString(), QString(), QStringLiteral("Spis"))
    {
    }

    // A chain of groups from the root down to the given level; at level 4 the last node is a specification,
    // as nothing else can stand there.
    TSpecyfikacja* WezelNaPoziomie(int poziom)
    {
        TSpecyfikacja* wezel = &Korzen;
        for (int p = 1; p <= poziom; ++p) {
            const QString numer = QStringLiteral("N%1").arg(p);
            wezel = Dodaj(*wezel, p < 4 ? NowaGrupa(numer) : NowaSpecyfikacja(numer));
        }
        return wezel;
    }

    TSpecyfikacja Korzen;
};

struct PrzypadekZagniezdzenia
{
    int PoziomRodzica;
    bool CzyGrupa;
    bool CzyBlad;
};

class ZagniezdzenieAdd : public DrzewoSpecyfikacji, public ::testing::WithParamInterface<PrzypadekZagniezdzenia>
{
};

TEST_P(ZagniezdzenieAdd, PilnujeGranicPoziomow)
{
    const auto przypadek = GetParam();
    TSpecyfikacja* rodzic = WezelNaPoziomie(przypadek.PoziomRodzica);
    ASSERT_EQ(rodzic->KtoryPoziom(), przypadek.PoziomRodzica);
    const bool grupaPrzed = rodzic->CzyGrupa();
    auto nowy = przypadek.CzyGrupa ? NowaGrupa(QStringLiteral("X-9")) : NowaSpecyfikacja(QStringLiteral("X-9"));
    TSpecyfikacja* wskaznik = nowy.get();

    if (przypadek.CzyBlad) {
        try {
            rodzic->Add(std::move(nowy));
            FAIL() << "Add did not refuse the node";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), KomunikatZagniezdzenia(QStringLiteral("X-9")));
        }
        EXPECT_EQ(rodzic->Count(), 0);
        EXPECT_EQ(rodzic->CzyGrupa(), grupaPrzed);
    } else {
        EXPECT_TRUE(rodzic->Add(std::move(nowy)));
        ASSERT_EQ(rodzic->Count(), 1);
        EXPECT_EQ(rodzic->GetSpecyfikacja(0), wskaznik);
        EXPECT_EQ(wskaznik->Parent(), rodzic);
        EXPECT_EQ(wskaznik->KtoryPoziom(), przypadek.PoziomRodzica + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Poziomy, ZagniezdzenieAdd,
    ::testing::Values(PrzypadekZagniezdzenia{0, true, false}, PrzypadekZagniezdzenia{0, false, false},
                      PrzypadekZagniezdzenia{1, true, false}, PrzypadekZagniezdzenia{2, true, false},
                      PrzypadekZagniezdzenia{2, false, false}, PrzypadekZagniezdzenia{3, true, true},
                      PrzypadekZagniezdzenia{3, false, false}, PrzypadekZagniezdzenia{4, true, true},
                      PrzypadekZagniezdzenia{4, false, true}));

TEST_F(DrzewoSpecyfikacji, SpecyfikacjaPodSpecyfikacjaRobiZNiejGrupeBezPliku)
{
    TSpecyfikacja* grupa = WezelNaPoziomie(1);
    TSpecyfikacja* gorna =
        Dodaj(*grupa, NowaSpecyfikacja(QStringLiteral("D-01.01"), Dokument(QStringLiteral("a.doc"))));
    ASSERT_EQ(gorna->KtoryPoziom(), 2);
    ASSERT_FALSE(gorna->GetPlik().isEmpty());
    ASSERT_TRUE(gorna->CzyIstnieje());

    EXPECT_TRUE(gorna->Add(NowaSpecyfikacja(QStringLiteral("D-01.01.01"))));
    EXPECT_TRUE(gorna->CzyGrupa());
    EXPECT_TRUE(gorna->GetEncodedPath().isEmpty());
    EXPECT_TRUE(gorna->GetPlik().isEmpty());
    EXPECT_FALSE(gorna->CzyIstnieje());
}

TEST_F(DrzewoSpecyfikacji, GrupaPodSpecyfikacjaNieZmieniaJejWGrupe)
{
    TSpecyfikacja* grupa = WezelNaPoziomie(1);
    const QString plik = Dokument(QStringLiteral("a.doc"));
    TSpecyfikacja* spec = Dodaj(*grupa, NowaSpecyfikacja(QStringLiteral("D-01.01"), plik));

    EXPECT_TRUE(spec->Add(NowaGrupa(QStringLiteral("G"))));
    EXPECT_FALSE(spec->CzyGrupa());
    EXPECT_EQ(spec->GetPlik(), plik);
}

TEST_F(DrzewoSpecyfikacji, AddJuzObecnegoDzieckaDajeFalseIGoZostawia)
{
    TSpecyfikacja* dziecko = Dodaj(Korzen, NowaGrupa(QStringLiteral("A")));
    // The node is offered again as if it were new; it must stay the root's and stay alive.
    EXPECT_FALSE(Korzen.Add(std::unique_ptr<TSpecyfikacja>(dziecko)));
    ASSERT_EQ(Korzen.Count(), 1);
    EXPECT_EQ(Korzen.GetSpecyfikacja(0), dziecko);
    EXPECT_EQ(dziecko->Numer(), QStringLiteral("A"));
    EXPECT_FALSE(Korzen.Insert(std::unique_ptr<TSpecyfikacja>(dziecko), 0));
    EXPECT_EQ(Korzen.Count(), 1);
}

TEST_F(DrzewoSpecyfikacji, AddPrzekazujeObslugeZmianTylkoGdyJaMa)
{
    TRejestrZmian korzenia;
    TRejestrZmian wlasny;
    auto bezObslugi = NowaGrupa(QStringLiteral("A"));
    bezObslugi->SetOnZmieniono(wlasny.Zdarzenie());
    TSpecyfikacja* a = Dodaj(Korzen, std::move(bezObslugi));
    a->SetOpis(QStringLiteral("pierwszy"));
    EXPECT_EQ(wlasny.Nadawcy.size(), 1u) << "a parent without a handler must not take the child's away";

    Korzen.SetOnZmieniono(korzenia.Zdarzenie());
    TSpecyfikacja* b = Dodaj(Korzen, NowaGrupa(QStringLiteral("B")));
    ASSERT_EQ(korzenia.Nadawcy.size(), 1u);
    EXPECT_EQ(korzenia.Nadawcy[0], &Korzen);
    b->SetOpis(QStringLiteral("drugi"));
    ASSERT_EQ(korzenia.Nadawcy.size(), 2u);
    EXPECT_EQ(korzenia.Nadawcy[1], b);
}

TEST_F(DrzewoSpecyfikacji, InsertTylkoWZakresieINigdyNaKoncu)
{
    TRejestrZmian zmiany;
    Korzen.SetOnZmieniono(zmiany.Zdarzenie());
    EXPECT_FALSE(Korzen.Insert(NowaGrupa(QStringLiteral("X")), 0)) << "an empty node has no index to insert at";

    Dodaj(Korzen, NowaGrupa(QStringLiteral("A")));
    Dodaj(Korzen, NowaGrupa(QStringLiteral("B")));
    zmiany.Nadawcy.clear();

    EXPECT_FALSE(Korzen.Insert(NowaGrupa(QStringLiteral("X")), 2));
    EXPECT_FALSE(Korzen.Insert(NowaGrupa(QStringLiteral("X")), -1));
    EXPECT_TRUE(zmiany.Nadawcy.empty());

    auto nowy = NowaGrupa(QStringLiteral("C"));
    TSpecyfikacja* c = nowy.get();
    EXPECT_TRUE(Korzen.Insert(std::move(nowy), 1));
    ASSERT_EQ(Korzen.Count(), 3);
    EXPECT_EQ(Korzen.GetSpecyfikacja(1), c);
    EXPECT_EQ(c->Parent(), &Korzen);
    EXPECT_EQ(c->GetIndex(), 1);
    EXPECT_EQ(Korzen.GetSpecyfikacja(2)->Numer(), QStringLiteral("B"));
    EXPECT_EQ(zmiany.Nadawcy.size(), 1u);
}

TEST_F(DrzewoSpecyfikacji, InsertNieSprawdzaPoziomow)
{
    TSpecyfikacja* element = WezelNaPoziomie(3);
    Dodaj(*element, NowaSpecyfikacja(QStringLiteral("S")));
    EXPECT_TRUE(element->Insert(NowaGrupa(QStringLiteral("G4")), 0));
    EXPECT_EQ(element->GetSpecyfikacja(0)->KtoryPoziom(), 4);
}

TEST_F(DrzewoSpecyfikacji, RemoveIDeleteUsuwajaTylkoDzieci)
{
    TSpecyfikacja* a = Dodaj(Korzen, NowaGrupa(QStringLiteral("A")));
    TSpecyfikacja* b = Dodaj(Korzen, NowaGrupa(QStringLiteral("B")));
    TSpecyfikacja* c = Dodaj(Korzen, NowaGrupa(QStringLiteral("C")));
    TSpecyfikacja* wnuk = Dodaj(*a, NowaGrupa(QStringLiteral("A1")));
    TRejestrZmian zmiany;
    Korzen.SetOnZmieniono(zmiany.Zdarzenie());

    EXPECT_FALSE(Korzen.Remove(wnuk)) << "a grandchild is not the root's to remove";
    EXPECT_FALSE(Korzen.Remove(nullptr));
    EXPECT_FALSE(Korzen.Remove(3));
    EXPECT_FALSE(Korzen.Remove(-1));
    EXPECT_EQ(Korzen.Delete(wnuk), nullptr);
    EXPECT_TRUE(zmiany.Nadawcy.empty());

    EXPECT_TRUE(Korzen.Remove(b));
    EXPECT_EQ(Korzen.Count(), 2);
    EXPECT_EQ(Korzen.IndexOf(c), 1);

    std::unique_ptr<TSpecyfikacja> odlaczony = Korzen.Delete(c);
    ASSERT_EQ(odlaczony.get(), c);
    EXPECT_EQ(c->Parent(), nullptr);
    EXPECT_EQ(Korzen.IndexOf(c), -1);
    EXPECT_EQ(c->GetIndex(), -1);

    EXPECT_TRUE(Korzen.Remove(0));
    EXPECT_EQ(Korzen.Count(), 0);
    EXPECT_EQ(zmiany.Nadawcy.size(), 3u);

    // The detached node can go elsewhere.
    TSpecyfikacja* inny = Dodaj(Korzen, NowaGrupa(QStringLiteral("D")));
    EXPECT_TRUE(inny->Add(std::move(odlaczony)));
    EXPECT_EQ(c->Parent(), inny);
}

struct PrzypadekMove
{
    int Z;
    int Na;
    bool Wynik;
    const char* Kolejnosc;
};

class MoveSpecyfikacji : public DrzewoSpecyfikacji, public ::testing::WithParamInterface<PrzypadekMove>
{
};

TEST_P(MoveSpecyfikacji, PrzestawiaWZakresie)
{
    const auto p = GetParam();
    for (const char* numer : {"A", "B", "C", "D"})
        Dodaj(Korzen, NowaGrupa(QString::fromLatin1(numer)));
    TRejestrZmian zmiany;
    Korzen.SetOnZmieniono(zmiany.Zdarzenie());

    EXPECT_EQ(Korzen.Move(p.Z, p.Na), p.Wynik);
    QString kolejnosc;
    for (int i = 0; i < Korzen.Count(); ++i)
        kolejnosc += Korzen.GetSpecyfikacja(i)->Numer();
    EXPECT_EQ(kolejnosc, QString::fromLatin1(p.Kolejnosc));
    EXPECT_EQ(zmiany.Nadawcy.size(), p.Wynik ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Indeksy, MoveSpecyfikacji,
                         ::testing::Values(PrzypadekMove{0, 3, true, "BCDA"}, PrzypadekMove{3, 0, true, "DABC"},
                                           PrzypadekMove{1, 2, true, "ACBD"}, PrzypadekMove{2, 1, true, "ACBD"},
                                           PrzypadekMove{1, 1, true, "ABCD"}, PrzypadekMove{4, 0, false, "ABCD"},
                                           PrzypadekMove{0, 4, false, "ABCD"}, PrzypadekMove{-1, 0, false, "ABCD"}));

TEST_F(DrzewoSpecyfikacji, DostepDoDzieciPozaZakresemDajePustke)
{
    Dodaj(Korzen, NowaGrupa(QStringLiteral("A")));
    EXPECT_EQ(Korzen.GetSpecyfikacja(1), nullptr);
    EXPECT_EQ(Korzen.GetSpecyfikacja(-1), nullptr);
    EXPECT_EQ(Korzen.IndexOf(nullptr), -1);
    EXPECT_EQ(Korzen.GetIndex(), -1);
}

TEST_F(DrzewoSpecyfikacji, IlePoziomowLiczyPoziomyGrupMinusJeden)
{
    EXPECT_EQ(Korzen.IlePoziomow(), -1) << "no group below the root";
    TSpecyfikacja* rodzaj = Dodaj(Korzen, NowaGrupa(QStringLiteral("D-01")));
    EXPECT_EQ(Korzen.IlePoziomow(), 0);
    EXPECT_EQ(rodzaj->IlePoziomow(), 0);
    TSpecyfikacja* grupa = Dodaj(*rodzaj, NowaGrupa(QStringLiteral("D-01.01")));
    Dodaj(*grupa, NowaSpecyfikacja(QStringLiteral("D-01.01.01")));
    EXPECT_EQ(Korzen.IlePoziomow(), 1);
    // A second kind of works with an element below its group: one level more, found in the later subtree.
    TSpecyfikacja* rodzaj2 = Dodaj(Korzen, NowaGrupa(QStringLiteral("D-02")));
    TSpecyfikacja* grupa2 = Dodaj(*rodzaj2, NowaGrupa(QStringLiteral("D-02.01")));
    TSpecyfikacja* element = Dodaj(*grupa2, NowaGrupa(QStringLiteral("D-02.01.01")));
    Dodaj(*element, NowaSpecyfikacja(QStringLiteral("D-02.01.01.01")));
    EXPECT_EQ(Korzen.IlePoziomow(), 2);
    EXPECT_EQ(grupa2->IlePoziomow(), 1);
    EXPECT_EQ(element->IlePoziomow(), 0);
}

TEST_F(DrzewoSpecyfikacji, IleSpecyfikacjiPomijaGrupyIUkryteNaZyczenie)
{
    TSpecyfikacja* rodzaj = Dodaj(Korzen, NowaGrupa(QStringLiteral("D-01")));
    TSpecyfikacja* s1 = Dodaj(*rodzaj, NowaSpecyfikacja(QStringLiteral("D-01.01")));
    Dodaj(*rodzaj, NowaSpecyfikacja(QStringLiteral("D-01.02")));
    TSpecyfikacja* ukryta = Dodaj(*rodzaj, NowaSpecyfikacja(QStringLiteral("D-01.03")));
    DodajWariant(*s1, NowyWariant(QStringLiteral("A")));
    ukryta->SetHidden(true);
    rodzaj->SetHidden(true);

    EXPECT_EQ(Korzen.IleSpecyfikacji(true), 3) << "variants are not nodes of the tree";
    EXPECT_EQ(Korzen.IleSpecyfikacji(false), 2) << "a hidden group still has its visible specifications counted";
    EXPECT_EQ(s1->IleSpecyfikacji(false), 1);
    EXPECT_EQ(ukryta->IleSpecyfikacji(false), 0);
}

TEST_F(DrzewoSpecyfikacji, PoziomWariantuJestOJedenGlebszy)
{
    TSpecyfikacja* spec = Dodaj(*WezelNaPoziomie(2), NowaSpecyfikacja(QStringLiteral("S")));
    TWariantSpecyfikacji* w = DodajWariant(*spec, NowyWariant(QStringLiteral("A")));
    EXPECT_EQ(w->Parent(), spec);
    EXPECT_EQ(w->KtoryPoziom(), 4);
    EXPECT_EQ(w->GetIndex(), -1) << "a variant is not a child";
}

} // namespace
