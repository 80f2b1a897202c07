// The list file: reading (golden files, broken files, duplicates, progress, stopping), writing (element and
// attribute order, safe replacement, backup copy) and merging another list.
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "prices/CenaJedn.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/ObslugaDuplikatowListy.h"
#include "specs/PomocnikSpecyfikacji.h"
#include "specs/SpisST.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString Valid(const QString& nazwa)
{
    return SciezkaDanychTestowych(QStringLiteral("specs/sst/valid/") + nazwa);
}

QString Broken(const QString& nazwa)
{
    return SciezkaDanychTestowych(QStringLiteral("specs/sst/broken/") + nazwa);
}

class SpisSTPlik : public TestSpecyfikacji
{
protected:
    TSpecyfikacja* Znajdz(TSpisST& spis, const QString& numer)
    {
        return spis.FindSpecyfikacja(numer, fsSzukajWSpecyfikacjach | fsSzukajWGrupach);
    }
};

TEST_F(SpisSTPlik, PlikiPoprawneCzytajaSieIZapisujaBezZmian)
{
    const QStringList pliki = QDir(Valid(QString())).entryList({QStringLiteral("*.sst")}, QDir::Files, QDir::Name);
    ASSERT_GE(pliki.size(), 7);
    for (const QString& nazwa : pliki) {
        TSpisST spis;
        ASSERT_NO_THROW(spis.Otworz(Valid(nazwa))) << nazwa.toStdString();
        // What is written reads back to the same list, and writing that gives the same bytes. The one
        // exception: a node with neither number nor title whose document is missing is written without
        // attributes, and such an element is skipped when read.
        const QByteArray pierwszy = spis.ZapiszDoBajtow();
        TSpisST drugi;
        drugi.OtworzZBajtow(pierwszy);
        if (nazwa == QLatin1String("puste_numery.sst")) {
            EXPECT_EQ(Drzewo(drugi).size(), Drzewo(spis).size() - 1);
            continue;
        }
        EXPECT_EQ(Drzewo(drugi), Drzewo(spis)) << nazwa.toStdString();
        EXPECT_EQ(drugi.ZapiszDoBajtow(), pierwszy) << nazwa.toStdString();
    }
}

TEST_F(SpisSTPlik, PelnaLista)
{
    TSpisST spis;
    spis.Otworz(Valid(QStringLiteral("pelna.sst")));
    EXPECT_EQ(Drzewo(spis),
              QStringList({QStringLiteral("1 ST-00.00 Wymagania ogólne"), QStringLiteral("1 D Roboty drogowe"),
                           QStringLiteral("2 D-01 Roboty przygotowawcze"),
                           QStringLiteral("3 D-01.01 Odtworzenie trasy i punktów wysokościowych"),
                           QStringLiteral("4 D-01.01.01 Odtworzenie trasy i punktów wysokościowych"),
                           QStringLiteral("3 D-01.02.01 Usunięcie drzew i krzewów"), QStringLiteral("2 D-04 Podbudowy"),
                           QStringLiteral("3 D-04.04.02 Podbudowa z kruszywa łamanego stabilizowanego mechanicznie"),
                           QStringLiteral("1 B Roboty budowlane"), QStringLiteral("2 B-02 Roboty ziemne"),
                           QStringLiteral("3 B-02.03.01 Wykopy fundamentowe")}));
    TSpecyfikacja* ogolne = Znajdz(spis, QStringLiteral("ST-00.00"));
    ASSERT_NE(ogolne, nullptr);
    EXPECT_TRUE(ogolne->CzyWarunkiOgolne());
    EXPECT_EQ(ogolne->GetEncodedPath(), QStringLiteral("%USERPATH%/Specyfikacje/ST-00.00 Wymagania ogólne.odt"));

    TWariantSpecyfikacji* wariant = nullptr;
    bool pelne = false;
    TSpecyfikacja* s = spis.FindSpecyfikacja(QStringLiteral("D-01.01.01#b"), wariant,
                                             fsSzukajWSpecyfikacjach | fsSzukajWariantu, pelne);
    ASSERT_NE(s, nullptr);
    ASSERT_NE(wariant, nullptr);
    EXPECT_EQ(s->Info(), QStringLiteral("Dotyczy dróg gminnych"));
    EXPECT_EQ(wariant->Opis(), QStringLiteral("Teren niezabudowany"));
    EXPECT_EQ(wariant->Info(), QStringLiteral("bez dokumentu"));
    ASSERT_EQ(wariant->JmCount(), 1);
    EXPECT_DOUBLE_EQ(wariant->GetJm(0)->CenaJedn()->GetWartosc(), 850.0);
    ASSERT_EQ(s->JmCount(), 1);
    const TCenaJedn& m2 = *s->GetJm(0)->CenaJedn();
    EXPECT_EQ(s->GetJm(0)->Jm(), QStringLiteral("m2"));
    EXPECT_TRUE(s->GetJm(0)->Eksportuj());
    EXPECT_DOUBLE_EQ(m2.GetCena(), 12.5);
    EXPECT_DOUBLE_EQ(m2.GetWspolczynnik(), 1.2);
    EXPECT_DOUBLE_EQ(m2.GetWartosc(), 15.0);
    EXPECT_EQ(m2.GetData(), QStringLiteral("14.03.2024"));

    TSpecyfikacja* drzewa = Znajdz(spis, QStringLiteral("D-01.02.01"));
    ASSERT_NE(drzewa, nullptr);
    ASSERT_EQ(drzewa->JmCount(), 2);
    const TCenaJedn& szt = *drzewa->GetJm(0)->CenaJedn();
    EXPECT_EQ(szt.GetZrodloCenyJedn(), TCenaJedn::ZrodloRMSj);
    EXPECT_TRUE(szt.GetCzyOplataR());
    EXPECT_FALSE(szt.GetCzyOplataM());
    EXPECT_TRUE(szt.GetCzyOplataS());
    EXPECT_DOUBLE_EQ(szt.GetRjObliczone(), 14.5);
    EXPECT_DOUBLE_EQ(szt.GetWartosc(), 24.0);
    const TCenaJedn& ha = *drzewa->GetJm(1)->CenaJedn();
    EXPECT_EQ(ha.GetZrodloCenyJedn(), TCenaJedn::ZrodloInfCen);
    EXPECT_EQ(ha.GetWybranyInfCen(), 1);
    EXPECT_EQ(ha.GetInfCen2()->GetKolumna(), QStringLiteral("średnia"));
    EXPECT_EQ(ha.GetInfCen2()->GetCenyPozycji().size(), 3u);
    EXPECT_EQ(ha.GetInfCen1()->GetWydanie(), QStringLiteral("I kw. 2024"));
    EXPECT_DOUBLE_EQ(ha.GetWartosc(), 126.0);
    EXPECT_DOUBLE_EQ(Znajdz(spis, QStringLiteral("D-04.04.02"))->GetJm(0)->CenaJedn()->GetWartosc(), 38.5);
}

TEST_F(SpisSTPlik, StaraPostacCeny)
{
    TSpisST spis;
    spis.Otworz(Valid(QStringLiteral("stara_cena.sst")));
    TSpecyfikacja* s = Znajdz(spis, QStringLiteral("D-05.03.05"));
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->JmCount(), 3);
    // The attribute sets the hand price alone; the element inside is ignored.
    EXPECT_EQ(s->GetJm(0)->CenaJedn()->GetZrodloCenyJedn(), TCenaJedn::ZrodloZReki);
    EXPECT_DOUBLE_EQ(s->GetJm(0)->CenaJedn()->GetCena(), 45.8);
    EXPECT_DOUBLE_EQ(s->GetJm(0)->CenaJedn()->GetWartosc(), 45.8);
    EXPECT_DOUBLE_EQ(s->GetJm(0)->CenaJedn()->GetRj(), 0.0);
    EXPECT_DOUBLE_EQ(s->GetJm(1)->CenaJedn()->GetWartosc(), 12.5);
    // Not a number: the element is read instead.
    EXPECT_DOUBLE_EQ(s->GetJm(2)->CenaJedn()->GetWartosc(), 14.0);
    // Written back in the present form only.
    EXPECT_FALSE(
        spis.ZapiszDoBajtow().contains("jednostka jm=\"m2\" opis=\"warstwa ścieralna\" eksportuj=\"true\" cenaJedn"));
}

TEST_F(SpisSTPlik, ZwykleOtwarciePomijaDuplikaty)
{
    TSpisST spis;
    spis.Otworz(Valid(QStringLiteral("duplikaty.sst")));
    EXPECT_EQ(Drzewo(spis), QStringList({QStringLiteral("1 D-01 Roboty przygotowawcze"),
                                         QStringLiteral("2 D-01.01.01 Pierwsze wystąpienie"),
                                         QStringLiteral("2 D-01.03.01 Inny numer"),
                                         QStringLiteral("1 D-01.01.01 Grupa o numerze specyfikacji"),
                                         QStringLiteral("2 D-01.04.01 W grupie o numerze specyfikacji"),
                                         QStringLiteral("1 Grupa bez numeru"), QStringLiteral("1 Grupa bez numeru")}));
}

TEST_F(SpisSTPlik, DuplikatDokumentuPrzyOtwarciu)
{
    ZapiszPlik(Katalog.filePath(QStringLiteral("a/wspolny.odt")), "x");
    ZapiszPlik(Katalog.filePath(QStringLiteral("b/WSPOLNY.odt")), "x");
    TSpisST spis;
    spis.UstawKatalogUzytkownika(Katalog.path());
    spis.OtworzZBajtow("<sst><specyfikacja numer=\"S-1\" plik=\"%USERPATH%/a/wspolny.odt\"/>"
                       "<specyfikacja numer=\"S-2\" plik=\"%USERPATH%/b/WSPOLNY.odt\"/>"
                       "<specyfikacja numer=\"S-3\" plik=\"%USERPATH%/b/brak.odt\"/>"
                       "<specyfikacja numer=\"S-4\" plik=\"%USERPATH%/a/brak.odt\"/></sst>");
    // The same file name in another folder is the same document; missing documents never collide.
    EXPECT_EQ(Drzewo(spis), QStringList({QStringLiteral("1 S-1"), QStringLiteral("1 S-3"), QStringLiteral("1 S-4")}));
}

TEST_F(SpisSTPlik, PusteNumeryIPominieteElementy)
{
    TSpisST spis;
    spis.Otworz(Valid(QStringLiteral("puste_numery.sst")));
    EXPECT_EQ(Drzewo(spis),
              QStringList({QStringLiteral("1 Rodzaj bez numeru"), QStringLiteral("2 Grupa bez numeru"),
                           QStringLiteral("3 Specyfikacja bez numeru"), QStringLiteral("1 B Roboty budowlane"),
                           QStringLiteral("2 "), QStringLiteral("2 B-01.01.01 Po elemencie innej nazwy")}));
    ASSERT_EQ(spis.ListaPustych().size(), 3u);
    EXPECT_EQ(spis.ListaPustych()[0]->Opis(), QStringLiteral("Grupa bez numeru"));
    EXPECT_EQ(spis.ListaPustych()[1]->Opis(), QStringLiteral("Specyfikacja bez numeru"));
    EXPECT_EQ(spis.ListaPustych()[2]->GetEncodedPath(), QStringLiteral("%USERPATH%/Specyfikacje/tylko plik.odt"));
    QString opis;
    EXPECT_TRUE(spis.CzyIstniejePustyNumerWGrupie(opis));
    EXPECT_EQ(opis, QStringLiteral("Rodzaj bez numeru"));
    // A new read starts a new list of blank numbers.
    spis.OtworzZBajtow("<sst/>");
    EXPECT_TRUE(spis.ListaPustych().empty());
}

TEST_F(SpisSTPlik, GrupaZachowujeWariantyIJednostki)
{
    TSpisST spis;
    spis.Otworz(Valid(QStringLiteral("grupa_z_wariantami.sst")));
    TSpecyfikacja* g = Znajdz(spis, QStringLiteral("D-07"));
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->CzyGrupa());
    ASSERT_EQ(g->WariantyCount(), 1);
    EXPECT_EQ(g->GetWariant(0)->Parent(), g);
    ASSERT_EQ(g->JmCount(), 1);
    EXPECT_DOUBLE_EQ(g->GetJm(0)->CenaJedn()->GetWartosc(), 1500.0);
    EXPECT_EQ(g->Count(), 1);
    TSpecyfikacja* pusta = Znajdz(spis, QStringLiteral("D-08"));
    ASSERT_NE(pusta, nullptr);
    EXPECT_TRUE(pusta->CzyGrupa()) << "a group without children stays a group";
    EXPECT_EQ(pusta->WariantyCount(), 1);
    // The group's variant is found like any other: groups as candidates, variant after "#".
    TWariantSpecyfikacji* wariant = nullptr;
    bool pelne = false;
    EXPECT_EQ(spis.FindSpecyfikacja(QStringLiteral("D-07#1"), wariant, fsSzukajWGrupach | fsSzukajWariantu, pelne), g);
    EXPECT_EQ(wariant, g->GetWariant(0));
    // Written back with them.
    const QByteArray zapis = spis.ZapiszDoBajtow();
    EXPECT_TRUE(zapis.contains("grupa=\"true\">\n    <warianty>")) << zapis.constData();
}

TEST_F(SpisSTPlik, PlikZWindowsWKodowaniu1250)
{
    TSpisST spis;
    spis.Otworz(Valid(QStringLiteral("windows.sst")));
    EXPECT_EQ(Drzewo(spis), QStringList({QStringLiteral("1 D-02 Roboty ziemne – drogi"),
                                         QStringLiteral("2 D-02.01.01 Wykonanie wykopów w gruntach nieskalistych"),
                                         QStringLiteral("2 D-02.03.01 Wykonanie nasypów"),
                                         QStringLiteral("2 D-02.04.01 Żwirowanie, łączenie, źródła")}));
    TSpecyfikacja* s = Znajdz(spis, QStringLiteral("D-02.01.01"));
    EXPECT_EQ(s->GetEncodedPath(), QStringLiteral("%USERPATH%/Specyfikacje/D-02.01.01.doc"));
    EXPECT_FALSE(s->CzyWarunkiOgolne());
    EXPECT_FALSE(s->GetJm(0)->Eksportuj());
    EXPECT_DOUBLE_EQ(s->GetJm(0)->CenaJedn()->GetWartosc(), 99.99);
    EXPECT_EQ(Znajdz(spis, QStringLiteral("D-02.03.01"))->GetEncodedPath(),
              QStringLiteral("C:/Dane/Specyfikacje/D-02.03.01.doc"));
    EXPECT_TRUE(Znajdz(spis, QStringLiteral("D-02.04.01"))->CzyWarunkiOgolne());
}

TEST_F(SpisSTPlik, PlikiUszkodzoneZostawiajaListeBezZmian)
{
    const struct
    {
        const char* Plik;
        const char* Komunikat;
    } przypadki[] = {
        {"niepoprawny_xml.sst", "Błąd odczytu pliku XML"},
        {"znacznik_niezamkniety.sst", "Błąd odczytu pliku XML"},
        {"pusty_plik.sst", "Błąd odczytu pliku XML"},
        {"tylko_deklaracja.sst", "Błąd odczytu pliku XML"},
        {"nieznane_kodowanie.sst", "nieobsługiwane kodowanie"},
        {"zla_wartosc_logiczna.sst", "\"tak\" nie jest prawidłową wartością logiczną."},
        {"grupa_za_gleboko.sst", "Błąd! Próba dodania specyfikacji D-01.01.99 spowoduje przekroczenie maksymalnego "
                                 "poziomu zagnieżdżenia specyfikacji. Operacja przerwana."},
        {"specyfikacja_za_gleboko.sst", "Błąd! Próba dodania specyfikacji D-01.01.01.01 spowoduje przekroczenie "
                                        "maksymalnego poziomu zagnieżdżenia specyfikacji. Operacja przerwana."},
    };
    const QStringList wszystkie = QDir(Broken(QString())).entryList({QStringLiteral("*.sst")}, QDir::Files);
    EXPECT_EQ(wszystkie.size(), static_cast<qsizetype>(std::size(przypadki))) << "every broken file has a case here";
    for (const auto& p : przypadki) {
        for (bool zWezlami : {false, true}) {
            TSpisST spis;
            if (zWezlami)
                spis.OtworzZBajtow("<sst><specyfikacja numer=\"A\" grupa=\"true\"><specyfikacja numer=\"A-1\"/>"
                                   "<specyfikacja opis=\"pusty\"/></specyfikacja></sst>");
            const QStringList przed = Drzewo(spis);
            try {
                spis.Otworz(Broken(QString::fromUtf8(p.Plik)));
                ADD_FAILURE() << p.Plik << " must fail";
            } catch (const EBlad& e) {
                EXPECT_TRUE(e.Komunikat().contains(QString::fromUtf8(p.Komunikat))) << p.Plik << ": " << e.what();
            }
            EXPECT_EQ(Drzewo(spis), przed) << p.Plik;
            EXPECT_TRUE(spis.ListaPustych().empty()) << p.Plik;
            EXPECT_EQ(spis.RozmiarIndeksu(), przed.size() + 1) << p.Plik;
            EXPECT_EQ(spis.FindSpecyfikacja(QStringLiteral("D-01.01.01"), fsSzukajWSpecyfikacjach), nullptr) << p.Plik;
        }
    }
}

TEST_F(SpisSTPlik, PostepOtwierania)
{
    struct TPrzypadek
    {
        const char* Plik;
        int Max;
        int Kroki;
    };
    // duplikaty.sst: 12 elements; the children of the two dropped nodes are never read.
    for (const TPrzypadek p :
         {TPrzypadek{"pelna.sst", 11, 11}, TPrzypadek{"duplikaty.sst", 12, 10}, TPrzypadek{"puste_numery.sst", 9, 8}}) {
        TSpisST spis;
        int max = -1;
        int pauza = -1;
        int kroki = 0;
        spis.SetOnOtworzMaxProgres([&](int m, int p2) {
            max = m;
            pauza = p2;
            EXPECT_EQ(kroki, 0) << "told before reading";
        });
        spis.SetOnOtworzChangeProgres([&](TSpisST* s) {
            EXPECT_EQ(s, &spis);
            ++kroki;
        });
        spis.Otworz(Valid(QString::fromUtf8(p.Plik)));
        EXPECT_EQ(max, p.Max) << p.Plik;
        EXPECT_EQ(pauza, 5) << p.Plik;
        EXPECT_EQ(kroki, p.Kroki) << p.Plik;
    }
    // A file above 200000 bytes pauses shorter.
    QByteArray duzy = "<sst>";
    while (duzy.size() <= 200000)
        duzy += "<specyfikacja numer=\"N-" + QByteArray::number(duzy.size()) + "\" opis=\"Specyfikacja techniczna\"/>";
    duzy += "</sst>";
    TSpisST spis;
    int pauza = -1;
    spis.SetOnOtworzMaxProgres([&](int, int p2) { pauza = p2; });
    spis.OtworzZBajtow(duzy);
    EXPECT_EQ(pauza, 2);
}

TEST_F(SpisSTPlik, PrzerwanieOtwieraniaZostawiaPrzeczytane)
{
    TSpisST spis;
    int kroki = 0;
    spis.SetOnOtworzChangeProgres([&](TSpisST* s) {
        if (++kroki == 3)
            s->SetTerminatedOtworz(true);
    });
    spis.Otworz(Valid(QStringLiteral("pelna.sst")));
    EXPECT_EQ(kroki, 3);
    EXPECT_EQ(Drzewo(spis),
              QStringList({QStringLiteral("1 ST-00.00 Wymagania ogólne"), QStringLiteral("1 D Roboty drogowe"),
                           QStringLiteral("2 D-01 Roboty przygotowawcze")}));
}

TEST_F(SpisSTPlik, ZaDuzyPlikOdrzuconyBezCzytania)
{
    // A sparse file: over the limit by its size, without taking room on the disk.
    const QString ogromny = BrakujacyDokument(QStringLiteral("ogromny.sst"));
    {
        QFile plik(ogromny);
        if (!plik.open(QIODevice::WriteOnly) || !plik.resize(LimitOdczytuPliku + 1))
            GTEST_SKIP() << "no sparse files here";
    }
    TSpisST spis;
    spis.OtworzZBajtow("<sst><specyfikacja numer=\"A\" grupa=\"true\"/></sst>");
    const QStringList przed = Drzewo(spis);
    try {
        spis.Otworz(ogromny);
        ADD_FAILURE() << "read";
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().contains(QStringLiteral("jest za duży"))) << e.what();
    }
    EXPECT_EQ(Drzewo(spis), przed);
}

TEST_F(SpisSTPlik, BrakPlikuPrzyOtwarciuIDodawaniu)
{
    TSpisST spis;
    int nazwy = 0;
    spis.SetOnZmianaNazwyPliku([&](TSpisST*) { ++nazwy; });
    const QString brak = BrakujacyDokument(QStringLiteral("brak.sst"));
    EXPECT_NO_THROW(spis.Otworz(brak));
    EXPECT_EQ(spis.Count(), 0);
    EXPECT_EQ(spis.GetSpisStPath()->GetPath(), brak);
    EXPECT_EQ(nazwy, 2);

    struct TNic : IObslugaDuplikatowListy
    {
        bool CzySaDuplikaty(TSpisST&, std::unique_ptr<TSpecyfikacja>&, TSpecyfikacja*&, bool&) override
        {
            return false;
        }
        TOpcjaDuplikatowNumeru GetWybranaOpcjaDuplikatowNumeru() const override { return doNone; }
        TOpcjaDuplikatowPliku GetWybranaOpcjaDuplikatowPliku() const override { return dpoNone; }
    } nic;
    try {
        spis.DodajListe(brak, nic);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Brak pliku listy specyfikacji: ") + brak);
    }
}

} // namespace
