#include "specs/JmSpecyfikacji.h"

#include "prices/CenaJedn.h"

TJmSpecyfikacji::TJmSpecyfikacji() : FCenaJedn(std::make_unique<TCenaJedn>())
{
    FCenaJedn->OnZmiana = [this](TCenaJedn*) { Zmiana(); };
}

TJmSpecyfikacji::TJmSpecyfikacji(const QString& jm, const QString& opis, bool eksportuj) : TJmSpecyfikacji()
{
    FJm = jm;
    FOpis = opis;
    FEksportuj = eksportuj;
}

TJmSpecyfikacji::~TJmSpecyfikacji() = default;

std::unique_ptr<TJmSpecyfikacji> TJmSpecyfikacji::Clone() const
{
    auto kopia = std::make_unique<TJmSpecyfikacji>(FJm, FOpis, FEksportuj);
    // Copy, not a cloned price: the copy's price stays bound to the copy.
    kopia->FCenaJedn->Copy(*FCenaJedn);
    return kopia;
}

void TJmSpecyfikacji::SetJm(const QString& wartosc)
{
    if (wartosc == FJm)
        return;
    Zmiana();
    FJm = wartosc;
}

void TJmSpecyfikacji::SetOpis(const QString& wartosc)
{
    if (wartosc == FOpis)
        return;
    Zmiana();
    FOpis = wartosc;
}

void TJmSpecyfikacji::SetEksportuj(bool wartosc)
{
    if (wartosc == FEksportuj)
        return;
    Zmiana();
    FEksportuj = wartosc;
}

void TJmSpecyfikacji::Zmiana()
{
    if (FOnChange)
        FOnChange(this);
}
