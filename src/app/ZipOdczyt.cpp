// Reading an archive through its central directory, with every size and offset checked against the bytes.
#include "app/ZipFile.h"

#include "app/Pliki.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr quint32 SygnaturaLokalna = 0x04034B50;
constexpr quint32 SygnaturaCentralna = 0x02014B50;
constexpr quint32 SygnaturaKonca = 0x06054B50;
constexpr quint32 SygnaturaLokalizatoraZip64 = 0x07064B50;
constexpr qsizetype RozmiarKonca = 22;

[[noreturn]] void Nieprawidlowe()
{
    throw EBlad(KomunikatNieprawidlowegoArchiwum());
}

// Bounds-checked little-endian reading of the archive's bytes.
class TOdczyt
{
public:
    explicit TOdczyt(const QByteArray& bajty) : FBajty(bajty) {}

    qsizetype Rozmiar() const { return FBajty.size(); }
    void Wymagaj(quint64 pozycja, quint64 dlugosc) const
    {
        if (pozycja > static_cast<quint64>(FBajty.size()) || dlugosc > static_cast<quint64>(FBajty.size()) - pozycja)
            Nieprawidlowe();
    }
    quint16 U16(quint64 p) const
    {
        Wymagaj(p, 2);
        return qFromLittleEndian<quint16>(FBajty.constData() + p);
    }
    quint32 U32(quint64 p) const
    {
        Wymagaj(p, 4);
        return qFromLittleEndian<quint32>(FBajty.constData() + p);
    }
    QByteArray Kopia(quint64 p, quint64 n) const
    {
        Wymagaj(p, n);
        return FBajty.mid(static_cast<qsizetype>(p), static_cast<qsizetype>(n));
    }

private:
    const QByteArray& FBajty;
};

struct TKoniec
{
    quint64 Pozycja = 0;
    quint64 Liczba = 0;
    quint64 RozmiarKatalogu = 0;
    quint64 PoczatekKatalogu = 0;
    QByteArray Komentarz;
};

TKoniec CzytajKoniec(const TOdczyt& o)
{
    // The end record is the last 22 bytes unless a comment of at most 65535 bytes follows it.
    const qsizetype najdalej = std::max<qsizetype>(0, o.Rozmiar() - RozmiarKonca - 0xFFFF);
    for (qsizetype p = o.Rozmiar() - RozmiarKonca; p >= najdalej; --p) {
        if (o.U32(static_cast<quint64>(p)) != SygnaturaKonca)
            continue;
        const auto q = static_cast<quint64>(p);
        const quint16 dlugoscKomentarza = o.U16(q + 20);
        if (q + RozmiarKonca + dlugoscKomentarza > static_cast<quint64>(o.Rozmiar()))
            continue;
        TKoniec k;
        k.Pozycja = q;
        const quint16 dysk = o.U16(q + 4);
        const quint16 dyskKatalogu = o.U16(q + 6);
        const quint16 naDysku = o.U16(q + 8);
        const quint16 razem = o.U16(q + 10);
        k.Liczba = razem;
        k.RozmiarKatalogu = o.U32(q + 12);
        k.PoczatekKatalogu = o.U32(q + 16);
        k.Komentarz = o.Kopia(q + 22, dlugoscKomentarza);
        // Multi-disk archives and ZIP64 (announced by 0xFFFF.. fields or its locator record) are not read.
        if (dysk != 0 || dyskKatalogu != 0 || naDysku != razem || razem == 0xFFFF || k.RozmiarKatalogu == 0xFFFFFFFFu ||
            k.PoczatekKatalogu == 0xFFFFFFFFu)
            Nieprawidlowe();
        if (q >= 20 && o.U32(q - 20) == SygnaturaLokalizatoraZip64)
            Nieprawidlowe();
        if (k.PoczatekKatalogu + k.RozmiarKatalogu > q || k.Liczba * 46 > k.RozmiarKatalogu)
            Nieprawidlowe();
        return k;
    }
    Nieprawidlowe();
}

struct TUmiejscowienie
{
    quint64 Naglowek = 0;
    quint64 KoniecDanych = 0;
};

// Reads one entry's local record at `naglowek` and copies its compressed data; returns where its data end.
quint64 CzytajLokalny(const TOdczyt& o, quint64 naglowek, quint64 granica, TWpisZip& w)
{
    if (naglowek + 30 > granica || o.U32(naglowek) != SygnaturaLokalna)
        Nieprawidlowe();
    const quint16 metoda = o.U16(naglowek + 8);
    const quint16 dlugoscNazwy = o.U16(naglowek + 26);
    const quint16 dlugoscExtra = o.U16(naglowek + 28);
    if (metoda != w.Metoda || o.Kopia(naglowek + 30, dlugoscNazwy) != w.Nazwa)
        Nieprawidlowe();
    const quint64 dane = naglowek + 30 + dlugoscNazwy + dlugoscExtra;
    const quint64 koniec = dane + w.RozmiarSkompresowany;
    if (koniec > granica)
        Nieprawidlowe();
    w.ExtraLokalne = o.Kopia(naglowek + 30 + dlugoscNazwy, dlugoscExtra);
    w.Dane = o.Kopia(dane, w.RozmiarSkompresowany);
    return koniec;
}

void SprawdzRozmiary(const TWpisZip& w)
{
    // Encrypted (bits 0 and 6) or patched data (bit 5), and methods other than stored and deflate, are not read.
    if ((w.Flagi & 0x0061) != 0 || (w.Metoda != 0 && w.Metoda != 8))
        Nieprawidlowe();
    if (w.RozmiarSkompresowany == 0xFFFFFFFFu || w.RozmiarNieskompresowany == 0xFFFFFFFFu)
        Nieprawidlowe();
    const quint64 s = w.RozmiarSkompresowany;
    const quint64 u = w.RozmiarNieskompresowany;
    if (u > TZipFile::MaksRozmiarWpisu)
        Nieprawidlowe();
    if (w.Metoda == 0 && s != u)
        Nieprawidlowe();
    if (u > TZipFile::ProgKontroliStopnia && u > s * TZipFile::MaksStopienKompresji)
        Nieprawidlowe();
}

} // namespace

void TZipFile::LoadFromBytes(const QByteArray& bajty)
{
    const TOdczyt o(bajty);
    const TKoniec koniec = CzytajKoniec(o);
    std::vector<TWpisZip> wpisy;
    std::vector<TUmiejscowienie> miejsca;
    wpisy.reserve(koniec.Liczba);
    quint64 p = koniec.PoczatekKatalogu;
    const quint64 koniecKatalogu = koniec.PoczatekKatalogu + koniec.RozmiarKatalogu;
    for (quint64 i = 0; i < koniec.Liczba; ++i) {
        if (p + 46 > koniecKatalogu || o.U32(p) != SygnaturaCentralna)
            Nieprawidlowe();
        TWpisZip w;
        w.WersjaUtworzenia = o.U16(p + 4);
        w.WersjaPotrzebna = o.U16(p + 6);
        w.Flagi = o.U16(p + 8);
        w.Metoda = o.U16(p + 10);
        w.Czas = o.U16(p + 12);
        w.Data = o.U16(p + 14);
        w.Crc = o.U32(p + 16);
        w.RozmiarSkompresowany = o.U32(p + 20);
        w.RozmiarNieskompresowany = o.U32(p + 24);
        const quint16 dlugoscNazwy = o.U16(p + 28);
        const quint16 dlugoscExtra = o.U16(p + 30);
        const quint16 dlugoscKomentarza = o.U16(p + 32);
        const quint16 dysk = o.U16(p + 34);
        w.AtrybutyWewnetrzne = o.U16(p + 36);
        w.AtrybutyZewnetrzne = o.U32(p + 38);
        const quint32 naglowek = o.U32(p + 42);
        const quint64 dalej = p + 46 + dlugoscNazwy + dlugoscExtra + dlugoscKomentarza;
        if (dalej > koniecKatalogu || dysk != 0 || naglowek == 0xFFFFFFFFu)
            Nieprawidlowe();
        SprawdzRozmiary(w);
        w.Nazwa = o.Kopia(p + 46, dlugoscNazwy);
        w.ExtraCentralne = o.Kopia(p + 46 + dlugoscNazwy, dlugoscExtra);
        w.Komentarz = o.Kopia(p + 46 + dlugoscNazwy + dlugoscExtra, dlugoscKomentarza);
        const quint64 koniecDanych = CzytajLokalny(o, naglowek, koniec.PoczatekKatalogu, w);
        miejsca.push_back({naglowek, koniecDanych});
        wpisy.push_back(std::move(w));
        p = dalej;
    }
    // No two entries may share bytes: overlapping entries are the trick of the "overlapped" zip bombs.
    std::sort(miejsca.begin(), miejsca.end(),
              [](const TUmiejscowienie& a, const TUmiejscowienie& b) { return a.Naglowek < b.Naglowek; });
    for (size_t i = 1; i < miejsca.size(); ++i)
        if (miejsca[i].Naglowek < miejsca[i - 1].KoniecDanych)
            Nieprawidlowe();
    FWpisy = std::move(wpisy);
    FKomentarz = koniec.Komentarz;
}

void TZipFile::LoadFromFile(const QString& sciezka)
{
    // Without ZIP64 no archive is larger than its 32-bit offsets reach: a bigger file is refused unread.
    constexpr qint64 LimitArchiwum = 0xFFFFFFFF;
    QByteArray bajty;
    try {
        bajty = CzytajCalyPlik(sciezka, LimitArchiwum);
    } catch (const EOdczytPliku& e) {
        if (e.Powod() == EOdczytPliku::Brak)
            throw EBlad(QStringLiteral("Nie można otworzyć pliku \"%1\".").arg(sciezka));
        throw;
    }
    LoadFromBytes(bajty);
}
