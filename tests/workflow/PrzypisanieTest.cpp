// Assigning specifications to positions, spreading a change, the collection by hand and the grids.
#include "PomocnikKontrolera.h"

#include "estimates/Kosztorys.h"
#include "estimates/PozycjaRds.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "zestaw/PozycjaZbioru.h"
#include "zestaw/ZbiorST.h"

namespace {

class Przypisanie : public TTestKontrolera
{
protected:
    void SetUp() override
    {
        TTestKontrolera::SetUp();
        Konfiguracja().CzyKorzystajZWariantow = true;
        Kontroler = std::make_unique<TZestawController>(Konfiguracja(), Widok, Uzytkownik);
        Kontroler->OtworzSST(Lista());
        Kontroler->OtworzKosztorys(Kosztorys());
        Kontroler->OtworzKosztorys(Kosztorys(QStringLiteral("k2.rds")));
        ASSERT_EQ(Kontroler->Zestaw().KosztorysyCount(), 2);
        Uzytkownik.Zapis.clear();
    }

    TPozycjaRds* Pozycja(int kosztorys, const QString& id)
    {
        return Kontroler->Zestaw().GetKosztorys(kosztorys)->ZnajdzPozycje(
            [&](const TPozycjaRds& p) { return p.Id() == id; });
    }
    TSpecyfikacja* Spec(const QString& numer)
    {
        return Kontroler->Spis().FindSpecyfikacja(numer, fsSzukajWSpecyfikacjach);
    }
    QStringList Numery()
    {
        QStringList n;
        for (int k = 0; k < 2; ++k)
            for (const char* id : {"P1", "P2", "P3"})
                n << Pozycja(k, QString::fromLatin1(id))->ST();
        return n;
    }
    // The first element of the first estimate is shown.
    void PokazPierwszyElement() { Kontroler->WyswietlPozycje(Kontroler->Zestaw().GetKosztorys(0)->GetElement(0)); }
};

TEST_F(Przypisanie, WariantZapisujeNumerIKrzyzykIDzieliKolumny)
{
    PokazPierwszyElement();
    TPozycjaRds* p3 = Pozycja(0, QStringLiteral("P3"));
    Kontroler->PrzypiszWybraneStDoPozycji(Spec(QStringLiteral("S-1"))->GetWariant(0), p3);
    EXPECT_EQ(p3->ST(), QStringLiteral("S-1#A"));
    EXPECT_TRUE(Uzytkownik.Zapis.isEmpty()) << "an empty number is written without a question";
    const TModelTabeli& grid = Kontroler->ListaPozycji();
    EXPECT_EQ(grid.Naglowki(), QStringList({"Nr Poz.", "Numer ST", "Wariant", "Opis", "JM"}));
    const int wiersz = grid.WierszObiektu(p3);
    ASSERT_GE(wiersz, 0);
    EXPECT_EQ(grid.Tekst(wiersz, 1), QStringLiteral("S-1"));
    EXPECT_EQ(grid.Tekst(wiersz, 2), QStringLiteral("A"));
    EXPECT_EQ(p3->WybranaSpecyfikacja().GetWariantSpecyfikacji(), Spec(QStringLiteral("S-1"))->GetWariant(0));

    // Overwriting asks; "Nie" keeps the number.
    const QString pytanie = QStringLiteral("Czy nadpisać istniejący numer specyfikacji wybranej pozycji ?");
    Uzytkownik.Pytania[pytanie] = {false, true};
    Kontroler->PrzypiszWybraneStDoPozycji(Spec(QStringLiteral("S-2")), p3);
    EXPECT_EQ(p3->ST(), QStringLiteral("S-1#A"));
    Kontroler->PrzypiszWybraneStDoPozycji(Spec(QStringLiteral("S-2")), p3);
    EXPECT_EQ(p3->ST(), QStringLiteral("S-2"));
    // The collection has one row per chosen specification, variant in its own column.
    QStringList zbior;
    for (int i = 0; i < Kontroler->ZbiorSt().Wierszy(); ++i)
        zbior << Kontroler->ZbiorSt().Tekst(i, 0) + QLatin1Char('/') + Kontroler->ZbiorSt().Tekst(i, 1);
    EXPECT_EQ(zbior, QStringList({"S-1/", "S-2/"}));
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(Przypisanie, KazdyWyborRozszerzeniaZmiany)
{
    const QString tekst = QStringLiteral("Specyfikacja S-1 jest używana w innych pozycjach kosztorysu.\n\n"
                                         "Zaktualizować również pozostałe pozycje ?");
    const struct
    {
        int Wybor;
        QStringList Oczekiwane;
    } przypadki[] = {
        {0, {"S-2", "S-1", "", "S-1", "S-1", ""}},
        {1, {"S-2", "S-1", "", "S-1", "S-1", ""}}, // P1 is alone in its element
        {2, {"S-2", "S-2", "", "S-1", "S-1", ""}},
        {3, {"S-2", "S-2", "", "S-2", "S-2", ""}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Wybor);
        for (int k = 0; k < 2; ++k)
            for (const char* id : {"P1", "P2"})
                Pozycja(k, QString::fromLatin1(id))->SetST(QStringLiteral("S-1"));
        PokazPierwszyElement();
        Uzytkownik.Pozostale = {TWyborPozostalych{p.Wybor, false}};
        EXPECT_TRUE(Kontroler->ZmienNumerPozycji(Pozycja(0, QStringLiteral("P1")), QStringLiteral("S-2")));
        EXPECT_EQ(Numery(), p.Oczekiwane);
        EXPECT_EQ(Uzytkownik.Zapis.last(), "informacja: " + tekst);
    }
    // "Anuluj" puts the old number back and changes nothing else.
    Uzytkownik.Pozostale = {std::nullopt};
    EXPECT_FALSE(Kontroler->ZmienNumerPozycji(Pozycja(0, QStringLiteral("P1")), QStringLiteral("S-1")));
    EXPECT_EQ(Pozycja(0, QStringLiteral("P1"))->ST(), QStringLiteral("S-2"));
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(Przypisanie, ZapamietanyWyborINumerBezInnychUzyc)
{
    PokazPierwszyElement();
    Uzytkownik.Pozostale = {TWyborPozostalych{2, true}};
    Kontroler->ZmienNumerPozycji(Pozycja(0, QStringLiteral("P1")), QStringLiteral("S-2"));
    EXPECT_FALSE(Konfiguracja().PytajOPozostalePozycje);
    EXPECT_EQ(Konfiguracja().WyborDlaPozostalychPozycji, 2);
    // Asked no more: the whole estimate follows.
    const int pytan = static_cast<int>(Uzytkownik.Zapis.size());
    Kontroler->ZmienNumerPozycji(Pozycja(0, QStringLiteral("P1")), QStringLiteral("S-1"));
    EXPECT_EQ(Uzytkownik.Zapis.size(), pytan);
    EXPECT_EQ(Numery(), QStringList({"S-1", "S-1", "", "S-1", "S-1", ""}));
    // A number nobody else uses asks nothing either.
    Konfiguracja().PytajOPozostalePozycje = true;
    Pozycja(0, QStringLiteral("P3"))->SetST(QStringLiteral("X-9"));
    Kontroler->ZmienNumerPozycji(Pozycja(0, QStringLiteral("P3")), QStringLiteral("X-10"));
    EXPECT_EQ(Uzytkownik.Zapis.size(), pytan);
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(Przypisanie, UsuwanieNumerowIZbiorRecznie)
{
    PokazPierwszyElement();
    Konfiguracja().CzyPotwierdzenieUsunSTZPozycji = true;
    const QString pytanie = QStringLiteral("Czy na pewno chcesz usunąć specyfikację z pozycji kosztorysu ?");
    Uzytkownik.Pytania[pytanie] = {true};
    // Several at once: asked once, not spread.
    Kontroler->UsunSTPozycji({Pozycja(0, QStringLiteral("P1")), Pozycja(0, QStringLiteral("P2"))});
    EXPECT_EQ(Numery(), QStringList({"", "", "", "S-1", "S-1", ""}));
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{"pytanie: " + pytanie});

    // A group whose specifications are all in the collection.
    TSpecyfikacja* grupa = Kontroler->Spis().GetSpecyfikacja(0);
    Kontroler->DopiszDoZbioruST(grupa);
    EXPECT_NE(Kontroler->Zestaw().GetZbiorST()->Znajdz(QStringLiteral("S-2")), nullptr);
    Kontroler->DopiszDoZbioruST(grupa);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Wszystkie specyfikacje z grupy są już w zbiorze."));
    // Removed by hand, an entry stays only while a position needs it.
    Kontroler->UsunSTZeZbioruST({Kontroler->Zestaw().GetZbiorST()->Znajdz(QStringLiteral("S-2")),
                                 Kontroler->Zestaw().GetZbiorST()->Znajdz(QStringLiteral("S-1"))});
    EXPECT_EQ(Kontroler->Zestaw().GetZbiorST()->Znajdz(QStringLiteral("S-2")), nullptr);
    EXPECT_NE(Kontroler->Zestaw().GetZbiorST()->Znajdz(QStringLiteral("S-1")), nullptr);

    // Both position filters off: an empty grid.
    Konfiguracja().CzyPozycjeST = false;
    Konfiguracja().CzyPozycjeBezST = false;
    PokazPierwszyElement();
    EXPECT_EQ(Kontroler->ListaPozycji().Wierszy(), 0);
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(Przypisanie, SzczegolyICenaNieLiczba)
{
    Konfiguracja().CzyWyswietlajCeny = true;
    Kontroler = std::make_unique<TZestawController>(Konfiguracja(), Widok, Uzytkownik);
    Kontroler->OtworzKosztorys(Kosztorys());
    PokazPierwszyElement();
    const TModelTabeli& grid = Kontroler->ListaPozycji();
    Kontroler->WyswietlSzczegolyPozycji(grid.WierszObiektu(Pozycja(0, QStringLiteral("P3"))));
    EXPECT_EQ(Kontroler->SzczegolyPozycji().Naglowki().last(), QStringLiteral("Cena Jedn."));
    EXPECT_EQ(Kontroler->SzczegolyPozycji().Tekst(0, 4), Pozycja(0, QStringLiteral("P3"))->Cena());
    EXPECT_TRUE(Kontroler->SzczegolyPozycji().Tekst(0, 4).contains(QStringLiteral("abc")));
    Kontroler->WyswietlSzczegolyPozycji(grid.WierszObiektu(Pozycja(0, QStringLiteral("P1"))));
    EXPECT_EQ(Kontroler->SzczegolyPozycji().Tekst(0, 4), QLocale().toString(2.5, 'f', 2));
}

TEST_F(Przypisanie, ListaPodpowiedziFiltrujeIPomijaZnaki)
{
    Konfiguracja().CzyPomijajWFiltrzePopupListView = true;
    Konfiguracja().PomijaneWFiltrzePopupListView = QStringLiteral("-");
    Kontroler->OdswiezPopupListView(QStringLiteral("s2"), nullptr, true, false);
    ASSERT_EQ(Kontroler->PopupLista().Wierszy(), 1);
    EXPECT_EQ(Kontroler->PopupLista().Tekst(0, 0), QStringLiteral("S-2"));
    EXPECT_FALSE(Kontroler->CzyAktualizowacPopupListView());
    Kontroler->OdswiezPopupListView(QString(), Spec(QStringLiteral("S-1")), true, false);
    EXPECT_EQ(Kontroler->PopupLista().Tekst(0, 0), QStringLiteral("S-1#A"));
    Kontroler->OdswiezPopupListView(QString(), Spec(QStringLiteral("S-1")), true, true);
    EXPECT_EQ(Kontroler->PopupLista().Tekst(0, 0), QStringLiteral("A"));
}

} // namespace
