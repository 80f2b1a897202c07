#include "docs/PoprawkiDocx.h"

#include "app/ZipFile.h"

#include <QRegularExpression>

QString ZnacznikOdwolaniaDoStylu()
{
    return QStringLiteral("VELOSTRASTYLEREF7F3A");
}

namespace {

QByteArray XmlTekst(const QString& tekst)
{
    QString wynik = tekst.toHtmlEscaped(); // & < > "
    return wynik.toUtf8();
}

// The start of the run (<w:r> or <w:r ...>) that holds the position.
qsizetype PoczatekPrzebiegu(const QByteArray& xml, qsizetype pozycja)
{
    qsizetype p = pozycja;
    while ((p = xml.lastIndexOf("<w:r", p)) >= 0) {
        const char nastepny = p + 4 < xml.size() ? xml.at(p + 4) : '\0';
        if (nastepny == '>' || nastepny == ' ')
            return p;
        --p;
        if (p < 0)
            break;
    }
    return -1;
}

} // namespace

int WstawOdwolanieDoStyluXml(QByteArray& xml, const QString& nazwaStylu)
{
    const QByteArray znacznik = ZnacznikOdwolaniaDoStylu().toUtf8();
    // Word quotes the style's name; a backslash or quote inside it is escaped with a backslash.
    QString nazwa = nazwaStylu.trimmed();
    nazwa.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    nazwa.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    const QByteArray instrukcja = " STYLEREF \"" + XmlTekst(nazwa) + "\" \\* MERGEFORMAT ";
    int ile = 0;
    qsizetype pozycja = 0;
    while ((pozycja = xml.indexOf(znacznik, pozycja)) >= 0) {
        const qsizetype poczatek = PoczatekPrzebiegu(xml, pozycja);
        const qsizetype koniecZnacznika = xml.indexOf("</w:r>", pozycja);
        if (poczatek < 0 || koniecZnacznika < 0)
            break;
        const qsizetype koniec = koniecZnacznika + 6;
        const QByteArray przebieg = xml.mid(poczatek, koniec - poczatek);
        QByteArray formatowanie;
        const qsizetype rPr = przebieg.indexOf("<w:rPr>");
        const qsizetype rPrKoniec = przebieg.indexOf("</w:rPr>");
        if (rPr >= 0 && rPrKoniec > rPr)
            formatowanie = przebieg.mid(rPr, rPrKoniec + 8 - rPr);
        const QByteArray r = "<w:r>" + formatowanie;
        const QByteArray pole = r + "<w:fldChar w:fldCharType=\"begin\"/></w:r>" + r +
                                "<w:instrText xml:space=\"preserve\">" + instrukcja + "</w:instrText></w:r>" + r +
                                "<w:fldChar w:fldCharType=\"separate\"/></w:r>" + r + "<w:t></w:t></w:r>" + r +
                                "<w:fldChar w:fldCharType=\"end\"/></w:r>";
        xml.replace(poczatek, koniec - poczatek, pole);
        pozycja = poczatek + pole.size();
        ++ile;
    }
    return ile;
}

bool UstawParzysteINieparzysteXml(QByteArray& xml)
{
    if (xml.contains("<w:evenAndOddHeaders"))
        return false;
    // The schema orders the settings: this one comes before every element the export writes after the
    // tab and hyphenation settings.
    qsizetype pozycja = -1;
    for (const char* nastepny : {"<w:bookFoldRevPrinting",
                                 "<w:bookFoldPrinting",
                                 "<w:bookFoldPrintingSheets",
                                 "<w:drawingGridHorizontalSpacing",
                                 "<w:drawingGridVerticalSpacing",
                                 "<w:displayHorizontalDrawingGridEvery",
                                 "<w:displayVerticalDrawingGridEvery",
                                 "<w:doNotUseMarginsForDrawingGridOrigin",
                                 "<w:drawingGridHorizontalOrigin",
                                 "<w:drawingGridVerticalOrigin",
                                 "<w:doNotShadeFormData",
                                 "<w:noPunctuationKerning",
                                 "<w:characterSpacingControl",
                                 "<w:printTwoOnOne",
                                 "<w:strictFirstAndLastChars",
                                 "<w:noLineBreaksAfter",
                                 "<w:noLineBreaksBefore",
                                 "<w:savePreviewPicture",
                                 "<w:doNotValidateAgainstSchema",
                                 "<w:saveInvalidXml",
                                 "<w:ignoreMixedContent",
                                 "<w:alwaysShowPlaceholderText",
                                 "<w:doNotDemarcateInvalidXml",
                                 "<w:saveXmlDataOnly",
                                 "<w:useXSLTWhenSaving",
                                 "<w:saveThroughXslt",
                                 "<w:showXMLTags",
                                 "<w:alwaysMergeEmptyNamespace",
                                 "<w:updateFields",
                                 "<w:hdrShapeDefaults",
                                 "<w:footnotePr",
                                 "<w:endnotePr",
                                 "<w:compat",
                                 "<w:docVars",
                                 "<w:rsids",
                                 "<m:mathPr",
                                 "<w:attachedSchema",
                                 "<w:themeFontLang",
                                 "<w:clrSchemeMapping",
                                 "<w:doNotIncludeSubdocsInStats",
                                 "<w:doNotAutoCompressPictures",
                                 "<w:forceUpgrade",
                                 "<w:captions",
                                 "<w:readModeInkLockDown",
                                 "<w:smartTagType",
                                 "<sl:schemaLibrary",
                                 "<w:shapeDefaults",
                                 "<w:doNotEmbedSmartTags",
                                 "<w:decimalSymbol",
                                 "<w:listSeparator",
                                 "</w:settings>"}) {
        const qsizetype p = xml.indexOf(nastepny);
        if (p >= 0 && (pozycja < 0 || p < pozycja))
            pozycja = p;
    }
    if (pozycja < 0)
        return false;
    xml.insert(pozycja, "<w:evenAndOddHeaders/>");
    return true;
}

void PoprawDocx(const QString& plikDocx, const QString& nazwaStylu, bool czyParzysteINieparzyste)
{
    TZipFile zip;
    zip.LoadFromFile(plikDocx);
    static const QRegularExpression KNaglowek(QStringLiteral("^word/header[0-9]*\\.xml$"));
    bool zmieniony = false;
    for (int i = 0; i < zip.GetCount(); ++i) {
        const QString nazwa = QString::fromUtf8(zip.GetName(i));
        QByteArray xml;
        bool zmiana = false;
        if (!nazwaStylu.isEmpty() && KNaglowek.match(nazwa).hasMatch()) {
            xml = zip.GetData(i);
            zmiana = WstawOdwolanieDoStyluXml(xml, nazwaStylu) > 0;
        } else if (czyParzysteINieparzyste && nazwa == QLatin1String("word/settings.xml")) {
            xml = zip.GetData(i);
            zmiana = UstawParzysteINieparzysteXml(xml);
        }
        if (zmiana) {
            zip.SetData(i, xml);
            zmieniony = true;
        }
    }
    if (zmieniony)
        zip.SaveToFile(plikDocx);
}
