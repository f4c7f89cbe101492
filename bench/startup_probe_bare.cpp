// The yardstick for the main window's start-up: the plainest Qt Widgets program with a window of
// the same size and title and nothing in it, on a QApplication left as Qt sets it up. It ends at
// its first frame, printing how long that took and the peak memory.
//
// With --text the window shows one line of text in Qt's default font: the price of drawing any
// text at all (the font configuration is read, a font is opened and its glyphs rendered), which
// the empty window never pays.

#include "startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstdlib>
#include <string_view>

int main(int argc, char** argv) {
    const std::int64_t mainEntered = bench::NowNs();
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    bool withText = false;
    for (int i = 1; i < argc; ++i) {
        withText = withText || std::string_view(argv[i]) == "--text";
    }
    bench::StartupProbe probe(withText ? "bare_text" : "bare", argc, argv, mainEntered);

    QApplication app(argc, argv);
    probe.Mark("qapp");
    probe.WatchFirstFrame();
    probe.Mark("prepared"); // nothing to prepare: keeps the phases of both probes alike

    // The main window's client area: 5055 x 3855 twips at 15 twips to the pixel.
    QWidget window;
    window.setWindowTitle(QStringLiteral("Vireldo 567"));
    window.setFixedSize(337, 257);
    if (withText) {
        auto* label = new QLabel(QStringLiteral("Fréquence centrale : 1748,252 Hz"), &window);
        label->move(8, 8);
    }
    window.show();
    probe.Mark("shown");
    return QApplication::exec();
}
