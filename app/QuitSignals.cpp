// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QuitSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QObject>
#include <QSocketNotifier>
#include <cerrno>
#include <utility>

namespace {

// The write end of the pipe through which the signal handler wakes the main
// loop; -1 while no handler is installed.
int g_nQuitPipe = -1;

extern "C" void OnTerminationSignal(int nSignal) {
    // Only what is safe in a signal handler: one byte down the pipe.
    const int nSavedErrno = errno;
    const char c = static_cast<char>(nSignal);
    [[maybe_unused]] const ssize_t n = ::write(g_nQuitPipe, &c, 1);
    errno = nSavedErrno;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void(int)> fnQuit) : m_fnQuit(std::move(fnQuit)) {
    if (::pipe2(m_aPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    g_nQuitPipe = m_aPipe[1];
    m_pNotifier = std::make_unique<QSocketNotifier>(m_aPipe[0], QSocketNotifier::Read);
    QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated, [this] {
        char buf[16];
        int nSignal = 0;
        for (ssize_t n; (n = ::read(m_aPipe[0], buf, sizeof buf)) > 0;) nSignal = buf[n - 1];
        m_fnQuit(nSignal);
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        struct sigaction old = {};
        if (::sigaction(kSignals[i], nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
        m_abInstalled[i] = ::sigaction(kSignals[i], &action, &m_aOld[i]) == 0;
    }
}

QuitSignals::~QuitSignals() {
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        if (m_abInstalled[i]) ::sigaction(kSignals[i], &m_aOld[i], nullptr);
    }
    m_pNotifier.reset();
    if (m_aPipe[0] >= 0) {
        g_nQuitPipe = -1;
        ::close(m_aPipe[0]);
        ::close(m_aPipe[1]);
    }
}
