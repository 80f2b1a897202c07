// Writing the list file, the backup copy, and merging another list into the list.
#include "app/Liczby.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "app/Xml.h"
#include "prices/CenaJedn.h"
#include "specs/CenaJednXml.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/ObslugaDuplikatowListy.h"
#include "specs/PomocnikSpecyfikacji.h"
#include "specs/SpisST.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class SpisSTZapis : public TestSpecyfikacji
{
protected:
    void SetUp() override { QDir(Katalog.path()).mkpath(QStringLiteral("Specyfikacje")); }
    QString Dok(const QString& nazwa) { return Dokument(QStringLiteral("Specyfikacje/") + nazwa); }
    QString Brak(const QString& nazwa) { return BrakujacyDokument(QStringLiteral("Specyfikacje/") + nazwa); }

    static std::unique_ptr<TJmSpecyfikacji> Jednostka(const QString& jm, const QString& opis, bool eksportuj,
                                                      double cena, double wspolczynnik)
    {
        auto j = std::make_unique<TJmSpecyfikacji>(jm, opis, eksportuj);
        j->CenaJedn()->UstawDate(QStringLiteral("01.02.2024"));
        j->CenaJedn()->UstawCeneZReki(TCenaJedn::ZrodloZReki, cena, wspolczynnik, 0, 0);
        j->CenaJedn()->Oblicz();
        return j;
    }

    // A list with every kind of content the file holds.
    void Zbuduj(TSpisST& spis)
    {
        spis.UstawKatalogUzytkownika(Katalog.path());
        Dodaj(spis,
              std::make_unique<TSpecyfikacja>(QStringLiteral("ST-00.00"), true, false, QString(),
                                              Dok(QStringLiteral("ST-00.00.odt")), QStringLiteral("Wymagania ogólne")));
        TSpecyfikacja* d = Dodaj(spis, std::make_unique<TSpecyfikacja>(QStringLiteral("D"), false, true,
                                                                       QStringLiteral("rodzaj robót"), QString(),
                                                                       QStringLiteral("Roboty drogowe")));
        TSpecyfikacja* s = Dodaj(*d, std::make_unique<TSpecyfikacja>(
                                         QStringLiteral("D-01.01.01"), false, false, QStringLiteral("uwagi"),
                                         Dok(QStringLiteral("D-01.01.01.odt")), QStringLiteral("Odtworzenie trasy")));
        auto a = std::make_unique<TWariantSpecyfikacji>(QStringLiteral("A"), QStringLiteral("Teren zabudowany"),
                                                        Brak(QStringLiteral("D-01.01.01 A.odt")),
                                                        QStringLiteral("wariant A"));
        a->AddJm(Jednostka(QStringLiteral("km"), QStringLiteral("długość"), false, 850, 1));
        s->AddWariant(std::move(a));
        s->AddWariant(std::make_unique<TWariantSpecyfikacji>(QStringLiteral("B"), QString(), QString(), QString()));
        s->AddJm(Jednostka(QStringLiteral("m2"), QStringLiteral("powierzchnia"), true, 12.5, 1.2));
        auto t = std::make_unique<TJmSpecyfikacji>(QStringLiteral("t"), QStringLiteral("masa"), false);
        TCenaJedn& cena = *t->CenaJedn();
        cena.UstawDate(QStringLiteral("02.02.2024"));
        cena.UstawCeneZReki(TCenaJedn::ZrodloInfCen, 0, 1, 0, 0);
        cena.UstawWybranyInfCen(1);
        cena.GetInfCen2()->UstawInfCen(QStringLiteral("Biuletyn"), QStringLiteral("%USERPATH%/Ceny/b.xml"),
                                       QStringLiteral("I kw."), QStringLiteral("01-02"), QStringLiteral("średnia"),
                                       1.05, 0,
                                       {TCena(QStringLiteral("min"), 100), TCena(QStringLiteral("średnia"), 120.4)});
        cena.Oblicz();
        s->AddJm(std::move(t));
        s->AddJm(std::make_unique<TJmSpecyfikacji>()); // the blank row for typing: never written
        Dodaj(*d, NowaSpecyfikacja(QStringLiteral("D-01.02.01"), Brak(QStringLiteral("D-01.02.01.odt")),
                                   QStringLiteral("Usunięcie drzew")));
        Dodaj(*d, NowaSpecyfikacja(QStringLiteral("D-01.03.01")));
    }
};

TEST_F(SpisSTZapis, ZapisZgodnyZWzorcem)
{
    TSpisST spis;
    Zbuduj(spis);
    QByteArray zapis = spis.ZapiszDoBajtow();
    zapis.replace("wersja=\"" + WersjaProgramu().toUtf8() + "\"", "wersja=\"0.0.0.0\"");
    const QByteArray wzorzec = CzytajPlik(SciezkaDanychTestowych(QStringLiteral("specs/sst/zapis/oczekiwany.sst")));
    EXPECT_EQ(QString::fromUtf8(zapis), QString::fromUtf8(wzorzec));
}

TEST(SpisSTZapisLiczb, TakiSamTekstJakLiczbaNaTekst)
{
    // The list's writer prints numbers its own, faster way; the text must be the program's one.
    std::mt19937_64 los(7);
    std::vector<double> liczby = {0.0,
                                  -0.0,
                                  1.0,
                                  -1.0,
                                  0.1 + 0.2,
                                  12.5,
                                  126.42,
                                  1e15,
                                  1e16,
                                  123456789012345678.0,
                                  1e-5,
                                  1e-320,
                                  5e-324,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity()};
    for (int i = 0; i < 20000; ++i) {
        liczby.push_back(static_cast<double>(static_cast<std::int64_t>(los() % 100000000)) / 100.0);
        liczby.push_back(std::ldexp(static_cast<double>(los() >> 11), static_cast<int>(los() % 120) - 60));
    }
    pugi::xml_document dokument;
    pugi::xml_node e = dokument.append_child("e");
    for (const double x : liczby) {
        e.remove_attributes();
        UstawLiczbeXml(e, "a", x);
        ASSERT_EQ(QString::fromUtf8(e.attribute("a").value()), LiczbaNaTekst(x)) << x;
    }
    e.remove_attributes();
    UstawTekstXml(e, "t", QStringLiteral("Łódź – ąę"));
    UstawTekstXml(e, "u", QString());
    EXPECT_EQ(QString::fromUtf8(e.attribute("t").value()), QStringLiteral("Łódź – ąę"));
    EXPECT_TRUE(e.attribute("u"));
}

TEST_F(SpisSTZapis, BrakujacyDokumentSpecyfikacjiNieJestZapisywany)
{
    TSpisST spis;
    Zbuduj(spis);
    TSpisST odczytana;
    odczytana.UstawKatalogUzytkownika(Katalog.path());
    odczytana.OtworzZBajtow(spis.ZapiszDoBajtow());
    const TSpecyfikacja* bezPliku = odczytana.FindSpecyfikacja(QStringLiteral("D-01.02.01"), fsSzukajWSpecyfikacjach);
    ASSERT_NE(bezPliku, nullptr);
    EXPECT_TRUE(bezPliku->GetEncodedPath().isEmpty());
    const TSpecyfikacja* s = odczytana.FindSpecyfikacja(QStringLiteral("D-01.01.01"), fsSzukajWSpecyfikacjach);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetEncodedPath(), QStringLiteral("%USERPATH%/Specyfikacje/D-01.01.01.odt"));
    EXPECT_EQ(s->GetWariant(0)->GetEncodedPath(), QStringLiteral("%USERPATH%/Specyfikacje/D-01.01.01 A.odt"))
        << "a variant keeps its path even when the document is missing";
    ASSERT_EQ(s->JmCount(), 2);
    EXPECT_DOUBLE_EQ(s->GetJm(1)->CenaJedn()->GetWartosc(), 126.42);
}

TEST_F(SpisSTZapis, ZapiszZastepujePlikBezpiecznie)
{
    const QString cel = Katalog.filePath(QStringLiteral("Lista.sst"));
    ZapiszPlik(cel, "poprzednia wersja");
    TSpisST spis;
    Zbuduj(spis);
    int nazwy = 0;
    spis.SetOnZmianaNazwyPliku([&](TSpisST*) { ++nazwy; });
    spis.Zapisz(cel);
    EXPECT_EQ(nazwy, 2);
    EXPECT_EQ(spis.GetSpisStPath()->EncodedPath(), QStringLiteral("%USERPATH%/Lista.sst"));
    EXPECT_EQ(CzytajPlik(cel), spis.ZapiszDoBajtow());
    EXPECT_FALSE(QFileInfo::exists(cel + QLatin1Char('~')));
    // Without an argument the list's own path is used.
    spis.Add(NowaSpecyfikacja(QStringLiteral("NOWA")));
    spis.Zapisz();
    EXPECT_TRUE(CzytajPlik(cel).contains("numer=\"NOWA\""));
    EXPECT_EQ(nazwy, 2);
}

TEST_F(SpisSTZapis, BledyZapisu)
{
    TSpisST spis;
    try {
        spis.Zapisz();
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Proszę wskazać plik SST"));
    }
    // A replacement that cannot be written beside the list (its temporary name is too long for the file
    // system) fails for every user, the superuser too, and leaves the list as it was.
    const QString dluga = Katalog.filePath(QString(240, QLatin1Char('d')) + QStringLiteral(".sst"));
    ZapiszPlik(dluga, "poprzednia wersja");
    try {
        spis.Zapisz(dluga);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Nie można zapisać pliku: "))) << e.what();
    }
    EXPECT_EQ(CzytajPlik(dluga), QByteArray("poprzednia wersja"));
    // Folder permissions do not bind the superuser; the check above stands for this one then.
    if (::geteuid() == 0)
        return;
    const QString folder = Katalog.filePath(QStringLiteral("tylkoDoOdczytu"));
    QDir().mkpath(folder);
    const QString cel = folder + QStringLiteral("/Lista.sst");
    ZapiszPlik(cel, "poprzednia wersja");
    ::chmod(folder.toLocal8Bit().constData(), 0555);
    try {
        spis.Zapisz(cel);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Nie można zapisać pliku: "))) << e.what();
    }
    ::chmod(folder.toLocal8Bit().constData(), 0755);
    EXPECT_EQ(CzytajPlik(cel), QByteArray("poprzednia wersja"));
}

TEST_F(SpisSTZapis, ZapisDoFolderuLubWNieistniejacymFolderze)
{
    // A folder of the list's name is never moved aside to make room for the file.
    const QString folder = Katalog.filePath(QStringLiteral("Folder.sst"));
    ZapiszPlik(folder + QStringLiteral("/w srodku.txt"), "zawartość");
    TSpisST spis;
    Zbuduj(spis);
    try {
        spis.Zapisz(folder);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Nie można zapisać pliku: "))) << e.what();
    }
    EXPECT_EQ(CzytajPlik(folder + QStringLiteral("/w srodku.txt")), QByteArray("zawartość"));
    EXPECT_FALSE(QFileInfo::exists(folder + QLatin1Char('~')));

    const QString wBraku = Katalog.filePath(QStringLiteral("nie ma/Lista.sst"));
    try {
        spis.Zapisz(wBraku);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_TRUE(e.Komunikat().startsWith(QStringLiteral("Nie można zapisać pliku: "))) << e.what();
    }
    EXPECT_FALSE(QFileInfo::exists(wBraku));
}

TEST_F(SpisSTZapis, KopiaZapasowaPrzyOtwarciu)
{
    const QString plik = Katalog.filePath(QStringLiteral("Lista.sst"));
    TSpisST zrodlo;
    Zbuduj(zrodlo);
    zrodlo.Zapisz(plik);
    const QString kopia = Katalog.filePath(QStringLiteral("Lista.~sst"));

    TSpisST bez;
    bez.Otworz(plik, false);
    EXPECT_FALSE(QFileInfo::exists(kopia));
    TSpisST z;
    z.Otworz(plik, true);
    EXPECT_EQ(CzytajPlik(kopia), CzytajPlik(plik));
    EXPECT_EQ(z.IleSpecyfikacji(true), zrodlo.IleSpecyfikacji(true));
}

// Answers as the duplicate handler of merges does for numbers: skip, or overwrite the existing node.
class TObslugaTestowa : public IObslugaDuplikatowListy
{
public:
    bool CzySaDuplikaty(TSpisST& spis, std::unique_ptr<TSpecyfikacja>& s, TSpecyfikacja*& istniejacy,
                        bool& czyDuplikatPliku) override
    {
        FWybrana = doNone;
        czyDuplikatPliku = false;
        istniejacy = nullptr;
        TSpecyfikacja* n =
            spis.FindSpecyfikacja(s->Numer(), fsUwzglednijGrupy | fsSzukajWGrupach | fsSzukajWSpecyfikacjach);
        if (!n)
            return false;
        ++Pytania;
        FWybrana = Odpowiedz;
        if (Odpowiedz == doNone)
            throw EBlad(QStringLiteral("Znaleziono duplikaty - import przerwany."));
        if (Odpowiedz == doNadpisz) {
            n->Overwrite(*s);
            istniejacy = n;
        }
        s.reset();
        return true;
    }
    TOpcjaDuplikatowNumeru GetWybranaOpcjaDuplikatowNumeru() const override { return FWybrana; }
    TOpcjaDuplikatowPliku GetWybranaOpcjaDuplikatowPliku() const override { return dpoNone; }

    TOpcjaDuplikatowNumeru Odpowiedz = doPomin;
    int Pytania = 0;

private:
    TOpcjaDuplikatowNumeru FWybrana = doNone;
};

const QByteArray Istniejaca = "<sst><specyfikacja numer=\"D\" opis=\"Roboty drogowe\" grupa=\"true\">"
                              "<specyfikacja numer=\"D-01.01.01\" opis=\"Stary opis\">"
                              "<warianty><wariant numer=\"X\" opis=\"stary wariant\" plik=\"\"/></warianty>"
                              "<jednostki><jednostka jm=\"m2\" opis=\"stara\" eksportuj=\"true\"/></jednostki>"
                              "</specyfikacja></specyfikacja></sst>";
const QByteArray Dodawana = "<sst><specyfikacja numer=\"B\" opis=\"Nowy rodzaj\" grupa=\"true\"/>"
                            "<specyfikacja numer=\"d\" opis=\"Roboty drogowe (nowe)\" grupa=\"true\">"
                            "<specyfikacja numer=\"D-01.01.01\" opis=\"Nowy opis\">"
                            "<warianty><wariant numer=\"Y\" opis=\"nowy wariant\" plik=\"\"/></warianty>"
                            "<jednostki><jednostka jm=\"m3\" opis=\"nowa\" eksportuj=\"false\"/></jednostki>"
                            "</specyfikacja><specyfikacja numer=\"D-02.01.01\" opis=\"Nowa specyfikacja\"/>"
                            "</specyfikacja></sst>";

TEST_F(SpisSTZapis, DodajListeZNadpisaniem)
{
    TSpisST spis;
    spis.OtworzZBajtow(Istniejaca);
    TSpecyfikacja* d = spis.GetSpecyfikacja(0);
    TSpecyfikacja* s = d->GetSpecyfikacja(0);
    TObslugaTestowa obsluga;
    obsluga.Odpowiedz = doNadpisz;
    spis.DodajListeZBajtow(Dodawana, obsluga);
    EXPECT_EQ(obsluga.Pytania, 2);
    ASSERT_EQ(spis.Count(), 2);
    // The existing nodes keep their places and take the incoming content.
    EXPECT_EQ(spis.GetSpecyfikacja(0), d);
    EXPECT_EQ(d->Opis(), QStringLiteral("Roboty drogowe (nowe)"));
    EXPECT_EQ(spis.GetSpecyfikacja(1)->Numer(), QStringLiteral("B"));
    ASSERT_EQ(d->Count(), 2);
    EXPECT_EQ(d->GetSpecyfikacja(0), s);
    EXPECT_EQ(s->Opis(), QStringLiteral("Nowy opis"));
    ASSERT_EQ(s->WariantyCount(), 1);
    EXPECT_EQ(s->GetWariant(0)->Numer(), QStringLiteral("Y"));
    ASSERT_EQ(s->JmCount(), 2);
    EXPECT_EQ(s->GetJm(1)->Jm(), QStringLiteral("m3"));
    EXPECT_EQ(d->GetSpecyfikacja(1)->Numer(), QStringLiteral("D-02.01.01"));
    EXPECT_EQ(spis.FindSpecyfikacja(QStringLiteral("D-02.01.01"), fsSzukajWSpecyfikacjach), d->GetSpecyfikacja(1));
}

TEST_F(SpisSTZapis, DodajListeZPominieciem)
{
    TSpisST spis;
    spis.OtworzZBajtow(Istniejaca);
    TObslugaTestowa obsluga;
    obsluga.Odpowiedz = doPomin;
    spis.DodajListeZBajtow(Dodawana, obsluga);
    EXPECT_EQ(obsluga.Pytania, 1) << "a skipped node is skipped with all its content";
    ASSERT_EQ(spis.Count(), 2);
    TSpecyfikacja* d = spis.GetSpecyfikacja(0);
    EXPECT_EQ(d->Opis(), QStringLiteral("Roboty drogowe"));
    ASSERT_EQ(d->Count(), 1);
    EXPECT_EQ(d->GetSpecyfikacja(0)->GetWariant(0)->Numer(), QStringLiteral("X"));
}

TEST_F(SpisSTZapis, PrzerwaneDodawanieZostawiaPrzeczytane)
{
    TSpisST spis;
    spis.OtworzZBajtow(Istniejaca);
    TObslugaTestowa obsluga;
    obsluga.Odpowiedz = doNone;
    EXPECT_THROW(spis.DodajListeZBajtow(Dodawana, obsluga), EBlad);
    ASSERT_EQ(spis.Count(), 2);
    EXPECT_EQ(spis.GetSpecyfikacja(1)->Numer(), QStringLiteral("B"));
    // The list's own path stays as it was.
    EXPECT_TRUE(spis.GetSpisStPath()->EncodedPath().isEmpty());
}

} // namespace
