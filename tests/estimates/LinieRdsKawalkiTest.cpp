// A large Rodos file is decoded and indexed in pieces: its lines, their kinds and the tree read from it are
// those of the same text in one piece, whatever the line ends and wherever the pieces end.

#include "app/Kodowanie.h"
#include "estimates/KosztorysJson.h"
#include "estimates/KosztorysRds.h"
#include "estimates/LinieRds.h"

#include <QJsonDocument>

#include <vector>

namespace {

// Positions enough for several pieces, in elements, with aggregates and a component straddling nothing
// in particular: the pieces end wherever their size says.
QString DuzyKosztorys(const QString& koniecLinii, int pozycji)
{
    QStringList linie{QStringLiteral("ID_KS=DUZY")};
    for (int i = 0; i < pozycji; ++i) {
        if (i % 40 == 0)
            linie << QStringLiteral("[ELEM]") << QStringLiteral("Nr=%1").arg(i) << QStringLiteral("Opis=Dział ż")
                  << QStringLiteral("PZ=%1").arg(i % 80 == 0 ? 0 : 1) << QString();
        linie << (i % 9 == 8 ? QStringLiteral("[AGR]") : QStringLiteral("[POZ]")) << QStringLiteral("ID=%1").arg(i)
              << QStringLiteral("ST=D-01.%1").arg(i % 13) << QStringLiteral("Opis=Roboty ziemne, pozycja %1").arg(i)
              << QStringLiteral("Jm=m3") << QStringLiteral("Ilość=12,5") << QStringLiteral("Cena=3.25") << QString();
        if (i % 9 == 8)
            linie << QStringLiteral("[POZ]") << QStringLiteral("AgrID=%1").arg(i) << QStringLiteral("Ilość=2")
                  << QStringLiteral("Cena=1.5") << QString();
    }
    return linie.join(koniecLinii);
}

std::vector<QString> Kawalki(const QString& tekst, qsizetype rozmiar)
{
    std::vector<QString> wynik;
    for (qsizetype od = 0; od < tekst.size();) {
        const qsizetype lf = tekst.indexOf(QLatin1Char('\n'), std::min(od + rozmiar, tekst.size()) - 1);
        const qsizetype koniec = lf < 0 ? tekst.size() : lf + 1;
        wynik.push_back(tekst.mid(od, koniec - od));
        od = koniec;
    }
    return wynik;
}

QByteArray Json(const TKosztorys& k)
{
    return QJsonDocument(KosztorysNaJson(k)).toJson(QJsonDocument::Compact);
}

struct TPrzypadek
{
    const char* KoniecLinii;
    qsizetype Kawalek;
};

class LinieRdsKawalki : public testing::TestWithParam<TPrzypadek>
{
};

TEST_P(LinieRdsKawalki, TeSameLinieCoWJednymKawalku)
{
    const QString tekst = DuzyKosztorys(QString::fromLatin1(GetParam().KoniecLinii), 300) +
                          QStringLiteral("\r\n\n\r \t\r[POZ]\nID=ostatnia");
    const TLinieRds calosc(tekst);
    const std::vector<QString> kawalki = Kawalki(tekst, GetParam().Kawalek);
    const TLinieRds wKawalkach(kawalki);
    ASSERT_EQ(wKawalkach.Count(), calosc.Count());
    EXPECT_EQ(wKawalkach.Rozmiar(), calosc.Rozmiar());
    for (int i = 0; i < calosc.Count(); ++i) {
        ASSERT_EQ(wKawalkach[i], calosc[i]) << i;
        ASSERT_EQ(wKawalkach.Rodzaj(i), calosc.Rodzaj(i)) << i;
        ASSERT_EQ(wKawalkach.KoniecBloku(i), calosc.KoniecBloku(i)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Pliki, LinieRdsKawalki,
                         testing::Values(TPrzypadek{"\r\n", 1000}, TPrzypadek{"\n", 777}, TPrzypadek{"\r", 500},
                                         TPrzypadek{"\r\n", 97}, TPrzypadek{"\n", 1 << 20}));

// Windows-1250 bytes of a file past the piece size are read in pieces, the same text with a UTF-8
// byte-order mark in one: the trees are the same.
TEST(KosztorysRdsWKawalkach, DrzewoJakZCalegoTekstu)
{
    for (const char* koniecLinii : {"\r\n", "\n"}) {
        const QString tekst = DuzyKosztorys(QString::fromLatin1(koniecLinii), 40000);
        const QByteArray ansi = NaWindows1250(tekst);
        ASSERT_GT(ansi.size(), 3 << 20); // several pieces
        TKosztorysRds wKawalkach;
        wKawalkach.WczytajZDanych(ansi);
        TKosztorysRds wCalosci;
        wCalosci.WczytajZDanych(QByteArrayLiteral("\xEF\xBB\xBF") + tekst.toUtf8());
        EXPECT_EQ(Json(wKawalkach), Json(wCalosci));
        int pozycji = 0;
        wKawalkach.DlaKazdejPozycji([&pozycji](TPozycjaRds&) { ++pozycji; });
        EXPECT_EQ(pozycji, 40000);
    }
}

} // namespace
