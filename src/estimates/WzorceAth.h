#pragma once

#include <QChar>
#include <QStringView>

// The line patterns of an ATH estimate, matched by hand. Each function gives exactly what its
// Perl-compatible pattern (quoted above it) gives on one line of a file, with "\d" the ASCII digits
// and "\s" the ASCII white space (blank, tab, line feed, vertical tab, form feed, carriage return).
// Matching by hand keeps every test linear in the line's length, whatever the line holds, and keeps
// reading fast: the patterns are tried on every line of a file.
namespace WzorceAth {

inline bool CzyCyfra(QChar z)
{
    return z.unicode() >= u'0' && z.unicode() <= u'9';
}

inline bool CzyBialyZnak(QChar z)
{
    const char16_t c = z.unicode();
    return c == u' ' || (c >= 9 && c <= 13);
}

// "^pr=(NORMA|norma)\s(\d+)(\.(\d+))?$": the program version line.
struct TWersja
{
    bool Jest = false;
    QStringView Glowny;    // group 2
    QStringView Podrzedny; // group 4
    bool CzyPodrzedny = false;
};
TWersja DopasujWersje(QStringView linia);
// A version older than 4.44: major below 4, or 4 with a minor that is missing or below 44.
bool CzyWersjaPrzed44(const TWersja& wersja);

// "^\[ELEMENT( ([0-9]+))?\]$": an element section; the level digits (group 2) are empty when absent.
bool DopasujElement(QStringView linia, QStringView& poziom);

// "^(\[POZYCJA\])|(\[(RUSZTOWANIA|TRANSPORT) ?\d*\])$": a line beginning with "[POZYCJA]", or one
// ending with a bracketed RUSZTOWANIA or TRANSPORT, optionally followed by a blank and digits.
bool CzyLiniaPozycji(QStringView linia);

// "^(\[POZYCJA\ \d+\])$": a numbered sub-position line.
bool CzyLiniaPodpozycji(QStringView linia);

// "^(.+?)\.\s.*$" on a basis: the text before its first period (not the first character) that is
// followed by white space.
bool DopasujStZPodstawy(QStringView podstawa, QStringView& st);

// "pd=.*?\t(.*?)\t(.*?)\t.*": the two fields after the first tab that follows "pd=".
bool DopasujPodstaweZTabulatorami(QStringView linia, QStringView& grupa1, QStringView& grupa2);

// "(.*?)\t": the text before the first tab.
bool DopasujDoTabulatora(QStringView linia, QStringView& grupa1);

// "ob=([0-9\.,]*)": the digits, points and commas after the first "ob=".
bool DopasujIlosc(QStringView linia, QStringView& grupa1);

// "cj=([0-9\.,]*)\s*([0-9\.,]*)\s*([0-9\.,]*)\s*([0-9\.,]*)\s*": four numbers after the first "cj=".
bool DopasujCeny(QStringView linia, QStringView (&grupy)[4]);

} // namespace WzorceAth
