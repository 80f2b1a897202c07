// The dialog "Rozpakuj archiwum" without its window: defaults, checks, the structure marker, unpacking, stop.
#include "ArchiwumTestowe.h"

#include "support/Pomocnicze.h"
#include "workflow/RozpakowanieDialogu.h"

#include <QDir>
#include <QFileInfo>

namespace {

class RozpakowanieDialogu : public TTestArchiwum
{
};

TEST_F(RozpakowanieDialogu, DomyslneINapisyZestawuIListy)
{
    TRozpakowanieDialogu zestaw(true, Konfiguracja(), Uzytkownik);
    TRozpakowanieDialogu lista(false, Konfiguracja(), Uzytkownik);
    EXPECT_EQ(zestaw.Folder, Konfiguracja().GetUserPath() + QLatin1Char('/'));
    EXPECT_EQ(zestaw.Struktura, 0);
    EXPECT_FALSE(zestaw.CzyNadpisuj);
    EXPECT_TRUE(lista.CzyOtworz);
    EXPECT_EQ(zestaw.NapisOtworz(), QStringLiteral("Otwórz zestaw po rozpakowaniu"));
    EXPECT_EQ(lista.NapisOtworz(), QStringLiteral("Otwórz spis specyfikacji po rozpakowaniu"));
    EXPECT_EQ(zestaw.DialogArchiwum().Tytul, QStringLiteral("Wybierz archiwum zestawu"));
    EXPECT_EQ(zestaw.DialogArchiwum().Filtr, QStringLiteral("Archiwm zestawu (*.azst)|*.azst"));
    EXPECT_EQ(lista.DialogArchiwum().Tytul, QStringLiteral(".alst"));
    EXPECT_EQ(lista.DialogArchiwum().Filtr, QStringLiteral("Archiwm spisu specyfikacji (*.alst)|*.alst"));
}

TEST_F(RozpakowanieDialogu, PolaSprawdzanePrzedStartem)
{
    const struct
    {
        QString Archiwum, Folder, Komunikat;
    } przypadki[] = {
        {{}, QStringLiteral("/x"), QStringLiteral("Proszę wskazać plik archiwum.")},
        {QStringLiteral("/nie/ma.alst"), QStringLiteral("/x"), QStringLiteral("Proszę wskazać plik archiwum.")},
        {Archiwum(), QStringLiteral("  "), QStringLiteral("Proszę wskazać folder docelowy.")},
    };
    for (const auto& p : przypadki) {
        Uzytkownik.Zapis.clear();
        TRozpakowanieDialogu d(false, Konfiguracja(), Uzytkownik);
        d.Archiwum = p.Archiwum;
        d.Folder = p.Folder;
        d.Rozpakuj();
        EXPECT_FALSE(d.CzyTrwa());
        EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("komunikat: ") + p.Komunikat});
    }
}

TEST_F(RozpakowanieDialogu, ZnacznikWybieraStruktureIPytaOInna)
{
    const QString cel = Sciezka(QStringLiteral("cel/"));
    ZapiszStruktureSst(cel + QStringLiteral("Specyfikacje Techniczne"), 2);
    TRozpakowanieDialogu d(false, Konfiguracja(), Uzytkownik);
    d.Archiwum = Archiwum();
    d.Folder = cel;
    d.CzytajZnacznik();
    EXPECT_EQ(d.Struktura, 2);
    d.Struktura = 0;
    const QString pytanie = QStringLiteral("W wybranym folderze docelowym istnieje już struktura plików i folderów "
                                           "specyfikacji, która jest inna od wybranej. ");
    Uzytkownik.Pytania[pytanie] = {false};
    d.Rozpakuj();
    EXPECT_FALSE(d.CzyTrwa());
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("pytanie: ") + pytanie});
    EXPECT_FALSE(QFileInfo::exists(cel + QStringLiteral("Dane")));
}

TEST_F(RozpakowanieDialogu, RozpakowujeNaWatkuIZglaszaBladPonownie)
{
    const QString archiwum = Archiwum();
    for (int i = 0; i < 2; ++i) {
        Uzytkownik.Zapis.clear();
        TRozpakowanieDialogu d(false, Konfiguracja(), Uzytkownik);
        int konce = 0;
        d.OnKoniec = [&] { ++konce; };
        d.Archiwum = archiwum;
        d.Folder = Sciezka(QStringLiteral("nowy/cel"));
        d.Rozpakuj();
        EXPECT_TRUE(d.CzyTrwa());
        d.Czekaj();
        EXPECT_FALSE(d.CzyTrwa());
        const QString lista = Sciezka(QStringLiteral("nowy/cel/Dane/Listy SST/l.sst"));
        ASSERT_EQ(Uzytkownik.Zapis.size(), 1);
        if (i == 0) {
            EXPECT_EQ(Uzytkownik.Zapis[0], QStringLiteral("komunikat: Archiwum zostało pomyślnie rozpakowane."));
            EXPECT_EQ(d.Wynik(), lista);
            EXPECT_EQ(konce, 1);
            EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("nowy/cel/Specyfikacje Techniczne/b.doc"))), "b");
            // The progress counted the documents of the archive's entries.
            EXPECT_GT(d.Maksimum(), 1);
            EXPECT_GE(d.Pozycja(), 1);
            EXPECT_LT(d.Pozycja(), d.Maksimum());
        } else { // the same target again without overwriting
            EXPECT_TRUE(Uzytkownik.Zapis[0].startsWith(QStringLiteral("komunikat: Plik istnieje: ")));
            EXPECT_TRUE(d.Wynik().isEmpty());
            EXPECT_EQ(konce, 0);
        }
    }
}

TEST_F(RozpakowanieDialogu, ZatrzymaniePrzedZapisemNieRozpakowuje)
{
    TRozpakowanieDialogu d(false, Konfiguracja(), Uzytkownik);
    d.Archiwum = Archiwum();
    d.Folder = Sciezka(QStringLiteral("cel"));
    d.Rozpakuj();
    d.Rozpakuj(); // the button reads "Zatrzymaj" now
    d.Czekaj();
    EXPECT_FALSE(d.CzyTrwa());
    EXPECT_TRUE(Uzytkownik.Zapis.isEmpty());
    EXPECT_TRUE(d.Wynik().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Sciezka(QStringLiteral("cel/Dane"))));
}

} // namespace
