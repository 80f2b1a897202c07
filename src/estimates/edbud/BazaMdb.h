#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

// An Access (Jet 4) database file, with what the Edbud estimates need and nothing more: whole tables read
// row by row, and on a copy opened for writing one text column of one row set in place. Table and column
// names are compared without regard to letter case, as Access does. Every failure is an EBlad.
class TBazaMdb
{
public:
    // Column name (as asked for) -> value: QString for texts, qint64 for whole numbers, double for other
    // numbers, a null QVariant for NULL.
    using TWiersz = QHash<QString, QVariant>;

    virtual ~TBazaMdb() = default;

    // Never writes to the file.
    static std::unique_ptr<TBazaMdb> OtworzDoOdczytu(const QString& sciezka);
    // For a copy that is to be changed.
    static std::unique_ptr<TBazaMdb> OtworzDoZapisu(const QString& sciezka);

    virtual bool CzyTabela(const QString& tabela) const = 0;
    // Every live row of the table, in the table's storage order, with the asked columns.
    virtual std::vector<TWiersz> CzytajTabele(const QString& tabela, const QStringList& kolumny) const = 0;
    // Sets the text column of every row whose key column, as text, equals klucz. A column that is part of
    // an index is refused. Returns the number of rows changed.
    virtual int UstawTekst(const QString& tabela, const QString& kolumnaKlucza, const QString& klucz,
                           const QString& kolumna, const QString& wartosc) = 0;
    // The same for many keys in one pass over the table (key as text -> new text); every check is made
    // before anything is written.
    virtual int UstawTeksty(const QString& tabela, const QString& kolumnaKlucza,
                            const QHash<QString, QString>& wartosci, const QString& kolumna) = 0;
};
