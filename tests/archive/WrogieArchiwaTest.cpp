// Archives made to write outside the chosen folder: refused before anything is written.

#include "archive/PomocnikArchiwizatora.h"

#include "app/Wyjatki.h"
#include "archive/Archiwum.h"
#include "archive/ZestawArchiwizator.h"

#include <QFile>

namespace {

struct TWrogiPrzypadek
{
    const char* Nazwa;
    const char* WpisZestawu; // entry name of the set file
    const char* Zestaw;      // the set file's XML
    const char* Lista;       // the list entry "ZIP\l.sst" ("" for none)
    const char* WpisDodatkowy;
    int Struktura;
};

const TWrogiPrzypadek Przypadki[] = {
    {"NazwaZestawuWychodzi", "..\\..\\zly.zst", "<zestaw/>", "", "", 0},
    {"NazwaZestawuBezwzgledna", "\\tmp\\zly.zst", "<zestaw/>", "", "", 0},
    {"KosztorysZKropkami", "z.zst",
     R"(<zestaw><kosztorysy><kosztorys path="ZIP\..\..\zly.rds"/></kosztorysy></zestaw>)", "", "ZIP\\..\\..\\zly.rds",
     0},
    {"KosztorysBezwzgledny", "z.zst", R"(<zestaw><kosztorys path="/tmp/ZIP/zly.rds"/></zestaw>)", "",
     "\\tmp\\ZIP\\zly.rds", 0},
    {"KosztorysZLiteraDysku", "z.zst", R"(<zestaw><kosztorys path="C:\ZIP\zly.rds"/></zestaw>)", "", "C:\\ZIP\\zly.rds",
     0},
    {"SzablonZKropkami", "z.zst", R"(<zestaw><konfiguracja szablonPierwszejStronyDocPath="ZIP/../zly.doc"/></zestaw>)",
     "", "ZIP\\..\\zly.doc", 0},
    {"ListaZKropkami", "z.zst", R"(<zestaw><sst path="ZIP\..\zly.sst"/></zestaw>)", "", "ZIP\\..\\zly.sst", 0},
    {"DokumentZKropkami", "z.zst", R"(<zestaw><sst path="ZIP\l.sst"/></zestaw>)",
     R"(<sst><specyfikacja numer="A" plik="ZIP\sst\..\..\zly.odt"/></sst>)", "ZIP\\sst\\..\\..\\zly.odt", 0},
    {"WariantZKropkami", "z.zst", R"(<zestaw><sst path="ZIP\l.sst"/></zestaw>)",
     R"(<sst><specyfikacja numer="A"><warianty><wariant numer="1" plik="..\ZIP\zly.odt"/></warianty></specyfikacja></sst>)",
     "..\\ZIP\\zly.odt", 0},
    {"NumerGrupyDwieKropki", "z.zst", R"(<zestaw><sst path="ZIP\l.sst"/></zestaw>)",
     R"(<sst><specyfikacja numer=".." grupa="true"><specyfikacja numer=".." grupa="true">)"
     R"(<specyfikacja numer="A" plik="ZIP\sst\zly.odt"/></specyfikacja></specyfikacja></sst>)",
     "ZIP\\sst\\zly.odt", 0},
};

class TWrogieArchiwa : public TTestArchiwizatora, public ::testing::WithParamInterface<TWrogiPrzypadek>
{
};

TEST_P(TWrogieArchiwa, OdrzucaPrzedZapisaniemCzegokolwiek)
{
    const TWrogiPrzypadek& p = GetParam();
    TArchiwum archiwum;
    if (*p.WpisDodatkowy)
        archiwum.DodajDane(QString::fromUtf8(p.WpisDodatkowy), QByteArray("zła treść"));
    if (*p.Lista)
        archiwum.DodajDane(QStringLiteral("ZIP\\l.sst"), QByteArray(p.Lista));
    archiwum.DodajDane(QString::fromUtf8(p.WpisZestawu), QByteArray(p.Zestaw));
    const QString plik = Tmp(QStringLiteral("wrogie/zly.azst"));
    QDir().mkpath(Tmp(QStringLiteral("wrogie")));
    archiwum.Zapisz(plik);

    // The target lies two levels down, so that ".." twice would still land inside the temporary folder.
    const QString cel = Tmp(QStringLiteral("a/b/cel"));
    TOpcjeEkstrakcjiArchiwum opcje;
    opcje.SetFolderDocelowy(cel);
    opcje.StrukturaFolderow = p.Struktura;
    TZestawArchiwizator archiwizator(opcje);
    QString wynik;
    try {
        archiwizator.RozpakujArchiwumZestawu(plik, wynik);
        FAIL() << "przyjęto wrogie archiwum";
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Archiwum zawiera niedozwoloną ścieżkę"))) << e.what();
    }
    EXPECT_TRUE(wynik.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Tmp(QStringLiteral("a"))));
    EXPECT_EQ(PlikiWFolderze(FTmp.path()), QStringList{QStringLiteral("wrogie/zly.azst")});
}

INSTANTIATE_TEST_SUITE_P(Przypadki, TWrogieArchiwa, ::testing::ValuesIn(Przypadki),
                         [](const auto& przypadek) { return std::string(przypadek.param.Nazwa); });

// Links: the target itself, or a folder inside it, leading elsewhere.
class TDowiazaniaWCelu : public TTestArchiwizatora, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(TDowiazaniaWCelu, OdrzucaFolderBedacyDowiazaniem)
{
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("ZIP\\k.rds"), QByteArray("kosztorys"));
    archiwum.DodajDane(QStringLiteral("ZIP\\l.sst"),
                       QByteArray(R"(<sst><specyfikacja numer="A" plik="ZIP\sst\a.odt"/></sst>)"));
    archiwum.DodajDane(QStringLiteral("ZIP\\sst\\a.odt"), QByteArray("dokument"));
    archiwum.DodajDane(
        QStringLiteral("z.zst"),
        QByteArray(
            R"(<zestaw><kosztorysy><kosztorys path="ZIP\k.rds"/></kosztorysy><sst path="ZIP\l.sst"/></zestaw>)"));
    const QString plik = Tmp(QStringLiteral("z.azst"));
    archiwum.Zapisz(plik);

    const QString obcy = Tmp(QStringLiteral("obcy"));
    QDir().mkpath(obcy);
    const QString cel = Tmp(QStringLiteral("cel"));
    const QString dowiazanie = cel + QLatin1Char('/') + QString::fromUtf8(GetParam());
    QDir().mkpath(QFileInfo(dowiazanie).absolutePath());
    ASSERT_TRUE(QFile::link(obcy, dowiazanie));

    TOpcjeEkstrakcjiArchiwum opcje;
    opcje.SetFolderDocelowy(cel);
    TZestawArchiwizator archiwizator(opcje);
    QString wynik;
    try {
        archiwizator.RozpakujArchiwumZestawu(plik, wynik);
        FAIL() << "rozpakowano przez dowiązanie";
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().contains(QStringLiteral("dowiązaniem symbolicznym"))) << e.what();
    }
    EXPECT_TRUE(PlikiWFolderze(obcy).isEmpty());
    QStringList wCelu = PlikiWFolderze(cel);
    EXPECT_TRUE(wCelu.isEmpty()) << wCelu.join(QLatin1Char(',')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Miejsca, TDowiazaniaWCelu,
                         ::testing::Values("Dane", "Dane/Zestawy", "Dane/Kosztorysy", "Dane/Listy SST",
                                           "Specyfikacje Techniczne"));

TEST_F(TTestArchiwizatora, OdrzucaFolderDocelowyBedacyDowiazaniem)
{
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("z.zst"), QByteArray("<zestaw/>"));
    const QString plik = Tmp(QStringLiteral("z.azst"));
    archiwum.Zapisz(plik);
    const QString obcy = Tmp(QStringLiteral("obcy"));
    QDir().mkpath(obcy);
    ASSERT_TRUE(QFile::link(obcy, Tmp(QStringLiteral("cel"))));

    TOpcjeEkstrakcjiArchiwum opcje;
    opcje.SetFolderDocelowy(Tmp(QStringLiteral("cel")));
    TZestawArchiwizator archiwizator(opcje);
    QString wynik;
    EXPECT_THROW(archiwizator.RozpakujArchiwumZestawu(plik, wynik), EBlad);
    EXPECT_TRUE(PlikiWFolderze(obcy).isEmpty());
}

} // namespace
