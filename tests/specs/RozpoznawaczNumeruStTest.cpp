// The number proposed for a new node and the part of it selected for overtyping.

#include "specs/RozpoznawaczNumeruSt.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct PrzypadekNumeru
{
    const char* Nazwa;
    const char* Numer; // UTF-8
    int SelStart;
    int SelLength;
};

void PrintTo(const PrzypadekNumeru& p, std::ostream* os)
{
    *os << p.Nazwa << " \"" << p.Numer << "\"";
}

class RozpoznajNumer : public ::testing::TestWithParam<PrzypadekNumeru>
{
};

TEST_P(RozpoznajNumer, ProponujeNumerIZaznaczenie)
{
    const auto& p = GetParam();
    const QString numer = QString::fromUtf8(p.Numer);
    int selStart = -100;
    int selLength = -100;
    EXPECT_EQ(TRozpoznawaczNumeruSt::RozpoznajNumer(numer, selStart, selLength), numer);
    EXPECT_EQ(selStart, p.SelStart);
    EXPECT_EQ(selLength, p.SelLength);
    // Read 0-based, the selection must lie inside the number and consist of the trailing zero segments.
    if (selLength > 0) {
        ASSERT_LE(selStart + selLength, numer.size());
        const QString zaznaczone = numer.mid(selStart, selLength);
        for (const QChar z : zaznaczone)
            EXPECT_TRUE(z == QLatin1Char('0') || QStringLiteral("-_ /\\.").contains(z)) << p.Nazwa;
        EXPECT_TRUE(QStringLiteral("-_ /\\.").contains(numer[selStart - 1])) << "a separator opens the selection";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numery, RozpoznajNumer,
    ::testing::Values(
        // A kind of works: both lower levels are zero segments, the last five characters are selected.
        PrzypadekNumeru{"KindOfWorks", "D-01.00.00", 5, 5}, PrzypadekNumeru{"GroupOfWorks", "D-01.02.00", 8, 2},
        PrzypadekNumeru{"ElementHasNoZeroSegment", "D-01.02.03", 11, 0},
        PrzypadekNumeru{"LastSegmentMixesDigits", "D-01.02.10", 11, 0},
        PrzypadekNumeru{"ZerosNotAtTheEnd", "D-01.00.01", 11, 0}, PrzypadekNumeru{"NoSeparator", "ABC", 4, 0},
        PrzypadekNumeru{"OnlyZerosOneSegment", "00", 3, 0}, PrzypadekNumeru{"Empty", "", 1, 0},
        PrzypadekNumeru{"EndsWithSeparator", "D-01.", 6, 0},
        PrzypadekNumeru{"EarlierSegmentsAllZero", "D-00.00.00", 2, 8},
        PrzypadekNumeru{"SingleDigitZeros", "0.0.0", 2, 3}, PrzypadekNumeru{"LongZeroRun", "ST-01.000", 6, 3},
        PrzypadekNumeru{"PolishLetter", "Ż-01.00", 5, 2}, PrzypadekNumeru{"Dash", "D-01-00", 5, 2},
        PrzypadekNumeru{"Underscore", "D_01_00", 5, 2}, PrzypadekNumeru{"Blank", "D 01 00", 5, 2},
        PrzypadekNumeru{"Slash", "D/01/00", 5, 2}, PrzypadekNumeru{"Backslash", "D\\01\\00", 5, 2},
        PrzypadekNumeru{"Dot", "D.01.00", 5, 2}, PrzypadekNumeru{"MixedSeparators", "D-01/00\\00", 5, 5},
        PrzypadekNumeru{"MixedSeparatorsTwo", "B_02 00.00", 5, 5},
        PrzypadekNumeru{"OtherCharacterIsNoSeparator", "D-01+00", 8, 0},
        PrzypadekNumeru{"DoubledSeparator", "D--00", 3, 2}),
    [](const ::testing::TestParamInfo<PrzypadekNumeru>& przypadek) { return std::string(przypadek.param.Nazwa); });

QString DlugiNumer(int zerowychSegmentow, const QString& koncowka)
{
    QString numer = QStringLiteral("D");
    for (int i = 0; i < zerowychSegmentow; ++i)
        numer += QStringLiteral(".0");
    return numer + koncowka;
}

TEST(RozpoznawaczNumeruSt, DlugiNumerBezZerowegoKoncaDajeKursorNaKoncu)
{
    const QString numer = DlugiNumer(40, QStringLiteral(".1"));
    int selStart = 0;
    int selLength = 0;
    TRozpoznawaczNumeruSt::RozpoznajNumer(numer, selStart, selLength);
    EXPECT_EQ(selStart, numer.size() + 1);
    EXPECT_EQ(selLength, 0);
}

TEST(RozpoznawaczNumeruSt, DlugiNumerZZerowymKoncemPoNiezerowymSegmencie)
{
    // Many zero segments before a non-zero one: the search must not give up on them before it reaches
    // the trailing zero segment.
    const QString numer = DlugiNumer(40, QStringLiteral(".1.0"));
    int selStart = 0;
    int selLength = 0;
    TRozpoznawaczNumeruSt::RozpoznajNumer(numer, selStart, selLength);
    EXPECT_EQ(selStart, numer.size() - 1);
    EXPECT_EQ(selLength, 1);
}

TEST(RozpoznawaczNumeruSt, DlugiNumerSamychZerowychSegmentow)
{
    const QString numer = DlugiNumer(40, QString());
    int selStart = 0;
    int selLength = 0;
    TRozpoznawaczNumeruSt::RozpoznajNumer(numer, selStart, selLength);
    EXPECT_EQ(selStart, 2);
    EXPECT_EQ(selLength, numer.size() - 2);
}

} // namespace
