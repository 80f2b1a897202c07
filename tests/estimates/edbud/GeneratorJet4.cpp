#include "estimates/edbud/GeneratorJet4.h"

#include <QFile>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {

constexpr int Strona = TGeneratorJet4::RozmiarStrony;
constexpr int NaglowekDanych = 14; // Data page: type, 1, free space, table page, 4 unknown bytes, row count.
constexpr int PoczatekKolumn = 63; // Table definition: 8-byte page header + 55-byte block (no indexes).
constexpr int OpisKolumny = 25;
constexpr quint16 FlagaUsuniecia = 0xC000; // Both high bits, as Access leaves a deleted row.
constexpr int StronaMap = 1;               // The usage-map rows of every table live on page 1.
constexpr int StronaKatalogu = 2;          // MSysObjects' definition is always page 2.

void Zapisz16(QByteArray& b, int pos, quint16 v)
{
    qToLittleEndian(v, b.data() + pos);
}
void Zapisz32(QByteArray& b, int pos, quint32 v)
{
    qToLittleEndian(v, b.data() + pos);
}
void Dopisz16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

QByteArray Ucs2(const QString& s)
{
    QByteArray wynik;
    for (const QChar z : s)
        Dopisz16(wynik, z.unicode());
    return wynik;
}

// The compressed form: after 0xFF 0xFE, characters below 0x100 take one byte; a 0x00 byte switches between
// one- and two-byte mode. A character whose low byte is 0 would read as a switch, so such texts stay plain,
// and so does any text the compression would not shorten.
QByteArray TekstJet4(const QString& s, bool kompresja)
{
    const QByteArray zwykly = Ucs2(s);
    if (!kompresja)
        return zwykly;
    QByteArray skompresowany("\xFF\xFE", 2);
    bool jednobajtowo = true;
    for (const QChar z : s) {
        const char16_t u = z.unicode();
        if ((u & 0xFF) == 0)
            return zwykly;
        const bool krotki = u < 0x100;
        if (krotki != jednobajtowo) {
            skompresowany.append('\0');
            jednobajtowo = krotki;
        }
        if (krotki)
            skompresowany.append(char(u));
        else
            Dopisz16(skompresowany, u);
    }
    return skompresowany.size() < zwykly.size() ? skompresowany : zwykly;
}

int RozmiarStalej(TGeneratorJet4::TTyp typ)
{
    switch (typ) {
    case TGeneratorJet4::TTyp::Integer:
        return 2;
    case TGeneratorJet4::TTyp::Long:
        return 4;
    case TGeneratorJet4::TTyp::Currency:
    case TGeneratorJet4::TTyp::Double:
        return 8;
    case TGeneratorJet4::TTyp::Text:
    case TGeneratorJet4::TTyp::Ole:
        return 0;
    }
    return 0;
}

bool CzyNull(const QVariant& v)
{
    return !v.isValid() || v.isNull();
}

qint64 Calkowita(const QVariant& v, qint64 min, qint64 max, const QString& kolumna)
{
    bool ok = false;
    const qint64 x = v.toLongLong(&ok);
    if (!ok || x < min || x > max || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::QString)
        throw std::invalid_argument(("niepoprawna liczba całkowita w kolumnie " + kolumna).toStdString());
    return x;
}

double Liczba(const QVariant& v, const QString& kolumna)
{
    bool ok = false;
    const double x = v.toDouble(&ok);
    if (!ok || v.typeId() == QMetaType::QString)
        throw std::invalid_argument(("niepoprawna liczba w kolumnie " + kolumna).toStdString());
    return x;
}

// RC4, which masks the header area of page 0 with a fixed key.
void Rc4(QByteArray& dane, int od, int ile, const QByteArray& klucz)
{
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(klucz[i % klucz.size()])) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (int k = 0, i = 0, j = 0; k < ile; ++k) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        dane[od + k] = char(static_cast<unsigned char>(dane[od + k]) ^ s[(s[i] + s[j]) & 0xFF]);
    }
}

QByteArray StronaNaglowka()
{
    QByteArray p(Strona, '\0');
    p[1] = 1;
    std::memcpy(p.data() + 4, "Standard Jet DB", 15);
    Zapisz32(p, 0x14, 1); // Jet 4
    // From 0x18 on, the area masked below; no database key at 0x3E, so no page is encrypted.
    Zapisz16(p, 0x3C, 1252);
    Zapisz32(p, 0x6E, 0x0409); // General sort order
    const double utworzenie = 45000.25;
    qToLittleEndian(utworzenie, p.data() + 0x72);
    // An empty password is stored as the mask derived from the creation date.
    const auto maska = static_cast<quint32>(std::floor(utworzenie));
    for (int i = 0; i < 40; i += 4)
        Zapisz32(p, 0x42 + i, maska);
    Rc4(p, 0x18, 128, QByteArray("\xC7\xDA\x39\x6B", 4));
    return p;
}

struct TStronaWierszy
{
    std::vector<int> Wiersze;
    int Zajete = 0;
};

// Rows go onto a page in order until the next one would not fit; a row never spans pages.
std::vector<TStronaWierszy> Rozmiesc(const std::vector<QByteArray>& wiersze, int zapas)
{
    std::vector<TStronaWierszy> strony(1);
    for (int i = 0; i < int(wiersze.size()); ++i) {
        const int dlugosc = int(wiersze[size_t(i)].size());
        if (NaglowekDanych + 2 + dlugosc + zapas > Strona)
            throw std::invalid_argument("wiersz nie mieści się na stronie danych");
        TStronaWierszy* s = &strony.back();
        if (NaglowekDanych + 2 * int(s->Wiersze.size() + 1) + s->Zajete + dlugosc + zapas > Strona) {
            strony.emplace_back();
            s = &strony.back();
        }
        s->Wiersze.push_back(i);
        s->Zajete += dlugosc;
    }
    return strony;
}

QByteArray StronaDanych(quint32 tdef, const std::vector<QByteArray>& wiersze, const std::vector<bool>& usuniete,
                        const TStronaWierszy& rozklad)
{
    QByteArray p(Strona, '\0');
    p[0] = 1;
    p[1] = 1;
    Zapisz32(p, 4, tdef);
    Zapisz16(p, 12, quint16(rozklad.Wiersze.size()));
    int koniec = Strona; // The first row ends at the end of the page, each next one just before it.
    for (size_t k = 0; k < rozklad.Wiersze.size(); ++k) {
        const auto i = size_t(rozklad.Wiersze[k]);
        koniec -= int(wiersze[i].size());
        std::memcpy(p.data() + koniec, wiersze[i].constData(), size_t(wiersze[i].size()));
        Zapisz16(p, NaglowekDanych + 2 * int(k), quint16(koniec | (usuniete[i] ? FlagaUsuniecia : 0)));
    }
    Zapisz16(p, 2, quint16(koniec - NaglowekDanych - 2 * int(rozklad.Wiersze.size())));
    return p;
}

// A type 0 usage map: start page, then one bit per page. 64 bytes as Access writes them, more when the
// table has over 512 pages (both readers take the map's length from its row).
QByteArray MapaUzycia(quint32 pierwsza, const std::vector<bool>& strony)
{
    QByteArray m(5 + std::max<int>(64, int(strony.size() + 7) / 8), '\0');
    Zapisz32(m, 1, pierwsza);
    for (size_t i = 0; i < strony.size(); ++i)
        if (strony[i])
            m[5 + int(i / 8)] = char(m[5 + int(i / 8)] | (1 << (i % 8)));
    return m;
}

} // namespace

int TGeneratorJet4::DodajTabele(const QString& nazwa, const std::vector<TKolumna>& kolumny)
{
    if (nazwa.isEmpty() || kolumny.empty() || kolumny.size() > 255)
        throw std::invalid_argument("tabela bez nazwy lub kolumn");
    for (const TKolumna& k : kolumny)
        if (k.Nazwa.isEmpty() || (k.Typ == TTyp::Text && (k.Znaki < 1 || k.Znaki > 255)))
            throw std::invalid_argument(("niepoprawna kolumna " + k.Nazwa).toStdString());
    Tabele.push_back({nazwa, kolumny, {}, {}, false, {}, {}});
    return int(Tabele.size()) - 1;
}

int TGeneratorJet4::DodajWiersz(int tabela, const QVariantList& wartosci)
{
    TTabela& t = Tabele.at(size_t(tabela));
    t.Wiersze.push_back(KodujWiersz(t, wartosci));
    t.Usuniete.push_back(false);
    return int(t.Wiersze.size()) - 1;
}

void TGeneratorJet4::UsunWiersz(int tabela, int wiersz)
{
    Tabele.at(size_t(tabela)).Usuniete.at(size_t(wiersz)) = true;
}

void TGeneratorJet4::DodajIndeks(int tabela, const QString& kolumna, const QString& nazwa, bool kluczGlowny)
{
    TTabela& t = Tabele.at(size_t(tabela));
    for (size_t i = 0; i < t.Kolumny.size(); ++i)
        if (t.Kolumny[i].Nazwa == kolumna && !nazwa.isEmpty()) {
            t.Indeksy.emplace_back(int(i), kluczGlowny);
            t.NazwyIndeksow << nazwa;
            return;
        }
    throw std::invalid_argument(("brak kolumny do indeksu: " + kolumna).toStdString());
}

void TGeneratorJet4::UstawZapasStrony(int bajty)
{
    if (bajty < 0 || bajty > Strona / 2)
        throw std::invalid_argument("niepoprawny zapas strony");
    Zapas = bajty;
}

// Row: column count, fixed columns at their offsets (space kept also when NULL), variable columns in order,
// then from the end backwards: null mask, variable column count, the variable offsets last to first, and
// the end-of-data offset.
QByteArray TGeneratorJet4::KodujWiersz(const TTabela& t, const QVariantList& wartosci)
{
    const int n = int(t.Kolumny.size());
    if (wartosci.size() != n)
        throw std::invalid_argument(("liczba wartości nie zgadza się z kolumnami tabeli " + t.Nazwa).toStdString());
    int stale = 0;
    for (const TKolumna& k : t.Kolumny)
        stale += RozmiarStalej(k.Typ);
    QByteArray wiersz;
    Dopisz16(wiersz, quint16(n));
    QByteArray pola(stale, '\0');
    QByteArray maska((n + 7) / 8, '\0');
    std::vector<QByteArray> zmienne;
    int przesuniecie = 0;
    for (int i = 0; i < n; ++i) {
        const TKolumna& k = t.Kolumny[size_t(i)];
        const QVariant& v = wartosci[i];
        const bool pusta = CzyNull(v);
        if (!pusta)
            maska[i / 8] = char(maska[i / 8] | (1 << (i % 8)));
        char* cel = pola.data() + przesuniecie;
        switch (k.Typ) {
        case TTyp::Integer:
            if (!pusta)
                qToLittleEndian(qint16(Calkowita(v, -32768, 32767, k.Nazwa)), cel);
            break;
        case TTyp::Long:
            if (!pusta)
                qToLittleEndian(qint32(Calkowita(v, INT32_MIN, INT32_MAX, k.Nazwa)), cel);
            break;
        case TTyp::Double:
            if (!pusta)
                qToLittleEndian(Liczba(v, k.Nazwa), cel);
            break;
        case TTyp::Currency:
            if (!pusta)
                qToLittleEndian(qint64(std::llround(Liczba(v, k.Nazwa) * 10000.0)), cel);
            break;
        case TTyp::Ole:
            if (!pusta)
                throw std::invalid_argument(("kolumna " + k.Nazwa + " przyjmuje tylko NULL").toStdString());
            zmienne.emplace_back();
            break;
        case TTyp::Text: {
            if (pusta) {
                zmienne.emplace_back();
                break;
            }
            if (v.typeId() != QMetaType::QString)
                throw std::invalid_argument(("kolumna tekstowa " + k.Nazwa + " przyjmuje tylko tekst").toStdString());
            const QString s = v.toString();
            if (s.size() > k.Znaki)
                throw std::invalid_argument(("tekst dłuższy niż kolumna " + k.Nazwa).toStdString());
            zmienne.push_back(TekstJet4(s, k.Kompresja));
            break;
        }
        }
        przesuniecie += RozmiarStalej(k.Typ);
    }
    wiersz += pola;
    if (!zmienne.empty()) {
        std::vector<int> poczatki;
        for (const QByteArray& z : zmienne) {
            poczatki.push_back(int(wiersz.size()));
            wiersz += z;
        }
        Dopisz16(wiersz, quint16(wiersz.size()));
        for (auto it = poczatki.rbegin(); it != poczatki.rend(); ++it)
            Dopisz16(wiersz, quint16(*it));
        Dopisz16(wiersz, quint16(zmienne.size()));
    }
    wiersz += maska;
    return wiersz;
}

namespace {

// An index leaf page without entries; its parent is the table's definition page.
QByteArray PustyLiscIndeksu(quint32 definicja)
{
    QByteArray p(Strona, '\0');
    p[0] = 4;
    p[1] = 1;
    Zapisz16(p, 2, quint16(Strona - 0x1E0));
    Zapisz32(p, 4, definicja);
    return p;
}

struct TIndeksTdef
{
    int Kolumna;
    bool Glowny;
    QString Nazwa;
    quint32 StronaLiscia;
};

QByteArray StronaDefinicji(const std::vector<TGeneratorJet4::TKolumna>& kolumny, bool systemowa, quint32 wierszy,
                           quint32 mapaUzycia, quint32 mapaWolnych, const std::vector<TIndeksTdef>& indeksy)
{
    using TTyp = TGeneratorJet4::TTyp;
    QByteArray p(Strona, '\0');
    p[0] = 2;
    p[1] = 1;
    int zmiennych = 0;
    for (const auto& k : kolumny)
        zmiennych += RozmiarStalej(k.Typ) == 0 ? 1 : 0;
    const auto n = quint16(kolumny.size());
    Zapisz32(p, 16, wierszy);
    p[40] = char(systemowa ? 0x53 : 0x4E);
    Zapisz16(p, 41, n); // max_cols: no column was ever deleted
    Zapisz16(p, 43, quint16(zmiennych));
    Zapisz16(p, 45, n);
    Zapisz32(p, 47, quint32(indeksy.size())); // logical indexes
    Zapisz32(p, 51, quint32(indeksy.size())); // real indexes, one per logical one here
    Zapisz32(p, 55, mapaUzycia);
    Zapisz32(p, 59, mapaWolnych);
    int pos = PoczatekKolumn + 12 * int(indeksy.size());
    int stale = 0;
    int zmienna = 0;
    for (int i = 0; i < n; ++i) {
        const auto& k = kolumny[size_t(i)];
        const bool tekst = k.Typ == TTyp::Text;
        const bool zmiennaDl = RozmiarStalej(k.Typ) == 0;
        p[pos] = char(k.Typ);
        Zapisz16(p, pos + 5, quint16(i));
        Zapisz16(p, pos + 7, quint16(zmiennaDl ? zmienna : 0));
        Zapisz16(p, pos + 9, quint16(i));
        if (tekst)
            Zapisz16(p, pos + 11, 0x0409);
        p[pos + 15] = char(zmiennaDl ? 0x02 : 0x03); // 0x01 fixed length, 0x02 may be NULL
        p[pos + 16] = char(tekst && k.Kompresja ? 0x01 : 0x00);
        Zapisz16(p, pos + 21, quint16(zmiennaDl ? 0 : stale));
        Zapisz16(p, pos + 23, quint16(tekst ? 2 * k.Znaki : RozmiarStalej(k.Typ)));
        stale += RozmiarStalej(k.Typ);
        zmienna += zmiennaDl ? 1 : 0;
        pos += OpisKolumny;
    }
    for (const auto& k : kolumny) {
        const QByteArray nazwa = Ucs2(k.Nazwa);
        Zapisz16(p, pos, quint16(nazwa.size()));
        std::memcpy(p.data() + pos + 2, nazwa.constData(), size_t(nazwa.size()));
        pos += 2 + int(nazwa.size());
    }
    for (const TIndeksTdef& ix : indeksy) { // real index: its columns (up to 10), root page, flags
        Zapisz16(p, pos + 4, quint16(ix.Kolumna));
        p[pos + 6] = 1; // ascending
        for (int j = 1; j < 10; ++j)
            Zapisz16(p, pos + 4 + 3 * j, 0xFFFF);
        Zapisz32(p, pos + 38, ix.StronaLiscia);
        p[pos + 42] = char(ix.Glowny ? 0x09 : 0x00); // unique + required
        pos += 52;
    }
    for (size_t i = 0; i < indeksy.size(); ++i) { // logical index: number, real index used, kind
        Zapisz32(p, pos + 4, quint32(i));
        Zapisz32(p, pos + 8, quint32(i));
        Zapisz32(p, pos + 13, 0xFFFFFFFF); // not a foreign key
        p[pos + 23] = char(indeksy[i].Glowny ? 1 : 0);
        pos += 28;
    }
    for (const TIndeksTdef& ix : indeksy) {
        const QByteArray nazwa = Ucs2(ix.Nazwa);
        Zapisz16(p, pos, quint16(nazwa.size()));
        std::memcpy(p.data() + pos + 2, nazwa.constData(), size_t(nazwa.size()));
        pos += 2 + int(nazwa.size());
    }
    Zapisz16(p, pos, 0xFFFF); // end of the (empty) list of per-column usage maps
    pos += 2;
    if (pos > Strona)
        throw std::invalid_argument("definicja tabeli nie mieści się na jednej stronie");
    Zapisz32(p, 8, quint32(pos - 8));
    Zapisz16(p, 2, quint16(Strona - pos - 8));
    return p;
}

} // namespace

QByteArray TGeneratorJet4::Zbuduj() const
{
    // Page 0 header, page 1 usage maps, page 2 the catalogue's definition, then per user table its definition
    // and data pages, and last the catalogue's data pages (its rows need the user tables' page numbers).
    TTabela katalog{QStringLiteral("MSysObjects"),
                    {{QStringLiteral("Id"), TTyp::Long},
                     {QStringLiteral("Name"), TTyp::Text, 128},
                     {QStringLiteral("Type"), TTyp::Integer},
                     {QStringLiteral("Flags"), TTyp::Long},
                     {QStringLiteral("LvProp"), TTyp::Ole}},
                    {},
                    {},
                    true,
                    {},
                    {}};
    struct TUklad
    {
        const TTabela* Tabela;
        quint32 Definicja;
        quint32 PierwszaDanych;
        std::vector<TStronaWierszy> Strony;
    };
    std::vector<TUklad> uklady;
    quint32 nastepna = StronaKatalogu + 1;
    std::vector<QVariantList> wpisy{
        {2, katalog.Nazwa, 1, qint32(0x80000002), QVariant()}}; // the catalogue lists itself
    for (const TTabela& t : Tabele) {
        // Definition, then one leaf page per index, then the data pages.
        const auto indeksow = quint32(t.Indeksy.size());
        TUklad u{&t, nastepna, nastepna + 1 + indeksow, Rozmiesc(t.Wiersze, Zapas)};
        nastepna += quint32(1 + indeksow + u.Strony.size());
        wpisy.push_back({qint32(u.Definicja), t.Nazwa, 1, 0, QVariant()});
        uklady.push_back(std::move(u));
    }
    for (const QVariantList& w : wpisy) {
        katalog.Wiersze.push_back(KodujWiersz(katalog, w));
        katalog.Usuniete.push_back(false);
    }
    uklady.insert(uklady.begin(), TUklad{&katalog, StronaKatalogu, nastepna, Rozmiesc(katalog.Wiersze, 0)});
    nastepna += quint32(uklady.front().Strony.size());

    QByteArray plik;
    plik.reserve(qsizetype(nastepna) * Strona);
    plik += StronaNaglowka();
    std::vector<QByteArray> mapy;
    std::vector<QByteArray> strony(nastepna);
    for (size_t u = 0; u < uklady.size(); ++u) {
        const TUklad& uk = uklady[u];
        std::vector<bool> uzyte(uk.Strony.size(), true);
        std::vector<bool> wolne;
        quint32 zywych = 0;
        for (size_t s = 0; s < uk.Strony.size(); ++s) {
            const QByteArray strona = StronaDanych(uk.Definicja, uk.Tabela->Wiersze, uk.Tabela->Usuniete, uk.Strony[s]);
            wolne.push_back(qFromLittleEndian<quint16>(strona.constData() + 2) > 0);
            strony[uk.PierwszaDanych + s] = strona;
        }
        for (const bool usuniety : uk.Tabela->Usuniete)
            zywych += usuniety ? 0 : 1;
        mapy.push_back(MapaUzycia(uk.PierwszaDanych, uzyte));
        mapy.push_back(MapaUzycia(uk.PierwszaDanych, wolne));
        // A usage map is addressed as a row: page number shifted by 8, row number in the low byte.
        const auto wiersz = quint32(mapy.size() - 2);
        std::vector<TIndeksTdef> indeksy;
        for (size_t i = 0; i < uk.Tabela->Indeksy.size(); ++i) {
            const quint32 lisc = uk.Definicja + 1 + quint32(i);
            indeksy.push_back({uk.Tabela->Indeksy[i].first, uk.Tabela->Indeksy[i].second,
                               uk.Tabela->NazwyIndeksow[qsizetype(i)], lisc});
            strony[lisc] = PustyLiscIndeksu(uk.Definicja);
        }
        strony[uk.Definicja] = StronaDefinicji(uk.Tabela->Kolumny, uk.Tabela->Systemowa, zywych,
                                               (StronaMap << 8) | wiersz, (StronaMap << 8) | (wiersz + 1), indeksy);
    }
    TStronaWierszy rozkladMap;
    for (size_t i = 0; i < mapy.size(); ++i) {
        rozkladMap.Wiersze.push_back(int(i));
        rozkladMap.Zajete += int(mapy[i].size());
    }
    if (NaglowekDanych + 2 * int(mapy.size()) + rozkladMap.Zajete > Strona)
        throw std::invalid_argument("mapy użycia stron nie mieszczą się na stronie 1");
    strony[StronaMap] = StronaDanych(0, mapy, std::vector<bool>(mapy.size(), false), rozkladMap);
    for (quint32 s = 1; s < nastepna; ++s)
        plik += strony[s];
    return plik;
}

void TGeneratorJet4::Zapisz(const QString& sciezka) const
{
    const QByteArray dane = Zbuduj();
    QFile f(sciezka);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(dane) != dane.size() || !f.flush())
        throw std::runtime_error(("nie można zapisać pliku " + sciezka).toStdString());
}
