#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <utility>
#include <vector>

// Builds, in memory, an Access 2000 (Jet 4) database file for tests: the header page, the system catalogue
// MSysObjects, and per table a definition page and data pages filled row after row until a page is full.
// Only what the Edbud tests need: no memo fields, no page encryption, and indexes only as declarations
// (see DodajIndeks). Wrong input (a value
// count that does not match the columns, a text longer than its column, a row larger than a page) throws
// std::invalid_argument, so a fixture can never be silently different from what the test asked for.
class TGeneratorJet4
{
public:
    // Ole (long binary) only as NULL: the catalogue's LvProp column, which mdbtools insists on.
    enum class TTyp : quint8 { Integer = 3, Long = 4, Currency = 5, Double = 7, Text = 10, Ole = 11 };

    struct TKolumna
    {
        QString Nazwa;
        TTyp Typ = TTyp::Long;
        int Znaki = 255; // Text: the declared length in characters.
        bool Kompresja =
            true; // Text: the column allows the compressed form (0xFF 0xFE, one byte per Latin-1 character).
    };

    static constexpr int RozmiarStrony = 4096;

    // Returns the table's number for the calls below.
    int DodajTabele(const QString& nazwa, const std::vector<TKolumna>& kolumny);
    // One value per column: an invalid QVariant is NULL; Long/Integer take whole numbers, Double and Currency
    // any number (Currency is kept to four decimals), Text a string (an empty string is not NULL).
    // Returns the row's number in the table.
    int DodajWiersz(int tabela, const QVariantList& wartosci);
    // The row stays on its page with the deleted flag in the row offset table, as Access leaves it.
    void UsunWiersz(int tabela, int wiersz);
    // Declares a single-column index, as a table definition lists it (so a writer can see that the column is
    // indexed); its leaf page holds no entries, as the generator does not encode index keys. Readers that scan
    // tables (mdbtools, mdb-reader) read such a table like any other.
    void DodajIndeks(int tabela, const QString& kolumna, const QString& nazwa, bool kluczGlowny = false);
    // Bytes left unused on every data page; 0 (the default) packs pages as full as the rows allow.
    void UstawZapasStrony(int bajty);

    QByteArray Zbuduj() const;
    // Throws std::runtime_error when the file cannot be written.
    void Zapisz(const QString& sciezka) const;

private:
    struct TTabela
    {
        QString Nazwa;
        std::vector<TKolumna> Kolumny;
        std::vector<QByteArray> Wiersze; // Already in the row format of a data page.
        std::vector<bool> Usuniete;
        bool Systemowa = false;
        std::vector<std::pair<int, bool>> Indeksy; // column, primary key
        QStringList NazwyIndeksow;
    };

    std::vector<TTabela> Tabele;
    int Zapas = 0;

    static QByteArray KodujWiersz(const TTabela& tabela, const QVariantList& wartosci);
};

// Databases shaped like Edbud's, for the estimate reader and writer tests. A NULL cell is an invalid QVariant.
struct TRozdzialEdbud
{
    qint32 Id = 0;
    QVariant Lp;
    QVariant Nazwa;
    qint32 Kolejnosc = 0;
};

struct TPozycjaEdbud
{
    qint32 Id = 0;
    qint32 IdRozdzialu = 0;
    QVariant Lp;
    QVariant Kod;
    QVariant Nazwa;
    QVariant Jednostka;
    QVariant Ilosc;
    QVariant Ts;
    QVariant Cena; // double
    qint32 Kolejnosc = 0;
};

// Tables "chapters" (table 0) and "positions" (table 1), rows in the given order; kompresja sets the text
// columns' compression flag. Rows can still be added or marked deleted on the returned generator.
TGeneratorJet4 GeneratorKosztorysuEdbud(const std::vector<TRozdzialEdbud>& rozdzialy,
                                        const std::vector<TPozycjaEdbud>& pozycje, bool kompresja = true);
// Table "UNITS" with the columns "code" and "name".
TGeneratorJet4 GeneratorJednostekEdbud(const std::vector<std::pair<QString, QString>>& jednostki);
