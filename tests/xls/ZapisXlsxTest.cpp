#include "xls/ZapisXlsx.h"
#include "xls/HasloArkusza.h"

#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"
#include "xls/Skoroszyt.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

namespace {

const QString Python = QStringLiteral("/usr/bin/python3");

// What the script reports, keyed by "kind subject".
QMap<QString, QString> Czytaj(const QString& plik, const QStringList& dodatkowe = {})
{
    QProcess p;
    p.start(Python, QStringList{QStringLiteral(VELOSTRA_TEST_DATA "/../xls/czytaj_xlsx_prosto.py"), plik} + dodatkowe);
    p.waitForFinished(60000);
    const QByteArray bledy = p.readAllStandardError();
    EXPECT_EQ(p.exitCode(), 0) << bledy.toStdString();
    QMap<QString, QString> fakty;
    for (const QString& linia : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList pola = linia.split(u'\t');
        fakty.insert(pola.value(0) + u' ' + pola.value(1), pola.mid(2).join(u'\t'));
    }
    return fakty;
}

// Two sheets referring to each other, with every feature the export uses, and a third protected otherwise.
void Wypelnij(TSkoroszyt& s)
{
    TArkusz& a = s.DodajArkusz(QStringLiteral("Kosztorys"));
    s.DodajArkusz(QStringLiteral("Zestawienie ąę")).UstawLiczbe(0, 0, 100);
    s.DodajArkusz(QStringLiteral("Trzeci")).Chron(QStringLiteral("hasło"), 0x2AAA);
    s.Arkusz(1).Chron(QString(), 0x5555); // each bit set in one mask and clear in the other

    TFormatKomorki naglowek{QStringLiteral("Times New Roman"), 12, true, TWyrownanie::Srodek, true, true};
    a.UstawTekst(0, 0, QStringLiteral("Zestawienie kosztów – ąćęłńóśźż"));
    a.UstawFormat(0, 0, naglowek);
    a.Scal({0, 0, 0, 3});
    a.Obramuj({0, 0, 0, 3});
    a.UstawLiczbe(2, 0, 1);
    a.UstawTekst(2, 1, QStringLiteral("tekst"));
    a.UstawLiczbe(2, 2, 12.5);
    a.UstawFormat(2, 2, {.FormatLiczby = s.DodajFormatLiczby(QStringLiteral("#,##0.00")), .Zablokowana = false});
    a.UstawFormule(2, 3, QStringLiteral("ROUND(C3*2;2)"));
    a.UstawFormule(3, 3, QStringLiteral("SUM(D3:D3)+0,5"));
    a.UstawFormat(2, 4, {.Ramki = KrawedzieWszystkie}); // a blank cell that shows only its borders
    a.UstawLiczbe(4, 0, 7);                             // merged ranges whose first cell holds a number and a formula
    a.Scal({4, 0, 4, 1});
    a.Obramuj({4, 0, 4, 1});
    a.UstawFormule(4, 2, QStringLiteral("D3*2"));
    a.Scal({4, 2, 4, 3});
    a.UstawFormule(0, 5, QStringLiteral("'Zestawienie ąę'!A1*0,23"));
    a.UstawFormule(1, 5, QStringLiteral("CONCATENATE(\"Razem: \";B3)"));

    a.UkryjKolumne(0);
    a.UstawSzerokoscKolumnyPx(1, 100);
    a.UstawSzerokoscKolumnyPx(2, 37);
    a.UstawSzerokoscKolumnyPx(4, 90);
    a.UkryjKolumne(4);
    a.UkryjWiersz(0);
    a.UstawWysokoscWierszaPx(1, 40);
    a.UstawStopke(QStringLiteral("&D"), QStringLiteral("Strona &P z &N"), QStringLiteral("Kosztorys ą"));
    a.UstawWierszeTytulowe(1, 2);
    a.Chron(QStringLiteral("Tajne1"), 0x441C);
}

class ZapisXlsxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QFile::exists(Python))
            GTEST_SKIP() << "python3 is not installed";
        ASSERT_TRUE(FKatalog.isValid());
    }
    QString Plik(const QString& nazwa) const { return FKatalog.filePath(nazwa); }
    QTemporaryDir FKatalog;
};

void Sprawdz(const QMap<QString, QString>& fakty, std::initializer_list<std::pair<const char*, const char*>> oczekiwane)
{
    for (const auto& [klucz, wartosc] : oczekiwane)
        EXPECT_EQ(fakty.value(QString::fromUtf8(klucz), QStringLiteral("<brak>")), QString::fromUtf8(wartosc)) << klucz;
}

TEST_F(ZapisXlsxTest, PlikNiesieWszystkoCoSkoroszyt)
{
    TSkoroszyt s;
    Wypelnij(s);
    ZapiszXlsx(s, Plik(QStringLiteral("wynik.xlsx")));
    EXPECT_EQ(QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("wynik.xlsx")});

    const auto fakty =
        Czytaj(Plik(QStringLiteral("wynik.xlsx")), {QStringLiteral("haslo:Tajne1"), QStringLiteral("haslo:hasło")});
    // Formats: font; size; bold; horizontal; vertical; wrap; thin edges; number format; locked. Columns and rows:
    // width or height in pixels; hidden (a hidden column of the default width kept as spreadsheet programs keep it:
    // of no width).
    Sprawdz(fakty, {{"arkusze ", "Kosztorys|Zestawienie ąę|Trzeci"},
                    {"wartosc Kosztorys!A1", "s:Zestawienie kosztów – ąćęłńóśźż"},
                    {"wartosc Kosztorys!B1", "-:"},
                    {"wartosc Kosztorys!A3", "n:1.0"},
                    {"wartosc Kosztorys!C3", "n:12.5"},
                    {"wartosc Kosztorys!D3", "f:=ROUND(C3*2,2)"},
                    {"wartosc Kosztorys!D4", "f:=SUM(D3:D3)+0.5"},
                    {"wartosc Kosztorys!A5", "n:7.0"},
                    {"wartosc Kosztorys!C5", "f:=D3*2"},
                    {"wartosc Kosztorys!D5", "-:"},
                    {"wartosc Kosztorys!F1", "f:='Zestawienie ąę'!A1*0.23"},
                    {"wartosc Kosztorys!F2", "f:=CONCATENATE(\"Razem: \",B3)"},
                    {"format Kosztorys!A1", "Times New Roman;12;1;center;center;1;LTB;General;1"},
                    {"format Kosztorys!B1", "Arial;10;0;general;bottom;0;TB;General;1"},
                    {"format Kosztorys!D1", "Arial;10;0;general;bottom;0;RTB;General;1"},
                    {"format Kosztorys!C3", "Arial;10;0;general;bottom;0;;#,##0.00;0"},
                    {"format Kosztorys!E3", "Arial;10;0;general;bottom;0;LRTB;General;1"},
                    {"format Kosztorys!B5", "Arial;10;0;general;bottom;0;RTB;General;1"},
                    {"scalenia Kosztorys", "A1:D1 A5:B5 C5:D5"},
                    {"kolumna Kosztorys!A", "0;1"},
                    {"kolumna Kosztorys!B", "100;0"},
                    {"kolumna Kosztorys!C", "37;0"},
                    {"kolumna Kosztorys!E", "90;1"},
                    {"wiersz Kosztorys!1", "20;1"},
                    {"wiersz Kosztorys!2", "40;0"},
                    {"stopka Kosztorys", "&L&D&CStrona &P z &N&RKosztorys ą"},
                    {"stopka Zestawienie ąę", ""},
                    {"tytulowe Kosztorys", "$2:$3"},
                    {"zapisane_wyniki Kosztorys", "0"},
                    {"ochrona Kosztorys", "1 0x441C"},
                    {"ochrona Zestawienie ąę", "1 0x5555"},
                    {"ochrona Trzeci", "1 0x2AAA"},
                    {"haslo_pliku Zestawienie ąę", ""}});
    // The verifiers openpyxl computes from the Windows-1250 bytes, ours, and those in the file agree.
    for (const auto& [arkusz, haslo] : {std::pair{"Kosztorys", "Tajne1"}, std::pair{"Trzeci", "hasło"}}) {
        const QString oczekiwany = fakty.value(QStringLiteral("haslo ") + QString::fromUtf8(haslo));
        EXPECT_FALSE(oczekiwany.isEmpty());
        EXPECT_EQ(fakty.value(QStringLiteral("haslo_pliku ") + QString::fromUtf8(arkusz)), oczekiwany) << arkusz;
        EXPECT_EQ(QString::number(WeryfikatorHaslaArkusza(QString::fromUtf8(haslo))), oczekiwany) << arkusz;
    }
}

// LibreOffice takes a stored formula result as it is; without one it calculates the cell.
TEST_F(ZapisXlsxTest, LibreOfficeObliczaFormuly)
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        GTEST_SKIP() << "soffice is not installed";
    TSkoroszyt s;
    Wypelnij(s);
    ZapiszXlsx(s, Plik(QStringLiteral("wynik.xlsx")));
    QProcess lo;
    lo.start(QStringLiteral("soffice"),
             {QStringLiteral("-env:UserInstallation=file://") + Plik(QStringLiteral("profil")),
              QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("xlsx"),
              QStringLiteral("--outdir"), Plik(QStringLiteral("lo")), Plik(QStringLiteral("wynik.xlsx"))});
    ASSERT_TRUE(lo.waitForFinished(120000));
    Sprawdz(Czytaj(Plik(QStringLiteral("lo/wynik.xlsx")), {QStringLiteral("--wyniki")}),
            {{"wartosc Kosztorys!D3", "n:25.0"},
             {"wartosc Kosztorys!D4", "n:25.5"},
             {"wartosc Kosztorys!C5", "n:50.0"},
             {"wartosc Kosztorys!F1", "n:23.0"},
             {"wartosc Kosztorys!F2", "s:Razem: tekst"}});
}

// An existing file is replaced whole; a failure leaves it as it was. No temporary stays behind.
TEST_F(ZapisXlsxTest, ZastepujeCalyPlikLubGoNieRusza)
{
    const QString cel = Plik(QStringLiteral("stary.xlsx"));
    ZapiszPlik(cel, "stara zawartość");
    TSkoroszyt zla, pusty, dobry;
    zla.DodajArkusz(QStringLiteral("A")).UstawFormule(1, 1, QStringLiteral("NIEZNANA(A1)"));
    dobry.DodajArkusz(QStringLiteral("Nowy")).UstawLiczbe(0, 0, 5);
    const struct
    {
        const TSkoroszyt* Skoroszyt;
        QString Sciezka;
        const char* Fragment;
    } bledy[] = {
        {&zla, cel, "komórka B2"},
        {&pusty, cel, "nie ma żadnego arkusza"},
        {&dobry, Plik(QStringLiteral("brak/nowy.xlsx")), "nie można zapisać skoroszytu"},
    };
    for (const auto& b : bledy) {
        try {
            ZapiszXlsx(*b.Skoroszyt, b.Sciezka);
            ADD_FAILURE() << b.Fragment;
        } catch (const EBlad& e) {
            EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Błąd zapisu pliku"))) << e.what();
            EXPECT_TRUE(e.Komunikat().contains(QString::fromUtf8(b.Fragment))) << e.what();
        }
        EXPECT_EQ(CzytajPlik(cel), QByteArray("stara zawartość"));
        EXPECT_EQ(QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("stary.xlsx")});
    }
    ZapiszXlsx(dobry, cel);
    Sprawdz(Czytaj(cel), {{"arkusze ", "Nowy"}, {"wartosc Nowy!A1", "n:5.0"}});
    EXPECT_EQ(QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("stary.xlsx")});
}

} // namespace
