// Finding comments in a Word 97 document without the office, through its compound file's text stream.
#include "docs/KomentarzeDoc.h"
#include "app/PlikZlozonyOdczyt.h"
#include "support/Pomocnicze.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray Dokument(const char* nazwa)
{
    return CzytajPlik(QStringLiteral(VELOSTRA_TEST_DATA "/docs/") + QLatin1String(nazwa));
}

// The file with one entry of its allocation table's first sector changed.
QByteArray ZeZmienionymWpisemFat(QByteArray plik, quint32 wpis, quint32 wartosc)
{
    const quint32 sektorFat = qFromLittleEndian<quint32>(plik.constData() + 0x4C);
    qToLittleEndian(wartosc, plik.data() + 512 + 512 * qsizetype(sektorFat) + 4 * qsizetype(wpis));
    return plik;
}

TEST(KomentarzeDoc, RozpoznajeKomentarzeIOdrzucaUszkodzone)
{
    const QByteArray zKomentarzami = Dokument("komentarze.doc");
    const QByteArray bez = Dokument("bez-komentarzy.doc");
    ASSERT_FALSE(zKomentarzami.isEmpty());
    ASSERT_FALSE(bez.isEmpty());
    const quint32 katalog = qFromLittleEndian<quint32>(zKomentarzami.constData() + 0x30);
    QByteArray innaSygnatura = zKomentarzami;
    innaSygnatura[0] = 'P';
    const struct
    {
        const char* Nazwa;
        QByteArray Plik;
        bool Komentarze;
    } przypadki[] = {
        {"z komentarzami", zKomentarzami, true},
        {"bez komentarzy", bez, false},
        {"inna sygnatura", innaSygnatura, false},
        {"obcięty nagłówek", zKomentarzami.left(300), false},
        {"obcięty po nagłówku", zKomentarzami.left(700), false},
        {"pusty", QByteArray(), false},
        {"tekst", QByteArray("To nie jest dokument.").repeated(40), false},
        // The directory's chain leads back to itself, or out of the file.
        {"pętla", ZeZmienionymWpisemFat(zKomentarzami, katalog, katalog), false},
        {"poza plikiem", ZeZmienionymWpisemFat(zKomentarzami, katalog, 0x00FFFFFF), false},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(CzyDocMaKomentarze(p.Plik), p.Komentarze) << p.Nazwa;
    // A stream that is not there is no stream; its name is found whatever its letters' case.
    EXPECT_FALSE(PoczatekStrumienia(zKomentarzami, u"BrakTakiego", 16));
    EXPECT_EQ(PoczatekStrumienia(bez, u"worddocument", 2), QByteArray("\xEC\xA5", 2));
}

} // namespace
