#include "docs/libreoffice/StyleDokumentu.h"

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

#include <QRegularExpression>
#include <QString>

#include <map>
#include <vector>

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

Reference<css::container::XNameAccess> Rodzina(const Reference<css::lang::XComponent>& dokument, const char* nazwa)
{
    Reference<css::style::XStyleFamiliesSupplier> dostawca(dokument, UNO_QUERY_THROW);
    return Reference<css::container::XNameAccess>(
        dostawca->getStyleFamilies()->getByName(OUString::createFromAscii(nazwa)), UNO_QUERY_THROW);
}

namespace {

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

} // namespace

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