#pragma once

#include <memory>

class QApplication;

namespace runtime {

class Form;

// The start of the program: Qt's application object with the program's name and version, the
// French texts of Qt's standard buttons and the window font; then the start-up form is loaded and
// shown, and events are handled until no form is loaded any more.
//
// The program reads no command line: Qt sees none of the user's arguments (its own, such as
// -qwindowtitle or -reverse, would change the windows); the platform is chosen by
// QT_QPA_PLATFORM. With no display to draw on, it says so in one French line on the standard
// error and the program ends with status 1, where Qt would abort.
class Application {
public:
    Application(int argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Returns the exit status: 0, or non-zero when a failure ended the program.
    int Run(Form& startup);

    // Called by the forms: the application ends when the last form has been unloaded.
    static void LastFormUnloaded();

private:
    int qtArgc_ = 1;
    char* qtArgv_[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> app_;
};

// The set-up that Application does on an existing QApplication (the tests make their own).
void PrepareApplication();

// Loads and shows the start-up form and handles events until no form is loaded any more, on the
// existing QApplication. Returns 0, or FailureExitStatus when a failure ended the program.
int RunForms(Form& startup);

} // namespace runtime
