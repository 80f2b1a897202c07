#pragma once

#include "app/Wyjatki.h"

// The word processor that produces the documents is not available.
class EBrakWordException : public EBlad
{
public:
    using EBlad::EBlad;
};
