#pragma once

#include "app/Wyjatki.h"

// A column the spreadsheet export cannot do without is missing.
class EWymaganaKolumnaException : public EBlad
{
public:
    using EBlad::EBlad;
};

// A spreadsheet export has no target path.
class ENoPathException : public EBlad
{
public:
    using EBlad::EBlad;
};
