// A bookmark at the start of each specification: the PDF's outline (read back by qpdf) and the bookmarks
// of the .odt and .docx outputs.
#include "app/MyPath.h"
#include "docs/KonspektPdf.h"
#include "docs/ZbiorEksporterDOC.h"
#include "docs/ZbiorEksporterODT.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"

namespace {

class ZakladkiTest : public TTestZOffice
{
protected:
    // Title page (1), ST-01 (2-3), ST-02 (4), ST-03 (5-7), the three with their bookmarks.
    void SetUp() override
    {
        TTestZOffice::SetUp();
        const std::vector<std::pair<const char*, TTrescDokumentu>> tresci = {
            {"tytul.odt", {"STRONA TYTUŁOWA", {"Znacznik: TYTUL"}, {}, false, 0}},
            {"st1.docx", {"ST-01 Roboty ziemne", {"Znacznik: ST01"}, {}, false, 1}},
            {"st2.doc", {"ST-02 Betony", {"Znacznik: ST02"}, {}, false, 0}},
            {"st3.odt", {"ST-03 Izolacje", {"Znacznik: ST03"}, {}, false, 2}},
        };
        for (const auto& [nazwa, tresc] : tresci) {
            FPliki.push_back(std::make_unique<TMyPath>());
            FPliki.back()->SetEncodedPath(ZapiszDokument(Silnik(), Sciezka(nazwa), tresc));
            lista.push_back(FPliki.back().get());
        }
        zakladki = {{lista[1]->GetPath(), QStringLiteral("ST-01 Roboty ziemne")},
                    {lista[2]->GetPath(), QStringLiteral("ST-02 Betony")},
                    {lista[3]->GetPath(), QStringLiteral("ST-03 Izolacje")}};
    }

    std::vector<std::unique_ptr<TMyPath>> FPliki;
    std::vector<const TMyPath*> lista;
    QHash<QString, QString> zakladki;
};

TEST_F(ZakladkiTest, KonspektPdfIZakladkiDokumentow)
{
    const QList<std::pair<QString, int>> konspekt = {{QStringLiteral("ST-01 Roboty ziemne"), 2},
                                                     {QStringLiteral("ST-02 Betony"), 4},
                                                     {QStringLiteral("ST-03 Izolacje"), 5}};
    for (const bool word : {false, true}) {
        SCOPED_TRACE(word ? "Word" : "OpenDocument");
        std::unique_ptr<TZbiorEksporter> e;
        if (word)
            e = std::make_unique<TZbiorEksporterDOC>(&Silnik());
        else
            e = std::make_unique<TZbiorEksporterODT>(&Silnik());
        e->CzyStronaTytulowa = true;
        e->ZakladkiPlikow = zakladki;
        const QString pdf = Sciezka(word ? "wynik-word.pdf" : "wynik-odt.pdf");
        e->ScalPliki(pdf, lista);
        EXPECT_EQ(CzytajKonspektPdf(pdf), konspekt);

        const QString dokument = Sciezka(word ? "wynik.docx" : "wynik.odt");
        e->ScalPliki(dokument, lista);
        const QByteArray xml = CzescArchiwum(dokument, word ? "word/document.xml" : "content.xml");
        // Names the office carries into every format: Polish letters and blanks become "-".
        for (const char* nazwa : {"ST-01-Roboty-ziemne", "ST-02-Betony", "ST-03-Izolacje"})
            EXPECT_TRUE(xml.contains((word ? "w:name=\"" : "text:name=\"") + QByteArray(nazwa) + '"')) << nazwa;
    }
}

TEST_F(ZakladkiTest, SpisTresciPoStronieTytulowej)
{
    TZbiorEksporterODT e(&Silnik());
    e.CzyStronaTytulowa = true;
    e.ZakladkiPlikow = zakladki;
    e.CzySpisTresci = true;
    const QString pdf = Sciezka("spis.pdf");
    e.ScalPliki(pdf, lista);
    // The table takes page 2; the specifications move one page on.
    EXPECT_EQ(LiczbaStronPdf(pdf), 8);
    const QStringList strony = TekstPdf(pdf).split(QLatin1Char('\f'));
    ASSERT_GE(strony.size(), 3);
    EXPECT_TRUE(strony[0].contains("TYTUL"));
    EXPECT_TRUE(strony[1].contains(QStringLiteral("Spis treści")));
    for (const char* tytul : {"ST-01 Roboty ziemne", "ST-02 Betony", "ST-03 Izolacje"})
        EXPECT_TRUE(strony[1].contains(QString::fromUtf8(tytul))) << tytul;
    EXPECT_TRUE(strony[2].contains("ST01"));
    EXPECT_EQ(CzytajKonspektPdf(pdf), (QList<std::pair<QString, int>>{{QStringLiteral("ST-01 Roboty ziemne"), 3},
                                                                      {QStringLiteral("ST-02 Betony"), 5},
                                                                      {QStringLiteral("ST-03 Izolacje"), 6}}));
}

} // namespace
