#pragma once

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TZipFile;

// A zip archive of sets and lists, with the program's conventions on top of the zip container: entry
// names with "\" on the program's side and "/" in the file, Polish letters of names in code page 852,
// no two entries of one name (letter case ignored), lookup without regard to letter case, extraction of
// one entry into a folder. Every failure is an EBlad with a Polish message.
class TArchiwum
{
public:
    TArchiwum();
    // Waits for the files still being deflated.
    ~TArchiwum();
    TArchiwum(const TArchiwum&) = delete;
    TArchiwum& operator=(const TArchiwum&) = delete;

    // Reads an archive; a damaged one (or no zip at all) raises "Wybrany plik archiwum jest
    // nieprawidłowy." and leaves this archive as it was.
    void Otworz(const QString& zipPath);
    // Writes the archive; an existing file of that name is replaced safely (never destroyed by a failure).
    void Zapisz(const QString& zipPath);

    // Adds an entry unless one of that name (trimmed, any letter case) exists: the first one wins.
    void DodajPlik(const QString& nazwaWArchiwum, QIODevice& strumien);
    void DodajPlik(const QString& nazwaWArchiwum, const QString& sciezkaPliku);
    void DodajDane(const QString& nazwaWArchiwum, const QByteArray& dane);

    // "Brak pliku " + name + " w archiwum." when there is no such entry.
    int GetIndexPliku(const QString& nazwaWArchiwum) const;
    bool CzyJestPlik(const QString& nazwaWArchiwum) const;
    // Decoded names ("\" separators) in archive order.
    QStringList GetListaPlikow() const;
    int Count() const;

    // The entry's uncompressed content.
    QByteArray WypakujPlik(const QString& nazwaWArchiwum) const;
    // Writes the entry into the folder under the last component of its name and returns the file's path.
    // An existing file without nadpisz: "Plik istnieje: " + path.
    QString WypakujPlik(const QString& nazwaWArchiwum, const QString& folder, bool nadpisz) const;
    // The same for many entries (name, folder), several inflated and written at once; OnWpis is told of
    // each in the given order, on the calling thread. The first failure (in that order) is raised once the
    // files started before it are whole.
    void WypakujPliki(const std::vector<std::pair<QString, QString>>& wpisy, bool nadpisz) const;

    // Entry names in the file's form and back (code page 852 for Polish letters, "/" separators).
    static QByteArray KodujNazwe(const QString& nazwa);
    static QString DekodujNazwe(const QByteArray& bajty);

    // Told after every entry added (the entries so far, 0) and every file unpacked (files so far, all
    // entries), so that long work can show its progress; a failure it throws ends the work there.
    std::function<void(int zrobione, int wszystkie)> OnWpis;

private:
    // Runs `dodaj` on a new entry of that name unless the name is taken; drops the entry when it fails.
    template <typename F> void Dodaj(const QString& nazwaWArchiwum, F&& dodaj);
    QString NazwaWpisu(int i) const;
    QString WypakujDoFolderu(const QString& nazwaWArchiwum, const QString& folder, bool nadpisz) const;
    void OdbudujIndeks();

    std::unique_ptr<TZipFile> FZip;
    // Trimmed, case-folded decoded name -> index of the first entry of that name.
    QHash<QString, int> FIndeks;
    mutable int FRozpakowanych = 0;

    // Files are deflated on workers, several at a time, and their results set in the entries in order
    // before anything reads or writes the archive, so the archive is the same as one made on one thread.
    struct TKompresja;
    void DokonczNajstarsza();
    void DokonczWszystkie() const;
    mutable std::deque<TKompresja> FKompresje;
};
