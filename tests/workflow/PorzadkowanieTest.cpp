// Ordering the list's documents into folders: the dialog's logic, the dry run, the report.
#include "PomocnikKontrolera.h"

#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "workflow/PorzadkowanieDialogu.h"

#include <QDir>
#include <QDirIterator>

namespace {

class Porzadkowanie : public TTestKontrolera
{
protected:
    void SetUp() override
    {
        TTestKontrolera::SetUp();
        Kontroler->OtworzSST(Lista());
        QDir().mkpath(Cel());
        Uzytkownik.Zapis.clear();
    }
    QString Cel() const { return Katalog.filePath(QStringLiteral("cel")); }
    QStringList Pliki() const
    {
        QStringList w;
        for (QDirIterator it(Cel(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            w << it.next().mid(Cel().size() + 1);
        w.sort();
        return w;
    }
    // One run of the dialog with the options; returns its failure.
    QString Uruchom(int struktura, bool aktualizuj = false)
    {
        QString blad;
        Uzytkownik.Porzadkowanie = [&](TPorzadkowanieDialogu& d) {
            d.Opcje.FolderDocelowy = Cel();
            d.Opcje.Struktura = struktura;
            d.Opcje.Aktualizuj = aktualizuj;
            d.Opcje.Nadpisuj = false;
            d.Start();
            d.Czekaj();
            EXPECT_EQ(d.Pozycja(), d.Maksimum());
            blad = d.Blad();
        };
        Kontroler->PorzadkowanieStrukturySST();
        return blad;
    }
};

TEST_F(Porzadkowanie, PlaskaDwaRazyZapisujeRaport)
{
    EXPECT_EQ(Uruchom(TOpcjePorzadkowania::StrukturaPlaska), QString());
    EXPECT_EQ(Pliki(), QStringList({"lista/S-1 A.odt", "lista/S-1.odt", "lista/S-2.odt", "lista/struktura_sst.conf"}));
    EXPECT_FALSE(Kontroler->CzyJestRaportPorzadkowania());
    EXPECT_EQ(Konfiguracja().PorzadkSTOpcja, 2) << "the options are kept for the next time";

    EXPECT_EQ(Uruchom(TOpcjePorzadkowania::StrukturaPlaska), QStringLiteral("Błąd kopiowania"));
    ASSERT_TRUE(Kontroler->CzyJestRaportPorzadkowania());
    const QString raport = QString::fromUtf8(
        CzytajPlik(TPorzadkowanieDialogu::PlikRaportu(Kontroler->Zestaw().Ustawienia().KatalogUzytkownika)));
    EXPECT_TRUE(raport.contains(QStringLiteral("Porządkowanie struktury plików specyfikacji technicznych (lista) - ")));
    EXPECT_EQ(raport.count(QStringLiteral("Błąd: Plik docelowy już istnieje: ")), 3);
    EXPECT_TRUE(raport.contains(QStringLiteral("Plik źródłowy: ") + Katalog.filePath(QStringLiteral("S-2.odt"))));
}

TEST_F(Porzadkowanie, DrzewoZAktualizacjaSciezek)
{
    EXPECT_EQ(Uruchom(TOpcjePorzadkowania::StrukturaNumerIOpis, true), QString());
    const TSpecyfikacja* s1 = Kontroler->Spis().FindSpecyfikacja(QStringLiteral("S-1"), fsSzukajWSpecyfikacjach);
    EXPECT_EQ(s1->GetPlik(), Cel() + QStringLiteral("/lista/G Grupa/S-1.odt"));
    EXPECT_EQ(s1->GetWariant(0)->GetPlik(), Cel() + QStringLiteral("/lista/G Grupa/S-1 A.odt"));
    EXPECT_TRUE(Kontroler->ZmienionySST());
}

TEST_F(Porzadkowanie, ProbaZatrzymujeNiebezpieczneIKolidujace)
{
    const struct
    {
        const char* Nazwa;
        QByteArray Lista;
        int Struktura;
        QString Blad;
    } przypadki[] = {
        {"grupa ..",
         "<sst><specyfikacja numer=\"..\" grupa=\"true\"><specyfikacja numer=\"S-1\" "
         "plik=\"%USERPATH%/S-1.odt\"/></specyfikacja></sst>",
         0, QStringLiteral("Nazwa folderu grupy \"..\" jest niedozwolona.")},
        {"grupa bez numeru",
         "<sst><specyfikacja numer=\"G\" grupa=\"true\"><specyfikacja numer=\"\" opis=\"Bez numeru\" "
         "grupa=\"true\"><specyfikacja numer=\"S-1\" plik=\"%USERPATH%/S-1.odt\"/></specyfikacja>"
         "</specyfikacja></sst>",
         0, QStringLiteral("Brak numeru w specyfikacji \"Bez numeru\".")},
    };
    Plik(QStringLiteral("inny/S-1.odt"), "y");
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        Uzytkownik.PytaniaAnuluj[QStringLiteral("Czy zapisać zmiany listy specyfikacji ?")] = {TOdpowiedz::Nie};
        Kontroler->OtworzSST(Plik(QStringLiteral("p.sst"), p.Lista));
        Uzytkownik.PytaniaAnuluj.clear();
        const QString blad = Uruchom(p.Struktura);
        EXPECT_TRUE(blad.startsWith(p.Blad)) << blad.toStdString();
        EXPECT_TRUE(Pliki().isEmpty()) << Pliki().join(QLatin1Char(' ')).toStdString();
    }
    // Two documents of one name: the list refuses them on reading, so they are put together here.
    auto a = std::make_unique<TSpecyfikacja>(QStringLiteral("A-1"), false, false, QString(), Plik("a/x.odt", "a"),
                                             QString());
    auto b = std::make_unique<TSpecyfikacja>(QStringLiteral("B-1"), false, false, QString(), Plik("b/x.odt", "b"),
                                             QString());
    Kontroler->Spis().Add(std::move(a));
    Kontroler->Spis().Add(std::move(b));
    Kontroler->Spis().Zapisz(Katalog.filePath(QStringLiteral("p.sst")));
    Uzytkownik.PytaniaAnuluj[QStringLiteral("Czy zapisać zmiany listy specyfikacji ?")] = {TOdpowiedz::Nie};
    EXPECT_TRUE(Uruchom(TOpcjePorzadkowania::StrukturaPlaska)
                    .startsWith(QStringLiteral("Dwa różne pliki specyfikacji trafiłyby do jednego pliku docelowego:")));
    EXPECT_TRUE(Pliki().isEmpty());
}

TEST_F(Porzadkowanie, PustaListaINiezapisana)
{
    Uzytkownik.PytaniaAnuluj[QStringLiteral("Czy zapisać zmiany listy specyfikacji ?")] = {TOdpowiedz::Nie};
    Kontroler->UtworzNowySST();
    Kontroler->PorzadkowanieStrukturySST();
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Brak specyfikacji do uporządkowania."));
    Kontroler->Spis().Add(
        std::make_unique<TSpecyfikacja>(QStringLiteral("N"), false, false, QString(), QString(), QString()));
    Uzytkownik.PytaniaAnuluj[QStringLiteral("Czy zapisać zmiany listy specyfikacji ?")] = {TOdpowiedz::Nie};
    EXPECT_EQ(Uruchom(0), QStringLiteral("Proszę zapisać listę specyfikacji."));
    Uzytkownik.SprawdzZuzyte();
}

} // namespace
