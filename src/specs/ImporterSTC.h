#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

// Reads the ".stc" file a drawing program writes: one record per line, fields separated by "|"; the
// first field is an ST number, the fourth the specification list (".sst") it was taken from. Collects the
// numbers and the list paths, each once whatever its letter case, in the order first met.
class TImporterSTC
{
public:
    // Raises "Wybrany plik nie istnieje: <path>" for a missing file. The text is decoded by its byte-order
    // mark, otherwise as Windows-1250 (the encoding such files are written in).
    void WczytajPlik(const QString& plikSctPath);
    // The same from the bytes of such a file.
    void WczytajZBajtow(const QByteArray& bajty);

    const QStringList& ListaNumerowSt() const { return FListaNrSt; }
    const QStringList& ListaSst() const { return FListaSSt; }

private:
    void Wyczysc();
    void CzytajTekst(const QString& tekst);
    static void Dopisz(QStringList& lista, QSet<QString>& klucze, const QString& wartosc);

    QStringList FListaNrSt;
    QStringList FListaSSt;
    // The case-folded entries of each list, so that a long file is not searched line by line.
    QSet<QString> FKluczeNrSt;
    QSet<QString> FKluczeSSt;
};
