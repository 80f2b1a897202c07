#pragma once

// The main of a benchmark that shows widgets: the offscreen platform and a home of its own, so that no
// run touches the user's configuration.
#include "app/DuzeStrony.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

inline int UruchomBenchmarkiGui(int argc, char** argv)
{
    UruchomZDuzymiStronami(argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dom;
    qputenv("HOME", dom.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (dom.path() + QStringLiteral("/.config")).toLocal8Bit());
    QApplication aplikacja(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
