// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <signal.h>

#include <functional>
#include <iterator>
#include <memory>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a desktop logging out, a terminal closing,
// Ctrl+C) run a function in the main loop instead of killing the program:
// the handler writes the signal's number down a pipe that the main loop
// watches. A signal that was ignored when the program started (nohup) stays
// ignored. The former handlers come back when this object goes.
class QuitSignals {
public:
    explicit QuitSignals(std::function<void(int nSignal)> fnQuit);
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

private:
    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
    std::function<void(int)> m_fnQuit;
    int m_aPipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_pNotifier;
    struct sigaction m_aOld[std::size(kSignals)] = {};
    bool m_abInstalled[std::size(kSignals)] = {};
};
