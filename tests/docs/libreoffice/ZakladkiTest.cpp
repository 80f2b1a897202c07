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
};

TEST_F(ZakladkiTest, KonspektPdfIZakladkiDokumentow)
{
    // Title page (1), ST-01 (2-3), ST-02 (4), ST-03 (5-7); ST-02 comes twice in the collection's names.
    const std::vector<std::pair<const char*, TTrescDokumentu>> tresci = {
        {"tytul.odt", {"STRONA TYTUŁOWA", {"Znacznik: TYTUL"}, {}, false, 0}},
        {"st1.docx", {"ST-01 Roboty ziemne", {"Znacznik: ST01"}, {}, false, 1}},
        {"st2.doc", {"ST-02 Betony", {"Znacznik: ST02"}, {}, false, 0}},
        {"st3.odt", {"ST-03 Izolacje", {"Znacznik: ST03"}, {}, false, 2}},
    };
    std::vector<std::unique_ptr<TMyPath>> pliki;
    std::vector<const TMyPath*> lista;
    for (const auto& [nazwa, tresc] : tresci) {
        pliki.push_back(std::make_unique<TMyPath>());
        pliki.back()->SetEncodedPath(ZapiszDokument(Silnik(), Sciezka(nazwa), tresc));
        lista.push_back(pliki.back().get());
    }
    const QHash<QString, QString> zakladki = {{lista[1]->GetPath(), QStringLiteral("ST-01 Roboty ziemne")},
                                              {lista[2]->GetPath(), QStringLiteral("ST-02 Betony")},
                                              {lista[3]->GetPath(), QStringLiteral("ST-03 Izolacje")}};
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

} // namespace
