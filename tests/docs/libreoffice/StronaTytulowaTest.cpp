// The title page keeps its own look in the merged document: a template that fills its page stays one page,
// each word where it was on the template's own page, in every output kind.

#include "app/MyPath.h"
#include "docs/ZbiorEksporterDOC.h"
#include "docs/ZbiorEksporterODT.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace {

// A4 with margins of its own, filled to 2 mm by lines of fixed height: a heading of 28 pt and paragraphs in
// styles whose names every document has, text with direct formatting and a character style of such a name.
QByteArray SzablonTytulowej()
{
    QString akapity;
    for (int i = 1; i <= 20; ++i)
        akapity += QStringLiteral("<text:p text:style-name=\"Standard\">Wiersz %1 strony</text:p>\n").arg(i);
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:styles>
<style:style style:name="Standard" style:family="paragraph" style:class="text"><style:paragraph-properties fo:line-height="10mm" fo:margin-top="0mm" fo:margin-bottom="0mm"/><style:text-properties fo:font-family="'Liberation Serif'" fo:font-size="10pt"/></style:style>
<style:style style:name="Heading_20_1" style:display-name="Heading 1" style:family="paragraph" style:parent-style-name="Standard" style:default-outline-level="1"><style:paragraph-properties fo:line-height="20mm" fo:text-align="center"/><style:text-properties fo:font-family="'Liberation Sans'" fo:font-size="28pt" fo:font-weight="bold"/></style:style>
<style:style style:name="Emphasis" style:family="text"><style:text-properties fo:font-size="16pt" fo:font-style="italic"/></style:style>
</office:styles>
<office:automatic-styles>
<style:style style:name="P1" style:family="paragraph" style:parent-style-name="Standard"><style:paragraph-properties fo:text-align="end"/></style:style>
<style:style style:name="T1" style:family="text"><style:text-properties fo:font-size="14pt" fo:font-weight="bold"/></style:style>
<style:page-layout style:name="Uklad"><style:page-layout-properties fo:page-width="210mm" fo:page-height="297mm" fo:margin-top="30mm" fo:margin-bottom="25mm" fo:margin-left="35mm" fo:margin-right="15mm"/></style:page-layout>
</office:automatic-styles>
<office:master-styles><style:master-page style:name="Standard" style:page-layout-name="Uklad"/></office:master-styles>
<office:body><office:text>
<text:h text:style-name="Heading_20_1" text:outline-level="1">STRONA TYTUŁOWA</text:h>
%1<text:p text:style-name="P1">Inwestor: <text:span text:style-name="T1">Gmina</text:span> <text:span text:style-name="Emphasis">Wzorcowa</text:span></text:p>
<text:p text:style-name="Standard">Ostatni wiersz tytułowej</text:p>
</office:text></office:body></office:document>
)")
        .arg(akapity)
        .toUtf8();
}

struct TSlowo
{
    QString Tekst;
    double X = 0, Y = 0, Wysokosc = 0;
};

// The page's size and its words with their boxes (pdftotext -bbox).
QList<TSlowo> SlowaStrony(const QString& pdf, int strona, QSizeF& rozmiar)
{
    QProcess proces;
    proces.start(QStringLiteral("pdftotext"),
                 {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(strona), QStringLiteral("-l"),
                  QString::number(strona), pdf, QStringLiteral("-")});
    proces.waitForFinished(60000);
    const QString html = QString::fromUtf8(proces.readAllStandardOutput());
    const auto strony =
        QRegularExpression(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"")).match(html);
    rozmiar = QSizeF(strony.captured(1).toDouble(), strony.captured(2).toDouble());
    QList<TSlowo> slowa;
    static const QRegularExpression KSlowo(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = KSlowo.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        slowa.append({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                      m.captured(3).toDouble() - m.captured(2).toDouble()});
    }
    return slowa;
}

// The words in an order that does not depend on how the PDF writer ordered them.
QList<TSlowo> Uporzadkowane(QList<TSlowo> slowa)
{
    std::sort(slowa.begin(), slowa.end(), [](const TSlowo& a, const TSlowo& b) {
        return std::tie(a.Tekst, a.Y, a.X) < std::tie(b.Tekst, b.Y, b.X);
    });
    return slowa;
}

// The text of a page, for messages and simple checks.
QString TekstStrony(const QList<TSlowo>& slowa)
{
    QStringList teksty;
    for (const TSlowo& s : slowa)
        teksty << s.Tekst;
    return teksty.join(QLatin1Char(' '));
}

double Wysokosc(const QList<TSlowo>& slowa, const QString& tekst)
{
    const auto slowo = std::find_if(slowa.begin(), slowa.end(), [&](const TSlowo& s) { return s.Tekst == tekst; });
    EXPECT_NE(slowo, slowa.end()) << tekst.toStdString();
    return slowo == slowa.end() ? 0 : slowo->Wysokosc;
}

std::unique_ptr<TMyPath> MyPath(const QString& plik)
{
    auto sciezka = std::make_unique<TMyPath>();
    sciezka->SetEncodedPath(plik);
    return sciezka;
}

struct TPrzypadek
{
    const char* Szablon; // the title page's format
    bool Word;           // the exporter
    const char* Wynik;   // the output's format
};

class StronaTytulowaTest : public TTestZOffice, public ::testing::WithParamInterface<TPrzypadek>
{
protected:
    // Merges the title page with two one-page specifications (whose "Heading 1" is 16 pt) under a header,
    // a numbered footer and margins of the set; returns the result as PDF.
    QString Scal(const QString& tytul)
    {
        std::vector<std::unique_ptr<TMyPath>> pliki;
        pliki.push_back(MyPath(tytul));
        pliki.push_back(
            MyPath(ZapiszDokument(Silnik(), Sciezka("st1.docx"), {"ST-01 Roboty", {"Znacznik: ST01"}, {}, false, 0})));
        pliki.push_back(
            MyPath(ZapiszDokument(Silnik(), Sciezka("st2.odt"), {"ST-02 Betony", {"Znacznik: ST02"}, {}, false, 0})));
        std::unique_ptr<TZbiorEksporter> e;
        if (GetParam().Word)
            e = std::make_unique<TZbiorEksporterDOC>(&Silnik());
        else
            e = std::make_unique<TZbiorEksporterODT>(&Silnik());
        e->CzyStronaTytulowa = true;
        e->CzyNaglowek = true;
        e->TrescNaglowka = QStringList{"Nagłówek zestawu"};
        e->CzyStopka = true;
        e->TrescStopki = QStringList{"Stopka"};
        e->CzyNrStronyWStopce = true;
        e->CzyUstawMarginesy = true;
        e->MarginesL = e->MarginesR = e->MarginesG = e->MarginesD = 20;
        e->CzyTekstDoSt = true;
        e->TekstDoSt = QStringList{"Budowa"};
        const QString wynik = Sciezka(QStringLiteral("wynik.") + GetParam().Wynik);
        e->ScalPliki(wynik, {pliki[0].get(), pliki[1].get(), pliki[2].get()});
        return QFileInfo(wynik).suffix() == QLatin1String("pdf") ? wynik : DoPdf(Silnik(), wynik);
    }
};

// The title page is page 1 alone, as the template shows on its own page (to 2 pt: a Word document's
// compatibility settings are the whole document's, and the merged one has the office's own); the
// specifications follow with header and numbered footer, under the merged document's "Heading 1".
TEST_P(StronaTytulowaTest, ZostajeJednaStronaJakWSzablonie)
{
    const QString zrodlo = Sciezka("tytul.fodt");
    ZapiszPlik(zrodlo, SzablonTytulowej());
    const QString tytul = Sciezka(QStringLiteral("tytul.") + GetParam().Szablon);
    Silnik().OtworzDokument(zrodlo, true)->Zapisz(tytul);
    QSizeF rozmiarWzoru, rozmiar;
    const QString pdfWzoru = DoPdf(Silnik(), tytul);
    ASSERT_EQ(LiczbaStronPdf(pdfWzoru), 1);
    ASSERT_TRUE(TekstStrony(SlowaStrony(pdfWzoru, 1, rozmiarWzoru)).contains("Ostatni wiersz tytułowej"));
    const QList<TSlowo> wzor = Uporzadkowane(SlowaStrony(pdfWzoru, 1, rozmiarWzoru));

    const QString pdf = Scal(tytul);

    EXPECT_EQ(LiczbaStronPdf(pdf), 3);
    const QList<TSlowo> strona = Uporzadkowane(SlowaStrony(pdf, 1, rozmiar));
    EXPECT_NEAR(rozmiar.width(), rozmiarWzoru.width(), 1);
    EXPECT_NEAR(rozmiar.height(), rozmiarWzoru.height(), 1);
    ASSERT_EQ(TekstStrony(strona), TekstStrony(wzor));
    for (qsizetype i = 0; i < wzor.size(); ++i) {
        EXPECT_NEAR(strona[i].X, wzor[i].X, 2) << wzor[i].Tekst.toStdString();
        EXPECT_NEAR(strona[i].Y, wzor[i].Y, 2) << wzor[i].Tekst.toStdString();
        EXPECT_NEAR(strona[i].Wysokosc, wzor[i].Wysokosc, 0.5) << wzor[i].Tekst.toStdString();
    }
    const QList<TSlowo> druga = SlowaStrony(pdf, 2, rozmiar);
    const QString tekstDrugiej = TekstStrony(druga);
    EXPECT_TRUE(tekstDrugiej.contains("Nagłówek zestawu") && tekstDrugiej.contains("Znacznik: ST01") &&
                tekstDrugiej.contains("Strona - 2"))
        << tekstDrugiej.toStdString();
    // The specification's heading has the merged document's "Heading 1", well under the title page's 28 pt;
    // the last paragraph of an OpenDocument specification keeps its own style (not its heading's).
    const QList<TSlowo> trzecia = SlowaStrony(pdf, 3, rozmiar);
    EXPECT_LT(Wysokosc(druga, "ST-01"), Wysokosc(wzor, "STRONA") * 0.8);
    EXPECT_LT(Wysokosc(trzecia, "ST02"), Wysokosc(trzecia, "ST-02") * 0.8);
}

INSTANTIATE_TEST_SUITE_P(Formaty, StronaTytulowaTest,
                         ::testing::Values(TPrzypadek{"docx", true, "docx"}, TPrzypadek{"doc", true, "doc"},
                                           TPrzypadek{"odt", false, "odt"}, TPrzypadek{"odt", true, "pdf"},
                                           TPrzypadek{"doc", false, "pdf"}),
                         [](const auto& p) {
                             return std::string(p.param.Szablon) + "_" + (p.param.Word ? "Word" : "OpenOffice") + "_" +
                                    p.param.Wynik;
                         });

// The demo set's own title pages: the last line ("Data: marzec 2024") stays on page 1.
class StronaTytulowaDemoTest : public StronaTytulowaTest
{
};

TEST_P(StronaTytulowaDemoTest, OstatniWierszNaPierwszejStronie)
{
    const QString szablon = QDir::cleanPath(QStringLiteral(VELOSTRA_TEST_DATA "/../../data/demo/Szablony/") +
                                            QStringLiteral("Strona tytułowa.") + GetParam().Szablon);
    const QString pdf = Scal(szablon);
    QSizeF rozmiar;
    const QString pierwsza = TekstStrony(SlowaStrony(pdf, 1, rozmiar));
    EXPECT_TRUE(pierwsza.contains("Data: marzec 2024")) << pierwsza.toStdString();
    EXPECT_FALSE(pierwsza.contains("Strona -")) << pierwsza.toStdString();
    EXPECT_TRUE(TekstStrony(SlowaStrony(pdf, 2, rozmiar)).startsWith("Nagłówek zestawu ST-01"));
}

INSTANTIATE_TEST_SUITE_P(Demo, StronaTytulowaDemoTest,
                         ::testing::Values(TPrzypadek{"odt", false, "odt"}, TPrzypadek{"doc", true, "docx"}),
                         [](const auto& p) { return std::string(p.param.Szablon) + "_" + p.param.Wynik; });

} // namespace
