#include "estimates/NowyKosztorysRds.h"

#include "app/Kodowanie.h"
#include "app/ZapisBezpieczny.h"

namespace {

// A value on one line: line breaks would start a new key.
QString Wartosc(QString tekst)
{
    tekst.replace(QLatin1Char('\r'), QLatin1Char(' '));
    tekst.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return tekst;
}

} // namespace

void ZapiszNowyKosztorysRds(const QString& sciezka, const QString& nazwa, const QString& opisElementu,
                            const std::vector<TNowaPozycjaRds>& pozycje)
{
    QString t;
    const QString nl = QStringLiteral("\r\n");
    t += QStringLiteral("[KOSZTORYS]") + nl + QStringLiteral("ID_KS=K1") + nl + QStringLiteral("Nazwa=") +
         Wartosc(nazwa) + nl + nl;
    t += QStringLiteral("[ELEM]") + nl + QStringLiteral("Nr=1") + nl + QStringLiteral("Opis=") + Wartosc(opisElementu) +
         nl + QStringLiteral("PZ=0") + nl;
    int i = 0;
    for (const TNowaPozycjaRds& p : pozycje) {
        ++i;
        t += nl + QStringLiteral("[POZ]") + nl;
        t += QStringLiteral("ID=P%1").arg(i) + nl;
        t += QStringLiteral("Nr=1.%1").arg(i) + nl;
        t += QStringLiteral("ST=") + Wartosc(p.ST) + nl;
        t += QStringLiteral("Opis=") + Wartosc(p.Opis) + nl;
        t += QStringLiteral("Jm=") + Wartosc(p.Jm) + nl;
        t += QStringLiteral("Ilość=1") + nl;
        t += QStringLiteral("Cena=") + QString::number(p.Cena, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')) + nl;
    }
    ZapiszBezpiecznie(sciezka, NaWindows1250(t));
}
