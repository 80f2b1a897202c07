#pragma once

#include "specs/WybranaSpecyfikacja.h"

#include <QSet>
#include <QString>

#include <memory>
#include <vector>

class TPozycjaRds;
class TSpecyfikacja;
class TWariantSpecyfikacji;

// One entry of the collection: a specification (or a variant, or a bare ST number) that the set will
// produce a document for, with the positions of the estimates that need it. The positions belong to
// their estimates; the entry only points at them.
class TPozycjaZbioru
{
public:
    // Every entry shows its choice by the settings of its collection, which outlive it.
    // An own entry for the specification; key = its number. Null: "Brak specyfikacji".
    explicit TPozycjaZbioru(TSpecyfikacja* specyfikacja,
                            const TUstawieniaWariantow& ustawienia = TUstawieniaWariantow::Domyslne());
    // An own entry for a bare ST number, kept as written. Blank: "Brak specyfikacji".
    explicit TPozycjaZbioru(const QString& st,
                            const TUstawieniaWariantow& ustawienia = TUstawieniaWariantow::Domyslne());
    // An entry brought in by the position: key = the position's chosen number with its variant after
    // "#" (while variants are in use); the choice is copied and the position is the first one listed.
    // Null position, or one without a chosen specification: "Brak specyfikacji".
    explicit TPozycjaZbioru(TPozycjaRds* pozycja,
                            const TUstawieniaWariantow& ustawienia = TUstawieniaWariantow::Domyslne());
    // An own entry for a variant; key = number + "#" + variant number. "Brak specyfikacji" / "Brak wariantu".
    TPozycjaZbioru(TSpecyfikacja* specyfikacja, TWariantSpecyfikacji* wariant,
                   const TUstawieniaWariantow& ustawienia = TUstawieniaWariantow::Domyslne());
    ~TPozycjaZbioru();
    TPozycjaZbioru(const TPozycjaZbioru&) = delete;
    TPozycjaZbioru& operator=(const TPozycjaZbioru&) = delete;

    const QString& ST() const { return FST; }
    bool CzyWlasna() const { return FCzyWlasna; }
    void SetCzyWlasna(bool wartosc) { FCzyWlasna = wartosc; }
    TWybranaSpecyfikacja& WybranaSpecyfikacja() { return *FWybranaSpecyfikacja; }
    const TWybranaSpecyfikacja& WybranaSpecyfikacja() const { return *FWybranaSpecyfikacja; }

    // False when the position is listed already.
    bool AddPozycjaRds(TPozycjaRds* pozycja);
    void ClearPozycjeRds();
    // Clears the specification, the variant and the partially matched specification.
    void ClearSpecyfikacja();
    // Null outside the list.
    TPozycjaRds* GetPozycjaRds(int indeks) const;
    int PozycjeCount() const { return static_cast<int>(FPozycjeRds.size()); }

    QString ToString() const;

private:
    QString FST;
    std::vector<TPozycjaRds*> FPozycjeRds;
    // The same positions once there are many, so that adding stays constant time for entries used by
    // thousands of positions; most entries have a few and are searched directly.
    QSet<const TPozycjaRds*> FZbiorPozycji;
    std::unique_ptr<TWybranaSpecyfikacja> FWybranaSpecyfikacja;
    bool FCzyWlasna = false;
};
