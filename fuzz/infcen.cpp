// Any bytes as a price-information publication: reading either succeeds whole or fails with the program's
// error and leaves the publication loaded before untouched; the price chooser's filters never show more
// items than there are, and every shown item passes them.
#include "prices/InfCen.h"
#include "app/Wyjatki.h"
#include "prices/ModelInfCen.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    TInfCen infCen;
    infCen.WczytajZBajtow("<informator wydawca=\"W\"><pozycja SYMBOL_GL=\"S\" NAZWA=\"N\"/></informator>");
    try {
        infCen.WczytajZBajtow(bajty);
    } catch (const EBlad&) {
        if (infCen.Wydawca() != QLatin1String("W") || infCen.LiczbaPozycji() != 1)
            std::abort();
        return 0;
    }
    TModelInfCen model(infCen);
    const QString filtr = bajty.size() > 2 ? QString::fromUtf8(bajty.left(2)) : QString();
    model.UstawFiltry(filtr, QString());
    if (model.rowCount() > infCen.LiczbaPozycji())
        std::abort();
    for (int i = 0; i < model.rowCount(); ++i)
        if (!model.Pozycja(i)->Nazwa().contains(filtr.trimmed(), Qt::CaseInsensitive))
            std::abort();
    return 0;
}
