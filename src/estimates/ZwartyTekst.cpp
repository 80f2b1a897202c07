#include "estimates/ZwartyTekst.h"

#include <QUtf8StringView>

#include <emmintrin.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

bool CzySurogat(char16_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// How many characters at the start are ASCII: most of an estimate's texts are, through and through.
qsizetype PoczatekAscii(const char16_t* p, qsizetype n)
{
    qsizetype i = 0;
    const __m128i poza = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, poza), _mm_setzero_si128())) != 0xFFFF)
            break;
    }
    while (i < n && p[i] < 0x80)
        ++i;
    return i;
}

// UTF-8 bytes of the text from its first non-ASCII character on, or -1 when it holds a surrogate (such a
// text is kept in UTF-16).
qsizetype BajtowUtf8(const char16_t* p, qsizetype od, qsizetype n)
{
    qsizetype wynik = od;
    for (qsizetype i = od; i < n; ++i) {
        const char16_t c = p[i];
        if (c < 0x80)
            wynik += 1;
        else if (c < 0x800)
            wynik += 2;
        else if (CzySurogat(c))
            return -1;
        else
            wynik += 3;
    }
    return wynik;
}

void ZapiszUtf8(const char16_t* p, qsizetype ascii, qsizetype n, char* z)
{
    for (qsizetype i = 0; i < ascii; ++i)
        z[i] = static_cast<char>(p[i]);
    z += ascii;
    for (qsizetype i = ascii; i < n; ++i) {
        const char16_t c = p[i];
        if (c < 0x80) {
            *z++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *z++ = static_cast<char>(0xC0 | (c >> 6));
            *z++ = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            *z++ = static_cast<char>(0xE0 | (c >> 12));
            *z++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *z++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

// What a text takes in its block.
struct TMiara
{
    qsizetype Ascii = 0;      // characters at its start that are ASCII
    std::uint32_t Bajtow = 0; // in the block
    bool Utf16 = false;
};

TMiara Zmierz(QStringView tekst)
{
    TMiara m;
    const char16_t* p = tekst.utf16();
    m.Ascii = PoczatekAscii(p, tekst.size());
    const qsizetype utf8 = BajtowUtf8(p, m.Ascii, tekst.size());
    m.Utf16 = utf8 < 0;
    const qsizetype bajtow = m.Utf16 ? tekst.size() * 2 : utf8;
    if (bajtow >= 0x40000000)
        throw std::bad_alloc();
    m.Bajtow = static_cast<std::uint32_t>(bajtow);
    return m;
}

void Wypelnij(char* dane, QStringView tekst, const TMiara& m)
{
    if (m.Utf16)
        std::memcpy(dane, tekst.utf16(), m.Bajtow);
    else
        ZapiszUtf8(tekst.utf16(), m.Ascii, tekst.size(), dane);
}

void* Przydziel(std::size_t bajtow)
{
    void* pamiec = std::malloc(bajtow);
    if (!pamiec)
        throw std::bad_alloc();
    return pamiec;
}

std::size_t DoCzterech(std::size_t n)
{
    return (n + 3) & ~std::size_t{3};
}

} // namespace

TZwartyTekst::TZwartyTekst(QStringView tekst)
{
    if (tekst.isEmpty())
        return;
    const TMiara m = Zmierz(tekst);
    FBlok = new (Przydziel(sizeof(TBlok) + m.Bajtow)) TBlok{1, m.Bajtow | (m.Utf16 ? Utf16 : 0U)};
    Wypelnij(reinterpret_cast<char*>(FBlok + 1), tekst, m);
}

void TZwartyTekst::Razem(const QStringView* teksty, TZwartyTekst* wyniki, std::size_t ile)
{
    std::array<TMiara, 8> miary;
    std::size_t niepustych = 0;
    // The count first, then each block, four-byte aligned.
    std::size_t rozmiar = sizeof(TBlok);
    if (ile <= miary.size())
        for (std::size_t i = 0; i < ile; ++i)
            if (!teksty[i].isEmpty()) {
                ++niepustych;
                miary[i] = Zmierz(teksty[i]);
                rozmiar = DoCzterech(rozmiar) + sizeof(TBlok) + miary[i].Bajtow;
            }
    // One text (or more than a position needs) takes blocks of its own.
    if (niepustych <= 1) {
        for (std::size_t i = 0; i < ile; ++i)
            wyniki[i] = TZwartyTekst(teksty[i]);
        return;
    }
    char* poczatek = static_cast<char*>(Przydziel(rozmiar));
    new (poczatek) TBlok{static_cast<std::uint32_t>(niepustych), 0};
    std::size_t od = sizeof(TBlok);
    for (std::size_t i = 0; i < ile; ++i) {
        wyniki[i] = TZwartyTekst();
        if (teksty[i].isEmpty())
            continue;
        od = DoCzterech(od);
        const TMiara& m = miary[i];
        TBlok* blok =
            new (poczatek + od) TBlok{static_cast<std::uint32_t>(od), m.Bajtow | WGrupie | (m.Utf16 ? Utf16 : 0U)};
        Wypelnij(reinterpret_cast<char*>(blok + 1), teksty[i], m);
        wyniki[i].FBlok = blok;
        od += sizeof(TBlok) + m.Bajtow;
    }
}

QString TZwartyTekst::Tekst() const
{
    if (!FBlok)
        return {};
    if (CzyUtf16())
        return QString(reinterpret_cast<const QChar*>(Dane()), static_cast<qsizetype>(Bajtow() / 2));
    // The decoder drops a byte-order mark at the start, but it is the text's own character here.
    const char* d = Dane();
    const qsizetype n = Bajtow();
    if (n >= 3 && std::memcmp(d, "\xEF\xBB\xBF", 3) == 0)
        return QChar(0xFEFF) + QString::fromUtf8(d + 3, n - 3);
    return QString::fromUtf8(d, n);
}

bool TZwartyTekst::Rowny(QStringView tekst) const
{
    if (!FBlok)
        return tekst.isEmpty();
    if (CzyUtf16())
        return tekst.size() * 2 == static_cast<qsizetype>(Bajtow()) &&
               std::memcmp(tekst.utf16(), Dane(), Bajtow()) == 0;
    // Most texts are ASCII: compared unit by unit until the first other character.
    const char* d = Dane();
    const qsizetype n = Bajtow();
    if (tekst.size() > n)
        return false;
    qsizetype i = 0;
    for (; i < tekst.size(); ++i) {
        const char16_t c = tekst[i].unicode();
        if (c >= 0x80)
            break;
        if (static_cast<unsigned char>(d[i]) != c)
            return false;
    }
    if (i == tekst.size())
        return i == n;
    return QtPrivate::equalStrings(tekst.mid(i), QUtf8StringView(d + i, n - i));
}

bool operator==(const TZwartyTekst& a, const TZwartyTekst& b)
{
    if (a.FBlok == b.FBlok)
        return true;
    if (!a.FBlok || !b.FBlok)
        return false;
    return a.Bajtow() == b.Bajtow() && a.CzyUtf16() == b.CzyUtf16() && std::memcmp(a.Dane(), b.Dane(), a.Bajtow()) == 0;
}
