// Starts the program's main window as the program does and ends at its first frame, printing
// how long that took and the peak memory. Run by startup_bench, once per measurement.

#include "runtime/application.h"
#include "startup_probe.h"
#include "ui/main/form1.h"
#include "ui/program.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    const std::int64_t mainEntered = bench::NowNs();
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    bench::StartupProbe probe("form1", argc, argv, mainEntered);

    // As the program starts, with the window watched before its first paint. The application
    // makes its QApplication and prepares it in one step: both marks fall after it.
    runtime::Application application(argc, argv, ui::Program());
    probe.Mark("qapp");
    probe.Mark("prepared");
    probe.WatchFirstFrame();

    ui::Form1 form;
    form.Show();
    probe.Mark("shown");
    return QApplication::exec();
}
