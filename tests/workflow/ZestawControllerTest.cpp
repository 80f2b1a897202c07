// Commands on sets, lists and estimates, and the questions they ask before work is lost.
#include "PomocnikKontrolera.h"

#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "estimates/PozycjaRds.h"
#include "specs/Specyfikacja.h"
#include "specs/SpisST.h"
#include "zestaw/ZbiorST.h"

#include <QFileInfo>

namespace {

const QString PytanieListy = QStringLiteral("Czy zapisać zmiany listy specyfikacji ?");
const QString PytanieZestawu = QStringLiteral("Czy zapisać zmiany w zestawie ?");

class ZestawController : public TTestKontrolera
{
protected:
    // Both flags set: a list edited in memory and a set marked changed.
    void ZmienObie()
    {
        Kontroler->Spis().Add(std::make_unique<TSpecyfikacja>(QStringLiteral("N-1"), false, false, QString(), QString(),
                                                              QStringLiteral("Nowa")));
        Kontroler->ZmienionoZestaw();
        ASSERT_TRUE(Kontroler->ZmienionySST());
        ASSERT_TRUE(Kontroler->ZmienionyZestaw());
    }
};

TEST_F(ZestawController, ZamkniecieZPytaniamiIAnulowaniem)
{
    ZmienObie();
    Uzytkownik.PytaniaAnuluj[PytanieListy] = {TOdpowiedz::Anuluj, TOdpowiedz::Nie};
    Uzytkownik.PytaniaAnuluj[PytanieZestawu] = {TOdpowiedz::Anuluj};
    EXPECT_FALSE(Kontroler->Zamknij());
    EXPECT_FALSE(Kontroler->Zamknij());
    EXPECT_EQ(Uzytkownik.Zapis,
              QStringList({"pytanie: " + PytanieListy, "pytanie: " + PytanieListy, "pytanie: " + PytanieZestawu}));
    EXPECT_TRUE(Kontroler->ZmienionySST());
    EXPECT_TRUE(Kontroler->ZmienionyZestaw());
    EXPECT_EQ(Widok.Tytul, QStringLiteral("Velostra - [*]"));
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(ZestawController, NieudanyZapisPrzyPytaniuZatrzymujePolecenie)
{
    ZmienObie();
    const QString zestaw = Plik(QStringLiteral("z.zst"), "<zestaw/>");
    Uzytkownik.PytaniaAnuluj[PytanieListy] = {TOdpowiedz::Tak};
    Uzytkownik.DoZapisu = {QString()}; // the save dialog cancelled
    Kontroler->OtworzZestaw(zestaw);
    EXPECT_EQ(Uzytkownik.Zapis, QStringList({"pytanie: " + PytanieListy,
                                             QStringLiteral("zapisz: Zapisz spis specyfikacji technicznych")}));
    EXPECT_TRUE(Kontroler->Zestaw().ZestawPath().isEmpty()) << "nothing was opened";
    EXPECT_EQ(Kontroler->Spis().Count(), 1) << "the unsaved list is kept";
    EXPECT_TRUE(Kontroler->ZmienionySST());
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(ZestawController, ZapisListyIZestawuIOstatniePliki)
{
    ZmienObie();
    const QString lista = Katalog.filePath(QStringLiteral("nowa.sst"));
    const QString zestaw = Katalog.filePath(QStringLiteral("nowy.zst"));
    Uzytkownik.DoZapisu = {lista, zestaw};
    EXPECT_TRUE(Kontroler->ZapiszWszystko());
    EXPECT_TRUE(QFileInfo::exists(lista));
    EXPECT_TRUE(QFileInfo::exists(zestaw));
    EXPECT_FALSE(Kontroler->ZmienionySST());
    EXPECT_EQ(Widok.Tytul, QStringLiteral("Velostra - [nowy]"));
    for (int i = 0; i < 4; ++i)
        Konfiguracja().AddRecentZST(Plik(QStringLiteral("r%1.zst").arg(i), "<zestaw/>"));
    EXPECT_EQ(Konfiguracja().RecentZSTCount(), 5);
    EXPECT_EQ(Kontroler->OstatnieZestawy().size(), 4);
    EXPECT_EQ(Kontroler->OstatnieListy(), QStringList{lista});

    // A list whose file cannot be written keeps its flag and says why.
    Kontroler->Spis().GetSpisStPath()->SetPath(Katalog.path());
    Kontroler->ZmianaZawartosciSpecyfikacji();
    EXPECT_FALSE(Kontroler->ZapiszSST());
    EXPECT_TRUE(Kontroler->ZmienionySST());
    EXPECT_TRUE(Uzytkownik.Zapis.last().startsWith(QStringLiteral("komunikat: Nie można zapisać pliku")));
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(ZestawController, OtwarcieZestawuZPrzeniesionaLista)
{
    const QString zestaw =
        Plik(QStringLiteral("z.zst"), "<zestaw><sst path=\"%USERPATH%/przeniesiona.sst\"/><zbior_st/></zestaw>");
    const QString pytanie = QStringLiteral("Nie znaleziono pliku listy specyfikacji z wybranego zestawu:\n"
                                           "przeniesiona.sst");
    Uzytkownik.Pytania[pytanie] = {false};
    Kontroler->OtworzZestaw(zestaw);
    EXPECT_EQ(Uzytkownik.Zapis, QStringList{"pytanie: " + pytanie});
    EXPECT_EQ(Kontroler->Zestaw().ZestawPath(), zestaw);
    EXPECT_EQ(Kontroler->Spis().Count(), 0);
    EXPECT_FALSE(Kontroler->ZmienionyZestaw());
    EXPECT_EQ(Kontroler->OstatnieZestawy(), QStringList{zestaw});

    // The open dialog cancelled: nothing changes, not even the flags.
    Uzytkownik.DoOtwarcia = {QStringList()};
    Kontroler->OtworzZestaw();
    EXPECT_EQ(Kontroler->Zestaw().ZestawPath(), zestaw);
    EXPECT_FALSE(Kontroler->ZmienionyZestaw());
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(ZestawController, UszkodzonyPlikJednymKomunikatemIPustyZestaw)
{
    const QString zestaw = Plik(QStringLiteral("zly.zst"), "<zestaw><kosztorysy>");
    Kontroler->OtworzKosztorys(Kosztorys());
    Uzytkownik.Zapis.clear();
    Uzytkownik.PytaniaAnuluj[PytanieZestawu] = {TOdpowiedz::Nie};
    Kontroler->OtworzZestaw(zestaw);
    ASSERT_EQ(Uzytkownik.Zapis.size(), 2);
    EXPECT_TRUE(Uzytkownik.Zapis.last().startsWith(QStringLiteral("komunikat: ")))
        << Uzytkownik.Zapis.last().toStdString();
    EXPECT_EQ(Kontroler->Zestaw().KosztorysyCount(), 0);
    EXPECT_TRUE(Kontroler->Zestaw().ZestawPath().isEmpty());
    EXPECT_EQ(Kontroler->DrzewoElementow().rowCount(), 0);
    EXPECT_TRUE(Kontroler->OstatnieZestawy().isEmpty()) << "only a successful open is remembered";
}

TEST_F(ZestawController, NaprawaKosztorysuIKopiaDoNadpisania)
{
    const QString plik = Katalog.filePath(QStringLiteral("brak_nr.ath"));
    ASSERT_TRUE(QFile::copy(SciezkaDanychTestowych(QStringLiteral("estimates/ath/broken/brak_nr.ath")), plik));
    const QString naprawa = QStringLiteral("Wskazany plik ma nieprawidłową strukturę wewnętrzną.");
    Uzytkownik.Pytania[naprawa] = {false, true, true};
    Kontroler->OtworzKosztorys(plik);
    EXPECT_EQ(Kontroler->Zestaw().KosztorysyCount(), 0) << "\"Nie\" adds nothing";
    EXPECT_FALSE(Kontroler->ZmienionyZestaw());
    Kontroler->OtworzKosztorys(plik);
    ASSERT_EQ(Kontroler->Zestaw().KosztorysyCount(), 1);
    EXPECT_TRUE(Kontroler->ZmienionyZestaw());
    EXPECT_FALSE(Widok.Specyfikacje) << "the estimate view is shown";

    // The same file again: the repair's copy exists now.
    Uzytkownik.Pytania[QStringLiteral("Na pewno chcesz usunąć kosztorys z zestawu ?")] = {true};
    Kontroler->UsunKosztorys(Kontroler->Zestaw().GetKosztorys(0));
    ASSERT_EQ(Kontroler->Zestaw().KosztorysyCount(), 0);
    QString nadpisanie;
    Uzytkownik.Pytania.erase(naprawa);
    Uzytkownik.Pytania[naprawa] = {true};
    const QStringList przed = Uzytkownik.Zapis;
    // The copy's name is the reader's; whatever it is, the question names it.
    for (const QString& n : QDir(Katalog.path()).entryList({QStringLiteral("*kopia*")}))
        nadpisanie =
            QStringLiteral("Plik kopii kosztorysu istnieje (") + n + QStringLiteral("). Nadpisać istniejący plik ?");
    ASSERT_FALSE(nadpisanie.isEmpty());
    Uzytkownik.Pytania[nadpisanie] = {true};
    Kontroler->OtworzKosztorys(plik);
    EXPECT_EQ(Kontroler->Zestaw().KosztorysyCount(), 1);
    EXPECT_EQ(Uzytkownik.Zapis.mid(przed.size()), QStringList({"pytanie: " + naprawa, "pytanie: " + nadpisanie}));
    Uzytkownik.SprawdzZuzyte();
}

TEST_F(ZestawController, UsuniecieJedynegoKosztorysuNieZostawiaWskaznikow)
{
    Kontroler->OtworzSST(Lista());
    Kontroler->OtworzKosztorys(Kosztorys());
    ASSERT_EQ(Kontroler->Zestaw().KosztorysyCount(), 1);
    EXPECT_GT(Kontroler->ListaPozycji().Wierszy(), 0);
    EXPECT_GT(Kontroler->ZbiorSt().Wierszy(), 0);
    EXPECT_EQ(Kontroler->DrzewoElementow().rowCount(), 1);
    EXPECT_EQ(Kontroler->DrzewoElementow().rowCount(Kontroler->DrzewoElementow().index(0, 0)), 2);
    Uzytkownik.Pytania[QStringLiteral("Na pewno chcesz usunąć kosztorys z zestawu ?")] = {false, true};
    Kontroler->UsunKosztorys(Kontroler->Zestaw().GetKosztorys(0));
    EXPECT_EQ(Kontroler->Zestaw().KosztorysyCount(), 1);
    Kontroler->UsunKosztorys(Kontroler->Zestaw().GetKosztorys(0));
    EXPECT_EQ(Kontroler->Zestaw().KosztorysyCount(), 0);
    EXPECT_EQ(Kontroler->WybranyElement(), nullptr);
    EXPECT_EQ(Widok.Zaznaczony, nullptr);
    EXPECT_EQ(Kontroler->DrzewoElementow().rowCount(), 0);
    EXPECT_EQ(Kontroler->ListaPozycji().Wierszy(), 0);
    EXPECT_EQ(Kontroler->ListaPozycjiZSt().Wierszy(), 0);
    for (int i = 0; i < Kontroler->Zestaw().GetZbiorST()->Count(); ++i)
        EXPECT_EQ(Kontroler->Zestaw().GetZbiorST()->GetPozycjaZbioru(i)->PozycjeCount(), 0);
    Uzytkownik.SprawdzZuzyte();
}

} // namespace
namespace {
TEST_F(ZestawController, NowyNieJestZmieniony)
{
    EXPECT_FALSE(Kontroler->ZmienionyZestaw());
    EXPECT_FALSE(Kontroler->ZmienionySST());
    EXPECT_EQ(Widok.Tytul, QStringLiteral("Velostra - []"));
}
} // namespace

namespace {

TEST_F(ZestawController, EksportNumerowDoPlikuKosztorysu)
{
    const QString zrodlo = Kosztorys();
    Kontroler->OtworzKosztorys(zrodlo);
    TKosztorys* k = Kontroler->Zestaw().GetKosztorys(0);
    k->ZnajdzPozycje([](const TPozycjaRds& p) { return p.Id() == QStringLiteral("P3"); })->SetST(QStringLiteral("S-9"));
    const QString kopia = Katalog.filePath(QStringLiteral("kopia.rds"));
    Uzytkownik.DoZapisu = {kopia};
    Kontroler->EksportujKosztorys(k);
    EXPECT_EQ(Uzytkownik.Zapis.last(),
              QStringLiteral("komunikat: Zapisano numery specyfikacji w kosztorysie:\n") + kopia);
    auto odczytany = TKosztorysFactory::GetKosztorys(kopia, true, Kontroler->Zestaw().Ustawienia());
    EXPECT_EQ(odczytany->ZnajdzPozycje([](const TPozycjaRds& p) { return p.ST() == QStringLiteral("S-9"); })->Id(),
              QStringLiteral("P3"));
    // All to their own files only after "Tak".
    const QByteArray przed = CzytajPlik(zrodlo);
    Uzytkownik
        .Pytania[QStringLiteral("Numery specyfikacji zostaną zapisane w plikach wszystkich kosztorysów zestawu.")] = {
        false, true};
    Kontroler->EksportujWszystkieKosztorysy();
    EXPECT_EQ(CzytajPlik(zrodlo), przed);
    Kontroler->EksportujWszystkieKosztorysy();
    EXPECT_TRUE(CzytajPlik(zrodlo).contains("S-9"));
    Uzytkownik.SprawdzZuzyte();
}

} // namespace

namespace {

TEST_F(ZestawController, NowaListaZachowujeUstawieniaCen)
{
    const TUstawieniaCen ceny{true, 1.25};
    Kontroler->Spis().SetUstawieniaCen(ceny);
    Kontroler->UtworzNowySST();
    EXPECT_EQ(Kontroler->Spis().UstawieniaCen(), ceny);
    const QString zestaw =
        Plik(QStringLiteral("z.zst"), "<zestaw><sst path=\"%USERPATH%/lista.sst\"/><zbior_st/></zestaw>");
    Lista();
    Uzytkownik.PytaniaAnuluj[PytanieZestawu] = {TOdpowiedz::Nie};
    Kontroler->OtworzZestaw(zestaw);
    EXPECT_GT(Kontroler->Spis().Count(), 0);
    EXPECT_EQ(Kontroler->Spis().UstawieniaCen(), ceny) << "the set's list prices as the one it replaced";
}

} // namespace
