#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

#include <vector>

// One private LibreOffice process: its own profile (locking off), pipe name and temporary folder, so
// that it never joins the user's office or another instance of ours. Ends the process when destroyed.
//
// The office never outlives the process that started it, however that process ends: it is started by a
// watchdog, a small forked process in a session of its own that is the office's parent. The watchdog
// waits on a pipe whose only writer is the starting process; when the pipe closes (the process ended, even
// by SIGKILL) it kills the office's whole process group and removes the temporary folder. The launcher
// also carries the parent-death signal, so it dies with the watchdog. A detached office (Odlacz) keeps its
// watchdog as a reaper only.
class TProcesOffice
{
public:
    // trwalyProfil: use the profile kept between runs in the user's cache folder when no other run holds
    // it (its first start costs the office seconds); otherwise, or when it is taken, a fresh private one.
    explicit TProcesOffice(bool trwalyProfil = false);
    ~TProcesOffice();
    TProcesOffice(const TProcesOffice&) = delete;
    TProcesOffice& operator=(const TProcesOffice&) = delete;

    // Starts the office listening on the pipe. Raises EBrakSilnikaDokumentow when it cannot be started.
    void Uruchom();
    // The process is still running.
    bool CzyDziala();
    // Waits for the process (asked to quit by the caller) up to the time, then terminates it and its
    // children.
    void Zakoncz(int msCzekania);
    QString NazwaPotoku() const { return FNazwaPotoku; }
    // The launcher's process id, also the office's process group; -1 when not running.
    pid_t Pid() const { return FPid; }
    // The folder of the temporary files (and of the profile, unless the kept one is in use).
    QString Katalog() const { return FKatalog.path(); }
    // The profile the office runs with (its UserInstallation).
    QString KatalogProfilu() const;
    // The office runs with the profile kept between runs.
    bool CzyProfilTrwaly() const { return FBlokadaProfilu >= 0; }
    // The office answered: the kept profile is marked as sound for the next runs.
    void PotwierdzStart();
    // The office did not start with the kept profile: it is removed, and the next Uruchom makes it anew.
    void OdrzucProfil();
    // Leaves the running office to outlive this object (an office shared by several processes, ended by
    // whoever holds its process group); returns the launcher's process id, also its group's.
    pid_t Odlacz();
    // A new profile for an office started once for one task (a conversion): our settings, and the office
    // version the kept profile recorded.
    static void PrzygotujProfilJednorazowy(const QString& katalogProfilu);
    // The office's launcher: VELOSTRA_SOFFICE when set, else the installed one.
    static QString PlikWykonywalny();
    // The options of an office that shows nothing, asks nothing and restores nothing, with the profile given.
    static QStringList ArgumentyBezOkna(const QString& katalogProfilu);
    // The folder of the profile kept between runs, one per program version.
    static QString KatalogProfiluTrwalego();
    // Removes the temporary folders of runs that ended without cleaning up: their starting process is gone
    // and no watchdog holds their lock. Called by Uruchom.
    static void UsunPozostalosci();

private:
    void WybierzProfil();
    void PrzygotujProfil();
    void UruchomZeStraznikiem(std::vector<char*>& argv, std::vector<char*>& envp);

    QTemporaryDir FKatalog;
    QString FNazwaPotoku;
    bool FTrwalyProfil = false;
    int FBlokadaKatalogu = -1; // flock on the temporary folder's lock file while it is in use
    int FBlokadaProfilu = -1;  // flock on the kept profile's lock file while this object uses it
    int FDoStraznika = -1;     // the write end of the watchdog's pipe
    pid_t FStraznik = -1;      // the watchdog (our child)
    pid_t FPid = -1;           // the launcher (the watchdog's child), leader of the office's process group
};
