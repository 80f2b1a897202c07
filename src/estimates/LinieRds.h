#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// Where the character occurs in the text from the position on, or -1; eight characters at a time where the
// processor can. Rodos readers look for keys in every line with it.
qsizetype ZnajdzZnak(QStringView tekst, char16_t znak, qsizetype od);

// The lines of a Rodos file over its decoded text: a line is a view into that text, so a file of a
// few hundred thousand positions costs its text and five bytes per line, not a string per line. The
// text may come in pieces, each ending with a line end: a large file is then never one allocation so
// big that the allocator maps it afresh from the system (and faults in every page of it) at each reading.
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
    // The same over the pieces of a text, each but the last ending with a line end and each shorter
    // than MaksKawalek characters.
    explicit TLinieRds(std::vector<QString> kawalki);

    // The same over the bytes of a Windows-1250 file (one character a byte). The lines are found in the bytes;
    // the text is decoded piece by piece (each about a MiB, ending with a line end) when a line of the piece is
    // first asked for, and ZwolnijPrzed lets go the pieces a forward reading has passed, their room serving the
    // next: a large file is never decoded whole, nor its text faulted in afresh at every reading.
    static TLinieRds ZBajtowWindows1250(QByteArray bajty);

    // The longest piece of a text in pieces.
    static constexpr qsizetype MaksKawalek = qsizetype{1} << 23;

    // Whether the text holds a U+0000 character.
    bool CzyZawieraNul() const;
    // Lets go of the decoded pieces that hold only lines before the line; they are decoded again if asked for.
    void ZwolnijPrzed(int indeks)
    {
        if (FBajty.isEmpty())
            return;
        const std::size_t nr = FPoczatki[static_cast<std::size_t>(indeks)] >> FBity;
        if (nr > FZwolnione)
            Zwolnij(nr);
    }

    int Count() const { return static_cast<int>(FRodzaje.size()); }
    bool CzyOstatnia(int indeks) const { return indeks == Count() - 1; }
    QStringView operator[](int indeks) const
    {
        const std::size_t i = static_cast<std::size_t>(indeks);
        const std::uint32_t p = FPoczatki[i];
        const std::uint32_t q = FPoczatki[i + 1];
        const QString& kawalek = Kawalek(p >> FBity);
        const qsizetype poczatek = p & FMaska;
        // The next line starts after this line's end (or in the next piece, after this piece's end).
        qsizetype koniec = (q >> FBity) == (p >> FBity) ? qsizetype{q & FMaska} : kawalek.size();
        const QChar* z = kawalek.constData();
        // Take back the line's LF, CR or CR LF.
        if (koniec > poczatek && z[koniec - 1] == u'\n')
            --koniec;
        if (koniec > poczatek && z[koniec - 1] == u'\r')
            --koniec;
        return QStringView(z + poczatek, koniec - poczatek);
    }
    TRodzaj Rodzaj(int indeks) const { return FRodzaje[static_cast<std::size_t>(indeks)]; }
    // Characters of the whole text, line ends included.
    qsizetype Rozmiar() const { return FRozmiar; }

    // The last line of the block that opens at the line: the first line blank after trimming, the
    // line before the next line that opens a block of any kind, or the last line of the file.
    int KoniecBloku(int indeks) const;

    static TRodzaj RodzajLinii(QStringView linia);
    static bool CzyPusta(QStringView linia) { return linia.trimmed().isEmpty(); }

private:
    void Indeksuj();
    void IndeksujBajty();
    const QString& Kawalek(std::size_t nr) const
    {
        const QString& k = FKawalki[nr];
        return k.isNull() && !FBajty.isEmpty() ? Dekoduj(nr) : k;
    }
    const QString& Dekoduj(std::size_t nr) const;
    void Zwolnij(std::size_t przed);

    // The text's pieces; over bytes, the ones decoded (the others null).
    mutable std::vector<QString> FKawalki;
    // Over bytes: the bytes, where each piece begins in them (and their end), the room of a piece let go, and the
    // first piece not let go.
    QByteArray FBajty;
    std::vector<qsizetype> FGranice;
    mutable QString FZapas;
    std::size_t FZwolnione = 0;
    qsizetype FRozmiar = 0;
    // A line's place: the piece in the high bits, the position in it in the low ones.
    unsigned FBity = 31;
    std::uint32_t FMaska = (std::uint32_t{1} << 31) - 1;
    // Place of every line's start, then of the end of the text.
    std::vector<std::uint32_t> FPoczatki;
    std::vector<TRodzaj> FRodzaje;
};
