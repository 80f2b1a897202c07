// Editing the list through the controller: adding, editing, deleting, moving, binding documents.
#include "PomocnikKontrolera.h"

#include "estimates/Kosztorys.h"
#include "prices/CenaJedn.h"
#include "prices/KalkulacjaCeny.h"
#include "prices/ModelInfCen.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "zestaw/PozycjaZbioru.h"
#include "zestaw/ZbiorST.h"

#include <QMimeData>

namespace {

class EdycjaSpisu : public TTestKontrolera
{
protected:
    void SetUp() override
    {
        TTestKontrolera::SetUp();
        Kontroler->OtworzSST(Lista());
        Uzytkownik.Zapis.clear();
    }
    TSpecyfikacja* Wezel(const QString& numer)
    {
        return Kontroler->Spis().FindSpecyfikacja(numer, fsSzukajWGrupach | fsSzukajWSpecyfikacjach);
    }
    TSpecyfikacja* Grupa() { return Kontroler->Spis().GetSpecyfikacja(0); }
};

TEST_F(EdycjaSpisu, UsuniecieUzywanejGrupyPytaKazdeRazIWKolejnosci)
{
    Konfiguracja().CzyPotwierdzenieUsunST = true;
    Kontroler->OtworzKosztorys(Kosztorys());
    Kontroler->OtworzKosztorys(Kosztorys(QStringLiteral("k2.rds")));
    Kontroler->DopiszDoZbioruST(Wezel(QStringLiteral("S-2")));
    Uzytkownik.Zapis.clear();
    const QString potwierdzenie = QStringLiteral("Czy na pewno chcesz usunąć specyfikację?");
    const QString niepusta = QStringLiteral("Grupa nie jest pusta. ");
    const QString kosztorys = QStringLiteral("Specyfikacja jest używana w kosztorysie.");
    const QString zbior = QStringLiteral("Specyfikacja jest używana w zbiorze specyfikacji.");
    Uzytkownik.Pytania[potwierdzenie] = {true, true};
    Uzytkownik.Pytania[niepusta] = {true, true};
    Uzytkownik.Pytania[kosztorys] = {true, true, true, true};
    Uzytkownik.Pytania[zbior] = {false, true};
    Kontroler->UsunSpecyfikacje(Grupa());
    EXPECT_EQ(Kontroler->Spis().Count(), 1) << "\"Nie\" keeps the group";
    const QStringList pytania{"pytanie: " + potwierdzenie, "pytanie: " + niepusta, "pytanie: " + kosztorys,
                              "pytanie: " + kosztorys, "pytanie: " + zbior};
    EXPECT_EQ(Uzytkownik.Zapis, pytania);
    Kontroler->UsunSpecyfikacje(Grupa());
    EXPECT_EQ(Kontroler->Spis().Count(), 0);
    EXPECT_EQ(Uzytkownik.Zapis.mid(pytania.size()), pytania);
    // Nothing points into what was freed: the positions keep their numbers, without a choice.
    Kontroler->Zestaw().GetKosztorys(0)->DlaKazdejPozycji(
        [](TPozycjaRds& p) { EXPECT_EQ(p.WybranaSpecyfikacja().GetSpecyfikacja(), nullptr); });
    const TZbiorST& zbiorSt = *Kontroler->Zestaw().GetZbiorST();
    for (int i = 0; i < zbiorSt.Count(); ++i)
        EXPECT_EQ(zbiorSt.GetPozycjaZbioru(i)->WybranaSpecyfikacja().GetSpecyfikacja(), nullptr);
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(EdycjaSpisu, PrzesuniecieOdrzuconeZostawiaWezel)
{
    TSpecyfikacja* s1 = Wezel(QStringLiteral("S-1"));
    TSpecyfikacja* s2 = Wezel(QStringLiteral("S-2"));
    Kontroler->PrzeniesStWGore(s1);
    Kontroler->PrzeniesStWDol(s2);
    EXPECT_EQ(s1->GetIndex(), 0);
    EXPECT_EQ(s2->GetIndex(), 1);
    // One level up from a kind of works would put a specification at the top: refused.
    Kontroler->PrzeniesStPoziomWyzej(s1);
    EXPECT_EQ(s1->Parent(), Grupa());
    // Three groups deep, a group with a specification cannot go one level lower.
    const auto grupa = [](int poziom, const char* numer) {
        TDaneGrupy d;
        d.Poziom = poziom;
        d.Numer = QString::fromLatin1(numer);
        return d;
    };
    Uzytkownik.Grupy = {grupa(1, "G1"), grupa(2, "E1")};
    Kontroler->DodajGrupeRobotSST(s1);
    TSpecyfikacja* g1 = Wezel(QStringLiteral("G1"));
    ASSERT_NE(g1, nullptr);
    Kontroler->DodajElementRobotSST(g1);
    TSpecyfikacja* e1 = Wezel(QStringLiteral("E1"));
    ASSERT_NE(e1, nullptr);
    ASSERT_EQ(e1->KtoryPoziom(), 3);
    auto e0 = std::make_unique<TSpecyfikacja>(QStringLiteral("E0"), false, true, QString(), QString(), QString());
    TSpecyfikacja* e0w = e0.get();
    g1->Insert(std::move(e0), 0);
    e0w->Add(std::make_unique<TSpecyfikacja>(QStringLiteral("S-9"), false, false, QString(), QString(), QString()));
    Kontroler->PrzeniesStPoziomNizej(e0w);
    EXPECT_EQ(e0w->Parent(), g1) << "the node stays where it was";
    EXPECT_EQ(e0w->GetIndex(), 0);
    // A specification goes down into the following group, and back up before it.
    Kontroler->PrzeniesStPoziomNizej(s2);
    EXPECT_EQ(s2->Parent(), g1);
    EXPECT_EQ(s2->GetIndex(), g1->Count() - 1);
    Kontroler->PrzeniesStPoziomWyzej(s2);
    EXPECT_EQ(s2->Parent(), Grupa());
    EXPECT_EQ(s2->GetIndex(), g1->GetIndex() - 1);
    Uzytkownik.SprawdzZuzyte();
}

// The works-node dialog's number check: blank, a group number in use (kinds of works too), the edited
// node keeping its own number in any letter case.
TEST_F(EdycjaSpisu, NumerGrupySprawdzany)
{
    const QString pusty = QStringLiteral("Numer nie może być pusty.");
    const QString uzywany = QStringLiteral("Podany numer specyfikacji jest już używany!");
    const QString kod = Grupa()->Numer();
    const struct
    {
        int Poziom;
        QString Numer, Edytowany, Blad;
    } przypadki[] = {
        {0, QStringLiteral("  "), QString(), pusty},
        {0, kod, QString(), uzywany},
        {1, kod, QString(), uzywany},
        {2, QStringLiteral("Nowy"), QString(), QString()},
        {0, kod.toLower(), kod, QString()},
        {1, QStringLiteral("S-1"), QString(), QString()}, // a specification's number is no group's
    };
    for (const auto& p : przypadki) {
        TDaneGrupy dane;
        dane.Poziom = p.Poziom;
        dane.Spis = &Kontroler->Spis();
        dane.NumerEdytowanego = p.Edytowany;
        EXPECT_EQ(dane.BladNumeru(p.Numer), p.Blad) << p.Numer.toStdString();
    }
    TDaneGrupy bezListy;
    bezListy.Poziom = 1;
    EXPECT_EQ(bezListy.BladNumeru(QStringLiteral("G")), QStringLiteral("Spis specyfikacji nie istnieje"));
}

// Dragging in the tree goes through the model's drop, as the view's does: a move under the nesting rules.
TEST_F(EdycjaSpisu, PrzeciaganieWDrzewie)
{
    TModelSpisu& model = Kontroler->DrzewoSpisu();
    TSpecyfikacja* grupa = Grupa();
    TSpecyfikacja* s1 = Wezel(QStringLiteral("S-1"));
    TSpecyfikacja* s2 = Wezel(QStringLiteral("S-2"));
    const auto nowa = [](const char* numer) {
        return std::make_unique<TSpecyfikacja>(QString::fromLatin1(numer), false, true, QString(), QString(),
                                               QString());
    };
    Kontroler->Spis().Add(nowa("K2"));
    TSpecyfikacja* k2 = Wezel(QStringLiteral("K2"));
    model.Odswiez();
    const auto upusc = [&](TSpecyfikacja* wezel, int wiersz, TSpecyfikacja* cel) {
        std::unique_ptr<QMimeData> dane(model.mimeData({model.Indeks(wezel)}));
        const QModelIndex rodzic = model.Indeks(cel);
        if (!model.canDropMimeData(dane.get(), Qt::MoveAction, wiersz, 0, rodzic))
            return false;
        model.dropMimeData(dane.get(), Qt::MoveAction, wiersz, 0, rodzic);
        return true;
    };
    // Before its sibling; onto another kind of works (its last child).
    EXPECT_TRUE(upusc(s2, 0, grupa));
    EXPECT_EQ(s2->GetIndex(), 0);
    EXPECT_TRUE(upusc(s1, -1, k2));
    EXPECT_EQ(s1->Parent(), k2);
    // A specification never to the top nor onto a specification; a node never into its own subtree.
    EXPECT_FALSE(upusc(s1, -1, nullptr));
    EXPECT_FALSE(upusc(s2, -1, s1));
    EXPECT_FALSE(upusc(grupa, -1, grupa));
    // A kind with its specification goes one level down; a group three levels deep takes no group.
    EXPECT_TRUE(upusc(k2, -1, grupa));
    EXPECT_EQ(k2->Parent(), grupa);
    EXPECT_EQ(s1->KtoryPoziom(), 3);
    k2->Add(nowa("E1"));
    model.Odswiez();
    Kontroler->Spis().Add(nowa("K3"));
    model.Odswiez();
    EXPECT_FALSE(upusc(Wezel(QStringLiteral("K3")), -1, Wezel(QStringLiteral("E1"))));
    EXPECT_EQ(Wezel(QStringLiteral("K3"))->Parent(), &Kontroler->Spis());
    EXPECT_TRUE(Kontroler->ZmienionySST());
}

TEST_F(EdycjaSpisu, DodawanieEdycjaIPowiazaniePliku)
{
    Kontroler->DodajSpecyfikacje(nullptr);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Aby dodać specyfikację należy wybrać rodzaj, grupę "
                                                      "lub element robót na drzewie specyfikacji."));
    TDaneSpecyfikacji nowa;
    nowa.Numer = QStringLiteral("S-3");
    nowa.Opis = QStringLiteral("Trzecia");
    nowa.Plik = Plik(QStringLiteral("S-3.odt"), "x");
    Uzytkownik.Specyfikacje = {nowa};
    Kontroler->DodajSpecyfikacje(Wezel(QStringLiteral("S-1"))->GetWariant(0));
    TSpecyfikacja* s3 = Wezel(QStringLiteral("S-3"));
    ASSERT_NE(s3, nullptr);
    EXPECT_EQ(s3->Parent(), Grupa()) << "a variant's specification's parent takes it";
    EXPECT_EQ(s3->GetEncodedPath(), QStringLiteral("%USERPATH%/S-3.odt"));
    EXPECT_TRUE(Kontroler->ZmienionySST());

    // A document bound elsewhere is refused.
    Uzytkownik.DoOtwarcia = {{Katalog.filePath(QStringLiteral("S-2.odt"))}};
    Kontroler->PowiazSpecyfikacjeZPlikiem(s3);
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("komunikat: Wybrany plik specyfikacji jest już używany!"));
    EXPECT_EQ(s3->GetPlik(), nowa.Plik);

    // Renumbered in the tree: the positions are offered the new number (all estimates preselected).
    Kontroler->OtworzKosztorys(Kosztorys());
    TDaneSpecyfikacji zmiana;
    zmiana.Numer = QStringLiteral("S-10");
    zmiana.Opis = QStringLiteral("Pierwsza");
    Uzytkownik.Specyfikacje = {zmiana};
    Uzytkownik.Pozostale = {TWyborPozostalych{3, false}};
    Kontroler->EdytujSpecyfikacje(Wezel(QStringLiteral("S-1")));
    EXPECT_EQ(Uzytkownik.Zapis.last(), QStringLiteral("informacja: Specyfikacja S-1 jest używana w kosztorysie.\n\n"
                                                      "Czy zaktualizować numer specyfikacji w pozycjach kosztorysu ?"));
    int nowych = 0;
    Kontroler->Zestaw().GetKosztorys(0)->DlaKazdejPozycji([&](TPozycjaRds& p) {
        nowych += p.ST() == QStringLiteral("S-10") && p.WybranaSpecyfikacja().GetSpecyfikacja();
    });
    EXPECT_EQ(nowych, 2);
    Uzytkownik.SprawdzZuzyte();
}

} // namespace

namespace {

class TBezInformatora : public IUzytkownikCeny
{
public:
    QString WybierzPlikInformatora() override { return {}; }
    QModelIndex WybierzCene(TModelInfCen&) override { return {}; }
    QModelIndex WybierzWspolczynnik(TModelWspolczynnikow&) override { return {}; }
    void PokazKomunikat(const QString&) override {}
};

TEST_F(EdycjaSpisu, WspolczynnikGlobalnyDlaWszystkichCenListy)
{
    auto jm1 = std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), true);
    auto jm2 = std::make_unique<TJmSpecyfikacji>(QStringLiteral("m3"), QString(), true);
    jm1->CenaJedn()->UstawCeneZReki(TCenaJedn::ZrodloZReki, 10, 1, 10, 10);
    jm2->CenaJedn()->UstawCeneZReki(TCenaJedn::ZrodloZReki, 20, 1, 20, 20);
    TSpecyfikacja* s1 = Wezel(QStringLiteral("S-1"));
    TJmSpecyfikacji* a = jm1.get();
    TJmSpecyfikacji* b = jm2.get();
    s1->AddJm(std::move(jm1));
    Wezel(QStringLiteral("S-2"))->AddJm(std::move(jm2));
    TBezInformatora u;
    const bool przed = Konfiguracja().CzyWspolczynnikGlobalnyCenyJedn;
    const double wartoscPrzed = Konfiguracja().WspolczynnikGlobalnyCenyJedn;
    auto kalkulacja = Kontroler->KalkulacjaCeny(*a->CenaJedn(), u);
    kalkulacja->UstawPole(TKalkulacjaCeny::TPole::WspolczynnikGlobalny, QStringLiteral("1,5"));
    kalkulacja->UstawGlobalny(true);
    EXPECT_TRUE(Konfiguracja().CzyWspolczynnikGlobalnyCenyJedn);
    EXPECT_DOUBLE_EQ(Konfiguracja().WspolczynnikGlobalnyCenyJedn, 1.5);
    EXPECT_DOUBLE_EQ(b->CenaJedn()->GetWartosc(), 30.0) << "every unit price of the list";
    kalkulacja->Anuluj();
    EXPECT_EQ(Konfiguracja().CzyWspolczynnikGlobalnyCenyJedn, przed);
    EXPECT_DOUBLE_EQ(Konfiguracja().WspolczynnikGlobalnyCenyJedn, wartoscPrzed);
    EXPECT_DOUBLE_EQ(b->CenaJedn()->GetWartosc(), przed ? 20.0 * wartoscPrzed : 20.0);
    EXPECT_DOUBLE_EQ(a->CenaJedn()->GetWartosc(), przed ? 10.0 * wartoscPrzed : 10.0);
}

} // namespace
