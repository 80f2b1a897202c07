#pragma once

#include <QString>

// Checks that keep unpacking inside the chosen target folder. They run in the validation phase, so a
// hostile or damaged archive is refused before anything is written.

// The message every refusal of a path begins with.
QString KomunikatNiedozwolonejSciezki(const QString& sciezka);

// An entry name or a stored archive reference ("ZIP\sst\a.doc"): refused (EBlad) when it is absolute,
// carries a drive letter, or has a "." or ".." component. "/" and "\" both count as separators.
void SprawdzNazweWArchiwum(const QString& nazwa);
// The same check for one folder name made from list data (a specification number or description).
void SprawdzNazweFolderu(const QString& nazwa);

// The last component of an entry name ("ZIP\sst\a.doc" gives "a.doc").
QString OstatniSkladnikNazwy(const QString& nazwa);
// The entry name in the program's form ("\" separators).
QString NazwaZUkosnikamiWstecz(QString nazwa);

// The target (a file or folder path with "/" separators) must lie inside the folder, and neither the
// folder nor any existing component below it down to the target may be a symbolic link. Throws EBlad.
void SprawdzCelRozpakowania(const QString& folderDocelowy, const QString& cel);
