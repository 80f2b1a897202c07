#include "app/Konfiguracja.h"
#include "app/KonfiguracjaUstawienia.h"
#include "app/Lokalizacje.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "support/Pomocnicze.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A value other than its default in every setting; the user folder and the two recent files exist.
void UstawWszystkieInaczej(TKonfiguracja& k, const QString& istniejacy, const QString& plikA, const QString& plikB)
{
    k.SetUserPath(istniejacy);
    k.Position = QPoint(11, 22);
    k.Maximized = false;
    k.Size = QSize(1000, 700);
    k.DrzewoSTWidth = 301;
    k.NawigatorWidth = 199;
    k.PodgladDrzewaHeight = 41;
    k.PodgladPozHeight = 42;
    k.PodgladPozZStHeight = 43;
    k.CzyPodgladDrzewa = false;
    k.CzyPodgladPozycjiZSt = false;
    k.CzyPodgladSzczPozycji = false;
    k.WidokKosztorys = true;
    k.FilterKosztorysIndex = 3;
    k.CzyPozycjeST = false;
    k.CzyPozycjeBezST = false;
    k.CzyPozycjeSynchronizujZDrzewkiem = false;
    k.CzyZbiorSTPokazKosztorys = false;
    k.CzyZbiorSTPokazWlasne = false;
    k.CzyZbiorSTPokazBraki = false;
    k.CzyZbiorSTPokazZPlikami = false;
    k.CzyZbiorSTSynchronizujZDrzewkiem = false;
    k.CzyDrzewkoSynchronizujZeZbioremSt = false;
    k.PorzadkSTFolderDocelowy = istniejacy;
    k.PorzadkSTOpcja = 2;
    k.PorzadkSTNadpisuj = false;
    k.PorzadkSTAktualizuj = false;
    k.ZestawyPath->SetPath(istniejacy + QStringLiteral("/Z"), istniejacy);
    k.KosztorysyPath->SetEncodedPath(QStringLiteral("/inne/K"));
    k.SstPath->SetEncodedPath(QStringLiteral("%USERPATH%/S"));
    k.SzablonyStronyTytPath->SetEncodedPath(QStringLiteral("%USERPATH%/T"));
    k.SzablonyStPath->SetEncodedPath(QStringLiteral("%USERPATH%/TS"));
    k.EksportPath->SetEncodedPath(QStringLiteral("%USERPATH%/E"));
    k.StZSzablonuPath->SetEncodedPath(QStringLiteral("%USERPATH%/STZ"));
    k.StcPath->SetEncodedPath(QStringLiteral("%USERPATH%/C"));
    k.AddRecentZST(plikA);
    k.AddRecentSST(plikB);
    k.TytulPodgladuDrzewa = QStringLiteral("Podgląd");
    k.CzyBackupZestawu = false;
    k.CzyBackupListySST = false;
    k.CzySortujPopupListView = false;
    k.RozmiarDrzewoSpecyfikacji = 9;
    k.RozmiarSpecyfikacje = 10;
    k.RozmiarKosztorys = 11;
    k.RozmiarDrzewoElementow = 12;
    k.SetPierwszaStronaDocTemplate(QStringLiteral("/t/strona.doc"));
    k.SetPierwszaStronaOdtTemplate(QStringLiteral("/t/strona.odt"));
    k.CzyscSSTPrzyNowymZst = true;
    k.CzyPomijajWFiltrzePopupListView = true;
    k.PomijaneWFiltrzePopupListView = QStringLiteral(".-");
    k.CzyKorzystajZWariantow = true;
    k.CzyWyswietlacTytulSTZWariantem = false;
    k.ListaSeparatorowWariantow = QStringLiteral("_/");
    k.SetWizualnySeparatorWariantow(QStringLiteral("/"));
    k.UwzglednijWariantyPrzyEksporcieKosztorysu = true;
    k.RozpoznajWariantyPrzyImporcieKosztorysu = true;
    k.EdbudJdnMdbPath = QStringLiteral("/e/jdn.mdb");
    k.CzyPotwierdzenieUsunPowiazaniePlikuST = false;
    k.CzyPotwierdzenieUsunST = true;
    k.CzyPotwierdzenieUsunSTZPozycji = false;
    k.CzyPotwierdzenieUsunSTZeZbioru = true;
    k.PytajOPozostalePozycje = false;
    k.WyborDlaPozostalychPozycji = 2;
    k.CzyZapisujTytulyEksportuXls = true;
    k.TytulyEksportuXls = QStringList{QStringLiteral("KOSZTORYS OFERTOWY"), QStringLiteral("Zestawienie")};
    k.TylkoWidokSpecyfikacje = true;
    k.CzyZapamietacOpcjeDuplikatowNumeru = true;
    k.CzyZapamietacOpcjeDuplikatowPliku = true;
    k.ZapamietanaOpcjaDuplikatowNumeru = doNadpisz;
    k.ZapamietanaOpcjaDuplikatowPliku = dpoNadpiszPlikIPominSt;
    k.CzyEksportDoc = false;
    k.CzyWyswietlajCeny = false;
    k.NazwaJmWTytuleStPrzyGenerowaniuKosztorysu = false;
    k.OtworzKosztorysPoStworzeniu = false;
    k.WyswietlajEdytorJmPrzyEdycjiSt = true;
    k.WspolczynnikGlobalnyCenyJedn = 1.25;
    k.CzyWspolczynnikGlobalnyCenyJedn = false;
}

// A value other than the given one that reads back as written: texts are an existing folder (some must
// be one), kept exactly with blanks around; lists are existing files (recent lists keep only those).
QVariant InnaWartosc(const TUstawienie& u, const QVariant& obecna, const QString& folder, const QStringList& pliki)
{
    switch (u.Rodzaj) {
    case TRodzajUstawienia::Logiczna:
        return !obecna.toBool();
    case TRodzajUstawienia::Calkowita:
        return obecna.toInt() + 7;
    case TRodzajUstawienia::Liczba:
        return obecna.toDouble() + 0.25;
    case TRodzajUstawienia::Tekst:
        return folder;
    case TRodzajUstawienia::TekstDokladny:
        return QStringLiteral(" ") + folder + QStringLiteral(" ");
    case TRodzajUstawienia::Sciezka:
        return QStringLiteral("%USERPATH%/Inny/") + u.Nazwa;
    case TRodzajUstawienia::Lista:
        return pliki;
    case TRodzajUstawienia::Wybor:
        return static_cast<int>(u.Wybory.size()) - 1;
    case TRodzajUstawienia::Polozenie:
        return QPoint(11, 22);
    case TRodzajUstawienia::Rozmiar:
        return QSize(1000, 700);
    }
    return {};
}

std::string Opis(const QVariant& wartosc)
{
    QString tekst;
    QDebug(&tekst) << wartosc;
    return tekst.toStdString();
}

class KonfiguracjaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TKonfiguracja::Zwolnij(false);
        QFile::remove(TKonfiguracja::GetConfFilePath());
    }
    void TearDown() override { TKonfiguracja::Zwolnij(false); }

    TKonfiguracja& Nowa(bool wczytaj = true)
    {
        TKonfiguracja::Zwolnij(false);
        return *TKonfiguracja::GetInstance(&FOkno, wczytaj);
    }

    // The configuration read from the given file content.
    TKonfiguracja& ZPliku(const QByteArray& xml)
    {
        ZapiszPlik(TKonfiguracja::GetConfFilePath(), xml);
        return Nowa(true);
    }

    QByteArray Domyslne() { return Nowa(false).DoXml(); }

    TOknoBezEkranu FOkno;
    QTemporaryDir FDir;
};

TEST_F(KonfiguracjaTest, BezOknaNieMoznaUtworzyc)
{
    try {
        TKonfiguracja::GetInstance(nullptr, true);
        FAIL() << "created without a window";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd tworzenia konfiguracji programu"));
    }
    TKonfiguracja* k = TKonfiguracja::GetInstance(&FOkno, false);
    EXPECT_EQ(TKonfiguracja::GetInstance(), k);
    TOknoBezEkranu inne;
    EXPECT_EQ(TKonfiguracja::GetInstance(&inne, true), k);
}

TEST_F(KonfiguracjaTest, PierwszyStartBezPliku)
{
    TKonfiguracja& k = Nowa(true);
    EXPECT_EQ(k.Size, QSize(1536, 864));
    EXPECT_EQ(k.Position, QPoint(192, 108));
    EXPECT_TRUE(k.Maximized);
    EXPECT_EQ(k.NawigatorWidth, 225);
    EXPECT_EQ(k.DrzewoSTWidth, static_cast<int>(std::nearbyint((FOkno.SzerokoscObszaruKlienta(k.Size) - 225) / 2.0)));
    EXPECT_EQ(k.PodgladPozHeight, k.PodgladDrzewaHeight);
    EXPECT_EQ(k.PodgladPozZStHeight, k.PodgladDrzewaHeight);
    EXPECT_EQ(k.GetUserPath(), KatalogMojeDokumenty() + QStringLiteral("/Velostra"));
    EXPECT_EQ(k.ZestawyPath->EncodedPath(), QStringLiteral("%USERPATH%/Dane/Zestawy"));
    // The folders resolve against the configuration's own user folder, and follow it when it moves.
    EXPECT_EQ(k.ZestawyPath->GetPath(), k.GetUserPath() + QStringLiteral("/Dane/Zestawy"));
    k.SetUserPath(FDir.path());
    EXPECT_EQ(k.ZestawyPath->GetPath(), FDir.path() + QStringLiteral("/Dane/Zestawy"));
    EXPECT_EQ(k.SzablonyStPath->EncodedPath(), QStringLiteral("%USERPATH%/Dane/Szablony/Specyfikacje"));
    EXPECT_EQ(k.StZSzablonuPath->EncodedPath(), QStringLiteral("%USERPATH%/Specyfikacje Techniczne"));
    EXPECT_EQ(k.StcPath->EncodedPath(), QString());
    // Values that start empty, zero or false at the first start.
    EXPECT_FALSE(k.CzyPotwierdzenieUsunST);
    EXPECT_FALSE(k.CzyWyswietlacTytulSTZWariantem);
    EXPECT_EQ(k.GetWizualnySeparatorWariantow(), QString());
    EXPECT_TRUE(k.TytulyEksportuXls.isEmpty());
    EXPECT_TRUE(k.PytajOPozostalePozycje);
    EXPECT_DOUBLE_EQ(k.WspolczynnikGlobalnyCenyJedn, 1.0);
    EXPECT_TRUE(k.CzyWspolczynnikGlobalnyCenyJedn);
    EXPECT_EQ(k.TytulPodgladuDrzewa, QStringLiteral("Szczegóły"));
}

TEST_F(KonfiguracjaTest, ZapisIOdczytPrzywracajaKazdaWartosc)
{
    const QString istniejacy = FDir.path();
    const QString plikA = FDir.filePath(QStringLiteral("a.zst"));
    const QString plikB = FDir.filePath(QStringLiteral("b.sst"));
    ZapiszPlik(plikA, "x");
    ZapiszPlik(plikB, "x");

    TKonfiguracja& k = Nowa(false);
    UstawWszystkieInaczej(k, istniejacy, plikA, plikB);
    const QByteArray zapisana = k.DoXml();
    k.Zapisz();

    TKonfiguracja& r = Nowa(true);
    EXPECT_EQ(r.DoXml(), zapisana);
    // Spot checks of values that sit in repeated elements or have special rules.
    EXPECT_EQ(r.ListaSeparatorowWariantow, QStringLiteral("_/"));
    EXPECT_EQ(r.GetWizualnySeparatorWariantow(), QStringLiteral("/"));
    EXPECT_TRUE(r.WyswietlajEdytorJmPrzyEdycjiSt);
    EXPECT_FALSE(r.NazwaJmWTytuleStPrzyGenerowaniuKosztorysu);
    EXPECT_EQ(r.Position, QPoint(11, 22));
    EXPECT_FALSE(r.Maximized);
    EXPECT_EQ(r.ZestawyPath->EncodedPath(), QStringLiteral("%USERPATH%/Z"));
    EXPECT_EQ(r.RecentZSTList, QStringList{plikA});
    EXPECT_DOUBLE_EQ(r.WspolczynnikGlobalnyCenyJedn, 1.25);
    EXPECT_EQ(r.ZapamietanaOpcjaDuplikatowPliku, dpoNadpiszPlikIPominSt);
    EXPECT_TRUE(zapisana.contains("wspolczynnikGlobalnyCenyJedn=\"1,25\""));
}

// The file as written, byte for byte, against reference files: first start, a file that holds no value
// (the table's defaults), and every value changed.
// The temporary folders are replaced by markers, as they differ from run to run.
TEST_F(KonfiguracjaTest, PlikZgodnyZeWzorcem)
{
    const QString istniejacy = FDir.path();
    const QString plikA = FDir.filePath(QStringLiteral("a.zst"));
    const QString plikB = FDir.filePath(QStringLiteral("b.sst"));
    ZapiszPlik(plikA, "x");
    ZapiszPlik(plikB, "x");
    auto ZMarkerami = [&](QByteArray xml) {
        return xml.replace(istniejacy.toUtf8(), "@KATALOG@").replace(KatalogDomowyTestu().toUtf8(), "@DOM@");
    };
    EXPECT_EQ(ZMarkerami(Nowa(false).DoXml()),
              CzytajPlik(SciezkaDanychTestowych(QStringLiteral("app/konfiguracja/pierwszy_start.conf"))));
    EXPECT_EQ(ZMarkerami(ZPliku("<zestaw/>").DoXml()),
              CzytajPlik(SciezkaDanychTestowych(QStringLiteral("app/konfiguracja/pusty_plik.conf"))));
    TKonfiguracja& k = Nowa(false);
    UstawWszystkieInaczej(k, istniejacy, plikA, plikB);
    EXPECT_EQ(ZMarkerami(k.DoXml()),
              CzytajPlik(SciezkaDanychTestowych(QStringLiteral("app/konfiguracja/wszystkie_zmienione.conf"))));
}

TEST_F(KonfiguracjaTest, KolejnoscElementowWPliku)
{
    pugi::xml_document dok;
    ParsujXml(Nowa(false).DoXml(), dok);
    QStringList nazwy;
    for (pugi::xml_node n : dok.document_element().children())
        nazwy << QString::fromUtf8(n.name());
    const QStringList oczekiwane =
        QStringLiteral(
            "position size panele szczePoz widokKosztorys otworzKosztorysDlg filtryZbioruST filtryPozycji "
            "podgladSzczPoz "
            "porzadkST userPath podgladPozZSt pozZSt czyPodgladDrzewa podglDrzewa pytajOPozostalePozycje paths "
            "recentZst "
            "recentSst tytulPodgladuDrzewa backupZst backupSst sortPopup rozmiary pierwszaStronaDoc pierwszaStronaOdt "
            "zestaw "
            "popupListViewFiltrExcludes warianty edbud warianty potwierdzenia warianty zap_tyt_xls tylkoSpecyfikacje "
            "opcjeDuplikatow eksport_zestawu ceny jm kosztorys jm")
            .split(QLatin1Char(' '));
    EXPECT_EQ(oczekiwane.size(), 41);
    EXPECT_EQ(nazwy, oczekiwane);
    EXPECT_EQ(QString::fromUtf8(dok.document_element().name()), QStringLiteral("zestaw"));
    EXPECT_STREQ(dok.document_element().first_attribute().name(), "wspolczynnikGlobalnyCenyJedn");
}

// Every line of the table: a changed value is written, read back alone, and leaves the others as they were.
// A setting the file cannot hold or that collides with another fails here.
TEST_F(KonfiguracjaTest, KazdeUstawienieTabeliWracaZPliku)
{
    const QString folder = FDir.filePath(QStringLiteral("Katalog_źółć"));
    QDir().mkpath(folder);
    const QStringList pliki{FDir.filePath(QStringLiteral("a.zst")), FDir.filePath(QStringLiteral("b.sst"))};
    for (const QString& p : pliki)
        ZapiszPlik(p, "x");

    // The first start's file read back: the state every value is changed from.
    const QByteArray bazowy = Nowa(false).DoXml();
    TKonfiguracja& bazowa = ZPliku(bazowy);
    QVariantList wzorzec;
    for (const TUstawienie& u : UstawieniaKonfiguracji())
        wzorzec << u.Pobierz(bazowa);

    const auto& ustawienia = UstawieniaKonfiguracji();
    for (std::size_t i = 0; i < ustawienia.size(); ++i) {
        const TUstawienie& u = ustawienia[i];
        SCOPED_TRACE(u.Nazwa.toStdString());
        TKonfiguracja& k = ZPliku(bazowy);
        const QVariant wartosc = InnaWartosc(u, wzorzec[i], folder, pliki);
        ASSERT_NE(wartosc, wzorzec[i]);
        u.Ustaw(k, wartosc);
        k.Zapisz();
        TKonfiguracja& r = Nowa(true);
        EXPECT_EQ(u.Pobierz(r), wartosc) << Opis(u.Pobierz(r));
        for (std::size_t j = 0; j < ustawienia.size(); ++j) {
            if (j == i)
                continue;
            EXPECT_EQ(ustawienia[j].Pobierz(r), wzorzec[j]) << "changed too: " << ustawienia[j].Nazwa.toStdString();
        }
    }
}

TEST_F(KonfiguracjaTest, TabelaBezPowtorzen)
{
    QSet<QString> nazwy;
    QSet<QString> miejsca;
    for (const TUstawienie& u : UstawieniaKonfiguracji()) {
        EXPECT_FALSE(nazwy.contains(u.Nazwa)) << u.Nazwa.toStdString();
        nazwy.insert(u.Nazwa);
        const QString miejsce = QStringLiteral("%1/%2").arg(QString::fromLatin1(u.Element ? u.Element : "(korzeń)"),
                                                            QString::fromLatin1(u.Atrybut ? u.Atrybut : "(tekst)"));
        EXPECT_FALSE(miejsca.contains(miejsce)) << miejsce.toStdString();
        miejsca.insert(miejsce);
        EXPECT_TRUE(u.Domyslna.Jest()) << u.Nazwa.toStdString();
        EXPECT_EQ(u.Wybory.isEmpty(), u.Rodzaj != TRodzajUstawienia::Wybor) << u.Nazwa.toStdString();
    }
}

// Values with rules of their own, as the file gives them.
TEST_F(KonfiguracjaTest, RegulyOdczytuPojedynczychWartosci)
{
    const struct
    {
        const char* Xml;
        const char* Ustawienie;
        QVariant Oczekiwana;
    } przypadki[] = {
        {"<zestaw><popupListViewFiltrExcludes exclude=\" a b \"/></zestaw>", "PomijaneWFiltrzePopupListView",
         QStringLiteral("ab")},
        {"<zestaw><warianty wizualnySeparator=\" # \"/></zestaw>", "WizualnySeparatorWariantu", QStringLiteral(".")},
        {"<zestaw><warianty wizualnySeparator=\" - \"/></zestaw>", "WizualnySeparatorWariantu", QStringLiteral(" - ")},
        {"<zestaw><warianty separatory=\" _ \"/></zestaw>", "ListaSeparatorowWariantow", QStringLiteral(" _ ")},
        {"<zestaw><tytulPodgladuDrzewa value=\"  X  \"/></zestaw>", "TytulPodgladuDrzewa", QStringLiteral("X")},
        {"<zestaw czyWspolczynnikGlobalnyCenyJedn=\"false\"/>", "CzyWspolczynnikGlobalnyCenyJedn", true},
        {"<zestaw><position res=\"1920x1080\" x=\"5\" y=\"6\" monCount=\"1\"/></zestaw>", "Maximized", false},
        {"<zestaw><zap_tyt_xls><item value=\"\"/></zap_tyt_xls></zestaw>", "TytulyEksportuXls", QStringList()},
        {"<zestaw><opcjeDuplikatow opcjePliku=\"dpoPominSt\"/></zestaw>", "ZapamietanaOpcjaDuplikatowPliku",
         static_cast<int>(dpoPominSt)},
        {"<zestaw><opcjeDuplikatow opcjePliku=\"DPOPOMINST\"/></zestaw>", "ZapamietanaOpcjaDuplikatowPliku",
         static_cast<int>(dpoNone)},
        {"<zestaw><recentSst><item>/nie/ma/pliku.sst</item></recentSst></zestaw>", "RecentSSTList", QStringList()},
    };
    for (const auto& p : przypadki) {
        const TUstawienie& u = UstawienieKonfiguracji(QString::fromLatin1(p.Ustawienie));
        const QVariant wartosc = u.Pobierz(ZPliku(p.Xml));
        EXPECT_EQ(wartosc, p.Oczekiwana) << p.Xml << " gives " << Opis(wartosc);
    }
}

// A file without the position panels' heights measures them on their own panels; "Przywróć domyślne"
// and the first start take a quarter of the specification tree's panel for all three.
TEST_F(KonfiguracjaTest, WysokosciPaneliBrakujacychWPliku)
{
    struct TOkno : TOknoBezEkranu
    {
        int WysokoscPaneluDrzewa(QSize) const override { return 400; }
        int WysokoscPaneluKosztorysu(QSize) const override { return 800; }
        int WysokoscPaneluZbioru(QSize) const override { return 1200; }
    } okno;
    TKonfiguracja* k = TKonfiguracja::GetInstance(&okno, false);
    EXPECT_EQ(k->PodgladPozHeight, 100);
    EXPECT_EQ(k->PodgladPozZStHeight, 100);
    k->WczytajZXml("<zestaw/>");
    EXPECT_EQ(k->PodgladDrzewaHeight, 100);
    EXPECT_EQ(k->PodgladPozHeight, 200);
    EXPECT_EQ(k->PodgladPozZStHeight, 300);
    k->LoadDefaultPanels();
    EXPECT_EQ(k->PodgladPozHeight, 100);
    EXPECT_EQ(k->PodgladPozZStHeight, 100);
}

TEST_F(KonfiguracjaTest, DomyslneZTabeli)
{
    EXPECT_EQ(TKonfiguracja::GetDefault(QStringLiteral("RozmiarKosztorys")), QVariant(8));
    EXPECT_EQ(TKonfiguracja::GetDefault(QStringLiteral("WizualnySeparatorWariantu")), QVariant(QStringLiteral(".")));
    EXPECT_THROW(TKonfiguracja::GetDefault(QStringLiteral("NieMaTakiego")), std::logic_error);
    EXPECT_THROW(TKonfiguracja::GetDefault(QStringLiteral("DrzewoSTWidth")), std::logic_error); // from the screen
    TKonfiguracja& k = Nowa(false);
    EXPECT_EQ(k.GetDefaultFolder(QStringLiteral("SstPath")), k.GetUserPath() + QStringLiteral("/Dane/Listy SST"));
    EXPECT_THROW(k.GetDefaultFolder(QStringLiteral("UserPath")), std::logic_error);
}

TEST_F(KonfiguracjaTest, ZepsutyPlikLubNieLogicznaWartoscDajaDomyslne)
{
    const QByteArray domyslne = Domyslne();
    const QByteArray zle[] = {
        "to nie jest xml",
        "",
        "<zestaw><backupZst value=\"abc\"/></zestaw>",
        "<zestaw><ceny use=\"tak\"/><rozmiary st=\"12\"/></zestaw>",
        "<zestaw><position res=\"1x1\" max=\"abc\"/></zestaw>",
        "<inny/>",
    };
    for (const QByteArray& xml : zle)
        EXPECT_EQ(ZPliku(xml).DoXml(), domyslne) << xml.constData();
}

TEST_F(KonfiguracjaTest, NieznanyElementJestPomijanyABrakujaceMajaWartosciZTabeli)
{
    TKonfiguracja& k =
        ZPliku("<zestaw><nieznany a=\"b\"/><rozmiary st=\"12\" koszt=\"x\"/><potwierdzenia st=\"false\"/></zestaw>");
    EXPECT_EQ(k.RozmiarSpecyfikacje, 12);
    EXPECT_EQ(k.RozmiarKosztorys, 8); // not an integer: default
    EXPECT_FALSE(k.CzyPotwierdzenieUsunST);
    // Values that a file lacks take the table's defaults, not the first start's.
    EXPECT_TRUE(k.CzyPotwierdzenieUsunSTZPozycji);
    EXPECT_TRUE(k.CzyWyswietlacTytulSTZWariantem);
    EXPECT_EQ(k.GetWizualnySeparatorWariantow(), QStringLiteral("."));
    EXPECT_EQ(k.TytulyEksportuXls, TKonfiguracja::GetDefaultTytulyEksportuXls());
    EXPECT_EQ(k.StcPath->EncodedPath(), QStringLiteral("%USERPATH%/CAD"));
    EXPECT_DOUBLE_EQ(k.WspolczynnikGlobalnyCenyJedn, 1.0);
    EXPECT_TRUE(k.Maximized);
}

TEST_F(KonfiguracjaTest, PolozenieOknaTylkoDlaTegoSamegoEkranu)
{
    const struct
    {
        const char* Element;
        QPoint Polozenie;
        bool Zmaksymalizowane;
    } przypadki[] = {
        {"<position res=\"1920x1080\" x=\"5\" y=\"6\" max=\"false\" monCount=\"1\"/>", QPoint(5, 6), false},
        {"<position res=\"1920x1080\" x=\"5\" y=\"6\" max=\"true\" monCount=\"1\"/>", QPoint(5, 6), true},
        {"<position res=\"1280x1024\" x=\"5\" y=\"6\" max=\"false\" monCount=\"1\"/>", QPoint(192, 108), true},
        {"<position res=\"1920x1080\" x=\"5\" y=\"6\" max=\"false\" monCount=\"2\"/>", QPoint(192, 108), true},
        {"<position res=\"1920x1080\" x=\"a\" y=\"6\" max=\"false\" monCount=\"1\"/>", QPoint(192, 108), true},
    };
    for (const auto& p : przypadki) {
        TKonfiguracja& k = ZPliku(QByteArray("<zestaw>") + p.Element + "</zestaw>");
        EXPECT_EQ(k.Position, p.Polozenie) << p.Element;
        EXPECT_EQ(k.Maximized, p.Zmaksymalizowane) << p.Element;
    }
    TKonfiguracja& k = ZPliku("<zestaw><size res=\"800x600\" cx=\"700\" cy=\"500\" monCount=\"1\"/></zestaw>");
    EXPECT_EQ(k.Size, QSize(1536, 864));
    TKonfiguracja& k2 = ZPliku("<zestaw><size res=\"1920x1080\" cx=\"700\" cy=\"500\" monCount=\"1\"/></zestaw>");
    EXPECT_EQ(k2.Size, QSize(700, 500));
}

TEST_F(KonfiguracjaTest, OstatniePliki)
{
    TKonfiguracja& k = Nowa(false);
    QStringList pliki;
    for (int i = 0; i < 7; ++i) {
        pliki << FDir.filePath(QStringLiteral("z%1.zst").arg(i));
        ZapiszPlik(pliki.last(), "x");
        k.AddRecentZST(pliki.last());
    }
    EXPECT_EQ(k.RecentZSTCount(), 7);
    EXPECT_EQ(k.GetRecentZST(0), pliki[6]);
    k.AddRecentZST(pliki[4]); // third from the top
    EXPECT_EQ(k.GetRecentZST(0), pliki[4]);
    EXPECT_EQ(k.GetRecentZST(1), pliki[6]);
    EXPECT_EQ(k.RecentZSTCount(), 7);
    EXPECT_EQ(k.GetRecentZST(99), QString());
    EXPECT_EQ(k.GetRecentZST(-1), QString());

    pugi::xml_document dok;
    ParsujXml(k.DoXml(), dok);
    int itemow = 0;
    for (pugi::xml_node n = dok.document_element().child("recentZst").child("item"); n; n = n.next_sibling("item"))
        ++itemow;
    EXPECT_EQ(itemow, 5);

    k.Zapisz();
    QFile::remove(pliki[6]);
    TKonfiguracja& r = Nowa(true);
    EXPECT_EQ(r.RecentZSTList, (QStringList{pliki[4], pliki[5], pliki[3], pliki[2]}));
}

TEST_F(KonfiguracjaTest, PorownanieOstatnichBezWzgleduNaWielkoscLiter)
{
    TKonfiguracja& k = Nowa(false);
    k.AddRecentSST(QStringLiteral("/a/Lista.sst"));
    k.AddRecentSST(QStringLiteral("/b/x.sst"));
    k.AddRecentSST(QStringLiteral("/A/LISTA.SST"));
    EXPECT_EQ(k.RecentSSTCount(), 2);
    EXPECT_EQ(k.GetRecentSST(0), QStringLiteral("/a/Lista.sst"));
}

TEST_F(KonfiguracjaTest, RegulyFolderow)
{
    TKonfiguracja& k =
        ZPliku("<zestaw><paths zestawy=\"/z\" kosztorysy=\"/k\" sst=\"/s\" stronyTyt=\"/t\" szablonySt=\"/ts\" "
               "eksport=\"\" stzszablonu=\"/stz\" stc=\"/c\"/></zestaw>");
    EXPECT_EQ(k.ZestawyPath->EncodedPath(), QStringLiteral("%USERPATH%/Dane/Zestawy"));
    EXPECT_EQ(k.SzablonyStronyTytPath->EncodedPath(), QStringLiteral("%USERPATH%/Dane/Szablony"));
    EXPECT_EQ(k.EksportPath->EncodedPath(), QStringLiteral("%USERPATH%/Dane/Eksport"));
    EXPECT_EQ(k.StcPath->EncodedPath(), QStringLiteral("/c"));

    TKonfiguracja& k2 =
        ZPliku("<zestaw><paths zestawy=\"/z\" kosztorysy=\"/k\" sst=\"/s\" stronyTyt=\"\" szablonySt=\"\" "
               "eksport=\"/e\" stzszablonu=\"\" stc=\"\"/></zestaw>");
    EXPECT_EQ(k2.ZestawyPath->EncodedPath(), QStringLiteral("/z"));
    EXPECT_EQ(k2.SzablonyStronyTytPath->EncodedPath(), QString());
    EXPECT_EQ(k2.SzablonyStPath->EncodedPath(), QStringLiteral("%USERPATH%/Dane/Szablony/Specyfikacje"));
    EXPECT_EQ(k2.StZSzablonuPath->EncodedPath(), QStringLiteral("%USERPATH%/Specyfikacje Techniczne"));
    EXPECT_EQ(k2.StcPath->EncodedPath(), QStringLiteral("%USERPATH%/CAD"));
}

TEST_F(KonfiguracjaTest, KatalogUzytkownikaIFolderPorzadkowania)
{
    TKonfiguracja& k =
        ZPliku("<zestaw><userPath path=\"/nie/ma/takiego\"/><porzadkST folder=\"/nie/ma\" opcja=\"x\"/></zestaw>");
    EXPECT_EQ(k.GetUserPath(), TKonfiguracja::GetDefaultUserPath());
    EXPECT_EQ(k.PorzadkSTFolderDocelowy, QString());
    EXPECT_EQ(k.PorzadkSTOpcja, 0);

    const QByteArray xml = QByteArray("<zestaw><userPath path=\"") + FDir.path().toUtf8() + "/\"/></zestaw>";
    EXPECT_EQ(ZPliku(xml).GetUserPath(), FDir.path());
}

TEST_F(KonfiguracjaTest, SetteryZRegulami)
{
    TKonfiguracja& k = Nowa(false);
    k.SetUserPath(QStringLiteral("\\\\?\\C:\\Dane\\Velostra\\"));
    EXPECT_EQ(k.GetUserPath(), QStringLiteral("C:\\Dane\\Velostra"));

    k.SetWizualnySeparatorWariantow(QStringLiteral("-"));
    try {
        k.SetWizualnySeparatorWariantow(QStringLiteral(" # "));
        FAIL() << "the reserved separator was accepted";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Wybrany separator wariantów jest zastrzeżony."));
    }
    EXPECT_EQ(k.GetWizualnySeparatorWariantow(), QStringLiteral("-"));

    int zdarzen = 0;
    k.OnZmianaPierwszejStrony = [&zdarzen](TKonfiguracja*) { ++zdarzen; };
    k.SetPierwszaStronaDocTemplate(QStringLiteral("a.doc"));
    k.SetPierwszaStronaOdtTemplate(QStringLiteral("a.odt"));
    EXPECT_EQ(zdarzen, 2);
}

TEST_F(KonfiguracjaTest, PrzywracanieGrupDomyslnych)
{
    TKonfiguracja& k = Nowa(false);
    k.NawigatorWidth = 1;
    k.PodgladPozHeight = 1;
    k.CzyPodgladDrzewa = false;
    k.LoadDefaultPanels();
    EXPECT_EQ(k.NawigatorWidth, 225);
    EXPECT_EQ(k.PodgladPozHeight, k.GetDefaultPodgladDrzewaHeight());
    EXPECT_TRUE(k.CzyPodgladDrzewa);

    k.EksportPath->SetEncodedPath(QStringLiteral("/x"));
    k.StcPath->SetEncodedPath(QString());
    k.LoadDefaultPaths();
    EXPECT_EQ(k.EksportPath->EncodedPath(), QStringLiteral("%USERPATH%/Dane/Eksport"));
    EXPECT_EQ(k.StcPath->EncodedPath(), QStringLiteral("%USERPATH%/CAD"));

    k.PorzadkSTOpcja = 2;
    k.PorzadkSTNadpisuj = false;
    k.LoadDefaultPorzadkST();
    EXPECT_EQ(k.PorzadkSTOpcja, 0);
    EXPECT_TRUE(k.PorzadkSTNadpisuj);

    k.LoadDefaultTytuluEksportuXls();
    EXPECT_EQ(k.TytulyEksportuXls,
              (QStringList{QStringLiteral("FORMULARZ OFERTOWY"), QStringLiteral("TABELA ELEMENTÓW ROZLICZENIOWYCH")}));
}

TEST_F(KonfiguracjaTest, WspolczynnikZKropkaLubPrzecinkiemIOpcjeDuplikatow)
{
    EXPECT_DOUBLE_EQ(ZPliku("<zestaw wspolczynnikGlobalnyCenyJedn=\"1.5\" czyWspolczynnikGlobalnyCenyJedn=\"false\"/>")
                         .WspolczynnikGlobalnyCenyJedn,
                     1.5);
    EXPECT_FALSE(TKonfiguracja::GetInstance()->CzyWspolczynnikGlobalnyCenyJedn);
    EXPECT_DOUBLE_EQ(ZPliku("<zestaw wspolczynnikGlobalnyCenyJedn=\"0,8\"/>").WspolczynnikGlobalnyCenyJedn, 0.8);
    EXPECT_TRUE(TKonfiguracja::GetInstance()->CzyWspolczynnikGlobalnyCenyJedn);

    TKonfiguracja& k = ZPliku("<zestaw><opcjeDuplikatow opcjeNumeru=\"doPomin\" opcjePliku=\"cos\"/></zestaw>");
    EXPECT_EQ(k.ZapamietanaOpcjaDuplikatowNumeru, doPomin);
    EXPECT_EQ(k.ZapamietanaOpcjaDuplikatowPliku, dpoNone);
    const QByteArray xml = k.DoXml();
    EXPECT_TRUE(xml.contains("opcjeNumeru=\"doPomin\""));
    EXPECT_FALSE(xml.contains("opcjePliku"));
}

TEST_F(KonfiguracjaTest, ZwolnienieZapisujePlikZeStanemOkna)
{
    struct TOkno : TOknoBezEkranu
    {
        void PobierzStanOkna(TKonfiguracja& k) override { k.Position = QPoint(77, 88); }
    } okno;
    TKonfiguracja::GetInstance(&okno, false)->Maximized = false;
    TKonfiguracja::Zwolnij(true);
    EXPECT_TRUE(QFile::exists(TKonfiguracja::GetConfFilePath()));
    TKonfiguracja& k = Nowa(true);
    EXPECT_EQ(k.Position, QPoint(77, 88));
    EXPECT_FALSE(k.Maximized);
}

} // namespace
