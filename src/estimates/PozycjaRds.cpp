#include "estimates/PozycjaRds.h"

TPozycjaRds::TPozycjaRds(TOnZmiana onZmiana)
    : OnZmiana(std::move(onZmiana)), FWybranaSpecyfikacja(std::make_unique<TWybranaSpecyfikacja>())
{
}

TPozycjaRds::~TPozycjaRds() = default;

void TPozycjaRds::Zmieniono()
{
    if (OnZmiana)
        OnZmiana(this);
}

#define VELOSTRA_SETTER(Nazwa)                                                                                         \
    void TPozycjaRds::Set##Nazwa(const QString& v)                                                                     \
    {                                                                                                                  \
        F##Nazwa = v;                                                                                                  \
        Zmieniono();                                                                                                   \
    }

VELOSTRA_SETTER(Id)
VELOSTRA_SETTER(Nr)
VELOSTRA_SETTER(ST)
VELOSTRA_SETTER(Podstawa)
VELOSTRA_SETTER(Opis)
VELOSTRA_SETTER(Jm)
VELOSTRA_SETTER(Ilosc)
VELOSTRA_SETTER(Cena)
VELOSTRA_SETTER(Rj)
VELOSTRA_SETTER(Mj)
VELOSTRA_SETTER(Sj)

#undef VELOSTRA_SETTER

void TPozycjaRds::SetAktywna(bool v)
{
    FAktywna = v;
    Zmieniono();
}
