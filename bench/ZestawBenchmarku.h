#pragma once

// The benchmark set shared by the set and controller benchmarks: 10 estimates with 50,000 positions in
// all, bound to a list of 20,000 specifications. The positions carry numbers of the list (a tenth with a
// variant), numbers the list lacks and no number at all, as real estimates do; each estimate draws on
// some 400 specifications of its own, so the collection has a few thousand entries.
#include "estimates/ElementRds.h"
#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "estimates/PozycjaRds.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "zestaw/ZestawST.h"

#include <QStringList>

#include <memory>

namespace zestaw_benchmarku {

constexpr int Kosztorysow = 10;
constexpr int ElementowWKosztorysie = 200;
constexpr int PozycjiWElemencie = 25; // 10 * 200 * 25 = 50,000
constexpr int Pozycji = Kosztorysow * ElementowWKosztorysie * PozycjiWElemencie;

inline QStringList Numery;

inline void ZbudujListe(TSpisST& spis)
{
    for (int r = 0; r < 10; ++r) {
        auto rodzaj = std::make_unique<TSpecyfikacja>(QStringLiteral("R-%1").arg(r), false, true, QString(), QString(),
                                                      QStringLiteral("Rodzaj robót"));
        for (int g = 0; g < 100; ++g) {
            auto grupa = std::make_unique<TSpecyfikacja>(QStringLiteral("G-%1.%2").arg(r).arg(g), false, true,
                                                         QString(), QString(), QStringLiteral("Grupa robót"));
            for (int s = 0; s < 20; ++s) {
                const QString numer =
                    QStringLiteral("D-%1.%2.%3").arg(r).arg(g, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
                auto spec = std::make_unique<TSpecyfikacja>(numer, r == 0 && g == 0 && s == 0, false, QString(),
                                                            QString(), QStringLiteral("Specyfikacja ") + numer);
                if (s % 5 == 0)
                    spec->AddWariant(std::make_unique<TWariantSpecyfikacji>(
                        QStringLiteral("A"), QStringLiteral("wariant"), QString(), QString()));
                Numery << numer;
                grupa->Add(std::move(spec));
            }
            rodzaj->Add(std::move(grupa));
        }
        spis.Add(std::move(rodzaj));
    }
}

inline QString NumerPozycji(int i)
{
    if (i % 20 == 7)
        return QString();
    if (i % 20 == 13)
        return QStringLiteral("X-%1").arg(i);
    // An estimate covers a few kinds of works: its positions draw on some 400 specifications of the list,
    // each estimate on others.
    const int kosztorys = i / (ElementowWKosztorysie * PozycjiWElemencie);
    const int s = (kosztorys * 1931 + (i * 7919) % 400) % static_cast<int>(Numery.size());
    // Every fifth specification has variant "A": a tenth of the positions name it.
    return s % 5 == 0 && i % 2 == 0 ? Numery[s] + QStringLiteral("#A") : Numery[s];
}

inline void ZbudujKosztorysy(TZestawST& zestaw, const QString& folder)
{
    int i = 0;
    for (int k = 0; k < Kosztorysow; ++k) {
        const QString sciezka = folder + QStringLiteral("/kosztorys%1.rds").arg(k);
        auto kosztorys = TKosztorysFactory::GetKosztorys(sciezka, false, zestaw.Ustawienia());
        kosztorys->FilePath().SetPath(sciezka);
        kosztorys->SetTytul(QStringLiteral("Kosztorys %1").arg(k));
        for (int e = 0; e < ElementowWKosztorysie; ++e) {
            TElementRds* element = kosztorys->AddElement(
                std::make_unique<TElementRds>(QString::number(e + 1), 1, QStringLiteral("Element robót %1").arg(e)));
            for (int p = 0; p < PozycjiWElemencie; ++p, ++i) {
                auto pozycja = std::make_unique<TPozycjaRds>();
                pozycja->SetId(QString::number(i));
                pozycja->SetNr(QStringLiteral("%1.%2").arg(e + 1).arg(p + 1));
                pozycja->SetST(NumerPozycji(i));
                pozycja->SetPodstawa(QStringLiteral("KNR 2-31 0114-05"));
                pozycja->SetOpis(
                    QStringLiteral("Podbudowa z kruszywa łamanego stabilizowanego mechanicznie, grubość 20 cm"));
                pozycja->SetJm(QStringLiteral("m2"));
                pozycja->SetIlosc(QStringLiteral("1520,50"));
                pozycja->SetCena(QStringLiteral("45,20"));
                element->AddPozycja(std::move(pozycja));
            }
        }
        zestaw.AddKosztorys(std::move(kosztorys));
    }
}

} // namespace zestaw_benchmarku
