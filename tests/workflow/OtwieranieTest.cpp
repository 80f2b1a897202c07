// The open jobs in the waiting dialog: progress, "Anuluj" in the middle, failures.
#include "PomocnikKontrolera.h"

#include "specs/SpisST.h"
#include "workflow/ZadaniaOtwarcia.h"

#include <QElapsedTimer>

namespace {

class Otwieranie : public TTestKontrolera
{
protected:
    QString DuzaLista(int ile)
    {
        QByteArray xml = "<sst><specyfikacja numer=\"G\" grupa=\"true\">";
        for (int i = 0; i < ile; ++i)
            xml += "<specyfikacja numer=\"S-" + QByteArray::number(i) + "\" opis=\"Specyfikacja\"/>";
        return Plik(QStringLiteral("duza.sst"), xml + "</specyfikacja></sst>");
    }
};

TEST_F(Otwieranie, AnulujWTrakcieDajePustaListe)
{
    const QString lista = DuzaLista(20000);
    const QString zestaw = Plik(QStringLiteral("z.zst"), "<zestaw><sst path=\"%USERPATH%/duza.sst\"/></zestaw>");
    for (const bool czyZestaw : {false, true}) {
        SCOPED_TRACE(czyZestaw);
        int maksimum = 0;
        Uzytkownik.Czekanie = [&](TCzekanieNaOtwarcie& czekanie) {
            // "Anuluj" at the first step shown: the reader stops between two records.
            czekanie.OnZmiana = [&] {
                maksimum = czekanie.Maksimum();
                if (czekanie.Pozycja() > 0 && !czekanie.CzyAnulowano())
                    czekanie.Anuluj();
            };
            czekanie.Uruchom();
            czekanie.Czekaj();
        };
        if (czyZestaw) {
            // The list open before marked the set changed.
            Uzytkownik.PytaniaAnuluj[QStringLiteral("Czy zapisać zmiany w zestawie ?")] = {TOdpowiedz::Nie};
            Uzytkownik.Zapis.clear();
        }
        if (czyZestaw)
            Kontroler->OtworzZestaw(zestaw);
        else
            Kontroler->OtworzSST(lista);
        EXPECT_GT(maksimum, 0);
        EXPECT_EQ(Kontroler->Spis().Count(), 0) << "never a half-read list";
        EXPECT_TRUE(Kontroler->Zestaw().ZestawPath().isEmpty());
        EXPECT_EQ(Uzytkownik.Zapis.size(), czyZestaw ? 1 : 0) << Uzytkownik.Zapis.join(QLatin1Char('|')).toStdString();
    }
    // Read to the end, the whole list is taken over and the progress reaches its maximum.
    int pozycja = 0;
    int maksimum = 0;
    Uzytkownik.Czekanie = [&](TCzekanieNaOtwarcie& czekanie) {
        czekanie.OnZmiana = [&] {
            pozycja = czekanie.Pozycja();
            maksimum = czekanie.Maksimum();
        };
        czekanie.Uruchom();
        czekanie.Czekaj();
    };
    Kontroler->OtworzSST(lista);
    EXPECT_EQ(Kontroler->Spis().IleSpecyfikacji(true), 20000);
    EXPECT_EQ(pozycja, maksimum);
    EXPECT_EQ(Kontroler->OstatnieListy(), QStringList{lista});
}

TEST_F(Otwieranie, BladWczytaniaListyJednymKomunikatem)
{
    Kontroler->OtworzSST(Lista());
    ASSERT_GT(Kontroler->Spis().Count(), 0);
    const QString zla = Plik(QStringLiteral("zla.sst"), "<sst><specyfikacja numer=");
    Kontroler->OtworzSST(zla);
    ASSERT_EQ(Uzytkownik.Zapis.size(), 1);
    EXPECT_TRUE(Uzytkownik.Zapis.first().startsWith(QStringLiteral("komunikat: ")));
    EXPECT_EQ(Kontroler->Spis().Count(), 0);
    EXPECT_TRUE(Kontroler->Spis().GetSpisStPath()->EncodedPath().isEmpty());
}

TEST_F(Otwieranie, ZatrzymanyPrzedPracaNieCzyta)
{
    const QString lista = Lista();
    auto zadanie = std::make_unique<TOtworzSstThread>(Kontroler->Spis(), lista, false);
    TOtworzSstThread& z = *zadanie;
    TCzekanieNaOtwarcie czekanie(std::move(zadanie));
    z.PoprosOZatrzymanie();
    czekanie.Uruchom();
    czekanie.Czekaj();
    EXPECT_TRUE(czekanie.CzyZakonczone());
    EXPECT_TRUE(czekanie.Blad().isEmpty());
    EXPECT_EQ(z.Przejmij()->Count(), 0);
}

} // namespace
