// The background check of the list's documents.
#include "specs/CzyIstniejaPlikiThread.h"
#include "specs/PomocnikSpecyfikacji.h"
#include "specs/SpisST.h"

#include <QFile>

namespace {

class SpisSTWatek : public TestSpecyfikacji
{
};

TEST_F(SpisSTWatek, UstawiaIstnienieDokumentow)
{
    TSpisST spis;
    TSpecyfikacja* g = Dodaj(spis, NowaGrupa(QStringLiteral("G")));
    TSpecyfikacja* jest = Dodaj(*g, NowaSpecyfikacja(QStringLiteral("S-1"), Dokument(QStringLiteral("jest.doc"))));
    TSpecyfikacja* zniknie =
        Dodaj(*g, NowaSpecyfikacja(QStringLiteral("S-2"), Dokument(QStringLiteral("zniknie.doc"))));
    TSpecyfikacja* pojawi =
        Dodaj(spis, NowaSpecyfikacja(QStringLiteral("S-3"), BrakujacyDokument(QStringLiteral("pojawi.doc"))));
    TSpecyfikacja* wariant =
        DodajWariant(*jest, NowyWariant(QStringLiteral("A"), QString(), Dokument(QStringLiteral("w.doc"))));
    // The file system changes behind the list's back.
    QFile::remove(BrakujacyDokument(QStringLiteral("zniknie.doc")));
    QFile::remove(BrakujacyDokument(QStringLiteral("w.doc")));
    ZapiszPlik(BrakujacyDokument(QStringLiteral("pojawi.doc")), "x");
    g->SetCzyIstnieje(true);
    ASSERT_TRUE(zniknie->CzyIstnieje());
    ASSERT_FALSE(pojawi->CzyIstnieje());

    int ile = 0;
    TCzyIstniejaPlikiThread* nadawca = nullptr;
    spis.OdswiezIstnieniePlikow([&](TCzyIstniejaPlikiThread* t) {
        nadawca = t;
        ++ile;
    });
    TCzyIstniejaPlikiThread* watek = spis.CzyIstniejaPlikiThread();
    ASSERT_NE(watek, nullptr);
    EXPECT_EQ(watek->objectName(), QStringLiteral("CzyIstniejaPlikiThread"));
    watek->Czekaj();
    EXPECT_EQ(ile, 1);
    EXPECT_EQ(nadawca, watek);
    EXPECT_TRUE(jest->CzyIstnieje());
    EXPECT_FALSE(zniknie->CzyIstnieje());
    EXPECT_TRUE(pojawi->CzyIstnieje());
    EXPECT_FALSE(g->CzyIstnieje()) << "a group has no document";
    EXPECT_TRUE(wariant->CzyIstnieje()) << "variants are not checked";
}

TEST_F(SpisSTWatek, WezelUsunietyWTrakcieNieJestRuszany)
{
    TSpisST spis;
    TSpecyfikacja* a = Dodaj(spis, NowaSpecyfikacja(QStringLiteral("A"), Dokument(QStringLiteral("a.doc"))));
    Dodaj(spis, NowaSpecyfikacja(QStringLiteral("B"), Dokument(QStringLiteral("b.doc"))));
    TSpecyfikacja* c = Dodaj(spis, NowaSpecyfikacja(QStringLiteral("C"), Dokument(QStringLiteral("c.doc"))));
    QFile::remove(BrakujacyDokument(QStringLiteral("c.doc")));
    QFile::remove(BrakujacyDokument(QStringLiteral("a.doc")));
    spis.OdswiezIstnieniePlikow({});
    // The answers are written on this thread, after these edits: the freed node must be left alone, the
    // renamed one keeps what its own change found.
    spis.Remove(1);
    c->SetNumer(QStringLiteral("C-2"));
    ZapiszPlik(BrakujacyDokument(QStringLiteral("c.doc")), "x");
    spis.CzyIstniejaPlikiThread()->Czekaj();
    EXPECT_FALSE(a->CzyIstnieje());
    EXPECT_FALSE(c->CzyIstnieje()) << "the change re-checked the missing file; the late answer is not written";
}

TEST_F(SpisSTWatek, PominietyWezelIZatrzymanie)
{
    TSpisST spis;
    TSpecyfikacja* a = Dodaj(spis, NowaSpecyfikacja(QStringLiteral("A"), Dokument(QStringLiteral("a.doc"))));
    TSpecyfikacja* b = Dodaj(spis, NowaSpecyfikacja(QStringLiteral("B"), Dokument(QStringLiteral("b.doc"))));
    QFile::remove(BrakujacyDokument(QStringLiteral("a.doc")));
    QFile::remove(BrakujacyDokument(QStringLiteral("b.doc")));
    {
        TCzyIstniejaPlikiThread watek(&spis, {});
        watek.Pomin(a);
        watek.start();
        watek.Czekaj();
    }
    EXPECT_TRUE(a->CzyIstnieje());
    EXPECT_FALSE(b->CzyIstnieje());

    // Stopped before it starts: nothing is checked, the end is still reported.
    ZapiszPlik(BrakujacyDokument(QStringLiteral("b.doc")), "x");
    int koniec = 0;
    TCzyIstniejaPlikiThread watek(&spis, [&](TCzyIstniejaPlikiThread*) { ++koniec; });
    EXPECT_FALSE(spis.TerminatedSprawdzaniePlikow());
    watek.PoprosOZatrzymanie();
    EXPECT_TRUE(spis.TerminatedSprawdzaniePlikow());
    watek.start();
    watek.Czekaj();
    EXPECT_EQ(koniec, 1);
    EXPECT_FALSE(b->CzyIstnieje());
}

TEST_F(SpisSTWatek, NowaKontrolaZastepujeBiezacaAListaCzekaNaKoniec)
{
    int konce = 0;
    {
        TSpisST spis;
        for (int i = 0; i < 200; ++i)
            Dodaj(spis,
                  NowaSpecyfikacja(QStringLiteral("N-%1").arg(i), BrakujacyDokument(QStringLiteral("%1.doc").arg(i))));
        spis.OdswiezIstnieniePlikow([&](TCzyIstniejaPlikiThread*) { ++konce; });
        spis.OdswiezIstnieniePlikow([&](TCzyIstniejaPlikiThread*) { ++konce; });
        EXPECT_EQ(konce, 1) << "the first check ended before the second began";
        spis.ZatrzymajSprawdzaniePlikow();
        EXPECT_EQ(spis.CzyIstniejaPlikiThread(), nullptr);
        spis.OdswiezIstnieniePlikow([&](TCzyIstniejaPlikiThread*) { ++konce; });
    }
    EXPECT_EQ(konce, 3) << "the list waits for its check when it is freed";
}

} // namespace
