#include "prices/InterpreterWyrazen.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>

namespace {

// Functions in the order they are applied: every name that holds a shorter one ("arcsin" holds
// "sin", "ctg" holds "tg") comes first, so that it is consumed before the shorter name is looked for.
constexpr std::array<std::u16string_view, 11> Funkcje = {u"arcsin", u"arccos", u"arctg", u"arcctg", u"sin", u"cos",
                                                         u"ctg",    u"tg",     u"ln",    u"exp",    u"sqrt"};

// Two-operand operators by level, highest first; operators of one level go from left to right.
constexpr std::array<std::u16string_view, 4> PoziomyOperatorow = {u"^", u"*/", u"+", u"-"};

constexpr std::u16string_view LiteryPolskie = u"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";

constexpr int MiejscaCzesciowe = 20; // decimals of a partial result written back into the text
constexpr int MiejscaWyniku = 3;     // at most this many decimals in the answer
constexpr int CyfryZnaczace = 18;    // significant digits a written number keeps

bool CzyLitera(QChar znak)
{
    const char16_t c = znak.unicode();
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
        return true;
    return LiteryPolskie.find(c) != std::u16string_view::npos;
}

bool CzyCyfra(QChar znak)
{
    return znak.unicode() >= u'0' && znak.unicode() <= u'9';
}

bool CzyCyfraLubPrzecinek(QChar znak)
{
    return CzyCyfra(znak) || znak == QLatin1Char(',');
}

QString Nazwa(std::u16string_view nazwa)
{
    return QString(reinterpret_cast<const QChar*>(nazwa.data()), static_cast<qsizetype>(nazwa.size()));
}

[[noreturn]] void BladKonwersji(const QString& tekst)
{
    throw EConvertError(QStringLiteral("\"%1\" nie jest poprawną liczbą").arg(tekst));
}

// A number as it stands in the text: digits and commas, optionally after a sign. A failure names
// the whole expression, which is what the user typed.
long double CzytajLiczbe(const QString& tekst, const QString& wyrazenie)
{
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(tekst.size()));
    qsizetype i = 0;
    if (!tekst.isEmpty() && (tekst[0] == QLatin1Char('-') || tekst[0] == QLatin1Char('+'))) {
        if (tekst[0] == QLatin1Char('-'))
            ascii.push_back('-');
        i = 1;
    }
    bool cyfra = false;
    for (; i < tekst.size(); ++i) {
        const QChar znak = tekst[i];
        if (CzyCyfra(znak)) {
            cyfra = true;
            ascii.push_back(static_cast<char>(znak.unicode()));
        } else if (znak == QLatin1Char(',')) {
            ascii.push_back('.');
        } else {
            BladKonwersji(wyrazenie);
        }
    }
    if (!cyfra)
        BladKonwersji(wyrazenie);
    long double wartosc = 0.0L;
    const char* koniec = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(ascii.data(), koniec, wartosc, std::chars_format::fixed);
    if (ec != std::errc() || ptr != koniec)
        BladKonwersji(wyrazenie);
    return wartosc;
}

// Writes a value with the given number of decimals the way the program's number patterns do:
// the value's first 18 significant digits, rounded at the last decimal with halves away from
// zero, and a decimal comma. With obetnijZera the trailing zeros of the fraction are dropped
// ("0.###"), otherwise all decimals are written ("0.000...").
QString NaTekst(long double wartosc, int miejsca, bool obetnijZera)
{
    if (!std::isfinite(wartosc))
        throw EBladArytmetyczny(QStringLiteral("Wynik obliczenia jest zbyt duży"));
    char bufor[64];
    const auto wynik =
        std::to_chars(bufor, bufor + sizeof bufor, wartosc, std::chars_format::scientific, CyfryZnaczace - 1);
    const std::string_view naukowy(bufor, static_cast<std::size_t>(wynik.ptr - bufor));
    const bool ujemna = naukowy.front() == '-';
    const std::size_t e = naukowy.find('e');
    std::string cyfry; // value = 0.cyfry * 10^wykladnik
    for (std::size_t i = ujemna ? 1 : 0; i < e; ++i) {
        if (naukowy[i] != '.')
            cyfry.push_back(naukowy[i]);
    }
    int wykladnik = 0;
    std::from_chars(naukowy.data() + e + (naukowy[e + 1] == '+' ? 2 : 1), naukowy.data() + naukowy.size(), wykladnik);
    wykladnik += 1;

    // The digits of |value| * 10^miejsca, rounded to a whole number.
    const int zostaw = wykladnik + miejsca;
    const std::size_t ile = zostaw > 0 ? static_cast<std::size_t>(zostaw) : 0;
    std::string calkowite(std::max<std::size_t>(ile, 1), '0');
    calkowite.replace(0, std::min(ile, cyfry.size()), cyfry, 0, std::min(ile, cyfry.size()));
    const bool wGore = zostaw >= 0 && ile < cyfry.size() && cyfry[ile] >= '5';
    if (wGore) {
        std::size_t i = calkowite.size();
        while (i > 0 && calkowite[i - 1] == '9')
            calkowite[--i] = '0';
        if (i == 0)
            calkowite.insert(calkowite.begin(), '1');
        else
            ++calkowite[i - 1];
    }
    const auto miejscaU = static_cast<std::size_t>(miejsca);
    if (calkowite.size() < miejscaU + 1)
        calkowite.insert(0, miejscaU + 1 - calkowite.size(), '0');
    std::string czescCalkowita = calkowite.substr(0, calkowite.size() - miejscaU);
    std::string ulamek = calkowite.substr(calkowite.size() - miejscaU);
    const std::size_t start = czescCalkowita.find_first_not_of('0');
    czescCalkowita = start == std::string::npos ? "0" : czescCalkowita.substr(start);
    if (obetnijZera) {
        const std::size_t ostatnia = ulamek.find_last_not_of('0');
        ulamek = ostatnia == std::string::npos ? std::string() : ulamek.substr(0, ostatnia + 1);
    }
    // A value that rounds to zero is written without a sign.
    const bool zero = calkowite.find_first_not_of('0') == std::string::npos;
    std::string tekst = (ujemna && !zero) ? "-" : "";
    tekst += czescCalkowita;
    if (!ulamek.empty())
        tekst += "," + ulamek;
    return QString::fromLatin1(tekst.data(), static_cast<qsizetype>(tekst.size()));
}

QString Czesciowy(long double wartosc)
{
    return NaTekst(wartosc, MiejscaCzesciowe, false);
}

long double Funkcja(std::u16string_view nazwa, long double x)
{
    const auto pozaDziedzina = [nazwa]() {
        throw EBladArytmetyczny(QStringLiteral("Argument spoza dziedziny funkcji %1").arg(Nazwa(nazwa)));
    };
    long double wynik = 0.0L;
    if (nazwa == u"arcsin" || nazwa == u"arccos") {
        if (x < -1.0L || x > 1.0L)
            pozaDziedzina();
        wynik = nazwa == u"arcsin" ? std::asin(x) : std::acos(x);
    } else if (nazwa == u"arctg") {
        wynik = std::atan(x);
    } else if (nazwa == u"arcctg") {
        // The inverse of the cotangent as the arc tangent of the reciprocal; at 0 it is a right angle.
        wynik = x == 0.0L ? std::numbers::pi_v<long double> / 2.0L : std::atan(1.0L / x);
    } else if (nazwa == u"sin") {
        wynik = std::sin(x);
    } else if (nazwa == u"cos") {
        wynik = std::cos(x);
    } else if (nazwa == u"ctg") {
        const long double tangens = std::tan(x);
        if (tangens == 0.0L)
            throw EBladArytmetyczny(QStringLiteral("Dzielenie przez zero"));
        wynik = 1.0L / tangens;
    } else if (nazwa == u"tg") {
        wynik = std::tan(x);
    } else if (nazwa == u"ln") {
        if (x <= 0.0L)
            pozaDziedzina();
        wynik = std::log(x);
    } else if (nazwa == u"exp") {
        wynik = std::exp(x);
    } else if (nazwa == u"sqrt") {
        if (x < 0.0L)
            pozaDziedzina();
        wynik = std::sqrt(x);
    }
    if (!std::isfinite(wynik))
        throw EBladArytmetyczny(QStringLiteral("Wynik obliczenia jest zbyt duży"));
    return wynik;
}

long double Dzialanie(QChar op, long double a, long double b)
{
    long double wynik = 0.0L;
    switch (op.unicode()) {
    case u'^':
        if (a < 0.0L && std::trunc(b) != b)
            throw EBladArytmetyczny(QStringLiteral("Potęga liczby ujemnej o wykładniku niecałkowitym"));
        if (a == 0.0L && b < 0.0L)
            throw EBladArytmetyczny(QStringLiteral("Dzielenie przez zero"));
        wynik = std::pow(a, b);
        break;
    case u'*':
        wynik = a * b;
        break;
    case u'/':
        if (b == 0.0L)
            throw EBladArytmetyczny(QStringLiteral("Dzielenie przez zero"));
        wynik = a / b;
        break;
    case u'+':
        wynik = a + b;
        break;
    default:
        wynik = a - b;
        break;
    }
    if (!std::isfinite(wynik))
        throw EBladArytmetyczny(QStringLiteral("Wynik obliczenia jest zbyt duży"));
    return wynik;
}

// One evaluation with its bound on rewriting steps. Every step consumes a bracket pair, a
// function name or an operator, and what it writes back adds at most one sign, so a text of
// n characters needs fewer than 2n steps; the bound only guards against a fault in that reasoning.
class TObliczenie
{
public:
    TObliczenie(const QString& wyrazenie, int limit) : FWyrazenie(wyrazenie), FLimit(limit) {}

    QString Oblicz(QString tekst)
    {
        // Brackets before the first ")" have all been replaced, so each search goes on from there.
        qsizetype od = 0;
        while (true) {
            const qsizetype zamkniecie = tekst.indexOf(QLatin1Char(')'), od);
            const qsizetype otwarcie =
                zamkniecie < 0 ? tekst.indexOf(QLatin1Char('('), od) : tekst.lastIndexOf(QLatin1Char('('), zamkniecie);
            if (zamkniecie < 0 && otwarcie < 0)
                break;
            if (zamkniecie < 0 || otwarcie < 0)
                BladKonwersji(FWyrazenie);
            Krok();
            const QString wartosc = ObliczBezNawiasow(tekst.mid(otwarcie + 1, zamkniecie - otwarcie - 1));
            // "2(3)" or "(2)3" would otherwise be read as 23: a number glued to a bracket is no expression.
            if ((otwarcie > 0 && CzyCyfraLubPrzecinek(tekst[otwarcie - 1])) ||
                (zamkniecie + 1 < tekst.size() && CzyCyfraLubPrzecinek(tekst[zamkniecie + 1])))
                BladKonwersji(FWyrazenie);
            tekst.replace(otwarcie, zamkniecie - otwarcie + 1, wartosc);
            od = otwarcie;
        }
        return ObliczBezNawiasow(tekst);
    }

private:
    void Krok()
    {
        if (++FKroki > FLimit)
            throw EConvertError(QStringLiteral("Wyrażenie \"%1\" jest zbyt złożone do obliczenia").arg(FWyrazenie));
    }

    // A "-" after a "-" makes a "+"; a "+" at the very start means nothing.
    static void UproscZnaki(QString& tekst)
    {
        while (tekst.contains(QLatin1String("--")))
            tekst.replace(QLatin1String("--"), QLatin1String("+"));
        if (tekst.startsWith(QLatin1Char('+')))
            tekst.remove(0, 1);
    }

    // Writes a partial result over [od, do) of a text that has no "--". A "--" can then only
    // appear where the result meets the text before it, so only that place is simplified, which
    // keeps long texts from being searched again at every step. Returns where the result begins.
    static qsizetype Wstaw(QString& tekst, qsizetype od, qsizetype doZnaku, const QString& zapis)
    {
        tekst.replace(od, doZnaku - od, zapis);
        if (od > 0 && tekst[od - 1] == QLatin1Char('-') && tekst[od] == QLatin1Char('-')) {
            tekst.replace(od - 1, 2, QStringLiteral("+"));
            --od;
        }
        if (tekst.startsWith(QLatin1Char('+'))) {
            tekst.remove(0, 1);
            od = std::max<qsizetype>(od - 1, 0);
        }
        return od;
    }

    // The end of the number that starts at od: a "-" only as its first character, then digits and commas.
    static qsizetype KoniecLiczby(const QString& tekst, qsizetype od)
    {
        qsizetype i = od;
        if (i < tekst.size() && tekst[i] == QLatin1Char('-'))
            ++i;
        while (i < tekst.size() && CzyCyfraLubPrzecinek(tekst[i]))
            ++i;
        return i;
    }

    QString ObliczBezNawiasow(QString tekst)
    {
        UproscZnaki(tekst);
        for (const std::u16string_view nazwa : Funkcje) {
            const QString n = Nazwa(nazwa);
            // Names cannot be made by rewriting: the next one is never before the last.
            qsizetype poz = 0;
            while ((poz = tekst.indexOf(n, poz)) >= 0) {
                Krok();
                if (poz > 0 && CzyCyfraLubPrzecinek(tekst[poz - 1]))
                    BladKonwersji(FWyrazenie);
                const qsizetype od = poz + n.size();
                const qsizetype koniec = KoniecLiczby(tekst, od);
                const long double x = CzytajLiczbe(tekst.mid(od, koniec - od), FWyrazenie);
                poz = Wstaw(tekst, poz, koniec, Czesciowy(Funkcja(nazwa, x)));
            }
        }
        for (const std::u16string_view poziom : PoziomyOperatorow) {
            const QString operatory = Nazwa(poziom);
            qsizetype szukajOd = 1;
            while (true) {
                // The first operator of this level after the first character; one at the very
                // start is the sign of a number. Those before the last result are all done.
                qsizetype poz = -1;
                for (qsizetype i = std::max<qsizetype>(szukajOd, 1); i < tekst.size() && poz < 0; ++i) {
                    if (operatory.contains(tekst[i]))
                        poz = i;
                }
                if (poz < 0)
                    break;
                Krok();
                qsizetype poczatek = poz;
                while (poczatek > 0 && CzyCyfraLubPrzecinek(tekst[poczatek - 1]))
                    --poczatek;
                const long double lewy = CzytajLiczbe(tekst.mid(poczatek, poz - poczatek), FWyrazenie);
                bool zeZnakiem = false;
                if (poczatek > 0 && tekst[poczatek - 1] == QLatin1Char('-')) {
                    zeZnakiem = true;
                    --poczatek;
                }
                const qsizetype koniec = KoniecLiczby(tekst, poz + 1);
                const long double prawy = CzytajLiczbe(tekst.mid(poz + 1, koniec - poz - 1), FWyrazenie);
                const long double wynik = Dzialanie(tekst[poz], zeZnakiem ? -lewy : lewy, prawy);
                QString zapis = Czesciowy(wynik);
                // The sign taken with the left operand was a subtraction after a number ("2-3+4");
                // a result that is not negative must keep an operator there, or it would be glued
                // to that number ("21").
                if (zeZnakiem && poczatek > 0 && CzyCyfraLubPrzecinek(tekst[poczatek - 1]) &&
                    !zapis.startsWith(QLatin1Char('-')))
                    zapis.prepend(QLatin1Char('+'));
                szukajOd = Wstaw(tekst, poczatek, koniec, zapis);
            }
        }
        return Czesciowy(CzytajLiczbe(tekst, FWyrazenie));
    }

    const QString& FWyrazenie;
    const int FLimit;
    int FKroki = 0;
};

} // namespace

QString NormalizujWyrazenie(const QString& tekst)
{
    const QString maly = tekst.toLower().trimmed();
    QString wynik;
    wynik.reserve(maly.size());
    for (const QChar znak : maly) {
        if (znak.isSpace())
            continue;
        switch (znak.unicode()) {
        case u'[':
        case u'{':
            wynik.append(QLatin1Char('('));
            break;
        case u']':
        case u'}':
            wynik.append(QLatin1Char(')'));
            break;
        case u'.':
            wynik.append(QLatin1Char(','));
            break;
        default:
            wynik.append(znak);
            break;
        }
    }
    return wynik;
}

bool CzyWyrazenieDoObliczenia(const QString& znormalizowany)
{
    if (znormalizowany.count(QLatin1Char('(')) != znormalizowany.count(QLatin1Char(')')))
        return false;
    QString kopia = znormalizowany;
    for (const std::u16string_view nazwa : Funkcje)
        kopia.remove(Nazwa(nazwa));
    for (const QChar znak : kopia) {
        if (CzyLitera(znak))
            return false;
    }
    return true;
}

QString ObliczWyrazenie(const QString& tekst, int limitKrokow)
{
    const QString znormalizowany = NormalizujWyrazenie(tekst);
    if (!CzyWyrazenieDoObliczenia(znormalizowany))
        return znormalizowany;
    TObliczenie obliczenie(znormalizowany, limitKrokow);
    const long double wartosc = CzytajLiczbe(obliczenie.Oblicz(znormalizowany), znormalizowany);
    return NaTekst(wartosc, MiejscaWyniku, true);
}

QString ObliczWyrazenie(const QString& tekst)
{
    const QString znormalizowany = NormalizujWyrazenie(tekst);
    const qsizetype dlugosc = std::min<qsizetype>(znormalizowany.size(), 100'000'000);
    return ObliczWyrazenie(tekst, static_cast<int>(2 * dlugosc + 16));
}
