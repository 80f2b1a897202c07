// The set controller's commands on sets, lists and estimates.
#include "workflow/ZestawController.h"
#include "workflow/EdycjaSpisu.h"

#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "estimates/Kosztorys.h"
#include "estimates/KosztorysFactory.h"
#include "estimates/NowyKosztorysRds.h"
#include "estimates/WyjatkiKosztorysu.h"
#include "prices/CenaJedn.h"
#include "prices/UstawieniaCen.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/LicznikImportuSt.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "specs/WyjatkiSpecyfikacji.h"
#include "workflow/CzekanieNaOtwarcie.h"
#include "workflow/Uzytkownik.h"
#include "workflow/WidokZestawu.h"
#include "workflow/ZadaniaOtwarcia.h"
#include "zestaw/PozycjaZbioru.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>

namespace {

constexpr int MaksOstatnich = 4;

const QString FiltrZestawu = QStringLiteral("Plik zestawu (*.zst)|*.zst");
const QString FiltrSpisu = QStringLiteral("Spis specyfikacji technicznych|*.sst");

bool CzyPlik(const QString& sciezka)
{
    return !sciezka.trimmed().isEmpty() && QFileInfo(sciezka).isFile();
}

QString FolderLubDomyslny(const QString& plik, const QString& domyslny)
{
    const QString folder = QFileInfo(plik).absolutePath();
    return !plik.isEmpty() && QFileInfo(folder).isDir() ? folder : domyslny;
}

} // namespace

TZestawController::TZestawController(TKonfiguracja& konfiguracja, IWidokZestawu& widok, IUzytkownik& uzytkownik)
    : FKonfiguracja(konfiguracja), FWidok(widok), FUzytkownik(uzytkownik),
      FZestaw(std::make_unique<TZestawST>(TUstawieniaKosztorysu::ZKonfiguracji(konfiguracja))),
      FListaPozycji(std::make_unique<TModelTabeli>()), FSzczegolyPozycji(std::make_unique<TModelTabeli>()),
      FZbiorSt(std::make_unique<TModelTabeli>()), FListaPozycjiZSt(std::make_unique<TModelTabeli>()),
      FPopupLista(std::make_unique<TModelTabeli>()), FDrzewoSpisu(std::make_unique<TModelSpisu>())
{
    FDrzewoElementow = std::make_unique<TModelElementow>(*FZestaw);
    FEdycjaSpisu = NowaEdycjaSpisu();
    FDrzewoSpisu->OnPrzenies = [this](TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj) {
        return PrzeniesSt(wezel, cel, miejsce, wykonaj);
    };
    FZestaw->SpisSpecyfikacji()->SetUstawieniaCen(TUstawieniaCen::ZKonfiguracji(konfiguracja));
    FZestaw->GetKonfiguracja()->CzyEksportDoc = konfiguracja.CzyEksportDoc;
    FWidokSpecyfikacje = konfiguracja.TylkoWidokSpecyfikacje || !konfiguracja.WidokKosztorys;
    SluchajZestawu();
    SluchajSpisu();
    UstawNaglowki();
    OdswiezTytul();
    OdswiezStatusSpisu();
}

TZestawController::~TZestawController()
{
    // The models point into the set: they go first.
    FDrzewoElementow.reset();
    FDrzewoSpisu.reset();
    FWybranyElement = nullptr;
}

void TZestawController::OdswiezDrzewoSpisu()
{
    FDrzewoSpisu->Ustaw(FZestaw->SpisSpecyfikacji(), FKonfiguracja.CzyKorzystajZWariantow);
    FWidok.OdswiezDrzewoSpecyfikacji();
}

std::unique_ptr<TSpisST> TZestawController::ZamienSpis(std::unique_ptr<TSpisST> nowy)
{
    FDrzewoSpisu->Ustaw(nullptr, false);
    return FZestaw->ZamienSpisST(std::move(nowy));
}

void TZestawController::UstawUstawienia(const TUstawieniaKosztorysu& ustawienia)
{
    FZestaw->UstawUstawienia(ustawienia);
    UstawNaglowki();
    ZaktualizujDopasowanieSpecyfikacji();
}

TSpisST& TZestawController::Spis() const
{
    return *FZestaw->SpisSpecyfikacji();
}

// ---------------------------------------------------------------- events, caption, status

void TZestawController::SluchajZestawu()
{
    FZestaw->SetOnZmianaKosztorysu([this](TZestawST*) { OdswiezStatusKosztorysu(); });
    FZestaw->SetOnZapisano([this](TZestawST*) { WyswietlZestawJakoZapisany(); });
    TKonfiguracjaZestawu& k = *FZestaw->GetKonfiguracja();
    k.OnZmianaPierwszejStrony = [this](TKonfiguracjaZestawu*) {
        if (!FOtwieranieZestawu)
            ZmienionoZestaw();
    };
    k.OnExternalsChange = [this](TKonfiguracjaZestawu*) {
        if (!FOtwieranieZestawu)
            ZmienionoZestaw();
    };
}

void TZestawController::SluchajSpisu()
{
    TSpisST& spis = Spis();
    FPodpowiedzi.reset(); // a new list object: nothing of the old one may be offered
    // The list calls its file-name handler once as it is given: that is no change of the set.
    FPodlaczanieSpisu = true;
    spis.SetOnZmianaNazwyPliku([this](TSpisST*) { ZmianaNazwyPliku(); });
    FPodlaczanieSpisu = false;
    spis.SetOnZmieniono([this](TNadawcaZmiany*) { ZmianaZawartosciSpecyfikacji(); });
}

void TZestawController::SluchajKosztorysow()
{
    for (int i = 0; i < FZestaw->KosztorysyCount(); ++i) {
        TKosztorys* k = FZestaw->GetKosztorys(i);
        k->OnZmiana = [this](TKosztorys*) { ZmienionoZestaw(); };
        k->UstawZdarzenieZmianyZawartosciPozycji();
    }
}

QString TZestawController::Tytul() const
{
    const QString nazwa = NazwaPlikuBezRozszerzenia(FZestaw->ZestawPath());
    return QStringLiteral("Velostra - [") + nazwa + (FZmienionyZestaw ? QStringLiteral("*]") : QStringLiteral("]"));
}

void TZestawController::OdswiezTytul()
{
    FWidok.UstawTytul(Tytul());
}

void TZestawController::ZmienionoZestaw()
{
    // Every position of a spread change reports here: the caption changes once.
    if (FZmienionyZestaw)
        return;
    FZmienionyZestaw = true;
    OdswiezTytul();
}

void TZestawController::WyswietlZestawJakoZapisany()
{
    FZmienionyZestaw = false;
    OdswiezTytul();
}

void TZestawController::OdswiezStatusSpisu()
{
    const TSpisST& spis = Spis();
    const QString plik = spis.GetSpisStPath()->EncodedPath().trimmed().isEmpty()
                             ? QString()
                             : QFileInfo(spis.GetSpisStPath()->GetPath()).fileName();
    FWidok.UstawStatus(0, QString());
    FWidok.UstawStatus(4, plik + QStringLiteral(" (Liczba specyfikacji: ") +
                              QString::number(spis.IleSpecyfikacji(true)) + QLatin1Char(')'));
}

void TZestawController::OdswiezStatusKosztorysu()
{
    const TKosztorys* k = FWybranyElement ? FZestaw->GetKosztorys(FWybranyElement) : nullptr;
    FWidok.UstawStatus(2, k ? k->FilePath().GetPath() : QString());
}

// ---------------------------------------------------------------- questions before losing work

bool TZestawController::PytanieOZapis(bool zmieniony, const QString& pytanie, bool (TZestawController::*zapisz)())
{
    if (!zmieniony)
        return true;
    switch (FUzytkownik.PytanieTakNieAnuluj(pytanie)) {
    case TOdpowiedz::Anuluj:
        return false;
    case TOdpowiedz::Nie:
        return true;
    case TOdpowiedz::Tak:
        // A save that fails or is cancelled keeps the work: the command stops as for "Anuluj".
        return (this->*zapisz)();
    }
    return false;
}

bool TZestawController::PytanieOListe()
{
    return PytanieOZapis(FZmienionySST, QStringLiteral("Czy zapisać zmiany listy specyfikacji ?"),
                         &TZestawController::ZapiszSST);
}

bool TZestawController::PytanieOZestaw()
{
    return PytanieOZapis(FZmienionyZestaw, QStringLiteral("Czy zapisać zmiany w zestawie ?"),
                         &TZestawController::ZapiszZestaw);
}

bool TZestawController::Zamknij()
{
    return PytanieOListe() && PytanieOZestaw();
}

// ---------------------------------------------------------------- set

void TZestawController::PustyZestaw()
{
    FWybranyElement = nullptr;
    FListaPozycjiZSt->Wyczysc();
    FZestaw->Wyczysc();
    FZestaw->GetKonfiguracja()->CzyEksportDoc = FKonfiguracja.CzyEksportDoc;
    FDrzewoElementow->Odswiez();
    UstawNaglowki();
    FSzczegolyPozycji->Wyczysc();
}

bool TZestawController::UtworzNowyZestaw(bool force)
{
    if (!force && !PytanieOZestaw())
        return false;
    FOtwieranieZestawu = true;
    PustyZestaw();
    FOtwieranieZestawu = false;
    if (FKonfiguracja.CzyscSSTPrzyNowymZst && !UtworzNowySST())
        return false;
    WyswietlPozycje();
    ZaktualizujDopasowanieSpecyfikacji();
    WyswietlZestawJakoZapisany();
    OdswiezStatusKosztorysu();
    return true;
}

void TZestawController::OtworzZestaw(const QString& path, bool)
{
    if (!PytanieOListe() || !PytanieOZestaw())
        return;
    QString sciezka = path;
    if (sciezka.isEmpty()) {
        TDialogPliku d;
        d.Tytul = QStringLiteral("Otwórz zestaw");
        d.Filtr = FiltrZestawu;
        d.Folder = FKonfiguracja.ZestawyPath->GetPath();
        sciezka = FUzytkownik.WybierzDoOtwarcia(d).Pliki.value(0);
    }
    // A cancelled dialog or a path that names nothing changes nothing.
    if (!CzyPlik(sciezka))
        return;

    FOtwieranieZestawu = true;
    PustyZestaw();
    std::unique_ptr<TSpisST> stary = ZamienSpis(nullptr);
    SluchajSpisu();
    FZmienionySST = false;

    auto zadanie = std::make_unique<TOtworzZestawThread>(*FZestaw, sciezka, FKonfiguracja.CzyBackupListySST,
                                                         FKonfiguracja.CzyBackupZestawu);
    TOtworzZestawThread& z = *zadanie;
    bool otwarty = false;
    {
        TCzekanieNaOtwarcie czekanie(std::move(zadanie));
        FUzytkownik.CzekajNaOtwarcie(czekanie);
        // The dialog may have returned early; the job is never left running behind the take-over.
        if (!czekanie.CzyZakonczone())
            czekanie.Anuluj();
        czekanie.Czekaj();
        if (!czekanie.Blad().isEmpty()) {
            FUzytkownik.PokazKomunikat(czekanie.Blad());
        } else if (!czekanie.CzyAnulowano() && !z.CzyZatrzymano()) {
            try {
                FZestaw->Przyjmij(std::move(z.Odczyt()));
                otwarty = true;
            } catch (const EBlad& e) {
                FUzytkownik.PokazKomunikat(e.Komunikat());
            }
        }
    }
    stary.reset();
    if (!otwarty) {
        // Never a half-read set: an empty one with an empty list.
        FZestaw->Wyczysc();
        ZamienSpis(nullptr);
    } else {
        FKonfiguracja.AddRecentZST(sciezka);
        FWidok.OdswiezOstatnie();
    }
    SluchajSpisu();
    SluchajKosztorysow();
    FOtwieranieZestawu = false;

    if (FKonfiguracja.TylkoWidokSpecyfikacje)
        FKonfiguracja.TylkoWidokSpecyfikacje = FZestaw->KosztorysyCount() == 0;
    if (FKonfiguracja.TylkoWidokSpecyfikacje)
        UstawWidokSpecyfikacje();
    SprawdzOtwartySpis();
    OdswiezDrzewoSpisu();
    OdswiezElementy();
    FWybranyElement = FZestaw->KosztorysyCount() > 0 ? FZestaw->GetKosztorys(0) : nullptr;
    FWidok.ZaznaczElement(FWybranyElement);
    WyswietlPozycje(FWybranyElement);
    FZmienionySST = false;
    WyswietlZestawJakoZapisany();
    OdswiezStatusSpisu();
    OdswiezStatusKosztorysu();
    if (!otwarty)
        return;

    // The set's own references: a list file that moved, a title page that is missing.
    const TMyPath& sciezkaSpisu = *Spis().GetSpisStPath();
    if (!sciezkaSpisu.EncodedPath().trimmed().isEmpty() && !CzyPlik(sciezkaSpisu.GetPath())) {
        const QString brakujacy = sciezkaSpisu.GetPath();
        if (FUzytkownik.ZadajPytanie(QStringLiteral("Nie znaleziono pliku listy specyfikacji z wybranego zestawu:\n") +
                                         QFileInfo(brakujacy).fileName(),
                                     QStringLiteral("Czy chcesz go wskazać i otworzyć ręcznie ?")))
            OtworzSST(brakujacy);
    }
    const TKonfiguracjaZestawu& k = *FZestaw->GetKonfiguracja();
    const TMyPath& szablon = k.CzyEksportDoc ? *k.GetPierwszaStronaDocTemplate() : *k.GetPierwszaStronaOdtTemplate();
    if (!szablon.EncodedPath().trimmed().isEmpty() && !CzyPlik(szablon.GetPath())) {
        if (FUzytkownik.ZadajPytanie(QStringLiteral("Nie znaleziono pliku pierwszej strony z wybranego zestawu:\n") +
                                         QFileInfo(szablon.GetPath()).fileName(),
                                     QStringLiteral("Czy chcesz go wskazać i otworzyć ręcznie ?")))
            WybierzSzablonPierwszejStronyZestawu();
    }
    FCzyAktualizowacPopupListView = true;
}

bool TZestawController::ZapiszZestaw()
{
    if (FZestaw->ZestawPath().isEmpty())
        return ZapiszZestawJako();
    try {
        FZestaw->Zapisz();
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
    WyswietlZestawJakoZapisany();
    return true;
}

bool TZestawController::ZapiszZestawJako()
{
    TDialogPliku d;
    d.Tytul = QStringLiteral("Zapisz zestaw");
    d.Filtr = FiltrZestawu;
    d.DomyslneRozszerzenie = QStringLiteral("zst");
    d.Folder = FolderLubDomyslny(FZestaw->ZestawPath(), FKonfiguracja.ZestawyPath->GetPath());
    d.NazwaPliku = QFileInfo(FZestaw->ZestawPath()).fileName();
    const QString plik = FUzytkownik.WybierzDoZapisu(d);
    if (plik.isEmpty())
        return false;
    try {
        FZestaw->Zapisz(plik);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
    FKonfiguracja.AddRecentZST(plik);
    FWidok.OdswiezOstatnie();
    WyswietlZestawJakoZapisany();
    return true;
}

bool TZestawController::ZapiszWszystko()
{
    return ZapiszSST() && ZapiszZestaw();
}

QStringList TZestawController::OstatnieZestawy() const
{
    return FKonfiguracja.RecentZSTList.mid(0, MaksOstatnich);
}

QStringList TZestawController::OstatnieListy() const
{
    return FKonfiguracja.RecentSSTList.mid(0, MaksOstatnich);
}

void TZestawController::OtworzOstatniZestaw(int indeks)
{
    const QString plik = OstatnieZestawy().value(indeks);
    if (CzyPlik(plik))
        OtworzZestaw(plik);
}

void TZestawController::OtworzOstatniaListe(int indeks)
{
    const QString plik = OstatnieListy().value(indeks);
    if (CzyPlik(plik))
        OtworzSST(plik);
}

void TZestawController::OdzyskajZestawZKopii()
{
    if (!PytanieOListe() || !PytanieOZestaw())
        return;
    TDialogPliku d;
    d.Tytul = QStringLiteral("Odzyskaj zestaw z kopii zapasowej");
    d.Filtr = QStringLiteral("Kopia zapasowa zestawu (*.~zst)|*.~zst");
    d.Folder = FolderLubDomyslny(FZestaw->ZestawPath(), FKonfiguracja.ZestawyPath->GetPath());
    const QString kopia = FUzytkownik.WybierzDoOtwarcia(d).Pliki.value(0);
    if (!CzyPlik(kopia))
        return;
    // The copy is opened as the set it was taken of; saving writes the set file, never the copy.
    const QString zestaw = kopia.left(kopia.size() - 4) + QStringLiteral(".zst");
    FZmienionySST = false;
    FZmienionyZestaw = false;
    OtworzZestaw(kopia);
    if (FZestaw->ZestawPath() != kopia)
        return;
    FZestaw->OtworzZBajtow(FZestaw->ZapiszDoBajtow(), zestaw);
    SluchajKosztorysow();
    OdswiezElementy();
    ZmienionoZestaw();
}

void TZestawController::OdzyskajSpisStZKopii()
{
    if (!PytanieOListe())
        return;
    TDialogPliku d;
    d.Tytul = QStringLiteral("Odzyskaj spis specyfikacji z kopii zapasowej");
    d.Filtr = QStringLiteral("Kopia zapasowa spisu specyfikacji (*.~sst)|*.~sst");
    d.Folder = FKonfiguracja.SstPath->GetPath();
    const QString kopia = FUzytkownik.WybierzDoOtwarcia(d).Pliki.value(0);
    if (!CzyPlik(kopia))
        return;
    FZmienionySST = false;
    OtworzSST(kopia);
    if (Spis().GetSpisStPath()->GetPath() != kopia)
        return;
    // Bound to the list file it is a copy of, and to be saved there.
    Spis().GetSpisStPath()->SetPath(kopia.left(kopia.size() - 4) + QStringLiteral(".sst"));
    ZmianaNazwyPliku();
    FZmienionySST = true;
}

// ---------------------------------------------------------------- list

bool TZestawController::UtworzNowySST()
{
    if (!PytanieOListe())
        return false;
    std::unique_ptr<TSpisST> stary = ZamienSpis(nullptr);
    SluchajSpisu();
    FZmienionySST = false;
    ZmienionoZestaw();
    OdswiezStatusSpisu();
    OdswiezDrzewoSpisu();
    ZaktualizujDopasowanieSpecyfikacji();
    stary.reset();
    FCzyAktualizowacPopupListView = true;
    return true;
}

void TZestawController::OtworzSST(const QString& path)
{
    if (!PytanieOListe())
        return;
    QString sciezka = path;
    if (!CzyPlik(sciezka)) {
        TDialogPliku d;
        d.Tytul = QStringLiteral("Otwórz spis specyfikacji technicznych");
        d.Filtr = FiltrSpisu;
        d.NazwaPliku = QFileInfo(path).fileName();
        d.Folder = FolderLubDomyslny(path, FKonfiguracja.SstPath->GetPath());
        sciezka = FUzytkownik.WybierzDoOtwarcia(d).Pliki.value(0);
        if (!CzyPlik(sciezka))
            return;
    }
    auto zadanie = std::make_unique<TOtworzSstThread>(Spis(), sciezka, FKonfiguracja.CzyBackupListySST);
    TOtworzSstThread& z = *zadanie;
    std::unique_ptr<TSpisST> nowy;
    {
        TCzekanieNaOtwarcie czekanie(std::move(zadanie));
        FUzytkownik.CzekajNaOtwarcie(czekanie);
        // The dialog may have returned early; the job is never left running behind the take-over.
        if (!czekanie.CzyZakonczone())
            czekanie.Anuluj();
        czekanie.Czekaj();
        if (!czekanie.Blad().isEmpty())
            FUzytkownik.PokazKomunikat(czekanie.Blad());
        else if (!czekanie.CzyAnulowano() && !z.CzyZatrzymano())
            nowy = z.Przejmij();
    }
    const bool otwarty = nowy != nullptr;
    // A failed or cancelled open leaves an empty list, never a half-read one.
    std::unique_ptr<TSpisST> stary = ZamienSpis(std::move(nowy));
    if (otwarty) {
        FKonfiguracja.AddRecentSST(sciezka);
        FWidok.OdswiezOstatnie();
    }
    PoOtwarciuSpisu();
    stary.reset();
}

void TZestawController::SprawdzOtwartySpis()
{
    try {
        Spis().WalidujSciezki(FZestaw->Ustawienia().KatalogUzytkownika);
    } catch (const ELongPathException&) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Na wybranej liście specyfikacji znajdują się pliki, które "
                                                  "przekraczają maksymalną długość ścieżki ograniczoną przez system "
                                                  "Windows.\nNiektóre funkcje programu mogą nie działać prawidłowo!"));
    }
    if (!Spis().ListaPustych().empty())
        FUzytkownik.PokazSpecyfikacjeZPustymNumerem(Spis());
}

void TZestawController::PoOtwarciuSpisu()
{
    SluchajSpisu();
    SprawdzOtwartySpis();
    OdswiezDrzewoSpisu();
    FZmienionySST = false;
    ZmianaNazwyPliku();
    ZaktualizujDopasowanieSpecyfikacji();
    FCzyAktualizowacPopupListView = true;
}

bool TZestawController::ZapiszSST()
{
    TSpisST& spis = Spis();
    if (spis.GetSpisStPath()->EncodedPath().trimmed().isEmpty())
        return ZapiszSSTJako();
    try {
        spis.Zapisz();
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
    FZmienionySST = false;
    return true;
}

bool TZestawController::ZapiszSSTJako()
{
    TSpisST& spis = Spis();
    const QString obecny =
        spis.GetSpisStPath()->EncodedPath().trimmed().isEmpty() ? QString() : spis.GetSpisStPath()->GetPath();
    TDialogPliku d;
    d.Tytul = QStringLiteral("Zapisz spis specyfikacji technicznych");
    d.Filtr = FiltrSpisu;
    d.DomyslneRozszerzenie = QStringLiteral(".sst");
    d.Folder = FolderLubDomyslny(obecny, FKonfiguracja.SstPath->GetPath());
    d.NazwaPliku = QFileInfo(obecny).fileName();
    const QString plik = FUzytkownik.WybierzDoZapisu(d);
    if (plik.isEmpty())
        return false;
    try {
        spis.Zapisz(plik);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
    FKonfiguracja.AddRecentSST(plik);
    FWidok.OdswiezOstatnie();
    FZmienionySST = false;
    return true;
}

void TZestawController::ZmianaNazwyPliku()
{
    if (!FPodlaczanieSpisu)
        ZmienionoZestaw();
    OdswiezStatusSpisu();
}

void TZestawController::ZmianaZawartosciSpecyfikacji()
{
    FZmienionySST = true;
    FPodpowiedzi.reset();
    FCzyAktualizowacPopupListView = true;
}

// ---------------------------------------------------------------- estimates

void TZestawController::DodajKosztorysZPliku(const QString& plik)
{
    const TUstawieniaKosztorysu ustawienia = FZestaw->Ustawienia();
    bool renumeruj = false;
    bool indeksuj = false;
    std::unique_ptr<TKosztorys> kosztorys;
    try {
        try {
            kosztorys = TKosztorysFactory::GetKosztorys(plik, true, ustawienia);
        } catch (const EBrakIdNrPozycjiException&) {
            renumeruj = indeksuj = true;
        } catch (const EBrakNrPozycjiException&) {
            renumeruj = true;
        } catch (const EBrakIdPozycjiException&) {
            indeksuj = true;
        }
        if (renumeruj || indeksuj) {
            if (!FUzytkownik.ZadajPytanie(
                    QStringLiteral("Wskazany plik ma nieprawidłową strukturę wewnętrzną."),
                    QStringLiteral("Czy dostosować dla potrzeb importu ? Zostanie utworzona kopia zapasowa pliku.")))
                return;
            try {
                kosztorys = TKosztorysFactory::GetKosztorys(plik, true, ustawienia, renumeruj, indeksuj);
            } catch (const EKopiaIstniejeException& e) {
                if (!FUzytkownik.ZadajPytanie(QStringLiteral("Plik kopii kosztorysu istnieje (") +
                                                  QFileInfo(e.Komunikat()).fileName() +
                                                  QStringLiteral("). Nadpisać istniejący plik ?"),
                                              QString()))
                    return;
                kosztorys = TKosztorysFactory::GetKosztorys(plik, true, ustawienia, renumeruj, indeksuj, true);
            }
        }
        if (!kosztorys)
            throw EBlad(QStringLiteral("Nieobsługiwany format pliku kosztorysu: ") + plik);
        if (kosztorys->Tytul().trimmed().isEmpty())
            kosztorys->SetTytul(NazwaPlikuBezRozszerzenia(plik));
        kosztorys->OnZmiana = [this](TKosztorys*) { ZmienionoZestaw(); };
        FZestaw->AddKosztorys(std::move(kosztorys));
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
}

void TZestawController::OtworzKosztorys(const QString& nazwaPliku)
{
    FListaPozycjiZSt->Wyczysc();
    const int przed = FZestaw->KosztorysyCount();
    if (!nazwaPliku.isEmpty()) {
        DodajKosztorysZPliku(nazwaPliku);
    } else {
        TDialogPliku d;
        d.Tytul = QStringLiteral("Otwórz kosztorys");
        d.Filtr = TKosztorysFactory::GetListaFiltrow().join(QLatin1Char('|'));
        d.IndeksFiltru = FKonfiguracja.FilterKosztorysIndex;
        d.Wiele = true;
        d.Folder = FKonfiguracja.KosztorysyPath->GetPath();
        const TWybranePliki wybrane = FUzytkownik.WybierzDoOtwarcia(d);
        if (wybrane.Pliki.isEmpty())
            return;
        FKonfiguracja.FilterKosztorysIndex = wybrane.IndeksFiltru;
        for (const QString& plik : wybrane.Pliki)
            DodajKosztorysZPliku(plik);
    }
    // Only an estimate that was added changes the set.
    if (FZestaw->KosztorysyCount() == przed)
        return;
    SluchajKosztorysow();
    ZmienionoZestaw();
    OdswiezElementy();
    FWybranyElement = FZestaw->GetKosztorys(FZestaw->KosztorysyCount() - 1);
    FWidok.ZaznaczElement(FWybranyElement);
    WyswietlPozycje(FWybranyElement);
    UstawWidokKosztorys();
}

void TZestawController::ZapomnijWybor()
{
    // Before an estimate goes, nothing may point into it: the grids, the selection, the collection.
    FWybranyElement = nullptr;
    FListaPozycji->Wyczysc();
    FSzczegolyPozycji->Wyczysc();
    FListaPozycjiZSt->Wyczysc();
    FZbiorSt->Wyczysc();
    FZestaw->GetZbiorST()->ClearPozycjeIDopasowanieST();
    FWidok.ZaznaczElement(nullptr);
}

void TZestawController::UsunKosztorys(TKosztorys* kosztorys)
{
    if (!kosztorys || FZestaw->IndeksKosztorysu(kosztorys) < 0)
        return;
    if (!FUzytkownik.ZadajPytanie(QStringLiteral("Na pewno chcesz usunąć kosztorys z zestawu ?"), QString()))
        return;
    ZapomnijWybor();
    FZestaw->DelKosztorys(kosztorys);
    ZmienionoZestaw();
    OdswiezElementy();
    WyswietlPozycje();
    ZaktualizujDopasowanieSpecyfikacji();
}

void TZestawController::UsunWszystkieKosztorysy()
{
    if (FZestaw->KosztorysyCount() == 0)
        return;
    if (!FUzytkownik.ZadajPytanie(QStringLiteral("Na pewno chcesz usunąć wszystkie kosztorysy z zestawu ?"), QString()))
        return;
    ZapomnijWybor();
    FZestaw->BeginUpdate();
    FZestaw->ClearKosztorysy();
    FZestaw->EndUpdate();
    ZmienionoZestaw();
    OdswiezElementy();
    WyswietlPozycje();
    ZaktualizujDopasowanieSpecyfikacji();
}

void TZestawController::PrzesunKosztorysWGore(TKosztorys* kosztorys)
{
    if (!FZestaw->PrzeniesKosztorysWGore(kosztorys))
        return;
    ZmienionoZestaw();
    OdswiezElementy();
    FWidok.ZaznaczElement(kosztorys);
}

void TZestawController::PrzesunKosztorysWDol(TKosztorys* kosztorys)
{
    if (!FZestaw->PrzeniesKosztorysWDol(kosztorys))
        return;
    ZmienionoZestaw();
    OdswiezElementy();
    FWidok.ZaznaczElement(kosztorys);
}

bool TZestawController::CzyOtwartyKosztorys() const
{
    return FZestaw->KosztorysyCount() > 0;
}

void TZestawController::EksportujKosztorys(TKosztorys* kosztorys)
{
    if (!kosztorys)
        return;
    // The estimate's own file is offered; another name keeps the original as it was.
    const QString zrodlo = kosztorys->FilePath().GetPath();
    TDialogPliku d;
    d.Tytul = QStringLiteral("Eksportuj kosztorys");
    d.Filtr = TKosztorysFactory::GetFilter(*kosztorys);
    d.DomyslneRozszerzenie = TKosztorysFactory::GetDefaultExtension(*kosztorys);
    d.Folder = FolderLubDomyslny(zrodlo, FKonfiguracja.KosztorysyPath->GetPath());
    d.NazwaPliku = QFileInfo(zrodlo).fileName();
    const QString plik = FUzytkownik.WybierzDoZapisu(d);
    if (plik.isEmpty())
        return;
    try {
        kosztorys->SaveFile(plik);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return;
    }
    FUzytkownik.PokazKomunikat(QStringLiteral("Zapisano numery specyfikacji w kosztorysie:\n") + plik);
}

void TZestawController::EksportujWszystkieKosztorysy()
{
    if (FZestaw->KosztorysyCount() == 0)
        return;
    if (!FUzytkownik.ZadajPytanie(QStringLiteral("Numery specyfikacji zostaną zapisane w plikach wszystkich "
                                                 "kosztorysów zestawu."),
                                  QStringLiteral("Czy kontynuować ?")))
        return;
    QStringList zapisane;
    for (int i = 0; i < FZestaw->KosztorysyCount(); ++i) {
        TKosztorys* k = FZestaw->GetKosztorys(i);
        try {
            k->SaveFile(k->FilePath().GetPath());
            zapisane << k->FilePath().GetPath();
        } catch (const EBlad& e) {
            // One estimate that cannot be written does not stop the others.
            FUzytkownik.PokazKomunikat(e.Komunikat());
        }
    }
    if (!zapisane.isEmpty())
        FUzytkownik.PokazKomunikat(QStringLiteral("Zapisano numery specyfikacji w kosztorysach:\n") +
                                   zapisane.join(QLatin1Char('\n')));
}

void TZestawController::GenerujKosztorys()
{
    const TZbiorST& zbior = *FZestaw->GetZbiorST();
    std::vector<TNowaPozycjaRds> pozycje;
    for (int i = 0; i < zbior.Count(); ++i) {
        const TPozycjaZbioru& wpis = *zbior.GetPozycjaZbioru(i);
        const TWybranaSpecyfikacja& w = wpis.WybranaSpecyfikacja();
        if (!w.GetSpecyfikacja())
            continue;
        // A variant in use has units of its own.
        const TSpecyfikacja& wezel = w.CzyWariantWUzyciu()
                                         ? static_cast<const TSpecyfikacja&>(*w.GetWariantSpecyfikacji())
                                         : *w.GetSpecyfikacja();
        const QString tytul = w.GetOpis(true);
        bool jednostka = false;
        for (int j = 0; j < wezel.JmCount(); ++j) {
            const TJmSpecyfikacji& jm = *wezel.GetJm(j);
            if (!jm.Eksportuj() || jm.Jm().trimmed().isEmpty())
                continue;
            const bool zOpisem = FKonfiguracja.NazwaJmWTytuleStPrzyGenerowaniuKosztorysu && !jm.Opis().isEmpty();
            pozycje.push_back({wpis.ST(), zOpisem ? tytul + QStringLiteral(" - ") + jm.Opis() : tytul, jm.Jm(),
                               jm.CenaJedn()->GetWartosc()});
            jednostka = true;
        }
        if (!jednostka)
            pozycje.push_back({wpis.ST(), tytul, QString(), 0});
    }
    if (pozycje.empty()) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Zbiór specyfikacji nie zawiera specyfikacji z listy."));
        return;
    }
    TDialogPliku d;
    d.Tytul = QStringLiteral("Zapisz kosztorys");
    d.Filtr = QStringLiteral("Kosztorys Rodos (*.rds)|*.rds");
    d.DomyslneRozszerzenie = QStringLiteral(".rds");
    d.Folder = FKonfiguracja.KosztorysyPath->GetPath();
    d.NazwaPliku = NazwaPlikuBezRozszerzenia(FZestaw->ZestawPath()) + QStringLiteral(".rds");
    const QString plik = FUzytkownik.WybierzDoZapisu(d);
    if (plik.isEmpty())
        return;
    try {
        ZapiszNowyKosztorysRds(plik, NazwaPlikuBezRozszerzenia(plik), QStringLiteral("Specyfikacje techniczne"),
                               pozycje);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return;
    }
    if (FKonfiguracja.OtworzKosztorysPoStworzeniu)
        OtworzKosztorys(plik);
    else
        FUzytkownik.PokazKomunikat(QStringLiteral("Utworzono kosztorys:\n") + plik);
}

void TZestawController::OdswiezElementy()
{
    FDrzewoElementow->Odswiez();
}

// ---------------------------------------------------------------- title page

bool TZestawController::CzyIstniejeSzablonPierwszejStrony() const
{
    return !PobierzSzablonPierwszejStrony().isEmpty();
}

QString TZestawController::PobierzSzablonPierwszejStrony() const
{
    const TKonfiguracjaZestawu& k = *FZestaw->GetKonfiguracja();
    const TMyPath& wlasny = k.CzyEksportDoc ? *k.GetPierwszaStronaDocTemplate() : *k.GetPierwszaStronaOdtTemplate();
    if (!wlasny.EncodedPath().trimmed().isEmpty() && CzyPlik(wlasny.GetPath()))
        return wlasny.GetPath();
    TMyPath programu(FKonfiguracja.GetUserPath());
    programu.SetEncodedPath(k.CzyEksportDoc ? FKonfiguracja.GetPierwszaStronaDocTemplate()
                                            : FKonfiguracja.GetPierwszaStronaOdtTemplate());
    return !programu.EncodedPath().trimmed().isEmpty() && CzyPlik(programu.GetPath()) ? programu.GetPath() : QString();
}

bool TZestawController::WybierzSzablonPierwszejStronyZestawu()
{
    TKonfiguracjaZestawu& k = *FZestaw->GetKonfiguracja();
    TMyPath programu(FKonfiguracja.GetUserPath());
    programu.SetEncodedPath(k.CzyEksportDoc ? FKonfiguracja.GetPierwszaStronaDocTemplate()
                                            : FKonfiguracja.GetPierwszaStronaOdtTemplate());
    const bool brakProgramu = programu.EncodedPath().trimmed().isEmpty() || !CzyPlik(programu.GetPath());
    const TWyborStronyTytulowej wybor = FUzytkownik.StronaTytulowaZestawu(brakProgramu);
    if (wybor.Rodzaj == TWyborStronyTytulowej::Anulowano)
        return false;
    TMyPath& wlasny = k.CzyEksportDoc ? *k.GetPierwszaStronaDocTemplate() : *k.GetPierwszaStronaOdtTemplate();
    // OK with a chosen file that is not there changes nothing.
    if (wybor.Rodzaj != TWyborStronyTytulowej::SzablonProgramu && !CzyPlik(wybor.Plik))
        return false;
    if (wybor.Rodzaj == TWyborStronyTytulowej::SzablonProgramu) {
        wlasny.SetEncodedPath(QString());
    } else {
        wlasny.SetPath(wybor.Plik);
        if (wybor.UstawJakoSzablon) {
            TMyPath zapisany(FKonfiguracja.GetUserPath());
            zapisany.SetPath(wybor.Plik);
            if (k.CzyEksportDoc)
                FKonfiguracja.SetPierwszaStronaDocTemplate(zapisany.EncodedPath());
            else
                FKonfiguracja.SetPierwszaStronaOdtTemplate(zapisany.EncodedPath());
        }
        if (wybor.OtworzUtworzony)
            FUzytkownik.OtworzPlikWProgramie(wybor.Plik);
    }
    k.CzyWstawiacSzablonPierwszejStrony = true;
    ZmienionoZestaw();
    return true;
}

bool TZestawController::SprawdzPlikiSzablonow(bool zaznaczone)
{
    if (!zaznaczone || CzyIstniejeSzablonPierwszejStrony())
        return zaznaczone;
    return FUzytkownik.ZadajPytanie(QStringLiteral("Brak wybranego pliku szablonu pierwszej strony."),
                                    QStringLiteral("Czy chcesz go wybrać teraz ?")) &&
           WybierzSzablonPierwszejStronyZestawu();
}

void TZestawController::OtworzSzablonPierwszejStrony()
{
    const QString szablon = PobierzSzablonPierwszejStrony();
    if (!szablon.isEmpty())
        FUzytkownik.OtworzPlikWProgramie(szablon);
}

// ---------------------------------------------------------------- views

void TZestawController::UstawWidokKosztorys()
{
    FWidokSpecyfikacje = false;
    FKonfiguracja.WidokKosztorys = true;
    FWidok.UstawWidok(false);
}

void TZestawController::UstawWidokSpecyfikacje()
{
    FWidokSpecyfikacje = true;
    FKonfiguracja.WidokKosztorys = false;
    FWidok.UstawWidok(true);
}
