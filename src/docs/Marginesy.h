#pragma once

#include "app/Wyjatki.h"

#include <QString>

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
