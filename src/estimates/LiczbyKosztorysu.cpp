#include "estimates/LiczbyKosztorysu.h"

#include "app/Liczby.h"

#include <charconv>
#include <cmath>

std::optional<double> LiczbaZTekstuKosztorysu(const QString& tekst)
{
    const qsizetype n = tekst.size();
    char bufor[48] = {};
    if (n == 0 || n >= static_cast<qsizetype>(sizeof bufor))
        return TekstNaLiczbeDowolnySeparator(tekst);
    int j = 0;
    bool separator = false;
    bool cyfra = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t z = tekst[i].unicode();
        if (z >= u'0' && z <= u'9') {
            bufor[j++] = static_cast<char>(z);
            cyfra = true;
        } else if ((z == u',' || z == u'.') && !separator) {
            bufor[j++] = '.';
            separator = true;
        } else if (z == u'-' && i == 0) {
            bufor[j++] = '-';
        } else {
            return TekstNaLiczbeDowolnySeparator(tekst);
        }
    }
    double wynik = 0.0;
    const auto [koniec, blad] = std::from_chars(bufor, bufor + j, wynik);
    if (!cyfra || blad != std::errc() || koniec != bufor + j || !std::isfinite(wynik))
        return TekstNaLiczbeDowolnySeparator(tekst);
    return wynik;
}

QString TekstZLiczbyKosztorysu(double wartosc)
{
    if (wartosc == 0.0)
        return QStringLiteral("0");
    char bufor[64];
    // to_chars with a precision is specified as printf's "%.15g".
    const auto [koniec, blad] = std::to_chars(bufor, bufor + sizeof bufor, wartosc, std::chars_format::general, 15);
    if (blad != std::errc())
        return LiczbaNaTekst(wartosc);
    QString wynik = QString::fromLatin1(bufor, koniec - bufor);
    wynik.replace(QLatin1Char('.'), QLatin1Char(','));
    return wynik;
}
