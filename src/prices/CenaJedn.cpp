#include "prices/CenaJedn.h"

#include "app/Liczby.h"

#include <QDate>

#include <cmath>

namespace {

// Money rounding: the product is formed in extended precision and rounded to the cent with
// halves to even; only the final cents are turned into a double.
double R2(long double wartosc)
{
    const long double zaokraglona = ZaokraglijDo2(wartosc);
    if (!std::isfinite(zaokraglona))
        return static_cast<double>(zaokraglona);
    const long double grosze = std::nearbyint(zaokraglona * 100.0L);
    return static_cast<double>(grosze) / 100.0;
}

double R2(double a, double b)
{
    return R2(static_cast<long double>(a) * static_cast<long double>(b));
}

// The program-wide coefficient applies to every unit price while it is switched on.
double ZWspolczynnikiemGlobalnym(double wynik, const TUstawieniaCen& ustawienia)
{
    if (!ustawienia.CzyWspolczynnikGlobalny)
        return wynik;
    return R2(wynik, ustawienia.WspolczynnikGlobalny);
}

} // namespace

TCenaJedn::TCenaJedn()
    : FInfCen1(std::make_unique<TCenaInfCen>()), FInfCen2(std::make_unique<TCenaInfCen>()),
      FInfCen3(std::make_unique<TCenaInfCen>())
{
    for (TCenaInfCen* zrodlo : {FInfCen1.get(), FInfCen2.get(), FInfCen3.get()})
        zrodlo->OnZmiana = [this](TCenaInfCen*) { ZmianaInfCen(); };
}

TCenaJedn::~TCenaJedn()
{
    // The sources die with this object; none may call back into it while they are freed.
    for (TCenaInfCen* zrodlo : {FInfCen1.get(), FInfCen2.get(), FInfCen3.get()})
        zrodlo->OnZmiana = nullptr;
}

void TCenaJedn::SetZrodloCenyJedn(std::uint8_t wartosc)
{
    if (wartosc == FZrodloCenyJedn)
        return;
    FZrodloCenyJedn = wartosc;
    Oblicz();
    Powiadom();
}

// --- Hand way

void TCenaJedn::SetCena(double wartosc)
{
    const double zaokraglona = R2(static_cast<long double>(wartosc));
    if (zaokraglona == FCena)
        return;
    FCena = zaokraglona;
    ObliczZReki();
    Powiadom();
}

void TCenaJedn::SetWspolczynnik(double wartosc)
{
    if (wartosc == FWspolczynnik)
        return;
    FWspolczynnik = wartosc;
    ObliczZReki();
    Powiadom();
}

// --- Component way

namespace {

// Stores a new value of one field of the component way; false when nothing changed.
template <typename T> bool Zmien(T& pole, T wartosc)
{
    if (pole == wartosc)
        return false;
    pole = wartosc;
    return true;
}

} // namespace

void TCenaJedn::SetRj(double wartosc)
{
    if (Zmien(FRj, R2(static_cast<long double>(wartosc)))) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetMj(double wartosc)
{
    if (Zmien(FMj, R2(static_cast<long double>(wartosc)))) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetSj(double wartosc)
{
    if (Zmien(FSj, R2(static_cast<long double>(wartosc)))) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetRjWspolcz(double wartosc)
{
    if (Zmien(FRjWspolcz, wartosc)) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetMjWspolcz(double wartosc)
{
    if (Zmien(FMjWspolcz, wartosc)) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetSjWspolcz(double wartosc)
{
    if (Zmien(FSjWspolcz, wartosc)) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetSumaRMSjWspolcz(double wartosc)
{
    if (Zmien(FSumaRMSjWspolcz, wartosc)) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetOplata(double wartosc)
{
    if (Zmien(FOplata, wartosc)) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetCzyOplataR(bool wartosc)
{
    if (Zmien(FCzyOplataR, wartosc)) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetCzyOplataM(bool wartosc)
{
    if (Zmien(FCzyOplataM, wartosc)) {
        ObliczRms();
        Powiadom();
    }
}

void TCenaJedn::SetCzyOplataS(bool wartosc)
{
    if (Zmien(FCzyOplataS, wartosc)) {
        ObliczRms();
        Powiadom();
    }
}

// --- Price-information way

TCenaInfCen* TCenaJedn::GetInfCen(int numer) const
{
    switch (numer) {
    case 1:
        return FInfCen1.get();
    case 2:
        return FInfCen2.get();
    case 3:
        return FInfCen3.get();
    default:
        return nullptr;
    }
}

TCenaInfCen* TCenaJedn::GetWybranaInfCen() const
{
    switch (FWybranyInfCen) {
    case 1:
        return FInfCen2.get();
    case 2:
        return FInfCen3.get();
    default:
        return FInfCen1.get();
    }
}

void TCenaJedn::SetWybranyInfCen(int wartosc)
{
    if (wartosc == FWybranyInfCen)
        return;
    FWybranyInfCen = wartosc;
    ObliczInfCen();
    Powiadom();
}

void TCenaJedn::ZmianaInfCen()
{
    ObliczInfCen();
    Powiadom();
}

// --- Calculation

void TCenaJedn::SetUstawienia(const TUstawieniaCen& ustawienia)
{
    if (ustawienia == FUstawienia)
        return;
    FUstawienia = ustawienia;
    Oblicz();
}

void TCenaJedn::Oblicz()
{
    switch (FZrodloCenyJedn) {
    case ZrodloZReki:
        ObliczZReki();
        break;
    case ZrodloRMSj:
        ObliczRms();
        break;
    case ZrodloInfCen:
        ObliczInfCen();
        break;
    default:
        break;
    }
}

void TCenaJedn::ObliczZReki()
{
    FCenaZReki = R2(FCena, FWspolczynnik);
    FWartosc = ZWspolczynnikiemGlobalnym(FCenaZReki, FUstawienia);
}

void TCenaJedn::ObliczRms()
{
    FOplataR = 0.0;
    FOplataM = 0.0;
    FOplataS = 0.0;
    const int zaznaczone = int(FCzyOplataR) + int(FCzyOplataM) + int(FCzyOplataS);
    if (FOplata != 0.0 && zaznaczone > 0) {
        const double udzial = FOplata / zaznaczone;
        if (FCzyOplataR)
            FOplataR = udzial;
        if (FCzyOplataM)
            FOplataM = udzial;
        if (FCzyOplataS)
            FOplataS = udzial;
    }
    const auto skladnik = [](double kwota, double oplata, double wspolczynnik) {
        return R2((static_cast<long double>(kwota) + oplata) * static_cast<long double>(wspolczynnik));
    };
    FRjObliczone = skladnik(FRj, FOplataR, FRjWspolcz);
    FMjObliczone = skladnik(FMj, FOplataM, FMjWspolcz);
    FSjObliczone = skladnik(FSj, FOplataS, FSjWspolcz);
    FSumaRMSj = FRjObliczone + FMjObliczone + FSjObliczone;
    FSumaRMSjObliczone = R2(FSumaRMSj, FSumaRMSjWspolcz);
    FWartosc = ZWspolczynnikiemGlobalnym(FSumaRMSjObliczone, FUstawienia);
}

void TCenaJedn::ObliczInfCen()
{
    FWartosc = ZWspolczynnikiemGlobalnym(GetWybranaInfCen()->GetObliczone(), FUstawienia);
}

void TCenaJedn::Powiadom()
{
    FData = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    if (OnZmiana)
        OnZmiana(this);
}

// --- Stored values

void TCenaJedn::UstawCeneZReki(std::uint8_t zrodloCenyJedn, double cena, double wspolczynnik, double wartosc,
                               double cenaZReki)
{
    FZrodloCenyJedn = zrodloCenyJedn;
    FCena = cena;
    FWspolczynnik = wspolczynnik;
    FWartosc = wartosc;
    FCenaZReki = cenaZReki;
}

void TCenaJedn::UstawCeneRms(double rj, double mj, double sj, double rjWspolcz, double mjWspolcz, double sjWspolcz,
                             double rjObliczone, double mjObliczone, double sjObliczone, double sumaRMSj,
                             double sumaRMSjWspolcz, double sumaRMSjObliczone)
{
    FRj = rj;
    FMj = mj;
    FSj = sj;
    FRjWspolcz = rjWspolcz;
    FMjWspolcz = mjWspolcz;
    FSjWspolcz = sjWspolcz;
    FRjObliczone = rjObliczone;
    FMjObliczone = mjObliczone;
    FSjObliczone = sjObliczone;
    FSumaRMSj = sumaRMSj;
    FSumaRMSjWspolcz = sumaRMSjWspolcz;
    FSumaRMSjObliczone = sumaRMSjObliczone;
}

void TCenaJedn::UstawOplata(bool czyR, bool czyM, bool czyS, double oplata)
{
    FCzyOplataR = czyR;
    FCzyOplataM = czyM;
    FCzyOplataS = czyS;
    FOplata = oplata;
}

void TCenaJedn::UstawWybranyInfCen(int indeks)
{
    FWybranyInfCen = indeks;
}

void TCenaJedn::UstawDate(const QString& data)
{
    FData = data;
}

// --- Copies

void TCenaJedn::Copy(const TCenaJedn& inna)
{
    if (&inna == this)
        return;
    FZrodloCenyJedn = inna.FZrodloCenyJedn;
    FData = inna.FData;
    FCena = inna.FCena;
    FWspolczynnik = inna.FWspolczynnik;
    FCenaZReki = inna.FCenaZReki;
    FRj = inna.FRj;
    FMj = inna.FMj;
    FSj = inna.FSj;
    FRjWspolcz = inna.FRjWspolcz;
    FMjWspolcz = inna.FMjWspolcz;
    FSjWspolcz = inna.FSjWspolcz;
    FRjObliczone = inna.FRjObliczone;
    FMjObliczone = inna.FMjObliczone;
    FSjObliczone = inna.FSjObliczone;
    FSumaRMSj = inna.FSumaRMSj;
    FSumaRMSjWspolcz = inna.FSumaRMSjWspolcz;
    FSumaRMSjObliczone = inna.FSumaRMSjObliczone;
    FOplata = inna.FOplata;
    FCzyOplataR = inna.FCzyOplataR;
    FCzyOplataM = inna.FCzyOplataM;
    FCzyOplataS = inna.FCzyOplataS;
    FOplataR = inna.FOplataR;
    FOplataM = inna.FOplataM;
    FOplataS = inna.FOplataS;
    FWartosc = inna.FWartosc;
    FWybranyInfCen = inna.FWybranyInfCen;
    FUstawienia = inna.FUstawienia;
    FInfCen1->Copy(*inna.FInfCen1);
    FInfCen2->Copy(*inna.FInfCen2);
    FInfCen3->Copy(*inna.FInfCen3);
    Oblicz();
}

std::unique_ptr<TCenaJedn> TCenaJedn::Clone() const
{
    auto kopia = std::make_unique<TCenaJedn>();
    kopia->Copy(*this);
    return kopia;
}
