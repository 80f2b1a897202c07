#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The number conversions of estimate readers, which run once or twice for every position: the same
// results as TekstNaLiczbeDowolnySeparator and LiczbaNaTekst (app/Liczby.h), the plain forms that
// estimates hold ("1234,56", "12.345", "-3") without a regular expression or printf. Any other form goes
// to those functions.
std::optional<double> LiczbaZTekstuKosztorysu(const QString& tekst);
// The same results as TekstNaLiczbe (decimal comma only): "-12", "125,5"; any other form goes to it.
std::optional<double> LiczbaZPrzecinkiem(QStringView tekst);
QString TekstZLiczbyKosztorysu(double wartosc);
// ZaokraglijDo2 (app/Liczby.h), which near a half cent goes through a text, remembering a few results of the
// thread: the components of aggregates repeat their amounts through an estimate.
double ZaokraglijDo2Powtarzane(double wartosc);
