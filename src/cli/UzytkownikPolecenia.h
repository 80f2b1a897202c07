#pragma once

#include "workflow/UzytkownikBezOkna.h"

#include <QStringList>
#include <QTextStream>

// The user of a command: nobody to ask. Notices and questions go to the error stream; every question is
// answered "Nie" (nothing is located, overwritten or replaced behind the caller's back), every dialog is
// cancelled, and the open jobs run to their end.
class TUzytkownikPolecenia : public TUzytkownikBezOkna
{
public:
    explicit TUzytkownikPolecenia(QTextStream& bledy) : FBledy(bledy) {}

    void PokazKomunikat(const QString& tekst) override;
    bool ZadajPytanie(const QString& komunikat, const QString& pytanie) override;
    TOdpowiedz PytanieTakNieAnuluj(const QString& tekst) override;
    std::optional<TWyborPozostalych> WyborDlaPozostalychPozycji(const QString& tekst, bool, int) override;

    // The notices shown so far, in order (they are written to the error stream as they come too).
    const QStringList& Komunikaty() const { return FKomunikaty; }

private:
    QStringList FKomunikaty;
    QTextStream& FBledy;
};
