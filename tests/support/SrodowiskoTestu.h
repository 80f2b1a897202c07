#pragma once

#include <QTemporaryDir>

#include <cstdlib>
#include <sys/stat.h>

// Points HOME and the XDG folders at a fresh temporary folder before Qt is started, so that tests
// never read or write the real user's configuration and documents.
inline void UstawSrodowiskoTestu(QTemporaryDir& dom)
{
    const QByteArray d = dom.path().toLocal8Bit();
    setenv("HOME", d.constData(), 1);
    setenv("XDG_CONFIG_HOME", (d + "/.config").constData(), 1);
    setenv("XDG_DATA_HOME", (d + "/.local/share").constData(), 1);
    setenv("XDG_CACHE_HOME", (d + "/.cache").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (d + "/.run").constData(), 1);
    setenv("TMPDIR", (d + "/tmp").constData(), 1);
    unsetenv("XDG_CONFIG_DIRS");
    // An office that stops answering is ended after two minutes, not left to hold the test until its timeout.
    setenv("VELOSTRA_LIMIT_WYWOLANIA_OFFICE", "120", 0);
    mkdir((d + "/.run").constData(), 0700);
    mkdir((d + "/tmp").constData(), 0700);
}
