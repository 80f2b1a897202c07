// Unit prices left in the read file until asked for: each is what reading it at once gives, with the
// settings the list had, also when the settings change first, when threads ask together, and a restored
// price tells its unit of changes.
#include "prices/CenaJedn.h"
#include "specs/CenaJednXml.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/PomocnikSpecyfikacji.h"
#include "specs/SpisST.h"
#include "specs/StrumienXml.h"
#include "specs/WariantSpecyfikacji.h"

#include <QFile>

#include <cstdlib>

#include <thread>
#include <vector>

namespace {

QByteArray Zapis(const TCenaJedn& cena)
{
    TStrumienXml xml;
    xml.Otworz("j");
    ZapiszCeneJedn(xml, cena);
    xml.Zamknij();
    return std::move(xml).Wynik();
}

// The units in reading order: variants' units, the node's own, then the children.
void Jednostki(const TSpecyfikacja& w, std::vector<TJmSpecyfikacji*>& wynik)
{
    for (int i = 0; i < w.WariantyCount(); ++i)
        for (int j = 0; j < w.GetWariant(i)->JmCount(); ++j)
            wynik.push_back(w.GetWariant(i)->GetJm(j));
    for (int i = 0; i < w.JmCount(); ++i)
        wynik.push_back(w.GetJm(i));
    for (int i = 0; i < w.Count(); ++i)
        Jednostki(*w.GetSpecyfikacja(i), wynik);
}

void ElementyJednostek(const pugi::xml_node& w, std::vector<pugi::xml_node>& wynik)
{
    for (pugi::xml_node wariant : w.child("warianty").children("wariant"))
        for (pugi::xml_node j : wariant.child("jednostki").children("jednostka"))
            wynik.push_back(j);
    for (pugi::xml_node j : w.child("jednostki").children("jednostka"))
        wynik.push_back(j);
    for (pugi::xml_node dziecko : w.children("specyfikacja"))
        ElementyJednostek(dziecko, wynik);
}

// Each price read at once from its element, with the given settings and then the later ones.
std::vector<QByteArray> OdRazu(const QByteArray& bajty, const TUstawieniaCen& przy, const TUstawieniaCen& potem)
{
    pugi::xml_document dokument;
    EXPECT_TRUE(dokument.load_buffer(bajty.constData(), static_cast<size_t>(bajty.size())));
    std::vector<pugi::xml_node> elementy;
    for (pugi::xml_node w : dokument.document_element().children("specyfikacja"))
        ElementyJednostek(w, elementy);
    std::vector<QByteArray> wynik;
    for (const pugi::xml_node& j : elementy) {
        TCenaJedn cena;
        WczytajCeneJedn(j, cena, przy);
        cena.SetUstawienia(potem);
        wynik.push_back(Zapis(cena));
    }
    return wynik;
}

class CenyOdroczone : public TestSpecyfikacji
{
protected:
    QByteArray Bajty()
    {
        QFile plik(SciezkaDanychTestowych(QStringLiteral("specs/sst/valid/pelna.sst")));
        EXPECT_TRUE(plik.open(QIODevice::ReadOnly));
        return plik.readAll();
    }
    const TUstawieniaCen Przy{true, 1.25};
    const TUstawieniaCen Potem{true, 0.8};
};

TEST_F(CenyOdroczone, JakCzytaneOdRazuTakzeGdyUstawieniaZmienionoWczesniej)
{
    const QByteArray bajty = Bajty();
    for (const bool zmiana : {false, true}) {
        TSpisST spis;
        spis.SetUstawieniaCen(Przy);
        spis.OtworzZBajtow(bajty);
        if (zmiana)
            spis.SetUstawieniaCen(Potem);
        std::vector<TJmSpecyfikacji*> jednostki;
        Jednostki(spis, jednostki);
        const std::vector<QByteArray> oczekiwane = OdRazu(bajty, Przy, zmiana ? Potem : Przy);
        ASSERT_EQ(jednostki.size(), oczekiwane.size());
        ASSERT_GE(jednostki.size(), 5u);
        for (std::size_t i = 0; i < jednostki.size(); ++i)
            EXPECT_EQ(Zapis(*jednostki[i]->CenaJedn()), oczekiwane[i]) << i << (zmiana ? " after a change" : "");
    }
}

TEST_F(CenyOdroczone, WatkiDostajaTeSamaCene)
{
    TSpisST spis;
    spis.SetUstawieniaCen(Przy);
    spis.OtworzZBajtow(Bajty());
    std::vector<TJmSpecyfikacji*> jednostki;
    Jednostki(spis, jednostki);
    std::vector<std::vector<TCenaJedn*>> widziane(4);
    std::vector<std::thread> watki;
    for (auto& w : widziane)
        watki.emplace_back([&jednostki, &w] {
            for (TJmSpecyfikacji* j : jednostki)
                w.push_back(j->CenaJedn());
        });
    for (auto& w : watki)
        w.join();
    for (const auto& w : widziane)
        EXPECT_EQ(w, widziane.front());
}

TEST_F(CenyOdroczone, PrzywroconaCenaZglaszaZmianeJednostki)
{
    TSpisST spis;
    spis.OtworzZBajtow(Bajty());
    std::vector<TJmSpecyfikacji*> jednostki;
    Jednostki(spis, jednostki);
    ASSERT_FALSE(jednostki.empty());
    int zmian = 0;
    jednostki.back()->SetOnChange([&zmian](TNadawcaZmiany*) { ++zmian; });
    jednostki.back()->CenaJedn()->SetCena(jednostki.back()->CenaJedn()->GetCena() + 1);
    EXPECT_EQ(zmian, 1);
}

} // namespace

namespace {

// Plain decimals are read without the general parser: every form must give strtod's value, to the bit.
TEST(LiczbyCeny, ProsteLiczbyJakStrtod)
{
    const char* liczby[] = {"0",
                            "-0",
                            "7",
                            "12,5",
                            "0.1",
                            "0,3",
                            "-45.678",
                            "+2",
                            "5.",
                            ".5",
                            "00012.50",
                            "3.14159265",
                            "1e3",
                            "0x10",
                            "1,2,3",
                            "",
                            " 1",
                            "99999999999999.9",
                            "123456789012345",
                            "1234567890123456789",
                            "0.000000000000001",
                            "-999999999999999",
                            "4503599627370497.5"};
    for (const char* tekst : liczby) {
        const QByteArray xml = QByteArray("<j><cenaJedn zrodlo=\"RMSj\" rjwspolcz=\"") + tekst + "\"/></j>";
        pugi::xml_document dokument;
        ASSERT_TRUE(dokument.load_buffer(xml.constData(), static_cast<size_t>(xml.size())));
        TCenaJedn cena;
        WczytajCeneJedn(dokument.child("j"), cena, TUstawieniaCen{});
        QByteArray c(tekst);
        c.replace(',', '.');
        char* koniec = nullptr;
        const double oczekiwana = std::strtod(c.constData(), &koniec);
        const bool liczba = !c.isEmpty() && *koniec == '\0' && !c.contains('x') && !c.contains('e') && c[0] != ' ';
        if (liczba) {
            EXPECT_EQ(cena.GetRjWspolcz(), oczekiwana) << tekst;
        }
    }
}

} // namespace
