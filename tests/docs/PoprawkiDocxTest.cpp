#include "docs/PoprawkiDocx.h"
#include "docs/AdresPliku.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

const QByteArray KNaglowekXml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                                "<w:hdr xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">";

QByteArray Znacznik()
{
    return ZnacznikOdwolaniaDoStylu().toUtf8();
}

// One run of a header part as read by an XML reader: its formatting (the rPr children, "name" or
// "name=value") and its content: "fldChar:<type>", "instr:<text>" or "t:<text>".
struct TPrzebieg
{
    int Akapit;
    QString Formatowanie;
    QStringList Tresc;
};

// Reads the part as XML (a malformed part fails the test) into its runs.
std::vector<TPrzebieg> Przebiegi(const QByteArray& xml)
{
    std::vector<TPrzebieg> wynik;
    QXmlStreamReader r(xml);
    int akapit = -1;
    bool wPrzebiegu = false;
    bool wRPr = false;
    QStringList formatowanie;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            const QString n = r.qualifiedName().toString();
            if (n == QLatin1String("w:p")) {
                ++akapit;
            } else if (n == QLatin1String("w:r")) {
                wynik.push_back({akapit, QString(), {}});
                formatowanie.clear();
                wPrzebiegu = true;
            } else if (n == QLatin1String("w:rPr") && wPrzebiegu) {
                wRPr = true;
            } else if (wRPr) {
                const QString wartosc = r.attributes().value(QStringLiteral("w:val")).toString();
                formatowanie << (wartosc.isEmpty() ? n : n + QLatin1Char('=') + wartosc);
            } else if (n == QLatin1String("w:fldChar") && !wynik.empty()) {
                wynik.back().Tresc << QStringLiteral("fldChar:") +
                                          r.attributes().value(QStringLiteral("w:fldCharType")).toString();
            } else if ((n == QLatin1String("w:t") || n == QLatin1String("w:instrText")) && !wynik.empty()) {
                const QString rodzaj = n == QLatin1String("w:t") ? QStringLiteral("t:") : QStringLiteral("instr:");
                wynik.back().Tresc << rodzaj + r.readElementText();
            }
        } else if (r.isEndElement() && r.qualifiedName() == QLatin1String("w:r")) {
            wPrzebiegu = false;
        } else if (r.isEndElement() && r.qualifiedName() == QLatin1String("w:rPr") && wRPr) {
            wRPr = false;
            wynik.back().Formatowanie = formatowanie.join(QLatin1Char(','));
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString() << "\n" << xml.toStdString();
    return wynik;
}

// The field's parts in order, the text it shows left out: "begin", "instr:...", "separate", "end".
QStringList CzesciPola(const std::vector<TPrzebieg>& przebiegi, int akapit)
{
    QStringList czesci;
    for (const TPrzebieg& p : przebiegi) {
        if (p.Akapit != akapit)
            continue;
        for (const QString& t : p.Tresc) {
            if (t.startsWith(QLatin1String("fldChar:")))
                czesci << t.mid(8);
            else if (t.startsWith(QLatin1String("instr:")))
                czesci << t;
        }
    }
    return czesci;
}

// The field instruction names the style, in quotes, with nothing after it but Word's keep-formatting switch.
::testing::AssertionResult OdwolanieDoStylu(const QString& instrukcja, const QString& styl)
{
    const QString i = instrukcja.trimmed();
    const QString oczekiwana = QStringLiteral("STYLEREF \"%1\"").arg(styl);
    if (i == oczekiwana || i == oczekiwana + QStringLiteral(" \\* MERGEFORMAT"))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << '[' << i.toStdString() << "] zamiast [" << oczekiwana.toStdString() << ']';
}

TEST(PoprawkiDocx, ZnacznikStajeSiePolemOdwolaniaDoStylu)
{
    const QByteArray formatowanie = "<w:rPr><w:rFonts w:ascii=\"Times New Roman\" w:hAnsi=\"Times New Roman\"/>"
                                    "<w:i/><w:sz w:val=\"22\"/></w:rPr>";
    const QByteArray przed = KNaglowekXml + "<w:p><w:pPr><w:pStyle w:val=\"Header\"/></w:pPr><w:r>" + formatowanie +
                             "<w:t>Budowa drogi</w:t></w:r></w:p><w:p><w:pPr><w:pStyle w:val=\"Header\"/></w:pPr>"
                             "<w:r w:rsidR=\"00A1B2C3\">" +
                             formatowanie + "<w:t>" + Znacznik() + "</w:t></w:r></w:p></w:hdr>";
    QByteArray xml = przed;
    EXPECT_EQ(WstawOdwolanieDoStyluXml(xml, QStringLiteral(" Nagłówek 1 ")), 1);
    EXPECT_FALSE(xml.contains(Znacznik()));
    // The first paragraph is untouched.
    EXPECT_TRUE(xml.startsWith(przed.left(przed.indexOf("</w:p>") + 6)));
    const auto przebiegi = Przebiegi(xml);
    const QStringList czesci = CzesciPola(przebiegi, 1);
    ASSERT_EQ(czesci.size(), 4) << czesci.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(czesci[0], QStringLiteral("begin"));
    EXPECT_TRUE(OdwolanieDoStylu(czesci[1].mid(6), QStringLiteral("Nagłówek 1")));
    EXPECT_EQ(czesci[2], QStringLiteral("separate"));
    EXPECT_EQ(czesci[3], QStringLiteral("end"));
    // Every run of the field keeps the marker run's formatting.
    for (const TPrzebieg& p : przebiegi)
        EXPECT_EQ(p.Formatowanie, QStringLiteral("w:rFonts,w:i,w:sz=22"));
    EXPECT_EQ(przebiegi.front().Tresc, QStringList{QStringLiteral("t:Budowa drogi")});
}

TEST(PoprawkiDocx, KilkaZnacznikowKazdyZeSwoimFormatowaniem)
{
    QByteArray xml = KNaglowekXml + "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t>" + Znacznik() +
                     "</w:t></w:r></w:p><w:p><w:r><w:t xml:space=\"preserve\">" + Znacznik() +
                     "</w:t></w:r></w:p><w:p><w:r><w:rPr><w:rStyle w:val=\"Wyroznienie\"/><w:i/></w:rPr><w:t>" +
                     Znacznik() + "</w:t></w:r></w:p></w:hdr>";
    EXPECT_EQ(WstawOdwolanieDoStyluXml(xml, QStringLiteral("Tytuł")), 3);
    EXPECT_FALSE(xml.contains(Znacznik()));
    const auto przebiegi = Przebiegi(xml);
    const char* formatowania[] = {"w:b", "", "w:rStyle=Wyroznienie,w:i"};
    for (int akapit = 0; akapit < 3; ++akapit) {
        SCOPED_TRACE(akapit);
        const QStringList czesci = CzesciPola(przebiegi, akapit);
        ASSERT_EQ(czesci.size(), 4);
        EXPECT_EQ(czesci[0], QStringLiteral("begin"));
        EXPECT_TRUE(OdwolanieDoStylu(czesci[1].mid(6), QStringLiteral("Tytuł")));
        EXPECT_EQ(czesci[3], QStringLiteral("end"));
        for (const TPrzebieg& p : przebiegi) {
            if (p.Akapit == akapit) {
                EXPECT_EQ(p.Formatowanie, QString::fromUtf8(formatowania[akapit]));
            }
        }
    }
}

TEST(PoprawkiDocx, ZnakiSpecjalneWNazwieStylu)
{
    QByteArray xml = KNaglowekXml + "<w:p><w:r><w:t>" + Znacznik() + "</w:t></w:r></w:p></w:hdr>";
    EXPECT_EQ(WstawOdwolanieDoStyluXml(xml, QStringLiteral("Styl \"A\" & <B>")), 1);
    const QStringList czesci = CzesciPola(Przebiegi(xml), 0);
    ASSERT_EQ(czesci.size(), 4);
    // The name stays one quoted argument: "&" and "<" arrive as themselves, a quote inside the name is
    // escaped with a backslash so that it never closes the argument early.
    QString instrukcja = czesci[1].mid(6).trimmed();
    instrukcja.remove(QStringLiteral(" \\* MERGEFORMAT"));
    EXPECT_EQ(instrukcja, QStringLiteral("STYLEREF \"Styl \\\"A\\\" & <B>\""));
}

TEST(PoprawkiDocx, BezZnacznikaBezZmian)
{
    const QByteArray przed =
        KNaglowekXml + "<w:p><w:r><w:rPr><w:i/></w:rPr><w:t>Budowa drogi</w:t></w:r></w:p></w:hdr>";
    QByteArray xml = przed;
    EXPECT_EQ(WstawOdwolanieDoStyluXml(xml, QStringLiteral("Nagłówek 1")), 0);
    EXPECT_EQ(xml, przed);
}

const QByteArray KUstawieniaPoczatek =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<w:settings xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">";

// The names of the settings' child elements, in order.
QStringList Ustawienia(const QByteArray& xml)
{
    QStringList nazwy;
    QXmlStreamReader r(xml);
    int glebokosc = 0;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            if (glebokosc == 1)
                nazwy << r.name().toString();
            ++glebokosc;
        } else if (r.isEndElement()) {
            --glebokosc;
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString();
    return nazwy;
}

TEST(PoprawkiDocx, ParzysteINieparzysteWKolejnosciSchematu)
{
    const struct
    {
        const char* Opis;
        QByteArray Tresc;
        QStringList Oczekiwane;
    } przypadki[] = {
        {"przed ustawieniami zgodności",
         "<w:zoom w:percent=\"100\"/><w:defaultTabStop w:val=\"709\"/><w:autoHyphenation w:val=\"true\"/>"
         "<w:compat><w:compatSetting w:name=\"compatibilityMode\" w:val=\"15\"/></w:compat><w:rsids><w:rsidRoot "
         "w:val=\"00A1\"/></w:rsids><w:themeFontLang w:val=\"pl-PL\"/>",
         {"zoom", "defaultTabStop", "autoHyphenation", "evenAndOddHeaders", "compat", "rsids", "themeFontLang"}},
        {"przed kontrolą odstępów znaków",
         "<w:defaultTabStop w:val=\"709\"/><w:characterSpacingControl w:val=\"doNotCompress\"/><w:compat/>",
         {"defaultTabStop", "evenAndOddHeaders", "characterSpacingControl", "compat"}},
        {"po stylu tabeli, przed zgodnością",
         "<w:defaultTableStyle w:val=\"Normalny\"/><w:footnotePr><w:footnote w:id=\"-1\"/></w:footnotePr><w:compat/>",
         {"defaultTableStyle", "evenAndOddHeaders", "footnotePr", "compat"}},
        {"puste ustawienia", "", {"evenAndOddHeaders"}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        QByteArray xml = KUstawieniaPoczatek + p.Tresc + "</w:settings>";
        EXPECT_TRUE(UstawParzysteINieparzysteXml(xml));
        EXPECT_EQ(Ustawienia(xml), p.Oczekiwane);
        // Once is enough: a second pass finds it and changes nothing.
        const QByteArray poPierwszym = xml;
        EXPECT_FALSE(UstawParzysteINieparzysteXml(xml));
        EXPECT_EQ(xml, poPierwszym);
    }
    const QByteArray juz =
        KUstawieniaPoczatek + "<w:defaultTabStop w:val=\"709\"/><w:evenAndOddHeaders/><w:compat/></w:settings>";
    QByteArray xml = juz;
    EXPECT_FALSE(UstawParzysteINieparzysteXml(xml));
    EXPECT_EQ(xml, juz);
}

TEST(AdresPliku, ConvertToURL)
{
    const struct
    {
        const char* Sciezka;
        const char* Adres;
    } przypadki[] = {
        {"C:\\Dane\\Plik ST.odt", "file:///C:/Dane/Plik%20ST.odt"},
        {"/home/jan/Plik ST.odt", "file:///home/jan/Plik%20ST.odt"},
        {"/a/b-c_d.doc", "file:///a/b%2Dc%5Fd.doc"},
        {"/a/ą.odt", "file:///a/%C4%85.odt"},
        {"/a/Żółw.ODT", "file:///a/%C5%BB%C3%B3%C5%82w.ODT"},
        {"/a/#1 100%.doc", "file:///a/%231%20100%25.doc"},
        {"C:\\a\\b\\", "file:///C:/a/b/"},
        {"dane\\x.doc", "file:///dane/x.doc"},
        // Kept: . / 0-9 : @ A-Z a-z; everything else byte by byte.
        {"/x/@Az09:.", "file:///x/@Az09:."},
        {"/x/[a]~{b}+=?!'()", "file:///x/%5Ba%5D%7E%7Bb%7D%2B%3D%3F%21%27%28%29"},
        {"/x/a\tb", "file:///x/a%09b"},
        {"/x/😀.odt", "file:///x/%F0%9F%98%80.odt"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Sciezka);
        EXPECT_EQ(ConvertToURL(QString::fromUtf8(p.Sciezka)), QString::fromUtf8(p.Adres));
    }
}

} // namespace
