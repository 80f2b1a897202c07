#pragma once

#include "specs/Specyfikacja.h"

struct TUstawieniaWariantow;

// A variant of a specification: an alternative document under the same specification number, with a
// short number of its own (usually a letter or a digit). Held by the specification, which is its parent.
// It has units but no children and no variants: every tree operation on it raises EBlad
// "Operacja niedozwolona".
class TWariantSpecyfikacji : public TSpecyfikacja
{
public:
    TWariantSpecyfikacji(const QString& numer, const QString& opis, const QString& plik, const QString& info,
                         const QString& katalogUzytkownika = QString());

    bool Add(std::unique_ptr<TSpecyfikacja> s) override;
    bool Insert(std::unique_ptr<TSpecyfikacja> s, int index) override;
    bool Remove(TSpecyfikacja* s) override;
    bool Remove(int index) override;
    void Overwrite(const TSpecyfikacja& inna) override;
    std::unique_ptr<TSpecyfikacja> Delete(TSpecyfikacja* s) override;
    bool Move(int curIndex, int newIndex) override;
    bool AddWariant(std::unique_ptr<TWariantSpecyfikacji> wariant) override;
    bool DelWariant(int index) override;
    bool RemWariant(TWariantSpecyfikacji* wariant) override;

    // "<parent's number><visual separator><number> <title>", with the parent's title before the title
    // when the settings show it; empty without a parent. Without settings, those of a first start.
    QString GetCaption() const override;
    QString GetCaption(const TUstawieniaWariantow& ustawienia) const;

    // A variant copy of this variant, with copies of its units when asked; no parent, no handler.
    std::unique_ptr<TWariantSpecyfikacji> CloneWariant(bool czyJm) const;
};
