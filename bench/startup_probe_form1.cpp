// Starts the program's main window as the program does and ends at its first frame, printing
// how long that took and the peak memory. Run by startup_bench, once per measurement.

#include "runtime/application.h"
#include "startup_probe.h"
#include "ui/main/form1.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    const std::int64_t mainEntered = bench::NowNs();
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    bench::StartupProbe probe("form1", argc, argv, mainEntered);

    // What runtime::Application does, with the window watched before its first paint.
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    probe.Mark("qapp");
    probe.WatchFirstFrame();
    runtime::PrepareApplication();
    probe.Mark("prepared");

    ui::Form1 form;
    form.Show();
    probe.Mark("shown");
    return QApplication::exec();
}
