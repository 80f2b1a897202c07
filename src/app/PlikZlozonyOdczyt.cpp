#include "app/PlikZlozonyOdczyt.h"

#include <QString>
#include <QtEndian>

#include <cstring>
#include <unordered_set>
#include <vector>

namespace {

constexpr char KSygnatura[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr quint32 KKoniecLancucha = 0xFFFFFFFE;
constexpr qsizetype KRozmiarNaglowka = 512;
constexpr qsizetype KRozmiarWpisuKatalogu = 128;
// The header lists the allocation table's first 109 sectors.
constexpr quint32 KPozycjiDifatWNaglowku = 109;

class TCzytnik
{
public:
    explicit TCzytnik(const QByteArray& plik) : FPlik(plik) {}

    bool Naglowek()
    {
        if (FPlik.size() < KRozmiarNaglowka || std::memcmp(FPlik.constData(), KSygnatura, 8) != 0)
            return false;
        const quint16 przesuniecie = U16(0x1E);
        if (przesuniecie != 9 && przesuniecie != 12)
            return false;
        FSektor = qsizetype(1) << przesuniecie;
        const quint32 sektorowFat = U32(0x2C);
        FPierwszyKatalog = U32(0x30);
        FGranicaMini = U32(0x38);
        FPierwszyMiniFat = U32(0x3C);
        // Only the header's part of the allocation table's sector list is read: that covers files of up to
        // 109 table sectors (about 7 MB with 512-byte sectors); a larger one is not looked into.
        if (sektorowFat > KPozycjiDifatWNaglowku)
            return false;
        for (quint32 i = 0; i < sektorowFat; ++i) {
            const quint32 sektor = U32(0x4C + 4 * qsizetype(i));
            const qsizetype poczatek = Poczatek(sektor);
            if (poczatek < 0)
                return false;
            for (qsizetype k = 0; k < FSektor; k += 4)
                FFat.push_back(U32(poczatek + k));
        }
        return true;
    }

    // The chain from the sector, at most `ile` bytes of it.
    std::optional<QByteArray> Lancuch(quint32 sektor, qsizetype ile) const
    {
        QByteArray wynik;
        std::unordered_set<quint32> odwiedzone;
        while (wynik.size() < ile && sektor != KKoniecLancucha) {
            const qsizetype poczatek = Poczatek(sektor);
            if (poczatek < 0 || !odwiedzone.insert(sektor).second)
                return std::nullopt;
            wynik.append(FPlik.constData() + poczatek, std::min(FSektor, ile - wynik.size()));
            if (sektor >= FFat.size())
                return std::nullopt;
            sektor = FFat[sektor];
        }
        return wynik;
    }

    quint32 PierwszyKatalog() const { return FPierwszyKatalog; }
    quint32 PierwszyMiniFat() const { return FPierwszyMiniFat; }
    quint32 GranicaMini() const { return FGranicaMini; }
    qsizetype RozmiarPliku() const { return FPlik.size(); }

private:
    quint16 U16(qsizetype i) const { return qFromLittleEndian<quint16>(FPlik.constData() + i); }
    quint32 U32(qsizetype i) const { return qFromLittleEndian<quint32>(FPlik.constData() + i); }
    // The sector's offset in the file, or -1 when it lies outside.
    qsizetype Poczatek(quint32 sektor) const
    {
        const qsizetype poczatek = KRozmiarNaglowka + qsizetype(sektor) * FSektor;
        return sektor < 0xFFFFFFFA && poczatek + FSektor <= FPlik.size() ? poczatek : -1;
    }

    const QByteArray& FPlik;
    qsizetype FSektor = 512;
    quint32 FPierwszyKatalog = KKoniecLancucha;
    quint32 FPierwszyMiniFat = KKoniecLancucha;
    quint32 FGranicaMini = 4096;
    std::vector<quint32> FFat;
};

// A chain of 64-byte sectors of the mini stream, at most `ile` bytes of it.
std::optional<QByteArray> LancuchMini(const QByteArray& mini, const QByteArray& miniFat, quint32 sektor, qsizetype ile)
{
    constexpr qsizetype KMiniSektor = 64;
    QByteArray wynik;
    std::unordered_set<quint32> odwiedzone;
    while (wynik.size() < ile && sektor != KKoniecLancucha) {
        const qsizetype poczatek = qsizetype(sektor) * KMiniSektor;
        if (poczatek + KMiniSektor > mini.size() || 4 * qsizetype(sektor) + 4 > miniFat.size() ||
            !odwiedzone.insert(sektor).second)
            return std::nullopt;
        wynik.append(mini.constData() + poczatek, std::min(KMiniSektor, ile - wynik.size()));
        sektor = qFromLittleEndian<quint32>(miniFat.constData() + 4 * qsizetype(sektor));
    }
    return wynik;
}

} // namespace

std::optional<QByteArray> PoczatekStrumienia(const QByteArray& plik, QStringView nazwa, qsizetype ile)
{
    TCzytnik czytnik(plik);
    if (!czytnik.Naglowek())
        return std::nullopt;
    const std::optional<QByteArray> katalog = czytnik.Lancuch(czytnik.PierwszyKatalog(), czytnik.RozmiarPliku());
    if (!katalog)
        return std::nullopt;
    for (qsizetype w = 0; w + KRozmiarWpisuKatalogu <= katalog->size(); w += KRozmiarWpisuKatalogu) {
        const char* wpis = katalog->constData() + w;
        const quint16 dlugoscNazwy = qFromLittleEndian<quint16>(wpis + 0x40);
        // A stream (type 2) of the name given, its UTF-16 length counting the closing zero.
        if (wpis[0x42] != 2 || dlugoscNazwy < 2 || dlugoscNazwy > 64 || dlugoscNazwy % 2 != 0)
            continue;
        QString nazwaWpisu;
        for (int i = 0; i + 2 < dlugoscNazwy; i += 2)
            nazwaWpisu += QChar(qFromLittleEndian<quint16>(wpis + i));
        if (nazwaWpisu.compare(nazwa, Qt::CaseInsensitive) != 0)
            continue;
        const quint32 rozmiar = qFromLittleEndian<quint32>(wpis + 0x78);
        const quint32 sektor = qFromLittleEndian<quint32>(wpis + 0x74);
        const qsizetype potrzeba = std::min<qsizetype>(ile, rozmiar);
        std::optional<QByteArray> wynik;
        if (rozmiar >= czytnik.GranicaMini()) {
            wynik = czytnik.Lancuch(sektor, potrzeba);
        } else {
            // A small stream lies in the mini stream, which is the root entry's own stream.
            const char* korzen = katalog->constData();
            const auto mini =
                czytnik.Lancuch(qFromLittleEndian<quint32>(korzen + 0x74), qFromLittleEndian<quint32>(korzen + 0x78));
            const auto miniFat = czytnik.Lancuch(czytnik.PierwszyMiniFat(), czytnik.RozmiarPliku());
            if (mini && miniFat)
                wynik = LancuchMini(*mini, *miniFat, sektor, potrzeba);
        }
        if (wynik && wynik->size() < potrzeba)
            return std::nullopt;
        return wynik;
    }
    return std::nullopt;
}
