// Runs GoogleTest inside a QApplication, on Qt's offscreen platform unless the caller chose one
// (the screenshot tests run under Xvfb).
#include "runtime/application.h"

#include <QApplication>
#include <QStyleHints>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Quicker double-click time: the tests wait it out between clicks as a user would.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(100);
    runtime::PrepareApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
