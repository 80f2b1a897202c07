#include "docs/Marginesy.h"

#include <gtest/gtest.h>

namespace {

TEST(Marginesy, CzteryPolaWKolejnosciLewyPrawyGornyDolny)
{
    const TMarginesy m =
        CzytajMarginesy(QStringLiteral("0"), QStringLiteral(" 500 "), QStringLiteral("20"), QStringLiteral("15"));
    EXPECT_EQ(m.L, 0);
    EXPECT_EQ(m.R, 500);
    EXPECT_EQ(m.G, 20);
    EXPECT_EQ(m.D, 15);

    const struct
    {
        QString L, R, G, D;
        int Pole;
        QString Komunikat;
    } przypadki[] = {
        {QStringLiteral("501"), QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("1"), 0,
         QStringLiteral("Lewy margines jest nieprawidłowy")},
        {QStringLiteral("1"), QStringLiteral("2,5"), QStringLiteral("x"), QStringLiteral("1"), 1,
         QStringLiteral("Prawy margines jest nieprawidłowy")},
        {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("x"), 2,
         QStringLiteral("Górny margines jest nieprawidłowy")},
        {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QString(), 3,
         QStringLiteral("Dolny margines jest nieprawidłowy")},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Komunikat.toStdString());
        try {
            CzytajMarginesy(p.L, p.R, p.G, p.D);
            ADD_FAILURE();
        } catch (const EBladMarginesu& e) {
            EXPECT_EQ(e.Pole, p.Pole);
            EXPECT_EQ(e.Komunikat(), p.Komunikat);
        }
    }
}

TEST(Marginesy, PunktyWartosciIPodglad)
{
    EXPECT_NEAR(MilimetryNaPunkty(20), 56.69, 0.005);
    EXPECT_DOUBLE_EQ(MilimetryNaPunkty(0), 0.0);
    EXPECT_DOUBLE_EQ(MilimetryNaPunkty(127), 360.0);

    EXPECT_EQ(WartoscMarginesu(QStringLiteral(" 30 ")), 30);
    EXPECT_EQ(WartoscMarginesu(QStringLiteral("2,5")), 0);
    EXPECT_EQ(WartoscMarginesu(QString()), 0);

    // 211 × 298 pixels: top 25 mm -> (298·25−1)/297 = 25.08 -> 25; bottom 20 -> 297 − round(20.06) = 277;
    // left 21 -> (211·21−1)/210 = 21.095 -> 21; right 10 -> 210 − round(10.043) = 200.
    const TLiniePodgladu l =
        LiniePodgladu(211, 298, QStringLiteral("21"), QStringLiteral("10"), QStringLiteral("25"), QStringLiteral("20"));
    EXPECT_EQ(l.Gorna, 25);
    EXPECT_EQ(l.Dolna, 277);
    EXPECT_EQ(l.Lewa, 21);
    EXPECT_EQ(l.Prawa, 200);
    // Ties go to the even neighbour: with a 1-pixel width, (1·106 − 1)/210 = 0.5 -> 0 and
    // (1·316 − 1)/210 = 1.5 -> 2.
    const TLiniePodgladu remis =
        LiniePodgladu(1, 297, QStringLiteral("106"), QStringLiteral("316"), QString(), QString());
    EXPECT_EQ(remis.Lewa, 0);
    EXPECT_EQ(remis.Prawa, 1 - 1 - 2);
    // A field that is no whole number draws no line.
    const TLiniePodgladu brak =
        LiniePodgladu(210, 297, QStringLiteral("x"), QString(), QStringLiteral("2,5"), QStringLiteral("0"));
    EXPECT_FALSE(brak.Lewa.has_value());
    EXPECT_FALSE(brak.Prawa.has_value());
    EXPECT_FALSE(brak.Gorna.has_value());
    EXPECT_EQ(brak.Dolna, 297 - 1 - 0); // (297·0 − 1)/297 rounds to 0
}

} // namespace
