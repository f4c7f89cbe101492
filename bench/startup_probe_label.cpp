// startup_label_window as a probe, for startup_bench's last resort without an X server: the same
// window with one label, ending at its first frame and printing how long that took.

#include "startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstdlib>

int main(int argc, char** argv) {
    const std::int64_t mainEntered = bench::NowNs();
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    bench::StartupProbe probe("label", argc, argv, mainEntered);

    QApplication app(argc, argv);
    probe.Mark("qapp");
    probe.WatchFirstFrame();
    probe.Mark("prepared"); // nothing to prepare: keeps the phases of both probes alike

    QWidget window;
    window.setWindowTitle(QStringLiteral("Vireldo 567"));
    window.setFixedSize(337, 257);
    auto* label = new QLabel(QStringLiteral("Fréquence centrale : 1748,252 Hz"), &window);
    label->move(8, 8);
    window.show();
    probe.Mark("shown");
    return QApplication::exec();
}
