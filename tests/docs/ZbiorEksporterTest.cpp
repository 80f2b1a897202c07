#include "app/MyPath.h"
#include "docs/SilnikTestowy.h"
#include "docs/WyjatkiDokumentow.h"
#include "docs/ZbiorEksporterDOC.h"
#include "docs/ZbiorEksporterODT.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

enum class TRodzaj { Word, Odt };

const TRodzaj KRodzaje[] = {TRodzaj::Word, TRodzaj::Odt};

const char* Nazwa(TRodzaj rodzaj)
{
    return rodzaj == TRodzaj::Word ? "Word" : "ODT";
}

const QString KBrakWord = QStringLiteral("Brak dostępu do Microsoft Word.");
const QString KBrakOffice = QStringLiteral("Brak zainstalowanego OpenOffice lub środowiska uruchomieniowego Java!");
const QString KBladZapisuOdt =
    QStringLiteral("Brak możliwości zapisu dokumentu. Plik jest używany lub brak uprawnień do zapisu.");
const QString KBrakStylu = QStringLiteral("Wybrany styl nie występuje w eksportowanych dokumentach.");
const QString KNieUtworzono = QStringLiteral("Nie udało się utworzyć pliku DOC: ");
const QString KNieOtwarto = QStringLiteral("Nie udało się otworzyć pliku DOC: ");

// What a piece of work raised: the most specific type of the error family and its message.
struct TBlad
{
    QString Typ; // "brak" when nothing was raised
    QString Komunikat;
    bool operator==(const TBlad&) const = default;
};

void PrintTo(const TBlad& b, std::ostream* os)
{
    *os << b.Typ.toStdString() << ": \"" << b.Komunikat.toStdString() << '"';
}

template <class F> TBlad Zlap(F&& praca)
{
    try {
        praca();
    } catch (const EBrakWordException& e) {
        return {QStringLiteral("EBrakWordException"), e.Komunikat()};
    } catch (const EBrakSilnikaDokumentow& e) {
        return {QStringLiteral("EBrakSilnikaDokumentow"), e.Komunikat()};
    } catch (const ESilnikUtracony& e) {
        return {QStringLiteral("ESilnikUtracony"), e.Komunikat()};
    } catch (const EBlad& e) {
        return {QStringLiteral("EBlad"), e.Komunikat()};
    } catch (const std::exception& e) {
        return {QStringLiteral("std::exception"), QString::fromUtf8(e.what())};
    }
    return {QStringLiteral("brak"), QString()};
}

TBlad Brak()
{
    return {QStringLiteral("brak"), QString()};
}

TBlad Blad(const QString& komunikat)
{
    return {QStringLiteral("EBlad"), komunikat};
}

// The record against a pattern: a pattern line ending with "*" matches every line that starts with the
// rest of it.
::testing::AssertionResult ZgodnyDziennik(const QStringList& jest, const QStringList& wzor)
{
    bool zgodny = jest.size() == wzor.size();
    for (qsizetype i = 0; zgodny && i < jest.size(); ++i) {
        const QString& w = wzor[i];
        zgodny = w.endsWith(QLatin1Char('*')) ? jest[i].startsWith(w.chopped(1)) : jest[i] == w;
    }
    if (zgodny)
        return ::testing::AssertionSuccess();
    auto wynik = ::testing::AssertionFailure() << "\n  jest:\n";
    for (const QString& l : jest)
        wynik << "    " << l.toStdString() << '\n';
    wynik << "  oczekiwano:\n";
    for (const QString& l : wzor)
        wynik << "    " << l.toStdString() << '\n';
    return wynik;
}

// Exporters on the fake engine. Files a.doc, b.docx, c.odt, wo.doc and podfolder/d.doc exist in the
// test's folder; in expected records "~/" stands for that folder and "WYNIK" for the merge's target.
class EksporterNaSilniku : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        ASSERT_TRUE(FKatalog.isValid());
        for (const char* plik : {"a.doc", "b.docx", "c.odt", "wo.doc", "podfolder/d.doc"})
            ZapiszPlik(Sciezka(QString::fromUtf8(plik)), "treść");
    }

    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }
    QString Rozwin(const QString& tekst) const
    {
        QString wynik = tekst;
        return wynik.replace(QStringLiteral("~/"), FKatalog.path() + QLatin1Char('/'));
    }

    // A stored path of a file of the test's folder, kept by the fixture.
    const TMyPath* Plik(const QString& nazwa)
    {
        FSciezki.push_back(std::make_unique<TMyPath>());
        FSciezki.back()->SetPath(Sciezka(nazwa));
        return FSciezki.back().get();
    }
    std::vector<const TMyPath*> Pliki(const QStringList& nazwy)
    {
        std::vector<const TMyPath*> wynik;
        for (const QString& n : nazwy)
            wynik.push_back(Plik(n));
        return wynik;
    }

    // An exporter of the kind whose progress events go into the engine's record as "Postep(<file>)". Its
    // merge target becomes WYNIK.
    std::unique_ptr<TZbiorEksporter> Eksporter(TRodzaj rodzaj)
    {
        std::unique_ptr<TZbiorEksporter> e;
        if (rodzaj == TRodzaj::Word)
            e = std::make_unique<TZbiorEksporterDOC>(&FSilnik);
        else
            e = std::make_unique<TZbiorEksporterODT>(&FSilnik);
        e->OnProgressChange = [this](TZbiorEksporter* nadawca) {
            FSilnik.Dopisz(QStringLiteral("Postep(%1)").arg(nadawca->CurrentFile()));
        };
        FWynik = Sciezka(QStringLiteral("wynik.") + e->GetDefaultExtension());
        return e;
    }
    static TZbiorEksporterDOC& Word(TZbiorEksporter& e) { return dynamic_cast<TZbiorEksporterDOC&>(e); }

    // The engine's record, with the target and the test's folder written short.
    QStringList Dziennik() const
    {
        QStringList d = FSilnik.Dziennik();
        for (QString& w : d) {
            if (!FWynik.isEmpty())
                w.replace(FWynik, QStringLiteral("WYNIK"));
            w.replace(FKatalog.path() + QLatin1Char('/'), QStringLiteral("~/"));
        }
        return d;
    }
    void Awaria(const QString& poczatek, TRodzajAwarii rodzaj, const QString& komunikat, int ile = 1)
    {
        FSilnik.Awaria(Rozwin(poczatek), rodzaj, komunikat, ile);
    }

    // The record of a merge of a.doc and b.docx, with the given calls between the files and the save.
    // With a title page (its page set after the files) the first file goes in as one.
    static QStringList ScalenieAB(const QStringList& poPlikach)
    {
        const bool tytulowa = poPlikach.contains(QStringLiteral("UstawStronePierwsza"));
        return QStringList{QStringLiteral("NowyDokument"), QStringLiteral("Postep(a.doc)"),
                           tytulowa ? QStringLiteral("WstawStroneTytulowa(~/a.doc)")
                                    : QStringLiteral("WstawPlik(~/a.doc, podzial=0)"),
                           QStringLiteral("Postep(b.docx)"), QStringLiteral("WstawPlik(~/b.docx, podzial=1)")} +
               poPlikach + QStringList{QStringLiteral("Zapisz(WYNIK)"), QStringLiteral("Zamknij")};
    }

    QTemporaryDir FKatalog;
    TSilnikTestowy FSilnik;
    std::vector<std::unique_ptr<TMyPath>> FSciezki;
    QString FWynik;
};

TEST_F(EksporterNaSilniku, KolejnoscPlikowPodzialyStronIPostep)
{
    const struct
    {
        QStringList Pliki;
        QStringList Dziennik;
    } przypadki[] = {
        // A single file gets no page break.
        {{"a.doc"}, {"NowyDokument", "Postep(a.doc)", "WstawPlik(~/a.doc, podzial=0)", "Zapisz(WYNIK)", "Zamknij"}},
        {{"b.docx", "a.doc"},
         {"NowyDokument", "Postep(b.docx)", "WstawPlik(~/b.docx, podzial=0)", "Postep(a.doc)",
          "WstawPlik(~/a.doc, podzial=1)", "Zapisz(WYNIK)", "Zamknij"}},
        // The list's order, not the names'; the progress shows the name without its folder.
        {{"wo.doc", "podfolder/d.doc", "a.doc"},
         {"NowyDokument", "Postep(wo.doc)", "WstawPlik(~/wo.doc, podzial=0)", "Postep(d.doc)",
          "WstawPlik(~/podfolder/d.doc, podzial=1)", "Postep(a.doc)", "WstawPlik(~/a.doc, podzial=1)", "Zapisz(WYNIK)",
          "Zamknij"}},
    };
    for (TRodzaj rodzaj : KRodzaje) {
        for (const auto& p : przypadki) {
            SCOPED_TRACE(Nazwa(rodzaj) + (": " + p.Pliki.join(QLatin1Char(' ')).toStdString()));
            FSilnik.WyczyscDziennik();
            auto e = Eksporter(rodzaj);
            e->ScalPliki(FWynik, Pliki(p.Pliki));
            EXPECT_EQ(Dziennik(), p.Dziennik);
            EXPECT_EQ(e->CurrentFile(), QFileInfo(p.Pliki.last()).fileName());
            EXPECT_FALSE(e->Terminated());
            EXPECT_EQ(FSilnik.OtwarteDokumenty(), 0);
            // The target holds the merged document: a new one with every file inserted.
            const QStringList zapisany = QString::fromUtf8(CzytajPlik(FWynik)).split(QLatin1Char('\n'));
            EXPECT_EQ(zapisany.first(), QStringLiteral("nowy"));
            EXPECT_EQ(zapisany.filter(QStringLiteral("WstawPlik(")).size(), p.Pliki.size());
            QFile::remove(FWynik);
        }
    }
}

TEST_F(EksporterNaSilniku, OpcjeStronyNaglowkaStopkiIMarginesow)
{
    using TUstaw = std::function<void(TZbiorEksporter&)>;
    const auto naglowek = [](TZbiorEksporter& e) {
        e.CzyNaglowek = true;
        e.TrescNaglowka = QStringList{QStringLiteral("Budowa")};
    };
    const auto styl = [](TZbiorEksporter& e) {
        e.CzyStylWNaglowku = true;
        e.NazwaStyluWNaglowku = QStringLiteral(" Nagłówek 1 ");
    };
    const auto stopka = [](TZbiorEksporter& e) {
        e.CzyStopka = true;
        e.TrescStopki = QStringList{QStringLiteral(" Stopka ")};
    };
    const auto marginesy = [](TZbiorEksporter& e) {
        e.MarginesL = 20;
        e.MarginesR = 15;
        e.MarginesG = 25;
        e.MarginesD = 10;
    };
    const struct
    {
        const char* Opis;
        TUstaw Ustaw;
        QStringList Word;
        QStringList Odt;
    } przypadki[] = {
        {"bez opcji", [](TZbiorEksporter&) {}, {}, {}},
        {"strona tytułowa",
         [](TZbiorEksporter& e) { e.CzyStronaTytulowa = true; },
         {"UstawStronePierwsza"},
         {"UstawStronePierwsza"}},
        {"nagłówek z całego tekstu, przycięty",
         [](TZbiorEksporter& e) {
             e.CzyNaglowek = true;
             e.TrescNaglowka = QStringList{QStringLiteral("  Budowa drogi "), QStringLiteral("odcinek 2  ")};
         },
         {"UstawNaglowek(Budowa drogi \\nodcinek 2, styl=)"},
         {"UstawNaglowek(Budowa drogi \\nodcinek 2, styl=)"}},
        {"treść nagłówka bez nagłówka",
         [](TZbiorEksporter& e) { e.TrescNaglowka = QStringList{QStringLiteral("Budowa")}; },
         {},
         {}},
        {"nagłówek z odwołaniem do stylu (tylko Word)",
         [&](TZbiorEksporter& e) {
             naglowek(e);
             styl(e);
         },
         {"UstawNaglowek(Budowa, styl=Nagłówek 1)"},
         {"UstawNaglowek(Budowa, styl=)"}},
        {"odwołanie do stylu bez nagłówka", styl, {}, {}},
        {"pusty nagłówek z odwołaniem do stylu",
         [&](TZbiorEksporter& e) {
             styl(e);
             e.CzyNaglowek = true;
             e.TrescNaglowka = QStringList{QStringLiteral("  "), QString()};
         },
         {"UstawNaglowek(, styl=Nagłówek 1)"},
         {"UstawNaglowek(, styl=)"}},
        {"nazwa stylu z samych spacji",
         [&](TZbiorEksporter& e) {
             naglowek(e);
             e.CzyStylWNaglowku = true;
             e.NazwaStyluWNaglowku = QStringLiteral("   ");
         },
         {"UstawNaglowek(Budowa, styl=)"},
         {"UstawNaglowek(Budowa, styl=)"}},
        {"stopka",
         stopka,
         {"UstawStopke(Stopka, nrStrony=0, dwustronna=0)"},
         {"UstawStopke(Stopka, nrStrony=0, dwustronna=0)"}},
        {"stopka z numerem strony",
         [&](TZbiorEksporter& e) {
             stopka(e);
             e.CzyNrStronyWStopce = true;
         },
         {"UstawStopke(Stopka, nrStrony=1, dwustronna=0)"},
         {"UstawStopke(Stopka, nrStrony=1, dwustronna=0)"}},
        {"stopka dwustronna bez numeru",
         [&](TZbiorEksporter& e) {
             stopka(e);
             e.CzyDrukDwustronny = true;
         },
         {"UstawStopke(Stopka, nrStrony=0, dwustronna=1)"},
         {"UstawStopke(Stopka, nrStrony=0, dwustronna=1)"}},
        {"druk dwustronny i numery bez stopki",
         [](TZbiorEksporter& e) {
             e.CzyDrukDwustronny = true;
             e.CzyNrStronyWStopce = true;
             e.TrescStopki = QStringList{QStringLiteral("Stopka")};
         },
         {},
         {}},
        {"marginesy (tylko Word)",
         [&](TZbiorEksporter& e) {
             marginesy(e);
             e.CzyUstawMarginesy = true;
         },
         {"UstawMarginesy(l=20, p=15, g=25, d=10)"},
         {}},
        {"marginesy bez ich włączenia", marginesy, {}, {}},
        {"nazwa zadania bez jej włączenia",
         [](TZbiorEksporter& e) { e.TekstDoSt = QStringList{QStringLiteral("Budowa")}; },
         {},
         {}},
        {"wszystko naraz",
         [&](TZbiorEksporter& e) {
             e.CzyStronaTytulowa = true;
             naglowek(e);
             styl(e);
             stopka(e);
             e.CzyNrStronyWStopce = true;
             e.CzyDrukDwustronny = true;
             marginesy(e);
             e.CzyUstawMarginesy = true;
         },
         {"UstawStronePierwsza", "UstawNaglowek(Budowa, styl=Nagłówek 1)",
          "UstawStopke(Stopka, nrStrony=1, dwustronna=1)", "UstawMarginesy(l=20, p=15, g=25, d=10)"},
         {"UstawStronePierwsza", "UstawNaglowek(Budowa, styl=)", "UstawStopke(Stopka, nrStrony=1, dwustronna=1)"}},
    };
    for (TRodzaj rodzaj : KRodzaje) {
        for (const auto& p : przypadki) {
            SCOPED_TRACE(std::string(Nazwa(rodzaj)) + ": " + p.Opis);
            FSilnik.WyczyscDziennik();
            auto e = Eksporter(rodzaj);
            p.Ustaw(*e);
            e->ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}));
            EXPECT_EQ(Dziennik(), ScalenieAB(rodzaj == TRodzaj::Word ? p.Word : p.Odt));
        }
    }
}

TEST_F(EksporterNaSilniku, NazwaZadaniaTylkoZWlaczeniem)
{
    const struct
    {
        QStringList TekstDoSt;
        QString Zamiana;
    } przypadki[] = {
        {{"  Przebudowa ulicy Polnej ", " "}, "Przebudowa ulicy Polnej"},
        {{"Linia 1", "Linia 2"}, "Linia 1\\nLinia 2"},
        // An empty task name still takes the placeholder out.
        {{}, ""},
    };
    for (TRodzaj rodzaj : KRodzaje) {
        for (const auto& p : przypadki) {
            SCOPED_TRACE(Nazwa(rodzaj) + (": " + p.Zamiana.toStdString()));
            FSilnik.WyczyscDziennik();
            auto e = Eksporter(rodzaj);
            e->CzyTekstDoSt = true;
            e->TekstDoSt = p.TekstDoSt;
            e->ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}));
            // Word replaces without regard to letter case; the OpenDocument case is checked on its own below.
            const QString zamiana = QStringLiteral("ZamienWszystko(#NAZWA_ZADANIA#, %1, wielkoscLiter=").arg(p.Zamiana);
            EXPECT_TRUE(ZgodnyDziennik(Dziennik(), ScalenieAB({zamiana + (rodzaj == TRodzaj::Word ? "0)" : "*")})));
        }
    }
}

// The OpenDocument replacement matches any letter case, as its search item asks (case ignored).
TEST_F(EksporterNaSilniku, ZamianaWOpenDocumentBezWzgleduNaWielkoscLiter)
{
    auto e = Eksporter(TRodzaj::Odt);
    e->CzyTekstDoSt = true;
    e->TekstDoSt = QStringList{QStringLiteral("Budowa")};
    e->ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}));
    EXPECT_EQ(Dziennik(), ScalenieAB({QStringLiteral("ZamienWszystko(#NAZWA_ZADANIA#, Budowa, wielkoscLiter=0)")}));

    FSilnik.WyczyscDziennik();
    e->Otworz(Sciezka(QStringLiteral("a.doc")));
    e->ZnajdzZamien(QStringLiteral("#NR_ST#"), QStringLiteral("D-01"));
    EXPECT_EQ(Dziennik().last(), QStringLiteral("ZamienWszystko(#NR_ST#, D-01, wielkoscLiter=0)"));
}

TEST_F(EksporterNaSilniku, ListaSpecyfikacjiTylkoWWarunkachOgolnych)
{
    const QStringList lista{QStringLiteral("D-01 - Roboty ziemne"), QStringLiteral("D-02 - Podbudowa")};
    // Which general-conditions file the exporter is given: the list's own entry, another object of the
    // same path, or another path.
    enum TPlikWO { Wlasny, TaSamaSciezka, InnaWielkoscLiter, SpozaListy, BezPliku };
    const struct
    {
        const char* Opis;
        bool CzyWstaw;
        TPlikWO Plik;
        bool Wpisana;
    } przypadki[] = {
        {"wpis listy plików", true, Wlasny, true},
        {"ta sama ścieżka w innym obiekcie", true, TaSamaSciezka, true},
        {"ścieżka różna wielkością liter", true, InnaWielkoscLiter, false},
        {"plik spoza listy", true, SpozaListy, false},
        {"bez pliku warunków", true, BezPliku, false},
        {"lista wyłączona", false, Wlasny, false},
    };
    for (TRodzaj rodzaj : KRodzaje) {
        for (const auto& p : przypadki) {
            SCOPED_TRACE(std::string(Nazwa(rodzaj)) + ": " + p.Opis);
            FSilnik.WyczyscDziennik();
            auto e = Eksporter(rodzaj);
            const auto pliki = Pliki({QStringLiteral("a.doc"), QStringLiteral("wo.doc"), QStringLiteral("b.docx")});
            e->CzyWstawListeStDoWarOgolnych = p.CzyWstaw;
            e->ListaStDoWarOgolnych = lista;
            switch (p.Plik) {
            case Wlasny:
                e->PlikWarunkowOgolnych = pliki[1];
                break;
            case TaSamaSciezka:
                e->PlikWarunkowOgolnych = Plik(QStringLiteral("wo.doc"));
                break;
            case InnaWielkoscLiter:
                e->PlikWarunkowOgolnych = Plik(QStringLiteral("WO.doc"));
                break;
            case SpozaListy:
                e->PlikWarunkowOgolnych = Plik(QStringLiteral("c.odt"));
                break;
            case BezPliku:
                e->PlikWarunkowOgolnych = nullptr;
                break;
            }
            e->ScalPliki(FWynik, pliki);
            QStringList oczekiwany{QStringLiteral("NowyDokument"),
                                   QStringLiteral("Postep(a.doc)"),
                                   QStringLiteral("WstawPlik(~/a.doc, podzial=0)"),
                                   QStringLiteral("Postep(wo.doc)"),
                                   QStringLiteral("WstawPlik(~/wo.doc, podzial=1)"),
                                   QStringLiteral("Postep(b.docx)"),
                                   QStringLiteral("WstawPlik(~/b.docx, podzial=1)"),
                                   QStringLiteral("Zapisz(WYNIK)"),
                                   QStringLiteral("Zamknij")};
            // Word writes each line as a paragraph at the first place; OpenDocument fills every place, the
            // lines separated by line breaks.
            if (p.Wpisana)
                oczekiwany.insert(5, rodzaj == TRodzaj::Word
                                         ? QStringLiteral("ZamienNaLinie(#LISTA_ST#, [\"D-01 - Roboty ziemne\", "
                                                          "\"D-02 - Podbudowa\"], wszystkie=0, lamanie=0)")
                                         : QStringLiteral("ZamienNaLinie(#LISTA_ST#, [\"D-01 - Roboty ziemne\", "
                                                          "\"D-02 - Podbudowa\"], wszystkie=1, lamanie=1)"));
            EXPECT_EQ(Dziennik(), oczekiwany);
        }
    }
}

TEST_F(EksporterNaSilniku, PrzerwanieKonczyPlikiNaglowekIStopke)
{
    const auto wszystko = [this](TZbiorEksporter& e) {
        e.CzyStronaTytulowa = true;
        e.CzyNaglowek = true;
        e.TrescNaglowka = QStringList{QStringLiteral("Budowa")};
        e.CzyStylWNaglowku = true;
        e.NazwaStyluWNaglowku = QStringLiteral("Nagłówek 1");
        e.CzyStopka = true;
        e.TrescStopki = QStringList{QStringLiteral("Stopka")};
        e.CzyNrStronyWStopce = true;
        e.CzyDrukDwustronny = true;
        e.CzyUstawMarginesy = true;
        e.MarginesL = e.MarginesR = e.MarginesG = e.MarginesD = 20;
        e.CzyTekstDoSt = true;
        e.TekstDoSt = QStringList{QStringLiteral("Zadanie")};
        e.CzyWstawListeStDoWarOgolnych = true;
        e.ListaStDoWarOgolnych = QStringList{QStringLiteral("D-01 - Roboty")};
        e.PlikWarunkowOgolnych = Plik(QStringLiteral("wo.doc"));
    };
    const struct
    {
        const char* Opis;
        QString StopPrzy; // the progress of this file stops the merge; empty: stopped before it starts
        QStringList Word;
        QStringList Odt;
    } przypadki[] = {
        // The file being reported is still inserted; the title page (Word: a page setting made before the
        // files), the margins and the task name stay; the rest of the files, the header and footer go.
        {"w trakcie",
         QStringLiteral("b.docx"),
         {"NowyDokument", "Postep(a.doc)", "WstawStroneTytulowa(~/a.doc)", "Postep(b.docx)",
          "WstawPlik(~/b.docx, podzial=1)", "UstawStronePierwsza", "UstawMarginesy(l=20, p=20, g=20, d=20)",
          "ZamienWszystko(#NAZWA_ZADANIA#, Zadanie, wielkoscLiter=0)", "Zapisz(WYNIK)", "Zamknij"},
         {"NowyDokument", "Postep(a.doc)", "WstawStroneTytulowa(~/a.doc)", "Postep(b.docx)",
          "WstawPlik(~/b.docx, podzial=1)", "ZamienWszystko(#NAZWA_ZADANIA#, Zadanie, wielkoscLiter=*", "Zapisz(WYNIK)",
          "Zamknij"}},
        {"przed startem",
         QString(),
         {"NowyDokument", "UstawStronePierwsza", "UstawMarginesy(l=20, p=20, g=20, d=20)",
          "ZamienWszystko(#NAZWA_ZADANIA#, Zadanie, wielkoscLiter=0)", "Zapisz(WYNIK)", "Zamknij"},
         {"NowyDokument", "ZamienWszystko(#NAZWA_ZADANIA#, Zadanie, wielkoscLiter=*", "Zapisz(WYNIK)", "Zamknij"}},
    };
    for (TRodzaj rodzaj : KRodzaje) {
        for (const auto& p : przypadki) {
            SCOPED_TRACE(std::string(Nazwa(rodzaj)) + ": " + p.Opis);
            FSilnik.WyczyscDziennik();
            auto e = Eksporter(rodzaj);
            wszystko(*e);
            const QString stopPrzy = p.StopPrzy;
            auto zapis = e->OnProgressChange;
            e->OnProgressChange = [zapis, stopPrzy](TZbiorEksporter* nadawca) {
                zapis(nadawca);
                if (nadawca->CurrentFile() == stopPrzy)
                    nadawca->Terminate();
            };
            if (stopPrzy.isEmpty())
                e->Terminate();
            e->ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx"), QStringLiteral("wo.doc")}));
            EXPECT_TRUE(ZgodnyDziennik(Dziennik(), rodzaj == TRodzaj::Word ? p.Word : p.Odt));
            EXPECT_TRUE(e->Terminated());
            EXPECT_TRUE(QFileInfo::exists(FWynik));
            QFile::remove(FWynik);
        }
    }
}

TEST_F(EksporterNaSilniku, BledyScalania)
{
    const struct
    {
        const char* Opis;
        QStringList Pliki;
        QString Awaria; // the call that fails with EBlad, empty: none
        QString Komunikat;
        QString Cel; // the target, empty: WYNIK
        TBlad Word;
        TBlad Odt;
    } przypadki[] = {
        {"brak pliku listy",
         {"a.doc", "brak.doc", "b.docx"},
         {},
         {},
         {},
         Blad(KNieUtworzono + "Podany plik nie istnieje: ~/brak.doc"),
         Blad("Podany plik nie istnieje: ~/brak.doc")},
        {"plik odrzucony przez edytor",
         {"a.doc", "b.docx"},
         "WstawPlik(~/b.docx",
         "Plik uszkodzony",
         {},
         Blad(KNieUtworzono + "Plik uszkodzony"),
         Blad("Plik uszkodzony")},
        {"zapis odrzucony",
         {"a.doc"},
         "Zapisz(",
         "Dysk pełny",
         {},
         Blad(KNieUtworzono + "Dysk pełny"),
         Blad(KBladZapisuOdt)},
        {"folder celu nie istnieje",
         {"a.doc"},
         {},
         {},
         "~/brak/wynik",
         Blad(KNieUtworzono + "Nie można zapisać pliku: ~/brak/wynik"),
         Blad(KBladZapisuOdt)},
    };
    for (TRodzaj rodzaj : KRodzaje) {
        for (const auto& p : przypadki) {
            SCOPED_TRACE(std::string(Nazwa(rodzaj)) + ": " + p.Opis);
            TSilnikTestowy silnik;
            std::unique_ptr<TZbiorEksporter> e;
            if (rodzaj == TRodzaj::Word)
                e = std::make_unique<TZbiorEksporterDOC>(&silnik);
            else
                e = std::make_unique<TZbiorEksporterODT>(&silnik);
            if (!p.Awaria.isEmpty())
                silnik.Awaria(Rozwin(p.Awaria), TRodzajAwarii::Blad, p.Komunikat);
            const QString cel = p.Cel.isEmpty() ? Sciezka(QStringLiteral("wynik.x")) : Rozwin(p.Cel);
            ZapiszPlik(Sciezka(QStringLiteral("wynik.x")), "poprzedni wynik");
            TBlad oczekiwany = rodzaj == TRodzaj::Word ? p.Word : p.Odt;
            oczekiwany.Komunikat = Rozwin(oczekiwany.Komunikat);
            EXPECT_EQ(Zlap([&] { e->ScalPliki(cel, Pliki(p.Pliki)); }), oczekiwany);
            EXPECT_EQ(silnik.OtwarteDokumenty(), 0);
            EXPECT_EQ(silnik.Ile(QStringLiteral("Uruchom")), 0);
            // A failed merge leaves an earlier result as it was.
            EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("wynik.x"))), QByteArray("poprzedni wynik"));
            EXPECT_FALSE(QFileInfo::exists(Rozwin(QStringLiteral("~/brak/wynik"))));
        }
    }
}

TEST_F(EksporterNaSilniku, BrakEdytoraDokumentow)
{
    using TPraca = std::function<void(TZbiorEksporter&)>;
    const TPraca scal = [this](TZbiorEksporter& e) {
        e.ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}));
    };
    const TPraca scalZeStylem = [this](TZbiorEksporter& e) {
        e.CzyStylWNaglowku = true;
        e.CzyWeryfikujStylNaglowka = true;
        e.NazwaStyluWNaglowku = QStringLiteral("Nagłówek 1");
        e.ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}));
    };
    const TPraca test = [this](TZbiorEksporter& e) {
        e.PlikWarunkowOgolnych = Plik(QStringLiteral("wo.doc"));
        int ilosc = 0;
        e.CzyTestListySTWWarunkachOgolnych(ilosc);
    };
    const TPraca style = [this](TZbiorEksporter& e) {
        QStringList lista;
        Word(e).GetNazwyStylow(Pliki({QStringLiteral("a.doc")}), lista);
    };
    const TPraca otworz = [this](TZbiorEksporter& e) { e.Otworz(Sciezka(QStringLiteral("a.doc"))); };
    const TBlad brakWord{QStringLiteral("EBrakWordException"), KBrakWord};
    const TBlad brakOffice{QStringLiteral("EBrakSilnikaDokumentow"), KBrakOffice};
    const struct
    {
        const char* Opis;
        TRodzaj Rodzaj;
        TPraca Praca;
        QString Awaria; // fails with EBrakSilnikaDokumentow
        bool PoUtracie; // first the word processor is lost at WstawPlik, then it cannot be started again
        TBlad Oczekiwany;
    } przypadki[] = {
        {"scalanie", TRodzaj::Word, scal, "NowyDokument", false, brakWord},
        {"scalanie", TRodzaj::Odt, scal, "NowyDokument", false, brakOffice},
        {"ponowne uruchomienie", TRodzaj::Word, scal, "Uruchom", true, brakWord},
        {"ponowne uruchomienie", TRodzaj::Odt, scal, "Uruchom", true, brakOffice},
        {"sprawdzenie stylu", TRodzaj::Word, scalZeStylem, "OtworzDokument", false, brakWord},
        {"liczenie #LISTA_ST#", TRodzaj::Word, test, "OtworzDokument", false, brakWord},
        {"style plików", TRodzaj::Word, style, "OtworzDokument", false, brakWord},
        {"otwarcie dokumentu", TRodzaj::Word, otworz, "OtworzDokument", false, brakWord},
        {"otwarcie dokumentu", TRodzaj::Odt, otworz, "OtworzDokument", false, brakOffice},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(std::string(Nazwa(p.Rodzaj)) + ": " + p.Opis);
        FSilnik.WyczyscDziennik();
        auto e = Eksporter(p.Rodzaj);
        FSilnik.Awaria(p.Awaria, TRodzajAwarii::BrakSilnika, QStringLiteral("soffice nie wystartował"));
        if (p.PoUtracie)
            Awaria(QStringLiteral("WstawPlik(~/b.docx"), TRodzajAwarii::Utracony, QStringLiteral("Edytor zniknął"));
        EXPECT_EQ(Zlap([&] { p.Praca(*e); }), p.Oczekiwany);
        EXPECT_EQ(FSilnik.Ile(QStringLiteral("Zapisz")), 0);
        EXPECT_EQ(FSilnik.OtwarteDokumenty(), 0);
    }
}

TEST_F(EksporterNaSilniku, UtraconyEdytorUruchamianyIScalanieOdNowa)
{
    const QString miejsca[] = {QStringLiteral("NowyDokument"),
                               QStringLiteral("WstawPlik(~/b.docx"),
                               QStringLiteral("ZamienNaLinie(#LISTA_ST#"),
                               QStringLiteral("UstawStopke("),
                               QStringLiteral("ZamienWszystko(#NAZWA_ZADANIA#"),
                               QStringLiteral("Zapisz(")};
    const auto opcje = [this](TZbiorEksporter& e) {
        e.CzyStopka = true;
        e.TrescStopki = QStringList{QStringLiteral("Stopka")};
        e.CzyTekstDoSt = true;
        e.TekstDoSt = QStringList{QStringLiteral("Zadanie")};
        e.CzyWstawListeStDoWarOgolnych = true;
        e.ListaStDoWarOgolnych = QStringList{QStringLiteral("D-01 - Roboty")};
        e.PlikWarunkowOgolnych = Plik(QStringLiteral("wo.doc"));
    };
    const QStringList pliki{QStringLiteral("wo.doc"), QStringLiteral("b.docx")};
    for (TRodzaj rodzaj : KRodzaje) {
        // The record of an undisturbed merge.
        FSilnik.WyczyscDziennik();
        auto wzorcowy = Eksporter(rodzaj);
        opcje(*wzorcowy);
        wzorcowy->ScalPliki(FWynik, Pliki(pliki));
        const QStringList wzor = Dziennik();
        QFile::remove(FWynik);

        for (const QString& miejsce : miejsca) {
            SCOPED_TRACE(Nazwa(rodzaj) + (": " + miejsce.toStdString()));
            FSilnik.WyczyscDziennik();
            auto e = Eksporter(rodzaj);
            opcje(*e);
            Awaria(miejsce, TRodzajAwarii::Utracony, QStringLiteral("Edytor zniknął"));
            EXPECT_EQ(Zlap([&] { e->ScalPliki(FWynik, Pliki(pliki)); }), Brak());
            const QStringList d = Dziennik();
            ASSERT_EQ(d.count(QStringLiteral("Uruchom")), 1) << d.join(QLatin1Char('\n')).toStdString();
            const qsizetype uruchom = d.indexOf(QStringLiteral("Uruchom"));
            // Up to the lost call the merge went as usual; the document it had is let go; after the start the
            // whole merge is made again.
            qsizetype utracone = 0;
            while (utracone < wzor.size() && !wzor[utracone].startsWith(miejsce))
                ++utracone;
            ASSERT_LT(utracone, wzor.size());
            QStringList przed = wzor.mid(0, utracone + 1);
            if (miejsce != QStringLiteral("NowyDokument"))
                przed << QStringLiteral("Zamknij");
            EXPECT_EQ(d.mid(0, uruchom), przed);
            EXPECT_EQ(d.mid(uruchom + 1), wzor);
            EXPECT_TRUE(QFileInfo::exists(FWynik));
            EXPECT_EQ(FSilnik.OtwarteDokumenty(), 0);
            QFile::remove(FWynik);
        }

        // Lost a second time: the failure is reported, with its own message, and no third try is made.
        SCOPED_TRACE(Nazwa(rodzaj));
        FSilnik.WyczyscDziennik();
        auto e = Eksporter(rodzaj);
        Awaria(QStringLiteral("WstawPlik(~/b.docx"), TRodzajAwarii::Utracony, QStringLiteral("Edytor zniknął"), 2);
        const TBlad oczekiwany = rodzaj == TRodzaj::Word
                                     ? Blad(KNieUtworzono + QStringLiteral("Edytor zniknął"))
                                     : TBlad{QStringLiteral("ESilnikUtracony"), QStringLiteral("Edytor zniknął")};
        EXPECT_EQ(Zlap([&] { e->ScalPliki(FWynik, Pliki(pliki)); }), oczekiwany);
        EXPECT_EQ(FSilnik.Ile(QStringLiteral("Uruchom")), 1);
        EXPECT_EQ(FSilnik.Ile(QStringLiteral("NowyDokument")), 2);
        EXPECT_FALSE(QFileInfo::exists(FWynik));
        EXPECT_EQ(FSilnik.OtwarteDokumenty(), 0);
    }
}

TEST_F(EksporterNaSilniku, UtraconyEdytorPrzyPojedynczychOperacjach)
{
    FSilnik.UstawStyle(Sciezka(QStringLiteral("a.doc")), {QStringLiteral("Normalny")});
    FSilnik.UstawStyle(Sciezka(QStringLiteral("b.docx")), {QStringLiteral("Nagłówek 1")});
    FSilnik.UstawWystapienia(Sciezka(QStringLiteral("wo.doc")), QStringLiteral("#LISTA_ST#"), 1);
    const struct
    {
        const char* Opis;
        TRodzaj Rodzaj;
        QString Awaria;
        std::function<void(TZbiorEksporter&)> Praca;
    } przypadki[] = {
        {"otwarcie", TRodzaj::Word, "OtworzDokument",
         [this](TZbiorEksporter& e) {
             e.Otworz(Sciezka(QStringLiteral("a.doc")));
             e.ZnajdzZamien(QStringLiteral("#NR_ST#"), QStringLiteral("D-01"));
             e.ZapiszIZamknij();
         }},
        {"otwarcie", TRodzaj::Odt, "OtworzDokument",
         [this](TZbiorEksporter& e) {
             e.Otworz(Sciezka(QStringLiteral("a.doc")));
             e.ZnajdzZamien(QStringLiteral("#NR_ST#"), QStringLiteral("D-01"));
             e.ZapiszIZamknij();
         }},
        {"liczenie #LISTA_ST#", TRodzaj::Word, "PoliczWystapienia",
         [this](TZbiorEksporter& e) {
             e.PlikWarunkowOgolnych = Plik(QStringLiteral("wo.doc"));
             int ilosc = 0;
             EXPECT_TRUE(e.CzyTestListySTWWarunkachOgolnych(ilosc));
             EXPECT_EQ(ilosc, 1);
         }},
        {"style plików", TRodzaj::Word, "NazwyUzywanychStylow",
         [this](TZbiorEksporter& e) {
             QStringList lista;
             Word(e).GetNazwyStylow(Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}), lista);
             EXPECT_EQ(lista, (QStringList{QStringLiteral("Nagłówek 1"), QStringLiteral("Normalny")}));
         }},
        {"sprawdzenie stylu", TRodzaj::Word, "NazwyUzywanychStylow",
         [this](TZbiorEksporter& e) {
             e.CzyStylWNaglowku = true;
             e.CzyWeryfikujStylNaglowka = true;
             e.NazwaStyluWNaglowku = QStringLiteral("Nagłówek 1");
             e.ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}));
         }},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(std::string(Nazwa(p.Rodzaj)) + ": " + p.Opis);
        FSilnik.WyczyscDziennik();
        auto e = Eksporter(p.Rodzaj);
        FSilnik.Awaria(p.Awaria, TRodzajAwarii::Utracony, QStringLiteral("Edytor zniknął"));
        EXPECT_EQ(Zlap([&] { p.Praca(*e); }), Brak());
        EXPECT_EQ(FSilnik.Ile(QStringLiteral("Uruchom")), 1);
        EXPECT_EQ(FSilnik.OtwarteDokumenty(), 0);
    }
}

TEST_F(EksporterNaSilniku, SprawdzenieStyluNaglowkaPrzedScalaniem)
{
    FSilnik.UstawStyle(Sciezka(QStringLiteral("a.doc")), {QStringLiteral("Normalny"), QStringLiteral("Nagłówek 2")});
    FSilnik.UstawStyle(Sciezka(QStringLiteral("b.docx")),
                       {QStringLiteral("  NAGŁÓWEK 1 "), QStringLiteral("Normalny")});
    const QString otwarcieA = QStringLiteral("OtworzDokument(~/a.doc, tylkoDoOdczytu=1)");
    const QString otwarcieB = QStringLiteral("OtworzDokument(~/b.docx, tylkoDoOdczytu=1)");
    const struct
    {
        bool Styl;
        bool Weryfikuj;
        QString Nazwa;
        TBlad Oczekiwany;
        QStringList Otwarte; // documents opened for the check, in order
    } przypadki[] = {
        // Trimmed and compared without regard to letter case, Polish letters too.
        {true, true, " nagłówek 1 ", Brak(), {otwarcieA, otwarcieB}},
        // The first file that uses the style ends the search.
        {true, true, "normalny", Brak(), {otwarcieA}},
        {true, true, "Nagłówek 3", Blad(KBrakStylu), {otwarcieA, otwarcieB}},
        {true, true, "Nagłówek", Blad(KBrakStylu), {otwarcieA, otwarcieB}},
        {true, false, "Nagłówek 3", Brak(), {}},
        {false, true, "Nagłówek 3", Brak(), {}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Nazwa.toStdString() + (p.Styl ? " styl" : "") + (p.Weryfikuj ? " weryfikuj" : ""));
        FSilnik.WyczyscDziennik();
        auto e = Eksporter(TRodzaj::Word);
        e->CzyNaglowek = true;
        e->CzyStylWNaglowku = p.Styl;
        e->CzyWeryfikujStylNaglowka = p.Weryfikuj;
        e->NazwaStyluWNaglowku = p.Nazwa;
        EXPECT_EQ(Zlap([&] {
                      e->ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}));
                  }),
                  p.Oczekiwany);
        EXPECT_EQ(Dziennik().filter(QStringLiteral("OtworzDokument")), p.Otwarte);
        // The check comes before the merge: a style not found starts no merge at all.
        EXPECT_EQ(FSilnik.Ile(QStringLiteral("NowyDokument")), p.Oczekiwany == Brak() ? 1 : 0);
        EXPECT_EQ(QFileInfo::exists(FWynik), p.Oczekiwany == Brak());
        EXPECT_EQ(FSilnik.OtwarteDokumenty(), 0);
        QFile::remove(FWynik);
    }

    // The OpenDocument exporter has no style reference and checks nothing.
    FSilnik.WyczyscDziennik();
    auto odt = Eksporter(TRodzaj::Odt);
    odt->CzyNaglowek = true;
    odt->CzyStylWNaglowku = true;
    odt->CzyWeryfikujStylNaglowka = true;
    odt->NazwaStyluWNaglowku = QStringLiteral("Nagłówek 3");
    EXPECT_EQ(Zlap([&] {
                  odt->ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}));
              }),
              Brak());
    EXPECT_EQ(FSilnik.Ile(QStringLiteral("OtworzDokument")), 0);

    // A file the check cannot open.
    FSilnik.WyczyscDziennik();
    Awaria(QStringLiteral("OtworzDokument(~/b.docx"), TRodzajAwarii::Blad, QStringLiteral("Plik zablokowany"));
    auto word = Eksporter(TRodzaj::Word);
    word->CzyStylWNaglowku = true;
    word->CzyWeryfikujStylNaglowka = true;
    word->NazwaStyluWNaglowku = QStringLiteral("Nagłówek 3");
    EXPECT_EQ(Zlap([&] {
                  word->ScalPliki(FWynik, Pliki({QStringLiteral("a.doc"), QStringLiteral("b.docx")}));
              }),
              Blad(KNieOtwarto + QStringLiteral("Plik zablokowany")));
    EXPECT_EQ(FSilnik.Ile(QStringLiteral("NowyDokument")), 0);
}

TEST_F(EksporterNaSilniku, LiczenieMiejscaListyWWarunkachOgolnych)
{
    const QString wo = Sciezka(QStringLiteral("wo.doc"));
    const QStringList liczenie{QStringLiteral("OtworzDokument(~/wo.doc, tylkoDoOdczytu=1)"),
                               QStringLiteral("PoliczWystapienia(#LISTA_ST#)"), QStringLiteral("Zamknij")};
    const struct
    {
        const char* Opis;
        int Wystapien; // -1: the file holds only "#LISTA#"
        bool ZPlikiem;
        bool Word;
        int IloscWord;
        QStringList DziennikWord;
    } przypadki[] = {
        {"jedno miejsce", 1, true, true, 1, liczenie},  {"dwa miejsca", 2, true, true, 2, liczenie},
        {"brak miejsca", 0, true, false, 0, liczenie},  {"inny znacznik", -1, true, false, 0, liczenie},
        {"bez pliku warunków", 1, false, false, 0, {}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        TSilnikTestowy silnik;
        if (p.Wystapien >= 0)
            silnik.UstawWystapienia(wo, QStringLiteral("#LISTA_ST#"), p.Wystapien);
        else
            silnik.UstawWystapienia(wo, QStringLiteral("#LISTA#"), 3);
        TZbiorEksporterDOC word(&silnik);
        TZbiorEksporterODT odt(&silnik);
        word.PlikWarunkowOgolnych = odt.PlikWarunkowOgolnych = p.ZPlikiem ? Plik(QStringLiteral("wo.doc")) : nullptr;
        int ilosc = 7;
        EXPECT_EQ(word.CzyTestListySTWWarunkachOgolnych(ilosc), p.Word);
        EXPECT_EQ(ilosc, p.IloscWord);
        QStringList d = silnik.Dziennik();
        for (QString& w : d)
            w.replace(FKatalog.path() + QLatin1Char('/'), QStringLiteral("~/"));
        EXPECT_EQ(d, p.DziennikWord);
        // OpenDocument: one place assumed, the file not opened.
        silnik.WyczyscDziennik();
        ilosc = 7;
        EXPECT_TRUE(odt.CzyTestListySTWWarunkachOgolnych(ilosc));
        EXPECT_EQ(ilosc, 1);
        EXPECT_TRUE(silnik.Dziennik().isEmpty());
    }

    Awaria(QStringLiteral("OtworzDokument(~/wo.doc"), TRodzajAwarii::Blad, QStringLiteral("Plik uszkodzony"));
    TZbiorEksporterDOC word(&FSilnik);
    word.PlikWarunkowOgolnych = Plik(QStringLiteral("wo.doc"));
    int ilosc = 0;
    EXPECT_EQ(Zlap([&] { word.CzyTestListySTWWarunkachOgolnych(ilosc); }),
              Blad(KNieOtwarto + QStringLiteral("Plik uszkodzony")));
}

TEST_F(EksporterNaSilniku, NazwyStylowPlikow)
{
    FSilnik.UstawStyle(Sciezka(QStringLiteral("a.doc")), {QStringLiteral("Normalny"), QStringLiteral("Nagłówek 1")});
    FSilnik.UstawStyle(Sciezka(QStringLiteral("b.docx")),
                       {QStringLiteral("nagłówek 1"), QStringLiteral("akapit listy")});
    FSilnik.UstawStyle(Sciezka(QStringLiteral("wo.doc")),
                       {QStringLiteral("Zwykły"), QStringLiteral("NORMALNY"), QStringLiteral("Lista")});
    const QStringList pliki{QStringLiteral("a.doc"), QStringLiteral("b.docx"), QStringLiteral("wo.doc")};
    const struct
    {
        const char* Opis;
        QString StopPrzy; // "-": stopped before it starts
        QStringList Style;
        QStringList Czytane;
    } przypadki[] = {
        // Sorted without regard to letter case (an ordinal sort would put "Lista" first); of names that
        // differ only in letter case the first one read stays.
        {"wszystkie pliki", {}, {"akapit listy", "Lista", "Nagłówek 1", "Normalny", "Zwykły"}, pliki},
        {"przerwane przy drugim", "b.docx", {"akapit listy", "Nagłówek 1", "Normalny"}, {"a.doc", "b.docx"}},
        {"przerwane przed startem", "-", {}, {}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.Opis);
        FSilnik.WyczyscDziennik();
        auto e = Eksporter(TRodzaj::Word);
        auto zapis = e->OnProgressChange;
        const QString stopPrzy = p.StopPrzy;
        e->OnProgressChange = [zapis, stopPrzy](TZbiorEksporter* nadawca) {
            zapis(nadawca);
            if (nadawca->CurrentFile() == stopPrzy)
                nadawca->Terminate();
        };
        if (stopPrzy == QStringLiteral("-"))
            e->Terminate();
        QStringList lista{QStringLiteral("z poprzedniego razu")};
        Word(*e).GetNazwyStylow(Pliki(pliki), lista);
        EXPECT_EQ(lista, p.Style);
        QStringList oczekiwany;
        for (const QString& plik : p.Czytane)
            oczekiwany << QStringLiteral("Postep(%1)").arg(plik)
                       << QStringLiteral("OtworzDokument(~/%1, tylkoDoOdczytu=1)").arg(plik)
                       << QStringLiteral("NazwyUzywanychStylow") << QStringLiteral("Zamknij");
        EXPECT_EQ(Dziennik(), oczekiwany);
    }

    FSilnik.WyczyscDziennik();
    Awaria(QStringLiteral("OtworzDokument(~/b.docx"), TRodzajAwarii::Blad, QStringLiteral("Plik uszkodzony"));
    auto e = Eksporter(TRodzaj::Word);
    QStringList lista;
    EXPECT_EQ(Zlap([&] { Word(*e).GetNazwyStylow(Pliki(pliki), lista); }),
              Blad(KNieOtwarto + QStringLiteral("Plik uszkodzony")));
    EXPECT_EQ(FSilnik.OtwarteDokumenty(), 0);
}

TEST_F(EksporterNaSilniku, EdycjaPojedynczegoDokumentu)
{
    const QString a = Sciezka(QStringLiteral("a.doc"));
    const struct
    {
        TRodzaj Rodzaj;
        QStringList Dziennik;
    } przypadki[] = {
        // Word writes every line of the replacement as a paragraph at the first place.
        {TRodzaj::Word,
         {"OtworzDokument(~/a.doc, tylkoDoOdczytu=0)", R"(ZamienNaLinie(#NR_ST#, ["D-01.02"], wszystkie=0, lamanie=0))",
          R"(ZamienNaLinie(#TYTUL_ST#, ["Roboty", "ziemne"], wszystkie=0, lamanie=0))",
          R"(ZamienNaLinie(#KODY_CPV#, ["45100000-8", "45111200-0", "45112000-5"], wszystkie=0, lamanie=0))",
          "Zapisz()", "Zamknij"}},
        // OpenDocument replaces every place with the text as it is.
        {TRodzaj::Odt,
         {"OtworzDokument(~/a.doc, tylkoDoOdczytu=0)", "ZamienWszystko(#NR_ST#, D-01.02, wielkoscLiter=*",
          "ZamienWszystko(#TYTUL_ST#, Roboty\\r\\nziemne, wielkoscLiter=*",
          "ZamienWszystko(#KODY_CPV#, 45100000-8\\n45111200-0\\n45112000-5, wielkoscLiter=*", "Zapisz()", "Zamknij"}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(Nazwa(p.Rodzaj));
        ZapiszPlik(a, "szablon");
        FSilnik.WyczyscDziennik();
        auto e = Eksporter(p.Rodzaj);
        e->Otworz(a);
        e->ZnajdzZamien(QStringLiteral("#NR_ST#"), QStringLiteral("D-01.02"));
        e->ZnajdzZamien(QStringLiteral("#TYTUL_ST#"), QStringLiteral("Roboty\r\nziemne"));
        e->ZnajdzZamien(QStringLiteral("#KODY_CPV#"), QStringLiteral("45100000-8\n45111200-0\n45112000-5"));
        e->ZapiszIZamknij();
        EXPECT_TRUE(ZgodnyDziennik(Dziennik(), p.Dziennik));
        // Saved over the file it was opened from.
        const QStringList zapisany = QString::fromUtf8(CzytajPlik(a)).split(QLatin1Char('\n'));
        EXPECT_EQ(zapisany.first(), a);
        EXPECT_EQ(zapisany.last(), QStringLiteral("Zapisz()"));
        EXPECT_EQ(FSilnik.OtwarteDokumenty(), 0);
        // Nothing is open any more.
        EXPECT_EQ(Zlap([&] { e->ZapiszIZamknij(); }), Blad(QStringLiteral("Nie otwarto dokumentu.")));
        EXPECT_EQ(Zlap([&] { e->ZnajdzZamien(QStringLiteral("#JM#"), QStringLiteral("m2")); }),
                  Blad(QStringLiteral("Nie otwarto dokumentu.")));

        // A second document lets the first go; the exporter closes what it still holds.
        FSilnik.WyczyscDziennik();
        e->Otworz(a);
        e->Otworz(Sciezka(QStringLiteral("b.docx")));
        EXPECT_EQ(FSilnik.OtwarteDokumenty(), 1);
        e.reset();
        EXPECT_EQ(
            Dziennik(),
            (QStringList{QStringLiteral("OtworzDokument(~/a.doc, tylkoDoOdczytu=0)"), QStringLiteral("Zamknij"),
                         QStringLiteral("OtworzDokument(~/b.docx, tylkoDoOdczytu=0)"), QStringLiteral("Zamknij")}));

        // A failed save is reported, and leaves nothing open.
        FSilnik.WyczyscDziennik();
        e = Eksporter(p.Rodzaj);
        Awaria(QStringLiteral("Zapisz()"), TRodzajAwarii::Blad, QStringLiteral("Dysk pełny"));
        e->Otworz(a);
        EXPECT_EQ(Zlap([&] { e->ZapiszIZamknij(); }).Typ, QStringLiteral("EBlad"));
        EXPECT_EQ(FSilnik.OtwarteDokumenty(), 0);
    }

    // Word refuses a missing file before it is started.
    FSilnik.WyczyscDziennik();
    auto word = Eksporter(TRodzaj::Word);
    const QString brak = Sciezka(QStringLiteral("brak.doc"));
    EXPECT_EQ(Zlap([&] { word->Otworz(brak); }), Blad(QStringLiteral("Wybrany plik nie istnieje: ") + brak));
    EXPECT_TRUE(FSilnik.Dziennik().isEmpty());
}

} // namespace
