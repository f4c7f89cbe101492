// Runs GoogleTest inside the program's application, on Qt's offscreen platform unless the caller
// chose one (the screenshot and desktop tests run under Xvfb).
#include "runtime/application.h"
#include "ui/program.h"

#include <QApplication>
#include <QStyleHints>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The program's application, as the program starts it, with its identity, fonts and
// translations. It is made once the environments of the test files are set up: a listener that
// stands in for a screen reader is then there before it, as the platform's bridge is, and hears
// what the application's accessibility lets through.
class ApplicationEnvironment : public ::testing::Environment {
public:
    ApplicationEnvironment(int argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        application_ = std::make_unique<runtime::Application>(argc_, argv_, ui::Program());
        // Quicker double-click time: the tests wait it out between clicks as a user would.
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(100);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_;
    char** argv_;
    std::unique_ptr<runtime::Application> application_;
};

} // namespace

int main(int argc, char** argv) {
    // Qt wants a private runtime folder and complains on every start without one.
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        const std::string folder = "/tmp/vireldo-tests-" + std::to_string(getuid());
        mkdir(folder.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    // The offscreen platform's own screen, 800 pixels wide, is narrower than the schematic
    // window; the tests run on a common desktop screen unless they chose one.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || std::string(platform) == "offscreen") {
        // Written whole, then renamed into place: test programs start side by side, and death
        // tests start this program again with the same setting.
        const std::string config =
            std::string(std::getenv("XDG_RUNTIME_DIR")) + "/desktop-screen.json";
        const std::string part = config + "." + std::to_string(getpid());
        if (FILE* file = std::fopen(part.c_str(), "w")) {
            std::fputs(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920,)"
                       R"( "height": 1080, "logicalDpi": 96, "dpr": 1}]})",
                       file);
            std::fclose(file);
            std::rename(part.c_str(), config.c_str());
        }
        setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
