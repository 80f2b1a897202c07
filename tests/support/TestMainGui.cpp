#include "support/SrodowiskoTestu.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QTemporaryDir dom;
    UstawSrodowiskoTestu(dom);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication aplikacja(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
