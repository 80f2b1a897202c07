// The list's XML stream gives the bytes pugixml gives for the same document saved through XmlNaBajty.
#include "specs/StrumienXml.h"
#include "app/Xml.h"
#include "specs/CenaJednXml.h"

#include <vector>

namespace {

// The same texts written both ways: an element per text, nested and empty elements around them.
void PorownajZPugixml(const std::vector<QString>& teksty)
{
    pugi::xml_document dokument;
    NowyDokumentXml(dokument);
    pugi::xml_node korzen = dokument.append_child("sst");
    TStrumienXml xml;
    xml.Otworz("sst");
    for (const QString& t : teksty) {
        pugi::xml_node e = korzen.append_child("e");
        UstawTekstXml(e, "t", t);
        UstawLiczbeXml(e, "n", t.size() / 7.0);
        e.append_child("w").append_child("x");
        xml.Otworz("e");
        xml.Atrybut("t", t);
        xml.AtrybutLiczba("n", t.size() / 7.0);
        xml.Otworz("w");
        xml.Otworz("x");
        xml.Zamknij();
        xml.Zamknij();
        xml.Zamknij();
    }
    korzen.append_child("pusty");
    xml.Otworz("pusty");
    xml.Zamknij();
    xml.Zamknij();
    EXPECT_EQ(std::move(xml).Wynik(), XmlNaBajty(dokument));
}

TEST(StrumienXml, DajeBajtyPugixml)
{
    std::vector<QString> znaki;
    for (char16_t u = 1; u < 0x100; ++u)
        znaki.push_back(QStringLiteral("a") + QChar(u) + QStringLiteral("b"));
    const std::vector<std::vector<QString>> przypadki = {
        {},
        {QString()},
        znaki,
        {QStringLiteral("zażółć gęślą jaźń"), QString(QChar(0x20AC)) + QChar(0xFFFD) + QChar(0xFEFF),
         QString(QChar(0xD83D)) + QChar(0xDE00), QString(QChar(0xD800)) + QStringLiteral("x"),
         QStringLiteral("x") + QChar(0xDC00), QStringLiteral("przed") + QChar(0) + QStringLiteral("<po>")},
        {QString(300, QChar(0x0105)), QString(600, QLatin1Char('&'))},
    };
    for (const auto& teksty : przypadki)
        PorownajZPugixml(teksty);
}

TEST(StrumienXml, GlebokieWciecie)
{
    pugi::xml_document dokument;
    NowyDokumentXml(dokument);
    pugi::xml_node e = dokument.append_child("a");
    TStrumienXml xml;
    xml.Otworz("a");
    for (int i = 0; i < 40; ++i) {
        e = e.append_child("b");
        xml.Otworz("b");
    }
    e.append_attribute("c") = "d";
    xml.Atrybut("c", "d");
    for (int i = 0; i <= 40; ++i)
        xml.Zamknij();
    EXPECT_EQ(std::move(xml).Wynik(), XmlNaBajty(dokument));
}

} // namespace
