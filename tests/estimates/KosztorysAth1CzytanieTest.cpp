// ATH estimates read from bytes: versions, section lines, keys, element nesting, merged positions of
// old versions, the repair of blocks and the ST lines put into the copy.
#include "app/Konfiguracja.h"
#include "estimates/KosztorysAth1.h"
#include "estimates/KosztorysJson.h"
#include "estimates/WyjatkiKosztorysu.h"
#include "specs/Specyfikacja.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<TPozycjaRds*> Pozycje(const TKosztorys& k)
{
    std::vector<TPozycjaRds*> wynik;
    k.DlaKazdejPozycji([&wynik](TPozycjaRds& p) { wynik.push_back(&p); });
    return wynik;
}

// Reading from bytes needs no program configuration: none exists in these tests.
class TAthCzytanie : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(TKonfiguracja::Istnieje()); }
    void TearDown() override { EXPECT_FALSE(TKonfiguracja::Istnieje()); }
};

TEST_F(TAthCzytanie, WersjaPrzed44)
{
    struct
    {
        const char* Linia;
        bool Stara;
    } const przypadki[] = {
        {"pr=NORMA 4.43", true},
        {"pr=NORMA 4.5", true},
        {"pr=NORMA 4", true},
        {"pr=NORMA 3.99", true},
        {"pr=norma 4.10", true},
        {"pr=NORMA 5.0", false},
        {"pr=NORMA 4.44", false},
        {"pr=NORMA 4.60", false},
        {"pr=NORMA 0004.0044", false},
        {"pr=NORMA 4.0043", true},
        {"pr=NORMA 4.99999999999", false},
        {"pr=NORMA 99999999999", false},
        {"pr=Norma 4.10", false},
        {"pr=NORMA 4.43 ", false},
        {"pr=NORMA 4.", false},
        {"pr=NORMA\t4.43", true},
        {"pr=NORMA\x1b"
         "4.43",
         true},
        {"pr=NORMA  4.43", false},
        {"xpr=NORMA 4.43", false},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Linia);
        TKosztorysAth1 k;
        k.WczytajZDanych(QByteArray(p.Linia) + "\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\n");
        EXPECT_EQ(k.CzyNormaPrzed44(), p.Stara);
    }
}

TEST_F(TAthCzytanie, LinieOtwierajaceBlokiPozycji)
{
    struct
    {
        const char* Linia;
        bool Pozycja;
    } const przypadki[] = {
        {"[POZYCJA]", true},
        {"[POZYCJA] uwaga", true},
        {"[TRANSPORT 2]", true},
        {"[TRANSPORT]", true},
        {"[TRANSPORT2]", true},
        {"[TRANSPORT ]", true},
        {"[RUSZTOWANIA]", true},
        {"[RUSZTOWANIA 12]", true},
        {"koniec [TRANSPORT 1]", true},
        {"[POZYCJA 2]", false},
        {"[TRANSPORT  2]", false},
        {"[TRANSPORT 2] ", false},
        {" [POZYCJA]", false},
        {"[pozycja]", false},
        {"[TRANSPORT 2a]", false},
        {"[TRANSPORT\x1b"
         "2]",
         true},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Linia);
        TKosztorysAth1 k;
        k.WczytajZDanych("pr=NORMA 4.50\r\n" + QByteArray(p.Linia) + "\r\nid=1\r\nnu=1\r\n");
        EXPECT_EQ(k.PozycjeCount(), p.Pozycja ? 1 : 0);
    }
}

TEST_F(TAthCzytanie, KluczePozycji)
{
    const QByteArray esc = "\x1b"
                           "13"
                           "\x1b"
                           "10";
    TKosztorysAth1 k;
    k.WczytajZDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\n"
                     "id=Aid=1\r\n"
                     "nu=12a\r\n"
                     "nsn= D-01.01.01" +
                     esc +
                     " \r\n"
                     "jm= m" +
                     esc +
                     "b\tmetr bie\xbf\xb9"
                     "cy\r\n"
                     "na=  Opis " +
                     esc +
                     "w dw\xf3"
                     "ch wierszach  \r\n"
                     "ob=12,5 m3\r\n"
                     "cj=12,50\t3,10\r\n");
    ASSERT_EQ(k.PozycjeCount(), 1);
    const TPozycjaRds& p = *k.GetPozycja(0);
    EXPECT_EQ(p.Id(), QStringLiteral("A1"));
    EXPECT_EQ(p.Nr(), QStringLiteral("12a"));
    EXPECT_EQ(p.ST(), QStringLiteral("D-01.01.01"));
    EXPECT_EQ(p.Jm(), QStringLiteral("mb"));
    EXPECT_EQ(p.Opis(), QStringLiteral("Opis w dwóch wierszach"));
    EXPECT_EQ(p.Ilosc(), QStringLiteral("12,5"));
    EXPECT_EQ(p.Cena(), QStringLiteral("12,50"));
    EXPECT_EQ(p.Rj(), QStringLiteral("3,10"));
    EXPECT_EQ(p.Mj(), QString());
    EXPECT_EQ(p.Sj(), QString());
    EXPECT_TRUE(p.Aktywna());
    EXPECT_FALSE(p.CzyScalona);

    // Repeated keys: the last line wins; a quantity without "ob=" is the whole line.
    k.WczytajZDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nid=2\r\nnu=1\r\nobj=7 m\r\nnsn=A\r\nnsn=B\r\n");
    EXPECT_EQ(k.GetPozycja(0)->Id(), QStringLiteral("2"));
    EXPECT_EQ(k.GetPozycja(0)->Ilosc(), QStringLiteral("obj=7 m"));
    EXPECT_EQ(k.GetPozycja(0)->ST(), QStringLiteral("B"));
}

TEST_F(TAthCzytanie, PodstawaWedlugTabulatorow)
{
    struct
    {
        const char* Linie;
        const char* Podstawa;
    } const przypadki[] = {
        {"pd=1\tKNR 2-31\t0101-01\t0", "KNR 2-31 0101-01"},
        {"pd=1\t\tKNR 2-31\t", "KNR 2-31"},
        {"pd=KNR 4-04 1101-01\tanalogia", "KNR 4-04 1101-01"},
        {"pd=  KNR 4-04\t", "  KNR 4-04"},
        {"pd=  KNR\x1b"
         "13\x1b"
         "10 4-04  ",
         "KNR 4-04"},
        {"pd=KNR 4-04\r\nuw=(analogia)", "KNR 4-04 (analogia)"},
        {"uw=analogia", "analogia"},
        {"pd=KNR 4-04\r\nuw=a\r\nuw=b", "KNR 4-04 a b"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Linie);
        TKosztorysAth1 k;
        k.WczytajZDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\n" + QByteArray(p.Linie) + "\r\n");
        EXPECT_EQ(k.GetPozycja(0)->Podstawa(), QString::fromLatin1(p.Podstawa));
    }
}

TEST_F(TAthCzytanie, ZagniezdzenieElementow)
{
    TKosztorysAth1 k;
    k.WczytajZDanych("pr=NORMA 4.50\r\n"
                     "[ELEMENT 1]\r\nnu=1\r\nna=Pierwszy\r\n\r\n"
                     "[ELEMENT 2]\r\n  nu=1.1  \r\n  na=Drugi"
                     "\x1b"
                     "13"
                     "\x1b"
                     "10 poziom \r\n\r\n"
                     "[ELEMENT 2]\r\nnu=1.2\r\n\r\n"
                     "[ELEMENT 1]\r\nnu=2\r\n\r\n"
                     "[ELEMENT 3]\r\nnu=2.0.1\r\n\r\n"
                     "[ELEMENT]\r\nnu=3\r\n\r\n"
                     "[ELEMENT 1]\r\nnu=3.1\r\n\r\n"
                     "[ELEMENT 99999999999]\r\nnu=3.1.1\r\n\r\n");
    ASSERT_EQ(k.ElementyCount(), 3);
    const TElementRds* e1 = k.GetElement(0);
    EXPECT_EQ(e1->GetNr(), QStringLiteral("1"));
    EXPECT_EQ(e1->Opis, QStringLiteral("Pierwszy"));
    ASSERT_EQ(e1->ElementyCount(), 2);
    EXPECT_EQ(e1->GetElement(0)->GetNr(), QStringLiteral("1.1"));
    EXPECT_EQ(e1->GetElement(0)->Opis, QStringLiteral("Drugi poziom"));
    EXPECT_EQ(e1->GetElement(0)->GetPz(), 2);
    EXPECT_EQ(e1->GetElement(1)->GetNr(), QStringLiteral("1.2"));
    const TElementRds* e2 = k.GetElement(1);
    ASSERT_EQ(e2->ElementyCount(), 1);
    EXPECT_EQ(e2->GetElement(0)->GetNr(), QStringLiteral("2.0.1"));
    const TElementRds* e3 = k.GetElement(2);
    EXPECT_EQ(e3->GetPz(), 0);
    // Level 1 after level 0 goes below it (the walk stops at a lower level).
    ASSERT_EQ(e3->ElementyCount(), 1);
    ASSERT_EQ(e3->GetElement(0)->ElementyCount(), 1);
    EXPECT_EQ(e3->GetElement(0)->GetElement(0)->GetPz(), 2147483647);
}

TEST_F(TAthCzytanie, ZagniezdzenieDoGranicy)
{
    QByteArray dane = "pr=NORMA 4.50\r\n";
    for (int i = 1; i <= TKosztorysAth1::MaksZaglebienie; ++i)
        dane += "[ELEMENT " + QByteArray::number(i) + "]\r\n\r\n";
    TKosztorysAth1 k;
    k.WczytajZDanych(dane);
    EXPECT_EQ(k.Count(), TKosztorysAth1::MaksZaglebienie);
    dane += "[ELEMENT " + QByteArray::number(TKosztorysAth1::MaksZaglebienie + 1) + "]\r\n";
    EXPECT_THROW(k.WczytajZDanych(dane), EBlad);
    EXPECT_EQ(k.Count(), 0);
}

TEST_F(TAthCzytanie, ScalonaPozycjaStarejWersji)
{
    const QByteArray pozycja = "[POZYCJA]\r\nid=1\r\nnu=1\r\npd=D-01.01.01. Roboty pomiarowe\r\nnsn=X\r\n\r\n";
    TKosztorysAth1 k;
    k.WczytajZDanych("pr=NORMA 4.43\r\n" + pozycja + "[POZYCJA 1]\r\nna=a\r\n[POZYCJA 2]\r\n");
    const TPozycjaRds* p = k.GetPozycja(0);
    EXPECT_TRUE(p->CzyScalona);
    EXPECT_EQ(p->ST(), QStringLiteral("D-01.01.01"));
    EXPECT_EQ(p->Podstawa(), QString());

    // Not in a current version, nor without a sub-position line, nor with a basis of another shape.
    k.WczytajZDanych("pr=NORMA 4.44\r\n" + pozycja + "[POZYCJA 1]\r\n");
    EXPECT_FALSE(k.GetPozycja(0)->CzyScalona);
    EXPECT_EQ(k.GetPozycja(0)->Podstawa(), QStringLiteral("D-01.01.01. Roboty pomiarowe"));
    k.WczytajZDanych("pr=NORMA 4.43\r\n" + pozycja);
    EXPECT_FALSE(k.GetPozycja(0)->CzyScalona);
    k.WczytajZDanych("pr=NORMA 4.43\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\npd=KNR 2-01\r\n\r\n[POZYCJA 1]\r\n");
    EXPECT_FALSE(k.GetPozycja(0)->CzyScalona);
    // The version line counts from where it stands: a later old-version line marks the file old.
    k.WczytajZDanych(pozycja + "pr=NORMA 4.43\r\n[POZYCJA 1]\r\n");
    EXPECT_TRUE(k.GetPozycja(0)->CzyScalona);
}

TEST_F(TAthCzytanie, SeparatorWariantuZamienianyPrzyOdczycie)
{
    TUstawieniaKosztorysu u;
    u.Warianty.CzyKorzystajZWariantow = true;
    u.ListaSeparatorowWariantow = QStringLiteral("_/");
    u.RozpoznajWariantyPrzyImporcie = true;
    TKosztorysAth1 k(QString(), false, false, false, u);
    k.WczytajZDanych("pr=NORMA 4.43\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\nnsn=D-01.01.01/2_3\r\n\r\n"
                     "[POZYCJA]\r\nid=2\r\nnu=2\r\npd=D-02.01.01_1. Wykopy\r\n\r\n[POZYCJA 1]\r\n");
    EXPECT_EQ(k.GetPozycja(0)->ST(), QStringLiteral("D-01.01.01/2#3"));
    EXPECT_EQ(k.GetPozycja(1)->ST(), QStringLiteral("D-02.01.01#1"));
    u.RozpoznajWariantyPrzyImporcie = false;
    k.UstawUstawienia(u);
    k.WczytajZDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\nnsn=D-01.01.01_3\r\n");
    EXPECT_EQ(k.GetPozycja(0)->ST(), QStringLiteral("D-01.01.01_3"));
}

TEST_F(TAthCzytanie, SprawdzenieIdINrOpcjeNaprawyWPamieci)
{
    const QByteArray dane = "pr=NORMA 4.50\r\n[POZYCJA]\r\nnu=5\r\n\r\n[POZYCJA]\r\nid=9\r\n";
    TKosztorysAth1 k;
    EXPECT_THROW(k.WczytajZDanych(dane), EBrakIdNrPozycjiException);
    k.Indeksuj = true;
    k.WczytajZDanych(dane);
    ASSERT_EQ(k.PozycjeCount(), 2);
    EXPECT_EQ(k.GetPozycja(0)->Id(), QStringLiteral("1"));
    EXPECT_EQ(k.GetPozycja(0)->Nr(), QStringLiteral("5"));
    EXPECT_EQ(k.GetPozycja(1)->Id(), QStringLiteral("2"));
    EXPECT_EQ(k.GetPozycja(1)->Nr(), QString());
    // Keys are tested by their first letters, as in reading: "idx" counts as an identifier line.
    k.Indeksuj = false;
    EXPECT_NO_THROW(k.WczytajZDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nidx=1\r\nnumer=1\r\n"));
}

TEST_F(TAthCzytanie, NaprawaBlokow)
{
    TKosztorysAth1 k;
    k.Indeksuj = true;
    k.Renumeruj = true;
    // Every block gets the counter, also blocks that had an identifier or a number; of repeated keys
    // the last line is replaced, since that is the one the reader takes.
    EXPECT_EQ(k.NaprawDane("[POZYCJA]\r\nid=7\r\nid=\r\nna=a\r\nnu=3\r\n\r\n"
                           "[TRANSPORT 1]\r\n\r\n"
                           "[POZYCJA]\r\nna=b\r\n\r\n"
                           "[ELEMENT 1]\r\n[POZYCJA]\r\nnu=1\r\n\r\n"
                           "[POZYCJA]"),
              QByteArray("[POZYCJA]\r\nid=7\r\nid=1\r\nna=a\r\nnu=1\r\n\r\n"
                         "[TRANSPORT 1]\r\nid=2\r\nnu=2\r\n\r\n"
                         "[POZYCJA]\r\nna=b\r\nid=3\r\nnu=3\r\n\r\n"
                         "[ELEMENT 1]\r\n[POZYCJA]\r\nnu=1\r\n\r\n"
                         "[POZYCJA]\r\nid=4\r\nnu=4\r\n"));
    k.Renumeruj = false;
    EXPECT_EQ(k.NaprawDane("[POZYCJA]\r\nnu=1\r\nna=a\r\njm=m\r\n\r\n"),
              QByteArray("[POZYCJA]\r\nnu=1\r\nna=a\r\nid=1\r\njm=m\r\n\r\n"));
}

TEST_F(TAthCzytanie, KopiaLinieST)
{
    const QByteArray zrodlo = "pr=NORMA 4.50\r\n"
                              "[POZYCJA]\r\nid=1\r\nnu=1\r\nnsn=A\r\nna=x\r\nnsn=B\r\n\r\n"
                              "[POZYCJA]\r\nid=2\r\nnu=2\r\n\r\n"
                              "[POZYCJA]\r\nid=3\r\nnu=3\r\nnsn=C\r\n\r\n"
                              "[POZYCJA]\r\nnu=4\r\nnsn=D\r\n";
    TKosztorysAth1 k;
    k.Indeksuj = false;
    k.WczytajZDanych(zrodlo.left(zrodlo.indexOf("[POZYCJA]\r\nnu=4")));
    const auto p = Pozycje(k);
    ASSERT_EQ(p.size(), 3u);
    p[0]->SetST(QStringLiteral("A-01"));
    p[2]->SetST(QStringLiteral("C-03\r\nid=9"));
    TSpecyfikacja spec(QStringLiteral("S-02"), false, false, QString(), QString(), QStringLiteral("Specyfikacja"));
    p[1]->SetST(QStringLiteral("s-02"));
    p[1]->WybranaSpecyfikacja().SetSpecyfikacja(&spec);
    EXPECT_EQ(k.ZapiszDoDanych(zrodlo), QByteArray("pr=NORMA 4.50\r\n"
                                                   "[POZYCJA]\r\nid=1\r\nnu=1\r\nnsn=A\r\nna=x\r\nnsn=A-01\r\n\r\n"
                                                   "[POZYCJA]\r\nid=2\r\nnu=2\r\nnsn=S-02\r\n\r\n"
                                                   "[POZYCJA]\r\nid=3\r\nnu=3\r\nnsn=C-03  id=9\r\n\r\n"
                                                   "[POZYCJA]\r\nnu=4\r\nnsn=D\r\n"));
    p[1]->WybranaSpecyfikacja().SetSpecyfikacja(nullptr);
}

TEST_F(TAthCzytanie, KopiaBlokowOTymSamymId)
{
    TKosztorysAth1 k;
    k.WczytajZDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=5\r\nnu=1\r\nnsn=X\r\n");
    k.GetPozycja(0)->SetST(QStringLiteral("Y"));
    // A source with more blocks of the identifier than the tree has positions: the others get the first.
    EXPECT_EQ(k.ZapiszDoDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=5\r\nnsn=X\r\n\r\n[POZYCJA]\r\nid=5\r\nnsn=Z\r\n\r\n"
                               "[POZYCJA]\r\nid=6\r\nnsn=Z\r\n"),
              QByteArray("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=5\r\nnsn=Y\r\n\r\n[POZYCJA]\r\nid=5\r\nnsn=Y\r\n\r\n"
                         "[POZYCJA]\r\nid=6\r\nnsn=Z\r\n"));

    k.WczytajZDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=5\r\nnu=1\r\n\r\n[POZYCJA]\r\nid=5\r\nnu=2\r\n\r\n"
                     "[POZYCJA]\r\nid=5\r\nnu=3\r\n");
    const auto p = Pozycje(k);
    p[0]->SetST(QStringLiteral("A"));
    p[2]->SetST(QStringLiteral("C"));
    EXPECT_EQ(k.ZapiszDoDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=5\r\nnu=1\r\n\r\n[POZYCJA]\r\nid=5\r\nnu=2\r\n\r\n"
                               "[POZYCJA]\r\nid=5\r\nnu=3\r\n"),
              QByteArray("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=5\r\nnu=1\r\nnsn=A\r\n\r\n[POZYCJA]\r\nid=5\r\nnu=2\r\n\r\n"
                         "[POZYCJA]\r\nid=5\r\nnu=3\r\nnsn=C\r\n"));
}

TEST_F(TAthCzytanie, KopiaBlokowWInnejKolejnosciNizDrzewo)
{
    TKosztorysAth1 k;
    k.WczytajZDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\n\r\n[POZYCJA]\r\nid=2\r\nnu=2\r\n\r\n"
                     "[POZYCJA]\r\nid=1\r\nnu=3\r\n");
    const auto p = Pozycje(k);
    p[0]->SetST(QStringLiteral("A"));
    p[1]->SetST(QStringLiteral("B"));
    p[2]->SetST(QStringLiteral("C"));
    // The first block follows the tree, the second departs from it: the blocks with identifier 1 still
    // get the positions with it one after another.
    EXPECT_EQ(
        k.ZapiszDoDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\n\r\n[POZYCJA]\r\nid=1\r\n\r\n[POZYCJA]\r\nid=2\r\n"),
        QByteArray("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnsn=A\r\n\r\n[POZYCJA]\r\nid=1\r\nnsn=C\r\n\r\n"
                   "[POZYCJA]\r\nid=2\r\nnsn=B\r\n"));
    EXPECT_EQ(
        k.ZapiszDoDanych("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=2\r\n\r\n[POZYCJA]\r\nid=1\r\n\r\n[POZYCJA]\r\nid=1\r\n"),
        QByteArray("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=2\r\nnsn=B\r\n\r\n[POZYCJA]\r\nid=1\r\nnsn=A\r\n\r\n"
                   "[POZYCJA]\r\nid=1\r\nnsn=C\r\n"));
}

TEST_F(TAthCzytanie, KopiaZachowujeBajtyNiezmienionejLinii)
{
    // A byte Windows-1250 leaves undefined reads as U+FFFD; a line whose text does not change keeps it.
    const QByteArray zrodlo = "pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\nnsn=D-01\x98\r\n";
    TKosztorysAth1 k;
    k.WczytajZDanych(zrodlo);
    EXPECT_EQ(k.GetPozycja(0)->ST(), QStringLiteral("D-01\uFFFD"));
    EXPECT_EQ(k.ZapiszDoDanych(zrodlo), zrodlo);
    k.GetPozycja(0)->SetST(QStringLiteral("D-02"));
    EXPECT_EQ(k.ZapiszDoDanych(zrodlo), QByteArray("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\nnsn=D-02\r\n"));
}

TEST_F(TAthCzytanie, KopiaZUtf8ZachowujeUkladBlokow)
{
    // A blank line of a white space Windows-1250 lacks stays blank in the copy; other such characters
    // become "?"; every line ends with CR LF; no byte-order mark.
    const QString tekst = QStringLiteral("\uFEFFpr=NORMA 4.50\n[POZYCJA]\nid=1\nnu=1\nna=Ściana 3 m\u00B2\n\u2003\n"
                                         "[POZYCJA]\nid=2\nnu=2\n");
    const QByteArray zrodlo = tekst.toUtf8();
    TKosztorysAth1 k;
    k.WczytajZDanych(zrodlo);
    ASSERT_EQ(k.PozycjeCount(), 2);
    const QByteArray kopia = k.ZapiszDoDanych(zrodlo);
    EXPECT_EQ(kopia, QByteArray("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\nna=\x8C"
                                "ciana 3 m?\r\n \r\n"
                                "[POZYCJA]\r\nid=2\r\nnu=2\r\n"));
    TKosztorysAth1 zKopii;
    zKopii.WczytajZDanych(kopia);
    EXPECT_EQ(zKopii.PozycjeCount(), 2);
}

} // namespace
