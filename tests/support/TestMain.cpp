#include "support/SrodowiskoTestu.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QTemporaryDir dom;
    UstawSrodowiskoTestu(dom);
    QCoreApplication aplikacja(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
