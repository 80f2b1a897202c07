#pragma once

#include "app/Wyjatki.h"

// Failures of reading and copying estimates that callers tell apart.
class EBrakIdNrPozycjiException : public EBlad
{
public:
    using EBlad::EBlad;
};

class EBrakNrPozycjiException : public EBlad
{
public:
    using EBlad::EBlad;
};

class EBrakIdPozycjiException : public EBlad
{
public:
    using EBlad::EBlad;
};

// The copy an estimate would be written to already exists.
class EKopiaIstniejeException : public EBlad
{
public:
    using EBlad::EBlad;
};

// The estimate's source file is gone.
class EBrakPlikuZrodlowego : public EBlad
{
public:
    using EBlad::EBlad;
};

// The estimate's source file cannot be understood.
class ENieprawidlowyPlikZrodlowy : public EBlad
{
public:
    using EBlad::EBlad;
};
