#include "ui/JednaKopia.h"

#include "app/Wyjatki.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {

// A name of the test's own, in the test program's temporary folder: never the running program's.
QString NazwaTestowa(const char* nazwa)
{
    return QStringLiteral("velostra-test-") + QString::fromUtf8(nazwa);
}

TEST(JednaKopia, DrugiStartPrzekazujePlikPierwszejKopii)
{
    for (const QString& plik : {QStringLiteral("/home/użytkownik/zestawy/budowa drogi.zst"), QString()}) {
        SCOPED_TRACE(plik.toStdString());
        TJednaKopia pierwsza(NazwaTestowa("przekazanie"));
        ASSERT_TRUE(pierwsza.Start());
        QSignalSpy aktywacje(&pierwsza, &TJednaKopia::Aktywuj);
        TJednaKopia druga(NazwaTestowa("przekazanie"));
        EXPECT_FALSE(druga.Start(plik));
        ASSERT_TRUE(aktywacje.wait(3000));
        ASSERT_EQ(aktywacje.size(), 1);
        EXPECT_EQ(aktywacje.at(0).at(0).toString(), plik);
    }
    // The first copy gone, the next start is the first again.
    TJednaKopia kolejna(NazwaTestowa("przekazanie"));
    EXPECT_TRUE(kolejna.Start());
}

TEST(JednaKopia, GniazdoPoAwariiZostajeUsuniete)
{
    const QString nazwa = NazwaTestowa("awaria");
    const QByteArray sciezka = QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + nazwa);
    // A socket bound and never closed by its owner, as a crashed copy leaves it.
    sockaddr_un adres{};
    adres.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(sciezka.size()), sizeof(adres.sun_path));
    std::memcpy(adres.sun_path, sciezka.constData(), static_cast<size_t>(sciezka.size()));
    const int gniazdo = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(gniazdo, reinterpret_cast<sockaddr*>(&adres), sizeof(adres)), 0);
    close(gniazdo);
    ASSERT_TRUE(QFileInfo::exists(QFile::decodeName(sciezka)));

    TJednaKopia pierwsza(nazwa);
    EXPECT_TRUE(pierwsza.Start());
    QSignalSpy aktywacje(&pierwsza, &TJednaKopia::Aktywuj);
    EXPECT_FALSE(TJednaKopia(nazwa).Start(QStringLiteral("a.zst")));
    EXPECT_TRUE(aktywacje.wait(3000));
}

TEST(JednaKopia, NieudaneNasluchiwanieToBlad)
{
    const QString nazwa = QDir::tempPath() + QStringLiteral("/brak-folderu/gniazdo");
    OczekujBledu(
        [&] { TJednaKopia(nazwa).Start(); },
        QStringLiteral("Nie można utworzyć gniazda programu „%1”; program nie może zostać uruchomiony.").arg(nazwa));
}

} // namespace
