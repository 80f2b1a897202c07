// The export as a reader of the files sees it: both formats converted by the office, which calculates the
// formulas, and read back by openpyxl.
#include "KosztorysyTestowe.h"
#include "OdczytArkusza.h"

#include "xls/EksportElementuXls.h"
#include "xls/EksportElementuXlsOpt.h"
#include "xls/HasloArkusza.h"

#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kosztorysy_testowe;

namespace {

QJsonObject Arkusz(const QJsonObject& plik, const QString& nazwa)
{
    for (const auto& a : plik[QStringLiteral("arkusze")].toArray())
        if (a[QStringLiteral("nazwa")].toString() == nazwa)
            return a.toObject();
    ADD_FAILURE() << "brak arkusza " << nazwa.toStdString();
    return {};
}

QJsonObject Komorka(const QJsonObject& arkusz, const char* adres)
{
    return arkusz[QStringLiteral("komorki")][QLatin1String(adres)].toObject();
}

} // namespace

TEST(EksportPrzezOffice, ObaFormatyDajaTeSameSumyIUstawienia)
{
    if (!CzyJestOffice() || !CzyJestPython())
        GTEST_SKIP() << "brak LibreOffice lub pythona z openpyxl";
    std::vector<std::unique_ptr<TKosztorys>> kosztorysy;
    kosztorysy.push_back(KosztorysDwaElementy(QStringLiteral("Kosztorys 1")));
    kosztorysy.push_back(KosztorysDwaElementy(QStringLiteral("Kosztorys 2")));
    QTemporaryDir katalog;
    QStringList pliki;
    for (const char* nazwa : {"oferta", "oferta2.xlsx"}) {
        TEksportElementuXls eksport(Wskazniki(kosztorysy));
        auto& o = eksport.OpcjeEksportu();
        o.EksportujCenyZKosztorysu = o.ChronArkusz = o.WstawTytul = o.WstawOpis = true;
        o.HasloOchrony = QStringLiteral("tajne");
        o.Tytul = QStringLiteral("FORMULARZ OFERTOWY");
        o.Opis = QStringLiteral("Budowa drogi\nodcinek 1");
        eksport.SciezkaDoPliku = katalog.path();
        eksport.NazwaPliku = QString::fromUtf8(nazwa);
        pliki << eksport.Eksportuj().Plik;
    }
    const auto przekonwertowane = KonwertujWOffice(pliki, QStringLiteral("xlsx"));
    ASSERT_EQ(przekonwertowane.size(), 2u);
    const QString haslo = QString::number(WeryfikatorHaslaArkusza(QStringLiteral("tajne")), 16).toUpper();
    for (size_t i = 0; i < przekonwertowane.size(); ++i) {
        SCOPED_TRACE(pliki[static_cast<int>(i)].toStdString());
        const QJsonObject plik = CzytajXlsx(przekonwertowane[i]);
        QStringList nazwy;
        for (const auto& a : plik[QStringLiteral("arkusze")].toArray())
            nazwy << a[QStringLiteral("nazwa")].toString();
        EXPECT_EQ(nazwy, (QStringList{QStringLiteral("Tabela Zbiorcza"), QStringLiteral("Kosztorys 1"),
                                      QStringLiteral("Kosztorys 2")}));

        // 26 + 333 + 576.3 per estimate; VAT 23 %.
        const QJsonObject zb = Arkusz(plik, QStringLiteral("Tabela Zbiorcza"));
        const std::vector<std::pair<const char*, double>> sumy = {
            {"D5", 935.3}, {"E5", 215.119}, {"F5", 1150.419}, {"D7", 1870.6}, {"F7", 2300.838}};
        for (const auto& [adres, wartosc] : sumy)
            EXPECT_NEAR(Komorka(zb, adres)[QStringLiteral("wartosc")].toDouble(), wartosc, 1e-9) << adres;
        EXPECT_EQ(Komorka(zb, "B2")[QStringLiteral("wartosc")].toString(), QStringLiteral("TABELA ZBIORCZA"));
        EXPECT_FALSE(zb[QStringLiteral("ochrona")][QStringLiteral("arkusz")].toBool());

        const QJsonObject k = Arkusz(plik, QStringLiteral("Kosztorys 2"));
        EXPECT_NEAR(Komorka(k, "L6")[QStringLiteral("wartosc")].toDouble(), 10.4, 1e-9); // Rj + Mj + Sj
        EXPECT_EQ(Komorka(k, "M6")[QStringLiteral("formula")].toString(), QStringLiteral("=ROUND(H6*L6,2)"));
        EXPECT_EQ(Komorka(k, "B8")[QStringLiteral("wartosc")].toString(), QStringLiteral("Razem - Roboty ziemne"));
        EXPECT_NEAR(Komorka(k, "M8")[QStringLiteral("wartosc")].toDouble(), 359, 1e-9);
        EXPECT_NEAR(Komorka(k, "M12")[QStringLiteral("wartosc")].toDouble(), 935.3, 1e-9);
        EXPECT_EQ(Komorka(k, "M6")[QStringLiteral("format")].toString(), QStringLiteral("#,##0.00"));
        EXPECT_FALSE(Komorka(k, "L6")[QStringLiteral("zablokowana")].toBool());
        EXPECT_TRUE(Komorka(k, "F6")[QStringLiteral("zablokowana")].toBool());
        EXPECT_EQ(Komorka(k, "F4")[QStringLiteral("ramki")][QStringLiteral("dolna")].toString(),
                  QStringLiteral("thin"));
        const auto scalenia = k[QStringLiteral("scalenia")].toArray().toVariantList();
        for (const char* zakres : {"B2:M2", "B3:M3", "C5:L5", "B8:L8", "K12:L12"})
            EXPECT_TRUE(scalenia.contains(QString::fromLatin1(zakres))) << zakres;
        EXPECT_TRUE(k[QStringLiteral("ochrona")][QStringLiteral("arkusz")].toBool());
        EXPECT_EQ(k[QStringLiteral("ochrona")][QStringLiteral("haslo")].toString().toUpper(), haslo);
        EXPECT_EQ(k[QStringLiteral("stopka")][QStringLiteral("lewa")].toString(), QStringLiteral("&D"));
        EXPECT_EQ(k[QStringLiteral("stopka")][QStringLiteral("prawa")].toString(), QStringLiteral("Strona &P z &N"));
        EXPECT_TRUE(k[QStringLiteral("kolumny")][QStringLiteral("A")][QStringLiteral("ukryta")].toBool());
        EXPECT_TRUE(k[QStringLiteral("wiersze")][QStringLiteral("1")][QStringLiteral("ukryty")].toBool());
        EXPECT_EQ(k[QStringLiteral("wiersze_tytulowe")].toString(), QStringLiteral("$2:$4"));
    }
}
