// Whether reopening windows costs memory for good: the main window open, the schematic window and
// the component search window are each opened, painted and closed again and again, as a user
// does all day, and the resident memory is read after the first round and after the last. The
// figure is the growth between the two; the target is at most 2 MiB. Runs on Qt's offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
//
//   reopen_memory [--rounds=N]      (100 by default)

#include "runtime/application.h"
#include "ui/main/form1.h"
#include "ui/program.h"
#include "ui/schematic/form2.h"
#include "ui/search/component_search_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

constexpr double GrowthTargetMiB = 2.0;

// Resident memory, in MiB: all of it (VmRSS), the process's own (RssAnon: the heap, which a
// leak or a growing cache fills) and the mapped files' (RssFile: code and fonts, whose pages come
// and go with the machine's other work).
struct Resident {
    double all = 0, anonymous = 0, files = 0;
};

double StatusMiB(const std::string& status, std::string_view key) {
    const std::size_t line = status.find(std::string(key) + ':');
    if (line == std::string::npos) {
        return 0;
    }
    const std::size_t at = status.find_first_not_of(" \t", line + key.size() + 1);
    long kib = 0;
    std::from_chars(status.data() + at, status.data() + status.size(), kib);
    return static_cast<double>(kib) / 1024;
}

Resident ResidentNow() {
    std::ifstream file("/proc/self/status");
    const std::string status((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
    return {StatusMiB(status, "VmRSS"), StatusMiB(status, "RssAnon"), StatusMiB(status, "RssFile")};
}

// What the event loop does between the user's actions: paints, and deletes what was closed.
void Settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// One round: the schematic window opened and closed, then the search window opened, a frequency
// typed into it so that its tables fill, and closed.
void Round(ui::Form1& main) {
    main.Command3_Click();
    Settle();
    main.SchematicWindow()->Unload();
    Settle();

    main.ShowComponentSearch();
    Settle();
    ui::ComponentSearchWindow& search = *main.SearchWindow();
    QTest::keyClicks(search.FrequencyEdit()->edit(), QStringLiteral("1000"));
    Settle();
    search.Unload();
    Settle();
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int rounds = 100;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        constexpr std::string_view option = "--rounds=";
        if (arg.rfind(option, 0) != 0 ||
            std::from_chars(arg.data() + option.size(), arg.data() + arg.size(), rounds).ec !=
                std::errc() ||
            rounds < 2) {
            std::fprintf(stderr, "usage: reopen_memory [--rounds=N] (N at least 2)\n");
            return 2;
        }
    }
    runtime::Application application(argc, argv, ui::Program());
    ui::Form1 main;
    main.Show();
    Settle();
    const Resident started = ResidentNow();
    Round(main);
    const Resident first = ResidentNow();
    double highest = first.all;
    for (int i = 1; i < rounds; ++i) {
        Round(main);
        highest = std::max(highest, ResidentNow().all);
    }
    const Resident last = ResidentNow();
    std::printf("Resident memory with the main window open, as the schematic and the search "
                "windows are opened and closed %d times each (platform %s), in MiB\n",
                rounds, qPrintable(QGuiApplication::platformName()));
    std::printf("%-28s %10s %10s %10s\n", "", "all", "anonymous", "files");
    const auto line = [](const char* title, const Resident& resident) {
        std::printf("%-28s %10.2f %10.2f %10.2f\n", title, resident.all, resident.anonymous,
                    resident.files);
    };
    line("before the first opening", started);
    line("after the first", first);
    line("after the last", last);
    std::printf("highest after any: %.2f MiB\n", highest);
    const double growth = last.all - first.all;
    std::printf("growth after the first opening: %.2f MiB, of it anonymous %.2f MiB (at most "
                "%.1f) %s\n",
                growth, last.anonymous - first.anonymous, GrowthTargetMiB,
                growth <= GrowthTargetMiB ? "met" : "NOT MET");
    main.Unload();
    Settle();
    return 0;
}
