#include "estimates/PozycjaRds.h"

#include <memory>

struct TPozycjaRds::TDodatki
{
    QString Rj, Mj, Sj;
    TOnZmiana WlasnyOnZmiana;
    const TOnZmiana* Handler = nullptr; // the own or the shared one
    TWybranaSpecyfikacja Wybrana;
};

namespace {

const QString& Pusty()
{
    static const QString pusty;
    return pusty;
}

} // namespace

void TPozycjaRds::TTeksty::UstawWlasne(QStringView id, QStringView nr, QStringView opis, TWspolneZwarte& opisy,
                                       std::uint32_t skrotOpisu)
{
    Opis = opisy.Znajdz(opis, skrotOpisu);
    if (Opis.isEmpty() && !opis.isEmpty()) {
        auto [i, n, o] = TZwartyTekst::Razem<3>({id, nr, opis});
        Id = std::move(i);
        Nr = std::move(n);
        Opis = std::move(o);
        opisy.Dodaj(opis, Opis);
    } else {
        auto [i, n] = TZwartyTekst::Razem<2>({id, nr});
        Id = std::move(i);
        Nr = std::move(n);
    }
}

TPozycjaRds::TPozycjaRds(TOnZmiana onZmiana)
{
    if (onZmiana)
        SetOnZmiana(std::move(onZmiana));
}

TPozycjaRds::TPozycjaRds(TTeksty&& teksty, const TOnZmiana* wspolnyOnZmiana)
    : FId(std::move(teksty.Id)), FNr(std::move(teksty.Nr)), FST(std::move(teksty.ST)),
      FDodatkiLubHandler(reinterpret_cast<std::uintptr_t>(wspolnyOnZmiana)), FPodstawa(std::move(teksty.Podstawa)),
      FOpis(std::move(teksty.Opis)), FJm(std::move(teksty.Jm)), FIlosc(std::move(teksty.Ilosc)),
      FCena(std::move(teksty.Cena))
{
    FAktywna = teksty.Aktywna;
    if (!teksty.Rj.isEmpty() || !teksty.Mj.isEmpty() || !teksty.Sj.isEmpty()) {
        TDodatki& d = Dodatki();
        d.Rj = std::move(teksty.Rj);
        d.Mj = std::move(teksty.Mj);
        d.Sj = std::move(teksty.Sj);
    }
}

TPozycjaRds::~TPozycjaRds()
{
    delete IstniejaceDodatki();
}

const TPozycjaRds::TOnZmiana* TPozycjaRds::Handler() const
{
    if (const TDodatki* d = IstniejaceDodatki())
        return d->Handler;
    return reinterpret_cast<const TOnZmiana*>(FDodatkiLubHandler);
}

TPozycjaRds::TDodatki& TPozycjaRds::Dodatki()
{
    if (TDodatki* d = IstniejaceDodatki())
        return *d;
    auto d = std::make_unique<TDodatki>();
    d->Handler = Handler();
    TDodatki* wynik = d.release();
    FDodatkiLubHandler = reinterpret_cast<std::uintptr_t>(wynik) | 1U;
    return *wynik;
}

bool TPozycjaRds::CzyZglaszaZmiany() const
{
    const TOnZmiana* h = Handler();
    return h && *h;
}

const QString& TPozycjaRds::Rj() const
{
    const TDodatki* d = IstniejaceDodatki();
    return d ? d->Rj : Pusty();
}

const QString& TPozycjaRds::Mj() const
{
    const TDodatki* d = IstniejaceDodatki();
    return d ? d->Mj : Pusty();
}

const QString& TPozycjaRds::Sj() const
{
    const TDodatki* d = IstniejaceDodatki();
    return d ? d->Sj : Pusty();
}

TWybranaSpecyfikacja& TPozycjaRds::WybranaSpecyfikacja()
{
    return Dodatki().Wybrana;
}

// A position nobody chose for is answered by one empty choice: most positions of a large estimate never
// get a choice of their own.
const TWybranaSpecyfikacja& TPozycjaRds::WybranaSpecyfikacja() const
{
    static const TWybranaSpecyfikacja brak;
    const TDodatki* d = IstniejaceDodatki();
    return d ? d->Wybrana : brak;
}

void TPozycjaRds::SetOnZmiana(TOnZmiana onZmiana)
{
    if (!onZmiana && !IstniejaceDodatki()) {
        FDodatkiLubHandler = 0;
        return;
    }
    TDodatki& d = Dodatki();
    d.WlasnyOnZmiana = std::move(onZmiana);
    d.Handler = &d.WlasnyOnZmiana;
}

void TPozycjaRds::SetWspolnyOnZmiana(const TOnZmiana* onZmiana)
{
    if (TDodatki* d = IstniejaceDodatki()) {
        d->WlasnyOnZmiana = nullptr;
        d->Handler = onZmiana;
        return;
    }
    FDodatkiLubHandler = reinterpret_cast<std::uintptr_t>(onZmiana);
}

void TPozycjaRds::Zmieniono()
{
    if (CzyZglaszaZmiany())
        (*Handler())(this);
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

#undef VELOSTRA_SETTER

// An empty rare text needs no part of its own.
#define VELOSTRA_SETTER_RZADKI(Nazwa)                                                                                  \
    void TPozycjaRds::Set##Nazwa(const QString& v)                                                                     \
    {                                                                                                                  \
        if (IstniejaceDodatki() || !v.isEmpty())                                                                       \
            Dodatki().Nazwa = v;                                                                                       \
        Zmieniono();                                                                                                   \
    }

VELOSTRA_SETTER_RZADKI(Rj)
VELOSTRA_SETTER_RZADKI(Mj)
VELOSTRA_SETTER_RZADKI(Sj)

#undef VELOSTRA_SETTER_RZADKI

void TPozycjaRds::SetAktywna(bool v)
{
    FAktywna = v;
    Zmieniono();
}
