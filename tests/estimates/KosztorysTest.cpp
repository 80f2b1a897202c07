#include "estimates/Kosztorys.h"
#include "estimates/KosztorysJson.h"
#include "estimates/WyjatkiKosztorysu.h"
#include "specs/Specyfikacja.h"
#include "specs/WariantSpecyfikacji.h"
#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"

#include <QJsonArray>
#include <QTemporaryDir>

namespace {

// An estimate whose "file" is a list of lines "E nr pz" / "P id st", enough to exercise the tree.
class TKosztorysTestowy : public TKosztorys
{
public:
    using TKosztorys::TKosztorys;
    QString Zapisane;
    QString IdWPliku;
    bool BladPrzyCzytaniu = false;

    void SaveFile(const QString& sciezka) override { Zapisane = sciezka; }
    QString PobierzIdKosztorysu(const QString&) override { return IdWPliku; }
    QString GetDefaultExt() const override { return QStringLiteral(".tst"); }
    QString GetFilter() const override { return QStringLiteral("Test (*.tst)|*.tst"); }

    TPozycjaRds* Pozycja(TElementRds* e, const QString& id, const QString& st)
    {
        auto p = std::make_unique<TPozycjaRds>(HandlerPozycji());
        p->SetId(id);
        p->SetST(st);
        return e->AddPozycja(std::move(p));
    }

protected:
    void Wczytaj() override
    {
        TElementRds* e = AddElement(std::make_unique<TElementRds>(QStringLiteral("1"), 0, QStringLiteral("Roboty")));
        Pozycja(e, QStringLiteral("a"), QStringLiteral("D-01"));
        if (BladPrzyCzytaniu)
            throw EBlad(QStringLiteral("Błąd przetwarzania kosztorysu: błąd odczytu pliku."));
    }
    // Lines "id st", each a position of the root; any other line fails the reading after the positions
    // before it were added.
    void CzytajDane(const QByteArray& dane) override
    {
        for (const QByteArray& linia : dane.split('\n')) {
            const QList<QByteArray> pola = linia.split(' ');
            if (pola.size() != 2)
                throw EBlad(QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
            Pozycja(this, QString::fromUtf8(pola[0]), QString::fromUtf8(pola[1]));
        }
    }
    // The source's lines with each position's ST number written back.
    QByteArray KopiaDanych(const QByteArray& zrodlo) const override
    {
        QByteArrayList linie;
        for (const QByteArray& linia : zrodlo.split('\n')) {
            const QString id = QString::fromUtf8(linia.split(' ').value(0));
            const TPozycjaRds* p = ZnajdzPozycjePoId(this, id);
            linie << (p ? (id + QLatin1Char(' ') + STDoZapisu(*p, Ustawienia())).toUtf8() : linia);
        }
        return linie.join('\n');
    }
};

class KosztorysTest : public TTestZKonfiguracja
{
protected:
    // Root: element E1 (positions a, b; sub-element E2 with position c), element E3 (position d).
    std::unique_ptr<TKosztorysTestowy> Drzewo()
    {
        auto k = std::make_unique<TKosztorysTestowy>(QString(), false, false, false);
        E1 = k->AddElement(std::make_unique<TElementRds>(QStringLiteral("1"), 0, QStringLiteral("Ziemne")));
        k->Pozycja(E1, QStringLiteral("a"), QStringLiteral("D-01.01"));
        k->Pozycja(E1, QStringLiteral("b"), QStringLiteral("d-01.02"));
        E2 = E1->AddElement(std::make_unique<TElementRds>(QStringLiteral("1.1"), 1, QStringLiteral("Wykopy")));
        k->Pozycja(E2, QStringLiteral("c"), QStringLiteral("D-01.01"));
        E3 = k->AddElement(std::make_unique<TElementRds>(QStringLiteral("2"), 0, QStringLiteral(" Nawierzchnie ")));
        k->Pozycja(E3, QStringLiteral("d"), QStringLiteral(" D-05"));
        return k;
    }
    TElementRds* E1 = nullptr;
    TElementRds* E2 = nullptr;
    TElementRds* E3 = nullptr;
};

TEST_F(KosztorysTest, DodawanieTegoSamegoDwaRazy)
{
    auto k = Drzewo();
    TElementRds* e = E1->GetElement(0);
    EXPECT_FALSE(E1->AddElement(e));
    EXPECT_EQ(E1->ElementyCount(), 1);
    TPozycjaRds* p = E1->GetPozycja(0);
    EXPECT_FALSE(E1->AddPozycja(p));
    EXPECT_EQ(E1->PozycjeCount(), 2);
    EXPECT_EQ(p->Parent, E1);
    EXPECT_EQ(E2->Parent, E1);
}

TEST_F(KosztorysTest, IndeksySpozaListyDajaNic)
{
    auto k = Drzewo();
    EXPECT_EQ(k->GetElement(-1), nullptr);
    EXPECT_EQ(k->GetElement(2), nullptr);
    EXPECT_EQ(E1->GetPozycja(E1->PozycjeCount()), nullptr);
    EXPECT_EQ(E1->GetPozycja(-1), nullptr);
}

TEST_F(KosztorysTest, LiczbaIPodpis)
{
    auto k = Drzewo();
    EXPECT_EQ(E1->Count(), 4); // two positions, one sub-element and its position
    EXPECT_EQ(k->Count(), 7);
    EXPECT_EQ(E3->GetCaption(), QStringLiteral("2  Nawierzchnie"));
    TElementRds bezNumeru(QString(), 0, QStringLiteral("Opis"));
    EXPECT_EQ(bezNumeru.GetCaption(), QStringLiteral("Opis"));
    EXPECT_EQ(k->GetPz(), -1);
    EXPECT_EQ(k->Opis, QStringLiteral("Kosztorys"));
}

TEST_F(KosztorysTest, CzyUzywaneSTPrzycinaTylkoArgument)
{
    auto k = Drzewo();
    EXPECT_TRUE(k->CzyUzywaneST(QStringLiteral("  D-01.02 "))); // the position holds "d-01.02"
    EXPECT_FALSE(k->CzyUzywaneST(QStringLiteral("D-05")));      // the position's own ST begins with a blank
    EXPECT_FALSE(k->CzyUzywaneST(QStringLiteral("D-99")));
}

TEST_F(KosztorysTest, CzyUzywaneSTSpecyfikacjiWDrugimPodelemencie)
{
    auto k = Drzewo();
    TSpecyfikacja s(QStringLiteral("D-05"), false, false, QString(), QString(), QStringLiteral("Nawierzchnie"));
    EXPECT_FALSE(k->CzyUzywaneST(&s));
    E3->GetPozycja(0)->WybranaSpecyfikacja().SetSpecyfikacja(&s);
    EXPECT_TRUE(k->CzyUzywaneST(&s));
    E3->GetPozycja(0)->WybranaSpecyfikacja().SetSpecyfikacja(nullptr);
}

TEST_F(KosztorysTest, ZaktualizujSTNaKazdejGlebokosci)
{
    auto k = Drzewo();
    k->ZaktualizujSTPozycji(QStringLiteral(" d-01.01 "), QStringLiteral("D-01.01.01"));
    EXPECT_EQ(E1->GetPozycja(0)->ST(), QStringLiteral("D-01.01.01"));
    EXPECT_EQ(E2->GetPozycja(0)->ST(), QStringLiteral("D-01.01.01"));
    EXPECT_EQ(E1->GetPozycja(1)->ST(), QStringLiteral("d-01.02"));
}

TEST_F(KosztorysTest, TytulIZdarzenia)
{
    auto k = Drzewo();
    int zmian = 0;
    k->OnZmiana = [&zmian](TKosztorys*) { ++zmian; };
    k->SetTytul(QStringLiteral("Droga"));
    EXPECT_EQ(zmian, 1);
    k->SetTytul(QStringLiteral("  Droga "));
    EXPECT_EQ(zmian, 1);
    EXPECT_EQ(k->Tytul(), QStringLiteral("Droga"));
    k->SetTytul(QStringLiteral("droga"));
    EXPECT_EQ(zmian, 2);

    k->UstawZdarzenieZmianyZawartosciPozycji();
    E2->GetPozycja(0)->SetOpis(QStringLiteral("x"));
    E3->GetPozycja(0)->SetAktywna(false);
    EXPECT_EQ(zmian, 4);
}

TEST_F(KosztorysTest, ZnajdzPozycjePoIdIIndeks)
{
    auto k = Drzewo();
    k->Pozycja(E3, QStringLiteral("a"), QStringLiteral("drugie a"));
    EXPECT_EQ(TKosztorys::ZnajdzPozycjePoId(k.get(), QStringLiteral("a")), E1->GetPozycja(0));
    EXPECT_EQ(TKosztorys::ZnajdzPozycjePoId(k.get(), QStringLiteral("A")), nullptr);
    EXPECT_EQ(TKosztorys::ZnajdzPozycjePoId(E3, QStringLiteral("a")), E3->GetPozycja(1));
    const auto indeks = k->ZbudujIndeksId();
    for (const char* id : {"a", "b", "c", "d"})
        EXPECT_EQ(indeks.value(QString::fromLatin1(id)),
                  TKosztorys::ZnajdzPozycjePoId(k.get(), QString::fromLatin1(id)));
}

TEST_F(KosztorysTest, UstawSTWBloku)
{
    auto k = Drzewo();
    TSpecyfikacja s(QStringLiteral("D-07"), false, false, QString(), QString(), QStringLiteral("Krawężniki"));
    const struct
    {
        QStringList Blok;
        const char* Id; // position whose specification is assigned, or null
        QStringList Wynik;
    } przypadki[] = {
        // An existing ST line is replaced by the position's number.
        {{"[POZ]", "ID=a", "ST=stary", "Opis=x"}, nullptr, {"[POZ]", "ID=a", "ST=D-01.01", "Opis=x"}},
        // No ST line: inserted as the third line.
        {{"[POZ]", "ID=b", "Opis=x", "Jm=m"}, nullptr, {"[POZ]", "ID=b", "ST=d-01.02", "Opis=x", "Jm=m"}},
        // A short block gets it at its end.
        {{"[POZ]", "ID=c"}, nullptr, {"[POZ]", "ID=c", "ST=D-01.01"}},
        // Unknown Id or no ID line: unchanged.
        {{"[POZ]", "ID=zz", "ST=1"}, nullptr, {"[POZ]", "ID=zz", "ST=1"}},
        {{"[POZ]", "Opis=x"}, nullptr, {"[POZ]", "Opis=x"}},
        // The assigned specification wins over the position's own ST.
        {{"[POZ]", "ID=d", "ST= D-05"}, "d", {"[POZ]", "ID=d", "ST=D-07"}},
        // The last ID line counts.
        {{"[POZ]", "ID=zz", "ID=a", "ST=x"}, nullptr, {"[POZ]", "ID=zz", "ID=a", "ST=D-01.01"}},
    };
    for (const auto& p : przypadki) {
        if (p.Id)
            TKosztorys::ZnajdzPozycjePoId(k.get(), QString::fromLatin1(p.Id))
                ->WybranaSpecyfikacja()
                .SetSpecyfikacja(&s);
        QStringList blok = p.Blok;
        k->UstawSTWBloku(blok);
        EXPECT_EQ(blok, p.Wynik) << p.Blok.join(QLatin1Char('|')).toStdString();
        const auto indeks = k->ZbudujIndeksId();
        QStringList zIndeksem = p.Blok;
        k->UstawSTWBloku(zIndeksem, &indeks);
        EXPECT_EQ(zIndeksem, p.Wynik);
    }
    E3->GetPozycja(0)->WybranaSpecyfikacja().SetSpecyfikacja(nullptr);

    // No ST line, empty own ST but an assigned specification: unchanged.
    TPozycjaRds* pusta = k->Pozycja(E3, QStringLiteral("e"), QString());
    pusta->WybranaSpecyfikacja().SetSpecyfikacja(&s);
    QStringList blok{"[POZ]", "ID=e", "Opis=x"};
    k->UstawSTWBloku(blok);
    EXPECT_EQ(blok, (QStringList{"[POZ]", "ID=e", "Opis=x"}));
    pusta->WybranaSpecyfikacja().SetSpecyfikacja(nullptr);
}

TEST_F(KosztorysTest, NormalizujSeparatorWariantu)
{
    const struct
    {
        bool Uzywaj, Rozpoznaj;
        const char* Separatory;
        const char* St;
        const char* Wynik;
    } przypadki[] = {
        {true, true, "_/", "D-01.01_2", "D-01.01#2"},
        {true, true, "_/", "D-01/01_2", "D-01/01#2"}, // the separators are tried in their order
        {true, true, "/_", "D-01_01_2", "D-01#01_2"},
        {true, true, "x", "D-01.01X2", "D-01.01X2"}, // letter case counts
        {false, true, "_", "D-01_2", "D-01_2"},
        {true, false, "_", "D-01_2", "D-01_2"},
        {true, true, "", "D-01_2", "D-01_2"},
    };
    for (const auto& p : przypadki) {
        TUstawieniaKosztorysu u;
        u.Warianty.CzyKorzystajZWariantow = p.Uzywaj;
        u.RozpoznajWariantyPrzyImporcie = p.Rozpoznaj;
        u.ListaSeparatorowWariantow = QString::fromLatin1(p.Separatory);
        EXPECT_EQ(TKosztorys::NormalizujSeparatorWariantu(QString::fromLatin1(p.St), u), QString::fromLatin1(p.Wynik))
            << p.St;
    }
    // The program's configuration plays no part.
    Konfiguracja().CzyKorzystajZWariantow = true;
    Konfiguracja().RozpoznajWariantyPrzyImporcieKosztorysu = true;
    Konfiguracja().ListaSeparatorowWariantow = QStringLiteral("_");
    EXPECT_EQ(TKosztorys::NormalizujSeparatorWariantu(QStringLiteral("D-01_2"), {}), QStringLiteral("D-01_2"));
}

TEST_F(KosztorysTest, EksportujPrzepinaTylkoTenSamKosztorys)
{
    QTemporaryDir dir;
    const QString zrodlo = dir.filePath(QStringLiteral("a.tst"));
    const QString inne = dir.filePath(QStringLiteral("b.tst"));
    ZapiszPlik(zrodlo, "x");
    ZapiszPlik(inne, "x");
    auto k = Drzewo();
    k->FilePath().SetPath(zrodlo);

    k->Id = QStringLiteral("K1");
    k->IdWPliku = QStringLiteral("K2");
    EXPECT_THROW(k->Eksportuj(dir.filePath(QStringLiteral("c.tst")), inne, false), ENieprawidlowyPlikZrodlowy);
    EXPECT_EQ(k->FilePath().GetPath(), zrodlo);

    k->Eksportuj(dir.filePath(QStringLiteral("c.tst")), inne, true);
    EXPECT_EQ(k->Id, QStringLiteral("K2"));
    EXPECT_EQ(k->FilePath().GetPath(), inne);
    EXPECT_EQ(k->Zapisane, dir.filePath(QStringLiteral("c.tst")));

    k->Id.clear();
    k->IdWPliku.clear();
    EXPECT_THROW(k->Eksportuj(QStringLiteral("x"), zrodlo, false),
                 ENieprawidlowyPlikZrodlowy); // empty Id never matches

    QFile::remove(inne);
    try {
        k->Eksportuj(dir.filePath(QStringLiteral("d.tst")), QString(), false);
        FAIL() << "a missing source was accepted";
    } catch (const EBrakPlikuZrodlowego& e) {
        EXPECT_EQ(e.Komunikat(), QStringLiteral("Źródłowy plik kosztorysu nie istnieje (") + inne + QLatin1Char(')'));
    }
}

TEST_F(KosztorysTest, DaneWPamieciCaleLubNic)
{
    TKosztorysTestowy k(QString(), false, false, false);
    k.SetTytul(QStringLiteral("Droga"));
    k.WczytajZDanych("a D-01\nb D-02");
    EXPECT_EQ(k.PozycjeCount(), 2);
    EXPECT_EQ(k.Tytul(), QStringLiteral("Droga")) << "reading bytes leaves the title";
    EXPECT_TRUE(k.FilePath().EncodedPath().isEmpty());
    k.GetPozycja(1)->SetST(QStringLiteral("D-09"));
    EXPECT_EQ(k.ZapiszDoDanych("b x\nc y"), QByteArray("b D-09\nc y"));
    EXPECT_EQ(k.PozycjeCount(), 2) << "writing leaves the tree";
    // Read again from an empty tree; a failure part-way leaves no tree at all.
    k.WczytajZDanych("c D-03");
    EXPECT_EQ(k.PozycjeCount(), 1);
    OczekujBledu([&] { k.WczytajZDanych("d D-04\nzepsuta"); },
                 QStringLiteral("Wybrany plik kosztorysu jest nieprawidłowy."));
    EXPECT_EQ(k.Count(), 0);
}

TEST_F(KosztorysTest, NieudaneCzytanieZostawiaPusteDrzewo)
{
    TKosztorysTestowy k(QString(), false, false, false);
    k.WczytajKosztorys();
    EXPECT_EQ(k.Count(), 2);
    k.WczytajKosztorys(); // reading again starts from an empty tree
    EXPECT_EQ(k.Count(), 2);
    k.BladPrzyCzytaniu = true;
    EXPECT_THROW(k.WczytajKosztorys(), EBlad);
    EXPECT_EQ(k.Count(), 0);
}

TEST_F(KosztorysTest, JsonDrzewa)
{
    auto k = Drzewo();
    k->SetTytul(QStringLiteral("Droga gminna"));
    k->Id = QStringLiteral("K7");
    E2->GetPozycja(0)->SetAktywna(false);
    const QJsonObject j = KosztorysNaJson(*k);
    EXPECT_EQ(j[QStringLiteral("tytul")].toString(), QStringLiteral("Droga gminna"));
    EXPECT_EQ(j[QStringLiteral("id")].toString(), QStringLiteral("K7"));
    EXPECT_EQ(j[QStringLiteral("opis")].toString(), QStringLiteral("Kosztorys"));
    EXPECT_TRUE(j[QStringLiteral("pozycje")].toArray().isEmpty());
    const QJsonArray elementy = j[QStringLiteral("elementy")].toArray();
    ASSERT_EQ(elementy.size(), 2);
    const QJsonObject e1 = elementy[0].toObject();
    EXPECT_EQ(e1[QStringLiteral("pz")].toInt(), 0);
    EXPECT_EQ(e1[QStringLiteral("pozycje")].toArray()[1].toObject()[QStringLiteral("id")].toString(),
              QStringLiteral("b"));
    const QJsonObject c =
        e1[QStringLiteral("elementy")].toArray()[0].toObject()[QStringLiteral("pozycje")].toArray()[0].toObject();
    EXPECT_FALSE(c[QStringLiteral("aktywna")].toBool(true));
    EXPECT_FALSE(c[QStringLiteral("czyScalona")].toBool(true));
    EXPECT_EQ(c.keys().size(), 13);
}

TEST_F(KosztorysTest, STDoZapisuZWariantemPoSeparatorzeWizualnym)
{
    auto k = Drzewo();
    TPozycjaRds* p = E1->GetPozycja(0);
    EXPECT_EQ(TKosztorys::STDoZapisu(*p, {}), QStringLiteral("D-01.01")); // no specification: its own ST

    TSpecyfikacja s(QStringLiteral("D-07"), false, false, QString(), QString(), QStringLiteral("Krawężniki"));
    s.AddWariant(std::make_unique<TWariantSpecyfikacji>(QStringLiteral("2"), QString(), QString(), QString()));
    p->WybranaSpecyfikacja().SetSpecyfikacja(&s);
    p->WybranaSpecyfikacja().SetWariantSpecyfikacji(s.GetWariant(0));
    const struct
    {
        bool Uzywaj, Eksportuj;
        const char* Wynik;
    } przypadki[] = {{true, true, "D-07/2"}, {true, false, "D-07"}, {false, true, "D-07"}, {false, false, "D-07"}};
    for (const auto& przypadek : przypadki) {
        TUstawieniaKosztorysu u;
        u.Warianty.CzyKorzystajZWariantow = przypadek.Uzywaj;
        u.Warianty.WizualnySeparatorWariantow = QStringLiteral("/");
        u.UwzglednijWariantyPrzyEksporcie = przypadek.Eksportuj;
        EXPECT_EQ(TKosztorys::STDoZapisu(*p, u), QString::fromLatin1(przypadek.Wynik)) << przypadek.Wynik;
    }
    p->WybranaSpecyfikacja().SetSpecyfikacja(nullptr);
}

} // namespace
