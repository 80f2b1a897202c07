#include "app/TabeleKodow.h"
#include "app/Lokalizacje.h"
#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Zapisz(QTemporaryDir& dir, const QByteArray& tresc)
{
    const QString sciezka = dir.filePath(QStringLiteral("kody.csv"));
    ZapiszPlik(sciezka, tresc);
    return sciezka;
}

TEST(WczytajKodyCpv, PoziomyIDrzewo)
{
    QTemporaryDir dir;
    const QString plik = Zapisz(dir, "45000000-7;Roboty budowlane\r\n"
                                     "wiersz bez srednika\r\n"
                                     "45100000-8;Przygotowanie terenu pod budowę\r\n"
                                     "45110000-1;Roboty w zakresie burzenia\r\n"
                                     "45111000-8;Roboty w zakresie burzenia, roboty ziemne\r\n"
                                     "45111100-9;Roboty w zakresie burzenia\r\n"
                                     "45200000-9;Roboty budowlane w zakresie wznoszenia\r\n"
                                     "71000000-8;Usługi architektoniczne\r\n");
    const TListaKodowCpv kody = WczytajKodyCpv(plik);
    ASSERT_EQ(kody.size(), 2u);
    const TKodCpv& budowlane = *kody[0];
    EXPECT_EQ(budowlane.Poziom, 0);
    ASSERT_EQ(budowlane.KodyCpv.size(), 2u);
    const TKodCpv& teren = *budowlane.KodyCpv[0];
    EXPECT_EQ(teren.Kod, QStringLiteral("45100000-8"));
    EXPECT_EQ(teren.Opis, QStringLiteral("Przygotowanie terenu pod budowę"));
    EXPECT_EQ(teren.Poziom, 1);
    EXPECT_EQ(teren.KodyCpv[0]->Poziom, 2);
    // Three zeros and two zeros are both level 3, so the second joins the first as its sibling.
    const TKodCpv& burzenie = *teren.KodyCpv[0];
    ASSERT_EQ(burzenie.KodyCpv.size(), 2u);
    EXPECT_EQ(burzenie.KodyCpv[0]->Poziom, 3);
    EXPECT_EQ(burzenie.KodyCpv[1]->Poziom, 3);
    EXPECT_TRUE(burzenie.KodyCpv[0]->KodyCpv.empty());
    EXPECT_EQ(budowlane.KodyCpv[1]->Kod, QStringLiteral("45200000-9"));
    EXPECT_EQ(budowlane.KodyCpv[1]->Parent, &budowlane);
    EXPECT_EQ(kody[1]->Kod, QStringLiteral("71000000-8"));
    EXPECT_EQ(kody[0]->Find(QStringLiteral("45111100-9"))->Parent->Kod, QStringLiteral("45110000-1"));
}

TEST(WczytajKodyCpv, NieprawidlowyKodPrzerywaZKomunikatem)
{
    QTemporaryDir dir;
    const QString plik = Zapisz(dir, "45000000-7;Roboty budowlane\nXX;zly kod\n");
    try {
        WczytajKodyCpv(plik);
        FAIL() << "a malformed code was accepted";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Nieprawidlowy poziom: XX"));
    }
}

TEST(WczytajKodyCpv, BrakPlikuToPustaLista)
{
    EXPECT_TRUE(WczytajKodyCpv(QStringLiteral("/nie/ma/takiego/pliku.csv")).empty());
}

TEST(WczytajKodyCpv, KodNizszegoPoziomuNaPoczatkuZaczynaDrzewo)
{
    QTemporaryDir dir;
    const TListaKodowCpv kody = WczytajKodyCpv(Zapisz(dir, "45110000-1;Burzenie\n45111000-8;Roboty ziemne\n"));
    ASSERT_EQ(kody.size(), 1u);
    EXPECT_EQ(kody[0]->KodyCpv.size(), 1u);
}

TEST(WczytajKodyJednostek, PierwszyWierszKoduWygrywa)
{
    QTemporaryDir dir;
    const QString plik = Zapisz(dir, QStringLiteral("1;m;\n2;m2;\n1;metr;\nbez srednikow\n3;szt.;opis;\n").toUtf8());
    const auto kody = WczytajKodyJednostek(plik);
    EXPECT_EQ(kody.value(QStringLiteral("1")), QStringLiteral("m"));
    EXPECT_EQ(kody.value(QStringLiteral("2")), QStringLiteral("m2"));
    EXPECT_EQ(kody.value(QStringLiteral("3;szt.")), QStringLiteral("opis")); // the pattern is greedy
    EXPECT_EQ(kody.size(), 3);
    EXPECT_TRUE(WczytajKodyJednostek(QStringLiteral("/nie/ma.csv")).isEmpty());
}

TEST(WczytajLinieTabeli, Windows1250IUtf8)
{
    QTemporaryDir dir;
    EXPECT_EQ(WczytajLinieTabeli(Zapisz(dir, "1;\xB3\xB9ka;\r\n")), QStringList{QStringLiteral("1;łąka;")});
    EXPECT_EQ(WczytajLinieTabeli(Zapisz(dir, QStringLiteral("1;łąka;\n").toUtf8())),
              QStringList{QStringLiteral("1;łąka;")});
}

TEST(TabeleProgramu, DolaczoneTabeleSaPrawidlowe)
{
    const TListaKodowCpv kody = WczytajKodyCpv(PlikKodowCpv());
    ASSERT_EQ(kody.size(), 1u);
    EXPECT_EQ(kody[0]->Kod, QStringLiteral("45000000-7"));
    EXPECT_EQ(kody[0]->Opis, QStringLiteral("Roboty budowlane"));
    EXPECT_NE(kody[0]->Find(QStringLiteral("45100000-8")), nullptr);

    const auto jednostki = WczytajKodyJednostek(PlikKodowJednostek());
    EXPECT_GE(jednostki.size(), 20);
    const QStringList nazwy = jednostki.values();
    for (const char* j : {"m", "m2", "m3", "szt.", "kpl.", "r-g", "m-g", "t", "kg"})
        EXPECT_TRUE(nazwy.contains(QString::fromUtf8(j))) << j;
}

} // namespace
