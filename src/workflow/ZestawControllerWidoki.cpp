// The set controller's views, settings, synchronisation between the grids and the tree, and list merging.
#include "workflow/ZestawController.h"

#include "app/Konfiguracja.h"
#include "estimates/ElementRds.h"
#include "estimates/PozycjaRds.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "workflow/Uzytkownik.h"
#include "workflow/WidokZestawu.h"
#include "zestaw/PozycjaZbioru.h"
#include "zestaw/ZestawST.h"

void TZestawController::UstawTylkoWidokSpecyfikacje()
{
    const bool tylko = FKonfiguracja.TylkoWidokSpecyfikacje;
    // The collection's filters follow: without estimates only the hand-added entries mean anything.
    FKonfiguracja.CzyZbiorSTPokazKosztorys = !tylko;
    FKonfiguracja.CzyZbiorSTPokazWlasne = true;
    FKonfiguracja.CzyPodgladPozycjiZSt = !tylko;
    FWidok.UstawTylkoWidokSpecyfikacje(tylko);
    UstawWidokSpecyfikacje();
}

void TZestawController::WyswietlUstawienia()
{
    const bool warianty = FKonfiguracja.CzyKorzystajZWariantow;
    const bool tytulZWariantem = FKonfiguracja.CzyWyswietlacTytulSTZWariantem;
    const QString separator = FKonfiguracja.GetWizualnySeparatorWariantow();
    const bool eksportDoc = FZestaw->GetKonfiguracja()->CzyEksportDoc;
    const bool tylkoSpecyfikacje = FKonfiguracja.TylkoWidokSpecyfikacje;
    const bool ceny = FKonfiguracja.CzyWyswietlajCeny;
    if (!FUzytkownik.Ustawienia(*FZestaw))
        return;

    FWidok.ZastosujUstawieniaWidoku();
    if (warianty != FKonfiguracja.CzyKorzystajZWariantow ||
        tytulZWariantem != FKonfiguracja.CzyWyswietlacTytulSTZWariantem ||
        separator != FKonfiguracja.GetWizualnySeparatorWariantow()) {
        TUstawieniaKosztorysu ustawienia = TUstawieniaKosztorysu::ZKonfiguracji(FKonfiguracja);
        // The set's own user folder (a command's) stays.
        ustawienia.KatalogUzytkownika = FZestaw->Ustawienia().KatalogUzytkownika;
        FZestaw->UstawUstawienia(ustawienia);
        UstawNaglowki();
        OdswiezDrzewoSpisu();
        FPodpowiedzi.reset();
        ZaktualizujDopasowanieSpecyfikacji();
    }
    if (eksportDoc != FZestaw->GetKonfiguracja()->CzyEksportDoc)
        ZmienionoZestaw();
    if (tylkoSpecyfikacje != FKonfiguracja.TylkoWidokSpecyfikacje) {
        if (FKonfiguracja.TylkoWidokSpecyfikacje && FZestaw->KosztorysyCount() > 0) {
            FKonfiguracja.TylkoWidokSpecyfikacje = false;
            FUzytkownik.PokazKomunikat(QStringLiteral("Bieżący zestaw ma otwarte kosztorysy. Widok \"tylko "
                                                      "Specyfikacje\" nie może zostać ustawiony."));
        } else {
            UstawTylkoWidokSpecyfikacje();
            WyswietlZbiorST();
        }
    }
    if (ceny != FKonfiguracja.CzyWyswietlajCeny) {
        UstawNaglowki();
        WyswietlPozycjeWybranegoElementu();
        WyswietlZbiorST();
        WyswietlSzczegolyPozycji(0);
    }
    if (FCzyAktualizowacPopupListView)
        OdswiezPopupListView(QString(), nullptr, false, false);
}

void TZestawController::PrzywrocDomyslnePanele()
{
    FKonfiguracja.LoadDefaultPanels();
    FWidok.ZastosujUstawieniaWidoku();
}

// ---------------------------------------------------------------- list merging

void TZestawController::DodajListeSst()
{
    TSpisST& spis = Spis();
    if (spis.GetSpisStPath()->EncodedPath().trimmed().isEmpty()) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Spis specyfikacji należy zapisać na dysku przed porządkowaniem."));
        return;
    }
    if (!PytanieOListe())
        return;
    std::unique_ptr<TSpisST> wynik = FUzytkownik.ScalListy(spis.GetSpisStPath()->GetPath(), *FZestaw);
    if (!wynik)
        return;
    std::unique_ptr<TSpisST> stary = ZamienSpis(std::move(wynik));
    SluchajSpisu();
    ZmienionoZestaw();
    OdswiezStatusSpisu();
    OdswiezDrzewoSpisu();
    ZaktualizujDopasowanieSpecyfikacji();
    FCzyAktualizowacPopupListView = true;
}

// ---------------------------------------------------------------- synchronisation

void TZestawController::SkoczDoPozycji(TPozycjaRds* pozycja)
{
    if (!pozycja)
        return;
    UstawWidokKosztorys();
    if (FListaPozycji->WierszObiektu(pozycja) < 0 && pozycja->Parent) {
        FWidok.ZaznaczElement(pozycja->Parent);
        WyswietlPozycje(pozycja->Parent);
    }
    const int wiersz = FListaPozycji->WierszObiektu(pozycja);
    if (wiersz >= 0) {
        FWidok.ZaznaczWierszPozycji(wiersz);
        WyswietlSzczegolyPozycji(wiersz);
    }
}

void TZestawController::SynchronizujDrzewoZeZbiorem(const TSpecyfikacja* specyfikacja)
{
    FListaPozycjiZSt->Wyczysc();
    if (!specyfikacja)
        return;
    for (int i = 0; i < FZbiorSt->Wierszy(); ++i) {
        const auto* wpis = static_cast<const TPozycjaZbioru*>(FZbiorSt->Obiekt(i));
        if (wpis && wpis->WybranaSpecyfikacja().GetSpecyfikacja() == specyfikacja) {
            // The selection that follows must not move the tree back.
            FTrwaSynchronizacjaDrzewaZeZbiorem = true;
            FWidok.ZaznaczWierszZbioru(i);
            WyswietlListePozycjiZSt(i);
            FTrwaSynchronizacjaDrzewaZeZbiorem = false;
            return;
        }
    }
}

void TZestawController::SynchronizujZbiorZDrzewkiemST(int wiersz)
{
    if (FTrwaSynchronizacjaDrzewaZeZbiorem || !FKonfiguracja.CzyZbiorSTSynchronizujZDrzewkiem)
        return;
    const auto* wpis = static_cast<const TPozycjaZbioru*>(FZbiorSt->Obiekt(wiersz));
    if (wpis && wpis->WybranaSpecyfikacja().GetSpecyfikacja())
        ZaznaczSpecyfikacje(wpis->WybranaSpecyfikacja().GetSpecyfikacja(),
                            wpis->WybranaSpecyfikacja().GetWariantSpecyfikacji());
}

void TZestawController::ZaznaczSpecyfikacje(const TSpecyfikacja* specyfikacja, const TWariantSpecyfikacji* wariant)
{
    if (!specyfikacja)
        return;
    const TSpecyfikacja* wezel = specyfikacja;
    if (wariant && FZestaw->Ustawienia().Warianty.CzyKorzystajZWariantow)
        wezel = wariant;
    // A node the tree filter hides stays hidden.
    if (wezel->Hidden() || specyfikacja->Hidden())
        return;
    FWidok.PokazWezelSpecyfikacji(wezel);
}

void TZestawController::ZaktualizujSTwPopupListView(const TSpecyfikacja*)
{
    FPodpowiedzi.reset();
    FCzyAktualizowacPopupListView = true;
}
