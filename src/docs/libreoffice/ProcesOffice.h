#pragma once

#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

// One private LibreOffice process: its own profile (locking off), pipe name and temporary folder, so
// that it never joins the user's office or another instance of ours. Ends the process when destroyed.
class TProcesOffice
{
public:
    TProcesOffice();
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
    // The folder of the profile and the temporary files.
    QString Katalog() const { return FKatalog.path(); }
    // Leaves the running office to outlive this object (an office shared by several processes, ended by
    // whoever holds its process group); returns the launcher's process id, also its group's.
    pid_t Odlacz();
    // The office's executable: VELOSTRA_SOFFICE when set, else the installed one.
    static QString PlikWykonywalny();

private:
    void PrzygotujProfil();

    QTemporaryDir FKatalog;
    QString FNazwaPotoku;
    pid_t FPid = -1;
};
