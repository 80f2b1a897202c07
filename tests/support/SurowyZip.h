#pragma once

// Builds zip files record by record, with every field under the test's control, so that tests can make
// archives other tools would write and archives no honest tool writes.
#include <QByteArray>
#include <QtEndian>

#include <zlib.h>

#include <optional>
#include <vector>

struct TSurowyWpis
{
    QByteArray Nazwa{};
    QByteArray Zawartosc{}; // uncompressed
    quint16 Metoda = 8;     // 0 stored, 8 deflate
    quint16 Flagi = 0;
    QByteArray Extra{};
    bool Deskryptor = false; // sizes and CRC after the data (flag bit 3), zeros in the local header
    // Overrides of what the central record declares; the local record keeps what is true.
    std::optional<quint32> Crc{};
    std::optional<quint32> RozmiarSkompresowany{};
    std::optional<quint32> RozmiarNieskompresowany{};
    std::optional<quint32> Przesuniecie{};
    int UcieteBajtyDanych = 0; // compressed data cut short by this many bytes (sizes follow the cut data)
};

inline QByteArray SurowyDeflate(const QByteArray& dane)
{
    z_stream s{};
    deflateInit2(&s, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray wynik(static_cast<qsizetype>(deflateBound(&s, static_cast<uLong>(dane.size()))), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(dane.constData()));
    s.avail_in = static_cast<uInt>(dane.size());
    s.next_out = reinterpret_cast<Bytef*>(wynik.data());
    s.avail_out = static_cast<uInt>(wynik.size());
    deflate(&s, Z_FINISH);
    wynik.resize(static_cast<qsizetype>(s.total_out));
    deflateEnd(&s);
    return wynik;
}

inline quint32 SurowyCrc(const QByteArray& dane)
{
    return static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(dane.constData()), static_cast<uInt>(dane.size())));
}

class TSurowyZip
{
public:
    TSurowyZip& U16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        FBajty.append(b, 2);
        return *this;
    }
    TSurowyZip& U32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        FBajty.append(b, 4);
        return *this;
    }
    TSurowyZip& B(const QByteArray& b)
    {
        FBajty.append(b);
        return *this;
    }
    QByteArray& Bajty() { return FBajty; }

private:
    QByteArray FBajty;
};

struct TOpcjeSurowe
{
    QByteArray Komentarz{};
    std::optional<quint16> LiczbaWpisow{};
    std::optional<quint32> RozmiarKatalogu{};
    std::optional<quint32> PoczatekKatalogu{};
    quint16 Dysk = 0;
    bool LokalizatorZip64 = false;
};

inline QByteArray ZbudujZip(const std::vector<TSurowyWpis>& wpisy, const TOpcjeSurowe& opcje = {})
{
    TSurowyZip z;
    struct TCentralny
    {
        quint32 Crc, S, U, Offset;
    };
    std::vector<TCentralny> centralne;
    for (const TSurowyWpis& w : wpisy) {
        QByteArray dane = w.Metoda == 8 ? SurowyDeflate(w.Zawartosc) : w.Zawartosc;
        dane.chop(w.UcieteBajtyDanych);
        const quint32 crc = SurowyCrc(w.Zawartosc);
        const auto s = static_cast<quint32>(dane.size());
        const auto u = static_cast<quint32>(w.Zawartosc.size());
        const auto offset = static_cast<quint32>(z.Bajty().size());
        const quint16 flagi = static_cast<quint16>(w.Flagi | (w.Deskryptor ? 0x0008 : 0));
        z.U32(0x04034B50).U16(20).U16(flagi).U16(w.Metoda).U16(0x6000).U16(0x5821);
        z.U32(w.Deskryptor ? 0 : w.Crc.value_or(crc)).U32(w.Deskryptor ? 0 : w.RozmiarSkompresowany.value_or(s));
        z.U32(w.Deskryptor ? 0 : w.RozmiarNieskompresowany.value_or(u));
        z.U16(static_cast<quint16>(w.Nazwa.size()))
            .U16(static_cast<quint16>(w.Extra.size()))
            .B(w.Nazwa)
            .B(w.Extra)
            .B(dane);
        if (w.Deskryptor)
            z.U32(0x08074B50).U32(crc).U32(s).U32(u);
        centralne.push_back({w.Crc.value_or(crc), w.RozmiarSkompresowany.value_or(s),
                             w.RozmiarNieskompresowany.value_or(u), w.Przesuniecie.value_or(offset)});
    }
    const auto poczatek = static_cast<quint32>(z.Bajty().size());
    for (size_t i = 0; i < wpisy.size(); ++i) {
        const TSurowyWpis& w = wpisy[i];
        const quint16 flagi = static_cast<quint16>(w.Flagi | (w.Deskryptor ? 0x0008 : 0));
        z.U32(0x02014B50).U16(0x031E).U16(20).U16(flagi).U16(w.Metoda).U16(0x6000).U16(0x5821);
        z.U32(centralne[i].Crc).U32(centralne[i].S).U32(centralne[i].U);
        z.U16(static_cast<quint16>(w.Nazwa.size())).U16(static_cast<quint16>(w.Extra.size())).U16(0).U16(0).U16(0);
        z.U32(0x81A40000).U32(centralne[i].Offset).B(w.Nazwa).B(w.Extra);
    }
    const auto rozmiar = static_cast<quint32>(z.Bajty().size()) - poczatek;
    if (opcje.LokalizatorZip64)
        z.U32(0x07064B50).U32(0).U32(0).U32(0).U32(1);
    const quint16 liczba = opcje.LiczbaWpisow.value_or(static_cast<quint16>(wpisy.size()));
    z.U32(0x06054B50).U16(opcje.Dysk).U16(opcje.Dysk).U16(liczba).U16(liczba);
    z.U32(opcje.RozmiarKatalogu.value_or(rozmiar)).U32(opcje.PoczatekKatalogu.value_or(poczatek));
    z.U16(static_cast<quint16>(opcje.Komentarz.size())).B(opcje.Komentarz);
    return z.Bajty();
}
