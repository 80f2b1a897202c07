#include "zestaw/ZestawST.h"

#include "app/Wyjatki.h"
#include "estimates/Kosztorys.h"
#include "estimates/PozycjaRds.h"
#include "specs/KonfiguracjaZestawu.h"
#include "zestaw/ZbiorST.h"

#include <QStringList>

#include <algorithm>

TZestawST::TZestawST(const TUstawieniaKosztorysu& ustawienia)
    : FUstawienia(ustawienia), FSpisST(std::make_unique<TSpisST>()),
      FZbiorST(std::make_unique<TZbiorST>(FUstawienia.Warianty)), Konfiguracja(std::make_unique<TKonfiguracjaZestawu>())
{
    FSpisST->UstawKatalogUzytkownika(FUstawienia.KatalogUzytkownika);
    Konfiguracja->UstawKatalogUzytkownika(FUstawienia.KatalogUzytkownika);
}

TZestawST::~TZestawST()
{
    // The collection points at positions of the estimates and at nodes of the list: it goes first.
    FZbiorST.reset();
    Kosztorysy.clear();
}

void TZestawST::ZmianaKosztorysu()
{
    if (!IsUpdating && FOnZmianaKosztorysu)
        FOnZmianaKosztorysu(this);
}

void TZestawST::UstawUstawienia(const TUstawieniaKosztorysu& ustawienia)
{
    // In place: the collection and its entries keep pointing at the set's settings.
    FUstawienia = ustawienia;
    for (const auto& k : Kosztorysy)
        k->UstawUstawienia(FUstawienia);
    FSpisST->UstawKatalogUzytkownika(FUstawienia.KatalogUzytkownika);
    Konfiguracja->UstawKatalogUzytkownika(FUstawienia.KatalogUzytkownika);
}

TKosztorys* TZestawST::AddKosztorys(std::unique_ptr<TKosztorys> kosztorys)
{
    if (!kosztorys)
        throw EBlad(QStringLiteral("Nieprawidłowy kosztorys"));
    const QString sciezka = kosztorys->FilePath().GetPath();
    for (const auto& k : Kosztorysy)
        if (k->FilePath().GetPath() == sciezka)
            throw EBlad(QStringLiteral("Wybrany kosztorys już został dodany do zestawu."));
    kosztorys->UstawUstawienia(FUstawienia);
    Kosztorysy.push_back(std::move(kosztorys));
    TKosztorys* dodany = Kosztorysy.back().get();
    ZmianaKosztorysu();
    return dodany;
}

void TZestawST::DelKosztorys(int indeks)
{
    if (indeks < 0 || indeks >= KosztorysyCount())
        return;
    // Entries of the collection may point at its positions; they are forgotten until the next matching.
    FZbiorST->ClearPozycjeIDopasowanieST();
    Kosztorysy.erase(Kosztorysy.begin() + indeks);
    ZmianaKosztorysu();
}

void TZestawST::DelKosztorys(const TKosztorys* kosztorys)
{
    DelKosztorys(IndeksKosztorysu(kosztorys));
}

TKosztorys* TZestawST::GetKosztorys(int indeks) const
{
    if (indeks < 0 || indeks >= KosztorysyCount())
        return nullptr;
    return Kosztorysy[static_cast<size_t>(indeks)].get();
}

TKosztorys* TZestawST::GetKosztorys(const TElementRds* element) const
{
    if (!element)
        return nullptr;
    while (element->Parent)
        element = element->Parent;
    for (const auto& k : Kosztorysy)
        if (k.get() == element)
            return k.get();
    return nullptr;
}

int TZestawST::IndeksKosztorysu(const TKosztorys* kosztorys) const
{
    for (size_t i = 0; i < Kosztorysy.size(); ++i)
        if (Kosztorysy[i].get() == kosztorys)
            return static_cast<int>(i);
    return -1;
}

bool TZestawST::PrzeniesKosztorysWGore(const TKosztorys* kosztorys)
{
    const int i = IndeksKosztorysu(kosztorys);
    if (i <= 0)
        return false;
    std::swap(Kosztorysy[static_cast<size_t>(i)], Kosztorysy[static_cast<size_t>(i - 1)]);
    ZmianaKosztorysu();
    return true;
}

bool TZestawST::PrzeniesKosztorysWDol(const TKosztorys* kosztorys)
{
    const int i = IndeksKosztorysu(kosztorys);
    if (i < 0 || i >= KosztorysyCount() - 1)
        return false;
    std::swap(Kosztorysy[static_cast<size_t>(i)], Kosztorysy[static_cast<size_t>(i + 1)]);
    ZmianaKosztorysu();
    return true;
}

void TZestawST::ClearKosztorysy()
{
    FZbiorST->ClearPozycjeIDopasowanieST();
    Kosztorysy.clear();
}

void TZestawST::Wyczysc()
{
    ClearKosztorysy();
    ClearZbiorST();
    FZestawPath.clear();
    ClearKonfiguracja();
}

std::unique_ptr<TSpisST> TZestawST::ZamienSpisST(std::unique_ptr<TSpisST> spis)
{
    if (!spis)
        spis = std::make_unique<TSpisST>();
    spis->UstawKatalogUzytkownika(FUstawienia.KatalogUzytkownika);
    // The unit prices go by the program's coefficient whichever list holds them.
    spis->SetUstawieniaCen(FSpisST->UstawieniaCen());
    // Nothing may point into the list that leaves.
    ZapomnijDopasowania();
    std::swap(FSpisST, spis);
    return spis;
}

void TZestawST::ZapomnijDopasowania()
{
    FZbiorST->ClearPozycjeIDopasowanieST();
    for (const auto& k : Kosztorysy)
        k->DlaKazdejPozycji([](TPozycjaRds& p) {
            p.WybranaSpecyfikacja().SetSpecyfikacja(nullptr);
            p.WybranaSpecyfikacja().SetWariantSpecyfikacji(nullptr);
            p.WybranaSpecyfikacja().SetDopasowanaSpecyfikacja(nullptr);
        });
}

void TZestawST::ClearZbiorST()
{
    FZbiorST->ClearAll();
}

void TZestawST::ClearKonfiguracja()
{
    Konfiguracja->LoadDefaults();
}

void TZestawST::EndUpdate()
{
    IsUpdating = false;
    ZmianaKosztorysu();
}

QString TZestawST::ToString() const
{
    QStringList kosztorysy;
    for (const auto& k : Kosztorysy)
        kosztorysy << k->ToString();
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Kosztorysy=[") + kosztorysy.join(QStringLiteral("; ")) + QLatin1Char(']') + crlf +
           QStringLiteral("ZestawPath=") + FZestawPath + crlf +
           (FSpisST ? QStringLiteral("SpisSt=") + FSpisST->GetSpisStPath()->ToString() : QStringLiteral("SpisSt=nil")) +
           crlf + (FZbiorST ? FZbiorST->ToString() : QStringLiteral("ZbiorSt=nil")) + crlf +
           (Konfiguracja ? Konfiguracja->ToString() : QStringLiteral("Konfiguracja=nil"));
}
