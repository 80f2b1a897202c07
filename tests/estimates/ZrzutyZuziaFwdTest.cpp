// The Zuzia and FWD fuzz corpora read to the very trees written out in tests/estimates/ZrzutyZuziaFwd.txt:
// every field of every element and position (and Zuzia's VAT rate), or the reader's message. The readers
// are tuned for speed; this holds them to what they read before. VELOSTRA_ZAPISZ_ZRZUTY=1 rewrites the file.

#include "estimates/KosztorysFwdSt.h"
#include "estimates/KosztorysZuzia.h"
#include "support/Pomocnicze.h"

#include <QDir>

#include "../../fuzz/WspolneFuzz.h"

#include <exception>

namespace {

const QString PlikZrzutow = QStringLiteral(VELOSTRA_TEST_DATA "/../estimates/ZrzutyZuziaFwd.txt");
const QString KatalogKorpusow = QStringLiteral(VELOSTRA_TEST_DATA "/../../fuzz/corpus/");

// One field on one line: control characters, "\" and "|" escaped.
QString Pole(const QString& t)
{
    QString w;
    for (const QChar z : t) {
        if (z == u'\\' || z == u'|')
            w += u'\\';
        if (z.unicode() < 0x20)
            w += QStringLiteral("\\x%1").arg(z.unicode(), 2, 16, QLatin1Char('0'));
        else
            w += z;
    }
    return w;
}

void Zrzut(const TElementRds& e, int glebokosc, QString& w)
{
    const QString wciecie(glebokosc * 2, u' ');
    for (int i = 0; i < e.PozycjeCount(); ++i) {
        const TPozycjaRds& p = *e.GetPozycja(i);
        w += wciecie + QStringLiteral("P ");
        for (const QString& t :
             {p.Id(), p.Nr(), p.ST(), p.Podstawa(), p.Opis(), p.Jm(), p.Ilosc(), p.Cena(), p.Rj(), p.Mj(), p.Sj()})
            w += Pole(t) + u'|';
        w += QLatin1String(p.Aktywna() ? "a" : "n") + QLatin1String(p.CzyScalona ? "s\n" : "\n");
    }
    for (int i = 0; i < e.ElementyCount(); ++i) {
        const TElementRds& d = *e.GetElement(i);
        w += wciecie + QStringLiteral("E %1|%2|%3\n").arg(Pole(d.GetNr())).arg(d.GetPz()).arg(Pole(d.Opis));
        Zrzut(d, glebokosc + 1, w);
    }
}

template <typename T> QString Zrzuty(const QString& katalog)
{
    QString w;
    const QDir dir(KatalogKorpusow + katalog);
    for (const QString& nazwa : dir.entryList(QDir::Files, QDir::Name)) {
        const QByteArray bajty = CzytajPlik(dir.filePath(nazwa));
        T k(QString(), false, false, false, UstawieniaFuzz(static_cast<size_t>(bajty.size())));
        w += QStringLiteral("== %1/%2\n").arg(katalog, nazwa);
        try {
            k.WczytajZDanych(bajty);
        } catch (const std::exception& e) {
            w += QStringLiteral("blad %1\n").arg(Pole(QString::fromUtf8(e.what())));
            continue;
        }
        if constexpr (std::is_same_v<T, TKosztorysZuzia>)
            w += QStringLiteral("vat %1\n").arg(k.StawkaVat(), 0, 'g', 17);
        Zrzut(k, 0, w);
    }
    return w;
}

TEST(ZrzutyZuziaFwd, KorpusyDajaTeSameDrzewa)
{
    const QByteArray zrzuty =
        (Zrzuty<TKosztorysZuzia>(QStringLiteral("zuzia")) + Zrzuty<TKosztorysFwdSt>(QStringLiteral("fwd"))).toUtf8();
    PorownajZWzorcem(zrzuty, PlikZrzutow, "VELOSTRA_ZAPISZ_ZRZUTY", 480);
}

} // namespace
