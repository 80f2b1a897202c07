#include "PomocnikKontrolera.h"

#include "specs/SpisST.h"
#include "workflow/ModelSpisu.h"
#include "workflow/PusteNumery.h"

namespace {

class ModelSpisuTest : public TTestKontrolera
{
protected:
    // The captions of the visible tree, depth first, indented by level.
    QStringList Drzewo(const QModelIndex& rodzic = QModelIndex(), int poziom = 0) const
    {
        QStringList linie;
        const TModelSpisu& m = Kontroler->DrzewoSpisu();
        for (int i = 0; i < m.rowCount(rodzic); ++i) {
            const QModelIndex dziecko = m.index(i, 0, rodzic);
            EXPECT_EQ(m.parent(dziecko), rodzic);
            EXPECT_EQ(m.Indeks(m.Wezel(dziecko)), dziecko);
            linie << QString(poziom * 2, QLatin1Char(' ')) + dziecko.data().toString();
            linie << Drzewo(dziecko, poziom + 1);
        }
        return linie;
    }
};

TEST_F(ModelSpisuTest, WezlyWidoczneIWariantyWedlugUstawien)
{
    Kontroler->OtworzSST(Lista());
    EXPECT_EQ(Drzewo(), (QStringList{"G Grupa", "  S-1 Pierwsza", "  S-2 Druga"}));

    Konfiguracja().CzyKorzystajZWariantow = true;
    Kontroler->AktualizujFiltrSpecyfikacji(QStringLiteral("Druga"));
    EXPECT_EQ(Drzewo(), (QStringList{"G Grupa", "  S-2 Druga"}));
    Kontroler->AktualizujFiltrSpecyfikacji(QString());
    EXPECT_EQ(Drzewo(), (QStringList{"G Grupa", "  S-1 Pierwsza", "    S-1A Wariant A", "  S-2 Druga"}));
    const QModelIndex s2 = Kontroler->DrzewoSpisu().index(1, 0, Kontroler->DrzewoSpisu().index(0, 0));
    EXPECT_EQ(s2.data(TModelSpisu::RolaRodzaju).toInt(), TModelSpisu::Specyfikacja);
    EXPECT_EQ(Kontroler->DrzewoSpisu().index(0, 0).data(TModelSpisu::RolaRodzaju).toInt(), TModelSpisu::Grupa);
}

TEST_F(ModelSpisuTest, NowaListaZwalniaStareWezly)
{
    Kontroler->OtworzSST(Lista());
    ASSERT_GT(Kontroler->DrzewoSpisu().Wezlow(), 0);
    Uzytkownik.PytaniaAnuluj[QStringLiteral("Czy zapisać zmiany listy specyfikacji ?")] = {TOdpowiedz::Nie};
    Kontroler->UtworzNowySST();
    EXPECT_EQ(Kontroler->DrzewoSpisu().Wezlow(), 0);
    EXPECT_EQ(Kontroler->DrzewoSpisu().rowCount(), 0);
}

TEST_F(ModelSpisuTest, PusteNumeryWierszeIUsuniecie)
{
    Plik(QStringLiteral("S-1.odt"), "x");
    Kontroler->OtworzSST(Plik(QStringLiteral("puste.sst"),
                              "<sst><specyfikacja numer=\"G\" opis=\"Grupa\" grupa=\"true\">"
                              "<specyfikacja numer=\"\" opis=\"Bez numeru\" plik=\"%USERPATH%/S-1.odt\"/>"
                              "<specyfikacja numer=\"\" opis=\"Bez pliku\"/>"
                              "<specyfikacja numer=\"S-2\" opis=\"Druga\"/></specyfikacja></sst>"));
    TSpisST& spis = Kontroler->Spis();
    const auto wiersze = WierszePustychNumerow(spis);
    ASSERT_EQ(wiersze.size(), 2u);
    EXPECT_EQ(wiersze[0].Plik, QStringLiteral("S-1.odt"));
    EXPECT_EQ(wiersze[1].Plik, QStringLiteral(" ! Brak powiązanego pliku !"));
    EXPECT_TRUE(CzySaPusteNumery(spis));

    wiersze[0].Wezel->SetNumer(QStringLiteral("S-1"));
    EXPECT_TRUE(CzySaPusteNumery(spis));
    EXPECT_EQ(UsunPusteNumery(spis), 1);
    EXPECT_FALSE(CzySaPusteNumery(spis));
    ASSERT_EQ(spis.GetSpecyfikacja(0)->Count(), 2);
    EXPECT_EQ(spis.GetSpecyfikacja(0)->GetSpecyfikacja(0)->Numer(), QStringLiteral("S-1"));
    EXPECT_EQ(spis.GetSpecyfikacja(0)->GetSpecyfikacja(1)->Numer(), QStringLiteral("S-2"));
}

} // namespace
