#include "docs/libreoffice/DokumentLibreOffice.h"

#include "app/Pliki.h"
#include "app/ZapisBezpieczny.h"
#include "docs/AdresPliku.h"
#include "docs/KonspektPdf.h"
#include "docs/PoprawkiDocx.h"
#include "docs/libreoffice/PakietyDoWstawienia.h"
#include "docs/libreoffice/StyleDokumentu.h"
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
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
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
#include <com/sun/star/text/XEndnotesSupplier.hpp>
#include <com/sun/star/text/XFootnotesSupplier.hpp>
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
#include <QTemporaryDir>

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

// Whether the text is anywhere the office's search looks: the body with its tables, the headers and
// footers of every page style, the text frames, the footnotes and the endnotes.
bool GdziesJest(const Reference<css::lang::XComponent>& dokument, const QString& szukany, Qt::CaseSensitivity wielkosc)
{
    const auto zawiera = [&](const Reference<css::text::XText>& tekst) {
        return tekst.is() && ZUno(tekst->getString()).contains(szukany, wielkosc);
    };
    if (zawiera(Reference<css::text::XTextDocument>(dokument, UNO_QUERY_THROW)->getText()))
        return true;
    for (const auto& styl : StylyStron(dokument, true)) {
        for (const char* nazwa :
             {"HeaderText", "HeaderTextLeft", "HeaderTextFirst", "FooterText", "FooterTextLeft", "FooterTextFirst"}) {
            const OUString wlasciwosc = OUString::createFromAscii(nazwa);
            Reference<css::text::XText> tekst;
            if (styl->getPropertySetInfo()->hasPropertyByName(wlasciwosc))
                styl->getPropertyValue(wlasciwosc) >>= tekst;
            if (zawiera(tekst))
                return true;
        }
    }
    std::vector<Reference<css::container::XIndexAccess>> zbiory{
        Reference<css::container::XIndexAccess>(
            Reference<css::text::XTextFramesSupplier>(dokument, UNO_QUERY_THROW)->getTextFrames(), UNO_QUERY_THROW),
        Reference<css::text::XFootnotesSupplier>(dokument, UNO_QUERY_THROW)->getFootnotes(),
        Reference<css::text::XEndnotesSupplier>(dokument, UNO_QUERY_THROW)->getEndnotes()};
    for (const auto& zbior : zbiory)
        for (sal_Int32 i = 0; i < zbior->getCount(); ++i)
            if (zawiera(Reference<css::text::XText>(zbior->getByIndex(i), UNO_QUERY)))
                return true;
    return false;
}

// A view put on a document only for the office's search, which looks only where pages were laid out:
// closed again, however the search ends, so that the files inserted next build no pages.
struct TWidokNaCzas
{
    Reference<css::frame::XFrame> Ramka;
    ~TWidokNaCzas()
    {
        try {
            if (Ramka.is())
                Reference<css::util::XCloseable>(Ramka, UNO_QUERY_THROW)->close(true);
        } catch (...) {
            // The office may be gone already.
        }
    }
};

// Closes a document that only this code holds, however the code ends.
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
        // Closed with its views still held: letting them go first would lay out every page of a document
        // that is going away.
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

void TDokumentLibreOffice::WstrzymajWidoki()
{
    if (FWidokiWstrzymane)
        return;
    WywolajUno([&] {
        if (Reference<css::frame::XModel> model{FDokument, UNO_QUERY}; model.is())
            model->lockControllers();
    });
    FWidokiWstrzymane = true;
}

void TDokumentLibreOffice::WznowWidoki()
{
    if (!FWidokiWstrzymane)
        return;
    FWidokiWstrzymane = false;
    WywolajUno([&] {
        if (Reference<css::frame::XModel> model{FDokument, UNO_QUERY}; model.is())
            model->unlockControllers();
    });
    DolaczWidok();
}

// The merge's document is made without a view: the office then builds no pages while files come in,
// which cost most of a long merge. Pages are laid out when something needs them, on a hidden view.
Reference<css::frame::XFrame> TDokumentLibreOffice::DolaczWidok()
{
    return WywolajUno([&]() -> Reference<css::frame::XFrame> {
        Reference<css::frame::XModel> model{FDokument, UNO_QUERY};
        if (!model.is() || model->getCurrentController().is() || !FDesktop.is())
            return {};
        Reference<css::frame::XComponentLoader>(FDesktop, UNO_QUERY_THROW)
            ->loadComponentFromURL("private:object", "_blank", 0,
                                   Wlasciwosci({Wlasciwosc("Model", Any(model)), Wlasciwosc("Hidden", Any(true))}));
        Reference<css::frame::XController> widok = model->getCurrentController();
        return widok.is() ? widok->getFrame() : Reference<css::frame::XFrame>();
    });
}

int TDokumentLibreOffice::Szukaj(const QString& szukany, bool wielkoscLiter, const std::function<int()>& szukanie)
{
    const bool bezWidoku = WywolajUno([&] {
        Reference<css::frame::XModel> model{FDokument, UNO_QUERY};
        return model.is() && !model->getCurrentController().is();
    });
    // Laying out the pages of a long merge for a search takes seconds; reading its texts, a fraction.
    if (bezWidoku && !WywolajUno([&] {
            return GdziesJest(FDokument, szukany, wielkoscLiter ? Qt::CaseSensitive : Qt::CaseInsensitive);
        }))
        return 0;
    const TWidokNaCzas widok{bezWidoku ? DolaczWidok() : Reference<css::frame::XFrame>()};
    return WywolajUno(szukanie);
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
    WstrzymajWidoki();
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
            if (zPodzialemStrony && !FPierwszyPodzial.is())
                FPierwszyPodzial = FPoczatekOstatniego;
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
    WznowWidoki();
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
    return Szukaj(szukany, wielkoscLiter, [&] {
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
    return Szukaj(szukany, true, [&] {
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
    return Szukaj(szukany, true, [&] {
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
        // The first document after it opens the default style by name as well (unless it opens a style of its
        // own): a .docx or a .doc is written from the text, where the follow style shows only in laid-out pages,
        // and would carry the title page's style on.
        if (FPierwszyPodzial.is()) {
            Reference<css::beans::XPropertySet> poczatek(tekstowy->getText()->createTextCursorByRange(FPierwszyPodzial),
                                                         UNO_QUERY_THROW);
            // A document that begins with a table carries its page style on the table.
            Reference<css::beans::XPropertySet> tabela;
            poczatek->getPropertyValue("TextTable") >>= tabela;
            if (tabela.is())
                poczatek = tabela;
            OUString wlasny;
            poczatek->getPropertyValue("PageDescName") >>= wlasny;
            if (wlasny.isEmpty())
                poczatek->setPropertyValue("PageDescName", Any(OUString("Standard")));
        }
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
    // Pages are laid out only for a PDF, which is written from them: a .docx, an .odt or a Word 97 file is
    // written from the text, and laying out thousands of pages took longer than writing them.
    if (pdf)
        WznowWidoki();
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
