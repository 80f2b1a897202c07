#include "ui/GlowneOkno.h"
#include "app/Konfiguracja.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

TEST(GlowneOkno, OtwieraSieZTytulem)
{
    TGlowneOkno okno;
    okno.show();
    QApplication::processEvents();
    EXPECT_TRUE(okno.isVisible());
    EXPECT_EQ(okno.windowTitle(), QStringLiteral("Velostra"));
}

TEST(GlowneOkno, KonfiguracjaBierzePolozenieIRozmiarOkna)
{
    TGlowneOkno okno;
    TKonfiguracja* k = TKonfiguracja::GetInstance(&okno, false);
    EXPECT_EQ(k->Size.width(), static_cast<int>(std::nearbyint(okno.RozmiarEkranu().width() * 0.8)));
    okno.resize(640, 480);
    okno.show();
    QApplication::processEvents();
    okno.PobierzStanOkna(*k);
    EXPECT_EQ(k->Size, QSize(640, 480));
    EXPECT_FALSE(k->Maximized);
    TKonfiguracja::Zwolnij(false);
}

} // namespace
