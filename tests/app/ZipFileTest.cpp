// The zip container: the exact layout it writes, what it reads from other writers, and the archives it refuses.
#include "app/ZipFile.h"
#include "support/SurowyZip.h"

#include <QBuffer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString Nieprawidlowe = QStringLiteral("Wybrany plik archiwum jest nieprawidłowy.");

quint16 U16(const QByteArray& b, qsizetype p)
{
    return qFromLittleEndian<quint16>(b.constData() + p);
}

quint32 U32(const QByteArray& b, qsizetype p)
{
    return qFromLittleEndian<quint32>(b.constData() + p);
}

QByteArray Tekst(int powtorzen)
{
    QByteArray t;
    for (int i = 0; i < powtorzen; ++i)
        t += "Specyfikacja techniczna wykonania i odbioru robot nr " + QByteArray::number(i * 7919 % 1000) + "\r\n";
    return t;
}

// Loads and inflates everything, as opening an archive does; returns the message of the refusal or "".
QString Odmowa(const QByteArray& bajty)
{
    TZipFile zip;
    try {
        zip.LoadFromBytes(bajty);
        zip.Sprawdz();
    } catch (const EBlad& e) {
        return e.Komunikat();
    }
    return {};
}

} // namespace

TEST(ZipFile, ZapisujeOpisanyUkladRekordow)
{
    TZipFile zip;
    EXPECT_EQ(zip.AddFile("ZIP/a.doc", 0x20), 0);
    zip.SetData(0, Tekst(50));
    const QByteArray b = zip.SaveToBytes();
    const qsizetype dane = 30 + 9;
    ASSERT_GT(b.size(), dane + 46 + 22);
    EXPECT_EQ(U32(b, 0), 0x04034B50u);
    EXPECT_EQ(U16(b, 4), 20); // version needed
    EXPECT_EQ(U16(b, 6), 0);  // flags: no data descriptor
    EXPECT_EQ(U16(b, 8), 8);  // deflate
    EXPECT_EQ(U32(b, 14), SurowyCrc(Tekst(50)));
    const quint32 skompresowany = U32(b, 18);
    EXPECT_EQ(U32(b, 22), static_cast<quint32>(Tekst(50).size()));
    EXPECT_EQ(U16(b, 26), 9);
    EXPECT_EQ(U16(b, 28), 0); // no extra field
    EXPECT_EQ(b.mid(30, 9), QByteArray("ZIP/a.doc"));
    // Raw deflate: the data are exactly what zlib's stream carries without its header and Adler-32.
    EXPECT_EQ(b.mid(dane, skompresowany), SurowyDeflate(Tekst(50)));
    const qsizetype c = dane + skompresowany;
    EXPECT_EQ(U32(b, c), 0x02014B50u);
    EXPECT_EQ(U16(b, c + 4), 20); // version made by
    EXPECT_EQ(b.mid(c + 6, 26), b.mid(4, 26));
    EXPECT_EQ(U16(b, c + 32), 0);
    EXPECT_EQ(U16(b, c + 34), 0);
    EXPECT_EQ(U16(b, c + 36), 0);
    EXPECT_EQ(U32(b, c + 38), 0x20u);
    EXPECT_EQ(U32(b, c + 42), 0u);
    const qsizetype k = c + 46 + 9;
    EXPECT_EQ(U32(b, k), 0x06054B50u);
    EXPECT_EQ(U16(b, k + 8), 1);
    EXPECT_EQ(U16(b, k + 10), 1);
    EXPECT_EQ(U32(b, k + 12), 55u);
    EXPECT_EQ(U32(b, k + 16), static_cast<quint32>(c));
    EXPECT_EQ(b.size(), k + 22);
}

TEST(ZipFile, IndeksPozaZakresem)
{
    TZipFile zip;
    zip.AddFile("a", 0);
    for (const std::function<void()>& f :
         std::vector<std::function<void()>>{[&] { zip.SetData(1, "x"); }, [&] { zip.SetData(-1, "x"); },
                                            [&] { zip.GetData(1); }, [&] { zip.GetData(-1); }}) {
        try {
            f();
            ADD_FAILURE() << "no error";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QStringLiteral("Index out of range."));
        }
    }
}

TEST(ZipFile, ZapisIOdczytWracajaTeSameBajty)
{
    TZipFile zip;
    const std::vector<QByteArray> tresci{QByteArray(), "a", Tekst(3000), QByteArray(70000, '\0')};
    for (size_t i = 0; i < tresci.size(); ++i)
        zip.SetData(zip.AddFile("plik" + QByteArray::number(int(i)), 0), tresci[i]);
    zip.SetKomentarz("komentarz archiwum");
    const QByteArray zapis = zip.SaveToBytes();
    TZipFile odczyt;
    odczyt.LoadFromBytes(zapis);
    ASSERT_EQ(odczyt.GetCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(odczyt.GetData(i), tresci[static_cast<size_t>(i)]);
    EXPECT_EQ(odczyt.Komentarz(), QByteArray("komentarz archiwum"));
    EXPECT_EQ(odczyt.SaveToBytes(), zapis);
}

TEST(ZipFile, StrumienCzytanyKawalkami)
{
    QByteArray duze;
    for (int i = 0; i < 40; ++i)
        duze += Tekst(200) + QByteArray(10000, char(i));
    QBuffer bufor(&duze);
    bufor.open(QIODevice::ReadOnly);
    TZipFile zip;
    zip.SetDataZeStrumienia(zip.AddFile("d", 0), bufor, QStringLiteral("d"));
    EXPECT_EQ(zip.GetData(0), duze);
    EXPECT_EQ(zip.Wpis(0).Crc, SurowyCrc(duze));
    QByteArray kawalki;
    int ile = 0;
    zip.GetData(0, [&](const char* d, qsizetype n) { kawalki.append(d, n), ++ile; });
    EXPECT_EQ(kawalki, duze);
    EXPECT_GT(ile, 1);
}

TEST(ZipFile, CzytaWpisyInnychNarzedzi)
{
    TSurowyWpis zapisany{.Nazwa = "stored.txt", .Zawartosc = "bez kompresji", .Metoda = 0};
    TSurowyWpis deskryptor{.Nazwa = "dd.txt", .Zawartosc = Tekst(100)};
    deskryptor.Deskryptor = true;
    TSurowyWpis extra{.Nazwa = "ex.txt", .Zawartosc = "z polem extra"};
    extra.Extra = QByteArray("UT\x05\x00\x03\x01\x02\x03\x04", 9);
    TSurowyWpis pusty{.Nazwa = "katalog/", .Metoda = 0};
    TOpcjeSurowe opcje;
    opcje.Komentarz = "archiwum innego programu";
    TZipFile zip;
    zip.LoadFromBytes(ZbudujZip({zapisany, deskryptor, extra, pusty}, opcje));
    ASSERT_EQ(zip.GetCount(), 4);
    EXPECT_EQ(zip.GetData(0), QByteArray("bez kompresji"));
    EXPECT_EQ(zip.GetData(1), Tekst(100));
    EXPECT_EQ(zip.GetData(2), QByteArray("z polem extra"));
    EXPECT_EQ(zip.GetData(3), QByteArray());
    EXPECT_EQ(zip.GetName(3), QByteArray("katalog/"));
    EXPECT_EQ(zip.Komentarz(), opcje.Komentarz);
    EXPECT_NO_THROW(zip.Sprawdz());
    // Written again, the entries take this program's form: sizes in the header, no descriptor flag.
    TZipFile ponownie;
    ponownie.LoadFromBytes(zip.SaveToBytes());
    EXPECT_EQ(ponownie.GetData(1), Tekst(100));
    EXPECT_EQ(ponownie.Wpis(1).Flagi & 0x0008, 0);
}

TEST(ZipFile, BladCrcPodajeNazweWpisu)
{
    TSurowyWpis w{.Nazwa = "a.txt", .Zawartosc = Tekst(10)};
    w.Crc = 0x12345678;
    TZipFile zip;
    zip.LoadFromBytes(ZbudujZip({w}));
    try {
        zip.GetData(0);
        FAIL() << "no error";
    } catch (const EZipFileCRCError& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("CRC Error in \"a.txt\"."));
    }
    EXPECT_EQ(Odmowa(ZbudujZip({w})), Nieprawidlowe);
}

struct TWrogiPrzypadek
{
    const char* Nazwa;
    std::function<QByteArray()> Buduj;
};

class ZipFileWrogie : public ::testing::TestWithParam<TWrogiPrzypadek>
{
};

TEST_P(ZipFileWrogie, OdrzucaZKomunikatem)
{
    EXPECT_EQ(Odmowa(GetParam().Buduj()), Nieprawidlowe);
}

namespace {

TSurowyWpis Zwykly(const QByteArray& nazwa = "a.txt")
{
    return {.Nazwa = nazwa, .Zawartosc = Tekst(40)};
}

QByteArray Zmieniony(qsizetype pozycja, const QByteArray& bajty, std::vector<TSurowyWpis> wpisy = {Zwykly()})
{
    QByteArray b = ZbudujZip(wpisy);
    b.replace(pozycja < 0 ? b.size() + pozycja : pozycja, bajty.size(), bajty);
    return b;
}

TSurowyWpis Z(std::function<void(TSurowyWpis&)> zmiana)
{
    TSurowyWpis w = Zwykly();
    zmiana(w);
    return w;
}

const std::vector<TWrogiPrzypadek> Wrogie{
    {"pusty_plik", [] { return QByteArray(); }},
    {"nie_zip", [] { return QByteArray("To jest zwykły tekst, a nie archiwum zip. ").repeated(10); }},
    {"zly_podpis_lokalny", [] { return Zmieniony(0, "PK\x05\x05"); }},
    {"zly_podpis_centralny", [] { return Zmieniony(-22 - 46 - 5, "PK\x09\x09"); }},
    {"brak_rekordu_konca", [] { return Zmieniony(-22, "PK\x07\x07"); }},
    {"uciety_plik", [] { return ZbudujZip({Zwykly()}).chopped(30); }},
    {"katalog_poza_plikiem", [] { return ZbudujZip({Zwykly()}, {.PoczatekKatalogu = 0x7FFFFFF0}); }},
    {"rozmiar_katalogu_poza_plikiem", [] { return ZbudujZip({Zwykly()}, {.RozmiarKatalogu = 0x10000}); }},
    {"wiecej_wpisow_niz_w_katalogu", [] { return ZbudujZip({Zwykly()}, {.LiczbaWpisow = 3}); }},
    {"naglowek_lokalny_poza_plikiem",
     [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.Przesuniecie = 0x00FFFFFF; })}); }},
    {"dane_poza_plikiem", [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.RozmiarSkompresowany = 0x00FFFFFF; })}); }},
    {"uciete_dane_deflate", [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.UcieteBajtyDanych = 20; })}); }},
    {"nakladajace_sie_wpisy",
     [] {
         TSurowyWpis drugi = Zwykly("b.txt");
         drugi.Przesuniecie = 0;
         return ZbudujZip({Zwykly(), drugi});
     }},
    {"metoda_bzip2", [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.Metoda = 12; })}); }},
    {"szyfrowanie", [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.Flagi = 1; })}); }},
    {"zly_crc", [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.Crc = 0xDEADBEEF; })}); }},
    {"zawyzony_rozmiar", [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.RozmiarNieskompresowany = 5000; })}); }},
    {"zanizony_rozmiar", [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.RozmiarNieskompresowany = 100; })}); }},
    {"rozmiar_ponad_2_GB",
     [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.RozmiarNieskompresowany = 0x90000000; })}); }},
    {"bomba_zer", [] { return ZbudujZip({{.Nazwa = "zera.bin", .Zawartosc = QByteArray(80 * 1024 * 1024, '\0')}}); }},
    {"zip64_rozmiar", [] { return ZbudujZip({Z([](TSurowyWpis& w) { w.RozmiarSkompresowany = 0xFFFFFFFF; })}); }},
    {"zip64_liczba_wpisow", [] { return ZbudujZip({Zwykly()}, {.LiczbaWpisow = 0xFFFF}); }},
    {"zip64_lokalizator", [] { return ZbudujZip({Zwykly()}, {.LokalizatorZip64 = true}); }},
    {"wiele_dyskow", [] { return ZbudujZip({Zwykly()}, {.Dysk = 1}); }},
    {"stored_o_innym_rozmiarze",
     [] {
         return ZbudujZip({Z([](TSurowyWpis& w) {
             w.Metoda = 0;
             w.RozmiarNieskompresowany = 10;
         })});
     }},
    {"zepsute_dane_deflate", [] { return Zmieniony(30 + 5, QByteArray(8, '\xFF')); }},
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Archiwa, ZipFileWrogie, ::testing::ValuesIn(Wrogie),
                         [](const auto& przypadek) { return std::string(przypadek.param.Nazwa); });

TEST(ZipFile, NieudaneWczytanieZostawiaPoprzedniaZawartosc)
{
    TZipFile zip;
    zip.LoadFromBytes(ZbudujZip({Zwykly("dobry.txt")}));
    EXPECT_THROW(zip.LoadFromBytes(ZbudujZip({Zwykly()}, {.LiczbaWpisow = 3})), EBlad);
    ASSERT_EQ(zip.GetCount(), 1);
    EXPECT_EQ(zip.GetName(0), QByteArray("dobry.txt"));
}

TEST(ZipFile, LimityFormatuSprawdzanePrzedZapisem)
{
    struct TPrzypadek
    {
        quint64 Lokalne, Katalog;
        qsizetype Liczba;
        bool Odmowa;
    };
    const TPrzypadek przypadki[] = {
        {1000, 100, 2, false},        {0xFFFF0000u, 1000, 20, false},  {0xFFFFFFFFu, 0, 1, true},
        {0x100000000ull, 0, 1, true}, {0xFFFFFFF0u, 46, 1, true}, // the directory would begin or end beyond 4 GB
        {100, 0xFFFFFFFFu, 1, true},  {100, 46 * 65534, 65534, false}, {100, 46 * 65535, 65535, true},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.Lokalne << " " << p.Katalog << " " << p.Liczba);
        if (p.Odmowa)
            EXPECT_THROW(TZipFile::SprawdzLimity(p.Lokalne, p.Katalog, p.Liczba), EBlad);
        else
            EXPECT_NO_THROW(TZipFile::SprawdzLimity(p.Lokalne, p.Katalog, p.Liczba));
    }
}

TEST(ZipFile, ZaDuzoWpisowNieJestZapisywane)
{
    TZipFile zip;
    for (int i = 0; i < 65535; ++i)
        zip.AddFile("f" + QByteArray::number(i), 0);
    QByteArray wynik;
    QBuffer bufor(&wynik);
    bufor.open(QIODevice::WriteOnly);
    try {
        zip.SaveToStream(bufor);
        FAIL() << "no error";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Archiwum nie może zostać zapisane: zawiera 65535 plików, a format "
                                                "zip pozwala na najwyżej 65534."));
    }
    EXPECT_TRUE(wynik.isEmpty());
}
