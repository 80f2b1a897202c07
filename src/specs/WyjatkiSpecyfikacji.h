#pragma once

#include "app/Wyjatki.h"

// A path of the specification list exceeds the path limit that sets must respect to open elsewhere.
class ELongPathException : public EBlad
{
public:
    using EBlad::EBlad;
};
