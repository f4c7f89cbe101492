#pragma once

// What the two start-up probes share: the clock, and the watch for the first frame of the window
// under test. startup_bench uses them only where it has no X server to watch windows on (Qt's
// offscreen platform). A probe is started afresh for every measurement, given the moment it was
// spawned; it prints one line of figures at its first paint event and ends.

#include <QObject>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// CLOCK_MONOTONIC in nanoseconds: the same clock in the driver and in the probe.
std::int64_t NowNs();

class StartupProbe : public QObject {
public:
    // Reads the probe's argument --spawned-at-ns=N (the driver's clock just before the spawn).
    StartupProbe(const char* name, int argc, char** argv, std::int64_t mainEnteredNs);

    // A named moment of the start-up, reported in the figures line.
    void Mark(const char* phase);

    // Watches the application for the first paint of a window (the window may be painted while
    // it is being shown); once that frame is done the figures are printed and the process ends.
    // Call once the QApplication exists.
    void WatchFirstFrame();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FrameDone();

    std::string name_;
    std::int64_t spawnedNs_ = 0; // 0 when not started by the driver
    std::int64_t mainNs_;
    bool painted_ = false;
    std::vector<std::pair<std::string, std::int64_t>> marks_;
};

} // namespace bench
