#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Windowless code runs under a core application only.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
