// velostra-office-testowy start|stop KATALOG: one office shared by the processes of one test program.
// "start" launches it (private profile, pipe, temporary folder) and leaves it running, with its pipe
// name in KATALOG/potok; "stop" ends its whole process group and removes its folders. CTest runs the two
// as the set-up and clean-up of the program's tests, which find the pipe through VELOSTRA_OFFICE_TESTOWY.
#include "docs/libreoffice/ProcesOffice.h"

#include "app/Wyjatki.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {

bool Zapisz(const QString& sciezka, const QByteArray& tresc)
{
    QFile plik(sciezka);
    return plik.open(QIODevice::WriteOnly | QIODevice::Truncate) && plik.write(tresc) == tresc.size();
}

QByteArray Czytaj(const QString& sciezka)
{
    QFile plik(sciezka);
    return plik.open(QIODevice::ReadOnly) ? plik.readAll().trimmed() : QByteArray();
}

int Start(const QString& katalog)
{
    QDir().mkpath(katalog);
    TProcesOffice proces;
    proces.Uruchom();
    const QString folder = proces.Katalog();
    const QString potok = proces.NazwaPotoku();
    const pid_t pid = proces.Odlacz();
    if (!Zapisz(katalog + QStringLiteral("/pid"), QByteArray::number(pid)) ||
        !Zapisz(katalog + QStringLiteral("/folder"), QFile::encodeName(folder)) ||
        !Zapisz(katalog + QStringLiteral("/potok"), potok.toUtf8())) {
        kill(-pid, SIGKILL);
        std::fprintf(stderr, "Nie można zapisać danych wspólnego pakietu biurowego w %s\n", qPrintable(katalog));
        return 1;
    }
    return 0;
}

int Stop(const QString& katalog)
{
    const pid_t pid = Czytaj(katalog + QStringLiteral("/pid")).toInt();
    if (pid > 0) {
        kill(-pid, SIGTERM);
        for (int i = 0; i < 100 && kill(-pid, 0) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        kill(-pid, SIGKILL);
    }
    const QString folder = QFile::decodeName(Czytaj(katalog + QStringLiteral("/folder")));
    if (!folder.isEmpty())
        QDir(folder).removeRecursively();
    QDir(katalog).removeRecursively();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication aplikacja(argc, argv);
    const QStringList argumenty = aplikacja.arguments();
    if (argumenty.size() != 3) {
        std::fprintf(stderr, "Użycie: velostra-office-testowy start|stop KATALOG\n");
        return 2;
    }
    try {
        if (argumenty[1] == QLatin1String("start"))
            return Start(argumenty[2]);
        if (argumenty[1] == QLatin1String("stop"))
            return Stop(argumenty[2]);
    } catch (const EBlad& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "Nieznane polecenie: %s\n", qPrintable(argumenty[1]));
    return 2;
}
