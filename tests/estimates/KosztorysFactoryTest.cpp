#include "estimates/KosztorysFactory.h"
#include "app/Wyjatki.h"
#include "estimates/KosztorysAth1.h"
#include "estimates/KosztorysFwdSt.h"
#include "estimates/KosztorysRds.h"
#include "estimates/KosztorysRds7.h"
#include "estimates/KosztorysZuzia.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

class KosztorysFactoryTest : public TTestZKonfiguracja
{
};

TEST_F(KosztorysFactoryTest, KlasaWgOstatniegoRozszerzenia)
{
    const struct
    {
        const char* Plik;
        const char* Rozszerzenie; // of the class chosen, or null for none
    } przypadki[] = {
        {"/a/k.rds", ".rds"},      {"/a/K.RDS", ".rds"},      {"/a/k.Rds7", ".rds7"},      {"/a/k.rds7", ".rds7"},
        {"/a/k.xml", ".xml"},      {"/a/k.ATH", ".ath"},      {"/a/k.fwd", ".fwd"},        {"/a/k.txt.rds", ".rds"},
        {"/a/k.rds.txt", nullptr}, {"/a/kosztorys", nullptr}, {"/a.b/kosztorys", nullptr}, {"/a/k.MDB", ".mdb"},
        {"/a/k.accdb", nullptr},
    };
    for (const auto& p : przypadki) {
        const auto k = TKosztorysFactory::GetKosztorys(QString::fromUtf8(p.Plik), false, {});
        if (!p.Rozszerzenie) {
            EXPECT_EQ(k, nullptr) << p.Plik;
            continue;
        }
        ASSERT_NE(k, nullptr) << p.Plik;
        EXPECT_EQ(k->GetDefaultExt(), QString::fromUtf8(p.Rozszerzenie)) << p.Plik;
        EXPECT_EQ(TKosztorysFactory::GetDefaultExtension(*k), QString::fromUtf8(p.Rozszerzenie)) << p.Plik;
        EXPECT_EQ(k->FilePath().EncodedPath(), QString()) << p.Plik;
        EXPECT_EQ(k->Count(), 0);
        EXPECT_FALSE(k->Renumeruj || k->Indeksuj || k->NadpiszKopie);
    }
}

TEST_F(KosztorysFactoryTest, Rds7NieJestBranyZaRds)
{
    TKosztorysRds7 rds7(QString(), false, false, false);
    EXPECT_EQ(TKosztorysFactory::GetDefaultExtension(rds7), QStringLiteral(".rds7"));
    EXPECT_EQ(TKosztorysFactory::GetFilter(rds7), QStringLiteral("Kosztorys Rodos (*.rds7)|*.rds7"));
    TKosztorysRds rds(QString(), false, false, false);
    EXPECT_EQ(TKosztorysFactory::GetFilter(rds), QStringLiteral("Kosztorys Rodos (*.rds)|*.rds"));
}

TEST_F(KosztorysFactoryTest, ListaFiltrow)
{
    EXPECT_EQ(
        TKosztorysFactory::GetListaFiltrow(),
        (QStringList{QStringLiteral("Kosztorys ATH (*.ath)|*.ath"), QStringLiteral("Kosztorys Rodos (*.rds)|*.rds"),
                     QStringLiteral("Kosztorys Zuzi (*.xml)|*.xml"), QStringLiteral("Kosztorys Edbud (*.mdb)|*.mdb"),
                     QStringLiteral("Kosztorys FWD (*.fwd)|*.fwd"), QStringLiteral("Kosztorys Rodos (*.rds7)|*.rds7"),
                     QStringLiteral("Wszystkie obsługiwane|*.ath;*.rds;*.xml;*.mdb;*.fwd;*.rds7")}));
    EXPECT_TRUE(TKosztorysFactory::GetFiltrDialogu().endsWith(
        QStringLiteral(";;Wszystkie obsługiwane (*.ath *.rds *.xml *.mdb *.fwd *.rds7)")));
}

TEST_F(KosztorysFactoryTest, WczytanieOdRazuIBladCzytnika)
{
    QTemporaryDir dir;
    const QString brak = dir.filePath(QStringLiteral("brak.rds"));
    EXPECT_THROW(TKosztorysFactory::GetKosztorys(brak, true, {}), EBlad);
    EXPECT_NE(TKosztorysFactory::GetKosztorys(brak, false, {}), nullptr);
}

// An ATH estimate without identifiers, read with Indeksuj: one repaired copy beside it, which the estimate
// names; never a copy of the copy.
TEST_F(KosztorysFactoryTest, CzytaPlikJedenRaz)
{
    QTemporaryDir dir;
    const QString zrodlo = dir.filePath(QStringLiteral("most.ath"));
    ZapiszPlik(zrodlo, "pr=NORMA 4.50\r\n[POZYCJA]\r\nnu=1\r\nna=Wykopy\r\n");
    const auto k = TKosztorysFactory::GetKosztorys(zrodlo, true, {}, false, true);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->FilePath().GetPath(), dir.filePath(QStringLiteral("most - kopia.ath")));
    EXPECT_EQ(k->PozycjeCount(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("most - kopia.ath"), QStringLiteral("most.ath")}));
}

} // namespace
