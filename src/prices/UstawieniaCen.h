#pragma once

class TKonfiguracja;

// The settings a unit price is computed with, given to it by its owner (the list its units belong to):
// the program-wide coefficient and its switch. Switched off, the chosen way's result is the price.
struct TUstawieniaCen
{
    bool CzyWspolczynnikGlobalny = false;
    double WspolczynnikGlobalny = 1.0;

    // The switch and value the configuration holds now; the program's edge takes this snapshot.
    static TUstawieniaCen ZKonfiguracji(const TKonfiguracja& konfiguracja);

    bool operator==(const TUstawieniaCen&) const = default;
};
