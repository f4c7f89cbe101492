#include "runtime/application.h"

#include "runtime/accessibility.h"
#include "runtime/combo_box.h"
#include "runtime/failure.h"
#include "runtime/form.h"
#include "runtime/form_style.h"
#include "runtime/picture.h"
#include "runtime/run_state.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fontconfig/fontconfig.h>
#include <thread>
#include <utility>

namespace runtime {

namespace {

Application* instance = nullptr;

// The bold font files not added yet. Each font file added costs its reading by FreeType: the bold
// one, at start-up, took 0.73 M instructions, about 0.9 % of the main window's start-up, for a
// font it never shows (callgrind on Xvfb).
QStringList pendingBoldFonts;

void AddFontFiles(const QStringList& files) {
    for (const QString& font : files) {
        if (QFile::exists(font)) {
            QFontDatabase::addApplicationFont(font);
        }
    }
}

// While Qt starts: what it says, held back until it is known whether it found a display, and the
// program's name for the line that says it found none.
struct StartUp {
    QList<std::pair<QtMsgType, QString>> messages;
    const char* program = "";
};
StartUp* startingUp = nullptr;

// Qt could not start any platform: for want of a display to draw on, as it said in a warning of
// its own or as the environment shows, or for another reason (a platform named that does not
// exist or is not installed), which Qt's own words then tell.
bool NoDisplay(const StartUp& startUp) {
    for (const auto& [type, text] : startUp.messages) {
        if (text.contains(QLatin1String("could not connect to display"))) {
            return true;
        }
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void StartUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    startingUp->messages.append({type, qFormatLogMessage(type, context, message)});
    if (type != QtFatalMsg) {
        return;
    }
    // Where Qt would abort with advice to reinstall, the program says what is wrong and ends.
    if (NoDisplay(*startingUp)) {
        std::fprintf(stderr,
                     "%s : aucun écran trouvé (ni DISPLAY ni WAYLAND_DISPLAY utilisable) ; "
                     "pour le lancer sans écran : xvfb-run -a %s\n",
                     startingUp->program, startingUp->program);
    } else {
        for (const auto& [held, text] : std::as_const(startingUp->messages)) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
        }
    }
    std::_Exit(FailureExitStatus);
}

} // namespace

Application::Application(int argc, char** argv, const ProgramIdentity& identity) {
    // Fontconfig reads its configuration and caches at the first use of a font, a third of the
    // start-up's processor time; it needs no display, so it does that on another core while Qt
    // connects to the display. 5 ms less to the first frame, 0.6 ms more processor time
    // (startup_bench, medians of 100 interleaved starts).
    std::jthread fontconfig([] { FcInit(); });
    StartUp startUp;
    qtArgv_[0] = argc > 0 && argv[0] != nullptr ? argv[0] : const_cast<char*>("");
    const char* slash = std::strrchr(qtArgv_[0], '/');
    startUp.program = slash != nullptr ? slash + 1 : qtArgv_[0];
    startingUp = &startUp;
    const QtMessageHandler defaultMessages = qInstallMessageHandler(StartUpMessages);
    app_ = std::make_unique<QApplication>(qtArgc_, qtArgv_);
    qInstallMessageHandler(defaultMessages);
    startingUp = nullptr;
    for (const auto& [type, text] : std::as_const(startUp.messages)) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    instance = this;

    QCoreApplication::setApplicationName(identity.name);
    QCoreApplication::setApplicationVersion(identity.version);
    QCoreApplication::setOrganizationName(identity.organisation);
    QGuiApplication::setDesktopFileName(identity.desktopFileName);
    QLocale::setDefault(identity.locale);
    // The forms decide when the program ends, tool windows included.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new FormStyle);
    for (const QString& catalogue : identity.qtTranslations) {
        auto* translator = new QTranslator(app_.get());
        if (translator->load(identity.locale, catalogue, QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
        }
    }
    fontconfig.join();
    AddFontFiles(identity.fontFiles);
    pendingBoldFonts = identity.boldFontFiles;
    // One icon for the life of the program, which every window shows: a QIcon made anew for each
    // window leaves its scaled copies in Qt's pixmap cache at every opening, 7 MiB more resident
    // memory once the schematic and search windows have been opened 100 times (reopen_memory on
    // X11).
    if (!identity.icon.isEmpty()) {
        QIcon icon;
        for (const QImage& image : identity.icon) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
        QGuiApplication::setWindowIcon(icon);
    }
    // Qt lays out a new line edit's empty text in the application's font before it takes the
    // window's: with another font there, that font is opened at start-up for nothing (4.6 million
    // instructions under callgrind, 0.6 ms of processor time).
    if (!identity.fontFamily.isEmpty()) {
        QFont font(identity.fontFamily);
        font.setPointSizeF(identity.fontPoints);
        QApplication::setFont(font);
    }
    // Before any control exists, so that every control is read through it.
    const QAccessible::InterfaceFactory interfaces[] = {
        &Form::AccessibleInterface, &ComboBox::AccessibleInterface, &Picture::AccessibleInterface};
    accessibility_ = std::make_unique<Accessibility>(interfaces);
}

Application::~Application() {
    instance = nullptr;
    pendingBoldFonts.clear();
}

void Application::AddBoldFonts() {
    if (instance != nullptr && !pendingBoldFonts.isEmpty()) {
        AddFontFiles(std::exchange(pendingBoldFonts, {}));
    }
}

Application& Application::Instance() {
    Q_ASSERT(instance != nullptr);
    return *instance;
}

int Application::Run(Form& startup) {
    if (!RunGuarded([&startup] { startup.Show(); })) {
        return FailureExitStatus;
    }
    if (RunState::LoadedForms() == 0) {
        return 0;
    }
    RunState::SetHandlingEvents(true);
    const int status = QApplication::exec();
    RunState::SetHandlingEvents(false);
    return RunState::Failed() ? FailureExitStatus : status;
}

bool Application::Failed() const {
    return RunState::Failed();
}

} // namespace runtime
