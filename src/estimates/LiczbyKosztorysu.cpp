#include "estimates/LiczbyKosztorysu.h"

#include "app/Liczby.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

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

std::optional<double> LiczbaZPrzecinkiem(QStringView tekst)
{
    // Blanks around the number, as TekstNaLiczbe allows them.
    const QStringView t = tekst.trimmed();
    const qsizetype n = t.size();
    char bufor[48];
    if (n == 0 || n >= static_cast<qsizetype>(sizeof bufor))
        return TekstNaLiczbe(tekst.toString());
    const QChar* z = t.data();
    int j = 0;
    qsizetype i = 0;
    if (z[0] == u'-')
        bufor[j++] = z[i++].toLatin1();
    // Digits, then optionally a comma and digits: what TekstNaLiczbe reads as the same characters.
    const auto cyfry = [&] {
        const qsizetype od = i;
        for (; i < n && z[i] >= u'0' && z[i] <= u'9'; ++i)
            bufor[j++] = z[i].toLatin1();
        return i > od;
    };
    bool poprawna = cyfry();
    if (poprawna && i < n && z[i] == u',') {
        bufor[j++] = '.';
        ++i;
        poprawna = cyfry();
    }
    double wynik = 0.0;
    if (!poprawna || i != n)
        return TekstNaLiczbe(tekst.toString());
    const auto [koniec, blad] = std::from_chars(bufor, bufor + j, wynik);
    if (blad != std::errc() || koniec != bufor + j || !std::isfinite(wynik))
        return TekstNaLiczbe(tekst.toString());
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

double ZaokraglijDo2Powtarzane(double wartosc)
{
    // A few values by their bits (-0 and 0 differ, a NaN never matches): an aggregate's sum and its
    // components' amounts alternate.
    constexpr std::size_t Miejsc = 8;
    thread_local std::array<std::uint64_t, Miejsc> wartosci{};
    thread_local std::array<double, Miejsc> wyniki{};
    thread_local std::array<bool, Miejsc> zajete{};
    std::uint64_t bity = 0;
    std::memcpy(&bity, &wartosc, sizeof bity);
    const std::size_t m = static_cast<std::size_t>((bity * 0x9E3779B97F4A7C15ULL) >> 61);
    if (!zajete[m] || wartosci[m] != bity) {
        wyniki[m] = ZaokraglijDo2(wartosc);
        wartosci[m] = bity;
        zajete[m] = true;
    }
    return wyniki[m];
}
