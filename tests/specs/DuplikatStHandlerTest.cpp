// The duplicate handler: every answer of both questions, asked, remembered from the dialog and remembered
// from earlier imports; cancelled questions, unresolvable conflicts, a missing dialog, and the counter.
#include "specs/DuplikatStHandler.h"
#include "app/Wyjatki.h"
#include "specs/DuplikatyTestowe.h"

#include <memory>

namespace {

// Where the answer comes from.
enum class TTryb {
    Pytanie,            // asked for every collision
    PytanieZapamietane, // asked once, "remember" ticked
    Zapamietana,        // remembered from earlier imports, given to the handler: never asked
};

const char* NazwaTrybu(TTryb t)
{
    switch (t) {
    case TTryb::Pytanie:
        return "pytanie";
    case TTryb::PytanieZapamietane:
        return "pytanie zapamietane";
    case TTryb::Zapamietana:
        return "zapamietana";
    }
    return "";
}

const TTryb Tryby[] = {TTryb::Pytanie, TTryb::PytanieZapamietane, TTryb::Zapamietana};

// How many times the dialog is asked for two collisions.
int LiczbaPytan(TTryb t)
{
    return t == TTryb::Zapamietana ? 0 : t == TTryb::PytanieZapamietane ? 1 : 2;
}

// What the handler says about one incoming node.
struct TWynik
{
    bool Zuzyty = false;
    std::unique_ptr<TSpecyfikacja> S;
    TSpecyfikacja* Istniejacy = nullptr;
    bool CzyDuplikatPliku = false;
};

class DuplikatStHandler : public TestDuplikatow
{
protected:
    // A fresh list, dialog and configuration for the next case of a table.
    void OdNowa()
    {
        TearDown();
        Spis.Wyczysc();
        Dialog = TDialogDuplikatowTestowy();
        SetUp();
    }
    TWynik Sprawdz(TDuplikatStHandler& h, std::unique_ptr<TSpecyfikacja> s)
    {
        TWynik w;
        w.S = std::move(s);
        w.Istniejacy = &Spis; // must be reset by the handler
        w.Zuzyty = h.CzySaDuplikaty(Spis, w.S, w.Istniejacy, w.CzyDuplikatPliku, &Dialog);
        return w;
    }
};

TEST_F(DuplikatStHandler, KazdaOdpowiedzONumer)
{
    struct TPrzypadek
    {
        TOpcjaDuplikatowNumeru Odpowiedz;
        const char* Liczniki; // after both collisions
    };
    const TPrzypadek przypadki[] = {{doPomin, "0/0/2/0"}, {doNadpisz, "0/0/0/2"}};
    for (const TPrzypadek& p : przypadki) {
        for (TTryb tryb : Tryby) {
            OdNowa();
            SCOPED_TRACE(testing::Message() << "odpowiedz " << p.Odpowiedz << ", " << NazwaTrybu(tryb));
            for (int i = 0; i < LiczbaPytan(tryb); ++i)
                Dialog.OdpowiedziNumeru.push_back({p.Odpowiedz, tryb == TTryb::PytanieZapamietane});

            // The file question is never to be asked: its remembered answer would show if it were used.
            TDuplikatStHandler h({tryb == TTryb::Zapamietana ? p.Odpowiedz : doNone, dpoPominSt});
            EXPECT_EQ(h.GetZapamietanaOpcjaDuplikatowNumeru(), tryb == TTryb::Zapamietana ? p.Odpowiedz : doNone);
            const QString nowy1 = Plik("B/nowy1.doc", "n1");
            TSpecyfikacja* istniejace[] = {D0101, D0102};
            TWynik w1 = Sprawdz(h, NowaSpecyfikacja(QStringLiteral(" d-01.01 "), nowy1, QStringLiteral("Nowy 1")));
            TWynik w2 = Sprawdz(
                h, NowaSpecyfikacja(QStringLiteral("D-01.02"), Plik("B/nowy2.doc", "n2"), QStringLiteral("Nowy 2")));
            int i = 0;
            for (TWynik* w : {&w1, &w2}) {
                EXPECT_TRUE(w->Zuzyty);
                EXPECT_EQ(w->S.get(), nullptr);
                EXPECT_FALSE(w->CzyDuplikatPliku);
                EXPECT_EQ(w->Istniejacy, p.Odpowiedz == doNadpisz ? istniejace[i] : nullptr);
                ++i;
            }
            EXPECT_EQ(h.GetWybranaOpcjaDuplikatowNumeru(), p.Odpowiedz);
            EXPECT_EQ(h.GetWybranaOpcjaDuplikatowPliku(), dpoNone);
            EXPECT_EQ(h.GetZapamietanaOpcjaDuplikatowNumeru(),
                      tryb == TTryb::Zapamietana || tryb == TTryb::PytanieZapamietane ? p.Odpowiedz : doNone);
            const QStringList oczekiwane =
                QStringList({QStringLiteral("numer D-01.01 <-  d-01.01 "), QStringLiteral("numer D-01.02 <- D-01.02")})
                    .mid(0, LiczbaPytan(tryb));
            EXPECT_EQ(Dialog.Pytania, oczekiwane);
            EXPECT_EQ(Dialog.DuplikatPlikuWPytaniu,
                      std::deque<bool>(static_cast<std::size_t>(LiczbaPytan(tryb)), false));
            EXPECT_TRUE(Dialog.OdpowiedziNumeru.empty());
            EXPECT_EQ(Dialog.Liczniki(), QString::fromUtf8(p.Liczniki));
            if (p.Odpowiedz == doNadpisz) {
                EXPECT_EQ(D0101->Numer(), QStringLiteral(" d-01.01 "));
                EXPECT_EQ(D0101->Opis(), QStringLiteral("Nowy 1"));
                EXPECT_EQ(D0101->GetPlik(), nowy1);
                EXPECT_EQ(D0101->WariantyCount(), 0) << "the incoming node had no variants";
                EXPECT_EQ(D0102->Opis(), QStringLiteral("Nowy 2"));
            } else {
                EXPECT_EQ(D0101->Opis(), QStringLiteral("Odtworzenie trasy"));
                EXPECT_EQ(D0101->WariantyCount(), 1);
                EXPECT_EQ(D0102->Opis(), QStringLiteral("Usunięcie drzew"));
            }
            // The lookups follow the overwritten nodes.
            EXPECT_EQ(Spis.FindSpecyfikacja(QStringLiteral("D-01.01"), fsSzukajWSpecyfikacjach), D0101);
        }
    }
}

TEST_F(DuplikatStHandler, KazdaOdpowiedzOPlik)
{
    struct TPrzypadek
    {
        TOpcjaDuplikatowPliku Odpowiedz;
        bool Zuzyty;
        const char* Liczniki;
    };
    const TPrzypadek przypadki[] = {
        {dpoDodajBezPliku, false, "2/0/0/0"},
        {dpoNadpiszPlikIPominSt, true, "0/2/0/0"},
        {dpoNadpisz, true, "0/0/0/2"},
        {dpoPominSt, true, "0/0/2/0"},
    };
    for (const TPrzypadek& p : przypadki) {
        for (TTryb tryb : Tryby) {
            OdNowa();
            SCOPED_TRACE(testing::Message() << "odpowiedz " << p.Odpowiedz << ", " << NazwaTrybu(tryb));
            for (int i = 0; i < LiczbaPytan(tryb); ++i)
                Dialog.OdpowiedziPliku.push_back({p.Odpowiedz, tryb == TTryb::PytanieZapamietane});

            TDuplikatStHandler h({doPomin, tryb == TTryb::Zapamietana ? p.Odpowiedz : dpoNone});
            EXPECT_EQ(h.GetZapamietanaOpcjaDuplikatowPliku(), tryb == TTryb::Zapamietana ? p.Odpowiedz : dpoNone);
            // The same file names in other folders, the second in other letter case.
            const QString nowy1 = Plik("B/d0101.doc", "nowy 0101");
            const QString nowy2 = Plik("C/D0102.DOC", "nowy 0102");
            TWynik w1 = Sprawdz(h, NowaSpecyfikacja(QStringLiteral("X-01"), nowy1, QStringLiteral("Nowa 1")));
            TWynik w2 = Sprawdz(h, NowaSpecyfikacja(QStringLiteral("X-02"), nowy2, QStringLiteral("Nowa 2")));
            TSpecyfikacja* istniejace[] = {D0101, D0102};
            int i = 0;
            for (TWynik* w : {&w1, &w2}) {
                EXPECT_EQ(w->Zuzyty, p.Zuzyty);
                EXPECT_TRUE(w->CzyDuplikatPliku);
                EXPECT_EQ(w->S != nullptr, !p.Zuzyty);
                EXPECT_EQ(w->Istniejacy, p.Odpowiedz == dpoNadpisz ? istniejace[i] : nullptr);
                if (w->S) {
                    EXPECT_TRUE(w->S->GetPlik().isEmpty());
                    EXPECT_TRUE(w->S->GetEncodedPath().isEmpty());
                }
                ++i;
            }
            EXPECT_EQ(h.GetWybranaOpcjaDuplikatowPliku(), p.Odpowiedz);
            EXPECT_EQ(h.GetWybranaOpcjaDuplikatowNumeru(), doNone);
            EXPECT_EQ(h.GetZapamietanaOpcjaDuplikatowPliku(),
                      tryb == TTryb::Zapamietana || tryb == TTryb::PytanieZapamietane ? p.Odpowiedz : dpoNone);
            EXPECT_EQ(Dialog.Pytania,
                      QStringList({QStringLiteral("plik D-01.01 <- X-01"), QStringLiteral("plik D-01.02 <- X-02")})
                          .mid(0, LiczbaPytan(tryb)));
            EXPECT_EQ(Dialog.Liczniki(), QString::fromUtf8(p.Liczniki));
            const bool skopiowane = p.Odpowiedz == dpoNadpiszPlikIPominSt;
            EXPECT_EQ(CzytajPlik(Sciezka("A/d0101.doc")), skopiowane ? "nowy 0101" : "stary 0101");
            EXPECT_EQ(CzytajPlik(Sciezka("A/d0102.doc")), skopiowane ? "nowy 0102" : "stary 0102");
            EXPECT_EQ(CzytajPlik(nowy1), "nowy 0101") << "the incoming document is only read";
            EXPECT_EQ(PlikiW("A"), QStringList({QStringLiteral("d0101.doc"), QStringLiteral("d0102.doc"),
                                                QStringLiteral("wariant_a.doc")}));
            EXPECT_EQ(D0101->Numer(), p.Odpowiedz == dpoNadpisz ? QStringLiteral("X-01") : QStringLiteral("D-01.01"));
            EXPECT_EQ(D0101->GetPlik(), p.Odpowiedz == dpoNadpisz ? nowy1 : Sciezka("A/d0101.doc"));
        }
    }
}

TEST_F(DuplikatStHandler, PrzerwanePytanie)
{
    struct TPrzypadek
    {
        const char* Opis;
        bool ONumer;
    };
    for (const TPrzypadek p : {TPrzypadek{"numer", true}, TPrzypadek{"plik", false}}) {
        SCOPED_TRACE(p.Opis);
        Dialog = TDialogDuplikatowTestowy();
        Dialog.OdpowiedziNumeru.push_back({doNone, true});
        Dialog.OdpowiedziPliku.push_back({dpoNone, true});
        TDuplikatStHandler h({});
        auto s = p.ONumer ? NowaSpecyfikacja(QStringLiteral("D-01.02"), QString(), QStringLiteral("Nowa"))
                          : NowaSpecyfikacja(QStringLiteral("X-01"), Plik("B/d0102.doc", "nowy"));
        TSpecyfikacja* wezel = s.get();
        TSpecyfikacja* istniejacy = nullptr;
        bool czyPliku = false;
        try {
            h.CzySaDuplikaty(Spis, s, istniejacy, czyPliku, &Dialog);
            ADD_FAILURE() << "a cancelled question ends the import";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QStringLiteral("Znaleziono duplikaty - import przerwany."));
        }
        EXPECT_EQ(s.get(), wezel) << "the incoming node stays with the caller";
        EXPECT_EQ(Dialog.Pytania.size(), 1);
        EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("0/0/0/0"));
        EXPECT_EQ(D0102->Opis(), QStringLiteral("Usunięcie drzew"));
        EXPECT_EQ(CzytajPlik(Sciezka("A/d0102.doc")), "stary 0102");
        EXPECT_EQ(czyPliku, !p.ONumer);
    }
}

TEST_F(DuplikatStHandler, NowyWezelIBrakujaceDokumenty)
{
    TDuplikatStHandler h({});
    // A new number with a document named like no other; a document that does not exist although an
    // existing one has its name; an existing node whose own document is missing; a blank number.
    const char* opisy[] = {"nowy", "brakujacy przychodzacy", "brakujacy istniejacy", "pusty numer"};
    std::unique_ptr<TSpecyfikacja> wezly[] = {
        NowaSpecyfikacja(QStringLiteral("X-01"), Plik("B/inny.doc", "x")),
        NowaSpecyfikacja(QStringLiteral("X-02"), Sciezka("B/d0101.doc")),
        NowaSpecyfikacja(QStringLiteral("X-03"), Plik("B/d0103.doc", "x")),
        NowaSpecyfikacja(QStringLiteral("  "), QString(), QStringLiteral("bez numeru")),
    };
    int i = 0;
    for (auto& s : wezly) {
        SCOPED_TRACE(opisy[i++]);
        TSpecyfikacja* wezel = s.get();
        TWynik w = Sprawdz(h, std::move(s));
        EXPECT_FALSE(w.Zuzyty);
        EXPECT_EQ(w.S.get(), wezel);
        EXPECT_EQ(w.Istniejacy, nullptr);
        EXPECT_FALSE(w.CzyDuplikatPliku);
    }
    EXPECT_TRUE(Dialog.Pytania.isEmpty());
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("4/0/0/0"));
    Dialog.Licznik.Clear();
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("0/0/0/0"));
}

TEST_F(DuplikatStHandler, NumerIPlikTegoSamegoWezlaToDuplikatNumeru)
{
    Dialog.OdpowiedziNumeru.push_back({doPomin, false});
    TDuplikatStHandler h({});
    TWynik w = Sprawdz(h, NowaSpecyfikacja(QStringLiteral("D-01.01"), Plik("B/d0101.doc", "nowy")));
    EXPECT_TRUE(w.Zuzyty);
    EXPECT_FALSE(w.CzyDuplikatPliku);
    EXPECT_EQ(Dialog.Pytania, QStringList({QStringLiteral("numer D-01.01 <- D-01.01")}));
    EXPECT_EQ(Dialog.DuplikatPlikuWPytaniu, std::deque<bool>({false}));
    EXPECT_EQ(h.GetWybranaOpcjaDuplikatowPliku(), dpoNone);
    EXPECT_EQ(CzytajPlik(Sciezka("A/d0101.doc")), "stary 0101");
}

TEST_F(DuplikatStHandler, GrupaZNumeremGrupyToDuplikatNumeru)
{
    Dialog.OdpowiedziNumeru.push_back({doNadpisz, false});
    TDuplikatStHandler h({});
    TWynik w = Sprawdz(h, NowaGrupa(QStringLiteral("d-01"), QStringLiteral("Przygotowanie terenu")));
    EXPECT_TRUE(w.Zuzyty);
    EXPECT_EQ(w.Istniejacy, GrupaD01);
    EXPECT_TRUE(GrupaD01->CzyGrupa());
    EXPECT_EQ(GrupaD01->Opis(), QStringLiteral("Przygotowanie terenu"));
    EXPECT_EQ(GrupaD01->Count(), 3) << "children stay";
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("0/0/0/1"));
}

TEST_F(DuplikatStHandler, GrupaNieNadpisujeSpecyfikacjiNaCzwartymPoziomie)
{
    TSpecyfikacja* element = Dodaj(*GrupaD01, NowaGrupa(QStringLiteral("D-01.09"), QStringLiteral("Element")));
    TSpecyfikacja* czwarty =
        Dodaj(*element, NowaSpecyfikacja(QStringLiteral("D-01.09.01"), QString(), QStringLiteral("Czwarty poziom")));
    Dialog.OdpowiedziNumeru = {{doNadpisz, false}, {doNadpisz, false}};
    TDuplikatStHandler h({});
    auto s = NowaGrupa(QStringLiteral("D-01.09.01"), QStringLiteral("Grupa"));
    TSpecyfikacja* istniejacy = nullptr;
    bool czyPliku = false;
    try {
        h.CzySaDuplikaty(Spis, s, istniejacy, czyPliku, &Dialog);
        ADD_FAILURE() << "a group cannot stand at level 4";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(),
                  QStringLiteral("Błąd! Próba dodania specyfikacji D-01.09.01 spowoduje przekroczenie "
                                 "maksymalnego poziomu zagnieżdżenia specyfikacji. Operacja przerwana."));
    }
    EXPECT_FALSE(czwarty->CzyGrupa());
    EXPECT_EQ(czwarty->Opis(), QStringLiteral("Czwarty poziom"));
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("0/0/0/0"));
    // The list still reads back whole; a group at level 3 may overwrite as before.
    TSpisST kopia;
    kopia.OtworzZBajtow(Spis.ZapiszDoBajtow());
    EXPECT_EQ(Drzewo(kopia), Drzewo(Spis));
    TWynik w = Sprawdz(h, NowaGrupa(QStringLiteral("D-01.01"), QStringLiteral("Teraz grupa")));
    EXPECT_EQ(w.Istniejacy, D0101);
    EXPECT_TRUE(D0101->CzyGrupa());
}

TEST_F(DuplikatStHandler, NierozwiazanyKonflikt)
{
    TDuplikatStHandler h({});
    auto s = NowaSpecyfikacja(QStringLiteral("D-01.01"), Plik("B/d0102.doc", "nowy"));
    TSpecyfikacja* istniejacy = nullptr;
    bool czyPliku = false;
    try {
        h.CzySaDuplikaty(Spis, s, istniejacy, czyPliku, &Dialog);
        ADD_FAILURE() << "number and document of two different nodes cannot be resolved";
    } catch (const EBlad& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Nierozwiązany konflikt duplikatów specyfikacji"));
    }
    EXPECT_EQ(Dialog.Pytania, QStringList({QStringLiteral("konflikt D-01.01: plik D-01.02, numer D-01.01")}));
    EXPECT_NE(s.get(), nullptr);
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("0/0/0/0"));
}

TEST_F(DuplikatStHandler, BrakDialogu)
{
    TDuplikatStHandler bezDialogu({});
    TDuplikatStHandler zDialogiem({}, &Dialog);
    for (bool przezInterfejs : {false, true}) {
        auto s = NowaSpecyfikacja(QStringLiteral("X-01"));
        TSpecyfikacja* istniejacy = nullptr;
        bool czyPliku = false;
        try {
            if (przezInterfejs)
                static_cast<IObslugaDuplikatowListy&>(bezDialogu).CzySaDuplikaty(Spis, s, istniejacy, czyPliku);
            else
                zDialogiem.CzySaDuplikaty(Spis, s, istniejacy, czyPliku, nullptr);
            ADD_FAILURE() << "no dialog, no decision";
        } catch (const EBlad& e) {
            EXPECT_EQ(e.Komunikat(), QStringLiteral("Brak możliwości wyświetlenia widoku duplikatu."));
        }
        EXPECT_NE(s.get(), nullptr);
    }
    // Through the list's interface the handler asks the dialog it was made with.
    auto s = NowaSpecyfikacja(QStringLiteral("X-01"));
    TSpecyfikacja* istniejacy = nullptr;
    bool czyPliku = false;
    EXPECT_FALSE(static_cast<IObslugaDuplikatowListy&>(zDialogiem).CzySaDuplikaty(Spis, s, istniejacy, czyPliku));
    EXPECT_EQ(Dialog.Liczniki(), QStringLiteral("1/0/0/0"));
}

TEST_F(DuplikatStHandler, KorzenListyNieJestDuplikatem)
{
    // The root carries the number "SpisSt" of its own: it is no entry of the catalogue.
    TDuplikatStHandler h({});
    TWynik w = Sprawdz(h, NowaGrupa(QStringLiteral("spisst")));
    EXPECT_FALSE(w.Zuzyty);
    EXPECT_TRUE(Dialog.Pytania.isEmpty());
    // A node of that number below the root is found.
    TSpecyfikacja* wezel = Dodaj(*GrupaD01, NowaSpecyfikacja(QStringLiteral("SpisSt"), QString(), QStringLiteral("x")));
    Dialog.OdpowiedziNumeru.push_back({doNadpisz, false});
    w = Sprawdz(h, NowaSpecyfikacja(QStringLiteral("SPISST"), QString(), QStringLiteral("Nowy")));
    EXPECT_TRUE(w.Zuzyty);
    EXPECT_EQ(w.Istniejacy, wezel);
    EXPECT_EQ(Spis.Numer(), QStringLiteral("SpisSt"));
    EXPECT_EQ(wezel->Opis(), QStringLiteral("Nowy"));
}

TEST_F(DuplikatStHandler, ZapamietaneZKonfiguracjiTylkoPrzyWlaczonymPrzelaczniku)
{
    struct TPrzypadek
    {
        bool CzyNumeru;
        bool CzyPliku;
        TZapamietaneOpcjeDuplikatow Oczekiwane;
    };
    const TPrzypadek przypadki[] = {
        {false, false, {doNone, dpoNone}},
        {true, false, {doNadpisz, dpoNone}},
        {false, true, {doNone, dpoPominSt}},
        {true, true, {doNadpisz, dpoPominSt}},
    };
    for (const TPrzypadek& p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.CzyNumeru << p.CzyPliku);
        K->CzyZapamietacOpcjeDuplikatowNumeru = p.CzyNumeru;
        K->CzyZapamietacOpcjeDuplikatowPliku = p.CzyPliku;
        K->ZapamietanaOpcjaDuplikatowNumeru = doNadpisz;
        K->ZapamietanaOpcjaDuplikatowPliku = dpoPominSt;
        const TZapamietaneOpcjeDuplikatow migawka = TZapamietaneOpcjeDuplikatow::ZKonfiguracji(*K);
        EXPECT_EQ(migawka, p.Oczekiwane);
        // The handler keeps the answers it was given, whatever the configuration says later.
        TDuplikatStHandler h(migawka);
        K->CzyZapamietacOpcjeDuplikatowNumeru = !p.CzyNumeru;
        K->ZapamietanaOpcjaDuplikatowPliku = dpoNadpisz;
        EXPECT_EQ(h.GetZapamietanaOpcjaDuplikatowNumeru(), p.Oczekiwane.Numeru);
        EXPECT_EQ(h.GetZapamietanaOpcjaDuplikatowPliku(), p.Oczekiwane.Pliku);
    }
}

} // namespace
