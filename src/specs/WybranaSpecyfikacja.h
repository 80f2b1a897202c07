#pragma once

#include <QString>

class TMyPath;
class TSpecyfikacja;
class TWariantSpecyfikacji;

// What showing a chosen specification needs of the program's settings: whether variants are in use and
// how a variant is written for a person. A value its owner (a set, an estimate) holds; the defaults are
// those of a first start of the program.
struct TUstawieniaWariantow
{
    bool CzyKorzystajZWariantow = false;
    // A variant's title follows its specification's title.
    bool CzyWyswietlacTytulSTZWariantem = false;
    // Between the number and the variant where a person reads them; keys always keep "#".
    QString WizualnySeparatorWariantow;

    bool operator==(const TUstawieniaWariantow&) const = default;

    // The first-start settings, for choices whose owner gives none.
    static const TUstawieniaWariantow& Domyslne();
};

// The specification chosen for a position of an estimate or an entry of the collection: a node of the
// open list and, optionally, one of its variants. Nothing here is owned; the list outlives the choice.
class TWybranaSpecyfikacja
{
public:
    // The settings belong to the choice's owner (a set's collection) and outlive the choice. A position's
    // choice keeps the defaults: its estimate passes its own settings to the forms that take them.
    explicit TWybranaSpecyfikacja(const TUstawieniaWariantow& ustawienia = TUstawieniaWariantow::Domyslne());
    explicit TWybranaSpecyfikacja(TUstawieniaWariantow&&) = delete;
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

    // Each question below comes in two forms: with the settings given, and with the choice's own.

    // The ST key: the number, or with a variant in use and asked for, number + "#" (or the visual
    // separator) + variant number. Empty without a specification.
    QString GetST(const TUstawieniaWariantow& ustawienia, bool czyZWariantem, bool czySeparatorWizualny = false) const;
    QString GetST(bool czyZWariantem, bool czySeparatorWizualny = false) const;
    // The document of the variant in use, else of the specification; empty when it does not exist.
    QString GetPlik(const TUstawieniaWariantow& ustawienia) const;
    QString GetPlik() const { return GetPlik(*FUstawienia); }
    const TMyPath* GetPath(const TUstawieniaWariantow& ustawienia) const;
    const TMyPath* GetPath() const { return GetPath(*FUstawienia); }
    QString GetOpis(const TUstawieniaWariantow& ustawienia, bool dlaWariantu) const;
    QString GetOpis(bool dlaWariantu) const { return GetOpis(*FUstawienia, dlaWariantu); }

    const TUstawieniaWariantow& Ustawienia() const { return *FUstawienia; }
    bool CzyWariantWUzyciu(const TUstawieniaWariantow& ustawienia) const;
    bool CzyWariantWUzyciu() const { return CzyWariantWUzyciu(*FUstawienia); }

private:
    TSpecyfikacja* FSpecyfikacja = nullptr;
    TWariantSpecyfikacji* FWariantSpecyfikacji = nullptr;
    TSpecyfikacja* FDopasowanaSpecyfikacja = nullptr;
    const TUstawieniaWariantow* FUstawienia;
};
