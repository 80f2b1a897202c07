#pragma once

#include "specs/WybranaSpecyfikacja.h"

#include <QString>

class TKonfiguracja;

// The few program settings that estimate readers and writers, sets and the matching use, as a value: the
// program's edge (the command-line tool, the window) takes a snapshot of its configuration and passes it
// down, so nothing below asks the configuration in the middle of its work. The defaults are those of a
// first start of the program.
struct TUstawieniaKosztorysu
{
    TUstawieniaWariantow Warianty;
    // A copy's ST numbers carry their variants (after the visual separator).
    bool UwzglednijWariantyPrzyEksporcie = false;
    // An ST number read from an estimate has the first separator of the list found in it made "#".
    bool RozpoznajWariantyPrzyImporcie = false;
    QString ListaSeparatorowWariantow;
    // Edbud's own unit database; its names go over the program's unit list.
    QString EdbudJdnMdbPath;
    // What "%USERPATH%" in the stored paths of estimates, sets and lists stands for.
    QString KatalogUzytkownika;

    bool operator==(const TUstawieniaKosztorysu&) const = default;

    static TUstawieniaKosztorysu ZKonfiguracji(const TKonfiguracja& konfiguracja);
};
