#include "xls/OdczytArkusza.h"

#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"
#include "xls/ArkuszXls.h"
#include "xls/HasloArkusza.h"
#include "xls/RekordyBiff8.h"
#include "xls/Skoroszyt.h"
#include "xls/ZapisXls.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QProcess>

#include <gtest/gtest.h>

#include <map>

namespace {

// Texts that force the shared string table over many records: long Polish texts (two bytes a character),
// surrogate pairs and short texts in one byte a character, some used more than once.
std::vector<QString> TekstyTestowe()
{
    std::vector<QString> teksty;
    for (int i = 0; i < 300; ++i) {
        if (i % 7 == 0)
            teksty.push_back(QStringLiteral("Zażółć gęślą jaźń %1 ").arg(i).repeated(150 + i));
        else if (i % 50 == 1)
            teksty.push_back(QStringLiteral("😀").repeated(2999 + i));
        else
            teksty.push_back(QStringLiteral("tekst %1").arg(i % 40));
    }
    return teksty;
}

constexpr int LiczbaScalen = 2500;

void Formatowanie(TSkoroszyt& s)
{
    TArkusz& a = s.DodajArkusz(QStringLiteral("Formaty"));
    TFormatKomorki naglowek;
    naglowek.Czcionka = QStringLiteral("Times New Roman");
    naglowek.Rozmiar = 12;
    naglowek.Pogrubienie = true;
    naglowek.Poziomo = TWyrownanie::Srodek;
    naglowek.SrodekPionowo = true;
    naglowek.Zawijaj = true;
    naglowek.Ramki = KrawedzieWszystkie;
    a.UstawTekst(0, 0, QStringLiteral("Nagłówek"));
    a.UstawFormat(0, 0, naglowek);
    TFormatKomorki kwota;
    kwota.Poziomo = TWyrownanie::Prawo;
    kwota.Ramki = KrawedzLewa | KrawedzDolna;
    kwota.FormatLiczby = s.DodajFormatLiczby(QStringLiteral("#,##0.00"));
    kwota.Zablokowana = false;
    a.UstawLiczbe(1, 1, 1234.5);
    a.UstawFormat(1, 1, kwota);
    TFormatKomorki ilosc;
    ilosc.Poziomo = TWyrownanie::Lewo;
    ilosc.FormatLiczby = s.DodajFormatLiczby(QStringLiteral("0.000"));
    a.UstawLiczbe(2, 2, 0.125);
    a.UstawFormat(2, 2, ilosc);
    a.UstawFormat(3, 3, s.Format(TFormatKomorki{.Pogrubienie = true}));
    a.UstawTekst(5, 0, QStringLiteral("scalone"));
    a.Scal({5, 0, 5, 2});
    a.UkryjKolumne(0);
    a.UstawSzerokoscKolumnyPx(1, 100);
    a.UstawSzerokoscKolumnyPx(4, 50);
    a.UkryjKolumne(4);
    a.UkryjWiersz(0);
    a.UstawWysokoscWierszaPx(1, 40);
    a.UstawWysokoscWierszaPx(3, 30);
    a.UkryjWiersz(3);
    a.UstawStopke(QStringLiteral("&D"), {}, QStringLiteral("Strona &P z &N"));
    a.UstawWierszeTytulowe(1, 2);
    a.Chron(QStringLiteral("abc"), 0x441C);
    s.DodajArkusz(QStringLiteral("Drugi")).UstawLiczbe(0, 0, 1);
}

void Teksty(TSkoroszyt& s)
{
    TArkusz& a = s.DodajArkusz(QStringLiteral("Teksty"));
    const auto teksty = TekstyTestowe();
    for (int i = 0; i < static_cast<int>(teksty.size()); ++i)
        a.UstawTekst(i, 0, teksty[i]);
    TArkusz& b = s.DodajArkusz(QStringLiteral("Scalenia"));
    for (int w = 0; w < LiczbaScalen; ++w) {
        b.UstawLiczbe(w, 0, w + 0.5);
        b.Scal({w, 0, w, 1 + w % 3});
    }
    s.DodajArkusz(QStringLiteral("Pusty"));
}

void Formuly(TSkoroszyt& s)
{
    TArkusz& a = s.DodajArkusz(QStringLiteral("Dane 1"));
    const double liczby[] = {1.5, 2.25, 3};
    const char* kategorie[] = {"x", "y", "x"};
    for (int w = 0; w < 3; ++w) {
        a.UstawLiczbe(w, 0, liczby[w]);
        a.UstawTekst(w, 2, QString::fromLatin1(kategorie[w]));
    }
    a.UstawTekst(0, 1, QStringLiteral("Kowal"));
    a.UstawTekst(1, 1, QStringLiteral("ski"));
    a.UstawFormule(3, 0, QStringLiteral("SUM(A1:A3)"));
    a.UstawFormule(4, 0, QStringLiteral("ROUND(A1*3,33;1)"));
    a.UstawFormule(5, 0, QStringLiteral("CONCATENATE(B1;B2;\" ż!\")"));
    a.UstawFormule(6, 0, QStringLiteral("SUMIF(C1:C3;\"x\";A1:A3)"));
    TArkusz& b = s.DodajArkusz(QStringLiteral("Zestawienie"));
    b.UstawFormule(0, 0, QStringLiteral("'Dane 1'!A4*2"));
    b.UstawFormule(1, 0, QStringLiteral("'Dane 1'!A7+'Dane 1'!A1"));
}

struct TRekord
{
    std::uint16_t Typ;
    qsizetype Pozycja;
    QByteArray Dane;
};

std::uint32_t Liczba(const QByteArray& d, qsizetype p, int bajty)
{
    std::uint32_t v = 0;
    for (int i = bajty - 1; i >= 0; --i)
        v = v << 8 | static_cast<std::uint8_t>(d[p + i]);
    return v;
}

std::vector<TRekord> Rekordy(const QByteArray& strumien)
{
    std::vector<TRekord> rekordy;
    for (qsizetype p = 0; p + 4 <= strumien.size();) {
        const auto dlugosc = Liczba(strumien, p + 2, 2);
        rekordy.push_back({static_cast<std::uint16_t>(Liczba(strumien, p, 2)), p, strumien.mid(p + 4, dlugosc)});
        p += 4 + dlugosc;
    }
    return rekordy;
}

QJsonObject Arkusz(const QJsonObject& plik, int i)
{
    return plik[QStringLiteral("arkusze")].toArray()[i].toObject();
}

QJsonObject Komorka(const QJsonObject& arkusz, const QString& adres)
{
    return arkusz[QStringLiteral("komorki")].toObject()[adres].toObject();
}

QString Tekst(const QJsonObject& o, const char* klucz)
{
    return o[QLatin1String(klucz)].toString();
}

class ZapisXls : public ::testing::Test
{
protected:
    // The workbooks are written before the first test; the office converts them all at once when a test
    // first needs it (under CTest each test is a program of its own).
    static void SetUpTestSuite()
    {
        using TBudowa = void (*)(TSkoroszyt&);
        for (const auto& [nazwa, buduj] : {std::pair<const char*, TBudowa>{"formatowanie", Formatowanie},
                                           {"teksty", Teksty},
                                           {"formuly", Formuly}}) {
            TSkoroszyt s;
            buduj(s);
            FXls[nazwa] = KatalogDomowyTestu() + QStringLiteral("/%1.xls").arg(QLatin1String(nazwa));
            ZapiszPlik(FXls[nazwa], ZapiszXls(s));
        }
    }

    // The file read through the office and openpyxl; empty without them.
    static QJsonObject PrzezOffice(const std::string& nazwa)
    {
        if (!CzyJestOffice() || !CzyJestPython())
            return {};
        if (FXlsx.empty()) {
            QStringList pliki;
            for (const auto& [_, sciezka] : FXls)
                pliki << sciezka;
            const auto skonwertowane = KonwertujWOffice(pliki, QStringLiteral("xlsx"));
            auto it = FXls.begin();
            for (std::size_t i = 0; i < skonwertowane.size(); ++i, ++it)
                FXlsx[it->first] = skonwertowane[i];
        }
        EXPECT_FALSE(FXlsx[nazwa].isEmpty()) << "biuro nie przekształciło " << nazwa;
        return FXlsx[nazwa].isEmpty() ? QJsonObject() : CzytajXlsx(FXlsx[nazwa]);
    }

    static inline std::map<std::string, QString> FXls, FXlsx;
};

TEST_F(ZapisXls, RekordyStrumieniaMajaPoprawneDlugosciIOdwolania)
{
    if (!CzyJestPython())
        GTEST_SKIP() << "brak python3 z olefile";
    const QByteArray strumien = CzytajStrumien(FXls["teksty"], QStringLiteral("Workbook"));
    const auto rekordy = Rekordy(strumien);
    ASSERT_FALSE(rekordy.empty());
    std::map<qsizetype, const TRekord*> wgPozycji;
    qsizetype razem = 0;
    for (const auto& r : rekordy) {
        EXPECT_LE(r.Dane.size(), 8224) << std::hex << r.Typ;
        wgPozycji[r.Pozycja] = &r;
        razem += 4 + r.Dane.size();
    }
    EXPECT_EQ(razem, strumien.size());

    QStringList nazwy;
    int scalenia = 0, kontynuacje = 0, bloki = 0;
    for (std::size_t i = 0; i < rekordy.size(); ++i) {
        const TRekord& r = rekordy[i];
        if (r.Typ == 0x0085) { // BOUNDSHEET8 points at its sheet's BOF
            const TRekord* bof = wgPozycji.at(Liczba(r.Dane, 0, 4));
            EXPECT_EQ(bof->Typ, 0x0809);
            EXPECT_EQ(Liczba(bof->Dane, 2, 2), 0x0010u);
            nazwy << QString::fromLatin1(r.Dane.mid(8));
        } else if (r.Typ == 0x00E5) {
            EXPECT_LE(Liczba(r.Dane, 0, 2), 1026u);
            EXPECT_EQ(r.Dane.size(), 2 + 8 * Liczba(r.Dane, 0, 2));
            scalenia += Liczba(r.Dane, 0, 2);
        } else if (r.Typ == 0x003C && rekordy[i - 1 - kontynuacje].Typ == 0x00FC) {
            ++kontynuacje;
        } else if (r.Typ == 0x00FF) { // EXTSST: each bucket at a string's start in SST or CONTINUE
            for (qsizetype b = 2; b < r.Dane.size(); b += 8) {
                const qsizetype poczatek = Liczba(r.Dane, b, 4) - Liczba(r.Dane, b + 4, 2);
                ASSERT_TRUE(wgPozycji.count(poczatek));
                EXPECT_TRUE(wgPozycji[poczatek]->Typ == 0x00FC || wgPozycji[poczatek]->Typ == 0x003C);
            }
        } else if (r.Typ == 0x020B) { // INDEX points at DEFCOLWIDTH and the DBCELL of each block
            EXPECT_EQ(wgPozycji.at(Liczba(r.Dane, 12, 4))->Typ, 0x0055);
            for (qsizetype b = 16; b < r.Dane.size(); b += 4, ++bloki)
                EXPECT_EQ(wgPozycji.at(Liczba(r.Dane, b, 4))->Typ, 0x00D7);
        }
    }
    EXPECT_EQ(nazwy, QStringList({QStringLiteral("Teksty"), QStringLiteral("Scalenia"), QStringLiteral("Pusty")}));
    EXPECT_EQ(scalenia, LiczbaScalen);
    EXPECT_GE(kontynuacje, 10);
    EXPECT_EQ(bloki, (300 + 31) / 32 + (LiczbaScalen + 31) / 32);
    EXPECT_EQ(rekordy.back().Typ, 0x000A);
}

TEST_F(ZapisXls, TekstyIScaleniaCzytaneNiezaleznie)
{
    if (!CzyJestPython())
        GTEST_SKIP() << "brak python3 z xlrd";
    const auto teksty = TekstyTestowe();
    const QJsonObject xls = CzytajXlsXlrd(FXls["teksty"]);
    for (int i = 0; i < static_cast<int>(teksty.size()); ++i)
        ASSERT_EQ(Tekst(Komorka(Arkusz(xls, 0), QStringLiteral("A%1").arg(i + 1)), "wartosc"), teksty[i]) << i;
    EXPECT_EQ(Arkusz(xls, 1)[QStringLiteral("scalenia")].toArray().size(), LiczbaScalen);
    EXPECT_EQ(Arkusz(xls, 1)[QStringLiteral("scalenia")].toArray()[7].toArray(), QJsonArray({7, 8, 0, 3}));

    const QJsonObject xlsx = PrzezOffice("teksty");
    if (xlsx.isEmpty())
        GTEST_SKIP() << "brak biura";
    for (int i = 0; i < static_cast<int>(teksty.size()); ++i)
        ASSERT_EQ(Tekst(Komorka(Arkusz(xlsx, 0), QStringLiteral("A%1").arg(i + 1)), "wartosc"), teksty[i]) << i;
    EXPECT_EQ(Arkusz(xlsx, 1)[QStringLiteral("scalenia")].toArray().size(), LiczbaScalen);
    EXPECT_EQ(Komorka(Arkusz(xlsx, 1), "A2500")[QStringLiteral("wartosc")].toDouble(), 2499.5);
    EXPECT_EQ(Arkusz(xlsx, 2)[QStringLiteral("nazwa")].toString(), QStringLiteral("Pusty"));
}

TEST_F(ZapisXls, FormatowanieZapisaneTakJakWModelu)
{
    if (!CzyJestPython())
        GTEST_SKIP() << "brak python3 z xlrd";
    const QJsonObject xls = CzytajXlsXlrd(FXls["formatowanie"]);
    const QJsonObject a = Arkusz(xls, 0);
    EXPECT_EQ(Tekst(Komorka(a, "B2"), "format"), QStringLiteral("#,##0.00"));
    EXPECT_EQ(Tekst(Komorka(a, "C3"), "format"), QStringLiteral("0.000"));
    EXPECT_EQ(Tekst(Komorka(a, "A1"), "czcionka"), QStringLiteral("Times New Roman"));
    EXPECT_EQ(Komorka(a, "A1")[QStringLiteral("wysokosc_czcionki")].toInt(), 240);
    EXPECT_EQ(Komorka(a, "D4")[QStringLiteral("typ")].toString(), QStringLiteral("blank"));
    const QJsonObject kolumny = a[QStringLiteral("kolumny")].toObject();
    // 100 pixels are 14.29 characters of 7 pixels shown, 100/7 characters with the padding.
    EXPECT_EQ(kolumny[QStringLiteral("1")].toObject()[QStringLiteral("szerokosc")].toInt(), SzerokoscKolumnyXls(100));
    EXPECT_NEAR(SzerokoscKolumnyXls(100), 100 / 7.0 * 256, 2);
    EXPECT_EQ(SzerokoscKolumnyXls(64), 2340); // the standard 8.43 characters
    EXPECT_TRUE(kolumny[QStringLiteral("0")].toObject()[QStringLiteral("ukryta")].toBool());
    const QJsonObject wiersze = a[QStringLiteral("wiersze")].toObject();
    EXPECT_EQ(wiersze[QStringLiteral("1")].toObject()[QStringLiteral("wysokosc")].toInt(), 600);
    EXPECT_TRUE(wiersze[QStringLiteral("0")].toObject()[QStringLiteral("ukryty")].toBool());
    const QJsonObject tytuly = xls[QStringLiteral("nazwy")].toArray()[0].toObject();
    EXPECT_EQ(Tekst(tytuly, "nazwa"), QStringLiteral("Print_Titles"));
    EXPECT_EQ(tytuly[QStringLiteral("zasieg")].toInt(), 0);
    EXPECT_EQ(tytuly[QStringLiteral("obszary")].toArray()[0].toArray(), QJsonArray({0, 1, 1, 3, 0, 256}));

    const QJsonObject xlsx = PrzezOffice("formatowanie");
    if (xlsx.isEmpty())
        GTEST_SKIP() << "brak biura";
    const QJsonObject b = Arkusz(xlsx, 0);
    const QJsonObject a1 = Komorka(b, "A1"), b2 = Komorka(b, "B2"), c3 = Komorka(b, "C3");
    EXPECT_EQ(Tekst(a1, "wartosc"), QStringLiteral("Nagłówek"));
    EXPECT_EQ(Tekst(a1, "czcionka"), QStringLiteral("Times New Roman"));
    EXPECT_EQ(a1[QStringLiteral("rozmiar")].toDouble(), 12);
    EXPECT_TRUE(a1[QStringLiteral("pogrubienie")].toBool());
    EXPECT_EQ(Tekst(a1, "poziomo"), QStringLiteral("center"));
    EXPECT_EQ(Tekst(a1, "pionowo"), QStringLiteral("center"));
    EXPECT_TRUE(a1[QStringLiteral("zawijaj")].toBool());
    for (const char* krawedz : {"lewa", "prawa", "gorna", "dolna"})
        EXPECT_EQ(Tekst(a1[QStringLiteral("ramki")].toObject(), krawedz), QStringLiteral("thin")) << krawedz;
    EXPECT_EQ(b2[QStringLiteral("wartosc")].toDouble(), 1234.5);
    EXPECT_EQ(Tekst(b2, "format"), QStringLiteral("#,##0.00"));
    EXPECT_EQ(Tekst(b2, "poziomo"), QStringLiteral("right"));
    EXPECT_EQ(Tekst(b2, "pionowo"), QStringLiteral("bottom"));
    EXPECT_FALSE(b2[QStringLiteral("zablokowana")].toBool());
    EXPECT_TRUE(a1[QStringLiteral("zablokowana")].toBool());
    EXPECT_EQ(Tekst(b2[QStringLiteral("ramki")].toObject(), "lewa"), QStringLiteral("thin"));
    EXPECT_TRUE(b2[QStringLiteral("ramki")].toObject()[QStringLiteral("prawa")].isNull());
    EXPECT_EQ(Tekst(c3, "format"), QStringLiteral("0.000"));
    EXPECT_EQ(Tekst(c3, "poziomo"), QStringLiteral("left"));
    EXPECT_TRUE(Komorka(b, "D4")[QStringLiteral("pogrubienie")].toBool());
    EXPECT_EQ(b[QStringLiteral("scalenia")].toArray(), QJsonArray({QStringLiteral("A6:C6")}));

    const QJsonObject kol = b[QStringLiteral("kolumny")].toObject();
    EXPECT_TRUE(kol[QStringLiteral("A")].toObject()[QStringLiteral("ukryta")].toBool());
    EXPECT_NEAR(kol[QStringLiteral("B")].toObject()[QStringLiteral("szerokosc")].toDouble(), 100 / 7.0, 0.2);
    EXPECT_FALSE(kol[QStringLiteral("B")].toObject()[QStringLiteral("ukryta")].toBool());
    EXPECT_TRUE(kol[QStringLiteral("E")].toObject()[QStringLiteral("ukryta")].toBool());
    const QJsonObject wie = b[QStringLiteral("wiersze")].toObject();
    EXPECT_TRUE(wie[QStringLiteral("1")].toObject()[QStringLiteral("ukryty")].toBool());
    EXPECT_EQ(wie[QStringLiteral("2")].toObject()[QStringLiteral("wysokosc")].toDouble(), 30.0);
    EXPECT_TRUE(wie[QStringLiteral("4")].toObject()[QStringLiteral("ukryty")].toBool());
    EXPECT_FALSE(wie[QStringLiteral("3")].toObject()[QStringLiteral("ukryty")].toBool());

    const QJsonObject stopka = b[QStringLiteral("stopka")].toObject();
    EXPECT_EQ(Tekst(stopka, "lewa"), QStringLiteral("&D"));
    EXPECT_EQ(Tekst(stopka, "srodek"), QString());
    EXPECT_EQ(Tekst(stopka, "prawa"), QStringLiteral("Strona &P z &N"));
    EXPECT_EQ(Tekst(b, "wiersze_tytulowe"), QStringLiteral("$2:$3"));
    EXPECT_EQ(Tekst(Arkusz(xlsx, 1), "wiersze_tytulowe"), QString());

    const QJsonObject ochrona = b[QStringLiteral("ochrona")].toObject();
    EXPECT_TRUE(ochrona[QStringLiteral("arkusz")].toBool());
    EXPECT_EQ(Tekst(ochrona, "haslo").toUpper(),
              QString::number(WeryfikatorHaslaArkusza(QStringLiteral("abc")), 16).toUpper());
    // 0x441C allows formatting cells, columns and rows and selecting cells, nothing else.
    EXPECT_FALSE(ochrona[QStringLiteral("formatowanie_komorek")].toBool());
    EXPECT_FALSE(ochrona[QStringLiteral("formatowanie_wierszy")].toBool());
    EXPECT_TRUE(ochrona[QStringLiteral("wstawianie_wierszy")].toBool());
    EXPECT_TRUE(ochrona[QStringLiteral("usuwanie_wierszy")].toBool());
    EXPECT_FALSE(Arkusz(xlsx, 1)[QStringLiteral("ochrona")].toObject()[QStringLiteral("arkusz")].toBool());
}

TEST_F(ZapisXls, FormulyPrzeliczaBiuro)
{
    if (!CzyJestPython())
        GTEST_SKIP() << "brak python3 z xlrd";
    // As stored: the stale cached values, a number or an empty text.
    const QJsonObject xls = CzytajXlsXlrd(FXls["formuly"]);
    EXPECT_EQ(Komorka(Arkusz(xls, 0), "A4")[QStringLiteral("wartosc")].toDouble(-1), 0.0);
    EXPECT_EQ(Tekst(Komorka(Arkusz(xls, 0), "A6"), "typ"), QStringLiteral("text"));

    const QJsonObject xlsx = PrzezOffice("formuly");
    if (xlsx.isEmpty())
        GTEST_SKIP() << "brak biura";
    const QJsonObject a = Arkusz(xlsx, 0), b = Arkusz(xlsx, 1);
    const std::tuple<QJsonObject, const char*, QJsonValue, const char*> oczekiwane[] = {
        {a, "A4", 6.75, "=SUM(A1:A3)"},
        {a, "A5", 5.0, "=ROUND(A1*3.33,1)"},
        {a, "A6", QStringLiteral("Kowalski ż!"), "=CONCATENATE(B1,B2,\" ż!\")"},
        {a, "A7", 4.5, "=SUMIF(C1:C3,\"x\",A1:A3)"},
        {b, "A1", 13.5, "='Dane 1'!A4*2"},
        {b, "A2", 6.0, "='Dane 1'!A7+'Dane 1'!A1"},
    };
    for (const auto& [arkusz, adres, wartosc, formula] : oczekiwane) {
        const QJsonObject k = Komorka(arkusz, adres);
        EXPECT_EQ(k[QStringLiteral("wartosc")], wartosc) << adres;
        EXPECT_EQ(Tekst(k, "formula"), QString::fromUtf8(formula)) << adres;
    }
}

TEST(ZapisXlsHaslo, WeryfikatorJakWInnychProgramach)
{
    if (!CzyJestPython())
        GTEST_SKIP() << "brak python3 z openpyxl";
    // That program's verifier holds 16 bits for passwords up to 15 characters.
    for (const QString& haslo : {QStringLiteral("abc"), QStringLiteral("a"), QStringLiteral("Velostra2024!"),
                                 QStringLiteral("haslo-15-znakow")}) {
        QProcess p;
        p.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral("-c"),
                 QStringLiteral("import sys\nfrom openpyxl.worksheet.protection import hash_password\n"
                                "print(hash_password(sys.argv[1]))"),
                 haslo});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(QString::number(WeryfikatorHaslaArkusza(haslo), 16).toUpper(),
                  QString::fromLatin1(p.readAllStandardOutput().trimmed()))
            << haslo.toStdString();
    }
}

TEST(ZapisXlsBledy, PustySkoroszytIZlaFormula)
{
    TSkoroszyt pusty;
    OczekujBledu([&] { ZapiszXls(pusty); }, QStringLiteral("Skoroszyt nie ma żadnego arkusza."));
    TSkoroszyt s;
    s.DodajArkusz(QStringLiteral("Koszty")).UstawFormule(2, 27, QStringLiteral("SUM(A1;"));
    try {
        ZapiszXls(s);
        ADD_FAILURE() << "brak wyjątku";
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Arkusz \"Koszty\", komórka AB3: "))) << e.what();
    }
}

// A workbook the size the export makes: 50,000 rows of 12 columns, 100,000 formulas, about 60,000
// distinct texts (its speed is measured by bench_arkusz).
TEST(ZapisXlsDuzy, SkoroszytZTablicaDifat)
{
    TSkoroszyt s;
    TArkusz& a = s.DodajArkusz(QStringLiteral("Kosztorys"));
    const auto kwota = s.Format(
        TFormatKomorki{.Ramki = KrawedzieWszystkie, .FormatLiczby = s.DodajFormatLiczby(QStringLiteral("0.00"))});
    for (int w = 0; w < 50000; ++w) {
        a.UstawTekst(w, 0, QStringLiteral("Pozycja %1 – roboty ziemne").arg(w));
        a.UstawTekst(w, 1, QStringLiteral("jedn. %1").arg(w % 10000));
        for (int k = 2; k < 8; ++k)
            a.UstawLiczbe(w, k, w * 0.37 + k);
        a.UstawFormule(w, 8, QStringLiteral("ROUND(C%1*D%1;2)").arg(w + 1));
        a.UstawFormule(w, 9, QStringLiteral("SUM(C%1:H%1)").arg(w + 1));
        a.UstawFormat(w, 10, kwota);
        a.UstawLiczbe(w, 11, w);
    }
    const QByteArray plik = ZapiszXls(s);
    EXPECT_GT(plik.size(), 7 << 20);
    // A file over 7 MB: its allocation table is listed in sectors of its own.
    if (!CzyJestPython())
        return;
    const QString sciezka = KatalogDomowyTestu() + QStringLiteral("/duzy.xls");
    ZapiszPlik(sciezka, plik);
    const QJsonObject ole = CzytajOle(sciezka);
    EXPECT_TRUE(ole[QStringLiteral("problemy")].toArray().isEmpty());
    EXPECT_GT(ole[QStringLiteral("sektory_difat")].toInt(), 0);
    const QJsonObject strumien = ole[QStringLiteral("strumienie")].toObject()[QStringLiteral("Workbook")].toObject();
    const qsizetype rozmiar = strumien[QStringLiteral("rozmiar")].toInteger();
    EXPECT_GT(rozmiar, plik.size() - (256 << 10));
    EXPECT_EQ(strumien[QStringLiteral("md5")].toString(),
              QString::fromLatin1(QCryptographicHash::hash(plik.mid(512, rozmiar), QCryptographicHash::Md5).toHex()));
}

TEST(RekordyBiff8, DlugiRekordCiagnieSieWRekordachContinue)
{
    TRekordyBiff8 r(16, 3);
    const qsizetype rekord = r.Otworz(Biff8::ExternSheet);
    QByteArray dane;
    for (int i = 0; i < 20000; ++i)
        dane.append(static_cast<char>(i * 7));
    r.Bajty(dane.constData(), dane.size());
    r.Zamknij(rekord);
    r.Naglowek(Biff8::Eof, 0);
    const QByteArray strumien = r.Zabierz().mid(3);
    const auto rekordy = Rekordy(strumien);
    ASSERT_EQ(rekordy.size(), 4u);
    const std::uint16_t typy[] = {Biff8::ExternSheet, Biff8::Continue, Biff8::Continue, Biff8::Eof};
    const int dlugosci[] = {8224, 8224, 20000 - 2 * 8224, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rekordy[i].Typ, typy[i]);
        EXPECT_EQ(rekordy[i].Dane.size(), dlugosci[i]);
    }
    EXPECT_EQ(rekordy[0].Dane + rekordy[1].Dane + rekordy[2].Dane, dane);
}

} // namespace
