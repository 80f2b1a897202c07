// Merging documents of all three kinds on a real office, checked through the saved files: their text by
// way of PDF, their XML, their page count.

#include "app/MyPath.h"
#include "docs/WyjatkiDokumentow.h"
#include "docs/ZbiorEksporterDOC.h"
#include "docs/ZbiorEksporterODT.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {

std::unique_ptr<TMyPath> MyPath(const QString& plik)
{
    auto sciezka = std::make_unique<TMyPath>();
    sciezka->SetEncodedPath(plik);
    return sciezka;
}

std::vector<const TMyPath*> Wskazniki(const std::vector<std::unique_ptr<TMyPath>>& pliki)
{
    std::vector<const TMyPath*> wynik;
    for (const auto& p : pliki)
        wynik.push_back(p.get());
    return wynik;
}

QStringList Strony(const QString& tekstPdf)
{
    QStringList strony = tekstPdf.split(QLatin1Char('\f'));
    while (!strony.isEmpty() && strony.last().trimmed().isEmpty())
        strony.removeLast();
    return strony;
}

// Positions of the texts in order; -1 for a missing one.
bool WKolejnosci(const QString& tekst, const QStringList& znaczniki)
{
    qsizetype pozycja = 0;
    for (const QString& z : znaczniki) {
        pozycja = tekst.indexOf(z, pozycja);
        if (pozycja < 0)
            return false;
    }
    return true;
}

class ScalanieTest : public TTestZOffice
{
protected:
    // Title page plus three specifications, one of each kind, each with its marker; the first one has two
    // pages, the last three.
    std::vector<std::unique_ptr<TMyPath>> Pliki(bool zTytulem = true)
    {
        std::vector<std::unique_ptr<TMyPath>> pliki;
        if (zTytulem)
            pliki.push_back(MyPath(
                ZapiszDokument(Silnik(), Sciezka("tytul.odt"),
                               {"STRONA TYTUŁOWA", {"Znacznik: TYTUL", "Zadanie: #NAZWA_ZADANIA#"}, {}, false, 0})));
        pliki.push_back(
            MyPath(ZapiszDokument(Silnik(), Sciezka("st1.docx"),
                                  {"ST-01 Roboty ziemne", {"Znacznik: ST01", "Wykopy #NAZWA_ZADANIA#"}, {}, true, 1})));
        pliki.push_back(MyPath(
            ZapiszDokument(Silnik(), Sciezka("st2.doc"),
                           {"ST-02 Betony", {"Znacznik: ST02", "Lista:", "#LISTA_ST#", "koniec"}, {}, false, 0})));
        pliki.push_back(
            MyPath(ZapiszDokument(Silnik(), Sciezka("st3.odt"), {"ST-03 Izolacje", {"Znacznik: ST03"}, {}, false, 2})));
        return pliki;
    }

    static void UstawWszystko(TZbiorEksporter& e)
    {
        e.CzyNaglowek = true;
        e.TrescNaglowka = QStringList{"  Nagłówek zestawu  "};
        e.CzyStopka = true;
        e.TrescStopki = QStringList{"Stopka zestawu"};
        e.CzyNrStronyWStopce = true;
        e.CzyTekstDoSt = true;
        e.TekstDoSt = QStringList{"Budowa szkoły"};
    }

    QStringList PlikiWKatalogu() const { return QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden); }

    // An .odt the office makes from flat OpenDocument text; wnetrze: what the document element holds.
    std::unique_ptr<TMyPath> Odt(const QString& nazwa, const QByteArray& wnetrze)
    {
        const QByteArray dokument =
            R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">)" +
            wnetrze + "</office:document>\n";
        QFile fodt(Sciezka(nazwa + QStringLiteral(".fodt")));
        if (!fodt.open(QIODevice::WriteOnly) || fodt.write(dokument) != dokument.size())
            ADD_FAILURE() << "nie zapisano " << fodt.fileName().toStdString();
        fodt.close();
        const QString odt = Sciezka(nazwa + QStringLiteral(".odt"));
        Silnik().OtworzDokument(fodt.fileName(), true)->Zapisz(odt);
        return MyPath(odt);
    }

    std::unique_ptr<TMyPath> Tytulowa()
    {
        return MyPath(
            ZapiszDokument(Silnik(), Sciezka("tytul.odt"), {"STRONA TYTUŁOWA", {"Znacznik: TYTUL"}, {}, false, 0}));
    }
};

struct TPrzypadekFormatu
{
    const char* Rozszerzenie;
    bool Word;
};

class ScalanieFormatTest : public ScalanieTest, public ::testing::WithParamInterface<TPrzypadekFormatu>
{
};

// Every output kind holds every input in order, the title page without header and footer, the other
// pages with both and their numbers, and no placeholder left.
TEST_P(ScalanieFormatTest, WszystkiePlikiWKolejnosciZNaglowkiemIStopka)
{
    auto pliki = Pliki();
    std::unique_ptr<TZbiorEksporter> eksporter;
    if (GetParam().Word)
        eksporter = std::make_unique<TZbiorEksporterDOC>(&Silnik());
    else
        eksporter = std::make_unique<TZbiorEksporterODT>(&Silnik());
    UstawWszystko(*eksporter);
    eksporter->CzyStronaTytulowa = true;
    eksporter->CzyWstawListeStDoWarOgolnych = true;
    eksporter->PlikWarunkowOgolnych = pliki[2].get();
    eksporter->ListaStDoWarOgolnych = QStringList{"ST-01 - Roboty ziemne", "ST-03 - Izolacje"};
    QStringList postep;
    eksporter->OnProgressChange = [&](TZbiorEksporter* e) { postep << e->CurrentFile(); };

    const QString wynik = Sciezka(QStringLiteral("wynik.") + GetParam().Rozszerzenie);
    const int oknaPrzed = Silnik().LiczbaOkien();
    eksporter->ScalPliki(wynik, Wskazniki(pliki));
    // The views put on the merged document for its search and its pages went with it.
    EXPECT_EQ(Silnik().LiczbaOkien(), oknaPrzed);

    EXPECT_EQ(postep, (QStringList{"tytul.odt", "st1.docx", "st2.doc", "st3.odt"}));
    const QString pdf = QFileInfo(wynik).suffix() == QLatin1String("pdf") ? wynik : DoPdf(Silnik(), wynik);
    EXPECT_EQ(LiczbaStronPdf(pdf), 7);
    const QStringList strony = Strony(TekstPdf(pdf));
    ASSERT_EQ(strony.size(), 7);
    EXPECT_TRUE(strony[0].contains("Znacznik: TYTUL"));
    EXPECT_TRUE(strony[0].contains("Zadanie: Budowa szkoły"));
    EXPECT_FALSE(strony[0].contains("Nagłówek zestawu"));
    EXPECT_FALSE(strony[0].contains("Strona -"));
    for (int i = 1; i < 7; ++i) {
        EXPECT_TRUE(strony[i].contains("Nagłówek zestawu")) << i;
        EXPECT_TRUE(strony[i].contains(QRegularExpression(QStringLiteral("Stopka zestawu\\s+Strona - %1").arg(i + 1))))
            << strony[i].toStdString();
    }
    const QString calosc = strony.join(QLatin1Char('\f'));
    EXPECT_TRUE(WKolejnosci(calosc, {"Znacznik: TYTUL", "Znacznik: ST01", "Wykopy Budowa szkoły",
                                     "Cement Budowa szkoły", "Znacznik: ST02", "ST-01 - Roboty ziemne",
                                     "ST-03 - Izolacje", "koniec", "Znacznik: ST03", "Kolejna strona 3"}));
    EXPECT_FALSE(calosc.contains("#NAZWA_ZADANIA#"));
    EXPECT_FALSE(calosc.contains("#LISTA_ST#"));
    // Nothing but the inputs, their PDFs and the result is left in the folder.
    for (const QString& plik : PlikiWKatalogu())
        EXPECT_FALSE(plik.startsWith(QLatin1String(".velostra"))) << plik.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Formaty, ScalanieFormatTest,
                         ::testing::Values(TPrzypadekFormatu{"doc", true}, TPrzypadekFormatu{"docx", true},
                                           TPrzypadekFormatu{"odt", false}, TPrzypadekFormatu{"pdf", true},
                                           TPrzypadekFormatu{"pdf", false}),
                         [](const auto& przypadek) {
                             return std::string(przypadek.param.Rozszerzenie) +
                                    (przypadek.param.Word ? "_word" : "_odt");
                         });

TEST_F(ScalanieTest, BezStronyTytulowejPierwszaStronaMaNaglowekIStopke)
{
    auto pliki = Pliki(false);
    TZbiorEksporterODT eksporter(&Silnik());
    UstawWszystko(eksporter);
    const QString wynik = Sciezka("wynik.pdf");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    const QStringList strony = Strony(TekstPdf(wynik));
    ASSERT_EQ(strony.size(), 6);
    EXPECT_TRUE(strony[0].contains("Znacznik: ST01"));
    EXPECT_TRUE(strony[0].contains("Nagłówek zestawu"));
    EXPECT_TRUE(strony[0].contains("Strona - 1"));
}

// Names with blanks, Polish letters, "#" and "%" reach the office intact, both ways.
TEST_F(ScalanieTest, NazwyPlikowZeZnakamiSpecjalnymi)
{
    std::vector<std::unique_ptr<TMyPath>> pliki;
    pliki.push_back(
        MyPath(ZapiszDokument(Silnik(), Sciezka("ST #1 – żółć 100%.docx"), {"A", {"Znacznik: ZNAKI"}, {}, false, 0})));
    pliki.push_back(
        MyPath(ZapiszDokument(Silnik(), Sciezka("B-01;a&b [x].doc"), {"B", {"Znacznik: NAWIASY"}, {}, false, 0})));
    TZbiorEksporterDOC eksporter(&Silnik());
    const QString wynik = Sciezka("wynik #2 ąę%20.docx");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    ASSERT_TRUE(QFile::exists(wynik));
    const QString tekst = TekstPdf(DoPdf(Silnik(), wynik));
    EXPECT_TRUE(WKolejnosci(tekst, {"Znacznik: ZNAKI", "Znacznik: NAWIASY"})) << tekst.toStdString();
}

TEST_F(ScalanieTest, JedenPlikBezPodzialuStrony)
{
    std::vector<std::unique_ptr<TMyPath>> pliki;
    pliki.push_back(
        MyPath(ZapiszDokument(Silnik(), Sciezka("jeden.docx"), {"ST-09", {"Znacznik: JEDEN"}, {}, false, 0})));
    TZbiorEksporterDOC eksporter(&Silnik());
    const QString wynik = Sciezka("wynik.pdf");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    EXPECT_EQ(LiczbaStronPdf(wynik), 1);
    EXPECT_TRUE(TekstPdf(wynik).contains("Znacznik: JEDEN"));
}

// Double-sided: right (odd) pages read "text, tabs, Strona - N" right-aligned, left (even) pages
// "Strona - N, tabs, text"; the saved Word file says odd and even pages differ.
TEST_F(ScalanieTest, DrukDwustronnyStopkiParzysteINieparzyste)
{
    auto pliki = Pliki(false);
    TZbiorEksporterDOC eksporter(&Silnik());
    UstawWszystko(eksporter);
    eksporter.CzyDrukDwustronny = true;
    const QString wynik = Sciezka("wynik.pdf");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    const QStringList strony = Strony(TekstPdf(wynik));
    ASSERT_EQ(strony.size(), 6);
    for (int i = 0; i < strony.size(); ++i) {
        const int numer = i + 1;
        const QString wzorzec = numer % 2 == 1 ? QStringLiteral("Stopka zestawu\\s+Strona - %1\\s*$")
                                               : QStringLiteral("Strona - %1\\s+Stopka zestawu\\s*$");
        EXPECT_TRUE(strony[i].contains(QRegularExpression(wzorzec.arg(numer))))
            << numer << ": " << strony[i].toStdString();
    }
    // The Word file says odd and even pages differ and holds both footers.
    const QString docx = Sciezka("wynik.docx");
    eksporter.ScalPliki(docx, Wskazniki(pliki));
    EXPECT_TRUE(CzescArchiwum(docx, "word/settings.xml").contains("evenAndOddHeaders"))
        << CzescArchiwum(docx, "word/settings.xml").toStdString() << NazwyWArchiwum(docx).join(" ").toStdString();
    const QString dokument = QString::fromUtf8(CzescArchiwum(docx, "word/document.xml"));
    EXPECT_TRUE(dokument.contains(QRegularExpression("footerReference w:type=\"even\"")))
        << dokument.mid(dokument.indexOf("<w:sectPr")).toStdString();
    EXPECT_TRUE(dokument.contains(QRegularExpression("footerReference w:type=\"default\"")));
}

TEST_F(ScalanieTest, StopkaBezNumerowStron)
{
    auto pliki = Pliki(false);
    TZbiorEksporterODT eksporter(&Silnik());
    UstawWszystko(eksporter);
    eksporter.CzyNrStronyWStopce = false;
    const QString wynik = Sciezka("wynik.pdf");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    const QString tekst = TekstPdf(wynik);
    EXPECT_TRUE(tekst.contains("Stopka zestawu"));
    EXPECT_FALSE(tekst.contains("Strona -"));
}

// Margins reach the saved Word file as the word processor counts them: the top and bottom ones to the body.
TEST_F(ScalanieTest, MarginesyWZapisanymPliku)
{
    auto pliki = Pliki(false);
    TZbiorEksporterDOC eksporter(&Silnik());
    UstawWszystko(eksporter);
    eksporter.CzyUstawMarginesy = true;
    eksporter.MarginesL = 30;
    eksporter.MarginesR = 15;
    eksporter.MarginesG = 25;
    eksporter.MarginesD = 20;
    const QString wynik = Sciezka("wynik.docx");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    const QString dokument = QString::fromUtf8(CzescArchiwum(wynik, "word/document.xml"));
    const auto dopasowanie = QRegularExpression(QStringLiteral("<w:pgMar ([^>]*)/>")).match(dokument);
    ASSERT_TRUE(dopasowanie.hasMatch());
    auto twip = [&](const char* nazwa) {
        const auto m = QRegularExpression(QStringLiteral("w:%1=\"(\\d+)\"").arg(QLatin1String(nazwa)))
                           .match(dopasowanie.captured(1));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    auto mm = [](int ile) { return ile * 1440.0 / 25.4; };
    EXPECT_NEAR(twip("left"), mm(30), 2);
    EXPECT_NEAR(twip("right"), mm(15), 2);
    EXPECT_NEAR(twip("top"), mm(25), 30);
    EXPECT_NEAR(twip("bottom"), mm(20), 30);
}

// The style reference in the header becomes a real Word field in a .docx.
TEST_F(ScalanieTest, OdwolanieDoStyluWNaglowkuDocx)
{
    auto pliki = Pliki(false);
    TZbiorEksporterDOC eksporter(&Silnik());
    UstawWszystko(eksporter);
    eksporter.CzyStylWNaglowku = true;
    eksporter.NazwaStyluWNaglowku = QStringLiteral("Heading 1");
    eksporter.CzyWeryfikujStylNaglowka = true;
    const QString wynik = Sciezka("wynik.docx");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    QByteArray naglowki;
    for (const QString& nazwa : NazwyWArchiwum(wynik)) {
        if (nazwa.startsWith(QLatin1String("word/header")))
            naglowki += CzescArchiwum(wynik, nazwa);
    }
    EXPECT_TRUE(naglowki.contains("STYLEREF \"Heading 1\"")) << naglowki.toStdString();
    EXPECT_FALSE(naglowki.contains("VELOSTRASTYLEREF"));
    // The file still opens, and the header text stays.
    EXPECT_TRUE(TekstPdf(DoPdf(Silnik(), wynik)).contains("Nagłówek zestawu"));
}

// In a .doc the reference to a heading style goes through the office's chapter field, which its Word 97
// export writes as a STYLEREF field; the header shows the nearest heading.
TEST_F(ScalanieTest, OdwolanieDoStyluNaglowkaWDoc)
{
    auto pliki = Pliki(false);
    TZbiorEksporterDOC eksporter(&Silnik());
    UstawWszystko(eksporter);
    eksporter.CzyStylWNaglowku = true;
    eksporter.NazwaStyluWNaglowku = QStringLiteral("Heading 1");
    const QString wynik = Sciezka("wynik.doc");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    const QByteArray bajty = CzytajPlik(wynik);
    const bool styleref = bajty.contains("STYLEREF") ||
                          bajty.contains(QByteArray::fromRawData(reinterpret_cast<const char*>(u"STYLEREF"), 16));
    EXPECT_TRUE(styleref);
    EXPECT_FALSE(bajty.contains("VELOSTRASTYLEREF"));
    const QStringList strony = Strony(TekstPdf(DoPdf(Silnik(), wynik)));
    ASSERT_GE(strony.size(), 4);
    // The second page of ST-01 has no heading of its own: its header repeats the one before.
    EXPECT_TRUE(strony[1].contains("Kolejna strona 2"));
    EXPECT_TRUE(strony[1].contains("ST-01 Roboty ziemne")) << strony[1].toStdString();
}

TEST_F(ScalanieTest, WeryfikacjaStyluNieznanegoPrzerywaEksport)
{
    auto pliki = Pliki(false);
    TZbiorEksporterDOC eksporter(&Silnik());
    eksporter.CzyStylWNaglowku = true;
    eksporter.NazwaStyluWNaglowku = QStringLiteral("Styl, którego nie ma");
    eksporter.CzyWeryfikujStylNaglowka = true;
    const QString wynik = Sciezka("wynik.docx");
    EXPECT_THROW_MSG(eksporter.ScalPliki(wynik, Wskazniki(pliki)), EBlad,
                     "Wybrany styl nie występuje w eksportowanych dokumentach.");
    EXPECT_FALSE(QFile::exists(wynik));
}

TEST_F(ScalanieTest, NazwyStylowUzywanychWPlikach)
{
    std::vector<std::unique_ptr<TMyPath>> pliki;
    pliki.push_back(MyPath(ZapiszDokument(Silnik(), Sciezka("a.docx"), {"A", {"tekst"}, "Tekst ST", false, 0})));
    pliki.push_back(MyPath(ZapiszDokument(Silnik(), Sciezka("b.doc"), {"B", {"tekst"}, "tekst st", false, 0})));
    TZbiorEksporterDOC eksporter(&Silnik());
    QStringList style;
    eksporter.GetNazwyStylow(Wskazniki(pliki), style);
    EXPECT_EQ(style.filter(QStringLiteral("tekst st"), Qt::CaseInsensitive).size(), 1) << style.join("|").toStdString();
    EXPECT_TRUE(style.contains(QStringLiteral("Heading 1")));
    QStringList posortowane = style;
    std::sort(posortowane.begin(), posortowane.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(style, posortowane);
}

TEST_F(ScalanieTest, LiczbaMiejscListyStWWarunkachOgolnych)
{
    auto jedno = MyPath(ZapiszDokument(Silnik(), Sciezka("wo1.doc"), {"WO", {"#LISTA_ST#"}, {}, false, 0}));
    auto dwa =
        MyPath(ZapiszDokument(Silnik(), Sciezka("wo2.docx"), {"WO", {"#LISTA_ST#", "x #LISTA_ST#"}, {}, false, 0}));
    auto zadne = MyPath(ZapiszDokument(Silnik(), Sciezka("wo0.doc"), {"WO", {"#lista_st#"}, {}, false, 0}));
    TZbiorEksporterDOC eksporter(&Silnik());
    int ilosc = -1;
    eksporter.PlikWarunkowOgolnych = jedno.get();
    EXPECT_TRUE(eksporter.CzyTestListySTWWarunkachOgolnych(ilosc));
    EXPECT_EQ(ilosc, 1);
    eksporter.PlikWarunkowOgolnych = dwa.get();
    EXPECT_TRUE(eksporter.CzyTestListySTWWarunkachOgolnych(ilosc));
    EXPECT_EQ(ilosc, 2);
    eksporter.PlikWarunkowOgolnych = zadne.get();
    EXPECT_FALSE(eksporter.CzyTestListySTWWarunkachOgolnych(ilosc));
    EXPECT_EQ(ilosc, 0);
}

// A stop during the merge skips the rest of the files and the header, yet the task name is filled and
// the document saved.
TEST_F(ScalanieTest, PrzerwanieWTrakcieZapisujeCzesc)
{
    auto pliki = Pliki();
    TZbiorEksporterODT eksporter(&Silnik());
    UstawWszystko(eksporter);
    eksporter.OnProgressChange = [&](TZbiorEksporter* e) {
        if (e->CurrentFile() == QLatin1String("st1.docx"))
            e->Terminate();
    };
    const QString wynik = Sciezka("wynik.pdf");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    const QString tekst = TekstPdf(wynik);
    EXPECT_TRUE(tekst.contains("Znacznik: TYTUL"));
    EXPECT_TRUE(tekst.contains("Zadanie: Budowa szkoły"));
    EXPECT_TRUE(tekst.contains("Znacznik: ST01")); // the file being inserted when the stop came
    EXPECT_FALSE(tekst.contains("Znacznik: ST02"));
    EXPECT_FALSE(tekst.contains("Nagłówek zestawu"));
}

// The task name is replaced wherever the office's search finds it, also where no body text reaches: a
// footnote, a text frame and the footer.
TEST_F(ScalanieTest, NazwaZadaniaWPrzypisieRamceIStopce)
{
    std::vector<std::unique_ptr<TMyPath>> pliki;
    pliki.push_back(Odt("st", R"(<office:body><office:text>
  <text:p>Znacznik: ST01<text:note text:id="n1" text:note-class="footnote"><text:note-citation>1</text:note-citation>
   <text:note-body><text:p>Przypis #NAZWA_ZADANIA#</text:p></text:note-body></text:note></text:p>
  <text:p><draw:frame draw:name="r1" text:anchor-type="paragraph" svg:width="6cm" svg:height="2cm">
   <draw:text-box><text:p>Ramka #nazwa_zadania#</text:p></draw:text-box></draw:frame>Dalej</text:p>
 </office:text></office:body>)"));
    TZbiorEksporterODT eksporter(&Silnik());
    eksporter.CzyStopka = true;
    eksporter.TrescStopki = QStringList{"Stopka #NAZWA_ZADANIA#"};
    eksporter.CzyTekstDoSt = true;
    eksporter.TekstDoSt = QStringList{"Budowa szkoły"};
    const QString wynik = Sciezka("wynik.odt");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    const QString tresc = QString::fromUtf8(CzescArchiwum(wynik, "content.xml"));
    EXPECT_TRUE(tresc.contains("Przypis Budowa szkoły")) << tresc.toStdString();
    EXPECT_TRUE(tresc.contains("Ramka Budowa szkoły"));
    EXPECT_TRUE(QString::fromUtf8(CzescArchiwum(wynik, "styles.xml")).contains("Stopka Budowa szkoły"));
}

// The first specification after the title page keeps a page style of its own (here landscape) in a .docx.
TEST_F(ScalanieTest, PierwszaPoTytulowejZWlasnymStylemStrony)
{
    std::vector<std::unique_ptr<TMyPath>> pliki;
    pliki.push_back(Tytulowa());
    pliki.push_back(Odt("poziomo", R"(<office:automatic-styles>
  <style:page-layout style:name="pm1"><style:page-layout-properties fo:page-width="29.7cm" fo:page-height="21cm"
   style:print-orientation="landscape"/></style:page-layout>
  <style:style style:name="P1" style:family="paragraph" style:master-page-name="Poziomo"/>
 </office:automatic-styles>
 <office:master-styles><style:master-page style:name="Poziomo" style:page-layout-name="pm1"/></office:master-styles>
 <office:body><office:text><text:p text:style-name="P1">Znacznik: POZIOMO</text:p></office:text></office:body>)"));
    TZbiorEksporterODT eksporter(&Silnik());
    eksporter.CzyStronaTytulowa = true;
    const QString wynik = Sciezka("wynik.docx");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {"-f", "1", "-l", "2", DoPdf(Silnik(), wynik)});
    ASSERT_TRUE(pdfinfo.waitForFinished(30000));
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    EXPECT_TRUE(info.contains(QRegularExpression("Page +1 size: +595[.0-9]* x 841"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page +2 size: +841[.0-9]* x 595"))) << info.toStdString();
}

// A first specification that begins with a table: the pages after the title page have the header all the same.
TEST_F(ScalanieTest, PierwszaPoTytulowejZaczynaSieTabela)
{
    std::vector<std::unique_ptr<TMyPath>> pliki;
    pliki.push_back(Tytulowa());
    pliki.push_back(Odt("tabela", R"(<office:body><office:text><table:table table:name="T1"><table:table-column/>
  <table:table-row><table:table-cell><text:p>Znacznik: TABELA</text:p></table:table-cell></table:table-row>
 </table:table><text:p>Dalej</text:p></office:text></office:body>)"));
    TZbiorEksporterODT eksporter(&Silnik());
    UstawWszystko(eksporter);
    eksporter.CzyStronaTytulowa = true;
    const QString wynik = Sciezka("wynik.docx");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    const QStringList strony = Strony(TekstPdf(DoPdf(Silnik(), wynik)));
    ASSERT_EQ(strony.size(), 2);
    EXPECT_FALSE(strony[0].contains("Nagłówek zestawu"));
    EXPECT_TRUE(strony[1].contains("Znacznik: TABELA"));
    EXPECT_TRUE(strony[1].contains("Nagłówek zestawu")) << strony[1].toStdString();
}

TEST_F(ScalanieTest, BrakPlikuWejsciowego)
{
    auto pliki = Pliki(false);
    pliki.push_back(MyPath(Sciezka("brak.docx")));
    const QString brak = Sciezka("brak.docx");
    {
        TZbiorEksporterDOC eksporter(&Silnik());
        const QString wynik = Sciezka("wynik.docx");
        EXPECT_THROW_MSG(eksporter.ScalPliki(wynik, Wskazniki(pliki)), EBlad,
                         "Nie udało się utworzyć pliku DOC: Podany plik nie istnieje: " + brak);
        EXPECT_FALSE(QFile::exists(wynik));
    }
    {
        TZbiorEksporterODT eksporter(&Silnik());
        const QString wynik = Sciezka("wynik.odt");
        EXPECT_THROW_MSG(eksporter.ScalPliki(wynik, Wskazniki(pliki)), EBlad, "Podany plik nie istnieje: " + brak);
        EXPECT_FALSE(QFile::exists(wynik));
    }
}

// A file that is no document at all is not silently dropped.
TEST_F(ScalanieTest, UszkodzonyPlikNieJestPomijany)
{
    auto pliki = Pliki(false);
    QFile zly(Sciezka("zly.docx"));
    ASSERT_TRUE(zly.open(QIODevice::WriteOnly));
    zly.write("to nie jest dokument");
    zly.close();
    pliki.push_back(MyPath(zly.fileName()));
    TZbiorEksporterODT eksporter(&Silnik());
    const QString wynik = Sciezka("wynik.odt");
    EXPECT_THROW(eksporter.ScalPliki(wynik, Wskazniki(pliki)), EBlad);
    EXPECT_FALSE(QFile::exists(wynik));
}

TEST_F(ScalanieTest, CelNieDoZapisu)
{
    auto pliki = Pliki(false);
    QFile plik(Sciezka("zwykly_plik"));
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.close();
    const QString wynik = Sciezka("zwykly_plik/wynik.odt");
    TZbiorEksporterODT odt(&Silnik());
    EXPECT_THROW_MSG(odt.ScalPliki(wynik, Wskazniki(pliki)), EBlad,
                     "Brak możliwości zapisu dokumentu. Plik jest używany lub brak uprawnień do zapisu.");
    TZbiorEksporterDOC doc(&Silnik());
    EXPECT_THROW_MSG(doc.ScalPliki(Sciezka("zwykly_plik/wynik.doc"), Wskazniki(pliki)), EBlad,
                     "Nie udało się utworzyć pliku DOC: Brak możliwości zapisu dokumentu. Plik jest używany lub brak "
                     "uprawnień do zapisu.");
}

// An existing target is replaced only by a whole new document: a failed merge leaves it as it was.
TEST_F(ScalanieTest, NieudaneScalenieZostawiaStaryCel)
{
    const QString wynik = Sciezka("wynik.odt");
    QFile stary(wynik);
    ASSERT_TRUE(stary.open(QIODevice::WriteOnly));
    stary.write("stary");
    stary.close();
    auto pliki = Pliki(false);
    pliki.push_back(MyPath(Sciezka("brak.odt")));
    TZbiorEksporterODT eksporter(&Silnik());
    EXPECT_THROW(eksporter.ScalPliki(wynik, Wskazniki(pliki)), EBlad);
    QFile pozniej(wynik);
    ASSERT_TRUE(pozniej.open(QIODevice::ReadOnly));
    EXPECT_EQ(pozniej.readAll(), QByteArray("stary"));
}

} // namespace
