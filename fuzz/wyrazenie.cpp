// Any text through the expression interpreter: no crash, no hang, only its two errors, and an
// answer that is either the normalised text (no expression) or a number with at most three decimals.
#include "prices/InterpreterWyrazen.h"

#include <QRegularExpression>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    static const QRegularExpression liczba(QStringLiteral("^-?\\d+(,\\d{1,3})?$"));
    const QString tekst = QString::fromUtf8(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    const QString znormalizowany = NormalizujWyrazenie(tekst);
    const bool przyjety = CzyWyrazenieDoObliczenia(znormalizowany);
    QString wynik;
    try {
        wynik = ObliczWyrazenie(tekst);
    } catch (const EConvertError&) {
        if (!przyjety)
            __builtin_trap(); // a text that is no expression is answered, never refused
        return 0;
    } catch (const EBladArytmetyczny&) {
        if (!przyjety)
            __builtin_trap();
        return 0;
    }
    if (przyjety ? !liczba.match(wynik).hasMatch() : wynik != znormalizowany)
        __builtin_trap();
    return 0;
}
