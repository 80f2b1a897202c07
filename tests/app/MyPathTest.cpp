#include "app/MyPath.h"

#include <gtest/gtest.h>

namespace {

TEST(TMyPath, SciezkaWKataloguUzytkownikaIPrzeniesienieKatalogu)
{
    const struct
    {
        const char* Uzytkownika;
        const char* Sciezka;
        const char* Zapisana;
        const char* NowyKatalog;
        const char* PoPrzeniesieniu;
    } przypadki[] = {
        {"C:\\Users\\A\\Documents\\Velostra", "C:\\Users\\A\\Documents\\Velostra\\Dane\\x.sst", "%USERPATH%/Dane/x.sst",
         "D:\\V", "D:/V/Dane/x.sst"},
        {"/home/a/Dokumenty/Velostra", "/home/a/Dokumenty/Velostra/Dane/x.sst", "%USERPATH%/Dane/x.sst", "/srv/v",
         "/srv/v/Dane/x.sst"},
        {"/home/a/Dokumenty/Velostra", "/HOME/A/dokumenty/velostra/Dane/x.sst", "%USERPATH%/Dane/x.sst", "/srv/v",
         "/srv/v/Dane/x.sst"},
        {"/home/a/V", "/home/a/V2/x.sst", "/home/a/V2/x.sst", "/srv/v", "/home/a/V2/x.sst"},
        {"/home/a/V", "/mnt/home/a/V/x.sst", "/mnt/home/a/V/x.sst", "/srv/v", "/mnt/home/a/V/x.sst"},
        {"/home/a/V", "/inne/x.sst", "/inne/x.sst", "/srv/v", "/inne/x.sst"},
        {"/home/a/V", "\\\\?\\C:\\\\dane\\\\x.sst", "C:/dane/x.sst", "/srv/v", "C:/dane/x.sst"},
    };
    for (const auto& p : przypadki) {
        TMyPath sciezka;
        sciezka.SetPath(QString::fromUtf8(p.Sciezka), QString::fromUtf8(p.Uzytkownika));
        EXPECT_EQ(sciezka.EncodedPath(), QString::fromUtf8(p.Zapisana)) << p.Sciezka;
        EXPECT_EQ(sciezka.GetPath(QString::fromUtf8(p.NowyKatalog)), QString::fromUtf8(p.PoPrzeniesieniu)) << p.Sciezka;
    }
}

TEST(TMyPath, TokenWDowolnejWielkosciLiterISeparatoryZWindows)
{
    for (const char* zapisana : {"%USERPATH%\\Dane\\x.sst", "%userpath%/Dane/x.sst", "%UserPath%\\Dane/x.sst"}) {
        TMyPath sciezka;
        sciezka.SetEncodedPath(QString::fromUtf8(zapisana));
        EXPECT_EQ(sciezka.GetPath(QStringLiteral("/home/u/Velostra")), QStringLiteral("/home/u/Velostra/Dane/x.sst"));
    }
}

TEST(TMyPath, PustaIBialaSciezkaBezZdarzenia)
{
    int zmian = 0;
    TMyPath sciezka;
    sciezka.OnChange = [&zmian](TMyPath*) { ++zmian; };
    sciezka.SetPath(QStringLiteral("   "), QStringLiteral("/u"));
    EXPECT_EQ(sciezka.EncodedPath(), QStringLiteral("   "));
    EXPECT_EQ(zmian, 0);
    sciezka.SetPath(QStringLiteral("/u/a"), QStringLiteral("/u"));
    EXPECT_EQ(zmian, 1);
    sciezka.SetEncodedPath(QString());
    EXPECT_EQ(zmian, 2);
    EXPECT_EQ(sciezka.GetPath(QStringLiteral("/u")), QString());
}

TEST(TMyPath, WlasnyKatalogUzytkownikaIJegoZmiana)
{
    TMyPath sciezka(QStringLiteral("/u"));
    sciezka.SetPath(QStringLiteral("/u/Dane/a.sst"));
    EXPECT_EQ(sciezka.EncodedPath(), QStringLiteral("%USERPATH%/Dane/a.sst"));
    TMyPath kopia = sciezka;
    kopia.UstawKatalogUzytkownika(QStringLiteral("/v"));
    EXPECT_EQ(kopia.GetPath(), QStringLiteral("/v/Dane/a.sst"));
    EXPECT_EQ(sciezka.GetPath(), QStringLiteral("/u/Dane/a.sst"));
    EXPECT_TRUE(sciezka.ToString().endsWith(QStringLiteral(" encoded: %USERPATH%/Dane/a.sst")));

    // Set before its owner knew the folder: stored with the token once the folder comes, silently.
    int zmian = 0;
    TMyPath wczesna;
    wczesna.OnChange = [&zmian](TMyPath*) { ++zmian; };
    wczesna.SetPath(QStringLiteral("/v/Dane/b.sst"));
    wczesna.UstawKatalogUzytkownika(QStringLiteral("/v"));
    EXPECT_EQ(wczesna.EncodedPath(), QStringLiteral("%USERPATH%/Dane/b.sst"));
    EXPECT_EQ(zmian, 1);

    // Without a folder the token stays rather than pointing at the root.
    TMyPath bez;
    bez.SetEncodedPath(QStringLiteral("%USERPATH%/a.sst"));
    EXPECT_EQ(bez.GetPath(), QStringLiteral("%USERPATH%/a.sst"));
    EXPECT_EQ(bez.GetLongPath(), bez.GetPath());
}

// The quick search for the token must answer as Qt's case-insensitive search, letters that fold to ASCII ones
// included, and GetPath must replace every occurrence as QString::replace does.
TEST(TMyPath, SzybkieSzukanieTokenuJakQt)
{
    const char* teksty[] = {"",
                            "%",
                            "%USERPATH",
                            "%userpath%/a",
                            "x%UserPath%%USERPATH%y",
                            "%%USERPATH%",
                            "%US\xC5\xBF"
                            "ERPATH%/kelvin",
                            "/a/%USER%PATH%/b",
                            "/a/b%USERPATH%",
                            "%USERPATH%USERPATH%"};
    for (const char* t : teksty) {
        const QString tekst = QString::fromUtf8(t);
        EXPECT_EQ(TMyPath::ZawieraToken(tekst), tekst.contains(TMyPath::Token, Qt::CaseInsensitive)) << t;
        TMyPath sciezka(QStringLiteral("/srv/v"));
        sciezka.SetEncodedPath(tekst);
        QString oczekiwana = tekst;
        oczekiwana.replace(TMyPath::Token, QStringLiteral("/srv/v"), Qt::CaseInsensitive);
        if (!oczekiwana.trimmed().isEmpty()) {
            EXPECT_EQ(sciezka.GetPath(), oczekiwana) << t;
        }
    }
}

} // namespace
