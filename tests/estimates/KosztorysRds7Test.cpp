// Rodos 7 estimates (".rds7"): golden files, the broken files' table, quantities through the
// expression interpreter, the UTF-8 copy and its three companions.

#include "estimates/KosztorysRds7.h"
#include "app/Kodowanie.h"
#include "app/Wyjatki.h"
#include "estimates/KosztorysJson.h"
#include "prices/InterpreterWyrazen.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <cstdint>
#include <map>
#include <optional>

namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

QByteArray Utf8(const QStringList& linie, const char* koniecLinii = "\r\n")
{
    return linie.join(QString::fromLatin1(koniecLinii)).toUtf8() + koniecLinii;
}

QString Json(const QJsonObject& obiekt)
{
    return QString::fromUtf8(QJsonDocument(obiekt).toJson(QJsonDocument::Indented));
}

class KosztorysRds7Test : public TTestZKonfiguracja
{
protected:
    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }

    std::unique_ptr<TKosztorysRds7> Wczytaj(const QByteArray& dane,
                                            const QString& nazwa = QStringLiteral("zrodlo.rds7"))
    {
        ZapiszPlik(Sciezka(nazwa), dane);
        auto k = std::make_unique<TKosztorysRds7>(Sciezka(nazwa));
        k->WczytajKosztorys();
        return k;
    }

    QTemporaryDir FKatalog;
};

// ------------------------------------------------------------------------------------ golden files

struct PrzypadekZloty7
{
    const char* Plik;
    std::map<QString, QString> NoweST;
};

class KosztorysRds7Zloty : public KosztorysRds7Test, public ::testing::WithParamInterface<PrzypadekZloty7>
{
};

TEST_P(KosztorysRds7Zloty, DrzewoIKopiaJakWzorzec)
{
    const QString nazwa = QString::fromLatin1(GetParam().Plik);
    const QString wzorzec = SciezkaDanychTestowych(QStringLiteral("estimates/rds7/valid/") + nazwa);
    const QByteArray zrodlo = CzytajPlik(wzorzec + QStringLiteral(".rds7"));
    auto k = Wczytaj(zrodlo, nazwa + QStringLiteral(".rds7"));

    const QJsonObject oczekiwany = QJsonDocument::fromJson(CzytajPlik(wzorzec + QStringLiteral(".json"))).object();
    ASSERT_FALSE(oczekiwany.isEmpty());
    EXPECT_EQ(Json(KosztorysNaJson(*k)), Json(oczekiwany));

    for (const auto& [id, st] : GetParam().NoweST) {
        TPozycjaRds* p = TKosztorys::ZnajdzPozycjePoId(k.get(), id);
        ASSERT_NE(p, nullptr);
        p->SetST(st);
    }
    const QString kopia = Sciezka(QStringLiteral("kopia.rds7"));
    k->SaveFile(kopia);
    EXPECT_EQ(CzytajPlik(kopia), CzytajPlik(wzorzec + QStringLiteral(".kopia.rds7")));
    EXPECT_EQ(CzytajPlik(Sciezka(nazwa + QStringLiteral(".rds7"))), zrodlo);
}

INSTANTIATE_TEST_SUITE_P(Pliki, KosztorysRds7Zloty,
                         ::testing::Values(PrzypadekZloty7{"remont_szkoly",
                                                           {{QStringLiteral("R1"), QStringLiteral("B-01.01.01")},
                                                            {QStringLiteral("R4"), QStringLiteral("B-01.09")},
                                                            {QStringLiteral("R6"), QStringLiteral("B-03.03")}}},
                                           PrzypadekZloty7{"bez_bom_lf",
                                                           {{QStringLiteral("Z2"), QStringLiteral("D-09.01.02")}}},
                                           PrzypadekZloty7{"ansi", {}}),
                         [](const auto& parametr) { return std::string(parametr.param.Plik); });

// ------------------------------------------------------------------------------------ broken files

struct PrzypadekWadliwy7
{
    const char* Plik;
    const char* Komunikat; // empty: the file reads
    int Pozycje;
    std::optional<const char*> Ilosc; // of the first position
    std::optional<const char*> Cena;
};

class KosztorysRds7Wadliwy : public KosztorysRds7Test, public ::testing::WithParamInterface<PrzypadekWadliwy7>
{
};

TEST_P(KosztorysRds7Wadliwy, WynikJakWTabeli)
{
    const PrzypadekWadliwy7& p = GetParam();
    const QString plik = QString::fromLatin1(p.Plik);
    TKosztorysRds7 k(SciezkaDanychTestowych(QStringLiteral("estimates/rds7/broken/") + plik));
    if (*p.Komunikat) {
        try {
            k.WczytajKosztorys();
            FAIL() << "no error";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QString::fromUtf8(p.Komunikat));
        }
        EXPECT_EQ(k.Count(), 0);
        return;
    }
    ASSERT_NO_THROW(k.WczytajKosztorys());
    int n = 0;
    k.DlaKazdejPozycji([&n](TPozycjaRds&) { ++n; });
    EXPECT_EQ(n, p.Pozycje);
    const TPozycjaRds* pierwsza = k.ZnajdzPozycje([](const TPozycjaRds&) { return true; });
    if (p.Ilosc) {
        QString oczekiwana = QString::fromUtf8(*p.Ilosc);
        if (plik == QLatin1String("ilosc_zbyt_dluga.rds7"))
            oczekiwana = QStringLiteral("1+").repeated(1500) + QStringLiteral("1");
        EXPECT_EQ(pierwsza->Ilosc(), oczekiwana);
    }
    if (p.Cena) {
        EXPECT_EQ(pierwsza->Cena(), QString::fromUtf8(*p.Cena));
    }
    EXPECT_NO_THROW(k.SaveFile(Sciezka(QStringLiteral("kopia.rds7"))));
}

INSTANTIATE_TEST_SUITE_P(
    Pliki, KosztorysRds7Wadliwy,
    ::testing::Values(
        PrzypadekWadliwy7{"nie_istnieje.rds7", "Błąd przetwarzania kosztorysu: podany plik nie istnieje.", 0, {}, {}},
        PrzypadekWadliwy7{"pusty.rds7", "", 0, {}, {}}, PrzypadekWadliwy7{"binarne_smieci.rds7", "", 0, {}, {}},
        PrzypadekWadliwy7{"ilosc_z_procentem.rds7", "", 1, "5%", " 10"},
        PrzypadekWadliwy7{"ilosc_zbyt_dluga.rds7", "", 1, "(1+ 1500 times, then 1)", {}},
        PrzypadekWadliwy7{"ilosc_z_niezamknietym_nawiasem.rds7", "", 1, "(1+2", {}},
        PrzypadekWadliwy7{"ilosc_dzielenie_przez_zero.rds7", "", 1, "1/0", {}},
        PrzypadekWadliwy7{"ilosc_pierwiastek_z_ujemnej.rds7", "", 1, "sqrt(-4)", {}},
        PrzypadekWadliwy7{"brak_linii_ilosci.rds7", "", 1, "", " 10"},
        PrzypadekWadliwy7{"pusta_ilosc.rds7", "", 1, "", " 10"},
        PrzypadekWadliwy7{"agregat_o_ilosci_zero.rds7", "", 1, "0", " 12,00"},
        PrzypadekWadliwy7{"niepoprawne_utf8_z_bom.rds7", "", 1, "2", ""},
        PrzypadekWadliwy7{
            "zagniezdzenie_zbyt_glebokie.rds7", "Wybrany plik kosztorysu jest nieprawidłowy.", 0, {}, {}}),
    [](const auto& parametr) { return QFileInfo(QString::fromLatin1(parametr.param.Plik)).baseName().toStdString(); });

// ------------------------------------------------------------------------------------ quantities

struct PrzypadekIlosci
{
    const char* Tekst;
    const char* Ilosc;
};

class KosztorysRds7Ilosc : public KosztorysRds7Test, public ::testing::WithParamInterface<PrzypadekIlosci>
{
};

TEST_P(KosztorysRds7Ilosc, IloscPozycji)
{
    auto k = Wczytaj(Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1"),
                           QStringLiteral("Ilość=") + QString::fromUtf8(GetParam().Tekst)}));
    ASSERT_EQ(k->PozycjeCount(), 1);
    EXPECT_EQ(k->GetPozycja(0)->Ilosc(), QString::fromUtf8(GetParam().Ilosc));
}

INSTANTIATE_TEST_SUITE_P(Wyrazenia, KosztorysRds7Ilosc,
                         ::testing::Values(PrzypadekIlosci{"2*3,5", "7"}, PrzypadekIlosci{"12.5", "12,5"},
                                           PrzypadekIlosci{"2 * [3 + 1]", "8"}, PrzypadekIlosci{"10/4", "2,5"},
                                           PrzypadekIlosci{"12 M2", "12m2"}, PrzypadekIlosci{"Ściana 3", "ściana3"},
                                           PrzypadekIlosci{"5%", "5%"}, PrzypadekIlosci{"1/0", "1/0"},
                                           PrzypadekIlosci{"", ""}, PrzypadekIlosci{"1,23456", "1,235"}));

// Plain numbers skip the interpreter; they must come out exactly as the interpreter gives them.
TEST_F(KosztorysRds7Test, LiczbyJakZInterpretera)
{
    QStringList liczby = {QStringLiteral("0"),
                          QStringLiteral("7"),
                          QStringLiteral("0,5"),
                          QStringLiteral("0,125"),
                          QStringLiteral("0,1"),
                          QStringLiteral("00"),
                          QStringLiteral("007,5"),
                          QStringLiteral("0,0"),
                          QStringLiteral("1,"),
                          QStringLiteral(",5"),
                          QStringLiteral("1,2500"),
                          QStringLiteral("1,23456"),
                          QStringLiteral("999999999999999"),
                          QStringLiteral("999999999999999,999"),
                          QStringLiteral("1234567890123456"),
                          QStringLiteral("-0"),
                          QStringLiteral("-2,5"),
                          QStringLiteral("12.5"),
                          QStringLiteral(" 4 ")};
    std::uint32_t ziarno = 12345;
    for (int i = 0; i < 3000; ++i) {
        ziarno = ziarno * 1103515245u + 12345u;
        const int calkowite = static_cast<int>((ziarno >> 8) % 100000000u);
        const int ulamek = static_cast<int>((ziarno >> 4) % 1000u);
        liczby << QStringLiteral("%1,%2").arg(calkowite).arg(ulamek, static_cast<int>(ziarno % 3) + 1, 10,
                                                             QLatin1Char('0'))
               << QString::number(calkowite);
    }
    for (const QString& t : liczby)
        EXPECT_EQ(TKosztorysRds7::ObliczIlosc(t), ObliczWyrazenie(t)) << t.toStdString();
}

TEST_F(KosztorysRds7Test, PozycjaBezLiniiIlosciMaPustaIlosc)
{
    auto k = Wczytaj(Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("Cena=3")}));
    ASSERT_EQ(k->PozycjeCount(), 1);
    EXPECT_EQ(k->GetPozycja(0)->Ilosc(), QString());
    EXPECT_EQ(k->GetPozycja(0)->Cena(), QStringLiteral(" 3"));
}

TEST_F(KosztorysRds7Test, AgregatZeSkladnikowWyrazen)
{
    auto k = Wczytaj(Utf8({QStringLiteral("[AGR]"), QStringLiteral("ID=A"), QStringLiteral("Ilość=5"),
                           QStringLiteral("Cena=0"), QString(), QStringLiteral("[POZ]"), QStringLiteral("AgrID=A"),
                           QStringLiteral("Ilość=1+1"), QStringLiteral("Cena=3.0"), QString(), QStringLiteral("[POZ]"),
                           QStringLiteral("AgrID=A"), QStringLiteral("Ilość=szt"), QStringLiteral("Cena=4"), QString(),
                           QStringLiteral("[POZ]"), QStringLiteral("AgrID=A"), QStringLiteral("Ilość=9")}));
    ASSERT_EQ(k->PozycjeCount(), 1);
    // 2 x 3 + 1 x 4 (a quantity that is no number counts as 1; a component without a price adds nothing).
    EXPECT_EQ(k->GetPozycja(0)->Cena(), QStringLiteral("2"));
    EXPECT_EQ(k->GetPozycja(0)->Ilosc(), QStringLiteral("5"));
}

TEST_F(KosztorysRds7Test, CenaAgregatuDzielonaPrzezIloscZPlikuNieObliczona)
{
    auto k = Wczytaj(Utf8({QStringLiteral("[AGR]"), QStringLiteral("ID=A"), QStringLiteral("Ilość=2*2"),
                           QStringLiteral("Cena=0"), QString(), QStringLiteral("[POZ]"), QStringLiteral("AgrID=A"),
                           QStringLiteral("Ilość=1"), QStringLiteral("Cena=8")}));
    ASSERT_EQ(k->PozycjeCount(), 1);
    EXPECT_EQ(k->GetPozycja(0)->Ilosc(), QStringLiteral("4"));
    EXPECT_EQ(k->GetPozycja(0)->Cena(), QStringLiteral("8")); // "2*2" is no number: the sum is divided by 1
}

TEST_F(KosztorysRds7Test, BezKrotnosci)
{
    auto k = Wczytaj(Utf8(
        {QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("Cena=10,456"), QStringLiteral("Krot=2")}));
    EXPECT_EQ(k->GetPozycja(0)->Cena(), QStringLiteral(" 10,456"));
}

TEST_F(KosztorysRds7Test, Utf8BezZnacznikaCzytaneJakoUtf8)
{
    auto k = Wczytaj(Utf8(
        {QStringLiteral("ID_KS=Łódź"), QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("Opis=Żółć")},
        "\n"));
    EXPECT_EQ(k->Id, QStringLiteral("Łódź"));
    EXPECT_EQ(k->GetPozycja(0)->Opis(), QStringLiteral(" Żółć"));
    EXPECT_EQ(k->PobierzIdKosztorysu(Sciezka(QStringLiteral("zrodlo.rds7"))), QStringLiteral("Łódź"));
}

TEST_F(KosztorysRds7Test, UcietyZnakUtf8NaKoncuToNieUtf8)
{
    // The last character is cut off: not UTF-8, so the bytes are Windows-1250 and none is lost.
    const QByteArray dane = "[POZ]\r\nID=1\r\nOpis=\xC5\xBB\xC3\xB3\xC5\x82\xC4";
    auto k = Wczytaj(dane);
    ASSERT_EQ(k->PozycjeCount(), 1);
    EXPECT_EQ(k->GetPozycja(0)->Opis(), QStringLiteral(" ") + ZWindows1250("\xC5\xBB\xC3\xB3\xC5\x82\xC4"));
    EXPECT_EQ(k->UtworzKopie(dane),
              Bom + Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1"),
                          QStringLiteral("Opis=") + ZWindows1250("\xC5\xBB\xC3\xB3\xC5\x82\xC4")}));
}

TEST_F(KosztorysRds7Test, KosztorysPokazowyCzytaSieIZapisuje)
{
    TKosztorysRds7 k(SciezkaDanychTestowych(QStringLiteral("../../data/demo/rds/remont_szkoly_podstawowej.rds7")));
    ASSERT_NO_THROW(k.WczytajKosztorys());
    int n = 0;
    k.DlaKazdejPozycji([&n](TPozycjaRds&) { ++n; });
    EXPECT_EQ(n, 8);
    EXPECT_EQ(TKosztorys::ZnajdzPozycjePoId(&k, QStringLiteral("A3"))->Cena(), QStringLiteral("108,74"));
    EXPECT_EQ(TKosztorys::ZnajdzPozycjePoId(&k, QStringLiteral("A4"))->Ilosc(), QStringLiteral("80,76"));
    EXPECT_NO_THROW(k.SaveFile(Sciezka(QStringLiteral("demo.rds7"))));
}

TEST_F(KosztorysRds7Test, RozszerzenieIFiltr)
{
    TKosztorysRds7 k;
    EXPECT_EQ(k.GetDefaultExt(), QStringLiteral(".rds7"));
    EXPECT_EQ(k.GetFilter(), QStringLiteral("Kosztorys Rodos (*.rds7)|*.rds7"));
}

TEST_F(KosztorysRds7Test, DlugaWrogaIloscNieWstrzymujeCzytania)
{
    const QString dluga = QStringLiteral("1+").repeated(249) + QStringLiteral("1"); // 499 characters: evaluated
    QStringList linie;
    for (int i = 0; i < 200; ++i)
        linie << QStringLiteral("[POZ]") << QStringLiteral("ID=%1").arg(i) << QStringLiteral("Ilość=") + dluga
              << QString();
    auto k = Wczytaj(Utf8(linie));
    ASSERT_EQ(k->PozycjeCount(), 200);
    EXPECT_EQ(k->GetPozycja(0)->Ilosc(), QStringLiteral("250"));
    const QString zaDluga = QStringLiteral("1+").repeated(250) + QStringLiteral("1"); // 501: kept as text
    EXPECT_EQ(TKosztorysRds7::ObliczIlosc(zaDluga), zaDluga);
}

// ------------------------------------------------------------------------------------ writing

TEST_F(KosztorysRds7Test, KopiaWUtf8ZeZnacznikiemICRLF)
{
    const QByteArray zrodlo = Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("Opis=Żółć €"),
                                    QString(), QStringLiteral("stopka")},
                                   "\n");
    auto k = Wczytaj(zrodlo);
    k->GetPozycja(0)->SetST(QStringLiteral("Ś-1"));
    k->SaveFile(Sciezka(QStringLiteral("kopia.rds7")));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("kopia.rds7"))),
              Bom + Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("ST=Ś-1"),
                          QStringLiteral("Opis=Żółć €"), QString(), QStringLiteral("stopka")}));
}

TEST_F(KosztorysRds7Test, LiniaZBlankowMiedzyBlokamiKonczyBlok)
{
    const QByteArray zrodlo =
        Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("ST=a"), QStringLiteral(" \t "),
              QStringLiteral("[POZ]"), QStringLiteral("ID=2"), QStringLiteral("ST=b")});
    auto k = Wczytaj(zrodlo);
    k->GetPozycja(0)->SetST(QStringLiteral("N1"));
    k->GetPozycja(1)->SetST(QStringLiteral("N2"));
    EXPECT_EQ(
        k->UtworzKopie(zrodlo),
        Bom + Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("ST=N1"), QStringLiteral(" \t "),
                    QStringLiteral("[POZ]"), QStringLiteral("ID=2"), QStringLiteral("ST=N2")}));
}

TEST_F(KosztorysRds7Test, TrzyPlikiTowarzyszace)
{
    auto k = Wczytaj(Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1")}));
    for (const char* r : {"tuw7", "cen7", "hst7", "tuw"})
        ZapiszPlik(Sciezka(QStringLiteral("zrodlo.") + QLatin1String(r)), QByteArray("dane ") + r);
    k->SaveFile(Sciezka(QStringLiteral("nowy.rds7")));
    for (const char* r : {"tuw7", "cen7", "hst7"})
        EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("nowy.") + QLatin1String(r))), QByteArray("dane ") + r);
    EXPECT_FALSE(QFile::exists(Sciezka(QStringLiteral("nowy.tuw"))));
}

TEST_F(KosztorysRds7Test, BladPlikuTowarzyszacegoPomijaKolejne)
{
    auto k = Wczytaj(Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1")}));
    for (const char* r : {"tuw7", "cen7", "hst7"})
        ZapiszPlik(Sciezka(QStringLiteral("zrodlo.") + QLatin1String(r)), QByteArray("dane ") + r);
    // Replacing "nowy.cen7" fails: its "~" name is taken by a folder.
    ZapiszPlik(Sciezka(QStringLiteral("nowy.cen7")), "stare");
    ZapiszPlik(Sciezka(QStringLiteral("nowy.cen7~/x")), "x");
    EXPECT_NO_THROW(k->SaveFile(Sciezka(QStringLiteral("nowy.rds7"))));
    EXPECT_TRUE(QFile::exists(Sciezka(QStringLiteral("nowy.rds7"))));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("nowy.tuw7"))), QByteArray("dane tuw7"));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("nowy.cen7"))), QByteArray("stare"));
    EXPECT_FALSE(QFile::exists(Sciezka(QStringLiteral("nowy.hst7"))));
}

TEST_F(KosztorysRds7Test, ZapisNaWlasnaSciezke)
{
    const QByteArray zrodlo = Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("ST=a")}, "\n");
    auto k = Wczytaj(zrodlo);
    ZapiszPlik(Sciezka(QStringLiteral("zrodlo.cen7")), "ceny");
    k->GetPozycja(0)->SetST(QStringLiteral("b"));
    k->SaveFile(Sciezka(QStringLiteral("zrodlo.rds7")));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("zrodlo.rds7"))),
              Bom + Utf8({QStringLiteral("[POZ]"), QStringLiteral("ID=1"), QStringLiteral("ST=b")}));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("zrodlo.cen7"))), QByteArray("ceny"));
    // Read again, the copy gives the same tree.
    k->WczytajKosztorys();
    EXPECT_EQ(k->GetPozycja(0)->ST(), QStringLiteral("b"));
}

} // namespace
