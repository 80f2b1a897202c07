// The hand-made matchers of the ATH line patterns give what PCRE2 gives for the patterns as they are
// written, on many generated lines (ASCII digits and white space only, as the matchers define them).
#include "estimates/WzorceAth.h"
#include "app/Wyrazenie.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using namespace WzorceAth;

// Lines made of pieces that the patterns care about, so that matches and near-misses are frequent.
std::vector<QString> GenerowaneLinie()
{
    const QString kawalki[] = {
        QStringLiteral("pr="),        QStringLiteral("NORMA"),
        QStringLiteral("norma"),      QStringLiteral("Norma"),
        QStringLiteral(" "),          QStringLiteral("\t"),
        QStringLiteral("\v"),         QStringLiteral("\f"),
        QStringLiteral("4"),          QStringLiteral("44"),
        QStringLiteral("0"),          QStringLiteral("."),
        QStringLiteral(","),          QStringLiteral("["),
        QStringLiteral("]"),          QStringLiteral("[ELEMENT"),
        QStringLiteral("[POZYCJA"),   QStringLiteral("[POZYCJA]"),
        QStringLiteral("[TRANSPORT"), QStringLiteral("[RUSZTOWANIA"),
        QStringLiteral("pd="),        QStringLiteral("ob="),
        QStringLiteral("cj="),        QStringLiteral("x"),
        QStringLiteral("ą"),          QStringLiteral("Ż"),
        QStringLiteral("\x1b"),       QStringLiteral("D-01"),
    };
    const int n = static_cast<int>(std::size(kawalki));
    std::mt19937 los(20240611);
    std::vector<QString> linie{QString()};
    for (int i = 0; i < 40000; ++i) {
        QString linia;
        const int ile = static_cast<int>(los() % 9);
        for (int j = 0; j < ile; ++j)
            linia += kawalki[los() % static_cast<unsigned>(n)];
        linie.push_back(linia);
    }
    // Lines shaped like the version, sub-position and basis lines, with small faults mixed in.
    const auto wybierz = [&los](std::initializer_list<const char*> z) {
        return QString::fromUtf8(z.begin()[los() % z.size()]);
    };
    const auto cyfry = [&los]() {
        QString wynik;
        for (unsigned i = los() % 4; i > 0; --i)
            wynik += QChar(u'0' + static_cast<char16_t>(los() % 10));
        return wynik;
    };
    for (int i = 0; i < 20000; ++i) {
        linie.push_back(QStringLiteral("pr=") + wybierz({"NORMA", "norma", "Norma", "NORM"}) +
                        wybierz({" ", "\t", "\v", "", "  ", "\x1b"}) + cyfry() + wybierz({"", "", ".", ".x", ","}) +
                        cyfry() + wybierz({"", "", " ", "x"}));
        linie.push_back(wybierz({"[POZYCJA", "[POZYCJA ", "x[POZYCJA "}) + wybierz({"", " "}) + cyfry() +
                        wybierz({"]", "]", "", "] "}));
        QString pd = wybierz({"pd=", "xpd=", "p"});
        for (unsigned j = los() % 9; j > 0; --j)
            pd += wybierz({"x", "\t", "\t", "pd=", "ą", " ", "."});
        linie.push_back(pd);
    }
    return linie;
}

const std::vector<QString>& Linie()
{
    static const std::vector<QString> linie = GenerowaneLinie();
    return linie;
}

TEST(WzorceAth, WersjaJakWyrazenie)
{
    const TWyrazenieRegularne w(QStringLiteral("^pr=(NORMA|norma)\\s(\\d+)(\\.(\\d+))?$"));
    int trafien = 0;
    for (const QString& linia : Linie()) {
        const auto d = w.Dopasuj(linia);
        const TWersja wersja = DopasujWersje(linia);
        ASSERT_EQ(wersja.Jest, d.Jest) << linia.toStdString();
        if (!d.Jest)
            continue;
        ++trafien;
        EXPECT_EQ(wersja.Glowny.toString(), d.Grupa(2));
        EXPECT_EQ(wersja.Podrzedny.toString(), d.Grupa(4));
        EXPECT_EQ(wersja.CzyPodrzedny, !d.Grupa(3).isEmpty());
    }
    EXPECT_GT(trafien, 5);
}

TEST(WzorceAth, ElementJakWyrazenie)
{
    const TWyrazenieRegularne w(QStringLiteral("^\\[ELEMENT( ([0-9]+))?\\]$"));
    int trafien = 0;
    for (const QString& linia : Linie()) {
        const auto d = w.Dopasuj(linia);
        QStringView poziom;
        ASSERT_EQ(DopasujElement(linia, poziom), d.Jest) << linia.toStdString();
        if (d.Jest) {
            ++trafien;
            EXPECT_EQ(poziom.toString(), d.Grupa(2));
        }
    }
    EXPECT_GT(trafien, 5);
}

TEST(WzorceAth, SekcjePozycjiJakWyrazenia)
{
    const TWyrazenieRegularne pozycja(QStringLiteral("^(\\[POZYCJA\\])|(\\[(RUSZTOWANIA|TRANSPORT) ?\\d*\\])$"));
    const TWyrazenieRegularne podpozycja(QStringLiteral("^(\\[POZYCJA\\ \\d+\\])$"));
    int pozycji = 0;
    int podpozycji = 0;
    for (const QString& linia : Linie()) {
        const bool p = pozycja.CzyPasuje(linia);
        const bool pp = podpozycja.CzyPasuje(linia);
        ASSERT_EQ(CzyLiniaPozycji(linia), p) << linia.toStdString();
        ASSERT_EQ(CzyLiniaPodpozycji(linia), pp) << linia.toStdString();
        pozycji += p;
        podpozycji += pp;
    }
    EXPECT_GT(pozycji, 50);
    EXPECT_GT(podpozycji, 5);
}

TEST(WzorceAth, StZPodstawyJakWyrazenie)
{
    const TWyrazenieRegularne w(QStringLiteral("^(.+?)\\.\\s.*$"));
    int trafien = 0;
    for (const QString& linia : Linie()) {
        const auto d = w.Dopasuj(linia);
        QStringView st;
        ASSERT_EQ(DopasujStZPodstawy(linia, st), d.Jest) << linia.toStdString();
        if (d.Jest) {
            ++trafien;
            EXPECT_EQ(st.toString(), d.Grupa(1));
        }
    }
    EXPECT_GT(trafien, 100);
}

TEST(WzorceAth, PodstawaJakWyrazenia)
{
    const TWyrazenieRegularne trzy(QStringLiteral("pd=.*?\\t(.*?)\\t(.*?)\\t.*"));
    const TWyrazenieRegularne jeden(QStringLiteral("(.*?)\\t"));
    int trafien = 0;
    for (const QString& linia : Linie()) {
        const auto d = trzy.Dopasuj(linia);
        QStringView g1, g2;
        ASSERT_EQ(DopasujPodstaweZTabulatorami(linia, g1, g2), d.Jest) << linia.toStdString();
        if (d.Jest) {
            ++trafien;
            EXPECT_EQ(g1.toString(), d.Grupa(1));
            EXPECT_EQ(g2.toString(), d.Grupa(2));
        }
        const auto d1 = jeden.Dopasuj(linia);
        QStringView przed;
        ASSERT_EQ(DopasujDoTabulatora(linia, przed), d1.Jest) << linia.toStdString();
        if (d1.Jest) {
            EXPECT_EQ(przed.toString(), d1.Grupa(1));
        }
    }
    EXPECT_GT(trafien, 5);
}

TEST(WzorceAth, IloscICenyJakWyrazenia)
{
    const TWyrazenieRegularne ilosc(QStringLiteral("ob=([0-9\\.,]*)"));
    const TWyrazenieRegularne ceny(
        QStringLiteral("cj=([0-9\\.,]*)\\s*([0-9\\.,]*)\\s*([0-9\\.,]*)\\s*([0-9\\.,]*)\\s*"));
    int cen = 0;
    for (const QString& linia : Linie()) {
        const auto di = ilosc.Dopasuj(linia);
        QStringView g;
        ASSERT_EQ(DopasujIlosc(linia, g), di.Jest) << linia.toStdString();
        if (di.Jest) {
            EXPECT_EQ(g.toString(), di.Grupa(1));
        }
        const auto dc = ceny.Dopasuj(linia);
        QStringView grupy[4];
        ASSERT_EQ(DopasujCeny(linia, grupy), dc.Jest) << linia.toStdString();
        if (dc.Jest) {
            ++cen;
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(grupy[i].toString(), dc.Grupa(i + 1)) << linia.toStdString();
        }
    }
    EXPECT_GT(cen, 100);
}

// A line of many "pd=" and tabs costs a backtracking engine the cube of its length; the matcher
// answers at once.
TEST(WzorceAth, DlugaLiniaBezKosztuKwadratowego)
{
    QString linia;
    for (int i = 0; i < 200000; ++i)
        linia += QStringLiteral("pd=");
    linia += QLatin1Char('\t');
    linia += QStringLiteral("x\t");
    QStringView g1, g2;
    EXPECT_FALSE(DopasujPodstaweZTabulatorami(linia, g1, g2));
    QStringView st;
    EXPECT_FALSE(DopasujStZPodstawy(QString(300000, QLatin1Char('.')), st));
}

} // namespace
