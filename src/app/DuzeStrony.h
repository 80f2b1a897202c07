#pragma once

#include <QByteArray>

// Fresh memory comes in page by page, and on some machines (virtual ones above all) each page costs tens of
// microseconds: reading a large file, or the office starting, then spends most of its time there. The C
// library's allocator asks for huge pages when its tunable says so, and it reads the tunable only as the
// program starts.

// The value of GLIBC_TUNABLES with huge pages asked for; a value that already decides on them is kept.
QByteArray StrojenieZDuzymiStronami(const QByteArray& obecne);

// Starts the program once more, the same way, with huge pages asked for, unless its environment already
// decides on them; returns only when it does not start it again.
void UruchomZDuzymiStronami(char** argv);
