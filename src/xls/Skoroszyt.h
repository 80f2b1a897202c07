#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

// A workbook built in memory and written once, in either file format, by the writers beside it
// (ZapisXls: Excel 97-2003; ZapisXlsx: Office Open XML). It holds exactly what the estimate export
// needs: sheets of cells (text, number, formula or blank, each with a format), merged ranges, column
// widths and row heights, hidden rows and columns, footers, print titles and sheet protection.
//
// Limits are those of the older format, so that both files carry the same content: 65,536 rows and 256
// columns are refused (EBlad), texts over 32,767 characters and rows over 409 points are clipped with a
// warning (Ostrzezenia).

enum class TWyrownanie : std::uint8_t { Ogolne, Lewo, Srodek, Prawo };

// Thin borders of a cell, one bit per edge.
enum TKrawedz : std::uint8_t {
    KrawedzLewa = 1,
    KrawedzPrawa = 2,
    KrawedzGorna = 4,
    KrawedzDolna = 8,
    KrawedzieWszystkie = 15
};

// A cell's look. The workbook keeps each distinct format once and cells refer to it by index.
struct TFormatKomorki
{
    QString Czcionka = QStringLiteral("Arial");
    int Rozmiar = 10; // points
    bool Pogrubienie = false;
    TWyrownanie Poziomo = TWyrownanie::Ogolne;
    bool SrodekPionowo = false; // otherwise bottom, the format's default
    bool Zawijaj = false;
    std::uint8_t Ramki = 0;  // TKrawedz bits
    int FormatLiczby = 0;    // 0: general; otherwise an index from TSkoroszyt::DodajFormatLiczby
    bool Zablokowana = true; // locked when the sheet is protected

    bool operator==(const TFormatKomorki&) const = default;
};

enum class TRodzajKomorki : std::uint8_t { Pusta, Liczba, Tekst, Formula };

struct TKomorka
{
    std::uint16_t Kolumna = 0;
    TRodzajKomorki Rodzaj = TRodzajKomorki::Pusta;
    std::uint16_t Format = 0; // index into TSkoroszyt::Formaty()
    std::uint32_t Indeks = 0; // Tekst: into TSkoroszyt::Teksty(); Formula: into TArkusz::Formuly()
    double Liczba = 0;
};

struct TWierszArkusza
{
    std::vector<TKomorka> Komorki; // ordered by column
    int WysokoscPx = -1;           // -1: the default height
    bool Ukryty = false;
};

struct TKolumnaArkusza
{
    int SzerokoscPx = -1; // -1: the default width
    bool Ukryta = false;
};

// A rectangle of cells, zero-based and inclusive.
struct TZakres
{
    int Wiersz1 = 0, Kolumna1 = 0, Wiersz2 = 0, Kolumna2 = 0;
    bool operator==(const TZakres&) const = default;
};

class TSkoroszyt;

class TArkusz
{
public:
    static constexpr int MaksWierszy = 65536;
    static constexpr int MaksKolumn = 256;
    static constexpr int MaksDlugoscTekstu = 32767;
    static constexpr int MaksWysokoscPt = 409;
    static constexpr int DomyslnaSzerokoscPx = 64;
    static constexpr int DomyslnaWysokoscPx = 17; // a row of Arial 10

    const QString& Nazwa() const { return FNazwa; }
    TSkoroszyt& Skoroszyt() const { return *FSkoroszyt; }

    // Values. A formula is given without "=", in the notation the user sees: ";" between arguments and
    // a decimal comma (ROUND(G5*K5;2), 'Arkusz 1'!L41*0,23). A cell keeps its format when its value
    // changes.
    void UstawTekst(int wiersz, int kolumna, const QString& tekst);
    void UstawLiczbe(int wiersz, int kolumna, double liczba);
    void UstawFormule(int wiersz, int kolumna, const QString& formula);
    // Format by index (TSkoroszyt::Format); a missing cell becomes a blank one that carries it.
    void UstawFormat(int wiersz, int kolumna, std::uint16_t format);
    void UstawFormat(int wiersz, int kolumna, const TFormatKomorki& format);
    // The format of a cell (the default format of a missing one).
    const TFormatKomorki& Format(int wiersz, int kolumna) const;
    // Adds edges to every cell of the range that lies on them: a thin outline around the range.
    void Obramuj(const TZakres& zakres);
    // Merged ranges must not overlap one another (EBlad).
    void Scal(const TZakres& zakres);

    void UstawSzerokoscKolumnyPx(int kolumna, int px);
    void UkryjKolumne(int kolumna);
    void UstawWysokoscWierszaPx(int wiersz, int px);
    void UkryjWiersz(int wiersz);

    // Footer sections with the codes &D (date), &P (page) and &N (page count).
    void UstawStopke(const QString& lewa, const QString& srodek, const QString& prawa);
    // Rows from..to (zero-based, inclusive) printed at the top of every page.
    void UstawWierszeTytulowe(int od, int do_);
    // Printed pages as wide as the sheet's columns (scaled down), as long as needed.
    void DopasujDoSzerokosciStrony() { FDoSzerokosciStrony = true; }
    bool CzyDopasowanyDoSzerokosciStrony() const { return FDoSzerokosciStrony; }
    // Rows of the default height get the height their texts need in their columns (merged ranges of one
    // row count as one cell), so that wrapped texts are not cut: the files carry row heights, and
    // spreadsheet programs show them as stored.
    void DopasujWysokosciWierszy();
    // Protection with the password (may be empty) and the options mask of the older format.
    void Chron(const QString& haslo, std::uint16_t opcje);

    // What the writers read.
    const std::vector<TWierszArkusza>& Wiersze() const { return FWiersze; }
    const std::vector<TKolumnaArkusza>& Kolumny() const { return FKolumny; }
    const std::vector<TZakres>& Scalenia() const { return FScalenia; }
    const std::vector<QString>& Formuly() const { return FFormuly; }
    const QString& StopkaLewa() const { return FStopka[0]; }
    const QString& StopkaSrodek() const { return FStopka[1]; }
    const QString& StopkaPrawa() const { return FStopka[2]; }
    // The footer in the older format's single text: "&L" left "&C" centre "&R" right, empty sections left out.
    QString StopkaJakoTekst() const;
    bool CzyWierszeTytulowe() const { return FTytulowe.first >= 0; }
    std::pair<int, int> WierszeTytulowe() const { return FTytulowe; }
    bool CzyChroniony() const { return FChroniony; }
    const QString& Haslo() const { return FHaslo; }
    std::uint16_t OpcjeOchrony() const { return FOpcjeOchrony; }
    // The last used row and column plus one (0 for an empty sheet).
    int LiczbaWierszy() const;
    int LiczbaKolumn() const;

private:
    friend class TSkoroszyt;
    TArkusz(TSkoroszyt* skoroszyt, QString nazwa) : FSkoroszyt(skoroszyt), FNazwa(std::move(nazwa)) {}

    TKomorka& Komorka(int wiersz, int kolumna);
    TWierszArkusza& Wiersz(int wiersz);
    TKolumnaArkusza& Kolumna(int kolumna);

    TSkoroszyt* FSkoroszyt; // not owned
    QString FNazwa;
    std::vector<TWierszArkusza> FWiersze;
    std::vector<TKolumnaArkusza> FKolumny;
    std::vector<TZakres> FScalenia;
    std::vector<QString> FFormuly;
    QString FStopka[3];
    std::pair<int, int> FTytulowe{-1, -1};
    bool FChroniony = false;
    bool FDoSzerokosciStrony = false;
    QString FHaslo;
    std::uint16_t FOpcjeOchrony = 0;
};

class TSkoroszyt
{
public:
    // The first index of the number formats a workbook adds; lower ones are the formats built into
    // spreadsheet programs.
    static constexpr int PierwszyWlasnyFormatLiczby = 164;

    TSkoroszyt();
    ~TSkoroszyt();
    TSkoroszyt(const TSkoroszyt&) = delete;
    TSkoroszyt& operator=(const TSkoroszyt&) = delete;

    // A sheet name must be 1 to 31 characters without []:*?/\ and not begin or end with an
    // apostrophe, and be unique regardless of letter case (EBlad otherwise).
    TArkusz& DodajArkusz(const QString& nazwa);
    static bool CzyPoprawnaNazwaArkusza(const QString& nazwa);
    int ArkuszeCount() const { return static_cast<int>(FArkusze.size()); }
    TArkusz& Arkusz(int indeks) const { return *FArkusze.at(indeks); }
    // The sheet's index or -1; letter case ignored.
    int IndeksArkusza(const QString& nazwa) const;

    // The index of a format; equal formats share one.
    std::uint16_t Format(const TFormatKomorki& format);
    const std::vector<TFormatKomorki>& Formaty() const { return FFormaty; }

    // A number format by its format string ("#,##0.00"); the same string gives the same index.
    int DodajFormatLiczby(const QString& wzorzec);
    // The added formats as (index, format string), in the order they were added.
    const std::vector<std::pair<int, QString>>& FormatyLiczb() const { return FFormatyLiczb; }
    // The format string of an index ("General" for 0); empty for an unknown one.
    QString WzorzecFormatuLiczby(int indeks) const;

    // Texts of the cells, each kept once.
    std::uint32_t Tekst(const QString& tekst);
    const std::vector<QString>& Teksty() const { return FTeksty; }
    // How many text cells there are (each use of a text counts).
    std::uint32_t UzyciaTekstow() const { return FUzyciaTekstow; }

    // What was clipped to fit the format, one Polish sentence each.
    const QStringList& Ostrzezenia() const { return FOstrzezenia; }
    void Ostrzez(const QString& tekst);

private:
    friend class TArkusz;

    std::vector<std::unique_ptr<TArkusz>> FArkusze;
    std::vector<TFormatKomorki> FFormaty;
    QHash<QString, std::uint16_t> FIndeksyFormatow; // key: the format's fields as one text
    std::vector<std::pair<int, QString>> FFormatyLiczb;
    std::vector<QString> FTeksty;
    QHash<QString, std::uint32_t> FIndeksyTekstow;
    std::uint32_t FUzyciaTekstow = 0;
    QStringList FOstrzezenia;
};
