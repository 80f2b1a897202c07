#include "KosztorysyTestowe.h"

#include "app/Liczby.h"
#include "xls/EksportElementuXls.h"
#include "xls/EksportElementuXlsOpt.h"
#include "xls/Skoroszyt.h"
#include "xls/WyjatkiXls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kosztorysy_testowe;

namespace {

const TKomorka* Komorka(const TArkusz& a, int w, int k)
{
    if (w >= static_cast<int>(a.Wiersze().size()))
        return nullptr;
    for (const auto& c : a.Wiersze()[w].Komorki)
        if (c.Kolumna == k)
            return &c;
    return nullptr;
}

// A cell as text: "" for none or a blank, "=" + formula, a number in the Polish notation.
QString Wartosc(const TArkusz& a, int w, int k)
{
    const TKomorka* c = Komorka(a, w, k);
    if (!c)
        return {};
    switch (c->Rodzaj) {
    case TRodzajKomorki::Pusta:
        return {};
    case TRodzajKomorki::Liczba:
        return LiczbaNaTekst(c->Liczba);
    case TRodzajKomorki::Tekst:
        return a.Skoroszyt().Teksty()[c->Indeks];
    case TRodzajKomorki::Formula:
        return QLatin1Char('=') + a.Formuly()[c->Indeks];
    }
    return {};
}

struct TEksport
{
    explicit TEksport(int ile = 1)
    {
        for (int i = 0; i < ile; ++i)
            Kosztorysy.push_back(KosztorysDwaElementy(QStringLiteral("Kosztorys %1").arg(i + 1)));
    }
    TEksportElementuXls& E()
    {
        if (!FEksport)
            FEksport = std::make_unique<TEksportElementuXls>(Wskazniki(Kosztorysy));
        return *FEksport;
    }
    TArkusz& Arkusz(int i)
    {
        if (!Skoroszyt)
            Skoroszyt = E().Zbuduj();
        return Skoroszyt->Arkusz(i);
    }
    std::vector<std::unique_ptr<TKosztorys>> Kosztorysy;
    std::unique_ptr<TSkoroszyt> Skoroszyt;

private:
    std::unique_ptr<TEksportElementuXls> FEksport;
};

} // namespace

TEST(EksportElementuXls, JedenKosztorysZDomyslnymiOpcjami)
{
    TEksport t;
    const TArkusz& a = t.Arkusz(0);
    EXPECT_EQ(t.Skoroszyt->ArkuszeCount(), 1);
    EXPECT_EQ(a.Nazwa(), QStringLiteral("Formularz"));
    // Row, column: the expected content (B = nrPoz … M = wartosc).
    const std::vector<std::tuple<int, int, const char*>> komorki = {
        {0, 1, "nrPoz"},
        {0, 3, "stwior"},
        {0, 12, "wartosc"},
        {1, 5, "Opis"},
        {1, 7, "Ilość"},
        {2, 0, "E"},
        {2, 1, "1"},
        {2, 2, "Roboty ziemne"},
        {3, 0, "U"},
        {3, 1, "1.1"},
        {3, 7, "2,5"},
        {3, 8, ""},
        {3, 11, "=I4+J4+K4"},
        {3, 12, "=ROUND(H4*L4;2)"},
        {5, 1, "=CONCATENATE(\"Razem - \";C3)"},
        {5, 12, "=SUM(M4:M5)"},
        {7, 12, "=ROUND(H8*L8;2)"},
        {8, 12, "=SUM(M8)"},
        {9, 10, "Razem netto"},
        {9, 12, "=SUM(M4:M5;M8)"},
        {10, 10, "Vat 23%"},
        {10, 12, "=M10 * 0,23"},
        {11, 10, "Razem Brutto"},
        {11, 12, "=M10 + M11"},
    };
    for (const auto& [w, k, oczekiwana] : komorki)
        EXPECT_EQ(Wartosc(a, w, k), QString::fromUtf8(oczekiwana)) << w << "," << k;
    EXPECT_TRUE(a.Wiersze()[0].Ukryty);
    EXPECT_TRUE(a.Kolumny()[0].Ukryta);
    EXPECT_EQ(a.WierszeTytulowe(), std::make_pair(1, 1));
    EXPECT_EQ(a.StopkaJakoTekst(), QStringLiteral("&L&D&RStrona &P z &N"));
    EXPECT_FALSE(a.CzyChroniony());
    const std::vector<TZakres> scalenia = {{2, 2, 2, 11},  {5, 1, 5, 11},    {6, 2, 6, 11},   {8, 1, 8, 11},
                                           {9, 10, 9, 11}, {10, 10, 10, 11}, {11, 10, 11, 11}};
    EXPECT_EQ(a.Scalenia(), scalenia);
    EXPECT_EQ(a.Format(3, 12).FormatLiczby, t.Skoroszyt->DodajFormatLiczby(QStringLiteral("#,##0.00")));
    EXPECT_EQ(a.Format(3, 5).Poziomo, TWyrownanie::Lewo);
    EXPECT_EQ(a.Kolumny()[5].SzerokoscPx, 280);
}

TEST(EksportElementuXls, CenyZKosztorysuLiczbyIFormuly)
{
    TEksport t;
    auto* e = t.Kosztorysy[0]->GetElement(0);
    DodajPozycje(*e, {"1.3", "", "7,5", "0", "0,00", "0.0"});
    DodajPozycje(*e, {"1.4", "ok. 3", "", "", "", ""});
    t.E().OpcjeEksportu().EksportujCenyZKosztorysu = true;
    t.E().OpcjeEksportu().WstawFormuleWartosci = false;
    const TArkusz& a = t.Arkusz(0);
    const std::vector<std::tuple<int, int, const char*>> komorki = {
        {3, 7, "2,5"},   {3, 8, "4"}, {3, 9, "5,4"},  {3, 11, "=I4+J4+K4"},
        {3, 12, ""},     {5, 7, ""},  {5, 11, "7,5"}, // components all zero: the price itself
        {6, 7, "ok. 3"}, {6, 11, ""},                 // a quantity that is no number stays text
    };
    for (const auto& [w, k, oczekiwana] : komorki)
        EXPECT_EQ(Wartosc(a, w, k), QString::fromUtf8(oczekiwana)) << w << "," << k;
    EXPECT_EQ(Komorka(a, 6, 7)->Rodzaj, TRodzajKomorki::Tekst);
}

TEST(EksportElementuXls, FormatyLiczbWedlugMiejscPoPrzecinku)
{
    const std::vector<std::tuple<bool, int, const char*>> przypadki = {
        {true, 2, "#,##0.00"}, {true, 0, "#,##0"}, {true, 4, "#,##0.0000"}, {false, 2, "General"}};
    for (const auto& [zaokraglaj, miejsca, wzorzec] : przypadki) {
        TEksport t;
        t.E().OpcjeEksportu().Zaokraglaj = zaokraglaj;
        t.E().OpcjeEksportu().IloscMiejscPoPrzecinku = miejsca;
        const TArkusz& a = t.Arkusz(0);
        EXPECT_EQ(t.Skoroszyt->WzorzecFormatuLiczby(a.Format(3, 7).FormatLiczby), QString::fromUtf8(wzorzec));
    }
}

TEST(EksportElementuXls, SumyElementowPodelementowIBezSum)
{
    TEksport t;
    auto& k = *t.Kosztorysy[0];
    auto* nadrzedny = DodajElement(k, QStringLiteral("3"), QStringLiteral("Most"));
    DodajPozycje(*DodajElement(*nadrzedny, QStringLiteral("3.1"), QStringLiteral("Podpory")), {"3.1.1", "1", "1"});
    DodajPozycje(*DodajElement(*nadrzedny, QStringLiteral("3.2"), QStringLiteral("Pusty")), {"3.2.1", "2", "1"});
    DodajElement(k, QStringLiteral("4"), QStringLiteral("Bez pozycji"));
    const TArkusz& a = t.Arkusz(0);
    // 9: "Most", 10: "Podpory", 11: 3.1.1, 12: its sum, 13: "Pusty", 14: 3.2.1, 15: its sum, 16: sum of "Most",
    // 17: "Bez pozycji", 18: its sum, 19: the net value.
    EXPECT_EQ(Wartosc(a, 16, 12), QStringLiteral("=SUM(M12;M15)"));
    EXPECT_EQ(Wartosc(a, 18, 12), QStringLiteral("0")); // an element with nothing below it
    EXPECT_EQ(Wartosc(a, 19, 12), QStringLiteral("=SUM(M4:M5;M8;M12;M15)"));

    TEksport bezSum;
    bezSum.E().OpcjeEksportu().WstawiajPodsumowanieElementow = false;
    const TArkusz& b = bezSum.Arkusz(0);
    EXPECT_EQ(Wartosc(b, 7, 12), QStringLiteral("=SUM(M4:M7)"));
}

TEST(EksportElementuXls, PonadTrzydziesciZakresowToSumaWarunkowa)
{
    TEksport t;
    auto& k = *t.Kosztorysy[0];
    for (int i = 0; i < 40; ++i)
        DodajPozycje(*DodajElement(k, QString::number(10 + i), QStringLiteral("E")), {"x", "1", "1"});
    const TArkusz& a = t.Arkusz(0);
    const int netto = 9 + 40 * 3;
    EXPECT_EQ(Wartosc(a, netto, 12), QStringLiteral("=SUMIF(A4:A%1;\"U\";M4:M%1)").arg(netto));
}

TEST(EksportElementuXls, OchronaOdblokowujeCenyIWartosci)
{
    TEksport t;
    t.E().OpcjeEksportu().ChronArkusz = true;
    t.E().OpcjeEksportu().HasloOchrony = QStringLiteral("abc");
    const TArkusz& a = t.Arkusz(0);
    EXPECT_TRUE(a.CzyChroniony());
    EXPECT_EQ(a.Haslo(), QStringLiteral("abc"));
    EXPECT_EQ(a.OpcjeOchrony(), 0x441C);
    for (int w : {1, 2, 3, 5})
        for (int k = 1; k <= 12; ++k)
            EXPECT_EQ(a.Format(w, k).Zablokowana, k < 11) << w << "," << k;
    EXPECT_FALSE(a.Format(9, 12).Zablokowana);
}

TEST(EksportElementuXls, KilkaKosztorysowTabelaZbiorczaINazwyArkuszy)
{
    TEksport t(4);
    t.Kosztorysy[1]->SetTytul(QStringLiteral("kosztorys 1"));
    t.Kosztorysy[2]->SetTytul(QStringLiteral("Tabela zbiorcza"));
    t.Kosztorysy[3]->SetTytul(QStringLiteral("Droga [etap]: O'Brien/2026 z bardzo długim tytułem"));
    EXPECT_EQ(t.E().NazwyArkuszy(),
              (QStringList{QStringLiteral("Kosztorys 1"), QStringLiteral("kosztorys 1 (2)"),
                           QStringLiteral("Tabela zbiorcza (2)"), QStringLiteral("Droga etap O'Brien2026 z bardzo")}));
    const TArkusz& zb = t.Arkusz(0);
    EXPECT_EQ(zb.Nazwa(), QStringLiteral("Tabela Zbiorcza"));
    EXPECT_EQ(t.Skoroszyt->ArkuszeCount(), 5);
    EXPECT_EQ(Wartosc(zb, 1, 2), QStringLiteral("Nazwa kosztorysu"));
    EXPECT_EQ(Wartosc(zb, 2, 1), QStringLiteral("1."));
    EXPECT_EQ(Wartosc(zb, 2, 3), QStringLiteral("='Kosztorys 1'!M10"));
    EXPECT_EQ(Wartosc(zb, 5, 5), QStringLiteral("='Droga etap O''Brien2026 z bardzo'!M12"));
    EXPECT_EQ(Wartosc(zb, 6, 1), QStringLiteral("Ogółem"));
    EXPECT_EQ(Wartosc(zb, 6, 4), QStringLiteral("=SUM(E3:E6)"));
    ASSERT_EQ(t.E().AdresyZbiorcze().size(), 4u);
    EXPECT_EQ(t.E().AdresyZbiorcze()[1].AdrWartoscBrutto, QStringLiteral("'kosztorys 1 (2)'!M12"));
}

TEST(EksportElementuXls, BezPodsumowaniaKosztorysuBrakDanychDoTabeli)
{
    TEksport t(2);
    t.Kosztorysy.push_back(Kosztorys(QStringLiteral("Pusty")));
    EXPECT_THROW(t.Arkusz(0), EBlad);

    TEksport bezWartosci(2); // without the value column the summaries are left out altogether
    ASSERT_NO_THROW(
        bezWartosci.E().OpcjeEksportu().ColumnList().GetColumn(QStringLiteral("wartosc"))->SetWyswietlaj(false));
    EXPECT_EQ(bezWartosci.Arkusz(0).Nazwa(), QStringLiteral("Kosztorys 1"));
    EXPECT_EQ(bezWartosci.Skoroszyt->ArkuszeCount(), 2);
}

TEST(EksportElementuXls, SciezkaCelu)
{
    QTemporaryDir katalog;
    const QString d = katalog.path();
    const std::vector<std::pair<const char*, const char*>> dobre = {{"oferta", "oferta.xls"},
                                                                    {"oferta.xls", "oferta.xls"},
                                                                    {"a.xls.xls", "a.xls.xls"},
                                                                    {"oferta.XLSX", "oferta.XLSX"},
                                                                    {"xls.b", "xls.b.xls"}};
    for (const auto& [nazwa, plik] : dobre)
        EXPECT_EQ(TEksportElementuXls::SciezkaCelu(QString::fromUtf8(nazwa), d),
                  d + QLatin1Char('/') + QString::fromUtf8(plik));
    for (const auto& [nazwa, folder] :
         std::vector<std::pair<QString, QString>>{{QString(), d},
                                                  {QStringLiteral(".xls"), d},
                                                  {QStringLiteral("a/b"), d},
                                                  {QStringLiteral("a"), d + QStringLiteral("/brak")}})
        EXPECT_THROW(TEksportElementuXls::SciezkaCelu(nazwa, folder), ENoPathException) << nazwa.toStdString();
}

TEST(EksportElementuXls, PostepIPrzerwanie)
{
    QTemporaryDir katalog;
    TEksport t(3);
    auto& e = t.E();
    e.SciezkaDoPliku = katalog.path();
    e.NazwaPliku = QStringLiteral("oferta");
    int kroki = 0;
    e.OnZwiekszenieProgresu = [&] { ++kroki; };
    const TWynikEksportuXls pelny = e.Eksportuj();
    EXPECT_EQ(kroki, e.PobierzMaxProgres());
    EXPECT_EQ(kroki, 3 * 5);
    EXPECT_FALSE(pelny.Przerwany);
    const QByteArray calosc = [&] {
        QFile f(pelny.Plik);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    // Stopped in the second estimate: the complete file stays, the part goes beside it.
    kroki = 0;
    e.OnZwiekszenieProgresu = [&] {
        if (++kroki == 7)
            e.Terminate();
    };
    const TWynikEksportuXls czesc = e.Eksportuj();
    EXPECT_TRUE(czesc.Przerwany);
    EXPECT_EQ(czesc.Plik, katalog.filePath(QStringLiteral("oferta (przerwany).xls")));
    EXPECT_TRUE(QFile::exists(czesc.Plik));
    QFile f(pelny.Plik);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), calosc);
    EXPECT_EQ(e.AdresyZbiorcze().size(), 2u);
}

TEST(EksportElementuXls, BrakKosztorysow)
{
    EXPECT_THROW(TEksportElementuXls({}), EBlad);
}
