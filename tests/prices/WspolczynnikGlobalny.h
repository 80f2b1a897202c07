#pragma once

#include "app/Konfiguracja.h"
#include "app/OknoKonfiguracji.h"

// Sets the program-wide unit price coefficient for the length of one test and puts the previous
// switch and value back afterwards, as other tests share the configuration singleton.
class TWspolczynnikGlobalnyTestu
{
public:
    TWspolczynnikGlobalnyTestu(bool wlaczony, double wartosc) : FKonfiguracja(Konfiguracja())
    {
        FBylWlaczony = FKonfiguracja->FCzyWspolczynnikGlobalnyCenyJedn;
        FBylaWartosc = FKonfiguracja->FWspolczynnikGlobalnyCenyJedn;
        Ustaw(wlaczony, wartosc);
    }
    ~TWspolczynnikGlobalnyTestu()
    {
        FKonfiguracja->FCzyWspolczynnikGlobalnyCenyJedn = FBylWlaczony;
        FKonfiguracja->FWspolczynnikGlobalnyCenyJedn = FBylaWartosc;
    }
    TWspolczynnikGlobalnyTestu(const TWspolczynnikGlobalnyTestu&) = delete;
    TWspolczynnikGlobalnyTestu& operator=(const TWspolczynnikGlobalnyTestu&) = delete;

    void Ustaw(bool wlaczony, double wartosc)
    {
        FKonfiguracja->FCzyWspolczynnikGlobalnyCenyJedn = wlaczony;
        FKonfiguracja->FWspolczynnikGlobalnyCenyJedn = wartosc;
    }

    static TKonfiguracja* Konfiguracja()
    {
        static TOknoBezEkranu okno;
        return TKonfiguracja::GetInstance(&okno, false);
    }

private:
    TKonfiguracja* FKonfiguracja;
    bool FBylWlaczony = true;
    double FBylaWartosc = 1.0;
};
