// The engine's own life: start, loss of the office, shutdown, and single documents filled in place.

#include "app/MyPath.h"
#include "docs/WyjatkiDokumentow.h"
#include "docs/ZbiorEksporterDOC.h"
#include "docs/ZbiorEksporterODT.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"
#include "docs/libreoffice/StraznikUno.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>

namespace {

class SilnikTest : public TTestZOffice
{
};

// Sets an environment variable for one test.
class TZmiennaSrodowiska
{
public:
    TZmiennaSrodowiska(const char* nazwa, const QByteArray& wartosc) : FNazwa(nazwa), FStara(qgetenv(nazwa))
    {
        qputenv(nazwa, wartosc);
    }
    ~TZmiennaSrodowiska()
    {
        if (FStara.isEmpty())
            qunsetenv(FNazwa);
        else
            qputenv(FNazwa, FStara);
    }

private:
    const char* FNazwa;
    QByteArray FStara;
};

TEST_F(SilnikTest, ZatrzymanySilnikNieZostawiaProcesow)
{
    QString potok;
    {
        TSilnikLibreOffice silnik;
        silnik.Uruchom();
        potok = silnik.NazwaPotoku();
        ASSERT_FALSE(potok.isEmpty());
        EXPECT_GT(LiczbaProcesowOffice(potok), 0);
        silnik.NowyDokument()->Zapisz(Sciezka("pusty.odt"));
    }
    EXPECT_EQ(LiczbaProcesowOffice(potok), 0);
    EXPECT_TRUE(QFile::exists(Sciezka("pusty.odt")));
}

// An office that cannot start gives each exporter's message, and nothing is written.
TEST_F(SilnikTest, BrakPakietuBiurowego)
{
    auto plik = std::make_unique<TMyPath>();
    plik->SetEncodedPath(ZapiszDokument(Silnik(), Sciezka("a.odt"), {"A", {"a"}, {}, false, 0}));
    const std::vector<const TMyPath*> lista{plik.get()};
    for (const QByteArray& program : {QByteArray("/bin/false"), QByteArray("/nie/ma/takiego/soffice")}) {
        TZmiennaSrodowiska zmienna("VELOSTRA_SOFFICE", program);
        {
            TSilnikLibreOffice silnik;
            TZbiorEksporterDOC eksporter(&silnik);
            EXPECT_THROW_MSG(eksporter.ScalPliki(Sciezka("w.doc"), lista), EBrakWordException,
                             "Brak dostępu do Microsoft Word.");
            EXPECT_FALSE(silnik.CzyUruchomiony());
        }
        {
            TSilnikLibreOffice silnik;
            TZbiorEksporterODT eksporter(&silnik);
            EXPECT_THROW_MSG(eksporter.ScalPliki(Sciezka("w.odt"), lista), EBlad,
                             "Brak zainstalowanego OpenOffice lub środowiska uruchomieniowego Java!");
            EXPECT_THROW_MSG(eksporter.Otworz(plik->GetPath()), EBlad,
                             "Brak zainstalowanego OpenOffice lub środowiska uruchomieniowego Java!");
        }
        EXPECT_FALSE(QFile::exists(Sciezka("w.doc")));
        EXPECT_FALSE(QFile::exists(Sciezka("w.odt")));
    }
}

// A killed office is started again and the merge repeated once.
TEST_F(SilnikTest, UtraconyPakietJestUruchamianyPonownie)
{
    TSilnikLibreOffice silnik;
    auto plik = std::make_unique<TMyPath>();
    plik->SetEncodedPath(ZapiszDokument(silnik, Sciezka("a.docx"), {"A", {"Znacznik: PO_RESTARCIE"}, {}, false, 0}));
    const QString potok = silnik.NazwaPotoku();
    QProcess::execute(QStringLiteral("pkill"),
                      {QStringLiteral("-KILL"), QStringLiteral("-f"), QStringLiteral("name=") + potok});
    for (int i = 0; i < 100 && LiczbaProcesowOffice(potok) > 0; ++i)
        QThread::msleep(20);
    ASSERT_EQ(LiczbaProcesowOffice(potok), 0);

    TZbiorEksporterODT eksporter(&silnik);
    const QString wynik = Sciezka("wynik.pdf");
    eksporter.ScalPliki(wynik, {plik.get()});
    EXPECT_TRUE(TekstPdf(wynik).contains("Znacznik: PO_RESTARCIE"));
    EXPECT_NE(silnik.NazwaPotoku(), potok);
    const QString nowy = silnik.NazwaPotoku();
    silnik.Zatrzymaj();
    EXPECT_EQ(LiczbaProcesowOffice(nowy), 0);
}

// An office that stops answering is ended once the limit has passed; the merge is repeated on a new one.
TEST_F(SilnikTest, ZawieszonyPakietJestKonczonyIZastepowany)
{
    const TZmiennaSrodowiska limit("VELOSTRA_LIMIT_WYWOLANIA_OFFICE", "2");
    TSilnikLibreOffice silnik;
    auto plik = std::make_unique<TMyPath>();
    plik->SetEncodedPath(ZapiszDokument(silnik, Sciezka("a.odt"), {"A", {"Znacznik: PO_ZAWIESZENIU"}, {}, false, 0}));
    const QString potok = silnik.NazwaPotoku();
    ASSERT_EQ(QProcess::execute(QStringLiteral("pkill"),
                                {QStringLiteral("-STOP"), QStringLiteral("-f"), QStringLiteral("name=") + potok}),
              0);
    const int przerwan = StraznikUno::LiczbaPrzerwan();

    TZbiorEksporterODT eksporter(&silnik);
    const QString wynik = Sciezka("wynik.pdf");
    eksporter.ScalPliki(wynik, {plik.get()});
    EXPECT_TRUE(TekstPdf(wynik).contains("Znacznik: PO_ZAWIESZENIU"));
    EXPECT_EQ(StraznikUno::LiczbaPrzerwan(), przerwan + 1);
    EXPECT_NE(silnik.NazwaPotoku(), potok);
    for (int i = 0; i < 100 && LiczbaProcesowOffice(potok) > 0; ++i)
        QThread::msleep(20);
    EXPECT_EQ(LiczbaProcesowOffice(potok), 0);
}

struct TPrzypadekSzablonu
{
    const char* Rozszerzenie;
    bool Word;
    QByteArray Poczatek; // the format's first bytes
};

class SzablonTest : public TTestZOffice, public ::testing::WithParamInterface<TPrzypadekSzablonu>
{
};

// A template's placeholders are filled in place and the file keeps its format.
TEST_P(SzablonTest, WypelnieniePolZachowujeFormat)
{
    const QString plik = ZapiszDokument(
        Silnik(), Sciezka(QStringLiteral("szablon.") + GetParam().Rozszerzenie),
        {"#NR_ST# #TYTUL_ST#", {"Jednostki:", "#JM#", "Kody CPV:", "#KODY_CPV#", "Znacznik: SZABLON"}, {}, false, 0});
    std::unique_ptr<TZbiorEksporter> edytor;
    if (GetParam().Word)
        edytor = std::make_unique<TZbiorEksporterDOC>(&Silnik());
    else
        edytor = std::make_unique<TZbiorEksporterODT>(&Silnik());
    edytor->Otworz(plik);
    edytor->ZnajdzZamien("#NR_ST#", "ST-05.01");
    edytor->ZnajdzZamien("#TYTUL_ST#", "Tynki wewnętrzne");
    edytor->ZnajdzZamien("#JM#", "m2 powierzchnia tynku\nm3 objętość");
    edytor->ZnajdzZamien("#KODY_CPV#", "");
    edytor->ZapiszIZamknij();

    QFile wynik(plik);
    ASSERT_TRUE(wynik.open(QIODevice::ReadOnly));
    EXPECT_TRUE(wynik.read(GetParam().Poczatek.size()) == GetParam().Poczatek);
    wynik.close();
    const QString tekst = TekstPdf(DoPdf(Silnik(), plik));
    EXPECT_TRUE(tekst.contains("ST-05.01 Tynki wewnętrzne")) << tekst.toStdString();
    EXPECT_TRUE(tekst.contains(QRegularExpression("m2 powierzchnia tynku\\s*\\n\\s*m3 objętość")))
        << tekst.toStdString();
    EXPECT_TRUE(tekst.contains("Znacznik: SZABLON"));
    EXPECT_FALSE(tekst.contains("#")) << tekst.toStdString();
    for (const QString& nazwa : QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden))
        EXPECT_FALSE(nazwa.startsWith(QLatin1String(".velostra"))) << nazwa.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Formaty, SzablonTest,
                         ::testing::Values(TPrzypadekSzablonu{"doc", true, QByteArray::fromHex("d0cf11e0a1b11ae1")},
                                           TPrzypadekSzablonu{"docx", true, QByteArray("PK\x03\x04", 4)},
                                           TPrzypadekSzablonu{"odt", false, QByteArray("PK\x03\x04", 4)},
                                           TPrzypadekSzablonu{"doc", false, QByteArray::fromHex("d0cf11e0a1b11ae1")}),
                         [](const auto& przypadek) {
                             return std::string(przypadek.param.Rozszerzenie) +
                                    (przypadek.param.Word ? "_word" : "_odt");
                         });

TEST_F(SilnikTest, OtwarcieBrakujacegoPliku)
{
    TZbiorEksporterDOC eksporter(&Silnik());
    const QString brak = Sciezka("brak.doc");
    EXPECT_THROW_MSG(eksporter.Otworz(brak), EBlad, "Wybrany plik nie istnieje: " + brak);
}

} // namespace
