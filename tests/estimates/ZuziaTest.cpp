// Reading Zuzia estimates: golden files, broken files and the rules of the reader.
#include "app/Wyjatki.h"
#include "estimates/KosztorysJson.h"
#include "estimates/KosztorysZuzia.h"
#include "estimates/WzorceZuziaFwd.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QFile>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace wzorce_zuzia_fwd;

QString Dane(const QString& wzgledna)
{
    return SciezkaDanychTestowych(QStringLiteral("estimates/zuzia/") + wzgledna);
}

// A document with the usual declaration around the given body.
QByteArray Dokument(const QByteArray& cialo)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Kosztorys>" + cialo + "</Kosztorys>\n";
}

// A listening socket on the loopback address: tells whether anybody tried to connect to it.
class TNasluch
{
public:
    TNasluch()
    {
        FGniazdo = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in adres{};
        adres.sin_family = AF_INET;
        adres.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t dlugosc = sizeof adres;
        if (FGniazdo >= 0 && ::bind(FGniazdo, reinterpret_cast<sockaddr*>(&adres), sizeof adres) == 0 &&
            ::listen(FGniazdo, 4) == 0 && ::getsockname(FGniazdo, reinterpret_cast<sockaddr*>(&adres), &dlugosc) == 0)
            FPort = ntohs(adres.sin_port);
    }
    ~TNasluch()
    {
        if (FGniazdo >= 0)
            ::close(FGniazdo);
    }
    TNasluch(const TNasluch&) = delete;
    TNasluch& operator=(const TNasluch&) = delete;
    int Port() const { return FPort; }
    bool CzyKtosSiePolaczyl(int ms) const
    {
        pollfd p{FGniazdo, POLLIN, 0};
        return ::poll(&p, 1, ms) > 0;
    }

private:
    int FGniazdo = -1;
    int FPort = 0;
};

class ZuziaTest : public TTestZKonfiguracja
{
protected:
    QTemporaryDir Tmp;

    QString Plik(const QString& nazwa, const QByteArray& dane)
    {
        const QString sciezka = Tmp.filePath(nazwa);
        ZapiszPlik(sciezka, dane);
        return sciezka;
    }

    static TPozycjaRds* Pozycja(const TKosztorys& k, const QString& id)
    {
        return TKosztorys::ZnajdzPozycjePoId(&k, id);
    }
};

TEST_F(ZuziaTest, PlikiWzorcowe)
{
    const QStringList przypadki = PrzypadkiWzorcowe(Dane(QStringLiteral("valid")), QStringLiteral(".xml"));
    ASSERT_GE(przypadki.size(), 4);
    for (const QString& nazwa : przypadki) {
        SCOPED_TRACE(nazwa.toStdString());
        const QString katalog = Dane(QStringLiteral("valid/") + nazwa + QLatin1Char('/'));
        const QString wejscie = katalog + nazwa + QStringLiteral(".xml");
        const QByteArray zrodlo = CzytajPlik(wejscie);

        TKosztorysZuzia kosztorys(wejscie);
        EXPECT_EQ(JsonTekst(KosztorysNaJson(kosztorys)), JsonPliku(katalog + QStringLiteral("drzewo.json")));

        PrzypiszSt(kosztorys, katalog + QStringLiteral("st.txt"));
        const QString drzewoPrzedZapisem = JsonTekst(KosztorysNaJson(kosztorys));
        const QString kopia = Tmp.filePath(nazwa + QStringLiteral(".xml"));
        kosztorys.SaveFile(kopia);
        EXPECT_EQ(CzytajPlik(kopia), CzytajPlik(katalog + QStringLiteral("kopia.xml")));
        EXPECT_EQ(CzytajPlik(wejscie), zrodlo) << "źródło zmienione";
        EXPECT_EQ(JsonTekst(KosztorysNaJson(kosztorys)), drzewoPrzedZapisem) << "zapis zmienił drzewo";

        // The copy reads back with the positions' new ST numbers (Sst written or already equal).
        TKosztorysZuzia odczytana(kopia);
        EXPECT_EQ(odczytana.Count(), kosztorys.Count());
        kosztorys.DlaKazdejPozycji([&](TPozycjaRds& p) {
            const TPozycjaRds* q = Pozycja(odczytana, p.Id());
            ASSERT_NE(q, nullptr);
            if (!p.Id().isEmpty()) {
                EXPECT_EQ(q->ST().compare(p.ST().trimmed(), Qt::CaseInsensitive), 0) << p.Id().toStdString();
            }
        });
    }
}

struct TUszkodzony
{
    const char* Plik;
    const char* Komunikat;
    bool TylkoPoczatek; // the XML layer adds the place of the fault
};

const TUszkodzony Uszkodzone[] = {
    {"pusty.xml", "Brak danych w kosztorysie", false},
    {"tylko_deklaracja_i_komentarz.xml", "Brak danych w kosztorysie", false},
    {"binarne_smieci.xml", "Brak danych w kosztorysie", false},
    {"urwany_w_polowie_pozycji.xml", "Błąd odczytu pliku XML: ", true},
    {"niedomkniety_cudzyslow.xml", "Błąd odczytu pliku XML: ", true},
    {"znaczniki_nie_pasuja.xml", "Błąd odczytu pliku XML: znacznik zamykający nie pasuje do otwierającego", true},
    {"nieznane_kodowanie.xml", "Błąd odczytu pliku XML: nieobsługiwane kodowanie \"x-nieznane-kodowanie\".", false},
    {"blok_nie_logiczny.xml", "\"tak\" nie jest prawidłową wartością logiczną.", false},
    {"zagniezdzenie_300_grup.xml", "Wybrany plik kosztorysu jest nieprawidłowy.", false},
    {"deklaracja_nie_na_poczatku.xml", "Błąd odczytu pliku XML: deklaracja XML nie stoi na początku dokumentu.", false},
};

TEST_F(ZuziaTest, PlikiUszkodzone)
{
    SprawdzKompletnoscTabeli(Dane(QStringLiteral("broken")), Uszkodzone);
    for (const TUszkodzony& u : Uszkodzone) {
        SCOPED_TRACE(u.Plik);
        const QString sciezka = Dane(QStringLiteral("broken/") + QString::fromUtf8(u.Plik));
        TKosztorysZuzia kosztorys;
        kosztorys.FilePath().SetPath(sciezka);
        try {
            kosztorys.WczytajKosztorys();
            ADD_FAILURE() << "plik przeczytany bez błędu";
        } catch (const EBlad& e) {
            const QString oczekiwany = QString::fromUtf8(u.Komunikat);
            if (u.TylkoPoczatek)
                EXPECT_TRUE(e.Komunikat().startsWith(oczekiwany)) << e.what();
            else
                EXPECT_EQ(e.Komunikat(), oczekiwany);
        }
        EXPECT_EQ(kosztorys.Count(), 0) << "drzewo przeczytane w połowie";
        EXPECT_THROW(TKosztorysZuzia{sciezka}, EBlad);
    }
}

TEST_F(ZuziaTest, BrakPliku)
{
    try {
        TKosztorysZuzia k(Tmp.filePath(QStringLiteral("nie_ma.xml")));
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje."));
    }
}

TEST_F(ZuziaTest, OpisFormatu)
{
    TKosztorysZuzia k;
    EXPECT_EQ(k.GetDefaultExt(), QStringLiteral(".xml"));
    EXPECT_EQ(k.GetFilter(), QStringLiteral("Kosztorys Zuzi (*.xml)|*.xml"));
    const QString plik = Plik(QStringLiteral("a.xml"), Dokument(R"(<Pozycja Id="X" Nr="1"/>)"));
    EXPECT_EQ(k.PobierzIdKosztorysu(plik), QString());
    EXPECT_EQ(k.Count(), 0);
    EXPECT_EQ(k.FilePath().GetPath(), QString());
}

TEST_F(ZuziaTest, CenaZWartosciIStawkaVat)
{
    struct P
    {
        const char* Nazwa;
        QByteArray Cialo;
        const char* Cena;
        double Vat;
    };
    const QByteArray poz = R"(<Pozycja Id="A" Nr="1" Jedn="m" Ilosc="10" Wartosc="123"/>)";
    const P przypadki[] = {
        {"VAT 23 przed pozycją", R"(<Narzuty><VAT Suma="23"/></Narzuty>)" + poz, "10", 23},
        {"bez narzutów", poz, "12,3", 0},
        {"VAT po pozycji", poz + R"(<Narzuty><VAT Suma="23"/></Narzuty>)", "12,3", 23},
        {"narzuty bez VAT", R"(<Narzuty><Kp Suma="70"/></Narzuty>)" + poz, "12,3", 0},
        {"suma nie jest liczbą", R"(<Narzuty><VAT Suma="zw"/></Narzuty>)" + poz, "12,3", 0},
        {"VAT z kropką", R"(<Narzuty><VAT Suma="23.0"/></Narzuty>)" + poz, "10", 23},
        {"brak wartości", R"(<Pozycja Id="A" Nr="1" Jedn="m" Ilosc="10"/>)", "0", 0},
        {"wartość zero", R"(<Pozycja Id="A" Nr="1" Ilosc="10" Wartosc="0,00"/>)", "0", 0},
        {"ilość zero", R"(<Pozycja Id="A" Nr="1" Ilosc="0" Wartosc="5"/>)", "0", 0},
        {"brak ilości", R"(<Pozycja Id="A" Nr="1" Wartosc="5"/>)", "0", 0},
        {"wartość nie jest liczbą", R"(<Pozycja Id="A" Nr="1" Ilosc="2" Wartosc="dużo"/>)", "0", 0},
        {"przecinek i kropka", R"(<Pozycja Id="A" Nr="1" Ilosc="2,5" Wartosc="10.5"/>)", "4,2", 0},
        // A rate of -100 % would divide by zero: no price instead of "inf".
        {"VAT -100", R"(<Narzuty><VAT Suma="-100"/></Narzuty>)" + poz, "0", -100},
    };
    for (const P& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TKosztorysZuzia k;
        k.WczytajZDanych(Dokument(p.Cialo));
        ASSERT_EQ(k.PozycjeCount(), 1);
        EXPECT_EQ(k.GetPozycja(0)->Cena(), QString::fromUtf8(p.Cena));
        EXPECT_EQ(k.StawkaVat(), p.Vat);
    }
}

TEST_F(ZuziaTest, PrzycinanieIlosci)
{
    const std::pair<const char*, const char*> przypadki[] = {
        {"2.456", "2.45"}, {"2.4", "2.4"},        {"2.45", "2.45"},    {"2,456", "2,456"}, {"12", "12"},
        {".5678", ".56"},  {" 3.14159 ", "3.14"}, {"1.2.3.4", "1.2."}, {"", ""},
    };
    for (const auto& [ilosc, oczekiwana] : przypadki) {
        TKosztorysZuzia k;
        k.WczytajZDanych(Dokument("<Pozycja Id=\"A\" Ilosc=\"" + QByteArray(ilosc) + "\"/>"));
        ASSERT_EQ(k.PozycjeCount(), 1);
        EXPECT_EQ(k.GetPozycja(0)->Ilosc(), QString::fromUtf8(oczekiwana)) << ilosc;
    }
}

TEST_F(ZuziaTest, WylaczoneIScalone)
{
    TKosztorysZuzia k;
    k.WczytajZDanych(Dokument(R"(
        <Pozycja Id="A" Blok="1"/>
        <Pozycja Id="B" Blok="0"/>
        <Pozycja Id="C" Blok="true"/>
        <Scalona Id="D" Blok="1"/>
        <Grupa Nr="G" Scal="1" Id="GS" Jedn="kpl" Ilosc_Jedn="2" Wartosc="10">
          <Nazwa>Scalona grupa</Nazwa>
          <Pozycja Id="E"/>
          <Grupa Nr="G2"><Pozycja Id="F"/></Grupa>
        </Grupa>
        <Element Nr="H" Scal="1" Blok="1"><Pozycja Id="I"/></Element>)"));
    ASSERT_EQ(k.PozycjeCount(), 2);
    EXPECT_EQ(k.GetPozycja(0)->Id(), QStringLiteral("B"));
    EXPECT_TRUE(k.GetPozycja(0)->Aktywna());
    EXPECT_EQ(k.GetPozycja(1)->Id(), QStringLiteral("C"));
    EXPECT_FALSE(k.GetPozycja(1)->Aktywna());
    ASSERT_EQ(k.ElementyCount(), 1);
    const TElementRds* g = k.GetElement(0);
    EXPECT_EQ(g->GetNr(), QStringLiteral("G"));
    EXPECT_EQ(g->Opis, QStringLiteral("Scalona grupa"));
    EXPECT_EQ(g->ElementyCount(), 0);
    ASSERT_EQ(g->PozycjeCount(), 1);
    const TPozycjaRds* p = g->GetPozycja(0);
    EXPECT_EQ(p->Id(), QStringLiteral("GS"));
    EXPECT_EQ(p->Opis(), QStringLiteral("Scalona grupa"));
    EXPECT_EQ(p->Ilosc(), QStringLiteral("2"));
    EXPECT_EQ(p->Jm(), QStringLiteral("kpl"));
    EXPECT_EQ(p->Cena(), QStringLiteral("5"));
    EXPECT_EQ(k.Count(), 4);
}

// An excluded chapter is left out with everything in it; its positions do not turn up in the chapter
// read before it.
TEST_F(ZuziaTest, WylaczonyRozdzialZCalaZawartoscia)
{
    TKosztorysZuzia k;
    k.WczytajZDanych(Dokument(R"(
        <Rozdzial Nr="1"><Pozycja Id="A"/></Rozdzial>
        <Rozdzial Nr="2" Blok="1"><Pozycja Id="B"/><Grupa Nr="2.1"><Pozycja Id="C"/></Grupa></Rozdzial>)"));
    ASSERT_EQ(k.ElementyCount(), 1);
    EXPECT_EQ(k.GetElement(0)->PozycjeCount(), 1);
    EXPECT_EQ(Pozycja(k, QStringLiteral("B")), nullptr);
    EXPECT_EQ(Pozycja(k, QStringLiteral("C")), nullptr);
    EXPECT_EQ(k.Count(), 2);
}

TEST_F(ZuziaTest, PodstawaZKatalogu)
{
    const std::pair<const char*, const char*> przypadki[] = {
        {R"(<Katalog Podstawa="KNR 2-01 0101-01" Nazwa="KNR 2-01" Nr="0101"/>)", "KNR 2-01 0101-01"},
        {R"(<Katalog Nazwa="KNR 2-01" Nr="0101" Tab="02" Kol="03"/>)", "KNR 2-01 0101/02/03"},
        {R"(<Katalog Nazwa="KNR 2-01" Nr="0101" Kol="03"/>)", "KNR 2-01 0101/03"},
        {R"(<Katalog Nazwa="KNR 2-01"/>)", "KNR 2-01 "},
        {R"(<Katalog Nr="0101" Tab="02"/>)", ""},
        {"", ""},
    };
    for (const auto& [katalog, podstawa] : przypadki) {
        TKosztorysZuzia k;
        k.WczytajZDanych(Dokument("<Pozycja Id=\"A\">" + QByteArray(katalog) + "</Pozycja>"));
        ASSERT_EQ(k.PozycjeCount(), 1);
        EXPECT_EQ(k.GetPozycja(0)->Podstawa(), QString::fromUtf8(podstawa)) << katalog;
    }
}

TEST_F(ZuziaTest, TransportOdlegloscJakoJednostka)
{
    TKosztorysZuzia k;
    k.WczytajZDanych(Dokument(
        R"(<Transport Id="T" Nr="3" Odleglosc="12 km" Jedn="t" Ilosc="4" Wartosc="20"><Nazwa>Dowóz</Nazwa><Sst Nr="D-01"/></Transport>)"));
    ASSERT_EQ(k.PozycjeCount(), 1);
    const TPozycjaRds* t = k.GetPozycja(0);
    EXPECT_EQ(t->Jm(), QStringLiteral("12 km"));
    EXPECT_EQ(t->Cena(), QStringLiteral("5"));
    EXPECT_EQ(t->ST(), QStringLiteral("D-01"));
    EXPECT_EQ(t->Opis(), QStringLiteral("Dowóz"));
    EXPECT_TRUE(t->Aktywna());
}

TEST_F(ZuziaTest, EscWWartosciAtrybutu)
{
    TKosztorysZuzia k;
    k.WczytajZDanych(Dokument("<Pozycja Id=\"A\x1b"
                              "B\" Nr=\"1\" Jedn=\"m\x1b\"><Nazwa>Rury\x1b"
                              "PE</Nazwa></Pozycja>"));
    ASSERT_EQ(k.PozycjeCount(), 1);
    EXPECT_EQ(k.GetPozycja(0)->Id(), QStringLiteral("A B"));
    EXPECT_EQ(k.GetPozycja(0)->Jm(), QStringLiteral("m"));
    EXPECT_EQ(k.GetPozycja(0)->Opis(), QStringLiteral("Rury PE"));

    // The copy finds the position by the same Id and carries a blank where the ESC was.
    k.GetPozycja(0)->SetST(QStringLiteral("D-01"));
    const QByteArray kopia = k.ZapiszDoDanych(Dokument("<Pozycja Id=\"A\x1b"
                                                       "B\" Nr=\"1\"/>"));
    EXPECT_TRUE(kopia.contains(R"(<Pozycja Id="A B" Nr="1"><Sst Nr="D-01"/></Pozycja>)")) << kopia.constData();
}

// In UTF-16 the byte 27 is also half of ordinary letters (U+011B, U+1B00...): only the ESC character
// itself becomes a blank.
TEST_F(ZuziaTest, EscWUtf16ToZnakNieBajt)
{
    const QString tekst =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><Kosztorys><Pozycja Id=\"A\"><Nazwa>") +
        QChar(0x011B) + QChar(0x1B) + QChar(0x1B41) + QStringLiteral("</Nazwa></Pozycja></Kosztorys>");
    for (const bool odKonca : {false, true}) {
        QByteArray bajty = odKonca ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
        for (const QChar z : tekst) {
            const char hi = static_cast<char>(z.unicode() >> 8);
            const char lo = static_cast<char>(z.unicode() & 0xFF);
            bajty += odKonca ? hi : lo;
            bajty += odKonca ? lo : hi;
        }
        TKosztorysZuzia k;
        k.WczytajZDanych(bajty);
        ASSERT_EQ(k.PozycjeCount(), 1);
        EXPECT_EQ(k.GetPozycja(0)->Opis(), QString(QChar(0x011B)) + QLatin1Char(' ') + QChar(0x1B41)) << odKonca;
    }
}

TEST_F(ZuziaTest, NazwaZKilkuKawalkowTekstu)
{
    TKosztorysZuzia k;
    k.WczytajZDanych(Dokument(
        R"(<Pozycja Id="A"><Nazwa>  Beton <![CDATA[C20/25 & <B25>]]> klasy <!-- uwaga --> XC2  </Nazwa></Pozycja>)"));
    ASSERT_EQ(k.PozycjeCount(), 1);
    EXPECT_EQ(k.GetPozycja(0)->Opis(), QStringLiteral("Beton C20/25 & <B25> klasy  XC2"));
}

TEST_F(ZuziaTest, SeparatorWariantuPrzyCzytaniu)
{
    TUstawieniaKosztorysu u;
    u.Warianty.CzyKorzystajZWariantow = true;
    u.RozpoznajWariantyPrzyImporcie = true;
    u.ListaSeparatorowWariantow = QStringLiteral("/_");
    TKosztorysZuzia k(QString(), false, false, false, u);
    k.WczytajZDanych(Dokument(
        R"(<Pozycja Id="A"><Sst Nr="D-01.02_1/2"/></Pozycja><Grupa Scal="1" Id="G"><Sst Nr="D-03_4"/></Grupa>)"));
    EXPECT_EQ(Pozycja(k, QStringLiteral("A"))->ST(), QStringLiteral("D-01.02_1#2"));
    EXPECT_EQ(Pozycja(k, QStringLiteral("G"))->ST(), QStringLiteral("D-03#4"));
}

TEST_F(ZuziaTest, CzytanieNieZglaszaZmianAleZmianyPozniejTak)
{
    TKosztorysZuzia k;
    int zmiany = 0;
    k.OnZmiana = [&zmiany](TKosztorys*) { ++zmiany; };
    k.WczytajZDanych(Dokument(
        R"(<Rozdzial Nr="1"><Pozycja Id="A" Nr="1" Jedn="m" Ilosc="1.234" Wartosc="3"><Sst Nr="X"/></Pozycja></Rozdzial>)"));
    EXPECT_EQ(zmiany, 0);
    Pozycja(k, QStringLiteral("A"))->SetST(QStringLiteral("Y"));
    EXPECT_EQ(zmiany, 1);
}

TEST_F(ZuziaTest, BladWPolowieNieZostawiaPolowyDrzewa)
{
    TKosztorysZuzia k;
    k.WczytajZDanych(Dokument(R"(<Pozycja Id="A"/>)"));
    ASSERT_EQ(k.Count(), 1);
    EXPECT_THROW(
        k.WczytajZDanych(Dokument(R"(<Pozycja Id="B"/><Rozdzial Nr="1"><Pozycja Id="C" Blok="?"/></Rozdzial>)")),
        EConvertError);
    EXPECT_EQ(k.Count(), 0);
}

// A document nested far deeper than any estimate, in elements that mean nothing to the reader: read
// without recursion, so without exhausting the stack.
TEST_F(ZuziaTest, BardzoGlebokiDokument)
{
    QByteArray cialo;
    const int glebokosc = 200000;
    cialo.reserve(glebokosc * 8 + 100);
    for (int i = 0; i < glebokosc; ++i)
        cialo += "<a>";
    cialo += R"(<Pozycja Id="A"><Sst Nr="X"/></Pozycja>)";
    for (int i = 0; i < glebokosc; ++i)
        cialo += "</a>";
    TKosztorysZuzia k;
    k.WczytajZDanych(Dokument(cialo));
    ASSERT_EQ(k.PozycjeCount(), 1);
    k.GetPozycja(0)->SetST(QStringLiteral("Y"));
    EXPECT_TRUE(k.ZapiszDoDanych(Dokument(cialo)).contains(R"(<Pozycja Id="A"><Sst Nr="Y"/></Pozycja>)"));
}

// The document type of an estimate may name files and addresses; none of them is ever opened, and an
// entity reference stays the literal text it is.
TEST_F(ZuziaTest, BezEncjiZewnetrznychIDtd)
{
    const QString tajny = Plik(QStringLiteral("tajny.txt"), "TAJNE-HASLO-123");
    const TNasluch serwer;
    ASSERT_GT(serwer.Port(), 0);
    const QByteArray adres = "http://127.0.0.1:" + QByteArray::number(serwer.Port()) + "/zly.dtd";
    const QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE Kosztorys SYSTEM \"" +
        adres +
        "\" [\n"
        "  <!ENTITY tajne SYSTEM \"file://" +
        tajny.toUtf8() +
        "\">\n"
        "  <!ENTITY % zdalna SYSTEM \"" +
        adres +
        "\">\n"
        "  %zdalna;\n"
        "  <!ENTITY lol \"lol\">\n"
        "  <!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
        "  <!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">\n"
        "]>\n"
        "<Kosztorys><Pozycja Id=\"&tajne;\" Nr=\"&lol3;\"><Nazwa>&tajne;</Nazwa></Pozycja></Kosztorys>\n";
    const QString sciezka = Plik(QStringLiteral("xxe.xml"), xml);
    TKosztorysZuzia k(sciezka);
    ASSERT_EQ(k.PozycjeCount(), 1);
    const TPozycjaRds* p = k.GetPozycja(0);
    EXPECT_EQ(p->Opis(), QStringLiteral("&tajne;"));
    EXPECT_EQ(p->Id(), QStringLiteral("&tajne;"));
    EXPECT_EQ(p->Nr(), QStringLiteral("&lol3;"));

    k.GetPozycja(0)->SetST(QStringLiteral("D-01"));
    const QString kopia = Tmp.filePath(QStringLiteral("xxe_kopia.xml"));
    k.SaveFile(kopia);
    const QByteArray zapisana = CzytajPlik(kopia);
    EXPECT_FALSE(zapisana.contains("TAJNE")) << zapisana.constData();
    EXPECT_TRUE(zapisana.contains("<Sst Nr=\"D-01\"/>")) << zapisana.constData();
    EXPECT_TRUE(zapisana.contains("<!DOCTYPE Kosztorys SYSTEM")) << "the document type is kept as text";
    EXPECT_FALSE(serwer.CzyKtosSiePolaczyl(200)) << "the reader reached for the network";
}

} // namespace
