// The list's price settings reach every unit price in it, however the unit joined the list.
#include "prices/CenaJedn.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/PomocnikSpecyfikacji.h"
#include "specs/SpisST.h"

#include <functional>
#include <ostream>

namespace {

std::unique_ptr<TJmSpecyfikacji> JednostkaZaDziesiec()
{
    auto jm = std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), true);
    jm->CenaJedn()->SetCena(10);
    return jm;
}

struct TPrzypadekCen
{
    const char* Nazwa;
    // Brings a unit priced 10 by hand into the list and returns its price.
    std::function<TCenaJedn*(TSpisST&)> Dolacz;
};

void PrintTo(const TPrzypadekCen& p, std::ostream* os)
{
    *os << p.Nazwa;
}

const TPrzypadekCen PrzypadkiCen[] = {
    {"jednostka dodana do specyfikacji listy",
     [](TSpisST& spis) {
         TSpecyfikacja* s = Dodaj(spis, NowaSpecyfikacja(QStringLiteral("A-1")));
         s->AddJm(JednostkaZaDziesiec());
         return s->GetJm(0)->CenaJedn();
     }},
    {"specyfikacja z jednostka dodana do grupy listy",
     [](TSpisST& spis) {
         TSpecyfikacja* g = Dodaj(spis, NowaGrupa(QStringLiteral("A")));
         auto s = NowaSpecyfikacja(QStringLiteral("A-1"));
         s->AddJm(JednostkaZaDziesiec());
         return Dodaj(*g, std::move(s))->GetJm(0)->CenaJedn();
     }},
    {"jednostka dodana do wariantu",
     [](TSpisST& spis) {
         TSpecyfikacja* s = Dodaj(spis, NowaSpecyfikacja(QStringLiteral("A-1")));
         TWariantSpecyfikacji* w = DodajWariant(*s, NowyWariant(QStringLiteral("a")));
         w->AddJm(JednostkaZaDziesiec());
         return w->GetJm(0)->CenaJedn();
     }},
    {"wariant z jednostka dodany do specyfikacji",
     [](TSpisST& spis) {
         TSpecyfikacja* s = Dodaj(spis, NowaSpecyfikacja(QStringLiteral("A-1")));
         auto w = NowyWariant(QStringLiteral("a"));
         w->AddJm(JednostkaZaDziesiec());
         return DodajWariant(*s, std::move(w))->GetJm(0)->CenaJedn();
     }},
    {"plik listy",
     [](TSpisST& spis) {
         spis.OtworzZBajtow("<sst><specyfikacja numer=\"A-1\"><jednostki><jednostka jm=\"m2\">"
                            "<cenaJedn zrodlo=\"zReki\" cena=\"10\" wspolczynnik=\"1\"/>"
                            "</jednostka></jednostki></specyfikacja></sst>");
         return spis.GetSpecyfikacja(0)->GetJm(0)->CenaJedn();
     }},
};

class SpisSTCeny : public TestSpecyfikacji, public ::testing::WithParamInterface<TPrzypadekCen>
{
};

TEST_P(SpisSTCeny, JednostkaLiczyZUstawieniamiListy)
{
    TSpisST spis;
    spis.SetUstawieniaCen({true, 1.5});
    TCenaJedn* cena = GetParam().Dolacz(spis);
    ASSERT_NE(cena, nullptr);
    EXPECT_EQ(cena->GetUstawienia(), spis.UstawieniaCen());
    EXPECT_DOUBLE_EQ(cena->GetWartosc(), 15.0);
    EXPECT_DOUBLE_EQ(cena->GetCenaZReki(), 10.0);

    // New settings of the list recalculate its prices without reporting them as changed.
    int zmiany = 0;
    spis.SetOnZmieniono([&zmiany](TNadawcaZmiany*) { ++zmiany; });
    spis.SetUstawieniaCen({false, 1.5});
    EXPECT_DOUBLE_EQ(cena->GetWartosc(), 10.0);
    spis.SetUstawieniaCen({true, 3.0});
    EXPECT_DOUBLE_EQ(cena->GetWartosc(), 30.0);
    EXPECT_EQ(zmiany, 0);
}

INSTANTIATE_TEST_SUITE_P(Przypadki, SpisSTCeny, ::testing::ValuesIn(PrzypadkiCen));

} // namespace
