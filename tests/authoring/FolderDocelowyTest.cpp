#include "authoring/FolderDocelowy.h"

#include "app/Wyjatki.h"
#include "specs/SpisST.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(BezpiecznaNazwa, ZnakiNiedozwoloneIPusteNazwy)
{
    const struct
    {
        QString Tekst;
        QString Wynik;
    } przypadki[] = {
        {QStringLiteral("D-01.01 Wykopy"), QStringLiteral("D-01.01 Wykopy")},
        {QStringLiteral("  Roboty ziemne  "), QStringLiteral("Roboty ziemne")},
        {QStringLiteral("a/b"), QStringLiteral("a_b")},
        {QStringLiteral("a\\b:c*d?e\"f<g>h|i"), QStringLiteral("a_b_c_d_e_f_g_h_i")},
        {QStringLiteral("a") + QChar(0) + QStringLiteral("b"), QStringLiteral("a_b")},
        {QStringLiteral("a\nb\tc"), QStringLiteral("a_b_c")},
        {QStringLiteral("../../etc"), QStringLiteral(".._.._etc")},
        {QStringLiteral("/"), QStringLiteral("_")},
        {QStringLiteral("..."), QStringLiteral("...")},
        {QStringLiteral(".ukryty"), QStringLiteral(".ukryty")},
        {QStringLiteral("Żółć"), QStringLiteral("Żółć")},
        {QStringLiteral(".."), QString()},
        {QStringLiteral(" . "), QString()},
        {QStringLiteral("   "), QString()},
        {QString(), QString()},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Tekst.toStdString());
        EXPECT_EQ(BezpiecznaNazwa(p.Tekst), p.Wynik);
    }
}

// The list: kind "D-01" > group "D-01.01" > element "D-01.01.01"; the new specification goes under the
// element (or wherever a case says).
class FolderDocelowy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FTmp.isValid());
        FFolder = FTmp.path() + QStringLiteral("/ST z szablonu");
        ASSERT_TRUE(QDir().mkpath(FFolder));
        FRodzaj = Dodaj(FSpis, QStringLiteral("D-01"), QStringLiteral("Roboty ziemne"));
        FGrupa = Dodaj(*FRodzaj, QStringLiteral("D-01.01"), QStringLiteral("Wykopy"));
        FElement = Dodaj(*FGrupa, QStringLiteral("D-01.01.01"), QStringLiteral("Wykopy ręczne"));
    }

    static TSpecyfikacja* Dodaj(TSpecyfikacja& rodzic, const QString& numer, const QString& opis)
    {
        auto wezel = std::make_unique<TSpecyfikacja>(numer, false, true, QString(), QString(), opis);
        TSpecyfikacja* w = wezel.get();
        EXPECT_TRUE(rodzic.Add(std::move(wezel)));
        return w;
    }

    void Znacznik(const QByteArray& tresc) { ZapiszPlik(FFolder + QStringLiteral("/struktura_sst.conf"), tresc); }

    QTemporaryDir FTmp;
    QString FFolder;
    TSpisST FSpis;
    TSpecyfikacja* FRodzaj = nullptr;
    TSpecyfikacja* FGrupa = nullptr;
    TSpecyfikacja* FElement = nullptr;
};

TEST_F(FolderDocelowy, TrybyZnacznika)
{
    const struct
    {
        const char* Opis;
        std::optional<QByteArray> Znacznik;
        QString Podfoldery;
    } przypadki[] = {
        {"brak znacznika", std::nullopt, QString()},
        {"numery", QByteArray("0\r\n"), QStringLiteral("/D-01/D-01.01/D-01.01.01")},
        {"numery bez końca linii", QByteArray("0"), QStringLiteral("/D-01/D-01.01/D-01.01.01")},
        {"opisy", QByteArray("1\r\n"), QStringLiteral("/D-01 Roboty ziemne/D-01.01 Wykopy/D-01.01.01 Wykopy ręczne")},
        {"płaska", QByteArray("2\r\n"), QString()},
        {"nieznany tryb", QByteArray("3\r\n"), QString()},
        {"ujemny", QByteArray("-1\r\n"), QString()},
        {"nie liczba", QByteArray("zero\r\n"), QString()},
        {"liczba z tekstem", QByteArray("1 opisy\r\n"), QString()},
        {"pusty plik", QByteArray(), QString()},
        {"liczba w drugiej linii", QByteArray("\r\n1\r\n"), QString()},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        QFile::remove(FFolder + QStringLiteral("/struktura_sst.conf"));
        if (p.Znacznik)
            Znacznik(*p.Znacznik);
        EXPECT_EQ(FolderDocelowySzablonu(FFolder, FElement), FFolder + p.Podfoldery);
    }
}

// A kind numbered "D-01" and, under it, a group numbered like the kind plus a suffix.
TEST_F(FolderDocelowy, PrzykladTrybuNumerow)
{
    Znacznik("0\r\n");
    EXPECT_EQ(FolderDocelowySzablonu(FFolder, FGrupa), FFolder + QStringLiteral("/D-01/D-01.01"));
    EXPECT_EQ(FolderDocelowySzablonu(FFolder + QLatin1Char('/'), FGrupa), FFolder + QStringLiteral("/D-01/D-01.01"));
}

TEST_F(FolderDocelowy, KorzenListyNieDajeFolderu)
{
    for (const char* tryb : {"0", "1"}) {
        SCOPED_TRACE(tryb);
        Znacznik(tryb);
        EXPECT_EQ(FolderDocelowySzablonu(FFolder, &FSpis), FFolder);
        EXPECT_EQ(FolderDocelowySzablonu(FFolder, nullptr), FFolder);
        EXPECT_EQ(FolderDocelowySzablonu(FFolder, FRodzaj),
                  FFolder + QStringLiteral("/") +
                      (tryb[0] == '0' ? QStringLiteral("D-01") : QStringLiteral("D-01 Roboty ziemne")));
    }
}

TEST_F(FolderDocelowy, BezFolderuBrakCelu)
{
    for (const char* folder : {"", "  "})
        EXPECT_EQ(FolderDocelowySzablonu(QString::fromUtf8(folder), FElement), QString());
}

// Numbers and captions taken from the list never lead out of the folder.
TEST_F(FolderDocelowy, NazwyZListyNieWychodzaPozaFolder)
{
    const struct
    {
        const char* Numer;
        const char* Opis;
        const char* Tryb;
        const char* Podfolder; // nullptr: refused
    } przypadki[] = {
        {"../..", "Roboty", "0", ".._.."},
        {"../..", "Roboty", "1", ".._.. Roboty"},
        {"D/01", "a/../../b", "1", "D_01 a_.._.._b"},
        {"..", "", "0", nullptr},
        {"..", "", "1", nullptr},
        {".", "Roboty", "0", nullptr},
        {".", "Roboty", "1", ". Roboty"},
        {"C:\\Windows", "", "0", "C__Windows"},
        {"/", "", "0", "_"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.Numer << " | " << p.Opis << " | " << p.Tryb);
        Znacznik(p.Tryb);
        FRodzaj->SetNumer(QString::fromUtf8(p.Numer));
        FRodzaj->SetOpis(QString::fromUtf8(p.Opis));
        if (!p.Podfolder) {
            EXPECT_THROW(FolderDocelowySzablonu(FFolder, FGrupa), EBlad);
            continue;
        }
        const QString wynik = FolderDocelowySzablonu(FFolder, FGrupa);
        const QString grupa = p.Tryb[0] == '0' ? QStringLiteral("D-01.01") : QStringLiteral("D-01.01 Wykopy");
        EXPECT_EQ(wynik, FFolder + QLatin1Char('/') + QString::fromUtf8(p.Podfolder) + QLatin1Char('/') + grupa);
        EXPECT_EQ(QDir::cleanPath(wynik), wynik);
        const QString wzgledna = QDir(FFolder).relativeFilePath(wynik);
        EXPECT_FALSE(wzgledna == QLatin1String("..") || wzgledna.startsWith(QStringLiteral("../")))
            << wzgledna.toStdString();
    }
}

TEST_F(FolderDocelowy, OdmowaNazywaWezel)
{
    Znacznik("0");
    FRodzaj->SetNumer(QStringLiteral(".."));
    try {
        FolderDocelowySzablonu(FFolder, FElement);
        FAIL() << "brak wyjątku";
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().contains(QStringLiteral("\".. Roboty ziemne\""))) << e.what();
    }
}

TEST(FolderDocelowyIstniejacej, FolderWybranegoPliku)
{
    EXPECT_EQ(FolderDocelowyIstniejacej(QStringLiteral("/dane/ST/D-01/D-01.01 Wykopy.doc")),
              QStringLiteral("/dane/ST/D-01"));
    EXPECT_EQ(FolderDocelowyIstniejacej(QString()), QString());
    EXPECT_EQ(FolderDocelowyIstniejacej(QStringLiteral("  ")), QString());
}

} // namespace
