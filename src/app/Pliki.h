#pragma once

#include "app/Wyjatki.h"

#include <QByteArray>
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

// The one "same file" rule of the program: two existing paths are the same file when they resolve to
// the same real path (links followed, "." and ".." removed); an existing and a missing path never are;
// two missing paths are when their cleaned absolute forms are equal.
bool CzyTenSamPlik(const QString& a, const QString& b);

// What stopped a whole-file read, so that a reader can replace the message with its own.
class EOdczytPliku : public EBlad
{
public:
    enum TPowod { Brak, ZaDuzy, BladOdczytu };
    EOdczytPliku(TPowod powod, const QString& komunikat, const QString& opisSystemu = QString())
        : EBlad(komunikat), FPowod(powod), FOpisSystemu(opisSystemu)
    {
    }
    TPowod Powod() const { return FPowod; }
    // The system's text of the failure (empty for a file over the limit).
    const QString& OpisSystemu() const { return FOpisSystemu; }

private:
    TPowod FPowod;
    QString FOpisSystemu;
};

// Far above any estimate, list or set a user has, and below what one QByteArray can hold.
inline constexpr qint64 LimitOdczytuPliku = qint64(1) << 30;

// The whole content of a file, refused beyond the limit before anything is read. Throws EOdczytPliku
// with a Polish message naming the file.
QByteArray CzytajCalyPlik(const QString& sciezka, qint64 limit = LimitOdczytuPliku);

// CzytajCalyPlik for a file the user chose to open: a missing or unreadable one is "Nie można otworzyć
// pliku "…".", one over the limit keeps its own message.
QByteArray CzytajPlikDoOtwarcia(const QString& sciezka);
