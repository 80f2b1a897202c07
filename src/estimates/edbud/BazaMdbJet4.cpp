#include "estimates/edbud/BazaMdbJet4.h"

#include "app/Wyjatki.h"
#include "estimates/edbud/StronaDanychJet4.h"

#include <QFileInfo>

#include <glib.h>
#include <mdbtools.h>

using namespace StronaJet4;

namespace {
MdbHandle* Uchwyt(void* p)
{
    return static_cast<MdbHandle*>(p);
}

QString Nazwa(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

bool CzyTekstowa(int typ)
{
    return typ == MDB_TEXT || typ == MDB_MEMO;
}

QVariant Wartosc(int typ, const char* tekst, int dlugosc)
{
    const QString s = QString::fromUtf8(tekst, dlugosc);
    switch (typ) {
    case MDB_BOOL: {
        const QString m = s.trimmed().toLower();
        return qint64(m == QLatin1String("1") || m == QLatin1String("-1") || m == QLatin1String("true"));
    }
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: {
        bool ok = false;
        const qint64 v = s.toLongLong(&ok);
        return ok ? QVariant(v) : QVariant(s);
    }
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC: {
        // The library formats with the process locale; a comma is only ever the decimal separator here.
        QString t = s;
        if (!t.contains(QLatin1Char('.')))
            t.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double v = t.toDouble(&ok);
        return ok ? QVariant(v) : QVariant(s);
    }
    default:
        return s;
    }
}

QString JakoTekst(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

QByteArray Ucs2(const QString& s)
{
    QByteArray b(static_cast<qsizetype>(s.size()) * 2, '\0');
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t z = s[i].unicode();
        b[2 * i] = static_cast<char>(z & 0xff);
        b[2 * i + 1] = static_cast<char>(z >> 8);
    }
    return b;
}
} // namespace

struct TBazaMdbJet4::TTabela
{
    MdbCatalogEntry* Wpis = nullptr;
    MdbTableDef* Def = nullptr;
    ~TTabela()
    {
        if (Def)
            mdb_free_tabledef(Def);
    }
    int Kolumna(const QString& nazwa) const
    {
        for (unsigned i = 0; i < Def->num_cols; ++i) {
            auto* k = static_cast<MdbColumn*>(g_ptr_array_index(Def->columns, i));
            if (Nazwa(k->name).compare(nazwa, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        }
        throw EBlad(QStringLiteral("Brak kolumny „%1” w tabeli „%2”.").arg(nazwa, Nazwa(Def->name)));
    }
    MdbColumn* Kol(int i) const
    {
        return static_cast<MdbColumn*>(g_ptr_array_index(Def->columns, static_cast<guint>(i)));
    }
};

namespace {

// Whether the library can walk the table's map of pages without falling over: a map it could not read
// leaves nothing to walk, and a map of map pages must name pages inside the file (the library ends the
// process when one is missing).
bool CzyMapaStronCzytelna(MdbHandle* mdb, const MdbTableDef* def, qint64 rozmiarPliku)
{
    if (!def || !def->usage_map || def->map_sz == 0)
        return false;
    const auto* mapa = static_cast<const unsigned char*>(def->usage_map);
    if (mapa[0] == 0)
        return def->map_sz >= 5;
    if (mapa[0] != 1)
        return false;
    const qint64 liczbaStron = rozmiarPliku / mdb->fmt->pg_size;
    for (size_t i = 1; i + 4 <= def->map_sz; i += 4) {
        const quint32 strona = static_cast<quint32>(mapa[i]) | (static_cast<quint32>(mapa[i + 1]) << 8) |
                               (static_cast<quint32>(mapa[i + 2]) << 16) | (static_cast<quint32>(mapa[i + 3]) << 24);
        if (strona != 0 && static_cast<qint64>(strona) >= liczbaStron)
            return false;
    }
    return true;
}

// The catalogue (MSysObjects, whose definition is always on page 2) checked as the library will read it.
bool CzyKatalogCzytelny(MdbHandle* mdb, qint64 rozmiarPliku)
{
    MdbCatalogEntry wpis{};
    wpis.mdb = mdb;
    wpis.object_type = MDB_TABLE;
    wpis.table_pg = 2;
    qstrncpy(wpis.object_name, "MSysObjects", sizeof(wpis.object_name));
    MdbTableDef* def = mdb_read_table(&wpis);
    const bool czytelny = CzyMapaStronCzytelna(mdb, def, rozmiarPliku);
    if (def)
        mdb_free_tabledef(def);
    return czytelny;
}

} // namespace

std::unique_ptr<TBazaMdb> TBazaMdb::OtworzDoOdczytu(const QString& sciezka)
{
    return std::make_unique<TBazaMdbJet4>(sciezka, false);
}

std::unique_ptr<TBazaMdb> TBazaMdb::OtworzDoZapisu(const QString& sciezka)
{
    return std::make_unique<TBazaMdbJet4>(sciezka, true);
}

TBazaMdbJet4::TBazaMdbJet4(const QString& sciezka, bool doZapisu)
    : FSciezka(sciezka), FDoZapisu(doZapisu), FPlik(sciezka)
{
    if (!QFileInfo(sciezka).isFile())
        throw EBlad(QStringLiteral("Plik bazy danych „%1” nie istnieje.").arg(sciezka));
    // The library only ever reads; our own writes go through FPlik.
    if (!FPlik.open(doZapisu ? QIODevice::ReadWrite : QIODevice::ReadOnly))
        throw EBlad(QStringLiteral("Nie można otworzyć pliku bazy danych „%1”.").arg(sciezka));
    MdbHandle* mdb = mdb_open(QFile::encodeName(sciezka).constData(), MDB_NOFLAGS);
    if (!mdb)
        throw EBlad(QStringLiteral("Plik „%1” nie jest bazą danych Access.").arg(sciezka));
    FMdb = mdb;
    if (doZapisu && (mdb->fmt->pg_size != RozmiarStrony || mdb->f->jet_version == MDB_VER_JET3)) {
        mdb_close(mdb);
        FMdb = nullptr;
        throw EBlad(QStringLiteral("Zapis jest możliwy tylko w bazie Access 2000 lub nowszej."));
    }
    GPtrArray* katalog = CzyKatalogCzytelny(mdb, FPlik.size()) ? mdb_read_catalog(mdb, MDB_TABLE) : nullptr;
    if (!katalog) {
        mdb_close(mdb);
        FMdb = nullptr;
        throw EBlad(QStringLiteral("Plik „%1” nie jest bazą danych Access.").arg(sciezka));
    }
    for (guint i = 0; i < katalog->len; ++i) {
        auto* wpis = static_cast<MdbCatalogEntry*>(g_ptr_array_index(katalog, i));
        if (wpis->object_type == MDB_TABLE)
            FTabele.insert(Nazwa(wpis->object_name).toLower(), static_cast<int>(i));
    }
}

TBazaMdbJet4::~TBazaMdbJet4()
{
    if (FMdb)
        mdb_close(Uchwyt(FMdb));
}

bool TBazaMdbJet4::CzyTabela(const QString& tabela) const
{
    return FTabele.contains(tabela.toLower());
}

std::unique_ptr<TBazaMdbJet4::TTabela> TBazaMdbJet4::OtworzTabele(const QString& tabela) const
{
    const auto it = FTabele.constFind(tabela.toLower());
    if (it == FTabele.constEnd())
        throw EBlad(QStringLiteral("Brak tabeli „%1” w bazie danych.").arg(tabela));
    auto t = std::make_unique<TTabela>();
    t->Wpis = static_cast<MdbCatalogEntry*>(g_ptr_array_index(Uchwyt(FMdb)->catalog, static_cast<guint>(*it)));
    t->Def = mdb_read_table(t->Wpis);
    if (!t->Def || !mdb_read_columns(t->Def))
        throw EBlad(QStringLiteral("Nie można odczytać definicji tabeli „%1”.").arg(tabela));
    // A damaged table definition leaves the library without the map of the table's pages, which its row
    // scan would follow into nothing.
    if (!CzyMapaStronCzytelna(Uchwyt(FMdb), t->Def, FPlik.size()))
        throw EBlad(QStringLiteral("Nie można odczytać mapy stron tabeli „%1”.").arg(tabela));
    return t;
}

QByteArray TBazaMdbJet4::CzytajStrone(quint32 nr) const
{
    const qint64 rozmiar = Uchwyt(FMdb)->fmt->pg_size;
    QByteArray s;
    if (FPlik.seek(static_cast<qint64>(nr) * rozmiar))
        s = FPlik.read(rozmiar);
    if (s.size() != rozmiar)
        throw EBlad(QStringLiteral("Nie można odczytać strony %1 bazy danych.").arg(nr));
    return s;
}

void TBazaMdbJet4::ZapiszStrone(quint32 nr, const QByteArray& strona)
{
    if (!FPlik.seek(static_cast<qint64>(nr) * RozmiarStrony) || FPlik.write(strona) != strona.size() || !FPlik.flush())
        throw EBlad(QStringLiteral("Nie można zapisać pliku bazy danych „%1”.").arg(FSciezka));
}

std::vector<TBazaMdb::TWiersz> TBazaMdbJet4::CzytajTabele(const QString& tabela, const QStringList& kolumny) const
{
    auto t = OtworzTabele(tabela);
    return Czytaj(*t, kolumny, nullptr);
}

std::vector<TBazaMdb::TWiersz> TBazaMdbJet4::Czytaj(TTabela& t, const QStringList& kolumny,
                                                    std::vector<TMiejsce>* miejsca) const
{
    MdbHandle* mdb = Uchwyt(FMdb);
    std::vector<int> indeksy;
    for (const QString& k : kolumny)
        indeksy.push_back(t.Kolumna(k));
    const size_t rozmiar = mdb->bind_size;
    std::vector<std::vector<char>> bufory(indeksy.size(), std::vector<char>(rozmiar + 1, '\0'));
    std::vector<int> dlugosci(indeksy.size(), 0);
    for (size_t i = 0; i < indeksy.size(); ++i)
        mdb_bind_column(t.Def, indeksy[i] + 1, bufory[i].data(), &dlugosci[i]);
    mdb_rewind_table(t.Def);
    std::vector<TWiersz> wynik;
    while (mdb_fetch_row(t.Def)) {
        const TMiejsce miejsce{t.Def->cur_phys_pg, static_cast<int>(t.Def->cur_row) - 1};
        TWiersz w;
        TRozbiorWiersza rozbior;
        bool rozebrany = false;
        for (size_t i = 0; i < indeksy.size(); ++i) {
            MdbColumn* kol = t.Kol(indeksy[i]);
            const int dl = std::min<int>(dlugosci[i], static_cast<int>(rozmiar));
            QVariant v;
            if (dl > 0 || kol->col_type == MDB_BOOL) {
                v = Wartosc(kol->col_type, bufory[i].data(),
                            kol->col_type == MDB_BOOL ? static_cast<int>(qstrlen(bufory[i].data())) : dl);
            } else if (CzyTekstowa(kol->col_type)) {
                // The library gives the same empty value for NULL and for an empty text: the row's null mask
                // tells them apart.
                if (!rozebrany) {
                    const QByteArray strona = CzytajStrone(miejsce.Strona);
                    if (CzyStronaDanych(strona) && miejsce.Wiersz >= 0 && miejsce.Wiersz < LiczbaWierszy(strona)) {
                        const TPolozenieWiersza p = Wiersz(strona, miejsce.Wiersz);
                        if (p.Dlugosc > 0)
                            rozebrany = Rozbierz(strona.mid(p.Poczatek, p.Dlugosc), rozbior);
                    }
                    if (!rozebrany)
                        throw EBlad(QStringLiteral("Uszkodzony wiersz w tabeli „%1”.").arg(Nazwa(t.Def->name)));
                }
                const int bit = kol->col_num;
                const bool obecny = bit / 8 < rozbior.MaskaNull.size() &&
                                    (static_cast<quint8>(rozbior.MaskaNull[bit / 8]) & (1u << (bit % 8))) != 0;
                if (obecny)
                    v = QString(QLatin1String(""));
            }
            w.insert(kolumny[static_cast<qsizetype>(i)], v);
        }
        wynik.push_back(std::move(w));
        if (miejsca)
            miejsca->push_back(miejsce);
    }
    return wynik;
}

int TBazaMdbJet4::UstawTekst(const QString& tabela, const QString& kolumnaKlucza, const QString& klucz,
                             const QString& kolumna, const QString& wartosc)
{
    return UstawTeksty(tabela, kolumnaKlucza, {{klucz, wartosc}}, kolumna);
}

int TBazaMdbJet4::UstawTeksty(const QString& tabela, const QString& kolumnaKlucza,
                              const QHash<QString, QString>& wartosci, const QString& kolumna)
{
    if (!FDoZapisu)
        throw EBlad(QStringLiteral("Baza danych jest otwarta tylko do odczytu."));
    auto t = OtworzTabele(tabela);
    const int nr = t->Kolumna(kolumna);
    MdbColumn* kol = t->Kol(nr);
    if (kol->col_type != MDB_TEXT)
        throw EBlad(QStringLiteral("Kolumna „%1” tabeli „%2” nie jest kolumną tekstową.").arg(kolumna, tabela));
    for (const QString& wartosc : wartosci)
        if (static_cast<qsizetype>(kol->col_size) < wartosc.size() * 2)
            throw EBlad(QStringLiteral("Tekst „%1” jest dłuższy niż pozwala kolumna „%2” tabeli „%3” (%4 znaków).")
                            .arg(wartosc, kolumna, tabela)
                            .arg(kol->col_size / 2));
    // Index pages would have to be rebuilt to match; that is not done here.
    mdb_read_indices(t->Def);
    if (t->Def->num_idxs > 0 && (!t->Def->indices || t->Def->indices->len < t->Def->num_idxs))
        throw EBlad(QStringLiteral("Nie można odczytać indeksów tabeli „%1”.").arg(tabela));
    for (guint i = 0; i < t->Def->num_idxs; ++i) {
        auto* idx = static_cast<MdbIndex*>(g_ptr_array_index(t->Def->indices, i));
        for (unsigned k = 0; k < idx->num_keys && k < MDB_MAX_IDX_COLS; ++k)
            if (idx->key_col_num[k] - 1 == nr)
                throw EBlad(QStringLiteral("Kolumna „%1” tabeli „%2” należy do indeksu „%3”; zmiana jej wartości nie "
                                           "jest obsługiwana.")
                                .arg(kolumna, tabela, Nazwa(idx->name)));
    }
    std::vector<TMiejsce> miejsca;
    const std::vector<TWiersz> wiersze = Czytaj(*t, {kolumnaKlucza}, &miejsca);
    int zmienione = 0;
    for (size_t i = 0; i < wiersze.size(); ++i) {
        const QVariant& klucz = wiersze[i].value(kolumnaKlucza);
        if (klucz.isNull())
            continue;
        const auto it = wartosci.constFind(JakoTekst(klucz));
        if (it == wartosci.constEnd())
            continue;
        UstawWWierszu(*t, miejsca[i], nr, *it);
        ++zmienione;
    }
    return zmienione;
}

void TBazaMdbJet4::UstawWWierszu(const TTabela& t, const TMiejsce& miejsce, int kolumna, const QString& wartosc)
{
    const QString uszkodzony = QStringLiteral("Uszkodzony wiersz w tabeli „%1”.").arg(Nazwa(t.Def->name));
    QByteArray strona = CzytajStrone(miejsce.Strona);
    if (!CzyStronaDanych(strona) || miejsce.Wiersz < 0 || miejsce.Wiersz >= LiczbaWierszy(strona))
        throw EBlad(uszkodzony);
    const TPolozenieWiersza p = Wiersz(strona, miejsce.Wiersz);
    // A table scan never stops on a pointer row (readers skip it and read the row where it was moved to).
    if (p.Flagi & FlagaWskaznik)
        throw EBlad(uszkodzony);
    TRozbiorWiersza r;
    if (!Rozbierz(strona.mid(p.Poczatek, p.Dlugosc), r))
        throw EBlad(uszkodzony);
    MdbColumn* kol = t.Kol(kolumna);
    const int zmienna = static_cast<int>(kol->var_col_num);
    // A row written before the column was added has fewer fields; the missing ones are NULL.
    if (zmienna >= static_cast<int>(r.Zmienne.size())) {
        const int dodane = zmienna + 1 - static_cast<int>(r.Zmienne.size());
        r.Zmienne.resize(static_cast<size_t>(zmienna) + 1);
        r.LiczbaKolumn += dodane;
        r.MaskaNull.resize((r.LiczbaKolumn + 7) / 8, '\0');
    }
    const int bit = kol->col_num;
    if (bit >= r.LiczbaKolumn)
        throw EBlad(uszkodzony);
    r.Zmienne[static_cast<size_t>(zmienna)] = Ucs2(wartosc);
    r.MaskaNull[bit / 8] = static_cast<char>(static_cast<quint8>(r.MaskaNull[bit / 8]) | (1u << (bit % 8)));
    const QByteArray nowy = Zloz(r);
    if (ZastapWiersz(strona, miejsce.Wiersz, nowy, p.Flagi)) {
        ZapiszStrone(miejsce.Strona, strona);
        return;
    }
    PrzeniesWiersz(t, miejsce, strona, nowy, Nazwa(kol->name));
}

void TBazaMdbJet4::PrzeniesWiersz(const TTabela& t, const TMiejsce& miejsce, QByteArray& strona, const QByteArray& nowy,
                                  const QString& kolumna)
{
    // The row no longer fits on its page: it moves to another data page of the table with room for it, and
    // where it was stays a pointer to it (the row's entry flagged so), which every reader follows or skips
    // as the format provides; indexes keep pointing at the old place. A row that had already moved is
    // moved on and its first pointer set to the new place, so that no pointer ever leads to a pointer.
    // The table's own pages are used: a new page would have to enter its page map.
    MdbHandle* mdb = Uchwyt(FMdb);
    const quint32 tdef = static_cast<quint32>(t.Wpis->table_pg);
    std::vector<quint32> strony;
    for (gint32 nr = mdb_map_find_next(mdb, t.Def->usage_map, static_cast<unsigned>(t.Def->map_sz), 0); nr > 0;
         nr =
             mdb_map_find_next(mdb, t.Def->usage_map, static_cast<unsigned>(t.Def->map_sz), static_cast<guint32>(nr))) {
        if (!strony.empty() && static_cast<quint32>(nr) <= strony.back())
            break; // a damaged map that runs in circles
        strony.push_back(static_cast<quint32>(nr));
    }
    auto stronaTabeli = [&](const QByteArray& s) { return CzyStronaDanych(s) && Czytaj32(s, 4) == tdef; };

    quint32 stronaPierwotna = 0;
    int wierszPierwotny = -1;
    for (quint32 nr : strony) {
        const QByteArray s = nr == miejsce.Strona ? strona : CzytajStrone(nr);
        if (!stronaTabeli(s))
            continue;
        for (int i = 0; i < LiczbaWierszy(s) && wierszPierwotny < 0; ++i) {
            const TPolozenieWiersza w = Wiersz(s, i);
            quint32 celStrona = 0;
            int celWiersz = 0;
            if ((w.Flagi & FlagaUsuniety) == 0 && (w.Flagi & FlagaWskaznik) != 0 &&
                CzytajWskaznik(s.mid(w.Poczatek, w.Dlugosc), celStrona, celWiersz) && celStrona == miejsce.Strona &&
                celWiersz == miejsce.Wiersz) {
                stronaPierwotna = nr;
                wierszPierwotny = i;
            }
        }
    }
    for (quint32 nr : strony) {
        if (nr == miejsce.Strona)
            continue;
        QByteArray cel = CzytajStrone(nr);
        if (!stronaTabeli(cel))
            continue;
        const int nowyNr = DodajWiersz(cel, nowy);
        if (nowyNr < 0)
            continue;
        ZapiszStrone(nr, cel);
        if (wierszPierwotny >= 0) {
            QByteArray pierwotna = stronaPierwotna == miejsce.Strona ? strona : CzytajStrone(stronaPierwotna);
            const TPolozenieWiersza w = Wiersz(pierwotna, wierszPierwotny);
            const QByteArray wskaznik = Wskaznik(nr, nowyNr);
            std::copy(wskaznik.begin(), wskaznik.end(), pierwotna.begin() + w.Poczatek);
            if (stronaPierwotna != miejsce.Strona)
                ZapiszStrone(stronaPierwotna, pierwotna);
            else
                strona = pierwotna;
            UsunWiersz(strona, miejsce.Wiersz);
        } else {
            const TPolozenieWiersza w = Wiersz(strona, miejsce.Wiersz);
            if (!ZastapWiersz(strona, miejsce.Wiersz, Wskaznik(nr, nowyNr), w.Flagi | FlagaWskaznik))
                throw EBlad(QStringLiteral("Uszkodzony wiersz w tabeli „%1”.").arg(Nazwa(t.Def->name)));
        }
        ZapiszStrone(miejsce.Strona, strona);
        return;
    }
    throw EBlad(QStringLiteral("Nowa wartość kolumny „%1” nie mieści się na stronie danych tabeli „%2”, a żadna inna "
                               "strona tej tabeli nie ma na nią miejsca.")
                    .arg(kolumna, Nazwa(t.Def->name)));
}
