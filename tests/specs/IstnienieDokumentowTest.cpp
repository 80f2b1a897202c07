// Whether documents exist, answered from a folder's reading: every answer is QFileInfo::isFile's, for
// every kind of entry and path, before and after the folder is read, and inside and outside a scope.
#include "specs/IstnienieDokumentow.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

TEST(IstnienieDokumentow, OdpowiadaJakQFileInfo)
{
    QTemporaryDir katalog;
    const QString k = katalog.path();
    QDir().mkpath(k + QStringLiteral("/pod/glebiej"));
    ZapiszPlik(k + QStringLiteral("/plik.odt"), "x");
    ZapiszPlik(k + QStringLiteral("/Duze.ODT"), "x");
    ZapiszPlik(k + QStringLiteral("/pod/w podfolderze.doc"), "x");
    QFile::link(k + QStringLiteral("/plik.odt"), k + QStringLiteral("/dowiazanie.odt"));
    QFile::link(k + QStringLiteral("/pod"), k + QStringLiteral("/dowiazanie_folderu"));
    QFile::link(k + QStringLiteral("/brak.odt"), k + QStringLiteral("/zerwane.odt"));
    ZapiszPlik(k + QStringLiteral("/Żółć.odt"), "x");
    // A name that is no UTF-8: its text does not lead back to its bytes.
    const QByteArray bezUtf8 = QFile::encodeName(k) + "/b\xB3\xB9"
                                                      "d.odt";
    FILE* f = std::fopen(bezUtf8.constData(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    const QString sciezki[] = {
        k + QStringLiteral("/plik.odt"),
        k + QStringLiteral("/Duze.ODT"),
        k + QStringLiteral("/duze.odt"),
        k + QStringLiteral("/brak.odt"),
        k + QStringLiteral("/pod"),
        k + QStringLiteral("/pod/"),
        k + QStringLiteral("/pod/."),
        k + QStringLiteral("/pod/.."),
        k + QStringLiteral("/pod/w podfolderze.doc"),
        k + QStringLiteral("/pod/../plik.odt"),
        k + QStringLiteral("/./plik.odt"),
        k + QStringLiteral("//plik.odt"),
        k + QStringLiteral("/dowiazanie.odt"),
        k + QStringLiteral("/dowiazanie_folderu"),
        k + QStringLiteral("/dowiazanie_folderu/w podfolderze.doc"),
        k + QStringLiteral("/zerwane.odt"),
        k + QStringLiteral("/plik.odt/x"),
        k + QStringLiteral("/Żółć.odt"),
        k + QStringLiteral("/żółć.odt"),
        QFile::decodeName(bezUtf8),
        k + QStringLiteral("/b\uFFFD\uFFFDd.odt"),
        QStringLiteral("plik.odt"),
        QStringLiteral("/"),
        QString(),
    };
    TIstnienieDokumentow istnienie;
    // Three rounds: before the folders are read, while they are, after.
    for (int runda = 0; runda < 3; ++runda)
        for (int powtorzenie = 0; powtorzenie < 4; ++powtorzenie)
            for (const QString& s : sciezki)
                EXPECT_EQ(istnienie.CzyPlik(s), QFileInfo(s).isFile()) << s.toStdString() << " runda " << runda;

    // A file made or removed after the reading is seen by a new object.
    QFile::remove(k + QStringLiteral("/plik.odt"));
    EXPECT_TRUE(istnienie.CzyPlik(k + QStringLiteral("/plik.odt"))) << "the reading is as old as the object";
    TIstnienieDokumentow nowe;
    EXPECT_FALSE(nowe.CzyPlik(k + QStringLiteral("/plik.odt")));
    // The folder's removal cannot name it.
    std::remove(bezUtf8.constData());
}

TEST(IstnienieDokumentow, ZakresNaWatku)
{
    QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("a.odt"));
    ZapiszPlik(plik, "x");
    EXPECT_EQ(TZakresIstnieniaDokumentow::Biezace(), nullptr);
    TIstnienieDokumentow zewnetrzne;
    {
        TZakresIstnieniaDokumentow zakres(zewnetrzne);
        EXPECT_EQ(TZakresIstnieniaDokumentow::Biezace(), &zewnetrzne);
        const std::uint32_t pokolenie = TZakresIstnieniaDokumentow::Pokolenie();
        EXPECT_NE(pokolenie, 0u);
        for (int i = 0; i < 10; ++i)
            EXPECT_TRUE(CzyDokumentIstnieje(plik));
        TIstnienieDokumentow wewnetrzne;
        {
            TZakresIstnieniaDokumentow drugi(wewnetrzne);
            EXPECT_EQ(TZakresIstnieniaDokumentow::Biezace(), &wewnetrzne);
            EXPECT_NE(TZakresIstnieniaDokumentow::Pokolenie(), pokolenie);
        }
        EXPECT_EQ(TZakresIstnieniaDokumentow::Biezace(), &zewnetrzne);
        EXPECT_EQ(TZakresIstnieniaDokumentow::Pokolenie(), pokolenie);
        QFile::remove(plik);
        EXPECT_TRUE(CzyDokumentIstnieje(plik)) << "answered from the folder read in this scope";
    }
    EXPECT_EQ(TZakresIstnieniaDokumentow::Biezace(), nullptr);
    EXPECT_EQ(TZakresIstnieniaDokumentow::Pokolenie(), 0u);
    EXPECT_FALSE(CzyDokumentIstnieje(plik));
}

} // namespace
