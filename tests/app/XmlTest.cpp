#include "app/Xml.h"
#include "app/Kodowanie.h"
#include "app/Wyjatki.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

std::optional<QString> W(const char* t)
{
    return QString::fromUtf8(t);
}

TEST(CzytnikiXml, TekstILiczba)
{
    EXPECT_EQ(XmlNaTekst(W("  ala ")), QStringLiteral("ala"));
    EXPECT_EQ(XmlNaTekst(std::nullopt), QString());
    EXPECT_EQ(XmlNaTekstDomyslny(std::nullopt, QStringLiteral(" dom ")), QStringLiteral("dom"));
    EXPECT_EQ(XmlNaTekstDomyslny(W(""), QStringLiteral("dom")), QString());

    const struct
    {
        std::optional<QString> Wartosc;
        double Wynik;
    } liczby[] = {
        {W("1,5"), 1.5},  {W("1.5"), 1.5},  {W(" 2,25 "), 2.25},  {W("1e3"), 1000.0}, {W(""), -1.0},
        {W("   "), -1.0}, {W("abc"), -1.0}, {std::nullopt, -1.0}, {W("1,2.3"), -1.0},
    };
    for (const auto& p : liczby)
        EXPECT_DOUBLE_EQ(XmlNaLiczbe(p.Wartosc, -1.0), p.Wynik)
            << p.Wartosc.value_or(QStringLiteral("<null>")).toStdString();
}

TEST(CzytnikiXml, LogicznaIWyjatekDlaNieLogicznej)
{
    const struct
    {
        const char* Tekst;
        bool Wynik;
    } przypadki[] = {{"true", true}, {"TRUE", true}, {"False", false}, {"0", false},
                     {"1", true},    {"-1", true},   {"2,5", true}};
    for (const auto& p : przypadki)
        EXPECT_EQ(XmlNaLogiczna(W(p.Tekst), !p.Wynik), p.Wynik) << p.Tekst;
    EXPECT_TRUE(XmlNaLogiczna(std::nullopt, true));
    EXPECT_FALSE(XmlNaLogiczna(std::nullopt, false));
    for (const char* zly : {"abc", "", "tak", "yes"})
        EXPECT_THROW(XmlNaLogiczna(W(zly), true), EConvertError) << zly;
}

TEST(CzytnikiXml, Calkowita)
{
    EXPECT_EQ(XmlNaCalkowita(W("12"), 5), 12);
    EXPECT_EQ(XmlNaCalkowita(W("1,5"), 5), 5);
    EXPECT_EQ(XmlNaCalkowita(W("x"), 5), 5);
    EXPECT_EQ(XmlNaCalkowita(std::nullopt, 5), 5);
}

TEST(ParsujXml, DeklaracjaWindows1250JestPrzekodowana)
{
    const QByteArray bajty = QByteArray("<?xml version=\"1.0\" encoding=\"windows-1250\"?><a t=\"") +
                             NaWindows1250(QStringLiteral("Żółć")) + "\">" + NaWindows1250(QStringLiteral("łąka")) +
                             "</a>";
    pugi::xml_document dok;
    EXPECT_EQ(ParsujXml(bajty, dok), QByteArray("windows-1250"));
    EXPECT_EQ(XmlNaTekst(AtrybutXml(dok.document_element(), "t")), QStringLiteral("Żółć"));
    EXPECT_EQ(TekstWezla(dok.document_element()), QStringLiteral("łąka"));
}

TEST(ParsujXml, Utf8ZBomIUtf16)
{
    pugi::xml_document dok;
    ParsujXml(QByteArray("\xEF\xBB\xBF<a t=\"") + QStringLiteral("ż").toUtf8() + "\"/>", dok);
    EXPECT_EQ(XmlNaTekst(AtrybutXml(dok.document_element(), "t")), QStringLiteral("ż"));

    const QString tekst = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a t=\"ś\"/>");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(tekst.utf16()), tekst.size() * 2);
    ParsujXml(utf16, dok);
    EXPECT_EQ(XmlNaTekst(AtrybutXml(dok.document_element(), "t")), QStringLiteral("ś"));
}

TEST(ParsujXml, ZepsutyDokumentDajePolskiKomunikat)
{
    const char* zle[] = {"",
                         "<a>",
                         "<a></b>",
                         "<a t=\"1></a>",
                         "tekst",
                         "<?xml version=\"1.0\"?>",
                         "<?xml version=\"1.0\" encoding=\"x-nieznane\"?><a/>"};
    for (const char* z : zle) {
        pugi::xml_document dok;
        try {
            ParsujXml(QByteArray(z), dok);
            ADD_FAILURE() << "accepted: " << z;
        } catch (const EBlad& e) {
            EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Błąd odczytu pliku XML"))) << e.what();
        }
        EXPECT_FALSE(dok.document_element()) << z;
    }
}

TEST(ParsujXml, EncjeZewnetrzneNieSaRozwijane)
{
    const QByteArray xxe = "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><a>&x;</a>";
    pugi::xml_document dok;
    try {
        ParsujXml(xxe, dok);
        EXPECT_FALSE(TekstWezla(dok.document_element()).contains(QStringLiteral("root:")));
    } catch (const EBlad&) {
        SUCCEED(); // refusing the document is as safe as leaving the reference unexpanded
    }
}

TEST(XmlNaBajty, WcieteUtf8ZDeklaracja)
{
    pugi::xml_document dok;
    NowyDokumentXml(dok);
    pugi::xml_node k = dok.append_child("zestaw");
    UstawAtrybut(k, "b", true);
    UstawAtrybut(k, "i", 7);
    UstawAtrybutLiczba(k, "l", 1.25);
    pugi::xml_node d = k.append_child("dziecko");
    UstawAtrybut(d, "t", QStringLiteral("żółw & \"x\""));
    const QByteArray xml = XmlNaBajty(dok);
    EXPECT_TRUE(xml.startsWith(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<zestaw b=\"true\" i=\"7\" l=\"1,25\">\n  <dziecko"));
    pugi::xml_document znowu;
    ParsujXml(xml, znowu);
    EXPECT_EQ(XmlNaTekst(AtrybutXml(znowu.document_element().child("dziecko"), "t")), QStringLiteral("żółw & \"x\""));
}

} // namespace

TEST(CzytnikiXml, ZnakBomNaPoczatkuWartosciZostaje)
{
    pugi::xml_document d;
    ParsujXml("<a x=\"\xEF\xBB\xBF\xEF\xBB\xBF"
              "1\" y=\"z\xEF\xBB\xBF\">\xEF\xBB\xBFt</a>",
              d);
    const pugi::xml_node a = d.document_element();
    EXPECT_EQ(*AtrybutXml(a, "x"), QString(QChar(0xFEFF)) + QChar(0xFEFF) + QLatin1Char('1'));
    EXPECT_EQ(*AtrybutXml(a, "y"), QStringLiteral("z") + QChar(0xFEFF));
    EXPECT_EQ(TekstWezla(a), QString(QChar(0xFEFF)) + QLatin1Char('t'));
    EXPECT_EQ(XmlNaTekst(a.attribute("x")).size(), 3);
}
