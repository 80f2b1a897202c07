#pragma once

// What the estimate fuzz targets share: the input as bytes with the settings to read it by, a read that
// may fail only whole, and the check of a copy written as CR LF text. No program configuration exists:
// the readers must not need one.
#include "app/Wyjatki.h"
#include "estimates/UstawieniaKosztorysu.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

inline QByteArray WejscieFuzz(const uint8_t* dane, size_t rozmiar)
{
    return QByteArray(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
}

// Every other input is read with variants in use, recognised by two separators and written back after
// a visual one, so that both ways of reading and writing ST numbers are fuzzed.
inline TUstawieniaKosztorysu UstawieniaFuzz(size_t rozmiar)
{
    TUstawieniaKosztorysu u;
    if (rozmiar % 2 == 1) {
        u.Warianty.CzyKorzystajZWariantow = true;
        u.Warianty.WizualnySeparatorWariantow = QStringLiteral("/");
        u.RozpoznajWariantyPrzyImporcie = true;
        u.UwzglednijWariantyPrzyEksporcie = true;
        u.ListaSeparatorowWariantow = QStringLiteral("_/");
    }
    return u;
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
