// The set configuration in memory: defaults, events, the externals and the diagnostic text.
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "specs/KonfiguracjaZestawuTestowa.h"

#include <QStringList>

#include <vector>

namespace {

class KonfiguracjaZestawuTest : public TTestKonfiguracjiZestawu
{
};

TEST_F(KonfiguracjaZestawuTest, NowaMaDomyslneIWersjeProgramu)
{
    TKonfiguracjaZestawu k;
    ExpectDomyslne(k);
    EXPECT_EQ(k.WersjaProgramu, WersjaProgramu());
    EXPECT_FALSE(k.WersjaProgramu.isEmpty());
    EXPECT_TRUE(TKonfiguracjaZestawu::GetDefaultCzyEksportDoc());
}

TEST_F(KonfiguracjaZestawuTest, LoadDefaultsPrzywracaWszystkoOproczWersjiIZglaszaNaKoncu)
{
    TKonfiguracjaZestawu k;
    UstawInne(k);
    int zdarzen = 0;
    bool domyslneWChwiliZdarzenia = false;
    k.OnZmianaPierwszejStrony = [&](TKonfiguracjaZestawu* nadawca) {
        EXPECT_EQ(nadawca, &k);
        ++zdarzen;
        // Fired at the end: the handler already sees the defaults.
        domyslneWChwiliZdarzenia = nadawca->GetPierwszaStronaDocTemplate()->EncodedPath().isEmpty() &&
                                   nadawca->GetPierwszaStronaOdtTemplate()->EncodedPath().isEmpty() &&
                                   nadawca->MarginesL == 25 && nadawca->ExternalValueList().empty();
    };
    int zdarzenExternals = 0;
    k.OnExternalsChange = [&](TKonfiguracjaZestawu*) { ++zdarzenExternals; };
    k.LoadDefaults();
    ExpectDomyslne(k);
    EXPECT_EQ(k.WersjaProgramu, QStringLiteral("3.2.1.7"));
    EXPECT_EQ(zdarzen, 1);
    EXPECT_TRUE(domyslneWChwiliZdarzenia);
    EXPECT_EQ(zdarzenExternals, 0);
    EXPECT_FALSE(k.GetExternalNode(QStringLiteral("xlsOpis")).isValid());
}

TEST_F(KonfiguracjaZestawuTest, ZmianaSciezekStronyTytulowejZglaszaZdarzenie)
{
    TKonfiguracjaZestawu k;
    k.UstawKatalogUzytkownika(QStringLiteral("/home/jan/Velostra"));
    std::vector<TKonfiguracjaZestawu*> nadawcy;
    k.OnZmianaPierwszejStrony = [&](TKonfiguracjaZestawu* n) { nadawcy.push_back(n); };

    k.GetPierwszaStronaDocTemplate()->SetPath(QStringLiteral("/home/jan/Velostra/Szablony/t.doc"));
    EXPECT_EQ(nadawcy.size(), 1u);
    EXPECT_EQ(k.GetPierwszaStronaDocTemplate()->EncodedPath(), QStringLiteral("%USERPATH%/Szablony/t.doc"));
    k.GetPierwszaStronaOdtTemplate()->SetEncodedPath(QStringLiteral("%USERPATH%/Szablony/t.odt"));
    EXPECT_EQ(nadawcy.size(), 2u);
    k.GetPierwszaStronaOdtTemplate()->SetPath(QStringLiteral("   ")); // blanks: stored, no change reported
    EXPECT_EQ(nadawcy.size(), 2u);
    for (TKonfiguracjaZestawu* n : nadawcy)
        EXPECT_EQ(n, &k);
    EXPECT_EQ(k.GetPierwszaStronaDocTemplate()->GetPath(), QStringLiteral("/home/jan/Velostra/Szablony/t.doc"));
}

TEST_F(KonfiguracjaZestawuTest, ExternalsWracajaJakoTekstWKolejnosciDodania)
{
    TKonfiguracjaZestawu k;
    int zdarzen = 0;
    k.OnExternalsChange = [&](TKonfiguracjaZestawu* n) {
        EXPECT_EQ(n, &k);
        ++zdarzen;
    };
    k.AddExternalNode(QStringLiteral("xlsWstawTytul"), true);
    k.AddExternalNode(QStringLiteral("xlsIloscMiejscPoPrzecinku"), 3);
    k.AddExternalNode(QStringLiteral("xlsTytul"), QStringLiteral("Przedmiar"));
    k.AddExternalNode(QStringLiteral("xlsIloscMiejscPoPrzecinku"), 4);
    EXPECT_EQ(zdarzen, 4);
    EXPECT_EQ(k.GetExternalNode(QStringLiteral("xlsIloscMiejscPoPrzecinku")), QVariant(4));
    EXPECT_TRUE(k.GetExternalNode(QStringLiteral("nieMaTakiej")).isNull());
    EXPECT_TRUE(k.GetExternalNode(QStringLiteral("XLSTYTUL")).isNull()); // names are exact

    TKonfiguracjaZestawu w;
    w.OnExternalsChange = [&](TKonfiguracjaZestawu*) { ++zdarzen; };
    Wczytaj(w, Zapisz(k));
    EXPECT_EQ(zdarzen, 4); // reading fills the dictionary without the event
    ASSERT_EQ(w.ExternalValueList().size(), 3u);
    EXPECT_EQ(w.ExternalValueList()[0],
              (TKonfiguracjaZestawu::TExternal{QStringLiteral("xlsWstawTytul"), QStringLiteral("true")}));
    EXPECT_EQ(w.ExternalValueList()[1],
              (TKonfiguracjaZestawu::TExternal{QStringLiteral("xlsIloscMiejscPoPrzecinku"), QStringLiteral("4")}));
    EXPECT_EQ(w.ExternalValueList()[2],
              (TKonfiguracjaZestawu::TExternal{QStringLiteral("xlsTytul"), QStringLiteral("Przedmiar")}));
    EXPECT_TRUE(w.GetExternalNode(QStringLiteral("nieMaTakiej")).isNull());
}

TEST_F(KonfiguracjaZestawuTest, NazwyExternalsKtoreNieSaNazwamiElementowSaOdrzucane)
{
    struct TPrzypadek
    {
        QString Nazwa;
        bool Poprawna;
    };
    const TPrzypadek przypadki[] = {
        {QStringLiteral("xlsCol-nrPoz"), true},
        {QStringLiteral("_ukryta"), true},
        {QStringLiteral("a.b-c_9"), true},
        {QStringLiteral("żółw"), true},
        {QStringLiteral("\uFEFFx"), true}, // a name may begin with U+FEFF, which a UTF-8 reader must not drop
        {QStringLiteral("x\U0001D49C"), true},
        {QString(), false},
        {QStringLiteral("1kolumna"), false},
        {QStringLiteral("-x"), false},
        {QStringLiteral(".x"), false},
        {QStringLiteral("a b"), false},
        {QStringLiteral("a:b"), false},
        {QStringLiteral("a/b"), false},
        {QStringLiteral("a<b"), false},
        {QStringLiteral("a\"b"), false},
        {QStringLiteral("a&b"), false},
        {QStringLiteral(" a"), false},
        {QStringLiteral("a\tb"), false},
        {QStringLiteral("x") + QChar(0xD800), false},
        {QChar(0xDC00) + QStringLiteral("x"), false},
        {QStringLiteral("a\u00D7b"), false},
        {QStringLiteral("a") + QChar(0xD800) + QChar(0x0C05), false}, // not a pair: no merged character
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Nazwa.toStdString());
        TKonfiguracjaZestawu k;
        int zdarzen = 0;
        k.OnExternalsChange = [&](TKonfiguracjaZestawu*) { ++zdarzen; };
        EXPECT_EQ(TKonfiguracjaZestawu::CzyPoprawnaNazwaExternal(p.Nazwa), p.Poprawna);
        if (p.Poprawna) {
            k.AddExternalNode(p.Nazwa, QStringLiteral("v"));
            TKonfiguracjaZestawu w;
            Wczytaj(w, Zapisz(k));
            EXPECT_EQ(w.GetExternalNode(p.Nazwa), QVariant(QStringLiteral("v")));
            EXPECT_EQ(zdarzen, 1);
            continue;
        }
        try {
            k.AddExternalNode(p.Nazwa, QStringLiteral("v"));
            ADD_FAILURE() << "accepted";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(),
                      QStringLiteral("Nieprawidłowa nazwa ustawienia zestawu: \"%1\". Nazwa musi zaczynać się literą "
                                     "lub znakiem \"_\" i może zawierać tylko litery, cyfry oraz znaki \"_\", \"-\" "
                                     "i \".\".")
                          .arg(p.Nazwa));
        }
        EXPECT_TRUE(k.ExternalValueList().empty());
        EXPECT_EQ(zdarzen, 0);
    }
}

TEST_F(KonfiguracjaZestawuTest, WartoscBezPostaciTekstowejJestOdrzucana)
{
    TKonfiguracjaZestawu k;
    const QVariant lista = QVariant::fromValue(QStringList{QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_THROW(k.AddExternalNode(QStringLiteral("lista"), lista), EBlad);
    EXPECT_TRUE(k.ExternalValueList().empty());
    k.AddExternalNode(QStringLiteral("liczba"), 2.5);
    EXPECT_EQ(k.GetExternalNode(QStringLiteral("liczba")).toString(), QStringLiteral("2.5"));
}

TEST_F(KonfiguracjaZestawuTest, ToStringJednaLiniaNaUstawienie)
{
    TKonfiguracjaZestawu k;
    k.WersjaProgramu = QStringLiteral("1.2.3.4");
    k.MarginesD = 31;
    k.AddExternalNode(QStringLiteral("a"), QStringLiteral("1"));
    k.AddExternalNode(QStringLiteral("b"), QVariant());
    const QString tekst = k.ToString();
    EXPECT_FALSE(tekst.endsWith(QStringLiteral("\r\n")));
    const QStringList linie = tekst.split(QStringLiteral("\r\n"));
    ASSERT_EQ(linie.size(), 24);
    EXPECT_EQ(linie.first(), QStringLiteral("WersjaProgramu=1.2.3.4"));
    EXPECT_EQ(linie[1], QStringLiteral("CzyNaglowek=true"));
    EXPECT_EQ(linie[2], QStringLiteral("TrescNaglowka=Treść nagłówka"));
    EXPECT_TRUE(linie.contains(QStringLiteral("CzyDrukDwustronnyStopki=false")));
    EXPECT_TRUE(linie.contains(QStringLiteral("MarginesD=31")));
    EXPECT_EQ(linie.last(), QStringLiteral("ExternalValueList=a:1; b:(null)"));
    for (const QString& linia : linie)
        EXPECT_TRUE(linia.contains(QLatin1Char('='))) << linia.toStdString();
}

// Damaged files: every read either succeeds or fails with a Polish error, and a failure changes nothing.
} // namespace
