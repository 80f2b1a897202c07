#pragma once

#include <QDateTime>
#include <QString>

// File, size and date helpers. A missing file is reported by -1 or an empty text, never by an error.

qint64 RozmiarPliku(const QString& sciezka);
// Size of the first match of a search for the path, which may hold the wildcards "*" and "?".
qint64 RozmiarPlikuWyszukaj(const QString& sciezka);
// "1023 bajtów", "1,5 KB (bajtów: 1536)", "2 MB (bajtów: 2097152)"; empty for -1.
QString RozmiarPlikuTekst(qint64 rozmiar);

// Last-write date as dd.MM.yyyy; empty when the file does not exist.
QString DataModyfikacjiPliku(const QString& sciezka);
// Creation date (local, dd.MM.yyyy) of the first match of a search for the path; empty when none.
QString DataUtworzeniaPliku(const QString& sciezka);
// A UTC file time as a local date-time.
QDateTime CzasPlikuNaLokalny(const QDateTime& czasUtc);

// The file name part of the path with every occurrence of its extension removed (any letter case).
QString NazwaPlikuBezRozszerzenia(const QString& sciezka);
// The text trimmed, then without / \ : * ? " < > | (used to make file names from titles).
QString UsunZnakiNiedozwolone(const QString& tekst);

// Major, minor, release and build of the program's version joined by ".".
QString WersjaProgramu();
