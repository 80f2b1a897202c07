#pragma once

#include <QString>

// The path limits of the other platform, kept so that unpacked sets and lists still open there.
class TPathLengthValidator
{
public:
    // A file path: fewer than 259 characters.
    bool SprawdzSciezke(const QString& sciezka) const { return sciezka.size() < 259; }
    // A folder that files are still to be copied into: fewer than 247 characters.
    bool SprawdzFolder(const QString& sciezka) const { return sciezka.size() < 247; }
};
