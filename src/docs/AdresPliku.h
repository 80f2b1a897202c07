#pragma once

#include <QString>

// The file URL the word processor takes for a path: "\" becomes "/", every byte of the UTF-8 text
// except ". / 0-9 : @ A-Z a-z" is written as %XX, and "file:///" goes in front ("file://" before an
// absolute Linux path, whose own "/" completes it).
QString ConvertToURL(const QString& plik);
