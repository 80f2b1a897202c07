#include "workflow/ScalanieDialogu.h"
#include "workflow/EdycjaSpisu.h"
#include "workflow/PytaniaODuplikaty.h"

#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "specs/DuplikatStHandler.h"
#include "specs/KonfiguracjaZestawu.h"
#include "specs/ScalanieList.h"
#include "specs/SpisST.h"
#include "workflow/Uzytkownik.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>
#include <QLocale>
#include <QThread>

namespace {

QString Czas(const QDateTime& czas)
{
    return czas.isValid() ? czas.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) : QString();
}

} // namespace

// What the worker loads; shared so that a stopped worker may still finish with it after the dialog
// has moved on.
struct TScalanieDialogu::TWczytane
{
    QString SciezkaListy;
    QString SciezkaDodawanej;
    std::unique_ptr<TSpisST> Lista;
    std::unique_ptr<TSpisST> Dodawana;
    QString Blad;
};

TOpisDoPorownania TOpisDoPorownania::Z(const TSpecyfikacja& s)
{
    TOpisDoPorownania o;
    o.Tytul = s.Opis();
    o.Numer = s.Numer();
    const QString sciezka = s.GetPath()->GetPath();
    if (sciezka.isEmpty())
        return o;
    const QFileInfo plik(sciezka);
    o.NazwaPliku = plik.fileName();
    o.Folder = plik.absolutePath();
    if (plik.exists()) {
        o.Rozmiar = QLocale(QLocale::Polish, QLocale::Poland).formattedDataSize(plik.size());
        // Not every file system keeps the creation time; the last status change stands in for it.
        o.Utworzono = Czas(plik.birthTime().isValid() ? plik.birthTime() : plik.metadataChangeTime());
        o.Zmodyfikowano = Czas(plik.lastModified());
    }
    return o;
}

TScalanieDialogu::TScalanieDialogu(const QString& sciezkaListy, TZestawST& zestaw, TKonfiguracja& konfiguracja,
                                   IUzytkownik& uzytkownik)
    : FSciezkaListy(sciezkaListy), FZestaw(zestaw), FKonfiguracja(konfiguracja), FUzytkownik(uzytkownik)
{
    TEdycjaSpisu::TZaczepy z;
    z.PoEdycji = [this] { Edytowano(); };
    z.PoPrzeniesieniu = [this] { Edytowano(); };
    z.PoZmianieWarunkow = [this] { Edytowano(); };
    z.Pokaz = [this](TSpecyfikacja* wezel) {
        if (OnPokaz)
            OnPokaz(wezel);
    };
    // The conflict marks may point into what goes.
    z.PrzedUsunieciem = [this] { FKonflikty.clear(); };
    z.CzyDokumentyWord = [this] { return FZestaw.GetKonfiguracja()->CzyEksportDoc; };
    FEdycja = std::make_unique<TEdycjaSpisu>([this] { return CzyTrwaWczytywanie() ? nullptr : FLista.get(); },
                                             FKonfiguracja, FUzytkownik, std::move(z));
}

TScalanieDialogu::~TScalanieDialogu()
{
    Zatrzymaj();
}

std::unique_ptr<TSpisST> TScalanieDialogu::NowaLista() const
{
    auto spis = std::make_unique<TSpisST>();
    // Documents and unit prices are read as the set's own list reads them.
    if (const TSpisST* wzor = FZestaw.SpisSpecyfikacji()) {
        spis->UstawKatalogUzytkownika(wzor->KatalogUzytkownika());
        spis->SetUstawieniaCen(wzor->UstawieniaCen());
    }
    return spis;
}

void TScalanieDialogu::Zatrzymaj()
{
    if (!FWatek)
        return;
    if (FWczytane->Lista)
        FWczytane->Lista->SetTerminatedOtworz(true);
    if (FWczytane->Dodawana)
        FWczytane->Dodawana->SetTerminatedOtworz(true);
    FWatek->wait();
    FWatek.reset();
    FWczytane.reset();
}

void TScalanieDialogu::Wczytaj(const QString& sciezkaDodawanej)
{
    Zatrzymaj();
    const int pokolenie = ++FPokolenie;
    auto w = std::make_shared<TWczytane>();
    if (!FLista) {
        w->SciezkaListy = FSciezkaListy;
        w->Lista = NowaLista();
    }
    if (!sciezkaDodawanej.isEmpty()) {
        w->SciezkaDodawanej = sciezkaDodawanej;
        w->Dodawana = NowaLista();
    }
    FWczytane = w;
    FWatek.reset(QThread::create([w] {
        try {
            if (w->Lista)
                w->Lista->Otworz(w->SciezkaListy);
            if (w->Dodawana)
                w->Dodawana->Otworz(w->SciezkaDodawanej);
        } catch (const EBlad& e) {
            w->Blad = e.Komunikat();
        } catch (const std::exception& e) {
            w->Blad = QString::fromUtf8(e.what());
        }
    }));
    connect(FWatek.get(), &QThread::finished, this, [this, pokolenie] { ZakonczWczytywanie(pokolenie); });
    FWatek->start();
    if (OnZmiana)
        OnZmiana();
}

void TScalanieDialogu::Czekaj()
{
    if (FWatek) {
        FWatek->wait();
        ZakonczWczytywanie(FPokolenie);
    }
}

void TScalanieDialogu::ZakonczWczytywanie(int pokolenie)
{
    // A stopped worker's late signal, or the end already handled by Czekaj.
    if (pokolenie != FPokolenie || !FWatek)
        return;
    FWatek->wait();
    FWatek.reset();
    const std::shared_ptr<TWczytane> w = std::move(FWczytane);
    if (!w->Blad.isEmpty()) {
        FUzytkownik.PokazKomunikat(w->Blad);
    } else {
        const bool nowaLista = w->Lista != nullptr;
        const bool nowaDodawana = w->Dodawana != nullptr;
        if (w->Lista)
            FLista = std::move(w->Lista);
        if (w->Dodawana) {
            FDodawana = std::move(w->Dodawana);
            FSciezkaDodawanej = w->SciezkaDodawanej;
            if (!FOstatnie.contains(FSciezkaDodawanej))
                FOstatnie << FSciezkaDodawanej;
        }
        FKonflikty.clear();
        // Each list just read that holds nodes without a number is shown for mending.
        for (TSpisST* spis : {nowaLista ? FLista.get() : nullptr, nowaDodawana ? FDodawana.get() : nullptr})
            if (spis && !spis->ListaPustych().empty())
                FUzytkownik.PokazSpecyfikacjeZPustymNumerem(*spis);
    }
    if (OnZmiana)
        OnZmiana();
}

void TScalanieDialogu::WybierzDodawana()
{
    TDialogPliku d;
    d.Tytul = QStringLiteral("Otwórz spis specyfikacji technicznych");
    d.Filtr = TSpisST::Filtr;
    d.Folder = FKonfiguracja.SstPath ? FKonfiguracja.SstPath->GetPath() : QString();
    const TWybranePliki wybrane = FUzytkownik.WybierzDoOtwarcia(d);
    if (!wybrane.Pliki.isEmpty())
        Wczytaj(wybrane.Pliki.first());
}

void TScalanieDialogu::WybierzOstatnia(int indeks)
{
    if (indeks >= 0 && indeks < FOstatnie.size() && indeks != BiezacaOstatnia())
        Wczytaj(FOstatnie[indeks]);
}

int TScalanieDialogu::BiezacaOstatnia() const
{
    return FSciezkaDodawanej.isEmpty() ? -1 : static_cast<int>(FOstatnie.indexOf(FSciezkaDodawanej));
}

// ---------------------------------------------------------------- copies

void TScalanieDialogu::Dodaj(const std::vector<TSpecyfikacja*>& prawe, const std::vector<TSpecyfikacja*>& lewe)
{
    if (CzyTrwaWczytywanie() || !FLista || prawe.empty())
        return;
    if (lewe.size() > 1) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Nieprawidłowa specyfikacja docelowa."));
        return;
    }
    TSpecyfikacja* cel = lewe.empty() ? FLista.get() : lewe.front();
    std::vector<std::pair<const TSpecyfikacja*, TSpecyfikacja*>> kopie;
    for (const TSpecyfikacja* zrodlo : prawe) {
        const QString blad = TScalanieList::SprawdzZagniezdzenie(*zrodlo, *cel);
        if (!blad.isEmpty()) {
            FUzytkownik.PokazKomunikat(blad);
            return;
        }
        kopie.emplace_back(zrodlo, cel);
    }
    Kopiuj(kopie);
}

void TScalanieDialogu::DodajNaKoniec(const std::vector<TSpecyfikacja*>& prawe)
{
    if (CzyTrwaWczytywanie() || !FLista || prawe.empty())
        return;
    std::vector<std::pair<const TSpecyfikacja*, TSpecyfikacja*>> kopie;
    for (const TSpecyfikacja* zrodlo : prawe)
        kopie.emplace_back(zrodlo, FLista.get());
    Kopiuj(kopie);
}

void TScalanieDialogu::Edytowano()
{
    FZmieniono = true;
    if (OnZmiana)
        OnZmiana();
}

void TScalanieDialogu::DodajWszystkie()
{
    if (CzyTrwaWczytywanie() || !FLista || !FDodawana)
        return;
    std::vector<std::pair<const TSpecyfikacja*, TSpecyfikacja*>> kopie;
    for (int i = 0; i < FDodawana->Count(); ++i)
        kopie.emplace_back(FDodawana->GetSpecyfikacja(i), FLista.get());
    Kopiuj(kopie);
}

void TScalanieDialogu::Kopiuj(const std::vector<std::pair<const TSpecyfikacja*, TSpecyfikacja*>>& kopie)
{
    FLicznik.Clear();
    FKonflikty.clear();
    TDuplikatStHandler obsluga(TZapamietaneOpcjeDuplikatow::ZKonfiguracji(FKonfiguracja), this);
    TScalanieList scalanie(*FLista, obsluga);
    scalanie.OnDodano = [this](TSpecyfikacja&) { FZmieniono = true; };
    QString komunikat = QStringLiteral("Dodawanie listy specyfikacji zakończone.");
    try {
        for (const auto& [zrodlo, cel] : kopie)
            scalanie.Kopiuj(*zrodlo, *cel);
    } catch (const EBlad& e) {
        komunikat = e.Komunikat();
    }
    if (FLicznik.NadpisanychSt() > 0)
        FZmieniono = true;
    if (!scalanie.Uwagi().isEmpty())
        FUzytkownik.PokazKomunikat(scalanie.Uwagi().join(QLatin1Char('\n')));
    if (OnZmiana)
        OnZmiana();
    FUzytkownik.PodsumowanieImportu(komunikat, FLicznik);
}

std::optional<std::pair<TOpisDoPorownania, TOpisDoPorownania>> TScalanieDialogu::Porownaj(const TSpecyfikacja* lewa,
                                                                                          const TSpecyfikacja* prawa)
{
    if (!lewa || !prawa) {
        FUzytkownik.PokazKomunikat(QStringLiteral("Proszę zaznaczyć specyfikacje do porównania."));
        return std::nullopt;
    }
    return std::make_pair(TOpisDoPorownania::Z(*lewa), TOpisDoPorownania::Z(*prawa));
}

// ---------------------------------------------------------------- duplicate questions

void TScalanieDialogu::OznaczImportowana(const TSpecyfikacja& importowana)
{
    if (!FDodawana)
        return;
    const TSpecyfikacja* zrodlo = FDodawana->FindSpecyfikacja(
        importowana.Numer(), fsUwzglednijGrupy | fsSzukajWGrupach | fsSzukajWSpecyfikacjach);
    if (!zrodlo || zrodlo == FDodawana.get())
        zrodlo = FDodawana->FindSpecyfikacjaPlik(importowana.GetPlik());
    if (zrodlo)
        FKonflikty.insert(zrodlo);
}

TOpcjaDuplikatowNumeru TScalanieDialogu::ShowDuplicatStDialog(const TSpecyfikacja& istniejaca,
                                                              const TSpecyfikacja& importowana, bool czyDuplikatPliku,
                                                              bool& czyZapamietajWybor)
{
    const TOpcjaDuplikatowNumeru wynik = ZapytajODuplikatNumeru(FUzytkownik, FKonfiguracja, istniejaca, importowana,
                                                                czyDuplikatPliku, czyZapamietajWybor);
    if (wynik == doNone) {
        FKonflikty.insert(&istniejaca);
        OznaczImportowana(importowana);
    }
    return wynik;
}

TOpcjaDuplikatowPliku TScalanieDialogu::ShowDuplicatPlikuDialog(const TSpecyfikacja& istniejaca,
                                                                const TSpecyfikacja& importowana,
                                                                bool& czyZapamietajWybor)
{
    const TOpcjaDuplikatowPliku wynik =
        ZapytajODuplikatPliku(FUzytkownik, FKonfiguracja, istniejaca, importowana, czyZapamietajWybor);
    if (wynik == dpoNone) {
        FKonflikty.insert(&istniejaca);
        OznaczImportowana(importowana);
    }
    return wynik;
}

void TScalanieDialogu::ShowDuplikaty(const TSpecyfikacja& s, const TSpecyfikacja& duplikatPliku,
                                     const TSpecyfikacja& duplikatNumeru)
{
    FKonflikty.insert(&duplikatPliku);
    FKonflikty.insert(&duplikatNumeru);
    OznaczImportowana(s);
    FUzytkownik.KonfliktSpecyfikacji(s, duplikatPliku, duplikatNumeru);
}

// ---------------------------------------------------------------- closing

bool TScalanieDialogu::Zapisano(const QString& sciezka)
{
    try {
        FLista->Zapisz(sciezka);
        return true;
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return false;
    }
}

TScalanieDialogu::TZamkniecie TScalanieDialogu::Zapisz()
{
    if (CzyTrwaWczytywanie() || !FLista)
        return TZamkniecie::Pozostan;
    return Zapisano(QString()) ? TZamkniecie::Zatwierdz : TZamkniecie::Pozostan;
}

TScalanieDialogu::TZamkniecie TScalanieDialogu::ZapiszJako()
{
    if (CzyTrwaWczytywanie() || !FLista)
        return TZamkniecie::Pozostan;
    TDialogPliku d;
    d.Tytul = QStringLiteral("Zapisz jako");
    d.Filtr = TSpisST::Filtr;
    d.Folder = FKonfiguracja.SstPath ? FKonfiguracja.SstPath->GetPath() : QString();
    d.DomyslneRozszerzenie = QStringLiteral("sst");
    const QString sciezka = FUzytkownik.WybierzDoZapisu(d);
    if (sciezka.isEmpty())
        return TZamkniecie::Pozostan;
    return Zapisano(sciezka) ? TZamkniecie::Zatwierdz : TZamkniecie::Pozostan;
}

TScalanieDialogu::TZamkniecie TScalanieDialogu::Anuluj()
{
    if (CzyTrwaWczytywanie()) {
        // A load in progress ends now; the window shows its controls again should it stay.
        Zatrzymaj();
        if (OnZmiana)
            OnZmiana();
    }
    if (!FZmieniono || !FLista)
        return TZamkniecie::Odrzuc;
    switch (FUzytkownik.PytanieTakNieAnuluj(QStringLiteral("Czy zapisać zmiany listy specyfikacji ?"))) {
    case TOdpowiedz::Anuluj:
        return TZamkniecie::Pozostan;
    case TOdpowiedz::Tak:
        // The saved list is the one the caller takes over.
        return Zapisano(QString()) ? TZamkniecie::Zatwierdz : TZamkniecie::Pozostan;
    case TOdpowiedz::Nie:
        break;
    }
    return TZamkniecie::Odrzuc;
}
