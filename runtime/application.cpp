#include "runtime/application.h"

#include "runtime/failure.h"
#include "runtime/form.h"
#include "runtime/form_style.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef VIRELDO_VERSION_TEXT
#define VIRELDO_VERSION_TEXT "0"
#endif

namespace runtime {

namespace {

bool running = false;

// What Qt says while it starts, held back until it is known whether it found a display.
QtMessageHandler defaultMessages = nullptr;
QList<std::pair<QtMsgType, QString>>* heldMessages = nullptr;
const char* programName = "vireldo567";

void StartUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        // Qt could not open any display; it would abort with advice to reinstall.
        std::fprintf(stderr,
                     "%s : aucun écran trouvé (ni DISPLAY ni WAYLAND_DISPLAY utilisable) ; "
                     "pour le lancer sans écran : xvfb-run -a %s\n",
                     programName, programName);
        std::_Exit(FailureExitStatus);
    }
    if (heldMessages != nullptr) {
        heldMessages->append({type, qFormatLogMessage(type, context, message)});
    }
}

} // namespace

void PrepareApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Vireldo 567"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VIRELDO_VERSION_TEXT));
    QCoreApplication::setOrganizationName(QStringLiteral("Vireldo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vireldo567"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication::setStyle(new FormStyle);

    // Qt's own standard texts (the buttons of a message box) in French.
    static QTranslator* translator = nullptr;
    if (translator == nullptr) {
        translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                             QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
        }
    }

    // The windows ask for Tahoma. Debian ships a free Tahoma of the same metrics with Wine's
    // fonts, outside the system's font folders; use it when it is there.
    static bool fontsAdded = false;
    if (!fontsAdded) {
        fontsAdded = true;
        for (const char* path :
             {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
            if (QFile::exists(QString::fromLatin1(path))) {
                QFontDatabase::addApplicationFont(QString::fromLatin1(path));
            }
        }
    }
}

Application::Application(int argc, char** argv) {
    if (argc > 0 && argv[0] != nullptr) {
        qtArgv_[0] = argv[0];
        programName =
            std::strrchr(argv[0], '/') != nullptr ? std::strrchr(argv[0], '/') + 1 : argv[0];
    } else {
        qtArgv_[0] = const_cast<char*>(programName);
    }
    QList<std::pair<QtMsgType, QString>> held;
    heldMessages = &held;
    defaultMessages = qInstallMessageHandler(StartUpMessages);
    app_ = std::make_unique<QApplication>(qtArgc_, qtArgv_);
    qInstallMessageHandler(defaultMessages);
    heldMessages = nullptr;
    for (const auto& [type, text] : held) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    // The forms decide when the program ends, tool windows included.
    QApplication::setQuitOnLastWindowClosed(false);
    PrepareApplication();
}

Application::~Application() = default;

int Application::Run(Form& startup) {
    return RunForms(startup);
}

int RunForms(Form& startup) {
    if (!RunGuarded([&startup] { startup.Show(); })) {
        return FailureExitStatus;
    }
    if (Form::LoadedCount() == 0) {
        return 0;
    }
    running = true;
    const int status = QApplication::exec();
    running = false;
    return HasFailed() ? FailureExitStatus : status;
}

void Application::LastFormUnloaded() {
    if (running && !HasFailed()) {
        QCoreApplication::exit(0);
    }
}

} // namespace runtime
