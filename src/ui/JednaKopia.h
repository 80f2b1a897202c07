#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy of the program per user. The first copy listens on a local socket; a later start
// hands it the file it was given and ends. The start sequence runs under a lock file, so that two copies
// starting together never both become the first.
class TJednaKopia : public QObject
{
    Q_OBJECT

public:
    // nazwaSerwera: the socket's name (or an absolute path); tests give one of their own.
    explicit TJednaKopia(QString nazwaSerwera = DomyslnaNazwaSerwera(), QObject* rodzic = nullptr);
    ~TJednaKopia() override;

    // The program's name for the current user.
    static QString DomyslnaNazwaSerwera();
    const QString& NazwaSerwera() const { return FNazwaSerwera; }

    // True when this is the first copy, which listens from now on. Otherwise the file (may be empty) is
    // handed to the first copy and the result is false. A socket left by a crashed copy is removed.
    // Throws EBlad when neither listening nor handing over is possible.
    bool Start(const QString& plik = {});

Q_SIGNALS:
    // In the first copy, for each later start: the file that start was given (empty: none).
    void Aktywuj(const QString& plik);

private:
    bool PrzekazPierwszejKopii(const QString& plik);
    void NowePolaczenia();

    QString FNazwaSerwera;
    QLocalServer* FSerwer = nullptr;
};
