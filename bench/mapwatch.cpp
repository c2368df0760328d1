// velnor-mapwatch: starts a program on the current X display and reports, from the X server's own
// notifications, when its top-level windows are mapped, in milliseconds since the program was started.
//
//   velnor-mapwatch [--splash WxH [--peak-after MS]] [--main WxH --settle MS --click X,Y] -- PROGRAM ARGS...
//
// --splash: prints "splash_ms T" when a window of that size is mapped; without --main the program is then
//   ended (SIGTERM), its start-up having been measured. With --peak-after, it first waits MS milliseconds
//   (the window painted, the start-up's work done) and prints "peak_kb N", the program's peak resident
//   memory so far (VmHWM).
// --main: prints "main_ms T" when a window of that size is mapped, waits MS milliseconds, then clicks at
//   X,Y inside that window (xdotool) so that the program ends itself; it is ended with SIGTERM only when
//   it is still there 10 s later. Prints "exit_clean 1" when the click ended it.
#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

bool parseSize(const char *text, int &w, int &h)
{
    return std::sscanf(text, "%dx%d", &w, &h) == 2;
}

// The program itself, or the one process it started when it is a wrapper such as /usr/bin/time.
pid_t programPid(pid_t child)
{
    const std::string path =
        "/proc/" + std::to_string(child) + "/task/" + std::to_string(child) + "/children";
    if (FILE *f = std::fopen(path.c_str(), "r")) {
        int grandchild = 0;
        const bool found = std::fscanf(f, "%d", &grandchild) == 1;
        std::fclose(f);
        if (found && grandchild > 0)
            return grandchild;
    }
    return child;
}

// The peak resident set size of a process so far, in KiB (-1 when it cannot be read).
long peakKb(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    long kb = -1;
    if (FILE *f = std::fopen(path.c_str(), "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %ld", &kb) == 1)
                break;
        std::fclose(f);
    }
    return kb;
}

// Waits for the child to end, at most timeoutMs; true when it did.
bool waitChild(pid_t child, int timeoutMs)
{
    const double until = nowMs() + timeoutMs;
    while (nowMs() < until) {
        int status = 0;
        const pid_t r = waitpid(child, &status, WNOHANG);
        if (r == child || (r < 0 && errno == ECHILD))
            return true;
        usleep(10000);
    }
    return false;
}
} // namespace

int main(int argc, char **argv)
{
    int peakAfterMs = -1;
    int splashW = -1, splashH = -1, mainW = -1, mainH = -1, settleMs = 1000, clickX = -1, clickY = -1;
    int i = 1;
    for (; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--")) {
            ++i;
            break;
        }
        if (!std::strcmp(argv[i], "--splash") && i + 1 < argc)
            parseSize(argv[++i], splashW, splashH);
        else if (!std::strcmp(argv[i], "--peak-after") && i + 1 < argc)
            peakAfterMs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--main") && i + 1 < argc)
            parseSize(argv[++i], mainW, mainH);
        else if (!std::strcmp(argv[i], "--settle") && i + 1 < argc)
            settleMs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--click") && i + 1 < argc)
            std::sscanf(argv[++i], "%d,%d", &clickX, &clickY);
    }
    if (i >= argc) {
        std::fprintf(
            stderr,
            "usage: velnor-mapwatch [--splash WxH [--peak-after MS]] [--main WxH --settle MS --click X,Y] -- "
            "PROGRAM ARGS...\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "velnor-mapwatch: no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[i], argv + i);
        std::perror("velnor-mapwatch: exec");
        _exit(127);
    }

    const int fd = ConnectionNumber(display);
    bool splashSeen = splashW < 0;
    Window mainWindow = 0;
    int result = 1;
    while (nowMs() - start < 30000) {
        if (!XPending(display)) {
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(fd, &fds);
            timeval tv{0, 50000};
            select(fd + 1, &fds, nullptr, nullptr, &tv);
            if (waitpid(child, nullptr, WNOHANG) == child) {
                std::fprintf(stderr, "velnor-mapwatch: the program ended before its windows were mapped\n");
                return 1;
            }
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify || event.xmap.event != root)
            continue;
        const double at = nowMs() - start;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, event.xmap.window, &attributes))
            continue;
        if (!splashSeen && attributes.width == splashW && attributes.height == splashH) {
            splashSeen = true;
            std::printf("splash_ms %.3f\n", at);
            std::fflush(stdout);
            if (peakAfterMs >= 0) {
                usleep(useconds_t(peakAfterMs) * 1000);
                std::printf("peak_kb %ld\n", peakKb(programPid(child)));
                std::fflush(stdout);
            }
            if (mainW < 0) {
                result = 0;
                break;
            }
        } else if (mainW >= 0 && attributes.width == mainW && attributes.height == mainH) {
            std::printf("main_ms %.3f\n", at);
            std::fflush(stdout);
            mainWindow = event.xmap.window;
            result = 0;
            break;
        }
    }

    if (mainWindow && clickX >= 0) {
        usleep(useconds_t(settleMs) * 1000);
        const std::string click = "xdotool mousemove --window " + std::to_string(mainWindow) + " " +
                                  std::to_string(clickX) + " " + std::to_string(clickY) +
                                  " sleep 0.1 click 1";
        if (std::system(click.c_str()) == 0 && waitChild(child, 10000)) {
            std::printf("exit_clean 1\n");
            XCloseDisplay(display);
            return result;
        }
    }
    kill(programPid(child), SIGTERM);
    if (!waitChild(child, 5000)) {
        kill(programPid(child), SIGKILL);
        waitChild(child, 5000);
    }
    XCloseDisplay(display);
    return result;
}
