#include "xls/RekordyBiff8.h"

#include <algorithm>
#include <bit>

TRekordyBiff8::TRekordyBiff8(qsizetype rezerwa, qsizetype przed)
    : FBufor(przed + std::max<qsizetype>(rezerwa, 64), Qt::Uninitialized), FPrzed(przed)
{
    FDane = FBufor.data() + FPrzed;
}

void TRekordyBiff8::Powieksz(qsizetype ile)
{
    FBufor.resize(std::max(FBufor.size() * 2, FPrzed + FRozmiar + ile));
    FDane = FBufor.data() + FPrzed;
}

qsizetype TRekordyBiff8::Otworz(std::uint16_t typ)
{
    const qsizetype naglowek = FRozmiar;
    U16(typ);
    U16(0);
    return naglowek;
}

void TRekordyBiff8::Zamknij(qsizetype naglowek)
{
    const qsizetype dane = naglowek + 4;
    const qsizetype dlugosc = FRozmiar - dane;
    if (dlugosc <= MaksDlugosc) {
        Popraw16(naglowek + 2, static_cast<std::uint16_t>(dlugosc));
        return;
    }
    // Pieces after the first move towards the end, last one first, each behind a CONTINUE header.
    const qsizetype kawalki = (dlugosc + MaksDlugosc - 1) / MaksDlugosc;
    Zapewnij(4 * (kawalki - 1));
    for (qsizetype i = kawalki - 1; i >= 1; --i) {
        const qsizetype ile = std::min<qsizetype>(MaksDlugosc, dlugosc - i * MaksDlugosc);
        char* cel = FDane + dane + i * (MaksDlugosc + 4);
        std::memmove(cel, FDane + dane + i * MaksDlugosc, ile);
        Wpisz16(cel - 4, Biff8::Continue);
        Wpisz16(cel - 2, static_cast<std::uint16_t>(ile));
    }
    Popraw16(naglowek + 2, MaksDlugosc);
    FRozmiar += 4 * (kawalki - 1);
}

void TRekordyBiff8::Bof(std::uint16_t rodzaj)
{
    Naglowek(Biff8::Bof, 16);
    U16(0x0600); // BIFF8
    U16(rodzaj);
    U16(0x0DBB); // build and year of the application version the records follow
    U16(0x07CC);
    U32(0);
    U32(6); // the lowest version that reads the file
}

bool TRekordyBiff8::CzyJednobajtowy(const QChar* znaki, qsizetype ile)
{
    for (qsizetype i = 0; i < ile; ++i)
        if (znaki[i].unicode() > 0xFF)
            return false;
    return true;
}

void TRekordyBiff8::Znaki(const QChar* znaki, qsizetype ile, bool jednobajtowe)
{
    if (jednobajtowe) {
        Zapewnij(ile);
        for (qsizetype i = 0; i < ile; ++i)
            FDane[FRozmiar + i] = static_cast<char>(znaki[i].unicode());
        FRozmiar += ile;
    } else if constexpr (std::endian::native == std::endian::little) {
        Bajty(znaki, 2 * ile);
    } else {
        Zapewnij(2 * ile);
        for (qsizetype i = 0; i < ile; ++i)
            Wpisz16(FDane + FRozmiar + 2 * i, znaki[i].unicode());
        FRozmiar += 2 * ile;
    }
}

void TRekordyBiff8::Tekst8(const QString& tekst)
{
    const bool jednobajtowy = CzyJednobajtowy(tekst.constData(), tekst.size());
    U8(static_cast<std::uint8_t>(tekst.size()));
    U8(jednobajtowy ? 0 : 1);
    Znaki(tekst.constData(), tekst.size(), jednobajtowy);
}

void TRekordyBiff8::Tekst16(const QString& tekst)
{
    const bool jednobajtowy = CzyJednobajtowy(tekst.constData(), tekst.size());
    U16(static_cast<std::uint16_t>(tekst.size()));
    U8(jednobajtowy ? 0 : 1);
    Znaki(tekst.constData(), tekst.size(), jednobajtowy);
}

QByteArray TRekordyBiff8::Zabierz()
{
    FBufor.resize(FPrzed + FRozmiar);
    QByteArray wynik = std::move(FBufor);
    FBufor = QByteArray();
    FDane = nullptr;
    FRozmiar = 0;
    return wynik;
}
