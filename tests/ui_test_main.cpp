#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Widget tests need an application; offscreen unless the caller chose.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test prints on a printer of the machine's: the print system is
    // pointed at a server that is not there, so the system has no printer.
    qputenv("CUPS_SERVER", "/nonexistent/zuv-tests/cups.sock");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
