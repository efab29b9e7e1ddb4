// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <thread>

#include "devices/WavReader.h"

// Short sound effects, played asynchronously. The caller's thread only
// decodes the clips once and queues requests; a worker thread owns the audio
// device and makes every call that can block (opening the device, which may
// talk to a sound server, loading the clips, starting them). The worker and
// the device come when sounds are first wanted, not with the player: a
// program that has not yet played holds no device. A new sound cuts off the
// one still playing. Without a device, or with a server that never answers,
// nothing is heard, nothing is printed and no caller waits.

// The device side of the player. All calls come from the player's worker
// thread, one at a time, in the order Open, then Load and Start, then Close;
// any of them may block for as long as the device makes it.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Opens the device. False means there is no audio: the player stays silent.
    virtual bool Open() = 0;
    // Makes clip nID playable; false leaves that clip silent.
    virtual bool Load(int nID, const PcmClip& clip) = 0;
    // Stops whatever is sounding and starts clip nID from its beginning. It
    // is due at tDue: an output that can should let as much time pass
    // between two clips as passed between their due times, so that sounds
    // asked for at even intervals are heard at even intervals.
    virtual void Start(int nID, std::chrono::steady_clock::time_point tDue) = 0;
    // Stops sound and releases the device. Called once, only after Open succeeded.
    virtual void Close() = 0;
};

// An output without a device: the player it is given stays silent and opens
// nothing (for runs that play no sound, such as printing).
std::unique_ptr<SoundOutput> MakeSilentOutput();

struct SoundPlayerOptions {
    // A sound cut off by the next one sounds for at least this long (or to
    // its end, if shorter), so that two sounds asked for in the same instant
    // are both heard; the second then starts this much later.
    std::chrono::milliseconds minSlice{15};
    // A request that has waited this long for the device (slow to open) is
    // dropped rather than played late.
    std::chrono::milliseconds maxWait{1000};
    // How long Shutdown waits for the worker to close the device before it
    // leaves the worker behind.
    std::chrono::milliseconds shutdownWait{200};
};

class CSoundPlayer {
public:
    // Opens nothing yet: see Prepare.
    explicit CSoundPlayer(std::unique_ptr<SoundOutput> pOutput, SoundPlayerOptions options = {});
    ~CSoundPlayer();
    CSoundPlayer(const CSoundPlayer&) = delete;
    CSoundPlayer& operator=(const CSoundPlayer&) = delete;

    // Decodes WAVE bytes and registers them as clip nID (a later clip with the
    // same number replaces it). Refused data leaves nID as it was.
    WavError AddClip(int nID, std::span<const std::uint8_t> wav);

    // fnAdd adds the clips (AddClip) when sounds are first wanted, just
    // before the device opens, and not at all in a program that plays none:
    // clips it reads from the program's storage stay unread until then.
    void AddClipsWhenFirstWanted(std::function<void()> fnAdd);

    // Starts the worker, which opens the device off the caller's path, if it
    // has not started yet (after adding the clips that wait for it). A
    // caller that knows sounds are coming (play begins) calls it ahead of
    // them, so that the device is ready for the first; the first Play does
    // the same. Call it from the owning thread.
    void Prepare();

    // Queues clip nID and returns at once (after Prepare, if not yet done).
    // Unknown numbers are ignored. The sound is due now, or at tDue: a caller
    // on a beat gives the beat's time, so that a late call is not heard late.
    // Call it from the owning thread.
    void Play(int nID);
    void Play(int nID, std::chrono::steady_clock::time_point tDue);

    // Stops sound and the worker. Waits at most shutdownWait for the device
    // to close; a worker stuck in the device is left behind (it owns all it
    // touches), so that the caller always goes on and the process can end.
    // Nothing starts after it. Call it from the owning thread; more than
    // once is harmless.
    void Shutdown();

private:
    struct Shared;
    static void Run(const std::shared_ptr<Shared>& pShared);

    std::shared_ptr<Shared> m_pShared;
    std::function<void()> m_fnAddClips;
    std::thread m_worker;
};
