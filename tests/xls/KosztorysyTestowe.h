#pragma once

#include "estimates/ElementRds.h"
#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "estimates/PozycjaRds.h"
#include "estimates/UstawieniaKosztorysu.h"

#include <QString>

#include <memory>
#include <vector>

// Estimates built in memory for the spreadsheet tests.
namespace kosztorysy_testowe {

struct TPoz
{
    const char* Nr;
    const char* Ilosc;
    const char* Cena = "";
    const char* Rj = "";
    const char* Mj = "";
    const char* Sj = "";
    const char* St = "";
};

inline TPozycjaRds* DodajPozycje(TElementRds& element, const TPoz& p)
{
    auto pozycja = std::make_unique<TPozycjaRds>();
    pozycja->SetNr(QString::fromUtf8(p.Nr));
    pozycja->SetPodstawa(QStringLiteral("KNR 2-01 0119-03"));
    pozycja->SetOpis(QStringLiteral("Roboty ") + QString::fromUtf8(p.Nr));
    pozycja->SetJm(QStringLiteral("m2"));
    pozycja->SetIlosc(QString::fromUtf8(p.Ilosc));
    pozycja->SetCena(QString::fromUtf8(p.Cena));
    pozycja->SetRj(QString::fromUtf8(p.Rj));
    pozycja->SetMj(QString::fromUtf8(p.Mj));
    pozycja->SetSj(QString::fromUtf8(p.Sj));
    pozycja->SetST(QString::fromUtf8(p.St));
    return element.AddPozycja(std::move(pozycja));
}

inline TElementRds* DodajElement(TElementRds& rodzic, const QString& nr, const QString& opis)
{
    return rodzic.AddElement(std::make_unique<TElementRds>(nr, 1, opis));
}

inline std::unique_ptr<TKosztorys> Kosztorys(const QString& tytul, const QString& plik = QStringLiteral("/tmp/k.rds"))
{
    auto kosztorys = TKosztorysFactory::GetKosztorys(plik, false, TUstawieniaKosztorysu{});
    kosztorys->FilePath().SetPath(plik);
    kosztorys->SetTytul(tytul);
    return kosztorys;
}

// An estimate of two elements: "Roboty ziemne" (1.1 and 1.2) and "Nawierzchnia" (2.1).
inline std::unique_ptr<TKosztorys> KosztorysDwaElementy(const QString& tytul,
                                                        const QString& plik = QStringLiteral("/tmp/k.rds"))
{
    auto k = Kosztorys(tytul, plik);
    auto* e1 = DodajElement(*k, QStringLiteral("1"), QStringLiteral("Roboty ziemne"));
    DodajPozycje(*e1, {"1.1", "2,5", "10.40", "4", "5,4", "1"});
    DodajPozycje(*e1, {"1.2", "100", "3,33", "1", "2", "0,33"});
    auto* e2 = DodajElement(*k, QStringLiteral("2"), QStringLiteral("Nawierzchnia"));
    DodajPozycje(*e2, {"2.1", "12,75", "45,2", "10", "30", "5,2"});
    return k;
}

inline std::vector<TKosztorys*> Wskazniki(const std::vector<std::unique_ptr<TKosztorys>>& kosztorysy)
{
    std::vector<TKosztorys*> wynik;
    for (const auto& k : kosztorysy)
        wynik.push_back(k.get());
    return wynik;
}

} // namespace kosztorysy_testowe
