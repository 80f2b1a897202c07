// Style tools on a real office: taking a style over from a template into documents of every kind, the
// folder walk, the checks of the style dialog and the two style workers.

#include "app/MyPath.h"
#include "app/Wyjatki.h"
#include "docs/DocUtils.h"
#include "docs/WatkiStylow.h"
#include "docs/ZbiorEksporterDOC.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"
#include "support/Pomocnicze.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

namespace {

class StyleTest : public TTestZOffice
{
protected:
    QString Szablon()
    {
        return ZapiszDokument(Silnik(), Sciezka("szablon.docx"), {"Szablon", {"tekst w stylu"}, "Tekst ST", false, 0});
    }
    static QByteArray Styles(const QString& plik)
    {
        const QString rozszerzenie = QFileInfo(plik).suffix();
        if (rozszerzenie == QLatin1String("docx"))
            return CzescArchiwum(plik, "word/styles.xml");
        if (rozszerzenie == QLatin1String("odt"))
            return CzescArchiwum(plik, "styles.xml");
        return {};
    }
};

TEST_F(StyleTest, DodajStylKopiujeStylDoKazdegoRodzaju)
{
    const QString szablon = Szablon();
    TDocUtils narzedzia(&Silnik());
    for (const char* rozszerzenie : {"docx", "odt", "doc"}) {
        const QString cel = ZapiszDokument(Silnik(), Sciezka(QStringLiteral("cel.") + rozszerzenie),
                                           {"Cel", {"Znacznik: CEL"}, {}, false, 0});
        EXPECT_TRUE(narzedzia.DodajStyl(cel, szablon, QStringLiteral("  tekst st ")));
        if (QFileInfo(cel).suffix() != QLatin1String("doc")) {
            EXPECT_TRUE(Styles(cel).contains("Tekst ST")) << rozszerzenie;
        }
        // The style is there when the document is opened again, and the content stayed.
        auto dokument = Silnik().OtworzDokument(cel, true);
        auto wzorzec = Silnik().OtworzDokument(szablon, true);
        EXPECT_TRUE(TekstPdf(DoPdf(Silnik(), cel)).contains("Znacznik: CEL"));
        // Copying again finds the style by its display name in the template.
        EXPECT_NO_THROW(dokument->KopiujStylAkapitu(*wzorzec, QStringLiteral("Tekst ST")));
    }
}

TEST_F(StyleTest, DokumentUzywajacyStyluNieJestZmieniany)
{
    const QString szablon = Szablon();
    const QString cel = ZapiszDokument(Silnik(), Sciezka("uzywa.docx"), {"Cel", {"tekst"}, "tekst st", false, 0});
    const QByteArray przed = CzytajPlik(cel);
    TDocUtils narzedzia(&Silnik());
    EXPECT_FALSE(narzedzia.DodajStyl(cel, szablon, QStringLiteral(" TEKST ST ")));
    EXPECT_EQ(CzytajPlik(cel), przed);
}

TEST_F(StyleTest, BrakStyluWSzablonie)
{
    const QString szablon = Szablon();
    const QString cel = ZapiszDokument(Silnik(), Sciezka("cel.odt"), {"Cel", {"tekst"}, {}, false, 0});
    TDocUtils narzedzia(&Silnik());
    EXPECT_THROW_MSG(narzedzia.DodajStyl(cel, szablon, QStringLiteral("Nie ma")), EBlad,
                     "Szablon nie zawiera stylu: Nie ma");
}

TEST_F(StyleTest, NazwyStylowPlikuINieczytelnyPlik)
{
    TDocUtils narzedzia(&Silnik());
    QStringList style;
    narzedzia.GetNazwyStylow(Szablon(), style);
    EXPECT_TRUE(style.contains(QStringLiteral("Tekst ST")));
    const QString brak = Sciezka("brak.doc");
    EXPECT_THROW_MSG(narzedzia.GetNazwyStylow(brak, style), EBlad,
                     "Nie udało się otworzyć pliku DOC: Wybrany plik nie istnieje: " + brak);
}

TEST_F(StyleTest, PlikiWordWFolderzeNajpierwWlasnePotemPodfoldery)
{
    QDir katalog(Sciezka("word"));
    ASSERT_TRUE(katalog.mkpath("b/c"));
    ASSERT_TRUE(katalog.mkpath("a"));
    for (const char* plik : {"z.doc", "A.DOCX", ".ukryty.doc", "x.odt", "a/p.docx", "b/q.doc", "b/c/r.docm", "b/s.txt"})
        ZapiszPlik(katalog.filePath(plik), "x");
    QStringList wzgledne;
    for (const QString& p : PlikiWordWFolderze(katalog.path()))
        wzgledne << katalog.relativeFilePath(p);
    // Letter case does not matter in the pattern, as on the system the documents come from.
    EXPECT_EQ(wzgledne, (QStringList{".ukryty.doc", "A.DOCX", "z.doc", "a/p.docx", "b/q.doc", "b/c/r.docm"}));
}

TEST(SprawdzDopisanieStylu, KolejnoscSprawdzen)
{
    QTemporaryDir katalog;
    const QString plik = katalog.filePath("a.doc");
    ZapiszPlik(plik, "x");
    struct TPrzypadek
    {
        bool Folder;
        QString Plik, KatalogWord, Szablon, Styl, Komunikat;
    };
    const TPrzypadek przypadki[] = {
        {false, katalog.filePath("brak.doc"), {}, plik, "S", "Proszę wybrać plik Ms Word."},
        {true, {}, katalog.filePath("brak"), plik, "S", "Proszę podać prawidłowy folder z plikami Ms Word."},
        {true, {}, katalog.path(), katalog.filePath("brak.dotx"), "S", "Proszę wybrać plik szablonu."},
        {false, plik, {}, plik, "  ", "Proszę wybrać styl do dopisania."},
        {true, {}, katalog.path(), plik, "S", ""},
        {false, plik, {}, plik, "S", ""},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(SprawdzDopisanieStylu(p.Folder, p.Plik, p.KatalogWord, p.Szablon, p.Styl), p.Komunikat);
}

class TWidokStylow : public IWidokDopisywaniaStylu, public IWidokPobieraniaStylow
{
public:
    void DopisywanieRozpoczete(int liczbaPlikow) override { Zdarzenia << QStringLiteral("start %1").arg(liczbaPlikow); }
    void KolejnyPlik(const QString& nazwa) override { Zdarzenia << nazwa; }
    void DopisywanieZakonczone(const QString& komunikat) override { Zdarzenia << komunikat; }
    void PobieranieRozpoczete(int liczbaPlikow, const QString& link) override
    {
        Zdarzenia << QStringLiteral("start %1 %2").arg(liczbaPlikow).arg(link);
    }
    void PobieranieZakonczone(const QString& status, const QStringList& style) override
    {
        Zdarzenia << status;
        Style = style;
    }
    QStringList Zdarzenia;
    QStringList Style;
};

TEST_F(StyleTest, WatekDopisujeStylDoFolderu)
{
    const QString szablon = Szablon();
    QDir katalog(Sciezka("docs"));
    ASSERT_TRUE(katalog.mkpath("pod"));
    ZapiszDokument(Silnik(), katalog.filePath("a.docx"), {"A", {"a"}, {}, false, 0});
    ZapiszDokument(Silnik(), katalog.filePath("pod/b.doc"), {"B", {"b"}, {}, false, 0});
    TWidokStylow widok;
    QString blad;
    TDopiszStylDoPlikow watek(&widok, &Silnik(), katalog.path(), true, szablon, QStringLiteral("Tekst ST"),
                              [&](TExceptionMsgThread* t) { blad = t->ExceptionMsg(); });
    watek.start();
    watek.Czekaj();
    EXPECT_TRUE(blad.isEmpty()) << blad.toStdString();
    EXPECT_EQ(widok.Zdarzenia,
              (QStringList{"start 2", "a.docx", "b.doc", "Operacja zakończona. Ilość przetworzonych plików: 2"}));
    EXPECT_TRUE(CzescArchiwum(katalog.filePath("a.docx"), "word/styles.xml").contains("Tekst ST"));
}

TEST_F(StyleTest, WatekPobieraStyleEksportu)
{
    auto a = std::make_unique<TMyPath>();
    a->SetEncodedPath(Szablon());
    auto b = std::make_unique<TMyPath>();
    b->SetEncodedPath(ZapiszDokument(Silnik(), Sciezka("b.odt"), {"B", {"b"}, "Inny Styl", false, 0}));
    TZbiorEksporterDOC eksporter(&Silnik());
    TWidokStylow widok;
    TPobierzStyleThread watek(&widok, {a.get(), b.get()}, &eksporter);
    watek.start();
    watek.Czekaj();
    ASSERT_GE(widok.Zdarzenia.size(), 4);
    EXPECT_EQ(widok.Zdarzenia[0], "start 2 <a>Zatrzymaj pobieranie stylów z dokumentów</a>");
    EXPECT_EQ(widok.Zdarzenia[1], "Pobieranie stylów z pliku: szablon.docx");
    EXPECT_EQ(widok.Zdarzenia[2], "Pobieranie stylów z pliku: b.odt");
    EXPECT_EQ(widok.Zdarzenia.last(), "Pobieranie stylów zakończone.");
    EXPECT_TRUE(widok.Style.contains("Tekst ST"));
    EXPECT_TRUE(widok.Style.contains("Inny Styl"));
}

} // namespace
