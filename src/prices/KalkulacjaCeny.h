#pragma once

#include "prices/InfCen.h"
#include "prices/UstawieniaCen.h"

#include <QModelIndex>
#include <QString>

#include <array>
#include <functional>
#include <map>
#include <memory>

class TCenaJedn;
class TModelInfCen;
class TModelWspolczynnikow;

// What the calculation dialog asks of the user: a publication file, a price in the chooser, a regional
// coefficient, a notice. The window implements it with its dialogs; tests with a script.
class IUzytkownikCeny
{
public:
    virtual ~IUzytkownikCeny() = default;
    // Empty when cancelled.
    virtual QString WybierzPlikInformatora() = 0;
    // The price chooser "Wybierz cenę" over the model; the selected cell on OK, an invalid index otherwise.
    virtual QModelIndex WybierzCene(TModelInfCen& model) = 0;
    // "Współczynniki regionalne"; the selected cell on OK, an invalid index otherwise.
    virtual QModelIndex WybierzWspolczynnik(TModelWspolczynnikow& model) = 0;
    virtual void PokazKomunikat(const QString& tekst) = 0;
};

// The logic of "Kalkulacja Ceny Jednostkowej" over one unit price, edited in place: the three ways, the
// number fields (numbers or expressions; a field that is neither is red and takes its default), "Oblicz
// R", the fees, the three price-information sources, the global coefficient (written at once through the
// caller, which gives it to every unit price of the list), "Przenieś" and "Anuluj".
class TKalkulacjaCeny
{
public:
    enum class TPole {
        CenaZReki,
        WspolczynnikZReki,
        Robocizna,
        Material,
        Sprzet,
        WspolczynnikR,
        WspolczynnikM,
        WspolczynnikS,
        WspolczynnikSumy,
        Oplata,
        ProcentR,
        WspolczynnikZrodla1,
        WspolczynnikZrodla2,
        WspolczynnikZrodla3,
        WspolczynnikGlobalny
    };

    // zapiszGlobalne: the configuration's switch and value set, and every unit price of the list told.
    TKalkulacjaCeny(TCenaJedn& cena, const TUstawieniaCen& globalne,
                    std::function<void(const TUstawieniaCen&)> zapiszGlobalne, IUzytkownikCeny& uzytkownik);
    ~TKalkulacjaCeny();

    // The way shown (0 by hand, 1 R+M+S, 2 publication) becomes the price's way.
    int Sposob() const;
    void UstawSposob(int sposob);

    // A field's text: a number (dot or comma) or an expression. False when it is neither: the field is red
    // and its default goes to the price (1 for coefficients, 0 otherwise).
    bool UstawPole(TPole pole, const QString& tekst);
    const QString& Tekst(TPole pole) const;
    bool CzyBlad(TPole pole) const;

    // "Oblicz R": labour as the percentage of material (odMaterialu) or equipment; the percentage and its
    // basis are used only while it is ticked.
    void UstawObliczR(bool czy);
    void UstawPodstaweR(bool odMaterialu);
    bool CzyObliczR() const { return FObliczR; }
    void UstawOplate(bool r, bool m, bool s);

    // --- Price-information sources (0, 1, 2)
    void WybierzZrodlo(int zrodlo);
    // "...": a publication, then an item and a column of it.
    void WybierzPozycje(int zrodlo);
    // A regional coefficient of the source's publication (asked for first when none is loaded).
    void WybierzWspolczynnikRegionalny(int zrodlo);
    // Another price of the source's item becomes the chosen one.
    void WybierzCeneZrodla(int zrodlo, int indeks);

    void UstawGlobalny(bool czy);
    const TUstawieniaCen& Globalne() const { return FGlobalne; }

    // "Wybrana Cena Jednostkowa" and the results, as shown ("0.00"); a source's coefficient "0.000".
    QString Wynik() const;
    QString WspolczynnikZrodla(int zrodlo) const;

    // "Przenieś" keeps every change; "Anuluj" restores the global coefficient, then the price as it was.
    void Przenies();
    void Anuluj();

private:
    void ObliczR(bool zmianaPodstawy);
    void Zapisz(TPole pole, double wartosc);
    static double Domyslna(TPole pole);
    bool Przelicz(TPole pole, const QString& tekst, double& wartosc) const;

    TCenaJedn& FCena;
    std::unique_ptr<TCenaJedn> FZapamietana;
    TUstawieniaCen FGlobalneNaPoczatku;
    TUstawieniaCen FGlobalne;
    std::function<void(const TUstawieniaCen&)> FZapiszGlobalne;
    IUzytkownikCeny& FUzytkownik;
    std::map<TPole, QString> FTeksty;
    std::map<TPole, bool> FBledy;
    bool FObliczR = false;
    bool FOdMaterialu = true;
    std::array<std::unique_ptr<TInfCen>, 3> FInformatory;
};
