#pragma once

#include "app/Wyjatki.h"

// A path inside an archive, or where it would be unpacked, is too long.
class EZaDlugaSciezkaException : public EBlad
{
public:
    using EBlad::EBlad;
};
