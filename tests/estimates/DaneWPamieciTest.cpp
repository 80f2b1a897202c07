// Every text format through the one entry point for estimates in memory: the settings value alone decides
// how variants are read and written (no program configuration exists in these tests), and the copy reads
// back to the same positions and copies again to the same bytes.
#include "app/Konfiguracja.h"
#include "estimates/KosztorysFactory.h"
#include "specs/Specyfikacja.h"
#include "specs/WariantSpecyfikacji.h"

#include <gtest/gtest.h>

namespace {

struct TPrzypadek
{
    const char* Plik;  // a name of the format's extension, for the factory
    QByteArray Zrodlo; // one position, identifier "1", ST number "D-01_2"
};

const TPrzypadek Przypadki[] = {
    {"k.rds", "ID_KS=K1\r\n[POZ]\r\nID=1\r\nNr=1\r\nST=D-01_2\r\nOpis=Wykop\r\n\r\n[POZ]\r\nID=2\r\nOpis=Nasyp\r\n"},
    {"k.rds7", "[POZ]\r\nID=1\r\nNr=1\r\nST=D-01_2\r\nIlość=2*3\r\n\r\n[POZ]\r\nID=2\r\nIlość=1\r\n"},
    {"k.ath", "pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\nna=Wykop\r\nnsn=D-01_2\r\n\r\n"
              "[POZYCJA]\r\nid=2\r\nnu=2\r\nna=Nasyp\r\n"},
    {"k.xml",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Kosztorys>\n  <Pozycja Id=\"1\" Nr=\"1\"><Nazwa>Wykop</Nazwa>"
     "<Sst Nr=\"D-01_2\"/></Pozycja>\n  <Pozycja Id=\"2\" Nr=\"2\"><Nazwa>Nasyp</Nazwa></Pozycja>\n"
     "</Kosztorys>\n"},
    {"k.fwd",
     "[KOSZTORYS FWD]\r\nwersja_FWD=1.0\r\nprogram=Test\r\n\r\n[STRONA TYTULOWA]\r\nrodzaj_kosztorysu=K\r\n\r\n"
     "[POZYCJA]\r\nlp=1\r\nopis=Wykop\r\njm=m3\r\nspec_techn=D-01_2\r\n\r\n"
     "[POZYCJA]\r\nlp=2\r\nopis=Nasyp\r\njm=m3\r\n\r\n[KONIEC]\r\n"},
};

class DaneWPamieci : public ::testing::TestWithParam<TPrzypadek>
{
protected:
    void SetUp() override { ASSERT_FALSE(TKonfiguracja::Istnieje()); }
    void TearDown() override { EXPECT_FALSE(TKonfiguracja::Istnieje()) << "reading made a configuration"; }

    static std::unique_ptr<TKosztorys> Kosztorys(const TUstawieniaKosztorysu& ustawienia)
    {
        return TKosztorysFactory::GetKosztorys(QString::fromLatin1(GetParam().Plik), false, ustawienia);
    }
    // The ST number of the first position (the one that carries a number in every source).
    static QString PierwszeST(const TKosztorys& k)
    {
        const TPozycjaRds* p = k.ZnajdzPozycje([](const TPozycjaRds&) { return true; });
        return p ? p->ST() : QStringLiteral("(brak pozycji)");
    }
};

TEST_P(DaneWPamieci, UstawieniaDecydujaOWariantachPrzyCzytaniu)
{
    auto zwykly = Kosztorys({});
    zwykly->WczytajZDanych(GetParam().Zrodlo);
    EXPECT_EQ(PierwszeST(*zwykly), QStringLiteral("D-01_2"));

    TUstawieniaKosztorysu u;
    u.Warianty.CzyKorzystajZWariantow = true;
    u.RozpoznajWariantyPrzyImporcie = true;
    u.ListaSeparatorowWariantow = QStringLiteral("/_");
    auto zWariantami = Kosztorys(u);
    zWariantami->WczytajZDanych(GetParam().Zrodlo);
    EXPECT_EQ(PierwszeST(*zWariantami), QStringLiteral("D-01#2"));
    EXPECT_EQ(zWariantami->Count(), zwykly->Count());
}

TEST_P(DaneWPamieci, KopiaWracaZNumeramiWedlugUstawien)
{
    TSpecyfikacja s(QStringLiteral("D-07"), false, false, QString(), QString(), QStringLiteral("Krawężniki"));
    s.AddWariant(std::make_unique<TWariantSpecyfikacji>(QStringLiteral("3"), QString(), QString(), QString()));
    TUstawieniaKosztorysu eksport;
    eksport.Warianty.CzyKorzystajZWariantow = true;
    eksport.Warianty.WizualnySeparatorWariantow = QStringLiteral("/");
    eksport.UwzglednijWariantyPrzyEksporcie = true;
    const struct
    {
        TUstawieniaKosztorysu Ustawienia;
        const char* ST;
    } zapisy[] = {{eksport, "D-07/3"}, {{}, "D-07"}};
    for (const auto& zapis : zapisy) {
        SCOPED_TRACE(zapis.ST);
        auto k = Kosztorys(zapis.Ustawienia);
        k->WczytajZDanych(GetParam().Zrodlo);
        TPozycjaRds* p = k->ZnajdzPozycje([](const TPozycjaRds&) { return true; });
        ASSERT_NE(p, nullptr);
        // As an assignment leaves it: the key as the position's own number, the choice beside it.
        p->SetST(QStringLiteral("D-07#3"));
        p->WybranaSpecyfikacja().SetSpecyfikacja(&s);
        p->WybranaSpecyfikacja().SetWariantSpecyfikacji(s.GetWariant(0));
        const QByteArray kopia = k->ZapiszDoDanych(GetParam().Zrodlo);

        auto odczytany = Kosztorys({});
        odczytany->WczytajZDanych(kopia);
        EXPECT_EQ(PierwszeST(*odczytany), QString::fromLatin1(zapis.ST));
        EXPECT_EQ(odczytany->Count(), k->Count());
        // What was copied once copies again to the same bytes.
        EXPECT_EQ(odczytany->ZapiszDoDanych(kopia), kopia);
        p->WybranaSpecyfikacja().SetSpecyfikacja(nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Formaty, DaneWPamieci, ::testing::ValuesIn(Przypadki), [](const auto& parametr) {
    return QString::fromLatin1(parametr.param.Plik).section(QLatin1Char('.'), 1).toStdString();
});

} // namespace
