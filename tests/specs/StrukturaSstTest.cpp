#include "specs/StrukturaSst.h"
#include "support/Pomocnicze.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(StrukturaSst, ZapisIOdczytZnacznika)
{
    QTemporaryDir tmp;
    const QString folder = tmp.path() + QStringLiteral("/nowy/Specyfikacje Techniczne");
    EXPECT_FALSE(CzytajStruktureSst(folder).Znaleziony);
    ZapiszStruktureSst(folder, 2);
    EXPECT_TRUE(CzytajStruktureSst(folder).Znaleziony);
    EXPECT_EQ(CzytajStruktureSst(folder).Struktura, 2);
    ZapiszStruktureSst(folder, 0);
    EXPECT_EQ(CzytajStruktureSst(folder).Struktura, 0);
    ZapiszPlik(folder + QStringLiteral("/struktura_sst.conf"), QByteArray("7\r\n"));
    EXPECT_TRUE(CzytajStruktureSst(folder).Znaleziony);
    EXPECT_FALSE(CzytajStruktureSst(folder).Struktura.has_value());
    ZapiszPlik(folder + QStringLiteral("/struktura_sst.conf"), QByteArray("drzewo\n1\n"));
    EXPECT_FALSE(CzytajStruktureSst(folder).Znaleziony);
}

} // namespace
