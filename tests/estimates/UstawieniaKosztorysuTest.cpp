// The settings value that estimates and sets go by, and its one conversion from the program's configuration.
#include "estimates/UstawieniaKosztorysu.h"
#include "app/Konfiguracja.h"
#include "app/OknoKonfiguracji.h"

#include <gtest/gtest.h>

namespace {

// Made and released here, so that no other test sees it.
class UstawieniaKosztorysu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TKonfiguracja::Zwolnij(false);
        FKonfiguracja = TKonfiguracja::GetInstance(&FOkno, false);
    }
    void TearDown() override { TKonfiguracja::Zwolnij(false); }

    TOknoBezEkranu FOkno;
    TKonfiguracja* FKonfiguracja = nullptr;
};

TEST_F(UstawieniaKosztorysu, DomyslneJakPrzyPierwszymUruchomieniu)
{
    TUstawieniaKosztorysu oczekiwane;
    oczekiwane.KatalogUzytkownika = FKonfiguracja->GetUserPath();
    EXPECT_EQ(TUstawieniaKosztorysu::ZKonfiguracji(*FKonfiguracja), oczekiwane);
    EXPECT_EQ(TUstawieniaKosztorysu{}.Warianty, TUstawieniaWariantow::Domyslne());
}

TEST_F(UstawieniaKosztorysu, ZKonfiguracjiPrzenosiKazdaWartosc)
{
    TKonfiguracja& k = *FKonfiguracja;
    k.CzyKorzystajZWariantow = true;
    k.CzyWyswietlacTytulSTZWariantem = true;
    k.SetWizualnySeparatorWariantow(QStringLiteral(" / "));
    k.UwzglednijWariantyPrzyEksporcieKosztorysu = true;
    k.RozpoznajWariantyPrzyImporcieKosztorysu = true;
    k.ListaSeparatorowWariantow = QStringLiteral("_ ");
    k.EdbudJdnMdbPath = QStringLiteral("/dane/Edbud/jdn.mdb");
    k.SetUserPath(QStringLiteral("/dane/uzytkownik/"));
    const TUstawieniaKosztorysu u = TUstawieniaKosztorysu::ZKonfiguracji(k);
    EXPECT_TRUE(u.Warianty.CzyKorzystajZWariantow);
    EXPECT_TRUE(u.Warianty.CzyWyswietlacTytulSTZWariantem);
    EXPECT_EQ(u.Warianty.WizualnySeparatorWariantow, QStringLiteral(" / "));
    EXPECT_TRUE(u.UwzglednijWariantyPrzyEksporcie);
    EXPECT_TRUE(u.RozpoznajWariantyPrzyImporcie);
    EXPECT_EQ(u.ListaSeparatorowWariantow, QStringLiteral("_ "));
    EXPECT_EQ(u.EdbudJdnMdbPath, QStringLiteral("/dane/Edbud/jdn.mdb"));
    EXPECT_EQ(u.KatalogUzytkownika, QStringLiteral("/dane/uzytkownik"));
    // A snapshot: later changes of the configuration do not reach it.
    k.CzyKorzystajZWariantow = false;
    EXPECT_TRUE(u.Warianty.CzyKorzystajZWariantow);
}

} // namespace
