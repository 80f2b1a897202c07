#include "zestaw/ZbiorST.h"
#include "estimates/PozycjaRds.h"
#include "specs/Specyfikacja.h"
#include "specs/WariantSpecyfikacji.h"

#include <QStringList>

#include "support/Pomocnicze.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// No program configuration: entries show their choices by their collection's settings.
class ZbiorST : public ::testing::Test
{
protected:
    TSpecyfikacja* Nowa(const QString& numer, bool warunkiOgolne = false)
    {
        FSpecyfikacje.push_back(std::make_unique<TSpecyfikacja>(numer, warunkiOgolne, false, QString(), QString(),
                                                                QStringLiteral("Opis ") + numer));
        return FSpecyfikacje.back().get();
    }
    TWariantSpecyfikacji* NowyWariant(TSpecyfikacja* s, const QString& numer)
    {
        s->AddWariant(std::make_unique<TWariantSpecyfikacji>(numer, QStringLiteral("wariant"), QString(), QString()));
        return s->GetWariant(s->WariantyCount() - 1);
    }
    // A position with the specification (and variant) chosen, as matching leaves it.
    TPozycjaRds* Pozycja(TSpecyfikacja* s, TWariantSpecyfikacji* w = nullptr)
    {
        FPozycje.push_back(std::make_unique<TPozycjaRds>());
        TPozycjaRds* p = FPozycje.back().get();
        p->SetST(s->Numer());
        p->WybranaSpecyfikacja().SetSpecyfikacja(s);
        p->WybranaSpecyfikacja().SetWariantSpecyfikacji(w);
        return p;
    }
    static QStringList Klucze(const TZbiorST& zbior)
    {
        QStringList k;
        for (int i = 0; i < zbior.Count(); ++i)
            k << zbior.GetPozycjaZbioru(i)->ST();
        return k;
    }

    std::vector<std::unique_ptr<TSpecyfikacja>> FSpecyfikacje;
    std::vector<std::unique_ptr<TPozycjaRds>> FPozycje;
};

TEST_F(ZbiorST, KonstruktoryOdmawiajaBrakujacychDanych)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01"));
    TPozycjaRds bezWyboru;
    bezWyboru.SetST(QStringLiteral("D-01"));
    const struct
    {
        const char* Nazwa;
        std::function<void()> Operacja;
        QString Komunikat;
    } przypadki[] = {
        {"pusta specyfikacja", [] { TPozycjaZbioru p(static_cast<TSpecyfikacja*>(nullptr)); },
         QStringLiteral("Brak specyfikacji")},
        {"tekst z samych odstępów", [] { TPozycjaZbioru p(QStringLiteral("  \t")); },
         QStringLiteral("Brak specyfikacji")},
        {"pusta pozycja", [] { TPozycjaZbioru p(static_cast<TPozycjaRds*>(nullptr)); },
         QStringLiteral("Brak specyfikacji")},
        {"pozycja bez wybranej specyfikacji", [&] { TPozycjaZbioru p(&bezWyboru); },
         QStringLiteral("Brak specyfikacji")},
        {"wariant bez specyfikacji", [] { TPozycjaZbioru p(nullptr, nullptr); }, QStringLiteral("Brak specyfikacji")},
        {"specyfikacja bez wariantu", [&] { TPozycjaZbioru p(s, nullptr); }, QStringLiteral("Brak wariantu")},
        {"Add: pusta specyfikacja", [] { TZbiorST().Add(static_cast<TSpecyfikacja*>(nullptr)); },
         QStringLiteral("Nieprawidłowa specyfikacja")},
        {"Add: wariant bez specyfikacji", [] { TZbiorST().Add(nullptr, nullptr); },
         QStringLiteral("Nieprawidłowa specyfikacja")},
        {"Add: pusty wariant", [&] { TZbiorST().Add(s, nullptr); },
         QStringLiteral("Nieprawidłowy wariant specyfikacji")},
        {"Add: pusta pozycja", [] { TZbiorST().Add(static_cast<TPozycjaRds*>(nullptr)); },
         QStringLiteral("Nieprawidłowa pozycja")},
        {"Add: pozycja bez dopasowania", [&] { TZbiorST().Add(&bezWyboru); },
         QStringLiteral("Pozycja nie posiada dopasowania do specyfikacji")},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        OczekujBledu(p.Operacja, p.Komunikat);
    }
}

TEST_F(ZbiorST, KluczeWpisow)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01.02"));
    TWariantSpecyfikacji* w = NowyWariant(s, QStringLiteral("B"));
    EXPECT_EQ(TPozycjaZbioru(s).ST(), QStringLiteral("D-01.02"));
    EXPECT_EQ(TPozycjaZbioru(s, w).ST(), QStringLiteral("D-01.02#B"));
    EXPECT_EQ(TPozycjaZbioru(QStringLiteral(" ST dowolne ")).ST(), QStringLiteral(" ST dowolne "));
    EXPECT_TRUE(TPozycjaZbioru(s).CzyWlasna());

    // A position's key carries the variant only while variants are in use.
    TPozycjaRds* p = Pozycja(s, w);
    EXPECT_EQ(TPozycjaZbioru(p).ST(), QStringLiteral("D-01.02"));
    const TUstawieniaWariantow zWariantami{true, false, QStringLiteral(".")};
    TPozycjaZbioru zPozycji(p, zWariantami);
    EXPECT_EQ(zPozycji.ST(), QStringLiteral("D-01.02#B"));
    EXPECT_FALSE(zPozycji.CzyWlasna());
    EXPECT_EQ(zPozycji.WybranaSpecyfikacja().GetWariantSpecyfikacji(), w);
    EXPECT_EQ(zPozycji.GetPozycjaRds(0), p);
}

TEST_F(ZbiorST, PozycjeWpisuBezPowtorzen)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01"));
    TPozycjaRds* a = Pozycja(s);
    TPozycjaRds* b = Pozycja(s);
    TPozycjaZbioru wpis(a);
    EXPECT_FALSE(wpis.AddPozycjaRds(a));
    EXPECT_TRUE(wpis.AddPozycjaRds(b));
    EXPECT_EQ(wpis.PozycjeCount(), 2);
    EXPECT_EQ(wpis.GetPozycjaRds(-1), nullptr);
    EXPECT_EQ(wpis.GetPozycjaRds(2), nullptr);
    EXPECT_EQ(wpis.GetPozycjaRds(1), b);
    wpis.ClearPozycjeRds();
    EXPECT_EQ(wpis.PozycjeCount(), 0);
    EXPECT_TRUE(wpis.AddPozycjaRds(a));
    wpis.ClearSpecyfikacja();
    EXPECT_EQ(wpis.WybranaSpecyfikacja().GetSpecyfikacja(), nullptr);
}

TEST_F(ZbiorST, DodawanieSpecyfikacjiJuzWprowadzonejPrzezKosztorys)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01"));
    TZbiorST zbior;
    EXPECT_TRUE(zbior.Add(Pozycja(s)));
    EXPECT_THROW(zbior.Add(s), ESTIstniejeWZbiorze);
    EXPECT_FALSE(zbior.GetPozycjaZbioru(0)->CzyWlasna());
    // As a bare number it is accepted and the entry becomes own.
    EXPECT_TRUE(zbior.Add(QStringLiteral("d-01")));
    EXPECT_EQ(zbior.Count(), 1);
    EXPECT_TRUE(zbior.GetPozycjaZbioru(0)->CzyWlasna());
    EXPECT_FALSE(zbior.Add(QStringLiteral("D-01")));
    try {
        zbior.Add(s);
        ADD_FAILURE();
    } catch (const ESTIstniejeWZbiorze& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Wybrana specyfikacja jest już w zbiorze."));
    }
}

TEST_F(ZbiorST, WpisBezPozycjiStajeSieWlasny)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01"));
    TZbiorST zbior;
    zbior.Add(Pozycja(s));
    zbior.ClearPozycjeIDopasowanieST();
    EXPECT_TRUE(zbior.Add(s));
    EXPECT_TRUE(zbior.GetPozycjaZbioru(0)->CzyWlasna());
    EXPECT_EQ(zbior.Count(), 1);
}

TEST_F(ZbiorST, PozycjaNieDolaczaSieDoWpisuWlasnego)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01"));
    TZbiorST zbior;
    zbior.Add(s);
    EXPECT_FALSE(zbior.Add(Pozycja(s)));
    EXPECT_EQ(zbior.GetPozycjaZbioru(0)->PozycjeCount(), 0);
    // A non-own entry collects the positions, each once.
    TSpecyfikacja* t = Nowa(QStringLiteral("D-02"));
    TPozycjaRds* p = Pozycja(t);
    EXPECT_TRUE(zbior.Add(p));
    EXPECT_FALSE(zbior.Add(p));
    EXPECT_TRUE(zbior.Add(Pozycja(t)));
    EXPECT_EQ(zbior.Count(), 2);
    EXPECT_EQ(zbior.GetPozycjaZbioru(1)->PozycjeCount(), 2);
}

// Given the entry it returned before, a position joins it as Add would; an own entry takes none.
TEST_F(ZbiorST, DodajDoWpisuJakAdd)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01"));
    TSpecyfikacja* wlasna = Nowa(QStringLiteral("D-02"));
    TZbiorST zbior;
    zbior.Add(wlasna);
    TPozycjaZbioru* wpis = zbior.DodajDoWpisu(Pozycja(s), nullptr);
    ASSERT_NE(wpis, nullptr);
    EXPECT_EQ(zbior.DodajDoWpisu(Pozycja(s), wpis), wpis);
    EXPECT_EQ(zbior.DodajDoWpisu(Pozycja(s), nullptr), wpis); // found by its key
    EXPECT_EQ(wpis->PozycjeCount(), 3);
    TPozycjaZbioru* doWlasnej = zbior.DodajDoWpisu(Pozycja(wlasna), nullptr);
    EXPECT_EQ(zbior.DodajDoWpisu(Pozycja(wlasna), doWlasnej), doWlasnej);
    EXPECT_TRUE(doWlasnej->CzyWlasna());
    EXPECT_EQ(doWlasnej->PozycjeCount(), 0);
    EXPECT_EQ(zbior.Count(), 2);
    TPozycjaRds bezWyboru;
    EXPECT_THROW(zbior.DodajDoWpisu(&bezWyboru, nullptr), EBlad);
}

TEST_F(ZbiorST, WariantWZbiorze)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01"));
    TWariantSpecyfikacji* w = NowyWariant(s, QStringLiteral("2"));
    TZbiorST zbior;
    EXPECT_TRUE(zbior.Add(s, w));
    EXPECT_TRUE(zbior.Add(s)); // the specification itself is another key
    EXPECT_THROW(zbior.Add(s, w), ESTIstniejeWZbiorze);
    EXPECT_EQ(Klucze(zbior), (QStringList{QStringLiteral("D-01#2"), QStringLiteral("D-01")}));
    EXPECT_EQ(zbior.Znajdz(QStringLiteral("d-01#2"))->WybranaSpecyfikacja().GetWariantSpecyfikacji(), w);
}

TEST_F(ZbiorST, WpisyIKluczeWedlugUstawienZbioru)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01"));
    TWariantSpecyfikacji* w = NowyWariant(s, QStringLiteral("2"));
    TUstawieniaWariantow u{true, false, QStringLiteral("/")};
    TZbiorST zbior(u);
    EXPECT_TRUE(zbior.Add(Pozycja(s, w)));
    EXPECT_TRUE(zbior.Add(QStringLiteral("D-02")));
    EXPECT_TRUE(zbior.Add(Nowa(QStringLiteral("D-03"))));
    EXPECT_EQ(Klucze(zbior), (QStringList{QStringLiteral("D-01#2"), QStringLiteral("D-02"), QStringLiteral("D-03")}));
    for (int i = 0; i < zbior.Count(); ++i)
        EXPECT_EQ(&zbior.GetPozycjaZbioru(i)->WybranaSpecyfikacja().Ustawienia(), &u);
    // What the owner changes in its settings shows at once.
    const TWybranaSpecyfikacja& wybrana = zbior.GetPozycjaZbioru(0)->WybranaSpecyfikacja();
    EXPECT_EQ(wybrana.GetST(true, true), QStringLiteral("D-01/2"));
    u.CzyKorzystajZWariantow = false;
    EXPECT_EQ(wybrana.GetST(true, true), QStringLiteral("D-01"));
}

TEST_F(ZbiorST, WielkoscLiterTylkoAscii)
{
    TZbiorST zbior;
    EXPECT_TRUE(zbior.Add(QStringLiteral("Ab-1")));
    EXPECT_FALSE(zbior.Add(QStringLiteral("aB-1")));
    // Polish letters are not folded: two keys.
    EXPECT_TRUE(zbior.Add(QStringLiteral("Ś-1")));
    EXPECT_TRUE(zbior.Add(QStringLiteral("ś-1")));
    EXPECT_EQ(zbior.Count(), 3);
}

TEST_F(ZbiorST, SortowanieWarunkiOgolneNaPoczatku)
{
    TSpecyfikacja* wo = Nowa(QStringLiteral("Z-00"), true);
    TSpecyfikacja* a = Nowa(QStringLiteral("A-01"));
    TSpecyfikacja* b = Nowa(QStringLiteral("b-01"));
    TZbiorST zbior;
    zbior.Add(b);
    zbior.Add(a);
    zbior.Add(Nowa(QStringLiteral("B-02")));
    zbior.Add(wo);
    zbior.Sort();
    // Code units: "A" < "B" < "Z" < "b"; general conditions first.
    EXPECT_EQ(Klucze(zbior), (QStringList{QStringLiteral("Z-00"), QStringLiteral("A-01"), QStringLiteral("B-02"),
                                          QStringLiteral("b-01")}));
}

TEST_F(ZbiorST, WpisBezSpecyfikacjiPorownywanyTylkoKluczem)
{
    TSpecyfikacja* wo = Nowa(QStringLiteral("Z-00"), true);
    TPozycjaZbioru woWpis(wo);
    TPozycjaZbioru bezSpecyfikacji(QStringLiteral("A-99"));
    TPozycjaZbioru zwykly(Nowa(QStringLiteral("A-01")));
    EXPECT_GT(TPozycjaZbioruComparer::Compare(woWpis, bezSpecyfikacji), 0);
    EXPECT_LT(TPozycjaZbioruComparer::Compare(woWpis, zwykly), 0);
    EXPECT_GT(TPozycjaZbioruComparer::Compare(zwykly, woWpis), 0);
    EXPECT_EQ(TPozycjaZbioruComparer::Compare(zwykly, zwykly), 0);
    TPozycjaZbioru wielkie(QStringLiteral("X")), male(QStringLiteral("x"));
    EXPECT_LT(TPozycjaZbioruComparer::Compare(wielkie, male), 0);
}

TEST_F(ZbiorST, SortowanieNieprzechodniegoPorzadkuKonczySie)
{
    // General conditions "Z" < "A" by the rule, "A" < "M" by key, "M" (no specification) < "Z" by key:
    // a cycle. Every entry must survive the sort, many times over.
    TZbiorST zbior;
    for (int i = 0; i < 200; ++i) {
        const QString n = QString::number(i);
        if (i % 3 == 0)
            zbior.Add(Nowa(QStringLiteral("Z") + n, true));
        else if (i % 3 == 1)
            zbior.Add(Nowa(QStringLiteral("A") + n));
        else
            zbior.Add(QStringLiteral("M") + n);
    }
    zbior.Sort();
    QStringList klucze = Klucze(zbior);
    EXPECT_EQ(klucze.size(), 200);
    klucze.removeDuplicates();
    EXPECT_EQ(klucze.size(), 200);
}

TEST_F(ZbiorST, PytaniaIUsuwanie)
{
    TSpecyfikacja* s = Nowa(QStringLiteral("D-01"));
    TSpecyfikacja* t = Nowa(QStringLiteral("D-02"));
    TZbiorST zbior;
    EXPECT_FALSE(zbior.CzySaWlasne());
    zbior.Add(Pozycja(t));
    EXPECT_FALSE(zbior.CzySaWlasne());
    EXPECT_FALSE(zbior.CzyUzywaneST(t)); // only own entries count
    zbior.Add(s);
    zbior.Add(QStringLiteral("X-1"));
    EXPECT_TRUE(zbior.CzySaWlasne());
    EXPECT_TRUE(zbior.CzyUzywaneST(s));

    zbior.ClearPozycjeIDopasowanieST();
    EXPECT_EQ(zbior.Count(), 3);
    EXPECT_FALSE(zbior.CzyUzywaneST(s));
    zbior.UsunNieuzywane();
    EXPECT_EQ(Klucze(zbior), (QStringList{QStringLiteral("D-01"), QStringLiteral("X-1")}));
    EXPECT_EQ(zbior.Znajdz(QStringLiteral("D-02")), nullptr);
    EXPECT_TRUE(zbior.Usun(zbior.Znajdz(QStringLiteral("x-1"))));
    EXPECT_FALSE(zbior.Usun(nullptr));
    EXPECT_EQ(zbior.Znajdz(QStringLiteral("X-1")), nullptr);
    EXPECT_EQ(zbior.GetPozycjaZbioru(1), nullptr);
    EXPECT_EQ(zbior.GetPozycjaZbioru(-1), nullptr);
    zbior.ClearAll();
    EXPECT_EQ(zbior.Count(), 0);
    EXPECT_TRUE(zbior.Add(QStringLiteral("D-01")));
}

} // namespace
