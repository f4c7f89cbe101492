// Start-up time and memory of the program's main window against the plainest Qt window of the
// same size (and, for comparison, that window with one line of text), all on the same platform,
// measured in the same run. Every measurement is a fresh process: loading Qt, its plugins and the
// fonts is part of the cost, and the time runs from just before the spawn to the end of the
// window's first frame. The probes built beside this program are started in turn, in an order
// that changes from round to round, so that a drift of the machine weighs on all of them alike.
//
//   startup_bench [--runs=N] [--warmup=N] [--libraries]
//
// The platform is QT_QPA_PLATFORM (offscreen when unset); for a real X server:
//   QT_QPA_PLATFORM=xcb xvfb-run -a startup_bench

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr double TimeRatioTarget = 1.3;
constexpr double MemoryRatioTarget = 1.3;

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

std::string Directory(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string OwnDirectory() {
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return ".";
    }
    return Directory(std::string(buffer.data(), static_cast<std::size_t>(length)));
}

// One run of a probe: its figures line as key=value pairs, and the libraries when asked for.
struct ProbeRun {
    std::map<std::string, std::int64_t> figures;
    std::vector<std::string> libraries;
};

std::optional<ProbeRun> Parse(const std::string& output) {
    ProbeRun run;
    bool sawFigures = false;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) {
            end = output.size();
        }
        const std::string_view line(output.data() + start, end - start);
        start = end + 1;
        if (line.substr(0, 8) == "library=") {
            run.libraries.emplace_back(line.substr(8));
            continue;
        }
        if (line.substr(0, 6) != "probe=") {
            continue;
        }
        sawFigures = true;
        std::size_t at = 0;
        while (at < line.size()) {
            std::size_t next = line.find(' ', at);
            if (next == std::string_view::npos) {
                next = line.size();
            }
            const std::string_view token = line.substr(at, next - at);
            at = next + 1;
            const std::size_t equals = token.find('=');
            if (equals == std::string_view::npos) {
                continue;
            }
            std::int64_t value = 0;
            const auto [ptr, error] =
                std::from_chars(token.data() + equals + 1, token.data() + token.size(), value);
            if (error == std::errc() && ptr == token.data() + token.size()) {
                run.figures.emplace(std::string(token.substr(0, equals)), value);
            }
        }
    }
    if (!sawFigures) {
        return std::nullopt;
    }
    return run;
}

// A probe to start: the executable and its own arguments.
struct Probe {
    std::string path;
    std::vector<std::string> arguments;
};

std::optional<ProbeRun> RunProbe(const Probe& probe, bool listLibraries) {
    const std::string& path = probe.path;
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        std::perror("pipe");
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    std::string libraries = "--libraries";
    std::string spawnedAt = "--spawned-at-ns=" + std::to_string(NowNs());
    std::vector<std::string> arguments = probe.arguments;
    std::vector<char*> argv{const_cast<char*>(path.c_str()), spawnedAt.data()};
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    if (listLibraries) {
        argv.push_back(libraries.data());
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "startup_bench: cannot start %s: %s\n", path.c_str(),
                     std::strerror(spawned));
        close(pipeFds[0]);
        return std::nullopt;
    }

    std::string output;
    std::array<char, 8192> buffer{};
    for (;;) {
        const ssize_t got = read(pipeFds[0], buffer.data(), buffer.size());
        if (got > 0) {
            output.append(buffer.data(), static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    close(pipeFds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup_bench: %s ended with status %d\n", path.c_str(), status);
        return std::nullopt;
    }
    auto run = Parse(output);
    if (!run) {
        std::fprintf(stderr, "startup_bench: %s printed no figures\n", path.c_str());
    }
    return run;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Quantile(std::vector<double> values, double q) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const double position = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    const double fraction = position - static_cast<double>(below);
    return values[below] + (values[above] - values[below]) * fraction;
}

struct Samples {
    std::map<std::string, std::vector<double>> byKey;

    void Add(const ProbeRun& run) {
        for (const auto& [key, value] : run.figures) {
            byKey[key].push_back(static_cast<double>(value));
        }
    }
    std::vector<double> Of(const std::string& key) const {
        const auto found = byKey.find(key);
        return found == byKey.end() ? std::vector<double>{} : found->second;
    }
};

bool ParseCount(std::string_view arg, std::string_view option, int& count) {
    if (arg.substr(0, option.size()) != option) {
        return false;
    }
    const auto [ptr, error] =
        std::from_chars(arg.data() + option.size(), arg.data() + arg.size(), count);
    if (error != std::errc() || ptr != arg.data() + arg.size() || count < 0) {
        std::fprintf(stderr, "startup_bench: bad value in %.*s\n", static_cast<int>(arg.size()),
                     arg.data());
        std::exit(2);
    }
    return true;
}

// The Qt libraries and plugins, and the font and image libraries, that a probe had mapped.
void PrintLibraries(const char* title, const ProbeRun& run) {
    std::printf("\n%s: %zu shared objects mapped at the first frame; of them:\n", title,
                run.libraries.size());
    for (const std::string& path : run.libraries) {
        const bool interesting = path.find("/qt6/plugins/") != std::string::npos ||
                                 path.find("libQt6") != std::string::npos ||
                                 path.find("libfontconfig") != std::string::npos ||
                                 path.find("libfreetype") != std::string::npos ||
                                 path.find("libicu") != std::string::npos;
        if (interesting) {
            std::printf("  %s\n", path.c_str());
        }
    }
}

// Whether a shared object whose file name starts with `name` was mapped ("libqsvg.so" does not
// match "libqsvgicon.so").
bool Maps(const ProbeRun& run, std::string_view name) {
    return std::any_of(run.libraries.begin(), run.libraries.end(), [name](const std::string& path) {
        const std::size_t slash = path.rfind('/');
        return std::string_view(path).substr(slash + 1, name.size()) == name;
    });
}

} // namespace

int main(int argc, char** argv) {
    int runs = 30;
    int warmup = 3;
    bool listLibraries = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (ParseCount(arg, "--runs=", runs) || ParseCount(arg, "--warmup=", warmup)) {
            continue;
        }
        if (arg == "--libraries") {
            listLibraries = true;
            continue;
        }
        std::fprintf(stderr, "usage: startup_bench [--runs=N] [--warmup=N] [--libraries]\n");
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const std::string platform = std::getenv("QT_QPA_PLATFORM");
    const std::string directory = OwnDirectory();

    struct Subject {
        const char* title;
        Probe probe;
        Samples samples;
    };
    std::array<Subject, 3> subjects{{
        {"Form1", {directory + "/startup_probe_form1", {}}, {}},
        {"bare", {directory + "/startup_probe_bare", {}}, {}},
        {"bare+text", {directory + "/startup_probe_bare", {"--text"}}, {}},
    }};
    Subject& form1 = subjects[0];
    Subject& bare = subjects[1];
    Subject& bareText = subjects[2];

    // The first starts fill the page cache and the font caches; they are not counted.
    for (int i = 0; i < warmup; ++i) {
        for (const Subject& subject : subjects) {
            if (!RunProbe(subject.probe, false)) {
                return 1;
            }
        }
    }
    // Every round starts each probe once, in an order that turns from round to round, so that
    // each one goes first, in the middle and last equally often.
    for (int i = 0; i < runs; ++i) {
        for (std::size_t turn = 0; turn < subjects.size(); ++turn) {
            const std::size_t k = (turn + static_cast<std::size_t>(i)) % subjects.size();
            Subject& subject = subjects[i % 2 == 0 ? k : subjects.size() - 1 - k];
            const auto run = RunProbe(subject.probe, false);
            if (!run) {
                return 1;
            }
            subject.samples.Add(*run);
        }
    }

    std::printf("Start-up of the main window (Form1) against a bare QWidget of 337 x 257, and the "
                "same bare window with one line of text\n");
    std::printf("platform %s, %d fresh processes each, interleaved, %d warm-up round(s) not "
                "counted\n",
                platform.c_str(), runs, warmup);
    std::printf("times in ms from the spawn of the process; medians [first quartile - third "
                "quartile]\n\n");
    std::printf("%-36s %22s %22s %22s %10s %10s\n", "", form1.title, bare.title, bareText.title,
                "Form1/bare", "Form1/b+t");

    auto row = [&](const char* title, const std::string& key, double scale, const char* unit) {
        std::array<double, 3> medians{};
        char name[64];
        std::snprintf(name, sizeof name, "%s (%s)", title, unit);
        std::printf("%-36s", name);
        for (std::size_t i = 0; i < subjects.size(); ++i) {
            const std::vector<double> values = subjects[i].samples.Of(key);
            medians[i] = Median(values) * scale;
            char cell[64];
            std::snprintf(cell, sizeof cell, "%.2f [%.2f-%.2f]", medians[i],
                          Quantile(values, 0.25) * scale, Quantile(values, 0.75) * scale);
            std::printf(" %22s", cell);
        }
        const double toBare = medians[1] > 0 ? medians[0] / medians[1] : 0.0;
        const double toBareText = medians[2] > 0 ? medians[0] / medians[2] : 0.0;
        std::printf(" %10.3f %10.3f\n", toBare, toBareText);
        return toBare;
    };
    const double us = 1e-3;
    const double kib = 1.0 / 1024;
    row("main() entered", "main_us", us, "ms");
    row("QApplication made", "qapp_us", us, "ms");
    row("application prepared", "prepared_us", us, "ms");
    row("window shown", "shown_us", us, "ms");
    row("first paint", "paint_us", us, "ms");
    const double timeRatio = row("first frame done", "frame_us", us, "ms");
    // The processor time the process used until then (all threads, user and system): less
    // sensitive than the elapsed time to other work on the machine.
    row("CPU time to first frame", "cpu_us", us, "ms");
    const double memoryRatio = row("peak RSS (VmHWM)", "hwm_kib", kib, "MiB");
    row("RSS anonymous at first frame", "rss_anon_kib", kib, "MiB");
    row("RSS file-backed at first frame", "rss_file_kib", kib, "MiB");

    std::printf("\ntime to first frame, Form1 / bare: %.3f (target at most %.1f) %s\n", timeRatio,
                TimeRatioTarget, timeRatio <= TimeRatioTarget ? "met" : "NOT MET");
    std::printf("peak memory, Form1 / bare:         %.3f (target at most %.1f) %s\n", memoryRatio,
                MemoryRatioTarget, memoryRatio <= MemoryRatioTarget ? "met" : "NOT MET");

    // The diagram's SVG is read when the schematic window first paints; the main window's
    // start-up should not load the SVG image reader.
    const auto form1Libraries = RunProbe(form1.probe, true);
    const auto bareLibraries = RunProbe(bare.probe, true);
    const auto bareTextLibraries = RunProbe(bareText.probe, true);
    if (!form1Libraries || !bareLibraries || !bareTextLibraries) {
        return 1;
    }
    std::printf("\nat Form1's first frame: SVG image reader plugin (libqsvg.so) %s; SVG icon "
                "engine plugin (libqsvgicon.so) %s; libQt6Svg %s\n",
                Maps(*form1Libraries, "libqsvg.so") ? "LOADED" : "not loaded",
                Maps(*form1Libraries, "libqsvgicon.so") ? "loaded" : "not loaded",
                Maps(*form1Libraries, "libQt6Svg.so") ? "loaded" : "not loaded");
    if (listLibraries) {
        PrintLibraries("Form1", *form1Libraries);
        PrintLibraries("bare", *bareLibraries);
        PrintLibraries("bare+text", *bareTextLibraries);
    }
    return 0;
}
