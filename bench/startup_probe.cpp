#include "startup_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string_view>
#include <sys/resource.h>

namespace bench {

namespace {

// A probe whose window never paints must not hang the driver.
constexpr int PaintTimeoutMs = 20000;

// The "Vm..." and "Rss..." lines of /proc/self/status, in KiB. The peak is VmHWM, the high-water
// mark of this process's own memory map: getrusage's ru_maxrss would also count the parent's
// resident memory at the time of a vfork-style spawn (300 MiB in the parent show as 300 MiB here).
long StatusKib(std::string_view key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 &&
            line[key.size()] == ':') {
            std::size_t at = key.size() + 1;
            while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) {
                ++at;
            }
            long value = -1;
            std::from_chars(line.data() + at, line.data() + line.size(), value);
            return value;
        }
    }
    return -1;
}

} // namespace

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

StartupProbe::StartupProbe(const char* name, int argc, char** argv, std::int64_t mainEnteredNs)
    : name_(name), mainNs_(mainEnteredNs) {
    constexpr std::string_view spawnedAt = "--spawned-at-ns=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.substr(0, spawnedAt.size()) == spawnedAt) {
            std::from_chars(arg.data() + spawnedAt.size(), arg.data() + arg.size(), spawnedNs_);
        }
    }
    marks_.emplace_back("main", mainEnteredNs);
}

void StartupProbe::Mark(const char* phase) {
    marks_.emplace_back(phase, NowNs());
}

void StartupProbe::WatchFirstFrame() {
    QCoreApplication::instance()->installEventFilter(this);
    QTimer::singleShot(PaintTimeoutMs, this, [this] {
        std::fprintf(stderr, "%s: the window was not painted within %d ms\n", name_.c_str(),
                     PaintTimeoutMs);
        std::_Exit(2);
    });
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !painted_ && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        painted_ = true;
        Mark("paint");
        // The window paints its controls and hands the frame to the platform before control
        // returns to the event loop; a zero timer fires after that.
        QTimer::singleShot(0, this, [this] { FrameDone(); });
    }
    return QObject::eventFilter(watched, event);
}

void StartupProbe::FrameDone() {
    Mark("frame");
    const std::int64_t origin = spawnedNs_ != 0 ? spawnedNs_ : mainNs_;
    std::printf("probe=%s origin=%s", name_.c_str(), spawnedNs_ != 0 ? "spawn" : "main");
    for (const auto& [phase, ns] : marks_) {
        std::printf(" %s_us=%lld", phase.c_str(), static_cast<long long>((ns - origin) / 1000));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long long cpuUs =
        static_cast<long long>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000 +
        usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    std::printf(" cpu_us=%lld", cpuUs);
    std::printf(" hwm_kib=%ld rss_kib=%ld rss_anon_kib=%ld rss_file_kib=%ld\n", StatusKib("VmHWM"),
                StatusKib("VmRSS"), StatusKib("RssAnon"), StatusKib("RssFile"));
    std::fflush(stdout);
    // Nothing after the first frame is measured: no teardown.
    std::_Exit(0);
}

} // namespace bench
