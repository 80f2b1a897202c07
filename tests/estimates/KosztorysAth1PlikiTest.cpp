// ATH estimates and the files around them: probes and messages, the repaired copy and its protection,
// the copy with ST numbers and its protection of the source.
#include "estimates/KosztorysAth1.h"
#include "estimates/KosztorysJson.h"
#include "estimates/WyjatkiKosztorysu.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray Poprawny = "pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\nna=Wykopy\r\nnsn=D-02.01.01\r\n";
const QByteArray BezId = "pr=NORMA 4.50\r\n[POZYCJA]\r\nnu=1\r\nna=Wykopy\r\n";

QString KomunikatBledu(const std::function<void()>& dzialanie)
{
    try {
        dzialanie();
    } catch (const EBlad& e) {
        return e.Komunikat();
    }
    return QStringLiteral("(brak błędu)");
}

class TAthPliki : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        ASSERT_TRUE(FKatalog.isValid());
    }
    QString Plik(const QString& nazwa) const { return FKatalog.filePath(nazwa); }

    QTemporaryDir FKatalog;
};

TEST_F(TAthPliki, KlasaPodajeRozszerzenieFiltrIPusteId)
{
    TKosztorysAth1 k;
    EXPECT_EQ(k.GetDefaultExt(), QStringLiteral(".ath"));
    EXPECT_EQ(k.GetFilter(), QStringLiteral("Kosztorys ATH (*.ath)|*.ath"));
    ZapiszPlik(Plik(QStringLiteral("a.ath")), Poprawny);
    EXPECT_EQ(k.PobierzIdKosztorysu(Plik(QStringLiteral("a.ath"))), QString());
    EXPECT_EQ(k.Count(), 0) << "bez ścieżki nic nie jest czytane";
    EXPECT_EQ(k.Opis, QStringLiteral("Kosztorys"));
}

TEST_F(TAthPliki, KonstruktorCzytaOdRazuITytulJestNazwaPliku)
{
    ZapiszPlik(Plik(QStringLiteral("Remont szkoły.ATH")), Poprawny);
    TKosztorysAth1 k(Plik(QStringLiteral("Remont szkoły.ATH")));
    EXPECT_EQ(k.Opis, QStringLiteral("Remont szkoły"));
    EXPECT_EQ(k.Tytul(), QStringLiteral("Remont szkoły"));
    ASSERT_EQ(k.PozycjeCount(), 1);
    EXPECT_EQ(k.GetPozycja(0)->ST(), QStringLiteral("D-02.01.01"));
}

TEST_F(TAthPliki, BrakPlikuIKatalogDajaKomunikatyOdczytu)
{
    EXPECT_EQ(KomunikatBledu([&] { TKosztorysAth1 k(Plik(QStringLiteral("nie ma.ath"))); }),
              QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje."));
    QDir(FKatalog.path()).mkdir(QStringLiteral("katalog.ath"));
    EXPECT_EQ(KomunikatBledu([&] { TKosztorysAth1 k(Plik(QStringLiteral("katalog.ath"))); }),
              QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku."));
    // With the repair options the source is probed the same way, and no copy appears.
    EXPECT_EQ(KomunikatBledu([&] { TKosztorysAth1 k(Plik(QStringLiteral("nie ma.ath")), true, true, false); }),
              QStringLiteral("Błąd przetwarzania kosztorysu: podany plik nie istnieje."));
    EXPECT_FALSE(QFileInfo::exists(Plik(QStringLiteral("nie ma - kopia.ath"))));
}

TEST_F(TAthPliki, NieudanyOdczytCzysciDrzewoPoPoprzednim)
{
    ZapiszPlik(Plik(QStringLiteral("a.ath")), Poprawny);
    ZapiszPlik(Plik(QStringLiteral("b.ath")), BezId);
    TKosztorysAth1 k(Plik(QStringLiteral("a.ath")));
    ASSERT_EQ(k.PozycjeCount(), 1);
    ASSERT_NE(k.OstatnioDodanaPozycja(), nullptr);
    k.FilePath().SetPath(Plik(QStringLiteral("b.ath")));
    EXPECT_THROW(k.WczytajKosztorys(), EBrakIdPozycjiException);
    EXPECT_EQ(k.Count(), 0);
    EXPECT_EQ(k.OstatnioDodanaPozycja(), nullptr);
}

TEST_F(TAthPliki, SciezkaKopiiNaprawczej)
{
    EXPECT_EQ(TKosztorysAth1::SciezkaKopiiNaprawczej(QStringLiteral("/dane/koszt.ath")),
              QStringLiteral("/dane/koszt - kopia.ath"));
    // Only the extension at the end goes: a folder named like the extension stays whole.
    EXPECT_EQ(TKosztorysAth1::SciezkaKopiiNaprawczej(QStringLiteral("/dane/x.ath/koszt.ath")),
              QStringLiteral("/dane/x.ath/koszt - kopia.ath"));
    EXPECT_EQ(TKosztorysAth1::SciezkaKopiiNaprawczej(QStringLiteral("/dane/a.b/koszt")),
              QStringLiteral("/dane/a.b/koszt - kopia"));
    EXPECT_EQ(TKosztorysAth1::SciezkaKopiiNaprawczej(QStringLiteral("/dane/Kosztorys.ATH")),
              QStringLiteral("/dane/Kosztorys - kopia.ATH"));
}

TEST_F(TAthPliki, IstniejacaKopiaNieJestNadpisywanaBezZgody)
{
    const QString zrodlo = Plik(QStringLiteral("koszt.ath"));
    const QString kopia = Plik(QStringLiteral("koszt - kopia.ath"));
    ZapiszPlik(zrodlo, BezId);
    ZapiszPlik(kopia, "dawna kopia");

    TKosztorysAth1 k;
    k.FilePath().SetPath(zrodlo);
    k.Indeksuj = true;
    try {
        k.WczytajKosztorys();
        FAIL() << "brak wyjątku";
    } catch (const EKopiaIstniejeException& e) {
        EXPECT_EQ(e.Komunikat(), kopia);
    }
    EXPECT_EQ(CzytajPlik(kopia), QByteArray("dawna kopia"));
    EXPECT_EQ(CzytajPlik(zrodlo), BezId);
    EXPECT_EQ(k.FilePath().GetPath(), zrodlo) << "nieudana naprawa zostawia ścieżkę źródła";
    EXPECT_EQ(k.Count(), 0);

    // With consent the copy is replaced, and the estimate now names it.
    k.NadpiszKopie = true;
    k.WczytajKosztorys();
    EXPECT_EQ(k.FilePath().GetPath(), kopia);
    EXPECT_EQ(CzytajPlik(kopia), QByteArray("pr=NORMA 4.50\r\n[POZYCJA]\r\nnu=1\r\nna=Wykopy\r\nid=1\r\n"));
    EXPECT_EQ(CzytajPlik(zrodlo), BezId);
    ASSERT_EQ(k.PozycjeCount(), 1);
    EXPECT_EQ(k.GetPozycja(0)->Id(), QStringLiteral("1"));
    EXPECT_EQ(k.Tytul(), QStringLiteral("koszt - kopia"));
    EXPECT_FALSE(QFileInfo::exists(kopia + QLatin1Char('~')));
}

TEST_F(TAthPliki, KopiaKtoraJestKatalogiemNieDajeSieZapisac)
{
    const QString zrodlo = Plik(QStringLiteral("koszt.ath"));
    ZapiszPlik(zrodlo, BezId);
    QDir(FKatalog.path()).mkdir(QStringLiteral("koszt - kopia.ath"));
    EXPECT_EQ(KomunikatBledu([&] { TKosztorysAth1 k(zrodlo, true, true, true); }),
              QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku."));
    EXPECT_TRUE(QFileInfo(Plik(QStringLiteral("koszt - kopia.ath"))).isDir());
}

TEST_F(TAthPliki, PlikKtoregoNieDaSieCzytacNieZostawiaKopii)
{
    const QString zrodlo = Plik(QStringLiteral("notatka.ath"));
    ZapiszPlik(zrodlo, "Lista zakupów\r\ncement\r\n");
    EXPECT_EQ(KomunikatBledu([&] { TKosztorysAth1 k(zrodlo, true, true, false); }),
              QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
    EXPECT_FALSE(QFileInfo::exists(Plik(QStringLiteral("notatka - kopia.ath"))));

    QByteArray gleboki = "pr=NORMA 4.50\r\n";
    for (int i = 1; i <= TKosztorysAth1::MaksZaglebienie + 1; ++i)
        gleboki += "[ELEMENT " + QByteArray::number(i) + "]\r\n\r\n";
    gleboki += "[POZYCJA]\r\n";
    ZapiszPlik(Plik(QStringLiteral("gleboki.ath")), gleboki);
    EXPECT_EQ(KomunikatBledu([&] { TKosztorysAth1 k(Plik(QStringLiteral("gleboki.ath")), true, true, false); }),
              QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
    EXPECT_FALSE(QFileInfo::exists(Plik(QStringLiteral("gleboki - kopia.ath"))));
}

TEST_F(TAthPliki, ZapisNieNadpisujeZrodla)
{
    const QString zrodlo = Plik(QStringLiteral("koszt.ath"));
    ZapiszPlik(zrodlo, Poprawny);
    TKosztorysAth1 k(zrodlo);
    k.GetPozycja(0)->SetST(QStringLiteral("D-02.01.01#2"));
    const QString komunikat =
        QStringLiteral("Błąd tworzenia kosztorysu: kopii nie można zapisać w miejscu źródłowego pliku kosztorysu.");
    EXPECT_EQ(KomunikatBledu([&] { k.SaveFile(zrodlo); }), komunikat);
    EXPECT_EQ(KomunikatBledu([&] { k.SaveFile(FKatalog.path() + QStringLiteral("/./koszt.ath")); }), komunikat);
    ASSERT_TRUE(QFile::link(zrodlo, Plik(QStringLiteral("dowiazanie.ath"))));
    EXPECT_EQ(KomunikatBledu([&] { k.SaveFile(Plik(QStringLiteral("dowiazanie.ath"))); }), komunikat);
    EXPECT_EQ(CzytajPlik(zrodlo), Poprawny);
}

TEST_F(TAthPliki, ZapisZastepujeDawnaKopieICzytaTylkoZrodlo)
{
    const QString zrodlo = Plik(QStringLiteral("koszt.ath"));
    const QString cel = Plik(QStringLiteral("z numerami.ath"));
    ZapiszPlik(zrodlo, Poprawny);
    ZapiszPlik(cel, "poprzednia kopia");
    TKosztorysAth1 k(zrodlo);
    k.GetPozycja(0)->SetST(QStringLiteral("D-02.01.01#2"));
    k.SaveFile(cel);
    EXPECT_EQ(CzytajPlik(cel),
              QByteArray("pr=NORMA 4.50\r\n[POZYCJA]\r\nid=1\r\nnu=1\r\nna=Wykopy\r\nnsn=D-02.01.01#2\r\n"));
    EXPECT_EQ(CzytajPlik(zrodlo), Poprawny);
    EXPECT_FALSE(QFileInfo::exists(cel + QLatin1Char('~')));
}

TEST_F(TAthPliki, ZapisKomunikatyCeluIZrodla)
{
    const QString zrodlo = Plik(QStringLiteral("koszt.ath"));
    ZapiszPlik(zrodlo, Poprawny);
    TKosztorysAth1 k(zrodlo);

    QDir(FKatalog.path()).mkdir(QStringLiteral("cel.ath"));
    EXPECT_EQ(KomunikatBledu([&] { k.SaveFile(Plik(QStringLiteral("cel.ath"))); }),
              QStringLiteral("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku."));

    // A folder that does not exist: the safe write fails and says why.
    const QString komunikat = KomunikatBledu([&] { k.SaveFile(Plik(QStringLiteral("brak/kopia.ath"))); });
    EXPECT_TRUE(komunikat.startsWith(QStringLiteral("Nieokreślony błąd zapisu kosztorysu: ")))
        << komunikat.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Plik(QStringLiteral("brak"))));

    QFile::remove(zrodlo);
    EXPECT_EQ(KomunikatBledu([&] { k.SaveFile(Plik(QStringLiteral("kopia.ath"))); }),
              QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku."));
    EXPECT_FALSE(QFileInfo::exists(Plik(QStringLiteral("kopia.ath"))));
}

TEST_F(TAthPliki, ZapisPlikuKtoryPrzestalBycKosztorysemJestOdmowiony)
{
    const QString zrodlo = Plik(QStringLiteral("koszt.ath"));
    ZapiszPlik(zrodlo, Poprawny);
    TKosztorysAth1 k(zrodlo);
    ZapiszPlik(zrodlo, QByteArray("\x00\x01\x02", 3));
    EXPECT_EQ(KomunikatBledu([&] { k.SaveFile(Plik(QStringLiteral("kopia.ath"))); }),
              QStringLiteral("Nieokreślony błąd zapisu kosztorysu: Wybrany plik kosztorysu jest nieprawidłowy."));
    EXPECT_FALSE(QFileInfo::exists(Plik(QStringLiteral("kopia.ath"))));
}

TEST_F(TAthPliki, EksportujPiszeKopieZeZrodlaKosztorysu)
{
    const QString zrodlo = Plik(QStringLiteral("koszt.ath"));
    ZapiszPlik(zrodlo, Poprawny);
    TKosztorysAth1 k(zrodlo);
    k.GetPozycja(0)->SetST(QStringLiteral("D-02.01.02"));
    k.Eksportuj(Plik(QStringLiteral("eksport.ath")), QString(), false);
    EXPECT_TRUE(CzytajPlik(Plik(QStringLiteral("eksport.ath"))).contains("nsn=D-02.01.02\r\n"));
    // ATH files carry no identifier: re-binding to another file works only when forced.
    ZapiszPlik(Plik(QStringLiteral("inny.ath")), Poprawny);
    EXPECT_THROW(k.Eksportuj(Plik(QStringLiteral("e2.ath")), Plik(QStringLiteral("inny.ath")), false),
                 ENieprawidlowyPlikZrodlowy);
    k.Eksportuj(Plik(QStringLiteral("e2.ath")), Plik(QStringLiteral("inny.ath")), true);
    EXPECT_EQ(k.FilePath().GetPath(), Plik(QStringLiteral("inny.ath")));
}

} // namespace
