#pragma once

#include "app/Pliki.h"

#include <QByteArray>
#include <QString>

#include <vector>

class TElementRds;
class TPozycjaRds;

// Reading and checks shared by the estimate formats' readers and the writers that copy a text or XML
// estimate with its ST numbers.

// The messages a format gives for the causes that stop the reading of its file.
struct TKomunikatyOdczytu
{
    QString Brak;
    QString ZaDuzy;
    QString BladOdczytu;
};

// The whole file of an estimate through the program's one whole-file read (CzytajCalyPlik), its failure
// raised as EBlad with the format's message for the cause.
QByteArray CzytajPlikKosztorysu(const QString& sciezka, const TKomunikatyOdczytu& komunikaty,
                                qint64 limit = LimitOdczytuPliku);

// The bytes of the source estimate. Throws EBlad "Błąd przetwarzania kosztorysu: błąd odczytu pliku."
// when the file cannot be read, "Wybrany plik kosztorysu jest nieprawidłowy." when it is beyond the size
// any estimate has.
QByteArray CzytajZrodloKopii(const QString& zrodlo);

// Refuses a target that cannot be written ("Błąd tworzenia kosztorysu: brak możliwości zapisu pliku.") and
// a target whose writing would replace or remove the source: the source's own path (also through another
// name or link) and, when the target exists, its "~" name, under which the safe write parks the old file.
void SprawdzCelKopii(const QString& zrodlo, const QString& cel);

// Positions by Id, the first in tree order winning: what TKosztorys::ZnajdzPozycjePoId finds, in
// logarithmic time. A sorted list rather than TKosztorys::ZbudujIndeksId's QHash: with the process's
// random seed, growing a QHash of 50,000 Ids costs more than the rest of writing a copy; and a list
// cannot be flooded with colliding Ids.
class TIndeksPozycji
{
public:
    explicit TIndeksPozycji(const TElementRds& korzen);
    const TPozycjaRds* Znajdz(const QString& id) const;

private:
    struct TWpis
    {
        quint64 Skrot; // orders the list before the text is compared: most comparisons never leave it
        QString Id;
        const TPozycjaRds* Pozycja;
    };
    static quint64 Skrot(const QString& id);
    std::vector<TWpis> FPozycje;
};
