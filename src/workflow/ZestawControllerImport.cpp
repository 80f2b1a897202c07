// The set controller's archives, imports of registers and drawings' numbers, and the duplicate dialogs.
#include "workflow/ZestawController.h"

#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "archive/ListaBrakowPlikow.h"
#include "archive/OpcjeEkstrakcjiArchiwum.h"
#include "archive/ZestawArchiwizator.h"
#include "specs/ImporterST.h"
#include "specs/ImporterSTC.h"
#include "specs/ImporterSTFactory.h"
#include "specs/LicznikImportuSt.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "workflow/CzekanieNaOtwarcie.h"
#include "workflow/PytaniaODuplikaty.h"
#include "workflow/WidokZestawu.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>
#include <QObject>

#include <algorithm>

namespace {

bool CzyJestBrak(const TListyBrakow& listy)
{
    return std::any_of(listy.begin(), listy.end(), [](const auto& l) { return l->Count() > 0; });
}

} // namespace

// ---------------------------------------------------------------- archives

void TZestawController::ArchiwizujZestaw()
{
    if (FZestaw->ZestawPath().isEmpty()) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Zestaw należy zapisać przed archiwizacją."));
        return;
    }
    if (!PytanieOZestaw())
        return;
    TOpcjeEkstrakcjiArchiwum opcje = TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(FKonfiguracja);
    opcje.KatalogUzytkownika = FZestaw->Ustawienia().KatalogUzytkownika;
    TZestawArchiwizator archiwizator(opcje);
    try {
        const TListyBrakow braki = archiwizator.GetListyBrakow(FZestaw->ZestawPath());
        if (CzyJestBrak(braki) && !FUzytkownik.BrakujacePliki(braki))
            return;
        TDialogPliku d;
        d.Tytul = QStringLiteral("Zapisz archiwum zestawu");
        d.Filtr = QStringLiteral("Archiwum zestawu (*.azst)|*.azst");
        d.DomyslneRozszerzenie = QStringLiteral(".azst");
        d.Folder = QFileInfo(FZestaw->ZestawPath()).absolutePath();
        d.NazwaPliku = QFileInfo(FZestaw->ZestawPath()).completeBaseName() + QStringLiteral(".azst");
        const QString archiwum = FUzytkownik.WybierzDoZapisu(d);
        if (archiwum.isEmpty())
            return;
        const QString zestaw = FZestaw->ZestawPath();
        if (!ArchiwizujWTle([&](const TZadanieArchiwum::TPostep& postep) {
                archiwizator.OnPostep = postep;
                archiwizator.StworzArchiwumZestawu(zestaw, archiwum);
            }))
            return;
    } catch (const EBlad& e) {
        // Success is reported only for an archive that was written.
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return;
    }
    FUzytkownik.PokazKomunikat(QStringLiteral("Pomyślnie utworzono archiwum"));
}

void TZestawController::ArchiwizujSpisSt()
{
    const TMyPath& sciezka = *Spis().GetSpisStPath();
    if (sciezka.EncodedPath().trimmed().isEmpty()) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Spis specyfikacji należy zapisać przed archiwizacją."));
        return;
    }
    if (!PytanieOListe())
        return;
    TOpcjeEkstrakcjiArchiwum opcje = TOpcjeEkstrakcjiArchiwum::ZKonfiguracji(FKonfiguracja);
    opcje.KatalogUzytkownika = FZestaw->Ustawienia().KatalogUzytkownika;
    TZestawArchiwizator archiwizator(opcje);
    const QString lista = sciezka.GetPath();
    try {
        const TListyBrakow braki = archiwizator.GetListaBrakowSst(lista);
        if (CzyJestBrak(braki) && !FUzytkownik.BrakujacePliki(braki))
            return;
        TDialogPliku d;
        d.Tytul = QStringLiteral("Zapisz archiwum spisu specyfikacji");
        d.Filtr = QStringLiteral("Archiwum spisu specyfikacji (*.alst)|*.alst");
        d.DomyslneRozszerzenie = QStringLiteral(".alst");
        d.Folder = QFileInfo(lista).absolutePath();
        d.NazwaPliku = QFileInfo(lista).completeBaseName() + QStringLiteral(".alst");
        const QString archiwum = FUzytkownik.WybierzDoZapisu(d);
        if (archiwum.isEmpty())
            return;
        if (!ArchiwizujWTle([&](const TZadanieArchiwum::TPostep& postep) {
                archiwizator.OnPostep = postep;
                archiwizator.StworzArchiwumSpisuSt(lista, archiwum);
            }))
            return;
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return;
    }
    FUzytkownik.PokazKomunikat(QStringLiteral("Pomyślnie utworzono archiwum"));
}

bool TZestawController::ArchiwizujWTle(const TZadanieArchiwum::TPraca& praca)
{
    TCzekanieNaOtwarcie czekanie(std::make_unique<TZadanieArchiwum>(praca));
    czekanie.Tytul = QStringLiteral("Trwa archiwizacja");
    FUzytkownik.CzekajNaOtwarcie(czekanie);
    if (!czekanie.CzyZakonczone())
        czekanie.Anuluj();
    czekanie.Czekaj();
    // A stopped job wrote no archive, which the user asked for: nothing to tell.
    if (czekanie.CzyAnulowano())
        return false;
    if (!czekanie.Blad().isEmpty()) {
        FUzytkownik.PokazKomunikat(czekanie.Blad());
        return false;
    }
    return true;
}

void TZestawController::RozpakujArchiwumZestawu()
{
    RozpakujArchiwum(true, {});
}

void TZestawController::RozpakujArchiwumSpisuSt()
{
    RozpakujArchiwum(false, {});
}

bool TZestawController::CzyArchiwum(const QString& plik)
{
    return plik.endsWith(QLatin1String(".azst"), Qt::CaseInsensitive) ||
           plik.endsWith(QLatin1String(".alst"), Qt::CaseInsensitive);
}

void TZestawController::RozpakujArchiwum(const QString& archiwum)
{
    RozpakujArchiwum(!archiwum.endsWith(QLatin1String(".alst"), Qt::CaseInsensitive), archiwum);
}

void TZestawController::RozpakujArchiwum(bool czyZestaw, const QString& archiwum)
{
    const QString plik = FUzytkownik.RozpakujArchiwum(czyZestaw, archiwum);
    if (plik.isEmpty())
        return;
    if (czyZestaw)
        OtworzZestaw(plik);
    else
        OtworzSST(plik);
}

// ---------------------------------------------------------------- imports

TLicznikImportuSt& TZestawController::GetLicznikImportu()
{
    if (!FLicznikImportu)
        FLicznikImportu = std::make_unique<TLicznikImportuSt>();
    return *FLicznikImportu;
}

void TZestawController::ImportujPlikWST(TSpecyfikacja* wybrany)
{
    // Into a specification's group: a specification holds no others.
    TSpecyfikacja* cel = wybrany ? wybrany : &Spis();
    if (dynamic_cast<TWariantSpecyfikacji*>(cel))
        cel = cel->Parent();
    if (cel && !cel->CzyGrupa() && cel->Parent())
        cel = cel->Parent();
    if (!cel)
        return;
    TDialogPliku d;
    d.Tytul = QStringLiteral("Otwórz wykaz specyfikacji technicznych");
    d.Filtr = QStringLiteral("Wykaz Specyfikacji Technicznej (*.wst)|*.wst");
    d.Folder = FKonfiguracja.SstPath->GetPath();
    d.Wiele = true;
    const QStringList pliki = FUzytkownik.WybierzDoOtwarcia(d).Pliki;
    if (pliki.isEmpty())
        return;
    if (!FWlasciciel)
        FWlasciciel = std::make_unique<QObject>();
    GetLicznikImportu().Clear();
    for (const QString& plik : pliki) {
        try {
            std::unique_ptr<TImporterST> importer = TImporterSTFactory::GetImporter(
                plik, FWlasciciel.get(), &Spis(), TZapamietaneOpcjeDuplikatow::ZKonfiguracji(FKonfiguracja));
            importer->ImportujSpecyfikacje(plik, cel, this);
        } catch (const EBlad& e) {
            FUzytkownik.PokazKomunikat(QStringLiteral("Błąd ładowania pliku wykazu: ") + e.Komunikat());
            FUzytkownik.PodsumowanieImportu(QStringLiteral("Import przerwany."), GetLicznikImportu());
        }
    }
    PoEdycjiSpisu();
    FUzytkownik.PodsumowanieImportu(QStringLiteral("Zakończono import specyfikacji."), GetLicznikImportu());
}

QStringList TZestawController::ImportujSTC(const QString& plik)
{
    TImporterSTC stc;
    stc.WczytajPlik(plik);
    bool dodano = false;
    for (const QString& numer : stc.ListaNumerowSt())
        dodano = FZestaw->GetZbiorST()->Add(numer) || dodano;
    if (dodano)
        ZmienionoZestaw();
    ZaktualizujDopasowanieSpecyfikacji();
    return stc.ListaSst();
}

void TZestawController::ImportujSTC()
{
    TDialogPliku d;
    d.Tytul = QStringLiteral("Otwórz plik STC");
    d.Filtr = QStringLiteral("Plik STC|*.stc");
    d.Folder = FKonfiguracja.StcPath->GetPath();
    const QString plik = FUzytkownik.WybierzDoOtwarcia(d).Pliki.value(0);
    if (plik.isEmpty())
        return;
    QStringList listy;
    try {
        listy = ImportujSTC(plik);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return;
    }
    const QString otwarta =
        Spis().GetSpisStPath()->EncodedPath().trimmed().isEmpty() ? QString() : Spis().GetSpisStPath()->GetPath();
    if (listy.size() == 1) {
        if (!CzyTenSamPlik(listy.first(), otwarta) &&
            FUzytkownik.ZadajPytanie(QStringLiteral("W pliku STC została użyta następująca lista specyfikacji:\n") +
                                         listy.first(),
                                     QStringLiteral("Czy chcesz ją teraz otworzyć ?")))
            OtworzSST(listy.first());
    } else if (listy.size() > 1) {
        const int wybrana = FUzytkownik.WybierzListe(listy);
        if (wybrana >= 0 && wybrana < listy.size())
            OtworzSST(listy[wybrana]);
    }
}

// ---------------------------------------------------------------- duplicate dialogs

TOpcjaDuplikatowNumeru TZestawController::ShowDuplicatStDialog(const TSpecyfikacja& istniejaca,
                                                               const TSpecyfikacja& importowana, bool czyDuplikatPliku,
                                                               bool& czyZapamietajWybor)
{
    FWidok.PokazWezelSpecyfikacji(&istniejaca);
    return ZapytajODuplikatNumeru(FUzytkownik, FKonfiguracja, istniejaca, importowana, czyDuplikatPliku,
                                  czyZapamietajWybor);
}

TOpcjaDuplikatowPliku TZestawController::ShowDuplicatPlikuDialog(const TSpecyfikacja& istniejaca,
                                                                 const TSpecyfikacja& importowana,
                                                                 bool& czyZapamietajWybor)
{
    FWidok.PokazWezelSpecyfikacji(&istniejaca);
    return ZapytajODuplikatPliku(FUzytkownik, FKonfiguracja, istniejaca, importowana, czyZapamietajWybor);
}

void TZestawController::ShowDuplikaty(const TSpecyfikacja& s, const TSpecyfikacja& duplikatPliku,
                                      const TSpecyfikacja& duplikatNumeru)
{
    FUzytkownik.KonfliktSpecyfikacji(s, duplikatPliku, duplikatNumeru);
}
