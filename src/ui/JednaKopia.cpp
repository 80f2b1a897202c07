#include "ui/JednaKopia.h"

#include "app/Wyjatki.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

#include <memory>

#include <unistd.h>

namespace {

// A later start sends a path and nothing more; a connection beyond this size or time is not one.
constexpr qsizetype NajwiekszaWiadomosc = 64 * 1024;
constexpr int CzasWiadomosciMs = 5000;
constexpr int CzasLaczeniaMs = 2000;
constexpr int CzasBlokadyMs = 10000;

QString SciezkaBlokady(const QString& nazwaSerwera)
{
    QString nazwa = nazwaSerwera;
    nazwa.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QDir::tempPath() + QLatin1Char('/') + nazwa + QStringLiteral(".lock");
}

struct TWiadomosc
{
    QByteArray Dane;
    bool Odrzucona = false;
};

} // namespace

TJednaKopia::TJednaKopia(QString nazwaSerwera, QObject* rodzic)
    : QObject(rodzic), FNazwaSerwera(std::move(nazwaSerwera))
{
}

TJednaKopia::~TJednaKopia() = default;

QString TJednaKopia::DomyslnaNazwaSerwera()
{
    return QStringLiteral("velostra-5c0e9d2a7b41f3866e1d4a9b0c27f5e3-%1").arg(getuid());
}

bool TJednaKopia::Start(const QString& plik)
{
    if (FSerwer)
        return true;
    QLockFile blokada(SciezkaBlokady(FNazwaSerwera));
    if (!blokada.tryLock(CzasBlokadyMs))
        throw EBlad(QStringLiteral("Nie można sprawdzić, czy program jest już uruchomiony (blokada %1).")
                        .arg(QDir::toNativeSeparators(blokada.fileName())));
    if (PrzekazPierwszejKopii(plik))
        return false;
    // Nobody answers under the lock: a socket file that is still there was left by a copy that crashed.
    QLocalServer::removeServer(FNazwaSerwera);
    auto serwer = std::make_unique<QLocalServer>(this);
    serwer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!serwer->listen(FNazwaSerwera))
        throw EBlad(QStringLiteral("Nie można utworzyć gniazda programu „%1”; program nie może zostać uruchomiony.")
                        .arg(FNazwaSerwera));
    FSerwer = serwer.release();
    connect(FSerwer, &QLocalServer::newConnection, this, &TJednaKopia::NowePolaczenia);
    return true;
}

bool TJednaKopia::PrzekazPierwszejKopii(const QString& plik)
{
    QLocalSocket gniazdo;
    gniazdo.connectToServer(FNazwaSerwera);
    if (!gniazdo.waitForConnected(CzasLaczeniaMs)) {
        // Only "nobody there" makes this the first copy; any other failure may hide a running one.
        const QLocalSocket::LocalSocketError blad = gniazdo.error();
        if (blad == QLocalSocket::ServerNotFoundError || blad == QLocalSocket::ConnectionRefusedError)
            return false;
        throw EBlad(QStringLiteral("Nie można połączyć się z uruchomioną kopią programu."));
    }
    const QByteArray dane = plik.toUtf8();
    bool wyslano = gniazdo.write(dane) == dane.size();
    while (wyslano && gniazdo.bytesToWrite() > 0)
        wyslano = gniazdo.waitForBytesWritten(CzasLaczeniaMs);
    gniazdo.disconnectFromServer();
    if (gniazdo.state() != QLocalSocket::UnconnectedState)
        gniazdo.waitForDisconnected(CzasLaczeniaMs);
    if (!wyslano)
        throw EBlad(QStringLiteral("Nie można przekazać pliku do uruchomionej kopii programu."));
    return true;
}

void TJednaKopia::NowePolaczenia()
{
    while (QLocalSocket* gniazdo = FSerwer->nextPendingConnection()) {
        auto wiadomosc = std::make_shared<TWiadomosc>();
        const auto odrzuc = [gniazdo, wiadomosc] {
            wiadomosc->Odrzucona = true;
            gniazdo->abort();
        };
        connect(gniazdo, &QLocalSocket::readyRead, gniazdo, [gniazdo, wiadomosc, odrzuc] {
            wiadomosc->Dane += gniazdo->readAll();
            if (wiadomosc->Dane.size() > NajwiekszaWiadomosc)
                odrzuc();
        });
        // The message is whole when the sender closes.
        connect(gniazdo, &QLocalSocket::disconnected, this, [this, gniazdo, wiadomosc] {
            wiadomosc->Dane += gniazdo->readAll();
            gniazdo->deleteLater();
            if (!wiadomosc->Odrzucona && wiadomosc->Dane.size() <= NajwiekszaWiadomosc)
                Q_EMIT Aktywuj(QString::fromUtf8(wiadomosc->Dane));
        });
        QTimer::singleShot(CzasWiadomosciMs, gniazdo, odrzuc);
    }
}
