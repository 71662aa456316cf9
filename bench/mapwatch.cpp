// Starts a program and measures, from the outside, how long it takes until
// its window with the given title is mapped on the X display, and the
// program's peak memory at that moment; then ends the program.
// Usage: mapwatch TITLE TIMEOUT_MS PROGRAM [ARGUMENTS...]
// Prints: MILLISECONDS PEAK_KIB

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long PeakKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

bool HasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    const bool same = XFetchName(display, window, &name) && name && std::strcmp(name, title) == 0;
    if (name)
        XFree(name);
    return same;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("usage: mapwatch TITLE TIMEOUT_MS PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    const char* title = argv[1];
    const int timeout = std::atoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("mapwatch: no X display\n", stderr);
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    auto elapsed = [&start] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    int result = 1;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (elapsed() < timeout) {
        if (!XPending(display)) {
            poll(&connection, 1, 50);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && HasTitle(display, event.xmap.window, title)) {
            std::printf("%.1f %ld\n", elapsed(), PeakKib(child));
            result = 0;
            break;
        }
    }
    if (result != 0)
        std::fprintf(stderr, "mapwatch: no window titled '%s' within %d ms\n", title, timeout);
    kill(child, SIGTERM);
    usleep(200'000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return result;
}
