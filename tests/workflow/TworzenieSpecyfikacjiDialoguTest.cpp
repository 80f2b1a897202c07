#include "workflow/TworzenieSpecyfikacjiDialogu.h"

#include "authoring/EdytorTestowy.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/UzytkownikSkryptowy.h"
#include "zestaw/ZestawST.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The set's list: kind "D-01" > group "D-01.01" (bound to an existing document); templates "a.doc" and
// "b.doc"; the new specification goes under the group.
class TworzenieSpecyfikacjiDialogu : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        ASSERT_TRUE(FTmp.isValid());
        Konfiguracja().SetUserPath(Tmp(QStringLiteral("uzytkownik")));
        Konfiguracja().SzablonyStPath->SetPath(Tmp(QStringLiteral("szablony")));
        Konfiguracja().StZSzablonuPath->SetPath(Tmp(QStringLiteral("z szablonu")));
        for (const char* nazwa : {"szablony/a.doc", "szablony/b.doc"})
            ZapiszPlik(Tmp(QString::fromUtf8(nazwa)), "Nr #NR_ST#, #TYTUL_ST#\n#JM#\n#KODY_CPV#\n");
        FDokument = Tmp(QStringLiteral("lista/D-01.01 Wykopy.doc"));
        ZapiszPlik(FDokument, "dokument");
        FRodzaj = Dodaj(*FZestaw.SpisSpecyfikacji(), QStringLiteral("D-01"), QString());
        FGrupa = Dodaj(*FRodzaj, QStringLiteral("D-01.01"), FDokument);
        // 45000000-7 > 45100000-8 > 45110000-1, and 45200000-9 beside 45100000-8.
        FKodyCpv.push_back(Kod(QStringLiteral("45000000-7"), QStringLiteral("Roboty budowlane"), 0));
        TKodCpv* teren = FKodyCpv[0]->Dodaj(Kod(QStringLiteral("45100000-8"), QStringLiteral("Teren"), 1));
        teren->Dodaj(Kod(QStringLiteral("45110000-1"), QStringLiteral("Rozbiórki"), 2));
        FKodyCpv[0]->Dodaj(Kod(QStringLiteral("45200000-9"), QStringLiteral("Obiekty"), 1));
    }

    QString Tmp(const QString& wzgledna) const { return FTmp.path() + QLatin1Char('/') + wzgledna; }

    static TSpecyfikacja* Dodaj(TSpecyfikacja& rodzic, const QString& numer, const QString& plik)
    {
        auto wezel = std::make_unique<TSpecyfikacja>(numer, false, plik.isEmpty(), QString(), plik, numer);
        TSpecyfikacja* w = wezel.get();
        EXPECT_TRUE(rodzic.Add(std::move(wezel)));
        return w;
    }
    static std::unique_ptr<TKodCpv> Kod(const QString& kod, const QString& opis, int poziom)
    {
        auto k = std::make_unique<TKodCpv>();
        k->Kod = kod;
        k->Opis = opis;
        k->Poziom = poziom;
        return k;
    }

    std::unique_ptr<TTworzenieSpecyfikacjiDialogu> Dialog()
    {
        const std::vector<std::shared_ptr<const TJmSpecyfikacji>> jednostki{
            std::make_shared<TJmSpecyfikacji>(QStringLiteral("m3"), QStringLiteral("wykop"), true)};
        return std::make_unique<TTworzenieSpecyfikacjiDialogu>(
            QStringLiteral("D-01.01.01"), QStringLiteral("Wykopy ręczne"), FGrupa, jednostki, FZestaw, Konfiguracja(),
            FEdytor, FUzytkownik, std::move(FKodyCpv));
    }

    QTemporaryDir FTmp;
    QString FDokument;
    TZestawST FZestaw;
    TSpecyfikacja* FRodzaj = nullptr;
    TSpecyfikacja* FGrupa = nullptr;
    TListaKodowCpv FKodyCpv;
    TEdytorTestowy FEdytor;
    TUzytkownikSkryptowy FUzytkownik;
};

TEST_F(TworzenieSpecyfikacjiDialogu, PrzelaczaniePodstawIWlaczanie)
{
    auto d = Dialog();
    EXPECT_EQ(d->Podstawy(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(d->WybranaPodstawa(), -1);
    EXPECT_FALSE(d->CzyMoznaStworzyc());
    EXPECT_FALSE(d->CzyWyborSpisu());
    EXPECT_TRUE(d->CzyOpcjeWstawiania() && d->CzyWstawTytul() && d->CzyWstawJednostki() && d->CzyWstawKodyCpv());
    EXPECT_EQ(d->Tytul(), QStringLiteral("Wykopy ręczne"));
    EXPECT_TRUE(d->CzyOtworzPlik());
    EXPECT_FALSE(d->CzyWyborOtwarcia());
    d->WybierzPodstawe(1);
    EXPECT_TRUE(d->CzyMoznaStworzyc());

    d->UstawOtworzPlik(false);
    d->UstawRodzajPodstawy(TRodzajPodstawy::IstniejacaSpecyfikacja);
    ASSERT_EQ(d->Podstawy().size(), 1); // the one document of the set's list, chosen at once
    EXPECT_EQ(d->WybranaPodstawa(), 0);
    EXPECT_TRUE(d->CzyMoznaStworzyc() && d->CzyWyborSpisu() && d->CzyWyborOtwarcia());
    EXPECT_FALSE(d->CzyOpcjeWstawiania() || d->CzyWstawTytul() || d->CzyWstawJednostki() || d->CzyWstawKodyCpv());
    EXPECT_FALSE(d->CzyOtworzPlik());
    EXPECT_EQ(d->FolderDocelowy(), Tmp(QStringLiteral("lista")));

    d->UstawRodzajPodstawy(TRodzajPodstawy::Szablon);
    EXPECT_TRUE(d->CzyOtworzPlik());
    EXPECT_EQ(d->WybranaPodstawa(), -1);
}

TEST_F(TworzenieSpecyfikacjiDialogu, InnySpisDajePodstawy)
{
    TSpisST inny;
    Dodaj(inny, QStringLiteral("X-01"), Tmp(QStringLiteral("szablony/a.doc")));
    Dodaj(inny, QStringLiteral("X-02"), Tmp(QStringLiteral("szablony/b.doc")));
    inny.Zapisz(Tmp(QStringLiteral("inny.sst")));
    auto d = Dialog();
    FUzytkownik.DoOtwarcia = {{}, {Tmp(QStringLiteral("inny.sst"))}};
    EXPECT_FALSE(d->WybierzInnySpis());
    EXPECT_EQ(d->RodzajPodstawy(), TRodzajPodstawy::Szablon);
    EXPECT_TRUE(d->WybierzInnySpis());
    EXPECT_EQ(d->RodzajPodstawy(), TRodzajPodstawy::IstniejacaSpecyfikacja);
    EXPECT_EQ(d->Podstawy().size(), 2);
    EXPECT_EQ(FUzytkownik.Zapis.count(QStringLiteral("otwórz: Otwórz spis specyfikacji technicznych")), 2);
}

TEST_F(TworzenieSpecyfikacjiDialogu, FolderWedlugZnacznikaIWlasny)
{
    ZapiszPlik(Tmp(QStringLiteral("z szablonu/struktura_sst.conf")), "0\n");
    auto d = Dialog();
    const QString regula = Tmp(QStringLiteral("z szablonu/D-01/D-01.01"));
    EXPECT_EQ(QDir::cleanPath(d->FolderDocelowy()), regula);
    d->WybierzPodstawe(0);
    EXPECT_EQ(QDir::cleanPath(d->Dane().FolderDocelowy), regula);
    d->UstawWlasnaSciezke(Tmp(QStringLiteral("moje")));
    EXPECT_EQ(d->FolderDocelowy(), Tmp(QStringLiteral("moje")));
    EXPECT_EQ(d->Dane().WybranaWlasnaSciezka, Tmp(QStringLiteral("moje")));
    ASSERT_TRUE(d->Stworz());
    EXPECT_EQ(d->StworzonyPlikStPath(), Tmp(QStringLiteral("moje/D-01.01.01 Wykopy ręczne.doc")));
}

TEST_F(TworzenieSpecyfikacjiDialogu, WartosciDlaTworzeniaIOtwarcie)
{
    FZestaw.GetKonfiguracja()->CzyEksportDoc = false;
    FKodyCpv[0]->KodyCpv[0]->KodyCpv[0]->Checked = true;
    FKodyCpv[0]->Checked = true;
    auto d = Dialog();
    d->WybierzPodstawe(0);
    d->PrzyjmijKodyCpv();
    ASSERT_EQ(d->KodyCpv().size(), 2u);
    d->DodajJednostke();
    d->UstawJednostke(1, QStringLiteral("m2"), QStringLiteral("dno"));
    d->UstawTytul(QStringLiteral("Wykopy w gruncie"));
    TDaneTworzeniaSpecyfikacji dane = d->Dane();
    EXPECT_EQ(dane.Numer, QStringLiteral("D-01.01.01"));
    EXPECT_EQ(dane.PlikPodstawy, Tmp(QStringLiteral("szablony/a.doc")));
    EXPECT_EQ(dane.Tytul, QStringLiteral("Wykopy w gruncie"));
    EXPECT_EQ(TTworzenieSpecyfikacji::TekstJednostek(dane), QStringLiteral("m3 wykop\nm2 dno"));
    EXPECT_EQ(TTworzenieSpecyfikacji::TekstKodowCpv(dane),
              QStringLiteral("Roboty budowlane (45000000-7)\nRozbiórki (45110000-1)"));
    EXPECT_FALSE(dane.CzyEksportDoc);

    d->UsunKodCpv(0);
    EXPECT_FALSE(d->DrzewaKodowCpv()[0]->Checked);
    EXPECT_EQ(d->Dane().KodyCpv.size(), 1u);
    ASSERT_TRUE(d->Stworz());
    const QString plik = Tmp(QStringLiteral("z szablonu/D-01.01.01 Wykopy ręczne.doc"));
    EXPECT_EQ(d->StworzonyPlikStPath(), plik);
    EXPECT_EQ(d->PrzejmijStworzoneJednostki().size(), 2u);
    // Opened even for OpenDocument output, as the box asked.
    EXPECT_EQ(FUzytkownik.Zapis, QStringList{QStringLiteral("uruchom: ") + plik});
    EXPECT_EQ(CzytajPlik(plik),
              QByteArray("Nr D-01.01.01, Wykopy w gruncie\nm3 wykop\nm2 dno\nRozbiórki (45110000-1)\n"));
}

TEST_F(TworzenieSpecyfikacjiDialogu, BladPokazanyDialogZostaje)
{
    Konfiguracja().StZSzablonuPath->SetPath(QString());
    auto d = Dialog();
    d->WybierzPodstawe(0);
    EXPECT_FALSE(d->Stworz());
    EXPECT_EQ(FUzytkownik.Zapis, QStringList{QStringLiteral("komunikat: Proszę wybrać ścieżkę docelową")});
    EXPECT_TRUE(d->StworzonyPlikStPath().isEmpty());
}

} // namespace
