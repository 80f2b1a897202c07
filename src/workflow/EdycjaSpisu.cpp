#include "workflow/EdycjaSpisu.h"
#include "workflow/PrzenoszenieWezla.h"

#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/Wyjatki.h"
#include "docs/TypPliku.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <QFileInfo>

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

QString NazwaPlikuWezla(const QString& plik)
{
    return plik.isEmpty() ? QStringLiteral(" ! Brak powiązanego pliku !") : QFileInfo(plik).fileName();
}

} // namespace

TEdycjaSpisu::TEdycjaSpisu(std::function<TSpisST*()> spis, TKonfiguracja& konfiguracja, IUzytkownik& uzytkownik,
                           TZaczepy zaczepy)
    : FSpis(std::move(spis)), FKonfiguracja(konfiguracja), FUzytkownik(uzytkownik), FZaczepy(std::move(zaczepy))
{
}

TDialogPliku TEdycjaSpisu::DialogDokumentu(const QString& tytul, const QString& plik) const
{
    TDialogPliku d;
    d.Tytul = tytul;
    if (FZaczepy.CzyDokumentyWord && FZaczepy.CzyDokumentyWord())
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

void TEdycjaSpisu::PoEdycji()
{
    if (FZaczepy.PoEdycji)
        FZaczepy.PoEdycji();
}

void TEdycjaSpisu::PoPrzeniesieniu(TSpecyfikacja* wezel)
{
    if (FZaczepy.PoPrzeniesieniu)
        FZaczepy.PoPrzeniesieniu();
    if (FZaczepy.Pokaz)
        FZaczepy.Pokaz(wezel);
}

bool TEdycjaSpisu::Potwierdz(const QString& pytanie)
{
    if (FZaczepy.CzyPotwierdzacUsuniecie && !FZaczepy.CzyPotwierdzacUsuniecie())
        return true;
    return FUzytkownik.ZadajPytanie(pytanie, QString());
}

// ---------------------------------------------------------------- adding

void TEdycjaSpisu::Dodaj(const QString& plik, const std::function<TSpecyfikacja*()>& dodaj)
{
    try {
        TSpecyfikacja* dodany = dodaj();
        if (!dodany)
            return;
        if (!plik.isEmpty())
            FFolderDokumentow = QFileInfo(plik).absolutePath();
        PoEdycji();
        if (FZaczepy.Pokaz)
            FZaczepy.Pokaz(dodany);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
}

void TEdycjaSpisu::DodajGrupe(TSpecyfikacja* rodzic, int poziom)
{
    TSpisST* spis = FSpis();
    if (!spis || !rodzic || !rodzic->CzyGrupa())
        return;
    const std::optional<TDaneGrupy> dane = FUzytkownik.EdycjaGrupy({poziom, QString(), QString(), spis, QString()});
    if (!dane)
        return;
    Dodaj(QString(), [&]() -> TSpecyfikacja* {
        auto grupa = std::make_unique<TSpecyfikacja>(dane->Numer, false, true, QString(), QString(), dane->Opis);
        TSpecyfikacja* dodany = grupa.get();
        return rodzic->Add(std::move(grupa)) ? dodany : nullptr;
    });
}

void TEdycjaSpisu::DodajRodzajRobot()
{
    DodajGrupe(FSpis(), 0);
}

void TEdycjaSpisu::DodajGrupeRobot(TSpecyfikacja* wybrany)
{
    DodajGrupe(Przodek(wybrany, 1), 1);
}

void TEdycjaSpisu::DodajElementRobot(TSpecyfikacja* wybrany)
{
    DodajGrupe(Przodek(wybrany, 2), 2);
}

void TEdycjaSpisu::DodajSpecyfikacje(TSpecyfikacja* wybrany, const QString& numer)
{
    TSpisST* spis = FSpis();
    if (!spis)
        return;
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
    wejscie.Spis = spis;
    wejscie.Nadrzedna = rodzic;
    const std::optional<TDaneSpecyfikacji> dane = FUzytkownik.EdycjaSpecyfikacji(wejscie);
    if (!dane)
        return;
    Dodaj(dane->Plik, [&]() -> TSpecyfikacja* {
        auto s = std::make_unique<TSpecyfikacja>(dane->Numer, false, false, QString(), dane->Plik, dane->Opis,
                                                 spis->KatalogUzytkownika());
        KopiujJednostki(*s, *dane);
        TSpecyfikacja* dodany = s.get();
        return rodzic->Add(std::move(s)) ? dodany : nullptr;
    });
}

void TEdycjaSpisu::DodajWariant(TSpecyfikacja* wybrany)
{
    TSpisST* spis = FSpis();
    if (!spis || !wybrany)
        return;
    TSpecyfikacja* specyfikacja = dynamic_cast<TWariantSpecyfikacji*>(wybrany) ? wybrany->Parent() : wybrany;
    if (!specyfikacja || specyfikacja->CzyGrupa())
        return;
    TDaneSpecyfikacji wejscie;
    wejscie.Tytul = QStringLiteral("Dodaj wariant specyfikacji");
    wejscie.DialogPliku = DialogDokumentu(QStringLiteral("Wybierz plik specyfikacji"), specyfikacja->GetPlik());
    wejscie.Spis = spis;
    wejscie.Specyfikacja = specyfikacja;
    wejscie.CzyWariant = true;
    const std::optional<TDaneSpecyfikacji> dane = FUzytkownik.EdycjaSpecyfikacji(wejscie);
    if (!dane)
        return;
    Dodaj(dane->Plik, [&]() -> TSpecyfikacja* {
        auto wariant = std::make_unique<TWariantSpecyfikacji>(dane->Numer, dane->Opis, dane->Plik, QString(),
                                                              spis->KatalogUzytkownika());
        KopiujJednostki(*wariant, *dane);
        TWariantSpecyfikacji* dodany = wariant.get();
        return specyfikacja->AddWariant(std::move(wariant)) ? dodany : nullptr;
    });
}

// ---------------------------------------------------------------- editing

void TEdycjaSpisu::Edytuj(TSpecyfikacja* wybrany)
{
    TSpisST* spis = FSpis();
    if (!spis || !wybrany || !wybrany->Parent())
        return;
    if (auto* wariant = dynamic_cast<TWariantSpecyfikacji*>(wybrany)) {
        EdytujWariant(wariant);
        return;
    }
    try {
        if (wybrany->CzyGrupa()) {
            const std::optional<TDaneGrupy> dane = FUzytkownik.EdycjaGrupy(
                {wybrany->KtoryPoziom() - 1, wybrany->Numer(), wybrany->Opis(), spis, wybrany->Numer()});
            if (!dane)
                return;
            wybrany->SetNumer(dane->Numer);
            wybrany->SetOpis(dane->Opis);
            PoEdycji();
            return;
        }
        const QString plik = wybrany->GetPlik();
        TDaneSpecyfikacji wejscie;
        wejscie.Tytul = QStringLiteral("Edytuj Specyfikację");
        wejscie.Numer = wybrany->Numer();
        wejscie.Opis = wybrany->Opis();
        wejscie.NazwaPliku = NazwaPlikuWezla(plik);
        wejscie.DialogPliku = DialogDokumentu(QStringLiteral("Wybierz plik specyfikacji"), plik);
        wejscie.Spis = spis;
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
        if (FZaczepy.PoZmianieNumeru)
            FZaczepy.PoZmianieNumeru(stary, dane->Numer);
        PoEdycji();
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
}

void TEdycjaSpisu::EdytujWariant(TWariantSpecyfikacji* wariant)
{
    TSpisST* spis = FSpis();
    if (!spis || !wariant->Parent())
        return;
    const QString plik = wariant->GetPlik();
    TDaneSpecyfikacji wejscie;
    wejscie.Tytul = QStringLiteral("Edytuj wariant specyfikacji");
    wejscie.Numer = wariant->Numer();
    wejscie.Opis = wariant->Opis();
    wejscie.NazwaPliku = NazwaPlikuWezla(plik);
    wejscie.DialogPliku = DialogDokumentu(QStringLiteral("Wybierz plik specyfikacji"), plik);
    wejscie.Spis = spis;
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
        if (FZaczepy.PoZmianieNumeru)
            FZaczepy.PoZmianieNumeru(stary, wariant->Parent()->Numer() + QLatin1Char('#') + dane->Numer);
        PoEdycji();
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
    }
}

// ---------------------------------------------------------------- deleting

void TEdycjaSpisu::Usun(TSpecyfikacja* wybrany)
{
    if (!FSpis() || !wybrany || !wybrany->Parent())
        return;
    if (auto* wariant = dynamic_cast<TWariantSpecyfikacji*>(wybrany)) {
        UsunWariant(wariant);
        return;
    }
    if (!Potwierdz(QStringLiteral("Czy na pewno chcesz usunąć specyfikację?")))
        return;
    if (wybrany->Count() > 0 && !FUzytkownik.ZadajPytanie(QStringLiteral("Grupa nie jest pusta. "),
                                                          QStringLiteral("Usunąć wybraną grupę i wszystkie jej "
                                                                         "elementy ?")))
        return;
    // The whole subtree counts: a group is used when anything below it is.
    std::vector<const TSpecyfikacja*> wezly;
    Poddrzewo(*wybrany, wezly);
    if (FZaczepy.CzyMoznaUsunac && !FZaczepy.CzyMoznaUsunac(wezly))
        return;
    if (FZaczepy.PrzedUsunieciem)
        FZaczepy.PrzedUsunieciem();
    wybrany->Parent()->Remove(wybrany);
    PoEdycji();
}

void TEdycjaSpisu::UsunWariant(TWariantSpecyfikacji* wariant)
{
    TSpecyfikacja* specyfikacja = wariant->Parent();
    if (!Potwierdz(QStringLiteral("Czy na pewno chcesz usunąć wybrany wariant specyfikacji ?")))
        return;
    for (int i = 0; i < specyfikacja->WariantyCount(); ++i)
        if (specyfikacja->GetWariant(i) == wariant) {
            if (FZaczepy.PrzedUsunieciem)
                FZaczepy.PrzedUsunieciem();
            specyfikacja->DelWariant(i);
            break;
        }
    PoEdycji();
}

// ---------------------------------------------------------------- documents

void TEdycjaSpisu::PowiazZPlikiem(TSpecyfikacja* wybrany)
{
    TSpisST* spis = FSpis();
    if (!spis || !wybrany || !wybrany->Parent() || wybrany->CzyGrupa())
        return;
    const TDialogPliku d = DialogDokumentu(QStringLiteral("Wybierz plik specyfikacji"), wybrany->GetPlik());
    const QString plik = FUzytkownik.WybierzDoOtwarcia(d).Pliki.value(0);
    if (plik.isEmpty())
        return;
    // Another node's document is refused; the node's own is no change.
    const QString obecny = wybrany->GetPlik();
    if (!(!obecny.isEmpty() && CzyTenSamPlik(obecny, plik)) && spis->CzyUzywanyPlik(plik)) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Wybrany plik specyfikacji jest już używany!"));
        return;
    }
    wybrany->SetPlik(plik);
    FFolderDokumentow = QFileInfo(plik).absolutePath();
    PoEdycji();
}

void TEdycjaSpisu::UsunPowiazanie(TSpecyfikacja* wybrany)
{
    if (!FSpis() || !wybrany || wybrany->GetEncodedPath().isEmpty())
        return;
    if (FKonfiguracja.CzyPotwierdzenieUsunPowiazaniePlikuST &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Czy na pewno chcesz usunąć powiązanie specyfikacji z plikiem ?"),
                                  QString()))
        return;
    wybrany->SetPlik(QString());
    PoEdycji();
}

void TEdycjaSpisu::PrzestawWarunkiOgolne(TSpecyfikacja* wybrany)
{
    if (!FSpis() || !wybrany || wybrany->CzyGrupa() || !wybrany->Parent())
        return;
    wybrany->SetCzyWarunkiOgolne(!wybrany->CzyWarunkiOgolne());
    if (FZaczepy.PoZmianieWarunkow)
        FZaczepy.PoZmianieWarunkow();
}

void TEdycjaSpisu::OtworzDokument(const QString& plik, bool folder)
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

void TEdycjaSpisu::OtworzPlik(const TSpecyfikacja* wybrany)
{
    if (wybrany)
        OtworzDokument(wybrany->GetPlik(), false);
}

void TEdycjaSpisu::OtworzFolder(const TSpecyfikacja* wybrany)
{
    if (wybrany)
        OtworzDokument(wybrany->GetPlik(), true);
}

// ---------------------------------------------------------------- moving

void TEdycjaSpisu::WGore(TSpecyfikacja* wybrany)
{
    if (!FSpis() || !wybrany || !wybrany->Parent() || dynamic_cast<TWariantSpecyfikacji*>(wybrany))
        return;
    const int i = wybrany->GetIndex();
    if (i > 0 && wybrany->Parent()->Move(i, i - 1))
        PoPrzeniesieniu(wybrany);
}

void TEdycjaSpisu::WDol(TSpecyfikacja* wybrany)
{
    if (!FSpis() || !wybrany || !wybrany->Parent() || dynamic_cast<TWariantSpecyfikacji*>(wybrany))
        return;
    const int i = wybrany->GetIndex();
    if (i < wybrany->Parent()->Count() - 1 && wybrany->Parent()->Move(i, i + 1))
        PoPrzeniesieniu(wybrany);
}

void TEdycjaSpisu::PoziomWyzej(TSpecyfikacja* wybrany)
{
    if (!FSpis() || !wybrany || dynamic_cast<TWariantSpecyfikacji*>(wybrany))
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
    PoPrzeniesieniu(wybrany);
}

void TEdycjaSpisu::PoziomNizej(TSpecyfikacja* wybrany)
{
    if (!FSpis() || !wybrany || !wybrany->Parent() || dynamic_cast<TWariantSpecyfikacji*>(wybrany))
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
    PoPrzeniesieniu(wybrany);
}

bool TEdycjaSpisu::Przenies(TSpecyfikacja* wezel, TSpecyfikacja* cel, int miejsce, bool wykonaj)
{
    TSpisST* spis = FSpis();
    if (!spis || !PrzeniesWezel(*spis, wezel, cel, miejsce, wykonaj))
        return false;
    if (wykonaj)
        PoPrzeniesieniu(wezel);
    return true;
}
