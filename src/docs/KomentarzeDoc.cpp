#include "docs/KomentarzeDoc.h"

#include "app/PlikZlozonyOdczyt.h"

#include <QtEndian>

namespace {

constexpr quint16 KZnakWord = 0xA5EC;
// The comments' reference table is the fifth pair (offset, size) of the block's table of pairs.
constexpr qsizetype KParaKomentarzy = 4;
// The block of any Word 97 or later document fits in this many bytes.
constexpr qsizetype KRozmiarBloku = 1024;

} // namespace

bool CzyDocMaKomentarze(const QByteArray& plik)
{
    const std::optional<QByteArray> blok = PoczatekStrumienia(plik, u"WordDocument", KRozmiarBloku);
    if (!blok || blok->size() < 34)
        return false;
    const char* b = blok->constData();
    const auto u16 = [&](qsizetype i) { return qFromLittleEndian<quint16>(b + i); };
    if (u16(0) != KZnakWord)
        return false;
    // The block's parts are counted in the block itself: 16-bit words, 32-bit words, then the pairs.
    const qsizetype slow = 34 + 2 * qsizetype(u16(32));
    if (blok->size() < slow + 2)
        return false;
    const qsizetype dlugich = slow + 2 + 4 * qsizetype(u16(slow));
    if (blok->size() < dlugich + 2)
        return false;
    const qsizetype par = u16(dlugich);
    const qsizetype rozmiar = dlugich + 2 + 8 * KParaKomentarzy + 4;
    if (par <= KParaKomentarzy || blok->size() < rozmiar + 4)
        return false;
    return qFromLittleEndian<quint32>(b + rozmiar) > 0;
}
