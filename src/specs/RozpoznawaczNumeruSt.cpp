#include "specs/RozpoznawaczNumeruSt.h"

#include "app/Wyrazenie.h"

#include <algorithm>

namespace {

// The six separators of number segments: dash, underscore, blank, slash, backslash and dot.
const QString KlasaSeparatorow = QStringLiteral("[-_ /\\\\.]");

// The wrapper reports group texts, not offsets. A lazy prefix in front of a pattern, anchored where the
// search starts, is as long as the distance to the pattern's leftmost match there, so its length gives
// the offset. "[\s\S]" rather than "." so that the prefix crosses line breaks as the search would.
QString ZPrefiksem(const QString& wzorzec)
{
    return QStringLiteral("\\G([\\s\\S]*?)(?:") + wzorzec + QLatin1Char(')');
}

// The number of matches of "(.+?)<separator>|$" after the first one, searching on past each match as a
// global search does; -1 when there is no match at all.
int LiczbaSegmentow(const QString& numer)
{
    static const TWyrazenieRegularne wzor(
        ZPrefiksem(QStringLiteral("(.+?)") + KlasaSeparatorow + QStringLiteral("|$")));
    int dopasowan = 0;
    qsizetype pozycja = 0;
    while (pozycja <= numer.size()) {
        const auto m = wzor.Dopasuj(numer, pozycja);
        if (!m.Jest)
            break;
        ++dopasowan;
        const qsizetype koniec = pozycja + m.Grupa(0).size();
        if (m.Grupa(0).size() == m.Grupa(1).size()) {
            // An empty match. The non-empty alternative was tried first at that place and failed, so the
            // next match can only start one character further.
            if (koniec >= numer.size())
                break;
            pozycja = koniec + ((numer[koniec].isHighSurrogate() && koniec + 1 < numer.size()) ? 2 : 1);
        } else {
            pozycja = koniec;
        }
    }
    return dopasowan - 1;
}

} // namespace

QString TRozpoznawaczNumeruSt::RozpoznajNumer(const QString& numerNadrzedny, int& selStart, int& selLength)
{
    const int dlugosc = static_cast<int>(numerNadrzedny.size());
    selStart = dlugosc + 1;
    selLength = 0;

    const int segmentow = LiczbaSegmentow(numerNadrzedny);
    if (segmentow <= 0)
        return numerNadrzedny;

    // Up to as many separator-and-zeros blocks as there are further segments, at least one, ending the
    // text. This is the chain of optional blocks and one required block written as one bounded
    // repetition: it matches the same texts at the same places, but backtracks in linear time, where the
    // chain tries every subset of its optional blocks and runs into the engine's match limit on long
    // numbers (a limit that ends the whole search as if nothing had matched).
    // 65535 is the engine's largest repeat count; a number would need over 130000 characters to reach it.
    const QString wzorzec =
        QStringLiteral("(?:") + KlasaSeparatorow + QStringLiteral("0+){1,%1}$").arg(std::min(segmentow, 65535));
    const TWyrazenieRegularne wzor(ZPrefiksem(wzorzec));
    const auto m = wzor.Dopasuj(numerNadrzedny);
    if (!m.Jest)
        return numerNadrzedny;
    selStart = static_cast<int>(m.Grupa(1).size()) + 1;
    selLength = dlugosc - selStart;
    return numerNadrzedny;
}
