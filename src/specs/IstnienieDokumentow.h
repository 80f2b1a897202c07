#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <utility>
#include <vector>

// Whether documents exist, asked for thousands of documents at once (a list read or written): a folder
// asked about often is read once, and its regular files answer from that reading, so that a list whose
// 20,000 documents share a folder costs one reading of the folder instead of 20,000 calls to stat. A name
// not found there, a link, an entry of unknown type or an unusual path is asked of the file system as
// before, so every answer is the one QFileInfo::isFile gives (on a file system that ignores letter case
// too). The readings are as old as the object: it lives for one operation.
class TIstnienieDokumentow
{
public:
    bool CzyPlik(const QString& sciezka);

private:
    // The names of a folder's files, one after another in one buffer, found through a table of their
    // hashes: a folder of 20,000 documents costs no allocation per name, and a lookup reads one slot and
    // one name.
    class TNazwy
    {
    public:
        void Dodaj(QStringView nazwa);
        // Builds the table once all names are in.
        void Zakoncz();
        bool Zawiera(QStringView nazwa) const;

    private:
        struct TSlot
        {
            std::uint32_t Skrot = 0;
            std::uint32_t Nazwa = 0; // index in FNazwy plus 1; 0 for an empty slot
        };
        std::vector<char16_t> FZnaki;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> FNazwy; // start and length in FZnaki
        std::vector<TSlot> FSloty;
    };
    struct TKatalog
    {
        int Pytan = 0;
        bool Wczytany = false;
        // Names of regular files as text; a name that does not read back to the same bytes is left out
        // (the file system answers for it).
        TNazwy Pliki;
    };
    void Wczytaj(const QByteArray& katalog, TKatalog& wpis);

    QHash<QByteArray, TKatalog> FKatalogi;
    // The folder asked about last, as given: a list's documents mostly follow one another in one folder.
    QString FOstatniKatalog;
    TKatalog* FOstatni = nullptr;
};

// While it lives, nodes on this thread ask the given object whether their documents exist (see
// TSpecyfikacja::CzyIstnieje); scopes nest.
class TZakresIstnieniaDokumentow
{
public:
    explicit TZakresIstnieniaDokumentow(TIstnienieDokumentow& istnienie);
    ~TZakresIstnieniaDokumentow();
    TZakresIstnieniaDokumentow(const TZakresIstnieniaDokumentow&) = delete;
    TZakresIstnieniaDokumentow& operator=(const TZakresIstnieniaDokumentow&) = delete;

    // The object of the innermost scope on this thread, null outside any.
    static TIstnienieDokumentow* Biezace();
    // A number of the innermost scope on this thread, different for every scope begun on it; 0 outside
    // any. Within one scope the answer for a path does not change, so a node may keep it.
    static std::uint32_t Pokolenie();

private:
    TIstnienieDokumentow* FPoprzednie;
    std::uint32_t FPoprzedniePokolenie;
};

// Whether the path names a regular file now: through the current scope's object when there is one.
bool CzyDokumentIstnieje(const QString& sciezka);
