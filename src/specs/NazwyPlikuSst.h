#pragma once

#include <array>

// The element and attribute names of the list file (".sst"), shared by the list's reader and writer and by
// the list archives, which find and rewrite the document paths in the file without building the list.
namespace NazwySst {

// The document element, with the program's version; the nodes are nested "specyfikacja" elements below it.
inline constexpr char Korzen[] = "sst";
inline constexpr char Wersja[] = "wersja";
inline constexpr char Wezel[] = "specyfikacja";
inline constexpr char Numer[] = "numer";
inline constexpr char Opis[] = "opis";
inline constexpr char Plik[] = "plik";
inline constexpr char Info[] = "info";
inline constexpr char Grupa[] = "grupa";
inline constexpr char WarunkiOgolne[] = "warunki_ogolne";
// A node's variants are the children of its "warianty" element; the list writes each as "wariant".
inline constexpr char Warianty[] = "warianty";
inline constexpr char Wariant[] = "wariant";
// Units of a node or variant, each with its price inside (see CenaJednXml.h).
inline constexpr char Jednostki[] = "jednostki";
inline constexpr char Jednostka[] = "jednostka";
inline constexpr char Jm[] = "jm";
inline constexpr char Eksportuj[] = "eksportuj";

// Every attribute that holds a document's path, in stored form ("%USERPATH%/..."): of a node and of a
// variant. What the writer puts a path into must be here, so that archives carry the file along.
inline constexpr std::array<const char*, 1> SciezkiWezla{Plik};
inline constexpr std::array<const char*, 1> SciezkiWariantu{Plik};

} // namespace NazwySst
