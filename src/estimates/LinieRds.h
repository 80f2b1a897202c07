#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// The lines of a Rodos file over one decoded text: a line is a view into that text, so a file of a
// few hundred thousand positions costs its text and five bytes per line, not a string per line.
// Lines end at CR LF, LF or a lone CR; a final line end gives no empty last line. The kind of every
// line is found once, since the readers and the writer test each line several times.
class TLinieRds
{
public:
    enum class TRodzaj : std::uint8_t {
        Zwykla,   // any other line
        Pusta,    // blank after trimming: it ends a block
        Elementu, // exactly "[ELEM]"
        Pozycji,  // holds "[AGR]" or "[POZ]" anywhere
    };

    TLinieRds() = default;
    // Throws EBlad "Wybrany plik kosztorysu jest nieprawidłowy." for a text too long to be indexed.
    explicit TLinieRds(QString tekst);

    int Count() const { return static_cast<int>(FRodzaje.size()); }
    bool CzyOstatnia(int indeks) const { return indeks == Count() - 1; }
    QStringView operator[](int indeks) const;
    TRodzaj Rodzaj(int indeks) const { return FRodzaje[static_cast<std::size_t>(indeks)]; }
    // Characters of the whole text, line ends included.
    qsizetype Rozmiar() const { return FTekst.size(); }

    // The last line of the block that opens at the line: the first line blank after trimming, the
    // line before the next line that opens a block of any kind, or the last line of the file.
    int KoniecBloku(int indeks) const;

    static TRodzaj RodzajLinii(QStringView linia);
    static bool CzyPusta(QStringView linia) { return linia.trimmed().isEmpty(); }

private:
    QString FTekst;
    // Start of every line, then the end of the text.
    std::vector<std::uint32_t> FPoczatki;
    std::vector<TRodzaj> FRodzaje;
};
