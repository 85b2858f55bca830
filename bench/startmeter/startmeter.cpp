// Start-up meter: starts programs in turn on one X display and times each from the process start
// to the map of its first top-level window of a given size, then reads the program's resident
// memory once it has settled there. Run with no window manager, so top-level windows are the
// root's own children and their maps reach the root.
//
//   ksxt_startmeter [--runs N] [--size WxH] [--settle MS] [--timeout MS] NAME=PROGRAM ...
//
// Prints one line per run and then, per program, the medians; with two or more programs, each
// one's median difference against the first.

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    std::string name;
    std::string path;
    std::vector<double> startMs;
    std::vector<double> rssMb;
};

struct Options {
    int runs = 10;
    int width = 800;
    int height = 600;
    int settleMs = 500;
    int timeoutMs = 10000;
    std::vector<Program> programs;
};

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

std::optional<double> residentMb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return std::nullopt;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool windowHasSize(xcb_connection_t* c, xcb_window_t w, int width, int height)
{
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    if (!g)
        return false;
    const bool match = g->width == width && g->height == height;
    std::free(g);
    return match;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// One start: the time to the window's map and the resident memory after the settle time, or
// nothing when the window did not map within the time limit or the program ended first.
struct Run {
    double ms = 0;
    double mb = 0;
};

std::optional<Run> measure(xcb_connection_t* c, const Options& o, const Program& p)
{
    // Maps left over from the previous program are not this one's.
    while (xcb_generic_event_t* e = xcb_poll_for_event(c))
        std::free(e);
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        // The programs' own messages would break up the table.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(p.path.c_str(), p.path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::optional<Run> run;
    const int fd = xcb_get_file_descriptor(c);
    while (!run && msSince(start) < o.timeoutMs) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before its window mapped\n", p.name.c_str());
            return std::nullopt;
        }
        xcb_generic_event_t* e = xcb_poll_for_event(c);
        if (!e) {
            if (xcb_connection_has_error(c))
                break;
            pollfd pfd { fd, POLLIN, 0 };
            poll(&pfd, 1, 20);
            continue;
        }
        const double at = msSince(start);
        if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if (windowHasSize(c, m->window, o.width, o.height))
                run = Run { at, 0 };
        }
        std::free(e);
    }
    if (run) {
        usleep(static_cast<useconds_t>(o.settleMs) * 1000);
        const std::optional<double> mb = residentMb(pid);
        if (mb)
            run->mb = *mb;
        else
            run.reset();
    } else {
        std::fprintf(stderr, "%s: no %dx%d window within %d ms\n", p.name.c_str(), o.width,
            o.height, o.timeoutMs);
    }
    stop(pid);
    return run;
}

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--runs" && hasValue)
            o.runs = std::atoi(argv[++i]);
        else if (a == "--settle" && hasValue)
            o.settleMs = std::atoi(argv[++i]);
        else if (a == "--timeout" && hasValue)
            o.timeoutMs = std::atoi(argv[++i]);
        else if (a == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2)
                return false;
        } else if (const size_t eq = a.find('='); eq != std::string::npos && eq > 0)
            o.programs.push_back({ a.substr(0, eq), a.substr(eq + 1), {}, {} });
        else
            return false;
    }
    return o.runs > 0 && o.timeoutMs > 0 && !o.programs.empty();
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
            "usage: %s [--runs N] [--size WxH] [--settle MS] [--timeout MS] NAME=PROGRAM ...\n",
            argv[0]);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    // A first start of each warms the file cache and is not counted.
    for (int round = -1; round < o.runs; ++round) {
        for (Program& p : o.programs) {
            const std::optional<Run> r = measure(c, o, p);
            if (!r)
                return 1;
            if (round < 0)
                continue;
            p.startMs.push_back(r->ms);
            p.rssMb.push_back(r->mb);
            std::printf(
                "run %2d  %-12s %8.1f ms %8.1f MB\n", round + 1, p.name.c_str(), r->ms, r->mb);
        }
    }
    const Program& ref = o.programs.front();
    const double refMs = median(ref.startMs);
    const double refMb = median(ref.rssMb);
    std::printf("\nmedian of %d runs          to window        resident\n", o.runs);
    for (const Program& p : o.programs) {
        const double ms = median(p.startMs);
        const double mb = median(p.rssMb);
        std::printf("%-24s %8.1f ms %10.1f MB", p.name.c_str(), ms, mb);
        if (&p != &ref)
            std::printf(
                "   %+.1f ms, %+.1f MB against %s", ms - refMs, mb - refMb, ref.name.c_str());
        std::printf("\n");
    }
    xcb_disconnect(c);
    return 0;
}
