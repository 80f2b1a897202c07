#pragma once

#include "specs/ZdarzenieZmiany.h"

#include <QString>

#include <memory>

class TCenaJedn;

// One unit of measure of a specification (m2, m3, ...) with how the quantity is measured and its unit
// price. A change of the price reports as a change of the unit.
class TJmSpecyfikacji : public TNadawcaZmiany
{
public:
    TJmSpecyfikacji();
    TJmSpecyfikacji(const QString& jm, const QString& opis, bool eksportuj);
    ~TJmSpecyfikacji() override;
    TJmSpecyfikacji(const TJmSpecyfikacji&) = delete;
    TJmSpecyfikacji& operator=(const TJmSpecyfikacji&) = delete;

    // Symbol, description, export flag and a copy of the price; no handler.
    std::unique_ptr<TJmSpecyfikacji> Clone() const;

    // The setters tell the handler when the value differs, before they store it: the handler still
    // sees the old value in the unit.
    const QString& Jm() const { return FJm; }
    void SetJm(const QString& wartosc);
    const QString& Opis() const { return FOpis; }
    void SetOpis(const QString& wartosc);
    bool Eksportuj() const { return FEksportuj; }
    void SetEksportuj(bool wartosc);
    TCenaJedn* CenaJedn() const { return FCenaJedn.get(); }

    // Neither symbol nor description: the row left for typing a new unit.
    bool CzyPusta() const { return FJm.isEmpty() && FOpis.isEmpty(); }

    const TZdarzenieZmiany& OnChange() const { return FOnChange; }
    void SetOnChange(const TZdarzenieZmiany& zdarzenie) { FOnChange = zdarzenie; }

private:
    void Zmiana();

    QString FJm;
    QString FOpis;
    std::unique_ptr<TCenaJedn> FCenaJedn;
    bool FEksportuj = false;
    TZdarzenieZmiany FOnChange;
};
