#include "workflow/SpecyfikacjaDialogu.h"

#include "app/Konfiguracja.h"
#include "app/Pliki.h"
#include "app/TabeleKodow.h"
#include "app/Wyjatki.h"
#include "app/ZapisBezpieczny.h"
#include "specs/JmSpecyfikacji.h"
#include "specs/RozpoznawaczNumeruSt.h"
#include "specs/SpisST.h"
#include "specs/WariantSpecyfikacji.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <set>

namespace {

const QString BrakSpisu = QStringLiteral("Spis specyfikacji nie istnieje");
const QString PlikUzywany = QStringLiteral("Wybrany plik specyfikacji jest już używany!");

bool CzyPusty(const TWierszJednostki& w)
{
    return w.Jm.trimmed().isEmpty() && w.Opis.trimmed().isEmpty();
}

bool RowneNumery(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

TSpecyfikacjaDialogu::TSpecyfikacjaDialogu(const TDaneSpecyfikacji& dane, IUzytkownik& uzytkownik,
                                           TKonfiguracja& konfiguracja)
    : Numer(dane.Numer), Tytul(dane.Opis), PokazEdytorJm(konfiguracja.WyswietlajEdytorJmPrzyEdycjiSt), FDane(dane),
      FUzytkownik(uzytkownik), FKonfiguracja(konfiguracja)
{
    FZaznaczenieOd = static_cast<int>(Numer.size());
    if (const TSpecyfikacja* w = FDane.Edytowana) {
        for (int i = 0; i < w->JmCount(); ++i) {
            const TJmSpecyfikacji* jm = w->GetJm(i);
            FWiersze.push_back({jm->Jm(), jm->Opis(), std::shared_ptr<const TJmSpecyfikacji>(jm->Clone())});
            FPoczatkoweJednostki.emplace_back(jm->Jm().trimmed(), jm->Opis().trimmed());
        }
    }
    if (FWiersze.empty())
        FWiersze.emplace_back();
    // Adding under a parent without a preset number: the parent's number with the segments the child
    // overtypes selected.
    if (!CzyWariant() && !CzyEdycja() && FDane.Nadrzedna && Numer.isEmpty()) {
        int od = 0;
        int dlugosc = 0;
        const QString propozycja = TRozpoznawaczNumeruSt::RozpoznajNumer(FDane.Nadrzedna->Numer(), od, dlugosc);
        if (!propozycja.trimmed().isEmpty()) {
            Numer = propozycja;
            FZaznaczenieOd = std::min(od, static_cast<int>(propozycja.size()));
            FZaznaczenieDlugosc = dlugosc;
        }
    }
}

TSpecyfikacjaDialogu::~TSpecyfikacjaDialogu() = default;

QString TSpecyfikacjaDialogu::TekstOk() const
{
    return CzyEdycja() && !CzyWariant() ? QStringLiteral("Zapisz") : QStringLiteral("Dodaj");
}

QString TSpecyfikacjaDialogu::NazwaPliku() const
{
    return Plik.isEmpty() ? FDane.NazwaPliku : QFileInfo(Plik).fileName();
}

TSpecyfikacjaDialogu::TPole TSpecyfikacjaDialogu::PoleStartowe() const
{
    return FDane.Numer.isEmpty() ? TPole::Numer : TPole::Tytul;
}

// ---------------------------------------------------------------- units grid

void TSpecyfikacjaDialogu::UstawKomorke(int wiersz, int kolumna, const QString& tekst)
{
    if (wiersz < 0 || wiersz >= static_cast<int>(FWiersze.size()))
        return;
    (kolumna == 0 ? FWiersze[static_cast<size_t>(wiersz)].Jm : FWiersze[static_cast<size_t>(wiersz)].Opis) = tekst;
}

void TSpecyfikacjaDialogu::DodajJednostke()
{
    if (!FTabelaAktywna) {
        FTabelaAktywna = true;
        if (FWiersze.empty())
            FWiersze.emplace_back();
        return;
    }
    FWiersze.emplace_back();
}

void TSpecyfikacjaDialogu::WstawWiersz(int wiersz)
{
    FTabelaAktywna = true;
    if (wiersz < 0 || wiersz > static_cast<int>(FWiersze.size()))
        wiersz = static_cast<int>(FWiersze.size());
    FWiersze.insert(FWiersze.begin() + wiersz, TWierszJednostki());
}

void TSpecyfikacjaDialogu::UsunWiersz(int wiersz)
{
    if (wiersz < 0 || wiersz >= static_cast<int>(FWiersze.size()))
        return;
    FWiersze.erase(FWiersze.begin() + wiersz);
    if (FWiersze.empty())
        FTabelaAktywna = false;
}

void TSpecyfikacjaDialogu::UsunJednostke(int wybrany)
{
    UsunWiersz(wybrany >= 0 && wybrany < static_cast<int>(FWiersze.size()) ? wybrany
                                                                           : static_cast<int>(FWiersze.size()) - 1);
}

bool TSpecyfikacjaDialogu::EnterNaWierszu(int wiersz)
{
    if (wiersz != static_cast<int>(FWiersze.size()) - 1)
        return false;
    FWiersze.emplace_back();
    return true;
}

QStringList TSpecyfikacjaDialogu::NazwyJednostek() const
{
    const QMap<QString, QString> kody = WczytajKodyJednostek();
    std::set<QString> nazwy;
    for (const QString& n : kody)
        if (!n.trimmed().isEmpty())
            nazwy.insert(n.trimmed());
    return QStringList(nazwy.begin(), nazwy.end());
}

std::vector<std::unique_ptr<TJmSpecyfikacji>> TSpecyfikacjaDialogu::Jednostki() const
{
    std::vector<std::unique_ptr<TJmSpecyfikacji>> wynik;
    for (const TWierszJednostki& w : FWiersze) {
        if (CzyPusty(w))
            continue;
        if (w.Zrodlo) {
            auto jm = w.Zrodlo->Clone();
            jm->SetJm(w.Jm.trimmed());
            jm->SetOpis(w.Opis.trimmed());
            wynik.push_back(std::move(jm));
        } else {
            wynik.push_back(std::make_unique<TJmSpecyfikacji>(w.Jm.trimmed(), w.Opis.trimmed(), true));
        }
    }
    return wynik;
}

void TSpecyfikacjaDialogu::ZbudujJednostki()
{
    FStworzone.clear();
    std::vector<std::pair<QString, QString>> pary;
    for (auto& jm : Jednostki()) {
        pary.emplace_back(jm->Jm(), jm->Opis());
        FStworzone.push_back(std::move(jm));
    }
    // Units the user did not change leave the node's own in place.
    FCzyStworzone = pary != FPoczatkoweJednostki;
}

// ---------------------------------------------------------------- checks

bool TSpecyfikacjaDialogu::Odmow(const QString& tekst, TPole pole)
{
    FPoleBledu = pole;
    FUzytkownik.PokazKomunikat(tekst);
    return false;
}

bool TSpecyfikacjaDialogu::SprawdzNumerSpecyfikacji()
{
    if (!FDane.Spis)
        return Odmow(BrakSpisu, TPole::Brak);
    if (Numer.trimmed().isEmpty())
        return Odmow(QStringLiteral("Numer specyfikacji nie może być pusty."), TPole::Numer);
    const bool zmieniony = !CzyEdycja() || !RowneNumery(Numer, FDane.Edytowana->Numer());
    if (zmieniony && FDane.Spis->CzyUzywanyNumer(Numer.trimmed()))
        return Odmow(QStringLiteral("Podany numer specyfikacji jest już używany!"), TPole::Numer);
    return true;
}

bool TSpecyfikacjaDialogu::SprawdzNumerWariantu()
{
    if (Numer.trimmed().isEmpty())
        return Odmow(QStringLiteral("Proszę podać numer specyfikacji!"), TPole::Numer);
    if (const TSpecyfikacja* s = FDane.Specyfikacja) {
        for (int i = 0; i < s->WariantyCount(); ++i) {
            const TWariantSpecyfikacji* w = s->GetWariant(i);
            if (w != FDane.Edytowana && RowneNumery(w->Numer(), Numer))
                return Odmow(QStringLiteral("Podany numer wariantu już istnieje w wybranej specyfikacji!"),
                             TPole::Numer);
        }
    }
    return true;
}

bool TSpecyfikacjaDialogu::SprawdzPlik()
{
    if (Plik.isEmpty() || !FDane.Spis)
        return true;
    if (CzyEdycja()) {
        const QString obecny = FDane.Edytowana->GetPlik();
        if (!obecny.isEmpty() && CzyTenSamPlik(obecny, Plik))
            return true;
    }
    if (!FDane.Spis->CzyUzywanyPlik(Plik))
        return true;
    // The refused file must not come back with the next "Dodaj".
    Plik.clear();
    return Odmow(PlikUzywany, TPole::Brak);
}

// ---------------------------------------------------------------- commands

bool TSpecyfikacjaDialogu::Dodaj()
{
    FPoleBledu = TPole::Brak;
    if (CzyWariant()) {
        if (!SprawdzNumerWariantu())
            return false;
        ZbudujJednostki();
        return SprawdzPlik();
    }
    if (!SprawdzNumerSpecyfikacji())
        return false;
    ZbudujJednostki();
    return SprawdzPlik();
}

bool TSpecyfikacjaDialogu::WybierzPlik()
{
    const TWybranePliki wybrane = FUzytkownik.WybierzDoOtwarcia(FDane.DialogPliku);
    if (wybrane.Pliki.isEmpty())
        return false;
    Plik = wybrane.Pliki.first();
    return Dodaj();
}

bool TSpecyfikacjaDialogu::SprawdzPrzedTworzeniem()
{
    FPoleBledu = TPole::Brak;
    return SprawdzNumerSpecyfikacji();
}

bool TSpecyfikacjaDialogu::PoUtworzeniu(const QString& plik, const QString& tytul,
                                        std::vector<std::unique_ptr<TJmSpecyfikacji>> jednostki)
{
    Tytul = tytul;
    Plik = plik;
    if (!jednostki.empty()) {
        FWiersze.clear();
        for (auto& jm : jednostki) {
            const QString nazwa = jm->Jm();
            const QString opis = jm->Opis();
            FWiersze.push_back({nazwa, opis, std::shared_ptr<const TJmSpecyfikacji>(std::move(jm))});
        }
        FTabelaAktywna = true;
    }
    return Dodaj();
}

const TSpecyfikacja* TSpecyfikacjaDialogu::RodzicTworzonej() const
{
    return CzyEdycja() ? FDane.Edytowana->Parent() : FDane.Nadrzedna;
}

bool TSpecyfikacjaDialogu::CzyStworzPlikWariantuDostepne() const
{
    return FDane.Specyfikacja && !FDane.Specyfikacja->GetPlik().isEmpty();
}

QString TSpecyfikacjaDialogu::PlikWariantu() const
{
    if (!FDane.Specyfikacja)
        return {};
    const TSpecyfikacja& s = *FDane.Specyfikacja;
    const QFileInfo plikSpecyfikacji(s.GetPlik());
    const QString nazwa =
        UsunZnakiNiedozwolone(s.Numer() + FKonfiguracja.GetWizualnySeparatorWariantow() + Numer.trimmed() +
                              QLatin1Char(' ') + s.Opis() + QLatin1Char(' ') + Tytul);
    const QString rozszerzenie = plikSpecyfikacji.suffix();
    return QDir(plikSpecyfikacji.absolutePath())
        .filePath(rozszerzenie.isEmpty() ? nazwa : nazwa + QLatin1Char('.') + rozszerzenie);
}

bool TSpecyfikacjaDialogu::StworzPlikWariantu()
{
    FPoleBledu = TPole::Brak;
    if (!CzyStworzPlikWariantuDostepne())
        return false;
    // The number first: a refused number must not leave a new document behind.
    if (!SprawdzNumerWariantu())
        return false;
    const QString cel = PlikWariantu();
    if (QFileInfo::exists(cel) &&
        !FUzytkownik.ZadajPytanie(QStringLiteral("Plik wariantu już istnieje. Czy chcesz go nadpisać ?"), QString()))
        return false;
    try {
        KopiujPlik(FDane.Specyfikacja->GetPlik(), cel);
    } catch (const EBlad& e) {
        return Odmow(QStringLiteral("Błąd tworzenia pliku specyfikacji: ") + e.Komunikat(), TPole::Brak);
    }
    if (OtworzPoStworzeniu && QFileInfo::exists(cel))
        FUzytkownik.OtworzPlikWProgramie(cel);
    Plik = cel;
    return Dodaj();
}

void TSpecyfikacjaDialogu::Zamknij()
{
    FKonfiguracja.WyswietlajEdytorJmPrzyEdycjiSt = PokazEdytorJm;
}

TDaneSpecyfikacji TSpecyfikacjaDialogu::Wynik() const
{
    TDaneSpecyfikacji wynik = FDane;
    wynik.Numer = Numer.trimmed();
    wynik.Opis = Tytul;
    wynik.Plik = Plik;
    wynik.NazwaPliku = NazwaPliku();
    wynik.CzyJednostki = FCzyStworzone;
    wynik.Jednostki = FStworzone;
    return wynik;
}

QString TDaneGrupy::BladNumeru(const QString& numer) const
{
    const QString n = numer.trimmed();
    if (n.isEmpty())
        return QStringLiteral("Numer nie może być pusty.");
    if (!Spis)
        return Poziom == 0 ? QString() : QStringLiteral("Spis specyfikacji nie istnieje");
    if (!NumerEdytowanego.isEmpty() && n.compare(NumerEdytowanego.trimmed(), Qt::CaseInsensitive) == 0)
        return {};
    return Spis->CzyUzywanyNumerWGrupach(n) ? QStringLiteral("Podany numer specyfikacji jest już używany!") : QString();
}
