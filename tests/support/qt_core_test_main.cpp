#include <QCoreApplication>

#include <gtest/gtest.h>

#include <clocale>

// For tests of the non-widget layers that need an event loop.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName("Pellicorio");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
