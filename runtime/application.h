#pragma once

#include <QImage>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>

class QApplication;

namespace runtime {

class Accessibility;
class Form;

// What a program tells the desktop and the user about itself, and what its windows need around
// them: given by the program, the runtime knows nothing of it.
struct ProgramIdentity {
    QString name;
    QString version;
    QString organisation;
    QString desktopFileName;    // the .desktop entry the windows belong to
    QLocale locale;             // of the numbers and of Qt's own texts
    QStringList qtTranslations; // catalogues of Qt's own texts, in the locale ("qtbase")
    QStringList fontFiles;      // added to the fonts when present
    // Added when present, the first time a window asks for a bold font (AddBoldFonts): the main
    // window writes in none.
    QStringList boldFontFiles;
    // The font of the windows, made the application's too: that of their menus, tool tips and
    // messages.
    QString fontFamily;
    double fontPoints = 0;
    // The icon of every window, as images of the sizes that title bars and window switchers use.
    QList<QImage> icon;
};

// The start of the program: Qt's application object with the program's identity, its Qt
// translations and fonts, the forms' style and what a screen reader is told of the controls
// (accessibility.h); then the start-up form is loaded and shown, and events are handled until no
// form is loaded any more. One exists at a time, reached through Instance().
//
// The program reads no command line: Qt sees none of the user's arguments (its own, such as
// -qwindowtitle or -reverse, would change the windows); the platform is chosen by
// QT_QPA_PLATFORM. With no display to draw on, it says so in one French line on the standard
// error and the program ends with status 1, where Qt would abort.
class Application {
public:
    Application(int argc, char** argv, const ProgramIdentity& identity);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application& Instance();

    // Loads and shows the start-up form and handles events until no form is loaded any more.
    // Returns 0, or FailureExitStatus when a failure ended the program.
    int Run(Form& startup);

    // Set once a failure has ended the program (see failure.h).
    bool Failed() const;

    // Adds the program's bold font files to the fonts, once; what is about to write in bold calls
    // it first. Nothing while no application exists.
    static void AddBoldFonts();

private:
    int qtArgc_ = 1;
    char* qtArgv_[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<Accessibility> accessibility_;
};

} // namespace runtime
