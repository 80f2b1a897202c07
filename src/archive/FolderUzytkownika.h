#pragma once

#include <QString>

// The first-run archive of the program folder ("Velostra.zip"): beside the executable, else in
// ../share/velostra/ (the installed layout).
QString PlikArchiwumPierwszegoUruchomienia();

// First-run preparation of the user folder: when the folder does not exist it is created with its
// parents and, when the archive exists, every entry of it is unpacked to the folder + the entry's
// relative path. An existing folder (or anything else of that name) is never touched. Every entry name
// is checked before anything is unpacked, so an archive with a name leading out of the folder writes
// nothing into it. Returns true when the folder was created. Throws EBlad.
bool PrzygotujFolderUzytkownika(const QString& userPath, const QString& archiwumPath);
