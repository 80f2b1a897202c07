// The fast paths the Zuzia and FWD formats take for large files give what the program's general
// functions give, and the look-up of positions by Id finds what ZnajdzPozycjePoId finds.
#include "app/Kodowanie.h"
#include "app/Liczby.h"
#include "estimates/KopiaKosztorysu.h"
#include "estimates/Kosztorys.h"
#include "estimates/LiczbyKosztorysu.h"
#include "estimates/Windows1250.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <random>

namespace {

TEST(PomocnikiZuziaFwd, LiczbaZTekstuJakTekstNaLiczbeDowolnySeparator)
{
    const char* const teksty[] = {
        "0",
        "12",
        "1234,56",
        "1234.56",
        "12,",
        "12.",
        ",5",
        ".5",
        "-3",
        "-,5",
        "-0",
        "007",
        "1,2,3",
        "1.2.3",
        "",
        " ",
        " 12",
        "12 ",
        "+5",
        "--5",
        "1e5",
        "1,5e-3",
        "abc",
        "12a",
        ",",
        "-",
        "1 234,5",
        "0,1",
        "0.30000000000000004",
        "123456789012345678901234567890",
        "179769313486231570000000000000000000000000000000000000000000000000000000000000000"
        "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "000"
        "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "00000000",
    };
    for (const char* t : teksty) {
        const QString tekst = QString::fromLatin1(t);
        EXPECT_EQ(LiczbaZTekstuKosztorysu(tekst), TekstNaLiczbeDowolnySeparator(tekst)) << t;
    }
    std::mt19937_64 los(7);
    for (int i = 0; i < 20000; ++i) {
        const QString tekst = QString::number(static_cast<qint64>(los() % 100000000)) +
                              (i % 2 ? QLatin1Char(',') : QLatin1Char('.')) +
                              QString::number(static_cast<qint64>(los() % 1000000));
        ASSERT_EQ(LiczbaZTekstuKosztorysu(tekst), TekstNaLiczbeDowolnySeparator(tekst)) << tekst.toStdString();
    }
}

TEST(PomocnikiZuziaFwd, TekstZLiczbyJakLiczbaNaTekst)
{
    const double wartosci[] = {0.0,
                               -0.0,
                               1.0,
                               -1.0,
                               12.3,
                               0.1 + 0.2,
                               1e20,
                               1e-20,
                               123456789012345.0,
                               1234567890123456.0,
                               972.053462940462,
                               1.0 / 3.0,
                               5e-324,
                               1.7976931348623157e308,
                               -2.5e-7};
    for (const double w : wartosci)
        EXPECT_EQ(TekstZLiczbyKosztorysu(w), LiczbaNaTekst(w)) << w;
    std::mt19937_64 los(11);
    for (int i = 0; i < 50000; ++i) {
        double w = 0.0;
        if (i % 2) {
            const quint64 bity = los();
            std::memcpy(&w, &bity, sizeof w);
            if (!std::isfinite(w))
                continue;
        } else {
            w = static_cast<double>(los() % 10000000) / static_cast<double>(1 + los() % 1000);
        }
        ASSERT_EQ(TekstZLiczbyKosztorysu(w), LiczbaNaTekst(w)) << w;
    }
}

TEST(PomocnikiZuziaFwd, Windows1250JakKodowanieProgramu)
{
    QByteArray wszystkie(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        wszystkie[b] = static_cast<char>(b);
    QString znaki = ZWindows1250(wszystkie);
    znaki.remove(QChar(0xFFFD));
    EXPECT_EQ(Windows1250NaUtf8(wszystkie), znaki.toUtf8());

    const QString tekst =
        QStringLiteral("Żółć gęślą jaźń – „cytat” € ĄŚ ΩЖ ") + QString::fromUtf8("\xF0\x9F\x98\x80") + QChar(0);
    QByteArray cel = "x";
    DopiszWindows1250(tekst, cel);
    EXPECT_EQ(cel, "x" + NaWindows1250(tekst));
}

class IndeksPozycjiTest : public ::testing::Test
{
};

class TDrzewo : public TKosztorys
{
public:
    TDrzewo() : TKosztorys(QString(), false, false, false) {}
    void SaveFile(const QString&) override {}
    QString GetDefaultExt() const override { return {}; }
    QString GetFilter() const override { return {}; }
    TPozycjaRds* Dodaj(TElementRds* e, const QString& id)
    {
        auto p = std::make_unique<TPozycjaRds>();
        p->SetId(id);
        return e->AddPozycja(std::move(p));
    }

protected:
    void Wczytaj() override {}
    void CzytajDane(const QByteArray&) override {}
    QByteArray KopiaDanych(const QByteArray& zrodlo) const override { return zrodlo; }
};

TEST_F(IndeksPozycjiTest, PierwszaWKolejnosciDrzewa)
{
    TDrzewo k;
    TElementRds* e = k.AddElement(std::make_unique<TElementRds>(QStringLiteral("1"), 0, QString()));
    TElementRds* g = e->AddElement(std::make_unique<TElementRds>(QStringLiteral("1.1"), 0, QString()));
    k.Dodaj(g, QStringLiteral("A"));
    k.Dodaj(e, QStringLiteral("A"));
    k.Dodaj(&k, QStringLiteral("B"));
    k.Dodaj(g, QString());
    for (int i = 0; i < 1000; ++i)
        k.Dodaj(g, QStringLiteral("P%1").arg(i));
    const TIndeksPozycji indeks(k);
    for (const QString& id :
         {QStringLiteral("A"), QStringLiteral("B"), QString(), QStringLiteral("P0"), QStringLiteral("P999")})
        EXPECT_EQ(indeks.Znajdz(id), TKosztorys::ZnajdzPozycjePoId(&k, id)) << id.toStdString();
    EXPECT_EQ(indeks.Znajdz(QStringLiteral("A")), e->GetPozycja(0));
    EXPECT_EQ(indeks.Znajdz(QStringLiteral("a")), nullptr);
    EXPECT_EQ(indeks.Znajdz(QStringLiteral("P1000")), nullptr);
}

// Each cause that stops the read of an estimate's file gets the format's own message.
TEST(CzytajPlikKosztorysu, KomunikatFormatuDlaKazdejPrzyczyny)
{
    QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("k.rds"));
    ZapiszPlik(plik, QByteArray(100, 'x'));
    QDir(katalog.path()).mkdir(QStringLiteral("folder.rds"));
    const TKomunikatyOdczytu komunikaty{QStringLiteral("brak"), QStringLiteral("za duży"), QStringLiteral("błąd")};
    const struct
    {
        QString Sciezka;
        qint64 Limit;
        const char* Komunikat; // null: read whole
    } przypadki[] = {
        {plik, 100, nullptr},
        {plik, 99, "za duży"},
        {katalog.filePath(QStringLiteral("nie ma.rds")), 100, "brak"},
        {katalog.filePath(QStringLiteral("folder.rds")), 100, "błąd"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Sciezka.toStdString() + " " + std::to_string(p.Limit));
        if (!p.Komunikat)
            EXPECT_EQ(CzytajPlikKosztorysu(p.Sciezka, komunikaty, p.Limit), QByteArray(100, 'x'));
        else
            OczekujBledu([&] { CzytajPlikKosztorysu(p.Sciezka, komunikaty, p.Limit); }, QString::fromUtf8(p.Komunikat));
    }
}

} // namespace
