#include "app/Liczby.h"

#include <QRegularExpression>

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>

QString LiczbaNaTekst(double wartosc)
{
    if (wartosc == 0.0)
        return QStringLiteral("0"); // also for -0
    char bufor[64];
    std::snprintf(bufor, sizeof bufor, "%.15g", wartosc);
    QString tekst = QString::fromLatin1(bufor);
    tekst.replace(QLatin1Char('.'), QLatin1Char(','));
    return tekst;
}

namespace {

// The number's characters in the C notation (decimal point, no leading "+"), or nothing when the text is
// not [+-](digits[,digits]|,digits)[(e|E)[+-]digits] between blanks. Checked by hand rather than by a
// pattern: spreadsheet exports read hundreds of thousands of these.
std::optional<std::string> ZnakiLiczby(const QString& tekst, QChar separator1, QChar separator2)
{
    const QString t = tekst.trimmed();
    const int n = static_cast<int>(t.size());
    std::string wynik;
    wynik.reserve(n);
    int i = 0;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        if (t[i] == QLatin1Char('-'))
            wynik += '-';
        ++i;
    }
    auto cyfry = [&] {
        const int poczatek = i;
        while (i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'))
            wynik += static_cast<char>(t[i++].unicode());
        return i - poczatek;
    };
    int liczbaCyfr = cyfry();
    if (i < n && (t[i] == separator1 || t[i] == separator2)) {
        wynik += '.';
        ++i;
        liczbaCyfr += cyfry();
    }
    if (liczbaCyfr == 0)
        return std::nullopt;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        wynik += 'e';
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            wynik += static_cast<char>(t[i++].unicode());
        if (cyfry() == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    return wynik;
}

std::optional<double> CzytajLiczbe(const QString& tekst, QChar separator1, QChar separator2)
{
    const auto znaki = ZnakiLiczby(tekst, separator1, separator2);
    if (!znaki)
        return std::nullopt;
    // from_chars ignores the process locale (a Polish LC_NUMERIC would make strtod stop at the point).
    double wynik = 0;
    const char* koniec = znaki->data() + znaki->size();
    const auto [ptr, blad] = std::from_chars(znaki->data(), koniec, wynik);
    if (blad != std::errc() || ptr != koniec || !std::isfinite(wynik))
        return std::nullopt;
    return wynik;
}

} // namespace

std::optional<double> TekstNaLiczbe(const QString& tekst)
{
    return CzytajLiczbe(tekst, QLatin1Char(','), QLatin1Char(','));
}

std::optional<double> TekstNaLiczbeDowolnySeparator(const QString& tekst)
{
    return CzytajLiczbe(tekst, QLatin1Char(','), QLatin1Char('.'));
}

std::optional<int> TekstNaCalkowita(const QString& tekst)
{
    static const QRegularExpression wzor(QStringLiteral("^[+-]?\\d+$"));
    const QString t = tekst.trimmed();
    if (!wzor.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int wynik = t.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return wynik;
}

namespace {

template <typename T> T ZaokraglijDo2Ogolne(T wartosc)
{
    if (!std::isfinite(wartosc))
        return wartosc;
    long double skalowana = static_cast<long double>(wartosc) * 100.0L;
    // Taking the value to 15 significant digits only matters near a half cent; away from one (with at
    // least seven decimals left after the 15 digits) the value rounds the same without the costly text.
    const long double ulamek = skalowana - std::floor(skalowana);
    if (std::fabs(skalowana) >= 1e8L || std::fabs(ulamek - 0.5L) <= 1e-6L) {
        char bufor[64];
        std::snprintf(bufor, sizeof bufor, "%.15Lg", skalowana);
        skalowana = std::strtold(bufor, nullptr);
    }
    const int tryb = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double calkowita = std::nearbyint(skalowana);
    std::fesetround(tryb);
    if constexpr (std::is_same_v<T, double>)
        return static_cast<double>(calkowita) / 100.0; // one rounding: the nearest double to the cents
    else
        return calkowita / 100.0L;
}

} // namespace

double ZaokraglijDo2(double wartosc)
{
    return ZaokraglijDo2Ogolne(wartosc);
}

long double ZaokraglijDo2(long double wartosc)
{
    return ZaokraglijDo2Ogolne(wartosc);
}

QString LiczbaWzorzec(double wartosc, int maksMiejscPoPrzecinku)
{
    QString tekst = QString::number(wartosc, 'f', maksMiejscPoPrzecinku);
    if (tekst.contains(QLatin1Char('.'))) {
        while (tekst.endsWith(QLatin1Char('0')))
            tekst.chop(1);
        if (tekst.endsWith(QLatin1Char('.')))
            tekst.chop(1);
    }
    if (tekst == QLatin1String("-0"))
        tekst = QStringLiteral("0");
    tekst.replace(QLatin1Char('.'), QLatin1Char(','));
    return tekst;
}
