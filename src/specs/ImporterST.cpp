#include "specs/ImporterST.h"

#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "specs/DuplikatStHandler.h"
#include "specs/SpisST.h"

#include <QFileInfo>

#include <memory>
#include <string>

namespace {

// All the text inside an element, as a DOM's text content gives it: text and CDATA of every descendant in
// document order, nothing trimmed. Empty for a missing element.
QString TekstElementu(const pugi::xml_node& e)
{
    std::string wynik;
    pugi::xml_node n = e.first_child();
    while (n) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            wynik += n.value();
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n != e && !n.next_sibling())
            n = n.parent();
        if (n == e)
            break;
        n = n.next_sibling();
    }
    return QString::fromStdString(wynik);
}

} // namespace

TImporterST::TImporterST(QObject* ownerForm, TSpisST* spisSt, const TZapamietaneOpcjeDuplikatow& zapamietane)
    : FSpisSt(spisSt), FOwnerForm(ownerForm), FZapamietane(zapamietane)
{
    if (!FSpisSt)
        throw EBlad(QStringLiteral("Spis specyfikacji nie może być pusty"));
    if (!FOwnerForm)
        throw EBlad(QStringLiteral("Okno główne nie może być puste"));
}

TImporterST::~TImporterST() = default;

TSpecyfikacja& TImporterST::SprawdzCel(TSpecyfikacja* wybranaGrupa) const
{
    // A node of another tree would take the new nodes out of sight of the list they were checked against.
    const TSpecyfikacja* korzen = wybranaGrupa;
    while (korzen && korzen->Parent())
        korzen = korzen->Parent();
    if (!wybranaGrupa || korzen != FSpisSt)
        throw EBlad(QStringLiteral("Nie wybrano lokalizacji docelowej dla importowanych specyfikacji"));
    return *wybranaGrupa;
}

void TImporterST::ImportujWykaz(const QString& filePath, TSpecyfikacja& grupa, IDuplikatStDialog* duplikatStDialog)
{
    TDuplikatStHandler handler(FZapamietane, duplikatStDialog);
    if (filePath.trimmed().isEmpty() || !QFileInfo(filePath).isFile())
        throw EBlad(QStringLiteral("Podany plik wykazu nie istnieje!"));
    pugi::xml_document dokument;
    WczytajPlikXml(filePath, dokument);
    ImportujDokument(dokument, grupa, handler, duplikatStDialog);
}

void TImporterST::ImportujWykazZBajtow(const QByteArray& bajty, TSpecyfikacja& grupa,
                                       IDuplikatStDialog* duplikatStDialog)
{
    TDuplikatStHandler handler(FZapamietane, duplikatStDialog);
    pugi::xml_document dokument;
    ParsujXml(bajty, dokument);
    ImportujDokument(dokument, grupa, handler, duplikatStDialog);
}

void TImporterST::ImportujDokument(const pugi::xml_document& dokument, TSpecyfikacja& grupa,
                                   TDuplikatStHandler& handler, IDuplikatStDialog* duplikatStDialog)
{
    const pugi::xml_node korzen = dokument.document_element();
    if (!korzen)
        return;
    // The group that collects the specifications that follow it.
    TSpecyfikacja* biezaca = nullptr;
    for (pugi::xml_node e = korzen.first_child(); e; e = e.next_sibling()) {
        if (e.type() != pugi::node_element)
            continue;
        const bool czyGrupa = XmlNaTekst(AtrybutXml(e, "rodz")) == QLatin1String("1");
        // Made with the list's folder: the duplicate check below looks at the document before it joins.
        auto s = std::make_unique<TSpecyfikacja>(TekstElementu(e.child("nr")), false, czyGrupa, QString(),
                                                 TekstElementu(e.child("plik")), TekstElementu(e.child("opis")),
                                                 FSpisSt->KatalogUzytkownika());
        TSpecyfikacja* istniejacy = nullptr;
        bool czyDuplikatPliku = false;
        if (handler.CzySaDuplikaty(*FSpisSt, s, istniejacy, czyDuplikatPliku, duplikatStDialog)) {
            const bool nadpisany = czyDuplikatPliku ? handler.GetWybranaOpcjaDuplikatowPliku() == dpoNadpisz
                                                    : handler.GetWybranaOpcjaDuplikatowNumeru() == doNadpisz;
            if (nadpisany && istniejacy && istniejacy->CzyGrupa())
                biezaca = istniejacy;
            continue;
        }
        TSpecyfikacja* wezel = s.get();
        if (wezel->CzyGrupa() || !biezaca) {
            grupa.Add(std::move(s));
            if (wezel->CzyGrupa())
                biezaca = wezel;
        } else {
            biezaca->Add(std::move(s));
        }
    }
}
