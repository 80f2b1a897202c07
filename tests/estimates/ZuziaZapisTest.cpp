// Writing Zuzia copies: ST numbers put in, the source's form kept, the source never replaced.
#include "app/Wyjatki.h"
#include "estimates/KosztorysJson.h"
#include "estimates/KosztorysZuzia.h"
#include "estimates/WzorceZuziaFwd.h"
#include "specs/Specyfikacja.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace wzorce_zuzia_fwd;

QString Dane(const QString& wzgledna)
{
    return SciezkaDanychTestowych(QStringLiteral("estimates/zuzia/") + wzgledna);
}

QByteArray Dokument(const QByteArray& cialo)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Kosztorys>" + cialo + "</Kosztorys>\n";
}

class ZuziaZapisTest : public TTestZKonfiguracja
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

TEST_F(ZuziaZapisTest, ZapisZeSpecyfikacjaIWariantem)
{
    Konfiguracja().FCzyKorzystajZWariantow = true;
    Konfiguracja().FUwzglednijWariantyPrzyEksporcieKosztorysu = true;
    Konfiguracja().SetWizualnySeparatorWariantow(QStringLiteral("/"));
    TSpecyfikacja st(QStringLiteral("D-05.03.05"), false, false, QString(), QString(), QStringLiteral("Nawierzchnia"));
    auto wariant =
        std::make_unique<TWariantSpecyfikacji>(QStringLiteral("2"), QStringLiteral("Wariant"), QString(), QString());
    TWariantSpecyfikacji* w = wariant.get();
    st.AddWariant(std::move(wariant));

    const QByteArray zrodlo = Dokument(
        R"(<Pozycja Id="A"/><Pozycja Id="B"><Sst Nr="D-05.03.05"/></Pozycja><Pozycja Id="C"><Sst Nr="X"/></Pozycja>)");
    TKosztorysZuzia k;
    k.WczytajZDanych(zrodlo);
    TPozycjaRds* a = Pozycja(k, QStringLiteral("A"));
    a->SetST(QStringLiteral("D-05.03.05#2"));
    a->WybranaSpecyfikacja().SetSpecyfikacja(&st);
    a->WybranaSpecyfikacja().SetWariantSpecyfikacji(w);
    // B's own ST equals its Sst: left alone even with a specification chosen.
    TPozycjaRds* b = Pozycja(k, QStringLiteral("B"));
    b->WybranaSpecyfikacja().SetSpecyfikacja(&st);
    b->WybranaSpecyfikacja().SetWariantSpecyfikacji(w);
    // C: an ST number cleared by the user; the Sst child says otherwise, so it is emptied.
    Pozycja(k, QStringLiteral("C"))->SetST(QString());

    const QByteArray kopia = k.ZapiszDoDanych(zrodlo);
    EXPECT_TRUE(kopia.contains(R"(<Pozycja Id="A"><Sst Nr="D-05.03.05/2"/></Pozycja>)")) << kopia.constData();
    EXPECT_TRUE(kopia.contains(R"(<Pozycja Id="B"><Sst Nr="D-05.03.05"/></Pozycja>)")) << kopia.constData();
    EXPECT_TRUE(kopia.contains(R"(<Pozycja Id="C"><Sst Nr=""/></Pozycja>)")) << kopia.constData();
}

TEST_F(ZuziaZapisTest, SstBezAtrybutuNr)
{
    TKosztorysZuzia k;
    const QByteArray zrodlo = Dokument(R"(<Pozycja Id="A"><Sst/></Pozycja>)");
    k.WczytajZDanych(zrodlo);
    k.GetPozycja(0)->SetST(QStringLiteral("D-07"));
    EXPECT_TRUE(k.ZapiszDoDanych(zrodlo).contains(R"(<Pozycja Id="A"><Sst Nr="D-07"/></Pozycja>)"));
}

TEST_F(ZuziaZapisTest, ZapisNieZmieniaZrodlaAniDrzewa)
{
    const QString zrodlo = Dane(QStringLiteral("valid/przebudowa_drogi/przebudowa_drogi.xml"));
    const QString kopiaZrodla = Plik(QStringLiteral("zrodlo.xml"), CzytajPlik(zrodlo));
    TKosztorysZuzia k(kopiaZrodla);
    k.DlaKazdejPozycji([](TPozycjaRds& p) { p.SetST(QStringLiteral("D-00 ") + p.Id()); });
    const QString drzewo = JsonTekst(KosztorysNaJson(k));
    k.SaveFile(Tmp.filePath(QStringLiteral("kopia.xml")));
    EXPECT_EQ(CzytajPlik(kopiaZrodla), CzytajPlik(zrodlo));
    EXPECT_EQ(JsonTekst(KosztorysNaJson(k)), drzewo);
}

TEST_F(ZuziaZapisTest, KopiaNieZastepujeZrodla)
{
    const QByteArray tresc = CzytajPlik(Dane(QStringLiteral("valid/przebudowa_drogi/przebudowa_drogi.xml")));
    const QString zrodlo = Plik(QStringLiteral("zrodlo.xml"), tresc);
    TKosztorysZuzia k(zrodlo);
    k.DlaKazdejPozycji([](TPozycjaRds& p) { p.SetST(QStringLiteral("D-01")); });
    const QString komunikat = QStringLiteral("Błąd tworzenia kosztorysu: kopia nie może zastąpić pliku źródłowego.");

    // The same file under its own name, a path that leads to it, and a link to it.
    const QString link = Tmp.filePath(QStringLiteral("link.xml"));
    ASSERT_TRUE(QFile::link(zrodlo, link));
    for (const QString& cel : {zrodlo, Tmp.filePath(QStringLiteral("./x/../zrodlo.xml")), link}) {
        QDir().mkpath(Tmp.filePath(QStringLiteral("x")));
        try {
            k.SaveFile(cel);
            ADD_FAILURE() << cel.toStdString();
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), komunikat);
        }
        EXPECT_EQ(CzytajPlik(zrodlo), tresc);
    }

    // The safe write parks an existing target under its "~" name: a source of that name would be lost.
    const QString tylda = Plik(QStringLiteral("cel.xml~"), tresc);
    const QString cel = Plik(QStringLiteral("cel.xml"), "stara kopia");
    k.FilePath().SetPath(tylda);
    EXPECT_THROW(k.SaveFile(cel), EBlad);
    EXPECT_EQ(CzytajPlik(tylda), tresc);
    EXPECT_EQ(CzytajPlik(cel), QByteArray("stara kopia"));
}

TEST_F(ZuziaZapisTest, BledyZapisu)
{
    const QString zrodlo = Plik(QStringLiteral("z.xml"), Dokument(R"(<Pozycja Id="A"/>)"));
    TKosztorysZuzia k(zrodlo);
    // A target that exists but cannot be written.
    const QString katalog = Tmp.filePath(QStringLiteral("katalog.xml"));
    QDir().mkpath(katalog);
    try {
        k.SaveFile(katalog);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku."));
    }
    const QString tylkoDoOdczytu = Plik(QStringLiteral("ro.xml"), "x");
    ASSERT_EQ(::chmod(QFile::encodeName(tylkoDoOdczytu).constData(), 0444), 0);
    if (::geteuid() != 0) {
        EXPECT_THROW(k.SaveFile(tylkoDoOdczytu), EBlad);
        EXPECT_EQ(CzytajPlik(tylkoDoOdczytu), QByteArray("x"));
    }
    // The same for every user, the superuser too: a copy whose temporary cannot be made beside it (the
    // name grows too long for the file system) fails and leaves the file it was to replace.
    const QString dluga = Plik(QString(240, QLatin1Char('d')) + QStringLiteral(".xml"), "x");
    EXPECT_THROW(k.SaveFile(dluga), EBlad);
    EXPECT_EQ(CzytajPlik(dluga), QByteArray("x"));
    // A source that is gone.
    QFile::remove(zrodlo);
    try {
        k.SaveFile(Tmp.filePath(QStringLiteral("nowa.xml")));
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku."));
    }
    EXPECT_FALSE(QFileInfo::exists(Tmp.filePath(QStringLiteral("nowa.xml"))));
}

TEST_F(ZuziaZapisTest, ZapisZachowujeUkladIKoncowkiLinii)
{
    // No declaration, no line break at the end, comments and processing instructions around the root.
    const QByteArray zrodlo = "<!-- a -->\r\n<?zuzia wersja=\"7\"?>\r\n<Kosztorys>\r\n\t<Pozycja Id=\"A\" "
                              "Nr='1'>\r\n\t\t<Nazwa>x</Nazwa>\r\n\t</Pozycja>\r\n</Kosztorys>";
    TKosztorysZuzia k;
    k.WczytajZDanych(zrodlo);
    k.GetPozycja(0)->SetST(QStringLiteral("D-01"));
    EXPECT_EQ(
        k.ZapiszDoDanych(zrodlo),
        QByteArray("<!-- a -->\r\n<?zuzia wersja=\"7\"?>\r\n<Kosztorys>\r\n\t<Pozycja Id=\"A\" "
                   "Nr=\"1\">\r\n\t\t<Nazwa>x</Nazwa>\r\n\t\t<Sst Nr=\"D-01\"/>\r\n\t</Pozycja>\r\n</Kosztorys>"));
}

TEST_F(ZuziaZapisTest, ZapisWWindows1250ZOdwolaniamiDoZnakowSpozaStrony)
{
    const QByteArray zrodlo =
        QByteArray("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<K><Pozycja Id=\"A\"><Nazwa>") +
        "\xa3\xf3\x64\x9f" + "</Nazwa></Pozycja></K>\n";
    TKosztorysZuzia k;
    k.WczytajZDanych(zrodlo);
    ASSERT_EQ(k.PozycjeCount(), 1);
    EXPECT_EQ(k.GetPozycja(0)->Opis(), QStringLiteral("Łódź"));
    k.GetPozycja(0)->SetST(QStringLiteral("Ω-01 ż") + QString::fromUtf8("\xF0\x9F\x98\x80"));
    const QByteArray kopia = k.ZapiszDoDanych(zrodlo);
    EXPECT_EQ(
        kopia,
        QByteArray("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<K><Pozycja "
                   "Id=\"A\"><Nazwa>\xa3\xf3\x64\x9f</Nazwa><Sst Nr=\"&#937;-01 \xbf&#128512;\"/></Pozycja></K>\n"));
    TKosztorysZuzia odczytana;
    odczytana.WczytajZDanych(kopia);
    EXPECT_EQ(odczytana.GetPozycja(0)->ST(), k.GetPozycja(0)->ST());
}

// UTF-7 reads (its markup is plain ASCII), but written it would turn "<" into "+ADw-": no copy at all
// rather than one that cannot be read back.
TEST_F(ZuziaZapisTest, KopiaWKodowaniuNieAsciiOdmowiona)
{
    const QByteArray zrodlo = "<?xml version=\"1.0\" encoding=\"UTF-7\"?>\n<K><Pozycja "
                              "Id=\"A\"><Nazwa>+AUEA8w-d+AXo-</Nazwa></Pozycja></K>\n";
    TKosztorysZuzia k;
    k.WczytajZDanych(zrodlo);
    ASSERT_EQ(k.PozycjeCount(), 1);
    EXPECT_EQ(k.GetPozycja(0)->Opis(), QStringLiteral("Łódź"));
    const QString plik = Plik(QStringLiteral("utf7.xml"), zrodlo);
    k.FilePath().SetPath(plik);
    const QString kopia = Tmp.filePath(QStringLiteral("utf7_kopia.xml"));
    try {
        k.SaveFile(kopia);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd tworzenia kosztorysu: nieobsługiwane kodowanie \"UTF-7\"."));
    }
    EXPECT_FALSE(QFileInfo::exists(kopia));
}

// Only "<?xml" followed by a blank opens a declaration; a processing instruction whose name merely starts
// with "xml" names no encoding, however its text reads.
TEST_F(ZuziaZapisTest, InstrukcjaXmlNieJestDeklaracja)
{
    const QByteArray zrodlo =
        "<?xml-stylesheet type=\"text/xsl\" href=\"a.xsl\" encoding=\"x-nieznane\"?>\n<K><Pozycja Id=\"A\"/></K>\n";
    TKosztorysZuzia k;
    k.WczytajZDanych(zrodlo);
    ASSERT_EQ(k.PozycjeCount(), 1);
    k.GetPozycja(0)->SetST(QStringLiteral("D-01"));
    EXPECT_EQ(k.ZapiszDoDanych(zrodlo),
              QByteArray("<?xml-stylesheet type=\"text/xsl\" href=\"a.xsl\" encoding=\"x-nieznane\"?>\n<K><Pozycja "
                         "Id=\"A\"><Sst Nr=\"D-01\"/></Pozycja></K>\n"));
}

} // namespace
