#pragma once

#include <QString>

#include <memory>

// One named price of a price-information position: the column it comes from (minimum,
// average, maximum...) and its value.
class TCena
{
public:
    TCena() = default;
    TCena(QString nazwa, double wartosc) : FNazwa(std::move(nazwa)), FWartosc(wartosc) {}

    const QString& GetNazwa() const { return FNazwa; }
    void SetNazwa(const QString& nazwa) { FNazwa = nazwa; }
    double GetWartosc() const { return FWartosc; }
    void SetWartosc(double wartosc) { FWartosc = wartosc; }

    std::unique_ptr<TCena> Clone() const { return std::make_unique<TCena>(FNazwa, FWartosc); }

private:
    QString FNazwa;
    double FWartosc = 0.0;
};
