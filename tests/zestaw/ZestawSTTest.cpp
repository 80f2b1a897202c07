#include "zestaw/ZestawST.h"
#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/Specyfikacja.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "zestaw/DopasowanieSpecyfikacji.h"
#include "zestaw/ZbiorST.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class ZestawST : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        ASSERT_TRUE(FKatalog.isValid());
    }
    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }

    static std::unique_ptr<TKosztorys> Kosztorys(const QString& sciezka)
    {
        auto k = TKosztorysFactory::GetKosztorys(sciezka, false, {});
        k->FilePath().SetPath(sciezka);
        return k;
    }
    static TPozycjaRds* DodajPozycje(TElementRds& e, const QString& id, const QString& st, bool aktywna = true)
    {
        auto p = std::make_unique<TPozycjaRds>();
        p->SetId(id);
        p->SetNr(QStringLiteral("1.") + id);
        p->SetST(st);
        p->SetPodstawa(QStringLiteral("KNR 2-31 0114-05"));
        p->SetOpis(QStringLiteral("Podbudowa z kruszywa łamanego \"0/31,5\" <gr. 20 cm> & więcej"));
        p->SetJm(QStringLiteral("m2"));
        p->SetIlosc(QStringLiteral("1520,50"));
        p->SetCena(QStringLiteral("45.2"));
        p->SetRj(QStringLiteral("1,5"));
        p->SetMj(QStringLiteral("30"));
        p->SetSj(QStringLiteral("0"));
        p->SetAktywna(aktywna);
        return e.AddPozycja(std::move(p));
    }
    // Two estimates with nested elements, own entries and changed settings.
    void Wypelnij(TZestawST& z)
    {
        TKosztorys* a = z.AddKosztorys(Kosztorys(Sciezka(QStringLiteral("droga.rds"))));
        a->SetTytul(QStringLiteral("Przebudowa drogi gminnej w Żółkiewce"));
        a->Id = QStringLiteral("{A-1}");
        DodajPozycje(*a, QStringLiteral("1"), QStringLiteral("D-01.01.01"));
        TElementRds* e =
            a->AddElement(std::make_unique<TElementRds>(QStringLiteral("1"), 1, QStringLiteral("Roboty ziemne")));
        DodajPozycje(*e, QStringLiteral("2"), QStringLiteral("D-02.01.01#2"), false);
        TElementRds* g =
            e->AddElement(std::make_unique<TElementRds>(QStringLiteral("1.1"), 2, QStringLiteral("Wykopy")));
        DodajPozycje(*g, QStringLiteral("3"), QString());
        TKosztorys* b = z.AddKosztorys(Kosztorys(Sciezka(QStringLiteral("szkoła.xml"))));
        b->SetTytul(QStringLiteral("Remont szkoły"));
        DodajPozycje(*b, QStringLiteral("7"), QStringLiteral("B-01"));
        z.GetZbiorST()->Add(QStringLiteral("B-99"));
        z.GetZbiorST()->Add(QStringLiteral("D-01.01.01#A"));
        z.GetKonfiguracja()->TrescNaglowka = QStringLiteral("Budowa – etap II");
        z.GetKonfiguracja()->MarginesL = 30;
        z.GetKonfiguracja()->AddExternalNode(QStringLiteral("xlsKolumny"), QStringLiteral("1;2;5"));
    }

    QTemporaryDir FKatalog;
};

TEST_F(ZestawST, ZapisIOdczytDajaTenSamPlik)
{
    TZestawST z;
    Wypelnij(z);
    const QString plik = Sciezka(QStringLiteral("zestaw.zst"));
    int zapisano = 0;
    z.SetOnZapisano([&](TZestawST* s) {
        EXPECT_EQ(s, &z);
        ++zapisano;
    });
    z.Zapisz(plik);
    EXPECT_EQ(zapisano, 1);
    EXPECT_EQ(z.ZestawPath(), plik);

    TZestawST w;
    w.Otworz(plik);
    EXPECT_EQ(w.ZestawPath(), plik);
    ASSERT_EQ(w.KosztorysyCount(), 2);
    const TKosztorys* a = w.GetKosztorys(0);
    EXPECT_EQ(a->Tytul(), QStringLiteral("Przebudowa drogi gminnej w Żółkiewce"));
    EXPECT_EQ(a->Id, QStringLiteral("{A-1}"));
    EXPECT_EQ(a->Opis, QStringLiteral("droga"));
    EXPECT_EQ(a->FilePath().GetPath(), Sciezka(QStringLiteral("droga.rds")));
    EXPECT_EQ(TKosztorysFactory::GetDefaultExtension(*w.GetKosztorys(1)),
              TKosztorysFactory::GetDefaultExtension(*z.GetKosztorys(1)));
    const TPozycjaRds* p = a->GetElement(0)->GetPozycja(0);
    EXPECT_EQ(p->ST(), QStringLiteral("D-02.01.01#2"));
    EXPECT_EQ(p->Opis(), QStringLiteral("Podbudowa z kruszywa łamanego \"0/31,5\" <gr. 20 cm> & więcej"));
    EXPECT_EQ(p->Ilosc(), QStringLiteral("1520,50"));
    EXPECT_EQ(p->Cena(), QStringLiteral("45.2"));
    EXPECT_FALSE(p->Aktywna());
    EXPECT_EQ(p->Parent, a->GetElement(0));
    EXPECT_EQ(a->GetElement(0)->GetElement(0)->GetPz(), 2);
    EXPECT_EQ(w.GetZbiorST()->Count(), 2);
    EXPECT_TRUE(w.GetZbiorST()->GetPozycjaZbioru(1)->CzyWlasna());
    EXPECT_EQ(w.GetKonfiguracja()->MarginesL, 30);
    EXPECT_EQ(w.GetKonfiguracja()->GetExternalNode(QStringLiteral("xlsKolumny")).toString(), QStringLiteral("1;2;5"));

    // Written again, the file is the same byte for byte.
    EXPECT_EQ(w.ZapiszDoBajtow(), CzytajPlik(plik));
}

TEST_F(ZestawST, PostacPliku)
{
    TZestawST z;
    TKosztorys* k = z.AddKosztorys(Kosztorys(Sciezka(QStringLiteral("a.rds"))));
    k->SetTytul(QStringLiteral("T"));
    k->Id = QStringLiteral("7");
    TElementRds* e = k->AddElement(std::make_unique<TElementRds>(QStringLiteral("1"), 1, QStringLiteral("E")));
    auto p = std::make_unique<TPozycjaRds>();
    p->SetId(QStringLiteral("1"));
    p->SetST(QStringLiteral("X"));
    e->AddPozycja(std::move(p));
    z.GetZbiorST()->Add(QStringLiteral("W-1"));
    const QString tekst = QString::fromUtf8(z.ZapiszDoBajtow());
    const QString oczekiwany =
        QStringLiteral("<zestaw wersja=\"%1\">\n"
                       "  <kosztorysy>\n"
                       "    <kosztorys id=\"7\" path=\"%2\" tytul=\"T\">\n"
                       "      <element nr=\"1\" opis=\"E\" pz=\"1\">\n"
                       "        <pozycja id=\"1\" nr=\"\" st=\"X\" podstawa=\"\" opis=\"\" jm=\"\" ilosc=\"\" "
                       "cena=\"\" rj=\"\" mj=\"\" sj=\"\" aktywna=\"true\" />\n"
                       "      </element>\n"
                       "    </kosztorys>\n"
                       "  </kosztorysy>\n"
                       "  <sst path=\"\" />\n"
                       "  <zbior_st>\n"
                       "    <pozycja st=\"W-1\" />\n"
                       "  </zbior_st>\n"
                       "  <konfiguracja ")
            .arg(z.GetKonfiguracja()->WersjaProgramu, k->FilePath().EncodedPath());
    EXPECT_TRUE(tekst.contains(oczekiwany)) << tekst.toStdString();
    EXPECT_TRUE(tekst.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")));
}

TEST_F(ZestawST, ZbiorTylkoZKosztorysowZapisujePustyElement)
{
    TZestawST z;
    z.SpisSpecyfikacji()->Add(std::make_unique<TSpecyfikacja>(QStringLiteral("D-01"), false, false, QString(),
                                                              QString(), QStringLiteral("Roboty")));
    TKosztorys* k = z.AddKosztorys(Kosztorys(Sciezka(QStringLiteral("a.rds"))));
    DodajPozycje(*k, QStringLiteral("1"), QStringLiteral("D-01"));
    DopasujSpecyfikacje(z);
    ASSERT_EQ(z.GetZbiorST()->Count(), 1);
    const QString tekst = QString::fromUtf8(z.ZapiszDoBajtow());
    EXPECT_TRUE(tekst.contains(QStringLiteral("<zbior_st />"))) << tekst.toStdString();
    EXPECT_TRUE(tekst.contains(QStringLiteral("<kosztorysy>")));
}

// Set files as other versions and other programs leave them.
TEST_F(ZestawST, OdczytPlikowZastanych)
{
    const QByteArray stary =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<zestaw wersja=\"1.0\">\n"
        "  <kosztorys id=\" 5 \" path=\"%USERPATH%/Kosztorysy/Most na Wiśle.ath\">\n"
        "    <pozycja id=\"1\" st=\" D-01 \" opis=\"Rozbi\x1b\x1b\x63ie\"/>\n"
        "    <element nr=\"1\" opis=\"Rozbiórki\" pz=\"x\"><pozycja id=\"2\" aktywna=\"false\"/></element>\n"
        "    <inny/>\n"
        "  </kosztorys>\n"
        "  <kosztorys path=\"plan.pdf\"/>\n"
        "  <kosztorys path=\"b.rds7\" tytul=\"Tytuł B\"/>\n"
        "  <zbior_st><pozycja st=\" W-1 \"/><cokolwiek st=\"W-2\"/><pozycja st=\"w-1\"/><pozycja st=\" "
        "\"/><pozycja/></zbior_st>\n"
        "</zestaw>\n";
    TZestawST z;
    z.OtworzZBajtow(stary, Sciezka(QStringLiteral("stary.zst")));
    ASSERT_EQ(z.KosztorysyCount(), 2); // the .pdf has no format and is skipped
    const TKosztorys* a = z.GetKosztorys(0);
    EXPECT_EQ(a->Id, QStringLiteral("5"));
    EXPECT_EQ(a->Tytul(), QStringLiteral("Most na Wiśle"));
    EXPECT_EQ(a->FilePath().EncodedPath(), QStringLiteral("%USERPATH%/Kosztorysy/Most na Wiśle.ath"));
    EXPECT_EQ(a->GetPozycja(0)->ST(), QStringLiteral("D-01"));
    EXPECT_EQ(a->GetPozycja(0)->Opis(), QStringLiteral("Rozbi  cie"));
    EXPECT_TRUE(a->GetPozycja(0)->Aktywna());
    EXPECT_EQ(a->GetElement(0)->GetPz(), 0);
    EXPECT_FALSE(a->GetElement(0)->GetPozycja(0)->Aktywna());
    EXPECT_EQ(a->Count(), 3);
    EXPECT_EQ(z.GetKosztorys(1)->Tytul(), QStringLiteral("Tytuł B"));
    ASSERT_EQ(z.GetZbiorST()->Count(), 2);
    EXPECT_EQ(z.GetZbiorST()->GetPozycjaZbioru(0)->ST(), QStringLiteral("W-1"));
    EXPECT_EQ(z.GetZbiorST()->GetPozycjaZbioru(1)->ST(), QStringLiteral("W-2"));
    // No "sst" element: a new empty list without a path; no "konfiguracja": the defaults.
    EXPECT_TRUE(z.SpisSpecyfikacji()->GetSpisStPath()->EncodedPath().isEmpty());
    EXPECT_EQ(z.GetKonfiguracja()->TrescNaglowka, QStringLiteral("Treść nagłówka"));
}

TEST_F(ZestawST, BrakujacaListaDajePustaListeZeSciezka)
{
    const QString lista = Sciezka(QStringLiteral("brak.sst"));
    const QByteArray plik = "<zestaw><sst path=\"" + lista.toUtf8() + "\"/><zbior_st/></zestaw>";
    TZestawST z;
    z.OtworzZBajtow(plik);
    EXPECT_EQ(z.SpisSpecyfikacji()->GetSpisStPath()->GetPath(), lista);
    EXPECT_EQ(z.SpisSpecyfikacji()->Count(), 0);
}

TEST_F(ZestawST, ListaCzytanaZeSwojegoPliku)
{
    const QString lista = Sciezka(QStringLiteral("lista.sst"));
    ZapiszPlik(lista, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst wersja=\"1\">"
                      "<specyfikacja numer=\"D-01\" opis=\"Roboty przygotowawcze\"/></sst>");
    TZestawST z;
    int postepy = 0;
    z.SetOnOtworzMaxProgres([&](int, int) { ++postepy; });
    z.OtworzZBajtow("<zestaw><sst path=\"" + lista.toUtf8() + "\"/></zestaw>");
    EXPECT_EQ(z.SpisSpecyfikacji()->Count(), 1);
    EXPECT_GT(postepy, 0);
}

TEST_F(ZestawST, BledyOdczytuZostawiajaZestawBezZmian)
{
    TZestawST z;
    Wypelnij(z);
    const QByteArray przed = z.ZapiszDoBajtow();
    const struct
    {
        const char* Nazwa;
        QByteArray Plik;
    } przypadki[] = {
        {"niedomknięty element", "<zestaw><kosztorysy><kosztorys path=\"a.rds\">"},
        {"pusty plik", ""},
        {"zły znacznik logiczny", "<zestaw><kosztorys path=\"a.rds\"><pozycja aktywna=\"może\"/></kosztorys></zestaw>"},
        {"konfiguracja bez wymaganego atrybutu",
         "<zestaw><konfiguracja><eksportZbioru><marginesy use=\"true\"/></eksportZbioru></konfiguracja></zestaw>"},
        {"lista nie jest XML", "<zestaw><sst path=\"" + Sciezka(QStringLiteral("zla.sst")).toUtf8() + "\"/></zestaw>"},
    };
    ZapiszPlik(Sciezka(QStringLiteral("zla.sst")), "to nie jest lista");
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        EXPECT_THROW(z.OtworzZBajtow(p.Plik, QStringLiteral("inny.zst")), EBlad);
        EXPECT_EQ(z.ZapiszDoBajtow(), przed);
        EXPECT_EQ(z.KosztorysyCount(), 2);
    }
    OczekujBledu([&] { z.Otworz(Sciezka(QStringLiteral("nie ma.zst"))); },
                 QStringLiteral("Podany plik zestawu nie istnieje"));
}

// Another XML document of the program (a list of specifications, a configuration) is refused whole: read
// as a set it would give an empty one in place of the open set.
TEST_F(ZestawST, DokumentInnyNizZestawOdrzucony)
{
    TZestawST z;
    Wypelnij(z);
    const QByteArray przed = z.ZapiszDoBajtow();
    const QString lista = Sciezka(QStringLiteral("lista.sst"));
    ZapiszPlik(lista, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst wersja=\"1\">"
                      "<specyfikacja numer=\"D-01\" opis=\"Roboty przygotowawcze\"/></sst>");
    const QString komunikat = QStringLiteral("Wybrany plik nie jest plikiem zestawu specyfikacji.");
    const struct
    {
        const char* Nazwa;
        std::function<void()> Otworz;
    } przypadki[] = {
        {"lista otwarta jako zestaw", [&] { z.Otworz(lista); }},
        {"konfiguracja programu", [&] { z.OtworzZBajtow("<konfiguracja><warianty use=\"true\"/></konfiguracja>"); }},
        {"zestaw zagnieżdżony", [&] { z.OtworzZBajtow("<dane><zestaw><zbior_st/></zestaw></dane>"); }},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        OczekujBledu(p.Otworz, komunikat);
        EXPECT_EQ(z.ZapiszDoBajtow(), przed);
        EXPECT_EQ(z.KosztorysyCount(), 2);
    }
}

// The set's settings go to every estimate it holds: added, read from its file, or held when they change.
TEST_F(ZestawST, UstawieniaZestawuDlaJegoKosztorysow)
{
    TUstawieniaKosztorysu u;
    u.Warianty.CzyKorzystajZWariantow = true;
    u.UwzglednijWariantyPrzyEksporcie = true;
    TZestawST z(u);
    TKosztorys* dodany = z.AddKosztorys(Kosztorys(Sciezka(QStringLiteral("a.rds"))));
    EXPECT_EQ(dodany->Ustawienia(), u);
    EXPECT_EQ(z.GetZbiorST()->Ustawienia(), u.Warianty);

    TZestawST odczytany(u);
    odczytany.OtworzZBajtow(z.ZapiszDoBajtow());
    ASSERT_EQ(odczytany.KosztorysyCount(), 1);
    EXPECT_EQ(odczytany.GetKosztorys(0)->Ustawienia(), u);

    u.EdbudJdnMdbPath = QStringLiteral("/dane/jdn.mdb");
    z.UstawUstawienia(u);
    EXPECT_EQ(dodany->Ustawienia(), u);
    EXPECT_EQ(z.Ustawienia(), u);
}

TEST_F(ZestawST, GlebokieZagniezdzenieOdrzucone)
{
    QByteArray plik = "<zestaw><kosztorys path=\"a.rds\">";
    for (int i = 0; i < 5000; ++i)
        plik += "<element nr=\"1\">";
    for (int i = 0; i < 5000; ++i)
        plik += "</element>";
    plik += "</kosztorys></zestaw>";
    TZestawST z;
    EXPECT_THROW(z.OtworzZBajtow(plik), EBlad);
    EXPECT_EQ(z.KosztorysyCount(), 0);
}

TEST_F(ZestawST, ZapisBezSciezkiINieudanyZapis)
{
    TZestawST z;
    OczekujBledu([&] { z.Zapisz(); }, QStringLiteral("Proszę wskazać plik ZST"));
    const QString plik = Sciezka(QStringLiteral("z.zst"));
    z.Zapisz(plik);
    const QByteArray pierwszy = CzytajPlik(plik);
    Wypelnij(z);
    // A folder cannot be written to: the message names it and the earlier file stays whole.
    EXPECT_THROW(z.Zapisz(FKatalog.path()), EBlad);
    z.Zapisz(plik); // the path given last is the set's path again
    EXPECT_NE(CzytajPlik(plik), pierwszy);
    EXPECT_FALSE(QFile::exists(plik + QLatin1Char('~')));
    try {
        z.Zapisz(Sciezka(QStringLiteral("brak/folderu/z.zst")));
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Nie można zapisać pliku: "))) << e.what();
    }
}

TEST_F(ZestawST, KosztorysyWZestawie)
{
    TZestawST z;
    int zmiany = 0;
    z.SetOnZmianaKosztorysu([&](TZestawST*) { ++zmiany; });
    TKosztorys* a = z.AddKosztorys(Kosztorys(Sciezka(QStringLiteral("a.rds"))));
    TKosztorys* b = z.AddKosztorys(Kosztorys(Sciezka(QStringLiteral("b.ath"))));
    EXPECT_EQ(zmiany, 2);
    OczekujBledu([&] { z.AddKosztorys(Kosztorys(Sciezka(QStringLiteral("a.rds")))); },
                 QStringLiteral("Wybrany kosztorys już został dodany do zestawu."));
    // The comparison is exact: another letter case is another file here.
    z.AddKosztorys(Kosztorys(Sciezka(QStringLiteral("A.rds"))));
    EXPECT_EQ(z.KosztorysyCount(), 3);
    zmiany = 0;

    EXPECT_FALSE(z.PrzeniesKosztorysWGore(a));
    EXPECT_FALSE(z.PrzeniesKosztorysWDol(z.GetKosztorys(2)));
    EXPECT_FALSE(z.PrzeniesKosztorysWDol(nullptr));
    EXPECT_EQ(zmiany, 0);
    EXPECT_TRUE(z.PrzeniesKosztorysWGore(b));
    EXPECT_EQ(z.GetKosztorys(0), b);
    EXPECT_TRUE(z.PrzeniesKosztorysWDol(b));
    EXPECT_EQ(z.GetKosztorys(1), b);
    EXPECT_EQ(zmiany, 2);

    TElementRds* e = b->AddElement(std::make_unique<TElementRds>(QStringLiteral("1"), 1, QString()));
    TElementRds* g = e->AddElement(std::make_unique<TElementRds>(QStringLiteral("1.1"), 2, QString()));
    EXPECT_EQ(z.GetKosztorys(g), b);
    EXPECT_EQ(z.GetKosztorys(static_cast<const TElementRds*>(b)), b);
    EXPECT_EQ(z.GetKosztorys(5), nullptr);

    z.BeginUpdate();
    z.DelKosztorys(b);
    z.DelKosztorys(0);
    EXPECT_EQ(zmiany, 2);
    z.EndUpdate();
    EXPECT_EQ(zmiany, 3);
    EXPECT_EQ(z.KosztorysyCount(), 1);
    z.ClearKosztorysy();
    EXPECT_EQ(z.KosztorysyCount(), 0);
    EXPECT_EQ(zmiany, 3);
}

TEST_F(ZestawST, OtwarcieZastepujeZawartosc)
{
    TZestawST z;
    Wypelnij(z);
    z.GetKonfiguracja()->CzyStopka = false;
    TKonfiguracjaZestawu* konfiguracja = z.GetKonfiguracja();
    TZbiorST* zbior = z.GetZbiorST();
    z.OtworzZBajtow("<zestaw><zbior_st><pozycja st=\"N-1\"/></zbior_st></zestaw>", QStringLiteral("n.zst"));
    EXPECT_EQ(z.KosztorysyCount(), 0);
    // The collection and the configuration are refilled in place; the window keeps its pointers.
    EXPECT_EQ(z.GetZbiorST(), zbior);
    EXPECT_EQ(z.GetKonfiguracja(), konfiguracja);
    ASSERT_EQ(zbior->Count(), 1);
    EXPECT_EQ(zbior->GetPozycjaZbioru(0)->ST(), QStringLiteral("N-1"));
    EXPECT_TRUE(konfiguracja->CzyStopka);
    EXPECT_EQ(z.ZestawPath(), QStringLiteral("n.zst"));
    EXPECT_TRUE(z.ToString().contains(QStringLiteral("ZestawPath=n.zst\r\n")));
}

} // namespace
