#pragma once

#include <QString>

class TSpecyfikacja;

// Where a new specification's document goes, and how names taken from the user's texts are made safe
// to use as a single file or folder name.

// The text with every character that no file name may hold here or on Windows (the separators "/" and
// "\", NUL and the other control characters, and : * ? " < > |) replaced by "_", trimmed. Empty when
// that leaves nothing, "." or "..", which would not name a folder of their own.
QString BezpiecznaNazwa(const QString& tekst);

// For a template: the folder for specifications made from templates, followed, when the structure
// marker there says 0 (numbers) or 1 (captions), by one subfolder per ancestor of the new specification
// from the top of the list down to its parent (the list's root gives none); with no marker, structure 2
// or an unknown code, the folder itself. Empty when the folder is not set. Raises EBlad when an
// ancestor's number or caption gives no usable folder name.
QString FolderDocelowySzablonu(const QString& folderStZSzablonu, const TSpecyfikacja* rodzic);

// For an existing specification: the folder of the chosen document; empty when none is chosen.
QString FolderDocelowyIstniejacej(const QString& plikPodstawy);
