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

#ifndef VIRELDO_VERSION_TEXT
#define VIRELDO_VERSION_TEXT "0"
#endif

namespace runtime {

namespace {
bool running = false;
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

Application::Application(int& argc, char** argv)
    : app_(std::make_unique<QApplication>(argc, argv)) {
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
