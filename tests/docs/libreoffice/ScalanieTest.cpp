// Merging documents of all three kinds on a real office, checked through the saved files.

#include "app/MyPath.h"
#include "docs/ZbiorEksporterDOC.h"
#include "docs/ZbiorEksporterODT.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"

#include <QElapsedTimer>

namespace {

std::unique_ptr<TMyPath> MyPath(const QString& plik)
{
    auto sciezka = std::make_unique<TMyPath>();
    sciezka->SetEncodedPath(plik);
    return sciezka;
}

class ScalanieTest : public TTestZOffice
{
protected:
    // Title page plus three specifications, one of each kind; each with its marker.
    std::vector<std::unique_ptr<TMyPath>> Pliki()
    {
        std::vector<std::unique_ptr<TMyPath>> pliki;
        pliki.push_back(MyPath(ZapiszDokument(
            Silnik(), Sciezka("tytul.odt"), {"STRONA TYTUŁOWA", {"Znacznik: TYTUL", "Zadanie: #NAZWA_ZADANIA#"}, {}, false, 0})));
        pliki.push_back(MyPath(ZapiszDokument(
            Silnik(), Sciezka("st1.docx"), {"ST-01 Roboty ziemne", {"Znacznik: ST01", "Wykopy #NAZWA_ZADANIA#"}, {}, true, 1})));
        pliki.push_back(MyPath(ZapiszDokument(
            Silnik(), Sciezka("st2.doc"), {"ST-02 Betony", {"Znacznik: ST02", "Lista:", "#LISTA_ST#", "koniec"}, {}, false, 0})));
        pliki.push_back(MyPath(
            ZapiszDokument(Silnik(), Sciezka("st3.odt"), {"ST-03 Izolacje", {"Znacznik: ST03"}, {}, false, 2})));
        return pliki;
    }
};

std::vector<const TMyPath*> Wskazniki(const std::vector<std::unique_ptr<TMyPath>>& pliki)
{
    std::vector<const TMyPath*> wynik;
    for (const auto& p : pliki)
        wynik.push_back(p.get());
    return wynik;
}

TEST_F(ScalanieTest, DocxZTytulemNaglowkiemIStopka)
{
    auto pliki = Pliki();
    TZbiorEksporterDOC eksporter(&Silnik());
    eksporter.CzyStronaTytulowa = true;
    eksporter.CzyNaglowek = true;
    eksporter.TrescNaglowka = QStringList{"  Nagłówek zestawu  "};
    eksporter.CzyStopka = true;
    eksporter.TrescStopki = QStringList{"Stopka zestawu"};
    eksporter.CzyNrStronyWStopce = true;
    eksporter.CzyTekstDoSt = true;
    eksporter.TekstDoSt = QStringList{"Budowa szkoły"};
    eksporter.CzyWstawListeStDoWarOgolnych = true;
    eksporter.PlikWarunkowOgolnych = pliki[2].get();
    eksporter.ListaStDoWarOgolnych = QStringList{"ST-01 - Roboty ziemne", "ST-03 - Izolacje"};
    QStringList postep;
    eksporter.OnProgressChange = [&](TZbiorEksporter* e) { postep << e->CurrentFile(); };
    QElapsedTimer zegar;
    zegar.start();
    const QString wynik = Sciezka("wynik.docx");
    eksporter.ScalPliki(wynik, Wskazniki(pliki));
    qInfo() << "merge ms" << zegar.elapsed();
    EXPECT_EQ(postep, (QStringList{"tytul.odt", "st1.docx", "st2.doc", "st3.odt"}));
    const QString pdf = DoPdf(Silnik(), wynik);
    const QString tekst = TekstPdf(pdf);
    qInfo().noquote() << tekst;
    EXPECT_EQ(LiczbaStronPdf(pdf), 7);
}

}  // namespace
