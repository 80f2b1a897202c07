// The dialog "Eksportuj do excela" without its window: proposals, checks, the export job, stop, titles.
#include "PomocnikKontrolera.h"

#include "../xls/KosztorysyTestowe.h"
#include "specs/KonfiguracjaZestawu.h"
#include "workflow/EksportXlsDialogu.h"
#include "xls/EksportElementuXlsOpt.h"

#include <QFileInfo>

namespace {

class EksportXlsDialogu : public TTestKontrolera
{
protected:
    void SetUp() override
    {
        TTestKontrolera::SetUp();
        for (int i = 1; i <= 2; ++i)
            Kontroler->Zestaw().AddKosztorys(kosztorysy_testowe::KosztorysDwaElementy(
                QStringLiteral("K%1").arg(i), QStringLiteral("/tmp/k%1.rds").arg(i)));
    }
};

TEST_F(EksportXlsDialogu, PropozycjeFolderuINazwy)
{
    {
        TEksportXlsDialogu d(Kontroler->Zestaw(), Konfiguracja(), Uzytkownik);
        EXPECT_EQ(d.Folder, Katalog.filePath(QStringLiteral("Dane/Eksport/XLS/")));
        EXPECT_TRUE(d.Plik.isEmpty()); // a set never saved
        EXPECT_EQ(d.TytulyDoWyboru, (QStringList{QStringLiteral("FORMULARZ OFERTOWY"),
                                                 QStringLiteral("TABELA ELEMENTÓW ROZLICZENIOWYCH")}));
    }
    Kontroler->Zestaw().Zapisz(Katalog.filePath(QStringLiteral("budowa.zst")));
    EXPECT_EQ(TEksportXlsDialogu(Kontroler->Zestaw(), Konfiguracja(), Uzytkownik).Plik, QStringLiteral("budowa"));
    auto& k = *Kontroler->Zestaw().GetKonfiguracja();
    k.AddExternalNode(QStringLiteral("xlsPath"), QStringLiteral("/inny"));
    k.AddExternalNode(QStringLiteral("xlsNazwaPliku"), QStringLiteral("oferta"));
    TEksportXlsDialogu d(Kontroler->Zestaw(), Konfiguracja(), Uzytkownik);
    EXPECT_EQ(d.Folder, QStringLiteral("/inny"));
    EXPECT_EQ(d.Plik, QStringLiteral("oferta"));
}

TEST_F(EksportXlsDialogu, SprawdzeniaPolPrzedEksportem)
{
    TEksportXlsDialogu d(Kontroler->Zestaw(), Konfiguracja(), Uzytkownik);
    d.Eksportuj();
    d.Plik = QStringLiteral("a/b");
    d.Eksportuj();
    d.Plik = QStringLiteral("oferta");
    d.Opcje().ChronArkusz = true;
    d.Haslo = QStringLiteral("x");
    d.Eksportuj();
    EXPECT_EQ(Uzytkownik.Zapis,
              (QStringList{QStringLiteral("komunikat: Proszę podać nazwę pliku."),
                           QStringLiteral("komunikat: Nazwa pliku nie może zawierać znaku \"/\"."),
                           QStringLiteral("komunikat: Podane hasła ochrony arkusza nie są jednakowe.")}));
    EXPECT_FALSE(d.CzyTrwa());
    EXPECT_TRUE(Kontroler->Zestaw().GetKonfiguracja()->GetExternalNode(QStringLiteral("xlsPath")).isNull());
}

TEST_F(EksportXlsDialogu, EksportZapisujeOpcjeIOtwieraPlik)
{
    TEksportXlsDialogu d(Kontroler->Zestaw(), Konfiguracja(), Uzytkownik);
    int zmiany = 0;
    d.OnZmiana = [&] { ++zmiany; };
    d.Plik = QStringLiteral("oferta");
    d.Opcje().StawkaVat = 8;
    d.Eksportuj();
    d.Czekaj();
    const QString plik = Katalog.filePath(QStringLiteral("Dane/Eksport/XLS/oferta.xls"));
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("uruchom: ") + plik});
    EXPECT_TRUE(QFileInfo(plik).isFile());
    EXPECT_FALSE(d.CzyZablokowany());
    EXPECT_EQ(d.Maksimum(), 10);
    EXPECT_EQ(d.Pozycja(), 10);
    EXPECT_GE(zmiany, 3);
    const auto& k = *Kontroler->Zestaw().GetKonfiguracja();
    EXPECT_EQ(k.GetExternalNode(QStringLiteral("xlsNazwaPliku")).toString(), QStringLiteral("oferta"));
    TEksportElementuXlsOpt odczytane;
    odczytane.Wczytaj(k);
    EXPECT_EQ(odczytane.StawkaVat, 8);
}

TEST_F(EksportXlsDialogu, ZatrzymanieNieOtwieraPliku)
{
    TEksportXlsDialogu d(Kontroler->Zestaw(), Konfiguracja(), Uzytkownik);
    d.Plik = QStringLiteral("oferta");
    d.OnZmiana = [&] {
        if (d.Pozycja() > 0 && d.CzyTrwa())
            d.Eksportuj(); // the button reads "Zatrzymaj" now
    };
    d.Eksportuj();
    d.Czekaj();
    ASSERT_EQ(Uzytkownik.Zapis.size(), 1);
    EXPECT_TRUE(Uzytkownik.Zapis[0].startsWith(QStringLiteral("komunikat: Eksport został przerwany.")))
        << Uzytkownik.Zapis[0].toStdString();
    EXPECT_FALSE(d.OstatniPlik().isEmpty());
}

TEST_F(EksportXlsDialogu, PostepDocieraDoOknaNajwyzejStoRazy)
{
    auto* element = Kontroler->Zestaw().GetKosztorys(0)->GetElement(0);
    for (int i = 0; i < 5000; ++i)
        kosztorysy_testowe::DodajPozycje(*element, {"1.x", "1", "2"});
    TEksportXlsDialogu d(Kontroler->Zestaw(), Konfiguracja(), Uzytkownik);
    d.Plik = QStringLiteral("duzy");
    d.Opcje().OtworzPoEksporcie = false;
    int zmiany = 0;
    d.OnZmiana = [&] { ++zmiany; };
    d.Eksportuj();
    d.Czekaj();
    EXPECT_EQ(d.Pozycja(), d.Maksimum());
    EXPECT_LE(zmiany, 103); // locked, at most a hundred steps, unlocked
    EXPECT_GE(zmiany, 50);
}

TEST_F(EksportXlsDialogu, TytulyKosztorysowINaglowekWOpisie)
{
    TEksportXlsDialogu d(Kontroler->Zestaw(), Konfiguracja(), Uzytkownik);
    ASSERT_EQ(d.TytulyKosztorysow().size(), 2u);
    EXPECT_EQ(d.TytulyKosztorysow()[1].Plik, QStringLiteral("k2"));
    d.ZastosujTytulyKosztorysow({QStringLiteral("Droga"), QStringLiteral("Most")});
    EXPECT_EQ(Kontroler->Zestaw().GetKosztorys(1)->Tytul(), QStringLiteral("Most"));

    Kontroler->Zestaw().GetKonfiguracja()->TrescNaglowka = QStringLiteral("Budowa drogi");
    d.Opcje().Opis = QStringLiteral("Opis");
    d.UstawNaglowekZestawuWOpisie(true);
    EXPECT_EQ(d.Opcje().Opis, QStringLiteral("Opis\nBudowa drogi"));
    d.UstawNaglowekZestawuWOpisie(true);
    EXPECT_EQ(d.Opcje().Opis, QStringLiteral("Opis\nBudowa drogi"));
    d.UstawNaglowekZestawuWOpisie(false);
    EXPECT_EQ(d.Opcje().Opis, QStringLiteral("Opis"));
}

TEST_F(EksportXlsDialogu, KontrolerOtwieraDialogTylkoZKosztorysami)
{
    Kontroler->EksportujKosztorysDoExcela();
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("arkusz")});
    Kontroler->Zestaw().ClearKosztorysy();
    Uzytkownik.Zapis.clear();
    Kontroler->EksportujKosztorysDoExcela();
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{QStringLiteral("komunikat: Brak danych do eksportu.")});
}

} // namespace
