#pragma once

#include <QString>

#include <optional>

// The number conversions of estimate readers, which run once or twice for every position: the same
// results as TekstNaLiczbeDowolnySeparator and LiczbaNaTekst (app/Liczby.h), the plain forms that
// estimates hold ("1234,56", "12.345", "-3") without a regular expression or printf. Any other form goes
// to those functions.
std::optional<double> LiczbaZTekstuKosztorysu(const QString& tekst);
QString TekstZLiczbyKosztorysu(double wartosc);
