// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class QObject;

// Gamepads and joysticks, read through SDL's controller interface: the
// direction pad and the left stick give the four directions, the Start
// button a press of its own; each press reaches a handler on the thread of
// a receiving object, in its event loop.
//
// Nothing is paid for a pad that is not there. SDL is not linked: Start()
// begins a thread of its own, which loads SDL (libSDL2-2.0.so.0) only once
// the kernel lists an input device with joystick or gamepad buttons, or at
// once when something else in the process has loaded it already. The thread
// never wakes on a timer: it sleeps in poll() until a device it reads has
// input, the input devices change (a pad plugged in or out), Refresh() asks
// or the object is destroyed.
class CGamepads {
public:
    // The four directions (left, right, up, down), then the Start button.
    enum class Press { kLeft, kRight, kUp, kDown, kStart };
    using Handler = std::function<void(Press)>;

    CGamepads(QObject* pReceiver, Handler handler);
    ~CGamepads();
    CGamepads(const CGamepads&) = delete;
    CGamepads& operator=(const CGamepads&) = delete;

    // Starts the thread; does nothing the second time.
    void Start();
    // Has the thread look at every pad and every device now, and waits (at
    // most two seconds) until it has: what it found is then queued for the
    // receiver. For changes no device signals, such as SDL's virtual pads.
    void Refresh();
    // The pads SDL has open now.
    int OpenCount() const { return m_nOpen.load(); }

private:
    class Reader;
    void Run();
    void Deliver(Press press);

    QObject* m_pReceiver;  // outlives this object
    Handler m_handler;
    std::thread m_thread;
    int m_nWakeFd = -1;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nOpen{0};
    // Refresh(): asked for and done, counted.
    std::mutex m_mutex;
    std::condition_variable m_done;
    unsigned m_nAsked = 0;
    unsigned m_nDone = 0;
};
