#pragma once

#include <QString>

#include <optional>

// The marker "struktura_sst.conf" in a specifications folder: one line with the code of the folder
// structure the documents below were laid out in (0 number, 1 number and description, 2 flat).
inline const QString NazwaPlikuStrukturySst = QStringLiteral("struktura_sst.conf");

struct TZnacznikStruktury
{
    // The file exists and its first line is an integer.
    bool Znaleziony = false;
    // The structure when that integer is 0, 1 or 2; otherwise undefined (empty).
    std::optional<int> Struktura;
};

// Writes the marker into the folder, creating the folder with its parents. Throws EBlad.
void ZapiszStruktureSst(const QString& folder, int struktura);
TZnacznikStruktury CzytajStruktureSst(const QString& folder);
