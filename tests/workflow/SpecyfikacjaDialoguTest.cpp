// The rules of the specification and variant dialogs: the checks of "Dodaj" in order, the units grid,
// the number proposal, "Stwórz plik" of both dialogs.
#include "workflow/SpecyfikacjaDialogu.h"

#include "specs/JmSpecyfikacji.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/UzytkownikSkryptowy.h"

#include <QDir>

namespace {

const QString Uzywany = QStringLiteral("komunikat: Wybrany plik specyfikacji jest już używany!");

// The list: group "D-01.00.00" with S1 "D-01.01.00" (file s1.doc, variants A with wa.doc and B) and
// S2 "D-01.02.00" without a file.
class SpecyfikacjaDialogu : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().SetWizualnySeparatorWariantow(QStringLiteral("-"));
        auto g = std::make_unique<TSpecyfikacja>(QStringLiteral("D-01.00.00"), false, true, QString(), QString(),
                                                 QStringLiteral("Roboty"));
        G = g.get();
        Spis.Add(std::move(g));
        S1 = Dodaj(QStringLiteral("D-01.01.00"), Plik(QStringLiteral("s1.doc"), "specyfikacja"),
                   QStringLiteral("Roboty: ziemne"));
        S2 = Dodaj(QStringLiteral("D-01.02.00"), QString(), QStringLiteral("Druga"));
        S1->AddWariant(std::make_unique<TWariantSpecyfikacji>(QStringLiteral("A"), QStringLiteral("a"),
                                                              Plik(QStringLiteral("wa.doc"), "a"), QString()));
        S1->AddWariant(std::make_unique<TWariantSpecyfikacji>(QStringLiteral("B"), QString(), QString(), QString()));
        S1->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QStringLiteral("powierzchni"), false));
    }
    TSpecyfikacja* Dodaj(const QString& numer, const QString& plik, const QString& opis)
    {
        auto s = std::make_unique<TSpecyfikacja>(numer, false, false, QString(), plik, opis);
        TSpecyfikacja* w = s.get();
        G->Add(std::move(s));
        return w;
    }
    QString Plik(const QString& nazwa, const QByteArray& tresc)
    {
        ZapiszPlik(Katalog.filePath(nazwa), tresc);
        return Katalog.filePath(nazwa);
    }
    TDaneSpecyfikacji Specyfikacja(const TSpecyfikacja* edytowana) const
    {
        TDaneSpecyfikacji d;
        d.Spis = const_cast<TSpisST*>(&Spis);
        d.Nadrzedna = edytowana ? nullptr : G;
        d.Edytowana = edytowana;
        d.Numer = edytowana ? edytowana->Numer() : QString();
        return d;
    }
    TDaneSpecyfikacji Wariant(const TSpecyfikacja* edytowany) const
    {
        TDaneSpecyfikacji d = Specyfikacja(edytowany);
        d.Nadrzedna = nullptr;
        d.Specyfikacja = S1;
        d.CzyWariant = true;
        return d;
    }

    QTemporaryDir Katalog;
    TSpisST Spis;
    TSpecyfikacja* G = nullptr;
    TSpecyfikacja* S1 = nullptr;
    TSpecyfikacja* S2 = nullptr;
    TUzytkownikSkryptowy Uzytkownik;
};

struct TPrzypadek
{
    const char* Opis;
    int Edytowany; // -1 none, else S1, S2, variant A, variant B
    const char* Numer;
    const char* Plik; // name in the folder, or empty
    const char* Komunikat;
};

TEST_F(SpecyfikacjaDialogu, KontroleDodajWKolejnosci)
{
    const TPrzypadek specyfikacje[] = {
        {"blank number before the used file", -1, "  ", "s1.doc", "Numer specyfikacji nie może być pusty."},
        {"used number, letter case ignored", -1, " d-01.01.00", "", "Podany numer specyfikacji jest już używany!"},
        {"file bound elsewhere", -1, "D-01.03.00", "s1.doc", "Wybrany plik specyfikacji jest już używany!"},
        {"new number and free file", -1, "D-01.03.00", "nowy.doc", ""},
        {"own number and file kept", 0, "d-01.01.00 ", "s1.doc", ""},
        {"renumbered onto another", 0, "D-01.02.00", "", "Podany numer specyfikacji jest już używany!"},
        {"another's file", 1, "D-01.02.00", "s1.doc", "Wybrany plik specyfikacji jest już używany!"},
    };
    const TPrzypadek warianty[] = {
        {"blank", -1, " ", "", "Proszę podać numer specyfikacji!"},
        {"existing variant, letter case ignored", -1, "a ", "",
         "Podany numer wariantu już istnieje w wybranej "
         "specyfikacji!"},
        {"renamed onto another", 3, "A", "", "Podany numer wariantu już istnieje w wybranej specyfikacji!"},
        {"own number and file", 2, "A", "wa.doc", ""},
        {"the specification's file", -1, "C", "s1.doc", "Wybrany plik specyfikacji jest już używany!"},
        {"new", -1, "C", "c.doc", ""},
    };
    const TSpecyfikacja* edytowane[] = {S1, S2, S1->GetWariant(0), S1->GetWariant(1)};
    Plik(QStringLiteral("nowy.doc"), "n");
    Plik(QStringLiteral("c.doc"), "c");
    auto sprawdz = [&](const TPrzypadek& p, bool wariant) {
        SCOPED_TRACE(p.Opis);
        const TSpecyfikacja* e = p.Edytowany < 0 ? nullptr : edytowane[p.Edytowany];
        TSpecyfikacjaDialogu d(wariant ? Wariant(e) : Specyfikacja(e), Uzytkownik, Konfiguracja());
        d.Numer = QString::fromUtf8(p.Numer);
        d.Plik = *p.Plik ? Katalog.filePath(QString::fromUtf8(p.Plik)) : QString();
        Uzytkownik.Zapis.clear();
        const QString komunikat = QString::fromUtf8(p.Komunikat);
        EXPECT_EQ(d.Dodaj(), komunikat.isEmpty());
        EXPECT_EQ(Uzytkownik.Zapis, komunikat.isEmpty() ? QStringList() : QStringList{"komunikat: " + komunikat});
        if (QStringLiteral("komunikat: ") + komunikat == Uzywany) {
            EXPECT_TRUE(d.Plik.isEmpty()) << "the refused file is let go";
        }
    };
    for (const TPrzypadek& p : specyfikacje)
        sprawdz(p, false);
    for (const TPrzypadek& p : warianty)
        sprawdz(p, true);

    TDaneSpecyfikacji bezSpisu = Specyfikacja(nullptr);
    bezSpisu.Spis = nullptr;
    TSpecyfikacjaDialogu d(bezSpisu, Uzytkownik, Konfiguracja());
    d.Numer = QStringLiteral("X");
    EXPECT_FALSE(d.Dodaj());
    EXPECT_FALSE(d.SprawdzPrzedTworzeniem());
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Spis specyfikacji nie istnieje"));
}

TEST_F(SpecyfikacjaDialogu, TabelaJednostek)
{
    TSpecyfikacjaDialogu d(Specyfikacja(S1), Uzytkownik, Konfiguracja());
    ASSERT_EQ(d.Wiersze().size(), 1u);
    EXPECT_EQ(d.Wiersze()[0].Jm, QStringLiteral("m2"));
    ASSERT_TRUE(d.Dodaj());
    EXPECT_FALSE(d.Wynik().CzyJednostki) << "unchanged units leave the node's";

    EXPECT_TRUE(d.EnterNaWierszu(0)) << "Enter on the last row appends";
    EXPECT_FALSE(d.EnterNaWierszu(0));
    d.WstawWiersz(1);
    d.DodajJednostke();
    ASSERT_EQ(d.Wiersze().size(), 4u);
    d.UstawKomorke(1, 0, QStringLiteral(" m3 "));
    d.UstawKomorke(2, 1, QStringLiteral("  "));
    d.UstawKomorke(3, 1, QStringLiteral("tylko opis"));
    const auto jm = d.Jednostki();
    ASSERT_EQ(jm.size(), 3u) << "the blank row is dropped";
    EXPECT_FALSE(jm[0]->Eksportuj()) << "a unit of the node keeps its own settings";
    EXPECT_EQ(jm[1]->Jm(), QStringLiteral("m3"));
    EXPECT_TRUE(jm[1]->Eksportuj());
    EXPECT_EQ(jm[2]->Opis(), QStringLiteral("tylko opis"));
    ASSERT_TRUE(d.Dodaj());
    EXPECT_TRUE(d.Wynik().CzyJednostki);
    EXPECT_EQ(d.Wynik().Jednostki.size(), 3u);

    // Removing every row disables the grid; "Dodaj jednostkę" brings back one row to type into.
    for (int i = 0; i < 4; ++i)
        d.UsunJednostke(-1);
    EXPECT_TRUE(d.Wiersze().empty());
    EXPECT_FALSE(d.CzyTabelaAktywna());
    d.DodajJednostke();
    EXPECT_TRUE(d.CzyTabelaAktywna());
    EXPECT_EQ(d.Wiersze().size(), 1u);
    ASSERT_TRUE(d.Dodaj());
    EXPECT_TRUE(d.Wynik().CzyJednostki) << "all units removed";
    EXPECT_TRUE(d.Wynik().Jednostki.empty());
}

TEST_F(SpecyfikacjaDialogu, PropozycjaNumeruIPoleStartowe)
{
    TSpecyfikacjaDialogu dodanie(Specyfikacja(nullptr), Uzytkownik, Konfiguracja());
    EXPECT_EQ(dodanie.Numer, QStringLiteral("D-01.00.00"));
    EXPECT_EQ(dodanie.ZaznaczenieOd(), 5);
    EXPECT_EQ(dodanie.ZaznaczenieDlugosc(), 5);
    EXPECT_EQ(dodanie.PoleStartowe(), TSpecyfikacjaDialogu::TPole::Numer);
    EXPECT_EQ(dodanie.TekstOk(), QStringLiteral("Dodaj"));

    TDaneSpecyfikacji zNumerem = Specyfikacja(nullptr);
    zNumerem.Numer = QStringLiteral("D-01.05.00");
    TSpecyfikacjaDialogu preset(zNumerem, Uzytkownik, Konfiguracja());
    EXPECT_EQ(preset.Numer, zNumerem.Numer) << "a preset number is not replaced";
    EXPECT_EQ(preset.PoleStartowe(), TSpecyfikacjaDialogu::TPole::Tytul);

    TSpecyfikacjaDialogu edycja(Specyfikacja(S2), Uzytkownik, Konfiguracja());
    EXPECT_EQ(edycja.TekstOk(), QStringLiteral("Zapisz"));
    EXPECT_EQ(edycja.RodzicTworzonej(), G);
}

TEST_F(SpecyfikacjaDialogu, StworzPlikSpecyfikacjiPrzejmujeWynikTworzenia)
{
    TSpecyfikacjaDialogu d(Specyfikacja(nullptr), Uzytkownik, Konfiguracja());
    d.Numer = QStringLiteral("D-01.01.00");
    EXPECT_FALSE(d.SprawdzPrzedTworzeniem());
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Podany numer specyfikacji jest już używany!"));
    EXPECT_EQ(d.PoleBledu(), TSpecyfikacjaDialogu::TPole::Numer);
    d.Numer = QStringLiteral("D-01.04.00");
    ASSERT_TRUE(d.SprawdzPrzedTworzeniem());
    std::vector<std::unique_ptr<TJmSpecyfikacji>> jm;
    jm.push_back(std::make_unique<TJmSpecyfikacji>(QStringLiteral("szt."), QStringLiteral("sztuk"), true));
    ASSERT_TRUE(d.PoUtworzeniu(Plik(QStringLiteral("nowa.doc"), "n"), QStringLiteral("Nowa"), std::move(jm)));
    const TDaneSpecyfikacji w = d.Wynik();
    EXPECT_EQ(w.Opis, QStringLiteral("Nowa"));
    EXPECT_EQ(w.NazwaPliku, QStringLiteral("nowa.doc"));
    ASSERT_EQ(w.Jednostki.size(), 1u);
    EXPECT_EQ(w.Jednostki[0]->Jm(), QStringLiteral("szt."));
}

TEST_F(SpecyfikacjaDialogu, StworzPlikWariantu)
{
    TSpecyfikacjaDialogu d(Wariant(nullptr), Uzytkownik, Konfiguracja());
    ASSERT_TRUE(d.CzyStworzPlikWariantuDostepne());
    d.Tytul = QStringLiteral("w gruncie*");
    // The number is checked before anything is written.
    EXPECT_FALSE(d.StworzPlikWariantu());
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Proszę podać numer specyfikacji!"));
    d.Numer = QStringLiteral(" C ");
    const QString cel = Katalog.filePath(QStringLiteral("D-01.01.00-C Roboty ziemne w gruncie.doc"));
    EXPECT_EQ(d.PlikWariantu(), cel);
    EXPECT_EQ(QDir(Katalog.path()).entryList(QDir::Files).size(), 2);

    ZapiszPlik(cel, "stary");
    const QString pytanie = QStringLiteral("Plik wariantu już istnieje. Czy chcesz go nadpisać ?");
    Uzytkownik.Pytania[pytanie] = {false, true};
    EXPECT_FALSE(d.StworzPlikWariantu());
    EXPECT_EQ(CzytajPlik(cel), QByteArray("stary"));
    d.OtworzPoStworzeniu = true;
    ASSERT_TRUE(d.StworzPlikWariantu());
    EXPECT_EQ(CzytajPlik(cel), QByteArray("specyfikacja"));
    EXPECT_EQ(d.Wynik().Plik, cel);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("uruchom: ") + cel);

    // A target that cannot be written: a folder in its place.
    d.Numer = QStringLiteral("D");
    QDir(Katalog.path()).mkdir(QFileInfo(d.PlikWariantu()).fileName());
    Uzytkownik.Pytania[pytanie] = {true};
    EXPECT_FALSE(d.StworzPlikWariantu());
    EXPECT_TRUE(Uzytkownik.Zapis.last().startsWith(QStringLiteral("komunikat: Błąd tworzenia pliku specyfikacji: ")))
        << Uzytkownik.Zapis.last().toStdString();
    Uzytkownik.SprawdzZuzyte();

    TDaneSpecyfikacji bezPliku = Wariant(nullptr);
    bezPliku.Specyfikacja = S2;
    EXPECT_FALSE(TSpecyfikacjaDialogu(bezPliku, Uzytkownik, Konfiguracja()).CzyStworzPlikWariantuDostepne());
}

TEST_F(SpecyfikacjaDialogu, EdytorJednostekZapamietanyWKonfiguracji)
{
    Konfiguracja().WyswietlajEdytorJmPrzyEdycjiSt = true;
    TSpecyfikacjaDialogu d(Specyfikacja(nullptr), Uzytkownik, Konfiguracja());
    EXPECT_TRUE(d.PokazEdytorJm);
    d.PokazEdytorJm = false;
    d.Zamknij();
    EXPECT_FALSE(Konfiguracja().WyswietlajEdytorJmPrzyEdycjiSt);
}

} // namespace
