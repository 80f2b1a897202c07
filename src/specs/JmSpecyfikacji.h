#pragma once

#include "specs/ZdarzenieZmiany.h"

#include <QString>

#include <pugixml.hpp>

#include <atomic>
#include <memory>

class TCenaJedn;
struct TCenyOdroczone;
struct TUstawieniaCen;

// One unit of measure of a specification (m2, m3, ...) with how the quantity is measured and its unit
// price. A change of the price reports as a change of the unit.
class TJmSpecyfikacji : public TNadawcaZmiany
{
public:
    TJmSpecyfikacji();
    TJmSpecyfikacji(const QString& jm, const QString& opis, bool eksportuj);
    // A unit read from a list file whose price is restored from its "jednostka" element, in the document
    // the source keeps, when it is first asked for.
    TJmSpecyfikacji(const QString& jm, const QString& opis, bool eksportuj,
                    std::shared_ptr<const TCenyOdroczone> zrodlo, const pugi::xml_node& jednostka);
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
    // Safe to ask from several threads: a price still in the read file is restored once.
    TCenaJedn* CenaJedn() const;
    // The price's settings as TCenaJedn::SetUstawienia sets them. A price still in the read file stays
    // there when they are the ones it will be restored with: setting them would change nothing.
    void UstawUstawieniaCeny(const TUstawieniaCen& ustawienia);

    // Neither symbol nor description: the row left for typing a new unit.
    bool CzyPusta() const { return FJm.isEmpty() && FOpis.isEmpty(); }

    const TZdarzenieZmiany& OnChange() const { return FOnChange; }
    void SetOnChange(const TZdarzenieZmiany& zdarzenie) { FOnChange = zdarzenie; }

private:
    void Zmiana();
    void PrzywrocCene() const;

    QString FJm;
    QString FOpis;
    mutable std::unique_ptr<TCenaJedn> FCenaJedn;
    mutable std::shared_ptr<const TCenyOdroczone> FZrodloCeny;
    mutable pugi::xml_node FJednostka;
    mutable std::atomic<bool> FCenaGotowa = true;
    bool FEksportuj = false;
    TZdarzenieZmiany FOnChange;
};
