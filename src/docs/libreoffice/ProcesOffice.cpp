#include "docs/libreoffice/ProcesOffice.h"

#include "docs/AdresPliku.h"
#include "docs/WyjatkiDokumentow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QUuid>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Locking off: a stale lock file would make documents read-only and every store would fail.
const char* const KRejestrProfilu = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseLocking" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Save/Document"><prop oor:name="CreateBackup" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Recovery/AutoSave"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="MacroSecurityLevel" oor:op="fuse"><value>3</value></prop></item>
</oor:items>
)";

QString KatalogProfilu(const QTemporaryDir& katalog)
{
    return katalog.path() + QStringLiteral("/profil");
}

} // namespace

TProcesOffice::TProcesOffice()
    : FKatalog(QDir::tempPath() + QStringLiteral("/velostra-office-XXXXXX")),
      FNazwaPotoku(QStringLiteral("velostra_%1").arg(QUuid::createUuid().toString(QUuid::Id128)))
{
}

TProcesOffice::~TProcesOffice()
{
    Zakoncz(0);
}

QString TProcesOffice::PlikWykonywalny()
{
    const QString zmienna = qEnvironmentVariable("VELOSTRA_SOFFICE");
    if (!zmienna.isEmpty())
        return zmienna;
    return QStringLiteral(VELOSTRA_LO_PROGRAM "/soffice");
}

void TProcesOffice::PrzygotujProfil()
{
    if (!FKatalog.isValid())
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie można utworzyć folderu tymczasowego dla pakietu biurowego."));
    const QString user = KatalogProfilu(FKatalog) + QStringLiteral("/user");
    QDir().mkpath(user);
    QDir().mkpath(FKatalog.path() + QStringLiteral("/tmp"));
    QFile rejestr(user + QStringLiteral("/registrymodifications.xcu"));
    if (!rejestr.exists()) {
        if (!rejestr.open(QIODevice::WriteOnly) || rejestr.write(KRejestrProfilu) < 0)
            throw EBrakSilnikaDokumentow(QStringLiteral("Nie można przygotować profilu pakietu biurowego."));
    }
}

void TProcesOffice::Uruchom()
{
    Zakoncz(0);
    PrzygotujProfil();
    const QString program = PlikWykonywalny();
    if (access(QFile::encodeName(program).constData(), X_OK) != 0)
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie znaleziono pakietu biurowego LibreOffice: ") + program);

    std::vector<QByteArray> argumenty = {
        QFile::encodeName(program),
        "--headless",
        "--invisible",
        "--nologo",
        "--norestore",
        "--nodefault",
        "--nolockcheck",
        "--nofirststartwizard",
        ("-env:UserInstallation=" + ConvertToURL(KatalogProfilu(FKatalog))).toUtf8(),
        ("--accept=pipe,name=" + FNazwaPotoku + QStringLiteral(";urp;StarOffice.ComponentContext")).toUtf8(),
    };
    std::vector<char*> argv;
    for (auto& a : argumenty)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // The environment with our own TMPDIR: two offices sharing one also share their pipes' folder.
    std::vector<QByteArray> srodowisko;
    for (char** e = environ; *e; ++e) {
        if (qstrncmp(*e, "TMPDIR=", 7) != 0)
            srodowisko.emplace_back(*e);
    }
    srodowisko.push_back("TMPDIR=" + QFile::encodeName(FKatalog.path() + QStringLiteral("/tmp")));
    std::vector<char*> envp;
    for (auto& e : srodowisko)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t akcje;
    posix_spawn_file_actions_init(&akcje);
    posix_spawn_file_actions_addopen(&akcje, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&akcje, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&akcje, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t atrybuty;
    posix_spawnattr_init(&atrybuty);
    // A group of its own, so that the launcher script and the office it starts end together.
    posix_spawnattr_setflags(&atrybuty, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&atrybuty, 0);
    pid_t pid = -1;
    const int blad = posix_spawn(&pid, argv[0], &akcje, &atrybuty, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&akcje);
    posix_spawnattr_destroy(&atrybuty);
    if (blad != 0)
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie można uruchomić pakietu biurowego LibreOffice: ") +
                                     QString::fromLocal8Bit(strerror(blad)));
    FPid = pid;
}

pid_t TProcesOffice::Odlacz()
{
    FKatalog.setAutoRemove(false);
    const pid_t pid = FPid;
    FPid = -1;
    return pid;
}

bool TProcesOffice::CzyDziala()
{
    if (FPid <= 0)
        return false;
    int status = 0;
    const pid_t w = waitpid(FPid, &status, WNOHANG);
    if (w == 0)
        return true;
    // The launcher ended; its office may live on in the group only if it forked away, which it does not.
    kill(-FPid, SIGKILL);
    FPid = -1;
    return false;
}

void TProcesOffice::Zakoncz(int msCzekania)
{
    if (FPid <= 0)
        return;
    QElapsedTimer zegar;
    zegar.start();
    int status = 0;
    while (zegar.elapsed() < msCzekania) {
        if (waitpid(FPid, &status, WNOHANG) == FPid) {
            kill(-FPid, SIGKILL); // anything left in the group
            FPid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(-FPid, SIGTERM);
    zegar.restart();
    while (zegar.elapsed() < 2000) {
        if (waitpid(FPid, &status, WNOHANG) == FPid)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(-FPid, SIGKILL);
    waitpid(FPid, &status, 0);
    FPid = -1;
}
