#include "app/Liczby.h"

#include <QRegularExpression>

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

std::optional<double> TekstNaLiczbe(const QString& tekst)
{
    static const QRegularExpression wzor(QStringLiteral("^[+-]?(\\d+,?\\d*|,\\d+)([eE][+-]?\\d+)?$"));
    const QString t = tekst.trimmed();
    if (!wzor.match(t).hasMatch())
        return std::nullopt;
    QByteArray ascii = t.toLatin1();
    ascii.replace(',', '.');
    char* koniec = nullptr;
    const double wynik = std::strtod(ascii.constData(), &koniec);
    if (koniec != ascii.constData() + ascii.size() || !std::isfinite(wynik))
        return std::nullopt;
    return wynik;
}

std::optional<double> TekstNaLiczbeDowolnySeparator(const QString& tekst)
{
    QString t = tekst;
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    return TekstNaLiczbe(t);
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
