// The Access database layer against mdbtools' own tools and the independent reader mdb-reader: whole tables
// read as mdb-export shows them, and texts set on a copy change exactly the cells asked for.
#include "estimates/edbud/BazaMdb.h"
#include "app/Wyjatki.h"
#include "estimates/edbud/GeneratorJet4.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {
using TTabelaTekstowa = std::vector<QStringList>; // first row: column names

QByteArray Uruchom(const QString& program, const QStringList& argumenty,
                   const QProcessEnvironment* srodowisko = nullptr)
{
    QProcess p;
    if (srodowisko)
        p.setProcessEnvironment(*srodowisko);
    p.start(program, argumenty);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(
            (program + QStringLiteral(" zawiódł: ") + QString::fromUtf8(p.readAllStandardError())).toStdString());
    return p.readAllStandardOutput();
}

bool SaNarzedzia()
{
    return !QStandardPaths::findExecutable(QStringLiteral("mdb-export")).isEmpty();
}

QStringList Tabele(const QString& plik, bool systemowe)
{
    QStringList a{QStringLiteral("-1")};
    if (systemowe)
        a << QStringLiteral("-S");
    a << plik;
    return QString::fromUtf8(Uruchom(QStringLiteral("mdb-tables"), a)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// mdb-export with separators that no cell holds; texts stay quoted, so an empty text and NULL differ.
TTabelaTekstowa Eksport(const QString& plik, const QString& tabela)
{
    const QByteArray wynik =
        Uruchom(QStringLiteral("mdb-export"),
                {QStringLiteral("-b"), QStringLiteral("hex"), QStringLiteral("-d"), QStringLiteral("\x1f"),
                 QStringLiteral("-R"), QStringLiteral("\x1e"), plik, tabela});
    TTabelaTekstowa t;
    for (const QString& w : QString::fromUtf8(wynik).split(QChar(0x1e), Qt::SkipEmptyParts))
        t.push_back(w.split(QChar(0x1f)));
    return t;
}

std::map<QString, TTabelaTekstowa> Zrzut(const QString& plik)
{
    std::map<QString, TTabelaTekstowa> z;
    for (const QString& t : Tabele(plik, true))
        z[t] = Eksport(plik, t);
    return z;
}

QString Bajty(const QString& plik)
{
    QFile f(plik);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll().toHex()) : QString();
}

// The independent reader; empty when node or mdb-reader is not installed.
QJsonObject ZrzutMdbReader(const QString& plik)
{
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    const QString katalog = qEnvironmentVariable("VELOSTRA_NODE_MODULES");
    if (katalog.isEmpty())
        return {};
    const QString modul = katalog + QStringLiteral("/mdb-reader/lib/node/index.js");
    if (node.isEmpty() || !QFile::exists(modul))
        return {};
    const QString skrypt =
        QStringLiteral("const {default: R} = await import(process.argv[1]);"
                       "const fs = await import('fs');"
                       "const r = new R(fs.readFileSync(process.argv[2]));"
                       "const o = {};"
                       "for (const n of r.getTableNames({normalTables: true, systemTables: true}))"
                       "  try { o[n] = r.getTable(n).getData(); } catch (e) { o[n] = 'nieczytelna: ' + e.message; }"
                       "console.log(JSON.stringify(o));");
    const QByteArray wynik = Uruchom(
        node, {QStringLiteral("--input-type=module"), QStringLiteral("-e"), skrypt, QStringLiteral("--"), modul, plik});
    return QJsonDocument::fromJson(wynik).object();
}

// mdb-export writes an empty text like NULL; only mdb-reader tells them apart.
QString KomorkaEksportu(const QVariant& v)
{
    return v.toString().isEmpty() ? QString() : QLatin1Char('"') + v.toString() + QLatin1Char('"');
}

// mdb-reader's dump before, with the asked cells of one table changed (keys compared as text).
QJsonObject ZmienionyZrzutMdbReader(QJsonObject zrzut, const QString& tabela, const QString& kolumnaKlucza,
                                    const std::map<QString, QVariant>& zmiany, const QString& kolumna)
{
    QJsonArray p = zrzut[tabela].toArray();
    for (qsizetype i = 0; i < p.size(); ++i) {
        QJsonObject w = p[i].toObject();
        const auto it = zmiany.find(QString::number(w[kolumnaKlucza].toInteger()));
        if (it != zmiany.end())
            w[kolumna] = it->second.toString();
        p[i] = w;
    }
    zrzut[tabela] = p;
    return zrzut;
}

class BazaMdbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!SaNarzedzia())
            GTEST_SKIP() << "brak mdb-export";
        ASSERT_TRUE(Katalog.isValid());
    }
    QString Plik(const QString& nazwa) const { return Katalog.filePath(nazwa); }

    QString Kosztorys(int pozycji, int zapas = 0)
    {
        std::vector<TRozdzialEdbud> r{{1, QStringLiteral("1"), QStringLiteral("Roboty ziemne żółć"), 2},
                                      {2, QVariant(), QVariant(), 1}};
        std::vector<TPozycjaEdbud> p;
        for (int i = 0; i < pozycji; ++i)
            p.push_back({i + 1, 1 + i % 2, QString::number(i + 1), QStringLiteral("KNR 2-01 0101-01"),
                         QStringLiteral("Wykop ręczny ąćęłńóśźż nr %1").arg(i), QStringLiteral("m3"),
                         QStringLiteral("12,5"),
                         i % 3 ? QVariant(QStringLiteral("ST-%1").arg(i, 2, 10, QLatin1Char('0'))) : QVariant(),
                         1520.5 + i, pozycji - i});
        auto g = GeneratorKosztorysuEdbud(r, p);
        g.UsunWiersz(1, 4);
        g.UstawZapasStrony(zapas);
        const QString plik = Plik(QStringLiteral("kosztorys.mdb"));
        g.Zapisz(plik);
        return plik;
    }

    // Real Access files from two npm packages, unpacked by scripts/test.sh before the tests run (a test
    // never downloads anything itself).
    static QString PlikZPakietu(const QString& pakiet, const QString& wPaczce)
    {
        const QString katalog = qEnvironmentVariable("VELOSTRA_PAKIETY_NPM");
        const QString plik = katalog + QLatin1Char('/') + pakiet + QLatin1Char('/') + wPaczce;
        return !katalog.isEmpty() && QFile::exists(plik) ? plik : QString();
    }

    QTemporaryDir Katalog;
};

// Every user table, every column, read through the layer, gives the cells mdb-export gives (the system
// tables hold binary columns, which the layer does not interpret).
void PorownajZEksportem(const QString& plik)
{
    auto baza = TBazaMdb::OtworzDoOdczytu(plik);
    for (const QString& tabela : Tabele(plik, false)) {
        const TTabelaTekstowa eksport = Eksport(plik, tabela);
        ASSERT_FALSE(eksport.empty()) << tabela.toStdString();
        const QStringList kolumny = eksport[0];
        ASSERT_TRUE(baza->CzyTabela(tabela.toUpper()));
        const auto wiersze = baza->CzytajTabele(tabela, kolumny);
        ASSERT_EQ(wiersze.size() + 1, eksport.size()) << tabela.toStdString();
        for (size_t i = 0; i < wiersze.size(); ++i)
            for (qsizetype k = 0; k < kolumny.size(); ++k) {
                const QVariant v = wiersze[i].value(kolumny[k]);
                const QString oczekiwane = eksport[i + 1].value(k);
                const std::string gdzie =
                    (tabela + QLatin1Char('.') + kolumny[k]).toStdString() + " wiersz " + std::to_string(i);
                if (v.typeId() == QMetaType::QString)
                    EXPECT_EQ(KomorkaEksportu(v), oczekiwane) << gdzie;
                else if (v.isNull())
                    EXPECT_EQ(QString(), oczekiwane) << gdzie;
                else if (v.typeId() == QMetaType::Double)
                    EXPECT_DOUBLE_EQ(v.toDouble(), oczekiwane.toDouble()) << gdzie;
                else
                    EXPECT_EQ(v.toString(), oczekiwane) << gdzie;
            }
    }
}

// The dump before, with the asked cells changed, equals the dump after.
void SprawdzZmiane(std::map<QString, TTabelaTekstowa> przed, const QString& plik, const QString& tabela,
                   const QString& kolumnaKlucza, const std::map<QString, QVariant>& zmiany, const QString& kolumna)
{
    TTabelaTekstowa& t = przed[tabela];
    const qsizetype k = t[0].indexOf(kolumnaKlucza);
    const qsizetype c = t[0].indexOf(kolumna);
    ASSERT_GE(k, 0);
    ASSERT_GE(c, 0);
    for (size_t i = 1; i < t.size(); ++i) {
        QString klucz = t[i][k];
        if (klucz.startsWith(QLatin1Char('"')))
            klucz = klucz.mid(1, klucz.size() - 2);
        const auto it = zmiany.find(klucz);
        if (it != zmiany.end())
            t[i][c] = KomorkaEksportu(it->second);
    }
    const auto po = Zrzut(plik);
    ASSERT_EQ(przed.size(), po.size());
    for (const auto& [nazwa, wiersze] : przed)
        EXPECT_EQ(wiersze, po.at(nazwa)) << nazwa.toStdString();
}

// mdb-reader's rows in a comparable order: it lists a moved row where its data now lies.
std::map<QString, QStringList> Posortowane(const QJsonObject& o)
{
    std::map<QString, QStringList> wynik;
    for (auto it = o.begin(); it != o.end(); ++it) {
        QStringList w;
        for (const QJsonValue& v : it.value().toArray())
            w << QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
        w.sort();
        wynik[it.key()] = w;
    }
    return wynik;
}
} // namespace

TEST_F(BazaMdbTest, OdczytGeneratoraJakMdbExport)
{
    PorownajZEksportem(Kosztorys(300));
    auto baza = TBazaMdb::OtworzDoOdczytu(Plik(QStringLiteral("kosztorys.mdb")));
    EXPECT_FALSE(baza->CzyTabela(QStringLiteral("brak")));
    const auto w = baza->CzytajTabele(QStringLiteral("POSITIONS"), {QStringLiteral("PositionId"), QStringLiteral("ts"),
                                                                    QStringLiteral("price"), QStringLiteral("name")});
    ASSERT_EQ(w.size(), 299u); // one deleted
    EXPECT_EQ(w[0].value(QStringLiteral("PositionId")), QVariant(qint64(1)));
    EXPECT_TRUE(w[0].value(QStringLiteral("ts")).isNull());
    EXPECT_EQ(w[1].value(QStringLiteral("ts")), QVariant(QStringLiteral("ST-01")));
    EXPECT_EQ(w[1].value(QStringLiteral("price")), QVariant(1521.5));
    EXPECT_EQ(w[1].value(QStringLiteral("name")).toString(), QStringLiteral("Wykop ręczny ąćęłńóśźż nr 1"));
    EXPECT_EQ(w[4].value(QStringLiteral("PositionId")), QVariant(qint64(6)));
    try {
        (void)baza->CzytajTabele(QStringLiteral("positions"), {QStringLiteral("nie_ma")});
        FAIL();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Brak kolumny „nie_ma” w tabeli „positions”."));
    }
}

TEST_F(BazaMdbTest, ZapisDluzszyKrotszyRownyIWNull)
{
    const QString plik = Kosztorys(300, 300);
    const auto przed = Zrzut(plik);
    const QJsonObject przedReader = ZrzutMdbReader(plik);
    const std::map<QString, QVariant> zmiany{
        {QStringLiteral("2"), QStringLiteral("ST-01.02.03 dłuższy numer ąę")}, // longer
        {QStringLiteral("3"), QStringLiteral("S")},                            // shorter
        {QStringLiteral("6"), QStringLiteral("XY-05")},                        // same length
        {QStringLiteral("1"), QStringLiteral("ST-00 z NULL")},                 // NULL cell
        {QStringLiteral("7"), QStringLiteral("")},                             // NULL cell to empty text
        {QStringLiteral("300"), QStringLiteral("ostatni wiersz")}};
    {
        auto baza = TBazaMdb::OtworzDoZapisu(plik);
        for (const auto& [klucz, wartosc] : zmiany)
            EXPECT_EQ(baza->UstawTekst(QStringLiteral("positions"), QStringLiteral("positionid"), klucz,
                                       QStringLiteral("TS"), wartosc.toString()),
                      1)
                << klucz.toStdString();
        EXPECT_EQ(baza->UstawTekst(QStringLiteral("positions"), QStringLiteral("positionid"), QStringLiteral("6"),
                                   QStringLiteral("ts"), QStringLiteral("XY-05")),
                  1);
        // The deleted row (5) and a missing key are not found.
        EXPECT_EQ(baza->UstawTekst(QStringLiteral("positions"), QStringLiteral("positionid"), QStringLiteral("5"),
                                   QStringLiteral("ts"), QStringLiteral("x")),
                  0);
        EXPECT_EQ(baza->UstawTekst(QStringLiteral("positions"), QStringLiteral("positionid"), QStringLiteral("5000"),
                                   QStringLiteral("ts"), QStringLiteral("x")),
                  0);
        const auto w =
            baza->CzytajTabele(QStringLiteral("positions"), {QStringLiteral("positionid"), QStringLiteral("ts")});
        ASSERT_EQ(w[5].value(QStringLiteral("positionid")), QVariant(qint64(7)));
        EXPECT_EQ(w[5].value(QStringLiteral("ts")), QVariant(QString(QLatin1String(""))));
        EXPECT_FALSE(w[5].value(QStringLiteral("ts")).isNull());
        ASSERT_EQ(w[8].value(QStringLiteral("positionid")), QVariant(qint64(10)));
        EXPECT_TRUE(w[8].value(QStringLiteral("ts")).isNull()); // stays NULL
    }
    SprawdzZmiane(przed, plik, QStringLiteral("positions"), QStringLiteral("positionid"), zmiany, QStringLiteral("ts"));
    PorownajZEksportem(plik);
    if (przedReader.isEmpty())
        return;
    EXPECT_EQ(ZrzutMdbReader(plik),
              ZmienionyZrzutMdbReader(przedReader, QStringLiteral("positions"), QStringLiteral("positionid"), zmiany,
                                      QStringLiteral("ts")));
}

// Sorted rows of every table (a moved row is listed where its data now lies).
std::map<QString, std::vector<QStringList>> PosortowanyZrzut(std::map<QString, TTabelaTekstowa> z)
{
    std::map<QString, std::vector<QStringList>> wynik;
    for (auto& [nazwa, wiersze] : z) {
        std::vector<QStringList> w(wiersze.begin(), wiersze.end());
        std::sort(w.begin(), w.end(),
                  [](const QStringList& a, const QStringList& b) { return a.join(QChar(1)) < b.join(QChar(1)); });
        wynik[nazwa] = w;
    }
    return wynik;
}

// Sets the values one by one until the table has no room left; returns the keys set and their values.
struct TZapisDoSkutku
{
    std::map<QString, QVariant> Zmiany;
    QString Blad;
};

TZapisDoSkutku ZapisujDoSkutku(const QString& plik, int wierszy, int dlugosc)
{
    TZapisDoSkutku wynik;
    auto baza = TBazaMdb::OtworzDoZapisu(plik);
    for (int id = 1; id <= wierszy; ++id) {
        if (id == 5)
            continue; // deleted
        const QString wartosc = QStringLiteral("%1 ").arg(id) + QString(dlugosc, QChar(u'ż'));
        try {
            EXPECT_EQ(baza->UstawTekst(QStringLiteral("positions"), QStringLiteral("positionid"), QString::number(id),
                                       QStringLiteral("ts"), wartosc),
                      1);
            wynik.Zmiany[QString::number(id)] = wartosc;
        } catch (const EBlad& e) {
            wynik.Blad = e.Komunikat();
            break;
        }
    }
    return wynik;
}

void SprawdzPoPrzeniesieniach(const std::map<QString, TTabelaTekstowa>& przed, const QJsonObject& przedReader,
                              const QString& plik, const std::map<QString, QVariant>& zmiany)
{
    std::map<QString, TTabelaTekstowa> oczekiwane = przed;
    TTabelaTekstowa& t = oczekiwane[QStringLiteral("positions")];
    const qsizetype k = t[0].indexOf(QStringLiteral("positionid"));
    const qsizetype c = t[0].indexOf(QStringLiteral("ts"));
    for (size_t i = 1; i < t.size(); ++i) {
        const auto it = zmiany.find(t[i][k]);
        if (it != zmiany.end())
            t[i][c] = KomorkaEksportu(it->second);
    }
    EXPECT_EQ(PosortowanyZrzut(oczekiwane), PosortowanyZrzut(Zrzut(plik)));
    PorownajZEksportem(plik);
    if (przedReader.isEmpty())
        return;
    EXPECT_EQ(Posortowane(ZrzutMdbReader(plik)),
              Posortowane(ZmienionyZrzutMdbReader(przedReader, QStringLiteral("positions"),
                                                  QStringLiteral("positionid"), zmiany, QStringLiteral("ts"))));
}

// A row that no longer fits on its packed page moves to another page of the table; both readers then
// find every row once, with the new values, and every other cell as it was. A row moved once and
// lengthened again moves on, its first pointer following it.
TEST_F(BazaMdbTest, WierszPrzenoszonyNaInnaStrone)
{
    const QString plik = Kosztorys(400);
    const auto przed = Zrzut(plik);
    const QJsonObject przedReader = ZrzutMdbReader(plik);
    std::map<QString, QVariant> zmiany;
    {
        auto baza = TBazaMdb::OtworzDoZapisu(plik);
        for (const QString& wartosc :
             {QString(120, QLatin1Char('x')), QString(250, QLatin1Char('y')), QString(40, QLatin1Char('z'))}) {
            ASSERT_EQ(baza->UstawTekst(QStringLiteral("positions"), QStringLiteral("positionid"), QStringLiteral("11"),
                                       QStringLiteral("ts"), wartosc),
                      1);
            zmiany[QStringLiteral("11")] = wartosc;
        }
        const auto w =
            baza->CzytajTabele(QStringLiteral("positions"), {QStringLiteral("positionid"), QStringLiteral("ts")});
        ASSERT_EQ(w.size(), 399u);
        int ile = 0;
        for (const auto& wiersz : w)
            if (wiersz.value(QStringLiteral("positionid")) == QVariant(qint64(11))) {
                ++ile;
                EXPECT_EQ(wiersz.value(QStringLiteral("ts")).toString(), QString(40, QLatin1Char('z')));
            }
        EXPECT_EQ(ile, 1);
    }
    SprawdzPoPrzeniesieniach(przed, przedReader, plik, zmiany);
}

// Long values written into every row until no page of the table has room: the last one is refused with a
// clear message before anything of it is written, and all that was written reads back in both readers.
TEST_F(BazaMdbTest, BrakMiejscaWCalejTabeli)
{
    const QString plik = Kosztorys(400);
    const auto przed = Zrzut(plik);
    const QJsonObject przedReader = ZrzutMdbReader(plik);
    const TZapisDoSkutku zapis = ZapisujDoSkutku(plik, 400, 200);
    EXPECT_EQ(zapis.Blad,
              QStringLiteral("Nowa wartość kolumny „ts” nie mieści się na stronie danych tabeli „positions”, "
                             "a żadna inna strona tej tabeli nie ma na nią miejsca."));
    EXPECT_GE(zapis.Zmiany.size(), 2u); // the table was packed: these already moved
    SprawdzPoPrzeniesieniach(przed, przedReader, plik, zapis.Zmiany);
}

TEST_F(BazaMdbTest, ZaDlugiTekstIOdczytTylkoDoOdczytuOdrzucone)
{
    const QString plik = Kosztorys(20);
    const QString bajty = Bajty(plik);
    auto baza = TBazaMdb::OtworzDoZapisu(plik);
    EXPECT_THROW(baza->UstawTekst(QStringLiteral("positions"), QStringLiteral("positionid"), QStringLiteral("2"),
                                  QStringLiteral("ts"), QString(300, QLatin1Char('a'))),
                 EBlad);
    EXPECT_THROW(baza->UstawTekst(QStringLiteral("positions"), QStringLiteral("positionid"), QStringLiteral("2"),
                                  QStringLiteral("price"), QStringLiteral("1")),
                 EBlad);
    auto odczyt = TBazaMdb::OtworzDoOdczytu(plik);
    EXPECT_THROW(odczyt->UstawTekst(QStringLiteral("positions"), QStringLiteral("positionid"), QStringLiteral("2"),
                                    QStringLiteral("ts"), QStringLiteral("a")),
                 EBlad);
    EXPECT_EQ(Bajty(plik), bajty);
}

TEST_F(BazaMdbTest, PlikNieBazaLubBrak)
{
    EXPECT_THROW(TBazaMdb::OtworzDoOdczytu(Plik(QStringLiteral("brak.mdb"))), EBlad);
    const QString smiec = Plik(QStringLiteral("smiec.mdb"));
    QFile f(smiec);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, 'x'));
    f.close();
    EXPECT_THROW(TBazaMdb::OtworzDoOdczytu(smiec), EBlad);
}

TEST_F(BazaMdbTest, PrawdziwePlikiAccess)
{
    const QString stany = PlikZPakietu(QStringLiteral("database-js-adodb"), QStringLiteral("package/test.mdb"));
    const QString owoce = PlikZPakietu(QStringLiteral("mdb"), QStringLiteral("package/test/fruit.mdb"));
    if (stany.isEmpty() || owoce.isEmpty())
        GTEST_SKIP() << "brak plików Access z pakietów npm (VELOSTRA_PAKIETY_NPM; scripts/test.sh je rozpakowuje)";
    PorownajZEksportem(stany);
    PorownajZEksportem(owoce);

    // An indexed column is refused and the file stays as it was.
    const QString bajty = Bajty(stany);
    {
        auto baza = TBazaMdb::OtworzDoZapisu(stany);
        try {
            baza->UstawTekst(QStringLiteral("states"), QStringLiteral("Ranking"), QStringLiteral("1"),
                             QStringLiteral("State"), QStringLiteral("Kalifornia"));
            FAIL();
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QStringLiteral("Kolumna „State” tabeli „states” należy do indeksu „PrimaryKey”; "
                                                    "zmiana jej wartości nie jest obsługiwana."));
        }
    }
    EXPECT_EQ(Bajty(stany), bajty);

    // A table of a real file with deleted rows on its pages and a column that no index uses: every other
    // row, deleted row and table stays as it was.
    for (const QString& plik : {stany, owoce}) {
        auto odczyt = TBazaMdb::OtworzDoOdczytu(plik);
        const auto zapytania = odczyt->CzytajTabele(QStringLiteral("MSysQueries"), {QStringLiteral("ObjectId")});
        odczyt.reset();
        if (zapytania.empty())
            continue;
        const QString id = zapytania.front().value(QStringLiteral("ObjectId")).toString();
        const auto przed = Zrzut(plik);
        const QJsonObject przedReader = ZrzutMdbReader(plik);
        int ile = 0;
        for (const auto& w : zapytania)
            ile += w.value(QStringLiteral("ObjectId")).toString() == id;
        {
            auto baza = TBazaMdb::OtworzDoZapisu(plik);
            EXPECT_EQ(baza->UstawTekst(QStringLiteral("MSysQueries"), QStringLiteral("ObjectId"), id,
                                       QStringLiteral("Name1"), QStringLiteral("Zmieniona nazwa źródła")),
                      ile);
        }
        SprawdzZmiane(przed, plik, QStringLiteral("MSysQueries"), QStringLiteral("ObjectId"),
                      {{id, QStringLiteral("Zmieniona nazwa źródła")}}, QStringLiteral("Name1"));
        if (przedReader.isEmpty())
            continue;
        EXPECT_EQ(Posortowane(ZrzutMdbReader(plik)),
                  Posortowane(ZmienionyZrzutMdbReader(
                      przedReader, QStringLiteral("MSysQueries"), QStringLiteral("ObjectId"),
                      {{id, QStringLiteral("Zmieniona nazwa źródła")}}, QStringLiteral("Name1"))));
    }
}
