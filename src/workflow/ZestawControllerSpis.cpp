// The set controller's edits of the specification list: adding, editing, deleting and moving nodes,
// binding documents and opening them, filtering and folding the tree.
#include "workflow/EdycjaSpisu.h"
#include "workflow/ZestawController.h"

#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "docs/TypPliku.h"
#include "estimates/Kosztorys.h"
#include "prices/KalkulacjaCeny.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "workflow/PorzadkowanieDialogu.h"
#include "workflow/WidokZestawu.h"
#include "zestaw/PozycjaZbioru.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>

#include <algorithm>

void TZestawController::PoEdycjiSpisu()
{
    FPodpowiedzi.reset();
    FCzyAktualizowacPopupListView = true;
    ZaktualizujDopasowanieSpecyfikacji();
    OdswiezDrzewoSpisu();
}

std::unique_ptr<TEdycjaSpisu> TZestawController::NowaEdycjaSpisu()
{
    TEdycjaSpisu::TZaczepy z;
    z.PoEdycji = [this] { PoEdycjiSpisu(); };
    z.PoPrzeniesieniu = [this] { OdswiezDrzewoSpisu(); };
    z.Pokaz = [this](TSpecyfikacja* wezel) { FWidok.PokazWezelSpecyfikacji(wezel); };
    z.CzyMoznaUsunac = [this](const std::vector<const TSpecyfikacja*>& wezly) {
        auto uzywa = [&](const auto& czyUzywa) {
            return std::any_of(wezly.begin(), wezly.end(), [&](const TSpecyfikacja* w) { return czyUzywa(w); });
        };
        for (int i = 0; i < FZestaw->KosztorysyCount(); ++i) {
            const TKosztorys& k = *FZestaw->GetKosztorys(i);
            if (uzywa([&](const TSpecyfikacja* w) { return k.CzyUzywaneST(w); }) &&
                !FUzytkownik.ZadajPytanie(QStringLiteral("Specyfikacja jest używana w kosztorysie."),
                                          QStringLiteral("Czy na pewno chcesz ją usunąć ?")))
                return false;
        }
        const TZbiorST& zbior = *FZestaw->GetZbiorST();
        return !uzywa([&](const TSpecyfikacja* w) { return zbior.CzyUzywaneST(w); }) ||
               FUzytkownik.ZadajPytanie(QStringLiteral("Specyfikacja jest używana w zbiorze specyfikacji."),
                                        QStringLiteral("Czy na pewno chcesz ją usunąć ?"));
    };
    // Nothing may point into what is freed: the choices go first, matching makes them again.
    z.PrzedUsunieciem = [this] {
        FZestaw->ZapomnijDopasowania();
        FPodpowiedzi.reset();
    };
    z.PoZmianieNumeru = [this](const QString& stary, const QString& nowy) {
        OdswiezDrzewoSpisu();
        FPodpowiedzi.reset();
        ZaktualizujWPozostalychPozycjach(stary, nowy, true);
    };
    z.PoZmianieWarunkow = [this] {
        FZestaw->GetZbiorST()->Sort();
        WyswietlZbiorST();
    };
    z.CzyDokumentyWord = [this] { return FZestaw->GetKonfiguracja()->CzyEksportDoc; };
    z.CzyPotwierdzacUsuniecie = [this] { return FKonfiguracja.CzyPotwierdzenieUsunST; };
    return std::make_unique<TEdycjaSpisu>([this] { return &Spis(); }, FKonfiguracja, FUzytkownik, std::move(z));
}

// ---------------------------------------------------------------- the list's edits

void TZestawController::DodajRodzajRobotSST()
{
    FEdycjaSpisu->DodajRodzajRobot();
}

void TZestawController::DodajGrupeRobotSST(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->DodajGrupeRobot(wybrany);
}

void TZestawController::DodajElementRobotSST(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->DodajElementRobot(wybrany);
}

void TZestawController::DodajSpecyfikacje(TSpecyfikacja* wybrany, const QString& numer)
{
    FEdycjaSpisu->DodajSpecyfikacje(wybrany, numer);
}

void TZestawController::DodajWariantSpecyfikacji(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->DodajWariant(wybrany);
}

void TZestawController::EdytujSpecyfikacje(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->Edytuj(wybrany);
}

void TZestawController::EdytujWariantSpecyfikacji(TWariantSpecyfikacji* wariant)
{
    FEdycjaSpisu->Edytuj(wariant);
}

void TZestawController::UsunSpecyfikacje(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->Usun(wybrany);
}

void TZestawController::UsunWariantSpecyfikacji(TWariantSpecyfikacji* wariant)
{
    FEdycjaSpisu->Usun(wariant);
}

void TZestawController::PowiazSpecyfikacjeZPlikiem(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->PowiazZPlikiem(wybrany);
}

void TZestawController::UsunPowiazanieZPlikiemST(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->UsunPowiazanie(wybrany);
}

void TZestawController::PrzestawWarunkiOgolne(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->PrzestawWarunkiOgolne(wybrany);
}

void TZestawController::OtworzPlikSTDrzewka(const TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->OtworzPlik(wybrany);
}

void TZestawController::OtworzFolderPlikuSTDrzewka(const TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->OtworzFolder(wybrany);
}

void TZestawController::OtworzPlikSTZbioru(int wiersz)
{
    if (const auto* wpis = static_cast<const TPozycjaZbioru*>(FZbiorSt->Obiekt(wiersz)))
        FEdycjaSpisu->OtworzDokument(wpis->WybranaSpecyfikacja().GetPlik(), false);
}

void TZestawController::OtworzFolderPlikuSTZbioru(int wiersz)
{
    if (const auto* wpis = static_cast<const TPozycjaZbioru*>(FZbiorSt->Obiekt(wiersz)))
        FEdycjaSpisu->OtworzDokument(wpis->WybranaSpecyfikacja().GetPlik(), true);
}

void TZestawController::PrzeniesStWGore(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->WGore(wybrany);
}

void TZestawController::PrzeniesStWDol(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->WDol(wybrany);
}

void TZestawController::PrzeniesStPoziomWyzej(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->PoziomWyzej(wybrany);
}

void TZestawController::PrzeniesStPoziomNizej(TSpecyfikacja* wybrany)
{
    FEdycjaSpisu->PoziomNizej(wybrany);
}

bool TZestawController::PrzeniesSt(TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj)
{
    return FEdycjaSpisu->Przenies(wezel, cel, miejsce, wykonaj);
}

// ---------------------------------------------------------------- filter and folding

void TZestawController::AktualizujFiltrSpecyfikacji(const QString& tekst, const TSpecyfikacja* grupa)
{
    Spis().Filtruj(tekst, grupa);
    FPodpowiedzi.reset();
    OdswiezDrzewoSpisu();
}

void TZestawController::ZwinSpecyfikacjeDoPoziomu(int poziom)
{
    FWidok.ZwinDoPoziomu(poziom);
}

// ---------------------------------------------------------------- unit prices

std::unique_ptr<TKalkulacjaCeny> TZestawController::KalkulacjaCeny(TCenaJedn& cena, IUzytkownikCeny& uzytkownik)
{
    return std::make_unique<TKalkulacjaCeny>(
        cena, TUstawieniaCen::ZKonfiguracji(FKonfiguracja),
        [this](const TUstawieniaCen& u) {
            FKonfiguracja.CzyWspolczynnikGlobalnyCenyJedn = u.CzyWspolczynnikGlobalny;
            FKonfiguracja.WspolczynnikGlobalnyCenyJedn = u.WspolczynnikGlobalny;
            Spis().SetUstawieniaCen(u);
        },
        uzytkownik);
}

// ---------------------------------------------------------------- ordering into folders

void TZestawController::PorzadkowanieStrukturySST()
{
    if (Spis().IleSpecyfikacji(true) == 0) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Brak specyfikacji do uporządkowania."));
        return;
    }
    if (!PytanieOListe())
        return;
    TPorzadkowanieDialogu dialog(Spis(), FKonfiguracja, FZestaw->Ustawienia().KatalogUzytkownika);
    FUzytkownik.PorzadkowanieSpisu(dialog);
    dialog.Zamknij();
    if (dialog.CzyZaktualizowano())
        PoEdycjiSpisu();
}

bool TZestawController::CzyJestRaportPorzadkowania() const
{
    return QFileInfo::exists(TPorzadkowanieDialogu::PlikRaportu(FZestaw->Ustawienia().KatalogUzytkownika));
}

void TZestawController::PokazRaportPorzadkowania()
{
    if (CzyJestRaportPorzadkowania())
        FUzytkownik.OtworzPlikWProgramie(TPorzadkowanieDialogu::PlikRaportu(FZestaw->Ustawienia().KatalogUzytkownika));
}
