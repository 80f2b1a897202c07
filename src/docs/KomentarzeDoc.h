#pragma once

#include <QByteArray>

// Whether a Word 97 document (.doc, given as its bytes) holds comments: the file information block at the
// start of its text stream gives the size of the comments' reference table. False for anything else,
// a damaged file included.
bool CzyDocMaKomentarze(const QByteArray& plik);
