#pragma once

#include "app/Konfiguracja.h"

#include <gtest/gtest.h>

// A test with a fresh configuration singleton (first-start defaults, one 1920x1080 screen), released
// after the test so that no setting leaks into the next one.
class TTestZKonfiguracja : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TKonfiguracja::Zwolnij(false);
        FKonfiguracja = TKonfiguracja::GetInstance(&FOkno, false);
    }
    void TearDown() override { TKonfiguracja::Zwolnij(false); }

    TKonfiguracja& Konfiguracja() { return *FKonfiguracja; }

private:
    TOknoBezEkranu FOkno;
    TKonfiguracja* FKonfiguracja = nullptr;
};
