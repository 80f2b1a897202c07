#include "app/Kodowanie.h"
#include "app/Wyjatki.h"
#include "estimates/KosztorysFWD.h"
#include "estimates/KosztorysFwdSt.h"
#include "estimates/KosztorysJson.h"
#include "estimates/WzorceZuziaFwd.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace wzorce_zuzia_fwd;

QString Dane(const QString& wzgledna)
{
    return SciezkaDanychTestowych(QStringLiteral("estimates/fwd/") + wzgledna);
}

const char* const Naglowek = "[KOSZTORYS FWD]\r\nwersja_FWD=1.0\r\nprogram=Test\r\n\r\n"
                             "[STRONA TYTULOWA]\r\nrodzaj_kosztorysu=K\r\nopis_roboty=R\r\n\r\n";

// A file with the header and title page in front of the given blocks and the end marker after them.
QByteArray Plik(const QByteArray& bloki)
{
    return QByteArray(Naglowek) + bloki + "[KONIEC]\r\n";
}

class FwdTest : public TTestZKonfiguracja
{
protected:
    QTemporaryDir Tmp;

    QString Zapisz(const QString& nazwa, const QByteArray& dane)
    {
        const QString sciezka = Tmp.filePath(nazwa);
        ZapiszPlik(sciezka, dane);
        return sciezka;
    }
};

TEST_F(FwdTest, PlikiWzorcowe)
{
    const QStringList przypadki = PrzypadkiWzorcowe(Dane(QStringLiteral("valid")), QStringLiteral(".fwd"));
    ASSERT_GE(przypadki.size(), 2);
    for (const QString& nazwa : przypadki) {
        SCOPED_TRACE(nazwa.toStdString());
        const QString katalog = Dane(QStringLiteral("valid/") + nazwa + QLatin1Char('/'));
        const QString wejscie = katalog + nazwa + QStringLiteral(".fwd");
        const QByteArray zrodlo = CzytajPlik(wejscie);

        TKosztorysFwdSt kosztorys(wejscie);
        EXPECT_EQ(JsonTekst(KosztorysNaJson(kosztorys)), JsonPliku(katalog + QStringLiteral("drzewo.json")));

        PrzypiszSt(kosztorys, katalog + QStringLiteral("st.txt"));
        const QString drzewo = JsonTekst(KosztorysNaJson(kosztorys));
        const QString kopia = Tmp.filePath(nazwa + QStringLiteral(".fwd"));
        kosztorys.SaveFile(kopia);
        EXPECT_EQ(CzytajPlik(kopia), CzytajPlik(katalog + QStringLiteral("kopia.fwd")));
        EXPECT_EQ(CzytajPlik(wejscie), zrodlo) << "źródło zmienione";
        EXPECT_EQ(JsonTekst(KosztorysNaJson(kosztorys)), drzewo) << "zapis zmienił drzewo";

        // The copy is itself a complete FWD file, and written again it stays the same.
        TKosztorysFWD fwd;
        EXPECT_NO_THROW(fwd.LoadFromFile(kopia, false));
        TKosztorysFwdSt ponownie(kopia);
        EXPECT_EQ(ponownie.Count(), kosztorys.Count());
        EXPECT_EQ(ponownie.ZapiszDoDanych(CzytajPlik(kopia)), CzytajPlik(kopia));
    }
}

struct TUszkodzony
{
    const char* Plik;
    const char* Komunikat;
};

const TUszkodzony Uszkodzone[] = {
    {"pusty.fwd", "Wybrany plik kosztorysu jest nieprawidłowy."},
    {"binarne_smieci.fwd", "Wybrany plik kosztorysu jest nieprawidłowy."},
    {"tekst_bez_sekcji.fwd", "Wybrany plik kosztorysu jest nieprawidłowy."},
    {"poziom_nieliczbowy.fwd", "Błąd poziomu struktury: abc"},
    {"poziom_ulamkowy.fwd", "Błąd poziomu struktury: 1,5"},
    {"poziom_brak.fwd", "Błąd poziomu struktury: "},
    {"zagniezdzenie_250_poziomow.fwd", "Błąd poziomu struktury: 201"},
};

TEST_F(FwdTest, PlikiUszkodzone)
{
    SprawdzKompletnoscTabeli(Dane(QStringLiteral("broken")), Uszkodzone);
    for (const TUszkodzony& u : Uszkodzone) {
        SCOPED_TRACE(u.Plik);
        const QString sciezka = Dane(QStringLiteral("broken/") + QString::fromUtf8(u.Plik));
        TKosztorysFwdSt kosztorys;
        kosztorys.FilePath().SetPath(sciezka);
        try {
            kosztorys.WczytajKosztorys();
            ADD_FAILURE() << "plik przeczytany bez błędu";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QString::fromUtf8(u.Komunikat));
        }
        EXPECT_EQ(kosztorys.Count(), 0) << "drzewo przeczytane w połowie";
    }
}

TEST_F(FwdTest, BrakPlikuIOpisFormatu)
{
    try {
        TKosztorysFwdSt k(Tmp.filePath(QStringLiteral("brak.fwd")));
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje."));
    }
    TKosztorysFwdSt k;
    EXPECT_EQ(k.GetDefaultExt(), QStringLiteral(".fwd"));
    EXPECT_EQ(k.GetFilter(), QStringLiteral("Kosztorys FWD (*.fwd)|*.fwd"));
    EXPECT_EQ(k.PobierzIdKosztorysu(Dane(QStringLiteral("valid/remont_ulicy/remont_ulicy.fwd"))), QString());
}

// Digests checked against an independent MD5 of the Windows-1250 bytes.
TEST_F(FwdTest, KluczPozycji)
{
    EXPECT_EQ(TKosztorysFwdSt::KluczPozycji(QString(), QString()), QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    EXPECT_EQ(TKosztorysFwdSt::KluczPozycji(QStringLiteral("Roboty ziemne"), QStringLiteral("m3")),
              QStringLiteral("162409b3f74ff7524be841c9a8c3a1cf"));
    EXPECT_EQ(TKosztorysFwdSt::KluczPozycji(QStringLiteral("  Roboty ziemne "), QStringLiteral(" m3\t")),
              TKosztorysFwdSt::KluczPozycji(QStringLiteral("Roboty ziemne"), QStringLiteral("m3")));
    EXPECT_EQ(TKosztorysFwdSt::KluczPozycji(QStringLiteral("Żółć"), QStringLiteral("m²")),
              QStringLiteral("a3997c0e18f47a412f7ca146635e6ce6"));
}

// The parser on its own, with structure errors reported.
TEST_F(FwdTest, BledyStruktury)
{
    struct P
    {
        const char* Nazwa;
        QByteArray Tekst;
        const char* Komunikat;
    };
    const QByteArray tytul = "[STRONA TYTULOWA]\r\nopis_roboty=R\r\n";
    const QByteArray naglowek = "[KOSZTORYS FWD]\r\nprogram=X\r\n";
    const P przypadki[] = {
        {"wszystko jest", naglowek + tytul + "[KONIEC]\r\n", nullptr},
        {"linia bez znaku równości", naglowek + tytul + "[POZYCJA]\r\nopis=A\r\nco to jest\r\n[KONIEC]",
         "Występują nierozpoznane błędy."},
        {"brak nagłówka", tytul + "[KONIEC]", "Brak nagłówka pliku."},
        {"brak strony tytułowej", naglowek + "[KONIEC]", "Brak strony tytułowej kosztorysu."},
        {"brak końca", naglowek + tytul + "[POZYCJA]\r\nopis=A\r\n",
         "Brak znacznika zakończenia pliku. Plik może być uszkodzony."},
        {"nieznana sekcja jest pomijana", naglowek + "[INNA]\r\nbez sensu\r\n" + tytul + "[KONIEC]", nullptr},
    };
    for (const P& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TKosztorysFWD fwd;
        const QString tekst = QString::fromUtf8(p.Tekst);
        if (!p.Komunikat) {
            EXPECT_NO_THROW(fwd.LoadFromString(tekst, false));
            continue;
        }
        try {
            fwd.LoadFromString(tekst, false);
            ADD_FAILURE();
        } catch (const TExBladPodczasOtwarciaPliku& e) {
            EXPECT_EQ(e.Komunikat(), QString::fromUtf8(p.Komunikat));
        }
        EXPECT_NO_THROW(fwd.LoadFromString(tekst, true));
        EXPECT_TRUE(fwd.IgnorujBledyStruktury());
    }
}

TEST_F(FwdTest, NieczytelnyPlikLubStrumienParsera)
{
    TKosztorysFWD fwd;
    EXPECT_THROW(fwd.LoadFromFile(Tmp.filePath(QStringLiteral("brak.fwd")), true), TExBladPodczasOtwarciaPliku);
    QByteArray dane = Plik("[POZYCJA]\r\nopis=A\r\n");
    QBuffer zamkniety(&dane);
    try {
        fwd.LoadFromStream(zamkniety, true);
        ADD_FAILURE();
    } catch (const TExBladPodczasOtwarciaPliku& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku."));
    }
    ASSERT_TRUE(zamkniety.open(QIODevice::ReadOnly));
    fwd.LoadFromStream(zamkniety, false);
    EXPECT_EQ(fwd.ListaBlokow.size(), 2u);
}

// A pair of blanks is dropped from a section line: three blanks between the words leave one.
TEST_F(FwdTest, BlokiIIchGlebokosc)
{
    TKosztorysFWD fwd;
    fwd.LoadFromString(QStringLiteral("[POZYCJA]\r\nopis=przed poziomami\r\n"
                                      "[PRZEDMIAR]\r\nwynik=1\r\n"
                                      "  [ POZIOM   STRUKTURY ]  \r\n  poziom  =  3 \r\nopis=Trzeci\r\n"
                                      "[POZYCJA]\r\nopis=w trzecim\r\n"
                                      "[PRZEDMIAR]\r\nwynik=2\r\n"
                                      "[POZIOM STRUKTURY]\r\nopis=bez poziomu\r\n"
                                      "[POZIOM STRUKTURY]\r\npoziom=2\r\n"
                                      "[POZYCJA]\r\nopis=w drugim\r\n[KONIEC]\r\n"),
                       true);
    ASSERT_EQ(fwd.ListaBlokow.size(), 9u);
    const int glebokosci[] = {1, 2, 3, 4, 5, 1, 2, 3, 0};
    for (size_t i = 0; i < 9; ++i)
        EXPECT_EQ(fwd.ListaBlokow[i]->PoziomBloku, glebokosci[i]) << i;
    const auto* s = dynamic_cast<const TFWDPoziomStruktury*>(fwd.ListaBlokow[2].get());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->poziom, QStringLiteral("3"));
    EXPECT_EQ(s->PozycjaBloku, 4);
    EXPECT_EQ(s->LiczbaLinii, 2);
    EXPECT_EQ(fwd.DaneTxtBloku(*s), (QStringList{QStringLiteral("  poziom  =  3 "), QStringLiteral("opis=Trzeci")}));
    EXPECT_NE(dynamic_cast<const TFWDKoniec*>(fwd.ListaBlokow[8].get()), nullptr);
    EXPECT_EQ(fwd.ZawartoscPliku().size(), 18);

    fwd.LoadFromString(QStringLiteral("[POZIOM  STRUKTURY]\npoziom=1\n[POZYCJA]\n"), true);
    ASSERT_EQ(fwd.ListaBlokow.size(), 1u);
    EXPECT_NE(dynamic_cast<const TFWDPozycja*>(fwd.ListaBlokow[0].get()), nullptr);
}

TEST_F(FwdTest, PolaPoKluczu)
{
    TKosztorysFWD fwd;
    fwd.LoadFromString(QStringLiteral("[POZYCJA]\nOPIS = Beton  B25\nuwagi=zob. opis=inny, jm=m3\njm=m2\njm=m3\n"
                                      "opis_podstawy=KNR 2-02\nid=17\nnieznany=1\n\n"),
                       true);
    ASSERT_EQ(fwd.ListaBlokow.size(), 1u);
    const auto* p = dynamic_cast<const TFWDPozycja*>(fwd.ListaBlokow[0].get());
    ASSERT_NE(p, nullptr);
    // The value keeps its blanks; the key of the position is made of the evened-out text.
    EXPECT_EQ(p->opis, QStringLiteral("Beton  B25"));
    EXPECT_EQ(p->opisKlucza, QStringLiteral("BetonB25"));
    // A key inside another field's value is not that field.
    EXPECT_EQ(p->uwagi, QStringLiteral("zob. opis=inny, jm=m3"));
    EXPECT_EQ(p->jm, QStringLiteral("m3"));
    EXPECT_EQ(p->opis_podstawy, QStringLiteral("KNR 2-02"));
}

TEST_F(FwdTest, ZapisWartosciDomyslnych)
{
    TKosztorysFWD fwd;
    fwd.LoadFromString(
        QStringLiteral("[KOSZTORYS FWD]\n[STRONA TYTULOWA]\n[POZIOM STRUKTURY]\n[POZYCJA]\n[PRZEDMIAR]\n"), true);
    EXPECT_EQ(fwd.SaveToString(),
              QStringLiteral("[KOSZTORYS FWD]\r\nwersja_FWD=1.0\r\nprogram=\r\nwersja_programu=\r\n"
                             "strona_kodowa=Windows-1250\r\n\r\n"
                             "[STRONA TYTULOWA]\r\nrodzaj_kosztorysu=\r\nopis_roboty=\r\nwartosc_netto=0\r\n\r\n"
                             "[POZIOM STRUKTURY]\r\npoziom=1\r\nopis=\r\n\r\n"
                             "[POZYCJA]\r\ntyp=\r\nopis=\r\nprecyzja=2\r\nilosc=0\r\njm=\r\nwartosc=0\r\n\r\n"
                             "[PRZEDMIAR]\r\ntyp=\r\nwyrazenie=\r\nwynik=\r\n\r\n"
                             "[KONIEC]\r\n"));
}

TEST_F(FwdTest, StronaKodowaKopii)
{
    const std::pair<const char*, const char*> przypadki[] = {
        {"", "Windows-1250"},
        {"CP1250", "CP1250"},
        {"windows-1250", "windows-1250"},
        {"UTF-8", "Windows-1250"},
    };
    for (const auto& [zrodlo, kopia] : przypadki) {
        TKosztorysFWD fwd;
        fwd.LoadFromString(QStringLiteral("[KOSZTORYS FWD]\nstrona_kodowa=") + QString::fromUtf8(zrodlo), true);
        EXPECT_TRUE(fwd.SaveToString().contains(QStringLiteral("\r\nstrona_kodowa=") + QString::fromUtf8(kopia) +
                                                QStringLiteral("\r\n")))
            << zrodlo;
    }
}

TEST_F(FwdTest, BrakDanychDoZapisania)
{
    TKosztorysFWD fwd;
    fwd.LoadFromString(QStringLiteral("nic tu nie ma\n"), true);
    try {
        (void)fwd.SaveToString();
        ADD_FAILURE();
    } catch (const TExBladBrakDanych& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Brak danych do zapisania."));
    }
}

TEST_F(FwdTest, BladZapisuStrumieniaIPliku)
{
    TKosztorysFWD fwd;
    fwd.LoadFromString(QString::fromUtf8(Plik("[POZYCJA]\r\nopis=A\r\n")), false);
    QByteArray cel;
    QBuffer tylkoOdczyt(&cel);
    ASSERT_TRUE(tylkoOdczyt.open(QIODevice::ReadOnly));
    try {
        fwd.SaveToStream(tylkoOdczyt);
        ADD_FAILURE();
    } catch (const TExBladPodczasZapisuPliku& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd podczas zapisywania pliku."));
    }
    EXPECT_THROW(fwd.SaveToFile(Tmp.filePath(QStringLiteral("nie/ma/katalogu.fwd"))), TExBladPodczasZapisuPliku);

    QBuffer dobry(&cel);
    ASSERT_TRUE(dobry.open(QIODevice::WriteOnly));
    fwd.SaveToStream(dobry);
    EXPECT_TRUE(cel.startsWith("[KOSZTORYS FWD]\r\n"));
    EXPECT_TRUE(
        cel.endsWith("[POZYCJA]\r\ntyp=\r\nopis=A\r\nprecyzja=2\r\nilosc=0\r\njm=\r\nwartosc=0\r\n\r\n[KONIEC]\r\n"));
}

TEST_F(FwdTest, PoziomyStruktury)
{
    TKosztorysFwdSt k;
    k.WczytajZDanych(Plik("[POZIOM STRUKTURY]\r\npoziom=1\r\nlp=P\r\n"
                          "[POZIOM STRUKTURY]\r\npoziom=2\r\nlp=Q\r\n"
                          "[POZIOM STRUKTURY]\r\npoziom=3\r\nlp=R\r\n"
                          "[POZIOM STRUKTURY]\r\npoziom=2\r\nlp=S\r\n"
                          "[POZIOM STRUKTURY]\r\npoziom=1\r\nlp=T\r\n"
                          "[POZIOM STRUKTURY]\r\npoziom=1\r\nlp=U\r\n"
                          "[POZIOM STRUKTURY]\r\npoziom=3\r\nlp=V\r\n"
                          "[POZIOM STRUKTURY]\r\npoziom=3\r\nlp=W\r\n"
                          "[POZIOM STRUKTURY]\r\npoziom=-7\r\nlp=X\r\n"));
    ASSERT_EQ(k.ElementyCount(), 4);
    const TElementRds* p = k.GetElement(0);
    EXPECT_EQ(p->GetNr(), QStringLiteral("P"));
    ASSERT_EQ(p->ElementyCount(), 2);
    EXPECT_EQ(p->GetElement(0)->GetNr(), QStringLiteral("Q"));
    EXPECT_EQ(p->GetElement(0)->GetElement(0)->GetNr(), QStringLiteral("R"));
    EXPECT_EQ(p->GetElement(1)->GetNr(), QStringLiteral("S"));
    EXPECT_EQ(k.GetElement(1)->GetNr(), QStringLiteral("T"));
    // U (level 1), then V deeper under U, then W at the same level beside V, then X shallower: to the root.
    const TElementRds* u = k.GetElement(2);
    ASSERT_EQ(u->ElementyCount(), 2);
    EXPECT_EQ(u->GetElement(0)->GetNr(), QStringLiteral("V"));
    EXPECT_EQ(u->GetElement(1)->GetNr(), QStringLiteral("W"));
    EXPECT_EQ(u->GetElement(1)->GetPz(), 3);
    EXPECT_EQ(k.GetElement(3)->GetNr(), QStringLiteral("X"));
    EXPECT_EQ(k.GetElement(3)->GetPz(), -7);
}

TEST_F(FwdTest, PozycjeINumerySt)
{
    TUstawieniaKosztorysu u;
    u.Warianty.CzyKorzystajZWariantow = true;
    u.RozpoznajWariantyPrzyImporcie = true;
    u.ListaSeparatorowWariantow = QStringLiteral("/");
    TKosztorysFwdSt k;
    k.UstawUstawienia(u);
    int zmiany = 0;
    k.OnZmiana = [&zmiany](TKosztorys*) { ++zmiany; };
    k.WczytajZDanych(Plik("[POZYCJA]\r\nlp=1\r\nopis=A\r\njm=m\r\nspec_techn=D-01/2\r\nrj=1\r\nmj=2\r\nsj=3\r\n"
                          "[POZIOM STRUKTURY]\r\npoziom=1\r\nlp=E\r\n"
                          "[POZYCJA]\r\nlp=2\r\nopis=B\r\njm=m\r\n"));
    EXPECT_EQ(zmiany, 0);
    ASSERT_EQ(k.PozycjeCount(), 1);
    const TPozycjaRds* a = k.GetPozycja(0);
    EXPECT_EQ(a->ST(), QStringLiteral("D-01#2"));
    EXPECT_EQ(a->Rj(), QStringLiteral("1"));
    EXPECT_EQ(a->Mj(), QStringLiteral("2"));
    EXPECT_EQ(a->Sj(), QStringLiteral("3"));
    EXPECT_TRUE(a->Aktywna());
    EXPECT_EQ(a->Id(), TKosztorysFwdSt::KluczPozycji(QStringLiteral("A"), QStringLiteral("m")));
    ASSERT_EQ(k.GetElement(0)->PozycjeCount(), 1);
    k.GetElement(0)->GetPozycja(0)->SetST(QStringLiteral("D-02"));
    EXPECT_EQ(zmiany, 1);
}

// A copy whose position the user cleared loses the source's number; one that matches no position keeps it.
TEST_F(FwdTest, ZapisNumerowSt)
{
    const QByteArray zrodlo = Plik("[POZYCJA]\r\nopis=A\r\njm=m\r\nspec_techn=S-1\r\n\r\n"
                                   "[POZYCJA]\r\nopis=B\r\njm=m\r\nspec_techn=S-2\r\n\r\n");
    TKosztorysFwdSt k;
    k.WczytajZDanych(zrodlo);
    ASSERT_EQ(k.PozycjeCount(), 2);
    k.GetPozycja(0)->SetST(QString());
    const QByteArray inne = Plik("[POZYCJA]\r\nopis=A\r\njm=m\r\nspec_techn=S-1\r\n\r\n"
                                 "[POZYCJA]\r\nopis=C\r\njm=m\r\nspec_techn=S-3\r\n\r\n");
    const QByteArray kopia = k.ZapiszDoDanych(inne);
    EXPECT_TRUE(kopia.contains("opis=A\r\nprecyzja=2\r\nilosc=0\r\njm=m\r\nwartosc=0\r\n\r\n")) << kopia.constData();
    EXPECT_TRUE(kopia.contains("jm=m\r\nwartosc=0\r\nspec_techn=S-3\r\n")) << kopia.constData();
}

TEST_F(FwdTest, KopiaNieZastepujeZrodla)
{
    const QByteArray tresc = CzytajPlik(Dane(QStringLiteral("valid/remont_ulicy/remont_ulicy.fwd")));
    const QString zrodlo = Zapisz(QStringLiteral("zrodlo.fwd"), tresc);
    TKosztorysFwdSt k(zrodlo);
    k.DlaKazdejPozycji([](TPozycjaRds& p) { p.SetST(QStringLiteral("D-01")); });
    try {
        k.SaveFile(zrodlo);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(),
                  QStringLiteral("Błąd tworzenia kosztorysu: kopia nie może zastąpić pliku źródłowego."));
    }
    EXPECT_EQ(CzytajPlik(zrodlo), tresc);
    const QString link = Tmp.filePath(QStringLiteral("link.fwd"));
    ASSERT_TRUE(QFile::link(zrodlo, link));
    EXPECT_THROW(k.SaveFile(link), EBlad);
    EXPECT_EQ(CzytajPlik(zrodlo), tresc);

    const QString katalog = Tmp.filePath(QStringLiteral("katalog.fwd"));
    QDir().mkpath(katalog);
    try {
        k.SaveFile(katalog);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku."));
    }
    QFile::remove(zrodlo);
    try {
        k.SaveFile(Tmp.filePath(QStringLiteral("nowa.fwd")));
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku."));
    }
}

TEST_F(FwdTest, ZapisDoNieistniejacegoKatalogu)
{
    const QString zrodlo = Zapisz(QStringLiteral("z.fwd"), Plik("[POZYCJA]\r\nopis=A\r\n"));
    TKosztorysFwdSt k(zrodlo);
    try {
        k.SaveFile(Tmp.filePath(QStringLiteral("brak/katalogu/kopia.fwd")));
        ADD_FAILURE();
    } catch (const TExBladPodczasZapisuPliku& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd podczas zapisywania pliku."));
    }
}

// The estimate's copy is made section by section (TKosztorysFWD::PrzejdzSekcje); for an estimate whose
// positions match no block it must be exactly what the parser's list of blocks writes.
TEST_F(FwdTest, KopiaPoSekcjachJakZListyBlokow)
{
    QStringList pliki;
    for (const QString& p : PrzypadkiWzorcowe(Dane(QStringLiteral("valid")), QStringLiteral(".fwd")))
        pliki << Dane(QStringLiteral("valid/") + p + QLatin1Char('/') + p + QStringLiteral(".fwd"))
              << Dane(QStringLiteral("valid/") + p + QStringLiteral("/kopia.fwd"));
    for (const QString& p : QDir(Dane(QStringLiteral("broken"))).entryList(QDir::Files))
        pliki << Dane(QStringLiteral("broken/") + p);
    for (const QString& plik : pliki) {
        SCOPED_TRACE(plik.toStdString());
        const QByteArray dane = CzytajPlik(plik);
        TKosztorysFWD fwd;
        fwd.LoadFromString(DekodujTekstPliku(dane).Tekst, true);
        TKosztorysFwdSt pusty;
        QByteArray zListy;
        QByteArray poSekcjach;
        try {
            zListy = fwd.SaveToBytes();
        } catch (const TExBladBrakDanych&) {
            EXPECT_THROW(pusty.ZapiszDoDanych(dane), TExBladBrakDanych);
            continue;
        }
        EXPECT_EQ(pusty.ZapiszDoDanych(dane), zListy);
    }
}

} // namespace
