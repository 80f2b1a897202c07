#pragma once

#include "app/Wyjatki.h"
#include "zestaw/PozycjaZbioru.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// The chosen specification is in the collection already.
class ESTIstniejeWZbiorze : public EBlad
{
public:
    using EBlad::EBlad;
};

// The order of the collection: general-conditions specifications first, the rest by key (UTF-16 code
// units, letter case counts). An entry without a specification is ordered by its key alone.
class TPozycjaZbioruComparer
{
public:
    // Negative, zero or positive.
    static int Compare(const TPozycjaZbioru& lewa, const TPozycjaZbioru& prawa);
    bool operator()(const TPozycjaZbioru& lewa, const TPozycjaZbioru& prawa) const { return Compare(lewa, prawa) < 0; }
};

// The specifications a set produces documents for: entries brought in by the estimates' positions and
// entries the user added ("own"). Keys are compared without regard to ASCII letter case, except when
// sorting. Owns its entries.
class TZbiorST
{
public:
    // The variant settings of the set, which outlives the collection: the keys of positions' entries and
    // what every entry shows follow them.
    explicit TZbiorST(const TUstawieniaWariantow& ustawienia = TUstawieniaWariantow::Domyslne());
    explicit TZbiorST(TUstawieniaWariantow&&) = delete;
    ~TZbiorST();
    TZbiorST(const TZbiorST&) = delete;
    TZbiorST& operator=(const TZbiorST&) = delete;

    // By the specification's number. Null: "Nieprawidłowa specyfikacja". An entry of that key that is
    // own or used by positions: ESTIstniejeWZbiorze. Otherwise the entry is added or made own.
    bool Add(TSpecyfikacja* specyfikacja);
    // The same for a variant, key = number + "#" + variant number.
    bool Add(TSpecyfikacja* specyfikacja, TWariantSpecyfikacji* wariant);
    // A position with a chosen specification. False (the position not recorded) when an own entry
    // holds its key.
    bool Add(TPozycjaRds* pozycja);
    // Add(pozycja), given the entry this returned for a position with the same chosen specification and variant
    // (the key depends on those alone), or null: the positions of an estimate name a few hundred
    // specifications, and each entry is looked up once, not once per position. Returns the entry.
    TPozycjaZbioru* DodajDoWpisu(TPozycjaRds* pozycja, TPozycjaZbioru* wpis);
    // A bare ST number, as own entry. False when an own entry holds it already.
    bool Add(const QString& st);

    TPozycjaZbioru* GetPozycjaZbioru(int indeks) const;
    int Count() const { return static_cast<int>(FPozycje.size()); }
    // The entry of the key (any ASCII letter case); null when none.
    TPozycjaZbioru* Znajdz(const QString& st) const;

    void ClearAll();
    // Every entry forgets its positions and its chosen specification; entries and own marks stay.
    void ClearPozycjeIDopasowanieST();
    bool CzySaWlasne() const;
    // Whether an own entry stands for that node.
    bool CzyUzywaneST(const TSpecyfikacja* specyfikacja) const;
    void Sort();
    // Frees the entries that are neither own nor needed by a position; their order is kept.
    void UsunNieuzywane();
    // Frees one entry; false when it is not in the collection.
    bool Usun(const TPozycjaZbioru* pozycja);

    QString ToString() const;
    const TUstawieniaWariantow& Ustawienia() const { return *FUstawienia; }

private:
    TPozycjaZbioru* Dodaj(std::unique_ptr<TPozycjaZbioru> pozycja);
    // Adds or marks as own the entry of an own key; ESTIstniejeWZbiorze when it is taken.
    bool DodajWlasna(const QString& klucz, const std::function<std::unique_ptr<TPozycjaZbioru>()>& utworz);
    void PrzebudujKlucze();

    const TUstawieniaWariantow* FUstawienia;
    std::vector<std::unique_ptr<TPozycjaZbioru>> FPozycje;
    // Key -> entry, keys hashed and compared without regard to ASCII letter case; lookups in constant
    // time for sets of any size, without copying the key.
    struct TKlucz
    {
        QString Tekst;
        bool operator==(const TKlucz& inny) const;
    };
    friend size_t qHash(const TKlucz& klucz, size_t ziarno) noexcept;
    QHash<TKlucz, TPozycjaZbioru*> FKlucze;
};
