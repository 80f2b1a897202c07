// Matching a set whose estimates name the same numbers again and again: every position gets what the list
// answers for its own number, and the collection holds every chosen position once, in the order of the
// walk through the estimates (elements' positions before their sub-elements).
#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "zestaw/DopasowanieSpecyfikacji.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using DopasowaniePowtorzen = TTestZKonfiguracja;

void DodajPozycje(TElementRds& e, const QString& st)
{
    auto p = std::make_unique<TPozycjaRds>();
    p->SetST(st);
    e.AddPozycja(std::move(p));
}

TEST_F(DopasowaniePowtorzen, KazdaPozycjaJakWLiscie)
{
    const char* const numery[] = {"D-01", "d-01 ", "D-01#A", "D-01#a ", "D-01#Z", "D-02", "D-02#A",
                                  "G-1",  "",      " ",      "X-9",     "D-03",   "d-03", "D-01 #B"};
    for (const bool zWariantami : {false, true}) {
        TUstawieniaKosztorysu u;
        u.Warianty.CzyKorzystajZWariantow = zWariantami;
        TZestawST zestaw(u);
        TSpisST& spis = *zestaw.SpisSpecyfikacji();
        auto g = std::make_unique<TSpecyfikacja>(QStringLiteral("G-1"), false, true, QString(), QString(),
                                                 QStringLiteral("g"));
        for (const char* n : {"D-01", "D-02", "D-03", "D-03"})
            g->Add(std::make_unique<TSpecyfikacja>(QString::fromUtf8(n), false, false, QString(), QString(),
                                                   QStringLiteral("s")));
        for (const char* w : {"A", "B"})
            g->GetSpecyfikacja(0)->AddWariant(
                std::make_unique<TWariantSpecyfikacji>(QString::fromUtf8(w), QString(), QString(), QString()));
        spis.Add(std::move(g));
        for (int k = 0; k < 2; ++k) {
            const QString sciezka = QStringLiteral("/tmp/k%1.rds").arg(k);
            auto kosztorys = TKosztorysFactory::GetKosztorys(sciezka, false, u);
            kosztorys->FilePath().SetPath(sciezka);
            TKosztorys* wk = zestaw.AddKosztorys(std::move(kosztorys));
            TElementRds* e = wk->AddElement(std::make_unique<TElementRds>(QStringLiteral("1"), 1, QString()));
            for (int i = 0; i < 3; ++i)
                for (const char* n : numery) {
                    DodajPozycje(*wk, QString::fromUtf8(n));
                    DodajPozycje(*e, QString::fromUtf8(n));
                }
        }
        DopasujSpecyfikacje(zestaw);

        std::vector<TPozycjaRds*> wybrane;
        for (int k = 0; k < zestaw.KosztorysyCount(); ++k)
            zestaw.GetKosztorys(k)->DlaKazdejPozycji([&](TPozycjaRds& p) {
                const TWybranaSpecyfikacja& w = p.WybranaSpecyfikacja();
                TWariantSpecyfikacji* wariant = nullptr;
                bool pelne = false;
                TSpecyfikacja* s =
                    p.ST().trimmed().isEmpty()
                        ? nullptr
                        : spis.FindSpecyfikacja(p.ST(), wariant, FlagiDopasowaniaPozycji(zWariantami), pelne);
                EXPECT_EQ(w.GetSpecyfikacja(), s && pelne ? s : nullptr) << p.ST().toStdString();
                EXPECT_EQ(w.GetWariantSpecyfikacji(), s && pelne ? wariant : nullptr) << p.ST().toStdString();
                EXPECT_EQ(w.GetDopasowanaSpecyfikacja(), s && !pelne ? s : nullptr) << p.ST().toStdString();
                if (w.GetSpecyfikacja())
                    wybrane.push_back(&p);
            });
        ASSERT_FALSE(wybrane.empty());
        std::vector<TPozycjaRds*> wZbiorze;
        const TZbiorST& zbior = *zestaw.GetZbiorST();
        for (int i = 0; i < zbior.Count(); ++i)
            for (int j = 0; j < zbior.GetPozycjaZbioru(i)->PozycjeCount(); ++j)
                wZbiorze.push_back(zbior.GetPozycjaZbioru(i)->GetPozycjaRds(j));
        ASSERT_EQ(wZbiorze.size(), wybrane.size());
        // Within an entry the positions keep the walk's order.
        for (int i = 0; i < zbior.Count(); ++i) {
            const TPozycjaZbioru& wpis = *zbior.GetPozycjaZbioru(i);
            for (int j = 1; j < wpis.PozycjeCount(); ++j)
                EXPECT_LT(std::find(wybrane.begin(), wybrane.end(), wpis.GetPozycjaRds(j - 1)),
                          std::find(wybrane.begin(), wybrane.end(), wpis.GetPozycjaRds(j)));
        }
    }
}

} // namespace
