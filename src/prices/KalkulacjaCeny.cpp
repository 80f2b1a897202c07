#include "prices/KalkulacjaCeny.h"

#include "app/Liczby.h"
#include "app/Wyjatki.h"
#include "prices/CenaInfCen.h"
#include "prices/CenaJedn.h"
#include "prices/InterpreterWyrazen.h"
#include "prices/ModelInfCen.h"

#include <QLocale>

namespace {

bool CzyWspolczynnik(TKalkulacjaCeny::TPole pole)
{
    using P = TKalkulacjaCeny::TPole;
    switch (pole) {
    case P::WspolczynnikZReki:
    case P::WspolczynnikR:
    case P::WspolczynnikM:
    case P::WspolczynnikS:
    case P::WspolczynnikSumy:
    case P::WspolczynnikZrodla1:
    case P::WspolczynnikZrodla2:
    case P::WspolczynnikZrodla3:
    case P::WspolczynnikGlobalny:
        return true;
    default:
        return false;
    }
}

QString TekstLiczby(double wartosc)
{
    return QString::number(wartosc, 'g', 15);
}

} // namespace

TKalkulacjaCeny::TKalkulacjaCeny(TCenaJedn& cena, const TUstawieniaCen& globalne,
                                 std::function<void(const TUstawieniaCen&)> zapiszGlobalne, IUzytkownikCeny& uzytkownik)
    : FCena(cena), FZapamietana(cena.Clone()), FGlobalneNaPoczatku(globalne), FGlobalne(globalne),
      FZapiszGlobalne(std::move(zapiszGlobalne)), FUzytkownik(uzytkownik)
{
    FTeksty[TPole::Robocizna] = QStringLiteral("0");
    FTeksty[TPole::Material] = QStringLiteral("0");
    FTeksty[TPole::Sprzet] = QStringLiteral("0");
    FTeksty[TPole::ProcentR] = QStringLiteral("10");
    FTeksty[TPole::Oplata] = QStringLiteral("0");
    FTeksty[TPole::WspolczynnikGlobalny] = TekstLiczby(globalne.WspolczynnikGlobalny);
}

TKalkulacjaCeny::~TKalkulacjaCeny() = default;

int TKalkulacjaCeny::Sposob() const
{
    return FCena.GetZrodloCenyJedn();
}

void TKalkulacjaCeny::UstawSposob(int sposob)
{
    if (sposob >= 0 && sposob <= 2)
        FCena.SetZrodloCenyJedn(static_cast<std::uint8_t>(sposob));
}

double TKalkulacjaCeny::Domyslna(TPole pole)
{
    return CzyWspolczynnik(pole) ? 1.0 : 0.0;
}

bool TKalkulacjaCeny::Przelicz(TPole, const QString& tekst, double& wartosc) const
{
    if (const std::optional<double> liczba = TekstNaLiczbeDowolnySeparator(tekst)) {
        wartosc = *liczba;
        return true;
    }
    try {
        const std::optional<double> wynik = TekstNaLiczbeDowolnySeparator(ObliczWyrazenie(tekst));
        if (!wynik)
            return false;
        wartosc = *wynik;
        return true;
    } catch (const EBlad&) {
        return false;
    }
}

const QString& TKalkulacjaCeny::Tekst(TPole pole) const
{
    static const QString pusty;
    const auto it = FTeksty.find(pole);
    return it == FTeksty.end() ? pusty : it->second;
}

bool TKalkulacjaCeny::CzyBlad(TPole pole) const
{
    const auto it = FBledy.find(pole);
    return it != FBledy.end() && it->second;
}

bool TKalkulacjaCeny::UstawPole(TPole pole, const QString& tekst)
{
    FTeksty[pole] = tekst;
    double wartosc = Domyslna(pole);
    const bool ok = Przelicz(pole, tekst, wartosc);
    FBledy[pole] = !ok;
    if (!ok)
        wartosc = Domyslna(pole);
    Zapisz(pole, wartosc);
    if (pole == TPole::Material || pole == TPole::Sprzet)
        ObliczR((pole == TPole::Material) == FOdMaterialu);
    else if (pole == TPole::ProcentR)
        ObliczR(false);
    return ok;
}

void TKalkulacjaCeny::Zapisz(TPole pole, double wartosc)
{
    switch (pole) {
    case TPole::CenaZReki:
        FCena.SetCena(wartosc);
        break;
    case TPole::WspolczynnikZReki:
        FCena.SetWspolczynnik(wartosc);
        break;
    case TPole::Robocizna:
        FCena.SetRj(wartosc);
        break;
    case TPole::Material:
        FCena.SetMj(wartosc);
        break;
    case TPole::Sprzet:
        FCena.SetSj(wartosc);
        break;
    case TPole::WspolczynnikR:
        FCena.SetRjWspolcz(wartosc);
        break;
    case TPole::WspolczynnikM:
        FCena.SetMjWspolcz(wartosc);
        break;
    case TPole::WspolczynnikS:
        FCena.SetSjWspolcz(wartosc);
        break;
    case TPole::WspolczynnikSumy:
        FCena.SetSumaRMSjWspolcz(wartosc);
        break;
    case TPole::Oplata:
        FCena.SetOplata(wartosc);
        break;
    case TPole::ProcentR:
        break;
    case TPole::WspolczynnikZrodla1:
    case TPole::WspolczynnikZrodla2:
    case TPole::WspolczynnikZrodla3: {
        const int zrodlo = static_cast<int>(pole) - static_cast<int>(TPole::WspolczynnikZrodla1);
        if (TCenaInfCen* z = FCena.GetInfCen(zrodlo + 1))
            z->SetWspolcz(wartosc);
        break;
    }
    case TPole::WspolczynnikGlobalny:
        FGlobalne.WspolczynnikGlobalny = wartosc;
        FZapiszGlobalne(FGlobalne);
        break;
    }
}

// Labour as a percentage of its basis; a zero basis is told once, when the basis itself changed.
void TKalkulacjaCeny::ObliczR(bool zmianaPodstawy)
{
    if (!FObliczR)
        return;
    const double podstawa = FOdMaterialu ? FCena.GetMj() : FCena.GetSj();
    if (podstawa == 0) {
        if (zmianaPodstawy)
            FUzytkownik.PokazKomunikat(FOdMaterialu ? QStringLiteral("Zerowa wartość Materiałów")
                                                    : QStringLiteral("Zerowa wartość Sprzętu"));
        return;
    }
    double procent = 0;
    if (!Przelicz(TPole::ProcentR, Tekst(TPole::ProcentR), procent))
        procent = 0;
    const double robocizna = podstawa * procent / 100.0;
    FTeksty[TPole::Robocizna] = TekstLiczby(robocizna);
    FBledy[TPole::Robocizna] = false;
    FCena.SetRj(robocizna);
}

void TKalkulacjaCeny::UstawObliczR(bool czy)
{
    FObliczR = czy;
    ObliczR(true);
}

void TKalkulacjaCeny::UstawPodstaweR(bool odMaterialu)
{
    FOdMaterialu = odMaterialu;
    ObliczR(true);
}

void TKalkulacjaCeny::UstawOplate(bool r, bool m, bool s)
{
    FCena.SetCzyOplataR(r);
    FCena.SetCzyOplataM(m);
    FCena.SetCzyOplataS(s);
}

// ---------------------------------------------------------------- sources

void TKalkulacjaCeny::WybierzZrodlo(int zrodlo)
{
    if (zrodlo >= 0 && zrodlo <= 2)
        FCena.SetWybranyInfCen(zrodlo);
}

void TKalkulacjaCeny::WybierzPozycje(int zrodlo)
{
    TCenaInfCen* z = FCena.GetInfCen(zrodlo + 1);
    if (!z)
        return;
    const QString plik = FUzytkownik.WybierzPlikInformatora();
    if (plik.isEmpty())
        return;
    auto informator = std::make_unique<TInfCen>();
    try {
        informator->WczytajInfCen(plik);
    } catch (const EBlad& e) {
        FUzytkownik.PokazKomunikat(e.Komunikat());
        return;
    }
    FInformatory[static_cast<std::size_t>(zrodlo)] = std::move(informator);
    const TInfCen& i = *FInformatory[static_cast<std::size_t>(zrodlo)];
    TModelInfCen model(i);
    const QModelIndex komorka = FUzytkownik.WybierzCene(model);
    if (!TModelInfCen::CzyMoznaWybrac(komorka))
        return;
    TModelInfCen::TWybor wybor = model.Wybierz(komorka);
    if (!wybor.Pozycja)
        return;
    z->SetNazwaInfCen(i.Wydawca());
    z->SetInfCenPath(plik);
    z->SetWydanie(i.Wydanie() + QLatin1Char('.') + i.Rok());
    z->SetSymbol(wybor.Symbol);
    z->SetKolumna(wybor.Kolumna);
    z->WyczyscCenyPozycji();
    TCena* wybrana = nullptr;
    for (auto& cena : wybor.Ceny) {
        TCena* c = cena.get();
        if (c->GetNazwa() == wybor.Kolumna)
            wybrana = c;
        z->DodajCenePozycji(std::move(cena));
    }
    z->SetWybranaCena(wybrana);
}

void TKalkulacjaCeny::WybierzWspolczynnikRegionalny(int zrodlo)
{
    TCenaInfCen* z = FCena.GetInfCen(zrodlo + 1);
    if (!z)
        return;
    auto& informator = FInformatory[static_cast<std::size_t>(zrodlo)];
    if (!informator || informator->LiczbaWspolczynnikow() == 0) {
        const QString plik = FUzytkownik.WybierzPlikInformatora();
        if (plik.isEmpty())
            return;
        auto nowy = std::make_unique<TInfCen>();
        try {
            nowy->WczytajInfCen(plik);
        } catch (const EBlad& e) {
            FUzytkownik.PokazKomunikat(e.Komunikat());
            return;
        }
        informator = std::move(nowy);
    }
    TModelWspolczynnikow model(*informator);
    const QModelIndex komorka = FUzytkownik.WybierzWspolczynnik(model);
    if (!TModelWspolczynnikow::CzyMoznaWybrac(komorka))
        return;
    const double wartosc = model.WybranyWspolczynnik(komorka);
    z->SetWspolcz(wartosc);
    FTeksty[static_cast<TPole>(static_cast<int>(TPole::WspolczynnikZrodla1) + zrodlo)] = TekstLiczby(wartosc);
}

void TKalkulacjaCeny::WybierzCeneZrodla(int zrodlo, int indeks)
{
    TCenaInfCen* z = FCena.GetInfCen(zrodlo + 1);
    if (!z || indeks < 0 || indeks >= static_cast<int>(z->GetCenyPozycji().size()))
        return;
    z->SetWybranaCena(z->GetCenyPozycji()[static_cast<std::size_t>(indeks)].get());
}

// ---------------------------------------------------------------- global coefficient, results, end

void TKalkulacjaCeny::UstawGlobalny(bool czy)
{
    FGlobalne.CzyWspolczynnikGlobalny = czy;
    FZapiszGlobalne(FGlobalne);
}

QString TKalkulacjaCeny::Wynik() const
{
    return QLocale().toString(FCena.GetWartosc(), 'f', 2);
}

QString TKalkulacjaCeny::WspolczynnikZrodla(int zrodlo) const
{
    const TCenaInfCen* z = FCena.GetInfCen(zrodlo + 1);
    return z ? QLocale().toString(z->GetWspolcz(), 'f', 3) : QString();
}

void TKalkulacjaCeny::Przenies()
{
    FZapamietana.reset();
}

void TKalkulacjaCeny::Anuluj()
{
    // The coefficient first: the price copied back is then computed with it, and so is every other one.
    FGlobalne = FGlobalneNaPoczatku;
    FZapiszGlobalne(FGlobalne);
    if (FZapamietana)
        FCena.Copy(*FZapamietana);
}
