#pragma once

#include "app/Wyjatki.h"

#include <QString>

#include <optional>

// A margin field that does not hold a whole number of millimetres from 0 to 500; Pole tells which one
// (0 left, 1 right, 2 top, 3 bottom) so that the window can give it the focus.
class EBladMarginesu : public EBlad
{
public:
    EBladMarginesu(const QString& komunikat, int pole) : EBlad(komunikat), Pole(pole) {}
    int Pole;
};

// Page margins of an export, in whole millimetres.
struct TMarginesy
{
    int L = 25;
    int R = 25;
    int G = 25;
    int D = 25;
};

// Reads the four fields, checked in the order left, right, top, bottom; the first that fails raises its
// message ("Lewy margines jest nieprawidłowy", ...).
TMarginesy CzytajMarginesy(const QString& lewy, const QString& prawy, const QString& gorny, const QString& dolny);

// A margin in points as Word takes it: millimetres × 360 / 127 (20 mm gives 56.69 points).
double MilimetryNaPunkty(int milimetry);

// What the export dialog takes from a margin field after "Ustaw": the whole number, or 0.
int WartoscMarginesu(const QString& tekst);

// The preview of an A4 page (210 × 297 mm) drawn on a picture of szerokosc × wysokosc pixels: where the
// dotted line of each margin lies (x for left and right, y for top and bottom); a field that does not
// read as a whole number has no line.
struct TLiniePodgladu
{
    std::optional<int> Lewa, Prawa, Gorna, Dolna;
};
TLiniePodgladu LiniePodgladu(int szerokosc, int wysokosc, const QString& lewy, const QString& prawy,
                             const QString& gorny, const QString& dolny);
