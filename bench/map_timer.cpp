// Starts a program and reports, as an outside observer on the X server, how long it took
// until the program's first top-level window was mapped. Prints "<milliseconds> <pid>" and
// leaves the program running, so the caller can read its memory and end it.
//
//   korvane_map_timer <program> [arguments...]
#include <X11/Xlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <poll.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kTimeoutMs = 30000;

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Waits for a MapNotify of a normal (not override-redirect) child of the root window.
bool WaitForMap(Display* display, pid_t child, std::chrono::steady_clock::time_point start) {
    pollfd watched{ConnectionNumber(display), POLLIN, 0};
    while (MillisecondsSince(start) < kTimeoutMs) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return true;
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "map_timer: the program ended before it showed a window\n");
            return false;
        }
        poll(&watched, 1, 50);
    }
    std::fprintf(stderr, "map_timer: no window within %d ms\n", kTimeoutMs);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program> [arguments...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "map_timer: cannot open the X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("map_timer: fork");
        return 2;
    }
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[1], argv + 1);
        std::fprintf(stderr, "map_timer: cannot start %s: %s\n", argv[1], std::strerror(errno));
        _exit(127);
    }
    const bool mapped = WaitForMap(display, child, start);
    const double elapsed = MillisecondsSince(start);
    XCloseDisplay(display);
    if (!mapped)
        return 1;
    std::printf("%.1f %d\n", elapsed, static_cast<int>(child));
    return 0;
}
