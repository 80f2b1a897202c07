// The Zuzia reader gives every element and position of its fuzz corpus, and of documents aimed at its
// decoding of code pages, the same texts as when tests/estimates/KorpusZuzi.txt was written: one line per
// element and position with all its texts, or the error message. VELOSTRA_ZAPISZ_KORPUSY=1 rewrites the file.

#include "estimates/KosztorysZuzia.h"
#include "support/Pomocnicze.h"

#include <QDir>

#include "../../fuzz/WspolneFuzz.h"

#include <exception>
#include <utility>
#include <vector>

namespace {

const QString PlikWzorcow = QStringLiteral(VELOSTRA_TEST_DATA "/../estimates/KorpusZuzi.txt");
const QString KatalogKorpusu = QStringLiteral(VELOSTRA_TEST_DATA "/../../fuzz/corpus/zuzia");

QByteArray Pole(const QString& tekst)
{
    return ' ' + tekst.toUtf8().toPercentEncoding(" ");
}

void Opisz(const TElementRds& e, const QByteArray& wciecie, QByteArray& wynik)
{
    for (int i = 0; i < e.PozycjeCount(); ++i) {
        const TPozycjaRds& p = *e.GetPozycja(i);
        wynik += wciecie + 'P';
        for (const QString& t :
             {p.Id(), p.Nr(), p.ST(), p.Podstawa(), p.Opis(), p.Jm(), p.Ilosc(), p.Cena(), p.Rj(), p.Mj(), p.Sj()})
            wynik += Pole(t);
        wynik += p.Aktywna() ? " 1\n" : " 0\n";
    }
    for (int i = 0; i < e.ElementyCount(); ++i) {
        const TElementRds& d = *e.GetElement(i);
        wynik += wciecie + 'E' + Pole(d.GetNr()) + Pole(d.Opis) + ' ' + QByteArray::number(d.GetPz()) + '\n';
        Opisz(d, wciecie + ' ', wynik);
    }
}

QByteArray Drzewo(const QByteArray& bajty)
{
    TKosztorysZuzia k(QString(), false, false, false, UstawieniaFuzz(static_cast<size_t>(bajty.size())));
    try {
        k.WczytajZDanych(bajty);
    } catch (const std::exception& e) {
        return "blad" + Pole(QString::fromUtf8(e.what())) + '\n';
    }
    QByteArray wynik = "VAT " + QByteArray::number(k.StawkaVat(), 'g', 17) + '\n';
    Opisz(k, {}, wynik);
    return wynik;
}

QByteArray Cp1250(const QByteArray& cialo, const QByteArray& kodowanie = "windows-1250")
{
    return "<?xml version=\"1.0\" encoding=\"" + kodowanie + "\"?>\r\n<Kosztorys>" + cialo + "</Kosztorys>\r\n";
}

// Every byte the code page defines, in a description and in an attribute.
QByteArray WszystkieBajty()
{
    QByteArray b;
    for (int i = 0x20; i < 256; ++i)
        if (i != '<' && i != '&' && i != '"' && i != 0x81 && i != 0x83 && i != 0x88 && i != 0x90 && i != 0x98)
            b += static_cast<char>(i);
    return Cp1250("<Pozycja Id=\"" + b + "\" Jedn=\"\xB3\xB9\" Ilosc=\"1\" Wartosc=\"2\"><Nazwa>" + b +
                  "</Nazwa></Pozycja>");
}

const std::vector<std::pair<QByteArray, QByteArray>>& Dokumenty()
{
    static const std::vector<std::pair<QByteArray, QByteArray>> dokumenty{
        {"odwolania", Cp1250("<Rozdzial Nr=\"&#261;1\"><Nazwa>&#xFEFF;Dzia&#322; &#65279;</Nazwa>"
                             "<Pozycja Id=\"&#xFEFF;a\" Nr=\"\xB9&#x105;\" Jedn=\"&#xFEFF;m\xB3\" Ilosc=\"1.2345\" "
                             "Wartosc=\"&#49;0\"><Nazwa>\xA0\xB9&#x20AC;\x80&#0;x</Nazwa></Pozycja></Rozdzial>")},
        {"nieokreslone", Cp1250("<Poz\x81ycja Id=\"a\x83"
                                "b\" Jedn=\"\x88\" Ilosc=\"1\x90\" Wartosc=\"3\"><Nazwa>\x98z\xB9</Nazwa>"
                                "</Poz\x81ycja><Pozycja Id=\"c\x81\" Ilosc=\"2\" Wartosc=\"4\"/>")},
        {"esc", Cp1250("<Pozycja Id=\"a\x1b"
                       "b\" Jedn=\"\x1bm\" Ilosc=\"1\" Wartosc=\"2\"><Nazwa>x\x1b\xB9\x1b</Nazwa></Pozycja>")},
        {"biale", Cp1250("<Narzuty><VAT Suma=\" 8,5\xA0\"/></Narzuty><Grupa Nr=\"\t1\r\n\" Scal=\" 1 \" "
                         "Ilosc_Jedn=\"\xA0"
                         "2.5\" Wartosc=\"100\"><Nazwa>\r\n  \xA0scalona\xA0\r\n</Nazwa><Sst Nr=\" D-01 \"/>"
                         "<Pozycja Id=\"w\"/></Grupa><Transport Id=\"t\" Odleglosc=\"\xA0"
                         "5 km\" Ilosc=\"3\" Wartosc=\"9\" Blok=\" 1\"/>")},
        {"kawalki",
         Cp1250("<Element Nr=\"E\"><Nazwa>a<![CDATA[\xB9<b>]]><!-- k -->c<x>\xEA</x> &amp;&lt;&quot;&apos;&gt;&foo;"
                "</Nazwa><Rusztowanie Id=\"r\" Blok=\"0\" Ilosc=\"7,125\" Wartosc=\"1 234,56\"><Nazwa>r<i/>s</Nazwa>"
                "<Katalog Nazwa=\"KNR \xB9\" Nr=\"01\" Tab=\"\" Kol=\"\xEA\"/></Rusztowanie>"
                "<Pozycja Id=\"k\"><Katalog Podstawa=\" \xA0 \" Nazwa=\"N\" Nr=\"2\"/></Pozycja>"
                "<Pozycja Id=\"l\"><Katalog Podstawa=\"P&#322;\"/><Nazwa/></Pozycja></Element>")},
        {"blok", Cp1250("<Pozycja Id=\"a\" Blok=\"\xB9\"/><Pozycja Id=\"b\"/>")},
        {"blok_tak", Cp1250("<Pozycja Id=\"a\" Blok=\"tak\"/><Pozycja Id=\"b\" Blok=\"-1\"/>"
                            "<Pozycja Id=\"c\" Blok=\" Nie\"/>")},
        {"cp1250", Cp1250("<Pozycja Id=\"\xA5\" Jedn=\"m\"/>", "CP1250")},
        {"Windows", Cp1250("<Pozycja Id=\"\xA5\" Jedn=\"m\"/>", "Windows-1250")},
        {"wszystkie", WszystkieBajty()},
        {"bledny", Cp1250("<Pozycja Id=\"\xB9\"><Nazwa>x</Pozycja>")},
        {"pusty", "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n"},
        {"utf8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Kosztorys><Pozycja Id=\"\xC4\x85\xEF\xBB\xBF\" "
                 "Nr=\"\xEF\xBB\xBFx\" Jedn=\"\xC3\"><Nazwa>\xE2\x80\x93 \xFF</Nazwa></Pozycja></Kosztorys>"},
    };
    return dokumenty;
}

QByteArray WynikiKatalogu(const QString& katalog)
{
    QByteArray wynik;
    const QDir dir(katalog);
    for (const QString& nazwa : dir.entryList(QDir::Files, QDir::Name))
        wynik += "== " + nazwa.toUtf8() + '\n' + Drzewo(CzytajPlik(dir.filePath(nazwa)));
    return wynik;
}

QByteArray Wyniki()
{
    QByteArray wynik;
    for (const auto& [nazwa, bajty] : Dokumenty())
        wynik += "== " + nazwa + '\n' + Drzewo(bajty);
    return wynik + WynikiKatalogu(KatalogKorpusu);
}

TEST(KorpusZuzi, KazdaPozycjaMaTeSameTeksty)
{
    // VELOSTRA_KORPUS_ZUZI=<folder> also reads another folder (a fuzzer's findings) to <folder>.txt, for
    // comparing two builds.
    if (const QString inny = qEnvironmentVariable("VELOSTRA_KORPUS_ZUZI"); !inny.isEmpty())
        ZapiszPlik(inny + QStringLiteral(".txt"), WynikiKatalogu(inny));
    const QByteArray wyniki = Wyniki();
    PorownajZWzorcem(wyniki, PlikWzorcow, "VELOSTRA_ZAPISZ_KORPUSY", 200);
}

} // namespace
