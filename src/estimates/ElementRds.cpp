#include "estimates/ElementRds.h"

#include <algorithm>

TElementRds::TElementRds(const QString& nr, int pz, const QString& opis) : Opis(opis), FNr(nr), FPz(pz) {}

TElementRds::~TElementRds()
{
    WyczyscDrzewo();
}

void TElementRds::WyczyscDrzewo()
{
    FPozycje.clear();
    FElementy.clear();
}

bool TElementRds::AddElement(TElementRds* element)
{
    if (!element)
        return false;
    if (std::any_of(FElementy.begin(), FElementy.end(), [element](const auto& e) { return e.get() == element; }))
        return false;
    element->Parent = this;
    FElementy.emplace_back(element);
    return true;
}

bool TElementRds::AddPozycja(TPozycjaRds* pozycja)
{
    if (!pozycja)
        return false;
    if (std::any_of(FPozycje.begin(), FPozycje.end(), [pozycja](const auto& p) { return p.get() == pozycja; }))
        return false;
    FPozycje.emplace_back(pozycja);
    pozycja->Parent = this;
    return true;
}

// An object handed over by unique_ptr cannot already be a child, so readers add in constant time.
TElementRds* TElementRds::AddElement(std::unique_ptr<TElementRds> element)
{
    element->Parent = this;
    FElementy.push_back(std::move(element));
    return FElementy.back().get();
}

TPozycjaRds* TElementRds::AddPozycja(std::unique_ptr<TPozycjaRds> pozycja)
{
    pozycja->Parent = this;
    FPozycje.push_back(std::move(pozycja));
    return FPozycje.back().get();
}

TElementRds* TElementRds::GetElement(int indeks) const
{
    return indeks >= 0 && indeks < ElementyCount() ? FElementy[static_cast<size_t>(indeks)].get() : nullptr;
}

TPozycjaRds* TElementRds::GetPozycja(int indeks) const
{
    return indeks >= 0 && indeks < PozycjeCount() ? FPozycje[static_cast<size_t>(indeks)].get() : nullptr;
}

QString TElementRds::GetCaption() const
{
    return (FNr + QLatin1Char(' ') + Opis).trimmed();
}

int TElementRds::Count() const
{
    int wynik = ElementyCount() + PozycjeCount();
    for (const auto& e : FElementy)
        wynik += e->Count();
    return wynik;
}

void TElementRds::DlaKazdejPozycji(const std::function<void(TPozycjaRds&)>& funkcja) const
{
    // A large estimate's positions lie all over memory: each is brought into the cache a few steps ahead,
    // and its rare part a little later, once the position itself is at hand.
    constexpr std::size_t Pozycji = 8, Dodatkow = 4;
    const std::size_t n = FPozycje.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + Pozycji < n)
            __builtin_prefetch(FPozycje[i + Pozycji].get());
        if (i + Dodatkow < n)
            FPozycje[i + Dodatkow]->Przygotuj();
        funkcja(*FPozycje[i]);
    }
    for (const auto& e : FElementy)
        e->DlaKazdejPozycji(funkcja);
}

TPozycjaRds* TElementRds::ZnajdzPozycje(const std::function<bool(const TPozycjaRds&)>& test) const
{
    for (const auto& p : FPozycje)
        if (test(*p))
            return p.get();
    for (const auto& e : FElementy)
        if (TPozycjaRds* p = e->ZnajdzPozycje(test))
            return p;
    return nullptr;
}

void TElementRds::ZaktualizujSTPozycji(const QString& numerSt, const QString& nowyNumerSt)
{
    const QString szukany = numerSt.trimmed();
    DlaKazdejPozycji([&](TPozycjaRds& p) {
        if (p.ST().compare(szukany, Qt::CaseInsensitive) == 0)
            p.SetST(nowyNumerSt);
    });
}
