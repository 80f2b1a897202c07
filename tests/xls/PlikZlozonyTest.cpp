#include "xls/OdczytArkusza.h"

#include "support/Pomocnicze.h"
#include "xls/PlikZlozony.h"

#include <QCryptographicHash>
#include <QJsonArray>

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace {

QByteArray Losowe(qsizetype n, unsigned ziarno)
{
    std::mt19937 los(ziarno);
    QByteArray dane(n, Qt::Uninitialized);
    for (auto& b : dane)
        b = static_cast<char>(los());
    return dane;
}

QString Md5(const QByteArray& dane)
{
    return QString::fromLatin1(QCryptographicHash::hash(dane, QCryptographicHash::Md5).toHex());
}

bool MniejszaNazwa(const QString& a, const QString& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a.toUpper() < b.toUpper();
}

// The siblings under the root, visited in order, and the number of black entries on each path down.
void Przejdz(const std::map<qint64, QJsonObject>& wpisy, qint64 sid, int czarne, QStringList& nazwy,
             std::set<int>& wysokosci)
{
    if (sid == 0xFFFFFFFF) {
        wysokosci.insert(czarne);
        return;
    }
    const QJsonObject& w = wpisy.at(sid);
    const int c = czarne + (w[QStringLiteral("czarny")].toBool() ? 1 : 0);
    Przejdz(wpisy, w[QStringLiteral("lewy")].toInteger(), c, nazwy, wysokosci);
    nazwy << w[QStringLiteral("nazwa")].toString();
    Przejdz(wpisy, w[QStringLiteral("prawy")].toInteger(), c, nazwy, wysokosci);
}

struct TPrzypadek
{
    const char* Nazwa;
    std::vector<std::pair<QString, qsizetype>> Strumienie;
    bool MiniTablica, Difat;
    bool PierwszyWMiejscu = false; // the first stream built in place in the file's buffer
};

} // namespace

TEST(PlikZlozony, StrumienieCzytaneNiezaleznymCzytnikiem)
{
    if (!CzyJestPython())
        GTEST_SKIP() << "brak python3 z olefile";
    const std::vector<TPrzypadek> przypadki = {
        {"maly", {{"Workbook", 100}}, true, false},
        {"prog4095", {{"Workbook", 4095}}, true, false},
        {"prog4096", {{"Workbook", 4096}}, false, false},
        {"prog4097", {{"Workbook", 4097}}, false, false},
        {"ponad7MB", {{"Workbook", 7'500'000}}, false, true},
        {"kilka",
         {{"Workbook", 20'000},
          {QStringLiteral("\x05SummaryInformation"), 300},
          {"Ab", 0},
          {"b", 64},
          {"aB1", 5000},
          {"Zażółć", 4095},
          {"X", 1}},
         true,
         false},
        {"wMiejscu", {{"Workbook", 10'000}, {"Inny", 5000}, {"Maly", 10}}, true, false, true},
        {"wMiejscuMaly", {{"Workbook", 1000}, {"Inny", 5000}}, true, false, true},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TPlikZlozony plik;
        std::map<QString, QByteArray> dane;
        unsigned ziarno = 1;
        for (const auto& [nazwa, rozmiar] : p.Strumienie) {
            dane[nazwa] = Losowe(rozmiar, ziarno++);
            if (!p.PierwszyWMiejscu || nazwa != p.Strumienie.front().first)
                plik.DodajStrumien(nazwa, dane[nazwa]);
        }
        const QString& pierwszy = p.Strumienie.front().first;
        const QByteArray bajty =
            p.PierwszyWMiejscu ? plik.Zapisz(pierwszy, QByteArray(512, 'x') + dane[pierwszy], dane[pierwszy].size())
                               : plik.Zapisz();
        EXPECT_EQ(bajty.size() % 512, 0);
        const QString sciezka = KatalogDomowyTestu() + QStringLiteral("/%1.cfb").arg(p.Nazwa);
        ZapiszPlik(sciezka, bajty);

        const QJsonObject ole = CzytajOle(sciezka);
        EXPECT_TRUE(ole[QStringLiteral("problemy")].toArray().isEmpty());
        const QJsonObject strumienie = ole[QStringLiteral("strumienie")].toObject();
        EXPECT_EQ(strumienie.size(), static_cast<qsizetype>(dane.size()));
        for (const auto& [nazwa, zawartosc] : dane) {
            const QJsonObject s = strumienie[nazwa].toObject();
            EXPECT_EQ(s[QStringLiteral("rozmiar")].toInteger(), zawartosc.size()) << nazwa.toStdString();
            EXPECT_EQ(s[QStringLiteral("md5")].toString(), Md5(zawartosc)) << nazwa.toStdString();
        }
        EXPECT_EQ(ole[QStringLiteral("sektory_mini_tablicy")].toInt() > 0, p.MiniTablica);
        EXPECT_EQ(ole[QStringLiteral("sektory_difat")].toInt() > 0, p.Difat);

        // The siblings form a search tree in the container's order of names, red-black balanced.
        std::map<qint64, QJsonObject> wpisy;
        for (const auto& w : ole[QStringLiteral("katalog")].toArray())
            wpisy[w.toObject()[QStringLiteral("sid")].toInteger()] = w.toObject();
        ASSERT_EQ(wpisy.at(0)[QStringLiteral("nazwa")].toString(), QStringLiteral("Root Entry"));
        const qint64 korzen = wpisy.at(0)[QStringLiteral("dziecko")].toInteger();
        EXPECT_TRUE(wpisy.at(korzen)[QStringLiteral("czarny")].toBool());
        QStringList nazwy;
        std::set<int> wysokosci;
        Przejdz(wpisy, korzen, 0, nazwy, wysokosci);
        QStringList oczekiwane;
        for (const auto& [nazwa, _] : dane)
            oczekiwane << nazwa;
        std::sort(oczekiwane.begin(), oczekiwane.end(), MniejszaNazwa);
        EXPECT_EQ(nazwy, oczekiwane);
        EXPECT_EQ(wysokosci.size(), 1u);
    }
}

TEST(PlikZlozony, NiepoprawneNazwy)
{
    TPlikZlozony plik;
    plik.DodajStrumien(QStringLiteral("Workbook"), QByteArray("x"));
    OczekujBledu([&] { plik.DodajStrumien(QStringLiteral("WORKBOOK"), {}); },
                 QStringLiteral("Strumień \"WORKBOOK\" już jest w dokumencie złożonym."));
    OczekujBledu(
        [&] { plik.DodajStrumien(QString(32, QLatin1Char('a')), {}); },
        QStringLiteral("Niepoprawna nazwa strumienia dokumentu złożonego: \"%1\".").arg(QString(32, QLatin1Char('a'))));
    OczekujBledu([&] { plik.DodajStrumien(QStringLiteral("a/b"), {}); },
                 QStringLiteral("Niepoprawna nazwa strumienia dokumentu złożonego: \"a/b\"."));
}
