#include "prices/UstawieniaCen.h"

#include "app/Konfiguracja.h"

TUstawieniaCen TUstawieniaCen::ZKonfiguracji(const TKonfiguracja& konfiguracja)
{
    return {konfiguracja.CzyWspolczynnikGlobalnyCenyJedn, konfiguracja.WspolczynnikGlobalnyCenyJedn};
}
