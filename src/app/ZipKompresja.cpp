#include "app/ZipKompresja.h"

#include "app/Wyjatki.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype Kawalek = 256 * 1024;

EBlad Nieprawidlowe()
{
    return EBlad(KomunikatNieprawidlowegoArchiwum());
}

quint32 Crc(quint32 crc, const char* dane, qsizetype dlugosc)
{
    return static_cast<quint32>(crc32_z(crc, reinterpret_cast<const Bytef*>(dane), static_cast<z_size_t>(dlugosc)));
}

class TDeflate
{
public:
    TDeflate()
    {
        // Negative window bits: raw deflate, the data a zlib stream carries between its header and Adler-32.
        if (deflateInit2(&FStrumien, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw EBlad(QStringLiteral("Nie udało się przygotować kompresji danych."));
    }
    ~TDeflate() { deflateEnd(&FStrumien); }
    TDeflate(const TDeflate&) = delete;
    TDeflate& operator=(const TDeflate&) = delete;

    quint64 Rozmiar() const { return FWynik.Rozmiar; }

    // `dlugosc` at most Kawalek; `koniec` flushes the stream's end.
    void Dodaj(const char* dane, qsizetype dlugosc, bool koniec)
    {
        FWynik.Crc = Crc(FWynik.Crc, dane, dlugosc);
        FWynik.Rozmiar += static_cast<quint64>(dlugosc);
        FStrumien.next_in = reinterpret_cast<const Bytef*>(dane);
        FStrumien.avail_in = static_cast<uInt>(dlugosc);
        const int tryb = koniec ? Z_FINISH : Z_NO_FLUSH;
        int wynik = Z_OK;
        do {
            FStrumien.next_out = reinterpret_cast<Bytef*>(FBufor.data());
            FStrumien.avail_out = static_cast<uInt>(FBufor.size());
            wynik = deflate(&FStrumien, tryb);
            if (wynik == Z_STREAM_ERROR)
                throw EBlad(QStringLiteral("Błąd kompresji danych."));
            FWynik.Dane.append(FBufor.data(), static_cast<qsizetype>(FBufor.size() - FStrumien.avail_out));
        } while (FStrumien.avail_out == 0 || (koniec && wynik != Z_STREAM_END));
    }

    TSkompresowane Wynik()
    {
        FWynik.Dane.squeeze();
        return std::move(FWynik);
    }

private:
    z_stream FStrumien{};
    std::vector<char> FBufor = std::vector<char>(Kawalek);
    TSkompresowane FWynik;
};

class TInflate
{
public:
    TInflate()
    {
        if (inflateInit2(&FStrumien, -MAX_WBITS) != Z_OK)
            throw EBlad(QStringLiteral("Nie udało się przygotować dekompresji danych."));
    }
    ~TInflate() { inflateEnd(&FStrumien); }
    TInflate(const TInflate&) = delete;
    TInflate& operator=(const TInflate&) = delete;

    quint32 Wykonaj(QByteArrayView dane, quint64 rozmiar, const TOdbiorcaDanych& odbiorca)
    {
        std::vector<char> bufor(Kawalek);
        quint64 wydane = 0;
        quint32 crc = 0;
        qsizetype pozycja = 0;
        for (;;) {
            if (FStrumien.avail_in == 0 && pozycja < dane.size()) {
                const qsizetype n = std::min(Kawalek, dane.size() - pozycja);
                FStrumien.next_in = reinterpret_cast<const Bytef*>(dane.data() + pozycja);
                FStrumien.avail_in = static_cast<uInt>(n);
                pozycja += n;
            }
            // One byte more than is still due: producing it proves the declared size a lie.
            const quint64 brakuje = rozmiar - wydane + 1;
            FStrumien.next_out = reinterpret_cast<Bytef*>(bufor.data());
            FStrumien.avail_out = static_cast<uInt>(std::min<quint64>(brakuje, bufor.size()));
            const uInt przed = FStrumien.avail_out;
            const uInt wejsciePrzed = FStrumien.avail_in;
            const int wynik = inflate(&FStrumien, Z_NO_FLUSH);
            const qsizetype n = static_cast<qsizetype>(przed - FStrumien.avail_out);
            wydane += static_cast<quint64>(n);
            if (wydane > rozmiar || (wynik != Z_OK && wynik != Z_STREAM_END && wynik != Z_BUF_ERROR))
                throw Nieprawidlowe();
            if (n > 0) {
                crc = Crc(crc, bufor.data(), n);
                odbiorca(bufor.data(), n);
            }
            if (wynik == Z_STREAM_END)
                break;
            // No progress with all input given: the data end before the deflate stream does.
            if (n == 0 && wejsciePrzed == FStrumien.avail_in && pozycja >= dane.size())
                throw Nieprawidlowe();
        }
        if (wydane != rozmiar)
            throw Nieprawidlowe();
        return crc;
    }

private:
    z_stream FStrumien{};
};

} // namespace

QString KomunikatNieprawidlowegoArchiwum()
{
    return QStringLiteral("Wybrany plik archiwum jest nieprawidłowy.");
}

TSkompresowane KompresujStrumien(QIODevice& zrodlo, quint64 limit, const QString& nazwa)
{
    TDeflate deflate;
    std::vector<char> bufor(Kawalek);
    for (;;) {
        const qint64 n = zrodlo.read(bufor.data(), Kawalek);
        if (n < 0)
            throw EBlad(QStringLiteral("Błąd odczytu pliku \"%1\": %2").arg(nazwa, zrodlo.errorString()));
        if (static_cast<quint64>(n) > limit - deflate.Rozmiar())
            throw EBlad(QStringLiteral("Plik \"%1\" jest zbyt duży, aby umieścić go w archiwum (ponad %2 MB).")
                            .arg(nazwa)
                            .arg(limit / (1024 * 1024)));
        deflate.Dodaj(bufor.data(), static_cast<qsizetype>(n), n == 0);
        if (n == 0)
            break;
    }
    return deflate.Wynik();
}

TSkompresowane KompresujBajty(QByteArrayView dane)
{
    TDeflate deflate;
    qsizetype pozycja = 0;
    do {
        const qsizetype n = std::min(Kawalek, dane.size() - pozycja);
        deflate.Dodaj(dane.data() + pozycja, n, pozycja + n == dane.size());
        pozycja += n;
    } while (pozycja < dane.size());
    return deflate.Wynik();
}

quint32 Dekompresuj(QByteArrayView dane, quint16 metoda, quint64 rozmiar, const TOdbiorcaDanych& odbiorca)
{
    if (metoda == 0) {
        if (static_cast<quint64>(dane.size()) != rozmiar)
            throw Nieprawidlowe();
        quint32 crc = 0;
        for (qsizetype p = 0; p < dane.size(); p += Kawalek) {
            const qsizetype n = std::min(Kawalek, dane.size() - p);
            crc = Crc(crc, dane.data() + p, n);
            odbiorca(dane.data() + p, n);
        }
        return crc;
    }
    if (metoda != 8)
        throw Nieprawidlowe();
    TInflate inflate;
    return inflate.Wykonaj(dane, rozmiar, odbiorca);
}
