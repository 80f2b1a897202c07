#include "estimates/edbud/KosztorysEdbud.h"
#include "app/Wyjatki.h"
#include "estimates/KosztorysFactory.h"
#include "estimates/KosztorysJson.h"
#include "estimates/edbud/BazaMdb.h"
#include "estimates/edbud/GeneratorJet4.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class KosztorysEdbud : public TTestZKonfiguracja
{
protected:
    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }

    // Two chapters stored out of their order, positions of one chapter stored out of theirs; texts with
    // blanks around them, a NULL number and a unit code missing from the unit list.
    QString ZapiszKosztorys(int zapasStrony = 400, bool indeksTs = false)
    {
        std::vector<TRozdzialEdbud> rozdzialy{
            {20, QStringLiteral(" 2 "), QStringLiteral("Nawierzchnie"), 2},
            {10, QStringLiteral("1"), QStringLiteral(" Roboty ziemne "), 1},
        };
        std::vector<TPozycjaEdbud> pozycje{
            {101, 10, QStringLiteral("1.1"), QStringLiteral("KNR 2-01 0119-03"), QStringLiteral("Wykopy ręczne"),
             QStringLiteral("M3"), QStringLiteral("12,5"), QStringLiteral("D-02.01.01"), 1520.5, 2},
            {102, 10, QStringLiteral("1.2"), QStringLiteral("KNR 2-01 0202"), QStringLiteral("Nasypy"),
             QStringLiteral("XX"), QStringLiteral("3"), QVariant(), 9.85, 1},
            {201, 20, QStringLiteral("2.1"), QStringLiteral("KNR 2-31 0114"), QStringLiteral("Podbudowa"),
             QStringLiteral("M2"), QStringLiteral("300"), QStringLiteral("D-04.04.02#2"), 45.0, 1},
        };
        TGeneratorJet4 g = GeneratorKosztorysuEdbud(rozdzialy, pozycje);
        g.UstawZapasStrony(zapasStrony);
        if (indeksTs)
            g.DodajIndeks(1, QStringLiteral("ts"), QStringLiteral("ts_indeks"));
        const QString plik = Sciezka(QStringLiteral("droga.mdb"));
        g.Zapisz(plik);
        return plik;
    }
    QString ZapiszJednostki() const
    {
        const QString lista = Sciezka(QStringLiteral("kodyJednostek.csv"));
        ZapiszPlik(lista, "M3;m3;\nM2;m2;\n");
        return lista;
    }

    QTemporaryDir FKatalog;
};

TEST_F(KosztorysEdbud, CzytanieRozdzialowIPozycjiWKolejnosciZapytania)
{
    const QString plik = ZapiszKosztorys();
    auto k = TKosztorysFactory::GetKosztorys(plik, true, {});
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->GetDefaultExt(), QStringLiteral(".mdb"));
    EXPECT_EQ(k->Tytul(), QStringLiteral("droga"));
    EXPECT_EQ(k->Opis, QStringLiteral("Kosztorys"));
    ASSERT_EQ(k->ElementyCount(), 2);
    const TElementRds* e1 = k->GetElement(0);
    EXPECT_EQ(e1->GetNr(), QStringLiteral("1"));
    EXPECT_EQ(e1->Opis, QStringLiteral("Roboty ziemne"));
    EXPECT_EQ(e1->GetPz(), 0);
    ASSERT_EQ(e1->PozycjeCount(), 2);
    // Positions by their order within the chapter.
    EXPECT_EQ(e1->GetPozycja(0)->Id(), QStringLiteral("102"));
    const TPozycjaRds* p = e1->GetPozycja(1);
    EXPECT_EQ(p->Id(), QStringLiteral("101"));
    EXPECT_EQ(p->Nr(), QStringLiteral("1.1"));
    EXPECT_EQ(p->Podstawa(), QStringLiteral("KNR 2-01 0119-03"));
    EXPECT_EQ(p->Opis(), QStringLiteral("Wykopy ręczne"));
    EXPECT_EQ(p->Ilosc(), QStringLiteral("12,5"));
    EXPECT_EQ(p->Cena(), QStringLiteral("1520,5"));
    EXPECT_EQ(p->ST(), QStringLiteral("D-02.01.01"));
    EXPECT_TRUE(p->Aktywna());
    EXPECT_EQ(e1->GetPozycja(0)->ST(), QString()); // NULL
    EXPECT_EQ(k->GetElement(1)->GetNr(), QStringLiteral("2"));
    EXPECT_EQ(k->GetElement(1)->GetPozycja(0)->Cena(), QStringLiteral("45"));
}

TEST_F(KosztorysEdbud, NiesasiednieWierszeRozdzialuDajaDwaElementy)
{
    // Two chapters numbered "1" with chapter "2" ordered between them: "1" appears twice.
    std::vector<TRozdzialEdbud> rozdzialy{{10, QStringLiteral("1"), QStringLiteral("A"), 1},
                                          {20, QStringLiteral("2"), QStringLiteral("B"), 2},
                                          {30, QStringLiteral("1"), QStringLiteral("A"), 3}};
    std::vector<TPozycjaEdbud> pozycje{{1, 10, QStringLiteral("1"), {}, {}, {}, {}, {}, 1.0, 1},
                                       {2, 20, QStringLiteral("2"), {}, {}, {}, {}, {}, 1.0, 1},
                                       {3, 30, QStringLiteral("3"), {}, {}, {}, {}, {}, 1.0, 1}};
    GeneratorKosztorysuEdbud(rozdzialy, pozycje).Zapisz(Sciezka(QStringLiteral("a.mdb")));
    auto k = TKosztorysFactory::GetKosztorys(Sciezka(QStringLiteral("a.mdb")), true, {});
    ASSERT_EQ(k->ElementyCount(), 3);
    EXPECT_EQ(k->GetElement(0)->GetNr(), QStringLiteral("1"));
    EXPECT_EQ(k->GetElement(2)->GetNr(), QStringLiteral("1"));
}

TEST_F(KosztorysEdbud, JednostkiZListyIZBazyEdbud)
{
    const QString lista = ZapiszJednostki();
    const QString baza = Sciezka(QStringLiteral("jdn.mdb"));
    GeneratorJednostekEdbud(
        {{QStringLiteral("M3"), QStringLiteral("metr sześcienny")}, {QStringLiteral("SZT"), QStringLiteral("szt.")}})
        .Zapisz(baza);
    EXPECT_TRUE(TKosztorysEdbud::CzyPrawidlowyPlikJdnMdb(baza));
    EXPECT_FALSE(TKosztorysEdbud::CzyPrawidlowyPlikJdnMdb(lista));
    EXPECT_FALSE(TKosztorysEdbud::CzyPrawidlowyPlikJdnMdb(Sciezka(QStringLiteral("brak.mdb"))));

    const auto kody = TKosztorysEdbud::KodyJednostek(lista, baza);
    EXPECT_EQ(kody.value(QStringLiteral("M3")), QStringLiteral("metr sześcienny"));
    EXPECT_EQ(kody.value(QStringLiteral("M2")), QStringLiteral("m2"));
    EXPECT_EQ(kody.value(QStringLiteral("SZT")), QStringLiteral("szt."));
    // Without the program's list the unit database is not consulted.
    EXPECT_TRUE(TKosztorysEdbud::KodyJednostek(Sciezka(QStringLiteral("brak.csv")), baza).isEmpty());
    // A damaged unit database leaves the list's codes.
    ZapiszPlik(Sciezka(QStringLiteral("zla.mdb")), QByteArray(8192, 'x'));
    EXPECT_EQ(TKosztorysEdbud::KodyJednostek(lista, Sciezka(QStringLiteral("zla.mdb"))).size(), 2);
}

TEST_F(KosztorysEdbud, BazaJednostekZUstawien)
{
    const QString plik = ZapiszKosztorys();
    const QString baza = Sciezka(QStringLiteral("jdn.mdb"));
    GeneratorJednostekEdbud({{QStringLiteral("M3"), QStringLiteral("metr sześcienny")}}).Zapisz(baza);
    const auto jednostka = [&](const TUstawieniaKosztorysu& ustawienia) {
        return TKosztorysFactory::GetKosztorys(plik, true, ustawienia)->GetElement(0)->GetPozycja(1)->Jm();
    };
    TUstawieniaKosztorysu u;
    u.EdbudJdnMdbPath = baza;
    EXPECT_EQ(jednostka(u), QStringLiteral("metr sześcienny"));
    // The program's configuration plays no part.
    Konfiguracja().EdbudJdnMdbPath = baza;
    EXPECT_EQ(jednostka({}), QString());
}

TEST_F(KosztorysEdbud, BledyCzytania)
{
    const struct
    {
        const char* Nazwa;
        QByteArray Tresc;
        QString Komunikat;
    } przypadki[] = {
        {"nie Access", QByteArray("to nie jest baza danych"),
         QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy.")},
        {"same zera", QByteArray(3 * 4096, '\0'), QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy.")},
        // A table definition whose map of pages cannot be read: the library's scan must not be let loose.
        {"mapa stron poza plikiem",
         CzytajPlik(SciezkaDanychTestowych(QStringLiteral("estimates/edbud/mapa_stron_poza_plikiem.mdb"))),
         QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy.")},
        // The same for the catalogue itself, which the library reads on opening.
        {"katalog bez mapy stron",
         CzytajPlik(SciezkaDanychTestowych(QStringLiteral("estimates/edbud/katalog_bez_mapy_stron.mdb"))),
         QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy.")},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        const QString plik = Sciezka(QStringLiteral("zly.mdb"));
        ZapiszPlik(plik, p.Tresc);
        try {
            TKosztorysFactory::GetKosztorys(plik, true, {});
            ADD_FAILURE();
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), p.Komunikat);
        }
    }
    try {
        TKosztorysFactory::GetKosztorys(Sciezka(QStringLiteral("brak.mdb")), true, {});
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje."));
    }
}

TEST_F(KosztorysEdbud, KopiaZNumeramiSTWKolumnieTs)
{
    const QString plik = ZapiszKosztorys();
    const QByteArray przed = CzytajPlik(plik);
    auto k = TKosztorysFactory::GetKosztorys(plik, true, {});
    k->GetElement(0)->GetPozycja(0)->SetST(QStringLiteral("D-01.01.01"));   // NULL before
    k->GetElement(0)->GetPozycja(1)->SetST(QStringLiteral("D-02"));         // shorter
    k->GetElement(1)->GetPozycja(0)->SetST(QStringLiteral("D-04.04.02#3")); // same length
    const QString kopia = Sciezka(QStringLiteral("kopia.mdb"));
    k->SaveFile(kopia);
    EXPECT_EQ(CzytajPlik(plik), przed); // the source is never written

    auto odczyt = TKosztorysFactory::GetKosztorys(kopia, true, {});
    EXPECT_EQ(odczyt->GetElement(0)->GetPozycja(0)->ST(), QStringLiteral("D-01.01.01"));
    EXPECT_EQ(odczyt->GetElement(0)->GetPozycja(1)->ST(), QStringLiteral("D-02"));
    EXPECT_EQ(odczyt->GetElement(1)->GetPozycja(0)->ST(), QStringLiteral("D-04.04.02#3"));
    // Everything else reads as before.
    k->GetElement(0)->GetPozycja(0)->SetST(QString());
    QJsonObject a = KosztorysNaJson(*k);
    QJsonObject b = KosztorysNaJson(*odczyt);
    a.remove(QStringLiteral("tytul"));
    b.remove(QStringLiteral("tytul"));
    EXPECT_EQ(a[QStringLiteral("elementy")].toArray().size(), b[QStringLiteral("elementy")].toArray().size());
}

TEST_F(KosztorysEdbud, BazaWPamieciPrzezPlikTymczasowy)
{
    const QString plik = ZapiszKosztorys();
    const QByteArray dane = CzytajPlik(plik);
    auto zPliku = TKosztorysFactory::GetKosztorys(plik, true, {});
    TKosztorysEdbud k;
    k.WczytajZDanych(dane);
    EXPECT_EQ(KosztorysNaJson(k)[QStringLiteral("elementy")], KosztorysNaJson(*zPliku)[QStringLiteral("elementy")]);
    k.GetElement(1)->GetPozycja(0)->SetST(QStringLiteral("D-04.04.02#3"));
    const QByteArray kopia = k.ZapiszDoDanych(dane);
    EXPECT_EQ(CzytajPlik(plik), dane);
    TKosztorysEdbud odczyt;
    odczyt.WczytajZDanych(kopia);
    EXPECT_EQ(odczyt.GetElement(1)->GetPozycja(0)->ST(), QStringLiteral("D-04.04.02#3"));
    EXPECT_EQ(odczyt.GetElement(0)->GetPozycja(1)->ST(), QStringLiteral("D-02.01.01"));
    // Bytes that are no database: the reader's message and no tree.
    OczekujBledu([&] { odczyt.WczytajZDanych("to nie jest baza danych"); },
                 QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
    EXPECT_EQ(odczyt.Count(), 0);
}

TEST_F(KosztorysEdbud, KopiaZastepujeCelIOdmawiaZrodla)
{
    const QString plik = ZapiszKosztorys();
    const QByteArray zrodlo = CzytajPlik(plik);
    auto k = TKosztorysFactory::GetKosztorys(plik, true, {});
    k->GetElement(0)->GetPozycja(0)->SetST(QStringLiteral("D-01.01.01"));
    const auto tymczasowe = [&] {
        return QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp"));
    };

    // An earlier file under the target's name is replaced whole and keeps its access rights.
    const QString kopia = Sciezka(QStringLiteral("kopia.mdb"));
    ZapiszPlik(kopia, "poprzednia kopia");
    QFile::setPermissions(kopia, QFile::ReadOwner | QFile::WriteOwner);
    k->SaveFile(kopia);
    const QFile::Permissions prawa = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                                     QFile::ReadOther | QFile::WriteOther;
    EXPECT_EQ(QFile::permissions(kopia) & prawa, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(TKosztorysFactory::GetKosztorys(kopia, true, {})->GetElement(0)->GetPozycja(0)->ST(),
              QStringLiteral("D-01.01.01"));
    EXPECT_TRUE(tymczasowe().isEmpty());

    // The source itself, by its name or through a link, is never the target.
    const QString dowiazanie = Sciezka(QStringLiteral("dowiazanie.mdb"));
    ASSERT_TRUE(QFile::link(plik, dowiazanie));
    for (const QString& cel : {plik, dowiazanie}) {
        SCOPED_TRACE(cel.toStdString());
        OczekujBledu([&] { k->SaveFile(cel); },
                     QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku."));
    }
    EXPECT_EQ(CzytajPlik(plik), zrodlo);
    EXPECT_TRUE(tymczasowe().isEmpty());
}

TEST_F(KosztorysEdbud, NieudanyZapisUsuwaKopie)
{
    // A "ts" column that is part of an index cannot be written in place: the write is refused.
    const QString plik = ZapiszKosztorys(400, true);
    auto k = TKosztorysFactory::GetKosztorys(plik, true, {});
    k->GetElement(0)->GetPozycja(1)->SetST(QStringLiteral("D-02.01.01 bardzo długi numer specyfikacji technicznej"));
    const QString kopia = Sciezka(QStringLiteral("kopia.mdb"));
    ZapiszPlik(kopia, "poprzednia kopia");
    try {
        k->SaveFile(kopia);
        ADD_FAILURE();
    } catch (const EBlad& e) {
        EXPECT_EQ(
            e.Komunikat(),
            QStringLiteral("Błąd zapisu danych o specyfikacjach w kosztorysie. Plik kosztorysu jest nieprawidłowy."));
    }
    EXPECT_EQ(CzytajPlik(kopia), QByteArray("poprzednia kopia"));
    EXPECT_EQ(QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")).size(), 0);
}

} // namespace
