#pragma once

#include <QString>

class TKonfiguracja;

// How an archive is unpacked: where to, whether existing files are replaced, and which folder
// structure the specification documents get.
struct TOpcjeEkstrakcjiArchiwum
{
    enum TStruktura : int { StrukturaNumer = 0, StrukturaNumerIOpis = 1, StrukturaPlaska = 2 };

    // The defaults of the extraction dialog: the configuration's user folder (with a trailing "/") as the
    // target, no overwriting, the tree of numbers.
    static TOpcjeEkstrakcjiArchiwum ZKonfiguracji(const TKonfiguracja& konfiguracja);

    // The target folder without its trailing delimiter (the form the archivers join paths with).
    QString FolderBezSeparatora() const;
    // Sets the target folder; a trailing "/" is added when missing.
    void SetFolderDocelowy(const QString& folder);

    QString ffolderDocelowy;
    bool fczyNadpisuj = false;
    int fstrukturaFolderow = StrukturaNumer;
};
