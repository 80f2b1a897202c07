#include "app/Pliki.h"
#include "app/Lokalizacje.h"
#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(RozmiarPlikuTekst, Progi)
{
    const struct
    {
        qint64 Rozmiar;
        const char* Tekst;
    } przypadki[] = {
        {-1, ""},
        {0, "0 bajtów"},
        {1023, "1023 bajtów"},
        {1024, "1 KB (bajtów: 1024)"},
        {1536, "1,5 KB (bajtów: 1536)"},
        {1048576, "1024 KB (bajtów: 1048576)"},
        {1048577, "1 MB (bajtów: 1048577)"},
        {1073741824, "1024 MB (bajtów: 1073741824)"},
        {1610612736, "1,5 GB (bajtów: 1610612736)"},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(RozmiarPlikuTekst(p.Rozmiar), QString::fromUtf8(p.Tekst)) << p.Rozmiar;
}

TEST(UsunZnakiNiedozwolone, UsuwaZnakiIBialeZnakiNaBrzegach)
{
    EXPECT_EQ(UsunZnakiNiedozwolone(QStringLiteral("  D-01/02: Roboty? ziemne  ")),
              QStringLiteral("D-0102 Roboty ziemne"));
    EXPECT_EQ(UsunZnakiNiedozwolone(QStringLiteral("a\\b*c\"d<e>f|g")), QStringLiteral("abcdefg"));
    EXPECT_EQ(UsunZnakiNiedozwolone(QStringLiteral("Żółw")), QStringLiteral("Żółw"));
}

TEST(NazwaPlikuBezRozszerzenia, UsuwaKazdeWystapienieRozszerzenia)
{
    EXPECT_EQ(NazwaPlikuBezRozszerzenia(QStringLiteral("/a/b/kosztorys.rds")), QStringLiteral("kosztorys"));
    EXPECT_EQ(NazwaPlikuBezRozszerzenia(QStringLiteral("C:\\a\\x.DOC.doc")), QStringLiteral("x"));
    EXPECT_EQ(NazwaPlikuBezRozszerzenia(QStringLiteral("/a/bez")), QStringLiteral("bez"));
}

TEST(PlikiIDaty, BrakPlikuToMinusJedenIPustyTekst)
{
    QTemporaryDir dir;
    const QString brak = dir.filePath(QStringLiteral("brak.txt"));
    EXPECT_EQ(RozmiarPliku(brak), -1);
    EXPECT_EQ(RozmiarPlikuWyszukaj(brak), -1);
    EXPECT_EQ(DataModyfikacjiPliku(brak), QString());
    EXPECT_EQ(DataUtworzeniaPliku(brak), QString());

    const QString plik = dir.filePath(QStringLiteral("b.txt"));
    ZapiszPlik(plik, "12345");
    EXPECT_EQ(RozmiarPliku(plik), 5);
    EXPECT_EQ(RozmiarPlikuWyszukaj(dir.filePath(QStringLiteral("*.txt"))), 5);
    const QString dzis = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(DataModyfikacjiPliku(plik), dzis);
    EXPECT_EQ(DataUtworzeniaPliku(plik), dzis);
}

TEST(Lokalizacje, KatalogiPodDomemTestu)
{
    const QString dom = KatalogDomowyTestu();
    EXPECT_EQ(KatalogDanychAplikacji(), dom + QStringLiteral("/.config"));
    EXPECT_EQ(PlikKonfiguracji(), dom + QStringLiteral("/.config/Velostra/Velostra.conf"));
    EXPECT_TRUE(QDir(dom + QStringLiteral("/.config/Velostra")).exists());
    EXPECT_TRUE(KatalogMojeDokumenty().startsWith(dom + QLatin1Char('/')));
    EXPECT_EQ(DomyslnyKatalogUzytkownika(), KatalogMojeDokumenty() + QStringLiteral("/Velostra"));
    EXPECT_FALSE(KatalogTymczasowy().endsWith(QLatin1Char('/')));
    EXPECT_TRUE(QFile::exists(PlikKodowCpv()));
    EXPECT_TRUE(QFile::exists(PlikKodowJednostek()));
}

TEST(WersjaProgramu, CzteryLiczby)
{
    EXPECT_EQ(WersjaProgramu().split(QLatin1Char('.')).size(), 4);
}

} // namespace
