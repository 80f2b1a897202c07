// The archive with the program's conventions: entry names, duplicates, lookup, extraction into a folder, safe saving.
#include "archive/Archiwum.h"
#include "app/Wyjatki.h"
#include "app/ZipFile.h"
#include "support/Pomocnicze.h"
#include "support/SurowyZip.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Nieprawidlowe = QStringLiteral("Wybrany plik archiwum jest nieprawidłowy.");

QString Komunikat(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EBlad& e) {
        return e.Komunikat();
    }
    return QStringLiteral("(bez błędu)");
}

QByteArray Tresc(int ziarno, int rozmiar)
{
    QByteArray t;
    t.reserve(rozmiar);
    quint32 x = static_cast<quint32>(ziarno) * 2654435761u + 1;
    while (t.size() < rozmiar) {
        x = x * 1103515245u + 12345u;
        // Half words from a small vocabulary, half noise: partly compressible, like documents.
        if (x & 0x10000)
            t += "beton, zbrojenie, tynk, posadzka; ";
        else
            t += char(x >> 24);
    }
    t.truncate(rozmiar);
    return t;
}

} // namespace

struct TLitera
{
    const char16_t* Litera;
    unsigned char Cp852;
};

class ArchiwumLitery : public ::testing::TestWithParam<TLitera>
{
};

TEST_P(ArchiwumLitery, PolskaLiteraWKodzie852IZPowrotem)
{
    const QString litera = QString::fromUtf16(GetParam().Litera);
    const QByteArray bajt(1, char(GetParam().Cp852));
    EXPECT_EQ(TArchiwum::KodujNazwe(litera), bajt);
    EXPECT_EQ(TArchiwum::DekodujNazwe(bajt), litera);
}

INSTANTIATE_TEST_SUITE_P(Tabela, ArchiwumLitery,
                         ::testing::Values(TLitera{u"ą", 0xA5}, TLitera{u"ć", 0x86}, TLitera{u"ę", 0xA9},
                                           TLitera{u"ł", 0x88}, TLitera{u"ń", 0xE4}, TLitera{u"ó", 0xA2},
                                           TLitera{u"ś", 0x98}, TLitera{u"ź", 0xAB}, TLitera{u"ż", 0xBE},
                                           TLitera{u"Ą", 0xA4}, TLitera{u"Ć", 0x8F}, TLitera{u"Ę", 0xA8},
                                           TLitera{u"Ł", 0x9D}, TLitera{u"Ń", 0xE3}, TLitera{u"Ó", 0xE0},
                                           TLitera{u"Ś", 0x97}, TLitera{u"Ź", 0x8D}, TLitera{u"Ż", 0xBD}));

TEST(Archiwum, NazwyKodowanieInneBajtyISeparatory)
{
    EXPECT_EQ(TArchiwum::KodujNazwe(QStringLiteral("ZIP\\sst\\Ściany.doc")), QByteArray("ZIP/sst/\x97"
                                                                                        "ciany.doc"));
    EXPECT_EQ(TArchiwum::DekodujNazwe("ZIP/sst/\x97"
                                      "ciany.doc"),
              QStringLiteral("ZIP\\sst\\Ściany.doc"));
    // 0x87 is read as ł as well.
    EXPECT_EQ(TArchiwum::DekodujNazwe("\x87"
                                      "awka"),
              QStringLiteral("ławka"));
    // Letters outside the table keep their Windows-1250 byte.
    EXPECT_EQ(TArchiwum::KodujNazwe(QStringLiteral("é-1.txt")), QByteArray("\xE9-1.txt"));
    EXPECT_EQ(TArchiwum::DekodujNazwe("\xE9-1.txt"), QStringLiteral("é-1.txt"));
    EXPECT_EQ(TArchiwum::KodujNazwe(QStringLiteral("a/b\\c")), QByteArray("a/b/c"));
}

TEST(Archiwum, PolskaNazwaWPlikuIPoOdczycie)
{
    QTemporaryDir katalog;
    const QString sciezka = katalog.filePath(QStringLiteral("a.azst"));
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("ZIP\\sst\\Ściany.doc"), "tresc");
    archiwum.Zapisz(sciezka);
    EXPECT_TRUE(CzytajPlik(sciezka).contains(QByteArray("ZIP/sst/\x97"
                                                        "ciany.doc")));
    TArchiwum odczyt;
    odczyt.Otworz(sciezka);
    EXPECT_EQ(odczyt.GetListaPlikow(), QStringList{QStringLiteral("ZIP\\sst\\Ściany.doc")});
    EXPECT_EQ(odczyt.WypakujPlik(QStringLiteral("zip\\SST\\ściany.DOC")), QByteArray("tresc"));
}

TEST(Archiwum, PierwszyWpisNazwyWygrywa)
{
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("ZIP\\Łąka.doc"), "pierwszy");
    archiwum.DodajDane(QStringLiteral(" zip\\ŁĄKA.DOC "), "drugi");
    QByteArray trzeci("trzeci");
    QBuffer bufor(&trzeci);
    archiwum.DodajPlik(QStringLiteral("ZIP\\łąka.doc"), bufor);
    EXPECT_EQ(archiwum.Count(), 1);
    EXPECT_EQ(archiwum.WypakujPlik(QStringLiteral("ZIP\\Łąka.doc")), QByteArray("pierwszy"));
}

TEST(Archiwum, WyszukiwanieIBrakPliku)
{
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("a.zst"), "1");
    archiwum.DodajDane(QStringLiteral("ZIP\\b.rds"), "2");
    EXPECT_EQ(archiwum.GetIndexPliku(QStringLiteral("  zip\\B.RDS ")), 1);
    EXPECT_TRUE(archiwum.CzyJestPlik(QStringLiteral("A.ZST")));
    EXPECT_FALSE(archiwum.CzyJestPlik(QStringLiteral("ZIP\\a.zst")));
    EXPECT_EQ(Komunikat([&] { archiwum.GetIndexPliku(QStringLiteral("ZIP\\c.rds")); }),
              QStringLiteral("Brak pliku ZIP\\c.rds w archiwum."));
    EXPECT_EQ(Komunikat([&] { archiwum.WypakujPlik(QStringLiteral("x")); }),
              QStringLiteral("Brak pliku x w archiwum."));
}

TEST(Archiwum, StrumienCzytanyOdPoczatku)
{
    QByteArray dane = Tresc(1, 600000);
    QBuffer bufor(&dane);
    bufor.open(QIODevice::ReadOnly);
    bufor.seek(1000);
    TArchiwum archiwum;
    archiwum.DodajPlik(QStringLiteral("s.bin"), bufor);
    EXPECT_EQ(archiwum.WypakujPlik(QStringLiteral("s.bin")), dane);
}

TEST(Archiwum, BrakujacyPlikNieZostawiaWpisu)
{
    QTemporaryDir katalog;
    TArchiwum archiwum;
    const QString brak = katalog.filePath(QStringLiteral("brak.doc"));
    EXPECT_EQ(Komunikat([&] { archiwum.DodajPlik(QStringLiteral("ZIP\\brak.doc"), brak); }),
              QStringLiteral("Nie można otworzyć pliku \"%1\".").arg(brak));
    EXPECT_EQ(archiwum.Count(), 0);
    archiwum.DodajDane(QStringLiteral("ZIP\\brak.doc"), "jest");
    EXPECT_EQ(archiwum.WypakujPlik(QStringLiteral("ZIP\\brak.doc")), QByteArray("jest"));
}

TEST(Archiwum, RoundTripZPlikowWracaTymiSamymiBajtami)
{
    QTemporaryDir katalog;
    TArchiwum archiwum;
    QStringList nazwy;
    for (int i = 0; i < 25; ++i) {
        const QString plik = katalog.filePath(QStringLiteral("źródło%1.doc").arg(i));
        ZapiszPlik(plik, Tresc(i, i * 37000));
        nazwy << QStringLiteral("ZIP\\sst\\Żółć %1.doc").arg(i);
        archiwum.DodajPlik(nazwy.last(), plik);
    }
    const QString sciezka = katalog.filePath(QStringLiteral("a.alst"));
    archiwum.Zapisz(sciezka);
    TArchiwum odczyt;
    odczyt.Otworz(sciezka);
    EXPECT_EQ(odczyt.GetListaPlikow(), nazwy);
    const QString cel = katalog.filePath(QStringLiteral("cel/nowy/folder"));
    for (int i = 0; i < 25; ++i) {
        const QString zapisany = odczyt.WypakujPlik(nazwy[i], cel, false);
        EXPECT_EQ(zapisany, cel + QStringLiteral("/Żółć %1.doc").arg(i));
        EXPECT_EQ(CzytajPlik(zapisany), Tresc(i, i * 37000));
    }
    // Written again, the archive is the same file.
    const QString drugi = katalog.filePath(QStringLiteral("b.alst"));
    odczyt.Zapisz(drugi);
    EXPECT_EQ(CzytajPlik(drugi), CzytajPlik(sciezka));
}

// Files deflated on workers land in their own entries, in order: the same entries as when each is
// deflated on the calling thread (a stream is), and a file that cannot be read stops nothing else.
TEST(Archiwum, RownoleglaKompresjaDajeTeSameWpisy)
{
    QTemporaryDir katalog;
    TArchiwum rownolegle;
    TArchiwum kolejno;
    for (int i = 0; i < 40; ++i) {
        const QString plik = katalog.filePath(QStringLiteral("p%1.doc").arg(i));
        ZapiszPlik(plik, Tresc(i, (i % 9) * 53000 + 17));
        const QString nazwa = QStringLiteral("ZIP\\sst\\%1.doc").arg(i);
        rownolegle.DodajPlik(nazwa, plik);
        QFile strumien(plik);
        kolejno.DodajPlik(nazwa, strumien);
    }
    EXPECT_THROW(rownolegle.DodajPlik(QStringLiteral("brak.doc"), katalog.filePath(QStringLiteral("brak.doc"))), EBlad);
    const QString a = katalog.filePath(QStringLiteral("a.zip"));
    const QString b = katalog.filePath(QStringLiteral("b.zip"));
    rownolegle.Zapisz(a);
    kolejno.Zapisz(b);
    TZipFile za;
    TZipFile zb;
    za.LoadFromFile(a);
    zb.LoadFromFile(b);
    ASSERT_EQ(za.GetCount(), 40);
    ASSERT_EQ(zb.GetCount(), 40);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(za.Wpis(i).Nazwa, zb.Wpis(i).Nazwa);
        EXPECT_EQ(za.Wpis(i).Crc, zb.Wpis(i).Crc);
        EXPECT_EQ(za.Wpis(i).Dane, zb.Wpis(i).Dane) << i;
    }
}

// A document of blank pages compresses far beyond a thousand to one; what this program packs opens again.
TEST(Archiwum, BardzoDobrzeKompresowalnyDokumentWracaZArchiwum)
{
    QTemporaryDir katalog;
    const QByteArray puste(12 * 1024 * 1024, '\0');
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("ZIP\\sst\\puste strony.doc"), puste);
    const QString sciezka = katalog.filePath(QStringLiteral("puste.azst"));
    archiwum.Zapisz(sciezka);
    TArchiwum odczyt;
    odczyt.Otworz(sciezka);
    EXPECT_EQ(odczyt.WypakujPlik(QStringLiteral("ZIP\\sst\\puste strony.doc")), puste);
}

TEST(Archiwum, WypakowanieDoFolderuPodOstatnimCzlonem)
{
    QTemporaryDir katalog;
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("ZIP\\sst\\a.doc"), "nowa");
    const QString f = katalog.filePath(QStringLiteral("F"));
    EXPECT_EQ(archiwum.WypakujPlik(QStringLiteral("ZIP\\sst\\a.doc"), f, false), f + QStringLiteral("/a.doc"));
    EXPECT_EQ(CzytajPlik(f + QStringLiteral("/a.doc")), QByteArray("nowa"));
    EXPECT_FALSE(QFileInfo::exists(f + QStringLiteral("/ZIP")));

    ZapiszPlik(f + QStringLiteral("/a.doc"), "stara");
    EXPECT_EQ(Komunikat([&] { archiwum.WypakujPlik(QStringLiteral("ZIP\\sst\\a.doc"), f, false); }),
              QStringLiteral("Plik istnieje: ") + f + QStringLiteral("/a.doc"));
    EXPECT_EQ(CzytajPlik(f + QStringLiteral("/a.doc")), QByteArray("stara"));
    archiwum.WypakujPlik(QStringLiteral("ZIP\\sst\\a.doc"), f, true);
    EXPECT_EQ(CzytajPlik(f + QStringLiteral("/a.doc")), QByteArray("nowa"));
    // Nothing of the temporary file remains beside it.
    EXPECT_EQ(QDir(f).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.doc")});
}

TEST(Archiwum, DowiazanieNieJestNadpisywane)
{
    QTemporaryDir katalog;
    const QString poza = katalog.filePath(QStringLiteral("poza.txt"));
    ZapiszPlik(poza, "poza folderem");
    const QString f = katalog.filePath(QStringLiteral("F"));
    QDir().mkpath(f);
    ASSERT_TRUE(QFile::link(poza, f + QStringLiteral("/a.doc")));
    TArchiwum archiwum;
    archiwum.DodajDane(QStringLiteral("ZIP\\a.doc"), "atak");
    EXPECT_EQ(Komunikat([&] { archiwum.WypakujPlik(QStringLiteral("ZIP\\a.doc"), f, true); }),
              QStringLiteral("Plik docelowy jest dowiązaniem symbolicznym i nie zostanie nadpisany: ") + f +
                  QStringLiteral("/a.doc"));
    EXPECT_EQ(CzytajPlik(poza), QByteArray("poza folderem"));
}

TEST(Archiwum, NazwyKtoreNieSaPlikami)
{
    QTemporaryDir katalog;
    const QString sciezka = katalog.filePath(QStringLiteral("z.zip"));
    ZapiszPlik(sciezka, ZbudujZip({{.Nazwa = "ZIP/..", .Zawartosc = "x"},
                                   {.Nazwa = "ZIP/.", .Zawartosc = "y"},
                                   {.Nazwa = "ZIP/sst/", .Metoda = 0}}));
    TArchiwum archiwum;
    archiwum.Otworz(sciezka);
    const QString f = katalog.filePath(QStringLiteral("F/G"));
    EXPECT_EQ(Komunikat([&] { archiwum.WypakujPlik(QStringLiteral("ZIP\\.."), f, true); }),
              QStringLiteral("Nieprawidłowa nazwa pliku w archiwum: \"ZIP\\..\"."));
    EXPECT_EQ(Komunikat([&] { archiwum.WypakujPlik(QStringLiteral("ZIP\\."), f, true); }),
              QStringLiteral("Nieprawidłowa nazwa pliku w archiwum: \"ZIP\\.\"."));
    EXPECT_EQ(archiwum.WypakujPlik(QStringLiteral("ZIP\\sst\\"), f, true), QString());
    EXPECT_FALSE(QFileInfo::exists(f));
    EXPECT_EQ(QDir(katalog.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"z.zip"});
}

TEST(Archiwum, NazwyUtf8InnychNarzedzi)
{
    QTemporaryDir katalog;
    const QString sciezka = katalog.filePath(QStringLiteral("u.zip"));
    ZapiszPlik(sciezka,
               ZbudujZip({{.Nazwa = QStringLiteral("ZIP/Łąka ćma.doc").toUtf8(), .Zawartosc = "u", .Flagi = 0x0800},
                          {.Nazwa = "ZIP/\x9D"
                                    "aka.doc",
                           .Zawartosc = "c"}}));
    TArchiwum archiwum;
    archiwum.Otworz(sciezka);
    EXPECT_EQ(archiwum.GetListaPlikow(),
              (QStringList{QStringLiteral("ZIP\\Łąka ćma.doc"), QStringLiteral("ZIP\\Łaka.doc")}));
    EXPECT_EQ(archiwum.WypakujPlik(QStringLiteral("zip\\łąka ĆMA.doc")), QByteArray("u"));
}

TEST(Archiwum, UszkodzoneArchiwumZostawiaPoprzednie)
{
    QTemporaryDir katalog;
    const QString dobre = katalog.filePath(QStringLiteral("dobre.zip"));
    const QString zle = katalog.filePath(QStringLiteral("zle.zip"));
    ZapiszPlik(dobre, ZbudujZip({{.Nazwa = "a.txt", .Zawartosc = "dobre"}}));
    TSurowyWpis uszkodzony{.Nazwa = "b.txt", .Zawartosc = Tresc(3, 5000)};
    uszkodzony.Crc = 1;
    ZapiszPlik(zle, ZbudujZip({uszkodzony}));
    TArchiwum archiwum;
    archiwum.Otworz(dobre);
    EXPECT_EQ(Komunikat([&] { archiwum.Otworz(zle); }), Nieprawidlowe);
    EXPECT_EQ(archiwum.GetListaPlikow(), QStringList{QStringLiteral("a.txt")});
    EXPECT_EQ(archiwum.WypakujPlik(QStringLiteral("a.txt")), QByteArray("dobre"));
    const QString brak = katalog.filePath(QStringLiteral("brak.zip"));
    EXPECT_EQ(Komunikat([&] { archiwum.Otworz(brak); }), QStringLiteral("Nie można otworzyć pliku \"%1\".").arg(brak));
}

TEST(Archiwum, NieudanyZapisNieNiszczyIstniejacegoArchiwum)
{
    QTemporaryDir katalog;
    const QString sciezka = katalog.filePath(QStringLiteral("a.azst"));
    ZapiszPlik(sciezka, "poprzednie archiwum");
    TArchiwum archiwum;
    for (int i = 0; i < 65535; ++i)
        archiwum.DodajDane(QString::number(i), QByteArray());
    EXPECT_EQ(Komunikat([&] { archiwum.Zapisz(sciezka); }),
              QStringLiteral("Archiwum nie może zostać zapisane: zawiera 65535 plików, a format zip pozwala na "
                             "najwyżej 65534."));
    EXPECT_EQ(CzytajPlik(sciezka), QByteArray("poprzednie archiwum"));
    EXPECT_EQ(QDir(katalog.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.azst")});
}
