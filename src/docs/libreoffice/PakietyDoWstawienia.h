#pragma once

#include <QString>

#include <memory>

class QTemporaryDir;

// Copies of documents made ready to be inserted into the merged document, and edits of OpenDocument packages,
// done on the files themselves where the office cannot do them or would end doing them.

// Writes into a folder of its own a copy of a .docx or .odt without comments and with the links relative to
// its own folder made absolute; returns the copy, or empty when the file needs none (or is no zip package: the
// office then says what it makes of it). An .odt's copy ends with an empty paragraph of its own
// (akapitKoncowy), which the office's insertion of an OpenDocument text gives the looks of the paragraph before
// it, instead of giving them to the document's own last paragraph.
QString KopiaDoWstawienia(const QString& plik, std::unique_ptr<QTemporaryDir>& katalogKopii, bool& akapitKoncowy);

// For a Word 97 document with comments: an OpenDocument copy without them, as KopiaDoWstawienia makes it;
// otherwise empty. Raises EBlad, naming the document, when it cannot be made.
QString KopiaDocBezKomentarzy(const QString& plik, std::unique_ptr<QTemporaryDir>& katalogKopii, bool& akapitKoncowy);

// Keeps, of a package's paragraph and character styles, only those whose display name ends with the suffix
// (and a number, maybe): the others, no longer used by its text, would otherwise define the styles of that
// name in the document it is inserted into.
void ZostawTylkoStyleZPrzyrostkiem(const QString& odt, const QString& przyrostek);
