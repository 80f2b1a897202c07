// Any bytes through the XML layer and every attribute reader: no crash, no hang, only EBlad.
#include "app/Xml.h"
#include "app/Wyjatki.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    pugi::xml_document dok;
    try {
        ParsujXml(QByteArray(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar)), dok);
    } catch (const EBlad&) {
        return 0;
    }
    for (pugi::xml_node n : dok.document_element().children()) {
        for (pugi::xml_attribute a : n.attributes()) {
            const auto w = AtrybutXml(n, a.name());
            (void)XmlNaTekst(w);
            (void)XmlNaTekstDomyslny(w, QStringLiteral("x"));
            (void)XmlNaLiczbe(w, 0.0);
            (void)XmlNaCalkowita(w, 0);
            try {
                (void)XmlNaLogiczna(w, false);
            } catch (const EConvertError&) {
            }
        }
    }
    (void)XmlNaBajty(dok);
    return 0;
}
