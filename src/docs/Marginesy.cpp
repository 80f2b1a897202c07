#include "docs/Marginesy.h"

namespace {

int Margines(const QString& tekst, const char* nazwa, int pole)
{
    bool ok = false;
    const int wartosc = tekst.trimmed().toInt(&ok);
    if (!ok || wartosc < 0 || wartosc > 500)
        throw EBladMarginesu(QString::fromUtf8(nazwa) + QStringLiteral(" margines jest nieprawidłowy"), pole);
    return wartosc;
}

}  // namespace

TMarginesy CzytajMarginesy(const QString& lewy, const QString& prawy, const QString& gorny, const QString& dolny)
{
    TMarginesy m;
    m.L = Margines(lewy, "Lewy", 0);
    m.R = Margines(prawy, "Prawy", 1);
    m.G = Margines(gorny, "Górny", 2);
    m.D = Margines(dolny, "Dolny", 3);
    return m;
}
