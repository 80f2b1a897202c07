#include "specs/JmSpecyfikacji.h"

#include "prices/CenaJedn.h"
#include "specs/CenaJednXml.h"
#include "specs/CenyOdroczone.h"

#include <mutex>

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

TJmSpecyfikacji::TJmSpecyfikacji(const QString& jm, const QString& opis, bool eksportuj,
                                 std::shared_ptr<const TCenyOdroczone> zrodlo, const pugi::xml_node& jednostka)
    : FJm(jm), FOpis(opis), FZrodloCeny(std::move(zrodlo)), FJednostka(jednostka), FCenaGotowa(false),
      FEksportuj(eksportuj)
{
}

TJmSpecyfikacji::~TJmSpecyfikacji() = default;

namespace {

// Restoring is rare and short: one lock for all units keeps each of them small.
std::mutex& BlokadaPrzywracania()
{
    static std::mutex blokada;
    return blokada;
}

} // namespace

TCenaJedn* TJmSpecyfikacji::CenaJedn() const
{
    if (!FCenaGotowa.load(std::memory_order_acquire)) {
        const std::lock_guard<std::mutex> blokada(BlokadaPrzywracania());
        if (!FCenaGotowa.load(std::memory_order_relaxed)) {
            PrzywrocCene();
            FCenaGotowa.store(true, std::memory_order_release);
        }
    }
    return FCenaJedn.get();
}

void TJmSpecyfikacji::UstawUstawieniaCeny(const TUstawieniaCen& ustawienia)
{
    if (!FCenaGotowa.load(std::memory_order_acquire)) {
        const std::lock_guard<std::mutex> blokada(BlokadaPrzywracania());
        if (!FCenaGotowa.load(std::memory_order_relaxed) && FZrodloCeny->Ustawienia == ustawienia)
            return;
    }
    CenaJedn()->SetUstawienia(ustawienia);
}

void TJmSpecyfikacji::PrzywrocCene() const
{
    auto cena = std::make_unique<TCenaJedn>();
    WczytajCeneJedn(FJednostka, *cena, FZrodloCeny->Ustawienia);
    // Bound only now: restoring what the file holds is no change of the unit.
    auto* jednostka = const_cast<TJmSpecyfikacji*>(this);
    cena->OnZmiana = [jednostka](TCenaJedn*) { jednostka->Zmiana(); };
    FCenaJedn = std::move(cena);
    FZrodloCeny.reset();
    FJednostka = pugi::xml_node();
}

std::unique_ptr<TJmSpecyfikacji> TJmSpecyfikacji::Clone() const
{
    auto kopia = std::make_unique<TJmSpecyfikacji>(FJm, FOpis, FEksportuj);
    // Copy, not a cloned price: the copy's price stays bound to the copy.
    kopia->FCenaJedn->Copy(*CenaJedn());
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
