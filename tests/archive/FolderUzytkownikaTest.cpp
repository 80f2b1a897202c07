// First run: the user folder made and filled from the program's archive, never an existing one.

#include "archive/PomocnikArchiwizatora.h"

#include "app/Wyjatki.h"
#include "archive/Archiwum.h"
#include "archive/FolderUzytkownika.h"

namespace {

class TFolderUzytkownika : public ::testing::Test
{
protected:
    QString Tmp(const QString& wzgledna) const { return FTmp.path() + QLatin1Char('/') + wzgledna; }
    QTemporaryDir FTmp;
};

TEST_F(TFolderUzytkownika, ArchiwumZBudowaniaWypelniaNowyFolderDanymiDemo)
{
    // Built from data/demo next to the programs; its content becomes the user folder.
    const QString archiwum = QStringLiteral(VELOSTRA_BIN_DIR "/Velostra.zip");
    ASSERT_TRUE(QFileInfo(archiwum).isFile()) << "zbuduj cel velostra_archiwum_pierwszego";
    const QString folder = Tmp(QStringLiteral("Dokumenty/Velostra"));
    EXPECT_TRUE(PrzygotujFolderUzytkownika(folder, archiwum));
    const QStringList pliki = PlikiWFolderze(FolderDemo());
    ASSERT_FALSE(pliki.isEmpty());
    EXPECT_EQ(PlikiWFolderze(folder), pliki);
    for (const QString& p : pliki)
        EXPECT_EQ(CzytajPlik(folder + QLatin1Char('/') + p), CzytajPlik(FolderDemo() + QLatin1Char('/') + p))
            << p.toStdString();
}

TEST_F(TFolderUzytkownika, IstniejacyFolderZostajeNietkniety)
{
    TArchiwum a;
    a.DodajDane(QStringLiteral("Lista.sst"), QByteArray("<sst/>"));
    a.Zapisz(Tmp(QStringLiteral("V.zip")));
    const QString folder = Tmp(QStringLiteral("u"));
    ZapiszPlik(folder + QStringLiteral("/moje.txt"), QByteArray("moje"));
    EXPECT_FALSE(PrzygotujFolderUzytkownika(folder, Tmp(QStringLiteral("V.zip"))));
    EXPECT_EQ(PlikiWFolderze(folder), QStringList{QStringLiteral("moje.txt")});
    // A second start after a first one does not unpack again either.
    const QString nowy = Tmp(QStringLiteral("n"));
    EXPECT_TRUE(PrzygotujFolderUzytkownika(nowy, Tmp(QStringLiteral("V.zip"))));
    ZapiszPlik(nowy + QStringLiteral("/Lista.sst"), QByteArray("zmieniona"));
    EXPECT_FALSE(PrzygotujFolderUzytkownika(nowy, Tmp(QStringLiteral("V.zip"))));
    EXPECT_EQ(CzytajPlik(nowy + QStringLiteral("/Lista.sst")), QByteArray("zmieniona"));
}

TEST_F(TFolderUzytkownika, BrakArchiwumZostawiaPustyNowyFolder)
{
    const QString folder = Tmp(QStringLiteral("a/b/u"));
    EXPECT_TRUE(PrzygotujFolderUzytkownika(folder, Tmp(QStringLiteral("nie ma.zip"))));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(TFolderUzytkownika, FolderyWpisowIPolskieNazwy)
{
    TArchiwum a;
    a.DodajDane(QStringLiteral("Dane\\Szablony\\"), QByteArray());
    a.DodajDane(QStringLiteral("Specyfikacje Techniczne\\Ściany.odt"), QByteArray("ściany"));
    a.Zapisz(Tmp(QStringLiteral("V.zip")));
    const QString folder = Tmp(QStringLiteral("u"));
    EXPECT_TRUE(PrzygotujFolderUzytkownika(folder, Tmp(QStringLiteral("V.zip"))));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/Dane/Szablony")).isDir());
    EXPECT_EQ(CzytajPlik(folder + QStringLiteral("/Specyfikacje Techniczne/Ściany.odt")), QByteArray("ściany"));
}

class TWrogieArchiwumPierwszegoUruchomienia : public TFolderUzytkownika,
                                              public ::testing::WithParamInterface<const char*>
{
};

TEST_P(TWrogieArchiwumPierwszegoUruchomienia, NiczegoNieZapisuje)
{
    TArchiwum a;
    a.DodajDane(QStringLiteral("dobry.txt"), QByteArray("dobry"));
    a.DodajDane(QString::fromUtf8(GetParam()), QByteArray("zły"));
    a.Zapisz(Tmp(QStringLiteral("V.zip")));
    const QString folder = Tmp(QStringLiteral("x/u"));
    EXPECT_THROW(PrzygotujFolderUzytkownika(folder, Tmp(QStringLiteral("V.zip"))), EBlad);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(PlikiWFolderze(FTmp.path()), QStringList{QStringLiteral("V.zip")});
}

INSTANTIATE_TEST_SUITE_P(Nazwy, TWrogieArchiwumPierwszegoUruchomienia,
                         ::testing::Values("..\\zly.txt", "a\\..\\..\\zly.txt", "\\tmp\\zly.txt", "C:\\zly.txt",
                                           "a\\.\\zly.txt"));

} // namespace
