#include "specs/ScalanieList.h"
#include "specs/DuplikatStHandler.h"
#include "specs/DuplikatyTestowe.h"

namespace {

// "D(D-01(D-01.01,D-01.02))": the numbers of the subtree below the node.
QString Numery(const TSpecyfikacja& w)
{
    QStringList dzieci;
    for (int i = 0; i < w.Count(); ++i) {
        const TSpecyfikacja& d = *w.GetSpecyfikacja(i);
        dzieci << (d.Count() ? d.Numer() + QLatin1Char('(') + Numery(d) + QLatin1Char(')') : d.Numer());
    }
    return dzieci.join(QLatin1Char(','));
}

using TOdpNum = TDialogDuplikatowTestowy::TOdpowiedzNumeru;

// The added list (existing list: D(D-01(D-01.01,D-01.02,D-01.03)), see DuplikatyTestowe.h):
//   X (X-01 ), D "Inne drogowe" (D-01 (D-01.04, D-01.02)), T-01 (a specification on top)
class ScalanieListTest : public TestDuplikatow
{
protected:
    TSpisST Zrodlo;
    TSpecyfikacja *X, *X01, *D, *D01, *T01;

    void SetUp() override
    {
        TestDuplikatow::SetUp();
        X = Dodaj(Zrodlo, NowaGrupa(QStringLiteral("X"), QStringLiteral("Nowy rodzaj")));
        X01 = Dodaj(*X, NowaGrupa(QStringLiteral("X-01")));
        Dodaj(*X01, NowaSpecyfikacja(QStringLiteral("X-01.01")));
        D = Dodaj(Zrodlo, NowaGrupa(QStringLiteral("D"), QStringLiteral("Inne drogowe")));
        D01 = Dodaj(*D, NowaGrupa(QStringLiteral("D-01")));
        Dodaj(*D01, NowaSpecyfikacja(QStringLiteral("D-01.04")));
        Dodaj(*D01, NowaSpecyfikacja(QStringLiteral("D-01.02"), QString(), QStringLiteral("Nowy opis")));
        T01 = Dodaj(Zrodlo, NowaSpecyfikacja(QStringLiteral("T-01")));
    }
};

TEST_F(ScalanieListTest, ZagniezdzenieLiczyKorzenJakoGrupe)
{
    const struct
    {
        const TSpecyfikacja* zrodlo;
        const TSpecyfikacja* cel;
        QString blad;
    } przypadki[] = {
        {X, &Spis, {}},
        {X, GrupaD, {}},
        {X01, GrupaD01, {}},
        {T01, &Spis, {}},
        {X, GrupaD01,
         QStringLiteral("Nie można dodać rodzaju robót (X) do grupy robót (D-01) - zostanie przekroczony dopuszczalny "
                        "poziom zagnieżdżenia specyfikacji.")},
        {X01, D0101, QStringLiteral("Nie można dodawać do specyfikacji.")},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(TScalanieList::SprawdzZagniezdzenie(*p.zrodlo, *p.cel), p.blad) << p.zrodlo->Numer().toStdString();
}

TEST_F(ScalanieListTest, KopiaDodajeNadpisujePomijaIPrzerywa)
{
    const QString przed = QStringLiteral("D(D-01(D-01.01,D-01.02,D-01.03))");
    const struct
    {
        const char* nazwa;
        int zrodlo; // top-level node of the added list: 0 X, 1 D, 2 T-01
        std::deque<TOdpNum> odpowiedzi;
        QString drzewo;
        QString licznik; // added/files overwritten/skipped/overwritten
        int pytan;
        QString blad;
    } przypadki[] = {
        {"nowy rodzaj", 0, {}, przed + QStringLiteral(",X(X-01(X-01.01))"), QStringLiteral("3/0/0/0"), 0, {}},
        {"nadpisanie",
         1,
         {{doNadpisz}, {doNadpisz}, {doNadpisz}},
         QStringLiteral("D(D-01(D-01.01,D-01.02,D-01.03,D-01.04))"),
         QStringLiteral("1/0/0/3"),
         3,
         {}},
        {"zapamiętane nadpisanie",
         1,
         {{doNadpisz, true}},
         QStringLiteral("D(D-01(D-01.01,D-01.02,D-01.03,D-01.04))"),
         QStringLiteral("1/0/0/3"),
         1,
         {}},
        {"pominięcie z dziećmi", 1, {{doPomin}}, przed, QStringLiteral("0/0/1/0"), 1, {}},
        {"anulowanie",
         1,
         {{doNone}},
         przed,
         QStringLiteral("0/0/0/0"),
         1,
         QStringLiteral("Znaleziono duplikaty - import przerwany.")},
        {"specyfikacja na szczyt", 2, {}, przed, QStringLiteral("0/0/0/0"), 0, {}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        TearDown();
        Spis.Wyczysc();
        Zrodlo.Wyczysc();
        Dialog.Licznik.Clear();
        Dialog.Pytania.clear();
        SetUp();
        Dialog.OdpowiedziNumeru = p.odpowiedzi;
        const TSpecyfikacja& zrodlo = *Zrodlo.GetSpecyfikacja(p.zrodlo);
        TDuplikatStHandler obsluga(TZapamietaneOpcjeDuplikatow{}, &Dialog);
        TScalanieList scalanie(Spis, obsluga);
        int dodanych = 0;
        scalanie.OnDodano = [&](TSpecyfikacja&) { ++dodanych; };
        if (p.blad.isEmpty())
            scalanie.Kopiuj(zrodlo, Spis);
        else
            OczekujBledu([&] { scalanie.Kopiuj(zrodlo, Spis); }, p.blad);
        EXPECT_EQ(Numery(Spis), p.drzewo);
        EXPECT_EQ(Dialog.Liczniki(), p.licznik);
        EXPECT_EQ(Dialog.Pytania.size(), p.pytan);
        EXPECT_EQ(dodanych, Dialog.Licznik.DodanychSt());
        EXPECT_EQ(scalanie.Uwagi().size(), p.zrodlo == 2 ? 1 : 0);
    }
}

TEST_F(ScalanieListTest, NadpisanyWezelPrzejmujeDaneAUwagaPodajeNumer)
{
    Dialog.OdpowiedziNumeru = {{doNadpisz, true}};
    TDuplikatStHandler obsluga(TZapamietaneOpcjeDuplikatow{}, &Dialog);
    TScalanieList scalanie(Spis, obsluga);
    scalanie.Kopiuj(*D, Spis);
    scalanie.Kopiuj(*T01, Spis);
    EXPECT_EQ(GrupaD->Opis(), QStringLiteral("Inne drogowe"));
    EXPECT_EQ(D0102->Opis(), QStringLiteral("Nowy opis"));
    EXPECT_EQ(scalanie.Uwagi(),
              QStringList{QStringLiteral("Proszę wskazać rodzaj, grupę lub element robót dla specyfikacji T-01.")});
}

} // namespace
