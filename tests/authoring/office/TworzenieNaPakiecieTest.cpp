// Creating a specification from a template on a real office: the copy is named after the specification,
// filled in, and keeps the template's format.
#include "authoring/TworzenieSpecyfikacji.h"
#include "docs/GenerowanieDokumentu.h"
#include "docs/ZbiorEksporter.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"
#include "specs/JmSpecyfikacji.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

class TworzenieNaPakiecie : public TTestZOffice, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(TworzenieNaPakiecie, SzablonWypelnionyWKazdymFormacie)
{
    const QString rozszerzenie = QString::fromLatin1(GetParam());
    const QString szablon = ZapiszDokument(Silnik(), Sciezka(QStringLiteral("Szablon ST.") + rozszerzenie),
                                           {"#NR_ST# #TYTUL_ST#",
                                            {"Jednostki miary:", "#JM#", "Kody CPV:", "#KODY_CPV#", "Koniec szablonu"},
                                            {},
                                            false,
                                            0});
    const bool word = rozszerzenie != QLatin1String("odt");
    std::unique_ptr<TZbiorEksporter> edytor = UtworzEksporter(word, &Silnik());
    TDaneTworzeniaSpecyfikacji dane;
    dane.Numer = QStringLiteral("B-05.01.01");
    dane.TytulNaLiscie = QStringLiteral("Tynki wewnętrzne");
    dane.PlikPodstawy = szablon;
    dane.FolderDocelowy = Sciezka(QStringLiteral("ST/B"));
    dane.CzyWstawTytul = true;
    dane.Tytul = QStringLiteral("Tynki cementowo-wapienne");
    dane.CzyWstawJednostki = true;
    dane.Jednostki = {{"m2", "powierzchnia tynku"}, {"m", "długość narożników"}};
    dane.CzyWstawKodyCpv = true;
    dane.KodyCpv = {{"45410000-4", "Tynkowanie"}};
    dane.CzyEksportDoc = word;
    TTworzenieSpecyfikacji tworzenie(*edytor);
    const TWynikTworzeniaSpecyfikacji wynik = tworzenie.Stworz(dane);

    EXPECT_EQ(wynik.StworzonyPlikStPath, Sciezka(QStringLiteral("ST/B/B-05.01.01 Tynki wewnętrzne.") + rozszerzenie));
    ASSERT_TRUE(QFile::exists(wynik.StworzonyPlikStPath));
    EXPECT_EQ(wynik.StworzoneJednostki.size(), 2u);
    const QString tekst = TekstPdf(DoPdf(Silnik(), wynik.StworzonyPlikStPath));
    EXPECT_TRUE(tekst.contains("B-05.01.01 Tynki cementowo-wapienne")) << tekst.toStdString();
    EXPECT_TRUE(tekst.contains(QRegularExpression("m2 powierzchnia tynku\\s*\\n\\s*m długość narożników")));
    EXPECT_TRUE(tekst.contains("Tynkowanie (45410000-4)"));
    EXPECT_FALSE(tekst.contains("#"));
    // The template itself is untouched.
    EXPECT_TRUE(TekstPdf(DoPdf(Silnik(), szablon)).contains("#NR_ST#"));
    QFile plik(wynik.StworzonyPlikStPath);
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    const QByteArray poczatek = plik.read(4);
    EXPECT_EQ(poczatek == QByteArray("PK\x03\x04", 4), rozszerzenie != QLatin1String("doc"));
}

INSTANTIATE_TEST_SUITE_P(Formaty, TworzenieNaPakiecie, ::testing::Values("doc", "docx", "odt"));

} // namespace
