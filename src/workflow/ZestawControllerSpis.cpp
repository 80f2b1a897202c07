// The set controller's edits of the specification list: adding, editing, deleting and moving nodes,
// binding documents and opening them, filtering and folding the tree.
#include "workflow/PrzenoszenieWezla.h"
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

namespace {

constexpr int DlugoscSciezkiWindows = 260;

// The node's ancestor at the level (1: a kind, 2: a group; the list itself is 0), or null.
TSpecyfikacja* Przodek(TSpecyfikacja* wezel, int poziom)
{
    while (wezel && wezel->KtoryPoziom() > poziom)
        wezel = wezel->Parent();
    return wezel && wezel->KtoryPoziom() == poziom ? wezel : nullptr;
}

void Poddrzewo(const TSpecyfikacja& wezel, std::vector<const TSpecyfikacja*>& wynik)
{
    wynik.push_back(&wezel);
    for (int i = 0; i < wezel.WariantyCount(); ++i)
        wynik.push_back(wezel.GetWariant(i));
    for (int i = 0; i < wezel.Count(); ++i)
        Poddrzewo(*wezel.GetSpecyfikacja(i), wynik);
}

void KopiujJednostki(TSpecyfikacja& wezel, const TDaneSpecyfikacji& dane)
{
    if (!dane.CzyJednostki)
        return;
    wezel.ClearJm();
    for (const auto& jm : dane.Jednostki)
        wezel.AddJm(jm->Clone());
}

} // namespace

TDialogPliku TZestawController::DialogDokumentu(const QString& tytul, const QString& plik) const
{
    TDialogPliku d;
    d.Tytul = tytul;
    if (FZestaw->GetKonfiguracja()->CzyEksportDoc)
        d.Filtr = TTypPlikuWord().GetFilter();
    else
        d.Filtr = TTypPlikuOoO().GetFilter();
    if (!plik.isEmpty() && QFileInfo(plik).isFile()) {
        d.Folder = QFileInfo(plik).absolutePath();
        d.NazwaPliku = QFileInfo(plik).fileName();
    } else {
        d.Folder = QFileInfo(FFolderDokumentow).isDir() ? FFolderDokumentow : FKonfiguracja.GetUserPath();
    }
    return d;
}

void TZestawController::PoEdycjiSpisu()
{
    FPodpowiedzi.reset();
    FCzyAktualizowacPopupListView = true;
    ZaktualizujDopasowanieSpecyfikacji();
    OdswiezDrzewoSpisu();
}

// ---------------------------------------------------------------- adding

void TZestawController::DodajGrupe(TSpecyfikacja* rodzic, int poziom)
{
    if (!rodzic || !rodzic->CzyGrupa())
        return;
    const std::optional<TDaneGrupy> dane = FUzytkownik.EdycjaGrupy({poziom, QString(), QString(), &Spis(), QString()});
    if (!dane)
        return;
    try {
        auto grupa = std::make_unique<TSpecyfikacja>(dane->Numer, false, true, QString(), QString(), dane->Opis);
        TSpecyfikacja* dodany = grupa.get();
        if (!rodzic->Add(std::move(grupa)))
            return;
        PoEdycjiSpisu();
        FWidok.PokazWezelSpecyfikacji(dodany);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
}

void TZestawController::DodajRodzajRobotSST()
{
    DodajGrupe(&Spis(), 0);
}

void TZestawController::DodajGrupeRobotSST(TSpecyfikacja* wybrany)
{
    DodajGrupe(Przodek(wybrany, 1), 1);
}

void TZestawController::DodajElementRobotSST(TSpecyfikacja* wybrany)
{
    DodajGrupe(Przodek(wybrany, 2), 2);
}

void TZestawController::DodajSpecyfikacje(TSpecyfikacja* wybrany, const QString& numer)
{
    if (!wybrany) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Aby dodać specyfikację należy wybrać rodzaj, grupę lub element "
                                                  "robót na drzewie specyfikacji."));
        return;
    }
    if (!wybrany->Parent())
        return;
    TSpecyfikacja* rodzic = wybrany;
    if (dynamic_cast<TWariantSpecyfikacji*>(wybrany))
        rodzic = wybrany->Parent() ? wybrany->Parent()->Parent() : nullptr;
    else if (!wybrany->CzyGrupa())
        rodzic = wybrany->Parent();
    if (!rodzic)
        return;
    TDaneSpecyfikacji wejscie;
    wejscie.Tytul = QStringLiteral("Dodaj Specyfikację");
    wejscie.Numer = numer;
    wejscie.DialogPliku = DialogDokumentu(QStringLiteral("Wybierz plik specyfikacji"), QString());
    wejscie.Spis = &Spis();
    wejscie.Nadrzedna = rodzic;
    const std::optional<TDaneSpecyfikacji> dane = FUzytkownik.EdycjaSpecyfikacji(wejscie);
    if (!dane)
        return;
    try {
        auto s = std::make_unique<TSpecyfikacja>(dane->Numer, false, false, QString(), dane->Plik, dane->Opis,
                                                 Spis().KatalogUzytkownika());
        KopiujJednostki(*s, *dane);
        TSpecyfikacja* dodany = s.get();
        if (!rodzic->Add(std::move(s)))
            return;
        if (!dane->Plik.isEmpty())
            FFolderDokumentow = QFileInfo(dane->Plik).absolutePath();
        PoEdycjiSpisu();
        FWidok.PokazWezelSpecyfikacji(dodany);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
}

void TZestawController::DodajWariantSpecyfikacji(TSpecyfikacja* wybrany)
{
    if (!wybrany)
        return;
    TSpecyfikacja* specyfikacja = dynamic_cast<TWariantSpecyfikacji*>(wybrany) ? wybrany->Parent() : wybrany;
    if (!specyfikacja || specyfikacja->CzyGrupa())
        return;
    TDaneSpecyfikacji wejscie;
    wejscie.Tytul = QStringLiteral("Dodaj wariant specyfikacji");
    wejscie.DialogPliku = DialogDokumentu(QStringLiteral("Wybierz plik specyfikacji"), specyfikacja->GetPlik());
    wejscie.Spis = &Spis();
    wejscie.Specyfikacja = specyfikacja;
    wejscie.CzyWariant = true;
    const std::optional<TDaneSpecyfikacji> dane = FUzytkownik.EdycjaSpecyfikacji(wejscie);
    if (!dane)
        return;
    try {
        auto wariant = std::make_unique<TWariantSpecyfikacji>(dane->Numer, dane->Opis, dane->Plik, QString(),
                                                              Spis().KatalogUzytkownika());
        KopiujJednostki(*wariant, *dane);
        TWariantSpecyfikacji* dodany = wariant.get();
        if (!specyfikacja->AddWariant(std::move(wariant)))
            return;
        PoEdycjiSpisu();
        FWidok.PokazWezelSpecyfikacji(dodany);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
}

// ---------------------------------------------------------------- editing

void TZestawController::EdytujSpecyfikacje(TSpecyfikacja* wybrany)
{
    if (!wybrany || !wybrany->Parent())
        return;
    if (auto* wariant = dynamic_cast<TWariantSpecyfikacji*>(wybrany)) {
        EdytujWariantSpecyfikacji(wariant);
        return;
    }
    try {
        if (wybrany->CzyGrupa()) {
            const std::optional<TDaneGrupy> dane = FUzytkownik.EdycjaGrupy(
                {wybrany->KtoryPoziom() - 1, wybrany->Numer(), wybrany->Opis(), &Spis(), wybrany->Numer()});
            if (!dane)
                return;
            wybrany->SetNumer(dane->Numer);
            wybrany->SetOpis(dane->Opis);
            PoEdycjiSpisu();
            return;
        }
        const QString plik = wybrany->GetPlik();
        TDaneSpecyfikacji wejscie;
        wejscie.Tytul = QStringLiteral("Edytuj Specyfikację");
        wejscie.Numer = wybrany->Numer();
        wejscie.Opis = wybrany->Opis();
        wejscie.NazwaPliku =
            plik.isEmpty() ? QStringLiteral(" ! Brak powiązanego pliku !") : QFileInfo(plik).fileName();
        wejscie.DialogPliku = DialogDokumentu(QStringLiteral("Wybierz plik specyfikacji"), plik);
        wejscie.Spis = &Spis();
        wejscie.Edytowana = wybrany;
        const std::optional<TDaneSpecyfikacji> dane = FUzytkownik.EdycjaSpecyfikacji(wejscie);
        if (!dane)
            return;
        const QString stary = wybrany->Numer();
        wybrany->SetNumer(dane->Numer);
        wybrany->SetOpis(dane->Opis);
        if (!dane->Plik.isEmpty()) {
            wybrany->SetPlik(dane->Plik);
            FFolderDokumentow = QFileInfo(dane->Plik).absolutePath();
        }
        KopiujJednostki(*wybrany, *dane);
        OdswiezDrzewoSpisu();
        FPodpowiedzi.reset();
        ZaktualizujWPozostalychPozycjach(stary, dane->Numer, true);
        PoEdycjiSpisu();
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
}

void TZestawController::EdytujWariantSpecyfikacji(TWariantSpecyfikacji* wariant)
{
    if (!wariant || !wariant->Parent())
        return;
    const QString plik = wariant->GetPlik();
    TDaneSpecyfikacji wejscie;
    wejscie.Tytul = QStringLiteral("Edytuj wariant specyfikacji");
    wejscie.Numer = wariant->Numer();
    wejscie.Opis = wariant->Opis();
    wejscie.NazwaPliku = plik.isEmpty() ? QStringLiteral(" ! Brak powiązanego pliku !") : QFileInfo(plik).fileName();
    wejscie.DialogPliku = DialogDokumentu(QStringLiteral("Wybierz plik specyfikacji"), plik);
    wejscie.Spis = &Spis();
    wejscie.Edytowana = wariant;
    wejscie.Specyfikacja = wariant->Parent();
    wejscie.CzyWariant = true;
    const std::optional<TDaneSpecyfikacji> dane = FUzytkownik.EdycjaSpecyfikacji(wejscie);
    if (!dane)
        return;
    try {
        const QString stary = wariant->Parent()->Numer() + QLatin1Char('#') + wariant->Numer();
        wariant->SetNumer(dane->Numer);
        wariant->SetOpis(dane->Opis);
        if (!dane->Plik.isEmpty()) {
            wariant->SetPlik(dane->Plik);
            FFolderDokumentow = QFileInfo(dane->Plik).absolutePath();
        }
        KopiujJednostki(*wariant, *dane);
        ZaktualizujWPozostalychPozycjach(stary, wariant->Parent()->Numer() + QLatin1Char('#') + dane->Numer, true);
        PoEdycjiSpisu();
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
}

// ---------------------------------------------------------------- deleting

void TZestawController::UsunSpecyfikacje(TSpecyfikacja* wybrany)
{
    if (!wybrany || !wybrany->Parent())
        return;
    if (auto* wariant = dynamic_cast<TWariantSpecyfikacji*>(wybrany)) {
        UsunWariantSpecyfikacji(wariant);
        return;
    }
    if (FKonfiguracja.CzyPotwierdzenieUsunST &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Czy na pewno chcesz usunąć specyfikację?"), QString()))
        return;
    if (wybrany->Count() > 0 && !FUzytkownik.ZadajPytanie(QStringLiteral("Grupa nie jest pusta. "),
                                                          QStringLiteral("Usunąć wybraną grupę i wszystkie jej "
                                                                         "elementy ?")))
        return;
    // The whole subtree counts: a group is used when anything below it is.
    std::vector<const TSpecyfikacja*> wezly;
    Poddrzewo(*wybrany, wezly);
    auto uzywa = [&](const auto& czyUzywa) {
        return std::any_of(wezly.begin(), wezly.end(), [&](const TSpecyfikacja* w) { return czyUzywa(w); });
    };
    for (int i = 0; i < FZestaw->KosztorysyCount(); ++i) {
        const TKosztorys& k = *FZestaw->GetKosztorys(i);
        if (uzywa([&](const TSpecyfikacja* w) { return k.CzyUzywaneST(w); }) &&
            !FUzytkownik.ZadajPytanie(QStringLiteral("Specyfikacja jest używana w kosztorysie."),
                                      QStringLiteral("Czy na pewno chcesz ją usunąć ?")))
            return;
    }
    const TZbiorST& zbior = *FZestaw->GetZbiorST();
    if (uzywa([&](const TSpecyfikacja* w) { return zbior.CzyUzywaneST(w); }) &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Specyfikacja jest używana w zbiorze specyfikacji."),
                                  QStringLiteral("Czy na pewno chcesz ją usunąć ?")))
        return;
    // Nothing may point into what is freed: the choices go first, matching makes them again.
    FZestaw->ZapomnijDopasowania();
    FPodpowiedzi.reset();
    wybrany->Parent()->Remove(wybrany);
    PoEdycjiSpisu();
}

void TZestawController::UsunWariantSpecyfikacji(TWariantSpecyfikacji* wariant)
{
    TSpecyfikacja* specyfikacja = wariant ? wariant->Parent() : nullptr;
    if (!specyfikacja)
        return;
    if (FKonfiguracja.CzyPotwierdzenieUsunST &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Czy na pewno chcesz usunąć wybrany wariant specyfikacji ?"),
                                  QString()))
        return;
    for (int i = 0; i < specyfikacja->WariantyCount(); ++i)
        if (specyfikacja->GetWariant(i) == wariant) {
            FZestaw->ZapomnijDopasowania();
            FPodpowiedzi.reset();
            specyfikacja->DelWariant(i);
            break;
        }
    PoEdycjiSpisu();
}

// ---------------------------------------------------------------- documents

void TZestawController::PowiazSpecyfikacjeZPlikiem(TSpecyfikacja* wybrany)
{
    if (!wybrany || !wybrany->Parent() || wybrany->CzyGrupa())
        return;
    TDialogPliku d = DialogDokumentu(QStringLiteral("Wybierz plik specyfikacji"), wybrany->GetPlik());
    const QString plik = FUzytkownik.WybierzDoOtwarcia(d).Pliki.value(0);
    if (plik.isEmpty())
        return;
    // Another node's document is refused; the node's own is no change.
    const QString obecny = wybrany->GetPlik();
    if (!(!obecny.isEmpty() && CzyTenSamPlik(obecny, plik)) && Spis().CzyUzywanyPlik(plik)) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Wybrany plik specyfikacji jest już używany!"));
        return;
    }
    wybrany->SetPlik(plik);
    FFolderDokumentow = QFileInfo(plik).absolutePath();
    PoEdycjiSpisu();
}

void TZestawController::UsunPowiazanieZPlikiemST(TSpecyfikacja* wybrany)
{
    if (!wybrany || wybrany->GetEncodedPath().isEmpty())
        return;
    if (FKonfiguracja.CzyPotwierdzenieUsunPowiazaniePlikuST &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Czy na pewno chcesz usunąć powiązanie specyfikacji z plikiem ?"),
                                  QString()))
        return;
    wybrany->SetPlik(QString());
    PoEdycjiSpisu();
}

void TZestawController::PrzestawWarunkiOgolne(TSpecyfikacja* wybrany)
{
    if (!wybrany || wybrany->CzyGrupa() || !wybrany->Parent())
        return;
    wybrany->SetCzyWarunkiOgolne(!wybrany->CzyWarunkiOgolne());
    FZestaw->GetZbiorST()->Sort();
    WyswietlZbiorST();
}

void TZestawController::OtworzDokument(const QString& plik, bool folder)
{
    if (plik.isEmpty() || !QFileInfo(plik).isFile())
        return;
    const QString cel = folder ? QFileInfo(plik).absolutePath() : plik;
    if (cel.size() >= DlugoscSciezkiWindows) {
        FUzytkownik.PokazKomunikat(folder ? QStringLiteral("Wybrany folder przekracza długość ścieżki ograniczonej "
                                                           "przez system Windows.")
                                          : QStringLiteral("Wybrany plik przekracza długość ścieżki ograniczonej "
                                                           "przez system Windows."));
        return;
    }
    if (folder)
        FUzytkownik.OtworzFolder(cel);
    else
        FUzytkownik.OtworzPlikWProgramie(cel);
}

void TZestawController::OtworzPlikSTDrzewka(const TSpecyfikacja* wybrany)
{
    if (wybrany)
        OtworzDokument(wybrany->GetPlik(), false);
}

void TZestawController::OtworzFolderPlikuSTDrzewka(const TSpecyfikacja* wybrany)
{
    if (wybrany)
        OtworzDokument(wybrany->GetPlik(), true);
}

void TZestawController::OtworzPlikSTZbioru(int wiersz)
{
    if (const auto* wpis = static_cast<const TPozycjaZbioru*>(FZbiorSt->Obiekt(wiersz)))
        OtworzDokument(wpis->WybranaSpecyfikacja().GetPlik(), false);
}

void TZestawController::OtworzFolderPlikuSTZbioru(int wiersz)
{
    if (const auto* wpis = static_cast<const TPozycjaZbioru*>(FZbiorSt->Obiekt(wiersz)))
        OtworzDokument(wpis->WybranaSpecyfikacja().GetPlik(), true);
}

// ---------------------------------------------------------------- moving

void TZestawController::PrzeniesStWGore(TSpecyfikacja* wybrany)
{
    if (!wybrany || !wybrany->Parent() || dynamic_cast<TWariantSpecyfikacji*>(wybrany))
        return;
    const int i = wybrany->GetIndex();
    if (i > 0 && wybrany->Parent()->Move(i, i - 1))
        OdswiezDrzewoSpisu();
}

void TZestawController::PrzeniesStWDol(TSpecyfikacja* wybrany)
{
    if (!wybrany || !wybrany->Parent() || dynamic_cast<TWariantSpecyfikacji*>(wybrany))
        return;
    const int i = wybrany->GetIndex();
    if (i < wybrany->Parent()->Count() - 1 && wybrany->Parent()->Move(i, i + 1))
        OdswiezDrzewoSpisu();
}

void TZestawController::PrzeniesStPoziomWyzej(TSpecyfikacja* wybrany)
{
    if (!wybrany || dynamic_cast<TWariantSpecyfikacji*>(wybrany))
        return;
    TSpecyfikacja* grupa = wybrany->Parent();
    TSpecyfikacja* cel = grupa ? grupa->Parent() : nullptr;
    // A specification never goes to the top, where only kinds of works stand.
    if (!cel || (!cel->Parent() && !wybrany->CzyGrupa()))
        return;
    // The group's own index in its parent is always a valid place, so the insertion cannot refuse.
    const int miejsce = grupa->GetIndex();
    std::unique_ptr<TSpecyfikacja> wezel = grupa->Delete(wybrany);
    if (!wezel || !cel->Insert(std::move(wezel), miejsce))
        return;
    OdswiezDrzewoSpisu();
    FWidok.PokazWezelSpecyfikacji(wybrany);
}

void TZestawController::PrzeniesStPoziomNizej(TSpecyfikacja* wybrany)
{
    if (!wybrany || !wybrany->Parent() || dynamic_cast<TWariantSpecyfikacji*>(wybrany))
        return;
    TSpecyfikacja* rodzic = wybrany->Parent();
    const int i = wybrany->GetIndex();
    if (i >= rodzic->Count() - 1)
        return;
    TSpecyfikacja* grupa = rodzic->GetSpecyfikacja(i + 1);
    // A target that would refuse the node (too deep) is never tried: the node stays where it is.
    if (!grupa->CzyGrupa() || !CzyMiesciSiePod(*wybrany, grupa->KtoryPoziom()))
        return;
    std::unique_ptr<TSpecyfikacja> wezel = rodzic->Delete(wybrany);
    if (!wezel || !grupa->Add(std::move(wezel)))
        return;
    OdswiezDrzewoSpisu();
    FWidok.PokazWezelSpecyfikacji(wybrany);
}

bool TZestawController::PrzeniesSt(TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj)
{
    if (!PrzeniesWezel(Spis(), wezel, cel, miejsce, wykonaj))
        return false;
    if (wykonaj) {
        OdswiezDrzewoSpisu();
        FWidok.PokazWezelSpecyfikacji(wezel);
    }
    return true;
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
