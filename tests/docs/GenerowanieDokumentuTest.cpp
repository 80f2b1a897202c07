#include "docs/GenerowanieDokumentu.h"
#include "app/MyPath.h"
#include "docs/SilnikTestowy.h"
#include "docs/ZbiorEksporterDOC.h"
#include "docs/ZbiorEksporterODT.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/Specyfikacja.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// The export options that depend on the output kind.
struct TOpcjeRodzaju
{
    bool OtworzPoZapisaniu;
    bool StylWNaglowku;
    bool WeryfikujStyl;
    bool Marginesy;
    bool DrukDwustronny;
    bool operator==(const TOpcjeRodzaju&) const = default;
};

void PrintTo(const TOpcjeRodzaju& o, std::ostream* os)
{
    *os << "{otwórz=" << o.OtworzPoZapisaniu << ", styl=" << o.StylWNaglowku << ", weryfikuj=" << o.WeryfikujStyl
        << ", marginesy=" << o.Marginesy << ", dwustronny=" << o.DrukDwustronny << '}';
}

TOpcjeRodzaju Opcje(const TZbiorEksporter& e)
{
    return {e.CzyOtworzPoZapisaniu, e.CzyStylWNaglowku, e.CzyWeryfikujStylNaglowka, e.CzyUstawMarginesy,
            e.CzyDrukDwustronny};
}

TEST(GenerowanieDokumentu, EksporterRodzajuWyjscia)
{
    TSilnikTestowy silnik;
    const auto word = UtworzEksporter(true, &silnik);
    const auto odt = UtworzEksporter(false, &silnik);
    EXPECT_NE(dynamic_cast<TZbiorEksporterDOC*>(word.get()), nullptr);
    EXPECT_NE(dynamic_cast<TZbiorEksporterODT*>(odt.get()), nullptr);
    EXPECT_EQ(word->GetDefaultExtension(), QStringLiteral("doc"));
    EXPECT_EQ(odt->GetDefaultExtension(), QStringLiteral("odt"));
    // Both work on the engine they were given.
    QTemporaryDir katalog;
    word->ScalPliki(katalog.filePath(QStringLiteral("w.doc")), {});
    EXPECT_EQ(silnik.Ile(QStringLiteral("NowyDokument")), 1);
    odt->ScalPliki(katalog.filePath(QStringLiteral("w.odt")), {});
    EXPECT_EQ(silnik.Ile(QStringLiteral("NowyDokument")), 2);
}

TEST(GenerowanieDokumentu, OpcjeZKonfiguracjiZestawuWedlugRodzaju)
{
    using TUstaw = std::function<void(TKonfiguracjaZestawu&)>;
    // The set's defaults: header and footer with page numbers on, opening after saving on, the style check
    // on, the style reference, double-sided printing and margins off.
    const struct
    {
        const char* Opis;
        TUstaw Ustaw;
        TOpcjeRodzaju Word;
        TOpcjeRodzaju Odt;
    } przypadki[] = {
        {"domyślne",
         [](TKonfiguracjaZestawu&) {},
         {true, false, false, false, false},
         {false, false, false, false, false}},
        {"odwołanie do stylu",
         [](TKonfiguracjaZestawu& k) { k.CzyStylWNaglowku = true; },
         {true, true, true, false, false},
         {false, false, false, false, false}},
        {"odwołanie do stylu bez weryfikacji",
         [](TKonfiguracjaZestawu& k) {
             k.CzyStylWNaglowku = true;
             k.CzyWeryfikujStylNaglowka = false;
         },
         {true, true, false, false, false},
         {false, false, false, false, false}},
        {"odwołanie do stylu bez nagłówka",
         [](TKonfiguracjaZestawu& k) {
             k.CzyStylWNaglowku = true;
             k.CzyNaglowek = false;
         },
         {true, false, false, false, false},
         {false, false, false, false, false}},
        {"marginesy",
         [](TKonfiguracjaZestawu& k) { k.CzyUstawMarginesy = true; },
         {true, false, false, true, false},
         {false, false, false, false, false}},
        {"druk dwustronny ze stopką",
         [](TKonfiguracjaZestawu& k) { k.CzyDrukDwustronnyStopki = true; },
         {true, false, false, false, true},
         {false, false, false, false, true}},
        {"druk dwustronny bez stopki",
         [](TKonfiguracjaZestawu& k) {
             k.CzyDrukDwustronnyStopki = true;
             k.CzyStopka = false;
         },
         {true, false, false, false, false},
         {false, false, false, false, false}},
        {"bez otwierania wyniku",
         [](TKonfiguracjaZestawu& k) { k.CzyOtworzDoc = false; },
         {false, false, false, false, false},
         {false, false, false, false, false}},
        {"wszystko",
         [](TKonfiguracjaZestawu& k) {
             k.CzyStylWNaglowku = true;
             k.CzyUstawMarginesy = true;
             k.CzyDrukDwustronnyStopki = true;
         },
         {true, true, true, true, true},
         {false, false, false, false, true}},
    };
    TSilnikTestowy silnik;
    for (const auto& p : przypadki) {
        for (const bool czyWord : {true, false}) {
            SCOPED_TRACE(std::string(p.Opis) + (czyWord ? " (Word)" : " (ODT)"));
            TKonfiguracjaZestawu konfiguracja;
            p.Ustaw(konfiguracja);
            auto e = UtworzEksporter(czyWord, &silnik);
            // Whatever the exporter held before is replaced.
            e->CzyOtworzPoZapisaniu = e->CzyStylWNaglowku = e->CzyWeryfikujStylNaglowka = e->CzyUstawMarginesy =
                e->CzyDrukDwustronny = true;
            UstawEksporterZKonfiguracji(*e, konfiguracja, czyWord);
            EXPECT_EQ(Opcje(*e), czyWord ? p.Word : p.Odt);
        }
    }
    EXPECT_TRUE(silnik.Dziennik().isEmpty());
}

TEST(GenerowanieDokumentu, TekstyIPrzelacznikiZKonfiguracji)
{
    TKonfiguracjaZestawu k;
    k.TrescNaglowka = QStringLiteral("Budowa drogi");
    k.TrescStopki = QStringLiteral("Gmina Nowa Wieś");
    k.CzyNrStronyStopki = false;
    k.CzyWstawTekstDoSt = true;
    k.TekstDoSt = QStringLiteral("Przebudowa ulicy\nodcinek 2");
    k.CzyStylWNaglowku = true;
    k.NazwaStyluWNaglowku = QStringLiteral("Nagłówek 1");
    k.CzyUstawMarginesy = true;
    k.MarginesL = 10;
    k.MarginesR = 11;
    k.MarginesG = 12;
    k.MarginesD = 13;
    k.CzyWstawListeStDoWarOgolnych = true;
    TSilnikTestowy silnik;
    for (const bool czyWord : {true, false}) {
        SCOPED_TRACE(czyWord ? "Word" : "ODT");
        auto e = UtworzEksporter(czyWord, &silnik);
        UstawEksporterZKonfiguracji(*e, k, czyWord);
        EXPECT_TRUE(e->CzyNaglowek);
        EXPECT_EQ(e->TrescNaglowka, QStringList{QStringLiteral("Budowa drogi")});
        EXPECT_TRUE(e->CzyStopka);
        EXPECT_EQ(e->TrescStopki, QStringList{QStringLiteral("Gmina Nowa Wieś")});
        EXPECT_FALSE(e->CzyNrStronyWStopce);
        EXPECT_TRUE(e->CzyTekstDoSt);
        EXPECT_EQ(e->TekstDoSt, (QStringList{QStringLiteral("Przebudowa ulicy"), QStringLiteral("odcinek 2")}));
        EXPECT_TRUE(e->CzyWstawListeStDoWarOgolnych);
        if (czyWord) {
            EXPECT_EQ(e->NazwaStyluWNaglowku, QStringLiteral("Nagłówek 1"));
            EXPECT_EQ((std::vector<int>{e->MarginesL, e->MarginesR, e->MarginesG, e->MarginesD}),
                      (std::vector<int>{10, 11, 12, 13}));
        }
    }
    // Switched off in the set, off in the exporter.
    k.CzyNaglowek = k.CzyStopka = k.CzyWstawTekstDoSt = k.CzyWstawListeStDoWarOgolnych = false;
    auto e = UtworzEksporter(true, &silnik);
    e->CzyNaglowek = e->CzyStopka = e->CzyTekstDoSt = e->CzyWstawListeStDoWarOgolnych = true;
    UstawEksporterZKonfiguracji(*e, k, true);
    EXPECT_FALSE(e->CzyNaglowek || e->CzyStopka || e->CzyTekstDoSt || e->CzyWstawListeStDoWarOgolnych);

    // The table of contents: off in a set that never had the switch, then as the switch says.
    EXPECT_FALSE(e->CzySpisTresci);
    for (const bool spis : {true, false}) {
        UstawSpisTresci(k, spis);
        UstawEksporterZKonfiguracji(*e, k, true);
        EXPECT_EQ(e->CzySpisTresci, spis);
        EXPECT_EQ(k.GetExternalNode(QString::fromLatin1(KluczSpisuTresci)).toString(),
                  spis ? QStringLiteral("true") : QStringLiteral("false"));
    }
}

// Answers every question with "Tak" unless told otherwise, and remembers their first lines.
class TPytaniaTestowe : public IPytaniaEksportu
{
public:
    bool Pytanie(const QString& tresc) override
    {
        Zadane << tresc.section(QLatin1Char('\n'), 0, 0);
        return Odpowiedz;
    }
    bool Odpowiedz = true;
    QStringList Zadane;
};

const QString PytanieBraki = QStringLiteral("W zbiorze znajdują się brakujące pliki specyfikacji.");
const QString PytanieFormat = QStringLiteral("W zbiorze znajdują się pliki specyfikacji w niewłaściwym formacie.");
const QString PytanieTytulowa = QStringLiteral(
    "Plik strony tytułowej jest nieprawidłowy. Sprawdź ścieżki szablonów w ustawieniach zestawu i programu.");

// A set whose collection holds the general conditions (wo.doc), a Word file, an OpenDocument file and a
// missing file, with title-page templates at hand.
class PrzygotowanieEksportuZestawu : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        ASSERT_TRUE(FKatalog.isValid());
        for (const char* plik : {"wo.doc", "a.docx", "b.odt", "tytul.doc", "tytul.odt"})
            ZapiszPlik(Sciezka(QString::fromUtf8(plik)), "treść");
        FZestaw = std::make_unique<TZestawST>();
        Dodaj(QStringLiteral("ST-00"), QStringLiteral("wo.doc"), true);
        Dodaj(QStringLiteral("D-01"), QStringLiteral("a.docx"));
        Dodaj(QStringLiteral("D-02"), QStringLiteral("b.odt"));
        Dodaj(QStringLiteral("D-03"), QStringLiteral("brak.doc"));
    }
    void TearDown() override
    {
        FZestaw.reset();
        TTestZKonfiguracja::TearDown();
    }

    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }
    void Dodaj(const QString& numer, const QString& plik, bool warunkiOgolne = false)
    {
        FSpecyfikacje.push_back(std::make_unique<TSpecyfikacja>(numer, warunkiOgolne, false, QString(), Sciezka(plik),
                                                                QStringLiteral("Opis ") + numer));
        FZestaw->GetZbiorST()->Add(FSpecyfikacje.back().get());
    }
    TKonfiguracjaZestawu& KonfiguracjaZestawu() { return *FZestaw->GetKonfiguracja(); }
    static QStringList Nazwy(const std::vector<const TMyPath*>& pliki)
    {
        QStringList n;
        for (const TMyPath* p : pliki)
            n << QFileInfo(p->GetPath()).fileName();
        return n;
    }

    QTemporaryDir FKatalog;
    std::vector<std::unique_ptr<TSpecyfikacja>> FSpecyfikacje;
    std::unique_ptr<TZestawST> FZestaw;
    TUstawieniaEksportuProgramu FProgram;
    TSilnikTestowy FSilnik;
};

TEST_F(PrzygotowanieEksportuZestawu, ListaPlikowIStronaTytulowa)
{
    using TUstaw = std::function<void()>;
    const struct
    {
        const char* Opis;
        bool Word;
        TUstaw Ustaw;
        QStringList Pliki;
        bool StronaTytulowa;
        QStringList Pytania;
    } przypadki[] = {
        {"Word", true, [] {}, {"wo.doc", "a.docx"}, false, {PytanieBraki, PytanieFormat}},
        {"OpenDocument", false, [] {}, {"wo.doc", "a.docx", "b.odt"}, false, {PytanieBraki}},
        {"Word ze stroną tytułową zestawu",
         true,
         [this] {
             KonfiguracjaZestawu().CzyWstawiacSzablonPierwszejStrony = true;
             KonfiguracjaZestawu().GetPierwszaStronaDocTemplate()->SetPath(Sciezka(QStringLiteral("tytul.doc")));
         },
         {"tytul.doc", "wo.doc", "a.docx"},
         true,
         {PytanieBraki, PytanieFormat}},
        {"OpenDocument ze stroną tytułową programu",
         false,
         [this] {
             KonfiguracjaZestawu().CzyWstawiacSzablonPierwszejStrony = true;
             KonfiguracjaZestawu().CzyEksportDoc = false;
             FProgram.SzablonPierwszejStronyOdt = Sciezka(QStringLiteral("tytul.odt"));
         },
         {"tytul.odt", "wo.doc", "a.docx", "b.odt"},
         true,
         {PytanieBraki}},
        {"strona tytułowa bez szablonu",
         true,
         [this] { KonfiguracjaZestawu().CzyWstawiacSzablonPierwszejStrony = true; },
         {"wo.doc", "a.docx"},
         false,
         {PytanieBraki, PytanieFormat, PytanieTytulowa}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        KonfiguracjaZestawu().LoadDefaults();
        FProgram.SzablonPierwszejStronyOdt.clear();
        p.Ustaw();
        auto e = UtworzEksporter(p.Word, &FSilnik);
        // Left from an earlier export: replaced by what this one finds.
        e->CzyStronaTytulowa = !p.StronaTytulowa;
        e->ListaStDoWarOgolnych = QStringList{QStringLiteral("z poprzedniego eksportu")};
        TMyPath stary;
        e->PlikWarunkowOgolnych = &stary;
        TPytaniaTestowe pytania;
        const auto lista = PrzygotujEksportZestawu(*FZestaw, *e, FProgram, pytania);
        ASSERT_TRUE(lista.has_value());
        EXPECT_EQ(Nazwy(lista->Pliki), p.Pliki);
        EXPECT_EQ(lista->CzyStronaTytulowa, p.StronaTytulowa);
        EXPECT_EQ(e->CzyStronaTytulowa, p.StronaTytulowa);
        EXPECT_TRUE(e->ListaStDoWarOgolnych.isEmpty());
        EXPECT_EQ(e->PlikWarunkowOgolnych, nullptr);
        EXPECT_EQ(pytania.Zadane, p.Pytania);
    }
    EXPECT_TRUE(FSilnik.Dziennik().isEmpty());

    // "Nie" to a question: nothing to export.
    TPytaniaTestowe nie;
    nie.Odpowiedz = false;
    auto e = UtworzEksporter(true, &FSilnik);
    EXPECT_FALSE(PrzygotujEksportZestawu(*FZestaw, *e, FProgram, nie).has_value());
}

TEST_F(PrzygotowanieEksportuZestawu, ListaSpecyfikacjiDoWarunkowOgolnych)
{
    const QString wo = Sciezka(QStringLiteral("wo.doc"));
    const struct
    {
        const char* Opis;
        bool Word;
        int Miejsc; // "#LISTA_ST#" in wo.doc
        QStringList Lista;
        QString Blad;
    } przypadki[] = {
        // Word counts the places in the file; only the files of the kind are listed.
        {"Word", true, 1, {"D-01 - Opis D-01"}, {}},
        {"Word, dwa miejsca",
         true,
         2,
         {},
         "Znaleziono więcej niż jedno miejsce wstawienia listy ST w Wymaganiach Ogólnych (#LISTA_ST#)."},
        {"Word, brak miejsca",
         true,
         0,
         {},
         "Nie określono miejsca wstawienia listy ST w Wymaganiach Ogólnych (#LISTA_ST#)."},
        // OpenDocument does not look into the file.
        {"OpenDocument", false, 2, {"D-01 - Opis D-01", "D-02 - Opis D-02"}, {}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        TSilnikTestowy silnik;
        silnik.UstawWystapienia(wo, QStringLiteral("#LISTA_ST#"), p.Miejsc);
        KonfiguracjaZestawu().CzyWstawListeStDoWarOgolnych = true;
        auto e = UtworzEksporter(p.Word, &silnik);
        UstawEksporterZKonfiguracji(*e, KonfiguracjaZestawu(), p.Word);
        TPytaniaTestowe pytania;
        try {
            const auto lista = PrzygotujEksportZestawu(*FZestaw, *e, FProgram, pytania);
            EXPECT_TRUE(p.Blad.isEmpty());
            ASSERT_TRUE(lista.has_value());
            ASSERT_NE(e->PlikWarunkowOgolnych, nullptr);
            EXPECT_EQ(e->PlikWarunkowOgolnych->GetPath(), wo);
            EXPECT_EQ(e->ListaStDoWarOgolnych, p.Lista);
        } catch (const EBlad& b) {
            EXPECT_EQ(b.Komunikat(), p.Blad);
        }
        EXPECT_EQ(silnik.Ile(QStringLiteral("PoliczWystapienia(#LISTA_ST#)")), p.Word ? 1 : 0);
    }
}

TEST_F(PrzygotowanieEksportuZestawu, ListaTrafiaDoWarunkowOgolnychScalonegoDokumentu)
{
    KonfiguracjaZestawu().CzyWstawListeStDoWarOgolnych = true;
    KonfiguracjaZestawu().CzyWstawiacSzablonPierwszejStrony = true;
    KonfiguracjaZestawu().GetPierwszaStronaDocTemplate()->SetPath(Sciezka(QStringLiteral("tytul.doc")));
    KonfiguracjaZestawu().CzyWstawTekstDoSt = true;
    KonfiguracjaZestawu().TekstDoSt = QStringLiteral("Budowa drogi");
    FSilnik.UstawWystapienia(Sciezka(QStringLiteral("wo.doc")), QStringLiteral("#LISTA_ST#"), 1);
    auto e = UtworzEksporter(true, &FSilnik);
    UstawEksporterZKonfiguracji(*e, KonfiguracjaZestawu(), true);
    TPytaniaTestowe pytania;
    const auto lista = PrzygotujEksportZestawu(*FZestaw, *e, FProgram, pytania);
    ASSERT_TRUE(lista.has_value());
    FSilnik.WyczyscDziennik();
    const QString wynik = Sciezka(QStringLiteral("wynik.doc"));
    e->ScalPliki(wynik, lista->Pliki);
    QStringList d = FSilnik.Dziennik();
    for (QString& w : d)
        w.replace(FKatalog.path() + QLatin1Char('/'), QStringLiteral("~/"));
    EXPECT_EQ(d, (QStringList{
                     QStringLiteral("NowyDokument"),
                     QStringLiteral("WstawStroneTytulowa(~/tytul.doc)"),
                     QStringLiteral("WstawPlik(~/wo.doc, podzial=1)"),
                     QStringLiteral("DodajZakladke(ST-00 Opis ST-00)"),
                     QStringLiteral("ZamienNaLinie(#LISTA_ST#, [\"D-01 - Opis D-01\"], wszystkie=0, lamanie=0)"),
                     QStringLiteral("WstawPlik(~/a.docx, podzial=1)"),
                     QStringLiteral("DodajZakladke(D-01 Opis D-01)"), // the title page gets none
                     QStringLiteral("UstawStronePierwsza"),
                     QStringLiteral("UstawNaglowek(Treść nagłówka, styl=)"),
                     QStringLiteral("UstawStopke(Treść stopki, nrStrony=1, dwustronna=0)"),
                     QStringLiteral("ZamienWszystko(#NAZWA_ZADANIA#, Budowa drogi, wielkoscLiter=0)"),
                     QStringLiteral("Zapisz(~/wynik.doc)"),
                     QStringLiteral("Zamknij"),
                 }));
}

} // namespace
