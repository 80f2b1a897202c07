// Documents written by other programs (ObceDokumenty.py: comments, tracked changes, sections with their own
// headers, footnotes, fields, links, a picture, odd and even headers; and two of them turned into .doc and
// .odt by the office's converter) merge whole: every paragraph's marker reaches each output kind, in order.

#include "app/MyPath.h"
#include "app/Wyjatki.h"
#include "docs/ZbiorEksporterDOC.h"
#include "docs/ZbiorEksporterODT.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"
#include "support/Pomocnicze.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <iostream>

namespace {

struct TObcy
{
    QString Plik;
    QStringList Znaczniki;
};

// The text of a saved document's XML, a line per paragraph.
QString TekstXml(const QByteArray& xml)
{
    QString tekst = QString::fromUtf8(xml);
    tekst.replace(QRegularExpression(QStringLiteral("</(w:p|text:p|text:h)>")), QStringLiteral("\n"));
    tekst.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return tekst;
}

// The markers missing from the text or out of order.
QStringList BrakujaceZnaczniki(const QString& tekst, const QStringList& znaczniki)
{
    QStringList brak;
    qsizetype pozycja = 0;
    for (const QString& z : znaczniki) {
        const auto m = QRegularExpression(QStringLiteral("\\b%1\\b").arg(z)).match(tekst, pozycja);
        if (m.hasMatch())
            pozycja = m.capturedEnd();
        else
            brak << z;
    }
    return brak;
}

class ObceDokumentyTest : public TTestZOffice
{
protected:
    // Documents of other programs are what may upset an office: they get one of their own, so that the
    // office shared by the other suites never sees them.
    static TSilnikLibreOffice& Silnik()
    {
        if (!FWlasny)
            FWlasny = std::make_unique<TSilnikLibreOffice>();
        return *FWlasny;
    }
    static void TearDownTestSuite() { FWlasny.reset(); }
    static inline std::unique_ptr<TSilnikLibreOffice> FWlasny;

    void SetUp() override
    {
        // The corpus takes two office conversions to make: it is made once per build and script version
        // and shared by the tests (each of which runs in a process of its own).
        const QString skrypt = QStringLiteral(VELOSTRA_TEST_DATA "/../docs/libreoffice/ObceDokumenty.py");
        const QDir katalog(QStringLiteral(VELOSTRA_BIN_DIR "/../obce-dokumenty"));
        const QString plikListy = katalog.filePath(QStringLiteral("lista.json"));
        if (!QFileInfo::exists(plikListy) || QFileInfo(plikListy).lastModified() < QFileInfo(skrypt).lastModified()) {
            QDir(katalog).removeRecursively();
            ASSERT_TRUE(QDir().mkpath(katalog.path()));
            QProcess python;
            python.start(QStringLiteral("/usr/bin/python3"), {skrypt, katalog.path()});
            ASSERT_TRUE(python.waitForFinished(120000));
            const QByteArray blad = python.readAllStandardError();
            if (python.exitCode() != 0 && blad.contains("No module named 'docx'"))
                GTEST_SKIP() << "brak python3-docx";
            ASSERT_EQ(python.exitCode(), 0) << blad.toStdString();
            ZapiszPlik(plikListy, python.readAllStandardOutput());
        }
        const QJsonArray lista = QJsonDocument::fromJson(CzytajPlik(plikListy)).array();
        ASSERT_FALSE(lista.isEmpty());
        for (const auto& wpis : lista) {
            TObcy obcy{katalog.filePath(QFileInfo(wpis[QStringLiteral("plik")].toString()).fileName()), {}};
            for (const auto& z : wpis[QStringLiteral("znaczniki")].toArray())
                obcy.Znaczniki << z.toString();
            FObce.push_back(obcy);
        }
    }

    std::vector<std::unique_ptr<TMyPath>> Sciezki(const std::vector<TObcy>& obce) const
    {
        std::vector<std::unique_ptr<TMyPath>> wynik;
        for (const TObcy& o : obce) {
            wynik.push_back(std::make_unique<TMyPath>());
            wynik.back()->SetEncodedPath(o.Plik);
        }
        return wynik;
    }

    // Merges the documents into the target and returns the result's text (PDF, or the saved XML).
    QString Scal(const std::vector<TObcy>& obce, const QString& wynik, bool word)
    {
        auto sciezki = Sciezki(obce);
        std::vector<const TMyPath*> lista;
        for (const auto& s : sciezki)
            lista.push_back(s.get());
        std::unique_ptr<TZbiorEksporter> eksporter;
        if (word)
            eksporter = std::make_unique<TZbiorEksporterDOC>(&Silnik());
        else
            eksporter = std::make_unique<TZbiorEksporterODT>(&Silnik());
        eksporter->CzyNaglowek = true;
        eksporter->TrescNaglowka = QStringList{"Nagłówek zestawu"};
        eksporter->CzyStopka = true;
        eksporter->CzyNrStronyWStopce = true;
        QElapsedTimer zegar;
        zegar.start();
        eksporter->ScalPliki(wynik, lista);
        std::cout << QFileInfo(wynik).fileName().toStdString() << ": " << obce.size() << " dokumentów w "
                  << zegar.elapsed() << " ms (wstawianie " << eksporter->Czasy.Wstawianie << " ms)\n";
        const QString rodzaj = QFileInfo(wynik).suffix();
        if (rodzaj == QLatin1String("pdf"))
            return TekstPdf(wynik);
        if (rodzaj == QLatin1String("docx"))
            return TekstXml(CzescArchiwum(wynik, QStringLiteral("word/document.xml")));
        if (rodzaj == QLatin1String("odt"))
            return TekstXml(CzescArchiwum(wynik, QStringLiteral("content.xml")));
        return TekstPdf(DoPdf(Silnik(), wynik));
    }

    static QStringList Znaczniki(const std::vector<TObcy>& obce)
    {
        QStringList wynik;
        for (const TObcy& o : obce)
            wynik << o.Znaczniki;
        return wynik;
    }

    std::vector<TObcy> FObce;
};

struct TWyjscie
{
    const char* Rozszerzenie;
    bool Word;
};

class ObceDokumentyWyjscieTest : public ObceDokumentyTest, public ::testing::WithParamInterface<TWyjscie>
{
};

// The whole corpus, between two documents of our own, in one output.
TEST_P(ObceDokumentyWyjscieTest, CalyZbiorWKolejnosci)
{
    std::vector<TObcy> obce;
    obce.push_back(
        {ZapiszDokument(Silnik(), Sciezka("wlasny1.odt"), {"Własny", {"P1-dok0 własny"}, {}, false, 0}), {"P1-dok0"}});
    obce.insert(obce.end(), FObce.begin(), FObce.end());
    obce.push_back({ZapiszDokument(Silnik(), Sciezka("wlasny2.docx"), {"Własny", {"P1-dok99 własny"}, {}, false, 0}),
                    {"P1-dok99"}});
    const QString tekst = Scal(obce, Sciezka(QStringLiteral("wynik.") + GetParam().Rozszerzenie), GetParam().Word);
    EXPECT_EQ(BrakujaceZnaczniki(tekst, Znaczniki(obce)), QStringList()) << tekst.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Wyjscia, ObceDokumentyWyjscieTest,
                         ::testing::Values(TWyjscie{"pdf", true}, TWyjscie{"pdf", false}, TWyjscie{"docx", true},
                                           TWyjscie{"odt", false}, TWyjscie{"doc", true}),
                         [](const auto& p) {
                             return std::string(p.param.Rozszerzenie) + (p.param.Word ? "_word" : "_odt");
                         });

// Each foreign document alone after one of our own, into PDF through both exporters: a failure names it.
TEST_F(ObceDokumentyTest, KazdyOsobno)
{
    const TObcy wlasny{ZapiszDokument(Silnik(), Sciezka("wlasny.doc"), {"Własny", {"P1-dok0 własny"}, {}, false, 0}),
                       {"P1-dok0"}};
    for (const TObcy& obcy : FObce) {
        for (const bool word : {true, false}) {
            SCOPED_TRACE(QFileInfo(obcy.Plik).fileName().toStdString() + (word ? " word" : " odt"));
            try {
                const QString tekst = Scal({wlasny, obcy}, Sciezka("osobno.pdf"), word);
                EXPECT_EQ(BrakujaceZnaczniki(tekst, wlasny.Znaczniki + obcy.Znaczniki), QStringList())
                    << tekst.toStdString();
            } catch (const EBlad& e) {
                ADD_FAILURE() << e.Komunikat().toStdString();
            }
        }
    }
}

// A document no way brings in stops the merge with its name and what happened, never a write failure.
TEST_F(ObceDokumentyTest, NieczytelnyDokumentNazwanyWKomunikacie)
{
    ZapiszPlik(Sciezka("zepsuty.docx"), QByteArray("PK\x03\x04 to nie jest dokument", 30));
    std::vector<TObcy> obce{FObce.front(), {Sciezka("zepsuty.docx"), {}}};
    for (const bool word : {true, false}) {
        try {
            Scal(obce, Sciezka("zly.pdf"), word);
            ADD_FAILURE() << "bez błędu";
        } catch (const EBlad& e) {
            EXPECT_TRUE(e.Komunikat().contains(QStringLiteral("zepsuty.docx"))) << e.Komunikat().toStdString();
            EXPECT_FALSE(e.Komunikat().contains(QStringLiteral("uprawnień"))) << e.Komunikat().toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(Sciezka("zly.pdf")));
    }
}

} // namespace
