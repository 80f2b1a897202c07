#include "xls/Formula.h"

#include "xls/FormulaWezel.h"

#include <charconv>

namespace {

using TWezel = TFormula::TWezel;
using TRodzaj = TWezel::TRodzaj;

// The shortest text that reads back as the same number, with a decimal point.
void DopiszLiczbe(QString& wynik, double liczba)
{
    char bufor[32];
    const auto koniec = std::to_chars(bufor, bufor + sizeof bufor, liczba).ptr;
    for (const char* z = bufor; z != koniec; ++z)
        wynik.append(QLatin1Char(*z == 'e' ? 'E' : *z));
}

// Names the files' notation can take without quotes: a letter or "_" and then letters, digits and "_",
// unless the name could be read as a cell (A1, XFD1, R1C1) or a constant.
bool NazwaBezCudzyslowu(const QString& nazwa)
{
    if (nazwa.isEmpty() || !(LiteraAsciiFormuly(nazwa[0].unicode()) || nazwa[0] == u'_'))
        return false;
    for (const QChar z : nazwa)
        if (!(LiteraAsciiFormuly(z.unicode()) || CyfraFormuly(z.unicode()) || z == u'_'))
            return false;
    int litery = 0;
    while (litery < nazwa.size() && LiteraAsciiFormuly(nazwa[litery].unicode()))
        ++litery;
    bool tylkoCyfryDalej = litery < nazwa.size();
    for (int i = litery; i < nazwa.size(); ++i)
        tylkoCyfryDalej = tylkoCyfryDalej && CyfraFormuly(nazwa[i].unicode());
    if (tylkoCyfryDalej && litery <= 3)
        return false;
    const QString wielkie = nazwa.toUpper();
    if (wielkie == u"TRUE" || wielkie == u"FALSE")
        return false;
    // R, C, R1, C1, R1C1: the other reference style.
    int i = 0;
    if (i < wielkie.size() && wielkie[i] == u'R')
        for (++i; i < wielkie.size() && CyfraFormuly(wielkie[i].unicode()); ++i) {
        }
    if (i < wielkie.size() && wielkie[i] == u'C')
        for (++i; i < wielkie.size() && CyfraFormuly(wielkie[i].unicode()); ++i) {
        }
    return !(i == wielkie.size() && i > 0);
}

void DopiszKomorke(QString& wynik, const TKomorkaFormuly& k)
{
    char16_t znaki[12];
    int n = 0;
    if (k.KolumnaStala)
        znaki[n++] = u'$';
    if (k.Kolumna >= 26)
        znaki[n++] = char16_t(u'A' + k.Kolumna / 26 - 1);
    znaki[n++] = char16_t(u'A' + k.Kolumna % 26);
    if (k.WierszStaly)
        znaki[n++] = u'$';
    char cyfry[8];
    const auto koniec = std::to_chars(cyfry, cyfry + sizeof cyfry, k.Wiersz + 1).ptr;
    for (const char* c = cyfry; c != koniec; ++c)
        znaki[n++] = char16_t(*c);
    wynik.append(QStringView(znaki, n));
}

void DopiszTekstAngielski(QString& wynik, const TWezel& w)
{
    switch (w.Rodzaj) {
    case TRodzaj::Liczba:
        DopiszLiczbe(wynik, w.Liczba);
        return;
    case TRodzaj::Tekst:
        wynik.append(u'"');
        wynik.append(QString(w.Tekst).replace(u'"', QStringLiteral("\"\"")));
        wynik.append(u'"');
        return;
    case TRodzaj::Komorka:
    case TRodzaj::Obszar:
        if (!w.Tekst.isEmpty()) {
            if (NazwaBezCudzyslowu(w.Tekst))
                wynik.append(w.Tekst);
            else
                wynik.append(u'\'' + QString(w.Tekst).replace(u'\'', QStringLiteral("''")) + u'\'');
            wynik.append(u'!');
        }
        DopiszKomorke(wynik, w.Poczatek);
        if (w.Rodzaj == TRodzaj::Obszar) {
            wynik.append(u':');
            DopiszKomorke(wynik, w.Koniec);
        }
        return;
    case TRodzaj::Nawias:
        wynik.append(u'(');
        DopiszTekstAngielski(wynik, w.Dzieci.front());
        wynik.append(u')');
        return;
    case TRodzaj::Minus:
        wynik.append(u'-');
        DopiszTekstAngielski(wynik, w.Dzieci.front());
        return;
    case TRodzaj::Dzialania:
        for (size_t i = 0; i < w.Dzieci.size(); ++i) {
            if (i > 0)
                wynik.append(QLatin1Char(w.Dzieci[i].Operator));
            DopiszTekstAngielski(wynik, w.Dzieci[i]);
        }
        return;
    case TRodzaj::Funkcja:
        wynik.append(NazwaFunkcjiFormuly(w.Funkcja));
        wynik.append(u'(');
        for (size_t i = 0; i < w.Dzieci.size(); ++i) {
            if (i > 0)
                wynik.append(u',');
            DopiszTekstAngielski(wynik, w.Dzieci[i]);
        }
        wynik.append(u')');
        return;
    }
}

} // namespace

TFormula TFormula::Parsuj(const QString& tekst)
{
    return TFormula(ParsujWezelFormuly(tekst));
}

TFormula::TFormula(std::unique_ptr<TWezel> korzen) : FKorzen(std::move(korzen)) {}
TFormula::TFormula(TFormula&&) noexcept = default;
TFormula& TFormula::operator=(TFormula&&) noexcept = default;
TFormula::~TFormula() = default;

QString TFormula::TekstAngielski() const
{
    QString wynik;
    wynik.reserve(FKorzen->Zrodlo.size() + 8);
    DopiszTekstAngielski(wynik, *FKorzen);
    return wynik;
}
