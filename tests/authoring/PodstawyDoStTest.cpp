#include "authoring/PodstawyDoSt.h"

#include "app/Wyjatki.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "zestaw/ZestawST.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PodstawyDoSt : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        ASSERT_TRUE(FTmp.isValid());
        FUzytkownik = FTmp.path() + QStringLiteral("/uzytkownik");
        ASSERT_TRUE(QDir().mkpath(FUzytkownik));
        Konfiguracja().SetUserPath(FUzytkownik);
        FSzablony = FUzytkownik + QStringLiteral("/Szablony ST");
        FUstawienia = {FUzytkownik, QStringLiteral("%USERPATH%/Szablony ST")};
    }

    void Plik(const QString& wzgledna) { ZapiszPlik(FSzablony + QLatin1Char('/') + wzgledna, "szablon"); }
    void Dokument(const QString& sciezka) { ZapiszPlik(sciezka, "dokument"); }

    static QStringList Opisy(const TPodstawyDoSt& p)
    {
        QStringList wynik;
        for (const auto& b : p.Pliki())
            wynik << b->Opis();
        return wynik;
    }
    static QStringList Sciezki(const TPodstawyDoSt& p)
    {
        QStringList wynik;
        for (const auto& b : p.Pliki())
            wynik << b->Plik().GetPath();
        return wynik;
    }

    QTemporaryDir FTmp;
    QString FUzytkownik;
    QString FSzablony;
    TUstawieniaPodstaw FUstawienia;
    TZestawST FZestaw;
};

TEST_F(PodstawyDoSt, SzablonyWedlugRodzajuWyjscia)
{
    Plik(QStringLiteral("a.doc"));
    Plik(QStringLiteral("b.odt"));
    Plik(QStringLiteral("c.txt"));
    const struct
    {
        bool CzyEksportDoc;
        QStringList Opisy;
        const char* Typ;
    } przypadki[] = {
        {true, {QStringLiteral("a")}, "TTypPlikuWord"},
        {false, {QStringLiteral("a"), QStringLiteral("b")}, "TTypPlikuOoO"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.CzyEksportDoc);
        FZestaw.GetKonfiguracja()->CzyEksportDoc = p.CzyEksportDoc;
        const TPodstawyDoStSzablon podstawy(FUstawienia, &FZestaw);
        EXPECT_EQ(Opisy(podstawy), p.Opisy);
        EXPECT_EQ(podstawy.TypPliku().GetDefaultExt(), p.CzyEksportDoc ? QStringLiteral("doc") : QStringLiteral("odt"));
    }
}

// Own files of a folder before its subfolders, names in order regardless of letter case, hidden files
// included; folders named like documents are not offered.
TEST_F(PodstawyDoSt, SzablonyPodfolderyIKolejnosc)
{
    Plik(QStringLiteral("Z.doc"));
    Plik(QStringLiteral("a.doc"));
    Plik(QStringLiteral(".ukryty.doc"));
    Plik(QStringLiteral("b.odt"));
    Plik(QStringLiteral("c.txt"));
    Plik(QStringLiteral("bez rozszerzenia"));
    Plik(QStringLiteral("Stare.doc/f.doc"));
    Plik(QStringLiteral("podfolder/d.DOCX"));
    Plik(QStringLiteral("podfolder/e.odt"));
    Plik(QStringLiteral("podfolder/głęboki/g.doc"));
    Plik(QStringLiteral("podfolder/h.doc"));

    const struct
    {
        bool CzyEksportDoc;
        QStringList Wzgledne;
    } przypadki[] = {
        {true,
         {".ukryty.doc", "a.doc", "Z.doc", "podfolder/d.DOCX", "podfolder/h.doc", "podfolder/głęboki/g.doc",
          "Stare.doc/f.doc"}},
        {false,
         {".ukryty.doc", "a.doc", "b.odt", "Z.doc", "podfolder/d.DOCX", "podfolder/e.odt", "podfolder/h.doc",
          "podfolder/głęboki/g.doc", "Stare.doc/f.doc"}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.CzyEksportDoc);
        FZestaw.GetKonfiguracja()->CzyEksportDoc = p.CzyEksportDoc;
        const TPodstawyDoStSzablon podstawy(FUstawienia, &FZestaw);
        QStringList sciezki, opisy;
        for (const QString& w : p.Wzgledne) {
            sciezki << FSzablony + QLatin1Char('/') + w;
            opisy << w.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, -2);
        }
        EXPECT_EQ(Sciezki(podstawy), sciezki);
        EXPECT_EQ(Opisy(podstawy), opisy);
    }
}

TEST_F(PodstawyDoSt, SzablonyZapisaneWzgledemFolderuUzytkownika)
{
    Plik(QStringLiteral("a.doc"));
    const TPodstawyDoStSzablon podstawy(FUstawienia, &FZestaw);
    ASSERT_EQ(podstawy.Pliki().size(), 1u);
    EXPECT_EQ(podstawy.Pliki()[0]->Plik().EncodedPath(), QStringLiteral("%USERPATH%/Szablony ST/a.doc"));
}

TEST_F(PodstawyDoSt, PetlaDowiazanNieZatrzymujeSzukania)
{
    Plik(QStringLiteral("a.doc"));
    Plik(QStringLiteral("pod/b.doc"));
    ASSERT_TRUE(QFile::link(FSzablony, FSzablony + QStringLiteral("/pod/do góry")));
    const TPodstawyDoStSzablon podstawy(FUstawienia, &FZestaw);
    EXPECT_EQ(Opisy(podstawy), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(PodstawyDoSt, BezFolderuSzablonowNicNieOferuje)
{
    // A document in the working folder must not be taken for a template when no folder is set.
    ZapiszPlik(FTmp.path() + QStringLiteral("/roboczy.doc"), "x");
    const QString poprzedni = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(FTmp.path()));
    const struct
    {
        const char* Folder;
    } przypadki[] = {{""}, {"   "}, {"/nie/ma/takiego/folderu"}};
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Folder);
        FUstawienia.FolderSzablonow = QString::fromUtf8(p.Folder);
        const TPodstawyDoStSzablon podstawy(FUstawienia, &FZestaw);
        EXPECT_TRUE(podstawy.Pliki().empty());
    }
    QDir::setCurrent(poprzedni);
}

TEST_F(PodstawyDoSt, PonowneWypelnienieZastepujeListe)
{
    Plik(QStringLiteral("a.doc"));
    TPodstawyDoStSzablon podstawy(FUstawienia, &FZestaw);
    Plik(QStringLiteral("b.doc"));
    podstawy.WypelnijPodstawy();
    EXPECT_EQ(Opisy(podstawy), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(PodstawyDoSt, BrakZestawu)
{
    TSpisST spis;
    for (int rodzaj = 0; rodzaj < 2; ++rodzaj) {
        try {
            if (rodzaj == 0)
                TPodstawyDoStSzablon(FUstawienia, nullptr);
            else
                TPodstawyDoStSpisSt(FUstawienia, &spis, nullptr);
            ADD_FAILURE() << "brak wyjątku";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QStringLiteral("Błąd wewnętrzny (3)"));
        }
    }
}

TEST_F(PodstawyDoSt, UstawieniaZKonfiguracjiIInnyFolderUzytkownika)
{
    Konfiguracja().SzablonyStPath->SetPath(FSzablony);
    const TUstawieniaPodstaw zKonfiguracji = TUstawieniaPodstaw::ZKonfiguracji(Konfiguracja());
    EXPECT_EQ(zKonfiguracji.FolderUzytkownika, FUzytkownik);
    EXPECT_EQ(zKonfiguracji.FolderSzablonow, FUstawienia.FolderSzablonow);
    // The settings given decide where "%USERPATH%" leads, not the configuration.
    const QString inny = FTmp.path() + QStringLiteral("/inny");
    ZapiszPlik(inny + QStringLiteral("/Szablony ST/x.doc"), "szablon");
    Plik(QStringLiteral("a.doc"));
    const TPodstawyDoStSzablon podstawy(TUstawieniaPodstaw{inny, FUstawienia.FolderSzablonow}, &FZestaw);
    EXPECT_EQ(Opisy(podstawy), QStringList{QStringLiteral("x")});
    EXPECT_EQ(podstawy.Pliki()[0]->Plik().EncodedPath(), QStringLiteral("%USERPATH%/Szablony ST/x.doc"));
}

// The list's documents: depth first, a node before its children, only existing documents of the output
// kind, captions as descriptions, no variants.
class PodstawyDoStSpisu : public PodstawyDoSt
{
protected:
    void SetUp() override
    {
        PodstawyDoSt::SetUp();
        FDokumenty = FUzytkownik + QStringLiteral("/ST");
        for (const char* nazwa : {"01.doc", "02.odt", "04.docx", "05.doc", "06.txt", "07.doc", "08.DOC", "w.doc"})
            Dokument(FDokumenty + QLatin1Char('/') + QString::fromUtf8(nazwa));
    }

    std::unique_ptr<TSpecyfikacja> Grupa(const char* numer, const char* opis)
    {
        return std::make_unique<TSpecyfikacja>(QString::fromUtf8(numer), false, true, QString(), QString(),
                                               QString::fromUtf8(opis));
    }
    std::unique_ptr<TSpecyfikacja> St(const char* numer, const char* opis, const char* plik)
    {
        const QString sciezka = plik ? FDokumenty + QLatin1Char('/') + QString::fromUtf8(plik) : QString();
        return std::make_unique<TSpecyfikacja>(QString::fromUtf8(numer), false, false, QString(), sciezka,
                                               QString::fromUtf8(opis));
    }

    static TSpecyfikacja* Dodaj(TSpecyfikacja& rodzic, std::unique_ptr<TSpecyfikacja> wezel)
    {
        TSpecyfikacja* w = wezel.get();
        EXPECT_TRUE(rodzic.Add(std::move(wezel)));
        return w;
    }

    void Wypelnij(TSpisST& spis)
    {
        TSpecyfikacja* d01 = Dodaj(spis, Grupa("D-01", "Roboty ziemne"));
        Dodaj(*d01, St("D-01.01", "Wykopy", "01.doc"));
        Dodaj(*d01, St("D-01.02", "Nasypy", "02.odt"));
        Dodaj(*d01, St("D-01.03", "Bez pliku", "03.doc"));
        TSpecyfikacja* g = Dodaj(*d01, Grupa("D-01.04", "Grupa"));
        Dodaj(*g, St("D-01.04.01", "Zagęszczanie", "04.docx"));
        TSpecyfikacja* zWariantem = Dodaj(*d01, St("D-01.05", "Z wariantem", "05.doc"));
        zWariantem->AddWariant(std::make_unique<TWariantSpecyfikacji>(
            QStringLiteral("a"), QStringLiteral("wariant"), FDokumenty + QStringLiteral("/w.doc"), QString()));
        Dodaj(*d01, St("D-01.06", "Tekst", "06.txt"));
        // A specification with a document that also holds a group: the node comes before its children.
        TSpecyfikacja* d02 = Dodaj(spis, St("D-02", "Nadrzędna", "07.doc"));
        TSpecyfikacja* g2 = Dodaj(*d02, Grupa("D-02.01", "Podgrupa"));
        Dodaj(*g2, St("D-02.01.01", "Wielkie litery", "08.DOC"));
    }

    QString FDokumenty;
};

TEST_F(PodstawyDoStSpisu, KolejnoscIFiltr)
{
    TSpisST spis;
    Wypelnij(spis);
    ASSERT_FALSE(spis.GetSpecyfikacja(1)->CzyGrupa());
    const struct
    {
        bool CzyEksportDoc;
        QStringList Opisy;
        QStringList Pliki;
    } przypadki[] = {
        {true,
         {"D-01.01 Wykopy", "D-01.04.01 Zagęszczanie", "D-01.05 Z wariantem", "D-02 Nadrzędna",
          "D-02.01.01 Wielkie litery"},
         {"01.doc", "04.docx", "05.doc", "07.doc", "08.DOC"}},
        {false,
         {"D-01.01 Wykopy", "D-01.02 Nasypy", "D-01.04.01 Zagęszczanie", "D-01.05 Z wariantem", "D-02 Nadrzędna",
          "D-02.01.01 Wielkie litery"},
         {"01.doc", "02.odt", "04.docx", "05.doc", "07.doc", "08.DOC"}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.CzyEksportDoc);
        FZestaw.GetKonfiguracja()->CzyEksportDoc = p.CzyEksportDoc;
        const TPodstawyDoStSpisSt podstawy(FUstawienia, &spis, &FZestaw);
        EXPECT_EQ(podstawy.SpisSt(), &spis);
        EXPECT_EQ(Opisy(podstawy), p.Opisy);
        QStringList pliki;
        for (const QString& n : p.Pliki)
            pliki << FDokumenty + QLatin1Char('/') + n;
        EXPECT_EQ(Sciezki(podstawy), pliki);
    }
}

TEST_F(PodstawyDoStSpisu, BezListyBierzeListeZestawu)
{
    Wypelnij(*FZestaw.SpisSpecyfikacji());
    TSpisST innaPusta;
    const TPodstawyDoStSpisSt zZestawu(FUstawienia, nullptr, &FZestaw);
    const TPodstawyDoStSpisSt zInnej(FUstawienia, &innaPusta, &FZestaw);
    EXPECT_EQ(zZestawu.Pliki().size(), 5u);
    EXPECT_TRUE(zInnej.Pliki().empty());
}

TEST_F(PodstawyDoStSpisu, UsunietyDokumentZnikaPoOdswiezeniu)
{
    TSpisST spis;
    Wypelnij(spis);
    TPodstawyDoStSpisSt podstawy(FUstawienia, &spis, &FZestaw);
    ASSERT_EQ(podstawy.Pliki().size(), 5u);
    ASSERT_TRUE(QFile::remove(FDokumenty + QStringLiteral("/01.doc")));
    podstawy.WypelnijPodstawy();
    ASSERT_EQ(podstawy.Pliki().size(), 4u);
    EXPECT_EQ(podstawy.Pliki()[0]->Opis(), QStringLiteral("D-01.04.01 Zagęszczanie"));
}

} // namespace
