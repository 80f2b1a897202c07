#pragma once

// What the estimate fuzz targets share: the configuration the readers need, the input as bytes, a read
// that may fail only whole, and the check of a copy written as CR LF text.
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The configuration singleton, made once per fuzzing process; the input's bytes.
inline QByteArray WejscieFuzz(const uint8_t* dane, size_t rozmiar)
{
    static TOknoBezEkranu okno;
    static TKonfiguracja* konfiguracja = TKonfiguracja::GetInstance(&okno, false);
    (void)konfiguracja;
    return QByteArray(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
}

// Reads the bytes into the estimate; false when the reader refused them, which it must do leaving no tree.
template <typename TKosztorysFormatu> bool WczytajCalyLubNic(TKosztorysFormatu& kosztorys, const QByteArray& bajty)
{
    try {
        kosztorys.WczytajZDanych(bajty);
        return true;
    } catch (const EBlad&) {
        if (kosztorys.Count() != 0)
            std::abort();
        return false;
    }
}

// Every line of the copy ends with CR LF (the last one too); returns the number of lines.
inline qsizetype LinieCrLf(const QByteArray& kopia)
{
    qsizetype konceLinii = 0;
    for (qsizetype i = 0; i < kopia.size(); ++i) {
        if (kopia[i] == '\r' && (i + 1 >= kopia.size() || kopia[i + 1] != '\n'))
            std::abort();
        if (kopia[i] == '\n') {
            if (i == 0 || kopia[i - 1] != '\r')
                std::abort();
            ++konceLinii;
        }
    }
    if (!kopia.isEmpty() && !kopia.endsWith("\r\n"))
        std::abort();
    return konceLinii;
}
