#include "estimates/Windows1250.h"

#include "app/Kodowanie.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// For every UTF-16 unit its byte, or 0 when the code page has none (U+0000 itself maps to 0 as well).
const std::array<char, 0x10000>& Tablica()
{
    static const std::array<char, 0x10000> tablica = [] {
        std::array<char, 0x10000> t{};
        QByteArray wszystkie(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            wszystkie[b] = static_cast<char>(b);
        const QString znaki = ZWindows1250(wszystkie);
        for (int b = 0; b < 256; ++b)
            if (znaki[b] != QChar(0xFFFD))
                t[znaki[b].unicode()] = static_cast<char>(b);
        return t;
    }();
    return tablica;
}

// The character of every byte, as ZWindows1250 gives it.
const std::array<char16_t, 256>& TablicaZnakow()
{
    static const std::array<char16_t, 256> tablica = [] {
        QByteArray wszystkie(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            wszystkie[b] = static_cast<char>(b);
        const QString znaki = ZWindows1250(wszystkie);
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[static_cast<size_t>(b)] = znaki[b].unicode();
        return t;
    }();
    return tablica;
}

// The UTF-8 form of every byte in its three low bytes, first byte lowest, and its length in the top byte
// (0 for the bytes the code page does not define).
const std::array<quint32, 256>& TablicaUtf8()
{
    static const std::array<quint32, 256> tablica = [] {
        std::array<quint32, 256> t{};
        for (int b = 0; b < 0x80; ++b)
            t[static_cast<size_t>(b)] = (1U << 24) | static_cast<quint32>(b);
        for (int b = 0x80; b < 256; ++b) {
            const QString z = ZWindows1250(QByteArray(1, static_cast<char>(b)));
            if (z == QString(QChar(0xFFFD)))
                continue;
            const QByteArray utf8 = z.toUtf8();
            quint32 w = static_cast<quint32>(utf8.size()) << 24;
            for (qsizetype i = 0; i < utf8.size(); ++i)
                w |= static_cast<quint32>(static_cast<unsigned char>(utf8[i])) << (8 * i);
            t[static_cast<size_t>(b)] = w;
        }
        return t;
    }();
    return tablica;
}

} // namespace

char16_t ZnakWindows1250(unsigned char bajt)
{
    return TablicaZnakow()[bajt];
}

QString Windows1250NaTekst(QByteArrayView bajty)
{
    QString wynik(bajty.size(), Qt::Uninitialized);
    Windows1250DoBufora(bajty, reinterpret_cast<char16_t*>(wynik.data()));
    return wynik;
}

void Windows1250DoBufora(QByteArrayView bajty, char16_t* cel)
{
    const std::array<char16_t, 256>& t = TablicaZnakow();
    const qsizetype n = bajty.size();
    const auto* z = reinterpret_cast<const unsigned char*>(bajty.data());
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time while they are ASCII (as almost all of an estimate is), widened in registers.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z + i));
        if (_mm_movemask_epi8(v) == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(cel + i), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(cel + i + 8), _mm_unpackhi_epi8(v, zero));
        } else {
            for (int j = 0; j < 16; ++j)
                cel[i + j] = t[z[i + j]];
        }
    }
#endif
    for (; i < n; ++i)
        cel[i] = t[z[i]];
}

QByteArray Windows1250NaUtf8(const QByteArray& bajty)
{
    const std::array<quint32, 256>& t = TablicaUtf8();
    // No character of the code page takes more than three bytes in UTF-8; three are always written.
    QByteArray wynik(bajty.size() * 3, Qt::Uninitialized);
    const auto* z = reinterpret_cast<const unsigned char*>(bajty.constData());
    const qsizetype n = bajty.size();
    auto* cel = reinterpret_cast<unsigned char*>(wynik.data());
    const auto znak = [&t, &cel](unsigned char b) {
        const quint32 w = t[b];
        cel[0] = static_cast<unsigned char>(w);
        cel[1] = static_cast<unsigned char>(w >> 8);
        cel[2] = static_cast<unsigned char>(w >> 16);
        cel += w >> 24;
    };
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time while they are ASCII, as almost all of an estimate is.
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z + i));
        if (_mm_movemask_epi8(v) == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(cel), v);
            cel += 16;
        } else {
            for (int j = 0; j < 16; ++j)
                znak(z[i + j]);
        }
    }
#endif
    for (; i < n; ++i)
        znak(z[i]);
    wynik.truncate(reinterpret_cast<char*>(cel) - wynik.constData());
    return wynik;
}

void DopiszWindows1250(QStringView tekst, QByteArray& cel)
{
    const std::array<char, 0x10000>& t = Tablica();
    const auto znak = [&t](char16_t u) {
        if (u < 0x80)
            return static_cast<char>(u);
        const char b = t[u];
        return b ? b : '?';
    };
    const qsizetype poczatek = cel.size();
    const qsizetype n = tekst.size();
    cel.resize(poczatek + n);
    char* p = cel.data() + poczatek;
    const char16_t* z = tekst.utf16();
    qsizetype i = 0;
    // Four characters at a time while they are ASCII, as almost all of an estimate is.
    for (; i + 4 <= n; i += 4) {
        quint64 cztery;
        std::memcpy(&cztery, z + i, sizeof cztery);
        if (cztery & 0xFF80FF80FF80FF80ULL) {
            for (qsizetype j = i; j < i + 4; ++j)
                p[j] = znak(z[j]);
        } else {
            p[i] = static_cast<char>(z[i]);
            p[i + 1] = static_cast<char>(z[i + 1]);
            p[i + 2] = static_cast<char>(z[i + 2]);
            p[i + 3] = static_cast<char>(z[i + 3]);
        }
    }
    for (; i < n; ++i)
        p[i] = znak(z[i]);
}
