// The unit price calculation's logic with a scripted user.
#include "prices/KalkulacjaCeny.h"
#include "UzytkownikCenyTestowy.h"
#include "prices/CenaInfCen.h"
#include "prices/CenaJedn.h"
#include "prices/ModelInfCen.h"

#include "support/Pomocnicze.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using P = TKalkulacjaCeny::TPole;

using TUzytkownik = TUzytkownikCenyTestowy;

class KalkulacjaCeny : public ::testing::Test
{
protected:
    TCenaJedn Cena;
    TCenaJedn Inna; // another unit of the list
    TUzytkownik Uzytkownik;
    TKalkulacjaCeny K{Cena, TUstawieniaCen{},
                      [this](const TUstawieniaCen& u) {
                          Cena.SetUstawienia(u);
                          Inna.SetUstawienia(u);
                      },
                      Uzytkownik};
};

TEST_F(KalkulacjaCeny, PolaLiczbyWyrazeniaIBledy)
{
    K.UstawSposob(TCenaJedn::ZrodloRMSj);
    const struct
    {
        P Pole;
        const char* Tekst;
        bool Ok;
        double Rj;
        double RjWspolcz;
    } przypadki[] = {
        {P::Robocizna, "2*1,5", true, 3.0, 1.0},    {P::Robocizna, "abc", false, 0.0, 1.0},
        {P::Robocizna, "12.5", true, 12.5, 1.0},    {P::WspolczynnikR, "x", false, 12.5, 1.0},
        {P::WspolczynnikR, "1,2", true, 12.5, 1.2},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Tekst);
        EXPECT_EQ(K.UstawPole(p.Pole, QString::fromUtf8(p.Tekst)), p.Ok);
        EXPECT_EQ(K.CzyBlad(p.Pole), !p.Ok);
        EXPECT_DOUBLE_EQ(Cena.GetRj(), p.Rj);
        EXPECT_DOUBLE_EQ(Cena.GetRjWspolcz(), p.RjWspolcz);
    }
    EXPECT_EQ(K.Sposob(), TCenaJedn::ZrodloRMSj);
}

TEST_F(KalkulacjaCeny, ObliczRZProcentuIZerowaPodstawa)
{
    K.UstawPole(P::Material, QStringLiteral("250"));
    K.UstawObliczR(true);
    EXPECT_DOUBLE_EQ(Cena.GetRj(), 25.0);
    EXPECT_EQ(K.Tekst(P::Robocizna), QStringLiteral("25"));
    K.UstawPole(P::Material, QStringLiteral("0"));
    EXPECT_EQ(Uzytkownik.Komunikaty, QStringList{QStringLiteral("Zerowa wartość Materiałów")});
    EXPECT_DOUBLE_EQ(Cena.GetRj(), 25.0) << "left as it was";
    K.UstawPole(P::ProcentR, QStringLiteral("20"));
    EXPECT_EQ(Uzytkownik.Komunikaty.size(), 1) << "once per change of the basis, not per keystroke";
    K.UstawPodstaweR(false);
    EXPECT_EQ(Uzytkownik.Komunikaty.last(), QStringLiteral("Zerowa wartość Sprzętu"));
}

TEST_F(KalkulacjaCeny, AnulujPrzywracaWspolczynnikIWszystkieCeny)
{
    K.UstawSposob(TCenaJedn::ZrodloZReki);
    K.UstawPole(P::CenaZReki, QStringLiteral("100"));
    K.Przenies();
    TKalkulacjaCeny druga(
        Cena, TUstawieniaCen{},
        [this](const TUstawieniaCen& u) {
            Cena.SetUstawienia(u);
            Inna.SetUstawienia(u);
        },
        Uzytkownik);
    druga.UstawPole(P::WspolczynnikGlobalny, QStringLiteral("2"));
    druga.UstawGlobalny(true);
    druga.UstawPole(P::CenaZReki, QStringLiteral("150"));
    EXPECT_DOUBLE_EQ(Cena.GetWartosc(), 300.0);
    EXPECT_TRUE(Inna.GetUstawienia().CzyWspolczynnikGlobalny);
    druga.Anuluj();
    EXPECT_FALSE(Inna.GetUstawienia().CzyWspolczynnikGlobalny);
    EXPECT_DOUBLE_EQ(Cena.GetCena(), 100.0);
    EXPECT_DOUBLE_EQ(Cena.GetWartosc(), 100.0) << "the cancelled coefficient does not stay in the price";
}

TEST_F(KalkulacjaCeny, ZrodloZInformatora)
{
    QTemporaryDir katalog;
    Uzytkownik.Plik = katalog.filePath(QStringLiteral("i.xml"));
    ZapiszPlik(Uzytkownik.Plik,
               "<informator wydawca=\"Wyd\" wydanie=\"II\" rok=\"2024\">"
               "<pozycja SYMBOL_GL=\"B-01\" NAZWA=\"Beton\" cj_min_CENA=\"300\" cj_sr_CENA=\"365,555\"/>"
               "<wspolczynniki><w region=\"opolskie\" wsp_kub=\"1,1\" wsp_inz=\"1,2345\"/>"
               "</wspolczynniki></informator>");
    K.UstawSposob(TCenaJedn::ZrodloInfCen);
    K.WybierzZrodlo(1);
    K.WybierzPozycje(1);
    const TCenaInfCen& z = *Cena.GetInfCen(2);
    EXPECT_EQ(z.GetNazwaInfCen(), QStringLiteral("Wyd"));
    EXPECT_EQ(z.GetWydanie(), QStringLiteral("II.2024"));
    EXPECT_EQ(z.GetSymbol(), QStringLiteral("B-01"));
    EXPECT_EQ(z.GetKolumna(), QStringLiteral("Cena śr."));
    ASSERT_EQ(z.GetCenyPozycji().size(), 4u);
    ASSERT_NE(z.GetWybranaCena(), nullptr);
    EXPECT_DOUBLE_EQ(z.GetWybranaCena()->GetWartosc(), 365.555) << "full precision";
    K.WybierzWspolczynnikRegionalny(1);
    EXPECT_DOUBLE_EQ(z.GetWspolcz(), 1.2345);
    EXPECT_EQ(K.WspolczynnikZrodla(1), QLocale().toString(1.2345, 'f', 3));
    K.WybierzCeneZrodla(1, 0);
    EXPECT_DOUBLE_EQ(z.GetWybranaCena()->GetWartosc(), 300.0);
}

} // namespace
