// The list answers lookups from an index that follows the tree's changes; here random lists are changed
// at random and every answer of the index is compared with a plain walk of the tree.
#include "app/Wyjatki.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/PomocnikSpecyfikacji.h"
#include "specs/SpisST.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <functional>
#include <random>

namespace {

const QStringList Numery = {
    QStringLiteral("D-01.01.01"), QStringLiteral("d-01.01.01"), QStringLiteral(" D-01.01.01 "),
    QStringLiteral("B-02.03"),    QStringLiteral("ŁĄ-3"),       QStringLiteral("łą-3"),
    QStringLiteral("SpisSt"),     QStringLiteral("X"),          QStringLiteral("x "),
    QStringLiteral("ST-00.00"),   QStringLiteral("D-01"),       QStringLiteral("Ż#1"),
};
const QStringList NumeryWariantow = {QStringLiteral("A"), QStringLiteral("a"), QStringLiteral(" b "),
                                     QStringLiteral("Ż"), QStringLiteral("ż"), QStringLiteral("1")};
const QStringList NazwyPlikow = {QStringLiteral("ST.doc"), QStringLiteral("st.DOC"),   QStringLiteral("Łódź.odt"),
                                 QStringLiteral(" x.doc"), QStringLiteral("inny.odt"), QStringLiteral("brak.doc")};
const QStringList Foldery = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c/d")};

class TLosowaLista
{
public:
    TLosowaLista(unsigned ziarno, const QString& katalog) : FLos(ziarno), FKatalog(katalog)
    {
        for (const QString& f : Foldery)
            QDir().mkpath(FKatalog + QLatin1Char('/') + f);
    }

    int Los(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FLos); }
    bool Rzut(int procent) { return Los(100) < procent; }
    template <typename T> const T& Wybierz(const QList<T>& lista) { return lista[Los(static_cast<int>(lista.size()))]; }

    QString Numer()
    {
        if (Rzut(8))
            return Rzut(50) ? QString() : QStringLiteral("   ");
        return Wybierz(Numery);
    }
    QString Plik()
    {
        if (Rzut(20))
            return QString();
        return FKatalog + QLatin1Char('/') + Wybierz(Foldery) + QLatin1Char('/') + Wybierz(NazwyPlikow);
    }
    // Creates or deletes a document: the existence of files changes without any event.
    void ZmienDysk()
    {
        const QString sciezka = Plik();
        if (sciezka.isEmpty() || sciezka.endsWith(QLatin1String("brak.doc")))
            return;
        if (Rzut(70))
            ZapiszPlik(sciezka, "x");
        else
            QFile::remove(sciezka);
    }
    std::unique_ptr<TSpecyfikacja> NowyWezel()
    {
        const bool grupa = Rzut(35);
        auto s = std::make_unique<TSpecyfikacja>(Numer(), Rzut(10), grupa, QString(), grupa ? QString() : Plik(),
                                                 QStringLiteral("opis"));
        if (!grupa)
            for (int i = Los(3); i > 0; --i)
                s->AddWariant(NowyWariant(Wybierz(NumeryWariantow), QString(), Plik()));
        return s;
    }

private:
    std::mt19937 FLos;
    QString FKatalog;
};

void Wezly(TSpecyfikacja* w, std::vector<TSpecyfikacja*>& wynik)
{
    wynik.push_back(w);
    for (int i = 0; i < w->Count(); ++i)
        Wezly(w->GetSpecyfikacja(i), wynik);
}

bool CzyPotomek(const TSpecyfikacja* w, const TSpecyfikacja* przodek)
{
    for (; w; w = w->Parent())
        if (w == przodek)
            return true;
    return false;
}

// One random change of the tree, through every kind of operation the model offers.
void LosowaZmiana(TSpisST& spis, TLosowaLista& los)
{
    std::vector<TSpecyfikacja*> wezly;
    Wezly(&spis, wezly);
    TSpecyfikacja* w = wezly[static_cast<std::size_t>(los.Los(static_cast<int>(wezly.size())))];
    TSpecyfikacja* inny = wezly[static_cast<std::size_t>(los.Los(static_cast<int>(wezly.size())))];
    const bool korzen = w == &spis;
    try {
        switch (los.Los(16)) {
        case 0:
        case 1:
        case 2:
            w->Add(los.NowyWezel());
            break;
        case 3:
            if (w->Count() > 0)
                w->Insert(los.NowyWezel(), los.Los(w->Count()));
            break;
        case 4:
            if (!korzen && los.Rzut(50))
                w->Parent()->Remove(w);
            break;
        case 5:
            // Moved elsewhere: detached from one parent, added to another.
            if (!korzen && !CzyPotomek(inny, w)) {
                auto odlaczony = w->Parent()->Delete(w);
                inny->Add(std::move(odlaczony));
            }
            break;
        case 6:
            if (w->Count() > 1)
                w->Move(los.Los(w->Count()), los.Los(w->Count()));
            break;
        case 7:
            if (!korzen) {
                const QString numer = los.Numer();
                if (!numer.trimmed().isEmpty())
                    w->SetNumer(numer);
            }
            break;
        case 8:
            if (!korzen)
                w->SetPlik(los.Plik());
            break;
        case 9:
            w->AddWariant(NowyWariant(los.Wybierz(NumeryWariantow), QString(), los.Plik()));
            break;
        case 10:
            if (w->WariantyCount() > 0) {
                if (los.Rzut(50))
                    w->DelWariant(los.Los(w->WariantyCount()));
                else
                    w->RemWariant(w->GetWariant(los.Los(w->WariantyCount()))); // no event
            }
            break;
        case 11:
            if (!korzen && inny != w)
                w->Overwrite(*inny->Clone(true, true));
            break;
        case 12:
            if (w->WariantyCount() > 0) {
                TSpecyfikacja* wariant = w->GetWariant(los.Los(w->WariantyCount()));
                if (los.Rzut(50))
                    wariant->SetNumer(los.Wybierz(NumeryWariantow));
                else
                    wariant->SetPlik(los.Plik());
            }
            break;
        case 13:
            if (los.Rzut(30))
                w->ClearWarianty(); // no event
            else if (!w->CzyGrupa())
                w->AddJm(std::make_unique<TJmSpecyfikacji>(QStringLiteral("m2"), QString(), true));
            break;
        case 14: {
            // A subtree built apart, without any handler, then attached.
            auto grupa = std::make_unique<TSpecyfikacja>(los.Numer(), false, true, QString(), QString(), QString());
            TSpecyfikacja* wewnetrzny = nullptr;
            for (int i = los.Los(3) + 1; i > 0; --i) {
                auto s = los.NowyWezel();
                wewnetrzny = s.get();
                grupa->Add(std::move(s));
            }
            w->Add(std::move(grupa));
            // A change deep inside the attached subtree must reach the index too.
            if (wewnetrzny && los.Rzut(50))
                wewnetrzny->SetNumer(los.Wybierz(Numery));
            break;
        }
        default:
            los.ZmienDysk();
            break;
        }
    } catch (const EBlad&) {
        // Nesting limits and operations a group refuses: the tree stays as the model left it.
    }
}

QString Opis(const TSpecyfikacja* s, const TSpecyfikacja* w, bool pelne)
{
    auto adres = [](const void* p) {
        return p ? QString::number(reinterpret_cast<quintptr>(p), 16) : QStringLiteral("nil");
    };
    return adres(s) + QLatin1Char('/') + adres(w) + (pelne ? QStringLiteral("/pelne") : QStringLiteral("/czesciowe"));
}

// Answers that found something, over all comparisons: the comparison means little if all are nil.
int Trafienia = 0;
int TrafieniaWariantow = 0;
int TrafieniaPlikow = 0;

void PorownajZPrzejsciem(TSpisST& spis, TLosowaLista& los, const QString& kontekst)
{
    std::vector<TSpecyfikacja*> wezly;
    Wezly(&spis, wezly);
    ASSERT_EQ(spis.RozmiarIndeksu(), static_cast<int>(wezly.size())) << kontekst.toStdString();

    QStringList zapytania = {QString(), QStringLiteral("   "), QStringLiteral("#A"), QStringLiteral("D-01.01.01#")};
    for (const QString& n : Numery) {
        zapytania << n << n + QLatin1Char('#') + los.Wybierz(NumeryWariantow)
                  << n.toLower() + QStringLiteral(" # ") + los.Wybierz(NumeryWariantow);
    }
    for (const QString& z : zapytania) {
        for (int bity = 0; bity < 32; ++bity) {
            const auto flagi = TFindSpecyfikacjaFlags::fromInt(bity);
            TWariantSpecyfikacji* w1 = nullptr;
            TWariantSpecyfikacji* w2 = nullptr;
            bool p1 = false;
            bool p2 = true;
            TSpecyfikacja* s1 = spis.FindSpecyfikacja(z, w1, flagi, p1);
            TSpecyfikacja* s2 = spis.FindSpecyfikacjaPrzejscie(z, w2, flagi, p2);
            ASSERT_EQ(Opis(s1, w1, p1), Opis(s2, w2, p2))
                << kontekst.toStdString() << " numer \"" << z.toStdString() << "\" flagi " << bity;
            Trafienia += s1 ? 1 : 0;
            TrafieniaWariantow += w1 ? 1 : 0;
        }
    }
    QStringList pliki = {QString(), QStringLiteral("  "), QStringLiteral("/folder/")};
    for (const QString& nazwa : NazwyPlikow)
        pliki << nazwa << QStringLiteral("C:\\Inny\\") + nazwa.toUpper()
              << QStringLiteral("/x/ ") + nazwa + QLatin1Char(' ');
    for (const QString& p : pliki) {
        TWariantSpecyfikacji* w1 = nullptr;
        TWariantSpecyfikacji* w2 = nullptr;
        TSpecyfikacja* s1 = spis.FindSpecyfikacjaPlik(p, w1);
        TSpecyfikacja* s2 = spis.FindSpecyfikacjaPlikPrzejscie(p, w2);
        ASSERT_EQ(Opis(s1, w1, true), Opis(s2, w2, true))
            << kontekst.toStdString() << " plik \"" << p.toStdString() << "\"";
        TrafieniaPlikow += s1 ? 1 : 0;
    }
}

class SpisSTIndeks : public TestSpecyfikacji
{
};

TEST_F(SpisSTIndeks, LosoweZmianyDajaTeSameOdpowiedziCoPrzejscieDrzewa)
{
    for (unsigned ziarno = 1; ziarno <= 12; ++ziarno) {
        TLosowaLista los(ziarno, Katalog.path());
        TSpisST spis;
        int zdarzenia = 0;
        spis.SetOnZmieniono([&](TNadawcaZmiany*) { ++zdarzenia; });
        for (int krok = 1; krok <= 240; ++krok) {
            LosowaZmiana(spis, los);
            if (krok % 6 == 0)
                PorownajZPrzejsciem(spis, los, QStringLiteral("ziarno %1 krok %2").arg(ziarno).arg(krok));
            if (HasFatalFailure())
                return;
        }
        EXPECT_GT(zdarzenia, 0) << "the list's own handler must pass every change on";
    }
    EXPECT_GT(Trafienia, 1000);
    EXPECT_GT(TrafieniaWariantow, 100);
    EXPECT_GT(TrafieniaPlikow, 100);
    std::printf("trafienia: numery %d, warianty %d, pliki %d\n", Trafienia, TrafieniaWariantow, TrafieniaPlikow);
}

TEST_F(SpisSTIndeks, PodmienionaObslugaKorzeniaZostajeObslugaListy)
{
    TLosowaLista los(99, Katalog.path());
    TSpisST spis;
    TRejestrZmian rejestr;
    // Set through the node's own setter: the index must notice and take the handler over.
    static_cast<TSpecyfikacja&>(spis).SetOnZmieniono(rejestr.Zdarzenie());
    for (int krok = 1; krok <= 60; ++krok) {
        LosowaZmiana(spis, los);
        if (krok % 10 == 0)
            PorownajZPrzejsciem(spis, los, QStringLiteral("krok %1").arg(krok));
        if (HasFatalFailure())
            return;
    }
    const std::size_t przed = rejestr.Nadawcy.size();
    spis.Add(NowaSpecyfikacja(QStringLiteral("NOWA")));
    EXPECT_GT(rejestr.Nadawcy.size(), przed);
    EXPECT_NE(spis.FindSpecyfikacja(QStringLiteral("nowa"), fsSzukajWSpecyfikacjach), nullptr);
}

TEST_F(SpisSTIndeks, ZmianyWezlaWstawionegoPrzezInsertSaWidoczne)
{
    TSpisST spis;
    Dodaj(spis, NowaGrupa(QStringLiteral("G")));
    auto s = NowaSpecyfikacja(QStringLiteral("S-1"));
    TSpecyfikacja* wstawiony = s.get();
    ASSERT_TRUE(spis.Insert(std::move(s), 0)); // Insert does not pass handlers down
    wstawiony->SetNumer(QStringLiteral("S-2"));
    EXPECT_EQ(spis.FindSpecyfikacja(QStringLiteral("s-2"), fsSzukajWSpecyfikacjach), wstawiony);
    EXPECT_EQ(spis.FindSpecyfikacja(QStringLiteral("S-1"), fsSzukajWSpecyfikacjach), nullptr);
}

TEST_F(SpisSTIndeks, PustaListaPustychPoUsunieciuWezla)
{
    TSpisST spis;
    spis.OtworzZBajtow("<sst><specyfikacja numer=\"G\" grupa=\"true\"><specyfikacja numer=\"E\" grupa=\"true\">"
                       "<specyfikacja opis=\"bez numeru\"/></specyfikacja></specyfikacja></sst>");
    ASSERT_EQ(spis.ListaPustych().size(), 1u);
    TSpecyfikacja* e = spis.GetSpecyfikacja(0)->GetSpecyfikacja(0);
    e->Remove(0);
    EXPECT_TRUE(spis.ListaPustych().empty()) << "a freed node must not stay in the list of blank numbers";
}

} // namespace
