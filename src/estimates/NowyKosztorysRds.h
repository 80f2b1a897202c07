#pragma once

#include <QString>

#include <vector>

// One position of an estimate made by the program.
struct TNowaPozycjaRds
{
    QString ST;
    QString Opis;
    QString Jm;
    double Cena = 0;
};

// Writes a new estimate in the Rodos text format (Windows-1250, CR LF), which every reader of the program
// reads back: one element holding the positions in order, each of quantity 1. The file is replaced
// safely. Raises EBlad with the reason when it cannot be written.
void ZapiszNowyKosztorysRds(const QString& sciezka, const QString& nazwa, const QString& opisElementu,
                            const std::vector<TNowaPozycjaRds>& pozycje);
