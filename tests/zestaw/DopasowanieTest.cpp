#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "zestaw/DopasowanieSpecyfikacji.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// A small list: general conditions, a group with two specifications (one with variants A and B) and a
// specification with a blank number; one estimate whose positions carry every kind of number.
class Dopasowanie : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        TSpisST& spis = *FZestaw.SpisSpecyfikacji();
        spis.Add(Wezel(QStringLiteral("WO-00"), false, true));
        spis.Add(Wezel(QStringLiteral("G-1"), true));
        TSpecyfikacja* g = spis.GetSpecyfikacja(1);
        g->Add(Wezel(QStringLiteral("D-01")));
        g->Add(Wezel(QStringLiteral("D-02")));
        g->Add(Wezel(QString()));
        FD01 = g->GetSpecyfikacja(0);
        FD02 = g->GetSpecyfikacja(1);
        FD01->AddWariant(
            std::make_unique<TWariantSpecyfikacji>(QStringLiteral("A"), QStringLiteral("a"), QString(), QString()));
        FD01->AddWariant(
            std::make_unique<TWariantSpecyfikacji>(QStringLiteral("B"), QStringLiteral("b"), QString(), QString()));

        auto k = TKosztorysFactory::GetKosztorys(QStringLiteral("/tmp/k.rds"), false, FZestaw.Ustawienia());
        k->FilePath().SetPath(QStringLiteral("/tmp/k.rds"));
        FKosztorys = FZestaw.AddKosztorys(std::move(k));
        for (const char* st : {"D-01", "d-01 ", "D-01#A", "D-01#Z", "G-1", "", "X-9", "WO-00"})
            Pozycja(*FKosztorys, QString::fromUtf8(st));
        TElementRds* e = FKosztorys->AddElement(std::make_unique<TElementRds>(QStringLiteral("1"), 1, QString()));
        Pozycja(*e, QStringLiteral("D-02"));
    }
    static std::unique_ptr<TSpecyfikacja> Wezel(const QString& numer, bool grupa = false, bool warunkiOgolne = false)
    {
        return std::make_unique<TSpecyfikacja>(numer, warunkiOgolne, grupa, QString(), QString(),
                                               QStringLiteral("opis"));
    }
    static void Pozycja(TElementRds& e, const QString& st)
    {
        auto p = std::make_unique<TPozycjaRds>();
        p->SetST(st);
        e.AddPozycja(std::move(p));
    }
    TPozycjaRds* P(int i) const { return FKosztorys->GetPozycja(i); }
    static TUstawieniaKosztorysu ZWariantami()
    {
        TUstawieniaKosztorysu u;
        u.Warianty.CzyKorzystajZWariantow = true;
        return u;
    }
    QStringList Klucze() const
    {
        QStringList k;
        for (int i = 0; i < FZestaw.GetZbiorST()->Count(); ++i)
            k << FZestaw.GetZbiorST()->GetPozycjaZbioru(i)->ST();
        return k;
    }

    TZestawST FZestaw;
    TKosztorys* FKosztorys = nullptr;
    TSpecyfikacja* FD01 = nullptr;
    TSpecyfikacja* FD02 = nullptr;
};

TEST_F(Dopasowanie, PozycjeBezWariantow)
{
    DopasujSpecyfikacje(FZestaw);
    const struct
    {
        int Indeks;
        const char* Numer;
        const char* Oczekiwana; // number of the chosen specification, "" for none
    } przypadki[] = {
        {0, "D-01", "D-01"}, {1, "d-01 ", "D-01"}, {2, "D-01#A", ""}, {3, "D-01#Z", ""},
        {4, "G-1", ""},      {5, "", ""},          {6, "X-9", ""},    {7, "WO-00", "WO-00"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Numer);
        const TSpecyfikacja* s = P(p.Indeks)->WybranaSpecyfikacja().GetSpecyfikacja();
        EXPECT_EQ(s ? s->Numer() : QString(), QString::fromUtf8(p.Oczekiwana));
        EXPECT_EQ(P(p.Indeks)->WybranaSpecyfikacja().GetDopasowanaSpecyfikacja(), nullptr);
    }
    // General conditions first, then by key; one entry per specification with its positions in tree order.
    EXPECT_EQ(Klucze(), (QStringList{QStringLiteral("WO-00"), QStringLiteral("D-01"), QStringLiteral("D-02")}));
    const TPozycjaZbioru* d01 = FZestaw.GetZbiorST()->GetPozycjaZbioru(1);
    ASSERT_EQ(d01->PozycjeCount(), 2);
    EXPECT_EQ(d01->GetPozycjaRds(0), P(0));
    EXPECT_EQ(d01->GetPozycjaRds(1), P(1));
    EXPECT_EQ(d01->WybranaSpecyfikacja().GetSpecyfikacja(), FD01);
}

TEST_F(Dopasowanie, PozycjeZWariantami)
{
    DopasujSpecyfikacje(FZestaw, ZWariantami());
    EXPECT_EQ(FZestaw.Ustawienia(), ZWariantami());
    EXPECT_EQ(P(2)->WybranaSpecyfikacja().GetSpecyfikacja(), FD01);
    EXPECT_EQ(P(2)->WybranaSpecyfikacja().GetWariantSpecyfikacji(), FD01->GetWariant(0));
    // A missing variant is only a suggestion.
    EXPECT_EQ(P(3)->WybranaSpecyfikacja().GetSpecyfikacja(), nullptr);
    EXPECT_EQ(P(3)->WybranaSpecyfikacja().GetDopasowanaSpecyfikacja(), FD01);
    EXPECT_EQ(Klucze(), (QStringList{QStringLiteral("WO-00"), QStringLiteral("D-01"), QStringLiteral("D-01#A"),
                                     QStringLiteral("D-02")}));
    // The entry shows its variant by the set's settings; the program's configuration plays no part.
    Konfiguracja().CzyKorzystajZWariantow = false;
    const TPozycjaZbioru* d01a = FZestaw.GetZbiorST()->Znajdz(QStringLiteral("D-01#A"));
    EXPECT_EQ(d01a->WybranaSpecyfikacja().GetST(true), QStringLiteral("D-01#A"));
    FZestaw.UstawUstawienia({});
    EXPECT_EQ(d01a->WybranaSpecyfikacja().GetST(true), QStringLiteral("D-01"));
}

TEST_F(Dopasowanie, UstawieniaZestawuNieKonfiguracjaProgramu)
{
    Konfiguracja().CzyKorzystajZWariantow = true;
    DopasujSpecyfikacje(FZestaw);
    EXPECT_EQ(P(2)->WybranaSpecyfikacja().GetSpecyfikacja(), nullptr);
    EXPECT_FALSE(Klucze().contains(QStringLiteral("D-01#A")));
}

TEST_F(Dopasowanie, WpisyWlasneOdnalezionePoKluczu)
{
    TZbiorST& zbior = *FZestaw.GetZbiorST();
    zbior.Add(QStringLiteral("d-02"));
    zbior.Add(QStringLiteral("Q-1"));
    zbior.Add(QStringLiteral("D-01#B"));
    DopasujSpecyfikacje(FZestaw);
    // The own entry holds the key: the estimate's position does not join it.
    EXPECT_EQ(zbior.Znajdz(QStringLiteral("D-02"))->PozycjeCount(), 0);
    EXPECT_EQ(zbior.Znajdz(QStringLiteral("D-02"))->WybranaSpecyfikacja().GetSpecyfikacja(), FD02);
    EXPECT_EQ(zbior.Znajdz(QStringLiteral("Q-1"))->WybranaSpecyfikacja().GetSpecyfikacja(), nullptr);
    // Without variants in use a variant key finds nothing; with them, the variant.
    EXPECT_EQ(zbior.Znajdz(QStringLiteral("D-01#B"))->WybranaSpecyfikacja().GetSpecyfikacja(), nullptr);
    DopasujSpecyfikacje(FZestaw, ZWariantami());
    EXPECT_EQ(zbior.Znajdz(QStringLiteral("D-01#B"))->WybranaSpecyfikacja().GetWariantSpecyfikacji(),
              FD01->GetWariant(1));
    // "Q-1" has no specification and is ordered by key alone.
    EXPECT_EQ(Klucze().last(), QStringLiteral("d-02"));
}

TEST_F(Dopasowanie, ZmianaNumeruPrzebudowujeZbior)
{
    DopasujSpecyfikacje(FZestaw);
    FKosztorys->GetElement(0)->GetPozycja(0)->SetST(QStringLiteral("nieznany"));
    DopasujSpecyfikacje(FZestaw);
    // No position needs D-02 any more and nobody added it by hand: it leaves the collection.
    EXPECT_EQ(Klucze(), (QStringList{QStringLiteral("WO-00"), QStringLiteral("D-01")}));
    // An own entry stays while nobody needs it; losing the mark drops it at the next matching.
    FZestaw.GetZbiorST()->Add(QStringLiteral("WO-00"));
    P(7)->SetST(QString());
    DopasujSpecyfikacje(FZestaw);
    EXPECT_EQ(Klucze(), (QStringList{QStringLiteral("WO-00"), QStringLiteral("D-01")}));
    FZestaw.GetZbiorST()->GetPozycjaZbioru(0)->SetCzyWlasna(false);
    DopasujSpecyfikacje(FZestaw);
    EXPECT_EQ(Klucze(), (QStringList{QStringLiteral("D-01")}));
}

TEST_F(Dopasowanie, PowtorzoneDopasowanieDajeTenSamWynik)
{
    DopasujSpecyfikacje(FZestaw, ZWariantami());
    const QString pierwszy = FZestaw.GetZbiorST()->ToString();
    DopasujSpecyfikacje(FZestaw);
    EXPECT_EQ(FZestaw.GetZbiorST()->ToString(), pierwszy);
    // A removed estimate leaves no position behind in the collection.
    FZestaw.DelKosztorys(0);
    DopasujSpecyfikacje(FZestaw);
    EXPECT_EQ(FZestaw.GetZbiorST()->Count(), 0);
}

} // namespace
