#pragma once

#include <QString>

class TKonfiguracja;
class TMyPath;
class TSpecyfikacja;
class TWariantSpecyfikacji;

// The specification chosen for a position of an estimate or an entry of the collection: a node of the
// open list and, optionally, one of its variants. Nothing here is owned; the list outlives the choice.
class TWybranaSpecyfikacja
{
public:
    // Takes the program configuration when it exists; without one, variants count as not in use.
    TWybranaSpecyfikacja();
    explicit TWybranaSpecyfikacja(const TKonfiguracja* konfiguracja);
    TWybranaSpecyfikacja(const TWybranaSpecyfikacja&) = delete;
    TWybranaSpecyfikacja& operator=(const TWybranaSpecyfikacja&) = delete;

    TSpecyfikacja* GetSpecyfikacja() const { return FSpecyfikacja; }
    // Also clears the variant.
    void SetSpecyfikacja(TSpecyfikacja* s);
    TWariantSpecyfikacji* GetWariantSpecyfikacji() const { return FWariantSpecyfikacji; }
    // Null or one of the specification's variants; anything else raises EBlad
    // "Nieprawidłowy wariant dla specyfikacji".
    void SetWariantSpecyfikacji(TWariantSpecyfikacji* w);
    // The specification found by the number when the variant named in it was not found.
    TSpecyfikacja* GetDopasowanaSpecyfikacja() const { return FDopasowanaSpecyfikacja; }
    void SetDopasowanaSpecyfikacja(TSpecyfikacja* s) { FDopasowanaSpecyfikacja = s; }

    // Specification and variant; not the matched specification.
    void Assign(const TWybranaSpecyfikacja& inna);

    // The ST key: the number, or with a variant in use and asked for, number + "#" (or the visual
    // separator) + variant number. Empty without a specification.
    QString GetST(bool czyZWariantem, bool czySeparatorWizualny = false) const;
    // The document of the variant in use, else of the specification; empty when it does not exist.
    QString GetPlik() const;
    const TMyPath* GetPath() const;
    QString GetOpis(bool dlaWariantu) const;

    const TKonfiguracja* Konfiguracja() const { return FKonfiguracja; }
    bool CzyWariantWUzyciu() const;

private:
    TSpecyfikacja* FSpecyfikacja = nullptr;
    TWariantSpecyfikacji* FWariantSpecyfikacji = nullptr;
    TSpecyfikacja* FDopasowanaSpecyfikacja = nullptr;
    const TKonfiguracja* FKonfiguracja = nullptr;
};
