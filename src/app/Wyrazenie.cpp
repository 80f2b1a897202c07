#include "app/Wyrazenie.h"

#include "app/Wyjatki.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

struct TWyrazenieRegularne::TDane
{
    pcre2_code* Kod = nullptr;
};

TWyrazenieRegularne::TWyrazenieRegularne(const QString& wzorzec, bool bezWielkosciLiter) : FDane(new TDane)
{
    int blad = 0;
    PCRE2_SIZE pozycjaBledu = 0;
    uint32_t opcje = PCRE2_UTF | PCRE2_UCP;
    if (bezWielkosciLiter)
        opcje |= PCRE2_CASELESS;
    FDane->Kod = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(wzorzec.utf16()), static_cast<PCRE2_SIZE>(wzorzec.size()),
                               opcje, &blad, &pozycjaBledu, nullptr);
    if (!FDane->Kod) {
        PCRE2_UCHAR bufor[256];
        pcre2_get_error_message(blad, bufor, 256);
        throw EBlad(QStringLiteral("Nieprawidłowe wyrażenie regularne \"%1\": %2")
                        .arg(wzorzec, QString::fromUtf16(reinterpret_cast<const char16_t*>(bufor))));
    }
}

TWyrazenieRegularne::~TWyrazenieRegularne()
{
    pcre2_code_free(FDane->Kod);
}

TWyrazenieRegularne::TDopasowanie TWyrazenieRegularne::Dopasuj(const QString& tekst, qsizetype odPozycji) const
{
    TDopasowanie wynik;
    if (odPozycji < 0 || odPozycji > tekst.size())
        return wynik;
    if (!QStringView(tekst).isValidUtf16()) {
        // Texts read from files may hold lone surrogates; they become U+FFFD (same length, same offsets)
        // because PCRE2 must not be given invalid UTF-16.
        QString poprawiony = tekst;
        for (qsizetype i = 0; i < poprawiony.size(); ++i) {
            const QChar z = poprawiony[i];
            if (z.isHighSurrogate() && i + 1 < poprawiony.size() && poprawiony[i + 1].isLowSurrogate())
                ++i;
            else if (z.isSurrogate())
                poprawiony[i] = QChar(QChar::ReplacementCharacter);
        }
        return Dopasuj(poprawiony, odPozycji);
    }
    pcre2_match_data* dane = pcre2_match_data_create_from_pattern(FDane->Kod, nullptr);
    const int rc =
        pcre2_match(FDane->Kod, reinterpret_cast<PCRE2_SPTR>(tekst.utf16()), static_cast<PCRE2_SIZE>(tekst.size()),
                    static_cast<PCRE2_SIZE>(odPozycji), 0, dane, nullptr);
    if (rc > 0) {
        wynik.Jest = true;
        uint32_t grup = 0;
        pcre2_pattern_info(FDane->Kod, PCRE2_INFO_CAPTURECOUNT, &grup);
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(dane);
        for (uint32_t i = 0; i <= grup; ++i) {
            if (static_cast<int>(i) < rc && ov[2 * i] != PCRE2_UNSET)
                wynik.Grupy.append(
                    tekst.mid(static_cast<qsizetype>(ov[2 * i]), static_cast<qsizetype>(ov[2 * i + 1] - ov[2 * i])));
            else
                wynik.Grupy.append(QString());
        }
    }
    pcre2_match_data_free(dane);
    return wynik;
}
