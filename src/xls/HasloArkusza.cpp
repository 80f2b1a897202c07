#include "xls/HasloArkusza.h"

#include "app/Kodowanie.h"

// The bytes from the last to the first, then the length, each XORed into the value rotated left within
// 15 bits.
std::uint16_t WeryfikatorHaslaArkusza(const QByteArray& bajty)
{
    std::uint16_t w = 0;
    const auto dodaj = [&w](unsigned b) {
        w = static_cast<std::uint16_t>((((w >> 14) & 1) | ((w << 1) & 0x7FFF)) ^ b);
    };
    for (qsizetype i = bajty.size(); i > 0; --i)
        dodaj(static_cast<std::uint8_t>(bajty[i - 1]));
    dodaj(static_cast<unsigned>(bajty.size()));
    return static_cast<std::uint16_t>(w ^ 0xCE4B);
}

std::uint16_t WeryfikatorHaslaArkusza(const QString& haslo)
{
    return WeryfikatorHaslaArkusza(NaWindows1250(haslo));
}
