#include "docs/Marginesy.h"

#include <cmath>

namespace {

int Margines(const QString& tekst, const char* nazwa, int pole)
{
    bool ok = false;
    const int wartosc = tekst.trimmed().toInt(&ok);
    if (!ok || wartosc < 0 || wartosc > 500)
        throw EBladMarginesu(QString::fromUtf8(nazwa) + QStringLiteral(" margines jest nieprawidłowy"), pole);
    return wartosc;
}

} // namespace

TMarginesy CzytajMarginesy(const QString& lewy, const QString& prawy, const QString& gorny, const QString& dolny)
{
    TMarginesy m;
    m.L = Margines(lewy, "Lewy", 0);
    m.R = Margines(prawy, "Prawy", 1);
    m.G = Margines(gorny, "Górny", 2);
    m.D = Margines(dolny, "Dolny", 3);
    return m;
}

double MilimetryNaPunkty(int milimetry)
{
    return milimetry * 360.0 / 127.0;
}

int WartoscMarginesu(const QString& tekst)
{
    bool ok = false;
    const int wartosc = tekst.trimmed().toInt(&ok);
    return ok ? wartosc : 0;
}

namespace {

std::optional<int> Liczba(const QString& tekst)
{
    bool ok = false;
    const int wartosc = tekst.trimmed().toInt(&ok);
    return ok ? std::optional<int>(wartosc) : std::nullopt;
}

// Rounded to the nearest, halves to even.
int Zaokraglij(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

} // namespace

TLiniePodgladu LiniePodgladu(int szerokosc, int wysokosc, const QString& lewy, const QString& prawy,
                             const QString& gorny, const QString& dolny)
{
    TLiniePodgladu l;
    if (const auto g = Liczba(gorny))
        l.Gorna = Zaokraglij((wysokosc * static_cast<double>(*g) - 1) / 297.0);
    if (const auto d = Liczba(dolny))
        l.Dolna = wysokosc - 1 - Zaokraglij((wysokosc * static_cast<double>(*d) - 1) / 297.0);
    if (const auto le = Liczba(lewy))
        l.Lewa = Zaokraglij((szerokosc * static_cast<double>(*le) - 1) / 210.0);
    if (const auto p = Liczba(prawy))
        l.Prawa = szerokosc - 1 - Zaokraglij((szerokosc * static_cast<double>(*p) - 1) / 210.0);
    return l;
}
