#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <cstring>
#include <vector>

// The bytes of a copy being written: appended through a pointer into a buffer that grows by doubling,
// since a copy is written a line at a time and a large estimate has a million lines.
class TZapisAth
{
public:
    explicit TZapisAth(qsizetype szacunek);
    void Dopisz(const char* dane, qsizetype ile)
    {
        char* cel = Miejsce(ile);
        std::memcpy(cel, dane, static_cast<size_t>(ile));
    }
    void Dopisz(char znak) { *Miejsce(1) = znak; }
    // Room for the given number of bytes at the end, which then count as written.
    char* Miejsce(qsizetype ile)
    {
        if (FDlugosc + ile > FDane.size())
            Powieksz(ile);
        char* wynik = FPoczatek + FDlugosc;
        FDlugosc += ile;
        return wynik;
    }
    QByteArray Wynik();

private:
    void Powieksz(qsizetype ile);
    QByteArray FDane;
    char* FPoczatek = nullptr;
    qsizetype FDlugosc = 0;
};

// The lines of an ATH file over its one decoded text. A line is a view into that text, so a large
// estimate costs its text and eight bytes per line, not a string per line. Lines end at CR LF, LF or
// a lone CR; a final line end gives no empty last line. A file without a byte-order mark is
// Windows-1250, one character per byte: its lines are copied as their very bytes, so that a byte the
// code page leaves undefined survives in a copy.
class TLinieAth
{
public:
    // Largest file taken as an estimate; anything bigger is not one, and reading it would only
    // exhaust memory.
    static constexpr qsizetype MaksRozmiar = 256 * 1024 * 1024;

    // Throws EBlad "Wybrany plik kosztorysu jest nieprawidłowy." for a file that is too big or that
    // holds NUL characters (a binary file, or UTF-16 without its byte-order mark). Lines only read,
    // never copied, need not keep the source's bytes.
    explicit TLinieAth(const QByteArray& dane, bool doKopii = true);

    int Count() const { return static_cast<int>(FLinie.size()); }
    QStringView operator[](int indeks) const
    {
        const TZakres& z = FLinie[static_cast<size_t>(indeks)];
        return QStringView(FTekst.constData() + z.Poczatek, static_cast<qsizetype>(z.Koniec - z.Poczatek));
    }
    qsizetype RozmiarZrodla() const { return FBajty.size() + FTekst.size(); }

    // Appends the line and CR LF in the copy's encoding.
    void DopiszLinie(TZapisAth& wynik, int indeks) const;
    // Appends a text and CR LF in Windows-1250. A character the code page lacks becomes "?", or a
    // blank in a line blank after trimming, so that such a line stays blank and ends its block in the
    // copy as it did in the source.
    static void DopiszTekst(TZapisAth& wynik, QStringView tekst);

private:
    void Podziel();

    struct TZakres
    {
        std::uint32_t Poczatek;
        std::uint32_t Koniec;
    };
    QString FTekst;
    bool FCzyAnsi = true;
    QByteArray FBajty; // the source's bytes when it is Windows-1250, else empty
    std::vector<TZakres> FLinie;
};

// What a line outside blocks is, tested in the order of this list (each line is one kind at most).
enum class TRodzajLiniiAth { Inna, Wersja, Element, Podpozycja, Pozycja };

// One step of the walk over a file: a line outside blocks and, for an element or a position
// section, the lines of its block after it.
struct TSegmentAth
{
    TRodzajLiniiAth Rodzaj = TRodzajLiniiAth::Inna;
    int Linia = 0;                 // the line tested
    int Koniec = 0;                // the block is Linia + 1 .. Koniec - 1; the walk goes on at Koniec
    bool CzyWersjaPrzed44 = false; // Wersja: written by a version older than 4.44
    int Poziom = 0;                // Element: level (0 when absent; too large a number counts as the largest)
};

// Walks the file as the reader does: the lines outside blocks one by one, with every ESC taken as a
// blank for their tests, and a section line together with its block (the lines up to and including
// the first line blank after trimming, or up to the end of the file). The check, the repair, the
// reader and the writer all walk this way, so they agree on which lines are positions.
class TPrzegladAth
{
public:
    explicit TPrzegladAth(const TLinieAth& linie) : FLinie(linie) {}
    bool Nastepny(TSegmentAth& segment);

private:
    const TLinieAth& FLinie;
    int FIndeks = 0;
};

// Blank after trimming: the line that ends a block.
inline bool CzyLiniaPustaAth(QStringView linia)
{
    for (const QChar z : linia)
        if (!z.isSpace())
            return false;
    return true;
}

// A test of the first characters of a line against a key (letter case counts), made inline: the
// keys are tested on every line of a block.
inline bool ZaczynaSieOdAth(QStringView linia, QStringView klucz)
{
    if (linia.size() < klucz.size())
        return false;
    for (qsizetype i = 0; i < klucz.size(); ++i)
        if (linia[i] != klucz[i])
            return false;
    return true;
}

// The lines of one block while it is changed: unchanged lines stay views of the source, so that
// they are copied as they were.
class TBlokAth
{
public:
    TBlokAth(const TLinieAth& linie, int od, int doLinii);

    int Count() const { return static_cast<int>(FLinieBloku.size()); }
    QStringView operator[](int indeks) const;

    // Puts the new line in place of the last line that begins with the key; false when none does.
    // The last one, because the reader takes the last of repeated keys: so the reader sees the new line.
    bool ZastapOstatnia(QStringView klucz, const QString& nowa);
    // The index of the last line that begins with the key, or -1.
    int OstatniaZKluczem(QStringView klucz) const;
    // Inserts the line as the block's third line; a block of fewer lines gets it at its end, yet
    // before the blank line that ends the block, so that the line stays inside the block.
    void Wstaw(const QString& nowa);
    void Dopisz(TZapisAth& wynik) const;

private:
    struct TLiniaBloku
    {
        int Zrodlo;   // index of the source line, or -1 for a new line
        QString Nowa; // the new line's text
    };
    const TLinieAth& FLinie;
    std::vector<TLiniaBloku> FLinieBloku;
};
