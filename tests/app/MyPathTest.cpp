#include "app/MyPath.h"
#include "app/Konfiguracja.h"
#include "app/Wyjatki.h"

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

TEST(TMyPath, ToStringDlaDiagnostyki)
{
    static TOknoBezEkranu okno;
    TKonfiguracja::GetInstance(&okno, false);
    TMyPath sciezka;
    sciezka.SetEncodedPath(QStringLiteral("%USERPATH%/a.sst"));
    EXPECT_EQ(sciezka.GetPath(), TKonfiguracja::GetInstance()->GetUserPath() + QStringLiteral("/a.sst"));
    EXPECT_EQ(sciezka.GetLongPath(), sciezka.GetPath());
    EXPECT_TRUE(sciezka.ToString().startsWith(QStringLiteral("Plik: ")));
    EXPECT_TRUE(sciezka.ToString().endsWith(QStringLiteral(" encoded: %USERPATH%/a.sst")));
    TKonfiguracja::Zwolnij(false);
    // Without the configuration there is no user folder to resolve against.
    EXPECT_THROW(sciezka.GetPath(), EBlad);
}

} // namespace
