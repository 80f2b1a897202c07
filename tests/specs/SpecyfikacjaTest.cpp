// One node: creation, setters and their events, documents, captions, Overwrite, Equals and Clone.

#include "specs/PomocnikSpecyfikacji.h"

#include "app/Wyjatki.h"
#include "prices/CenaJedn.h"
#include "specs/JmSpecyfikacji.h"

#include <QFile>

namespace {

class Specyfikacja : public TestSpecyfikacji
{
};

TEST_F(Specyfikacja, TworzenieUstalaPlikIStanPoczatkowy)
{
    const QString plik = Dokument(QStringLiteral("a.doc"));
    TSpecyfikacja spec(QStringLiteral("D-01"), true, false, QStringLiteral("uwagi"), plik, QStringLiteral("Roboty"));
    EXPECT_EQ(spec.Numer(), QStringLiteral("D-01"));
    EXPECT_EQ(spec.Opis(), QStringLiteral("Roboty"));
    EXPECT_EQ(spec.Info(), QStringLiteral("uwagi"));
    EXPECT_TRUE(spec.CzyWarunkiOgolne());
    EXPECT_FALSE(spec.CzyGrupa());
    EXPECT_EQ(spec.GetPlik(), plik);
    EXPECT_TRUE(spec.CzyIstnieje());
    EXPECT_EQ(spec.Parent(), nullptr);
    EXPECT_EQ(spec.Data(), nullptr);
    EXPECT_FALSE(spec.Hidden());
    EXPECT_EQ(spec.Count(), 0);
    EXPECT_EQ(spec.WariantyCount(), 0);
    EXPECT_EQ(spec.JmCount(), 0);

    TSpecyfikacja brak(QStringLiteral("D-02"), false, false, QString(), BrakujacyDokument(QStringLiteral("b.doc")),
                       QString());
    EXPECT_FALSE(brak.CzyIstnieje());
    EXPECT_TRUE(brak.GetPlik().isEmpty());
    EXPECT_TRUE(brak.GetLongPath().isEmpty());
    EXPECT_EQ(brak.GetPath()->GetPath(), BrakujacyDokument(QStringLiteral("b.doc")))
        << "a missing document keeps its path";

    TSpecyfikacja grupa(QStringLiteral("G"), false, true, QString(), plik, QString());
    EXPECT_TRUE(grupa.GetEncodedPath().isEmpty()) << "a group has no document";
    EXPECT_FALSE(grupa.CzyIstnieje());
}

TEST_F(Specyfikacja, NumerNieMozeBycPustyAleZachowujeOdstepy)
{
    TSpecyfikacja spec(QStringLiteral("D-01"), false, false, QString(), QString(), QString());
    TRejestrZmian zmiany;
    spec.SetOnZmieniono(zmiany.Zdarzenie());
    for (const QString& pusty : {QString(), QStringLiteral("   "), QStringLiteral("\t")}) {
        try {
            spec.SetNumer(pusty);
            ADD_FAILURE() << "a blank number was accepted";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QStringLiteral("Numer nie może być pusty."));
        }
    }
    EXPECT_EQ(spec.Numer(), QStringLiteral("D-01"));
    spec.SetNumer(QStringLiteral("D-01"));
    EXPECT_TRUE(zmiany.Nadawcy.empty());
    spec.SetNumer(QStringLiteral(" D-02 "));
    EXPECT_EQ(spec.Numer(), QStringLiteral(" D-02 "));
    ASSERT_EQ(zmiany.Nadawcy.size(), 1u);
    EXPECT_EQ(zmiany.Nadawcy[0], &spec);
}

TEST_F(Specyfikacja, SetteryZglaszajaZmianeTylkoGdyWartoscInna)
{
    TSpecyfikacja spec(QStringLiteral("D-01"), false, false, QString(), QString(), QStringLiteral("A"));
    TRejestrZmian zmiany;
    spec.SetOnZmieniono(zmiany.Zdarzenie());
    spec.SetOpis(QStringLiteral("A"));
    spec.SetInfo(QString());
    spec.SetCzyWarunkiOgolne(false);
    EXPECT_TRUE(zmiany.Nadawcy.empty());
    spec.SetOpis(QStringLiteral("B"));
    spec.SetInfo(QStringLiteral("i"));
    spec.SetCzyWarunkiOgolne(true);
    EXPECT_EQ(zmiany.Nadawcy.size(), 3u);
    EXPECT_EQ(spec.Opis(), QStringLiteral("B"));
    EXPECT_EQ(spec.Info(), QStringLiteral("i"));
    EXPECT_TRUE(spec.CzyWarunkiOgolne());
    // Filter marks, the interface slot and the background check are not changes of the list.
    int slot = 0;
    spec.SetHidden(true);
    spec.SetData(&slot);
    spec.SetCzyIstnieje(true);
    EXPECT_EQ(zmiany.Nadawcy.size(), 3u);
    EXPECT_EQ(spec.Data(), &slot);
}

TEST_F(Specyfikacja, SetPlikPorownujeSciezkiRozkodowane)
{
    const QString plik = Dokument(QStringLiteral("a.doc"));
    TSpecyfikacja spec(QStringLiteral("D-01"), false, false, QString(), QString(), QString(), Katalog.path());
    TRejestrZmian zmiany;
    spec.SetOnZmieniono(zmiany.Zdarzenie());

    spec.SetPlik(plik);
    EXPECT_EQ(spec.GetEncodedPath(), QStringLiteral("%USERPATH%/a.doc"));
    EXPECT_EQ(spec.GetPlik(), plik);
    EXPECT_TRUE(spec.CzyIstnieje()) << "the change re-checks the document";
    EXPECT_EQ(zmiany.Nadawcy.size(), 1u);

    spec.SetPlik(plik);
    spec.SetPlik(QStringLiteral("%USERPATH%/a.doc"));
    EXPECT_EQ(zmiany.Nadawcy.size(), 1u) << "the stored form of the same path is no change";

    spec.SetPlik(BrakujacyDokument(QStringLiteral("b.doc")));
    EXPECT_EQ(zmiany.Nadawcy.size(), 2u);
    EXPECT_FALSE(spec.CzyIstnieje());
    EXPECT_TRUE(spec.GetPlik().isEmpty());
    EXPECT_EQ(spec.GetEncodedPath(), QStringLiteral("%USERPATH%/b.doc"));

    TSpecyfikacja grupa(QStringLiteral("G"), false, true, QString(), QString(), QString());
    TRejestrZmian zmianyGrupy;
    grupa.SetOnZmieniono(zmianyGrupy.Zdarzenie());
    grupa.SetPlik(plik);
    EXPECT_TRUE(grupa.GetEncodedPath().isEmpty());
    EXPECT_EQ(zmianyGrupy.Nadawcy.size(), 1u);
}

TEST_F(Specyfikacja, ZmianaSprawdzaPonownieIstnieniePliku)
{
    const QString plik = Dokument(QStringLiteral("a.doc"));
    TSpecyfikacja spec(QStringLiteral("D-01"), false, false, QString(), plik, QString());
    ASSERT_TRUE(spec.CzyIstnieje());
    ASSERT_TRUE(QFile::remove(plik));
    EXPECT_TRUE(spec.CzyIstnieje()) << "nothing has looked yet";
    spec.SetOpis(QStringLiteral("nowy"));
    EXPECT_FALSE(spec.CzyIstnieje());
}

TEST_F(Specyfikacja, OpisITekstDiagnostyczny)
{
    EXPECT_EQ(TSpecyfikacja(QStringLiteral("D-01"), false, false, QString(), QString(), QStringLiteral("Roboty "))
                  .GetCaption(),
              QStringLiteral("D-01 Roboty"));
    EXPECT_EQ(
        TSpecyfikacja(QStringLiteral(" "), false, true, QString(), QString(), QStringLiteral("Grupa")).GetCaption(),
        QStringLiteral("Grupa"));
    EXPECT_EQ(TSpecyfikacja(QStringLiteral("D-01"), false, true, QString(), QString(), QString()).GetCaption(),
              QStringLiteral("D-01"));

    const QString plik = BrakujacyDokument(QStringLiteral("a.doc"));
    TSpecyfikacja spec(QStringLiteral("D-01"), false, false, QString(), plik, QStringLiteral("Roboty"));
    EXPECT_EQ(spec.ToString(), QStringLiteral("Specyfikacja: D-01, Roboty, Plik: ") + plik +
                                   QStringLiteral(" encoded: ") + spec.GetEncodedPath());
}

struct PrzypadekEquals
{
    const char* Opis;
    const char* NumerA;
    const char* PlikA; // "istnieje:<name>", "brak:<name>" or empty
    const char* NumerB;
    const char* PlikB;
    bool Wynik;
};

class EqualsSpecyfikacji : public TestSpecyfikacji, public ::testing::WithParamInterface<PrzypadekEquals>
{
protected:
    QString Plik(const char* opis)
    {
        const QString s = QString::fromLatin1(opis);
        if (s.startsWith(QLatin1String("istnieje:")))
            return Dokument(s.mid(9));
        if (s.startsWith(QLatin1String("brak:")))
            return BrakujacyDokument(s.mid(5));
        return QString();
    }
};

TEST_P(EqualsSpecyfikacji, PorownujeNumerIIstniejacyPlik)
{
    const auto p = GetParam();
    TSpecyfikacja a(QString::fromLatin1(p.NumerA), false, false, QString(), Plik(p.PlikA), QString());
    TSpecyfikacja b(QString::fromLatin1(p.NumerB), false, false, QString(), Plik(p.PlikB), QString());
    EXPECT_EQ(a.Equals(&b), p.Wynik) << p.Opis;
    EXPECT_EQ(b.Equals(&a), p.Wynik) << p.Opis;
}

INSTANTIATE_TEST_SUITE_P(
    Przypadki, EqualsSpecyfikacji,
    ::testing::Values(
        PrzypadekEquals{"same number, same document", "D-01", "istnieje:a.doc", "D-01", "istnieje:a.doc", true},
        PrzypadekEquals{"both documents missing", "D-01", "brak:a.doc", "D-01", "brak:b.doc", true},
        PrzypadekEquals{"one missing, one existing", "D-01", "brak:a.doc", "D-01", "istnieje:b.doc", false},
        PrzypadekEquals{"different existing documents", "D-01", "istnieje:a.doc", "D-01", "istnieje:b.doc", false},
        PrzypadekEquals{"numbers differ in case", "d-01", "", "D-01", "", false},
        PrzypadekEquals{"numbers differ in blanks", "D-01 ", "", "D-01", "", false}));

TEST_F(Specyfikacja, EqualsZNiczymJestFalszem)
{
    TSpecyfikacja a(QStringLiteral("D-01"), false, false, QString(), QString(), QString());
    EXPECT_FALSE(a.Equals(nullptr));
    EXPECT_TRUE(a.Equals(&a));
}

TEST_F(Specyfikacja, OverwritePrzejmujeDaneIKopieWariantow)
{
    auto zrodlo = std::make_unique<TSpecyfikacja>(QStringLiteral("D-02"), true, false, QStringLiteral("info2"),
                                                  Dokument(QStringLiteral("b.doc")), QStringLiteral("Nowa"));
    zrodlo->SetHidden(true);
    TWariantSpecyfikacji* obcy = DodajWariant(*zrodlo, NowyWariant(QStringLiteral("A"), QStringLiteral("Wariant A"),
                                                                   BrakujacyDokument(QStringLiteral("wa.doc"))));
    obcy->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QStringLiteral("powierzchnia"), true));

    TSpecyfikacja korzen(QStringLiteral("SpisSt"), false, true, QString(), QString(), QString());
    TSpecyfikacja* cel = Dodaj(
        korzen, NowaSpecyfikacja(QStringLiteral("D-01"), Dokument(QStringLiteral("a.doc")), QStringLiteral("Stara")));
    DodajWariant(*cel, NowyWariant(QStringLiteral("X")));
    cel->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m3"), QString(), false));
    int slot = 0;
    cel->SetData(&slot);
    TRejestrZmian zmiany;
    cel->SetOnZmieniono(zmiany.Zdarzenie());

    cel->Overwrite(*zrodlo);
    EXPECT_EQ(cel->Numer(), QStringLiteral("D-02"));
    EXPECT_EQ(cel->Opis(), QStringLiteral("Nowa"));
    EXPECT_EQ(cel->Info(), QStringLiteral("info2"));
    EXPECT_EQ(cel->GetPlik(), zrodlo->GetPlik());
    EXPECT_TRUE(cel->CzyWarunkiOgolne());
    EXPECT_TRUE(cel->Hidden());
    EXPECT_EQ(cel->Parent(), &korzen);
    EXPECT_EQ(cel->Data(), &slot);
    ASSERT_EQ(cel->JmCount(), 1) << "units stay as they were";
    EXPECT_EQ(cel->GetJm(0)->Jm(), QStringLiteral("m3"));
    EXPECT_EQ(zmiany.Nadawcy.size(), 1u);

    ASSERT_EQ(cel->WariantyCount(), 1);
    TWariantSpecyfikacji* kopia = cel->GetWariant(0);
    EXPECT_NE(kopia, obcy);
    EXPECT_EQ(kopia->Numer(), QStringLiteral("A"));
    EXPECT_EQ(kopia->Opis(), QStringLiteral("Wariant A"));
    EXPECT_EQ(kopia->GetPath()->GetPath(), BrakujacyDokument(QStringLiteral("wa.doc")));
    EXPECT_EQ(kopia->Parent(), cel);
    ASSERT_EQ(kopia->JmCount(), 1);
    EXPECT_EQ(kopia->GetJm(0)->Jm(), QStringLiteral("m2"));
    EXPECT_NE(kopia->GetJm(0), obcy->GetJm(0));

    // The copied variant reports to its new owner's handler, the source is untouched and may go.
    zrodlo.reset();
    kopia->SetOpis(QStringLiteral("zmieniony"));
    ASSERT_EQ(zmiany.Nadawcy.size(), 2u);
    EXPECT_EQ(zmiany.Nadawcy[1], kopia);
}

TEST_F(Specyfikacja, OverwriteBrakujacegoPlikuCzysciSciezke)
{
    TSpecyfikacja zrodlo(QStringLiteral("D-02"), false, false, QString(), BrakujacyDokument(QStringLiteral("b.doc")),
                         QString());
    TSpecyfikacja cel(QStringLiteral("D-01"), false, false, QString(), Dokument(QStringLiteral("a.doc")), QString());
    cel.Overwrite(zrodlo);
    EXPECT_TRUE(cel.GetEncodedPath().isEmpty());
    EXPECT_FALSE(cel.CzyIstnieje());
}

TEST_F(Specyfikacja, OverwriteSamymSobaNicNiePsuje)
{
    TSpecyfikacja spec(QStringLiteral("D-01"), false, false, QString(), QString(), QStringLiteral("Opis"));
    DodajWariant(spec, NowyWariant(QStringLiteral("A"), QStringLiteral("Wariant A")));
    spec.Overwrite(spec);
    ASSERT_EQ(spec.WariantyCount(), 1);
    EXPECT_EQ(spec.GetWariant(0)->Opis(), QStringLiteral("Wariant A"));
    EXPECT_EQ(spec.Numer(), QStringLiteral("D-01"));
}

TEST_F(Specyfikacja, CloneNigdyNieKopiujeDzieci)
{
    TSpecyfikacja korzen(QStringLiteral("SpisSt"), false, true, QString(), QString(), QString());
    TSpecyfikacja* grupa = Dodaj(korzen, NowaGrupa(QStringLiteral("D-01"), QStringLiteral("Roboty")));
    Dodaj(*grupa, NowaSpecyfikacja(QStringLiteral("D-01.01")));
    int slot = 0;
    grupa->SetData(&slot);
    grupa->SetHidden(true);
    TRejestrZmian zmiany;
    grupa->SetOnZmieniono(zmiany.Zdarzenie());

    for (const bool zWszystkim : {false, true}) {
        auto kopia = grupa->Clone(zWszystkim, zWszystkim);
        EXPECT_EQ(kopia->Count(), 0);
        EXPECT_TRUE(kopia->CzyGrupa());
        EXPECT_EQ(kopia->Numer(), QStringLiteral("D-01"));
        EXPECT_EQ(kopia->Opis(), QStringLiteral("Roboty"));
        EXPECT_EQ(kopia->Data(), &slot);
        EXPECT_TRUE(kopia->Hidden());
        EXPECT_EQ(kopia->Parent(), nullptr);
        EXPECT_FALSE(kopia->OnZmieniono()) << "a copy reports to nobody until it is attached";
    }
}

TEST_F(Specyfikacja, CloneKopiujeDaneJednostkiIWarianty)
{
    const QString plik = BrakujacyDokument(QStringLiteral("a.doc"));
    TSpecyfikacja spec(QStringLiteral("D-01"), true, false, QStringLiteral("i"), plik, QStringLiteral("Roboty"),
                       Katalog.path());
    auto jm = std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QStringLiteral("powierzchnia"), true);
    jm->CenaJedn()->SetCena(12.5);
    spec.AddJm(std::move(jm));
    TWariantSpecyfikacji* w = DodajWariant(spec, NowyWariant(QStringLiteral("A"), QStringLiteral("Wariant A")));
    w->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m3"), QString(), false));

    auto pusta = spec.Clone(false, false);
    EXPECT_EQ(pusta->JmCount(), 0);
    EXPECT_EQ(pusta->WariantyCount(), 0);
    EXPECT_EQ(pusta->Numer(), QStringLiteral("D-01"));
    EXPECT_EQ(pusta->Info(), QStringLiteral("i"));
    EXPECT_TRUE(pusta->CzyWarunkiOgolne());
    EXPECT_FALSE(pusta->CzyGrupa());
    EXPECT_EQ(pusta->GetEncodedPath(), QStringLiteral("%USERPATH%/a.doc")) << "a missing document keeps its path";

    auto pelna = spec.Clone(true, true);
    ASSERT_EQ(pelna->JmCount(), 1);
    EXPECT_NE(pelna->GetJm(0), spec.GetJm(0));
    EXPECT_EQ(pelna->GetJm(0)->Jm(), QStringLiteral("m2"));
    EXPECT_DOUBLE_EQ(pelna->GetJm(0)->CenaJedn()->GetCena(), 12.5);
    ASSERT_EQ(pelna->WariantyCount(), 1);
    TWariantSpecyfikacji* kopiaW = pelna->GetWariant(0);
    EXPECT_NE(kopiaW, w);
    EXPECT_EQ(kopiaW->Parent(), pelna.get());
    EXPECT_EQ(kopiaW->Numer(), QStringLiteral("A"));
    ASSERT_EQ(kopiaW->JmCount(), 1);
    EXPECT_EQ(kopiaW->GetJm(0)->Jm(), QStringLiteral("m3"));
    // Still a variant: its caption and its refusal of tree operations go with it.
    EXPECT_EQ(kopiaW->GetCaption(), QStringLiteral("D-01A Wariant A"));
    EXPECT_THROW(kopiaW->Add(NowaSpecyfikacja(QStringLiteral("X"))), EBlad);
}

TEST_F(Specyfikacja, CloneWariantuDajeZwyklyWezel)
{
    TSpecyfikacja spec(QStringLiteral("D-01"), false, false, QString(), QString(), QString());
    TWariantSpecyfikacji* w = DodajWariant(
        spec, NowyWariant(QStringLiteral("A"), QStringLiteral("Wariant A"), Dokument(QStringLiteral("w.doc"))));
    auto kopia = w->Clone(true, true);
    EXPECT_EQ(dynamic_cast<TWariantSpecyfikacji*>(kopia.get()), nullptr);
    EXPECT_EQ(kopia->Parent(), nullptr);
    EXPECT_EQ(kopia->GetCaption(), QStringLiteral("A Wariant A"));
    EXPECT_EQ(kopia->GetPlik(), w->GetPlik());
    EXPECT_TRUE(kopia->Add(NowaSpecyfikacja(QStringLiteral("X")))) << "a plain node takes children";
}

TEST_F(Specyfikacja, CloneGrupyZWariantamiIJednostkamiNieZawodzi)
{
    // A specification that received a child became a group but kept its variants and units.
    TSpecyfikacja korzen(QStringLiteral("SpisSt"), false, true, QString(), QString(), QString());
    TSpecyfikacja* spec = Dodaj(korzen, NowaSpecyfikacja(QStringLiteral("D-01")));
    DodajWariant(*spec, NowyWariant(QStringLiteral("A")));
    spec->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), false));
    Dodaj(*spec, NowaSpecyfikacja(QStringLiteral("D-01.01")));
    ASSERT_TRUE(spec->CzyGrupa());

    std::unique_ptr<TSpecyfikacja> kopia;
    ASSERT_NO_THROW(kopia = spec->Clone(true, true));
    EXPECT_EQ(kopia->WariantyCount(), 1);
    EXPECT_EQ(kopia->JmCount(), 1);
    EXPECT_EQ(kopia->Count(), 0);
}

} // namespace
