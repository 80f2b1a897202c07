// Parsing XML estimates for reading: when a Windows-1250 document is parsed in its own bytes, and the
// conversion of Windows-1250 to UTF-8 at every length and alignment.
#include "estimates/XmlKosztorysu.h"
#include "app/Kodowanie.h"
#include "app/Wyjatki.h"
#include "estimates/Windows1250.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray Dokument(const QByteArray& kodowanie, const QByteArray& cialo)
{
    return "<?xml version=\"1.0\" encoding=\"" + kodowanie + "\"?>\r\n<K a=\"" + cialo + "\">" + cialo + "</K>";
}

struct TPrzypadek
{
    const char* Opis;
    QByteArray Bajty;
    bool Windows1250;
};

TEST(XmlKosztorysu, Windows1250WeWlasnychBajtachGdyDajeTenSamDokument)
{
    const QByteArray dlugi = QByteArray(40, 'x') + "\xB9\xEA" + QByteArray(40, 'y');
    const TPrzypadek przypadki[] = {
        {"polskie litery", Dokument("windows-1250", "\xA3\xF3\xBF\xB9"), true},
        {"nazwane odwolania", Dokument("windows-1250", "&amp;&lt;&quot;\xB9"), true},
        {"dlugi tekst", Dokument("cp1250", dlugi), true},
        {"odwolanie liczbowe", Dokument("windows-1250", "\xB9&#261;"), false},
        {"odwolanie na koncu bloku", Dokument("windows-1250", QByteArray(29, 'x') + "&#x41;"), false},
        {"bajt nieokreslony", Dokument("windows-1250", dlugi + "\x98"), false},
        {"inna strona kodowa", Dokument("ISO-8859-2", "\xB1"), false},
        {"UTF-8", Dokument("UTF-8", "\xC4\x85"), false},
    };
    for (const TPrzypadek& p : przypadki) {
        pugi::xml_document dokument;
        QByteArray tekst;
        const bool windows1250 = CzytajXmlKosztorysu(
            p.Bajty, [&p] { return p.Bajty; }, dokument, tekst);
        EXPECT_EQ(windows1250, p.Windows1250) << p.Opis;
        // Either way the document is the one parsed from the UTF-8 form.
        pugi::xml_document wzor;
        QByteArray tekstWzoru;
        ParsujXmlKosztorysu(p.Bajty, OpcjeCzytaniaXmlKosztorysu, wzor, tekstWzoru);
        const char* wartosc = dokument.document_element().attribute("a").value();
        const QString tekstWartosci =
            windows1250 ? Windows1250NaTekst(QByteArrayView(wartosc, qstrlen(wartosc))) : QString::fromUtf8(wartosc);
        EXPECT_EQ(tekstWartosci, QString::fromUtf8(wzor.document_element().attribute("a").value())) << p.Opis;
    }
}

// Bytes parsed in place are gone when the parser complains: the complaint is worded from `zrodlo`.
TEST(XmlKosztorysu, BladParsowaniaZBajtowWzietych)
{
    const auto komunikat = [](const std::function<void()>& czytanie) {
        try {
            czytanie();
        } catch (const EBlad& e) {
            return e.Komunikat();
        }
        return QString();
    };
    for (const QByteArray& bajty : {Dokument("windows-1250", "\xB9") + "<", Dokument("UTF-8", "x") + "</L>"}) {
        pugi::xml_document dokument;
        QByteArray tekst;
        const QString wziete = komunikat([&] {
            CzytajXmlKosztorysu(
                QByteArray(bajty.constData(), bajty.size()), [&bajty] { return bajty; }, dokument, tekst);
        });
        EXPECT_TRUE(wziete.startsWith(QStringLiteral("Błąd odczytu pliku XML:"))) << wziete.toStdString();
        EXPECT_EQ(wziete, komunikat([&] { ParsujXmlKosztorysu(bajty, OpcjeCzytaniaXmlKosztorysu, dokument, tekst); }));
    }
}

TEST(XmlKosztorysu, Windows1250NaUtf8KazdaDlugoscIPrzesuniecie)
{
    QByteArray bajty;
    for (int i = 0; i < 3 * 256; ++i)
        bajty += static_cast<char>(i % 3 == 0 ? 'a' + i % 26 : (i * 37) % 256);
    for (int poczatek = 0; poczatek < 17; ++poczatek)
        for (int dlugosc : {0, 1, 15, 16, 17, 33, 700}) {
            const QByteArray kawalek = bajty.mid(poczatek, dlugosc);
            QString znaki = ZWindows1250(kawalek);
            znaki.remove(QChar(0xFFFD));
            ASSERT_EQ(Windows1250NaUtf8(kawalek), znaki.toUtf8()) << poczatek << ' ' << dlugosc;
        }
}

} // namespace
