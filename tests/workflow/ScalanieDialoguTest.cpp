// The list-merging window without its window: loading both lists, copies with their refusals and
// questions, the comparison and the ways out.
#include "UzytkownikSkryptowy.h"

#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/EdycjaSpisu.h"
#include "workflow/ScalanieDialogu.h"

#include <QTemporaryDir>

namespace {

using Z = TScalanieDialogu::TZamkniecie;

// Target: D (D-01 (D-01.01)); added: D (D-01 (D-01.02)), X.
class ScalanieDialogu : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().CzyZapamietacOpcjeDuplikatowNumeru = false;
        Cel = Plik("cel.sst", "<sst><specyfikacja numer=\"D\" grupa=\"true\"><specyfikacja numer=\"D-01\" "
                              "grupa=\"true\"><specyfikacja numer=\"D-01.01\"/></specyfikacja></specyfikacja></sst>");
        Dodawana = Plik("dod.sst", "<sst><specyfikacja numer=\"D\" grupa=\"true\"><specyfikacja numer=\"D-01\" "
                                   "grupa=\"true\"><specyfikacja numer=\"D-01.02\"/></specyfikacja></specyfikacja>"
                                   "<specyfikacja numer=\"X\" grupa=\"true\"><specyfikacja numer=\"X-01\" "
                                   "grupa=\"true\"/></specyfikacja></sst>");
        Dialog = std::make_unique<TScalanieDialogu>(Cel, Zestaw, Konfiguracja(), Uzytkownik);
        Dialog->Wczytaj(Dodawana);
        EXPECT_TRUE(Dialog->CzyTrwaWczytywanie() || Dialog->Lista());
        Dialog->Czekaj();
        ASSERT_TRUE(Dialog->Lista() && Dialog->DodawanaLista());
    }
    QString Plik(const char* nazwa, const QByteArray& tresc)
    {
        const QString sciezka = Katalog.filePath(QString::fromUtf8(nazwa));
        ZapiszPlik(sciezka, tresc);
        return sciezka;
    }
    TSpecyfikacja* L(const char* numer) { return Dialog->Lista()->FindSpecyfikacja(QString::fromUtf8(numer), F); }
    TSpecyfikacja* P(const char* numer)
    {
        return Dialog->DodawanaLista()->FindSpecyfikacja(QString::fromUtf8(numer), F);
    }

    static constexpr TFindSpecyfikacjaFlags F = fsUwzglednijGrupy | fsSzukajWGrupach | fsSzukajWSpecyfikacjach;
    QTemporaryDir Katalog;
    QString Cel, Dodawana;
    TZestawST Zestaw;
    TUzytkownikSkryptowy Uzytkownik;
    std::unique_ptr<TScalanieDialogu> Dialog;
};

TEST_F(ScalanieDialogu, WczytujeObieListyIPamietaDodawana)
{
    EXPECT_EQ(Dialog->OstatnioUzywane(), QStringList{Dodawana});
    EXPECT_EQ(Dialog->BiezacaOstatnia(), 0);
    EXPECT_EQ(Dialog->Lista()->GetSpisStPath()->GetPath(), Cel);
    Uzytkownik.DoOtwarcia = {{Dodawana}};
    Dialog->WybierzDodawana();
    Dialog->Czekaj();
    EXPECT_EQ(Dialog->OstatnioUzywane().size(), 1);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("otwórz: Otwórz spis specyfikacji technicznych"));
    // An added list with a specification without a number is shown for mending once read.
    const QString bezNumeru = Plik("bez.sst", "<sst><specyfikacja numer=\"D\" grupa=\"true\"><specyfikacja numer=\"\" "
                                              "opis=\"Bez numeru\"/></specyfikacja></sst>");
    Uzytkownik.DoOtwarcia = {{bezNumeru}};
    Uzytkownik.Zapis.clear();
    Dialog->WybierzDodawana();
    Dialog->Czekaj();
    EXPECT_EQ(Uzytkownik.Zapis.value(1), QStringLiteral("puste numery: 1"));
}

// The target list is edited in its tree: a move under the nesting rules and a delete after the questions,
// each marking the list changed.
TEST_F(ScalanieDialogu, EdycjaListyDocelowej)
{
    EXPECT_FALSE(Dialog->Edycja().Przenies(L("D-01.01"), nullptr, -1, false)) << "no specification at the top";
    EXPECT_FALSE(Dialog->Edycja().Przenies(L("D"), L("D-01"), -1, false)) << "never into its own subtree";
    EXPECT_TRUE(Dialog->Edycja().Przenies(L("D-01"), nullptr, -1, true));
    EXPECT_EQ(L("D-01")->Parent(), Dialog->Lista());
    EXPECT_TRUE(Dialog->Zmieniono());
    const QString potwierdzenie = QStringLiteral("Czy na pewno chcesz usunąć specyfikację?");
    const QString niepusta = QStringLiteral("Grupa nie jest pusta. ");
    Uzytkownik.Pytania[potwierdzenie] = {true, true};
    Uzytkownik.Pytania[niepusta] = {false};
    Dialog->Edycja().Usun(L("D-01"));
    EXPECT_NE(L("D-01"), nullptr) << "\"Nie\" keeps a group that is not empty";
    Dialog->Edycja().Usun(L("D-01.01"));
    EXPECT_EQ(L("D-01.01"), nullptr);
    EXPECT_EQ(L("D-01")->Count(), 0);
    Uzytkownik.SprawdzZuzyte();
}

// The rest of the main tree's editing reaches the target list too, with its refusals.
TEST_F(ScalanieDialogu, EdycjaListyDocelowejJakGlownegoDrzewa)
{
    TSpisST& lista = *Dialog->Lista();
    TEdycjaSpisu& edycja = Dialog->Edycja();
    TSpecyfikacja* pokazany = nullptr;
    Dialog->OnPokaz = [&](TSpecyfikacja* w) { pokazany = w; };

    Uzytkownik.Grupy = {TDaneGrupy{0, QStringLiteral("M"), QStringLiteral("Roboty murowe"), nullptr, QString()}};
    edycja.DodajRodzajRobot();
    ASSERT_EQ(lista.Count(), 2);
    EXPECT_EQ(pokazany, L("M"));
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("grupa: 0 "));

    edycja.DodajSpecyfikacje(nullptr);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Aby dodać specyfikację należy wybrać rodzaj, "
                                                      "grupę lub element robót na drzewie specyfikacji."));
    TDaneSpecyfikacji nowa;
    nowa.Numer = QStringLiteral("D-01.05");
    nowa.Opis = QStringLiteral("Karczowanie");
    Uzytkownik.Specyfikacje = {nowa};
    edycja.DodajSpecyfikacje(L("D-01.01"));
    ASSERT_TRUE(L("D-01.05"));
    EXPECT_EQ(L("D-01.05")->Parent(), L("D-01")) << "beside the specification selected";
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("Dodaj Specyfikację: "));

    // A document bound to one node is refused for another.
    const QString dokument = Plik("d.odt", "x");
    Uzytkownik.DoOtwarcia = {{dokument}, {dokument}};
    edycja.PowiazZPlikiem(L("D-01.01"));
    EXPECT_EQ(L("D-01.01")->GetPlik(), dokument);
    edycja.PowiazZPlikiem(L("D-01.05"));
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Wybrany plik specyfikacji jest już używany!"));
    EXPECT_TRUE(L("D-01.05")->GetPlik().isEmpty());

    edycja.PrzestawWarunkiOgolne(L("D-01.05"));
    EXPECT_TRUE(L("D-01.05")->CzyWarunkiOgolne());
    edycja.WGore(L("D-01.05"));
    EXPECT_EQ(L("D-01.05")->GetIndex(), 0);
    edycja.PoziomWyzej(L("D-01"));
    EXPECT_EQ(L("D-01")->Parent(), &lista);
    EXPECT_EQ(pokazany, L("D-01"));
    edycja.PoziomWyzej(L("D-01.05"));
    EXPECT_EQ(L("D-01.05")->Parent(), L("D-01")) << "a specification never goes to the top";
    EXPECT_TRUE(Dialog->Zmieniono());
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(ScalanieDialogu, KopiaOdmawiaPytaILiczy)
{
    const struct
    {
        const char* nazwa;
        std::vector<const char*> prawe, lewe;
        std::deque<TOpcjaDuplikatowNumeru> odpowiedzi;
        QString ostatni; // the last line of the transcript
        bool zmieniono;
        int konfliktow;
    } przypadki[] = {
        {"dwa cele",
         {"X"},
         {"D", "D-01"},
         {},
         QStringLiteral("komunikat: Nieprawidłowa specyfikacja docelowa."),
         false,
         0},
        {"za głęboko",
         {"X"},
         {"D-01"},
         {},
         QStringLiteral("komunikat: Nie można dodać rodzaju robót (X) do grupy robót (D-01) - zostanie przekroczony "
                        "dopuszczalny poziom zagnieżdżenia specyfikacji."),
         false,
         0},
        {"do specyfikacji",
         {"X-01"},
         {"D-01.01"},
         {},
         QStringLiteral("komunikat: Nie można dodawać do specyfikacji."),
         false,
         0},
        {"anulowany duplikat",
         {"D"},
         {},
         {doNone},
         QStringLiteral("import: Znaleziono duplikaty - import przerwany. 0/0/0/0"),
         false,
         2},
        {"nowy rodzaj",
         {"X"},
         {},
         {},
         QStringLiteral("import: Dodawanie listy specyfikacji zakończone. 2/0/0/0"),
         true,
         0},
        {"nadpisanie",
         {"D"},
         {},
         {doNadpisz, doNadpisz},
         QStringLiteral("import: Dodawanie listy specyfikacji zakończone. 1/0/0/2"),
         true,
         0},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        Dialog = std::make_unique<TScalanieDialogu>(Cel, Zestaw, Konfiguracja(), Uzytkownik);
        Dialog->Wczytaj(Dodawana);
        Dialog->Czekaj();
        std::vector<TSpecyfikacja*> prawe, lewe;
        for (const char* n : p.prawe)
            prawe.push_back(P(n));
        for (const char* n : p.lewe)
            lewe.push_back(L(n));
        Uzytkownik.DuplikatyNumeru = p.odpowiedzi;
        Dialog->Dodaj(prawe, lewe);
        EXPECT_EQ(Uzytkownik.Zapis.last(), p.ostatni);
        EXPECT_EQ(Dialog->Zmieniono(), p.zmieniono);
        EXPECT_EQ(Dialog->Konflikty().size(), p.konfliktow);
        EXPECT_TRUE(Uzytkownik.DuplikatyNumeru.empty());
    }
    EXPECT_TRUE(L("D-01.02")); // overwritten D-01 took the new child
}

TEST_F(ScalanieDialogu, AnulujPytaOZmianyATakZapisujeIZatwierdza)
{
    EXPECT_EQ(Dialog->Anuluj(), Z::Odrzuc); // nothing changed: no question
    Uzytkownik.DuplikatyNumeru = {doPomin}; // D skipped with its children, X added
    Dialog->DodajWszystkie();
    const QString pytanie = QStringLiteral("Czy zapisać zmiany listy specyfikacji ?");
    const struct
    {
        TOdpowiedz odpowiedz;
        Z wynik;
    } przypadki[] = {{TOdpowiedz::Anuluj, Z::Pozostan}, {TOdpowiedz::Nie, Z::Odrzuc}, {TOdpowiedz::Tak, Z::Zatwierdz}};
    for (const auto& p : przypadki) {
        Uzytkownik.PytaniaAnuluj[pytanie] = {p.odpowiedz};
        EXPECT_EQ(Dialog->Anuluj(), p.wynik);
    }
    EXPECT_TRUE(CzytajPlik(Cel).contains("numer=\"X-01\""));
    EXPECT_TRUE(Dialog->PrzejmijListe());
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(ScalanieDialogu, PorownanieWymagaObuStron)
{
    EXPECT_FALSE(Dialog->Porownaj(L("D"), nullptr));
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Proszę zaznaczyć specyfikacje do porównania."));
    const auto opis = Dialog->Porownaj(L("D-01.01"), P("D-01.02"));
    ASSERT_TRUE(opis);
    EXPECT_EQ(opis->first.Numer, QStringLiteral("D-01.01"));
    EXPECT_EQ(opis->second.Numer, QStringLiteral("D-01.02"));
}

} // namespace
