// The dialog "Ustawienia" without its window: loading, defaults, the path pages, browsing checks, "Zapisz".
#include "UzytkownikSkryptowy.h"

#include "support/KonfiguracjaTestowa.h"
#include "support/Pomocnicze.h"
#include "workflow/UstawieniaDialogu.h"

#include <QTemporaryDir>

namespace {

using P = TSciezkaUstawien;
using S = TStronaUstawien;

const QString PytanieODlugosci = QStringLiteral("Dla wybranego folderu, w plikach specyfikacji zostanie przekroczona "
                                                "maksymalna długość ścieżki dozwolona przez system Windows.");

class UstawieniaDialogu : public TTestZKonfiguracja
{
protected:
    void SetUp() override
    {
        TTestZKonfiguracja::SetUp();
        Konfiguracja().SetUserPath(Katalog.path());
    }
    TUstawieniaDialogu Dialog() { return TUstawieniaDialogu(Konfiguracja(), Zestaw, Uzytkownik); }

    QTemporaryDir Katalog;
    TZestawST Zestaw;
    TUzytkownikSkryptowy Uzytkownik;
};

TEST_F(UstawieniaDialogu, BezKonfiguracjiZestawuLubListyNieOtwieraSie)
{
    TKonfiguracjaZestawu kz;
    TSpisST spis;
    OczekujBledu([&] { TUstawieniaDialogu(nullptr, &kz, &spis, Uzytkownik); },
                 QStringLiteral("Brak ustawień konfiguracyjnych do edycji"));
    OczekujBledu([&] { TUstawieniaDialogu(&Konfiguracja(), nullptr, &spis, Uzytkownik); },
                 QStringLiteral("Brak ustawień konfiguracyjnych zestawu do edycji"));
    OczekujBledu([&] { TUstawieniaDialogu(&Konfiguracja(), &kz, nullptr, Uzytkownik); },
                 QStringLiteral("Brak listy specyfikacji"));
}

TEST_F(UstawieniaDialogu, WczytujeIZapisujeTylkoZmienione)
{
    auto& k = Konfiguracja();
    k.CzyZapamietacOpcjeDuplikatowPliku = true;
    k.RozmiarKosztorys = 10;
    Zestaw.GetKonfiguracja()->CzyEksportDoc = false;
    int zmianySzablonu = 0;
    k.OnZmianaPierwszejStrony = [&](TKonfiguracja*) { ++zmianySzablonu; };
    auto d = Dialog();
    EXPECT_FALSE(d.Wartosci.PytajODuplikatyPliku);
    EXPECT_EQ(d.Wartosci.RozmiarKosztorysu, 2);
    EXPECT_FALSE(d.Wartosci.EksportDoc);
    EXPECT_EQ(d.Wartosci.Sciezka(P::Zestawy), Katalog.path() + QStringLiteral("/Dane/Zestawy"));
    EXPECT_EQ(d.Wartosci, d.Zapisane());

    d.Wartosci.PytajODuplikatyPliku = true;
    d.Wartosci.RozmiarKosztorysu = 0;
    d.Wartosci.SeparatorWariantu = QStringLiteral("-");
    d.Wartosci.Sciezka(P::Sst) = QStringLiteral("/inne/sst");
    EXPECT_TRUE(d.Zapisz());
    EXPECT_FALSE(k.CzyZapamietacOpcjeDuplikatowPliku);
    EXPECT_EQ(k.RozmiarKosztorys, 12);
    EXPECT_EQ(k.GetWizualnySeparatorWariantow(), QStringLiteral("-"));
    EXPECT_EQ(k.SstPath->EncodedPath(), QStringLiteral("/inne/sst"));
    EXPECT_EQ(k.ZestawyPath->EncodedPath(), QStringLiteral("%USERPATH%/Dane/Zestawy"));
    EXPECT_EQ(zmianySzablonu, 0); // the templates did not differ: not written
    EXPECT_FALSE(Zestaw.GetKonfiguracja()->CzyEksportDoc);
    EXPECT_TRUE(k.CzyEksportDoc);
}

TEST_F(UstawieniaDialogu, RodzajPlikuJakoDomyslnyDlaNowychZestawow)
{
    auto d = Dialog();
    d.Wartosci.EksportDoc = false;
    d.Wartosci.DomyslnyDlaNowychZestawow = true;
    ASSERT_TRUE(d.Zapisz());
    EXPECT_FALSE(Zestaw.GetKonfiguracja()->CzyEksportDoc);
    EXPECT_FALSE(Konfiguracja().CzyEksportDoc);
}

TEST_F(UstawieniaDialogu, DomyslneStronyBezZapisu)
{
    auto& k = Konfiguracja();
    k.TylkoWidokSpecyfikacje = true;
    k.CzyBackupZestawu = false;
    auto d = Dialog();
    const TWartosciUstawien poczatkowe = d.Wartosci;
    d.Wartosci.TylkoWidokSpecyfikacje = false;
    d.Wartosci.TytulPodgladuDrzewa = QStringLiteral("x");
    d.Wartosci.RozmiarDrzewaElementow = 0;
    d.Wartosci.PomijaneZnaki = QStringLiteral("-");
    d.PrzywrocDomyslne(S::Widok);
    EXPECT_TRUE(d.Wartosci.TylkoWidokSpecyfikacje); // back to the stored value
    EXPECT_EQ(d.Wartosci.TytulPodgladuDrzewa, QStringLiteral("Szczegóły"));
    EXPECT_EQ(d.Wartosci.RozmiarDrzewaElementow, 4);
    EXPECT_EQ(d.Wartosci.PomijaneZnaki, QStringLiteral("-")); // another page
    d.PrzywrocDomyslne(S::Potwierdzenia);
    EXPECT_TRUE(d.Wartosci.KopiaZestawu);
    EXPECT_TRUE(d.Wartosci.PotwierdzUsuniecieZDrzewa); // the first-start false gives way to the default
    EXPECT_TRUE(d.Wartosci.PytajODuplikatyNumeru);
    d.PrzywrocDomyslne(S::Warianty);
    EXPECT_EQ(d.Wartosci.SeparatorWariantu, QStringLiteral("."));
    EXPECT_TRUE(d.Wartosci.TytulZWariantem);
    d.PrzywrocDomyslne(S::Ogolne);
    EXPECT_TRUE(d.Wartosci.SortujPodrecznaListe);
    EXPECT_TRUE(d.Wartosci.PomijaneZnaki.isEmpty());
    EXPECT_NE(d.Wartosci, poczatkowe);
    EXPECT_FALSE(k.CzyBackupZestawu);
    EXPECT_EQ(d.Zapisane(), poczatkowe);
}

TEST_F(UstawieniaDialogu, WszystkieDomyslneDopieroPoZapisz)
{
    auto& k = Konfiguracja();
    k.TytulyEksportuXls = QStringList{QStringLiteral("MÓJ")};
    auto d = Dialog();
    d.PrzywrocWszystkieDomyslne();
    const QString domyslny = TKonfiguracja::GetDefaultUserPath();
    EXPECT_EQ(d.Wartosci.Sciezka(P::KatalogUzytkownika), domyslny);
    EXPECT_EQ(d.Wartosci.Sciezka(P::Eksport), domyslny + QStringLiteral("/Dane/Eksport"));
    EXPECT_EQ(k.TytulyEksportuXls, QStringList{QStringLiteral("MÓJ")});
    EXPECT_EQ(k.GetUserPath(), Katalog.path());
    ASSERT_TRUE(d.Zapisz());
    EXPECT_EQ(k.TytulyEksportuXls, TKonfiguracja::GetDefaultTytulyEksportuXls());
    EXPECT_EQ(k.GetUserPath(), domyslny);
    EXPECT_EQ(k.EksportPath->GetPath(), domyslny + QStringLiteral("/Dane/Eksport"));
}

TEST_F(UstawieniaDialogu, ZaznaczonePrzywracaTylkoZaznaczone)
{
    auto d = Dialog();
    EXPECT_EQ(d.NapisZaznaczWszystkie(S::Program), QStringLiteral("  Odznacz wszystkie  "));
    d.ZaznaczWszystkie(S::Program, false);
    EXPECT_EQ(d.NapisZaznaczWszystkie(S::Program), QStringLiteral("  Zaznacz Wszystkie"));
    EXPECT_FALSE(d.CzyZaznaczona(P::Stc));
    EXPECT_TRUE(d.CzyZaznaczona(P::Eksport)); // another page
    d.Zaznacz(P::Zestawy, true);
    d.Wartosci.Sciezka(P::Zestawy) = QStringLiteral("/a");
    d.Wartosci.Sciezka(P::Sst) = QStringLiteral("/b");
    d.PrzywrocDomyslneZaznaczonych(S::Program);
    EXPECT_EQ(d.Wartosci.Sciezka(P::Zestawy), Katalog.path() + QStringLiteral("/Dane/Zestawy"));
    EXPECT_EQ(d.Wartosci.Sciezka(P::Sst), QStringLiteral("/b"));
    d.ZaznaczWszystkie(S::Program, true);
    EXPECT_EQ(d.NapisZaznaczWszystkie(S::Program), QStringLiteral("  Odznacz Wszystkie"));
    EXPECT_TRUE(d.CzyZaznaczona(P::Stc));
}

TEST_F(UstawieniaDialogu, WyborFolderuIPlikow)
{
    auto d = Dialog();
    const QString brak = Katalog.filePath(QStringLiteral("brak"));
    EXPECT_FALSE(d.UstawWybrana(P::Eksport, QString())); // cancelled: no message
    EXPECT_FALSE(d.UstawWybrana(P::Eksport, brak));
    EXPECT_TRUE(d.UstawWybrana(P::Stc, Katalog.path()));
    EXPECT_EQ(d.Wartosci.Sciezka(P::Stc), Katalog.path());
    EXPECT_EQ(d.DialogWyboru(P::Stc).Folder, Katalog.path());
    EXPECT_TRUE(d.DialogWyboru(P::Eksport).Folder.isEmpty()); // the folder does not exist yet
    EXPECT_EQ(d.DialogWyboru(P::SzablonyStronyTyt).Tytul, QStringLiteral("Wskaż folder z szablonami stryny tytułowej"));
    EXPECT_EQ(d.DialogWyboru(P::SzablonOdt).Filtr, QStringLiteral("Plik OpenOffice Writer (*.odt)|*.odt"));

    const QString mdb = Katalog.filePath(QStringLiteral("jdn.mdb"));
    ZapiszPlik(mdb, "to nie jest baza");
    EXPECT_FALSE(d.UstawWybrana(P::PlikJednostekEdbud, mdb)); // the reader's own check refuses it
    d.CzyPlikJednostekEdbud = [&](const QString& p) { return p == mdb; };
    EXPECT_TRUE(d.UstawWybrana(P::PlikJednostekEdbud, mdb));
    EXPECT_EQ(d.DialogWyboru(P::PlikJednostekEdbud).Folder, Katalog.path());
    EXPECT_EQ(Uzytkownik.Zapis,
              (QStringList{QStringLiteral("komunikat: Wybrany folder jest nieprawidłowy!"),
                           QStringLiteral("komunikat: Wybrany plik nie zawiera kodów jednostek programu EDBUD.")}));
    EXPECT_EQ(d.Wartosci.Sciezka(P::Eksport), Katalog.path() + QStringLiteral("/Dane/Eksport"));
}

TEST_F(UstawieniaDialogu, ZbytDlugieSciezkiListyPytajaOZgode)
{
    TSpisST& spis = *Zestaw.SpisSpecyfikacji();
    spis.Add(std::make_unique<TSpecyfikacja>(QStringLiteral("S-1"), false, false, QString(),
                                             QStringLiteral("%USERPATH%/a.doc"), QStringLiteral("Opis")));
    auto d = Dialog();
    const QString dlugi = QStringLiteral("/") + QString(255, QLatin1Char('k')); // 256 + 6 = 262 characters
    d.Wartosci.Sciezka(P::KatalogUzytkownika) = dlugi;
    d.Wartosci.CzyscListePrzyNowymZestawie = true;
    d.Wartosci.SeparatorWariantu = QStringLiteral("-");
    Uzytkownik.Pytania[PytanieODlugosci] = {false, true};
    EXPECT_FALSE(d.Zapisz());
    EXPECT_EQ(Konfiguracja().GetUserPath(), Katalog.path());
    EXPECT_FALSE(Konfiguracja().CzyscSSTPrzyNowymZst);
    EXPECT_TRUE(Konfiguracja().GetWizualnySeparatorWariantow().isEmpty());
    EXPECT_TRUE(d.Zapisz());
    EXPECT_EQ(Konfiguracja().GetUserPath(), dlugi);
    EXPECT_TRUE(Konfiguracja().CzyscSSTPrzyNowymZst);
    EXPECT_EQ(Konfiguracja().SstPath->GetPath(), dlugi + QStringLiteral("/Dane/Listy SST"));
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(UstawieniaDialogu, ZnakSeparatoraPomijaneZnakiICeny)
{
    auto d = Dialog();
    const std::pair<QString, QString> separatory[] = {{"ab", "a"}, {"", ""}, {"#", "#"}, {"xyz", "x"}};
    for (const auto& [tekst, wynik] : separatory) {
        d.UstawSeparatorWariantu(tekst);
        EXPECT_EQ(d.Wartosci.SeparatorWariantu, wynik) << tekst.toStdString();
    }
    d.UstawPomijaneZnaki(QStringLiteral(" a b "));
    EXPECT_EQ(d.Wartosci.PomijaneZnaki, QStringLiteral("ab"));
    d.UstawWyswietlajCeny(false);
    d.UstawWyswietlajCeny(true);
    d.Wartosci.SeparatorWariantu = QStringLiteral("#");
    EXPECT_FALSE(d.Zapisz()); // refused before anything is written
    EXPECT_EQ(Uzytkownik.Zapis,
              (QStringList{QStringLiteral("komunikat: ") + TUstawieniaDialogu::InformacjaOCenach,
                           QStringLiteral("komunikat: Wybrany separator wariantów jest zastrzeżony.")}));
    EXPECT_TRUE(Konfiguracja().PomijaneWFiltrzePopupListView.isEmpty());

    const std::pair<int, int> rozmiary[] = {{12, 0}, {11, 1}, {8, 4}, {7, -1}, {13, -1}};
    for (const auto& [pt, indeks] : rozmiary) {
        EXPECT_EQ(TUstawieniaDialogu::IndeksDlaRozmiaru(pt), indeks) << pt;
        if (indeks >= 0) {
            EXPECT_EQ(TUstawieniaDialogu::RozmiarDlaIndeksu(indeks), pt);
        }
    }
    EXPECT_EQ(TUstawieniaDialogu::RozmiaryCzcionek().size(), 5);
}

} // namespace
