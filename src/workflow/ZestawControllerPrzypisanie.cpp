// The set controller's side of the link between positions and specifications: matching, assigning,
// spreading a change, the collection by hand and the grids that show them.
#include "workflow/ZestawController.h"

#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"
#include "estimates/ElementRds.h"
#include "estimates/Kosztorys.h"
#include "estimates/PozycjaRds.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"
#include "workflow/Uzytkownik.h"
#include "workflow/WidokZestawu.h"
#include "zestaw/DopasowanieSpecyfikacji.h"
#include "zestaw/PozycjaZbioru.h"
#include "zestaw/ZbiorST.h"
#include "zestaw/ZestawST.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace {

QString PrzedKrzyzykiem(const QString& numer)
{
    return numer.section(QLatin1Char('#'), 0, 0);
}

QString PoKrzyzyku(const QString& numer)
{
    const int i = numer.indexOf(QLatin1Char('#'));
    return i < 0 ? QString() : numer.mid(i + 1);
}

bool CzyUzywaNumeru(const TElementRds& element, const QString& numer)
{
    const QString szukany = numer.trimmed();
    return element.ZnajdzPozycje([&](const TPozycjaRds& p) {
        return p.ST().trimmed().compare(szukany, Qt::CaseInsensitive) == 0;
    }) != nullptr;
}

void ZbierzSpecyfikacje(TSpecyfikacja& wezel, std::vector<TSpecyfikacja*>& wynik)
{
    for (int i = 0; i < wezel.Count(); ++i) {
        TSpecyfikacja* s = wezel.GetSpecyfikacja(i);
        if (s->CzyGrupa())
            ZbierzSpecyfikacje(*s, wynik);
        else
            wynik.push_back(s);
    }
}

// Removes every character of the set from the text; a surrogate pair counts as one character.
QString BezZnakow(const QString& tekst, const QString& pomijane)
{
    if (pomijane.isEmpty())
        return tekst;
    QList<uint> znaki;
    for (const uint z : pomijane.toUcs4())
        znaki << z;
    QString wynik;
    for (const uint z : tekst.toUcs4())
        if (!znaki.contains(z))
            wynik.append(QString::fromUcs4(reinterpret_cast<const char32_t*>(&z), 1));
    return wynik;
}

} // namespace

void TZestawController::UstawNaglowki()
{
    const bool warianty = FZestaw->Ustawienia().Warianty.CzyKorzystajZWariantow;
    QStringList pozycje{QStringLiteral("Nr Poz."), QStringLiteral("Numer ST")};
    QStringList zbior{QStringLiteral("Numer ST")};
    if (warianty) {
        pozycje << QStringLiteral("Wariant");
        zbior << QStringLiteral("Wariant");
    }
    pozycje << QStringLiteral("Opis") << QStringLiteral("JM");
    zbior << QStringLiteral("Tytuł ST") << QStringLiteral("Nazwa pliku");
    FListaPozycji->Ustaw(pozycje, {});
    FZbiorSt->Ustaw(zbior, {});
    FListaPozycjiZSt->Ustaw({QStringLiteral("Nr Poz."), QStringLiteral("Opis pozycji"), QStringLiteral("JM")}, {});
    QStringList szczegoly{QStringLiteral("Podstawa"), QStringLiteral("Opis pozycji"), QStringLiteral("JM"),
                          QStringLiteral("Ilość")};
    if (FKonfiguracja.CzyWyswietlajCeny)
        szczegoly << QStringLiteral("Cena Jedn.");
    FSzczegolyPozycji->Ustaw(szczegoly, {});
}

// ---------------------------------------------------------------- matching and the grids

void TZestawController::ZaktualizujDopasowanieSpecyfikacji()
{
    DopasujSpecyfikacje(*FZestaw);
    WyswietlPozycjeWybranegoElementu();
    WyswietlZbiorST();
}

void TZestawController::WyswietlPozycje(TElementRds* element)
{
    FListaPozycji->Wyczysc();
    FWidok.UstawStatus(1, QString());
    if (FZestaw->KosztorysyCount() == 0) {
        FWybranyElement = nullptr;
        return;
    }
    FWybranyElement = element ? element : FWybranyElement;
    if (!FWybranyElement)
        return;
    FWidok.UstawStatus(1, (FWybranyElement->Parent ? QStringLiteral("Element: ") : QStringLiteral("Kosztorys: ")) +
                              TModelElementow::Podpis(*FWybranyElement));
    OdswiezStatusKosztorysu();
    ZaktualizujDopasowanieSpecyfikacji();
    WyswietlSzczegolyPozycji(0);
}

void TZestawController::WyswietlPozycjeWybranegoElementu()
{
    for (int i = 0; i < FZestaw->KosztorysyCount(); ++i)
        FZestaw->GetKosztorys(i)->DlaKazdejPozycji([](TPozycjaRds& p) { p.Data = -1; });
    std::vector<TModelTabeli::TWiersz> wiersze;
    if (FWybranyElement) {
        const bool warianty = FZestaw->Ustawienia().Warianty.CzyKorzystajZWariantow;
        const bool zSt = FKonfiguracja.CzyPozycjeST;
        const bool bezSt = FKonfiguracja.CzyPozycjeBezST;
        FWybranyElement->DlaKazdejPozycji([&](TPozycjaRds& p) {
            const TWybranaSpecyfikacja& w = p.WybranaSpecyfikacja();
            const bool maSt = !p.ST().trimmed().isEmpty() && w.GetSpecyfikacja();
            if (!(maSt ? zSt : bezSt))
                return;
            QStringList komorki{p.Nr()};
            if (!warianty) {
                komorki << p.ST();
            } else if (w.GetSpecyfikacja()) {
                komorki << w.GetSpecyfikacja()->Numer()
                        << (w.GetWariantSpecyfikacji() ? w.GetWariantSpecyfikacji()->Numer() : QString());
            } else {
                komorki << PrzedKrzyzykiem(p.ST()) << PoKrzyzyku(p.ST());
            }
            komorki << p.Opis() << p.Jm();
            p.Data = static_cast<int>(wiersze.size());
            wiersze.push_back({komorki, &p});
        });
    }
    FListaPozycji->Ustaw(FListaPozycji->Naglowki(), std::move(wiersze));
}

void TZestawController::WyswietlZbiorST()
{
    const bool warianty = FZestaw->Ustawienia().Warianty.CzyKorzystajZWariantow;
    const TZbiorST& zbior = *FZestaw->GetZbiorST();
    std::vector<TModelTabeli::TWiersz> wiersze;
    for (int i = 0; i < zbior.Count(); ++i) {
        TPozycjaZbioru* wpis = zbior.GetPozycjaZbioru(i);
        const TWybranaSpecyfikacja& w = wpis->WybranaSpecyfikacja();
        const bool widoczny = (FKonfiguracja.CzyZbiorSTPokazKosztorys && wpis->PozycjeCount() > 0) ||
                              (FKonfiguracja.CzyZbiorSTPokazWlasne && wpis->CzyWlasna());
        if (!widoczny)
            continue;
        const QString plik = w.GetSpecyfikacja() ? w.GetPlik() : QString();
        if (plik.isEmpty() ? !FKonfiguracja.CzyZbiorSTPokazBraki : !FKonfiguracja.CzyZbiorSTPokazZPlikami)
            continue;
        if (!warianty && wpis->ST().contains(QLatin1Char('#')))
            continue;
        QStringList komorki;
        if (warianty) {
            const bool dzielony = w.GetWariantSpecyfikacji() || wpis->ST().contains(QLatin1Char('#'));
            komorki << (dzielony ? PrzedKrzyzykiem(wpis->ST()) : wpis->ST())
                    << (w.GetWariantSpecyfikacji() ? w.GetWariantSpecyfikacji()->Numer() : PoKrzyzyku(wpis->ST()));
        } else {
            komorki << wpis->ST();
        }
        komorki << (w.GetSpecyfikacja() ? w.GetOpis(false) : QString()) << QFileInfo(plik).fileName();
        wiersze.push_back({komorki, wpis});
    }
    FZbiorSt->Ustaw(FZbiorSt->Naglowki(), std::move(wiersze));
    WyswietlListePozycjiZSt(0);
}

void TZestawController::WyswietlSzczegolyPozycji(int wiersz)
{
    const auto* p = static_cast<const TPozycjaRds*>(FListaPozycji->Obiekt(wiersz));
    if (!p) {
        FSzczegolyPozycji->Wyczysc();
        return;
    }
    QStringList komorki{p->Podstawa(), p->Opis(), p->Jm(), p->Ilosc()};
    if (FKonfiguracja.CzyWyswietlajCeny) {
        // A price that does not convert is shown as written, not as a made-up 0,00.
        QString tekst = p->Cena().trimmed();
        tekst.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double cena = tekst.toDouble(&ok);
        komorki << (ok ? QLocale().toString(cena, 'f', 2) : p->Cena());
    }
    FSzczegolyPozycji->Ustaw(FSzczegolyPozycji->Naglowki(), {{komorki, const_cast<TPozycjaRds*>(p)}});
    if (FKonfiguracja.CzyPozycjeSynchronizujZDrzewkiem) {
        const TWybranaSpecyfikacja& w = p->WybranaSpecyfikacja();
        ZaznaczSpecyfikacje(w.GetSpecyfikacja() ? w.GetSpecyfikacja() : w.GetDopasowanaSpecyfikacja(),
                            w.GetWariantSpecyfikacji());
    }
}

void TZestawController::WyswietlListePozycjiZSt(int wiersz)
{
    const auto* wpis = static_cast<const TPozycjaZbioru*>(FZbiorSt->Obiekt(wiersz));
    std::vector<TModelTabeli::TWiersz> wiersze;
    if (wpis)
        for (int i = 0; i < wpis->PozycjeCount(); ++i) {
            TPozycjaRds* p = wpis->GetPozycjaRds(i);
            wiersze.push_back({{p->Nr(), p->Opis(), p->Jm()}, p});
        }
    FListaPozycjiZSt->Ustaw(FListaPozycjiZSt->Naglowki(), std::move(wiersze));
}

// ---------------------------------------------------------------- assigning

void TZestawController::PrzypiszWybraneStDoPozycji(TSpecyfikacja* specyfikacja, TPozycjaRds* pozycja)
{
    if (!specyfikacja || !pozycja)
        return;
    if (auto* wariant = dynamic_cast<TWariantSpecyfikacji*>(specyfikacja)) {
        PrzypiszWybranyWariantDoPozycji(wariant, pozycja);
        return;
    }
    if (specyfikacja->CzyGrupa())
        return;
    if (!pozycja->ST().trimmed().isEmpty() &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Czy nadpisać istniejący numer specyfikacji wybranej pozycji ?"),
                                  QString()))
        return;
    pozycja->SetST(specyfikacja->Numer());
    ZaktualizujDopasowanieSpecyfikacji();
}

void TZestawController::PrzypiszWybranyWariantDoPozycji(TWariantSpecyfikacji* wariant, TPozycjaRds* pozycja)
{
    if (!wariant || !pozycja || !wariant->Parent())
        return;
    if (!pozycja->ST().trimmed().isEmpty() &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Czy nadpisać istniejący numer specyfikacji wybranej pozycji ?"),
                                  QString()))
        return;
    pozycja->SetST(wariant->Parent()->Numer() + QLatin1Char('#') + wariant->Numer());
    ZaktualizujDopasowanieSpecyfikacji();
}

bool TZestawController::ZmienNumerPozycji(TPozycjaRds* pozycja, const QString& nowyNumer, std::optional<int> zakres)
{
    if (!pozycja)
        return false;
    const QString stary = pozycja->ST();
    pozycja->SetST(nowyNumer);
    if (!ZaktualizujWPozostalychPozycjach(stary, nowyNumer, false, zakres)) {
        pozycja->SetST(stary);
        return false;
    }
    ZaktualizujDopasowanieSpecyfikacji();
    return true;
}

bool TZestawController::ZaktualizujWPozostalychPozycjach(const QString& numerSt, const QString& nowyNumerSt,
                                                         bool zmianaZDrzewa, std::optional<int> zakres)
{
    if (numerSt.trimmed() == nowyNumerSt.trimmed() || FZestaw->KosztorysyCount() == 0 || !FWybranyElement)
        return true;
    bool uzywany = false;
    for (int i = 0; i < FZestaw->KosztorysyCount() && !uzywany; ++i)
        uzywany = CzyUzywaNumeru(*FZestaw->GetKosztorys(i), numerSt);
    if (!uzywany)
        return true;
    int wybor = zakres.value_or(FKonfiguracja.WyborDlaPozostalychPozycji);
    if (!zakres && (zmianaZDrzewa || FKonfiguracja.PytajOPozostalePozycje)) {
        QString tekst;
        if (zmianaZDrzewa)
            tekst = QStringLiteral("Specyfikacja <NUMERST> jest używana w kosztorysie.\n\nCzy zaktualizować numer "
                                   "specyfikacji w pozycjach kosztorysu ?");
        else if (numerSt.trimmed().isEmpty())
            tekst = QStringLiteral("Zaktualizować również pozostałe pozycje bez specyfikacji ?");
        else
            tekst = QStringLiteral("Specyfikacja <NUMERST> jest używana w innych pozycjach kosztorysu.\n\n"
                                   "Zaktualizować również pozostałe pozycje ?");
        tekst.replace(QStringLiteral("<NUMERST>"), numerSt);
        const std::optional<TWyborPozostalych> odpowiedz =
            FUzytkownik.WyborDlaPozostalychPozycji(tekst, zmianaZDrzewa, zmianaZDrzewa ? 3 : 0);
        if (!odpowiedz)
            return false;
        wybor = odpowiedz->Wybor;
        FKonfiguracja.WyborDlaPozostalychPozycji = wybor;
        if (!zmianaZDrzewa)
            FKonfiguracja.PytajOPozostalePozycje = !odpowiedz->NiePytaj;
    }
    switch (wybor) {
    case 1:
        FWybranyElement->ZaktualizujSTPozycji(numerSt, nowyNumerSt);
        break;
    case 2:
        if (TKosztorys* k = FZestaw->GetKosztorys(FWybranyElement))
            k->ZaktualizujSTPozycji(numerSt, nowyNumerSt);
        break;
    case 3:
        for (int i = 0; i < FZestaw->KosztorysyCount(); ++i)
            FZestaw->GetKosztorys(i)->ZaktualizujSTPozycji(numerSt, nowyNumerSt);
        break;
    default:
        break;
    }
    return true;
}

void TZestawController::UsunSTPozycji(const std::vector<TPozycjaRds*>& pozycje)
{
    if (pozycje.empty())
        return;
    if (FKonfiguracja.CzyPotwierdzenieUsunSTZPozycji &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Czy na pewno chcesz usunąć specyfikację z pozycji kosztorysu ?"),
                                  QString()))
        return;
    if (pozycje.size() == 1) {
        TPozycjaRds* p = pozycje.front();
        const QString stary = p->ST();
        p->SetST(QString());
        if (!ZaktualizujWPozostalychPozycjach(stary, QString(), false))
            p->SetST(stary);
    } else {
        for (TPozycjaRds* p : pozycje)
            p->SetST(QString());
    }
    ZaktualizujDopasowanieSpecyfikacji();
}

void TZestawController::UsunSTElementu(TElementRds* element)
{
    if (!element)
        return;
    element->DlaKazdejPozycji([](TPozycjaRds& p) { p.SetST(QString()); });
    ZaktualizujDopasowanieSpecyfikacji();
}

// ---------------------------------------------------------------- the collection by hand

void TZestawController::DopiszDoZbioruST(TSpecyfikacja* specyfikacja)
{
    if (!specyfikacja)
        return;
    if (auto* wariant = dynamic_cast<TWariantSpecyfikacji*>(specyfikacja)) {
        DopiszWariantDoZbioruST(wariant);
        return;
    }
    TZbiorST& zbior = *FZestaw->GetZbiorST();
    try {
        if (specyfikacja->CzyGrupa()) {
            std::vector<TSpecyfikacja*> specyfikacje;
            ZbierzSpecyfikacje(*specyfikacja, specyfikacje);
            if (specyfikacje.empty()) {
                FUzytkownik.PokazKomunikat(QStringLiteral("Brak specyfikacji w grupie."));
                return;
            }
            int nowych = 0;
            for (TSpecyfikacja* s : specyfikacje) {
                const TPozycjaZbioru* jest = zbior.Znajdz(s->Numer());
                if (jest && (jest->CzyWlasna() || jest->PozycjeCount() > 0))
                    continue;
                zbior.Add(s);
                ++nowych;
            }
            if (nowych == 0) {
                FUzytkownik.PokazKomunikat(QStringLiteral("Wszystkie specyfikacje z grupy są już w zbiorze."));
                return;
            }
        } else {
            zbior.Add(specyfikacja);
        }
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return;
    }
    zbior.Sort();
    ZmienionoZestaw();
    WyswietlZbiorST();
}

void TZestawController::DopiszWariantDoZbioruST(TWariantSpecyfikacji* wariant)
{
    if (!wariant || !wariant->Parent())
        return;
    try {
        FZestaw->GetZbiorST()->Add(wariant->Parent(), wariant);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return;
    }
    FZestaw->GetZbiorST()->Sort();
    ZmienionoZestaw();
    WyswietlZbiorST();
}

void TZestawController::UsunSTZeZbioruST(const std::vector<TPozycjaZbioru*>& wpisy)
{
    if (wpisy.empty())
        return;
    if (FKonfiguracja.CzyPotwierdzenieUsunSTZeZbioru &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Czy na pewno chcesz usunąć specyfikację ze zbioru?"), QString()))
        return;
    for (TPozycjaZbioru* wpis : wpisy)
        wpis->SetCzyWlasna(false);
    // Matching rebuilds the collection: an entry stays only while a position needs it.
    ZaktualizujDopasowanieSpecyfikacji();
    ZmienionoZestaw();
}

// ---------------------------------------------------------------- the pop-up number list

void TZestawController::OdswiezPopupListView(const QString& filtr, TSpecyfikacja* specyfikacja, bool force,
                                             bool tylkoWarianty)
{
    if (!force && !FCzyAktualizowacPopupListView)
        return;
    // Cleared after every rebuild, so that the next use does not rebuild for nothing.
    FCzyAktualizowacPopupListView = false;
    std::vector<TModelTabeli::TWiersz> wiersze;
    if (specyfikacja && specyfikacja->WariantyCount() > 0) {
        for (int i = 0; i < specyfikacja->WariantyCount(); ++i) {
            TWariantSpecyfikacji* w = specyfikacja->GetWariant(i);
            const QString podpis = tylkoWarianty ? w->Numer() : specyfikacja->Numer() + QLatin1Char('#') + w->Numer();
            wiersze.push_back({{podpis, w->Opis()}, w});
        }
        FPopupLista->Ustaw({QStringLiteral("Numer"), QStringLiteral("Opis")}, std::move(wiersze));
        return;
    }
    const QString pomijane =
        FKonfiguracja.CzyPomijajWFiltrzePopupListView ? FKonfiguracja.PomijaneWFiltrzePopupListView : QString();
    // The compared texts are made once per list and skipped characters, not per keystroke.
    if (!FPodpowiedzi || FPodpowiedzi->Pomijane != pomijane) {
        FPodpowiedzi = std::make_unique<TPodpowiedzi>();
        FPodpowiedzi->Pomijane = pomijane;
        std::vector<TSpecyfikacja*> specyfikacje;
        ZbierzSpecyfikacje(Spis(), specyfikacje);
        for (TSpecyfikacja* s : specyfikacje)
            if (!s->Numer().trimmed().isEmpty())
                FPodpowiedzi->Wpisy.push_back(
                    {s, BezZnakow(s->Numer() + QLatin1Char(' ') + s->Opis(), pomijane).toCaseFolded(),
                     QStringList{s->Numer(), s->Opis()}});
    }
    const QString szukany = BezZnakow(filtr, pomijane).toCaseFolded();
    const bool bezUkrytych = FKonfiguracja.CzyPozycjeSynchronizujZDrzewkiem;
    for (const TPodpowiedzi::TWpis& w : FPodpowiedzi->Wpisy) {
        if ((bezUkrytych && w.Specyfikacja->Hidden()) || (!szukany.isEmpty() && !w.Tekst.contains(szukany)))
            continue;
        wiersze.push_back({w.Komorki, w.Specyfikacja});
    }
    if (FKonfiguracja.CzySortujPopupListView)
        std::stable_sort(wiersze.begin(), wiersze.end(), [](const auto& a, const auto& b) {
            return QString::localeAwareCompare(a.Komorki.value(0), b.Komorki.value(0)) < 0;
        });
    FPopupLista->Ustaw({QStringLiteral("Numer"), QStringLiteral("Opis")}, std::move(wiersze));
}
