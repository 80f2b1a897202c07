#include "prices/InterpreterWyrazen.h"

#include "app/Liczby.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct TPrzypadek
{
    const char* Wejscie;
    const char* Wynik;
};

// --- Examples with an exact answer

class WyrazenieWynik : public ::testing::TestWithParam<TPrzypadek>
{
};

TEST_P(WyrazenieWynik, DajeTekstWyniku)
{
    EXPECT_EQ(ObliczWyrazenie(QString::fromUtf8(GetParam().Wejscie)), QString::fromUtf8(GetParam().Wynik));
}

INSTANTIATE_TEST_SUITE_P(
    Przyklady, WyrazenieWynik,
    ::testing::Values(TPrzypadek{"2 * [3 + 1]", "8"}, TPrzypadek{"sqrt(16)+1", "5"}, TPrzypadek{"2^3", "8"},
                      TPrzypadek{"-5", "-5"}, TPrzypadek{"1.5*2", "3"}, TPrzypadek{"10/4", "2,5"},
                      TPrzypadek{"ctg(1)", "0,642"},
                      // "*" and "/" from left to right
                      TPrzypadek{"8/2*2", "8"}, TPrzypadek{"8/2/2", "2"}, TPrzypadek{"2*6/4*2", "6"},
                      // subtraction chains and the sign of a left operand
                      TPrzypadek{"5-2+1", "4"}, TPrzypadek{"2-3-4", "-5"}, TPrzypadek{"2-3+4", "3"},
                      TPrzypadek{"1-2*-3", "7"}, TPrzypadek{"-2^2", "4"}, TPrzypadek{"5--3", "8"},
                      TPrzypadek{"--1-3", "-2"}, TPrzypadek{"-(-2)", "2"},
                      // the answer's form: at most three decimals, halves away from zero, no "-0"
                      TPrzypadek{"1/3", "0,333"}, TPrzypadek{"2/3", "0,667"}, TPrzypadek{"0,0005", "0,001"},
                      TPrzypadek{"-0.0005", "-0,001"}, TPrzypadek{"-0,0004", "0"}, TPrzypadek{"1/16", "0,063"},
                      TPrzypadek{"0.1+0.2", "0,3"}, TPrzypadek{"2,5000", "2,5"}, TPrzypadek{"10/3*3", "10"},
                      TPrzypadek{"123456789012", "123456789012"}, TPrzypadek{"99999*99999", "9999800001"},
                      TPrzypadek{"1 000", "1000"}, TPrzypadek{"  7  ", "7"}, TPrzypadek{"ex p(0)", "1"},
                      TPrzypadek{"SQRT{[4]}", "2"}, TPrzypadek{",5+5,", "5,5"}));

// --- Texts that are no expression come back normalised

class WyrazenieNieprzyjete : public ::testing::TestWithParam<TPrzypadek>
{
};

TEST_P(WyrazenieNieprzyjete, ZwracaZnormalizowanyTekst)
{
    const QString wejscie = QString::fromUtf8(GetParam().Wejscie);
    EXPECT_FALSE(CzyWyrazenieDoObliczenia(NormalizujWyrazenie(wejscie)));
    EXPECT_EQ(ObliczWyrazenie(wejscie), QString::fromUtf8(GetParam().Wynik));
}

INSTANTIATE_TEST_SUITE_P(Przyklady, WyrazenieNieprzyjete,
                         ::testing::Values(TPrzypadek{"12 m2", "12m2"}, TPrzypadek{"(1+2", "(1+2"},
                                           TPrzypadek{"1+2)", "1+2)"}, TPrzypadek{"[1+2}}", "(1+2))"},
                                           TPrzypadek{"abc", "abc"}, TPrzypadek{"SINH(1)", "sinh(1)"},
                                           TPrzypadek{"2x+1", "2x+1"}, TPrzypadek{"Łódź 2", "łódź2"},
                                           TPrzypadek{"pi*2", "pi*2"}, TPrzypadek{"e", "e"},
                                           TPrzypadek{"1.2.3 m", "1,2,3m"}, TPrzypadek{"sqr(4)", "sqr(4)"},
                                           TPrzypadek{"2 szt.", "2szt,"}, TPrzypadek{"sin(1)+x", "sin(1)+x"}));

TEST(Wyrazenie, Normalizacja)
{
    EXPECT_EQ(NormalizujWyrazenie(QStringLiteral(" A [b] {C}. 1 \t")), QStringLiteral("a(b)(c),1"));
    EXPECT_EQ(NormalizujWyrazenie(QStringLiteral("ŻÓŁW")), QStringLiteral("żółw"));
    EXPECT_TRUE(CzyWyrazenieDoObliczenia(QStringLiteral("arcsin(1)+arcctg2*sqrt4")));
    EXPECT_TRUE(CzyWyrazenieDoObliczenia(QStringLiteral("5%"))); // only letters and brackets are checked here
    EXPECT_TRUE(CzyWyrazenieDoObliczenia(QString()));
    EXPECT_FALSE(CzyWyrazenieDoObliczenia(QStringLiteral("ą")));
    EXPECT_FALSE(CzyWyrazenieDoObliczenia(QStringLiteral("((1)")));
}

// --- Accepted texts that do not reduce to a number

class WyrazenieBladKonwersji : public ::testing::TestWithParam<const char*>
{
};

TEST_P(WyrazenieBladKonwersji, ZglaszaEConvertError)
{
    const QString wejscie = QString::fromUtf8(GetParam());
    try {
        const QString wynik = ObliczWyrazenie(wejscie);
        FAIL() << "wynik: " << wynik.toStdString();
    } catch (const EConvertError& e) {
        EXPECT_FALSE(e.Komunikat().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Przyklady, WyrazenieBladKonwersji,
                         ::testing::Values("", "   ", "2*", "*2", "5%", "2(3)", "(2)3", "(1)(2)", "2sin1", "1,2,3",
                                           "sin", "sin()", ")(", "())(", "2**3", "sincos1", "2*+3", "1+", "--", "+",
                                           ",", "2^", "()", "é", "1..2", "sin1sin1"));

TEST(Wyrazenie, KomunikatBleduKonwersji)
{
    try {
        ObliczWyrazenie(QStringLiteral("5%"));
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("\"5%\" nie jest poprawną liczbą"));
    }
    try {
        ObliczWyrazenie(QStringLiteral("3 * (2 + )"));
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Komunikat(),
                  QStringLiteral("\"3*(2+)\" nie jest poprawną liczbą")); // the whole text, not the operand
    }
}

// --- Arithmetic failures

class WyrazenieBladArytmetyczny : public ::testing::TestWithParam<const char*>
{
};

TEST_P(WyrazenieBladArytmetyczny, ZglaszaEBladArytmetyczny)
{
    EXPECT_THROW(ObliczWyrazenie(QString::fromUtf8(GetParam())), EBladArytmetyczny);
}

INSTANTIATE_TEST_SUITE_P(Przyklady, WyrazenieBladArytmetyczny,
                         ::testing::Values("1/0", "5/(2-2)", "sqrt(-4)", "ln(0)", "ln(-1)", "arcsin(2)", "arccos(-1.5)",
                                           "(-8)^(1/3)", "0^-1", "ctg(0)", "exp(100000)", "10^5000",
                                           "(10^4000)*(10^4000)"));

// --- The bound on rewriting steps

TEST(Wyrazenie, LimitKrokow)
{
    EXPECT_EQ(ObliczWyrazenie(QStringLiteral("1+1+1+1"), 3), QStringLiteral("4"));
    EXPECT_THROW(ObliczWyrazenie(QStringLiteral("1+1+1+1"), 2), EConvertError);
    EXPECT_EQ(ObliczWyrazenie(QStringLiteral("((2))"), 2), QStringLiteral("2"));
    EXPECT_THROW(ObliczWyrazenie(QStringLiteral("((2))"), 1), EConvertError);
    EXPECT_THROW(ObliczWyrazenie(QStringLiteral("sqrt(sqrt(16))"), 3), EConvertError);
    try {
        ObliczWyrazenie(QStringLiteral("1+1"), 0);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Wyrażenie \"1+1\" jest zbyt złożone do obliczenia"));
    }
}

TEST(Wyrazenie, DlugieWyrazenieMiesciSieWLimicie)
{
    QString suma = QStringLiteral("1");
    QString zagniezdzone = QStringLiteral("1");
    for (int i = 0; i < 2000; ++i) {
        suma += QStringLiteral("-1+2");
        zagniezdzone = QStringLiteral("(") + zagniezdzone + QStringLiteral("*1-sqrt[0]+-0)");
    }
    EXPECT_EQ(ObliczWyrazenie(suma), QStringLiteral("2001"));
    EXPECT_EQ(ObliczWyrazenie(zagniezdzone), QStringLiteral("1"));
}

// --- Against an independent evaluation

// A small recursive-descent evaluator of the same language, written apart from the rewriting one:
//   suma      := skladnik (("+" | "-") skladnik)*     a "-" negates the first factor that follows
//   skladnik  := potega (("*" | "/") potega)*         from left to right
//   potega    := unarny ("^" unarny)*                 from left to right
//   unarny    := "-" unarny | atom                    the sign binds before "^"
//   atom      := liczba | "(" suma ")" | funkcja ["-"] (liczba | "(" suma ")")
class TWzorcowy
{
public:
    static std::optional<double> Oblicz(const std::string& tekst)
    {
        TWzorcowy w;
        for (char z : tekst) {
            if (z == ' ')
                continue;
            z = static_cast<char>(std::tolower(static_cast<unsigned char>(z)));
            if (z == '[' || z == '{')
                z = '(';
            else if (z == ']' || z == '}')
                z = ')';
            else if (z == ',')
                z = '.';
            w.FTekst.push_back(z);
        }
        try {
            const double wynik = w.Suma();
            if (w.FPoz != w.FTekst.size())
                return std::nullopt;
            return wynik;
        } catch (const std::runtime_error&) {
            return std::nullopt;
        }
    }

private:
    char Znak() const { return FPoz < FTekst.size() ? FTekst[FPoz] : '\0'; }

    double Suma()
    {
        double w = Skladnik(false);
        while (Znak() == '+' || Znak() == '-') {
            const bool minus = Znak() == '-';
            ++FPoz;
            w += Skladnik(minus);
        }
        return w;
    }

    double Skladnik(bool neguj)
    {
        double w = Potega(neguj);
        while (Znak() == '*' || Znak() == '/') {
            const char op = Znak();
            ++FPoz;
            const double p = Potega(false);
            w = op == '*' ? w * p : w / p;
        }
        return w;
    }

    double Potega(bool neguj)
    {
        double w = Unarny();
        if (neguj)
            w = -w;
        while (Znak() == '^') {
            ++FPoz;
            w = std::pow(w, Unarny());
        }
        return w;
    }

    double Unarny()
    {
        if (Znak() == '-') {
            ++FPoz;
            return -Unarny();
        }
        return Atom();
    }

    double Nawias()
    {
        ++FPoz;
        const double w = Suma();
        if (Znak() != ')')
            throw std::runtime_error("brak )");
        ++FPoz;
        return w;
    }

    double Liczba()
    {
        const std::size_t start = FPoz;
        while (std::isdigit(static_cast<unsigned char>(Znak())) || Znak() == '.')
            ++FPoz;
        if (FPoz == start)
            throw std::runtime_error("brak liczby");
        return std::stod(FTekst.substr(start, FPoz - start));
    }

    double Atom()
    {
        if (Znak() == '(')
            return Nawias();
        if (std::isalpha(static_cast<unsigned char>(Znak()))) {
            static const std::vector<std::string> nazwy = {"arcsin", "arccos", "arcctg", "arctg", "sqrt", "sin",
                                                           "cos",    "ctg",    "exp",    "tg",    "ln"};
            for (const std::string& n : nazwy) {
                if (FTekst.compare(FPoz, n.size(), n) == 0) {
                    FPoz += n.size();
                    bool minus = false;
                    if (Znak() == '-') {
                        minus = true;
                        ++FPoz;
                    }
                    double x = Znak() == '(' ? Nawias() : Liczba();
                    if (minus)
                        x = -x;
                    return Funkcja(n, x);
                }
            }
            throw std::runtime_error("nieznana funkcja");
        }
        return Liczba();
    }

    static double Funkcja(const std::string& n, double x)
    {
        if (n == "arcsin")
            return std::asin(x);
        if (n == "arccos")
            return std::acos(x);
        if (n == "arctg")
            return std::atan(x);
        if (n == "arcctg")
            return std::atan(1.0 / x);
        if (n == "sin")
            return std::sin(x);
        if (n == "cos")
            return std::cos(x);
        if (n == "tg")
            return std::tan(x);
        if (n == "ctg")
            return 1.0 / std::tan(x);
        if (n == "ln")
            return std::log(x);
        if (n == "exp")
            return std::exp(x);
        return std::sqrt(x);
    }

    std::string FTekst;
    std::size_t FPoz = 0;
};

class WyrazenieJakWzorcowe : public ::testing::TestWithParam<const char*>
{
};

TEST_P(WyrazenieJakWzorcowe, ZgodneZObliczeniemNiezaleznym)
{
    const std::string wejscie = GetParam();
    const std::optional<double> oczekiwane = TWzorcowy::Oblicz(wejscie);
    ASSERT_TRUE(oczekiwane.has_value()) << "the reference evaluator cannot read " << wejscie;
    const QString wynik = ObliczWyrazenie(QString::fromStdString(wejscie));
    static const QRegularExpression postac(QStringLiteral("^-?\\d+(,\\d{1,3})?$"));
    EXPECT_TRUE(postac.match(wynik).hasMatch()) << wynik.toStdString();
    const std::optional<double> liczba = TekstNaLiczbe(wynik);
    ASSERT_TRUE(liczba.has_value()) << wynik.toStdString();
    // The answer has three decimals: it may differ from the exact value by half a thousandth.
    EXPECT_NEAR(*liczba, *oczekiwane, 0.0005 + 1e-12 * std::fabs(*oczekiwane)) << wynik.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tabela, WyrazenieJakWzorcowe,
                         ::testing::Values("1+2*3", "8/2*2", "8/2/2", "2*3/4", "100/8*3/5", "2^3^2", "2^-2", "-2^2",
                                           "10-2-3", "2-3-4", "2-3+4", "1-2*-3", "2+-3*4", "5--3", "1-2-3-4-5+6",
                                           "2*(3+[4-{1+1}])", "{[(1+2)*3]-4}/5", "((((7))))", "[2.5+{0.5*(3-1)}]^2",
                                           "({[1]})+[{(2)}]*{([3])}", "sqrt(16)+1", "sqrt[9]*sqrt{4}", "sin(-1)",
                                           "cos(-2)", "tg(0.5)+ctg(0.5)", "arcsin(-0.5)", "arccos(0.3-1)",
                                           "arctg(-(2+1))", "arcctg(2)", "arcctg(-0.5)", "ln(exp(2))", "exp(-1)*3",
                                           "sqrt(2)^2", "2-sqrt(4)^2", "1.5*2", "0,1+0,2", "12,5 * 4 - 0.75",
                                           "3*(2-5)^2", "-(2+3)*2", "sin(cos(1))", "2*sin(3.14159/6)^2", "1/3+1/3+1/3",
                                           "10/3*3", "7-(-3)", "[1+2]*{3+4}", "exp(ln(5)*2)", "sin-{0.25*[2+2]}",
                                           "ln[10]/ln{2}", "-{3-[2-(1-0.5)]}", "2^(1/2)*2^0.5", "1000000/7",
                                           "0.001*0.5*1000", "-sqrt(9)-sqrt(16)", "4/-2/-2", "2^3*2^-3",
                                           "cos(0)-sin(0)+tg(0)", "arcsin(1)*2", "1-(2-(3-(4-(5-6))))"));

} // namespace
