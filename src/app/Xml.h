#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <optional>

// The XML layer every file format of the program goes through (configuration, lists, sets,
// estimates, imports, price publications). Parsing never resolves DTDs or external entities.

// Parses XML bytes into the document. A byte-order mark or the declaration's encoding decides how
// the bytes are read; encodings other than UTF-8/UTF-16 (windows-1250, iso-8859-2, ...) are transcoded
// first. Returns the encoding named in the declaration ("" when none). Throws EBlad in Polish on a
// malformed document.
QByteArray ParsujXml(const QByteArray& bajty, pugi::xml_document& dokument);
// Reads and parses a file; throws EBlad when it cannot be read or parsed.
QByteArray WczytajPlikXml(const QString& sciezka, pugi::xml_document& dokument);

// Starts an empty document with the declaration <?xml version="1.0" encoding="UTF-8"?>.
void NowyDokumentXml(pugi::xml_document& dokument);
// The document as indented UTF-8 text (two blanks per level), declaration first.
QByteArray XmlNaBajty(const pugi::xml_document& dokument);

// Text of the parsed document as a string. Unlike QString::fromUtf8 it keeps a leading U+FEFF: a value
// that begins with one must read back as it was written.
QString TekstXml(const char* utf8);

// The value of an attribute, absent (null) when the element has no such attribute.
std::optional<QString> AtrybutXml(const pugi::xml_node& wezel, const char* nazwa);
QString TekstWezla(const pugi::xml_node& wezel);

// Readers of attribute values: each takes the value, null when the attribute is missing.
QString XmlNaTekst(const std::optional<QString>& wartosc);
QString XmlNaTekstDomyslny(const std::optional<QString>& wartosc, const QString& domyslna);
// "," and "." both count as the decimal separator; the default when the text is no number.
double XmlNaLiczbe(const std::optional<QString>& wartosc, double domyslna);
// "true"/"false" in any letter case, or a number (0 false, other true). Any other text throws EConvertError.
bool XmlNaLogiczna(const std::optional<QString>& wartosc, bool domyslna);
int XmlNaCalkowita(const std::optional<QString>& wartosc, int domyslna);

// The attribute's text, trimmed; null when it is missing. The same as XmlNaTekst(AtrybutXml(...)) without the
// intermediate copies: a list reads hundreds of thousands of them.
QString XmlNaTekst(const pugi::xml_attribute& a);
// "true" and "false" as written by the program are read without a string; anything else as XmlNaLogiczna.
bool XmlNaLogiczna(const pugi::xml_attribute& a, bool domyslna);
// Exactly "true" or "false", the forms the program writes; null for any other text, which the caller reads
// its own way.
std::optional<bool> LogicznaWprost(const char* tekst);

// strcmp(tekst, wzor) == 0 in line: node and attribute names are compared with a few short ones over and
// over, and a call into the library for each costs more than the comparison. Reads no further than either.
inline bool RowneWprost(const char* tekst, const char* wzor)
{
    for (; *wzor != '\0'; ++tekst, ++wzor)
        if (*tekst != *wzor)
            return false;
    return *tekst == '\0';
}

// Writers of attribute values in the program's forms.
void UstawAtrybut(pugi::xml_node& wezel, const char* nazwa, const QString& wartosc);
void UstawAtrybut(pugi::xml_node& wezel, const char* nazwa, bool wartosc);
void UstawAtrybut(pugi::xml_node& wezel, const char* nazwa, int wartosc);
void UstawAtrybutLiczba(pugi::xml_node& wezel, const char* nazwa, double wartosc);

// The conversion a boolean text undergoes everywhere in the program (see XmlNaLogiczna).
std::optional<bool> TekstNaLogiczna(const QString& tekst);
