#include "app/KodCpv.h"

TKodCpv* TKodCpv::Dodaj(std::unique_ptr<TKodCpv> kod)
{
    TKodCpv* cel = this;
    while (cel->Parent && cel->FPoziom >= kod->FPoziom)
        cel = cel->Parent;
    kod->Parent = cel;
    cel->FKodyCpv.push_back(std::move(kod));
    return cel->FKodyCpv.back().get();
}

TKodCpv* TKodCpv::Find(const QString& szukanyKod)
{
    if (FKod == szukanyKod)
        return this;
    for (const auto& dziecko : FKodyCpv)
        if (TKodCpv* trafienie = dziecko->Find(szukanyKod))
            return trafienie;
    return nullptr;
}

bool TKodCpv::KodContainsText(const QString& tekst) const
{
    return (FKod + FOpis).contains(tekst, Qt::CaseInsensitive);
}

void TKodCpv::Filtruj(const QString& filtr, const QString& prefiks)
{
    if (prefiks.isEmpty()) {
        if (KodContainsText(filtr))
            Wyswietl();
    } else if (FKod.left(prefiks.size()) == prefiks && KodContainsText(filtr)) {
        Wyswietl();
    }
    for (const auto& dziecko : FKodyCpv)
        dziecko->Filtruj(filtr, prefiks);
}

void TKodCpv::Wyswietl()
{
    for (TKodCpv* k = this; k; k = k->Parent)
        k->FHidden = false;
}

void TKodCpv::Clear()
{
    FHidden = false;
    FChecked = false;
    for (const auto& dziecko : FKodyCpv)
        dziecko->Clear();
}

void TKodCpv::Ukryj()
{
    FHidden = true;
    for (const auto& dziecko : FKodyCpv)
        dziecko->Ukryj();
}
