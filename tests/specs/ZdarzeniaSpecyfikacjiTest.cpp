// How change events travel from nodes, variants and units to the owner of the list.

#include "specs/PomocnikSpecyfikacji.h"

#include "prices/CenaJedn.h"
#include "specs/JmSpecyfikacji.h"

namespace {

class ZdarzeniaSpecyfikacji : public TestSpecyfikacji
{
protected:
    ZdarzeniaSpecyfikacji() : Korzen(QStringLiteral("SpisSt"), false, true, QString(), QString(), QString()) {}
    TSpecyfikacja Korzen;
};

TEST_F(ZdarzeniaSpecyfikacji, ObslugaKorzeniaDocieraDoCalegoDrzewaBudowanegoPozniej)
{
    TRejestrZmian zmiany;
    Korzen.SetOnZmieniono(zmiany.Zdarzenie());
    TSpecyfikacja* rodzaj = Dodaj(Korzen, NowaGrupa(QStringLiteral("D-01")));
    TSpecyfikacja* grupa = Dodaj(*rodzaj, NowaGrupa(QStringLiteral("D-01.01")));
    TSpecyfikacja* spec = Dodaj(*grupa, NowaSpecyfikacja(QStringLiteral("D-01.01.01")));
    TWariantSpecyfikacji* wariant = DodajWariant(*spec, NowyWariant(QStringLiteral("A")));
    auto nowa = std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), false);
    TJmSpecyfikacji* jmWariantu = nowa.get();
    wariant->AddJm(std::move(nowa));
    zmiany.Nadawcy.clear();

    spec->SetOpis(QStringLiteral("Wykopy"));
    wariant->SetInfo(QStringLiteral("ręcznie"));
    jmWariantu->SetEksportuj(true);
    jmWariantu->CenaJedn()->SetMj(4.0);
    grupa->SetOpis(QStringLiteral("Roboty ziemne"));

    const std::vector<TNadawcaZmiany*> oczekiwani{spec, wariant, jmWariantu, jmWariantu, grupa};
    EXPECT_EQ(zmiany.Nadawcy, oczekiwani);
}

TEST_F(ZdarzeniaSpecyfikacji, SetOnZmienionoObejmujeWariantyIJednostkiAleNieDzieci)
{
    TSpecyfikacja* grupa = Dodaj(Korzen, NowaGrupa(QStringLiteral("D-01")));
    TSpecyfikacja* spec = Dodaj(*grupa, NowaSpecyfikacja(QStringLiteral("D-01.01")));
    TWariantSpecyfikacji* wariant = DodajWariant(*grupa->GetSpecyfikacja(0), NowyWariant(QStringLiteral("A")));
    spec->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), false));
    wariant->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m3"), QString(), false));

    TRejestrZmian zmiany;
    Korzen.SetOnZmieniono(zmiany.Zdarzenie());
    grupa->SetOpis(QStringLiteral("nie dociera"));
    EXPECT_TRUE(zmiany.Nadawcy.empty()) << "children attached before keep their own handler";

    spec->SetOnZmieniono(zmiany.Zdarzenie());
    spec->GetJm(0)->SetOpis(QStringLiteral("a"));
    wariant->SetOpis(QStringLiteral("b"));
    wariant->GetJm(0)->SetOpis(QStringLiteral("c"));
    const std::vector<TNadawcaZmiany*> oczekiwani{spec->GetJm(0), wariant, wariant->GetJm(0)};
    EXPECT_EQ(zmiany.Nadawcy, oczekiwani);

    spec->SetOnZmieniono(nullptr);
    wariant->SetOpis(QStringLiteral("d"));
    wariant->GetJm(0)->CenaJedn()->SetCena(2.0);
    EXPECT_EQ(zmiany.Nadawcy.size(), 3u) << "an empty handler silences the variants and units as well";
}

TEST_F(ZdarzeniaSpecyfikacji, WlascicielOdrozniaNadawcow)
{
    int wezlow = 0;
    int wariantow = 0;
    int jednostek = 0;
    Korzen.SetOnZmieniono([&](TNadawcaZmiany* nadawca) {
        if (dynamic_cast<TWariantSpecyfikacji*>(nadawca))
            ++wariantow;
        else if (dynamic_cast<TSpecyfikacja*>(nadawca))
            ++wezlow;
        else if (dynamic_cast<TJmSpecyfikacji*>(nadawca))
            ++jednostek;
    });
    TSpecyfikacja* grupa = Dodaj(Korzen, NowaGrupa(QStringLiteral("D")));
    TSpecyfikacja* spec = Dodaj(*grupa, NowaSpecyfikacja(QStringLiteral("D-01")));
    TWariantSpecyfikacji* w = DodajWariant(*spec, NowyWariant(QStringLiteral("A")));
    spec->AddJm(std::make_unique<TJmSpecyfikacji>());
    w->SetOpis(QStringLiteral("x"));
    spec->GetJm(0)->SetJm(QStringLiteral("m2"));
    EXPECT_EQ(wezlow, 4); // two Adds, AddWariant and AddJm, each told by the node that changed
    EXPECT_EQ(wariantow, 1);
    EXPECT_EQ(jednostek, 1);
}

} // namespace
