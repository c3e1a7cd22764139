// Start-up side by side: starts velunto and the bare Qt 6 program in turn and
// measures each run from the fork to the first paint of its window titled
// "Velunto": wall time, CPU time (user + sys) and peak resident memory.
//
// The first paint is seen with the X Damage extension. The window is mapped
// inside show(), before the event loop has run, before the expose and before
// any pixel is drawn; the window's pixels change only when the program's
// backing store is flushed into it. Damage reports exactly that drawing to a
// client watching the window, with no help from the program, which is not
// told it is measured. Qt gives its windows no background, so mapping draws
// nothing and the first damage after the map is the program's first frame.
// The driver checks that frame: every first damage must cover the whole
// window, and the frames read at the first damage of the warm-up runs must be
// equal pixel for pixel (a fair yardstick shows the same window).
//
// At the first frame the program is killed and reaped with wait4, whose
// rusage gives its CPU time and peak memory up to that frame (plus the
// kernel's teardown at the kill, alike for both). A clean quit would add the
// program's own shutdown to the figure. Killed programs leave nothing behind:
// the X server drops their windows, and a program whose driver dies is killed
// with it.
//
// Usage: startup_bench VELUNTO BARE_WINDOW [ROUNDS]; run it under Xvfb.

#include "Summary.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double wallMilliseconds;
    double cpuMilliseconds;
    double peakMebibytes;
};

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
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

Frame Capture(Display* display, Window window)
{
    XWindowAttributes attributes {};
    XGetWindowAttributes(display, window, &attributes);
    Frame frame { attributes.width, attributes.height, {} };
    XImage* image = XGetImage(display, window, 0, 0, frame.width, frame.height, AllPlanes, ZPixmap);
    if (!image)
        return {};
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x)
            frame.pixels.push_back(std::uint32_t(XGetPixel(image, x, y)));
    }
    XDestroyImage(image);
    return frame;
}

double Milliseconds(const timeval& time) { return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3; }

class Driver {
public:
    explicit Driver(Display* display)
        : m_display(display)
    {
    }

    bool Init()
    {
        int errorBase = 0;
        if (!XDamageQueryExtension(m_display, &m_damageEvent, &errorBase)) {
            std::fprintf(stderr, "startup_bench: the X server has no Damage extension\n");
            return false;
        }
        XSetErrorHandler(IgnoreXErrors);
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
        return true;
    }

    // One run of the program to its first frame; the frame is kept when asked.
    std::optional<Sample> Run(const char* program, Frame* frame = nullptr)
    {
        Drain(m_display);
        const pid_t parent = getpid();
        const auto start = Clock::now();
        const pid_t pid = fork();
        if (pid < 0)
            return std::nullopt;
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent)
                _exit(127);
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            execl(program, program, static_cast<char*>(nullptr));
            _exit(127);
        }

        bool ended = false;
        const std::optional<Window> painted = WaitForFirstFrame(pid, start + std::chrono::seconds(30), ended);
        const auto end = Clock::now();
        if (!painted) {
            if (!ended) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
            std::fprintf(stderr, "startup_bench: %s %s\n", program,
                ended ? "ended before it painted a window titled Velunto" : "painted no window titled Velunto in 30 s");
            return std::nullopt;
        }
        if (frame) {
            kill(pid, SIGSTOP); // nothing more is drawn while the frame is read
            *frame = Capture(m_display, *painted);
        }
        kill(pid, SIGKILL);
        rusage usage {};
        wait4(pid, nullptr, 0, &usage);
        return Sample { std::chrono::duration<double, std::milli>(end - start).count(),
            Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime), double(usage.ru_maxrss) / 1024 };
    }

    bool PartialFirstFrame() const { return m_partialFirstFrame; }

private:
    // Watches every new top-level window for damage from its creation on, so
    // that no drawing can slip in before the watch.
    std::optional<Window> WaitForFirstFrame(pid_t pid, Clock::time_point deadline, bool& ended)
    {
        std::optional<Window> shown;
        pollfd connection { ConnectionNumber(m_display), POLLIN, 0 };
        while (Clock::now() < deadline) {
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type == CreateNotify) {
                    XDamageCreate(m_display, event.xcreatewindow.window, XDamageReportRawRectangles);
                    XFlush(m_display);
                } else if (event.type == MapNotify && !shown && IsQuizWindow(m_display, event.xmap.window)) {
                    shown = event.xmap.window;
                } else if (event.type == m_damageEvent + XDamageNotify && shown) {
                    const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                    if (damage.drawable != *shown)
                        continue;
                    if (damage.area.width != damage.geometry.width || damage.area.height != damage.geometry.height)
                        m_partialFirstFrame = true;
                    return shown;
                }
            }
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                ended = true;
                return std::nullopt;
            }
            poll(&connection, 1, 50);
        }
        return std::nullopt;
    }

    Display* m_display;
    int m_damageEvent = 0;
    bool m_partialFirstFrame = false;
};

// Whether the bare program showed the same window as velunto.
bool PrintFrameCheck(const Frame& velunto, const Frame& bare, bool partial)
{
    std::printf("  windows %dx%d and %dx%d; ", velunto.width, velunto.height, bare.width, bare.height);
    if (velunto.width != bare.width || velunto.height != bare.height) {
        std::printf("NOT THE SAME SIZE: the bare program is no fair yardstick\n");
        return false;
    }
    std::size_t differ = 0;
    for (std::size_t i = 0; i < velunto.pixels.size() && i < bare.pixels.size(); ++i)
        differ += velunto.pixels[i] != bare.pixels[i];
    if (differ || velunto.pixels.empty()) {
        std::printf("FIRST FRAMES DIFFER in %zu of %zu pixels: the bare program is no fair yardstick\n", differ,
            velunto.pixels.size());
        return false;
    }
    std::printf("first frames identical%s\n",
        partial ? ", but some first paint covered only part of its window" : ", each painted whole at once");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s VELUNTO BARE_WINDOW [ROUNDS]\n", argv[0]);
        return 2;
    }
    const char* programs[2] = { argv[1], argv[2] };
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 100;

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_bench: cannot open the X display (run it under Xvfb)\n");
        return 1;
    }
    Driver driver(display);
    if (!driver.Init())
        return 1;

    // One unmeasured run each warms the file and font caches and keeps the
    // first frames for the comparison.
    Frame frames[2];
    for (int which = 0; which < 2; ++which) {
        if (!driver.Run(programs[which], &frames[which]))
            return 1;
    }

    std::vector<double> wall[2], cpu[2], memory[2];
    for (int round = 0; round < rounds; ++round) {
        // Alternate which program goes first, so neither always runs after the other.
        for (int turn = 0; turn < 2; ++turn) {
            const int which = (round + turn) % 2;
            const auto sample = driver.Run(programs[which]);
            if (!sample)
                return 1;
            wall[which].push_back(sample->wallMilliseconds);
            cpu[which].push_back(sample->cpuMilliseconds);
            memory[which].push_back(sample->peakMebibytes);
        }
    }
    XCloseDisplay(display);

    std::printf("start-up to the first paint of the window, %d interleaved rounds\n", rounds);
    const bool fair = PrintFrameCheck(frames[0], frames[1], driver.PartialFirstFrame());
    bench::PrintFigure("wall time, fork to first frame", "ms", wall[0], wall[1]);
    bench::PrintFigure("CPU time, user + sys", "ms", cpu[0], cpu[1]);
    bench::PrintFigure("peak resident memory", "MiB", memory[0], memory[1]);
    return fair ? 0 : 1;
}
