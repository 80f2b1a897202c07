#include "prices/CenaInfCen.h"

#include <algorithm>

void TCenaInfCen::SetNazwaInfCen(const QString& wartosc)
{
    if (wartosc == FNazwaInfCen)
        return;
    FNazwaInfCen = wartosc;
    Oblicz();
}

void TCenaInfCen::SetInfCenPath(const QString& wartosc)
{
    if (wartosc == FInfCenPath)
        return;
    FInfCenPath = wartosc;
    Oblicz();
}

void TCenaInfCen::SetWydanie(const QString& wartosc)
{
    if (wartosc == FWydanie)
        return;
    FWydanie = wartosc;
    Oblicz();
}

void TCenaInfCen::SetSymbol(const QString& wartosc)
{
    if (wartosc == FSymbol)
        return;
    FSymbol = wartosc;
    Oblicz();
}

void TCenaInfCen::SetKolumna(const QString& wartosc)
{
    if (wartosc == FKolumna)
        return;
    FKolumna = wartosc;
    // The chosen price is the one of the column; keeping the old one would price the source
    // by a column it no longer names.
    FWybranaCena = ZnajdzCene(FKolumna);
    Oblicz();
}

void TCenaInfCen::SetWspolcz(double wartosc)
{
    if (wartosc == FWspolcz)
        return;
    FWspolcz = wartosc;
    Oblicz();
}

void TCenaInfCen::DodajCenePozycji(std::unique_ptr<TCena> cena)
{
    if (!cena)
        return;
    const bool wybrana = cena->GetNazwa() == FKolumna;
    TCena* dodana = cena.get();
    FCenyPozycji.push_back(std::move(cena));
    if (wybrana) {
        FWybranaCena = dodana;
        Oblicz();
    }
}

void TCenaInfCen::SetWybranaCena(TCena* cena)
{
    if (cena == nullptr || cena == FWybranaCena)
        return;
    const bool nalezy = std::any_of(FCenyPozycji.begin(), FCenyPozycji.end(),
                                    [cena](const std::unique_ptr<TCena>& c) { return c.get() == cena; });
    if (!nalezy)
        return;
    FWybranaCena = cena;
    FKolumna = cena->GetNazwa();
    Oblicz();
}

void TCenaInfCen::WyczyscCenyPozycji()
{
    const bool byloWybrane = FWybranaCena != nullptr;
    FWybranaCena = nullptr;
    FCenyPozycji.clear();
    if (byloWybrane)
        Oblicz();
}

void TCenaInfCen::Oblicz()
{
    Przelicz();
    if (OnZmiana)
        OnZmiana(this);
}

void TCenaInfCen::UstawInfCen(const QString& nazwaInfCen, const QString& infCenPath, const QString& wydanie,
                              const QString& symbol, const QString& kolumna, double wspolcz, double obliczone,
                              const std::vector<TCena>& cenyPozycji)
{
    FNazwaInfCen = nazwaInfCen;
    FInfCenPath = infCenPath;
    FWydanie = wydanie;
    FSymbol = symbol;
    FKolumna = kolumna;
    FWspolcz = wspolcz;
    FObliczone = obliczone;
    FWybranaCena = nullptr;
    FCenyPozycji.clear();
    for (const TCena& cena : cenyPozycji) {
        FCenyPozycji.push_back(cena.Clone());
        if (cena.GetNazwa() == FKolumna)
            FWybranaCena = FCenyPozycji.back().get();
    }
    Przelicz();
}

void TCenaInfCen::Copy(const TCenaInfCen& inna)
{
    if (&inna == this)
        return;
    FNazwaInfCen = inna.FNazwaInfCen;
    FInfCenPath = inna.FInfCenPath;
    FWydanie = inna.FWydanie;
    FSymbol = inna.FSymbol;
    FKolumna = inna.FKolumna;
    FWybranaCena = nullptr;
    FCenyPozycji.clear();
    for (const std::unique_ptr<TCena>& cena : inna.FCenyPozycji) {
        FCenyPozycji.push_back(cena->Clone());
        if (cena.get() == inna.FWybranaCena)
            FWybranaCena = FCenyPozycji.back().get();
    }
    FWspolcz = inna.FWspolcz;
    FObliczone = inna.FObliczone;
}

void TCenaInfCen::Przelicz()
{
    FObliczone = FWybranaCena != nullptr ? FWybranaCena->GetWartosc() * FWspolcz : 0.0;
}

TCena* TCenaInfCen::ZnajdzCene(const QString& nazwa) const
{
    for (const std::unique_ptr<TCena>& cena : FCenyPozycji) {
        if (cena->GetNazwa() == nazwa)
            return cena.get();
    }
    return nullptr;
}
