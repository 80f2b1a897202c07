#pragma once

#include <QByteArray>

#include <vector>

// One 4 KB Jet 4 data page and one row on it, edited in place. Rows are stored from the end of the page
// downwards, each ending where the previous one starts; the row table after the 14-byte header keeps every
// row's start with its flags (deleted, overflow pointer). Nothing here knows about tables or columns beyond
// what the row layout itself says.
namespace StronaJet4 {
constexpr int RozmiarStrony = 4096;
constexpr int NaglowekStrony = 14;
constexpr quint16 FlagaUsuniety = 0x8000;
constexpr quint16 FlagaWskaznik = 0x4000;
constexpr quint16 MaskaPrzesuniecia = 0x1fff;

struct TPolozenieWiersza
{
    int Poczatek = 0;
    int Dlugosc = 0;
    quint16 Flagi = 0;
};

quint16 Czytaj16(const QByteArray& dane, int poz);
quint32 Czytaj32(const QByteArray& dane, int poz);
void Zapisz16(QByteArray& dane, int poz, quint16 wartosc);

// False for anything that is not a data page with a consistent row table.
bool CzyStronaDanych(const QByteArray& strona);
int LiczbaWierszy(const QByteArray& strona);
TPolozenieWiersza Wiersz(const QByteArray& strona, int nr);
int WolneMiejsce(const QByteArray& strona);

// Puts nowy in place of row nr, keeping its flags, moving the rows stored below it and rewriting the
// free-space count. False (page untouched) when the page has no room for it.
bool ZastapWiersz(QByteArray& strona, int nr, const QByteArray& nowy, quint16 flagi);

// Appends a row to the page (a new entry in the row table, the bytes below the lowest row); returns its
// number, or -1 (page untouched) when it has no room or the row number would not fit a row pointer.
int DodajWiersz(QByteArray& strona, const QByteArray& wiersz);
// Marks the row deleted, keeping its bytes.
void UsunWiersz(QByteArray& strona, int nr);

// The 4-byte pointer a moved row leaves where it was: the row number, then the page number in 3 bytes.
QByteArray Wskaznik(quint32 strona, int wiersz);
// The pointer's page and row; false when the bytes are no pointer.
bool CzytajWskaznik(const QByteArray& bajty, quint32& strona, int& wiersz);

// A Jet 4 row taken apart: column count, fixed part, variable fields, the bytes (if any) between the last
// field and the offset table, and the null mask (bit set = value present).
struct TRozbiorWiersza
{
    int LiczbaKolumn = 0;
    QByteArray Stale;
    std::vector<QByteArray> Zmienne;
    QByteArray Luka;
    QByteArray MaskaNull;
};

// False when the bytes are no row of a table with variable columns.
bool Rozbierz(const QByteArray& wiersz, TRozbiorWiersza& wynik);
QByteArray Zloz(const TRozbiorWiersza& rozbior);
} // namespace StronaJet4
