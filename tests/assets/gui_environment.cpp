// Painting SVG text needs Qt's font database, which only exists inside a QGuiApplication. The
// tests need no screen: Qt's offscreen platform is used unless the caller chose another one.
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    // QGuiApplication keeps references to these for its whole life.
    int argc_ = 1;
    char name_[12] = "asset_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

// GoogleTest owns the environment and runs it around all the tests of the program.
[[maybe_unused]] const ::testing::Environment* const gui_environment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
