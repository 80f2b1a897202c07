#pragma once

#include <pugixml.hpp>

#include <QString>

class TCenaJedn;
struct TUstawieniaCen;
class TStrumienXml;

// Attribute values of the list file set on a document element: the same text as UstawAtrybutLiczba and
// UstawAtrybut (the number's form of LiczbaXml; UTF-8), without a detour through formatted printing. The
// list itself is written through TStrumienXml, which gives the same bytes.
void UstawLiczbeXml(pugi::xml_node& e, const char* nazwa, double wartosc);
void UstawTekstXml(pugi::xml_node& e, const char* nazwa, const QString& wartosc);

// The unit price of a unit of measure in the list file: a "cenaJedn" element inside "jednostka", with
// every input of the three ways of pricing and the three price-information sources.

// Writes the "cenaJedn" element inside the "jednostka" element open in the stream.
void ZapiszCeneJedn(TStrumienXml& xml, const TCenaJedn& cena);

// Restores the price from a "jednostka" element: the older form (an attribute "cenaJedn" holding a
// number: the hand price alone) or its "cenaJedn" child. Missing or unreadable values take their
// defaults; nothing here fails. The price takes the settings and is computed with them once, at the end.
void WczytajCeneJedn(const pugi::xml_node& jednostka, TCenaJedn& cena, const TUstawieniaCen& ustawienia);
