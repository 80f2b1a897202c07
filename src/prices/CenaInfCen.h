#pragma once

#include "prices/Cena.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// One price-information source of a unit price: which publication, which position of it and
// which of its price columns was chosen, with a coefficient (usually a regional one) applied
// to the chosen price.
class TCenaInfCen
{
public:
    TCenaInfCen() = default;
    TCenaInfCen(const TCenaInfCen&) = delete;
    TCenaInfCen& operator=(const TCenaInfCen&) = delete;

    // Fired after every recalculation; the owning unit price binds it to itself.
    std::function<void(TCenaInfCen* sender)> OnZmiana;

    const QString& GetNazwaInfCen() const { return FNazwaInfCen; }
    const QString& GetInfCenPath() const { return FInfCenPath; }
    const QString& GetWydanie() const { return FWydanie; }
    const QString& GetSymbol() const { return FSymbol; }
    const QString& GetKolumna() const { return FKolumna; }
    double GetWspolcz() const { return FWspolcz; }
    // The chosen price times the coefficient (not rounded), 0 while no price is chosen.
    double GetObliczone() const { return FObliczone; }
    const std::vector<std::unique_ptr<TCena>>& GetCenyPozycji() const { return FCenyPozycji; }
    // The entry of the position's prices named like the column; nullptr when there is none.
    TCena* GetWybranaCena() const { return FWybranaCena; }

    // Each does nothing for an equal value; otherwise stores it, recalculates and fires OnZmiana.
    // SetKolumna also chooses the position's price of that name (none when there is no such price).
    void SetNazwaInfCen(const QString& wartosc);
    void SetInfCenPath(const QString& wartosc);
    void SetWydanie(const QString& wartosc);
    void SetSymbol(const QString& wartosc);
    void SetKolumna(const QString& wartosc);
    void SetWspolcz(double wartosc);

    // Takes the price over; one named like the column becomes the chosen one. When that changes
    // the choice, the source is recalculated and OnZmiana fires.
    void DodajCenePozycji(std::unique_ptr<TCena> cena);
    // Chooses another of the position's prices (a pointer that is not one of them is ignored),
    // takes its name as the column, recalculates and fires OnZmiana.
    void SetWybranaCena(TCena* cena);
    // Frees every price and clears the choice; a choice that is lost recalculates (to 0) and fires OnZmiana.
    void WyczyscCenyPozycji();

    // Recalculates the result from the chosen price and the coefficient and fires OnZmiana.
    void Oblicz();

    // Restores a stored source as it was read from a file: strings, coefficient and result,
    // then a copy of every given price (the one named like the column becomes chosen), then the
    // result is recalculated. Nothing is fired: reading a file is no change made by the user.
    void UstawInfCen(const QString& nazwaInfCen, const QString& infCenPath, const QString& wydanie,
                     const QString& symbol, const QString& kolumna, double wspolcz, double obliczone,
                     const std::vector<TCena>& cenyPozycji);

    // Takes the other source's strings, prices (copied; the one named like its column becomes
    // chosen), coefficient and result, without recalculating or firing. OnZmiana stays as it is.
    void Copy(const TCenaInfCen& inna);

private:
    void Przelicz();
    TCena* ZnajdzCene(const QString& nazwa) const;

    QString FNazwaInfCen;
    QString FInfCenPath;
    QString FWydanie;
    QString FSymbol;
    QString FKolumna;
    double FWspolcz = 1.0;
    double FObliczone = 0.0;
    std::vector<std::unique_ptr<TCena>> FCenyPozycji;
    TCena* FWybranaCena = nullptr; // one of FCenyPozycji, not owned
};
