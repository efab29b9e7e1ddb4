// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Child processes for the tests: several copies of the program at once, and
// writes killed half way.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// Runs fnChild(0) ... fnChild(nProcs - 1) each in a process of its own, all
// at once; returns how many of them failed (returned false or did not end
// normally).
inline int RunInProcesses(int nProcs, const std::function<bool(int)>& fnChild) {
    std::vector<pid_t> pids;
    for (int p = 0; p < nProcs; ++p) {
        const pid_t pid = ::fork();
        if (pid < 0) throw std::runtime_error("fork failed");
        if (pid == 0) ::_exit(fnChild(p) ? 0 : 1);
        pids.push_back(pid);
    }
    int nFailed = 0;
    for (pid_t pid : pids) {
        int status = 0;
        const bool bOk =
            ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (!bOk) ++nFailed;
    }
    return nFailed;
}

// Runs fn in a process of its own and returns what it returned (a text, as
// a child cannot report to the test's own checks).
inline std::string InChildProcess(const std::function<std::string()>& fn) {
    int aPipe[2];
    if (::pipe(aPipe) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::close(aPipe[0]);
        const std::string strResult = fn();
        const bool bSent = ::write(aPipe[1], strResult.data(), strResult.size()) ==
                           static_cast<ssize_t>(strResult.size());
        ::_exit(bSent ? 0 : 1);
    }
    ::close(aPipe[1]);
    std::string strResult;
    char buffer[256];
    for (ssize_t n; (n = ::read(aPipe[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        strResult.append(buffer, static_cast<size_t>(n));
    }
    ::close(aPipe[0]);
    int status = 0;
    const bool bEnded =
        ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return bEnded ? strResult : "the child process failed: " + strResult;
}

// Kills a writer with SIGKILL, over and over: each round a child process
// repeats a write until it is killed after a short delay that varies from
// round to round, and then the caller looks at what is left.
//
// fnWrite(i) is called with i = 0, 1, 2, ... in the child until it is killed;
// fnAfterKill(round) runs in the test's own process after each kill.
inline void KillDuringWrites(int nRounds, const std::function<void(uint64_t)>& fnWrite,
                             const std::function<void(int)>& fnAfterKill) {
    for (int nRound = 0; nRound < nRounds; ++nRound) {
        const pid_t pid = ::fork();
        if (pid < 0) throw std::runtime_error("fork failed");
        if (pid == 0) {
            for (uint64_t i = 0;; ++i) fnWrite(i);
        }
        // 0.2 to 6 ms: early rounds kill the first write, later ones a later one.
        const auto delay = std::chrono::microseconds(200 + (nRound * 7919) % 5800);
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        fnAfterKill(nRound);
    }
}

// Holds a lock file's lock as another running copy of the program would.
class HeldLock {
public:
    explicit HeldLock(const std::string& strLockPath)
        : m_fd(::open(strLockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (m_fd < 0 || ::flock(m_fd, LOCK_EX) != 0) throw std::runtime_error("cannot lock");
    }
    ~HeldLock() { ::close(m_fd); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    int m_fd;
};

}  // namespace testsupport
