// Any bytes as a set file's "konfiguracja": the reader never crashes and fails only with EBlad, leaving
// the configuration exactly as it was; what it writes reads back without an error and settles (the
// second file written reads back to itself; the first may still differ where the XML parser
// normalises text: line ends, or a text of blanks only).
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "specs/KonfiguracjaZestawu.h"

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray Zapisz(TKonfiguracjaZestawu& k)
{
    pugi::xml_document dok;
    NowyDokumentXml(dok);
    pugi::xml_node zestaw = dok.append_child("zestaw");
    k.Save(zestaw);
    return XmlNaBajty(dok);
}

void Wczytaj(TKonfiguracjaZestawu& k, const QByteArray& xml)
{
    pugi::xml_document dok;
    ParsujXml(xml, dok);
    k.Load(dok.document_element());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QByteArray wejscie(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    pugi::xml_document dok;
    try {
        ParsujXml(wejscie, dok);
    } catch (const EBlad&) {
        return 0;
    }

    TKonfiguracjaZestawu k;
    k.TrescNaglowka = QStringLiteral("przed odczytem");
    k.AddExternalNode(QStringLiteral("przed"), QStringLiteral("odczytem"));
    const QString przed = k.ToString();
    try {
        k.Load(dok.document_element());
    } catch (const EBlad&) {
        if (k.ToString() != przed)
            std::abort();
        return 0;
    }

    TKonfiguracjaZestawu druga;
    Wczytaj(druga, Zapisz(k));
    const QByteArray zapis = Zapisz(druga);
    TKonfiguracjaZestawu trzecia;
    Wczytaj(trzecia, zapis);
    if (Zapisz(trzecia) != zapis || trzecia.ToString() != druga.ToString())
        std::abort();
    return 0;
}
