// Rodos estimates (".rds"): golden files (tree as JSON, copy after assigning ST numbers), the
// broken files' table of outcomes, and the reading and writing rules one by one.

#include "estimates/KosztorysRds.h"
#include "app/Kodowanie.h"
#include "app/Wyjatki.h"
#include "estimates/KosztorysJson.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <map>
#include <optional>

namespace {

// Lines joined with CR LF, a line end after the last one, in Windows-1250.
QByteArray Plik(const QStringList& linie)
{
    return NaWindows1250(linie.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QString Json(const QJsonObject& obiekt)
{
    return QString::fromUtf8(QJsonDocument(obiekt).toJson(QJsonDocument::Indented));
}

class KosztorysRdsTest : public TTestZKonfiguracja
{
protected:
    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }

    // Puts the bytes into the test's folder and reads them as an estimate.
    std::unique_ptr<TKosztorysRds> Wczytaj(const QByteArray& dane, const QString& nazwa = QStringLiteral("k.rds"))
    {
        ZapiszPlik(Sciezka(nazwa), dane);
        auto k = std::make_unique<TKosztorysRds>(Sciezka(nazwa));
        k->WczytajKosztorys();
        return k;
    }

    TPozycjaRds& Pozycja(TKosztorys& k, const QString& id)
    {
        TPozycjaRds* p = TKosztorys::ZnajdzPozycjePoId(&k, id);
        if (!p)
            throw std::runtime_error("no position " + id.toStdString());
        return *p;
    }

    QTemporaryDir FKatalog;
};

// ------------------------------------------------------------------------------------ golden files

struct PrzypadekZloty
{
    const char* Plik;
    std::map<QString, QString> NoweST; // position Id -> ST assigned before writing
};

class KosztorysRdsZloty : public KosztorysRdsTest, public ::testing::WithParamInterface<PrzypadekZloty>
{
};

TEST_P(KosztorysRdsZloty, DrzewoIKopiaJakWzorzec)
{
    const QString nazwa = QString::fromLatin1(GetParam().Plik);
    const QString wzorzec = SciezkaDanychTestowych(QStringLiteral("estimates/rds/valid/") + nazwa);
    const QByteArray zrodlo = CzytajPlik(wzorzec + QStringLiteral(".rds"));
    auto k = Wczytaj(zrodlo, nazwa + QStringLiteral(".rds"));

    const QJsonObject oczekiwany = QJsonDocument::fromJson(CzytajPlik(wzorzec + QStringLiteral(".json"))).object();
    ASSERT_FALSE(oczekiwany.isEmpty());
    EXPECT_EQ(Json(KosztorysNaJson(*k)), Json(oczekiwany));

    for (const auto& [id, st] : GetParam().NoweST)
        Pozycja(*k, id).SetST(st);
    const QString kopia = Sciezka(QStringLiteral("kopia.rds"));
    k->SaveFile(kopia);
    EXPECT_EQ(CzytajPlik(kopia), CzytajPlik(wzorzec + QStringLiteral(".kopia.rds")));
    EXPECT_EQ(CzytajPlik(Sciezka(nazwa + QStringLiteral(".rds"))), zrodlo) << "the source must stay as it was";
}

INSTANTIATE_TEST_SUITE_P(Pliki, KosztorysRdsZloty,
                         ::testing::Values(PrzypadekZloty{"kosztorys_drogi",
                                                          {{QStringLiteral("P001"), QStringLiteral("D-01.01.02")},
                                                           {QStringLiteral("P002"), QStringLiteral("D-01.02.01")},
                                                           {QStringLiteral("A001"), QStringLiteral("D-04.04.01")},
                                                           {QStringLiteral("P004"), QString()}}},
                                           PrzypadekZloty{"utf8_bom_lf",
                                                          {{QStringLiteral("17"), QStringLiteral("B-02.01.01")},
                                                           {QStringLiteral("19"), QStringLiteral("B-02.10")}}},
                                           PrzypadekZloty{"utf16le", {}}),
                         [](const auto& parametr) { return std::string(parametr.param.Plik); });

// ------------------------------------------------------------------------------------ broken files

struct PrzypadekWadliwy
{
    const char* Plik;
    const char* Komunikat; // empty: the file reads
    int Pozycje;
    int Elementy;
    std::optional<const char*> Cena; // of the first position
    std::optional<const char*> Opis; // of the first position
};

class KosztorysRdsWadliwy : public KosztorysRdsTest, public ::testing::WithParamInterface<PrzypadekWadliwy>
{
};

int LiczbaPozycji(const TKosztorys& k)
{
    int n = 0;
    k.DlaKazdejPozycji([&n](TPozycjaRds&) { ++n; });
    return n;
}

TEST_P(KosztorysRdsWadliwy, WynikJakWTabeli)
{
    const PrzypadekWadliwy& p = GetParam();
    const QString sciezka =
        SciezkaDanychTestowych(QStringLiteral("estimates/rds/broken/") + QString::fromLatin1(p.Plik));
    TKosztorysRds k(sciezka);
    if (*p.Komunikat) {
        try {
            k.WczytajKosztorys();
            FAIL() << "no error";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QString::fromUtf8(p.Komunikat));
        }
        EXPECT_EQ(k.Count(), 0) << "a failed reading leaves no tree";
        return;
    }
    ASSERT_NO_THROW(k.WczytajKosztorys());
    EXPECT_EQ(LiczbaPozycji(k), p.Pozycje);
    EXPECT_EQ(k.Count() - p.Pozycje, p.Elementy);
    const TPozycjaRds* pierwsza = k.ZnajdzPozycje([](const TPozycjaRds&) { return true; });
    if (p.Cena) {
        EXPECT_EQ(pierwsza->Cena(), QString::fromUtf8(*p.Cena));
    }
    if (p.Opis) {
        EXPECT_EQ(pierwsza->Opis(), QString::fromUtf8(*p.Opis));
    }
    // Whatever was read can be written back.
    EXPECT_NO_THROW(k.SaveFile(Sciezka(QStringLiteral("kopia.rds"))));
}

INSTANTIATE_TEST_SUITE_P(
    Pliki, KosztorysRdsWadliwy,
    ::testing::Values(
        PrzypadekWadliwy{"nie_istnieje.rds", "Błąd przetwarzania kosztorysu: podany plik nie istnieje.", 0, 0, {}, {}},
        PrzypadekWadliwy{"pusty.rds", "", 0, 0, {}, {}}, PrzypadekWadliwy{"binarne_smieci.rds", "", 0, 0, {}, {}},
        PrzypadekWadliwy{"obciety_w_srodku_linii.rds", "", 1, 1, " 7,5", " Wykop mechani"},
        PrzypadekWadliwy{"agregat_o_ilosci_zero.rds", "", 1, 0, " 12,00", {}},
        PrzypadekWadliwy{"agregat_w_ostatniej_linii.rds", "", 1, 0, "", ""},
        PrzypadekWadliwy{"skladnik_bez_agregatu.rds", "", 0, 1, {}, {}},
        PrzypadekWadliwy{"ceny_nie_liczby.rds", "", 2, 0, " dwanaście", {}},
        PrzypadekWadliwy{"suma_poza_zakresem.rds", "", 1, 0, " 1", {}},
        PrzypadekWadliwy{"poziom_nie_liczba.rds", "", 0, 3, {}, {}},
        PrzypadekWadliwy{"bloki_bez_pustych_linii.rds", "", 3, 2, " 10", " Pierwsza"},
        PrzypadekWadliwy{"utf16_nieparzysta_liczba_bajtow.rds", "", 1, 0, {}, " Zieleń"},
        PrzypadekWadliwy{
            "zagniezdzenie_zbyt_glebokie.rds", "Wybrany plik kosztorysu jest nieprawidłowy.", 0, 0, {}, {}}),
    [](const auto& parametr) { return QFileInfo(QString::fromLatin1(parametr.param.Plik)).baseName().toStdString(); });

// ------------------------------------------------------------------------------------ reading rules

TEST_F(KosztorysRdsTest, TytulIOpisToNazwaPlikuBezRozszerzenia)
{
    auto k = Wczytaj(Plik({QStringLiteral("ID_KS=1")}), QStringLiteral("Droga.RDS.rds"));
    EXPECT_EQ(k->Opis, QStringLiteral("Droga")); // every ".rds" goes, in any letter case
    EXPECT_EQ(k->Tytul(), QStringLiteral("Droga"));
    EXPECT_EQ(k->GetDefaultExt(), QStringLiteral(".rds"));
    EXPECT_EQ(k->GetFilter(), QStringLiteral("Kosztorys Rodos (*.rds)|*.rds"));
}

TEST_F(KosztorysRdsTest, KatalogZamiastPlikuToBladOdczytu)
{
    QDir(FKatalog.path()).mkdir(QStringLiteral("katalog.rds"));
    TKosztorysRds k(Sciezka(QStringLiteral("katalog.rds")));
    try {
        k.WczytajKosztorys();
        FAIL();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku."));
    }
}

TEST_F(KosztorysRdsTest, LinieKonczaSieNaCRLFLFLubCR)
{
    const TLinieRds linie(QStringLiteral("a\r\nb\nc\rd\r\r\n\ne"));
    ASSERT_EQ(linie.Count(), 7);
    const QStringList oczekiwane = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                                    QString(),           QString(),           QStringLiteral("e")};
    for (int i = 0; i < linie.Count(); ++i)
        EXPECT_EQ(linie[i].toString(), oczekiwane[i]) << i;
    EXPECT_EQ(TLinieRds(QStringLiteral("a\n")).Count(), 1);
    EXPECT_EQ(TLinieRds(QStringLiteral("a\n\n")).Count(), 2);
    EXPECT_EQ(TLinieRds(QString()).Count(), 0);
    EXPECT_EQ(TLinieRds::RodzajLinii(u" \t "), TLinieRds::TRodzaj::Pusta);
    EXPECT_EQ(TLinieRds::RodzajLinii(u"x[POZ]-"), TLinieRds::TRodzaj::Pozycji);
    EXPECT_EQ(TLinieRds::RodzajLinii(u"[[AGR]"), TLinieRds::TRodzaj::Pozycji);
    EXPECT_EQ(TLinieRds::RodzajLinii(u" [ELEM]"), TLinieRds::TRodzaj::Zwykla);
    EXPECT_EQ(TLinieRds::RodzajLinii(u"[ELEM]"), TLinieRds::TRodzaj::Elementu);
}

TEST_F(KosztorysRdsTest, ZnacznikPozycjiWDluzszejLinii)
{
    auto k = Wczytaj(Plik({QStringLiteral("xx [POZ] yy"), QStringLiteral("ID=5"), QStringLiteral("Opis=Wykop")}));
    ASSERT_EQ(k->PozycjeCount(), 1);
    EXPECT_EQ(k->GetPozycja(0)->Id(), QStringLiteral("5"));
    EXPECT_TRUE(k->GetPozycja(0)->Aktywna());
}

TEST_F(KosztorysRdsTest, KluczeWedlugPrzedrostkaIOstatniaLiniaWygrywa)
{
    auto k = Wczytaj(Plik({QStringLiteral("[POZ]-"), QStringLiteral("ID=1"), QStringLiteral("IDENT"),
                           QStringLiteral("STAN"), QStringLiteral("Tabl=07"), QStringLiteral("Kat=KNR 2-01"),
                           QStringLiteral("Tabl=0201"), QStringLiteral("Tekst=03"), QStringLiteral("Opis=a Opis=b"),
                           QStringLiteral(" Jm=m3"), QStringLiteral("Nr=1 Nr=2")}));
    ASSERT_EQ(k->PozycjeCount(), 1);
    const TPozycjaRds& p = *k->GetPozycja(0);
    EXPECT_EQ(p.Id(), QStringLiteral("IDENT")); // a line without "ID=" is taken whole
    EXPECT_EQ(p.ST(), QStringLiteral("STAN"));
    EXPECT_EQ(p.Podstawa(), QStringLiteral("KNR 2-01 0201 03")); // "Kat" replaces, the others append
    EXPECT_EQ(p.Opis(), QStringLiteral(" a  b"));
    EXPECT_EQ(p.Jm(), QString()) << "position lines are not trimmed";
    EXPECT_EQ(p.Nr(), QStringLiteral("1 2"));
    EXPECT_FALSE(p.Aktywna());
}

TEST_F(KosztorysRdsTest, SkladnikAgregatuNieJestPozycja)
{
    auto k = Wczytaj(
        Plik({QStringLiteral("[POZ]"), QStringLiteral("ID=7"), QStringLiteral("AgrID=3"), QStringLiteral("Cena=5")}));
    EXPECT_EQ(k->PozycjeCount(), 0);
}

TEST_F(KosztorysRdsTest, AgregatSumujeSkladnikiIDzieliPrzezIlosc)
{
    auto k = Wczytaj(
        Plik({QStringLiteral("[AGR]"), QStringLiteral("ID=A"), QStringLiteral("Ilość=4"), QStringLiteral("Cena=0"),
              QString(), QStringLiteral("[POZ]"), QStringLiteral("AgrID=A"), QStringLiteral("Ilość=2"),
              QStringLiteral("Krot=3"), QStringLiteral("Cena=1.5"), QString(), QStringLiteral("[POZ]"),
              QStringLiteral("AgrID=A"), QStringLiteral("Ilość=1"), QStringLiteral("Cena=4,0")}));
    ASSERT_EQ(k->PozycjeCount(), 1);
    EXPECT_EQ(k->GetPozycja(0)->Cena(), QStringLiteral("3,25"));
    EXPECT_EQ(k->GetPozycja(0)->Ilosc(), QStringLiteral(" 4"));
}

TEST_F(KosztorysRdsTest, AgregatOIlosciZeroZachowujeCeneZPliku)
{
    auto k = Wczytaj(
        Plik({QStringLiteral("[AGR]"), QStringLiteral("ID=A"), QStringLiteral("Ilość=0"), QStringLiteral("Cena=12,00"),
              QString(), QStringLiteral("[POZ]"), QStringLiteral("AgrID=A"), QStringLiteral("Cena=4")}));
    ASSERT_EQ(k->PozycjeCount(), 1);
    EXPECT_EQ(k->GetPozycja(0)->Cena(), QStringLiteral(" 12,00"));
}

TEST_F(KosztorysRdsTest, KrotnoscMnozyZaokraglonaCene)
{
    auto k = Wczytaj(Plik(
        {QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("Cena=10,456"), QStringLiteral("Krot=2")}));
    EXPECT_EQ(k->GetPozycja(0)->Cena(), QStringLiteral("20,92"));
}

TEST_F(KosztorysRdsTest, AgregatPrzedZwyklaPozycjaMaWlasnaCene)
{
    auto k = Wczytaj(
        Plik({QStringLiteral("[AGR]"), QStringLiteral("ID=A"), QStringLiteral("Cena=7,5"), QStringLiteral("Krot=2"),
              QString(), QStringLiteral("[POZ]"), QStringLiteral("ID=B"), QStringLiteral("Cena=1")}));
    ASSERT_EQ(k->PozycjeCount(), 2);
    EXPECT_EQ(k->GetPozycja(0)->Cena(), QStringLiteral(" 7,5")); // the multiplier was cleared by the scan
    EXPECT_EQ(k->GetPozycja(1)->Cena(), QStringLiteral(" 1"));
}

TEST_F(KosztorysRdsTest, ZagniezdzenieWedlugPoziomow)
{
    QStringList linie;
    for (const auto& [nr, pz] : {std::pair{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 1}, {"f", 3}})
        linie << QStringLiteral("[ELEM]") << QStringLiteral("Nr=%1").arg(QLatin1String(nr))
              << QStringLiteral("PZ=%1").arg(pz) << QString();
    auto k = Wczytaj(Plik(linie));
    ASSERT_EQ(k->ElementyCount(), 1);
    const TElementRds* a = k->GetElement(0);
    ASSERT_EQ(a->ElementyCount(), 3);
    EXPECT_EQ(a->GetElement(0)->GetNr(), QStringLiteral("b"));
    EXPECT_EQ(a->GetElement(0)->GetElement(0)->GetNr(), QStringLiteral("c"));
    EXPECT_EQ(a->GetElement(1)->GetNr(), QStringLiteral("d"));
    EXPECT_EQ(a->GetElement(2)->GetNr(), QStringLiteral("e"));
    ASSERT_EQ(a->GetElement(2)->ElementyCount(), 1);
    EXPECT_EQ(a->GetElement(2)->GetElement(0)->GetNr(), QStringLiteral("f")); // level 3 right after level 1
}

TEST_F(KosztorysRdsTest, BezIdKSPusteId)
{
    auto k = Wczytaj(Plik({QStringLiteral("[POZ]"), QStringLiteral("ID=1")}));
    EXPECT_TRUE(k->Id.isEmpty());
    EXPECT_EQ(k->PobierzIdKosztorysu(Sciezka(QStringLiteral("k.rds"))), QString());
}

TEST_F(KosztorysRdsTest, IdKSZDowolnegoMiejscaPlikuAPobierzIdDajePierwsze)
{
    auto k = Wczytaj(Plik(
        {QStringLiteral("[POZ]"), QStringLiteral("ID_KS=pierwsze"), QString(), QStringLiteral("ID_KS=drugie ID_KS=")}));
    EXPECT_EQ(k->Id, QStringLiteral("drugie "));
    EXPECT_EQ(k->PobierzIdKosztorysu(Sciezka(QStringLiteral("k.rds"))), QStringLiteral("pierwsze"));
}

TEST_F(KosztorysRdsTest, PobierzIdKosztorysuZBomJakCzytanie)
{
    ZapiszPlik(Sciezka(QStringLiteral("b.rds")), QByteArray("\xEF\xBB\xBFID_KS=Żuraw\r\n"));
    TKosztorysRds k;
    EXPECT_EQ(k.PobierzIdKosztorysu(Sciezka(QStringLiteral("b.rds"))), QStringLiteral("Żuraw"));
}

TEST_F(KosztorysRdsTest, PobierzIdKosztorysuKomunikaty)
{
    TKosztorysRds k;
    try {
        k.PobierzIdKosztorysu(Sciezka(QStringLiteral("brak.rds")));
        FAIL();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Wybrany plik nie istnieje."));
    }
    QDir(FKatalog.path()).mkdir(QStringLiteral("kat.rds"));
    try {
        k.PobierzIdKosztorysu(Sciezka(QStringLiteral("kat.rds")));
        FAIL();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd odczytu pliku."));
    }
}

TEST_F(KosztorysRdsTest, SeparatorWariantuZamienianyNaKratke)
{
    Konfiguracja().FCzyKorzystajZWariantow = true;
    Konfiguracja().FListaSeparatorowWariantow = QStringLiteral("/_");
    Konfiguracja().FRozpoznajWariantyPrzyImporcieKosztorysu = true;
    auto k = Wczytaj(Plik({QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("ST=D-01_2/3")}));
    EXPECT_EQ(k->GetPozycja(0)->ST(), QStringLiteral("D-01_2#3"));
}

TEST_F(KosztorysRdsTest, PonowneCzytanieZaczynaOdPustegoDrzewa)
{
    auto k = Wczytaj(Plik({QStringLiteral("ID_KS=x"), QStringLiteral("[POZ]"), QStringLiteral("ID=1")}));
    k->WczytajZDanych(Plik({QStringLiteral("[POZ]"), QStringLiteral("ID=2")}));
    ASSERT_EQ(k->PozycjeCount(), 1);
    EXPECT_EQ(k->GetPozycja(0)->Id(), QStringLiteral("2"));
    EXPECT_TRUE(k->Id.isEmpty());
}

TEST_F(KosztorysRdsTest, PozycjaZglaszaZmianyKosztorysowi)
{
    auto k = Wczytaj(Plik({QStringLiteral("[POZ]"), QStringLiteral("ID=1")}));
    int zmiany = 0;
    k->OnZmiana = [&zmiany](TKosztorys*) { ++zmiany; };
    k->GetPozycja(0)->SetST(QStringLiteral("X"));
    EXPECT_EQ(zmiany, 1);
}

TEST_F(KosztorysRdsTest, KosztorysPokazowyCzytaSieIZapisuje)
{
    TKosztorysRds k(SciezkaDanychTestowych(QStringLiteral("../../data/demo/rds/przebudowa_drogi_gminnej.rds")));
    ASSERT_NO_THROW(k.WczytajKosztorys());
    EXPECT_EQ(k.Id, QStringLiteral("KS-2024-0315"));
    EXPECT_EQ(LiczbaPozycji(k), 14);
    EXPECT_EQ(k.Count() - 14, 9);
    EXPECT_EQ(TKosztorys::ZnajdzPozycjePoId(&k, QStringLiteral("3004"))->Cena(), QStringLiteral("44,67"));
    EXPECT_FALSE(TKosztorys::ZnajdzPozycjePoId(&k, QStringLiteral("4002"))->Aktywna());
    EXPECT_NO_THROW(k.SaveFile(Sciezka(QStringLiteral("demo.rds"))));
}

// Packed blocks and a file of nothing but openers stay linear: every block ends where the next begins.
TEST_F(KosztorysRdsTest, WrogiPlikCzytanyWCzasieLiniowym)
{
    QByteArray dane;
    for (int i = 0; i < 40000; ++i)
        dane +=
            i % 25 ? "[AGR]\r\n[POZ]\r\nAgrID=1\r\nTabl=0101\r\n" : "[AGR]\r\n[POZ]\r\nAgrID=1\r\n[ELEM]\r\nPZ=1\r\n";
    TKosztorysRds k;
    k.WczytajZDanych(dane);
    const QByteArray kopia = k.UtworzKopie(dane);
    EXPECT_EQ(LiczbaPozycji(k), 40000);
    EXPECT_EQ(kopia.size(), dane.size());
}

} // namespace
