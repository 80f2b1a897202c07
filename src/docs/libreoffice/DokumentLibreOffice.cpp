#include "docs/libreoffice/DokumentLibreOffice.h"

#include "app/DuzeStrony.h"
#include "app/Pliki.h"
#include "app/ZapisBezpieczny.h"
#include "app/ZipFile.h"
#include "docs/AdresPliku.h"
#include "docs/KomentarzeDoc.h"
#include "docs/KonspektPdf.h"
#include "docs/PoprawkiDocx.h"
#include "docs/libreoffice/ProcesOffice.h"
#include "docs/libreoffice/Uno.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/beans/PropertyAttribute.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XDocumentInsertable.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/PageNumberType.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/text/XTextFrame.hpp>
#include <com/sun/star/text/XTextFramesSupplier.hpp>
#include <com/sun/star/text/XTextGraphicObjectsSupplier.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XRefreshable.hpp>
#include <com/sun/star/util/XReplaceable.hpp>
#include <com/sun/star/util/XSearchable.hpp>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>
#include <sys/prctl.h>

#include <functional>
#include <map>
#include <memory>

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

const char* const KStronaPierwsza = "First Page";
// Names the title page's own copies of its styles.
const QString KPrzyrostekTytulowej = QStringLiteral(" (strona tytułowa)");
const sal_Int32 KKolorLinii = 8421504; // grey 808080
// Where a word processor puts the header and footer by default: 12.5 mm from the page's edge.
const sal_Int32 KOdlegloscOdKrawedzi = 1250;

css::table::BorderLine2 Linia()
{
    css::table::BorderLine2 linia;
    linia.Color = KKolorLinii;
    linia.OuterLineWidth = 2;
    linia.LineWidth = 2;
    return linia;
}

Reference<css::container::XNameAccess> Rodzina(const Reference<css::lang::XComponent>& dokument, const char* nazwa)
{
    Reference<css::style::XStyleFamiliesSupplier> dostawca(dokument, UNO_QUERY_THROW);
    return Reference<css::container::XNameAccess>(
        dostawca->getStyleFamilies()->getByName(OUString::createFromAscii(nazwa)), UNO_QUERY_THROW);
}

// The page styles that carry the header and footer: all but the title page's.
std::vector<Reference<css::beans::XPropertySet>> StylyStron(const Reference<css::lang::XComponent>& dokument,
                                                            bool zPierwsza)
{
    Reference<css::container::XIndexAccess> style(Rodzina(dokument, "PageStyles"), UNO_QUERY_THROW);
    std::vector<Reference<css::beans::XPropertySet>> wynik;
    for (sal_Int32 i = 0; i < style->getCount(); ++i) {
        Reference<css::style::XStyle> styl(style->getByIndex(i), UNO_QUERY_THROW);
        const QString nazwa = ZUno(styl->getName());
        if (!zPierwsza && (nazwa == QLatin1String(KStronaPierwsza) || nazwa == QLatin1String("Pierwsza strona")))
            continue;
        wynik.emplace_back(styl, UNO_QUERY_THROW);
    }
    return wynik;
}

void UstawCzcionke(const Reference<css::beans::XPropertySet>& p)
{
    p->setPropertyValue("CharFontName", Any(OUString("Times New Roman")));
    p->setPropertyValue("CharHeight", Any(11.0f));
    p->setPropertyValue("CharPosture", Any(css::awt::FontSlant_ITALIC));
}

// ICU pattern that matches the text literally.
QString WzorzecDoslowny(const QString& tekst)
{
    QString wynik;
    for (const QChar z : tekst) {
        if (!z.isLetterOrNumber() && !z.isSpace())
            wynik += QLatin1Char('\\');
        wynik += z;
    }
    return wynik;
}

// Replacement text for a pattern search: "&", "$" and "\" literal, line ends as paragraph breaks.
QString ZamianaDoslowna(const QString& tekst)
{
    QString wynik;
    for (const QChar z : tekst) {
        if (z == QLatin1Char('\\') || z == QLatin1Char('&') || z == QLatin1Char('$'))
            wynik += QLatin1Char('\\');
        if (z == QLatin1Char('\n')) {
            wynik += QStringLiteral("\\n");
            continue;
        }
        if (z == QLatin1Char('\r'))
            continue;
        wynik += z;
    }
    return wynik;
}

// Stands in the header for the field that repeats the nearest text of a style, until the document is
// stored (see Zapisz).
void WstawOdwolanieDoStylu(const Reference<css::text::XText>& tekst, const Reference<css::text::XTextCursor>& kursor)
{
    tekst->insertString(kursor.get(), DoUno(ZnacznikOdwolaniaDoStylu()), false);
}

// A range without text may still hold a table or a picture (a title page can be an image alone).
bool CzyJestTrescBezTekstu(const Reference<css::lang::XComponent>& dokument,
                           const Reference<css::text::XTextCursor>& zakres)
{
    Reference<css::container::XEnumerationAccess> dostep(zakres, UNO_QUERY);
    if (dostep.is()) {
        Reference<css::container::XEnumeration> elementy = dostep->createEnumeration();
        while (elementy->hasMoreElements()) {
            Reference<css::lang::XServiceInfo> element(elementy->nextElement(), UNO_QUERY);
            if (element.is() && element->supportsService("com.sun.star.text.TextTable"))
                return true;
        }
    }
    // Pictures are anchored anywhere; any picture in the document lets the file through.
    Reference<css::text::XTextGraphicObjectsSupplier> dostawca(dokument, UNO_QUERY);
    if (!dostawca.is())
        return false;
    Reference<css::container::XIndexAccess> obrazy(dostawca->getGraphicObjects(), UNO_QUERY);
    return obrazy.is() && obrazy->getCount() > 0;
}

// A comment of the office's margin is a window built from a dialog description, and the office we run has
// none: a document with comments would end it. Other programs' links may also be relative to their own
// folder, which means nothing once their text is in another document.
const QRegularExpression
    KKomentarzDocx(QStringLiteral("<w:(commentRangeStart|commentRangeEnd|commentReference|annotationRef)\\b[^>]*/>"));
const QRegularExpression KRelacjaKomentarzy(QStringLiteral(
    "<Relationship\\b[^>]*Type=\"[^\"]*/(comments|commentsExtended|commentsIds|commentsExtensible|people)\"[^>]*/>"));
const QRegularExpression KCelZewnetrzny(QStringLiteral("<Relationship\\b[^>]*TargetMode=\"External\"[^>]*/>"));
const QRegularExpression KCel(QStringLiteral("Target=\"([^\"]*)\""));
const QRegularExpression KKomentarzOdt(
    QStringLiteral(
        "<office:annotation\\b[^>]*/>|<office:annotation\\b.*?</office:annotation>|<office:annotation-end\\b[^>]*/>"),
    QRegularExpression::DotMatchesEverythingOption);
const QRegularExpression KOdnosnikOdt(QStringLiteral("xlink:href=\"(\\.\\./[^\"]*)\""));

QString Xml(const QString& tekst)
{
    return tekst.toHtmlEscaped();
}

QString ZXml(QString tekst)
{
    tekst.replace(QLatin1String("&lt;"), QLatin1String("<"));
    tekst.replace(QLatin1String("&gt;"), QLatin1String(">"));
    tekst.replace(QLatin1String("&quot;"), QLatin1String("\""));
    tekst.replace(QLatin1String("&apos;"), QLatin1String("'"));
    return tekst.replace(QLatin1String("&amp;"), QLatin1String("&"));
}

// A link target of the document's own folder as an absolute address; empty for any other.
QString AdresBezwzgledny(const QString& cel, const QDir& katalog)
{
    const QString tekst = ZXml(cel);
    if (tekst.isEmpty() || tekst.startsWith(QLatin1Char('#')) || tekst.startsWith(QLatin1Char('/')) ||
        tekst.contains(QRegularExpression(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"))))
        return {};
    return QUrl::fromLocalFile(katalog.absoluteFilePath(QUrl::fromPercentEncoding(tekst.toUtf8())))
        .toString(QUrl::FullyEncoded);
}

// Replaces every match of the expression by what zamiana makes of it; returns whether anything changed.
bool Zamien(QByteArray& xml, const QRegularExpression& wyrazenie,
            const std::function<QString(const QRegularExpressionMatch&)>& zamiana)
{
    const QString tekst = QString::fromUtf8(xml);
    QString wynik;
    qsizetype od = 0;
    bool zmiana = false;
    for (auto it = wyrazenie.globalMatch(tekst); it.hasNext();) {
        const auto m = it.next();
        const QString nowy = zamiana(m);
        if (nowy == m.captured(0))
            continue;
        wynik += QStringView(tekst).mid(od, m.capturedStart() - od);
        wynik += nowy;
        od = m.capturedEnd();
        zmiana = true;
    }
    if (zmiana)
        xml = (wynik + tekst.mid(od)).toUtf8();
    return zmiana;
}

// Writes into the folder a copy of a .docx or .odt without comments and with the links relative to its
// own folder made absolute; returns the copy, or empty when the file needs none (or is no zip package:
// the office then says what it makes of it). An .odt's copy ends with an empty paragraph of its own
// (akapitKoncowy), which the office's insertion of an OpenDocument text gives the looks of the paragraph
// before it, instead of giving them to the document's own last paragraph.
QString KopiaDoWstawienia(const QString& plik, std::unique_ptr<QTemporaryDir>& katalogKopii, bool& akapitKoncowy)
{
    akapitKoncowy = false;
    const QString rodzaj = QFileInfo(plik).suffix().toLower();
    const bool docx = rodzaj == QLatin1String("docx");
    if (!docx && rodzaj != QLatin1String("odt"))
        return {};
    TZipFile zip;
    try {
        zip.LoadFromFile(plik);
    } catch (const EBlad&) {
        return {};
    }
    const QDir katalog = QFileInfo(plik).absoluteDir();
    const auto usun = [](const QRegularExpressionMatch&) { return QString(); };
    bool zmieniony = false;
    for (int i = 0; i < zip.GetCount(); ++i) {
        const QString nazwa = QString::fromUtf8(zip.GetName(i));
        if (!nazwa.endsWith(QLatin1String(".xml")) && !nazwa.endsWith(QLatin1String(".rels")))
            continue;
        QByteArray xml = zip.GetData(i);
        bool zmiana = false;
        if (docx && nazwa.endsWith(QLatin1String(".rels"))) {
            zmiana |= Zamien(xml, KRelacjaKomentarzy, usun);
            zmiana |= Zamien(xml, KCelZewnetrzny, [&](const QRegularExpressionMatch& m) {
                QString relacja = m.captured(0);
                const auto cel = KCel.match(relacja);
                const QString adres = cel.hasMatch() ? AdresBezwzgledny(cel.captured(1), katalog) : QString();
                if (!adres.isEmpty())
                    relacja.replace(cel.capturedStart(1), cel.capturedLength(1), Xml(adres));
                return relacja;
            });
        } else if (docx && nazwa.startsWith(QLatin1String("word/"))) {
            zmiana |= Zamien(xml, KKomentarzDocx, usun);
        } else if (!docx && (nazwa == QLatin1String("content.xml") || nazwa == QLatin1String("styles.xml"))) {
            zmiana |= Zamien(xml, KKomentarzOdt, usun);
            const qsizetype koniec = xml.lastIndexOf("</office:text>");
            if (nazwa == QLatin1String("content.xml") && koniec > 0 &&
                xml.contains("xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"")) {
                xml.insert(koniec, "<text:p/>");
                akapitKoncowy = zmiana = true;
            }
            // In a package "../" is the folder the file lies in.
            zmiana |= Zamien(xml, KOdnosnikOdt, [&](const QRegularExpressionMatch& m) {
                const QString adres = AdresBezwzgledny(m.captured(1).mid(3), katalog);
                return adres.isEmpty() ? m.captured(0) : QStringLiteral("xlink:href=\"%1\"").arg(Xml(adres));
            });
        }
        if (zmiana) {
            zip.SetData(i, xml);
            zmieniony = true;
        }
    }
    if (!zmieniony)
        return {};
    katalogKopii = std::make_unique<QTemporaryDir>();
    if (!katalogKopii->isValid()) {
        akapitKoncowy = false;
        return {};
    }
    const QString kopia = katalogKopii->filePath(QStringLiteral("dokument.") + rodzaj);
    zip.SaveToFile(kopia);
    return kopia;
}

// Settings of a style that name other styles or place it among them, or that are relative to its parent's
// (a copy takes the values they give instead): not part of its look as such.
bool CzyPominacWStylu(const OUString& nazwa)
{
    static const char* const KPomijane[] = {"DisplayName",         "ParentStyle",   "FollowStyle",    "LinkStyle",
                                            "PageDescName",        "ListId",        "Hidden",         "Category",
                                            "StyleInterOpGrabBag", "CharStyleName", "CharStyleNames", "ParaStyleName",
                                            "IsAutoUpdate"};
    for (const char* p : KPomijane) {
        if (nazwa.equalsAscii(p))
            return true;
    }
    return nazwa.startsWith("CharPropHeight") || nazwa.startsWith("CharDiffHeight") || nazwa.endsWith("Relative");
}

// A copy of a paragraph or character style of the document under a new name. A paragraph style's copy
// takes every setting as it shows (its own, its parents' and the document's defaults), so that nothing of
// another document's same-named styles or defaults shows through; a character style's only what it or
// its parents set, the rest still comes from the paragraph.
void KopiujStylPodNazwa(const Reference<css::lang::XComponent>& dokument, bool akapitu, const OUString& nazwa,
                        const OUString& nowaNazwa)
{
    Reference<css::container::XNameContainer> style(Rodzina(dokument, akapitu ? "ParagraphStyles" : "CharacterStyles"),
                                                    UNO_QUERY_THROW);
    Reference<css::beans::XPropertySet> wzor(style->getByName(nazwa), UNO_QUERY_THROW);
    std::vector<Reference<css::beans::XPropertyState>> lancuch;
    for (Reference<css::style::XStyle> s(wzor, UNO_QUERY_THROW); s.is() && lancuch.size() < 32;) {
        lancuch.emplace_back(s, UNO_QUERY_THROW);
        const OUString rodzic = s->getParentStyle();
        s.clear();
        if (!rodzic.isEmpty() && style->hasByName(rodzic))
            s.set(style->getByName(rodzic), UNO_QUERY_THROW);
    }
    Reference<css::lang::XMultiServiceFactory> fabryka(dokument, UNO_QUERY_THROW);
    Reference<css::beans::XPropertySet> nowy(
        fabryka->createInstance(akapitu ? OUString("com.sun.star.style.ParagraphStyle")
                                        : OUString("com.sun.star.style.CharacterStyle")),
        UNO_QUERY_THROW);
    style->insertByName(nowaNazwa, Any(nowy));
    const auto wlasciwosci = wzor->getPropertySetInfo()->getProperties();
    for (const css::beans::Property& w : wlasciwosci) {
        if ((w.Attributes & css::beans::PropertyAttribute::READONLY) || CzyPominacWStylu(w.Name))
            continue;
        try {
            bool ustawiona = akapitu;
            for (std::size_t i = 0; !ustawiona && i < lancuch.size(); ++i)
                ustawiona = lancuch[i]->getPropertyState(w.Name) == css::beans::PropertyState_DIRECT_VALUE;
            const Any wartosc = wzor->getPropertyValue(w.Name);
            // The chapter numbering belongs to the document the copy goes into, and a title page is no
            // chapter of it.
            if (w.Name == "OutlineLevel" || (w.Name == "NumberingStyleName" && wartosc == Any(OUString("Outline"))))
                continue;
            if (ustawiona)
                nowy->setPropertyValue(w.Name, wartosc);
        } catch (const css::uno::Exception&) {
            // A setting this kind of style does not take as it was read: the copy keeps its own.
        }
    }
}

css::uno::Sequence<OUString> WlasciwosciZapisywalne(const Reference<css::beans::XPropertySet>& obiekt)
{
    std::vector<OUString> nazwy;
    const auto wlasciwosci = obiekt->getPropertySetInfo()->getProperties();
    for (const css::beans::Property& w : wlasciwosci) {
        if (!(w.Attributes & css::beans::PropertyAttribute::READONLY))
            nazwy.push_back(w.Name);
    }
    return css::uno::Sequence<OUString>(nazwy.data(), static_cast<sal_Int32>(nazwy.size()));
}

// Keeps, of a package's paragraph and character styles, only those whose display name ends with the
// suffix (and a number, maybe): the others, no longer used by its text, would otherwise define the styles
// of that name in the document it is inserted into.
void ZostawTylkoStyleZPrzyrostkiem(const QString& odt, const QString& przyrostek)
{
    TZipFile zip;
    zip.LoadFromFile(odt);
    static const QRegularExpression KStyl(
        QStringLiteral("<style:style\\b[^>]*style:family=\"(paragraph|text)\"[^>]*?(/>|>.*?</style:style>)"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression KNazwa(QStringLiteral("^<style:style\\b[^>]*?style:name=\"([^\"]*)\""));
    static const QRegularExpression KNazwaWyswietlana(
        QStringLiteral("^<style:style\\b[^>]*?style:display-name=\"([^\"]*)\""));
    const QRegularExpression kopia(QStringLiteral("%1( \\d+)?$").arg(QRegularExpression::escape(Xml(przyrostek))));
    for (int i = 0; i < zip.GetCount(); ++i) {
        if (zip.GetName(i) != "styles.xml")
            continue;
        const QByteArray xml = zip.GetData(i);
        const qsizetype poczatek = xml.indexOf("<office:styles>");
        const qsizetype koniec = xml.indexOf("</office:styles>");
        if (poczatek < 0 || koniec < poczatek)
            return;
        QByteArray style = xml.mid(poczatek, koniec - poczatek);
        const bool zmiana = Zamien(style, KStyl, [&](const QRegularExpressionMatch& m) {
            const QString element = m.captured(0);
            auto nazwa = KNazwaWyswietlana.match(element);
            if (!nazwa.hasMatch())
                nazwa = KNazwa.match(element);
            return nazwa.hasMatch() && kopia.match(nazwa.captured(1)).hasMatch() ? element : QString();
        });
        if (!zmiana)
            return;
        zip.SetData(i, xml.left(poczatek) + style + xml.mid(koniec));
        zip.SaveToFile(odt);
        return;
    }
}

// Gives the styles that the document's text uses copies of their own (named after them, with the suffix,
// and unknown to the other document), so that inserted into the other document the text keeps its look.
void NadajWlasneStyle(const Reference<css::lang::XComponent>& dokument, const Reference<css::lang::XComponent>& cel,
                      const QString& przyrostek)
{
    std::map<std::pair<bool, OUString>, OUString> kopie;
    auto kopia = [&](bool akapitu, const OUString& nazwa) -> OUString {
        const char* rodzina = akapitu ? "ParagraphStyles" : "CharacterStyles";
        Reference<css::container::XNameAccess> style = Rodzina(dokument, rodzina);
        if (nazwa.isEmpty() || !style->hasByName(nazwa))
            return nazwa;
        if (const auto it = kopie.find({akapitu, nazwa}); it != kopie.end())
            return it->second;
        Reference<css::beans::XPropertySet> wzor(style->getByName(nazwa), UNO_QUERY_THROW);
        const QString podstawa = ZUno(wzor->getPropertyValue("DisplayName").get<OUString>()) + przyrostek;
        Reference<css::container::XNameAccess> wCelu = Rodzina(cel, rodzina);
        OUString nowa = DoUno(podstawa);
        for (int i = 2; style->hasByName(nowa) || wCelu->hasByName(nowa); ++i)
            nowa = DoUno(QStringLiteral("%1 %2").arg(podstawa).arg(i));
        KopiujStylPodNazwa(dokument, akapitu, nazwa, nowa);
        kopie[{akapitu, nazwa}] = nowa;
        return nowa;
    };
    std::function<void(const Reference<css::text::XText>&)> przejdz = [&](const Reference<css::text::XText>& tekst) {
        Reference<css::container::XEnumeration> elementy =
            Reference<css::container::XEnumerationAccess>(tekst, UNO_QUERY_THROW)->createEnumeration();
        while (elementy->hasMoreElements()) {
            const Any element = elementy->nextElement();
            Reference<css::text::XTextTable> tabela(element, UNO_QUERY);
            if (tabela.is()) {
                const auto komorki = tabela->getCellNames();
                for (const OUString& komorka : komorki)
                    przejdz(Reference<css::text::XText>(tabela->getCellByName(komorka), UNO_QUERY_THROW));
                continue;
            }
            Reference<css::beans::XPropertySet> akapit(element, UNO_QUERY);
            if (!akapit.is())
                continue;
            OUString styl;
            akapit->getPropertyValue("ParaStyleName") >>= styl;
            // A paragraph given another style loses what was set on it directly: that goes back on.
            Reference<css::beans::XPropertyState> stan(akapit, UNO_QUERY_THROW);
            const auto nazwy = WlasciwosciZapisywalne(akapit);
            const auto stany = stan->getPropertyStates(nazwy);
            std::vector<std::pair<OUString, Any>> bezposrednie;
            for (sal_Int32 i = 0; i < nazwy.getLength(); ++i) {
                if (stany[i] == css::beans::PropertyState_DIRECT_VALUE && nazwy[i] != "ParaStyleName")
                    bezposrednie.emplace_back(nazwy[i], akapit->getPropertyValue(nazwy[i]));
            }
            akapit->setPropertyValue("ParaStyleName", Any(kopia(true, styl)));
            for (const auto& [nazwa, wartosc] : bezposrednie) {
                try {
                    if (akapit->getPropertyValue(nazwa) != wartosc)
                        akapit->setPropertyValue(nazwa, wartosc);
                } catch (const css::uno::Exception&) {
                }
            }
            Reference<css::container::XEnumerationAccess> czesci(element, UNO_QUERY);
            if (!czesci.is())
                continue;
            Reference<css::container::XEnumeration> fragmenty = czesci->createEnumeration();
            while (fragmenty->hasMoreElements()) {
                Reference<css::beans::XPropertySet> fragment(fragmenty->nextElement(), UNO_QUERY);
                OUString znakowy;
                if (fragment.is() && fragment->getPropertySetInfo()->hasPropertyByName("CharStyleName") &&
                    (fragment->getPropertyValue("CharStyleName") >>= znakowy) && !znakowy.isEmpty())
                    fragment->setPropertyValue("CharStyleName", Any(kopia(false, znakowy)));
            }
        }
    };
    przejdz(Reference<css::text::XTextDocument>(dokument, UNO_QUERY_THROW)->getText());
    Reference<css::text::XTextFramesSupplier> ramki(dokument, UNO_QUERY);
    if (ramki.is()) {
        Reference<css::container::XIndexAccess> wszystkie(ramki->getTextFrames(), UNO_QUERY_THROW);
        for (sal_Int32 i = 0; i < wszystkie->getCount(); ++i)
            przejdz(Reference<css::text::XTextFrame>(wszystkie->getByIndex(i), UNO_QUERY_THROW)->getText());
    }
}

// The settings of the page style the document begins with, for a page that has neither header nor
// footer: the space they took stays part of the margins, so the body keeps its place and size.
std::vector<css::beans::PropertyValue> UkladPierwszejStrony(const Reference<css::lang::XComponent>& dokument)
{
    Reference<css::text::XTextCursor> kursor =
        Reference<css::text::XTextDocument>(dokument, UNO_QUERY_THROW)->getText()->createTextCursor();
    kursor->gotoStart(false);
    OUString nazwa;
    Reference<css::beans::XPropertySet>(kursor, UNO_QUERY_THROW)->getPropertyValue("PageStyleName") >>= nazwa;
    Reference<css::beans::XPropertySet> styl(Rodzina(dokument, "PageStyles")->getByName(nazwa), UNO_QUERY_THROW);
    std::vector<css::beans::PropertyValue> wynik;
    std::vector<css::beans::PropertyValue> rozmiar; // last: the orientation set before it may swap the sides
    const auto wlasciwosci = styl->getPropertySetInfo()->getProperties();
    for (const css::beans::Property& w : wlasciwosci) {
        if ((w.Attributes & css::beans::PropertyAttribute::READONLY) || w.Name.startsWith("Header") ||
            w.Name.startsWith("Footer") || w.Name.startsWith("FirstIsShared") || w.Name == "FollowStyle" ||
            w.Name == "DisplayName" || w.Name == "Hidden" || w.Name == "StyleInterOpGrabBag" ||
            w.Name == "RegisterParagraphStyle")
            continue;
        try {
            css::beans::PropertyValue p;
            p.Name = w.Name;
            p.Value = styl->getPropertyValue(w.Name);
            (w.Name == "Size" || w.Name == "Width" || w.Name == "Height" ? rozmiar : wynik).push_back(p);
        } catch (const css::uno::Exception&) {
        }
    }
    auto dolicz = [&](const char* wlaczony, const char* wysokosc, const char* margines) {
        if (!styl->getPropertyValue(OUString::createFromAscii(wlaczony)).get<bool>())
            return;
        for (auto& p : wynik) {
            if (p.Name.equalsAscii(margines))
                p.Value <<= p.Value.get<sal_Int32>() +
                            styl->getPropertyValue(OUString::createFromAscii(wysokosc)).get<sal_Int32>();
        }
    };
    dolicz("HeaderIsOn", "HeaderHeight", "TopMargin");
    dolicz("FooterIsOn", "FooterHeight", "BottomMargin");
    wynik.insert(wynik.end(), rozmiar.begin(), rozmiar.end());
    return wynik;
}

// Comments would end the office when the text is inserted (see KopiaDoWstawienia).
void UsunKomentarze(const Reference<css::lang::XComponent>& dokument)
{
    Reference<css::text::XTextFieldsSupplier> pola(dokument, UNO_QUERY);
    if (!pola.is())
        return;
    std::vector<Reference<css::lang::XComponent>> komentarze;
    Reference<css::container::XEnumeration> e = pola->getTextFields()->createEnumeration();
    while (e->hasMoreElements()) {
        Reference<css::lang::XServiceInfo> pole(e->nextElement(), UNO_QUERY);
        if (pole.is() && pole->supportsService("com.sun.star.text.textfield.Annotation"))
            komentarze.emplace_back(pole, UNO_QUERY);
    }
    for (const auto& k : komentarze) {
        if (k.is())
            k->dispose();
    }
}

// Closes a document that only this code holds, however the code ends.
// The longest a conversion of one document by an office of its own may take, its start included.
constexpr int KCzasKonwersjiMs = 120000;

struct TZamykanyDokument
{
    Reference<css::lang::XComponent> Dokument;
    ~TZamykanyDokument()
    {
        try {
            Reference<css::util::XCloseable> zamykany(Dokument, UNO_QUERY);
            if (zamykany.is())
                zamykany->close(true);
        } catch (...) {
            // The office may be gone already.
        }
    }
};

} // namespace

TDokumentLibreOffice::TDokumentLibreOffice(Reference<css::lang::XComponent> dokument, QString plik,
                                           Reference<css::frame::XDesktop2> desktop)
    : FDokument(std::move(dokument)), FPlik(std::move(plik)), FDesktop(std::move(desktop))
{
}

TDokumentLibreOffice::~TDokumentLibreOffice()
{
    try {
        Reference<css::util::XCloseable> zamykany(FDokument, UNO_QUERY);
        if (zamykany.is())
            zamykany->close(true);
        else if (FDokument.is())
            FDokument->dispose();
    } catch (...) {
        // The office may be gone already; nothing is left to close then.
    }
}

QString TDokumentLibreOffice::FiltrWczytania(const QString& plik)
{
    const QString rozszerzenie = QFileInfo(plik).suffix().toLower();
    if (rozszerzenie == QLatin1String("doc"))
        return QStringLiteral("MS Word 97");
    if (rozszerzenie == QLatin1String("docx"))
        return QStringLiteral("MS Word 2007 XML");
    if (rozszerzenie == QLatin1String("odt"))
        return QStringLiteral("writer8");
    return {};
}

QString TDokumentLibreOffice::FiltrZapisu(const QString& plik)
{
    const QString rozszerzenie = QFileInfo(plik).suffix().toLower();
    if (rozszerzenie == QLatin1String("pdf"))
        return QStringLiteral("writer_pdf_Export");
    return FiltrWczytania(plik);
}

Reference<css::lang::XComponent> TDokumentLibreOffice::OtworzOsobno(const QString& plik, const QString& oryginal)
{
    std::vector<css::beans::PropertyValue> argumenty = {
        Wlasciwosc("Hidden", Any(true)),
        Wlasciwosc("MacroExecutionMode", Any(sal_Int16(0))),
        Wlasciwosc("UpdateDocMode", Any(sal_Int16(0))),
    };
    if (const QString filtr = FiltrWczytania(plik); !filtr.isEmpty())
        argumenty.push_back(Wlasciwosc("FilterName", Any(DoUno(filtr))));
    Reference<css::lang::XComponent> dokument =
        Reference<css::frame::XComponentLoader>(FDesktop, UNO_QUERY_THROW)
            ->loadComponentFromURL(DoUno(ConvertToURL(plik)), "_blank", 0, Wlasciwosci(argumenty));
    if (!dokument.is())
        throw EBlad(QStringLiteral("Nie udało się otworzyć pliku: ") + oryginal);
    return dokument;
}

QString TDokumentLibreOffice::KopiaDocBezKomentarzy(const QString& plik, std::unique_ptr<QTemporaryDir>& katalogKopii,
                                                    bool& akapitKoncowy)
{
    akapitKoncowy = false;
    if (QFileInfo(plik).suffix().compare(QLatin1String("doc"), Qt::CaseInsensitive) != 0)
        return {};
    QByteArray bajty;
    try {
        bajty = CzytajCalyPlik(plik);
    } catch (const EBlad&) {
        return {}; // the insertion says what is wrong with the file
    }
    if (!CzyDocMaKomentarze(bajty))
        return {};
    QTemporaryDir katalog;
    if (!katalog.isValid())
        return {};
    // A Word 97 document cannot be cleaned outside an office, and the office we keep ends when such a
    // document's comments come in, even opened on its own: an office of its own converts it to an OpenDocument
    // text, which is cleaned as any other. Links the converter stores relative to the copy lead, from there, to
    // where the original's led.
    QProcess konwerter;
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("GLIBC_TUNABLES"),
                      QString::fromLatin1(StrojenieZDuzymiStronami(qgetenv("GLIBC_TUNABLES"))));
    konwerter.setProcessEnvironment(srodowisko);
    konwerter.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    konwerter.start(
        TProcesOffice::PlikWykonywalny(),
        {QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--nologo"),
         QStringLiteral("--norestore"), QStringLiteral("--nodefault"), QStringLiteral("--nolockcheck"),
         QStringLiteral("-env:UserInstallation=") + ConvertToURL(katalog.filePath(QStringLiteral("profil"))),
         QStringLiteral("--convert-to"), QStringLiteral("odt"), QStringLiteral("--outdir"), katalog.path(),
         QFileInfo(plik).absoluteFilePath()});
    if (!konwerter.waitForFinished(KCzasKonwersjiMs)) {
        konwerter.kill();
        konwerter.waitForFinished();
    }
    const QString odt = katalog.filePath(QFileInfo(plik).completeBaseName() + QStringLiteral(".odt"));
    if (konwerter.exitStatus() != QProcess::NormalExit || konwerter.exitCode() != 0 || !QFileInfo(odt).isFile())
        throw EBlad(QStringLiteral("Nie udało się usunąć komentarzy z dokumentu \"%1\", a pakiet biurowy nie "
                                   "wstawia dokumentów Word 97 z komentarzami.")
                        .arg(QFileInfo(plik).fileName()));
    return KopiaDoWstawienia(odt, katalogKopii, akapitKoncowy);
}

void TDokumentLibreOffice::WstawPlik(const QString& plik, bool zPodzialemStrony)
{
    std::unique_ptr<QTemporaryDir> katalogKopii;
    bool akapitKoncowy = false;
    QString kopia;
    try {
        kopia = KopiaDoWstawienia(plik, katalogKopii, akapitKoncowy);
        if (kopia.isEmpty())
            kopia = KopiaDocBezKomentarzy(plik, katalogKopii, akapitKoncowy);
    } catch (const ESilnikUtracony&) {
        throw ESilnikUtracony(QStringLiteral("Pakiet biurowy przerwał pracę podczas wstawiania dokumentu \"%1\".")
                                  .arg(QFileInfo(plik).fileName()));
    }
    const QString wstawiany = kopia.isEmpty() ? plik : kopia;
    try {
        WstawWprost(wstawiany, zPodzialemStrony, plik, akapitKoncowy);
    } catch (const ESilnikUtracony&) {
        // The engine starts the office again and repeats the merge once; the user learns which file it was.
        throw ESilnikUtracony(QStringLiteral("Pakiet biurowy przerwał pracę podczas wstawiania dokumentu \"%1\".")
                                  .arg(QFileInfo(plik).fileName()));
    }
}

void TDokumentLibreOffice::WstawStroneTytulowa(const QString& plik)
{
    std::unique_ptr<QTemporaryDir> katalogKopii;
    bool akapitKoncowy = false;
    const QString kopia = KopiaDoWstawienia(plik, katalogKopii, akapitKoncowy);
    QTemporaryDir katalog;
    if (!FDesktop.is() || !katalog.isValid()) {
        WstawPlik(plik, false);
        return;
    }
    // The title page is made ready in a document of its own: there its styles still mean what its maker
    // meant, here the same names may mean something else.
    const QString przygotowana = katalog.filePath(QStringLiteral("strona_tytulowa.odt"));
    try {
        WywolajUno([&] {
            TZamykanyDokument tytul{OtworzOsobno(kopia.isEmpty() ? plik : kopia, plik)};
            FUkladTytulowej = UkladPierwszejStrony(tytul.Dokument);
            UsunKomentarze(tytul.Dokument);
            NadajWlasneStyle(tytul.Dokument, FDokument, KPrzyrostekTytulowej);
            // The paragraph that the insertion gives its neighbour's looks (see KopiaDoWstawienia); the
            // copy loaded may have one already.
            Reference<css::text::XText> tekst =
                Reference<css::text::XTextDocument>(tytul.Dokument, UNO_QUERY_THROW)->getText();
            if (!akapitKoncowy)
                tekst->insertControlCharacter(tekst->getEnd(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
            Reference<css::frame::XStorable>(tytul.Dokument, UNO_QUERY_THROW)
                ->storeToURL(DoUno(ConvertToURL(przygotowana)),
                             Wlasciwosci({Wlasciwosc("FilterName", Any(OUString("writer8")))}));
        });
        ZostawTylkoStyleZPrzyrostkiem(przygotowana, KPrzyrostekTytulowej);
        WstawWprost(przygotowana, false, plik, true);
    } catch (const ESilnikUtracony&) {
        throw ESilnikUtracony(QStringLiteral("Pakiet biurowy przerwał pracę podczas wstawiania dokumentu \"%1\".")
                                  .arg(QFileInfo(plik).fileName()));
    }
}

void TDokumentLibreOffice::WstawWprost(const QString& plik, bool zPodzialemStrony, const QString& oryginal,
                                       bool zAkapitemKoncowym)
{
    WywolajUno([&] {
        Reference<css::text::XTextDocument> tekstowy(FDokument, UNO_QUERY_THROW);
        Reference<css::text::XText> tekst = tekstowy->getText();
        // What was there before, from its last character on: a range that starts before the insertion
        // point stays where it is, so what follows it afterwards is the inserted file. (The document's
        // statistics are brought up to date in the background and cannot tell.)
        Reference<css::text::XTextCursor> przed = tekst->createTextCursor();
        przed->gotoEnd(false);
        // In an empty document there is nothing before: then the whole document is what came in.
        const bool pusty = !przed->goLeft(1, true);
        const qsizetype dlugoscPrzed = pusty ? 0 : ZUno(przed->getString()).size();
        Reference<css::text::XTextCursor> kursor = tekst->createTextCursor();
        kursor->gotoEnd(false);
        if (zPodzialemStrony) {
            tekst->insertControlCharacter(kursor.get(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
            kursor->gotoEnd(false);
            Reference<css::beans::XPropertySet>(kursor.get(), UNO_QUERY_THROW)
                ->setPropertyValue("BreakType", Any(css::style::BreakType_PAGE_BEFORE));
        }
        std::vector<css::beans::PropertyValue> argumenty;
        const QString filtr = FiltrWczytania(plik);
        // Without the filter named a .docx can come in as nothing at all.
        if (!filtr.isEmpty())
            argumenty.push_back(Wlasciwosc("FilterName", Any(DoUno(filtr))));
        Reference<css::document::XDocumentInsertable>(kursor, UNO_QUERY_THROW)
            ->insertDocumentFromURL(DoUno(ConvertToURL(plik)), Wlasciwosci(argumenty));
        Reference<css::text::XTextCursor> nowe = tekst->createTextCursorByRange(przed->getStart());
        if (pusty)
            nowe->gotoStart(false);
        nowe->gotoEnd(true);
        if (!ZUno(nowe->getString()).mid(dlugoscPrzed).trimmed().isEmpty() || CzyJestTrescBezTekstu(FDokument, nowe)) {
            // The old content's last character stayed where it was (the range's end may have grown with the
            // insertion): the file begins after it and after the end of its paragraph.
            Reference<css::text::XTextCursor> poczatek = tekst->createTextCursorByRange(przed->getStart());
            if (pusty)
                poczatek->gotoStart(false);
            else
                poczatek->goRight(zPodzialemStrony ? 2 : 1, false);
            FPoczatekOstatniego = poczatek->getStart();
            if (zAkapitemKoncowym) {
                // The file's own last paragraph stays as it was: the empty one after it goes.
                Reference<css::text::XParagraphCursor> koniec(tekst->createTextCursor(), UNO_QUERY_THROW);
                koniec->gotoEnd(false);
                koniec->gotoStartOfParagraph(true);
                if (koniec->getString().isEmpty() && koniec->goLeft(1, true))
                    koniec->setString(OUString());
            }
            return;
        }
        throw EBlad(QStringLiteral("Nie udało się wstawić pliku (plik jest pusty lub uszkodzony): ") + oryginal);
    });
}

void TDokumentLibreOffice::DodajZakladke(const QString& nazwa)
{
    const QString tytul = nazwa.trimmed();
    if (tytul.isEmpty())
        return;
    // The office mangles other characters of a bookmark's name on its way into a PDF's destinations.
    QString bezpieczna;
    for (const QChar z : tytul)
        bezpieczna += z.unicode() < 128 && (z.isLetterOrNumber() || z == u'-' || z == u'.') ? z : QChar(u'-');
    QString unikalna = bezpieczna;
    for (int i = 2; FZakladki.contains(unikalna); ++i)
        unikalna = QStringLiteral("%1-%2").arg(bezpieczna).arg(i);
    WywolajUno([&] {
        Reference<css::text::XTextDocument> tekstowy(FDokument, UNO_QUERY_THROW);
        Reference<css::text::XTextContent> zakladka(
            Reference<css::lang::XMultiServiceFactory>(FDokument, UNO_QUERY_THROW)
                ->createInstance("com.sun.star.text.Bookmark"),
            UNO_QUERY_THROW);
        Reference<css::container::XNamed>(zakladka, UNO_QUERY_THROW)->setName(DoUno(unikalna));
        Reference<css::text::XTextRange> miejsce = FPoczatekOstatniego;
        if (!miejsce.is())
            miejsce = tekstowy->getText()->getStart();
        tekstowy->getText()->insertTextContent(miejsce, zakladka, false);
        // The table of contents lists its entry marks: one per bookmark, invisible in the text.
        Reference<css::beans::XPropertySet> znacznik(
            Reference<css::lang::XMultiServiceFactory>(FDokument, UNO_QUERY_THROW)
                ->createInstance("com.sun.star.text.ContentIndexMark"),
            UNO_QUERY_THROW);
        znacznik->setPropertyValue("AlternativeText", Any(DoUno(tytul)));
        znacznik->setPropertyValue("Level", Any(sal_Int16(1)));
        tekstowy->getText()->insertTextContent(miejsce, Reference<css::text::XTextContent>(znacznik, UNO_QUERY_THROW),
                                               false);
        if (!FPierwszaZakladka.is())
            FPierwszaZakladka = miejsce;
    });
    FZakladki << unikalna;
    FTytulyZakladek << tytul;
}

void TDokumentLibreOffice::WstawSpisTresci()
{
    if (!FPierwszaZakladka.is())
        return;
    WywolajUno([&] {
        Reference<css::text::XTextDocument> tekstowy(FDokument, UNO_QUERY_THROW);
        Reference<css::text::XText> tekst = tekstowy->getText();
        Reference<css::lang::XMultiServiceFactory> fabryka(FDokument, UNO_QUERY_THROW);
        // A paragraph of its own before the first specification, which keeps its page break: the table
        // takes that page, the specification the next one.
        Reference<css::text::XTextCursor> kursor = tekst->createTextCursorByRange(FPierwszaZakladka);
        tekst->insertControlCharacter(kursor.get(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
        Reference<css::beans::XPropertySet>(kursor.get(), UNO_QUERY_THROW)
            ->setPropertyValue("BreakType", Any(css::style::BreakType_PAGE_BEFORE));
        kursor->goLeft(1, false);
        Reference<css::beans::XPropertySet> spis(fabryka->createInstance("com.sun.star.text.ContentIndex"),
                                                 UNO_QUERY_THROW);
        spis->setPropertyValue("CreateFromOutline", Any(false));
        spis->setPropertyValue("CreateFromMarks", Any(true));
        spis->setPropertyValue("Title", Any(DoUno(QStringLiteral("Spis treści"))));
        tekst->insertTextContent(kursor->getStart(), Reference<css::text::XTextContent>(spis, UNO_QUERY_THROW), false);
        Reference<css::util::XRefreshable>(spis, UNO_QUERY_THROW)->refresh();
    });
}

int TDokumentLibreOffice::ZamienWszystko(const QString& szukany, const QString& nowy, bool wielkoscLiter)
{
    return WywolajUno([&] {
        Reference<css::util::XReplaceable> zamiana(FDokument, UNO_QUERY_THROW);
        Reference<css::util::XReplaceDescriptor> opis = zamiana->createReplaceDescriptor();
        const bool wzorzec = nowy.contains(QLatin1Char('\n'));
        // Line ends can only be written through a pattern replacement, which makes them paragraphs.
        opis->setSearchString(DoUno(wzorzec ? WzorzecDoslowny(szukany) : szukany));
        opis->setReplaceString(DoUno(wzorzec ? ZamianaDoslowna(nowy) : nowy));
        Reference<css::beans::XPropertySet> p(opis, UNO_QUERY_THROW);
        p->setPropertyValue("SearchCaseSensitive", Any(wielkoscLiter));
        p->setPropertyValue("SearchRegularExpression", Any(wzorzec));
        return static_cast<int>(zamiana->replaceAll(opis.get()));
    });
}

int TDokumentLibreOffice::ZamienNaLinie(const QString& szukany, const QStringList& linie, bool wszystkie,
                                        bool zLamaniemWiersza)
{
    return WywolajUno([&] {
        Reference<css::util::XSearchable> szukanie(FDokument, UNO_QUERY_THROW);
        Reference<css::util::XSearchDescriptor> opis = szukanie->createSearchDescriptor();
        opis->setSearchString(DoUno(szukany));
        Reference<css::beans::XPropertySet>(opis, UNO_QUERY_THROW)->setPropertyValue("SearchCaseSensitive", Any(true));
        std::vector<Reference<css::text::XTextRange>> znalezione;
        if (wszystkie) {
            Reference<css::container::XIndexAccess> wszystkieZnalezione = szukanie->findAll(opis);
            for (sal_Int32 i = 0; wszystkieZnalezione.is() && i < wszystkieZnalezione->getCount(); ++i)
                znalezione.emplace_back(wszystkieZnalezione->getByIndex(i), UNO_QUERY_THROW);
        } else {
            Reference<css::text::XTextRange> pierwszy(szukanie->findFirst(opis), UNO_QUERY);
            if (pierwszy.is())
                znalezione.push_back(pierwszy);
        }
        for (const auto& zakres : znalezione) {
            Reference<css::text::XText> tekst = zakres->getText();
            Reference<css::text::XTextCursor> kursor = tekst->createTextCursorByRange(zakres);
            kursor->setString(OUString());
            for (int i = 0; i < linie.size(); ++i) {
                if (i > 0)
                    tekst->insertControlCharacter(kursor.get(),
                                                  zLamaniemWiersza ? css::text::ControlCharacter::LINE_BREAK
                                                                   : css::text::ControlCharacter::PARAGRAPH_BREAK,
                                                  false);
                tekst->insertString(kursor.get(), DoUno(linie[i]), false);
            }
        }
        return static_cast<int>(znalezione.size());
    });
}

int TDokumentLibreOffice::PoliczWystapienia(const QString& szukany)
{
    return WywolajUno([&] {
        Reference<css::util::XSearchable> szukanie(FDokument, UNO_QUERY_THROW);
        Reference<css::util::XSearchDescriptor> opis = szukanie->createSearchDescriptor();
        opis->setSearchString(DoUno(szukany));
        Reference<css::beans::XPropertySet>(opis, UNO_QUERY_THROW)->setPropertyValue("SearchCaseSensitive", Any(true));
        Reference<css::container::XIndexAccess> znalezione = szukanie->findAll(opis);
        return znalezione.is() ? static_cast<int>(znalezione->getCount()) : 0;
    });
}

void TDokumentLibreOffice::UstawStronePierwsza()
{
    WywolajUno([&] {
        Reference<css::beans::XPropertySet> pierwsza(
            Rodzina(FDokument, "PageStyles")->getByName(OUString::createFromAscii(KStronaPierwsza)), UNO_QUERY_THROW);
        // The title page's own layout; what this office's page styles cannot take is left as it is.
        for (const css::beans::PropertyValue& p : FUkladTytulowej) {
            try {
                pierwsza->setPropertyValue(p.Name, p.Value);
            } catch (const css::uno::Exception&) {
            }
        }
        // The pages after the title page continue in the default style, which carries header and footer.
        pierwsza->setPropertyValue("FollowStyle", Any(OUString("Standard")));
        pierwsza->setPropertyValue("HeaderIsOn", Any(false));
        pierwsza->setPropertyValue("FooterIsOn", Any(false));
        Reference<css::text::XTextDocument> tekstowy(FDokument, UNO_QUERY_THROW);
        Reference<css::text::XTextCursor> kursor = tekstowy->getText()->createTextCursor();
        kursor->gotoStart(false);
        Reference<css::beans::XPropertySet>(kursor.get(), UNO_QUERY_THROW)
            ->setPropertyValue("PageDescName", Any(OUString::createFromAscii(KStronaPierwsza)));
    });
}

void TDokumentLibreOffice::UstawNaglowek(const TNaglowekDokumentu& naglowek)
{
    WywolajUno([&] {
        for (const auto& styl : StylyStron(FDokument, false)) {
            styl->setPropertyValue("HeaderIsOn", Any(true));
            styl->setPropertyValue("HeaderIsShared", Any(true));
            Reference<css::text::XText> tekst(styl->getPropertyValue("HeaderText"), UNO_QUERY_THROW);
            tekst->setString(OUString());
            Reference<css::text::XTextCursor> kursor = tekst->createTextCursor();
            tekst->insertString(kursor.get(), DoUno(naglowek.Tekst), false);
            if (!naglowek.StylOdwolania.trimmed().isEmpty()) {
                tekst->insertControlCharacter(kursor.get(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
                WstawOdwolanieDoStylu(tekst, kursor);
                FStylOdwolania = naglowek.StylOdwolania.trimmed();
            }
            kursor->gotoStart(false);
            kursor->gotoEnd(true);
            Reference<css::beans::XPropertySet> p(kursor.get(), UNO_QUERY_THROW);
            UstawCzcionke(p);
            p->setPropertyValue("ParaAdjust", Any(sal_Int16(css::style::ParagraphAdjust_LEFT)));
            p->setPropertyValue("BottomBorder", Any(Linia()));
            styl->setPropertyValue("HeaderBodyDistance", Any(sal_Int32(400)));
        }
    });
}

void TDokumentLibreOffice::UstawStopke(const TStopkaDokumentu& stopka)
{
    WywolajUno([&] {
        Reference<css::lang::XMultiServiceFactory> fabryka(FDokument, UNO_QUERY_THROW);
        auto pisz = [&](const Reference<css::text::XText>& tekst, bool prawaStrona) {
            tekst->setString(OUString());
            Reference<css::text::XTextCursor> kursor = tekst->createTextCursor();
            auto numer = [&] {
                Reference<css::beans::XPropertySet> pole(
                    fabryka->createInstance("com.sun.star.text.textfield.PageNumber"), UNO_QUERY_THROW);
                pole->setPropertyValue("NumberingType", Any(sal_Int16(4))); // arabic
                pole->setPropertyValue("SubType", Any(css::text::PageNumberType_CURRENT));
                pole->setPropertyValue("Offset", Any(sal_Int16(0)));
                tekst->insertTextContent(kursor.get(), Reference<css::text::XTextContent>(pole, UNO_QUERY_THROW),
                                         false);
            };
            const OUString tresc = DoUno(stopka.Tekst);
            if (!stopka.CzyNrStrony) {
                tekst->insertString(kursor.get(), tresc, false);
            } else if (stopka.CzyDwustronna && !prawaStrona) {
                tekst->insertString(kursor.get(), "Strona - ", false);
                numer();
                tekst->insertString(kursor.get(), "\t\t" + tresc, false);
            } else {
                tekst->insertString(kursor.get(), tresc + "\t\tStrona - ", false);
                numer();
            }
            kursor->gotoStart(false);
            kursor->gotoEnd(true);
            Reference<css::beans::XPropertySet> p(kursor.get(), UNO_QUERY_THROW);
            UstawCzcionke(p);
            p->setPropertyValue("TopBorder", Any(Linia()));
            p->setPropertyValue("ParaAdjust",
                                Any(sal_Int16(stopka.CzyDwustronna && prawaStrona ? css::style::ParagraphAdjust_RIGHT
                                                                                  : css::style::ParagraphAdjust_LEFT)));
        };
        FDwustronny = stopka.CzyDwustronna;
        for (const auto& styl : StylyStron(FDokument, false)) {
            styl->setPropertyValue("FooterIsOn", Any(true));
            styl->setPropertyValue("FooterIsShared", Any(!stopka.CzyDwustronna));
            if (stopka.CzyDwustronna) {
                pisz(Reference<css::text::XText>(styl->getPropertyValue("FooterTextLeft"), UNO_QUERY_THROW), false);
                pisz(Reference<css::text::XText>(styl->getPropertyValue("FooterTextRight"), UNO_QUERY_THROW), true);
            } else {
                pisz(Reference<css::text::XText>(styl->getPropertyValue("FooterText"), UNO_QUERY_THROW), true);
            }
            styl->setPropertyValue("FooterBodyDistance", Any(sal_Int32(400)));
        }
    });
}

void TDokumentLibreOffice::UstawMarginesy(int lewy, int prawy, int gorny, int dolny)
{
    WywolajUno([&] {
        // A title page keeps the margins it was made with.
        for (const auto& styl : StylyStron(FDokument, FUkladTytulowej.empty())) {
            styl->setPropertyValue("LeftMargin", Any(sal_Int32(lewy * 100)));
            styl->setPropertyValue("RightMargin", Any(sal_Int32(prawy * 100)));
            // A word processor measures the top and bottom margins to the body text, with the header and
            // footer inside them; the office to the header and footer. So the header (footer) gets a fixed
            // height that fills the margin below the usual distance from the page's edge.
            auto ustaw = [&](const char* wlaczony, const char* dynamiczna, const char* wysokosc, const char* margines,
                             int mm) {
                const sal_Int32 calosc = mm * 100;
                if (!styl->getPropertyValue(OUString::createFromAscii(wlaczony)).get<bool>()) {
                    styl->setPropertyValue(OUString::createFromAscii(margines), Any(calosc));
                    return;
                }
                const sal_Int32 odKrawedzi = std::min<sal_Int32>(KOdlegloscOdKrawedzi, calosc / 2);
                styl->setPropertyValue(OUString::createFromAscii(margines), Any(odKrawedzi));
                styl->setPropertyValue(OUString::createFromAscii(dynamiczna), Any(false));
                styl->setPropertyValue(OUString::createFromAscii(wysokosc),
                                       Any(std::max<sal_Int32>(1, calosc - odKrawedzi)));
            };
            ustaw("HeaderIsOn", "HeaderIsDynamicHeight", "HeaderHeight", "TopMargin", gorny);
            ustaw("FooterIsOn", "FooterIsDynamicHeight", "FooterHeight", "BottomMargin", dolny);
        }
    });
}

QStringList TDokumentLibreOffice::NazwyUzywanychStylow()
{
    return WywolajUno([&] {
        QStringList wynik;
        Reference<css::container::XNameAccess> style = Rodzina(FDokument, "ParagraphStyles");
        const auto nazwy = style->getElementNames();
        for (const OUString& nazwa : nazwy) {
            Reference<css::style::XStyle> styl(style->getByName(nazwa), UNO_QUERY_THROW);
            if (!styl->isInUse())
                continue;
            Reference<css::beans::XPropertySet> p(styl, UNO_QUERY_THROW);
            wynik.append(ZUno(p->getPropertyValue("DisplayName").get<OUString>()));
        }
        return wynik;
    });
}

void TDokumentLibreOffice::KopiujStylAkapitu(IDokumentTekstowy& zrodlo, const QString& nazwa)
{
    auto* inny = dynamic_cast<TDokumentLibreOffice*>(&zrodlo);
    if (!inny)
        throw EBlad(QStringLiteral("Nie można skopiować stylu z dokumentu innego rodzaju."));
    WywolajUno([&] {
        Reference<css::container::XNameAccess> style = Rodzina(inny->FDokument, "ParagraphStyles");
        Reference<css::beans::XPropertySet> wzor;
        const auto nazwy = style->getElementNames();
        for (const OUString& n : nazwy) {
            Reference<css::beans::XPropertySet> p(style->getByName(n), UNO_QUERY_THROW);
            if (ZUno(p->getPropertyValue("DisplayName").get<OUString>())
                    .trimmed()
                    .compare(nazwa.trimmed(), Qt::CaseInsensitive) == 0) {
                wzor = p;
                break;
            }
        }
        if (!wzor.is())
            throw EBlad(QStringLiteral("Szablon nie zawiera stylu: ") + nazwa);
        const OUString nazwaStylu = Reference<css::style::XStyle>(wzor, UNO_QUERY_THROW)->getName();
        Reference<css::container::XNameContainer> doceloweStyle(Rodzina(FDokument, "ParagraphStyles"), UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet> nowy;
        if (doceloweStyle->hasByName(nazwaStylu)) {
            nowy.set(doceloweStyle->getByName(nazwaStylu), UNO_QUERY_THROW);
        } else {
            Reference<css::lang::XMultiServiceFactory> fabryka(FDokument, UNO_QUERY_THROW);
            nowy.set(fabryka->createInstance("com.sun.star.style.ParagraphStyle"), UNO_QUERY_THROW);
            doceloweStyle->insertByName(nazwaStylu, Any(nowy));
        }
        const OUString rodzic = Reference<css::style::XStyle>(wzor, UNO_QUERY_THROW)->getParentStyle();
        if (!rodzic.isEmpty() && doceloweStyle->hasByName(rodzic))
            Reference<css::style::XStyle>(nowy, UNO_QUERY_THROW)->setParentStyle(rodzic);
        // Every setting the two documents share the meaning of; one that does not fit here is left as it is.
        const auto wlasciwosci = wzor->getPropertySetInfo()->getProperties();
        for (const css::beans::Property& w : wlasciwosci) {
            if (w.Attributes & css::beans::PropertyAttribute::READONLY)
                continue;
            if (w.Name == "DisplayName" || w.Name == "ParentStyle" || w.Name == "FollowStyle" ||
                w.Name == "NumberingStyleName" || w.Name == "PageDescName" || w.Name == "ListId" ||
                w.Name == "StyleInterOpGrabBag")
                continue;
            try {
                nowy->setPropertyValue(w.Name, wzor->getPropertyValue(w.Name));
            } catch (const css::uno::Exception&) {
            }
        }
    });
}

void TDokumentLibreOffice::Zapisz(const QString& plik)
{
    const QString filtr = FiltrZapisu(plik);
    if (filtr.isEmpty())
        throw EBlad(QStringLiteral("Nieobsługiwany format pliku wynikowego: ") + plik);
    const QFileInfo cel(plik);
    const QString brakZapisu =
        QStringLiteral("Brak możliwości zapisu dokumentu. Plik jest używany lub brak uprawnień do zapisu.");
    // Written beside the target under its extension and renamed over it, so a failure never leaves half a
    // document; a link in the target's place is replaced, as saving a document anew replaces the file.
    TZamianaPliku zamiana(plik, TOpcjeZamianyPliku{.PrzezDowiazanie = false, .ZRozszerzeniem = true});
    const QString tymczasowy = zamiana.Sciezka();
    if (QFile nowy(tymczasowy); !nowy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw EBlad(brakZapisu);
    const bool docx = cel.suffix().compare(QLatin1String("docx"), Qt::CaseInsensitive) == 0;
    const bool pdf = cel.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
    // A .docx gets the style reference written into its XML below; elsewhere the marker becomes the
    // office's chapter field when the style is a heading of the outline (which the Word 97 export
    // writes as a STYLEREF field), and goes otherwise.
    if (!FStylOdwolania.isEmpty() && !docx)
        ZamienZnacznikNaPoleRozdzialu();
    WywolajUno([&] {
        Reference<css::frame::XStorable> zapis(FDokument, UNO_QUERY_THROW);
        std::vector<css::beans::PropertyValue> argumenty{Wlasciwosc("FilterName", Any(DoUno(filtr))),
                                                         Wlasciwosc("Overwrite", Any(true))};
        // The bookmarks become named destinations, which the outline written below leads to.
        if (pdf && !FZakladki.isEmpty())
            argumenty.push_back(
                Wlasciwosc("FilterData", Any(Wlasciwosci({Wlasciwosc("ExportBookmarksToPDFDestination", Any(true))}))));
        zapis->storeToURL(DoUno(ConvertToURL(tymczasowy)), Wlasciwosci(argumenty));
    });
    if (QFileInfo(tymczasowy).size() <= 0)
        throw EBlad(QStringLiteral("Pakiet biurowy nie zapisał dokumentu."));
    if (docx && (!FStylOdwolania.isEmpty() || FDwustronny))
        PoprawDocx(tymczasowy, FStylOdwolania, FDwustronny);
    if (pdf && !FZakladki.isEmpty())
        ZapiszKonspektPdf(tymczasowy, FZakladki, FTytulyZakladek);
    try {
        zamiana.Zastap();
    } catch (const EZamianaPliku&) {
        throw EBlad(brakZapisu);
    }
}

void TDokumentLibreOffice::ZamienZnacznikNaPoleRozdzialu()
{
    WywolajUno([&] {
        sal_Int16 poziom = 0;
        Reference<css::container::XNameAccess> style = Rodzina(FDokument, "ParagraphStyles");
        for (const OUString& n : style->getElementNames()) {
            Reference<css::beans::XPropertySet> p(style->getByName(n), UNO_QUERY_THROW);
            if (ZUno(p->getPropertyValue("DisplayName").get<OUString>()).compare(FStylOdwolania, Qt::CaseInsensitive) ==
                0) {
                p->getPropertyValue("OutlineLevel") >>= poziom;
                break;
            }
        }
        Reference<css::lang::XMultiServiceFactory> fabryka(FDokument, UNO_QUERY_THROW);
        const OUString znacznik = DoUno(ZnacznikOdwolaniaDoStylu());
        for (const auto& styl : StylyStron(FDokument, false)) {
            if (!styl->getPropertyValue("HeaderIsOn").get<bool>())
                continue;
            Reference<css::text::XText> tekst(styl->getPropertyValue("HeaderText"), UNO_QUERY_THROW);
            Reference<css::container::XEnumerationAccess> dostep(tekst, UNO_QUERY_THROW);
            Reference<css::container::XEnumeration> akapity = dostep->createEnumeration();
            while (akapity->hasMoreElements()) {
                Reference<css::text::XTextRange> akapit(akapity->nextElement(), UNO_QUERY);
                if (!akapit.is() || akapit->getString().indexOf(znacznik) < 0)
                    continue;
                Reference<css::text::XTextCursor> kursor = tekst->createTextCursorByRange(akapit);
                kursor->setString(OUString());
                if (poziom > 0) {
                    Reference<css::beans::XPropertySet> pole(
                        fabryka->createInstance("com.sun.star.text.textfield.Chapter"), UNO_QUERY_THROW);
                    pole->setPropertyValue("Level", Any(sal_Int8(poziom - 1)));
                    pole->setPropertyValue("ChapterFormat", Any(sal_Int16(0))); // the heading's text
                    tekst->insertTextContent(kursor.get(), Reference<css::text::XTextContent>(pole, UNO_QUERY_THROW),
                                             false);
                }
            }
        }
    });
}

void TDokumentLibreOffice::Zapisz()
{
    if (FPlik.isEmpty())
        throw EBlad(QStringLiteral("Dokument nie ma jeszcze pliku."));
    Zapisz(FPlik);
}
