#pragma once

#include "app/Xml.h"

#include <pugixml.hpp>

#include <array>
#include <cstddef>

// The attributes of an element in one pass, placed by their names' positions in a table. Files written
// by the program hold the attributes in the table's order, so each costs one comparison, where asking
// for each by name would compare it with every attribute before it. As when asking by name, the first
// of repeated attributes counts; names outside the table are ignored.
template <std::size_t N>
std::array<pugi::xml_attribute, N> AtrybutyWedlugNazw(const pugi::xml_node& e, const char* const (&nazwy)[N])
{
    std::array<pugi::xml_attribute, N> wynik{};
    std::size_t oczekiwany = 0;
    for (pugi::xml_attribute a = e.first_attribute(); a; a = a.next_attribute()) {
        const char* nazwa = a.name();
        std::size_t i = N;
        if (oczekiwany < N && RowneWprost(nazwa, nazwy[oczekiwany])) {
            i = oczekiwany;
        } else {
            for (std::size_t k = 0; k < N && i == N; ++k)
                if (RowneWprost(nazwa, nazwy[k]))
                    i = k;
        }
        if (i == N)
            continue;
        if (!wynik[i])
            wynik[i] = a;
        oczekiwany = i + 1;
    }
    return wynik;
}

// The first child element with the name, as node.child(nazwa) finds it, and the next sibling so named, as
// node.next_sibling(nazwa): without a call into the library for every name compared.
inline pugi::xml_node PierwszeDziecko(const pugi::xml_node& wezel, const char* nazwa)
{
    for (pugi::xml_node c = wezel.first_child(); c; c = c.next_sibling())
        if (RowneWprost(c.name(), nazwa))
            return c;
    return {};
}

inline pugi::xml_node NastepnyTakiSam(const pugi::xml_node& wezel, const char* nazwa)
{
    for (pugi::xml_node c = wezel.next_sibling(); c; c = c.next_sibling())
        if (RowneWprost(c.name(), nazwa))
            return c;
    return {};
}
