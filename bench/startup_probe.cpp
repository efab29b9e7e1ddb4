// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program on the X display and reports, from outside it, what a
// person sees of its start: the milliseconds from the start to the first
// time one of its windows is exposed (on screen and ready to be painted),
// its resident memory once it has settled, and the CPU it uses while left
// alone. The same measure serves any program, so two can be compared.
//
// usage: coilix-startup-probe SETTLE_MS IDLE_MS -- PROGRAM [ARGS...]
// prints: expose_ms rss_kb idle_cpu_ms start_cpu_ms exit_ms exit_code
// (start_cpu_ms: the CPU time the program used up to its first exposed
// window, which a busy machine changes far less than the wall time;
// exit_ms: from the SIGTERM that ends it to its end; exit_code: its exit
// status, or 128 + the signal that killed it.)
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long RssKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// User and system CPU time of the process, in clock ticks.
long CpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t nParen = text.rfind(')');
    if (nParen == std::string::npos) return -1;
    std::istringstream fields(text.substr(nParen + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::strtol(field.c_str(), nullptr, 10);
        if (i == 15) stime = std::strtol(field.c_str(), nullptr, 10);
    }
    return utime + stime;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || std::strcmp(argv[3], "--") != 0) {
        std::fprintf(stderr, "usage: %s SETTLE_MS IDLE_MS -- PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const long nSettleMs = std::strtol(argv[1], nullptr, 10);
    const long nIdleMs = std::strtol(argv[2], nullptr, 10);
    Display* pDisplay = XOpenDisplay(nullptr);
    if (pDisplay == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    // Every window made on the root is watched from its creation on.
    const Window root = DefaultRootWindow(pDisplay);
    XSelectInput(pDisplay, root, SubstructureNotifyMask);
    XSync(pDisplay, False);

    const Clock::time_point t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    if (pid < 0) return 2;

    long nExposeMs = -1;
    long nStartCpu = -1;
    const int fd = ConnectionNumber(pDisplay);
    while (nExposeMs < 0) {
        while (XPending(pDisplay) > 0) {
            XEvent ev;
            XNextEvent(pDisplay, &ev);
            if (ev.type == CreateNotify && ev.xcreatewindow.parent == root) {
                XSelectInput(pDisplay, ev.xcreatewindow.window, ExposureMask);
            } else if (ev.type == Expose && nExposeMs < 0) {
                nExposeMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0)
                                .count();
                nStartCpu = CpuTicks(pid);
            }
        }
        if (nExposeMs >= 0) break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 10000) <= 0 || waitpid(pid, nullptr, WNOHANG) != 0) {
            std::fprintf(stderr, "the program showed no window\n");
            kill(pid, SIGKILL);
            return 1;
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(nSettleMs));
    const long nRss = RssKb(pid);
    const long nCpuBefore = CpuTicks(pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(nIdleMs));
    const long nCpuAfter = CpuTicks(pid);
    const Clock::time_point tTerm = Clock::now();
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    const long nExitMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - tTerm).count();
    const int nExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    XCloseDisplay(pDisplay);
    const long nHz = sysconf(_SC_CLK_TCK);
    std::printf("%ld %ld %ld %ld %ld %d\n", nExposeMs, nRss, (nCpuAfter - nCpuBefore) * 1000 / nHz,
                nStartCpu * 1000 / nHz, nExitMs, nExitCode);
    return 0;
}
