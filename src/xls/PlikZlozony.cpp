#include "xls/PlikZlozony.h"

#include "app/Wyjatki.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr int RozmiarSektora = 512;
constexpr int RozmiarMiniSektora = 64;
constexpr int ProgMiniStrumienia = 4096;
constexpr int WpisowWSektorze = RozmiarSektora / 4;
constexpr int WpisowKataloguWSektorze = RozmiarSektora / 128;
// The header holds the first 109 locations of allocation-table sectors; each further sector of the
// list holds 127 and the location of the next one.
constexpr int WpisowDifatWNaglowku = 109;
constexpr int WpisowDifatWSektorze = WpisowWSektorze - 1;

constexpr std::uint32_t SektorWolny = 0xFFFFFFFF;
constexpr std::uint32_t KoniecLancucha = 0xFFFFFFFE;
constexpr std::uint32_t SektorTablicy = 0xFFFFFFFD;
constexpr std::uint32_t SektorDifat = 0xFFFFFFFC;
constexpr std::uint32_t BrakWpisu = 0xFFFFFFFF;

void Zapisz16(char* p, std::uint16_t v)
{
    p[0] = static_cast<char>(v);
    p[1] = static_cast<char>(v >> 8);
}

void Zapisz32(char* p, std::uint32_t v)
{
    Zapisz16(p, static_cast<std::uint16_t>(v));
    Zapisz16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

qsizetype Sufit(qsizetype a, qsizetype b)
{
    return (a + b - 1) / b;
}

// Siblings in a storage are kept in a search tree ordered this way: the shorter name first, names of
// one length by their upper-case letters.
bool Mniejsza(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].toUpper().unicode(), y = b[i].toUpper().unicode();
        if (x != y)
            return x < y;
    }
    return false;
}

struct TWpis
{
    std::uint32_t Lewy = BrakWpisu, Prawy = BrakWpisu, Dziecko = BrakWpisu;
    bool Czerwony = false;
    int Glebokosc = 0;
};

// A balanced tree over the sorted entries: every level but the last is full, so colouring the last level
// red and the rest black gives every path the same number of black nodes.
std::uint32_t Drzewo(const std::vector<std::uint32_t>& posortowane, int od, int do_, int glebokosc,
                     std::vector<TWpis>& wpisy)
{
    if (od > do_)
        return BrakWpisu;
    const int srodek = od + (do_ - od) / 2;
    const std::uint32_t id = posortowane[srodek];
    wpisy[id].Glebokosc = glebokosc;
    wpisy[id].Lewy = Drzewo(posortowane, od, srodek - 1, glebokosc + 1, wpisy);
    wpisy[id].Prawy = Drzewo(posortowane, srodek + 1, do_, glebokosc + 1, wpisy);
    return id;
}

void ZapiszWpis(char* p, const QString& nazwa, std::uint8_t typ, const TWpis& w, std::uint32_t start,
                std::uint32_t rozmiar)
{
    std::memset(p, 0, 128);
    for (qsizetype i = 0; i < nazwa.size(); ++i)
        Zapisz16(p + 2 * i, nazwa[i].unicode());
    Zapisz16(p + 64, static_cast<std::uint16_t>(2 * (nazwa.size() + 1)));
    p[66] = static_cast<char>(typ);
    p[67] = w.Czerwony ? 0 : 1;
    Zapisz32(p + 68, w.Lewy);
    Zapisz32(p + 72, w.Prawy);
    Zapisz32(p + 76, w.Dziecko);
    Zapisz32(p + 116, start);
    Zapisz32(p + 120, rozmiar);
}

void SprawdzNazwe(const QString& nazwa, const std::vector<QString>& inne)
{
    if (nazwa.isEmpty() || nazwa.size() > 31 || nazwa.contains(QLatin1Char('/')) || nazwa.contains(QLatin1Char('\\')) ||
        nazwa.contains(QLatin1Char(':')) || nazwa.contains(QLatin1Char('!')))
        throw EBlad(QStringLiteral("Niepoprawna nazwa strumienia dokumentu złożonego: \"%1\".").arg(nazwa));
    for (const auto& n : inne)
        if (!Mniejsza(n, nazwa) && !Mniejsza(nazwa, n))
            throw EBlad(QStringLiteral("Strumień \"%1\" już jest w dokumencie złożonym.").arg(nazwa));
}

void SprawdzRozmiar(const QString& nazwa, qsizetype rozmiar)
{
    if (rozmiar > std::numeric_limits<std::int32_t>::max())
        throw EBlad(QStringLiteral("Strumień \"%1\" jest za duży dla dokumentu złożonego.").arg(nazwa));
}

} // namespace

void TPlikZlozony::DodajStrumien(const QString& nazwa, QByteArray dane)
{
    std::vector<QString> nazwy;
    for (const auto& s : FStrumienie)
        nazwy.push_back(s.Nazwa);
    SprawdzNazwe(nazwa, nazwy);
    SprawdzRozmiar(nazwa, dane.size());
    FStrumienie.push_back({nazwa, std::move(dane)});
}

QByteArray TPlikZlozony::Zapisz() const
{
    return Zloz(nullptr, {}, 0);
}

QByteArray TPlikZlozony::Zapisz(const QString& nazwa, QByteArray bufor, qsizetype rozmiar) const
{
    std::vector<QString> nazwy;
    for (const auto& s : FStrumienie)
        nazwy.push_back(s.Nazwa);
    SprawdzNazwe(nazwa, nazwy);
    SprawdzRozmiar(nazwa, rozmiar);
    Q_ASSERT(bufor.size() >= RozmiarNaglowka + rozmiar);
    return Zloz(&nazwa, std::move(bufor), rozmiar);
}

QByteArray TPlikZlozony::Zloz(const QString* nazwaWMiejscu, QByteArray bufor, qsizetype rozmiarWMiejscu) const
{
    // The streams, the one in place (if any) first: it alone begins at sector 0, where the buffer has it.
    struct TDane
    {
        const QString* Nazwa;
        const char* Bajty;
        qsizetype Rozmiar;
    };
    std::vector<TDane> strumienie;
    if (nazwaWMiejscu)
        strumienie.push_back({nazwaWMiejscu, bufor.constData() + RozmiarNaglowka, rozmiarWMiejscu});
    for (const auto& s : FStrumienie)
        strumienie.push_back({&s.Nazwa, s.Dane.constData(), s.Dane.size()});
    const bool wMiejscu = nazwaWMiejscu && rozmiarWMiejscu >= ProgMiniStrumienia;

    // The sectors in order: big streams, the mini stream, its allocation table, the directory, the
    // allocation table and the list of its sectors.
    const int liczba = static_cast<int>(strumienie.size());
    std::vector<std::uint32_t> starty(liczba, KoniecLancucha);
    qsizetype sektory = 0, miniSektory = 0;
    for (int i = 0; i < liczba; ++i) {
        const qsizetype n = strumienie[i].Rozmiar;
        if (n == 0)
            continue;
        if (n >= ProgMiniStrumienia) {
            starty[i] = static_cast<std::uint32_t>(sektory);
            sektory += Sufit(n, RozmiarSektora);
        } else {
            starty[i] = static_cast<std::uint32_t>(miniSektory);
            miniSektory += Sufit(n, RozmiarMiniSektora);
        }
    }
    const qsizetype startMini = sektory;
    const qsizetype sektoryMini = Sufit(miniSektory * RozmiarMiniSektora, RozmiarSektora);
    const qsizetype startMiniTablicy = startMini + sektoryMini;
    const qsizetype sektoryMiniTablicy = Sufit(miniSektory, WpisowWSektorze);
    const qsizetype startKatalogu = startMiniTablicy + sektoryMiniTablicy;
    const qsizetype sektoryKatalogu = Sufit(liczba + 1, WpisowKataloguWSektorze);
    const qsizetype startTablicy = startKatalogu + sektoryKatalogu;
    // The allocation table also covers its own sectors and those of the list of them.
    qsizetype sektoryTablicy = Sufit(startTablicy, WpisowWSektorze), sektoryDifat = 0;
    for (;;) {
        sektoryDifat = sektoryTablicy > WpisowDifatWNaglowku
                           ? Sufit(sektoryTablicy - WpisowDifatWNaglowku, WpisowDifatWSektorze)
                           : 0;
        if (sektoryTablicy * WpisowWSektorze >= startTablicy + sektoryTablicy + sektoryDifat)
            break;
        ++sektoryTablicy;
    }
    const qsizetype startDifat = startTablicy + sektoryTablicy;
    const qsizetype wszystkie = startDifat + sektoryDifat;

    const qsizetype rozmiarPliku = RozmiarSektora * (wszystkie + 1);
    QByteArray wynik;
    if (wMiejscu) {
        // The buffer grows into the file: everything but the stream is written anew, unused bytes zero.
        wynik = std::move(bufor);
        wynik.resize(rozmiarPliku);
        std::memset(wynik.data(), 0, RozmiarNaglowka);
        std::memset(wynik.data() + RozmiarNaglowka + rozmiarWMiejscu, 0,
                    rozmiarPliku - RozmiarNaglowka - rozmiarWMiejscu);
    } else {
        wynik = QByteArray(rozmiarPliku, '\0');
    }
    char* const plik = wynik.data();
    auto sektor = [plik](qsizetype nr) { return plik + RozmiarSektora * (nr + 1); };

    std::vector<std::uint32_t> tablica(sektoryTablicy * WpisowWSektorze, SektorWolny);
    auto lancuch = [](std::vector<std::uint32_t>& t, qsizetype start, qsizetype ile) {
        for (qsizetype i = 0; i < ile; ++i)
            t[start + i] = i + 1 < ile ? static_cast<std::uint32_t>(start + i + 1) : KoniecLancucha;
    };
    std::vector<std::uint32_t> miniTablica(sektoryMiniTablicy * WpisowWSektorze, SektorWolny);
    for (int i = 0; i < liczba; ++i) {
        const TDane& d = strumienie[i];
        if (d.Rozmiar == 0)
            continue;
        if (d.Rozmiar >= ProgMiniStrumienia) {
            if (!(wMiejscu && i == 0))
                std::memcpy(sektor(starty[i]), d.Bajty, d.Rozmiar);
            lancuch(tablica, starty[i], Sufit(d.Rozmiar, RozmiarSektora));
        } else {
            std::memcpy(sektor(startMini) + RozmiarMiniSektora * starty[i], d.Bajty, d.Rozmiar);
            lancuch(miniTablica, starty[i], Sufit(d.Rozmiar, RozmiarMiniSektora));
        }
    }
    lancuch(tablica, startMini, sektoryMini);
    lancuch(tablica, startMiniTablicy, sektoryMiniTablicy);
    lancuch(tablica, startKatalogu, sektoryKatalogu);
    for (qsizetype i = 0; i < sektoryTablicy; ++i)
        tablica[startTablicy + i] = SektorTablicy;
    for (qsizetype i = 0; i < sektoryDifat; ++i)
        tablica[startDifat + i] = SektorDifat;
    for (qsizetype i = 0; i < static_cast<qsizetype>(miniTablica.size()); ++i)
        Zapisz32(sektor(startMiniTablicy) + 4 * i, miniTablica[i]);
    for (qsizetype i = 0; i < static_cast<qsizetype>(tablica.size()); ++i)
        Zapisz32(sektor(startTablicy) + 4 * i, tablica[i]);

    // The list of allocation-table sectors: 109 in the header, the rest in a chain of its own sectors.
    char* const naglowek = plik;
    for (int i = 0; i < WpisowDifatWNaglowku; ++i)
        Zapisz32(naglowek + 76 + 4 * i,
                 i < sektoryTablicy ? static_cast<std::uint32_t>(startTablicy + i) : SektorWolny);
    for (qsizetype d = 0; d < sektoryDifat; ++d) {
        char* p = sektor(startDifat + d);
        for (int i = 0; i < WpisowDifatWSektorze; ++i) {
            const qsizetype nr = WpisowDifatWNaglowku + d * WpisowDifatWSektorze + i;
            Zapisz32(p + 4 * i, nr < sektoryTablicy ? static_cast<std::uint32_t>(startTablicy + nr) : SektorWolny);
        }
        Zapisz32(p + 4 * WpisowDifatWSektorze,
                 d + 1 < sektoryDifat ? static_cast<std::uint32_t>(startDifat + d + 1) : KoniecLancucha);
    }

    static const unsigned char sygnatura[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(naglowek, sygnatura, sizeof sygnatura);
    Zapisz16(naglowek + 24, 0x003E); // minor version
    Zapisz16(naglowek + 26, 0x0003); // major version: 512-byte sectors
    Zapisz16(naglowek + 28, 0xFFFE); // little-endian
    Zapisz16(naglowek + 30, 9);      // sector size 2^9
    Zapisz16(naglowek + 32, 6);      // mini sector size 2^6
    Zapisz32(naglowek + 44, static_cast<std::uint32_t>(sektoryTablicy));
    Zapisz32(naglowek + 48, static_cast<std::uint32_t>(startKatalogu));
    Zapisz32(naglowek + 56, ProgMiniStrumienia);
    Zapisz32(naglowek + 60, sektoryMiniTablicy ? static_cast<std::uint32_t>(startMiniTablicy) : KoniecLancucha);
    Zapisz32(naglowek + 64, static_cast<std::uint32_t>(sektoryMiniTablicy));
    Zapisz32(naglowek + 68, sektoryDifat ? static_cast<std::uint32_t>(startDifat) : KoniecLancucha);
    Zapisz32(naglowek + 72, static_cast<std::uint32_t>(sektoryDifat));

    // The directory: the root storage (entry 0, owner of the mini stream) and a stream per entry after it.
    std::vector<TWpis> wpisy(liczba + 1);
    std::vector<std::uint32_t> kolejnosc(liczba);
    for (int i = 0; i < liczba; ++i)
        kolejnosc[i] = i + 1;
    std::sort(kolejnosc.begin(), kolejnosc.end(), [&strumienie](std::uint32_t a, std::uint32_t b) {
        return Mniejsza(*strumienie[a - 1].Nazwa, *strumienie[b - 1].Nazwa);
    });
    wpisy[0].Dziecko = Drzewo(kolejnosc, 0, liczba - 1, 0, wpisy);
    int glebokosc = 0;
    for (int i = 1; i <= liczba; ++i)
        glebokosc = std::max(glebokosc, wpisy[i].Glebokosc);
    for (int i = 1; i <= liczba; ++i)
        wpisy[i].Czerwony = glebokosc > 0 && wpisy[i].Glebokosc == glebokosc;

    char* katalog = sektor(startKatalogu);
    ZapiszWpis(katalog, QStringLiteral("Root Entry"), 5, wpisy[0],
               miniSektory ? static_cast<std::uint32_t>(startMini) : KoniecLancucha,
               static_cast<std::uint32_t>(miniSektory * RozmiarMiniSektora));
    for (int i = 0; i < liczba; ++i)
        ZapiszWpis(katalog + 128 * (i + 1), *strumienie[i].Nazwa, 2, wpisy[i + 1], starty[i],
                   static_cast<std::uint32_t>(strumienie[i].Rozmiar));
    for (qsizetype i = liczba + 1; i < sektoryKatalogu * WpisowKataloguWSektorze; ++i) {
        // Unused entries: empty, with no siblings or child.
        char* p = katalog + 128 * i;
        Zapisz32(p + 68, BrakWpisu);
        Zapisz32(p + 72, BrakWpisu);
        Zapisz32(p + 76, BrakWpisu);
    }
    return wynik;
}
