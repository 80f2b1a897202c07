#include "estimates/edbud/StronaDanychJet4.h"

#include <cstring>

namespace StronaJet4 {
quint16 Czytaj16(const QByteArray& dane, int poz)
{
    return static_cast<quint16>(static_cast<quint8>(dane[poz]) | (static_cast<quint8>(dane[poz + 1]) << 8));
}

quint32 Czytaj32(const QByteArray& dane, int poz)
{
    return static_cast<quint32>(Czytaj16(dane, poz)) | (static_cast<quint32>(Czytaj16(dane, poz + 2)) << 16);
}

void Zapisz16(QByteArray& dane, int poz, quint16 wartosc)
{
    dane[poz] = static_cast<char>(wartosc & 0xff);
    dane[poz + 1] = static_cast<char>(wartosc >> 8);
}

int LiczbaWierszy(const QByteArray& strona)
{
    return Czytaj16(strona, 12);
}

static int PoczatekWiersza(const QByteArray& strona, int nr)
{
    return Czytaj16(strona, NaglowekStrony + 2 * nr) & MaskaPrzesuniecia;
}

bool CzyStronaDanych(const QByteArray& strona)
{
    if (strona.size() != RozmiarStrony || strona[0] != 0x01)
        return false;
    const int n = LiczbaWierszy(strona);
    if (NaglowekStrony + 2 * n > RozmiarStrony)
        return false;
    int koniec = RozmiarStrony;
    for (int i = 0; i < n; ++i) {
        const int poczatek = PoczatekWiersza(strona, i);
        if (poczatek < NaglowekStrony + 2 * n || poczatek > koniec)
            return false;
        koniec = poczatek;
    }
    return true;
}

TPolozenieWiersza Wiersz(const QByteArray& strona, int nr)
{
    TPolozenieWiersza w;
    const quint16 wpis = Czytaj16(strona, NaglowekStrony + 2 * nr);
    w.Poczatek = wpis & MaskaPrzesuniecia;
    w.Flagi = static_cast<quint16>(wpis & ~MaskaPrzesuniecia);
    const int koniec = nr == 0 ? RozmiarStrony : PoczatekWiersza(strona, nr - 1);
    w.Dlugosc = koniec - w.Poczatek;
    return w;
}

static int NajnizszyPoczatek(const QByteArray& strona)
{
    const int n = LiczbaWierszy(strona);
    return n == 0 ? RozmiarStrony : PoczatekWiersza(strona, n - 1);
}

int WolneMiejsce(const QByteArray& strona)
{
    return NajnizszyPoczatek(strona) - NaglowekStrony - 2 * LiczbaWierszy(strona);
}

static void UstawWolneMiejsce(QByteArray& strona)
{
    Zapisz16(strona, 2, static_cast<quint16>(WolneMiejsce(strona)));
}

bool ZastapWiersz(QByteArray& strona, int nr, const QByteArray& nowy, quint16 flagi)
{
    const TPolozenieWiersza stary = Wiersz(strona, nr);
    const int roznica = static_cast<int>(nowy.size()) - stary.Dlugosc;
    if (roznica > WolneMiejsce(strona))
        return false;
    const int n = LiczbaWierszy(strona);
    const int dol = NajnizszyPoczatek(strona);
    // The rows stored below this one (higher numbers, lower addresses) move by the change in length.
    const int dlugoscNizej = stary.Poczatek - dol;
    if (dlugoscNizej > 0)
        std::memmove(strona.data() + dol - roznica, strona.constData() + dol, static_cast<size_t>(dlugoscNizej));
    const int nowyPoczatek = stary.Poczatek - roznica;
    std::memcpy(strona.data() + nowyPoczatek, nowy.constData(), static_cast<size_t>(nowy.size()));
    Zapisz16(strona, NaglowekStrony + 2 * nr, static_cast<quint16>(nowyPoczatek | flagi));
    for (int i = nr + 1; i < n; ++i) {
        const quint16 wpis = Czytaj16(strona, NaglowekStrony + 2 * i);
        const int poczatek = (wpis & MaskaPrzesuniecia) - roznica;
        Zapisz16(strona, NaglowekStrony + 2 * i, static_cast<quint16>(poczatek | (wpis & ~MaskaPrzesuniecia)));
    }
    if (roznica < 0) // the bytes freed at the bottom hold nothing
        std::memset(strona.data() + dol, 0, static_cast<size_t>(-roznica));
    UstawWolneMiejsce(strona);
    return true;
}

int DodajWiersz(QByteArray& strona, const QByteArray& wiersz)
{
    const int n = LiczbaWierszy(strona);
    const int dlugosc = static_cast<int>(wiersz.size());
    // The pointer to a moved row keeps its number in one byte.
    if (n >= 255 || dlugosc + 2 > WolneMiejsce(strona))
        return -1;
    const int poczatek = NajnizszyPoczatek(strona) - dlugosc;
    std::memcpy(strona.data() + poczatek, wiersz.constData(), static_cast<size_t>(dlugosc));
    Zapisz16(strona, NaglowekStrony + 2 * n, static_cast<quint16>(poczatek));
    Zapisz16(strona, 12, static_cast<quint16>(n + 1));
    UstawWolneMiejsce(strona);
    return n;
}

void UsunWiersz(QByteArray& strona, int nr)
{
    const int poz = NaglowekStrony + 2 * nr;
    Zapisz16(strona, poz, static_cast<quint16>((Czytaj16(strona, poz) & MaskaPrzesuniecia) | FlagaUsuniety));
}

QByteArray Wskaznik(quint32 strona, int wiersz)
{
    QByteArray w(4, '\0');
    w[0] = static_cast<char>(wiersz);
    w[1] = static_cast<char>(strona & 0xff);
    w[2] = static_cast<char>((strona >> 8) & 0xff);
    w[3] = static_cast<char>((strona >> 16) & 0xff);
    return w;
}

bool CzytajWskaznik(const QByteArray& bajty, quint32& strona, int& wiersz)
{
    if (bajty.size() < 4)
        return false;
    wiersz = static_cast<quint8>(bajty[0]);
    strona = static_cast<quint32>(static_cast<quint8>(bajty[1])) |
             (static_cast<quint32>(static_cast<quint8>(bajty[2])) << 8) |
             (static_cast<quint32>(static_cast<quint8>(bajty[3])) << 16);
    return true;
}

bool Rozbierz(const QByteArray& w, TRozbiorWiersza& wynik)
{
    const int dl = static_cast<int>(w.size());
    if (dl < 2)
        return false;
    wynik.LiczbaKolumn = Czytaj16(w, 0);
    const int maska = (wynik.LiczbaKolumn + 7) / 8;
    if (dl < 2 + maska + 4)
        return false;
    const int liczbaZmiennych = Czytaj16(w, dl - maska - 2);
    const int poczatekTablicy = dl - maska - 4 - 2 * liczbaZmiennych;
    if (liczbaZmiennych > wynik.LiczbaKolumn || poczatekTablicy < 2)
        return false;
    std::vector<int> przes(static_cast<size_t>(liczbaZmiennych) + 1);
    for (int i = 0; i <= liczbaZmiennych; ++i)
        przes[static_cast<size_t>(i)] = Czytaj16(w, dl - maska - 4 - 2 * i);
    int poprzedni = 2;
    for (int p : przes) {
        if (p < poprzedni || p > poczatekTablicy)
            return false;
        poprzedni = p;
    }
    wynik.Stale = w.mid(2, przes[0] - 2);
    wynik.Zmienne.clear();
    for (int i = 0; i < liczbaZmiennych; ++i)
        wynik.Zmienne.push_back(
            w.mid(przes[static_cast<size_t>(i)], przes[static_cast<size_t>(i) + 1] - przes[static_cast<size_t>(i)]));
    const int eod = przes.back();
    wynik.Luka = w.mid(eod, poczatekTablicy - eod);
    wynik.MaskaNull = w.right(maska);
    return true;
}

QByteArray Zloz(const TRozbiorWiersza& r)
{
    QByteArray w;
    w.resize(2);
    Zapisz16(w, 0, static_cast<quint16>(r.LiczbaKolumn));
    w += r.Stale;
    std::vector<int> przes;
    for (const QByteArray& pole : r.Zmienne) {
        przes.push_back(static_cast<int>(w.size()));
        w += pole;
    }
    przes.push_back(static_cast<int>(w.size()));
    w += r.Luka;
    // Offsets are written last-to-first: the end of the data comes first in memory.
    for (auto it = przes.rbegin(); it != przes.rend(); ++it) {
        const int poz = static_cast<int>(w.size());
        w.resize(poz + 2);
        Zapisz16(w, poz, static_cast<quint16>(*it));
    }
    const int poz = static_cast<int>(w.size());
    w.resize(poz + 2);
    Zapisz16(w, poz, static_cast<quint16>(r.Zmienne.size()));
    w += r.MaskaNull;
    return w;
}
} // namespace StronaJet4
