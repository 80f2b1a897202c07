#include "estimates/Windows1250.h"

#include "app/Kodowanie.h"

#include <array>
#include <cstring>

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

// The UTF-8 form of every byte, empty for the bytes the code page does not define.
const std::array<QByteArray, 256>& TablicaUtf8()
{
    static const std::array<QByteArray, 256> tablica = [] {
        std::array<QByteArray, 256> t;
        for (int b = 0; b < 256; ++b) {
            const QString z = ZWindows1250(QByteArray(1, static_cast<char>(b)));
            if (z != QString(QChar(0xFFFD)))
                t[static_cast<size_t>(b)] = z.toUtf8();
        }
        return t;
    }();
    return tablica;
}

} // namespace

QByteArray Windows1250NaUtf8(const QByteArray& bajty)
{
    const std::array<QByteArray, 256>& t = TablicaUtf8();
    // No character of the code page takes more than three bytes in UTF-8.
    QByteArray wynik(bajty.size() * 3, Qt::Uninitialized);
    char* cel = wynik.data();
    for (const char b : bajty) {
        const auto u = static_cast<unsigned char>(b);
        if (u < 0x80) {
            *cel++ = b;
        } else {
            const QByteArray& z = t[u];
            for (const char c : z)
                *cel++ = c;
        }
    }
    wynik.truncate(cel - wynik.constData());
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
