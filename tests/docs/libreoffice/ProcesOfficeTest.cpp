// The office's process: it never outlives the run that started it (unless detached on purpose), the
// leftovers of a dead run go at the next start, and the profile kept between runs.
#include "docs/libreoffice/ProcesOffice.h"
#include "docs/libreoffice/DokumentyTestowe.h"
#include "docs/libreoffice/SilnikOffice.h"
#include "support/Pomocnicze.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Processes whose command line or environment contains the text (zombies have neither); the office's
// command line holds its profile as a URL, its environment the run's TMPDIR as it is.
QList<pid_t> Procesy(const QString& tekst)
{
    QList<pid_t> wynik;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool liczba = false;
        const pid_t p = pid.toInt(&liczba);
        if (!liczba || p == getpid())
            continue;
        for (const char* plik : {"cmdline", "environ"}) {
            QFile f(QStringLiteral("/proc/%1/%2").arg(pid, QLatin1String(plik)));
            if (f.open(QIODevice::ReadOnly) && f.readAll().contains(tekst.toUtf8())) {
                wynik << p;
                break;
            }
        }
    }
    return wynik;
}

// Waits up to the time for the condition.
bool Czekaj(const std::function<bool()>& warunek, int ms)
{
    for (int i = 0; i * 50 < ms; ++i) {
        if (warunek())
            return true;
        QThread::msleep(50);
    }
    return warunek();
}

// The lock of the folder's lock file is free.
bool CzyBlokadaWolna(const QString& katalog)
{
    const int fd = open(QFile::encodeName(katalog + QStringLiteral("/blokada")).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool wolna = flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return wolna;
}

// The profile folder of the office listening on the pipe, from its command line.
QString ProfilOffice(const QString& potok)
{
    for (pid_t p : Procesy(QStringLiteral("name=") + potok)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(p));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& a : cmdline.readAll().split('\0')) {
            if (a.startsWith("-env:UserInstallation=file://"))
                return QUrl::fromPercentEncoding(a.mid(29));
        }
    }
    return {};
}

// Sets an environment variable for one test.
class TZmienna
{
public:
    TZmienna(const char* nazwa, const QByteArray& wartosc) : FNazwa(nazwa), FStara(qgetenv(nazwa))
    {
        qputenv(nazwa, wartosc);
    }
    ~TZmienna() { FStara.isEmpty() ? qunsetenv(FNazwa) : qputenv(FNazwa, FStara); }

private:
    const char* FNazwa;
    QByteArray FStara;
};

pid_t MartwyPid()
{
    QProcess p;
    p.start(QStringLiteral("/bin/sleep"), {QStringLiteral("0.1")});
    p.waitForStarted();
    const auto pid = static_cast<pid_t>(p.processId());
    p.waitForFinished();
    return pid;
}

QString Profil()
{
    return TProcesOffice::KatalogProfiluTrwalego();
}

class ProcesOfficeTest : public ::testing::Test
{
protected:
    QString Sciezka(const QString& nazwa) const { return FKatalog.filePath(nazwa); }
    // A launcher that leaves a child of its own behind, as the office's does, and starts at once.
    QString Atrapa()
    {
        const QString plik = Sciezka(QStringLiteral("atrapa.sh"));
        ZapiszPlik(plik, "#!/bin/sh\nsleep 300 &\nwait\n");
        QFile::setPermissions(plik, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return plik;
    }
    QTemporaryDir FKatalog;
};

// velostra-cli killed in the middle of a merge: its office, its watchdog and its temporary folder go within
// seconds, and the kept profile's lock is free for the next run.
TEST_F(ProcesOfficeTest, ZabityProgramNieZostawiaPakietu)
{
    const QString baza = Sciezka(QStringLiteral("przebieg"));
    for (const char* f : {"tmp", ".cache", ".config"})
        QDir().mkpath(baza + QLatin1Char('/') + f);
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("HOME"), baza);
    srodowisko.insert(QStringLiteral("XDG_CACHE_HOME"), baza + QStringLiteral("/.cache"));
    srodowisko.insert(QStringLiteral("XDG_CONFIG_HOME"), baza + QStringLiteral("/.config"));
    srodowisko.insert(QStringLiteral("TMPDIR"), baza + QStringLiteral("/tmp"));
    const QString demo = QDir::cleanPath(SciezkaDanychTestowych(QStringLiteral("../../data/demo")));
    QProcess cli;
    cli.setProcessEnvironment(srodowisko);
    cli.start(QStringLiteral(VELOSTRA_BIN_DIR "/velostra-cli"),
              {QStringLiteral("generuj"), demo + QStringLiteral("/Zestaw demo.zst"),
               QStringLiteral("--katalog-uzytkownika"), demo, QStringLiteral("--warianty"), QStringLiteral("-o"),
               baza + QStringLiteral("/wynik.odt")});
    ASSERT_TRUE(cli.waitForStarted());
    // Mid-run: the office is up and the documents go in.
    QByteArray bledy;
    ASSERT_TRUE(Czekaj(
        [&] {
            cli.waitForReadyRead(10);
            bledy += cli.readAllStandardError();
            return bledy.contains("Przetwarzanie pliku") || cli.state() == QProcess::NotRunning;
        },
        60000));
    ASSERT_EQ(cli.state(), QProcess::Running) << bledy.toStdString();
    const QStringList foldery =
        QDir(baza + QStringLiteral("/tmp")).entryList({QStringLiteral("velostra-office-*")}, QDir::Dirs);
    ASSERT_EQ(foldery.size(), 1);
    EXPECT_TRUE(foldery[0].startsWith(QStringLiteral("velostra-office-%1-").arg(cli.processId())));
    const QList<pid_t> przebieg = Procesy(baza);
    const QList<pid_t> offices = Procesy(QStringLiteral("soffice.bin"));
    EXPECT_TRUE(std::any_of(offices.begin(), offices.end(), [&](pid_t p) { return przebieg.contains(p); }));

    kill(static_cast<pid_t>(cli.processId()), SIGKILL);
    cli.waitForFinished();
    EXPECT_TRUE(Czekaj([&] { return Procesy(baza).isEmpty(); }, 5000)) << Procesy(baza).size();
    EXPECT_TRUE(Czekaj([&] { return !QDir(baza + QStringLiteral("/tmp/") + foldery[0]).exists(); }, 5000));
    EXPECT_TRUE(CzyBlokadaWolna(baza + QStringLiteral("/.cache/Velostra/profil-office-" VELOSTRA_VERSION)));
}

// The folder of a dead run goes at the next start; one whose starter lives, or whose lock a detached
// office's watchdog holds, stays.
TEST_F(ProcesOfficeTest, NastepnyStartUsuwaPozostalosci)
{
    const QString tmp = QDir::tempPath() + QStringLiteral("/velostra-office-");
    const QString martwy = tmp + QString::number(MartwyPid()) + QStringLiteral("-aaaaaa");
    const QString zajety = tmp + QString::number(MartwyPid()) + QStringLiteral("-bbbbbb");
    const QString zywy = tmp + QString::number(getpid()) + QStringLiteral("-cccccc");
    for (const QString& k : {martwy, zajety, zywy}) {
        QDir().mkpath(k + QStringLiteral("/profil/user"));
        ZapiszPlik(k + QStringLiteral("/blokada"), {});
    }
    const int fd = open(QFile::encodeName(zajety + QStringLiteral("/blokada")).constData(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);

    TZmienna program("VELOSTRA_SOFFICE", "/bin/true");
    TProcesOffice proces;
    proces.Uruchom();
    EXPECT_FALSE(QDir(martwy).exists());
    EXPECT_TRUE(QDir(zajety).exists());
    EXPECT_TRUE(QDir(zywy).exists());
    EXPECT_TRUE(QDir(proces.Katalog()).exists());
    close(fd);
    QDir(zajety).removeRecursively();
    QDir(zywy).removeRecursively();
}

// A detached office outlives the process that started it (the tests' shared office), and its stop ends
// it and removes its folder.
TEST_F(ProcesOfficeTest, OdlaczonyPakietPrzezywaStartujacego)
{
    TZmienna program("VELOSTRA_SOFFICE", Atrapa().toUtf8());
    const QString dane = Sciezka(QStringLiteral("wspolny"));
    ASSERT_EQ(
        QProcess::execute(QStringLiteral(VELOSTRA_BIN_DIR "/velostra-office-testowy"), {QStringLiteral("start"), dane}),
        0);
    const pid_t grupa = CzytajPlik(dane + QStringLiteral("/pid")).trimmed().toInt();
    const QString folder = QString::fromUtf8(CzytajPlik(dane + QStringLiteral("/folder")).trimmed());
    ASSERT_GT(grupa, 0);
    QThread::msleep(500);
    EXPECT_EQ(kill(-grupa, 0), 0);
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_FALSE(CzyBlokadaWolna(folder)); // its watchdog keeps the folder from the next start's clean-up
    ASSERT_EQ(
        QProcess::execute(QStringLiteral(VELOSTRA_BIN_DIR "/velostra-office-testowy"), {QStringLiteral("stop"), dane}),
        0);
    EXPECT_TRUE(Czekaj([&] { return kill(-grupa, 0) != 0; }, 3000));
    EXPECT_FALSE(QDir(folder).exists());
}

// An ended process leaves nothing of its launcher's group, and its folder goes.
TEST_F(ProcesOfficeTest, ZakonczenieUsuwaGrupeIFolder)
{
    TZmienna program("VELOSTRA_SOFFICE", Atrapa().toUtf8());
    QString folder;
    pid_t grupa = -1;
    {
        TProcesOffice proces;
        proces.Uruchom();
        folder = proces.Katalog();
        EXPECT_TRUE(proces.CzyDziala());
        ASSERT_TRUE(Czekaj([&] { return !Procesy(Sciezka(QStringLiteral("atrapa.sh"))).isEmpty(); }, 3000));
        grupa = getpgid(Procesy(Sciezka(QStringLiteral("atrapa.sh"))).value(0));
    }
    ASSERT_GT(grupa, 0);
    EXPECT_TRUE(Czekaj([&] { return kill(-grupa, 0) != 0; }, 3000));
    EXPECT_FALSE(QDir(folder).exists());
}

// --- The profile kept between runs.

void PrzygotujTrwaly(const QByteArray& rejestr, bool zZnacznikiem)
{
    QDir().mkpath(Profil() + QStringLiteral("/profil/user"));
    ZapiszPlik(Profil() + QStringLiteral("/profil/user/registrymodifications.xcu"), rejestr);
    ZapiszPlik(Profil() + QStringLiteral("/profil/smiec"), "x");
    if (zZnacznikiem)
        ZapiszPlik(Profil() + QStringLiteral("/gotowy"), "1");
    else
        QFile::remove(Profil() + QStringLiteral("/gotowy"));
}

// Our settings hold in a kept profile, over what the office wrote there, and its own items stay.
TEST_F(ProcesOfficeTest, TrwalyProfilZachowujeNaszeUstawienia)
{
    PrzygotujTrwaly("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items>\n"
                    "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"UseLocking\" "
                    "oor:op=\"fuse\"><value>true</value></prop></item>\n"
                    "<item oor:path=\"/org.openoffice.Office.Writer/Layout\"><prop oor:name=\"Wlasne\" "
                    "oor:op=\"fuse\"><value>7</value></prop></item>\n</oor:items>\n",
                    true);
    TZmienna program("VELOSTRA_SOFFICE", "/bin/true");
    TProcesOffice proces(true);
    proces.Uruchom();
    ASSERT_TRUE(proces.CzyProfilTrwaly());
    EXPECT_EQ(proces.KatalogProfilu(), Profil() + QStringLiteral("/profil"));
    EXPECT_TRUE(QFile::exists(Profil() + QStringLiteral("/profil/smiec")));
    const QByteArray rejestr = CzytajPlik(Profil() + QStringLiteral("/profil/user/registrymodifications.xcu"));
    EXPECT_TRUE(rejestr.contains("oor:name=\"Wlasne\""));
    EXPECT_EQ(rejestr.count("oor:name=\"UseLocking\""), 1);
    EXPECT_TRUE(rejestr.contains("\"UseLocking\" oor:op=\"fuse\"><value>false<"));
    EXPECT_TRUE(rejestr.contains("\"MacroSecurityLevel\" oor:op=\"fuse\"><value>3<"));
    EXPECT_TRUE(rejestr.endsWith("</oor:items>\n"));
    // Not marked until the office answered.
    EXPECT_FALSE(QFile::exists(Profil() + QStringLiteral("/gotowy")));
    proces.PotwierdzStart();
    EXPECT_TRUE(QFile::exists(Profil() + QStringLiteral("/gotowy")));
}

// Without the mark of a good start the profile is made anew; held by another run (or by a process that
// was killed meanwhile, whose lock the kernel released) it is taken by that run only.
TEST_F(ProcesOfficeTest, TrwalyProfilBezZnacznikaZajetyIZwolniony)
{
    TZmienna program("VELOSTRA_SOFFICE", "/bin/true");
    PrzygotujTrwaly("", false);
    {
        TProcesOffice proces(true);
        proces.Uruchom();
        EXPECT_TRUE(proces.CzyProfilTrwaly());
        EXPECT_FALSE(QFile::exists(Profil() + QStringLiteral("/profil/smiec")));
        EXPECT_TRUE(QFile::exists(Profil() + QStringLiteral("/profil/user/registrymodifications.xcu")));
    }
    // Another run holds it, then is killed.
    const QByteArray blokada = QFile::encodeName(Profil() + QStringLiteral("/blokada"));
    const pid_t trzyma = fork();
    if (trzyma == 0) {
        const int fd = open(blokada.constData(), O_RDWR);
        flock(fd, LOCK_EX);
        for (;;)
            pause();
    }
    ASSERT_GT(trzyma, 0);
    ASSERT_TRUE(Czekaj([] { return !CzyBlokadaWolna(Profil()); }, 5000));
    {
        TProcesOffice proces(true);
        proces.Uruchom();
        EXPECT_FALSE(proces.CzyProfilTrwaly());
        EXPECT_TRUE(proces.KatalogProfilu().startsWith(proces.Katalog()));
        EXPECT_TRUE(QFile::exists(proces.KatalogProfilu() + QStringLiteral("/user/registrymodifications.xcu")));
    }
    kill(trzyma, SIGKILL);
    waitpid(trzyma, nullptr, 0);
    ASSERT_TRUE(Czekaj([] { return CzyBlokadaWolna(Profil()); }, 5000));
    TProcesOffice proces(true);
    proces.Uruchom();
    EXPECT_TRUE(proces.CzyProfilTrwaly());
}

// A fresh profile, taken while another run holds the kept one, and a one-off office's profile carry the
// office version the kept profile recorded: their offices skip the self-tests of a first start too.
TEST_F(ProcesOfficeTest, SwiezyProfilZWersjaZTrwalego)
{
    const QByteArray wpis = "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" "
                            "oor:op=\"fuse\"><value>7.4</value></prop></item>";
    TZmienna program("VELOSTRA_SOFFICE", "/bin/true");
    PrzygotujTrwaly("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items>\n" + wpis + "\n</oor:items>\n", true);
    TProcesOffice trwaly(true);
    trwaly.Uruchom();
    ASSERT_TRUE(trwaly.CzyProfilTrwaly());
    const auto rejestr = [](const QString& profil) {
        return CzytajPlik(profil + QStringLiteral("/user/registrymodifications.xcu"));
    };
    EXPECT_EQ(rejestr(trwaly.KatalogProfilu()).count(wpis), 1);
    TProcesOffice swiezy(true);
    swiezy.Uruchom();
    ASSERT_FALSE(swiezy.CzyProfilTrwaly());
    EXPECT_EQ(rejestr(swiezy.KatalogProfilu()).count(wpis), 1);
    TProcesOffice::PrzygotujProfilJednorazowy(Sciezka(QStringLiteral("jednorazowy")));
    const QByteArray jednorazowy = rejestr(Sciezka(QStringLiteral("jednorazowy")));
    EXPECT_EQ(jednorazowy.count(wpis), 1);
    EXPECT_TRUE(jednorazowy.contains("\"MacroSecurityLevel\" oor:op=\"fuse\"><value>3<"));
}

// On a real office: two engines in a row run on the same kept profile, one beside them falls back to a
// fresh one, and a profile the office cannot start with is made anew.
TEST_F(ProcesOfficeTest, TrwalyProfilNaPakiecie)
{
    const QString trwaly = Profil() + QStringLiteral("/profil");
    {
        TSilnikLibreOffice silnik;
        silnik.Uruchom();
        EXPECT_TRUE(ProfilOffice(silnik.NazwaPotoku()) == trwaly);
    }
    ASSERT_TRUE(QFile::exists(Profil() + QStringLiteral("/gotowy")));
    ZapiszPlik(Profil() + QStringLiteral("/profil/user/znak"), "1");
    // The version is recorded, so the office's graphics self-tests (their log) ran on the first start only.
    const QString testyGrafiki = Profil() + QStringLiteral("/profil/user/GraphicsRenderTests.log");
    EXPECT_TRUE(CzytajPlik(Profil() + QStringLiteral("/profil/user/registrymodifications.xcu"))
                    .contains("\"ooSetupLastVersion\" oor:op=\"fuse\"><value>"));
    EXPECT_TRUE(QFile::remove(testyGrafiki));
    {
        TSilnikLibreOffice silnik;
        silnik.Uruchom();
        EXPECT_TRUE(ProfilOffice(silnik.NazwaPotoku()) == trwaly);
        EXPECT_TRUE(QFile::exists(Profil() + QStringLiteral("/profil/user/znak")));
        EXPECT_FALSE(QFile::exists(testyGrafiki));
        TSilnikLibreOffice obok;
        obok.NowyDokument()->Zapisz(Sciezka(QStringLiteral("obok.odt")));
        EXPECT_NE(ProfilOffice(obok.NazwaPotoku()), trwaly);
        EXPECT_FALSE(ProfilOffice(obok.NazwaPotoku()).isEmpty());
        EXPECT_TRUE(QFile::exists(Sciezka(QStringLiteral("obok.odt"))));
    }
    // The office fails with the damaged profile (as a launcher that refuses it), then starts on a new one.
    const QString nakladka = Sciezka(QStringLiteral("soffice.sh"));
    ZapiszPlik(nakladka, "#!/bin/sh\n[ -e '" + QFile::encodeName(Profil()) + "/profil/zepsuty' ] && exit 1\nexec " +
                             QFile::encodeName(TProcesOffice::PlikWykonywalny()) + " \"$@\"\n");
    QFile::setPermissions(nakladka, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ZapiszPlik(Profil() + QStringLiteral("/profil/zepsuty"), "1");
    TZmienna program("VELOSTRA_SOFFICE", nakladka.toUtf8());
    TSilnikLibreOffice silnik;
    silnik.Uruchom();
    EXPECT_TRUE(ProfilOffice(silnik.NazwaPotoku()) == trwaly);
    EXPECT_FALSE(QFile::exists(Profil() + QStringLiteral("/profil/zepsuty")));
    EXPECT_FALSE(QFile::exists(Profil() + QStringLiteral("/profil/user/znak")));
    EXPECT_TRUE(QFile::exists(Profil() + QStringLiteral("/gotowy")));
}

} // namespace
