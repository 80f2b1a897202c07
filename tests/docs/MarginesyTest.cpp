#include "docs/Marginesy.h"

#include <gtest/gtest.h>

namespace {

TEST(Marginesy, CzteryPolaWKolejnosciLewyPrawyGornyDolny)
{
    const TMarginesy m = CzytajMarginesy(QStringLiteral("0"), QStringLiteral(" 500 "), QStringLiteral("20"),
                                         QStringLiteral("15"));
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

}  // namespace
