#include "specs/StrukturaSst.h"
#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

TEST(StrukturaSst, ZnacznikZastepowanyCalyPrzezDowiazanie)
{
    QTemporaryDir tmp;
    const QString folder = tmp.path() + QStringLiteral("/Specyfikacje Techniczne");
    const QString znacznik = folder + QStringLiteral("/struktura_sst.conf");
    // A marker kept elsewhere and linked into the folder is rewritten where it lies; the link stays.
    const QString wspolny = tmp.path() + QStringLiteral("/wspolny.conf");
    ZapiszPlik(wspolny, QByteArray("0\r\n"));
    QFile::setPermissions(wspolny, QFile::ReadOwner);
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::link(wspolny, znacznik));
    ZapiszStruktureSst(folder, 1);
    EXPECT_TRUE(QFileInfo(znacznik).isSymLink());
    EXPECT_EQ(CzytajPlik(wspolny), QByteArray("1\r\n"));
    EXPECT_TRUE(QFile::permissions(wspolny) & QFile::WriteOwner);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"struktura_sst.conf"});

    // A marker that cannot be replaced is reported, and nothing is left beside it.
    QFile::remove(znacznik);
    ZapiszPlik(znacznik + QStringLiteral("/zajety"), "x");
    OczekujBledu([&] { ZapiszStruktureSst(folder, 2); }, QStringLiteral("Nie można zapisać pliku: ") + znacznik);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
}

} // namespace
