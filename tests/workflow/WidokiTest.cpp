// Views, settings, list merging and the synchronisation between the grids and the tree.
#include "PomocnikKontrolera.h"

#include "estimates/Kosztorys.h"
#include "estimates/PozycjaRds.h"
#include "specs/SpisST.h"
#include "zestaw/PozycjaZbioru.h"

namespace {

class Widoki : public TTestKontrolera
{
};

TEST_F(Widoki, TylkoSpecyfikacjeOdmowioneGdySaKosztorysy)
{
    Kontroler->OtworzKosztorys(Kosztorys());
    Uzytkownik.Zapis.clear();
    Uzytkownik.ZmianaUstawien = [this](TZestawST&) { Konfiguracja().TylkoWidokSpecyfikacje = true; };
    Kontroler->WyswietlUstawienia();
    EXPECT_FALSE(Konfiguracja().TylkoWidokSpecyfikacje);
    EXPECT_EQ(Uzytkownik.Zapis, QStringList({QStringLiteral("ustawienia"),
                                             QStringLiteral("komunikat: Bieżący zestaw ma otwarte kosztorysy. Widok "
                                                            "\"tylko Specyfikacje\" nie może zostać ustawiony.")}));
    EXPECT_FALSE(Widok.TylkoSpecyfikacje);

    // Without estimates it is applied; prices shown add the details' column.
    Uzytkownik.Pytania[QStringLiteral("Na pewno chcesz usunąć wszystkie kosztorysy z zestawu ?")] = {true};
    Kontroler->UsunWszystkieKosztorysy();
    Uzytkownik.ZmianaUstawien = [this](TZestawST&) {
        Konfiguracja().TylkoWidokSpecyfikacje = true;
        Konfiguracja().CzyWyswietlajCeny = !Konfiguracja().CzyWyswietlajCeny;
    };
    const bool ceny = !Konfiguracja().CzyWyswietlajCeny;
    Kontroler->WyswietlUstawienia();
    EXPECT_TRUE(Widok.TylkoSpecyfikacje);
    EXPECT_TRUE(Widok.Specyfikacje);
    EXPECT_EQ(Kontroler->SzczegolyPozycji().Naglowki().contains(QStringLiteral("Cena Jedn.")), ceny);
    // Variants switched on: the grids get their "Wariant" column.
    Uzytkownik.ZmianaUstawien = [this](TZestawST&) { Konfiguracja().CzyKorzystajZWariantow = true; };
    Kontroler->WyswietlUstawienia();
    EXPECT_TRUE(Kontroler->ListaPozycji().Naglowki().contains(QStringLiteral("Wariant")));
    EXPECT_TRUE(Kontroler->Zestaw().Ustawienia().Warianty.CzyKorzystajZWariantow);
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(Widoki, ScalanieWymagaZapisanejListyIZastepujeJa)
{
    Kontroler->DodajListeSst();
    EXPECT_EQ(Uzytkownik.Zapis.last(),
              QStringLiteral("komunikat: Spis specyfikacji należy zapisać na dysku przed porządkowaniem."));
    Kontroler->OtworzSST(Lista());
    Uzytkownik.WynikScalania = std::make_unique<TSpisST>();
    Uzytkownik.WynikScalania->OtworzZBajtow("<sst><specyfikacja numer=\"M-1\" opis=\"Scalona\"/></sst>");
    Kontroler->DodajListeSst();
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("scalanie"));
    ASSERT_EQ(Kontroler->Spis().Count(), 1);
    EXPECT_EQ(Kontroler->Spis().GetSpecyfikacja(0)->Numer(), QStringLiteral("M-1"));
    EXPECT_TRUE(Kontroler->ZmienionyZestaw());
    EXPECT_TRUE(Widok.Status[4].contains(QStringLiteral("(Liczba specyfikacji: 1)")));
    // The new list reports its changes to the controller.
    Kontroler->Spis().GetSpecyfikacja(0)->SetOpis(QStringLiteral("Zmieniona"));
    EXPECT_TRUE(Kontroler->ZmienionySST());
}

TEST_F(Widoki, SkokISynchronizacjaZbioruZDrzewem)
{
    Konfiguracja().CzyZbiorSTSynchronizujZDrzewkiem = true;
    Kontroler->OtworzSST(Lista());
    Kontroler->OtworzKosztorys(Kosztorys());
    TKosztorys& k = *Kontroler->Zestaw().GetKosztorys(0);
    TPozycjaRds* p2 = k.ZnajdzPozycje([](const TPozycjaRds& p) { return p.Id() == QStringLiteral("P2"); });
    Kontroler->WyswietlPozycje(k.GetElement(0));
    ASSERT_LT(Kontroler->ListaPozycji().WierszObiektu(p2), 0);
    Kontroler->UstawWidokSpecyfikacje();
    Kontroler->SkoczDoPozycji(p2);
    EXPECT_FALSE(Widok.Specyfikacje);
    EXPECT_EQ(Widok.Zaznaczony, p2->Parent);
    EXPECT_EQ(Widok.WierszPozycji, Kontroler->ListaPozycji().WierszObiektu(p2));
    EXPECT_GE(Widok.WierszPozycji, 0);

    const TSpecyfikacja* s1 = Kontroler->Spis().FindSpecyfikacja(QStringLiteral("S-1"), fsSzukajWSpecyfikacjach);
    Kontroler->SynchronizujDrzewoZeZbiorem(s1);
    ASSERT_GE(Widok.WierszZbioru, 0);
    EXPECT_EQ(static_cast<TPozycjaZbioru*>(Kontroler->ZbiorSt().Obiekt(Widok.WierszZbioru))
                  ->WybranaSpecyfikacja()
                  .GetSpecyfikacja(),
              s1);
    Kontroler->SynchronizujZbiorZDrzewkiemST(Widok.WierszZbioru);
    EXPECT_EQ(Widok.Wezel, s1);
}

} // namespace

namespace {

TEST_F(Widoki, GenerowanyKosztorysCzytaSieZPowrotem)
{
    Konfiguracja().NazwaJmWTytuleStPrzyGenerowaniuKosztorysu = true;
    Konfiguracja().OtworzKosztorysPoStworzeniu = true;
    Plik(QStringLiteral("S-1.odt"), "x");
    Plik(QStringLiteral("S-2.odt"), "x");
    Kontroler->OtworzSST(Plik(QStringLiteral("j.sst"),
                              "<sst><specyfikacja numer=\"S-1\" opis=\"Pierwsza\" plik=\"%USERPATH%/S-1.odt\">"
                              "<jednostki><jednostka jm=\"m2\" opis=\"powierzchnia\" eksportuj=\"true\">"
                              "<cenaJedn zrodlo=\"zReki\" cena=\"12,5\" wspolczynnik=\"1\" cenaZReki=\"12,5\" "
                              "wartosc=\"12,5\"/></jednostka>"
                              "<jednostka jm=\"m3\" eksportuj=\"false\"/></jednostki></specyfikacja>"
                              "<specyfikacja numer=\"S-2\" opis=\"Druga\" plik=\"%USERPATH%/S-2.odt\"/></sst>"));
    Kontroler->GenerujKosztorys();
    EXPECT_EQ(Uzytkownik.Zapis.last(),
              QStringLiteral("komunikat: Zbiór specyfikacji nie zawiera specyfikacji z listy."));
    Kontroler->DopiszDoZbioruST(Kontroler->Spis().GetSpecyfikacja(0));
    Kontroler->DopiszDoZbioruST(Kontroler->Spis().GetSpecyfikacja(1));
    const QString plik = Katalog.filePath(QStringLiteral("nowy.rds"));
    Uzytkownik.DoZapisu = {plik};
    Kontroler->GenerujKosztorys();
    ASSERT_EQ(Kontroler->Zestaw().KosztorysyCount(), 1) << Uzytkownik.Zapis.join(QLatin1Char('|')).toStdString();
    QStringList pozycje;
    Kontroler->Zestaw().GetKosztorys(0)->DlaKazdejPozycji([&](TPozycjaRds& p) {
        // The Rodos reader keeps the blank before these values, as the format's own readers do.
        pozycje << QStringList{p.ST(), p.Opis().trimmed(), p.Jm().trimmed(), p.Cena().trimmed()}.join(QLatin1Char('|'));
    });
    EXPECT_EQ(pozycje, QStringList({"S-1|Pierwsza - powierzchnia|m2|12,50", "S-2|Druga||0,00"}));
    Uzytkownik.SprawdzZuzyte();
}

} // namespace
