#include "app/Liczby.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <random>

#include <cmath>

namespace {

struct TPrzypadekTekstu
{
    const char* Tekst;
    bool Liczba;
    double Wartosc;
};

TEST(TekstNaLiczbe, CzytaTekstyPoPolsku)
{
    const TPrzypadekTekstu przypadki[] = {
        {"1,5", true, 1.5},    {" 1,5 ", true, 1.5},    {"-2,25", true, -2.25}, {"+3", true, 3.0},
        {"1e3", true, 1000.0}, {"1,5E-2", true, 0.015}, {",5", true, 0.5},      {"7,", true, 7.0},
        {"1.5", false, 0},     {"", false, 0},          {"   ", false, 0},      {"abc", false, 0},
        {"1,5,6", false, 0},   {"1 000", false, 0},     {"12a", false, 0},      {"nan", false, 0},
        {"inf", false, 0},     {"1e999", false, 0},     {"e3", false, 0},       {"-", false, 0},
    };
    for (const auto& p : przypadki) {
        const auto wynik = TekstNaLiczbe(QString::fromUtf8(p.Tekst));
        EXPECT_EQ(wynik.has_value(), p.Liczba) << p.Tekst;
        if (p.Liczba && wynik) {
            EXPECT_DOUBLE_EQ(*wynik, p.Wartosc) << p.Tekst;
        }
    }
}

TEST(TekstNaLiczbe, DowolnySeparatorPrzyjmujeKropkeIPrzecinek)
{
    EXPECT_DOUBLE_EQ(*TekstNaLiczbeDowolnySeparator(QStringLiteral("1.5")), 1.5);
    EXPECT_DOUBLE_EQ(*TekstNaLiczbeDowolnySeparator(QStringLiteral("1,5")), 1.5);
    EXPECT_FALSE(TekstNaLiczbeDowolnySeparator(QStringLiteral("1.5,2")).has_value());
}

TEST(TekstNaCalkowita, PrzyjmujeTylkoLiczbyCalkowite)
{
    EXPECT_EQ(TekstNaCalkowita(QStringLiteral(" 42 ")), 42);
    EXPECT_EQ(TekstNaCalkowita(QStringLiteral("-7")), -7);
    EXPECT_FALSE(TekstNaCalkowita(QStringLiteral("4,2")).has_value());
    EXPECT_FALSE(TekstNaCalkowita(QStringLiteral("")).has_value());
    EXPECT_FALSE(TekstNaCalkowita(QStringLiteral("99999999999")).has_value());
}

TEST(LiczbaNaTekst, NajkrotszaPostacDo15CyfrZPrzecinkiem)
{
    const struct
    {
        double Wartosc;
        const char* Tekst;
    } przypadki[] = {
        {0.1 + 0.2, "0,3"},
        {1520.5, "1520,5"},
        {101.0, "101"},
        {-0.0, "0"},
        {0.0, "0"},
        {-3.25, "-3,25"},
        {1.0 / 3.0, "0,333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1e20, "1e+20"},
        {2.5e-7, "2,5e-07"},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(LiczbaNaTekst(p.Wartosc), QString::fromUtf8(p.Tekst)) << p.Tekst;
}

TEST(LiczbaNaTekst, TekstCzytaSieZPowrotemDoTejSamejLiczbyWidocznej)
{
    for (double x : {0.1, 2.675, 1e-5, 12345.6789, -98.76, 1e15})
        EXPECT_EQ(LiczbaNaTekst(*TekstNaLiczbe(LiczbaNaTekst(x))), LiczbaNaTekst(x));
}

TEST(ZaokraglijDo2, PolowkiDoParzystejNaWartosciPrzeskalowanej)
{
    // 2.675 is held in binary just below the half; as a decimal the user typed a half, and it goes to
    // the even cent. The same for the other decimal halves.
    const struct
    {
        double Wartosc;
        double Wynik;
    } przypadki[] = {
        {2.675, 2.68},   {2.665, 2.66}, {2.685, 2.68},           {0.125, 0.12},   {0.135, 0.14},
        {-2.675, -2.68}, {1.005, 1.00}, {1.015, 1.02},           {2.6749, 2.67},  {2.6751, 2.68},
        {10.0, 10.0},    {0.0, 0.0},    {123456.785, 123456.78}, {99.995, 100.0},
    };
    for (const auto& p : przypadki) {
        EXPECT_EQ(ZaokraglijDo2(p.Wartosc), p.Wynik) << p.Wartosc;
        EXPECT_EQ(static_cast<double>(ZaokraglijDo2(static_cast<long double>(p.Wartosc))), p.Wynik) << p.Wartosc;
    }
    EXPECT_EQ(LiczbaNaTekst(ZaokraglijDo2(2.675)), QStringLiteral("2,68"));
    EXPECT_TRUE(std::isnan(ZaokraglijDo2(std::nan(""))));
}

TEST(LiczbaWzorzec, NajwyzejZadanaLiczbaMiejsc)
{
    EXPECT_EQ(LiczbaWzorzec(1.5, 2), QStringLiteral("1,5"));
    EXPECT_EQ(LiczbaWzorzec(1.0, 2), QStringLiteral("1"));
    EXPECT_EQ(LiczbaWzorzec(1.999, 2), QStringLiteral("2"));
    EXPECT_EQ(LiczbaWzorzec(1.234, 2), QStringLiteral("1,23"));
    EXPECT_EQ(LiczbaWzorzec(-0.001, 2), QStringLiteral("0"));
}

} // namespace

// The rounding skips the 15-digit text away from half cents; it must give what the text always gives.
TEST(ZaokraglijDo2, SkrotDajeTenSamWynikCoZaokraglenieTekstem)
{
    const auto Wzorzec = [](double v) {
        char bufor[64];
        std::snprintf(bufor, sizeof bufor, "%.15Lg", static_cast<long double>(v) * 100.0L);
        return static_cast<double>(std::nearbyint(std::strtold(bufor, nullptr))) / 100.0;
    };
    std::mt19937_64 los(20261208);
    std::uniform_real_distribution<double> ulamek(0.0, 1.0);
    std::uniform_int_distribution<int> wykladnik(-4, 12);
    for (int i = 0; i < 200000; ++i) {
        double v = ulamek(los) * std::pow(10.0, wykladnik(los));
        if (i % 3 == 0) // half cents written in decimal, held in binary just beside the half
            v = (std::floor(v * 100.0) + 0.5) / 100.0;
        if (i % 2 == 1)
            v = -v;
        const double oczekiwana = Wzorzec(v);
        ASSERT_EQ(std::signbit(ZaokraglijDo2(v)), std::signbit(oczekiwana)) << v;
        ASSERT_EQ(ZaokraglijDo2(v), oczekiwana) << std::setprecision(17) << v;
    }
}
