// Start-up of the program against the plainest Qt window that shows any text (a window of the
// main window's size holding one QLabel, startup_label_window), both watched from outside in fresh
// processes on an X server:
// - wall time: from just before the spawn to the window's first pixels on the server, which the
//   X DAMAGE extension reports as the server draws them;
// - processor time: the process's CPU clock (every thread, user and system) read at that moment,
//   with the process stopped so that it does no more work meanwhile;
// - memory: its peak and its resident memory then, from /proc.
// The subjects run in turn, in an order that changes from round to round so that a drift of the
// machine weighs on all of them alike; the figures are medians with their quartiles, and the
// verdict compares the program's medians with the label window's against 1.15.
//
//   startup_bench [--runs=N] [--warmup=N] [--program=PATH] [--also=PATH] [--libraries]
//
// --program measures another build of the program; --also measures another build in the same
// rounds (before and after a change, under the same load), and may be given more than once. The X
// server is $DISPLAY when it is set, otherwise an Xvfb started for the measurement (no window
// manager, no compositor: nothing else draws). Only when neither can be had does it fall back on
// Qt's offscreen platform, where nothing reaches a screen: the probes built beside it then time
// their own first paint event from inside, and the output says so. The subjects have a session
// bus, as on a desktop: $DBUS_SESSION_BUS_ADDRESS, or a dbus-daemon started for the measurement.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <set>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

#ifndef VIRELDO_PROGRAM_PATH
#define VIRELDO_PROGRAM_PATH ""
#endif

namespace {

constexpr double RatioTarget = 1.15;
// A subject whose window never appears must not hang the measurement.
constexpr std::int64_t FrameTimeoutNs = 20'000'000'000;
constexpr std::int64_t SettleTimeoutNs = 5'000'000'000;

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

std::string OwnDirectory() {
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    const std::string path(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// This process's environment with some variables replaced.
std::vector<std::string> Environment(const std::map<std::string, std::string>& replaced) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text = *entry;
        const std::string name(text.substr(0, text.find('=')));
        if (replaced.count(name) == 0) {
            result.emplace_back(text);
        }
    }
    for (const auto& [name, value] : replaced) {
        result.push_back(name + "=" + value);
    }
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts a program; its standard output and error go to `stdoutFd` and `stderrFd` when given. -1
// when it cannot start.
pid_t Spawn(std::vector<std::string> arguments, std::vector<std::string> environment,
            int stdoutFd = -1, int stderrFd = -1) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    }
    if (stderrFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stderrFd, STDERR_FILENO);
    }
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(environment);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        std::fprintf(stderr, "startup_bench: cannot start %s: %s\n", argv[0],
                     std::strerror(failed));
        return -1;
    }
    return pid;
}

void Reap(pid_t pid) {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The first line a started program writes into the pipe `fd` (without its end), which this closes;
// nothing when none comes within 10 s.
std::optional<std::string> ReadFirstLine(int fd) {
    std::string text;
    std::array<char, 256> buffer{};
    pollfd ready{fd, POLLIN, 0};
    while (text.find('\n') == std::string::npos && poll(&ready, 1, 10000) > 0) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got <= 0) {
            break;
        }
        text.append(buffer.data(), static_cast<std::size_t>(got));
    }
    close(fd);
    if (text.find('\n') == std::string::npos) {
        return std::nullopt;
    }
    return text.substr(0, text.find('\n'));
}

// The session bus that a desktop session always runs. Without one, each subject's D-Bus thread
// forks "dbus-launch --autolaunch" in the middle of its start-up, which no desktop user's start
// does: the fork of the whole process, and the copy-on-write faults after it, are then measured as
// start-up. The bus of $DBUS_SESSION_BUS_ADDRESS when it is set, otherwise a dbus-daemon of its own
// for the measurement.
class SessionBus {
public:
    SessionBus() {
        if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
            address != nullptr && *address != '\0') {
            description_ = "$DBUS_SESSION_BUS_ADDRESS";
            return;
        }
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        // Its warnings (it may not raise its limit of open files) are not the measurement's.
        const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
        daemon_ = Spawn({"/usr/bin/dbus-daemon", "--session", "--nofork",
                         "--print-address=" + std::to_string(fds[1])},
                        Environment({}), -1, devNull);
        close(devNull);
        close(fds[1]);
        if (daemon_ <= 0) {
            close(fds[0]);
            return;
        }
        const std::optional<std::string> address = ReadFirstLine(fds[0]);
        if (!address) {
            std::fprintf(stderr, "startup_bench: no session bus could be started\n");
            return;
        }
        setenv("DBUS_SESSION_BUS_ADDRESS", address->c_str(), 1);
        description_ = "a dbus-daemon of its own";
    }
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;
    ~SessionBus() {
        if (daemon_ > 0) {
            kill(daemon_, SIGTERM);
            Reap(daemon_);
        }
    }

    // Which bus the subjects have, or none.
    const std::string& Description() const { return description_; }

private:
    pid_t daemon_ = -1;
    std::string description_ = "none (each subject forks dbus-launch)";
};

// The figures of one start, by name, and the shared objects it had mapped.
struct Run {
    std::map<std::string, double> figures;
    std::vector<std::string> libraries;
};

// The "Vm..." and "Rss..." lines of /proc/PID/status, in KiB.
double StatusKib(pid_t pid, std::string_view key) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 &&
            line[key.size()] == ':') {
            std::size_t at = line.find_first_not_of(" \t", key.size() + 1);
            long value = -1;
            if (at != std::string::npos) {
                std::from_chars(line.data() + at, line.data() + line.size(), value);
            }
            return static_cast<double>(value);
        }
    }
    return -1;
}

std::vector<std::string> SharedObjects(pid_t pid) {
    std::set<std::string> paths;
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const std::size_t slash = line.find('/');
        if (slash != std::string::npos && line.find(".so", slash) != std::string::npos) {
            paths.insert(line.substr(slash));
        }
    }
    return {paths.begin(), paths.end()};
}

// An X server to watch windows on: $DISPLAY, or an Xvfb of its own. It is told of every window
// mapped on the root and of every pixel drawn anywhere on the screen.
class XServer {
public:
    static std::unique_ptr<XServer> Open() {
        if (const char* display = std::getenv("DISPLAY"); display != nullptr && *display != '\0') {
            auto server = std::unique_ptr<XServer>(new XServer);
            if (server->Connect(display)) {
                return server;
            }
            std::fprintf(stderr, "startup_bench: cannot use DISPLAY=%s\n", display);
        }
        auto server = std::unique_ptr<XServer>(new XServer);
        if (server->StartXvfb()) {
            return server;
        }
        return nullptr;
    }

    ~XServer() {
        if (connection_ != nullptr) {
            xcb_disconnect(connection_);
        }
        if (xvfb_ > 0) {
            kill(xvfb_, SIGTERM);
            Reap(xvfb_);
        }
    }

    const std::string& Display() const { return display_; }
    bool Own() const { return xvfb_ > 0; }

    // Waits until the windows of the last subject are gone and forgets what was drawn until now.
    void Settle() {
        const std::int64_t deadline = NowNs() + SettleTimeoutNs;
        while (!mapped_.empty() && NowNs() < deadline) {
            Wait(deadline);
        }
        // A round trip: every event the server sent until now has arrived.
        free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            Handle(event);
        }
        mapped_.clear();
        mappedNs_ = 0;
        drawnNs_ = 0;
        xcb_damage_subtract(connection_, damage_, XCB_NONE, XCB_NONE);
        xcb_flush(connection_);
    }

    // Waits for the first pixels drawn after a window was mapped: the times of both, or nothing
    // when that does not happen before the deadline.
    std::optional<std::pair<std::int64_t, std::int64_t>> WaitForFirstFrame(std::int64_t deadline) {
        while (drawnNs_ == 0 && NowNs() < deadline) {
            Wait(deadline);
        }
        if (drawnNs_ == 0) {
            return std::nullopt;
        }
        return std::make_pair(mappedNs_, drawnNs_);
    }

private:
    XServer() = default;

    bool Connect(const std::string& display) {
        connection_ = xcb_connect(display.c_str(), nullptr);
        if (xcb_connection_has_error(connection_) != 0) {
            xcb_disconnect(connection_);
            connection_ = nullptr;
            return false;
        }
        const xcb_query_extension_reply_t* extension =
            xcb_get_extension_data(connection_, &xcb_damage_id);
        if (extension == nullptr || extension->present == 0) {
            std::fprintf(stderr, "startup_bench: the X server %s has no DAMAGE extension\n",
                         display.c_str());
            return false;
        }
        damageEvent_ = extension->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(connection_,
                                            xcb_damage_query_version(connection_, 1, 1), nullptr));
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &events);
        // What is drawn in any window is drawn on the root window too: one report as soon as
        // anything is drawn, then none until the damage is subtracted again.
        damage_ = xcb_generate_id(connection_);
        xcb_damage_create(connection_, damage_, root_, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        xcb_flush(connection_);
        display_ = display;
        return true;
    }

    // An Xvfb on a display number it chooses itself and writes back once it accepts clients.
    bool StartXvfb() {
        int fds[2];
        if (pipe(fds) != 0) {
            return false;
        }
        fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        std::vector<std::string> arguments = {"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]),
                                              "-screen",       "0",          "1280x1024x24",
                                              "-nolisten",     "tcp"};
        int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, devNull, STDERR_FILENO);
        std::vector<char*> argv = Pointers(arguments);
        const int failed = posix_spawn(&xvfb_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(devNull);
        close(fds[1]);
        if (failed != 0) {
            close(fds[0]);
            xvfb_ = 0;
            std::fprintf(stderr, "startup_bench: cannot start Xvfb: %s\n", std::strerror(failed));
            return false;
        }
        const std::optional<std::string> number = ReadFirstLine(fds[0]);
        if (!number) {
            std::fprintf(stderr, "startup_bench: Xvfb did not start\n");
            return false;
        }
        return Connect(":" + *number);
    }

    void Wait(std::int64_t deadline) {
        xcb_flush(connection_);
        xcb_generic_event_t* event = xcb_poll_for_event(connection_);
        if (event == nullptr) {
            const std::int64_t left = std::max<std::int64_t>(deadline - NowNs(), 0);
            pollfd readable{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&readable, 1, static_cast<int>(left / 1'000'000) + 1);
            event = xcb_poll_for_event(connection_);
        }
        while (event != nullptr) {
            Handle(event);
            event = xcb_poll_for_event(connection_);
        }
    }

    void Handle(xcb_generic_event_t* event) {
        const std::int64_t now = NowNs();
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY) {
            mapped_.insert(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            if (mappedNs_ == 0) {
                mappedNs_ = now;
            }
        } else if (type == XCB_UNMAP_NOTIFY) {
            mapped_.erase(reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window);
        } else if (type == XCB_DESTROY_NOTIFY) {
            mapped_.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
        } else if (type == damageEvent_) {
            if (mappedNs_ != 0 && drawnNs_ == 0) {
                drawnNs_ = now;
            } else if (mappedNs_ == 0) {
                // Drawn before any window of the subject was mapped: not its frame.
                xcb_damage_subtract(connection_, damage_, XCB_NONE, XCB_NONE);
            }
        }
        free(event);
    }

    std::string display_;
    pid_t xvfb_ = 0;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_damage_damage_t damage_ = 0;
    std::uint8_t damageEvent_ = 0;
    std::set<xcb_window_t> mapped_;
    std::int64_t mappedNs_ = 0;
    std::int64_t drawnNs_ = 0;
};

// One start of a program on the X server, watched until its first frame, then stopped, read and
// killed.
std::optional<Run> RunOnX(XServer& server, const std::string& program) {
    server.Settle();
    const std::int64_t spawned = NowNs();
    const pid_t pid =
        Spawn({program}, Environment({{"DISPLAY", server.Display()}, {"QT_QPA_PLATFORM", "xcb"}}));
    if (pid < 0) {
        return std::nullopt;
    }
    const auto frame = server.WaitForFirstFrame(spawned + FrameTimeoutNs);
    kill(pid, SIGSTOP);
    int status = 0;
    while (waitpid(pid, &status, WUNTRACED) < 0 && errno == EINTR) {
    }
    std::optional<Run> run;
    if (!frame) {
        std::fprintf(stderr, "startup_bench: %s showed no window within %lld s\n", program.c_str(),
                     static_cast<long long>(FrameTimeoutNs / 1'000'000'000));
    } else if (!WIFSTOPPED(status)) {
        std::fprintf(stderr, "startup_bench: %s ended before it was measured (status %d)\n",
                     program.c_str(), status);
    } else {
        run.emplace();
        clockid_t clock{};
        timespec cpu{};
        if (clock_getcpuclockid(pid, &clock) == 0 && clock_gettime(clock, &cpu) == 0) {
            run->figures["cpu"] =
                static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6;
        }
        run->figures["mapped"] = static_cast<double>(frame->first - spawned) / 1e6;
        run->figures["frame"] = static_cast<double>(frame->second - spawned) / 1e6;
        run->figures["hwm"] = StatusKib(pid, "VmHWM") / 1024;
        run->figures["rss_anon"] = StatusKib(pid, "RssAnon") / 1024;
        run->figures["rss_file"] = StatusKib(pid, "RssFile") / 1024;
        run->libraries = SharedObjects(pid);
    }
    kill(pid, SIGKILL);
    if (WIFSTOPPED(status)) {
        Reap(pid);
    }
    return run;
}

// The last resort, without any X server: a probe that starts the window as the program does and
// reports the moment of its own first paint event, on Qt's offscreen platform.
std::optional<Run> RunProbe(const std::string& probe) {
    int fds[2];
    if (pipe(fds) != 0) {
        return std::nullopt;
    }
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    const pid_t pid = Spawn({probe, "--spawned-at-ns=" + std::to_string(NowNs())},
                            Environment({{"QT_QPA_PLATFORM", "offscreen"}}), fds[1]);
    close(fds[1]);
    std::string output;
    std::array<char, 4096> buffer{};
    for (ssize_t got = 0; (got = read(fds[0], buffer.data(), buffer.size())) != 0;) {
        if (got > 0) {
            output.append(buffer.data(), static_cast<std::size_t>(got));
        } else if (errno != EINTR) {
            break;
        }
    }
    close(fds[0]);
    if (pid < 0) {
        return std::nullopt;
    }
    Reap(pid);
    // "probe=NAME key=value ...", times in µs from the spawn, memory in KiB.
    const std::map<std::string_view, std::pair<const char*, double>> keys = {
        {"shown_us", {"mapped", 1e-3}},
        {"frame_us", {"frame", 1e-3}},
        {"cpu_us", {"cpu", 1e-3}},
        {"hwm_kib", {"hwm", 1.0 / 1024}},
        {"rss_anon_kib", {"rss_anon", 1.0 / 1024}},
        {"rss_file_kib", {"rss_file", 1.0 / 1024}}};
    Run run;
    std::size_t at = output.find("probe=");
    while (at != std::string::npos && at < output.size() && output[at] != '\n') {
        std::size_t end = output.find_first_of(" \n", at);
        end = end == std::string::npos ? output.size() : end;
        const std::string_view token(output.data() + at, end - at);
        const std::size_t equals = token.find('=');
        if (const auto key = keys.find(token.substr(0, equals)); key != keys.end()) {
            double value = 0;
            std::from_chars(token.data() + equals + 1, token.data() + token.size(), value);
            run.figures[key->second.first] = value * key->second.second;
        }
        at = end < output.size() && output[end] == ' ' ? end + 1 : std::string::npos;
    }
    if (run.figures.count("frame") == 0) {
        std::fprintf(stderr, "startup_bench: %s printed no figures\n", probe.c_str());
        return std::nullopt;
    }
    return run;
}

double Quantile(std::vector<double> values, double q) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const double position = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] +
           (values[above] - values[below]) * (position - static_cast<double>(below));
}

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

bool ParsePath(std::string_view arg, std::string_view option, std::string& path) {
    if (arg.substr(0, option.size()) != option) {
        return false;
    }
    path = arg.substr(option.size());
    return true;
}

// The file name of a shared object without its version suffix.
std::string_view FileName(std::string_view path) {
    return path.substr(path.rfind('/') + 1);
}

// Qt's plugins, and the image and font libraries, that a subject had mapped at its first frame.
void PrintLibraries(const std::string& title, const Run& run) {
    std::printf("\n%s: %zu shared objects mapped at the first frame; of them:\n", title.c_str(),
                run.libraries.size());
    for (const std::string& path : run.libraries) {
        const std::string_view name = FileName(path);
        if (path.find("/qt6/plugins/") != std::string::npos || name.starts_with("libQt6") ||
            name.starts_with("libfontconfig") || name.starts_with("libfreetype") ||
            name.starts_with("libjpeg") || name.starts_with("libpng") ||
            name.starts_with("libicu")) {
            std::printf("  %s\n", path.c_str());
        }
    }
}

// The image readers a subject loaded before its first frame: each costs the plugin and its
// libraries (the SVG reader brings libQt6Svg, the JPEG reader libjpeg).
std::string ImagePlugins(const Run& run) {
    std::string names;
    for (const std::string& path : run.libraries) {
        if (path.find("/plugins/imageformats/") != std::string::npos ||
            path.find("/plugins/iconengines/") != std::string::npos) {
            names += (names.empty() ? "" : ", ") + std::string(FileName(path));
        }
    }
    return names.empty() ? "none" : names;
}

} // namespace

int main(int argc, char** argv) {
    // A start takes some 35 ms: 300 of each kind, interleaved, take about half a minute.
    int runs = 300;
    int warmup = 3;
    bool listLibraries = false;
    std::string program = VIRELDO_PROGRAM_PATH;
    std::vector<std::string> also;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string path;
        if (ParsePath(arg, "--also=", path)) {
            also.push_back(path);
            continue;
        }
        if (ParseCount(arg, "--runs=", runs) || ParseCount(arg, "--warmup=", warmup) ||
            ParsePath(arg, "--program=", program)) {
            continue;
        }
        if (arg == "--libraries") {
            listLibraries = true;
            continue;
        }
        std::fprintf(stderr, "usage: startup_bench [--runs=N] [--warmup=N] [--program=PATH] "
                             "[--also=PATH] [--libraries]\n");
        return 2;
    }
    // Qt warns on every start when there is no runtime directory; give the subjects one.
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        static char directory[] = "/tmp/startup_bench-XXXXXX";
        if (mkdtemp(directory) != nullptr) {
            setenv("XDG_RUNTIME_DIR", directory, 1);
        }
    }
    const std::string here = OwnDirectory();
    const SessionBus bus;
    std::unique_ptr<XServer> server = XServer::Open();

    struct Subject {
        std::string title;
        std::string path;
        std::vector<Run> runs;
    };
    std::vector<Subject> subjects;
    if (server) {
        subjects.push_back({"program", program, {}});
        subjects.push_back({"label window", here + "/startup_label_window", {}});
        for (std::size_t i = 0; i < also.size(); ++i) {
            subjects.push_back({"also " + std::to_string(i + 1), also[i], {}});
        }
    } else {
        subjects.push_back({"program", here + "/startup_probe_form1", {}});
        subjects.push_back({"label window", here + "/startup_probe_label", {}});
    }
    auto start = [&](const Subject& subject) {
        return server ? RunOnX(*server, subject.path) : RunProbe(subject.path);
    };

    // The first starts fill the page cache and the font caches; they are not counted.
    for (int i = 0; i < warmup; ++i) {
        for (const Subject& subject : subjects) {
            if (!start(subject)) {
                return 1;
            }
        }
    }
    // Every round starts each subject once, in an order that turns from round to round and is
    // reversed every other round, so that each one goes first, in the middle and last equally.
    const std::size_t count = subjects.size();
    for (int i = 0; i < runs; ++i) {
        for (std::size_t turn = 0; turn < count; ++turn) {
            const std::size_t k = (turn + static_cast<std::size_t>(i)) % count;
            Subject& subject = subjects[i % 2 == 0 ? k : count - 1 - k];
            auto run = start(subject);
            if (!run) {
                return 1;
            }
            subject.runs.push_back(std::move(*run));
        }
    }

    if (server) {
        std::printf("Start-up of the program against a window with one label, on the X server "
                    "%s (%s)\n",
                    server->Display().c_str(), server->Own() ? "an Xvfb of its own" : "$DISPLAY");
        std::printf("program %s\n", program.c_str());
        for (std::size_t i = 0; i < also.size(); ++i) {
            std::printf("also %zu  %s\n", i + 1, also[i].c_str());
        }
    } else {
        std::printf("Start-up of the program against a window with one label, on Qt's OFFSCREEN "
                    "platform: no X server could be had (no DISPLAY, no Xvfb). The probes time "
                    "their own first paint event from inside; nothing reaches a screen.\n");
    }
    std::printf("session bus: %s\n", bus.Description().c_str());
    std::printf("%d fresh processes of each, interleaved, %d warm-up round(s) not counted; "
                "medians [first quartile - third quartile]\n\n",
                runs, warmup);
    std::printf("%-34s", "");
    for (const Subject& subject : subjects) {
        std::printf(" %22s", subject.title.c_str());
    }
    std::printf(" %14s", "program/label");
    for (std::size_t i = 2; i < count; ++i) {
        std::printf(" %14s", (subjects[i].title + "/label").c_str());
    }
    std::printf("\n");

    // One line per figure; the ratio of the program's median to the label window's.
    auto row = [&](const char* title, const char* key) {
        std::vector<double> medians;
        std::printf("%-34s", title);
        for (const Subject& subject : subjects) {
            std::vector<double> values;
            for (const Run& run : subject.runs) {
                if (const auto found = run.figures.find(key); found != run.figures.end()) {
                    values.push_back(found->second);
                }
            }
            medians.push_back(Quantile(values, 0.5));
            char cell[64];
            std::snprintf(cell, sizeof cell, "%.2f [%.2f-%.2f]", medians.back(),
                          Quantile(values, 0.25), Quantile(values, 0.75));
            std::printf(" %22s", cell);
        }
        std::vector<double> ratios;
        for (std::size_t i = 0; i < count; ++i) {
            if (i != 1) {
                ratios.push_back(medians[1] > 0 ? medians[i] / medians[1] : 0.0);
                std::printf(" %14.3f", ratios.back());
            }
        }
        std::printf("\n");
        return ratios.front();
    };
    row(server ? "window mapped (ms)" : "window shown (ms)", "mapped");
    const double wall = row("first frame on screen (ms)", "frame");
    const double cpu = row("processor time to it (ms)", "cpu");
    row("peak resident memory (MiB)", "hwm");
    row("resident anonymous then (MiB)", "rss_anon");
    row("resident file-backed then (MiB)", "rss_file");

    std::printf("\nprogram / label window, wall time to the first frame: %.3f (at most %.2f) %s\n",
                wall, RatioTarget, wall <= RatioTarget ? "met" : "NOT MET");
    std::printf("program / label window, processor time to it:        %.3f (at most %.2f) %s\n",
                cpu, RatioTarget, cpu <= RatioTarget ? "met" : "NOT MET");

    const Run& last = subjects.front().runs.empty() ? Run{} : subjects.front().runs.back();
    std::printf("\nimage readers and icon engines loaded by the program's first frame: %s\n",
                ImagePlugins(last).c_str());
    if (listLibraries) {
        for (const Subject& subject : subjects) {
            if (!subject.runs.empty()) {
                PrintLibraries(subject.title, subject.runs.back());
            }
        }
    }
    return 0;
}
