#pragma once

#include <pugixml.hpp>

#include <QString>

class TCenaJedn;

// The writers of attribute values that the list file's thousands of numbers and texts go through: the
// same text as UstawAtrybutLiczba and UstawAtrybut (shortest general form with up to 15 significant
// digits and a decimal comma; UTF-8), without a detour through formatted printing and QString.
void UstawLiczbeXml(pugi::xml_node& e, const char* nazwa, double wartosc);
void UstawTekstXml(pugi::xml_node& e, const char* nazwa, const QString& wartosc);

// The unit price of a unit of measure in the list file: a "cenaJedn" element inside "jednostka", with
// every input of the three ways of pricing and the three price-information sources.

// Appends the "cenaJedn" element to the "jednostka" element.
void ZapiszCeneJedn(pugi::xml_node& jednostka, const TCenaJedn& cena);

// Restores the price from a "jednostka" element: the older form (an attribute "cenaJedn" holding a
// number: the hand price alone) or its "cenaJedn" child. Missing or unreadable values take their
// defaults; nothing here fails. The price is recalculated at the end.
void WczytajCeneJedn(const pugi::xml_node& jednostka, TCenaJedn& cena);
