// Any text through the formula compiler: no crash, no hang, no error but EBlad. A text it reads gives
// a token array that is whole (every token complete, one value left at the end, known functions with
// their argument counts) and a text in the files' notation that, written back in the user's notation,
// reads as the same formula.
#include "xls/Formula.h"
#include "app/Wyjatki.h"
#include "xls/FormulaWezel.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

int IndeksArkusza(const QString& nazwa)
{
    if (nazwa == QStringLiteral("Arkusz 1"))
        return 0;
    if (nazwa == QStringLiteral("Formularz"))
        return 1;
    return -1;
}

// Walks the tokens as a reader would: sizes, the value stack and the functions' indices and counts.
bool TokenyCale(const QByteArray& t)
{
    const auto u8 = [&](qsizetype i) { return static_cast<std::uint8_t>(t[i]); };
    const auto u16 = [&](qsizetype i) { return static_cast<std::uint16_t>(u8(i) | (u8(i + 1) << 8)); };
    qsizetype i = 0;
    int stos = 0;
    while (i < t.size()) {
        const std::uint8_t token = u8(i);
        qsizetype rozmiar = 0;
        int zdejmuje = 0;
        switch (token) {
        case 0x03:
        case 0x04:
        case 0x05:
        case 0x06:
        case 0x08:
            rozmiar = 1, zdejmuje = 2;
            break;
        case 0x13:
        case 0x15:
            rozmiar = 1, zdejmuje = 1;
            break;
        case 0x17:
            if (i + 2 >= t.size() || u8(i + 2) > 1)
                return false;
            rozmiar = 3 + qsizetype(u8(i + 1)) * (u8(i + 2) + 1);
            break;
        case 0x1E:
            rozmiar = 3;
            break;
        case 0x1F:
            rozmiar = 9;
            break;
        case 0x24:
        case 0x44:
            rozmiar = 5;
            break;
        case 0x25:
        case 0x45:
        case 0x3A:
        case 0x5A:
            rozmiar = token == 0x25 || token == 0x45 ? 9 : 7;
            break;
        case 0x3B:
        case 0x5B:
            rozmiar = 11;
            break;
        case 0x41:
            if (i + 3 > t.size() || u16(i + 1) != 27)
                return false;
            rozmiar = 3, zdejmuje = 2;
            break;
        case 0x42: {
            if (i + 4 > t.size())
                return false;
            const int argumenty = u8(i + 1);
            const std::uint16_t funkcja = u16(i + 2);
            const bool poprawna = (funkcja == 4 || funkcja == 336) ? argumenty >= 1 && argumenty <= 30
                                  : funkcja == 345                 ? argumenty == 2 || argumenty == 3
                                                                   : false;
            if (!poprawna)
                return false;
            rozmiar = 4, zdejmuje = argumenty;
            break;
        }
        default:
            return false;
        }
        if (i + rozmiar > t.size() || stos < zdejmuje)
            return false;
        stos += 1 - zdejmuje;
        i += rozmiar;
    }
    return stos == 1;
}

// The files' notation back in the user's: ";" between arguments, a decimal comma; quoted parts unchanged.
// Empty when it has a number with an exponent, which the user's notation has no way to write.
QString NotacjaUzytkownika(const QString& angielski)
{
    QString wynik;
    QChar cudzyslow;
    for (qsizetype i = 0; i < angielski.size(); ++i) {
        const QChar z = angielski[i];
        if (!cudzyslow.isNull()) {
            if (z == cudzyslow)
                cudzyslow = QChar();
        } else if (z == u'"' || z == u'\'') {
            cudzyslow = z;
        } else if (z == u'E' && i > 0 && angielski[i - 1].isDigit() && i + 1 < angielski.size() &&
                   (angielski[i + 1] == u'+' || angielski[i + 1] == u'-')) {
            return {};
        }
        wynik.append(cudzyslow.isNull() && z == u',' ? QChar(u';') : cudzyslow.isNull() && z == u'.' ? QChar(u',') : z);
    }
    return wynik;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar)
{
    const QString tekst = QString::fromUtf8(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    std::optional<TFormula> formula;
    try {
        formula.emplace(TFormula::Parsuj(tekst));
    } catch (const EBlad&) {
        return 0;
    }
    const QString angielski = formula->TekstAngielski();
    QByteArray tokeny;
    try {
        tokeny = formula->TokenyBiff8(IndeksArkusza);
    } catch (const EBlad&) {
        tokeny.clear();
    }
    if (!tokeny.isEmpty() && (tokeny.size() > TFormula::MaksDlugoscTokenow || !TokenyCale(tokeny)))
        __builtin_trap();
    // Quotes the files' notation adds around some sheet names may take it past the length limit.
    const QString uzytkownika = NotacjaUzytkownika(angielski);
    if (uzytkownika.isEmpty() || uzytkownika.size() > MaksDlugoscFormuly)
        return 0;
    // Written back, the formula must read again (EBlad here is a finding) and mean the same.
    const TFormula ponownie = TFormula::Parsuj(uzytkownika);
    if (ponownie.TekstAngielski() != angielski)
        __builtin_trap();
    if (!tokeny.isEmpty() && ponownie.TokenyBiff8(IndeksArkusza) != tokeny)
        __builtin_trap();
    return 0;
}
