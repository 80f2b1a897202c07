// The archives and the set's and list's own writers agree on where the files' paths are: every attribute
// the writers put a path into is one the archives pack (and rewrite), and the archives look nowhere else.
#include "archive/PomocnikArchiwizatora.h"

#include "app/Xml.h"
#include "archive/Archiwum.h"
#include "archive/ZestawArchiwizator.h"
#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/NazwyPlikuSst.h"
#include "specs/WariantSpecyfikacji.h"
#include "zestaw/NazwyPlikuZst.h"
#include "zestaw/ZestawST.h"

#include <functional>
#include <set>
#include <string>
#include <utility>

namespace {

using TAtrybuty = std::set<std::pair<std::string, std::string>>;

// Element and attribute names of every attribute in the document whose value passes the test.
TAtrybuty Atrybuty(const pugi::xml_document& dokument, const std::function<bool(const QString&)>& test)
{
    TAtrybuty wynik;
    const std::function<void(pugi::xml_node)> przejdz = [&](pugi::xml_node wezel) {
        for (pugi::xml_attribute a : wezel.attributes())
            if (test(QString::fromUtf8(a.value())))
                wynik.emplace(wezel.name(), a.name());
        for (pugi::xml_node dziecko : wezel.children())
            przejdz(dziecko);
    };
    przejdz(dokument.document_element());
    return wynik;
}

TAtrybuty ZeSciezka(const pugi::xml_document& dokument, const QStringList& sciezki)
{
    return Atrybuty(dokument, [&](const QString& w) { return sciezki.contains(w); });
}

TAtrybuty ZOdwolaniem(const pugi::xml_document& dokument)
{
    return Atrybuty(dokument, [](const QString& w) { return w.startsWith(QLatin1String("ZIP\\")); });
}

template <typename TNazwy> void Dopisz(TAtrybuty& atrybuty, const char* element, const TNazwy& nazwy)
{
    for (const char* nazwa : nazwy)
        atrybuty.emplace(element, nazwa);
}

class TSciezkiModelu : public TTestArchiwizatora
{
protected:
    // A file outside the user folder, so that its stored path is the path itself.
    QString Plik(const QString& nazwa)
    {
        const QString sciezka = Tmp(QStringLiteral("pliki/") + nazwa);
        ZapiszPlik(sciezka, nazwa.toUtf8());
        return sciezka;
    }

    // A list with a group, a specification with a document and a variant with a document of its own.
    QString ZapiszListe(QStringList& dokumenty)
    {
        dokumenty = {Plik(QStringLiteral("d.doc")), Plik(QStringLiteral("w.doc"))};
        TSpisST spis;
        auto grupa = std::make_unique<TSpecyfikacja>(QStringLiteral("D"), false, true, QString(), QString(),
                                                     QStringLiteral("Drogi"));
        auto s = std::make_unique<TSpecyfikacja>(QStringLiteral("D-01"), false, false, QString(), dokumenty[0],
                                                 QStringLiteral("Trasa"));
        s->AddWariant(std::make_unique<TWariantSpecyfikacji>(QStringLiteral("A"), QStringLiteral("zabudowa"),
                                                             dokumenty[1], QString()));
        grupa->Add(std::move(s));
        spis.Add(std::move(grupa));
        const QString lista = Tmp(QStringLiteral("pliki/lista.sst"));
        spis.Zapisz(lista);
        return lista;
    }

    static void CzytajWpis(const QString& archiwum, const QString& wpis, pugi::xml_document& dokument)
    {
        TArchiwum a;
        a.Otworz(archiwum);
        ParsujXml(a.WypakujPlik(wpis), dokument);
    }
};

TEST_F(TSciezkiModelu, ListaZapisujeSciezkiTamGdzieArchiwumIchSzuka)
{
    QStringList dokumenty;
    const QString lista = ZapiszListe(dokumenty);
    TAtrybuty opisane;
    Dopisz(opisane, NazwySst::Wezel, NazwySst::SciezkiWezla);
    Dopisz(opisane, NazwySst::Wariant, NazwySst::SciezkiWariantu);

    pugi::xml_document zapisana;
    WczytajPlikXml(lista, zapisana);
    EXPECT_EQ(ZeSciezka(zapisana, dokumenty), opisane);

    TZestawArchiwizator archiwizator(OpcjeUzytkownika());
    archiwizator.StworzArchiwumSpisuSt(lista, Tmp(QStringLiteral("l.alst")));
    pugi::xml_document spakowana;
    CzytajWpis(Tmp(QStringLiteral("l.alst")), QStringLiteral("lista.sst"), spakowana);
    EXPECT_EQ(ZOdwolaniem(spakowana), opisane);
    EXPECT_TRUE(ZeSciezka(spakowana, dokumenty).empty());
}

TEST_F(TSciezkiModelu, ZestawZapisujeSciezkiTamGdzieArchiwumIchSzuka)
{
    QStringList sciezki;
    const QString lista = ZapiszListe(sciezki);
    TZestawST zestaw;
    zestaw.SpisSpecyfikacji()->Otworz(lista);
    const QString kosztorys = Plik(QStringLiteral("k.ath"));
    std::unique_ptr<TKosztorys> k = TKosztorysFactory::GetKosztorys(kosztorys, false, zestaw.Ustawienia());
    ASSERT_NE(k, nullptr);
    k->FilePath().SetPath(kosztorys);
    zestaw.AddKosztorys(std::move(k));
    const QString szablonDoc = Plik(QStringLiteral("strona.doc"));
    const QString szablonOdt = Plik(QStringLiteral("strona.odt"));
    zestaw.GetKonfiguracja()->GetPierwszaStronaDocTemplate()->SetPath(szablonDoc);
    zestaw.GetKonfiguracja()->GetPierwszaStronaOdtTemplate()->SetPath(szablonOdt);
    const QString plik = Tmp(QStringLiteral("pliki/z.zst"));
    zestaw.Zapisz(plik);
    sciezki = QStringList{lista, kosztorys, szablonDoc, szablonOdt};

    TAtrybuty opisane;
    Dopisz(opisane, NazwyZst::Kosztorys, NazwyZst::SciezkiKosztorysu);
    opisane.emplace(NazwyZst::Sst, NazwyZst::SciezkaSpisu);
    Dopisz(opisane, TKonfiguracjaZestawu::Element, TKonfiguracjaZestawu::SciezkiSzablonow);

    pugi::xml_document zapisany;
    WczytajPlikXml(plik, zapisany);
    EXPECT_EQ(ZeSciezka(zapisany, sciezki), opisane);

    TZestawArchiwizator archiwizator(OpcjeUzytkownika());
    EXPECT_TRUE(archiwizator.GetListyBrakow(plik).empty());
    archiwizator.StworzArchiwumZestawu(plik, Tmp(QStringLiteral("z.azst")));
    pugi::xml_document spakowany;
    CzytajWpis(Tmp(QStringLiteral("z.azst")), QStringLiteral("z.zst"), spakowany);
    EXPECT_EQ(ZOdwolaniem(spakowany), opisane);
    EXPECT_TRUE(ZeSciezka(spakowany, sciezki).empty());
}

} // namespace
