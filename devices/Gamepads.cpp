// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/Gamepads.h"

// SDL's declarations only: its library is loaded at run time.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <dirent.h>
#include <fcntl.h>
#include <linux/netlink.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QMetaObject>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "devices/RuntimeLibrary.h"

namespace {

// The SDL functions used. From the library already in the process, or
// loaded once a device that may be a pad appears; not there when it is
// missing or too old (before 2.24). Never closed: SDL keeps threads and
// handlers of its own.
#define SDL_FUNCTIONS(X)             \
    X(SDL_SetHint)                   \
    X(SDL_InitSubSystem)             \
    X(SDL_QuitSubSystem)             \
    X(SDL_PumpEvents)                \
    X(SDL_PollEvent)                 \
    X(SDL_GameControllerOpen)        \
    X(SDL_GameControllerClose)       \
    X(SDL_GameControllerPath)        \
    X(SDL_GameControllerGetAxis)     \
    X(SDL_GameControllerGetJoystick) \
    X(SDL_JoystickInstanceID)        \
    X(SDL_TLSCleanup)

struct SdlFunctions {
    RUNTIME_LIBRARY_FUNCTIONS("libSDL2-2.0.so.0", SDL_FUNCTIONS)
};

// Whether the kernel lists an input device with the buttons of a joystick
// or a gamepad (BTN_JOYSTICK 0x120 to BTN_THUMBR 0x13e), by the bit masks in
// /sys/class/input/event*/device/capabilities/key: hexadecimal words of the
// width of a long, the highest first.
bool AnyJoystickDevice() {
    DIR* pDir = opendir("/sys/class/input");
    if (pDir == nullptr) return false;
    bool bFound = false;
    while (dirent* pEntry = readdir(pDir)) {
        const std::string strName = pEntry->d_name;
        if (strName.rfind("event", 0) != 0) continue;
        std::ifstream file("/sys/class/input/" + strName + "/device/capabilities/key");
        std::string strLine;
        if (!std::getline(file, strLine)) continue;
        std::vector<unsigned long> words;
        std::istringstream in(strLine);
        for (std::string strWord; in >> strWord;)
            words.push_back(std::strtoul(strWord.c_str(), nullptr, 16));
        constexpr unsigned kBits = sizeof(unsigned long) * 8;
        for (unsigned nBit = 0x120; nBit <= 0x13e && !bFound; ++nBit) {
            const size_t nWord = nBit / kBits;
            if (nWord < words.size() && (words[words.size() - 1 - nWord] >> (nBit % kBits)) & 1UL)
                bFound = true;
        }
        if (bFound) break;
    }
    closedir(pDir);
    return bFound;
}

// Reads what is waiting on a non-blocking descriptor and forgets it; false
// when the descriptor is finished (the device is gone).
bool Drain(int nFd) {
    char buffer[1024];
    for (;;) {
        const ssize_t n = read(nFd, buffer, sizeof buffer);
        if (n > 0) continue;
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && errno == EAGAIN;
    }
}

}  // namespace

// SDL's side, on the thread: the pads open, with a descriptor of their
// device to wait on, and the direction each left stick points in.
class CGamepads::Reader {
public:
    explicit Reader(CGamepads& owner) : m_owner(owner) {}
    ~Reader() { Unload(); }

    bool Loaded() const { return m_bLoaded; }

    bool Load(bool bAlreadyLoaded) {
        if (!m_sdl.Load(bAlreadyLoaded)) return false;
        // SDL leaves the program's signals alone, reads pads through the
        // kernel's input devices (the descriptors waited on), and hands on
        // their input while no window of its own has the keyboard.
        m_sdl.SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        m_sdl.SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
        m_sdl.SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        m_bLoaded = m_sdl.SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        return m_bLoaded;
    }

    void Unload() {
        if (!m_bLoaded) return;
        for (auto& [id, pad] : m_pads) Forget(pad);
        m_pads.clear();
        m_owner.m_nOpen = 0;
        m_sdl.SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        // What SDL keeps for this thread (its last error), which it would
        // not give back for a thread it did not start.
        m_sdl.SDL_TLSCleanup();
        m_bLoaded = false;
    }

    // Takes in all SDL has seen since the last time.
    void Pump() {
        m_sdl.SDL_PumpEvents();
        SDL_Event event;
        while (m_sdl.SDL_PollEvent(&event) == 1) {
            switch (event.type) {
                case SDL_CONTROLLERDEVICEADDED:
                    Add(event.cdevice.which);
                    break;
                case SDL_CONTROLLERDEVICEREMOVED:
                    Remove(event.cdevice.which);
                    break;
                case SDL_CONTROLLERBUTTONDOWN:
                    Button(event.cbutton.button);
                    break;
                case SDL_CONTROLLERAXISMOTION:
                    if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ||
                        event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                        Stick(event.caxis.which);
                    break;
                default:
                    break;
            }
        }
        m_owner.m_nOpen = static_cast<int>(m_pads.size());
    }

    // The device descriptors to wait on, for poll().
    void AddDescriptors(std::vector<pollfd>& fds) const {
        for (const auto& [id, pad] : m_pads) {
            if (pad.nFd >= 0) fds.push_back({pad.nFd, POLLIN, 0});
        }
    }

    // A device descriptor with input read, or finished and closed.
    void Served(int nFd, short nEvents) {
        for (auto& [id, pad] : m_pads) {
            if (pad.nFd != nFd) continue;
            if ((nEvents & (POLLERR | POLLHUP | POLLNVAL)) != 0 || !Drain(nFd)) {
                close(pad.nFd);
                pad.nFd = -1;
            }
        }
    }

private:
    struct Pad {
        SDL_GameController* pController = nullptr;
        int nFd = -1;
        std::optional<Press> stick;  // the direction the left stick gave last
    };

    void Add(int nDeviceIndex) {
        SDL_GameController* pController = m_sdl.SDL_GameControllerOpen(nDeviceIndex);
        if (pController == nullptr) return;
        const SDL_JoystickID id =
            m_sdl.SDL_JoystickInstanceID(m_sdl.SDL_GameControllerGetJoystick(pController));
        if (m_pads.count(id) != 0) {
            m_sdl.SDL_GameControllerClose(pController);  // SDL counts opens; one is enough
            return;
        }
        Pad pad;
        pad.pController = pController;
        // A descriptor of the same device, only to learn when it has input
        // (SDL's virtual pads have none: Refresh() is their signal).
        if (const char* pszPath = m_sdl.SDL_GameControllerPath(pController)) {
            pad.nFd = open(pszPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        }
        m_pads[id] = pad;
    }

    void Remove(SDL_JoystickID id) {
        auto it = m_pads.find(id);
        if (it == m_pads.end()) return;
        Forget(it->second);
        m_pads.erase(it);
    }

    void Forget(Pad& pad) {
        if (pad.nFd >= 0) close(pad.nFd);
        m_sdl.SDL_GameControllerClose(pad.pController);
    }

    void Button(uint8_t nButton) {
        static constexpr std::pair<uint8_t, Press> kButtons[] = {
            {SDL_CONTROLLER_BUTTON_DPAD_UP, Press::kUp},
            {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Press::kDown},
            {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Press::kLeft},
            {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Press::kRight},
            {SDL_CONTROLLER_BUTTON_START, Press::kStart}};
        for (const auto& [nPadButton, press] : kButtons) {
            if (nPadButton == nButton) m_owner.Deliver(press);
        }
    }

    // The left stick presses a direction when it is pushed more than half
    // way, along the axis it is pushed furthest; it has to come back within
    // a quarter of the way before the same direction presses again.
    void Stick(SDL_JoystickID id) {
        auto it = m_pads.find(id);
        if (it == m_pads.end()) return;
        Pad& pad = it->second;
        const int x = m_sdl.SDL_GameControllerGetAxis(pad.pController, SDL_CONTROLLER_AXIS_LEFTX);
        const int y = m_sdl.SDL_GameControllerGetAxis(pad.pController, SDL_CONTROLLER_AXIS_LEFTY);
        const int nFar = std::max(std::abs(x), std::abs(y));
        constexpr int kPressed = 16384, kReleased = 8192;
        if (nFar < kReleased) {
            pad.stick.reset();
            return;
        }
        if (nFar < kPressed) return;
        const Press way = std::abs(x) >= std::abs(y) ? (x < 0 ? Press::kLeft : Press::kRight)
                                                     : (y < 0 ? Press::kUp : Press::kDown);
        if (pad.stick == way) return;
        pad.stick = way;
        m_owner.Deliver(way);
    }

    CGamepads& m_owner;
    SdlFunctions m_sdl;
    bool m_bLoaded = false;
    std::map<SDL_JoystickID, Pad> m_pads;
};

CGamepads::CGamepads(QObject* pReceiver, Handler handler)
    : m_pReceiver(pReceiver), m_handler(std::move(handler)) {}

CGamepads::~CGamepads() {
    if (m_thread.joinable()) {
        m_bStop = true;
        const uint64_t nOne = 1;
        (void)!write(m_nWakeFd, &nOne, sizeof nOne);
        m_thread.join();
    }
    if (m_nWakeFd >= 0) close(m_nWakeFd);
}

void CGamepads::Start() {
    if (m_thread.joinable()) return;
    m_nWakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_nWakeFd < 0) return;
    m_thread = std::thread([this] { Run(); });
}

void CGamepads::Refresh() {
    if (!m_thread.joinable()) return;
    std::unique_lock lock(m_mutex);
    const unsigned nAsked = ++m_nAsked;
    const uint64_t nOne = 1;
    (void)!write(m_nWakeFd, &nOne, sizeof nOne);
    m_done.wait_for(lock, std::chrono::seconds(2),
                    [&] { return static_cast<int>(m_nDone - nAsked) >= 0; });
}

void CGamepads::Deliver(Press press) {
    QMetaObject::invokeMethod(
        m_pReceiver, [handler = m_handler, press] { handler(press); }, Qt::QueuedConnection);
}

void CGamepads::Run() {
    // Devices plugged in and out: the folder of the input devices, and the
    // device manager's notices (sent once it has set a new device up).
    const int nFolderFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (nFolderFd >= 0)
        inotify_add_watch(nFolderFd, "/dev/input", IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO);
    int nNoticeFd =
        socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_KOBJECT_UEVENT);
    if (nNoticeFd >= 0) {
        sockaddr_nl address{};
        address.nl_family = AF_NETLINK;
        address.nl_groups = 2;  // the device manager's, not the kernel's
        if (bind(nNoticeFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            close(nNoticeFd);
            nNoticeFd = -1;
        }
    }

    Reader reader(*this);
    std::vector<pollfd> fds;
    while (!m_bStop) {
        unsigned nAsked = 0;
        {
            std::lock_guard lock(m_mutex);
            nAsked = m_nAsked;
        }
        // SDL in the process already costs nothing more; else it is loaded
        // for the first device that may be a pad. Its first look announces
        // the pads plugged in.
        if (!reader.Loaded() && !reader.Load(true) && AnyJoystickDevice()) reader.Load(false);
        if (reader.Loaded()) reader.Pump();
        {
            std::lock_guard lock(m_mutex);
            m_nDone = nAsked;
        }
        m_done.notify_all();

        fds.assign({{m_nWakeFd, POLLIN, 0}});
        for (int nFd : {nFolderFd, nNoticeFd}) {
            if (nFd >= 0) fds.push_back({nFd, POLLIN, 0});
        }
        const size_t nFixed = fds.size();
        reader.AddDescriptors(fds);
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) break;
        for (size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents == 0) continue;
            if (i < nFixed) {
                Drain(fds[i].fd);
            } else {
                reader.Served(fds[i].fd, fds[i].revents);
            }
        }
    }
    reader.Unload();
    for (int nFd : {nFolderFd, nNoticeFd}) {
        if (nFd >= 0) close(nFd);
    }
}
