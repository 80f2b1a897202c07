// The list as a tree: lookups by number and by document, filtering, path validation, events.
#include "specs/SpisST.h"
#include "app/Wyjatki.h"
#include "specs/PomocnikSpecyfikacji.h"
#include "specs/WyjatkiSpecyfikacji.h"

#include <QDir>

namespace {

class SpisST : public TestSpecyfikacji
{
public:
    // root
    //  +- G "D-01" (group) "Roboty przygotowawcze"
    //  |   +- S1 "D-01.01.01" variants A (document), B
    //  |   +- S2 "D-01.02.01"
    //  +- X "X" (group)
    //  |   +- XS "X" (specification) variant "A"
    //  +- S3 "d-01.01.01 " (same number as S1, later) variant "C"
    //  +- GB "" (group without number) "Pusta grupa"
    //  +- H "H" (group)
    //      +- HE "H-1" (group)
    //          +- HB "" (group without number) "Bez numeru głęboko"
    void SetUp() override
    {
        G = Dodaj(Spis, NowaGrupa(QStringLiteral("D-01"), QStringLiteral("Roboty przygotowawcze")));
        S1 = Dodaj(*G, NowaSpecyfikacja(QStringLiteral("D-01.01.01"), Dokument(QStringLiteral("D-01.01.01.doc")),
                                        QStringLiteral("Odtworzenie trasy")));
        S1A = DodajWariant(*S1, NowyWariant(QStringLiteral("A"), QStringLiteral("zabudowa"),
                                            Dokument(QStringLiteral("wariantA.odt"))));
        S1B = DodajWariant(*S1, NowyWariant(QStringLiteral("B"), QStringLiteral("bez zabudowy")));
        S2 = Dodaj(*G, NowaSpecyfikacja(QStringLiteral("D-01.02.01"), QString(), QStringLiteral("Usunięcie drzew")));
        X = Dodaj(Spis, NowaGrupa(QStringLiteral("X")));
        XS = Dodaj(*X, NowaSpecyfikacja(QStringLiteral("X")));
        XSA = DodajWariant(*XS, NowyWariant(QStringLiteral("A")));
        S3 = Dodaj(Spis,
                   NowaSpecyfikacja(QStringLiteral("d-01.01.01 "), QString(), QStringLiteral("Druga o tym numerze")));
        S3C = DodajWariant(*S3, NowyWariant(QStringLiteral("C")));
        GB = Dodaj(Spis, NowaGrupa(QString(), QStringLiteral("Pusta grupa")));
        H = Dodaj(Spis, NowaGrupa(QStringLiteral("H")));
        HE = Dodaj(*H, NowaGrupa(QStringLiteral("H-1")));
        HB = Dodaj(*HE, NowaGrupa(QString(), QStringLiteral("Bez numeru głęboko")));
    }

    TSpisST Spis;
    TSpecyfikacja* Korzen = &Spis;
    TSpecyfikacja *G = nullptr, *S1 = nullptr, *S2 = nullptr, *X = nullptr, *XS = nullptr, *S3 = nullptr;
    TSpecyfikacja *GB = nullptr, *H = nullptr, *HE = nullptr, *HB = nullptr;
    TWariantSpecyfikacji *S1A = nullptr, *S1B = nullptr, *XSA = nullptr, *S3C = nullptr;
};

constexpr TFindSpecyfikacjaFlags Spec = fsSzukajWSpecyfikacjach;
constexpr TFindSpecyfikacjaFlags Grupy = fsSzukajWGrupach;
constexpr TFindSpecyfikacjaFlags Wariant = fsSzukajWariantu;
constexpr TFindSpecyfikacjaFlags Czesc = fsCzescioweDopasowanie;
constexpr TFindSpecyfikacjaFlags Uwzgl = fsUwzglednijGrupy;

TEST_F(SpisST, FindSpecyfikacjaWedlugRegul)
{
    struct TPrzypadek
    {
        const char* Numer;
        TFindSpecyfikacjaFlags Flagi;
        TSpecyfikacja* SpisST::*Wynik;
        TWariantSpecyfikacji* SpisST::*Wariant;
        bool Pelne;
    };
    const TPrzypadek przypadki[] = {
        // Trimmed, any letter case, the first in depth-first order.
        {"d-01.01.01", Spec, &SpisST::S1, nullptr, true},
        {"  D-01.01.01  ", Spec, &SpisST::S1, nullptr, true},
        // Groups are candidates only with fsSzukajWGrupach, specifications only with fsSzukajWSpecyfikacjach.
        {"D-01", Spec, nullptr, nullptr, true},
        {"d-01", Grupy, &SpisST::G, nullptr, true},
        {"D-01.01.01", Grupy, nullptr, nullptr, true},
        {"D-01.01.01", TFindSpecyfikacjaFlags(), nullptr, nullptr, true},
        // The root is a group like any other.
        {"spisst", Grupy, &SpisST::Korzen, nullptr, true},
        // The variant after "#".
        {"D-01.01.01#a", Spec | Wariant, &SpisST::S1, &SpisST::S1A, true},
        {"D-01.01.01 # b ", Spec | Wariant, &SpisST::S1, &SpisST::S1B, true},
        // A missing variant: the node gives nothing and the search goes on to the next with that number.
        {"D-01.01.01#C", Spec | Wariant, &SpisST::S3, &SpisST::S3C, true},
        {"D-01.01.01#Z", Spec | Wariant, nullptr, nullptr, false},
        {"D-01.01.01#Z", Spec | Wariant | Czesc, &SpisST::S1, nullptr, false},
        {"D-01.01.01#Z", Spec | Wariant | Czesc | Uwzgl, nullptr, nullptr, false},
        // Without fsSzukajWariantu "#" is part of the number.
        {"D-01.01.01#A", Spec, nullptr, nullptr, true},
        // "#" with nothing after it names no variant.
        {"D-01.01.01#", Spec | Wariant, nullptr, nullptr, true},
        {"#A", Spec | Wariant, nullptr, nullptr, false},
        {"", Spec | Grupy, nullptr, nullptr, true},
        {"   ", Spec | Grupy, nullptr, nullptr, true},
        // A matching group that gives nothing hides its children: the specification "X" below it is never
        // reached; without groups as candidates it is.
        {"X#A", Spec | Grupy | Wariant, nullptr, nullptr, false},
        {"X#A", Spec | Wariant, &SpisST::XS, &SpisST::XSA, true},
        {"x", Spec | Grupy, &SpisST::X, nullptr, true},
        {"X#A", Spec | Grupy | Wariant | Czesc, &SpisST::X, nullptr, false},
    };
    for (const TPrzypadek& p : przypadki) {
        const QString numer = QString::fromUtf8(p.Numer);
        TWariantSpecyfikacji* wariant = S1A;
        bool pelne = !p.Pelne;
        TSpecyfikacja* wynik = Spis.FindSpecyfikacja(numer, wariant, p.Flagi, pelne);
        EXPECT_EQ(wynik, p.Wynik ? this->*p.Wynik : nullptr) << p.Numer << " flagi " << p.Flagi.toInt();
        EXPECT_EQ(wariant, p.Wariant ? this->*p.Wariant : nullptr) << p.Numer << " flagi " << p.Flagi.toInt();
        EXPECT_EQ(pelne, p.Pelne) << p.Numer << " flagi " << p.Flagi.toInt();

        TWariantSpecyfikacji* wariant2 = nullptr;
        bool pelne2 = false;
        EXPECT_EQ(Spis.FindSpecyfikacjaPrzejscie(numer, wariant2, p.Flagi, pelne2), wynik) << p.Numer;
        EXPECT_EQ(wariant2, wariant) << p.Numer;
        EXPECT_EQ(pelne2, pelne) << p.Numer;
    }
}

TEST_F(SpisST, FlagiDopasowaniaPozycji)
{
    EXPECT_EQ(FlagiDopasowaniaPozycji(false).toInt(), 16);
    EXPECT_EQ(FlagiDopasowaniaPozycji(true).toInt(), 16 | 4 | 2);
}

TEST_F(SpisST, FindSpecyfikacjaPlikPoNazwiePliku)
{
    // Another document of the same name in another folder, and a missing one.
    QDir(Katalog.path()).mkpath(QStringLiteral("inny"));
    const QString wInnym = Katalog.filePath(QStringLiteral("inny/WARIANTA.ODT"));
    ZapiszPlik(wInnym, "x");
    TSpecyfikacja* brak =
        Dodaj(Spis, NowaSpecyfikacja(QStringLiteral("B-1"), BrakujacyDokument(QStringLiteral("brak.doc"))));
    TSpecyfikacja* drugi = Dodaj(Spis, NowaSpecyfikacja(QStringLiteral("B-2"), wInnym));

    TWariantSpecyfikacji* wariant = nullptr;
    EXPECT_EQ(Spis.FindSpecyfikacjaPlik(QStringLiteral("/zupelnie/inny/folder/d-01.01.01.DOC"), wariant), S1);
    EXPECT_EQ(wariant, nullptr);
    EXPECT_EQ(Spis.FindSpecyfikacjaPlik(QStringLiteral("C:\\Dane\\ wariantA.odt "), wariant), S1);
    EXPECT_EQ(wariant, S1A);
    EXPECT_EQ(Spis.FindSpecyfikacjaPlik(QStringLiteral("brak.doc"), wariant), nullptr)
        << "a missing document never matches";
    EXPECT_EQ(Spis.FindSpecyfikacjaPlik(QStringLiteral("   "), wariant), nullptr);
    EXPECT_EQ(Spis.FindSpecyfikacjaPlik(QString(), wariant), nullptr);
    EXPECT_TRUE(Spis.CzyUzywanyPlik(QStringLiteral("WariantA.odt")));
    EXPECT_FALSE(Spis.CzyUzywanyPlik(QStringLiteral("brak.doc")));

    // The document appears later, without any event: it matches from then on.
    ZapiszPlik(BrakujacyDokument(QStringLiteral("brak.doc")), "x");
    EXPECT_EQ(Spis.FindSpecyfikacjaPlik(QStringLiteral("brak.doc")), brak);
    EXPECT_NE(drugi, nullptr);
}

TEST_F(SpisST, FindSpecyfikacjaPlikOstatniPasujacyWariant)
{
    TSpecyfikacja* s = Dodaj(Spis, NowaSpecyfikacja(QStringLiteral("W-1")));
    QDir(Katalog.path()).mkpath(QStringLiteral("a"));
    QDir(Katalog.path()).mkpath(QStringLiteral("b"));
    ZapiszPlik(Katalog.filePath(QStringLiteral("a/wspolny.doc")), "x");
    ZapiszPlik(Katalog.filePath(QStringLiteral("b/wspolny.doc")), "x");
    DodajWariant(*s, NowyWariant(QStringLiteral("1"), QString(), Katalog.filePath(QStringLiteral("a/wspolny.doc"))));
    TWariantSpecyfikacji* drugi = DodajWariant(
        *s, NowyWariant(QStringLiteral("2"), QString(), Katalog.filePath(QStringLiteral("b/wspolny.doc"))));
    TWariantSpecyfikacji* wariant = nullptr;
    EXPECT_EQ(Spis.FindSpecyfikacjaPlik(QStringLiteral("wspolny.doc"), wariant), s);
    EXPECT_EQ(wariant, drugi);
}

TEST_F(SpisST, CzyUzywanyNumer)
{
    EXPECT_TRUE(Spis.CzyUzywanyNumer(QStringLiteral(" d-01.02.01")));
    EXPECT_FALSE(Spis.CzyUzywanyNumer(QStringLiteral("D-01")));
    EXPECT_TRUE(Spis.CzyUzywanyNumerWGrupach(QStringLiteral("d-01")));
    EXPECT_FALSE(Spis.CzyUzywanyNumerWGrupach(QStringLiteral("D-01.02.01")));
    EXPECT_TRUE(Spis.CzyUzywanyNumerWGrupach(QStringLiteral("SpisSt")));
    // Numbers are taken whole: "#" belongs to the number here.
    EXPECT_FALSE(Spis.CzyUzywanyNumer(QStringLiteral("D-01.01.01#A")));
}

TEST_F(SpisST, CzyIstniejePustyNumerWGrupie)
{
    QString opis;
    EXPECT_TRUE(Spis.CzyIstniejePustyNumerWGrupie(opis));
    EXPECT_EQ(opis, QStringLiteral("Pusta grupa"));
    Spis.Remove(GB);
    EXPECT_TRUE(Spis.CzyIstniejePustyNumerWGrupie(opis));
    EXPECT_EQ(opis, QStringLiteral("Bez numeru głęboko"));
    HE->Remove(HB);
    opis = QStringLiteral("bez zmian");
    EXPECT_FALSE(Spis.CzyIstniejePustyNumerWGrupie(opis));
    EXPECT_EQ(opis, QStringLiteral("bez zmian"));
}

TEST_F(SpisST, Filtruj)
{
    auto widoczne = [&] {
        QStringList wynik;
        std::vector<const TSpecyfikacja*> stos{&Spis};
        while (!stos.empty()) {
            const TSpecyfikacja* w = stos.back();
            stos.pop_back();
            if (w != &Spis && !w->Hidden())
                wynik << w->GetCaption();
            for (int i = w->Count() - 1; i >= 0; --i)
                stos.push_back(w->GetSpecyfikacja(i));
        }
        return wynik;
    };
    // The filter finds the text in "number title"; ancestors of a shown node are shown.
    Spis.Filtruj(QStringLiteral("TRASY"), nullptr);
    EXPECT_EQ(widoczne(), QStringList({QStringLiteral("D-01 Roboty przygotowawcze"),
                                       QStringLiteral("D-01.01.01 Odtworzenie trasy")}));
    // Only inside the chosen group.
    Spis.Filtruj(QStringLiteral("01.01"), G);
    EXPECT_EQ(widoczne(), QStringList({QStringLiteral("D-01 Roboty przygotowawcze"),
                                       QStringLiteral("D-01.01.01 Odtworzenie trasy")}));
    Spis.Filtruj(QStringLiteral("x"), H);
    EXPECT_TRUE(widoczne().isEmpty());
    // The group itself qualifies when its own caption holds the text.
    Spis.Filtruj(QStringLiteral("D-01"), G);
    EXPECT_EQ(widoczne().size(), 3);
    // An empty filter shows everything, whatever group is chosen.
    Spis.Filtruj(QString(), H);
    EXPECT_EQ(widoczne().size(), 10);
}

TEST_F(SpisST, WalidujSciezki)
{
    TSpisST spis;
    spis.UstawKatalogUzytkownika(Katalog.path());
    TSpecyfikacja* s = Dodaj(spis, NowaSpecyfikacja(QStringLiteral("L-1"), Katalog.path() + QStringLiteral("/a.doc")));
    ASSERT_TRUE(s->GetEncodedPath().startsWith(TMyPath::Token));
    // "%USERPATH%/a.doc" becomes new folder + "/a.doc": 6 characters after the folder.
    const QString dobry = QStringLiteral("/") + QString(252, QLatin1Char('k')); // 253 + 6 = 259
    EXPECT_NO_THROW(spis.WalidujSciezki(dobry));
    const QString zaDlugi = dobry + QLatin1Char('k'); // 260
    try {
        spis.WalidujSciezki(zaDlugi);
        ADD_FAILURE() << "260 characters must be refused";
    } catch (const ELongPathException& e) {
        EXPECT_EQ(e.Komunikat(), zaDlugi + QStringLiteral("/a.doc"));
    }
    // Case of the token does not matter; a variant's document counts too.
    s->SetPlik(QString());
    TSpecyfikacja* drugi = Dodaj(spis, NowaSpecyfikacja(QStringLiteral("L-2")));
    DodajWariant(*drugi, NowyWariant(QStringLiteral("Z"), QString(), QStringLiteral("%userpath%/b.doc")));
    EXPECT_THROW(spis.WalidujSciezki(zaDlugi), ELongPathException);
}

TEST_F(SpisST, ZdarzeniaListy)
{
    int nazwy = 0;
    Spis.SetOnZmianaNazwyPliku([&](TSpisST* s) {
        EXPECT_EQ(s, &Spis);
        ++nazwy;
    });
    EXPECT_EQ(nazwy, 1) << "fired at once when assigned";

    TRejestrZmian rejestr;
    Spis.SetOnZmieniono(rejestr.Zdarzenie());
    S2->SetOpis(QStringLiteral("nowy"));
    S1A->SetOpis(QStringLiteral("nowy wariant"));
    ASSERT_EQ(rejestr.Nadawcy.size(), 2u);
    EXPECT_EQ(rejestr.Nadawcy[0], S2);
    EXPECT_EQ(rejestr.Nadawcy[1], S1A);
    // The list keeps answering after the change.
    S2->SetNumer(QStringLiteral("D-01.02.99"));
    EXPECT_EQ(Spis.FindSpecyfikacja(QStringLiteral("d-01.02.99"), Spec), S2);
    EXPECT_EQ(Spis.FindSpecyfikacja(QStringLiteral("D-01.02.01"), Spec), nullptr);
}

TEST_F(SpisST, KorzenListy)
{
    TSpisST pusty;
    EXPECT_EQ(pusty.Numer(), QStringLiteral("SpisSt"));
    EXPECT_EQ(pusty.Opis(), QStringLiteral("Spis specyfikacji"));
    EXPECT_TRUE(pusty.CzyGrupa());
    EXPECT_EQ(pusty.KtoryPoziom(), 0);
    EXPECT_TRUE(pusty.GetEncodedPath().isEmpty());
    EXPECT_TRUE(pusty.GetSpisStPath()->EncodedPath().isEmpty());
    EXPECT_EQ(TSpisST::SciezkaKopiiZapasowej(QStringLiteral("/a/Lista.sst")), QStringLiteral("/a/Lista.~sst"));
    EXPECT_EQ(TSpisST::SciezkaKopiiZapasowej(QStringLiteral("/a/Lista")), QStringLiteral("/a/Lista.~sst"));
}

TEST_F(SpisST, WyczyscOproznia)
{
    Spis.Wyczysc();
    EXPECT_EQ(Spis.Count(), 0);
    EXPECT_EQ(Spis.RozmiarIndeksu(), 1);
    EXPECT_EQ(Spis.FindSpecyfikacja(QStringLiteral("D-01.01.01"), Spec), nullptr);
}

} // namespace
