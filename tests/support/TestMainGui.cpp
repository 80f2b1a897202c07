#include "support/SrodowiskoTestu.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv)
{
    QTemporaryDir dom;
    UstawSrodowiskoTestu(dom);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication aplikacja(argc, argv);
    // A modal dialog that nobody answers would hold the test until CTest's timeout: each test runs in a
    // process of its own, and a process still running after three minutes is a hung one.
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::minutes(3));
        std::fprintf(stderr, "Test wisi (okno modalne bez odpowiedzi?) - przerwany po 3 minutach.\n");
        std::_Exit(3);
    }).detach();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
