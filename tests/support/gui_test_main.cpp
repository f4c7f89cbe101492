// Runs GoogleTest inside a QApplication, on Qt's offscreen platform unless the caller chose one
// (the screenshot tests run under Xvfb).
#include "runtime/application.h"

#include <QApplication>
#include <QStyleHints>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // Qt wants a private runtime folder and complains on every start without one.
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        const std::string folder = "/tmp/vireldo-tests-" + std::to_string(getuid());
        mkdir(folder.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Quicker double-click time: the tests wait it out between clicks as a user would.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(100);
    runtime::PrepareApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
