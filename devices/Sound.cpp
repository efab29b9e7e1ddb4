// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/Sound.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Requests beyond this many waiting are dropped from the front: only a
// caller far faster than the sounds fills the queue, and then the oldest
// matter least.
constexpr std::size_t kMaxQueued = 8;

struct SoundRequest {
    int nID;
    Clock::time_point tWhen;
};

}  // namespace

struct CSoundPlayer::Shared {
    std::unique_ptr<SoundOutput> pOutput;
    SoundPlayerOptions options;

    // Guards everything below. Never held while the output is called, so a
    // caller waits at most for a few list operations of the worker.
    std::mutex mutex;
    std::condition_variable wake;      // the worker waits on this
    std::condition_variable finished;  // Shutdown waits on this
    std::vector<std::pair<int, PcmClip>> aNewClips;
    std::deque<SoundRequest> aQueue;
    bool bStop = false;
    bool bFinished = false;
};

std::unique_ptr<SoundOutput> MakeSilentOutput() {
    class SilentOutput : public SoundOutput {
    public:
        bool Open() override { return false; }
        bool Load(int, const PcmClip&) override { return false; }
        void Start(int, Clock::time_point) override {}
        void Close() override {}
    };
    return std::make_unique<SilentOutput>();
}

CSoundPlayer::CSoundPlayer(std::unique_ptr<SoundOutput> pOutput, SoundPlayerOptions options)
    : m_pShared(std::make_shared<Shared>()) {
    m_pShared->pOutput = std::move(pOutput);
    m_pShared->options = options;
}

void CSoundPlayer::AddClipsWhenFirstWanted(std::function<void()> fnAdd) {
    m_fnAddClips = std::move(fnAdd);
}

void CSoundPlayer::Prepare() {
    if (m_worker.joinable()) return;
    {
        std::lock_guard lock(m_pShared->mutex);
        if (m_pShared->bStop) return;
    }
    if (m_fnAddClips) std::exchange(m_fnAddClips, nullptr)();
    try {
        m_worker = std::thread(&CSoundPlayer::Run, m_pShared);
    } catch (const std::system_error&) {
        // No thread to be had: the program goes on in silence.
        std::lock_guard lock(m_pShared->mutex);
        m_pShared->bStop = true;
    }
}

CSoundPlayer::~CSoundPlayer() {
    Shutdown();
}

WavError CSoundPlayer::AddClip(int nID, std::span<const std::uint8_t> wav) {
    PcmClip clip;
    const WavError error = ReadWav(wav, clip);
    if (error != WavError::kNone) return error;
    {
        std::lock_guard lock(m_pShared->mutex);
        m_pShared->aNewClips.emplace_back(nID, std::move(clip));
    }
    m_pShared->wake.notify_one();
    return WavError::kNone;
}

void CSoundPlayer::Play(int nID) {
    Play(nID, Clock::now());
}

void CSoundPlayer::Play(int nID, Clock::time_point tDue) {
    Prepare();
    {
        std::lock_guard lock(m_pShared->mutex);
        if (m_pShared->bStop) return;
        m_pShared->aQueue.push_back({nID, tDue});
        if (m_pShared->aQueue.size() > kMaxQueued) m_pShared->aQueue.pop_front();
    }
    m_pShared->wake.notify_one();
}

void CSoundPlayer::Shutdown() {
    Shared& shared = *m_pShared;
    std::unique_lock lock(shared.mutex);
    shared.bStop = true;
    if (!m_worker.joinable()) return;
    shared.aQueue.clear();
    shared.wake.notify_one();
    const bool bDone = shared.finished.wait_for(lock, shared.options.shutdownWait,
                                                [&] { return shared.bFinished; });
    lock.unlock();
    if (bDone) {
        m_worker.join();
    } else {
        // Stuck in the device (a server that never answers): the worker holds
        // its own reference to the shared state and ends when the call
        // returns, or with the process.
        m_worker.detach();
    }
}

void CSoundPlayer::Run(const std::shared_ptr<Shared>& pShared) {
    Shared& shared = *pShared;
    SoundOutput& output = *shared.pOutput;
    const bool bOpen = output.Open();

    std::map<int, std::chrono::milliseconds> durations;  // the clips the output took
    Clock::time_point tHoldUntil{};                      // the next sound starts no earlier
    std::unique_lock lock(shared.mutex);
    while (bOpen && !shared.bStop) {
        if (!shared.aNewClips.empty()) {
            auto aClips = std::move(shared.aNewClips);
            shared.aNewClips.clear();
            lock.unlock();
            for (auto& [nID, clip] : aClips) {
                if (output.Load(nID, clip)) {
                    durations[nID] = std::chrono::milliseconds(clip.DurationMs());
                } else {
                    durations.erase(nID);
                }
            }
            lock.lock();
            continue;
        }
        if (shared.aQueue.empty()) {
            shared.wake.wait(lock);
            continue;
        }
        const Clock::time_point tNow = Clock::now();
        if (tNow < tHoldUntil) {
            shared.wake.wait_until(lock, tHoldUntil);
            continue;
        }
        const SoundRequest request = shared.aQueue.front();
        shared.aQueue.pop_front();
        const auto it = durations.find(request.nID);
        if (it == durations.end() || tNow - request.tWhen > shared.options.maxWait) continue;
        // Due when it was asked for, or when the sound it cuts off has had
        // its slice.
        const Clock::time_point tDue = std::max(request.tWhen, tHoldUntil);
        lock.unlock();
        output.Start(request.nID, tDue);
        tHoldUntil = tDue + std::min(it->second, shared.options.minSlice);
        lock.lock();
    }
    lock.unlock();
    if (bOpen) output.Close();
    lock.lock();
    shared.bFinished = true;
    shared.finished.notify_all();
}
