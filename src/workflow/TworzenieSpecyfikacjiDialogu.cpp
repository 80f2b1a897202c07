#include "workflow/TworzenieSpecyfikacjiDialogu.h"

#include "app/Konfiguracja.h"
#include "app/MyPath.h"
#include "app/Wyjatki.h"
#include "authoring/FolderDocelowy.h"
#include "authoring/PodstawyDoSt.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/SpisST.h"
#include "workflow/KodyCpvDialogu.h"
#include "workflow/Uzytkownik.h"
#include "zestaw/ZestawST.h"

TTworzenieSpecyfikacjiDialogu::TTworzenieSpecyfikacjiDialogu(
    QString numer, QString tytulNaLiscie, const TSpecyfikacja* rodzic,
    const std::vector<std::shared_ptr<const TJmSpecyfikacji>>& jednostki, TZestawST& zestaw,
    TKonfiguracja& konfiguracja, TZbiorEksporter& edytor, IUzytkownik& uzytkownik, TListaKodowCpv kodyCpv)
    : FNumer(std::move(numer)), FTytulNaLiscie(std::move(tytulNaLiscie)), FRodzic(rodzic), FZestaw(&zestaw),
      FKonfiguracja(&konfiguracja), FEdytor(&edytor), FUzytkownik(&uzytkownik), FDrzewaCpv(std::move(kodyCpv))
{
    for (const auto& j : jednostki) {
        if (j)
            FJednostki.push_back({j->Jm(), j->Opis()});
    }
    UstawRodzajPodstawy(TRodzajPodstawy::Szablon);
}

TTworzenieSpecyfikacjiDialogu::~TTworzenieSpecyfikacjiDialogu() = default;

void TTworzenieSpecyfikacjiDialogu::UstawRodzajPodstawy(TRodzajPodstawy rodzaj)
{
    FRodzaj = rodzaj;
    const TUstawieniaPodstaw ustawienia = TUstawieniaPodstaw::ZKonfiguracji(*FKonfiguracja);
    if (rodzaj == TRodzajPodstawy::Szablon)
        FPodstawy = std::make_unique<TPodstawyDoStSzablon>(ustawienia, FZestaw);
    else
        FPodstawy = std::make_unique<TPodstawyDoStSpisSt>(ustawienia, FInnySpis.get(), FZestaw);
    FWybrana = FPodstawy->Pliki().size() == 1 ? 0 : -1;
    const bool szablon = rodzaj == TRodzajPodstawy::Szablon;
    UstawWstawTytul(szablon);
    FCzyWstawJednostki = szablon;
    FCzyWstawKodyCpv = szablon;
    if (szablon)
        FCzyOtworzPlik = true;
}

QStringList TTworzenieSpecyfikacjiDialogu::Podstawy() const
{
    QStringList wynik;
    for (const auto& p : FPodstawy->Pliki())
        wynik << p->Opis();
    return wynik;
}

void TTworzenieSpecyfikacjiDialogu::WybierzPodstawe(int indeks)
{
    FWybrana = indeks >= 0 && indeks < static_cast<int>(FPodstawy->Pliki().size()) ? indeks : -1;
}

bool TTworzenieSpecyfikacjiDialogu::WybierzInnySpis()
{
    TDialogPliku dialog;
    dialog.Tytul = TytulWyboruSpisu;
    dialog.Filtr = FiltrWyboruSpisu;
    dialog.DomyslneRozszerzenie = QStringLiteral("sst");
    const TWybranePliki wybrane = FUzytkownik->WybierzDoOtwarcia(dialog);
    if (wybrane.Pliki.isEmpty())
        return false;
    auto spis = std::make_unique<TSpisST>();
    try {
        spis->UstawKatalogUzytkownika(FKonfiguracja->GetUserPath());
        spis->Otworz(wybrane.Pliki.front());
    } catch (const EBlad& e) {
        FUzytkownik->PokazKomunikat(e.Komunikat());
        return false;
    }
    FInnySpis = std::move(spis);
    UstawRodzajPodstawy(TRodzajPodstawy::IstniejacaSpecyfikacja);
    return true;
}

QString TTworzenieSpecyfikacjiDialogu::FolderReguly() const
{
    if (FRodzaj == TRodzajPodstawy::IstniejacaSpecyfikacja)
        return FWybrana < 0 ? QString() : FolderDocelowyIstniejacej(FPodstawy->Pliki()[FWybrana]->Plik().GetPath());
    const QString folder = FKonfiguracja->StZSzablonuPath ? FKonfiguracja->StZSzablonuPath->GetPath() : QString();
    return FolderDocelowySzablonu(folder, FRodzic);
}

QString TTworzenieSpecyfikacjiDialogu::FolderDocelowy() const
{
    if (!FWlasnaSciezka.trimmed().isEmpty())
        return FWlasnaSciezka;
    try {
        return FolderReguly();
    } catch (const EBlad&) {
        // Shown empty; "Stwórz" then tells why.
        return QString();
    }
}

bool TTworzenieSpecyfikacjiDialogu::UstawWstawTytul(bool wstaw)
{
    FCzyWstawTytul = wstaw;
    if (!wstaw || !FTytul.trimmed().isEmpty())
        return false;
    FTytul = FTytulNaLiscie;
    return true;
}

void TTworzenieSpecyfikacjiDialogu::UstawJednostke(int wiersz, const QString& nazwa, const QString& opis)
{
    if (wiersz >= 0 && wiersz < static_cast<int>(FJednostki.size()))
        FJednostki[wiersz] = {nazwa, opis};
}

void TTworzenieSpecyfikacjiDialogu::UsunJednostke(int wiersz)
{
    if (wiersz >= 0 && wiersz < static_cast<int>(FJednostki.size()))
        FJednostki.erase(FJednostki.begin() + wiersz);
}

void TTworzenieSpecyfikacjiDialogu::PrzyjmijKodyCpv()
{
    FKodyCpv = TKodyCpvDialogu::Zaznaczone(FDrzewaCpv);
}

void TTworzenieSpecyfikacjiDialogu::UsunKodCpv(int wiersz)
{
    if (wiersz < 0 || wiersz >= static_cast<int>(FKodyCpv.size()))
        return;
    FKodyCpv[wiersz]->Checked = false;
    FKodyCpv.erase(FKodyCpv.begin() + wiersz);
}

TDaneTworzeniaSpecyfikacji TTworzenieSpecyfikacjiDialogu::Dane() const
{
    TDaneTworzeniaSpecyfikacji d;
    d.Numer = FNumer;
    d.TytulNaLiscie = FTytulNaLiscie;
    d.RodzajPodstawy = FRodzaj;
    d.PlikPodstawy = FWybrana < 0 ? QString() : FPodstawy->Pliki()[FWybrana]->Plik().GetPath();
    d.WybranaWlasnaSciezka = FWlasnaSciezka;
    if (FWlasnaSciezka.trimmed().isEmpty())
        d.FolderDocelowy = FolderReguly();
    const bool szablon = FRodzaj == TRodzajPodstawy::Szablon;
    d.CzyWstawTytul = szablon && FCzyWstawTytul;
    d.Tytul = FTytul;
    d.CzyWstawJednostki = szablon && FCzyWstawJednostki;
    d.Jednostki = FJednostki;
    d.CzyWstawKodyCpv = szablon && FCzyWstawKodyCpv;
    for (const TKodCpv* k : FKodyCpv)
        d.KodyCpv.push_back({k->Kod, k->Opis});
    d.CzyEksportDoc = FZestaw->GetKonfiguracja()->CzyEksportDoc;
    d.CzyOtworzPlik = FCzyOtworzPlik;
    return d;
}

bool TTworzenieSpecyfikacjiDialogu::Stworz()
{
    try {
        const TDaneTworzeniaSpecyfikacji dane = Dane();
        TWynikTworzeniaSpecyfikacji wynik = TTworzenieSpecyfikacji(*FEdytor).Stworz(dane);
        FStworzonyPlik = wynik.StworzonyPlikStPath;
        FStworzoneJednostki = std::move(wynik.StworzoneJednostki);
        // Opened when asked, whatever the output kind: the user ticked it to go on editing the document.
        if (dane.CzyOtworzPlik)
            FUzytkownik->OtworzPlikWProgramie(FStworzonyPlik);
        return true;
    } catch (const EBlad& e) {
        FUzytkownik->PokazKomunikat(e.Komunikat());
    } catch (const std::exception& e) {
        FUzytkownik->PokazKomunikat(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

std::vector<std::unique_ptr<TJmSpecyfikacji>> TTworzenieSpecyfikacjiDialogu::PrzejmijStworzoneJednostki()
{
    return std::move(FStworzoneJednostki);
}
