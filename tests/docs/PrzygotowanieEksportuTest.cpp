#include "docs/PrzygotowanieEksportu.h"
#include "docs/ZbiorEksporter.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "zestaw/ZbiorST.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

namespace {

// An exporter that merges nothing: the preparation only asks it about files and "#LISTA_ST#".
class TEksporterTestowy : public TZbiorEksporter
{
public:
    explicit TEksporterTestowy(std::unique_ptr<TTypPliku> typ) : TZbiorEksporter(std::move(typ)) {}
    void ScalPliki(const QString&, const std::vector<const TMyPath*>&) override {}
    bool CzyTestListySTWWarunkachOgolnych(int& ilosc) override
    {
        ilosc = Znacznikow;
        return Znacznikow > 0;
    }
    void Otworz(const QString&) override {}
    void ZnajdzZamien(const QString&, const QString&) override {}
    void ZapiszIZamknij() override {}
    int Znacznikow = 1;
};

// Answers the questions in turn and remembers them.
class TPytaniaTestowe : public IPytaniaEksportu
{
public:
    explicit TPytaniaTestowe(std::deque<bool> odpowiedzi = {}) : Odpowiedzi(std::move(odpowiedzi)) {}
    bool Pytanie(const QString& tresc) override
    {
        Zadane << tresc.section(QLatin1Char('\n'), 0, 0);
        if (Odpowiedzi.empty())
            return true;
        const bool odpowiedz = Odpowiedzi.front();
        Odpowiedzi.pop_front();
        return odpowiedz;
    }
    std::deque<bool> Odpowiedzi;
    QStringList Zadane;
};

const QString PytanieBraki = QStringLiteral("W zbiorze znajdują się brakujące pliki specyfikacji.");
const QString PytanieFormat = QStringLiteral("W zbiorze znajdują się pliki specyfikacji w niewłaściwym formacie.");
const QString PytanieTytulowa = QStringLiteral(
    "Plik strony tytułowej jest nieprawidłowy. Sprawdź ścieżki szablonów w ustawieniach zestawu i programu.");

TEST(TypPliku, RozszerzeniaFiltryIDomyslne)
{
    const TTypPlikuWord word;
    const TTypPlikuOoO ooo;
    const struct
    {
        const char* Plik;
        bool Word;
        bool OoO;
    } przypadki[] = {
        {"/a/X.DOCX", true, true},  {"/a/x.doc", true, true},      {"/a/x.odt", false, true},
        {"/a/x.pdf", false, false}, {"/a.doc/plik", false, false}, {"C:\\a.doc\\plik", false, false},
        {"/a/plik", false, false},  {"/a/x.Odt", false, true},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Plik);
        EXPECT_EQ(word.CzyObslugiwanyPlik(QString::fromUtf8(p.Plik)), p.Word);
        EXPECT_EQ(ooo.CzyObslugiwanyPlik(QString::fromUtf8(p.Plik)), p.OoO);
    }
    EXPECT_EQ(word.GetExtList(), (QStringList{QStringLiteral(".doc"), QStringLiteral(".docx")}));
    EXPECT_EQ(ooo.GetExtList(), (QStringList{QStringLiteral(".odt"), QStringLiteral(".doc"), QStringLiteral(".docx")}));
    EXPECT_EQ(word.GetDefaultExt(), QStringLiteral("doc"));
    EXPECT_EQ(ooo.GetDefaultExt(), QStringLiteral("odt"));
    EXPECT_EQ(word.GetFilter(), QStringLiteral("Plik Microsoft Word (*.doc;*.docx)|*.doc;*.docx"));
    EXPECT_EQ(ooo.GetFilter(), QStringLiteral("Plik dokumentów (*.doc;*.docx;*.odt)|*.doc;*.docx;*.odt"));
}

// A collection of five entries: general conditions (wo.doc), a Word file, an OpenDocument file, a missing
// file and a bare number without specification.
class PrzygotowanieEksportu : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        for (const char* plik : {"wo.doc", "a.docx", "b.odt", "tytul.doc", "tytul.odt"})
            ZapiszPlik(Sciezka(QString::fromUtf8(plik)), "x");
        Dodaj(QStringLiteral("ST-00"), QStringLiteral("wo.doc"), true);
        Dodaj(QStringLiteral("D-01"), QStringLiteral("a.docx"));
        Dodaj(QStringLiteral("D-02"), QStringLiteral("b.odt"));
        Dodaj(QStringLiteral("D-03"), QStringLiteral("brak.doc"));
        FZbior.Add(QStringLiteral("X-1"));
    }
    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }
    void Dodaj(const QString& numer, const QString& plik, bool warunkiOgolne = false)
    {
        FSpecyfikacje.push_back(std::make_unique<TSpecyfikacja>(numer, warunkiOgolne, false, QString(), Sciezka(plik),
                                                                QStringLiteral("Opis ") + numer));
        FZbior.Add(FSpecyfikacje.back().get());
    }
    static QStringList Nazwy(const TListaPlikowEksportu& lista)
    {
        QStringList n;
        for (const TMyPath* p : lista.Pliki)
            n << QFileInfo(p->GetPath()).fileName();
        return n;
    }

    QTemporaryDir FKatalog;
    std::vector<std::unique_ptr<TSpecyfikacja>> FSpecyfikacje;
    TZbiorST FZbior;
    TKonfiguracjaZestawu FZestaw;
    TUstawieniaEksportuProgramu FProgram;
    TEksporterTestowy FWord{std::make_unique<TTypPlikuWord>()};
    TEksporterTestowy FOoO{std::make_unique<TTypPlikuOoO>()};
};

TEST_F(PrzygotowanieEksportu, ListaPlikowWKolejnosciZbioru)
{
    TPytaniaTestowe pytania;
    const auto lista = PrzygotujListePlikow(FZbior, FWord, false, FZestaw, FProgram, pytania);
    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(Nazwy(*lista), (QStringList{QStringLiteral("wo.doc"), QStringLiteral("a.docx")}));
    EXPECT_EQ(pytania.Zadane, (QStringList{PytanieBraki, PytanieFormat}));
    EXPECT_EQ(TekstIlosciSpecyfikacji(*lista), QStringLiteral("Ilość znalezionych specyfikacji do eksportu: 2"));

    TPytaniaTestowe bezFormatu;
    const auto odt = PrzygotujListePlikow(FZbior, FOoO, false, FZestaw, FProgram, bezFormatu);
    EXPECT_EQ(Nazwy(*odt), (QStringList{QStringLiteral("wo.doc"), QStringLiteral("a.docx"), QStringLiteral("b.odt")}));
    EXPECT_EQ(bezFormatu.Zadane, QStringList{PytanieBraki});
}

TEST_F(PrzygotowanieEksportu, OdmowaKonczyPrzygotowanie)
{
    TPytaniaTestowe nieBraki({false});
    EXPECT_FALSE(PrzygotujListePlikow(FZbior, FWord, false, FZestaw, FProgram, nieBraki).has_value());
    EXPECT_EQ(nieBraki.Zadane.size(), 1);
    TPytaniaTestowe nieFormat({true, false});
    EXPECT_FALSE(PrzygotujListePlikow(FZbior, FWord, false, FZestaw, FProgram, nieFormat).has_value());
    FZestaw.CzyEksportDoc = true;
    TPytaniaTestowe nieTytulowa({true, true, false});
    EXPECT_FALSE(PrzygotujListePlikow(FZbior, FWord, true, FZestaw, FProgram, nieTytulowa).has_value());
    EXPECT_EQ(nieTytulowa.Zadane.last(), PytanieTytulowa);
}

TEST_F(PrzygotowanieEksportu, StronaTytulowaZestawuLubProgramu)
{
    TPytaniaTestowe pytania;
    // The program's template when the set names none.
    FProgram.SzablonPierwszejStronyDoc = Sciezka(QStringLiteral("tytul.doc"));
    auto lista = PrzygotujListePlikow(FZbior, FWord, true, FZestaw, FProgram, pytania);
    EXPECT_TRUE(lista->CzyStronaTytulowa);
    EXPECT_EQ(Nazwy(*lista).first(), QStringLiteral("tytul.doc"));
    EXPECT_EQ(TekstIlosciSpecyfikacji(*lista), QStringLiteral("Ilość znalezionych specyfikacji do eksportu: 2"));
    // The set's own template of its output kind wins; the OpenDocument kind takes the .odt one.
    FZestaw.CzyEksportDoc = false;
    FZestaw.GetPierwszaStronaOdtTemplate()->SetPath(Sciezka(QStringLiteral("tytul.odt")));
    lista = PrzygotujListePlikow(FZbior, FOoO, true, FZestaw, FProgram, pytania);
    EXPECT_EQ(lista->Pliki.front(), FZestaw.GetPierwszaStronaOdtTemplate());
    // A template the exporter does not take is no title page.
    FZestaw.CzyEksportDoc = true;
    FZestaw.GetPierwszaStronaDocTemplate()->SetPath(Sciezka(QStringLiteral("tytul.odt")));
    EXPECT_EQ(PobierzSzablonPierwszejStrony(FZestaw, FProgram), Sciezka(QStringLiteral("tytul.odt")));
    TEksporterTestowy tylkoWord{std::make_unique<TTypPlikuWord>()};
    TPytaniaTestowe tak;
    lista = PrzygotujListePlikow(FZbior, tylkoWord, true, FZestaw, FProgram, tak);
    EXPECT_FALSE(lista->CzyStronaTytulowa);
    EXPECT_EQ(tak.Zadane.last(), PytanieTytulowa);
}

TEST_F(PrzygotowanieEksportu, UstawieniaProgramuZKonfiguracji)
{
    Konfiguracja().SetPierwszaStronaDocTemplate(Sciezka(QStringLiteral("tytul.doc")));
    Konfiguracja().SetPierwszaStronaOdtTemplate(Sciezka(QStringLiteral("tytul.odt")));
    Konfiguracja().CzyKorzystajZWariantow = true;
    Konfiguracja().UwzglednijWariantyPrzyEksporcieKosztorysu = false;
    const TUstawieniaEksportuProgramu program = TUstawieniaEksportuProgramu::ZKonfiguracji(Konfiguracja());
    EXPECT_EQ(program.SzablonPierwszejStronyDoc, Konfiguracja().GetPierwszaStronaDocTemplate());
    EXPECT_EQ(program.SzablonPierwszejStronyOdt, Konfiguracja().GetPierwszaStronaOdtTemplate());
    EXPECT_TRUE(program.CzyKorzystajZWariantow);
    EXPECT_FALSE(program.CzyWariantyPrzyEksporcie);
    // The export reads the snapshot, not the configuration: a template set afterwards is not used.
    TPytaniaTestowe pytania;
    Konfiguracja().SetPierwszaStronaDocTemplate(QString());
    const auto lista = PrzygotujListePlikow(FZbior, FWord, true, FZestaw, program, pytania);
    EXPECT_EQ(Nazwy(*lista).first(), QStringLiteral("tytul.doc"));
    EXPECT_TRUE(PobierzSzablonPierwszejStrony(FZestaw, TUstawieniaEksportuProgramu()).isEmpty());
}

TEST_F(PrzygotowanieEksportu, SamaStronaTytulowaToBrakPlikow)
{
    TZbiorST pusty;
    pusty.Add(QStringLiteral("X-1"));
    FProgram.SzablonPierwszejStronyDoc = Sciezka(QStringLiteral("tytul.doc"));
    TPytaniaTestowe pytania;
    for (bool tytulowa : {false, true}) {
        try {
            PrzygotujListePlikow(pusty, FWord, tytulowa, FZestaw, FProgram, pytania);
            ADD_FAILURE() << tytulowa;
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(),
                      QStringLiteral("Brak odpowiednich plików do eksportu. Sprawdź ustawienia filtrów"));
        }
    }
}

TEST_F(PrzygotowanieEksportu, PlikDocelowy)
{
    EXPECT_EQ(DomyslnaNazwaPlikuEksportu(QStringLiteral("/z/ Budowa drogi.zst")), QStringLiteral("Budowa drogi"));
    EXPECT_EQ(DomyslnaNazwaPlikuEksportu(QStringLiteral("/z/a.zst.zst")), QStringLiteral("a"));
    TPytaniaTestowe pytania;
    try {
        PrzygotujPlikDocelowy(QString(), QStringLiteral("a"), FWord, pytania);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Proszę wybrać lokalizację i określić nazwę pliku docelowego."));
    }
    EXPECT_THROW(PrzygotujPlikDocelowy(Sciezka(QStringLiteral("x")), QStringLiteral(" "), FWord, pytania), EBlad);
    // Two missing levels are made whole.
    const auto cel = PrzygotujPlikDocelowy(Sciezka(QStringLiteral("raz/dwa")), QStringLiteral("wynik"), FOoO, pytania);
    EXPECT_EQ(*cel, Sciezka(QStringLiteral("raz/dwa/wynik.odt")));
    EXPECT_TRUE(QFileInfo(Sciezka(QStringLiteral("raz/dwa"))).isDir());
    EXPECT_TRUE(pytania.Zadane.isEmpty());
    ZapiszPlik(*cel, "stary");
    TPytaniaTestowe nie({false});
    EXPECT_FALSE(PrzygotujPlikDocelowy(Sciezka(QStringLiteral("raz/dwa")), QStringLiteral("wynik"), FOoO, nie));
    EXPECT_EQ(nie.Zadane, QStringList{QStringLiteral("Plik docelowy istnieje.")});
    ZapiszPlik(Sciezka(QStringLiteral("plik")), "to nie folder");
    try {
        PrzygotujPlikDocelowy(Sciezka(QStringLiteral("plik/pod")), QStringLiteral("a"), FWord, pytania);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Błąd tworzenia foldera docelowego: "))) << e.what();
    }
}

TEST_F(PrzygotowanieEksportu, ListaStDoWymaganOgolnych)
{
    TPytaniaTestowe pytania;
    auto lista = PrzygotujListePlikow(FZbior, FWord, false, FZestaw, FProgram, pytania);
    PrzygotujListeStDoWarOgolnych(FZbior, *lista, FWord, FProgram);
    ASSERT_NE(FWord.PlikWarunkowOgolnych, nullptr);
    EXPECT_EQ(QFileInfo(FWord.PlikWarunkowOgolnych->GetPath()).fileName(), QStringLiteral("wo.doc"));
    // Neither the general conditions nor entries outside the exported files are listed.
    EXPECT_EQ(FWord.ListaStDoWarOgolnych, QStringList{QStringLiteral("D-01 - Opis D-01")});

    // Three variants of D-01 in a collection that uses variants: one line without the variants option of
    // exports, one per variant with it.
    TUstawieniaWariantow zWariantami;
    zWariantami.CzyKorzystajZWariantow = true;
    zWariantami.WizualnySeparatorWariantow = QStringLiteral(" ");
    TZbiorST zbior(zWariantami);
    zbior.Add(FSpecyfikacje[0].get());
    TSpecyfikacja& d01 = *FSpecyfikacje[1];
    for (const char* numer : {"A", "B", "C"}) {
        const QString plik = Sciezka(QStringLiteral("a%1.docx").arg(QLatin1String(numer)));
        ZapiszPlik(plik, "x");
        auto* wariant =
            new TWariantSpecyfikacji(QString::fromLatin1(numer), QStringLiteral("Wariant"), plik, QString());
        ASSERT_TRUE(d01.AddWariant(std::unique_ptr<TWariantSpecyfikacji>(wariant)));
        ASSERT_TRUE(zbior.Add(&d01, wariant));
    }
    for (const bool warianty : {false, true}) {
        TUstawieniaEksportuProgramu program = FProgram;
        program.CzyKorzystajZWariantow = program.CzyWariantyPrzyEksporcie = warianty;
        auto pliki = PrzygotujListePlikow(zbior, FWord, false, FZestaw, program, pytania);
        PrzygotujListeStDoWarOgolnych(zbior, *pliki, FWord, program);
        EXPECT_EQ(FWord.ListaStDoWarOgolnych,
                  warianty ? QStringList({QStringLiteral("D-01 A - Wariant"), QStringLiteral("D-01 B - Wariant"),
                                          QStringLiteral("D-01 C - Wariant")})
                           : QStringList{QStringLiteral("D-01 - Opis D-01")});
    }

    const struct
    {
        int Znacznikow;
        QString Komunikat;
    } przypadki[] = {
        {0, QStringLiteral("Nie określono miejsca wstawienia listy ST w Wymaganiach Ogólnych (#LISTA_ST#).")},
        {2, QStringLiteral(
                "Znaleziono więcej niż jedno miejsce wstawienia listy ST w Wymaganiach Ogólnych (#LISTA_ST#).")},
    };
    for (const auto& p : przypadki) {
        FWord.Znacznikow = p.Znacznikow;
        try {
            PrzygotujListeStDoWarOgolnych(FZbior, *lista, FWord, FProgram);
            ADD_FAILURE() << p.Znacznikow;
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), p.Komunikat);
        }
    }
    // Without the general conditions among the exported files.
    lista->Pliki.erase(lista->Pliki.begin());
    try {
        PrzygotujListeStDoWarOgolnych(FZbior, *lista, FWord, FProgram);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(
            e.Komunikat(),
            QStringLiteral("Nie można dopisać Listy ST do pliku\r\rBrak Wymagań Ogólnych w eksportowanym zbiorze."));
    }
}

} // namespace
