// Writing the set configuration: element and attribute order, failures, and round trips of every setting.
#include "app/Wyjatki.h"
#include "specs/KonfiguracjaZestawuTestowa.h"

#include <functional>
#include <utility>

namespace {

class KonfiguracjaZestawuZapisTest : public TTestKonfiguracjiZestawu
{
};

TEST_F(KonfiguracjaZestawuZapisTest, ZapisWKolejnosciAtrybutowIElementow)
{
    TKonfiguracjaZestawu k;
    k.WersjaProgramu = QStringLiteral("7.1.0.12");
    EXPECT_EQ(Zapisz(k), QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<zestaw>
  <konfiguracja wersja="7.1.0.12" szablonPierwszejStrony="false" szablonPierwszejStronyDocPath="" szablonPierwszejStronyOdtPath="" czyEksportDoc="true" czyOtworzDoc="true" czyWstawListeStDoWarOgolnych="false">
    <eksportZbioru>
      <naglowek use="true">Treść nagłówka</naglowek>
      <stopka use="true" nrStrony="true" drukDwustronny="false">Treść stopki</stopka>
      <tekstDoSt use="false" />
      <stylWNaglowku use="false" weryfikuj="true" />
      <marginesy use="false" l="25" r="25" g="25" d="25" />
    </eksportZbioru>
  </konfiguracja>
</zestaw>
)"));

    k.CzyUstawMarginesy = true;
    k.MarginesG = 7;
    k.TekstDoSt = QStringLiteral("Roboty <A> & B");
    k.GetPierwszaStronaDocTemplate()->SetEncodedPath(QStringLiteral("%USERPATH%/s.doc"));
    k.AddExternalNode(QStringLiteral("xlsZaokraglaj"), true);
    k.AddExternalNode(QStringLiteral("xlsStawkaVat"), 23);
    k.AddExternalNode(QStringLiteral("bezWartosci"), QVariant());
    k.AddExternalNode(QStringLiteral("xlsZaokraglaj"), false); // replaced in place
    EXPECT_EQ(Zapisz(k), QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<zestaw>
  <konfiguracja wersja="7.1.0.12" szablonPierwszejStrony="false" szablonPierwszejStronyDocPath="%USERPATH%/s.doc" szablonPierwszejStronyOdtPath="" czyEksportDoc="true" czyOtworzDoc="true" czyWstawListeStDoWarOgolnych="false">
    <eksportZbioru>
      <naglowek use="true">Treść nagłówka</naglowek>
      <stopka use="true" nrStrony="true" drukDwustronny="false">Treść stopki</stopka>
      <tekstDoSt use="false">Roboty &lt;A&gt; &amp; B</tekstDoSt>
      <stylWNaglowku use="false" weryfikuj="true" />
      <marginesy use="true" l="25" r="25" g="7" d="25" />
    </eksportZbioru>
    <externals>
      <xlsZaokraglaj value="false" />
      <xlsStawkaVat value="23" />
      <bezWartosci />
    </externals>
  </konfiguracja>
</zestaw>
)"));
}

TEST_F(KonfiguracjaZestawuZapisTest, ZapisBezWezlaJestBledem)
{
    TKonfiguracjaZestawu k;
    pugi::xml_node brak;
    try {
        k.Save(brak);
        FAIL() << "saved without a node";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Brak możliwości zapisu konfiguracji zestawu"));
    }
    // A text node cannot hold the element: reported the same way, not passed over in silence.
    pugi::xml_document dok;
    pugi::xml_node tekst = dok.append_child("zestaw").append_child(pugi::node_pcdata);
    try {
        k.Save(tekst);
        FAIL() << "saved into a text node";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Brak możliwości zapisu konfiguracji zestawu"));
    }
}

TEST_F(KonfiguracjaZestawuZapisTest, PelnyObiegWszystkichUstawien)
{
    TKonfiguracjaZestawu zrodlo;
    UstawInne(zrodlo);
    const QByteArray xml = Zapisz(zrodlo);
    TKonfiguracjaZestawu k;
    Wczytaj(k, xml);
    ExpectRowne(zrodlo, k);
    EXPECT_EQ(k.ToString(), zrodlo.ToString());
    EXPECT_EQ(Zapisz(k), xml);
    // Values come back as text, since attributes are text.
    EXPECT_EQ(k.GetExternalNode(QStringLiteral("xlsOpis")).typeId(), static_cast<int>(QMetaType::QString));
    EXPECT_EQ(k.GetExternalNode(QStringLiteral("xlsOpis")).toString(),
              QStringLiteral("linia 1\r\nlinia 2\t& <x> \"q\" 'a' "));
    EXPECT_TRUE(k.GetExternalNode(QStringLiteral("bezWartosci")).isNull());
    EXPECT_FALSE(k.GetExternalNode(QStringLiteral("pustaWartosc")).isNull());
    EXPECT_EQ(k.GetExternalNode(QStringLiteral("pustaWartosc")).toString(), QString());
}

// Each switch and margin changed alone comes back alone: no two settings share or swap an attribute.
TEST_F(KonfiguracjaZestawuZapisTest, KazdeUstawienieOsobnoWracaNaSwojeMiejsce)
{
    using U = TUstawieniaEksportuZestawu;
    const std::pair<const char*, bool U::*> przelaczniki[] = {
        {"CzyNaglowek", &U::CzyNaglowek},
        {"CzyStopka", &U::CzyStopka},
        {"CzyNrStronyStopki", &U::CzyNrStronyStopki},
        {"CzyDrukDwustronnyStopki", &U::CzyDrukDwustronnyStopki},
        {"CzyWstawiacSzablonPierwszejStrony", &U::CzyWstawiacSzablonPierwszejStrony},
        {"CzyEksportDoc", &U::CzyEksportDoc},
        {"CzyOtworzDoc", &U::CzyOtworzDoc},
        {"CzyWstawTekstDoSt", &U::CzyWstawTekstDoSt},
        {"CzyStylWNaglowku", &U::CzyStylWNaglowku},
        {"CzyWeryfikujStylNaglowka", &U::CzyWeryfikujStylNaglowka},
        {"CzyUstawMarginesy", &U::CzyUstawMarginesy},
        {"CzyWstawListeStDoWarOgolnych", &U::CzyWstawListeStDoWarOgolnych},
    };
    const std::pair<const char*, int U::*> marginesy[] = {{"MarginesL", &U::MarginesL},
                                                          {"MarginesR", &U::MarginesR},
                                                          {"MarginesG", &U::MarginesG},
                                                          {"MarginesD", &U::MarginesD}};
    const std::pair<const char*, QString U::*> teksty[] = {{"TrescNaglowka", &U::TrescNaglowka},
                                                           {"TrescStopki", &U::TrescStopki},
                                                           {"TekstDoSt", &U::TekstDoSt},
                                                           {"NazwaStyluWNaglowku", &U::NazwaStyluWNaglowku}};
    auto Obieg = [](const char* nazwa, const std::function<void(TKonfiguracjaZestawu&)>& zmien) {
        SCOPED_TRACE(nazwa);
        TKonfiguracjaZestawu zrodlo;
        zmien(zrodlo);
        TKonfiguracjaZestawu wzor; // the defaults with the same change
        zmien(wzor);
        TKonfiguracjaZestawu k;
        Wczytaj(k, Zapisz(zrodlo));
        k.WersjaProgramu = wzor.WersjaProgramu;
        ExpectRowne(wzor, k);
        TKonfiguracjaZestawu domyslna;
        EXPECT_NE(k.ToString(), domyslna.ToString());
    };
    for (const auto& [nazwa, pole] : przelaczniki)
        Obieg(nazwa, [pole](TKonfiguracjaZestawu& k) { k.*pole = !(k.*pole); });
    for (const auto& [nazwa, pole] : marginesy)
        Obieg(nazwa, [pole](TKonfiguracjaZestawu& k) { k.*pole = 40; });
    for (const auto& [nazwa, pole] : teksty)
        Obieg(nazwa, [pole](TKonfiguracjaZestawu& k) { k.*pole = QStringLiteral("zmieniony tekst"); });
    Obieg("Doc",
          [](TKonfiguracjaZestawu& k) { k.GetPierwszaStronaDocTemplate()->SetEncodedPath(QStringLiteral("/d.doc")); });
    Obieg("Odt",
          [](TKonfiguracjaZestawu& k) { k.GetPierwszaStronaOdtTemplate()->SetEncodedPath(QStringLiteral("/o.odt")); });
}

} // namespace
