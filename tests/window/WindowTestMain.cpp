// Entry point of the window tests: a Qt application with the game's window system installed.
#include "QtWindowSystem.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Without a display the tests run on the offscreen platform; a given one (xcb under Xvfb) is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    CQtWindowSystem windowSystem;
    SetWindowSystem(&windowSystem);
    const int nResult = RUN_ALL_TESTS();
    SetWindowSystem(nullptr);
    return nResult;
}
