// Writing Rodos estimates back: where ST lines go, what stays as read, companions, the source's
// safety and the messages of failures.

#include "app/Wyjatki.h"
#include "estimates/KosztorysJson.h"
#include "estimates/KosztorysRds.h"
#include "specs/Specyfikacja.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray Linie(const QStringList& linie)
{
    return linie.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

class KosztorysRdsZapis : public TTestZKonfiguracja
{
protected:
    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }

    std::unique_ptr<TKosztorysRds> Wczytaj(const QByteArray& dane, const QString& nazwa = QStringLiteral("zrodlo.rds"))
    {
        ZapiszPlik(Sciezka(nazwa), dane);
        auto k = std::make_unique<TKosztorysRds>(Sciezka(nazwa));
        k->WczytajKosztorys();
        return k;
    }

    static void UstawST(TKosztorys& k, const QString& id, const QString& st)
    {
        TPozycjaRds* p = TKosztorys::ZnajdzPozycjePoId(&k, id);
        ASSERT_NE(p, nullptr) << id.toStdString();
        p->SetST(st);
    }

    static QString Komunikat(const std::function<void()>& dzialanie)
    {
        try {
            dzialanie();
        } catch (const EBlad& e) {
            return e.Komunikat();
        }
        return QStringLiteral("(brak błędu)");
    }

    QTemporaryDir FKatalog;
};

TEST_F(KosztorysRdsZapis, LiniaZBlankowMiedzyBlokamiKonczyBlok)
{
    // Had the writer ended blocks only at an exactly empty line, the first block would run on into the
    // second and its ST line would receive the second position's number.
    const QByteArray zrodlo = Linie({"[POZ]", "ID=1", "ST=a", "   ", "[POZ]", "ID=2", "ST=b", "", "Koniec"});
    auto k = Wczytaj(zrodlo);
    UstawST(*k, QStringLiteral("1"), QStringLiteral("N1"));
    UstawST(*k, QStringLiteral("2"), QStringLiteral("N2"));
    EXPECT_EQ(k->ZapiszDoDanych(zrodlo),
              Linie({"[POZ]", "ID=1", "ST=N1", "   ", "[POZ]", "ID=2", "ST=N2", "", "Koniec"}));
}

TEST_F(KosztorysRdsZapis, KopiaZachowujeOstatniaLinie)
{
    const QByteArray zrodlo = "[POZ]\nID=1\nST=a\n\nstopka";
    auto k = Wczytaj(zrodlo);
    k->SaveFile(Sciezka(QStringLiteral("kopia.rds")));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("kopia.rds"))), Linie({"[POZ]", "ID=1", "ST=a", "", "stopka"}));
}

TEST_F(KosztorysRdsZapis, WstawienieLiniiSTJakoTrzeciejLubNaKoncu)
{
    const QByteArray zrodlo = Linie({"[POZ]", "ID=1", "Nr=1", "", "[POZ]", "ID=2", "", "[POZ]", "ID=3"});
    auto k = Wczytaj(zrodlo);
    UstawST(*k, QStringLiteral("1"), QStringLiteral("S1"));
    UstawST(*k, QStringLiteral("2"), QStringLiteral("S2"));
    UstawST(*k, QStringLiteral("3"), QStringLiteral("S3"));
    // The second block has three lines with its blank one, so the new line goes before the blank; the
    // last block has two and gets it at its end.
    EXPECT_EQ(k->ZapiszDoDanych(zrodlo),
              Linie({"[POZ]", "ID=1", "ST=S1", "Nr=1", "", "[POZ]", "ID=2", "ST=S2", "", "[POZ]", "ID=3", "ST=S3"}));
}

TEST_F(KosztorysRdsZapis, SkladnikiZapisaneBezZmianAgregatZLiniaST)
{
    const QByteArray zrodlo = Linie({"[AGR]", "ID=A", "ST=x", "", "[POZ]", "ID=A", "ST=y", "AgrID=A", "Cena=1", "",
                                     "[POZ]", "AgrID=A", "ID=A", "Cena=2"});
    auto k = Wczytaj(zrodlo);
    UstawST(*k, QStringLiteral("A"), QStringLiteral("NOWE"));
    EXPECT_EQ(k->ZapiszDoDanych(zrodlo), Linie({"[AGR]", "ID=A", "ST=NOWE", "", "[POZ]", "ID=A", "ST=y", "AgrID=A",
                                                "Cena=1", "", "[POZ]", "AgrID=A", "ID=A", "Cena=2"}));
}

TEST_F(KosztorysRdsZapis, AgrIDWewnatrzTekstuNieCzyniSkladnika)
{
    // Only a line that begins with "AgrID" makes a component, for the reader and the writer alike.
    const QByteArray zrodlo = Linie({"[POZ]", "ID=1", "Opis=zob. AgrID", "ST=a"});
    auto k = Wczytaj(zrodlo);
    ASSERT_EQ(k->PozycjeCount(), 1);
    UstawST(*k, QStringLiteral("1"), QStringLiteral("b"));
    EXPECT_EQ(k->ZapiszDoDanych(zrodlo), Linie({"[POZ]", "ID=1", "Opis=zob. AgrID", "ST=b"}));
}

TEST_F(KosztorysRdsZapis, NumerZPrzypisanejSpecyfikacji)
{
    const QByteArray zrodlo = Linie({"[POZ]", "ID=1", "ST=stare"});
    auto k = Wczytaj(zrodlo);
    TSpecyfikacja spec(QStringLiteral("D-07.01.01"), false, false, QString(), QString(), QStringLiteral("Oznakowanie"));
    k->GetPozycja(0)->WybranaSpecyfikacja().SetSpecyfikacja(&spec);
    EXPECT_EQ(k->ZapiszDoDanych(zrodlo), Linie({"[POZ]", "ID=1", "ST=D-07.01.01"}));
    k->GetPozycja(0)->WybranaSpecyfikacja().SetSpecyfikacja(nullptr);
}

TEST_F(KosztorysRdsZapis, ZnakSpozaStronyKodowejToZnakZapytania)
{
    const QByteArray zrodlo = "\xEF\xBB\xBF[POZ]\nID=1\nOpis=\xE2\x82\xAC \xE2\x84\x96 \xC5\xBC\n"; // euro, numero, ż
    auto k = Wczytaj(zrodlo);
    EXPECT_EQ(k->ZapiszDoDanych(zrodlo), QByteArray("[POZ]\r\nID=1\r\nOpis=\x80 ? \xBF\r\n"));
}

TEST_F(KosztorysRdsZapis, ZapisNieZmieniaDrzewaAniZrodla)
{
    const QByteArray zrodlo = Linie({"[POZ]", "ID=1", "ST=a", "Cena=3"});
    auto k = Wczytaj(zrodlo);
    UstawST(*k, QStringLiteral("1"), QStringLiteral("b"));
    const QJsonObject przed = KosztorysNaJson(*k);
    k->SaveFile(Sciezka(QStringLiteral("kopia.rds")));
    EXPECT_EQ(KosztorysNaJson(*k), przed);
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("zrodlo.rds"))), zrodlo);
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("kopia.rds"))), Linie({"[POZ]", "ID=1", "ST=b", "Cena=3"}));
}

TEST_F(KosztorysRdsZapis, ZapisNaWlasnaSciezkeZastepujeZrodloBezutraty)
{
    const QByteArray zrodlo = "[POZ]\nID=1\nST=a\n\nstopka\n";
    auto k = Wczytaj(zrodlo);
    ZapiszPlik(Sciezka(QStringLiteral("zrodlo.tuw")), "towarzyszacy");
    UstawST(*k, QStringLiteral("1"), QStringLiteral("b"));
    k->SaveFile(Sciezka(QStringLiteral("zrodlo.rds")));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("zrodlo.rds"))), Linie({"[POZ]", "ID=1", "ST=b", "", "stopka"}));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("zrodlo.tuw"))), QByteArray("towarzyszacy"));
    // Also under another spelling of the same path; and nothing is left beside it.
    k->SaveFile(FKatalog.path() + QStringLiteral("/./zrodlo.rds"));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("zrodlo.tuw"))), QByteArray("towarzyszacy"));
    EXPECT_EQ(QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("zrodlo.rds"), QStringLiteral("zrodlo.tuw")}));
}

TEST_F(KosztorysRdsZapis, PlikTowarzyszacyKopiowanyDoKataloguZrodla)
{
    auto k = Wczytaj(Linie({"[POZ]", "ID=1"}));
    ZapiszPlik(Sciezka(QStringLiteral("zrodlo.tuw")), "dane tuw");
    QDir(FKatalog.path()).mkdir(QStringLiteral("cel"));
    k->SaveFile(Sciezka(QStringLiteral("cel/Kopia.v2.rds")));
    EXPECT_TRUE(QFile::exists(Sciezka(QStringLiteral("cel/Kopia.v2.rds"))));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("Kopia.v2.tuw"))), QByteArray("dane tuw"));
    EXPECT_FALSE(QFile::exists(Sciezka(QStringLiteral("cel/Kopia.v2.tuw"))));
    // An older companion of that name is overwritten.
    ZapiszPlik(Sciezka(QStringLiteral("zrodlo.tuw")), "nowsze");
    k->SaveFile(Sciezka(QStringLiteral("cel/Kopia.v2.rds")));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("Kopia.v2.tuw"))), QByteArray("nowsze"));
}

TEST_F(KosztorysRdsZapis, BladKopiiTowarzyszacejNieZatrzymujeZapisu)
{
    auto k = Wczytaj(Linie({"[POZ]", "ID=1"}));
    ZapiszPlik(Sciezka(QStringLiteral("zrodlo.tuw")), "dane tuw");
    // The companion's target exists and its "~" name is taken by a folder: replacing it fails.
    ZapiszPlik(Sciezka(QStringLiteral("kopia.tuw")), "stare");
    ZapiszPlik(Sciezka(QStringLiteral("kopia.tuw~/x")), "x");
    EXPECT_NO_THROW(k->SaveFile(Sciezka(QStringLiteral("kopia.rds"))));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("kopia.rds"))), Linie({"[POZ]", "ID=1"}));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("kopia.tuw"))), QByteArray("stare"));
}

TEST_F(KosztorysRdsZapis, KomunikatyBledowZapisu)
{
    auto k = Wczytaj(Linie({"[POZ]", "ID=1"}));
    QDir(FKatalog.path()).mkdir(QStringLiteral("katalog.rds"));
    EXPECT_EQ(Komunikat([&] { k->SaveFile(Sciezka(QStringLiteral("katalog.rds"))); }),
              QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku."));
    EXPECT_TRUE(Komunikat([&] {
                    k->SaveFile(Sciezka(QStringLiteral("brak/kopia.rds")));
                }).startsWith(QStringLiteral("Nieokreślony błąd zapisu kosztorysu: Błąd zapisu pliku")));
    QFile::remove(Sciezka(QStringLiteral("zrodlo.rds")));
    EXPECT_EQ(Komunikat([&] { k->SaveFile(Sciezka(QStringLiteral("kopia.rds"))); }),
              QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku."));
    EXPECT_FALSE(QFile::exists(Sciezka(QStringLiteral("kopia.rds"))));
}

TEST_F(KosztorysRdsZapis, ZrodloONazwieKopiiZapasowejCeluNieJestNiszczone)
{
    const QByteArray zrodlo = Linie({"[POZ]", "ID=1"});
    auto k = Wczytaj(zrodlo, QStringLiteral("kopia.rds~"));
    ZapiszPlik(Sciezka(QStringLiteral("kopia.rds")), "stary cel");
    EXPECT_TRUE(Komunikat([&] {
                    k->SaveFile(Sciezka(QStringLiteral("kopia.rds")));
                }).startsWith(QStringLiteral("Nieokreślony błąd zapisu kosztorysu: ")));
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("kopia.rds~"))), zrodlo);
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("kopia.rds"))), QByteArray("stary cel"));
}

} // namespace
