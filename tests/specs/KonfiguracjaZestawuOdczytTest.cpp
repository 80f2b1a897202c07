// Reading the set configuration: missing elements and attributes, required attributes, duplicate names,
// damaged files (a failed read changes nothing).
#include "app/Wyjatki.h"
#include "specs/KonfiguracjaZestawuTestowa.h"

#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

class KonfiguracjaZestawuOdczytTest : public TTestKonfiguracjiZestawu
{
};

TEST_F(KonfiguracjaZestawuOdczytTest, BezKonfiguracjiDomyslneIWersjaBezZmian)
{
    for (const char* xml : {"<zestaw wersja=\"1.0.0.0\"><sst path=\"\"/></zestaw>", "<zestaw/>"}) {
        TKonfiguracjaZestawu k;
        UstawInne(k);
        int zdarzen = 0;
        k.OnZmianaPierwszejStrony = [&](TKonfiguracjaZestawu*) { ++zdarzen; };
        Wczytaj(k, xml);
        ExpectDomyslne(k);
        EXPECT_EQ(k.WersjaProgramu, QStringLiteral("3.2.1.7"));
        EXPECT_EQ(zdarzen, 1);
    }
    TKonfiguracjaZestawu k;
    UstawInne(k);
    k.Load(pugi::xml_node());
    ExpectDomyslne(k);
    EXPECT_EQ(k.WersjaProgramu, QStringLiteral("3.2.1.7"));
}

TEST_F(KonfiguracjaZestawuOdczytTest, WartosciBrakujacychAtrybutow)
{
    // The elements and attributes that have a fallback value; each removed in turn from a full
    // file whose value is the opposite of the fallback.
    struct TPrzypadek
    {
        const char* Element; // nullptr: "konfiguracja" itself
        const char* Atrybut;
        std::function<bool(const TKonfiguracjaZestawu&)> Sprawdz;
    };
    const TPrzypadek przypadki[] = {
        {nullptr, "szablonPierwszejStrony", [](const auto& k) { return k.CzyWstawiacSzablonPierwszejStrony; }},
        {nullptr, "czyEksportDoc", [](const auto& k) { return k.CzyEksportDoc; }},
        {nullptr, "czyOtworzDoc", [](const auto& k) { return k.CzyOtworzDoc; }},
        {nullptr, "czyWstawListeStDoWarOgolnych", [](const auto& k) { return !k.CzyWstawListeStDoWarOgolnych; }},
        {nullptr, "wersja", [](const auto& k) { return k.WersjaProgramu.isEmpty(); }},
        {nullptr, "szablonPierwszejStronyDocPath",
         [](const auto& k) { return k.GetPierwszaStronaDocTemplate()->EncodedPath().isEmpty(); }},
        {"naglowek", "use", [](const auto& k) { return k.CzyNaglowek; }},
        {"stopka", "use", [](const auto& k) { return k.CzyStopka; }},
        {"stopka", "nrStrony", [](const auto& k) { return !k.CzyNrStronyStopki; }},
        {"stopka", "drukDwustronny", [](const auto& k) { return !k.CzyDrukDwustronnyStopki; }},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(std::string(p.Element ? p.Element : "konfiguracja") + "/" + p.Atrybut);
        pugi::xml_document dok;
        ParsujXml(PelnyPlik, dok);
        pugi::xml_node kon = dok.document_element().child("konfiguracja");
        pugi::xml_node e = p.Element ? kon.child("eksportZbioru").child(p.Element) : kon;
        ASSERT_TRUE(e.remove_attribute(p.Atrybut));
        if (std::string(p.Atrybut) == "nrStrony")
            e.attribute("use").set_value("true"); // so that the page number is not off for another reason
        TKonfiguracjaZestawu k;
        k.Load(dok.document_element());
        EXPECT_TRUE(p.Sprawdz(k));
    }
}

TEST_F(KonfiguracjaZestawuOdczytTest, KrawedzieOpisane)
{
    TKonfiguracjaZestawu k;
    Wczytaj(k, "<zestaw><konfiguracja/></zestaw>");
    EXPECT_TRUE(k.CzyWstawiacSzablonPierwszejStrony); // default false, missing reads true
    EXPECT_TRUE(k.WersjaProgramu.isEmpty());
    EXPECT_TRUE(k.CzyNrStronyStopki); // no "stopka": the default stays
    Wczytaj(k, "<zestaw><konfiguracja><eksportZbioru><stopka>S</stopka></eksportZbioru></konfiguracja></zestaw>");
    EXPECT_FALSE(k.CzyNrStronyStopki); // default true, missing reads false
    EXPECT_TRUE(k.CzyStopka);
    EXPECT_EQ(k.TrescStopki, QStringLiteral("S"));
    EXPECT_EQ(k.TrescNaglowka, QStringLiteral("Treść nagłówka")); // no "naglowek": the default stays
    Wczytaj(k, "<zestaw><konfiguracja><eksportZbioru><naglowek use=\"1\"/></eksportZbioru></konfiguracja></zestaw>");
    EXPECT_EQ(k.TrescNaglowka, QString()); // present without text: an empty header
}

TEST_F(KonfiguracjaZestawuOdczytTest, LogiczneCzytaneJakWarstwaXml)
{
    const std::pair<const char*, bool> przypadki[] = {{"true", true},     {"TRUE", true}, {"False", false},
                                                      {" fAlSe ", false}, {"0", false},   {"1", true},
                                                      {"-2", true},       {"0,0", false}, {"2,5", true}};
    for (const auto& [tekst, oczekiwana] : przypadki) {
        SCOPED_TRACE(tekst);
        TKonfiguracjaZestawu k;
        Wczytaj(k, QByteArray("<zestaw><konfiguracja czyOtworzDoc=\"") + tekst + "\"><eksportZbioru><tekstDoSt use=\"" +
                       tekst + "\"/></eksportZbioru></konfiguracja></zestaw>");
        EXPECT_EQ(k.CzyOtworzDoc, oczekiwana);
        EXPECT_EQ(k.CzyWstawTekstDoSt, oczekiwana);
    }
}

TEST_F(KonfiguracjaZestawuOdczytTest, BrakujacyLubBlednyAtrybutWymaganyPsujeOdczytINicNieZmienia)
{
    struct TPrzypadek
    {
        const char* Element;
        const char* Atrybut;
        const char* Wartosc; // nullptr: the attribute is removed
        QString Komunikat;
    };
    auto Brak = [](const char* a, const char* e) {
        return QStringLiteral("Brak wymaganego atrybutu \"%1\" w elemencie \"%2\" konfiguracji zestawu.")
            .arg(QString::fromUtf8(a), QString::fromUtf8(e));
    };
    const QString logiczna = QStringLiteral("nie jest prawidłową wartością logiczną.");
    const QString calkowita = QStringLiteral("nie jest prawidłową liczbą całkowitą.");
    auto Zly = [](const char* a, const char* e, const char* w, const QString& reszta) {
        return QStringLiteral("Atrybut \"%1\" w elemencie \"%2\" konfiguracji zestawu: \"%3\" %4")
            .arg(QString::fromUtf8(a), QString::fromUtf8(e), QString::fromUtf8(w), reszta);
    };
    const TPrzypadek przypadki[] = {
        {"tekstDoSt", "use", nullptr, Brak("use", "tekstDoSt")},
        {"stylWNaglowku", "use", nullptr, Brak("use", "stylWNaglowku")},
        {"stylWNaglowku", "weryfikuj", nullptr, Brak("weryfikuj", "stylWNaglowku")},
        {"marginesy", "use", nullptr, Brak("use", "marginesy")},
        {"marginesy", "l", nullptr, Brak("l", "marginesy")},
        {"marginesy", "r", nullptr, Brak("r", "marginesy")},
        {"marginesy", "g", nullptr, Brak("g", "marginesy")},
        {"marginesy", "d", nullptr, Brak("d", "marginesy")},
        {"tekstDoSt", "use", "tak", Zly("use", "tekstDoSt", "tak", logiczna)},
        {"stylWNaglowku", "weryfikuj", "", Zly("weryfikuj", "stylWNaglowku", "", logiczna)},
        {"marginesy", "use", "yes", Zly("use", "marginesy", "yes", logiczna)},
        {"marginesy", "l", "2,5", Zly("l", "marginesy", "2,5", calkowita)},
        {"marginesy", "r", "", Zly("r", "marginesy", "", calkowita)},
        {"marginesy", "g", "99999999999", Zly("g", "marginesy", "99999999999", calkowita)},
        {"marginesy", "d", "1e2", Zly("d", "marginesy", "1e2", calkowita)},
        // Booleans with a fallback still fail on a text that is no boolean.
        {"naglowek", "use", "może", Zly("use", "naglowek", "może", logiczna)},
        {"stopka", "nrStrony", "x", Zly("nrStrony", "stopka", "x", logiczna)},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(std::string(p.Element) + "/" + p.Atrybut + "=" + (p.Wartosc ? p.Wartosc : "(brak)"));
        pugi::xml_document dok;
        ParsujXml(PelnyPlik, dok);
        pugi::xml_node e = dok.document_element().child("konfiguracja").child("eksportZbioru").child(p.Element);
        if (p.Wartosc)
            e.attribute(p.Atrybut).set_value(p.Wartosc);
        else
            ASSERT_TRUE(e.remove_attribute(p.Atrybut));

        TKonfiguracjaZestawu k;
        UstawInne(k);
        const QString przed = k.ToString();
        int zdarzen = 0;
        k.OnZmianaPierwszejStrony = [&](TKonfiguracjaZestawu*) { ++zdarzen; };
        try {
            k.Load(dok.document_element());
            ADD_FAILURE() << "read without an error";
        } catch (const EConvertError& blad) {
            EXPECT_EQ(blad.Komunikat(), p.Komunikat);
        }
        EXPECT_EQ(k.ToString(), przed);
        EXPECT_EQ(zdarzen, 0);
    }
}

TEST_F(KonfiguracjaZestawuOdczytTest, PowtorzonaNazwaExternalPsujeOdczyt)
{
    TKonfiguracjaZestawu k;
    UstawInne(k);
    const QString przed = k.ToString();
    try {
        Wczytaj(k, "<zestaw><konfiguracja><externals><a value=\"1\"/><b value=\"2\"/><a value=\"3\"/>"
                   "</externals></konfiguracja></zestaw>");
        FAIL() << "read a duplicate name";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(),
                  QStringLiteral("Powtórzona nazwa \"a\" w ustawieniach dodatkowych konfiguracji zestawu."));
    }
    EXPECT_EQ(k.ToString(), przed);
    // Names differing in letter case are different names, as XML names are.
    Wczytaj(k, "<zestaw><konfiguracja><externals><a value=\"1\"/>tekst<A/></externals></konfiguracja></zestaw>");
    ASSERT_EQ(k.ExternalValueList().size(), 2u);
    EXPECT_EQ(k.GetExternalNode(QStringLiteral("a")), QVariant(QStringLiteral("1")));
    EXPECT_TRUE(k.GetExternalNode(QStringLiteral("A")).isNull());
}

TEST_F(KonfiguracjaZestawuOdczytTest, OdczytPelnegoPlikuIZdarzenia)
{
    TKonfiguracjaZestawu k;
    int zdarzen = 0;
    k.OnZmianaPierwszejStrony = [&](TKonfiguracjaZestawu*) { ++zdarzen; };
    Wczytaj(k, PelnyPlik);
    EXPECT_EQ(zdarzen, 3); // the defaults, then each of the two paths
    EXPECT_EQ(k.WersjaProgramu, QStringLiteral("2.5.0.3"));
    EXPECT_FALSE(k.CzyWstawiacSzablonPierwszejStrony);
    EXPECT_EQ(k.GetPierwszaStronaDocTemplate()->EncodedPath(), QStringLiteral("%USERPATH%/a.doc"));
    EXPECT_EQ(k.GetPierwszaStronaOdtTemplate()->EncodedPath(), QStringLiteral("%USERPATH%/a.odt"));
    EXPECT_FALSE(k.CzyEksportDoc);
    EXPECT_FALSE(k.CzyOtworzDoc);
    EXPECT_TRUE(k.CzyWstawListeStDoWarOgolnych);
    EXPECT_FALSE(k.CzyNaglowek);
    EXPECT_EQ(k.TrescNaglowka, QStringLiteral("Nagłówek"));
    EXPECT_FALSE(k.CzyStopka);
    EXPECT_TRUE(k.CzyNrStronyStopki);
    EXPECT_TRUE(k.CzyDrukDwustronnyStopki);
    EXPECT_EQ(k.TrescStopki, QStringLiteral("Stopka"));
    EXPECT_TRUE(k.CzyWstawTekstDoSt);
    EXPECT_EQ(k.TekstDoSt, QStringLiteral("Tekst"));
    EXPECT_TRUE(k.CzyStylWNaglowku);
    EXPECT_FALSE(k.CzyWeryfikujStylNaglowka);
    EXPECT_EQ(k.NazwaStyluWNaglowku, QStringLiteral("Styl"));
    EXPECT_TRUE(k.CzyUstawMarginesy);
    EXPECT_EQ(k.MarginesL, 10);
    EXPECT_EQ(k.MarginesR, 11);
    EXPECT_EQ(k.MarginesG, 12);
    EXPECT_EQ(k.MarginesD, 13);
    EXPECT_EQ(k.GetExternalNode(QStringLiteral("xlsStawkaVat")), QVariant(QStringLiteral("8")));
    EXPECT_EQ(k.GetExternalNode(QStringLiteral("xlsTytul")), QVariant(QStringLiteral("Tytuł")));
}

TEST_F(KonfiguracjaZestawuOdczytTest, SciezkiZWindowsZachowaneIRozwiazywane)
{
    TKonfiguracjaZestawu k;
    k.UstawKatalogUzytkownika(QStringLiteral("/home/ewa/Velostra"));
    Wczytaj(k, "<zestaw><konfiguracja szablonPierwszejStronyDocPath=\" %USERPATH%\\Szablony\\t.doc \" "
               "szablonPierwszejStronyOdtPath=\"C:\\Szablony\\t.odt\"/></zestaw>");
    // Trimmed and kept as written, so that the file is written back as it was.
    EXPECT_EQ(k.GetPierwszaStronaDocTemplate()->EncodedPath(), QStringLiteral("%USERPATH%\\Szablony\\t.doc"));
    EXPECT_EQ(k.GetPierwszaStronaDocTemplate()->GetPath(), QStringLiteral("/home/ewa/Velostra/Szablony/t.doc"));
    EXPECT_EQ(k.GetPierwszaStronaOdtTemplate()->EncodedPath(), QStringLiteral("C:\\Szablony\\t.odt"));
}

TEST_F(KonfiguracjaZestawuOdczytTest, UszkodzonePlikiNieZostawiajaPolowicznegoOdczytu)
{
    TKonfiguracjaZestawu wzor;
    UstawInne(wzor);
    const QByteArray xml = Zapisz(wzor);
    const char* const teksty[] = {"", "x", "1", "-7", "true", "FALSE", "2,5", " 12 ", "%USERPATH%"};
    std::mt19937 los(20240611);
    int bledow = 0;
    for (int proba = 0; proba < 400; ++proba) {
        pugi::xml_document dok;
        ParsujXml(xml, dok);
        for (int zmian = 1 + static_cast<int>(los() % 3); zmian > 0; --zmian) {
            std::vector<std::pair<pugi::xml_node, pugi::xml_attribute>> atrybuty;
            for (const pugi::xpath_node& x : dok.select_nodes("//*"))
                for (pugi::xml_attribute a : x.node().attributes())
                    atrybuty.emplace_back(x.node(), a);
            auto [wezel, atrybut] = atrybuty[los() % atrybuty.size()];
            if (los() % 2)
                atrybut.set_value(teksty[los() % std::size(teksty)]);
            else
                wezel.remove_attribute(atrybut);
        }
        TKonfiguracjaZestawu k;
        UstawInne(k);
        k.TrescNaglowka = QStringLiteral("przed odczytem");
        const QString przed = k.ToString();
        try {
            k.Load(dok.document_element());
            EXPECT_NE(k.TrescNaglowka, QStringLiteral("przed odczytem"));
        } catch (const EBlad& e) {
            ++bledow;
            EXPECT_FALSE(e.Komunikat().isEmpty());
            EXPECT_EQ(k.ToString(), przed);
        }
    }
    EXPECT_GT(bledow, 0);
}

} // namespace
