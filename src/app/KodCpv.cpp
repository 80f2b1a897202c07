#include "app/KodCpv.h"

TKodCpv* TKodCpv::Dodaj(std::unique_ptr<TKodCpv> kod)
{
    TKodCpv* cel = this;
    while (cel->Parent && cel->Poziom >= kod->Poziom)
        cel = cel->Parent;
    kod->Parent = cel;
    cel->KodyCpv.push_back(std::move(kod));
    return cel->KodyCpv.back().get();
}

TKodCpv* TKodCpv::Find(const QString& szukanyKod)
{
    if (Kod == szukanyKod)
        return this;
    for (const auto& dziecko : KodyCpv)
        if (TKodCpv* trafienie = dziecko->Find(szukanyKod))
            return trafienie;
    return nullptr;
}

bool TKodCpv::KodContainsText(const QString& tekst) const
{
    return (Kod + Opis).contains(tekst, Qt::CaseInsensitive);
}

void TKodCpv::Filtruj(const QString& filtr, const QString& prefiks)
{
    if (prefiks.isEmpty()) {
        if (KodContainsText(filtr))
            Wyswietl();
    } else if (Kod.left(prefiks.size()) == prefiks && KodContainsText(filtr)) {
        Wyswietl();
    }
    for (const auto& dziecko : KodyCpv)
        dziecko->Filtruj(filtr, prefiks);
}

void TKodCpv::Wyswietl()
{
    for (TKodCpv* k = this; k; k = k->Parent)
        k->Hidden = false;
}

void TKodCpv::Clear()
{
    Hidden = false;
    Checked = false;
    for (const auto& dziecko : KodyCpv)
        dziecko->Clear();
}

void TKodCpv::Ukryj()
{
    Hidden = true;
    for (const auto& dziecko : KodyCpv)
        dziecko->Ukryj();
}
