#include "docs/libreoffice/ProcesOffice.h"

#include "app/DuzeStrony.h"
#include "app/ZapisBezpieczny.h"
#include "docs/AdresPliku.h"
#include "docs/WyjatkiDokumentow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// Our settings in the profile's user layer, one item a line as the office writes them itself.
// Locking off: a stale lock file would make documents read-only and every store would fail.
const char* const KPoczatekRejestru = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
)";
const char* const KKoniecRejestru = "</oor:items>\n";

struct TUstawienieProfilu
{
    const char* Sciezka;
    const char* Nazwa;
    const char* Wartosc;
};

const TUstawienieProfilu KUstawieniaProfilu[] = {
    {"/org.openoffice.Office.Common/Misc", "UseLocking", "false"},
    {"/org.openoffice.Office.Common/Misc", "FirstRun", "false"},
    {"/org.openoffice.Office.Common/Save/Document", "CreateBackup", "false"},
    {"/org.openoffice.Office.Recovery/AutoSave", "Enabled", "false"},
    {"/org.openoffice.Office.Common/Security/Scripting", "MacroSecurityLevel", "3"},
};

QByteArray LiniaUstawienia(const TUstawienieProfilu& u)
{
    return QByteArray("<item oor:path=\"") + u.Sciezka + "\"><prop oor:name=\"" + u.Nazwa +
           "\" oor:op=\"fuse\"><value>" + u.Wartosc + "</value></prop></item>\n";
}

// The line sets one of our settings (whatever its value).
bool CzyNaszeUstawienie(const QByteArray& linia)
{
    return std::any_of(std::begin(KUstawieniaProfilu), std::end(KUstawieniaProfilu), [&](const TUstawienieProfilu& u) {
        return linia.contains(QByteArray("oor:path=\"") + u.Sciezka + "\"") &&
               linia.contains(QByteArray("<prop oor:name=\"") + u.Nazwa + "\"");
    });
}

// The line records the office version as seen (the engine writes it into the kept profile).
bool CzyWpisWersji(const QByteArray& linia)
{
    return linia.startsWith("<item oor:path=\"/org.openoffice.Setup/Product\">") &&
           linia.contains("<prop oor:name=\"ooSetupLastVersion\"") && linia.endsWith("</item>");
}

// The user layer with the office's own items kept and ours set anew: a kept profile holds what earlier
// runs of the office wrote there, ours must win. wpisWersji: the version record for a layer without one.
QByteArray RejestrProfilu(const QByteArray& stary, const QByteArray& wpisWersji)
{
    QByteArray wynik = KPoczatekRejestru;
    bool zWersja = false;
    for (const QByteArray& linia : stary.split('\n')) {
        if (linia.startsWith("<item ") && !CzyNaszeUstawienie(linia)) {
            wynik += linia + '\n';
            zWersja = zWersja || CzyWpisWersji(linia);
        }
    }
    if (!zWersja && !wpisWersji.isEmpty())
        wynik += wpisWersji + '\n';
    for (const TUstawienieProfilu& u : KUstawieniaProfilu)
        wynik += LiniaUstawienia(u);
    return wynik + KKoniecRejestru;
}

// The version record of the kept profile, once a run made it there: a fresh profile that carries it spares
// its office the graphics self-tests of a first start with this version. Empty without one.
QByteArray WpisWersjiZTrwalego()
{
    QFile plik(TProcesOffice::KatalogProfiluTrwalego() + QStringLiteral("/profil/user/registrymodifications.xcu"));
    if (!plik.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& linia : plik.readAll().split('\n')) {
        if (CzyWpisWersji(linia))
            return linia;
    }
    return {};
}

const QString KPrzedrostekKatalogu = QStringLiteral("velostra-office-");
const char* const KPlikBlokady = "/blokada";
const char* const KZnacznikStartu = "/gotowy";

// Opens (creating) the lock file and takes its lock without waiting; -1 when another process holds it.
int ZablokujPlik(const QString& sciezka)
{
    const int fd = open(QFile::encodeName(sciezka).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool CzyProcesZyje(pid_t pid)
{
    return kill(pid, 0) == 0 || errno == EPERM;
}

void Spij(int ms)
{
    const timespec t{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&t, nullptr);
}

// --- The watchdog. It runs in a fork of a process with many threads, so it calls nothing but system
// calls that are safe there, on data prepared before the fork.

struct TDaneStraznika
{
    int ZRodzica = -1;  // the read end of the parent's pipe
    int DoRodzica = -1; // the launcher's pid goes back through it
    const char* Program = nullptr;
    char* const* Argv = nullptr;
    char* const* Envp = nullptr;
    const char* KatalogDoUsuniecia = nullptr;
    int Zachowane[4] = {-1, -1, -1, -1}; // descriptors kept open (the pipes and locks)
};

// Reaps the children (the launcher and, as a subreaper, the office it left behind) for at most the time.
void ZbierzDzieci(int msMaks)
{
    for (int i = 0; i * 10 < msMaks; ++i) {
        int status = 0;
        const pid_t w = waitpid(-1, &status, WNOHANG);
        if (w < 0 && errno == ECHILD)
            return;
        if (w <= 0)
            Spij(10);
    }
}

void ZamknijPozostale(const TDaneStraznika& d)
{
    int zachowane[4];
    int n = 0;
    for (int fd : d.Zachowane) {
        if (fd > 2)
            zachowane[n++] = fd;
    }
    for (int i = 1; i < n; ++i) { // a handful: sorted in place
        for (int j = i; j > 0 && zachowane[j - 1] > zachowane[j]; --j)
            std::swap(zachowane[j - 1], zachowane[j]);
    }
    unsigned od = 3;
    for (int i = 0; i < n; ++i) {
        if (static_cast<unsigned>(zachowane[i]) > od)
            close_range(od, static_cast<unsigned>(zachowane[i]) - 1, 0);
        od = static_cast<unsigned>(zachowane[i]) + 1;
    }
    close_range(od, ~0U, 0);
}

[[noreturn]] void Straznik(const TDaneStraznika& d)
{
    const pid_t straznik = getpid();
    setsid(); // no terminal's or group's signal meant for the parent reaches it
    sigset_t maska;
    sigemptyset(&maska);
    sigprocmask(SIG_SETMASK, &maska, nullptr);
    for (int s : {SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGPIPE, SIGUSR1, SIGUSR2})
        signal(s, SIG_IGN);
    signal(SIGCHLD, SIG_DFL);
    // The office the launcher leaves behind becomes our child, so that we can wait until it is gone.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const int nul = open("/dev/null", O_RDWR);
    if (nul >= 0) {
        dup2(nul, 0);
        dup2(nul, 1);
        dup2(nul, 2);
    }
    ZamknijPozostale(d);

    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != straznik)
            _exit(127);
        for (int s : {SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGPIPE, SIGUSR1, SIGUSR2})
            signal(s, SIG_DFL);
        execve(d.Program, d.Argv, d.Envp);
        _exit(127);
    }
    if (pid > 0)
        setpgid(pid, pid); // also here: the group must exist before anyone signals it
    const pid_t doRodzica = pid;
    while (write(d.DoRodzica, &doRodzica, sizeof doRodzica) < 0 && errno == EINTR) {
    }
    close(d.DoRodzica);
    if (pid < 0)
        _exit(127);

    // Woken by the launcher's end as by the parent's pipe: whoever waits for the office to end waits for us.
    const int koniecUruchamiajacego = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    for (;;) {
        pollfd p[2] = {{d.ZRodzica, POLLIN, 0}, {koniecUruchamiajacego, POLLIN, 0}};
        if (poll(p, koniecUruchamiajacego >= 0 ? 2 : 1, 100) > 0 && p[0].revents != 0) {
            char znak = 0;
            const ssize_t n = read(d.ZRodzica, &znak, 1);
            if (n == 1 && znak == 'o') {
                // Detached: the office lives on; we only reap it.
                close(d.ZRodzica);
                int status = 0;
                while (waitpid(-1, &status, 0) > 0 || errno == EINTR) {
                }
                _exit(0);
            }
            if (n == 0 || (n < 0 && errno != EINTR)) {
                // The parent ended (or ends us): nothing of its office may stay.
                kill(-pid, SIGKILL);
                ZbierzDzieci(3000);
                if (d.KatalogDoUsuniecia) {
                    const pid_t rm = fork();
                    if (rm == 0) {
                        const char* const argv[] = {"rm", "-rf", "--", d.KatalogDoUsuniecia, nullptr};
                        execve("/bin/rm", const_cast<char* const*>(argv), d.Envp);
                        _exit(127);
                    }
                    int status = 0;
                    if (rm > 0)
                        waitpid(rm, &status, 0);
                }
                _exit(0);
            }
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            kill(-pid, SIGKILL); // whatever the launcher left in its group
            ZbierzDzieci(3000);
            _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128);
        }
    }
}

} // namespace

TProcesOffice::TProcesOffice(bool trwalyProfil)
    : FKatalog(QDir::tempPath() + QLatin1Char('/') + KPrzedrostekKatalogu + QString::number(getpid()) +
               QStringLiteral("-XXXXXX")),
      FNazwaPotoku(QStringLiteral("velostra_%1").arg(QUuid::createUuid().toString(QUuid::Id128))),
      FTrwalyProfil(trwalyProfil)
{
    if (FKatalog.isValid())
        FBlokadaKatalogu = ZablokujPlik(FKatalog.path() + QLatin1String(KPlikBlokady));
}

TProcesOffice::~TProcesOffice()
{
    Zakoncz(0);
    if (FBlokadaProfilu >= 0)
        close(FBlokadaProfilu);
    if (FBlokadaKatalogu >= 0)
        close(FBlokadaKatalogu);
}

QString TProcesOffice::PlikWykonywalny()
{
    const QString zmienna = qEnvironmentVariable("VELOSTRA_SOFFICE");
    if (!zmienna.isEmpty())
        return zmienna;
    // The launcher the installed "soffice" script ends in, without the script's own start; it starts the office
    // again when the office asks for it (as after a new profile's first start).
    return QStringLiteral(VELOSTRA_LO_PROGRAM "/oosplash");
}

QStringList TProcesOffice::ArgumentyBezOkna(const QString& katalogProfilu)
{
    return {QStringLiteral("--headless"),
            QStringLiteral("--invisible"),
            QStringLiteral("--nologo"),
            QStringLiteral("--norestore"),
            QStringLiteral("--nodefault"),
            QStringLiteral("--nolockcheck"),
            QStringLiteral("--nofirststartwizard"),
            QStringLiteral("-env:UserInstallation=") + ConvertToURL(katalogProfilu)};
}

QString TProcesOffice::KatalogProfiluTrwalego()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Velostra/profil-office-" VELOSTRA_VERSION);
}

QString TProcesOffice::KatalogProfilu() const
{
    if (FBlokadaProfilu >= 0)
        return KatalogProfiluTrwalego() + QStringLiteral("/profil");
    return FKatalog.path() + QStringLiteral("/profil");
}

void TProcesOffice::UsunPozostalosci()
{
    static const QRegularExpression nazwa(QStringLiteral("^") + KPrzedrostekKatalogu + QStringLiteral("(\\d+)-"));
    const QDir tmp(QDir::tempPath());
    for (const QString& folder :
         tmp.entryList({KPrzedrostekKatalogu + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const auto dopasowanie = nazwa.match(folder);
        if (!dopasowanie.hasMatch())
            continue;
        const pid_t wlasciciel = dopasowanie.captured(1).toInt();
        if (wlasciciel <= 0 || CzyProcesZyje(wlasciciel))
            continue;
        // A detached office outlives its starter; its watchdog holds the lock.
        const QString sciezka = tmp.filePath(folder);
        const int fd = open(QFile::encodeName(sciezka + QLatin1String(KPlikBlokady)).constData(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
            close(fd);
            continue;
        }
        QDir(sciezka).removeRecursively();
        if (fd >= 0)
            close(fd);
    }
}

void TProcesOffice::WybierzProfil()
{
    if (!FTrwalyProfil || FBlokadaProfilu >= 0)
        return;
    const QString katalog = KatalogProfiluTrwalego();
    if (!QDir().mkpath(katalog))
        return;
    // Another run holds it: that one keeps it, we take a fresh one.
    FBlokadaProfilu = ZablokujPlik(katalog + QLatin1String(KPlikBlokady));
}

void TProcesOffice::PrzygotujProfil()
{
    if (!FKatalog.isValid() || FBlokadaKatalogu < 0)
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie można utworzyć folderu tymczasowego dla pakietu biurowego."));
    WybierzProfil();
    if (FBlokadaProfilu >= 0) {
        // Without the mark of a start that succeeded the profile may be half-made or damaged; the mark
        // goes until this start succeeds too.
        const QString znacznik = KatalogProfiluTrwalego() + QLatin1String(KZnacznikStartu);
        if (!QFile::exists(znacznik))
            QDir(KatalogProfilu()).removeRecursively();
        QFile::remove(znacznik);
    }
    const QString user = KatalogProfilu() + QStringLiteral("/user");
    QDir().mkpath(user);
    QDir().mkpath(FKatalog.path() + QStringLiteral("/tmp"));
    const QString rejestr = user + QStringLiteral("/registrymodifications.xcu");
    QByteArray stary;
    QFile plik(rejestr);
    if (plik.open(QIODevice::ReadOnly))
        stary = plik.readAll();
    plik.close();
    const QByteArray nowy = RejestrProfilu(stary, FBlokadaProfilu >= 0 ? QByteArray() : WpisWersjiZTrwalego());
    if (nowy == stary)
        return;
    try {
        ZapiszBezpiecznie(rejestr, nowy);
    } catch (const EBlad&) {
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie można przygotować profilu pakietu biurowego."));
    }
}

void TProcesOffice::PrzygotujProfilJednorazowy(const QString& katalogProfilu)
{
    const QString user = katalogProfilu + QStringLiteral("/user");
    if (!QDir().mkpath(user))
        return;
    ZapiszBezpiecznie(user + QStringLiteral("/registrymodifications.xcu"),
                      RejestrProfilu(QByteArray(), WpisWersjiZTrwalego()));
}

void TProcesOffice::PotwierdzStart()
{
    if (FBlokadaProfilu < 0)
        return;
    QFile znacznik(KatalogProfiluTrwalego() + QLatin1String(KZnacznikStartu));
    if (znacznik.open(QIODevice::WriteOnly | QIODevice::Truncate))
        znacznik.write(VELOSTRA_VERSION "\n");
}

void TProcesOffice::OdrzucProfil()
{
    if (FBlokadaProfilu < 0)
        return;
    Zakoncz(0);
    QFile::remove(KatalogProfiluTrwalego() + QLatin1String(KZnacznikStartu));
    QDir(KatalogProfilu()).removeRecursively();
}

void TProcesOffice::Uruchom()
{
    Zakoncz(0);
    UsunPozostalosci();
    PrzygotujProfil();
    const QString program = PlikWykonywalny();
    if (access(QFile::encodeName(program).constData(), X_OK) != 0)
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie znaleziono pakietu biurowego LibreOffice: ") + program);

    std::vector<QByteArray> argumenty = {QFile::encodeName(program)};
    for (const QString& a : ArgumentyBezOkna(KatalogProfilu()))
        argumenty.push_back(a.toUtf8());
    argumenty.push_back(
        ("--accept=pipe,name=" + FNazwaPotoku + QStringLiteral(";urp;StarOffice.ComponentContext")).toUtf8());
    std::vector<char*> argv;
    for (auto& a : argumenty)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // The environment with our own TMPDIR: two offices sharing one also share their pipes' folder. The office
    // starts several times faster when its allocator takes huge pages.
    std::vector<QByteArray> srodowisko;
    QByteArray strojenie;
    for (char** e = environ; *e; ++e) {
        if (qstrncmp(*e, "GLIBC_TUNABLES=", 15) == 0)
            strojenie = QByteArray(*e + 15);
        else if (qstrncmp(*e, "TMPDIR=", 7) != 0)
            srodowisko.emplace_back(*e);
    }
    srodowisko.push_back("TMPDIR=" + QFile::encodeName(FKatalog.path() + QStringLiteral("/tmp")));
    // What the script sets before it hands over to the launcher.
    if (!qEnvironmentVariableIsSet("SAL_ENABLE_FILE_LOCKING"))
        srodowisko.push_back("SAL_ENABLE_FILE_LOCKING=1");
    srodowisko.push_back("GLIBC_TUNABLES=" + StrojenieZDuzymiStronami(strojenie));
    std::vector<char*> envp;
    for (auto& e : srodowisko)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    UruchomZeStraznikiem(argv, envp);
}

void TProcesOffice::UruchomZeStraznikiem(std::vector<char*>& argv, std::vector<char*>& envp)
{
    int doStraznika[2];
    int odStraznika[2];
    if (pipe2(doStraznika, O_CLOEXEC) != 0)
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie można uruchomić pakietu biurowego LibreOffice: ") +
                                     QString::fromLocal8Bit(strerror(errno)));
    if (pipe2(odStraznika, O_CLOEXEC) != 0) {
        const int blad = errno;
        close(doStraznika[0]);
        close(doStraznika[1]);
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie można uruchomić pakietu biurowego LibreOffice: ") +
                                     QString::fromLocal8Bit(strerror(blad)));
    }
    const QByteArray katalog = QFile::encodeName(FKatalog.path());
    TDaneStraznika dane;
    dane.ZRodzica = doStraznika[0];
    dane.DoRodzica = odStraznika[1];
    dane.Program = argv[0];
    dane.Argv = argv.data();
    dane.Envp = envp.data();
    dane.KatalogDoUsuniecia = katalog.constData();
    dane.Zachowane[0] = doStraznika[0];
    dane.Zachowane[1] = odStraznika[1];
    dane.Zachowane[2] = FBlokadaKatalogu;
    dane.Zachowane[3] = FBlokadaProfilu;

    const pid_t straznik = fork();
    if (straznik == 0)
        Straznik(dane);
    const int blad = errno;
    close(doStraznika[0]);
    close(odStraznika[1]);
    if (straznik < 0) {
        close(doStraznika[1]);
        close(odStraznika[0]);
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie można uruchomić pakietu biurowego LibreOffice: ") +
                                     QString::fromLocal8Bit(strerror(blad)));
    }
    pid_t pid = -1;
    ssize_t n = 0;
    do {
        n = read(odStraznika[0], &pid, sizeof pid);
    } while (n < 0 && errno == EINTR);
    close(odStraznika[0]);
    FStraznik = straznik;
    FDoStraznika = doStraznika[1];
    if (n != static_cast<ssize_t>(sizeof pid) || pid <= 0) {
        Zakoncz(0);
        throw EBrakSilnikaDokumentow(QStringLiteral("Nie można uruchomić pakietu biurowego LibreOffice."));
    }
    FPid = pid;
}

pid_t TProcesOffice::Odlacz()
{
    FKatalog.setAutoRemove(false);
    const pid_t pid = FPid;
    if (FDoStraznika >= 0) {
        const char znak = 'o';
        while (write(FDoStraznika, &znak, 1) < 0 && errno == EINTR) {
        }
        close(FDoStraznika);
    }
    // The watchdog lives on as the office's reaper; whoever ends this process inherits it.
    FDoStraznika = -1;
    FStraznik = -1;
    FPid = -1;
    return pid;
}

bool TProcesOffice::CzyDziala()
{
    if (FStraznik <= 0)
        return false;
    int status = 0;
    const pid_t w = waitpid(FStraznik, &status, WNOHANG);
    if (w == 0)
        return true;
    // The watchdog ends when the launcher does, and takes the rest of the group with it.
    FStraznik = -1;
    Zakoncz(0);
    return false;
}

void TProcesOffice::Zakoncz(int msCzekania)
{
    if (FStraznik > 0) {
        // Woken the moment the watchdog ends (it ends with the office), not at the next poll.
        const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, FStraznik, 0));
        auto czekaj = [&](int ms) {
            QElapsedTimer zegar;
            zegar.start();
            for (;;) {
                // Ended, or no longer ours to wait for.
                if (waitpid(FStraznik, nullptr, WNOHANG) != 0)
                    return true;
                const qint64 zostalo = ms - zegar.elapsed();
                if (zostalo <= 0)
                    return false;
                if (pidfd >= 0) {
                    pollfd p{pidfd, POLLIN, 0};
                    poll(&p, 1, static_cast<int>(std::min<qint64>(zostalo, 1000)));
                } else {
                    std::this_thread::sleep_for(std::chrono::milliseconds(std::min<qint64>(zostalo, 20)));
                }
            }
        };
        bool skonczyl = czekaj(msCzekania);
        if (!skonczyl) {
            kill(-FPid, SIGTERM);
            skonczyl = czekaj(2000);
        }
        if (pidfd >= 0)
            close(pidfd);
        // The closed pipe makes the watchdog kill whatever is left and end.
        close(FDoStraznika);
        FDoStraznika = -1;
        if (!skonczyl)
            waitpid(FStraznik, nullptr, 0);
        FStraznik = -1;
    }
    if (FDoStraznika >= 0) {
        close(FDoStraznika);
        FDoStraznika = -1;
    }
    FPid = -1;
}
