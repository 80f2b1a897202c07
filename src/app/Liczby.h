#pragma once

#include <QString>

#include <optional>

// Numbers in texts are always written and read the Polish way: decimal comma,
// no thousands separator, whatever the system locale says.

// The shortest general form with up to 15 significant digits, with a decimal comma
// ("0,3" for 0.1 + 0.2, "1520,5", "101", "1e+20").
QString LiczbaNaTekst(double wartosc);

// A decimal text with a comma as separator (surrounding blanks allowed, exponent allowed).
// No value for an empty, blank or malformed text, or one that overflows.
std::optional<double> TekstNaLiczbe(const QString& tekst);

// As TekstNaLiczbe, but "," and "." are both taken as the decimal separator.
std::optional<double> TekstNaLiczbeDowolnySeparator(const QString& tekst);

// A decimal integer text (surrounding blanks allowed); no value when it does not convert.
std::optional<int> TekstNaCalkowita(const QString& tekst);

// Rounds to two decimal places with halves to even, applied to the value scaled by 100.
// The scaled value is first taken to 15 significant digits, so that a decimal half such as
// 2.675 (held in binary as 2.67499999...) counts as a half and goes to the even cent: 2.68.
double ZaokraglijDo2(double wartosc);
long double ZaokraglijDo2(long double wartosc);

// Text with at most the given number of decimals and no thousands separator ("#.##" patterns).
QString LiczbaWzorzec(double wartosc, int maksMiejscPoPrzecinku);
