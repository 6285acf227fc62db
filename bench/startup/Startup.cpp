// Start-up time and memory of the game against a minimal Qt Widgets program, on a running
// X server: for each start, the wall time from fork to the first top-level window being
// mapped, and the peak resident memory at that moment. Runs alternate between the two.
//   bench_startup GAME MINIMAL DATA_DIR
#include "../BenchReport.h"

#include <X11/Xlib.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Start
{
    double ms = 0;
    double peakKb = 0;
};

double peakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6));
    }
    return 0;
}

bool measure(Display *display, const char *program, const char *dir, Start *out)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    const auto begin = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir) != 0)
            _exit(127);
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    bool mapped = false;
    while (!mapped) {
        // Wait for events without missing a child that died before mapping anything.
        while (!XPending(display)) {
            int status;
            if (waitpid(pid, &status, WNOHANG) == pid)
                return false;
            usleep(200);
        }
        XEvent event;
        XNextEvent(display, &event);
        mapped = event.type == MapNotify;
    }
    out->ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    out->peakKb = peakResidentKb(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_startup GAME MINIMAL DATA_DIR\n");
        return 2;
    }
    // The programs start in the data folder: resolve their paths first.
    char gamePath[PATH_MAX], minimalPath[PATH_MAX];
    if (!realpath(argv[1], gamePath) || !realpath(argv[2], minimalPath)) {
        std::fprintf(stderr, "no such program\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    std::vector<double> gameMs, minimalMs, gameKb, minimalKb;
    for (int run = -1; run < 11; ++run) {
        Start game, minimal;
        if (!measure(display, gamePath, argv[3], &game) || !measure(display, minimalPath, argv[3], &minimal)) {
            std::fprintf(stderr, "a program ended before showing a window\n");
            return 2;
        }
        if (run >= 0) {
            gameMs.push_back(game.ms);
            minimalMs.push_back(minimal.ms);
            gameKb.push_back(game.peakKb / 1024);
            minimalKb.push_back(minimal.peakKb / 1024);
        }
    }
    bool ok = BenchReport::ratio("start-up", "ms", BenchReport::median(gameMs), "minimal Qt window",
                                 BenchReport::median(minimalMs), 1.25);
    ok = BenchReport::ratio("memory-at-main-menu", "MiB", BenchReport::median(gameKb), "minimal Qt window",
                            BenchReport::median(minimalKb), 1.3) && ok;
    XCloseDisplay(display);
    return ok ? 0 : 1;
}
