#pragma once

#include "app/Wyjatki.h"

// The word processor that produces the documents is not available.
class EBrakWordException : public EBlad
{
public:
    using EBlad::EBlad;
};

// The word processor could not be started (not installed, or it ended at once).
class EBrakSilnikaDokumentow : public EBlad
{
public:
    using EBlad::EBlad;
};

// The word processor went away in the middle of the work (it crashed or was killed); the engine can be
// started again and the work repeated.
class ESilnikUtracony : public EBlad
{
public:
    using EBlad::EBlad;
};
