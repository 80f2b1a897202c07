#include "app/Pliki.h"
#include "app/Kodowanie.h"
#include "app/Lokalizacje.h"
#include "app/TabeleKodow.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "app/ZipFile.h"
#include "support/Pomocnicze.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

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

TEST(CzyTenSamPlik, JednaRegulaDlaIstniejacychIBrakujacych)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.doc"));
    ZapiszPlik(a, "a");
    ZapiszPlik(dir.filePath(QStringLiteral("b.doc")), "a");
    ASSERT_TRUE(QFile::link(a, dir.filePath(QStringLiteral("link.doc"))));
    const struct
    {
        const char* Pierwsza;
        const char* Druga;
        bool Ten;
    } przypadki[] = {
        {"a.doc", "a.doc", true},
        {"a.doc", "./a.doc", true},
        {"a.doc", "link.doc", true},
        {"a.doc", "b.doc", false}, // the same content is not the same file
        {"a.doc", "A.doc", false},
        {"a.doc", "brak.doc", false},
        {"brak.doc", "x/../brak.doc",
         true}, // neither exists: the cleaned paths decide {"brak.doc", "inny.doc", false},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.Pierwsza << " / " << p.Druga);
        const QString pierwsza = dir.path() + QLatin1Char('/') + QString::fromUtf8(p.Pierwsza);
        const QString druga = dir.path() + QLatin1Char('/') + QString::fromUtf8(p.Druga);
        EXPECT_EQ(CzyTenSamPlik(pierwsza, druga), p.Ten);
        EXPECT_EQ(CzyTenSamPlik(druga, pierwsza), p.Ten);
    }
}

// A file larger than every limit without taking any room: only its size is ever looked at.
QString PlikPonadLimity(const QTemporaryDir& dir)
{
    const QString sciezka = dir.filePath(QStringLiteral("ogromny.xml"));
    QFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly) || !plik.resize(qint64(0x100000000)))
        return QString();
    return sciezka;
}

TEST(CzytajCalyPlik, PowodyOdmowy)
{
    QTemporaryDir dir;
    const QString plik = dir.filePath(QStringLiteral("a.txt"));
    ZapiszPlik(plik, "zawartość");
    EXPECT_EQ(CzytajCalyPlik(plik), QStringLiteral("zawartość").toUtf8());
    EXPECT_EQ(CzytajCalyPlik(plik, 11), QStringLiteral("zawartość").toUtf8()); // exactly the limit
    const struct
    {
        const char* Opis;
        QString Sciezka;
        qint64 Limit;
        EOdczytPliku::TPowod Powod;
        bool ZOpisemSystemu;
    } przypadki[] = {
        {"brak", dir.filePath(QStringLiteral("brak.txt")), LimitOdczytuPliku, EOdczytPliku::Brak, true},
        {"folder", dir.path(), LimitOdczytuPliku, EOdczytPliku::BladOdczytu, true},
        {"ponad limit", plik, 10, EOdczytPliku::ZaDuzy, false},
        {"urządzenie bez rozmiaru", QStringLiteral("/dev/zero"), 100000, EOdczytPliku::ZaDuzy, false},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        try {
            CzytajCalyPlik(p.Sciezka, p.Limit);
            ADD_FAILURE() << "read";
        } catch (const EOdczytPliku& e) {
            EXPECT_EQ(e.Powod(), p.Powod);
            EXPECT_EQ(!e.OpisSystemu().isEmpty(), p.ZOpisemSystemu);
            EXPECT_TRUE(e.Komunikat().contains(QDir::toNativeSeparators(p.Sciezka))) << e.what();
        }
    }
}

// Every whole-file reader of this library refuses a file beyond its limit unread, with the message that
// says so, and keeps its own message for a missing file.
TEST(CzytajCalyPlik, CzytelnicyBibliotekiOdmawiajaPonadLimit)
{
    QTemporaryDir dir;
    const QString ogromny = PlikPonadLimity(dir);
    if (ogromny.isEmpty())
        GTEST_SKIP() << "no sparse files here";
    const QString brak = dir.filePath(QStringLiteral("brak.xml"));
    const QString nieOtwarty = QStringLiteral("Nie można otworzyć pliku \"%1\".").arg(brak);
    const struct
    {
        const char* Opis;
        std::function<void(const QString&)> Czytaj;
    } czytelnicy[] = {
        {"XML",
         [](const QString& s) {
             pugi::xml_document d;
             WczytajPlikXml(s, d);
         }},
        {"tekst", [](const QString& s) { WczytajPlikTekstowy(s); }},
        {"zip", [](const QString& s) { TZipFile().LoadFromFile(s); }},
    };
    for (const auto& c : czytelnicy) {
        SCOPED_TRACE(c.Opis);
        try {
            c.Czytaj(ogromny);
            ADD_FAILURE() << "read";
        } catch (const EOdczytPliku& e) {
            EXPECT_EQ(e.Powod(), EOdczytPliku::ZaDuzy);
            EXPECT_TRUE(e.Komunikat().contains(QStringLiteral("jest za duży"))) << e.what();
        }
        OczekujBledu([&] { c.Czytaj(brak); }, nieOtwarty);
    }
    bool istnieje = false;
    EXPECT_TRUE(WczytajLinieTabeli(ogromny, &istnieje).isEmpty());
    EXPECT_TRUE(istnieje);
    EXPECT_TRUE(WczytajLinieTabeli(brak, &istnieje).isEmpty());
    EXPECT_FALSE(istnieje);
}

} // namespace
