// Importing ".wst" registers: the factory and the constructors, the register's structure (groups collect
// the specifications that follow them), duplicates, failures part-way, and reading the file.
#include "specs/ImporterWST.h"
#include "app/Kodowanie.h"
#include "app/Wyjatki.h"
#include "specs/DuplikatyTestowe.h"
#include "specs/ImporterSTFactory.h"

#include <QObject>

#include <memory>

namespace {

class ImporterWST : public TestDuplikatow
{
protected:
    QObject Okno;
    TSpecyfikacja* Cel = nullptr;

    void SetUp() override
    {
        TestDuplikatow::SetUp();
        Cel = Dodaj(Spis, NowaGrupa(QStringLiteral("IMP"), QStringLiteral("Import")));
    }

    // Imports the register's entries (the text inside the document element) below the node.
    void Importuj(const QString& wpisy, TSpecyfikacja* cel, const TZapamietaneOpcjeDuplikatow& zapamietane = {})
    {
        TImporterWST importer(&Okno, &Spis, zapamietane);
        importer.ImportujSpecyfikacjeZBajtow(
            ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<wykaz>" + wpisy + "</wykaz>").toUtf8(), cel, &Dialog);
    }

    static QString Komunikat(const std::function<void()>& operacja)
    {
        try {
            operacja();
        } catch (const EBlad& e) {
            return e.Komunikat();
        }
        return QStringLiteral("(bez błędu)");
    }
};

TEST_F(ImporterWST, FabrykaIKonstruktory)
{
    struct TPrzypadek
    {
        const char* Plik;
        bool ZeSpisem;
        bool ZOknem;
        const char* Komunikat; // nullptr: an importer of .wst files
    };
    const TPrzypadek przypadki[] = {
        {"/dane/wykaz.wst", true, true, nullptr},
        {"C:\\Dane\\wykaz.wst", true, true, nullptr},
        {"/dane/wykaz.WST", true, true, "Brak importera dla podanego pliku"},
        {"/dane/wykaz.Wst", true, true, "Brak importera dla podanego pliku"},
        {"/dane/wykaz.wst.bak", true, true, "Brak importera dla podanego pliku"},
        {"/dane/wykaz", true, true, "Brak importera dla podanego pliku"},
        {"/dane.wst/wykaz", true, true, "Brak importera dla podanego pliku"},
        {"/dane/wykaz.sst", true, true, "Brak importera dla podanego pliku"},
        {"", true, true, "Brak importera dla podanego pliku"},
        {"/dane/wykaz.wst", false, true, "Brak spisu specyfikacji"},
        {"/dane/wykaz.WST", false, true, "Brak spisu specyfikacji"},
        {"/dane/wykaz.wst", true, false, "Okno główne nie może być puste"},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Plik);
        std::unique_ptr<TImporterST> importer;
        const QString komunikat = Komunikat([&] {
            importer = TImporterSTFactory::GetImporter(QString::fromUtf8(p.Plik), p.ZOknem ? &Okno : nullptr,
                                                       p.ZeSpisem ? &Spis : nullptr, {doPomin, dpoNadpisz});
        });
        if (!p.Komunikat) {
            EXPECT_EQ(komunikat, QStringLiteral("(bez błędu)"));
            ASSERT_NE(dynamic_cast<TImporterWST*>(importer.get()), nullptr);
            EXPECT_EQ(importer->SpisSt(), &Spis);
            EXPECT_EQ(importer->OwnerForm(), &Okno);
            EXPECT_EQ(importer->Zapamietane(), (TZapamietaneOpcjeDuplikatow{doPomin, dpoNadpisz}));
        } else {
            EXPECT_EQ(komunikat, QString::fromUtf8(p.Komunikat));
            EXPECT_EQ(importer.get(), nullptr);
        }
    }
    EXPECT_EQ(Komunikat([&] { TImporterWST(nullptr, &Spis); }), QStringLiteral("Okno główne nie może być puste"));
    EXPECT_EQ(Komunikat([&] { TImporterWST(&Okno, nullptr); }), QStringLiteral("Spis specyfikacji nie może być pusty"));
    EXPECT_EQ(Komunikat([&] { TImporterWST(nullptr, nullptr); }),
              QStringLiteral("Spis specyfikacji nie może być pusty"));
}

TEST_F(ImporterWST, GrupyZbierajaNastepneSpecyfikacje)
{
    const QString wykopy = Plik("Dok/s0101.doc", "wykopy");
    Importuj(QStringLiteral("tekst między wpisami<!-- komentarz -->"
                            "<poz><nr>S-00.01</nr><opis>Wymagania ogólne</opis><plik></plik></poz>"
                            "<poz rodz=\"01\"><nr>S-00.02</nr><opis>Rodzaj 01</opis></poz>"
                            "<poz rodz=\" 1 \"><nr>S-01</nr><opis>Roboty ziemne</opis></poz>"
                            "<poz rodz=\"0\"><nr>S-01.01</nr><opis>Wykopy</opis><plik>%1</plik></poz>"
                            "<inny rodz=\"2\"><opis>Nasypy</opis><nr>S-01.02</nr></inny>"
                            "<poz rodz=\"1\"><nr>S-02</nr><opis>Roboty betonowe</opis></poz>"
                            "<poz><nr>S-02.01</nr><opis>Beton</opis></poz>")
                 .arg(wykopy),
             Cel);
    QStringList oczekiwane = {QStringLiteral("1 IMP Import"),           QStringLiteral("2 S-00.01 Wymagania ogólne"),
                              QStringLiteral("2 S-00.02 Rodzaj 01"),    QStringLiteral("2 S-01 Roboty ziemne"),
                              QStringLiteral("3 S-01.01 Wykopy"),       QStringLiteral("3 S-01.02 Nasypy"),
                              QStringLiteral("2 S-02 Roboty betonowe"), QStringLiteral("3 S-02.01 Beton")};
    EXPECT_EQ(Drzewo(Spis).mid(5), oczekiwane);
    const auto znajdz = [&](const char* numer) {
        return Spis.FindSpecyfikacja(QString::fromUtf8(numer), fsSzukajWGrupach | fsSzukajWSpecyfikacjach);
    };
    EXPECT_FALSE(znajdz("S-00.02")->CzyGrupa()) << "\"01\" is not \"1\"";
    EXPECT_TRUE(znajdz("S-01")->CzyGrupa()) << "\" 1 \" is trimmed";
    EXPECT_FALSE(znajdz("S-01.02")->CzyGrupa());
    EXPECT_EQ(znajdz("S-01.01")->GetPlik(), wykopy);
    EXPECT_TRUE(Dialog.Pytania.isEmpty());
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("7/0/0/0"));
}

TEST_F(ImporterWST, TekstyWezlowISciezki)
{
    Spis.UstawKatalogUzytkownika(Katalog.path());
    const QString dokument = Plik("Dok/s0301.doc", "dokument");
    Importuj(QStringLiteral("<poz><nr> S-03 </nr><opis>  Roboty <b>ziemne</b><![CDATA[ i <skarpy>]]></opis>"
                            "<plik>%USERPATH%/Dok/s0301.doc</plik><plik>drugi</plik></poz>"),
             Cel);
    ASSERT_EQ(Cel->Count(), 1);
    const TSpecyfikacja* s = Cel->GetSpecyfikacja(0);
    EXPECT_EQ(s->Numer(), QStringLiteral(" S-03 "));
    EXPECT_EQ(s->Opis(), QStringLiteral("  Roboty ziemne i <skarpy>"));
    EXPECT_EQ(s->GetEncodedPath(), QStringLiteral("%USERPATH%/Dok/s0301.doc"));
    EXPECT_EQ(s->GetPlik(), dokument);
}

TEST_F(ImporterWST, SpecyfikacjeNaPoczatkuIDoCelu)
{
    // The list's root as the target: a register of specifications only puts them all there.
    Importuj(QStringLiteral("<poz><nr>A-1</nr></poz><poz><nr>A-2</nr></poz>"), &Spis);
    EXPECT_EQ(Spis.Count(), 4);
    EXPECT_EQ(Spis.GetSpecyfikacja(2)->Numer(), QStringLiteral("A-1"));
    EXPECT_EQ(Spis.GetSpecyfikacja(3)->Numer(), QStringLiteral("A-2"));
}

TEST_F(ImporterWST, DuplikatyPrzesuwajaGrupe)
{
    Dialog.OdpowiedziNumeru = {{doNadpisz, false}, {doPomin, false}};
    Dialog.OdpowiedziPliku = {{dpoNadpisz, false}};
    Importuj(QStringLiteral("<poz rodz=\"1\"><nr>N-01</nr><opis>Nowa grupa</opis></poz>"
                            "<poz rodz=\"1\"><nr>D-01</nr><opis>Przygotowanie</opis></poz>"
                            "<poz><nr>D-01.05</nr><opis>Karczowanie</opis></poz>"
                            "<poz rodz=\"1\"><nr>d</nr><opis>pominięta</opis></poz>"
                            "<poz><nr>D-01.06</nr><opis>Frezowanie</opis></poz>"
                            "<poz><nr>X-01</nr><opis>Nadpisana</opis><plik>%1</plik></poz>"
                            "<poz><nr>D-01.07</nr><opis>Oczyszczenie</opis></poz>")
                 .arg(Plik("B/d0102.doc", "nowy")),
             Cel);
    EXPECT_EQ(Drzewo(Spis),
              QStringList({QStringLiteral("1 D Roboty drogowe"), QStringLiteral("2 D-01 Przygotowanie"),
                           QStringLiteral("3 D-01.01 Odtworzenie trasy"), QStringLiteral("3 X-01 Nadpisana"),
                           QStringLiteral("3 D-01.03 Rozbiórki"), QStringLiteral("3 D-01.05 Karczowanie"),
                           QStringLiteral("3 D-01.06 Frezowanie"), QStringLiteral("3 D-01.07 Oczyszczenie"),
                           QStringLiteral("1 IMP Import"), QStringLiteral("2 N-01 Nowa grupa")}));
    EXPECT_EQ(Dialog.Pytania, QStringList({QStringLiteral("numer D-01 <- D-01"), QStringLiteral("numer D <- d"),
                                           QStringLiteral("plik D-01.02 <- X-01")}));
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("4/0/1/2"));
}

TEST_F(ImporterWST, ZapamietanaOdpowiedz)
{
    Importuj(QStringLiteral("<poz><nr>D-01.01</nr><opis>x</opis></poz><poz><nr>D-01.02</nr><opis>y</opis></poz>"
                            "<poz><nr>N-1</nr></poz>"),
             Cel, {doPomin, dpoNone});
    EXPECT_TRUE(Dialog.Pytania.isEmpty());
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("1/0/2/0"));
    EXPECT_EQ(D0101->Opis(), QStringLiteral("Odtworzenie trasy"));
    EXPECT_EQ(Cel->Count(), 1);
}

TEST_F(ImporterWST, BladWTrakcieZostawiaDodane)
{
    struct TPrzypadek
    {
        const char* Opis;
        QString Wpisy;
        bool DoSpecyfikacji; // the target is the specification D-01.01 at level 3
        QString Komunikat;
        QStringList Dodane;
    };
    const TPrzypadek przypadki[] = {
        {"przerwane pytanie",
         QStringLiteral("<poz rodz=\"1\"><nr>A</nr></poz><poz><nr>D-01.02</nr></poz><poz><nr>Z</nr></poz>"),
         false,
         QStringLiteral("Znaleziono duplikaty - import przerwany."),
         {QStringLiteral("A")}},
        {"za głęboko",
         QStringLiteral("<poz><nr>S-1</nr></poz><poz rodz=\"1\"><nr>G-1</nr></poz><poz><nr>Z</nr></poz>"),
         true,
         QStringLiteral("Błąd! Próba dodania specyfikacji G-1 spowoduje przekroczenie maksymalnego poziomu "
                        "zagnieżdżenia specyfikacji. Operacja przerwana."),
         {QStringLiteral("S-1")}},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        Dialog.OdpowiedziNumeru = {{doNone, false}};
        TSpecyfikacja* cel = p.DoSpecyfikacji ? D0101 : Cel;
        const int przed = cel->Count();
        EXPECT_EQ(Komunikat([&] { Importuj(p.Wpisy, cel); }), p.Komunikat);
        QStringList dodane;
        for (int i = przed; i < cel->Count(); ++i)
            dodane << cel->GetSpecyfikacja(i)->Numer();
        EXPECT_EQ(dodane, p.Dodane);
        EXPECT_EQ(Spis.FindSpecyfikacja(QStringLiteral("Z"), fsSzukajWSpecyfikacjach), nullptr);
    }
}

TEST_F(ImporterWST, CelIPlik)
{
    TImporterWST importer(&Okno, &Spis);
    TSpisST inny;
    TSpecyfikacja* obcy = Dodaj(inny, NowaGrupa(QStringLiteral("O")));
    const QString brakCelu = QStringLiteral("Nie wybrano lokalizacji docelowej dla importowanych specyfikacji");
    const QString wykaz = Plik("wykaz.wst", "<wykaz><poz rodz=\"1\"><nr>P-1</nr></poz></wykaz>");
    EXPECT_EQ(Komunikat([&] { importer.ImportujSpecyfikacje(wykaz, nullptr, &Dialog); }), brakCelu);
    EXPECT_EQ(Komunikat([&] { importer.ImportujSpecyfikacje(wykaz, obcy, &Dialog); }), brakCelu);
    EXPECT_EQ(obcy->Count(), 0);
    const QString brakPliku = QStringLiteral("Podany plik wykazu nie istnieje!");
    EXPECT_EQ(Komunikat([&] { importer.ImportujSpecyfikacje(Sciezka("brak.wst"), Cel, &Dialog); }), brakPliku);
    EXPECT_EQ(Komunikat([&] { importer.ImportujSpecyfikacje(Sciezka("A"), Cel, &Dialog); }), brakPliku);
    EXPECT_EQ(Komunikat([&] { importer.ImportujSpecyfikacje(wykaz, Cel, nullptr); }),
              QStringLiteral("Brak możliwości wyświetlenia widoku duplikatu."));
    EXPECT_EQ(Komunikat([&] { importer.ImportujSpecyfikacje(wykaz, Cel, &Dialog); }), QStringLiteral("(bez błędu)"));
    ASSERT_EQ(Cel->Count(), 1);
    EXPECT_EQ(Cel->GetSpecyfikacja(0)->Numer(), QStringLiteral("P-1"));
}

TEST_F(ImporterWST, PlikiZlychFormatowIKodowanie)
{
    TImporterWST importer(&Okno, &Spis);
    for (const char* zly : {"", "<wykaz><poz>", "<wykaz></poz></wykaz>", "tekst"}) {
        SCOPED_TRACE(zly);
        const QString k = Komunikat([&] { importer.ImportujSpecyfikacjeZBajtow(zly, Cel, &Dialog); });
        EXPECT_TRUE(k.startsWith(QStringLiteral("Błąd odczytu pliku XML"))) << k.toStdString();
    }
    EXPECT_EQ(Cel->Count(), 0);

    // A register in windows-1250, as its declaration says.
    importer.ImportujSpecyfikacjeZBajtow(
        NaWindows1250(QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1250\"?>"
                                     "<wykaz><poz><nr>Ł-1</nr><opis>Żwirowanie</opis>"
                                     "</poz></wykaz>")),
        Cel, &Dialog);
    ASSERT_EQ(Cel->Count(), 1);
    EXPECT_EQ(Cel->GetSpecyfikacja(0)->GetCaption(), QStringLiteral("Ł-1 Żwirowanie"));

    // Entities of a document type are never expanded: a register cannot pull in other files.
    const QString tajny = Plik("tajny.txt", "tajne dane");
    const QByteArray zEncja = QStringLiteral("<!DOCTYPE wykaz [<!ENTITY e SYSTEM \"file://%1\">]><wykaz><poz>"
                                             "<nr>E-1</nr><opis>&e;</opis></poz></wykaz>")
                                  .arg(tajny)
                                  .toUtf8();
    Komunikat([&] { importer.ImportujSpecyfikacjeZBajtow(zEncja, Cel, &Dialog); });
    for (int i = 0; i < Cel->Count(); ++i)
        EXPECT_FALSE(Cel->GetSpecyfikacja(i)->Opis().contains(QStringLiteral("tajne")));
}

} // namespace
