// Archives, register and drawing imports through the controller, with their questions and dialogs.
#include "PomocnikKontrolera.h"

#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "workflow/CzekanieNaOtwarcie.h"
#include "zestaw/ZbiorST.h"

#include <QFileInfo>

namespace {

class ArchiwaIImport : public TTestKontrolera
{
};

TEST_F(ArchiwaIImport, ArchiwumZestawuTylkoZapisanegoISukcesTylkoPoZapisie)
{
    Kontroler->ArchiwizujZestaw();
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{"komunikat: Zestaw należy zapisać przed archiwizacją."});
    Kontroler->OtworzSST(Lista());
    const QString zestaw = Katalog.filePath(QStringLiteral("z.zst"));
    Uzytkownik.DoZapisu = {zestaw};
    ASSERT_TRUE(Kontroler->ZapiszZestawJako());
    Uzytkownik.Zapis.clear();

    // A target that cannot be written: its failure, never a success.
    Uzytkownik.DoZapisu = {Katalog.path(), Katalog.filePath(QStringLiteral("z.azst"))};
    Kontroler->ArchiwizujZestaw();
    ASSERT_EQ(Uzytkownik.Zapis.size(), 2);
    EXPECT_EQ(Uzytkownik.Zapis[0], QStringLiteral("zapisz: Zapisz archiwum zestawu"));
    EXPECT_NE(Uzytkownik.Zapis[1], QStringLiteral("komunikat: Pomyślnie utworzono archiwum"));
    Kontroler->ArchiwizujZestaw();
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Pomyślnie utworzono archiwum"));
    EXPECT_TRUE(QFileInfo(Katalog.filePath(QStringLiteral("z.azst"))).isFile());

    // Packing runs under the waiting dialog "Trwa archiwizacja"; stopped there, it writes nothing and says
    // nothing of success.
    QString tytul;
    Uzytkownik.Czekanie = [&](TCzekanieNaOtwarcie& czekanie) {
        tytul = czekanie.Tytul;
        czekanie.Anuluj();
        czekanie.Uruchom();
        czekanie.Czekaj();
    };
    Uzytkownik.DoZapisu = {Katalog.filePath(QStringLiteral("stop.azst"))};
    Uzytkownik.Zapis.clear();
    Kontroler->ArchiwizujZestaw();
    EXPECT_EQ(tytul, QStringLiteral("Trwa archiwizacja"));
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{"zapisz: Zapisz archiwum zestawu"});
    EXPECT_FALSE(QFileInfo::exists(Katalog.filePath(QStringLiteral("stop.azst"))));
    Uzytkownik.Czekanie = nullptr;

    // A missing document is shown first; anything but OK ends the command.
    QFile::remove(Katalog.filePath(QStringLiteral("S-2.odt")));
    Uzytkownik.OkBrakujacych = false;
    Uzytkownik.Zapis.clear();
    Kontroler->ArchiwizujSpisSt();
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{"brakujące pliki"});
    Uzytkownik.SprawdzZuzyte();
}

// An archive given to the program goes to the unpacking dialog of its kind; what it unpacked is opened.
TEST_F(ArchiwaIImport, ArchiwumZWierszaPolecen)
{
    EXPECT_TRUE(TZestawController::CzyArchiwum(QStringLiteral("/a/b.AZST")));
    EXPECT_TRUE(TZestawController::CzyArchiwum(QStringLiteral("b.alst")));
    EXPECT_FALSE(TZestawController::CzyArchiwum(QStringLiteral("b.zst")));
    Uzytkownik.Rozpakowany = Lista();
    Kontroler->RozpakujArchiwum(QStringLiteral("/x/l.alst"));
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{"rozpakuj listę: /x/l.alst"});
    EXPECT_EQ(Kontroler->Spis().GetSpisStPath()->GetPath(), Lista());
    Uzytkownik.Rozpakowany.clear();
    Uzytkownik.Zapis.clear();
    Kontroler->RozpakujArchiwum(QStringLiteral("/x/z.azst"));
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{"rozpakuj zestaw: /x/z.azst"});
}

TEST_F(ArchiwaIImport, DwaWykazyPierwszyZlyIPelnyZapis)
{
    Kontroler->OtworzSST(Lista());
    const QString zly = Plik(QStringLiteral("zly.wst"), "<wykaz><poz>");
    const QString dobry = Plik(QStringLiteral("dobry.wst"), "<wykaz><poz rodz=\"1\"><nr>W</nr><opis>Wykaz</opis></poz>"
                                                            "<poz><nr>W-1</nr><opis>Nowa</opis></poz>"
                                                            "<poz><nr>S-2</nr><opis>Powtórzona</opis></poz></wykaz>");
    Uzytkownik.Zapis.clear();
    Uzytkownik.DoOtwarcia = {{zly, dobry}};
    Uzytkownik.DuplikatyNumeru = {doPomin};
    Kontroler->ImportujPlikWST(Kontroler->Spis().FindSpecyfikacja(QStringLiteral("S-1"), fsSzukajWSpecyfikacjach));
    ASSERT_EQ(Uzytkownik.Zapis.size(), 5) << Uzytkownik.Zapis.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Uzytkownik.Zapis[0], QStringLiteral("otwórz: Otwórz wykaz specyfikacji technicznych"));
    EXPECT_TRUE(Uzytkownik.Zapis[1].startsWith(QStringLiteral("komunikat: Błąd ładowania pliku wykazu: ")));
    EXPECT_EQ(Uzytkownik.Zapis[2], QStringLiteral("import: Import przerwany. 0/0/0/0"));
    EXPECT_EQ(Uzytkownik.Zapis[3], QStringLiteral("duplikat numeru: S-2"));
    EXPECT_EQ(Uzytkownik.Zapis[4], QStringLiteral("import: Zakończono import specyfikacji. 2/0/1/0"));
    // Into the group of the selected specification.
    const TSpecyfikacja* w = Kontroler->Spis().FindSpecyfikacja(QStringLiteral("W"), fsSzukajWGrupach);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Parent(), Kontroler->Spis().GetSpecyfikacja(0));
    EXPECT_TRUE(Kontroler->ZmienionySST());
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(ArchiwaIImport, RysunekStcDodajeNumeryIProponujeListe)
{
    const QString lista = Lista(QStringLiteral("inna.sst"));
    const QString stc = Plik(QStringLiteral("r.stc"), ("S-1|a|m|" + lista + "\nX-5|b|m|" + lista + "\n").toUtf8());
    Uzytkownik.DoOtwarcia = {{stc}};
    const QString pytanie = QStringLiteral("W pliku STC została użyta następująca lista specyfikacji:\n") + lista;
    Uzytkownik.Pytania[pytanie] = {true};
    Kontroler->ImportujSTC();
    EXPECT_NE(Kontroler->Zestaw().GetZbiorST()->Znajdz(QStringLiteral("X-5")), nullptr);
    EXPECT_TRUE(Kontroler->ZmienionyZestaw());
    EXPECT_EQ(Kontroler->Spis().GetSpisStPath()->GetPath(), lista) << "opened after \"Tak\"";
    EXPECT_EQ(Uzytkownik.Zapis, QStringList({"otwórz: Otwórz plik STC", "pytanie: " + pytanie}));
    // The open list is not offered again.
    Uzytkownik.DoOtwarcia = {{stc}};
    Kontroler->ImportujSTC();
    EXPECT_EQ(Uzytkownik.Zapis.size(), 3);
    Uzytkownik.SprawdzZuzyte();
}

} // namespace

namespace {

TEST_F(ArchiwaIImport, EksportPytaFiltryNajpierwIZapisujeTylkoZmiany)
{
    Kontroler->OtworzSST(Lista());
    Kontroler->ZmienionoZestaw();
    Kontroler->WyswietlZestawJakoZapisany();
    Kontroler->Zestaw().GetKonfiguracja()->CzyWstawiacSzablonPierwszejStrony = false;
    Kontroler->Zestaw().GetKonfiguracja()->CzyEksportDoc = false;
    // Nothing in the collection: no file to export.
    Kontroler->EksportujZbiorST();
    EXPECT_EQ(Uzytkownik.Zapis.last(),
              QStringLiteral("komunikat: Brak odpowiednich plików do eksportu. Sprawdź ustawienia filtrów"));

    Kontroler->DopiszDoZbioruST(Kontroler->Spis().GetSpecyfikacja(0));
    Kontroler->WyswietlZestawJakoZapisany();
    Konfiguracja().CzyZbiorSTPokazBraki = false;
    const QString filtry = QStringLiteral("Bieżące ustawienie filtrów ukrywa część specyfikacji w zbiorze.");
    Uzytkownik.Pytania[filtry] = {false, true, true};
    Uzytkownik.Zapis.clear();
    Kontroler->EksportujZbiorST();
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{"pytanie: " + filtry});

    // OK with the set's own options: nothing written back.
    TUstawieniaEksportuZestawu opcje = *Kontroler->Zestaw().GetKonfiguracja();
    Uzytkownik.OpcjeEksportu = opcje;
    Kontroler->EksportujZbiorST();
    EXPECT_EQ(Uzytkownik.PlikowEksportu, 2);
    EXPECT_FALSE(Kontroler->ZmienionyZestaw());
    // Margins changed in the dialog: into the set, which is changed.
    opcje.MarginesL = 33;
    Uzytkownik.OpcjeEksportu = opcje;
    Kontroler->EksportujZbiorST();
    EXPECT_EQ(Kontroler->Zestaw().GetKonfiguracja()->MarginesL, 33);
    EXPECT_TRUE(Kontroler->ZmienionyZestaw());
    Uzytkownik.SprawdzZuzyte();
}

} // namespace

namespace {

TEST_F(ArchiwaIImport, StronaTytulowaZBrakujacymPlikiemNieJestUstawiana)
{
    TKonfiguracjaZestawu& k = *Kontroler->Zestaw().GetKonfiguracja();
    k.CzyWstawiacSzablonPierwszejStrony = false;
    Uzytkownik.StronaTytulowa = {TWyborStronyTytulowej::PlikZDysku, Katalog.filePath(QStringLiteral("brak.odt"))};
    EXPECT_FALSE(Kontroler->WybierzSzablonPierwszejStronyZestawu());
    EXPECT_FALSE(k.CzyWstawiacSzablonPierwszejStrony);
    EXPECT_FALSE(Kontroler->ZmienionyZestaw());
    // Switched on without a template: "Nie" unchecks the box; a file chosen keeps it.
    const QString pytanie = QStringLiteral("Brak wybranego pliku szablonu pierwszej strony.");
    Uzytkownik.Pytania[pytanie] = {false, true};
    EXPECT_FALSE(Kontroler->SprawdzPlikiSzablonow(true));
    const QString szablon = Plik(QStringLiteral("strona.odt"), "x");
    Uzytkownik.StronaTytulowa = {TWyborStronyTytulowej::PlikZDysku, szablon};
    EXPECT_TRUE(Kontroler->SprawdzPlikiSzablonow(true));
    EXPECT_EQ(Kontroler->PobierzSzablonPierwszejStrony(), szablon);
    EXPECT_TRUE(k.CzyWstawiacSzablonPierwszejStrony);
    Uzytkownik.SprawdzZuzyte();
}

} // namespace
