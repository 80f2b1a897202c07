// Price-information publications: reading, the price chooser's filters and choice, the regional grid.
#include "prices/InfCen.h"
#include "app/Wyjatki.h"
#include "prices/ModelInfCen.h"

#include "support/Pomocnicze.h"

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray Wzor =
    "<informator wydawca=\"Sekocenbud\" wydanie=\"I kw.\" rok=\"2024\">"
    "<pozycja SYMBOL_GL=\"B-01\" NAZWA=\"Beton towarowy C20/25\" NAZWA_JM=\"m3\" cj_min_CENA=\"310,5\" "
    "cj_max_CENA=\"420.125\" cj_sr_CENA=\"365\"/>"
    "<inne NAZWA=\"pominięte\"/>"
    "<pozycja SYMBOL_GL=\"S-77\" NAZWA=\"Stal zbrojeniowa\" cj_min_CENA=\"x\" mnj_CENA=\"4,5\"/>"
    "<wspolczynniki><w region=\"mazowieckie\" wsp_kub=\"1,0525\" wsp_inz=\"0.98\"/><w region=\"opolskie\"/>"
    "</wspolczynniki></informator>";

TEST(InfCen, OdczytWPorzadkuPlikuZBrakamiJakoZeroIPusty)
{
    TInfCen i;
    i.WczytajZBajtow(Wzor);
    EXPECT_EQ(i.Wydawca(), QStringLiteral("Sekocenbud"));
    EXPECT_EQ(i.Wydanie(), QStringLiteral("I kw."));
    EXPECT_EQ(i.Rok(), QStringLiteral("2024"));
    ASSERT_EQ(i.LiczbaPozycji(), 2);
    const TInfCenPozycja& b = *i.PobierzPozycje(0);
    EXPECT_EQ(b.Symbol(), QStringLiteral("B-01"));
    EXPECT_EQ(b.Jm(), QStringLiteral("m3"));
    EXPECT_DOUBLE_EQ(b.CenaMin(), 310.5);
    EXPECT_DOUBLE_EQ(b.CenaMax(), 420.125);
    EXPECT_DOUBLE_EQ(b.CenaMnj(), 0.0) << "no mnj_CENA";
    const TInfCenPozycja& s = *i.PobierzPozycje(1);
    EXPECT_TRUE(s.Jm().isEmpty());
    EXPECT_DOUBLE_EQ(s.CenaMin(), 0.0) << "unreadable";
    EXPECT_DOUBLE_EQ(s.CenaMnj(), 4.5);
    ASSERT_EQ(i.LiczbaWspolczynnikow(), 2);
    EXPECT_DOUBLE_EQ(i.PobierzWspolczynnik(0)->WspolczKubaturowe(), 1.0525);
    EXPECT_DOUBLE_EQ(i.PobierzWspolczynnik(1)->WspolczInzynieryjne(), 0.0);
    EXPECT_EQ(i.PobierzPozycje(2), nullptr);

    TInfCen bez;
    bez.WczytajZBajtow("<informator><pozycja NAZWA=\"a\"/></informator>");
    EXPECT_EQ(bez.LiczbaWspolczynnikow(), 0);
}

TEST(InfCen, NieudanyOdczytZostawiaPoprzedni)
{
    QTemporaryDir katalog;
    TInfCen i;
    i.WczytajZBajtow(Wzor);
    const QString brak = katalog.filePath(QStringLiteral("brak.xml"));
    for (const auto& [opis, czytaj] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"brak pliku", [&] { i.WczytajInfCen(brak); }},
             {"nie XML", [&] { i.WczytajZBajtow("<informator><pozycja"); }}}) {
        SCOPED_TRACE(opis);
        try {
            czytaj();
            ADD_FAILURE() << "accepted";
        } catch (const EBlad& e) {
            if (std::string(opis) == "brak pliku") {
                EXPECT_EQ(e.Komunikat(), QStringLiteral("Brak pliku: ") + brak);
            }
        }
        EXPECT_EQ(i.LiczbaPozycji(), 2);
        EXPECT_EQ(i.Wydawca(), QStringLiteral("Sekocenbud"));
    }
    const QString plik = katalog.filePath(QStringLiteral("i.xml"));
    ZapiszPlik(plik, "<informator rok=\"2025\"/>");
    i.WczytajInfCen(plik);
    EXPECT_EQ(i.LiczbaPozycji(), 0);
    EXPECT_EQ(i.Rok(), QStringLiteral("2025"));
}

TEST(ModelInfCen, FiltryNumeracjaFormatIWybor)
{
    TInfCen i;
    i.WczytajZBajtow(Wzor);
    TModelInfCen m(i);
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.headerData(5, Qt::Horizontal).toString(), QStringLiteral("Cena śr."));
    const struct
    {
        const char* Nazwa;
        const char* Symbol;
        QStringList Symbole;
    } przypadki[] = {{"  BETON ", "", {"B-01"}}, {"", "s-7", {"S-77"}}, {"stal", "b", {}}, {"", "", {"B-01", "S-77"}}};
    for (const auto& p : przypadki) {
        m.UstawFiltry(QString::fromUtf8(p.Nazwa), QString::fromUtf8(p.Symbol));
        QStringList symbole;
        for (int r = 0; r < m.rowCount(); ++r) {
            symbole << m.data(m.index(r, 1)).toString();
            EXPECT_EQ(m.data(m.index(r, 0)).toString(), QString::number(r + 1));
        }
        EXPECT_EQ(symbole, p.Symbole) << p.Nazwa << "/" << p.Symbol;
    }
    EXPECT_EQ(m.data(m.index(0, 6)).toString(), QLocale().toString(420.125, 'f', 2));
    EXPECT_FALSE(TModelInfCen::CzyMoznaWybrac(m.index(0, 3)));
    EXPECT_TRUE(TModelInfCen::CzyMoznaWybrac(m.index(0, 7)));
    const TModelInfCen::TWybor w = m.Wybierz(m.index(0, 6));
    EXPECT_EQ(w.Symbol, QStringLiteral("B-01"));
    EXPECT_EQ(w.Kolumna, QStringLiteral("Cena max"));
    EXPECT_DOUBLE_EQ(w.Wartosc, 420.125) << "full precision, not the shown text";
    ASSERT_EQ(w.Ceny.size(), 4u);
    EXPECT_EQ(w.Ceny[1]->GetNazwa(), QStringLiteral("Cena śr."));
    EXPECT_DOUBLE_EQ(w.Ceny[3]->GetWartosc(), 0.0);

    TModelWspolczynnikow r(i);
    EXPECT_EQ(r.data(r.index(0, 1)).toString(), QLocale().toString(1.0525, 'f', 3));
    EXPECT_FALSE(TModelWspolczynnikow::CzyMoznaWybrac(r.index(0, 0)));
    EXPECT_DOUBLE_EQ(r.WybranyWspolczynnik(r.index(0, 1)), 1.0525);
    EXPECT_DOUBLE_EQ(r.WybranyWspolczynnik(r.index(0, 0)), 0.0);
}

} // namespace
