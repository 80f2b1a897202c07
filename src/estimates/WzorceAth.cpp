#include "estimates/WzorceAth.h"

namespace WzorceAth {

namespace {

// Index after the run of digits that starts at the index.
qsizetype PoCyfrach(QStringView tekst, qsizetype od)
{
    while (od < tekst.size() && CzyCyfra(tekst[od]))
        ++od;
    return od;
}

bool CzySameCyfry(QStringView tekst)
{
    return !tekst.isEmpty() && PoCyfrach(tekst, 0) == tekst.size();
}

bool CzyZnakLiczby(QChar z)
{
    return CzyCyfra(z) || z == u'.' || z == u',';
}

// The run of [0-9.,] from the index; the index moves past it.
QStringView LiczbaOd(QStringView tekst, qsizetype& i)
{
    const qsizetype poczatek = i;
    while (i < tekst.size() && CzyZnakLiczby(tekst[i]))
        ++i;
    return tekst.mid(poczatek, i - poczatek);
}

// Compares two texts of ASCII digits as the numbers they write, whatever their length.
int PorownajCyfry(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == u'0')
        a = a.mid(1);
    while (b.size() > 1 && b.front() == u'0')
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

} // namespace

TWersja DopasujWersje(QStringView linia)
{
    TWersja wynik;
    if (!linia.startsWith(u"pr=NORMA") && !linia.startsWith(u"pr=norma"))
        return wynik;
    qsizetype i = 8;
    if (i >= linia.size() || !CzyBialyZnak(linia[i]))
        return wynik;
    ++i;
    const qsizetype poczatekGlownego = i;
    i = PoCyfrach(linia, i);
    if (i == poczatekGlownego)
        return wynik;
    const QStringView glowny = linia.mid(poczatekGlownego, i - poczatekGlownego);
    if (i == linia.size()) {
        wynik.Jest = true;
        wynik.Glowny = glowny;
        return wynik;
    }
    if (linia[i] != u'.')
        return wynik;
    const qsizetype poczatekPodrzednego = ++i;
    i = PoCyfrach(linia, i);
    if (i == poczatekPodrzednego || i != linia.size())
        return wynik;
    wynik.Jest = true;
    wynik.Glowny = glowny;
    wynik.Podrzedny = linia.mid(poczatekPodrzednego);
    wynik.CzyPodrzedny = true;
    return wynik;
}

bool CzyWersjaPrzed44(const TWersja& wersja)
{
    if (!wersja.Jest)
        return false;
    const int glowny = PorownajCyfry(wersja.Glowny, u"4");
    if (glowny < 0)
        return true;
    if (glowny > 0)
        return false;
    return !wersja.CzyPodrzedny || PorownajCyfry(wersja.Podrzedny, u"44") < 0;
}

bool DopasujElement(QStringView linia, QStringView& poziom)
{
    if (!linia.startsWith(u"[ELEMENT") || !linia.endsWith(u']'))
        return false;
    if (linia.size() == 9) {
        poziom = QStringView();
        return true;
    }
    if (linia.size() < 11 || linia[8] != u' ')
        return false;
    const QStringView cyfry = linia.mid(9, linia.size() - 10);
    if (!CzySameCyfry(cyfry))
        return false;
    poziom = cyfry;
    return true;
}

bool CzyLiniaPozycji(QStringView linia)
{
    if (linia.startsWith(u"[POZYCJA]"))
        return true;
    if (!linia.endsWith(u']'))
        return false;
    qsizetype k = linia.size() - 1;
    while (k > 0 && CzyCyfra(linia[k - 1]))
        --k;
    if (k > 0 && linia[k - 1] == u' ')
        --k;
    const QStringView przed = linia.left(k);
    return przed.endsWith(u"[RUSZTOWANIA") || przed.endsWith(u"[TRANSPORT");
}

bool CzyLiniaPodpozycji(QStringView linia)
{
    return linia.size() >= 11 && linia.startsWith(u"[POZYCJA ") && linia.endsWith(u']') &&
           CzySameCyfry(linia.mid(9, linia.size() - 10));
}

bool DopasujStZPodstawy(QStringView podstawa, QStringView& st)
{
    for (qsizetype i = 1; i + 1 < podstawa.size(); ++i)
        if (podstawa[i] == u'.' && CzyBialyZnak(podstawa[i + 1])) {
            st = podstawa.left(i);
            return true;
        }
    return false;
}

bool DopasujPodstaweZTabulatorami(QStringView linia, QStringView& grupa1, QStringView& grupa2)
{
    const qsizetype p = linia.indexOf(u"pd=");
    if (p < 0)
        return false;
    const qsizetype t1 = linia.indexOf(u'\t', p + 3);
    if (t1 < 0)
        return false;
    const qsizetype t2 = linia.indexOf(u'\t', t1 + 1);
    if (t2 < 0)
        return false;
    const qsizetype t3 = linia.indexOf(u'\t', t2 + 1);
    if (t3 < 0)
        return false;
    grupa1 = linia.mid(t1 + 1, t2 - t1 - 1);
    grupa2 = linia.mid(t2 + 1, t3 - t2 - 1);
    return true;
}

bool DopasujDoTabulatora(QStringView linia, QStringView& grupa1)
{
    const qsizetype t = linia.indexOf(u'\t');
    if (t < 0)
        return false;
    grupa1 = linia.left(t);
    return true;
}

bool DopasujIlosc(QStringView linia, QStringView& grupa1)
{
    const qsizetype p = linia.indexOf(u"ob=");
    if (p < 0)
        return false;
    qsizetype i = p + 3;
    grupa1 = LiczbaOd(linia, i);
    return true;
}

bool DopasujCeny(QStringView linia, QStringView (&grupy)[4])
{
    const qsizetype p = linia.indexOf(u"cj=");
    if (p < 0)
        return false;
    qsizetype i = p + 3;
    for (QStringView& grupa : grupy) {
        grupa = LiczbaOd(linia, i);
        while (i < linia.size() && CzyBialyZnak(linia[i]))
            ++i;
    }
    return true;
}

} // namespace WzorceAth
