#pragma once

#include <QString>

class TKonfiguracja;

// How an archive is unpacked: where to, whether existing files are replaced, and which folder
// structure the specification documents get.
struct TOpcjeEkstrakcjiArchiwum
{
    enum TStruktura : int { StrukturaNumer = 0, StrukturaNumerIOpis = 1, StrukturaPlaska = 2 };

    // The defaults of the extraction dialog: the configuration's user folder (with a trailing "/") as the
    // target and as what the token stands for, no overwriting, the tree of numbers.
    static TOpcjeEkstrakcjiArchiwum ZKonfiguracji(const TKonfiguracja& konfiguracja);

    // The target folder without its trailing delimiter (the form the archivers join paths with).
    QString FolderBezSeparatora() const;
    // Sets the target folder; a trailing "/" is added when missing.
    void SetFolderDocelowy(const QString& folder);

    const QString& FolderDocelowy() const { return FFolderDocelowy; }

    bool CzyNadpisuj = false;
    int StrukturaFolderow = StrukturaNumer;
    // What "%USERPATH%" in the stored paths of the lists and sets stands for, packing and unpacking.
    QString KatalogUzytkownika;

private:
    QString FFolderDocelowy;
};
