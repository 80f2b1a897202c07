#include "cli/Cli.h"
#include "app/Konfiguracja.h"
#include "support/Pomocnicze.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

struct TWynikCli
{
    int Kod;
    QString Wyjscie;
    QString Bledy;
};

TWynikCli Uruchom(const QStringList& argumenty)
{
    QString wyjscie;
    QString bledy;
    QTextStream sw(&wyjscie);
    QTextStream sb(&bledy);
    TCli cli;
    const int kod = cli.Uruchom(argumenty, sw, sb);
    return {kod, wyjscie, bledy};
}

TEST(Cli, Wersja)
{
    const TWynikCli w = Uruchom({QStringLiteral("--version")});
    EXPECT_EQ(w.Kod, 0);
    EXPECT_TRUE(w.Wyjscie.startsWith(QStringLiteral("velostra-cli ")));
}

TEST(Cli, BledyPoPolskuNaStrumienBledowZKodem1)
{
    const struct
    {
        QStringList Argumenty;
        const char* Komunikat;
    } przypadki[] = {
        {{}, "Użycie: velostra-cli"},
        {{QStringLiteral("nieznane")}, "Nieznane polecenie: nieznane"},
        {{QStringLiteral("konfiguracja"), QStringLiteral("x")}, "nie przyjmuje argumentów"},
    };
    for (const auto& p : przypadki) {
        const TWynikCli w = Uruchom(p.Argumenty);
        EXPECT_EQ(w.Kod, 1);
        EXPECT_TRUE(w.Bledy.contains(QString::fromUtf8(p.Komunikat))) << w.Bledy.toStdString();
        EXPECT_TRUE(w.Wyjscie.isEmpty());
    }
}

TEST(Cli, KonfiguracjaJakoJsonBezZmianyPliku)
{
    QFile::remove(TKonfiguracja::GetConfFilePath());
    ZapiszPlik(TKonfiguracja::GetConfFilePath(),
               "<zestaw wspolczynnikGlobalnyCenyJedn=\"1,1\"><rozmiary st=\"11\"/><warianty use=\"true\"/></zestaw>");
    const QByteArray przed = CzytajPlik(TKonfiguracja::GetConfFilePath());
    const TWynikCli w = Uruchom({QStringLiteral("konfiguracja")});
    ASSERT_EQ(w.Kod, 0) << w.Bledy.toStdString();
    QJsonParseError blad;
    const QJsonObject json = QJsonDocument::fromJson(w.Wyjscie.toUtf8(), &blad).object();
    ASSERT_EQ(blad.error, QJsonParseError::NoError);
    EXPECT_EQ(json[QStringLiteral("plik")].toString(), TKonfiguracja::GetConfFilePath());
    const QJsonObject wartosci = json[QStringLiteral("wartosci")].toObject();
    EXPECT_EQ(wartosci[QStringLiteral("RozmiarSpecyfikacje")].toInt(), 11);
    EXPECT_TRUE(wartosci[QStringLiteral("CzyKorzystajZWariantow")].toBool());
    EXPECT_DOUBLE_EQ(wartosci[QStringLiteral("WspolczynnikGlobalnyCenyJedn")].toDouble(), 1.1);
    EXPECT_EQ(wartosci[QStringLiteral("ZestawyPath")].toObject()[QStringLiteral("zapisana")].toString(),
              QStringLiteral("%USERPATH%/Dane/Zestawy"));
    EXPECT_EQ(wartosci.size(), 77);
    EXPECT_EQ(CzytajPlik(TKonfiguracja::GetConfFilePath()), przed);
    EXPECT_FALSE(TKonfiguracja::Istnieje());
    // The next tests start from the first-start settings, whatever order they run in.
    QFile::remove(TKonfiguracja::GetConfFilePath());
}

} // namespace
