#include "workflow/EksportXlsDialogu.h"

#include "app/Konfiguracja.h"
#include "estimates/Kosztorys.h"
#include "specs/KonfiguracjaZestawu.h"
#include "workflow/Uzytkownik.h"
#include "xls/EksportElementuXlsOpt.h"
#include "xls/EksportXlsController.h"
#include "xls/WyjatkiXls.h"
#include "zestaw/ZestawST.h"

#include <QDir>
#include <QFileInfo>

namespace {

std::vector<TKosztorys*> KosztorysyZestawu(const TZestawST& zestaw)
{
    std::vector<TKosztorys*> kosztorysy;
    for (int i = 0; i < zestaw.KosztorysyCount(); ++i)
        kosztorysy.push_back(zestaw.GetKosztorys(i));
    return kosztorysy;
}

} // namespace

TEksportXlsDialogu::TEksportXlsDialogu(TZestawST& zestaw, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik)
    : FZestaw(zestaw), FKonfiguracja(konfiguracja), FUzytkownik(uzytkownik),
      FController(std::make_unique<TEksportXlsController>(KosztorysyZestawu(zestaw)))
{
    TytulyDoWyboru = konfiguracja.TytulyEksportuXls;
    if (TytulyDoWyboru.isEmpty())
        TytulyDoWyboru = TKonfiguracja::GetDefaultTytulyEksportuXls();
    const auto& k = *zestaw.GetKonfiguracja();
    Opcje().Wczytaj(k);
    const QVariant folder = k.GetExternalNode(QStringLiteral("xlsPath"));
    Folder = folder.isNull() ? DomyslnyFolder() : folder.toString();
    const QVariant plik = k.GetExternalNode(QStringLiteral("xlsNazwaPliku"));
    if (!plik.isNull())
        Plik = plik.toString();
    else if (!zestaw.ZestawPath().isEmpty() && QFileInfo::exists(zestaw.ZestawPath()))
        Plik = QFileInfo(zestaw.ZestawPath()).completeBaseName();
}

TEksportXlsDialogu::~TEksportXlsDialogu()
{
    Zamknij();
}

TEksportElementuXlsOpt& TEksportXlsDialogu::Opcje()
{
    return FController->GetOpcjeEksportu();
}

bool TEksportXlsDialogu::CzyWariantWidoczny() const
{
    return FKonfiguracja.CzyKorzystajZWariantow;
}

bool TEksportXlsDialogu::CzyCenyDostepne() const
{
    return FKonfiguracja.CzyWyswietlajCeny;
}

QString TEksportXlsDialogu::DomyslnyFolder() const
{
    return QDir(FKonfiguracja.GetUserPath()).filePath(QStringLiteral("Dane/Eksport/XLS")) + QLatin1Char('/');
}

void TEksportXlsDialogu::Zmiana()
{
    if (OnZmiana)
        OnZmiana();
}

void TEksportXlsDialogu::PrzywrocDomyslne()
{
    Opcje().SetDefaults();
    Zmiana();
}

void TEksportXlsDialogu::UstawNaglowekZestawuWOpisie(bool wlacz)
{
    auto& opcje = Opcje();
    opcje.NaglowekZestawuWOpisie = wlacz;
    const QString naglowek = FZestaw.GetKonfiguracja()->TrescNaglowka;
    if (naglowek.isEmpty())
        return;
    if (wlacz) {
        if (!opcje.Opis.contains(naglowek, Qt::CaseInsensitive))
            opcje.Opis += (opcje.Opis.isEmpty() ? QString() : QStringLiteral("\n")) + naglowek;
    } else if (opcje.Opis.endsWith(naglowek, Qt::CaseInsensitive)) {
        opcje.Opis.remove(naglowek, Qt::CaseInsensitive);
        while (opcje.Opis.endsWith(QLatin1Char('\n')))
            opcje.Opis.chop(1);
    }
    Zmiana();
}

std::vector<TEksportXlsDialogu::TTytulKosztorysu> TEksportXlsDialogu::TytulyKosztorysow() const
{
    std::vector<TTytulKosztorysu> wiersze;
    for (const auto* kosztorys : FController->Kosztorysy())
        wiersze.push_back({QFileInfo(kosztorys->FilePath().GetPath()).completeBaseName(), kosztorys->Tytul()});
    return wiersze;
}

void TEksportXlsDialogu::ZastosujTytulyKosztorysow(const QStringList& tytuly)
{
    if (CzyTrwa())
        return; // the export reads the titles
    const auto& kosztorysy = FController->Kosztorysy();
    for (size_t i = 0; i < kosztorysy.size() && static_cast<int>(i) < tytuly.size(); ++i)
        kosztorysy[i]->SetTytul(tytuly.at(static_cast<int>(i)));
    Zmiana();
}

bool TEksportXlsDialogu::SprawdzPola()
{
    if (Folder.trimmed().isEmpty()) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Proszę wskazać lokalizację pliku."));
        return false;
    }
    if (Plik.trimmed().isEmpty()) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Proszę podać nazwę pliku."));
        return false;
    }
    auto& opcje = Opcje();
    if (opcje.ChronArkusz && Haslo != HasloPowtorzone) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Podane hasła ochrony arkusza nie są jednakowe."));
        return false;
    }
    // The proposed folder is the program's own: it is made when missing.
    if (QDir::cleanPath(Folder) == QDir::cleanPath(DomyslnyFolder()))
        QDir().mkpath(Folder);
    try {
        TEksportXlsController::GetFileName(Plik, Folder);
    } catch (const ENoPathException& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
    return true;
}

void TEksportXlsDialogu::Eksportuj()
{
    if (CzyTrwa()) {
        Zatrzymaj();
        return;
    }
    if (!SprawdzPola())
        return;
    auto& opcje = Opcje();
    opcje.HasloOchrony = opcje.ChronArkusz ? Haslo : QString();
    auto& k = *FZestaw.GetKonfiguracja();
    opcje.Zapisz(k);
    k.AddExternalNode(QStringLiteral("xlsPath"), Folder);
    k.AddExternalNode(QStringLiteral("xlsNazwaPliku"), Plik);
    if (opcje.WstawTytul && FKonfiguracja.CzyZapisujTytulyEksportuXls && !opcje.Tytul.trimmed().isEmpty() &&
        !TytulyDoWyboru.contains(opcje.Tytul)) {
        TytulyDoWyboru << opcje.Tytul;
        FKonfiguracja.TytulyEksportuXls = TytulyDoWyboru;
    }

    FZadanie.reset();
    FOstatniPlik.clear();
    FMaksimum = FController->PobierzMaxProgres();
    FZadanie = std::make_unique<TEksportujXlsThread>(
        this, FController.get(), [this](TEksportujXlsThread* zadanie) { Koniec(zadanie); },
        [this](TExceptionMsgThread* zadanie) {
            FUzytkownik.PokazKomunikat(QStringLiteral("Błąd eksportu do arkusza: ") + zadanie->ExceptionMsg());
        });
    FZadanie->start();
}

void TEksportXlsDialogu::Koniec(TEksportujXlsThread* zadanie)
{
    const auto& wynik = zadanie->Wynik();
    FOstatniPlik = wynik.Plik;
    if (zadanie->CzyBlad())
        return; // the error handler shows it
    if (!wynik.Ostrzezenia.isEmpty())
        FUzytkownik.PokazKomunikat(wynik.Ostrzezenia.join(QLatin1Char('\n')));
    if (wynik.Przerwany) {
        FUzytkownik.PokazKomunikat(
            wynik.Plik.isEmpty()
                ? QStringLiteral("Eksport został przerwany przed zapisaniem pierwszego arkusza.")
                : QStringLiteral("Eksport został przerwany. Wiersze zapisane do tej pory są w pliku: ") + wynik.Plik);
        return;
    }
    if (Opcje().OtworzPoEksporcie && !wynik.Plik.isEmpty())
        FUzytkownik.OtworzPlikWProgramie(wynik.Plik);
}

void TEksportXlsDialogu::Zatrzymaj()
{
    if (FZadanie)
        FZadanie->PoprosOZatrzymanie();
}

void TEksportXlsDialogu::Czekaj()
{
    if (FZadanie)
        FZadanie->Czekaj();
}

bool TEksportXlsDialogu::CzyTrwa() const
{
    return FZadanie && FZadanie->isRunning();
}

void TEksportXlsDialogu::Zamknij()
{
    if (FZadanie) {
        FZadanie->ZatrzymajICzekaj();
        FZadanie.reset();
    }
}

void TEksportXlsDialogu::ZablokujNaCzasEksportu()
{
    FZablokowany = true;
    FPozycja = 0;
    Zmiana();
}

void TEksportXlsDialogu::UstawPostep(int wartosc)
{
    FPozycja = wartosc;
    Zmiana();
}

void TEksportXlsDialogu::OdblokujPoEksporcie()
{
    FZablokowany = false;
    Zmiana();
}
