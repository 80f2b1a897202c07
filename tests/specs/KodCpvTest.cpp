// CPV codes: building the trees by level, finding codes and filtering them for the code browser.

#include "app/KodCpv.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace {

// A slice of the vocabulary: construction works (division 45) and a tree outside it.
struct WierszCpv
{
    const char* Kod;
    int Poziom;
    const char* Opis;
};

const WierszCpv Kody[] = {
    {"45000000-7", 0, "Roboty budowlane"},
    {"45100000-8", 1, "Przygotowanie terenu pod budowę"},
    {"45110000-1", 2, "Roboty w zakresie burzenia"},
    {"45111000-8", 3, "Roboty w zakresie burzenia, roboty ziemne"},
    {"45111100-9", 3, "Roboty w zakresie burzenia"},
    {"45112000-5", 3, "Roboty w zakresie usuwania gleby"},
    {"45200000-9", 1, "Roboty budowlane w zakresie wznoszenia kompletnych obiektów"},
    {"45230000-8", 2, "Roboty budowlane w zakresie budowy rurociągów"},
    {"45233000-9", 3, "Roboty w zakresie konstruowania dróg"},
    {"03000000-1", 0, "Produkty rolnictwa"},
    {"03100000-2", 1, "Produkty rolnictwa i ogrodnictwa"},
    {"03110000-5", 2, "Uprawy"},
    {"03111000-2", 3, "Nasiona"},
};

class KodCpv : public ::testing::Test
{
protected:
    // Reads the rows as the code table reader does: a level-0 code starts a tree, any other code goes to
    // Dodaj of the code read just before it.
    KodCpv()
    {
        TKodCpv* poprzedni = nullptr;
        for (const auto& wiersz : Kody) {
            auto kod = std::make_unique<TKodCpv>();
            kod->Kod = QString::fromLatin1(wiersz.Kod);
            kod->Opis = QString::fromUtf8(wiersz.Opis);
            kod->Poziom = wiersz.Poziom;
            if (wiersz.Poziom == 0) {
                Drzewa.push_back(std::move(kod));
                poprzedni = Drzewa.back().get();
            } else {
                poprzedni = poprzedni->Dodaj(std::move(kod));
            }
        }
    }

    TKodCpv* Znajdz(const char* kod)
    {
        for (const auto& drzewo : Drzewa)
            if (TKodCpv* k = drzewo->Find(QString::fromLatin1(kod)))
                return k;
        return nullptr;
    }

    void WszystkieUkryj()
    {
        for (const auto& drzewo : Drzewa)
            drzewo->Ukryj();
    }

    // What the browser does: hide everything, then filter every tree.
    void Filtruj(const QString& filtr, const QString& prefiks)
    {
        WszystkieUkryj();
        for (const auto& drzewo : Drzewa)
            drzewo->Filtruj(filtr, prefiks);
    }

    std::set<QString> Widoczne() const
    {
        std::set<QString> wynik;
        std::function<void(const TKodCpv&)> zbierz = [&](const TKodCpv& k) {
            if (!k.Hidden)
                wynik.insert(k.Kod);
            for (const auto& dziecko : k.KodyCpv)
                zbierz(*dziecko);
        };
        for (const auto& drzewo : Drzewa)
            zbierz(*drzewo);
        return wynik;
    }

    TListaKodowCpv Drzewa;
};

std::set<QString> Zbior(const std::vector<const char*>& kody)
{
    std::set<QString> wynik;
    for (const char* k : kody)
        wynik.insert(QString::fromLatin1(k));
    return wynik;
}

TEST_F(KodCpv, NowyKodJestPustyIWidoczny)
{
    const TKodCpv kod;
    EXPECT_TRUE(kod.Kod.isEmpty());
    EXPECT_TRUE(kod.Opis.isEmpty());
    EXPECT_EQ(kod.Poziom, 0);
    EXPECT_FALSE(kod.Hidden);
    EXPECT_FALSE(kod.Checked);
    EXPECT_EQ(kod.Parent, nullptr);
    EXPECT_TRUE(kod.KodyCpv.empty());
}

TEST_F(KodCpv, DodajWieszaKodPodNajblizszymNizszymPoziomem)
{
    ASSERT_EQ(Drzewa.size(), 2u);
    const struct
    {
        const char* Kod;
        const char* Rodzic;
    } oczekiwane[] = {
        {"45100000-8", "45000000-7"},
        {"45110000-1", "45100000-8"},
        {"45111000-8", "45110000-1"},
        // Two level-3 codes in a row: the second goes up to the level-2 code, not under its sibling.
        {"45111100-9", "45110000-1"},
        {"45112000-5", "45110000-1"},
        // From level 3 back to level 1: up two steps.
        {"45200000-9", "45000000-7"},
        {"45230000-8", "45200000-9"},
        {"45233000-9", "45230000-8"},
        {"03111000-2", "03110000-5"},
    };
    for (const auto& o : oczekiwane) {
        const TKodCpv* kod = Znajdz(o.Kod);
        ASSERT_NE(kod, nullptr) << o.Kod;
        ASSERT_NE(kod->Parent, nullptr) << o.Kod;
        EXPECT_EQ(kod->Parent->Kod, QString::fromLatin1(o.Rodzic)) << o.Kod;
    }
    EXPECT_EQ(Drzewa[0]->KodyCpv.size(), 2u);
    EXPECT_EQ(Znajdz("45110000-1")->KodyCpv.size(), 3u);
}

TEST_F(KodCpv, DodajZwracaDodanyKod)
{
    TKodCpv korzen;
    auto kod = std::make_unique<TKodCpv>();
    kod->Poziom = 1;
    TKodCpv* wskaznik = kod.get();
    EXPECT_EQ(korzen.Dodaj(std::move(kod)), wskaznik);
    EXPECT_EQ(wskaznik->Parent, &korzen);
}

TEST_F(KodCpv, FindSzukaDokladnieWGlab)
{
    EXPECT_EQ(Drzewa[0]->Find(QStringLiteral("45000000-7")), Drzewa[0].get());
    const TKodCpv* glebszy = Drzewa[0]->Find(QStringLiteral("45233000-9"));
    ASSERT_NE(glebszy, nullptr);
    EXPECT_EQ(glebszy->Opis, QStringLiteral("Roboty w zakresie konstruowania dróg"));
    EXPECT_EQ(Drzewa[0]->Find(QStringLiteral("03111000-2")), nullptr) << "another tree";
    EXPECT_EQ(Drzewa[0]->Find(QStringLiteral("45233000")), nullptr) << "no partial codes";
    EXPECT_EQ(Drzewa[0]->Find(QStringLiteral(" 45233000-9")), nullptr);
}

TEST_F(KodCpv, KodContainsTextLaczyKodZNazwa)
{
    const TKodCpv* kod = Znajdz("45233000-9");
    EXPECT_TRUE(kod->KodContainsText(QStringLiteral("45233")));
    EXPECT_TRUE(kod->KodContainsText(QStringLiteral("DRÓG")));
    EXPECT_TRUE(kod->KodContainsText(QStringLiteral("-9Roboty"))) << "the name follows the code directly";
    EXPECT_FALSE(kod->KodContainsText(QStringLiteral("-9 Roboty")));
    EXPECT_TRUE(kod->KodContainsText(QString()));
    EXPECT_FALSE(kod->KodContainsText(QStringLiteral("burzenia")));
}

struct PrzypadekFiltru
{
    const char* Nazwa;
    const char* Filtr;
    const char* Prefiks;
    std::vector<const char*> Widoczne;
};

class FiltrKodowCpv : public KodCpv, public ::testing::WithParamInterface<PrzypadekFiltru>
{
};

TEST_P(FiltrKodowCpv, PokazujeTrafieniaIIchPrzodkow)
{
    const auto& p = GetParam();
    Filtruj(QString::fromUtf8(p.Filtr), QString::fromLatin1(p.Prefiks));
    EXPECT_EQ(Widoczne(), Zbior(p.Widoczne));
}

INSTANTIATE_TEST_SUITE_P(
    Filtry, FiltrKodowCpv,
    ::testing::Values(
        PrzypadekFiltru{
            "LevelThreeShowsAllAncestors", "dróg", "", {"45000000-7", "45200000-9", "45230000-8", "45233000-9"}},
        PrzypadekFiltru{"CaseIgnored", "GLEBY", "", {"45000000-7", "45100000-8", "45110000-1", "45112000-5"}},
        PrzypadekFiltru{"ParentMatchDoesNotShowChildren", "Uprawy", "", {"03000000-1", "03100000-2", "03110000-5"}},
        PrzypadekFiltru{
            "ByCode", "4511", "", {"45000000-7", "45100000-8", "45110000-1", "45111000-8", "45111100-9", "45112000-5"}},
        PrzypadekFiltru{"ConstructionOnlyOutside45IsEmpty", "Nasiona", "45", {}},
        PrzypadekFiltru{
            "WholeDictionaryFindsOutside45", "Nasiona", "", {"03000000-1", "03100000-2", "03110000-5", "03111000-2"}},
        PrzypadekFiltru{"PrefixAndTextBoth", "rolnictwa", "45", {}},
        PrzypadekFiltru{"PrefixKeepsOnly45",
                        "Roboty w zakresie burzenia",
                        "45",
                        {"45000000-7", "45100000-8", "45110000-1", "45111000-8", "45111100-9"}},
        PrzypadekFiltru{"PrefixAlone", "", "452", {"45000000-7", "45200000-9", "45230000-8", "45233000-9"}},
        PrzypadekFiltru{"PrefixLongerThanCodes", "", "45233000-99", {}},
        PrzypadekFiltru{"EmptyShowsAll",
                        "",
                        "",
                        {"45000000-7", "45100000-8", "45110000-1", "45111000-8", "45111100-9", "45112000-5",
                         "45200000-9", "45230000-8", "45233000-9", "03000000-1", "03100000-2", "03110000-5",
                         "03111000-2"}},
        PrzypadekFiltru{"NothingMatches", "beton", "", {}}),
    [](const ::testing::TestParamInfo<PrzypadekFiltru>& przypadek) { return std::string(przypadek.param.Nazwa); });

TEST_F(KodCpv, WyswietlOdslaniaPrzodkowAleNieRodzenstwo)
{
    WszystkieUkryj();
    Znajdz("45111100-9")->Wyswietl();
    EXPECT_EQ(Widoczne(), Zbior({"45000000-7", "45100000-8", "45110000-1", "45111100-9"}));
}

TEST_F(KodCpv, ClearZdejmujeUkrycieIZaznaczenie)
{
    WszystkieUkryj();
    TKodCpv* kod = Znajdz("45111000-8");
    kod->Checked = true;
    Znajdz("45112000-5")->Checked = true;
    kod->Clear();
    EXPECT_FALSE(kod->Hidden);
    EXPECT_FALSE(kod->Checked);
    EXPECT_TRUE(Znajdz("45110000-1")->Hidden) << "Clear does not reveal ancestors";
    EXPECT_TRUE(Znajdz("45112000-5")->Checked) << "nor touches siblings";

    Drzewa[0]->Clear();
    EXPECT_FALSE(Znajdz("45112000-5")->Checked);
    EXPECT_FALSE(Znajdz("45233000-9")->Hidden);
    EXPECT_TRUE(Drzewa[1]->Hidden);
}

} // namespace
