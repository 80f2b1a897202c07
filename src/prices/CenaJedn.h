#pragma once

#include "prices/CenaInfCen.h"
#include "prices/UstawieniaCen.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// The unit price of one unit of measure. The user prices a unit in one of three ways: by hand,
// from its labour, material and equipment components, or from a price-information source (one
// of three kept side by side). The inputs of all three ways are kept at once; the chosen way's
// result, passed through the program-wide coefficient when its settings switch that on, is the price.
// The settings come from the owner (the list of the unit); a price of its own has none switched on.
class TCenaJedn
{
public:
    // The ways of pricing (FZrodloCenyJedn). Stored files may hold any other byte: such a price
    // is never recalculated by Oblicz.
    static constexpr std::uint8_t ZrodloZReki = 0;
    static constexpr std::uint8_t ZrodloRMSj = 1;
    static constexpr std::uint8_t ZrodloInfCen = 2;

    TCenaJedn();
    ~TCenaJedn();
    // The three sources call back into this object, so it stays where it was made.
    TCenaJedn(const TCenaJedn&) = delete;
    TCenaJedn& operator=(const TCenaJedn&) = delete;

    // Fired after a setter has recalculated and stamped the date; the owning unit binds it.
    std::function<void(TCenaJedn* sender)> OnZmiana;

    // --- Chosen way and result
    std::uint8_t GetZrodloCenyJedn() const { return FZrodloCenyJedn; }
    // Does nothing for an equal value; otherwise stores it, recalculates the newly chosen way
    // (Oblicz), stamps the date and fires OnZmiana.
    void SetZrodloCenyJedn(std::uint8_t wartosc);
    double GetWartosc() const { return FWartosc; }
    // Date of the last change, "dd.MM.yyyy"; empty for a price never changed.
    const QString& GetData() const { return FData; }

    // --- Hand way
    double GetCena() const { return FCena; }
    double GetWspolczynnik() const { return FWspolczynnik; }
    double GetCenaZReki() const { return FCenaZReki; }
    void SetCena(double wartosc); // stored rounded to two decimals
    void SetWspolczynnik(double wartosc);

    // --- Component way
    double GetRj() const { return FRj; }
    double GetMj() const { return FMj; }
    double GetSj() const { return FSj; }
    double GetRjWspolcz() const { return FRjWspolcz; }
    double GetMjWspolcz() const { return FMjWspolcz; }
    double GetSjWspolcz() const { return FSjWspolcz; }
    double GetRjObliczone() const { return FRjObliczone; }
    double GetMjObliczone() const { return FMjObliczone; }
    double GetSjObliczone() const { return FSjObliczone; }
    double GetSumaRMSj() const { return FSumaRMSj; }
    double GetSumaRMSjWspolcz() const { return FSumaRMSjWspolcz; }
    double GetSumaRMSjObliczone() const { return FSumaRMSjObliczone; }
    double GetOplata() const { return FOplata; }
    bool GetCzyOplataR() const { return FCzyOplataR; }
    bool GetCzyOplataM() const { return FCzyOplataM; }
    bool GetCzyOplataS() const { return FCzyOplataS; }
    double GetOplataR() const { return FOplataR; }
    double GetOplataM() const { return FOplataM; }
    double GetOplataS() const { return FOplataS; }
    void SetRj(double wartosc); // the three amounts are stored rounded to two decimals
    void SetMj(double wartosc);
    void SetSj(double wartosc);
    void SetRjWspolcz(double wartosc);
    void SetMjWspolcz(double wartosc);
    void SetSjWspolcz(double wartosc);
    void SetSumaRMSjWspolcz(double wartosc);
    void SetOplata(double wartosc);
    void SetCzyOplataR(bool wartosc);
    void SetCzyOplataM(bool wartosc);
    void SetCzyOplataS(bool wartosc);

    // --- Price-information way
    // Sources 1, 2 and 3, owned by this price; any other index gives nullptr.
    TCenaInfCen* GetInfCen(int numer) const;
    TCenaInfCen* GetInfCen1() const { return FInfCen1.get(); }
    TCenaInfCen* GetInfCen2() const { return FInfCen2.get(); }
    TCenaInfCen* GetInfCen3() const { return FInfCen3.get(); }
    // 1 chooses the second source, 2 the third, any other value the first.
    int GetWybranyInfCen() const { return FWybranyInfCen; }
    TCenaInfCen* GetWybranaInfCen() const;
    void SetWybranyInfCen(int wartosc);

    // Each setter above does nothing for an equal value; otherwise it stores the value,
    // recalculates its own way (whatever the chosen way is: the way being edited gives the
    // price), stamps today's date and fires OnZmiana. A change inside a source recalculates the
    // price-information way and notifies in the same manner.

    // --- Settings
    const TUstawieniaCen& GetUstawienia() const { return FUstawienia; }
    // Different settings recalculate the chosen way (Oblicz) without a date or an event: the inputs are
    // what the user set, only the owner's settings changed.
    void SetUstawienia(const TUstawieniaCen& ustawienia);

    // Recalculates the chosen way (the other two are left as they are), without notifying.
    // A stored way other than 0, 1 or 2 leaves the price unchanged.
    void Oblicz();

    // --- Restoring stored values: no recalculation, no date, no event
    void UstawCeneZReki(std::uint8_t zrodloCenyJedn, double cena, double wspolczynnik, double wartosc,
                        double cenaZReki);
    void UstawCeneRms(double rj, double mj, double sj, double rjWspolcz, double mjWspolcz, double sjWspolcz,
                      double rjObliczone, double mjObliczone, double sjObliczone, double sumaRMSj,
                      double sumaRMSjWspolcz, double sumaRMSjObliczone);
    void UstawOplata(bool czyR, bool czyM, bool czyS, double oplata);
    void UstawWybranyInfCen(int indeks);
    void UstawDate(const QString& data);

    // Takes the other price's way, date, numbers, chosen source, sources and settings, then recalculates
    // (Oblicz). This price keeps its own OnZmiana and its sources stay bound to it: a copy made
    // for another unit must tell that unit, not the one it was copied from.
    void Copy(const TCenaJedn& inna);
    // A new price with the same values and no OnZmiana.
    std::unique_ptr<TCenaJedn> Clone() const;

private:
    void ObliczZReki();
    void ObliczRms();
    void ObliczInfCen();
    void Powiadom();
    void ZmianaInfCen();

    std::uint8_t FZrodloCenyJedn = ZrodloZReki;
    double FCena = 0.0;
    double FWspolczynnik = 1.0;
    double FCenaZReki = 0.0;
    double FRj = 0.0;
    double FMj = 0.0;
    double FSj = 0.0;
    double FRjWspolcz = 1.0;
    double FMjWspolcz = 1.0;
    double FSjWspolcz = 1.0;
    double FRjObliczone = 0.0;
    double FMjObliczone = 0.0;
    double FSjObliczone = 0.0;
    double FSumaRMSj = 0.0;
    double FSumaRMSjWspolcz = 1.0;
    // 0, not 1: the component result of a price with no components is nothing, and a fresh
    // unit must not show a component price of 1.
    double FSumaRMSjObliczone = 0.0;
    double FOplata = 0.0;
    bool FCzyOplataR = false;
    bool FCzyOplataM = false;
    bool FCzyOplataS = false;
    double FOplataR = 0.0;
    double FOplataM = 0.0;
    double FOplataS = 0.0;
    std::unique_ptr<TCenaInfCen> FInfCen1;
    std::unique_ptr<TCenaInfCen> FInfCen2;
    std::unique_ptr<TCenaInfCen> FInfCen3;
    int FWybranyInfCen = 0;
    double FWartosc = 0.0;
    QString FData;
    TUstawieniaCen FUstawienia;
};
