#pragma once

#include <QByteArray>

#include <pugixml.hpp>

#include <functional>

// XML estimates are copied back in the form they were read in: the same encoding (a Windows-1250
// file stays Windows-1250), the same byte-order mark, declaration, comments, layout and line ends.
// This is what the copy needs to know about its source.
struct TFormaXml
{
    // How pugixml reads and writes the text: UTF-8/16/32; a declared single- or multi-byte code page
    // is read through UTF-8 and then named in Iconv.
    pugi::xml_encoding Kodowanie = pugi::encoding_utf8;
    bool Bom = false;
    // The encoding named in the declaration when it is not a Unicode one ("windows-1250", "ISO-8859-2").
    QByteArray Iconv;
    // "\r\n", "\n" or "\r" as the source ends its lines; empty when it has no line break. pugixml keeps no
    // text between the nodes outside the root element, so the copy puts this line end between them.
    QByteArray KoniecLinii;
    bool KoniecLiniiNaKoncu = false;
    // Size of the source in bytes: what the copy's text will roughly need.
    qsizetype RozmiarZrodla = 0;
};

// Parses the bytes of an XML estimate. Byte 27 (ESC), which exporting programs leave inside values and
// which XML forbids, is read as a blank. External references and DTD entities are never resolved: a
// reference to an entity of the document's DTD stays as literal text. Throws EBlad "Brak danych w
// kosztorysie" when the document has no root element, otherwise the XML layer's Polish message.
// The document is parsed in place in `tekst` (the bytes, or their UTF-8 form when they are in a code
// page), which must outlive it: an estimate's text is not copied once more for the parser.
TFormaXml ParsujXmlKosztorysu(const QByteArray& bajty, unsigned opcje, pugi::xml_document& dokument, QByteArray& tekst);

// Parses for reading (OpcjeCzytaniaXmlKosztorysu), as ParsujXmlKosztorysu does, taking the bytes over: bytes
// that nobody else holds are parsed in place, without a copy, and `zrodlo` then gives them once more for
// the parser's complaint. True when the values are left in Windows-1250: a Windows-1250 document is parsed
// in its own bytes, rather than in a UTF-8 copy, whenever that gives the same document.
bool CzytajXmlKosztorysu(QByteArray bajty, const std::function<QByteArray()>& zrodlo, pugi::xml_document& dokument,
                         QByteArray& tekst);

// The options of reading: values and texts only.
constexpr unsigned OpcjeCzytaniaXmlKosztorysu = pugi::parse_default | pugi::parse_declaration;
// The options of copying: everything the copy keeps (declaration, document type, comments, processing
// instructions, blanks between elements and line ends as they are). Attributes are read as in reading.
constexpr unsigned OpcjeKopiiXmlKosztorysu = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_wconv_attribute |
                                             pugi::parse_declaration | pugi::parse_doctype | pugi::parse_pi |
                                             pugi::parse_comments | pugi::parse_ws_pcdata;

// The document in the form of its source. A character that the source's code page cannot hold (an ST
// number typed with one) is written as a character reference, so nothing is lost. Throws EBlad for a code
// page that does not write ASCII as ASCII (UTF-7 and the like): its copy could not be read back.
QByteArray XmlKosztorysuNaBajty(const pugi::xml_document& dokument, const TFormaXml& forma);
