// The Jet 4 test-file generator, checked against two independent readers: mdbtools' own programs and the
// npm package mdb-reader run with Node (skipped when Node or the package is missing).
#include "estimates/edbud/GeneratorJet4.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

using TTyp = TGeneratorJet4::TTyp;
constexpr int Strona = TGeneratorJet4::RozmiarStrony;

struct TWynik
{
    int Kod = -1;
    QByteArray Wyjscie;
    QByteArray Bledy;
};

TWynik Uruchom(const QString& program, const QStringList& argumenty, const QProcessEnvironment& srodowisko = {})
{
    QProcess p;
    if (!srodowisko.isEmpty())
        p.setProcessEnvironment(srodowisko);
    p.start(program, argumenty);
    TWynik w;
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000))
        return w;
    w.Kod = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    w.Wyjscie = p.readAllStandardOutput();
    w.Bledy = p.readAllStandardError();
    return w;
}

QStringList Linie(const QByteArray& tekst)
{
    return QString::fromUtf8(tekst).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// One table of a test database, kept as the test's own model to compare the readers against.
struct TModel
{
    QString Nazwa;
    std::vector<TGeneratorJet4::TKolumna> Kolumny;
    std::vector<QVariantList> Wiersze;
    std::vector<bool> Usuniete;
};

// The CSV mdb-export writes with "-0 NULL": texts quoted with doubled quotes, NULL bare, deleted rows absent.
// mdbtools cannot tell a zero-length text from NULL, so an empty text is NULL there.
QStringList OczekiwanyCsv(const TModel& m)
{
    QStringList naglowek;
    for (const auto& k : m.Kolumny)
        naglowek << k.Nazwa;
    QStringList linie{naglowek.join(QLatin1Char(','))};
    for (size_t i = 0; i < m.Wiersze.size(); ++i) {
        if (m.Usuniete[i])
            continue;
        QStringList pola;
        for (int k = 0; k < m.Wiersze[i].size(); ++k) {
            const QVariant& v = m.Wiersze[i][k];
            const TTyp typ = m.Kolumny[size_t(k)].Typ;
            if (!v.isValid() || (typ == TTyp::Text && v.toString().isEmpty()))
                pola << QStringLiteral("NULL");
            else if (typ == TTyp::Text)
                pola << QLatin1Char('"') + v.toString().replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                            QLatin1Char('"');
            else if (typ == TTyp::Double)
                pola << QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
            else if (typ == TTyp::Currency)
                pola << QString::number(v.toDouble(), 'f', 4);
            else
                pola << QString::number(v.toLongLong());
        }
        linie << pola.join(QLatin1Char(','));
    }
    return linie;
}

class GeneratorJet4Test : public ::testing::Test
{
protected:
    QTemporaryDir Tmp;

    QString Plik(const TGeneratorJet4& g, const QString& nazwa)
    {
        const QString sciezka = Tmp.filePath(nazwa);
        g.Zapisz(sciezka);
        return sciezka;
    }

    static void SprawdzMdbExport(const QString& plik, const TModel& m)
    {
        const TWynik w =
            Uruchom(QStringLiteral("mdb-export"), {QStringLiteral("-0"), QStringLiteral("NULL"), plik, m.Nazwa});
        ASSERT_EQ(w.Kod, 0) << w.Bledy.toStdString();
        EXPECT_TRUE(w.Bledy.isEmpty()) << w.Bledy.toStdString();
        const QStringList oczekiwane = OczekiwanyCsv(m);
        const QStringList odczytane = Linie(w.Wyjscie);
        ASSERT_EQ(odczytane.size(), oczekiwane.size()) << m.Nazwa.toStdString();
        for (qsizetype i = 0; i < oczekiwane.size(); ++i)
            EXPECT_EQ(odczytane[i], oczekiwane[i]) << m.Nazwa.toStdString() << " linia " << i;
    }

    // Empty when mdb-reader cannot be run here (the test then skips).
    static std::optional<QJsonObject> CzytajMdbReader(const QString& plik)
    {
        const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
        const QString moduly = qEnvironmentVariable("VELOSTRA_NODE_MODULES");
        if (node.isEmpty() || moduly.isEmpty() || !QFile::exists(moduly + QStringLiteral("/mdb-reader/package.json")))
            return std::nullopt;
        QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
        srodowisko.insert(QStringLiteral("VELOSTRA_NODE_MODULES"), moduly);
        const TWynik w =
            Uruchom(node, {QStringLiteral(VELOSTRA_TEST_DATA "/../estimates/edbud/czytaj_mdb.mjs"), plik}, srodowisko);
        EXPECT_EQ(w.Kod, 0) << w.Bledy.toStdString();
        return QJsonDocument::fromJson(w.Wyjscie).object();
    }

    static void SprawdzMdbReader(const QJsonObject& baza, const TModel& m)
    {
        static const std::map<TTyp, QString> typy{{TTyp::Integer, QStringLiteral("integer")},
                                                  {TTyp::Long, QStringLiteral("long")},
                                                  {TTyp::Currency, QStringLiteral("currency")},
                                                  {TTyp::Double, QStringLiteral("double")},
                                                  {TTyp::Text, QStringLiteral("text")}};
        const QJsonObject tabela = baza[QStringLiteral("dane")][m.Nazwa].toObject();
        const QJsonArray kolumny = tabela[QStringLiteral("kolumny")].toArray();
        ASSERT_EQ(kolumny.size(), qsizetype(m.Kolumny.size())) << m.Nazwa.toStdString();
        for (size_t k = 0; k < m.Kolumny.size(); ++k) {
            EXPECT_EQ(kolumny[qsizetype(k)][0].toString(), m.Kolumny[k].Nazwa);
            EXPECT_EQ(kolumny[qsizetype(k)][1].toString(), typy.at(m.Kolumny[k].Typ));
        }
        const QJsonArray wiersze = tabela[QStringLiteral("wiersze")].toArray();
        qsizetype j = 0;
        for (size_t i = 0; i < m.Wiersze.size(); ++i) {
            if (m.Usuniete[i])
                continue;
            ASSERT_LT(j, wiersze.size()) << m.Nazwa.toStdString();
            const QJsonObject w = wiersze[j++].toObject();
            ASSERT_EQ(w.size(), qsizetype(m.Kolumny.size()));
            for (size_t k = 0; k < m.Kolumny.size(); ++k) {
                const QVariant& v = m.Wiersze[i][qsizetype(k)];
                const QJsonValue o = w[m.Kolumny[k].Nazwa];
                const auto gdzie =
                    (m.Nazwa + QLatin1Char('.') + m.Kolumny[k].Nazwa + QLatin1Char(' ') + QString::number(i))
                        .toStdString();
                if (!v.isValid())
                    EXPECT_TRUE(o.isNull()) << gdzie;
                else if (m.Kolumny[k].Typ == TTyp::Text)
                    EXPECT_EQ(o.toString(QStringLiteral("<brak>")), v.toString()) << gdzie;
                else if (m.Kolumny[k].Typ == TTyp::Double)
                    EXPECT_EQ(o.toDouble(-1e308), v.toDouble()) << gdzie;
                else if (m.Kolumny[k].Typ == TTyp::Currency)
                    EXPECT_EQ(o.toString(), QString::number(v.toDouble(), 'f', 4)) << gdzie;
                else
                    EXPECT_EQ(o.toInteger(-999999), v.toLongLong()) << gdzie;
            }
        }
        EXPECT_EQ(j, wiersze.size()) << m.Nazwa.toStdString();
    }
};

TModel ModelRozdzialow(const std::vector<TRozdzialEdbud>& r, const std::vector<int>& usuniete)
{
    TModel m{QStringLiteral("chapters"),
             {{QStringLiteral("chapterid"), TTyp::Long},
              {QStringLiteral("lp"), TTyp::Text},
              {QStringLiteral("name"), TTyp::Text},
              {QStringLiteral("posorder"), TTyp::Long}},
             {},
             {}};
    for (const auto& x : r)
        m.Wiersze.push_back({x.Id, x.Lp, x.Nazwa, x.Kolejnosc});
    m.Usuniete.assign(r.size(), false);
    for (int i : usuniete)
        m.Usuniete[size_t(i)] = true;
    return m;
}

TModel ModelPozycji(const std::vector<TPozycjaEdbud>& p, const std::vector<int>& usuniete)
{
    TModel m{QStringLiteral("positions"), {}, {}, {}};
    for (const char* n : {"positionid", "chapterid"})
        m.Kolumny.push_back({QString::fromLatin1(n), TTyp::Long});
    for (const char* n : {"lp", "code", "name", "unit", "quantitystring", "ts"})
        m.Kolumny.push_back({QString::fromLatin1(n), TTyp::Text});
    m.Kolumny.push_back({QStringLiteral("price"), TTyp::Double});
    m.Kolumny.push_back({QStringLiteral("posorder"), TTyp::Long});
    for (const auto& x : p)
        m.Wiersze.push_back(
            {x.Id, x.IdRozdzialu, x.Lp, x.Kod, x.Nazwa, x.Jednostka, x.Ilosc, x.Ts, x.Cena, x.Kolejnosc});
    m.Usuniete.assign(p.size(), false);
    for (int i : usuniete)
        m.Usuniete[size_t(i)] = true;
    return m;
}

std::vector<TRozdzialEdbud> Rozdzialy()
{
    return {{10, QStringLiteral("1"), QStringLiteral("Roboty przygotowawcze"), 2},
            {20, QStringLiteral(" 2 "), QStringLiteral("Roboty ziemne – wykopy, nasypy \"ŻÓŁĆ\""), 1},
            {30, QVariant(), QVariant(), 3},
            {40, QStringLiteral("4"), QStringLiteral("Usunięty rozdział"), 4}};
}

std::vector<TPozycjaEdbud> Pozycje()
{
    return {{101, 10, QStringLiteral("1.1"), QStringLiteral("KNR 2-01 0119-01"),
             QStringLiteral("Roboty pomiarowe przy liniowych robotach ziemnych"), QStringLiteral("5"),
             QStringLiteral("1,25"), QStringLiteral("D-01.01.01"), 1520.5, 2},
            {102, 20, QStringLiteral("2.1"), QStringLiteral("KNR 2-01 0205-03"),
             QStringLiteral("Wykopy ręczne w gruncie kat. III – ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ"), QStringLiteral("7"),
             QStringLiteral("12,5*2"), QVariant(), 0.01, 1},
            {103, 20, QStringLiteral("2.2"), QString(), QStringLiteral("Pozycja bez podstawy"), QVariant(), QVariant(),
             QString(), QVariant(), 3},
            {104, 10, QStringLiteral("1.2"), QStringLiteral("kalk. własna"), QStringLiteral("Usunięta pozycja"),
             QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("ST-00"), 9.99, 4},
            {105, 30, QStringLiteral("3.1"), QStringLiteral("KNR 2-31 0104-07"),
             QStringLiteral("Podbudowa z kruszywa łamanego 0/31,5 mm"), QStringLiteral("12"), QStringLiteral("1 234,5"),
             QStringLiteral("D-04.04.02#2"), -3.75, 5}};
}

TEST_F(GeneratorJet4Test, EdbudCzytanyPrzezMdbtools)
{
    for (const bool kompresja : {true, false}) {
        SCOPED_TRACE(kompresja ? "kompresja" : "UCS-2");
        auto g = GeneratorKosztorysuEdbud(Rozdzialy(), Pozycje(), kompresja);
        g.UsunWiersz(0, 3);
        g.UsunWiersz(1, 3);
        const QString plik = Plik(g, QStringLiteral("edbud.mdb"));

        TWynik w = Uruchom(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), plik});
        ASSERT_EQ(w.Kod, 0) << w.Bledy.toStdString();
        EXPECT_EQ(Linie(w.Wyjscie), (QStringList{QStringLiteral("chapters"), QStringLiteral("positions")}));
        w = Uruchom(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), QStringLiteral("-S"), plik});
        EXPECT_EQ(Linie(w.Wyjscie), (QStringList{QStringLiteral("MSysObjects"), QStringLiteral("chapters"),
                                                 QStringLiteral("positions")}));
        w = Uruchom(QStringLiteral("mdb-ver"), {plik});
        EXPECT_EQ(Linie(w.Wyjscie), QStringList{QStringLiteral("JET4")});

        w = Uruchom(QStringLiteral("mdb-schema"), {plik});
        ASSERT_EQ(w.Kod, 0) << w.Bledy.toStdString();
        QStringList schemat;
        for (const QString& l : Linie(w.Wyjscie))
            if (!l.startsWith(QLatin1String("--")) && !l.simplified().isEmpty())
                schemat << l.simplified();
        EXPECT_EQ(schemat, (QStringList{QStringLiteral("CREATE TABLE [chapters]"),
                                        QStringLiteral("("),
                                        QStringLiteral("[chapterid] Long Integer,"),
                                        QStringLiteral("[lp] Text (255),"),
                                        QStringLiteral("[name] Text (255),"),
                                        QStringLiteral("[posorder] Long Integer"),
                                        QStringLiteral(");"),
                                        QStringLiteral("CREATE TABLE [positions]"),
                                        QStringLiteral("("),
                                        QStringLiteral("[positionid] Long Integer,"),
                                        QStringLiteral("[chapterid] Long Integer,"),
                                        QStringLiteral("[lp] Text (255),"),
                                        QStringLiteral("[code] Text (255),"),
                                        QStringLiteral("[name] Text (255),"),
                                        QStringLiteral("[unit] Text (255),"),
                                        QStringLiteral("[quantitystring] Text (255),"),
                                        QStringLiteral("[ts] Text (255),"),
                                        QStringLiteral("[price] Double,"),
                                        QStringLiteral("[posorder] Long Integer"),
                                        QStringLiteral(");")}));

        // Hand-written for the chapters, so the CSV model itself is checked once.
        w = Uruchom(QStringLiteral("mdb-export"),
                    {QStringLiteral("-0"), QStringLiteral("NULL"), plik, QStringLiteral("chapters")});
        EXPECT_EQ(Linie(w.Wyjscie),
                  (QStringList{QStringLiteral("chapterid,lp,name,posorder"),
                               QStringLiteral("10,\"1\",\"Roboty przygotowawcze\",2"),
                               QStringLiteral("20,\" 2 \",\"Roboty ziemne – wykopy, nasypy \"\"ŻÓŁĆ\"\"\",1"),
                               QStringLiteral("30,NULL,NULL,3")}));
        SprawdzMdbExport(plik, ModelPozycji(Pozycje(), {3}));
        w = Uruchom(QStringLiteral("mdb-export"), {plik, QStringLiteral("positions")});
        EXPECT_TRUE(
            Linie(w.Wyjscie).contains(QStringLiteral("102,20,\"2.1\",\"KNR 2-01 0205-03\",\"Wykopy ręczne w gruncie "
                                                     "kat. III – ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ\",\"7\",\"12,5*2\",,0.01,1")));
    }
}

TEST_F(GeneratorJet4Test, TekstSkompresowanyIZwyklyWPliku)
{
    const QByteArray nazwa = QByteArrayLiteral("Roboty przygotowawcze");
    const QByteArray skompresowany = GeneratorKosztorysuEdbud(Rozdzialy(), {}, true).Zbuduj();
    const QByteArray zwykly = GeneratorKosztorysuEdbud(Rozdzialy(), {}, false).Zbuduj();
    EXPECT_TRUE(skompresowany.contains("\xFF\xFE" + nazwa));
    const QString s = QString::fromLatin1(nazwa);
    const QByteArray ucs2(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    EXPECT_FALSE(skompresowany.contains(ucs2));
    EXPECT_TRUE(zwykly.contains(ucs2));
    EXPECT_FALSE(zwykly.contains(nazwa));
    // Letters above U+00FF switch the compressed text to two-byte mode and back: "ŻÓŁĆ" -> 0 Ż 0 Ó 0 Ł Ć 0.
    EXPECT_TRUE(skompresowany.contains(QByteArray("\"\0\x7B\x01\0\xD3\0\x41\x01\x06\x01\0\"", 13)));
}

TEST_F(GeneratorJet4Test, EdbudCzytanyPrzezMdbReader)
{
    for (const bool kompresja : {true, false}) {
        SCOPED_TRACE(kompresja ? "kompresja" : "UCS-2");
        auto g = GeneratorKosztorysuEdbud(Rozdzialy(), Pozycje(), kompresja);
        g.UsunWiersz(0, 3);
        g.UsunWiersz(1, 3);
        const auto baza = CzytajMdbReader(Plik(g, QStringLiteral("edbud.mdb")));
        if (!baza)
            GTEST_SKIP() << "brak node lub mdb-reader (VELOSTRA_NODE_MODULES)";
        EXPECT_EQ((*baza)[QStringLiteral("tabele")].toArray(),
                  (QJsonArray{QStringLiteral("chapters"), QStringLiteral("positions")}));
        SprawdzMdbReader(*baza, ModelRozdzialow(Rozdzialy(), {3}));
        SprawdzMdbReader(*baza, ModelPozycji(Pozycje(), {3}));
    }
}

TEST_F(GeneratorJet4Test, JednostkiEdbud)
{
    const std::vector<std::pair<QString, QString>> jednostki{{QStringLiteral("5"), QStringLiteral("m")},
                                                             {QStringLiteral("7"), QStringLiteral("m3")},
                                                             {QStringLiteral("12"), QStringLiteral("m²")},
                                                             {QStringLiteral("13"), QStringLiteral("szt.")}};
    const QString plik = Plik(GeneratorJednostekEdbud(jednostki), QStringLiteral("jdn.mdb"));
    TModel m{
        QStringLiteral("UNITS"), {{QStringLiteral("code"), TTyp::Text}, {QStringLiteral("name"), TTyp::Text}}, {}, {}};
    for (const auto& [kod, nazwa] : jednostki)
        m.Wiersze.push_back({kod, nazwa});
    m.Usuniete.assign(m.Wiersze.size(), false);
    const TWynik w = Uruchom(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), plik});
    EXPECT_EQ(Linie(w.Wyjscie), QStringList{QStringLiteral("UNITS")});
    SprawdzMdbExport(plik, m);
    const auto baza = CzytajMdbReader(plik);
    if (!baza)
        GTEST_SKIP() << "brak node lub mdb-reader (VELOSTRA_NODE_MODULES)";
    SprawdzMdbReader(*baza, m);
}

// Data pages of the file, grouped by the definition page of their table (page 1, the usage maps, left out).
std::map<quint32, std::vector<int>> StronyDanych(const QByteArray& plik)
{
    std::map<quint32, std::vector<int>> strony;
    for (int s = 2; s < plik.size() / Strona; ++s)
        if (plik[s * Strona] == 1)
            strony[qFromLittleEndian<quint32>(plik.constData() + s * Strona + 4)].push_back(s);
    return strony;
}

quint16 Slowo(const QByteArray& plik, int strona, int pos)
{
    return qFromLittleEndian<quint16>(plik.constData() + strona * Strona + pos);
}

std::vector<TPozycjaEdbud> WielePozycji(int ile)
{
    std::vector<TPozycjaEdbud> p;
    for (int i = 0; i < ile; ++i)
        p.push_back({i + 1, i % 3 == 0 ? 10 : 20, QStringLiteral("%1.%2").arg(i / 50 + 1).arg(i % 50 + 1),
                     QStringLiteral("KNR 2-01 %1-0%2").arg(100 + i).arg(i % 9),
                     QStringLiteral("Pozycja nr %1 – żwir, piasek, glina ").arg(i) + QString(i % 40, QChar(u'ł')),
                     i % 5 == 0 ? QVariant() : QVariant(QString::number(i % 13)), QStringLiteral("%1,5").arg(i),
                     i % 4 == 0 ? QVariant() : QVariant(QStringLiteral("D-%1").arg(i % 97)), i * 0.25 - 100.0, i});
    return p;
}

TEST_F(GeneratorJet4Test, WieleStronPelneStronyIUsunieteWiersze)
{
    const std::vector<TPozycjaEdbud> pozycje = WielePozycji(1500);
    TGeneratorJet4 g = GeneratorKosztorysuEdbud(Rozdzialy(), pozycje, true);
    std::vector<int> usuniete;
    for (int i = 3; i < 1500; i += 7)
        usuniete.push_back(i);
    usuniete.push_back(0);
    usuniete.push_back(1499);
    // Also the last row of the first page and the first row of the second one.
    const auto uklad = StronyDanych(g.Zbuduj());
    ASSERT_EQ(uklad.size(), 3u); // catalogue, chapters, positions
    const auto& stronyPozycji = std::max_element(uklad.begin(), uklad.end(), [](const auto& a, const auto& b) {
                                    return a.second.size() < b.second.size();
                                })->second;
    const int naPierwszej = Slowo(g.Zbuduj(), stronyPozycji[0], 12);
    usuniete.push_back(naPierwszej - 1);
    usuniete.push_back(naPierwszej);
    for (int i : usuniete)
        g.UsunWiersz(1, i);

    const QByteArray dane = g.Zbuduj();
    const auto strony = StronyDanych(dane);
    const std::vector<int>& sp = std::max_element(strony.begin(), strony.end(), [](const auto& a, const auto& b) {
                                     return a.second.size() < b.second.size();
                                 })->second;
    ASSERT_GE(sp.size(), 10u);
    int wierszy = 0;
    int usunietych = 0;
    for (size_t k = 0; k < sp.size(); ++k) {
        const int n = Slowo(dane, sp[k], 12);
        int najnizszy = Strona;
        for (int r = 0; r < n; ++r) {
            const quint16 poczatek = Slowo(dane, sp[k], 14 + 2 * r);
            usunietych += (poczatek & 0xC000) == 0xC000 ? 1 : 0;
            EXPECT_LT(poczatek & 0x1FFF, najnizszy) << "wiersze od końca strony";
            najnizszy = poczatek & 0x1FFF;
        }
        wierszy += n;
        const int wolne = Slowo(dane, sp[k], 2);
        EXPECT_EQ(wolne, najnizszy - 14 - 2 * n) << "strona " << sp[k];
        if (k + 1 < sp.size()) {
            // Nearly full: the next page's first row (and its offset slot) would not have fitted here.
            const int nastepny = Strona - (Slowo(dane, sp[k + 1], 14) & 0x1FFF);
            EXPECT_LT(wolne, nastepny + 2) << "strona " << sp[k];
        }
    }
    EXPECT_EQ(wierszy, 1500);
    std::sort(usuniete.begin(), usuniete.end());
    usuniete.erase(std::unique(usuniete.begin(), usuniete.end()), usuniete.end());
    EXPECT_EQ(usunietych, int(usuniete.size()));

    const QString plik = Plik(g, QStringLiteral("duzy.mdb"));
    const TModel model = ModelPozycji(pozycje, usuniete);
    SprawdzMdbExport(plik, model);
    SprawdzMdbExport(plik, ModelRozdzialow(Rozdzialy(), {}));
    const auto baza = CzytajMdbReader(plik);
    if (!baza)
        GTEST_SKIP() << "brak node lub mdb-reader (VELOSTRA_NODE_MODULES)";
    SprawdzMdbReader(*baza, model);
}

// Over 512 data pages: the usage map grows past Access's 64 bytes, which both readers follow.
TEST_F(GeneratorJet4Test, DwadziesciaTysiecyPozycji)
{
    const std::vector<TPozycjaEdbud> pozycje = WielePozycji(20000);
    const TGeneratorJet4 g = GeneratorKosztorysuEdbud(Rozdzialy(), pozycje, true);
    const QByteArray dane = g.Zbuduj();
    size_t najwiecej = 0;
    for (const auto& [tdef, sp] : StronyDanych(dane))
        najwiecej = std::max(najwiecej, sp.size());
    EXPECT_GT(najwiecej, 512u);
    const QString plik = Plik(g, QStringLiteral("20000.mdb"));
    SprawdzMdbExport(plik, ModelPozycji(pozycje, {}));
    const auto baza = CzytajMdbReader(plik);
    if (!baza)
        GTEST_SKIP() << "brak node lub mdb-reader (VELOSTRA_NODE_MODULES)";
    SprawdzMdbReader(*baza, ModelPozycji(pozycje, {}));
}

TEST_F(GeneratorJet4Test, ZapasStrony)
{
    TGeneratorJet4 g = GeneratorKosztorysuEdbud({}, WielePozycji(400), false);
    g.UstawZapasStrony(600);
    const QByteArray dane = g.Zbuduj();
    int stron = 0;
    for (const auto& [tdef, sp] : StronyDanych(dane))
        for (int s : sp) {
            EXPECT_GE(Slowo(dane, s, 2), 600) << "strona " << s;
            ++stron;
        }
    EXPECT_GE(stron, 10);
    SprawdzMdbExport(Plik(g, QStringLiteral("zapas.mdb")), ModelPozycji(WielePozycji(400), {}));
}

TEST_F(GeneratorJet4Test, TypyKolumnPustaTabelaIZnakiBezKompresji)
{
    TGeneratorJet4 g;
    TModel m{QStringLiteral("typy"),
             {{QStringLiteral("krotka"), TTyp::Integer},
              {QStringLiteral("kwota"), TTyp::Currency},
              {QStringLiteral("liczba"), TTyp::Double},
              {QStringLiteral("tekst"), TTyp::Text, 20, true},
              {QStringLiteral("dluga"), TTyp::Long}},
             {{-5, 12.3456, -0.1, QStringLiteral("a\"b,c"), INT32_MIN},
              {32767, -99.5, 1e300, QStringLiteral("zwykły"), INT32_MAX},
              {QVariant(), QVariant(), QVariant(), QStringLiteral("Ā ȁ Ġ"), QVariant()},
              {0, 1234567.89, 3.141592653589793, QStringLiteral("ABCDEFGHIJKLMNOPQRST"), 0}},
             {false, false, false, false}};
    const int t = g.DodajTabele(m.Nazwa, m.Kolumny);
    for (const auto& w : m.Wiersze)
        g.DodajWiersz(t, w);
    const int pusta = g.DodajTabele(QStringLiteral("pusta"), {{QStringLiteral("id"), TTyp::Long}});
    EXPECT_EQ(pusta, 1);
    const QString plik = Plik(g, QStringLiteral("typy.mdb"));
    // Characters with a zero low byte cannot be compressed (the zero would read as a mode switch).
    EXPECT_TRUE(g.Zbuduj().contains(QByteArray("\x00\x01\x20\x00\x01\x02\x20\x00\x20\x01", 10)));

    const TWynik w =
        Uruchom(QStringLiteral("mdb-export"), {QStringLiteral("-0"), QStringLiteral("NULL"), plik, m.Nazwa});
    EXPECT_EQ(Linie(w.Wyjscie),
              (QStringList{QStringLiteral("krotka,kwota,liczba,tekst,dluga"),
                           QStringLiteral("-5,12.3456,-0.1,\"a\"\"b,c\",-2147483648"),
                           QStringLiteral("32767,-99.5000,1e+300,\"zwykły\",2147483647"),
                           QStringLiteral("NULL,NULL,NULL,\"Ā ȁ Ġ\",NULL"),
                           QStringLiteral("0,1234567.8900,3.141592653589793,\"ABCDEFGHIJKLMNOPQRST\",0")}));
    SprawdzMdbExport(plik, m);
    const TWynik pustaCsv = Uruchom(QStringLiteral("mdb-export"), {plik, QStringLiteral("pusta")});
    EXPECT_EQ(pustaCsv.Kod, 0);
    EXPECT_EQ(Linie(pustaCsv.Wyjscie), QStringList{QStringLiteral("id")});
    const auto baza = CzytajMdbReader(plik);
    if (!baza)
        GTEST_SKIP() << "brak node lub mdb-reader (VELOSTRA_NODE_MODULES)";
    SprawdzMdbReader(*baza, m);
    EXPECT_TRUE(
        (*baza)[QStringLiteral("dane")][QStringLiteral("pusta")][QStringLiteral("wiersze")].toArray().isEmpty());
}

TEST_F(GeneratorJet4Test, NiepoprawneDaneSaOdrzucane)
{
    TGeneratorJet4 g;
    const int t =
        g.DodajTabele(QStringLiteral("t"), {{QStringLiteral("id"), TTyp::Long}, {QStringLiteral("s"), TTyp::Text, 5}});
    EXPECT_THROW(g.DodajWiersz(t, {1}), std::invalid_argument);
    EXPECT_THROW(g.DodajWiersz(t, {1, QStringLiteral("123456")}), std::invalid_argument);
    EXPECT_THROW(g.DodajWiersz(t, {QStringLiteral("1"), QStringLiteral("a")}), std::invalid_argument);
    EXPECT_THROW(g.DodajWiersz(t, {1.5, QStringLiteral("a")}), std::invalid_argument);
    EXPECT_THROW(g.DodajWiersz(t, {qint64(1) << 40, QStringLiteral("a")}), std::invalid_argument);
    EXPECT_THROW(g.DodajWiersz(t, {1, 7}), std::invalid_argument);
    EXPECT_THROW(g.UsunWiersz(t, 0), std::out_of_range);
    EXPECT_THROW(g.DodajTabele(QStringLiteral("zla"), {{QStringLiteral("s"), TTyp::Text, 256}}), std::invalid_argument);
    EXPECT_THROW(g.UstawZapasStrony(-1), std::invalid_argument);
    EXPECT_EQ(g.DodajWiersz(t, {1, QStringLiteral("abcde")}), 0);

    // A row larger than a page (16 columns of 255 Polish letters) is refused when the file is built.
    std::vector<TGeneratorJet4::TKolumna> szerokie;
    QVariantList wartosci;
    for (int i = 0; i < 16; ++i) {
        szerokie.push_back({QStringLiteral("k%1").arg(i), TTyp::Text, 255});
        wartosci << QString(255, QChar(u'ż'));
    }
    const int duza = g.DodajTabele(QStringLiteral("szeroka"), szerokie);
    g.DodajWiersz(duza, wartosci);
    EXPECT_THROW(g.Zbuduj(), std::invalid_argument);
    EXPECT_THROW(g.Zapisz(Tmp.filePath(QStringLiteral("nie/ma/folderu.mdb"))), std::invalid_argument);

    TGeneratorJet4 dobry = GeneratorJednostekEdbud({{QStringLiteral("1"), QStringLiteral("m")}});
    EXPECT_THROW(dobry.Zapisz(Tmp.filePath(QStringLiteral("nie/ma/folderu.mdb"))), std::runtime_error);
}

TEST_F(GeneratorJet4Test, ZadeklarowanyIndeks)
{
    TGeneratorJet4 g = GeneratorKosztorysuEdbud(Rozdzialy(), Pozycje(), true);
    g.DodajIndeks(1, QStringLiteral("positionid"), QStringLiteral("PrimaryKey"), true);
    g.DodajIndeks(1, QStringLiteral("ts"), QStringLiteral("ts_idx"));
    EXPECT_THROW(g.DodajIndeks(1, QStringLiteral("brak"), QStringLiteral("x")), std::invalid_argument);
    g.UsunWiersz(1, 3);
    const QByteArray dane = g.Zbuduj();
    // The positions' definition page lists two indexes; each has its own leaf page pointing back to it.
    int liscie = 0;
    for (int s = 0; s < dane.size() / Strona; ++s)
        if (dane[s * Strona] == 4) {
            const auto rodzic = qFromLittleEndian<quint32>(dane.constData() + s * Strona + 4);
            EXPECT_EQ(dane[int(rodzic) * Strona], 2);
            EXPECT_EQ(qFromLittleEndian<quint32>(dane.constData() + int(rodzic) * Strona + 51), 2u);
            ++liscie;
        }
    EXPECT_EQ(liscie, 2);

    const QString plik = Plik(g, QStringLiteral("indeks.mdb"));
    // mdbtools writes the indexes it reads from the definition only for SQL dialects that have them.
    const TWynik w = Uruchom(QStringLiteral("mdb-schema"), {plik, QStringLiteral("mysql")});
    ASSERT_EQ(w.Kod, 0) << w.Bledy.toStdString();
    QStringList indeksy;
    for (const QString& l : Linie(w.Wyjscie))
        if (l.startsWith(QLatin1String("ALTER TABLE")))
            indeksy << l;
    EXPECT_EQ(indeksy, (QStringList{QStringLiteral("ALTER TABLE `positions` ADD PRIMARY KEY (`positionid`);"),
                                    QStringLiteral("ALTER TABLE `positions` ADD INDEX `ts_idx` (`ts`);")}));
    SprawdzMdbExport(plik, ModelPozycji(Pozycje(), {3}));
    SprawdzMdbExport(plik, ModelRozdzialow(Rozdzialy(), {}));
    const auto baza = CzytajMdbReader(plik);
    if (!baza)
        GTEST_SKIP() << "brak node lub mdb-reader (VELOSTRA_NODE_MODULES)";
    SprawdzMdbReader(*baza, ModelPozycji(Pozycje(), {3}));
}

} // namespace
