#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace pugi {
class xml_document;
}

// One construction item of a price-information publication with its four prices.
class TInfCenPozycja
{
public:
    TInfCenPozycja(QString symbol, QString nazwa, QString jm, double cenaMin, double cenaMax, double cenaSr,
                   double cenaMnj)
        : FSymbol(std::move(symbol)), FNazwa(std::move(nazwa)), FJm(std::move(jm)), FCenaMin(cenaMin),
          FCenaMax(cenaMax), FCenaSr(cenaSr), FCenaMnj(cenaMnj)
    {
    }

    const QString& Symbol() const { return FSymbol; }
    const QString& Nazwa() const { return FNazwa; }
    const QString& Jm() const { return FJm; }
    double CenaMin() const { return FCenaMin; }
    double CenaMax() const { return FCenaMax; }
    double CenaSr() const { return FCenaSr; }
    double CenaMnj() const { return FCenaMnj; }

private:
    QString FSymbol;
    QString FNazwa;
    QString FJm;
    double FCenaMin;
    double FCenaMax;
    double FCenaSr;
    double FCenaMnj;
};

// One regional coefficient of a publication, for cubature and for engineering works.
class TInfCenWspolczynnik
{
public:
    TInfCenWspolczynnik(QString region, double kubaturowe, double inzynieryjne)
        : FRegion(std::move(region)), FWspolczKubaturowe(kubaturowe), FWspolczInzynieryjne(inzynieryjne)
    {
    }

    const QString& Region() const { return FRegion; }
    double WspolczKubaturowe() const { return FWspolczKubaturowe; }
    double WspolczInzynieryjne() const { return FWspolczInzynieryjne; }

private:
    QString FRegion;
    double FWspolczKubaturowe;
    double FWspolczInzynieryjne;
};

// A price-information publication ("Informator"): an XML file of items and regional coefficients, in file
// order. Texts missing in the file are empty; numbers missing or unreadable are 0 (dot or comma).
class TInfCen
{
public:
    TInfCen();
    ~TInfCen();
    TInfCen(const TInfCen&) = delete;
    TInfCen& operator=(const TInfCen&) = delete;

    // Reads the file; "Brak pliku: " + path when it does not exist, the XML layer's message when it is no
    // XML. A failed read leaves what was loaded before.
    void WczytajInfCen(const QString& infCenPath);
    void WczytajZBajtow(const QByteArray& bajty);

    const QString& Wydawca() const { return FWydawca; }
    const QString& Wydanie() const { return FWydanie; }
    const QString& Rok() const { return FRok; }
    int LiczbaPozycji() const { return static_cast<int>(FPozycje.size()); }
    const TInfCenPozycja* PobierzPozycje(int indeks) const;
    int LiczbaWspolczynnikow() const { return static_cast<int>(FWspolczynniki.size()); }
    const TInfCenWspolczynnik* PobierzWspolczynnik(int indeks) const;

private:
    void Wczytaj(const pugi::xml_document& dokument);

    QString FWydawca;
    QString FWydanie;
    QString FRok;
    std::vector<std::unique_ptr<TInfCenPozycja>> FPozycje;
    std::vector<std::unique_ptr<TInfCenWspolczynnik>> FWspolczynniki;
};
