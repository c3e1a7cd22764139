// Start-up side by side: starts velunto and the bare Qt program in turn, many
// times, and measures for each run the time from starting the process to the
// moment its window titled "Velunto" is mapped on the X server (the window is
// shown), and the process's peak memory (its maximum resident set).
//
// Neither program is told it is being measured. The driver watches the X
// server for the window; once it is shown, the program gets half a second to
// paint and settle and is then ended with SIGTERM, and its peak memory is
// read from wait4. Usage: startup_bench VELUNTO BARE_WINDOW [RUNS]

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double milliseconds;
    long maxRssKilobytes;
};

// Windows come and go while we look at them; a window gone before we read its
// name is simply not the one we wait for.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

bool IsQuizWindow(Display* display, Window window)
{
    XTextProperty name {};
    if (!XGetWMName(display, window, &name) || !name.value)
        return false;
    const bool match = name.format == 8 && name.nitems == 7 && std::memcmp(name.value, "Velunto", 7) == 0;
    XFree(name.value);
    return match;
}

void Drain(Display* display)
{
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

std::optional<Sample> RunOnce(Display* display, const char* program)
{
    Drain(display);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }

    std::optional<Clock::time_point> shown;
    const auto deadline = start + std::chrono::seconds(30);
    pollfd connection { ConnectionNumber(display), POLLIN, 0 };
    while (!shown && Clock::now() < deadline) {
        while (!shown && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && IsQuizWindow(display, event.xmap.window))
                shown = Clock::now();
        }
        if (shown)
            break;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "startup_bench: %s ended before showing its window\n", program);
            return std::nullopt;
        }
        poll(&connection, 1, 50);
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    if (!shown) {
        std::fprintf(stderr, "startup_bench: %s showed no window titled Velunto within 30 s\n", program);
        return std::nullopt;
    }
    return Sample { std::chrono::duration<double, std::milli>(*shown - start).count(), usage.ru_maxrss };
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s VELUNTO BARE_WINDOW [RUNS]\n", argv[0]);
        return 2;
    }
    const char* programs[2] = { argv[1], argv[2] };
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_bench: cannot open the X display (run it under Xvfb)\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    // One unmeasured run each warms the file cache and the font cache.
    for (const char* program : programs) {
        if (!RunOnce(display, program))
            return 1;
    }

    std::vector<double> times[2];
    std::vector<double> memory[2];
    for (int run = 0; run < runs; ++run) {
        // Alternate which program goes first, so neither always runs after the other.
        for (int turn = 0; turn < 2; ++turn) {
            const int which = (run + turn) % 2;
            const auto sample = RunOnce(display, programs[which]);
            if (!sample)
                return 1;
            times[which].push_back(sample->milliseconds);
            memory[which].push_back(double(sample->maxRssKilobytes));
        }
    }
    XCloseDisplay(display);

    const double veluntoTime = Median(times[0]);
    const double bareTime = Median(times[1]);
    const double veluntoMemory = Median(memory[0]);
    const double bareMemory = Median(memory[1]);
    std::printf("start-up to the shown window, median of %d runs each:\n", runs);
    std::printf("  velunto      %8.1f ms   peak memory %8.0f KiB\n", veluntoTime, veluntoMemory);
    std::printf("  bare Qt 6    %8.1f ms   peak memory %8.0f KiB\n", bareTime, bareMemory);
    std::printf("  ratio        %8.2fx      peak memory %8.2fx\n", veluntoTime / bareTime, veluntoMemory / bareMemory);
    return 0;
}
