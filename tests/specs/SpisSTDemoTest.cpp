// The demo list shipped with the program: it opens with every document in place and is stored in the
// form the program itself writes.
#include "app/Pliki.h"
#include "specs/PomocnikSpecyfikacji.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <QDir>
#include <QRegularExpression>

namespace {

class SpisSTDemo : public TestSpecyfikacji
{
};

TEST_F(SpisSTDemo, ListaDemoKompletnaIZapisanaJakProgramZapisuje)
{
    // The demo folder is laid out as a user folder: the documents are stored as "%USERPATH%/Specyfikacje/...".
    const QString demo = QDir::cleanPath(SciezkaDanychTestowych(QStringLiteral("../../data/demo")));
    const QString plik = demo + QStringLiteral("/Lista demo.sst");
    TSpisST spis;
    spis.UstawKatalogUzytkownika(demo);
    // The stored prices were computed with the global coefficient at the configuration's default.
    spis.SetUstawieniaCen({TKonfiguracja::GetDefault(QStringLiteral("CzyWspolczynnikGlobalnyCenyJedn")).toBool(),
                           TKonfiguracja::GetDefault(QStringLiteral("WspolczynnikGlobalnyCenyJedn")).toDouble()});
    spis.Otworz(plik);
    EXPECT_GE(spis.IleSpecyfikacji(true), 200);
    EXPECT_TRUE(spis.ListaPustych().empty());
    QString opis;
    EXPECT_FALSE(spis.CzyIstniejePustyNumerWGrupie(opis));

    int warianty = 0;
    int jednostki = 0;
    std::vector<const TSpecyfikacja*> stos{&spis};
    while (!stos.empty()) {
        const TSpecyfikacja* w = stos.back();
        stos.pop_back();
        if (!w->CzyGrupa()) {
            EXPECT_FALSE(w->GetPlik().isEmpty()) << w->GetEncodedPath().toStdString();
            EXPECT_TRUE(w->GetEncodedPath().startsWith(QStringLiteral("%USERPATH%/Specyfikacje/")));
            EXPECT_GE(w->KtoryPoziom(), 1);
            EXPECT_LE(w->KtoryPoziom(), 4);
        }
        jednostki += w->JmCount();
        for (int i = 0; i < w->WariantyCount(); ++i, ++warianty) {
            if (!w->GetWariant(i)->GetEncodedPath().isEmpty()) {
                EXPECT_FALSE(w->GetWariant(i)->GetPlik().isEmpty()) << w->GetWariant(i)->GetEncodedPath().toStdString();
            }
        }
        for (int i = 0; i < w->Count(); ++i)
            stos.push_back(w->GetSpecyfikacja(i));
    }
    EXPECT_GE(warianty, 10);
    EXPECT_GE(jednostki, 200);
    TSpecyfikacja* ogolne = spis.FindSpecyfikacja(QStringLiteral("ST-00.00"), fsSzukajWSpecyfikacjach);
    ASSERT_NE(ogolne, nullptr);
    EXPECT_TRUE(ogolne->CzyWarunkiOgolne());
    TWariantSpecyfikacji* wariant = nullptr;
    bool pelne = false;
    EXPECT_NE(spis.FindSpecyfikacja(QStringLiteral("D-05.03.05#2"), wariant, FlagiDopasowaniaPozycji(true), pelne),
              nullptr);
    EXPECT_NE(wariant, nullptr);

    const QRegularExpression wersja(QStringLiteral("wersja=\"[^\"]*\""));
    const QString zapis = QString::fromUtf8(spis.ZapiszDoBajtow()).replace(wersja, QStringLiteral("wersja=\"\""));
    const QString oryginal = QString::fromUtf8(CzytajPlik(plik)).replace(wersja, QStringLiteral("wersja=\"\""));
    EXPECT_EQ(zapis, oryginal);
}

} // namespace
