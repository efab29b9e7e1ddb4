// SPDX-License-Identifier: GPL-3.0-or-later
// The player's device side on the sound server protocol (PulseAudio, or
// PipeWire's server for it): one playback stream, kept filled a little ahead
// with silence while sounds play. Each clip is written into that stream in
// step with the one before it, as far after it in the stream as it was asked
// for after it, over whatever was queued there: sounds asked for at even
// intervals are heard at even intervals, whatever blocks the server renders
// in. After a while of silence the stream is corked, so an idle program
// costs the server and this process nothing; the next sound wakes it.

#include "devices/PulseOutput.h"

#include <pulse/context.h>
#include <pulse/def.h>
#include <pulse/proplist.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>
#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "devices/RuntimeLibrary.h"

namespace {

// The client library's functions used here. The library is loaded when the
// output is first opened, not with the program: a program that plays no
// sound never maps it, and one on a system without it stays silent.
#define PULSE_FUNCTIONS(X)           \
    X(pa_context_connect)            \
    X(pa_context_disconnect)         \
    X(pa_context_get_state)          \
    X(pa_context_new_with_proplist)  \
    X(pa_context_rttime_new)         \
    X(pa_context_set_state_callback) \
    X(pa_context_unref)              \
    X(pa_operation_unref)            \
    X(pa_proplist_free)              \
    X(pa_proplist_new)               \
    X(pa_proplist_sets)              \
    X(pa_rtclock_now)                \
    X(pa_stream_begin_write)         \
    X(pa_stream_cancel_write)        \
    X(pa_stream_connect_playback)    \
    X(pa_stream_cork)                \
    X(pa_stream_disconnect)          \
    X(pa_stream_flush)               \
    X(pa_stream_get_sample_spec)     \
    X(pa_stream_get_state)           \
    X(pa_stream_get_timing_info)     \
    X(pa_stream_new)                 \
    X(pa_stream_set_state_callback)  \
    X(pa_stream_set_write_callback)  \
    X(pa_stream_unref)               \
    X(pa_stream_write)               \
    X(pa_threaded_mainloop_free)     \
    X(pa_threaded_mainloop_get_api)  \
    X(pa_threaded_mainloop_lock)     \
    X(pa_threaded_mainloop_new)      \
    X(pa_threaded_mainloop_signal)   \
    X(pa_threaded_mainloop_start)    \
    X(pa_threaded_mainloop_stop)     \
    X(pa_threaded_mainloop_unlock)   \
    X(pa_threaded_mainloop_wait)     \
    X(pa_timeval_age)                \
    X(pa_usec_to_bytes)

struct PulseFunctions {
    RUNTIME_LIBRARY_FUNCTIONS("libpulse.so.0", PULSE_FUNCTIONS)
};

// The functions, once Open has found them (every other use comes after).
const PulseFunctions& Pulse() {
    return *LoadedOnce<PulseFunctions>();
}

constexpr int kRate = 22050;
constexpr std::uint32_t kBytesPerMs = kRate * 2 / 1000;
// The stream's buffer, asked for kRequestUs at a time: a sound is heard this
// soon after it is asked for, and the sink renders little ahead.
constexpr pa_usec_t kBufferUs = 20 * PA_USEC_PER_MSEC;
constexpr pa_usec_t kRequestUs = 5 * PA_USEC_PER_MSEC;
// A clip's place in step with the previous one is kept while the server has
// not read past it and it lies at most kChainDriftUs beyond the buffer;
// otherwise (the device's clock has drifted from the system's) the clip
// starts a new chain where the stream is being written. The server's read
// position is only estimated from its last report, a few ms either way on a
// busy machine, so the bounds are wide: a beat kept matters more than the
// first ms of a clip the sink may already have rendered.
constexpr pa_usec_t kChainDriftUs = 80 * PA_USEC_PER_MSEC;
// Silence for this long corks the stream.
constexpr std::size_t kCorkAfterBytes = std::size_t{2000} * kBytesPerMs;

// Holds the loop's lock for a scope; the loop's callbacks run under it.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* pLoop) : m_pLoop(pLoop) {
        Pulse().pa_threaded_mainloop_lock(m_pLoop);
    }
    ~LoopLock() { Pulse().pa_threaded_mainloop_unlock(m_pLoop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* m_pLoop;
};

class PulseOutput final : public SoundOutput {
public:
    PulseOutput(std::string strName, std::string strMediaRole, pa_usec_t nConnectTimeoutUs)
        : m_strName(std::move(strName)),
          m_strMediaRole(std::move(strMediaRole)),
          m_nConnectTimeoutUs(nConnectTimeoutUs) {}
    ~PulseOutput() override { Close(); }

    bool Open() override {
        if (LoadedOnce<PulseFunctions>() == nullptr) return false;
        m_pLoop = Pulse().pa_threaded_mainloop_new();
        if (m_pLoop == nullptr) return false;
        if (Pulse().pa_threaded_mainloop_start(m_pLoop) < 0) {
            Pulse().pa_threaded_mainloop_free(m_pLoop);
            m_pLoop = nullptr;
            return false;
        }
        bool bOk;
        {
            LoopLock lock(m_pLoop);
            bOk = ConnectLocked();
        }
        if (!bOk) Close();
        return bOk;
    }

    bool Load(int nID, const PcmClip& clip) override {
        // The stream is mono at the clips' rate; anything else is refused
        // rather than played at the wrong speed.
        if (m_pLoop == nullptr || clip.nChannels != 1 || clip.nSampleRate != kRate) return false;
        LoopLock lock(m_pLoop);
        auto it = m_clips.find(nID);
        if (it != m_clips.end() && m_pCurrent == &it->second) m_pCurrent = nullptr;
        m_clips[nID] = clip.aSamples;
        return true;
    }

    void Start(int nID, std::chrono::steady_clock::time_point tDue) override {
        if (m_pLoop == nullptr) return;
        const auto nDueUs = static_cast<pa_usec_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(tDue.time_since_epoch()).count());
        LoopLock lock(m_pLoop);
        const auto it = m_clips.find(nID);
        if (it == m_clips.end() || m_pStream == nullptr) return;
        if (Pulse().pa_stream_get_state(m_pStream) != PA_STREAM_READY) return;
        m_nSilentBytes = 0;
        if (m_bCorked) Cork(false);
        if (!WriteInStep(it->second, nDueUs)) PlayNow(it->second);
    }

    void Close() override {
        if (m_pLoop == nullptr) return;
        {
            LoopLock lock(m_pLoop);
            if (m_pStream != nullptr) {
                Pulse().pa_stream_set_state_callback(m_pStream, nullptr, nullptr);
                Pulse().pa_stream_set_write_callback(m_pStream, nullptr, nullptr);
                Pulse().pa_stream_disconnect(m_pStream);
                Pulse().pa_stream_unref(m_pStream);
                m_pStream = nullptr;
            }
            if (m_pContext != nullptr) {
                Pulse().pa_context_set_state_callback(m_pContext, nullptr, nullptr);
                Pulse().pa_context_disconnect(m_pContext);
                Pulse().pa_context_unref(m_pContext);
                m_pContext = nullptr;
            }
        }
        Pulse().pa_threaded_mainloop_stop(m_pLoop);
        Pulse().pa_threaded_mainloop_free(m_pLoop);
        m_pLoop = nullptr;
    }

private:
    bool ConnectLocked() {
        pa_proplist* pProps = Pulse().pa_proplist_new();
        Pulse().pa_proplist_sets(pProps, PA_PROP_APPLICATION_NAME, m_strName.c_str());
        if (!m_strMediaRole.empty())
            Pulse().pa_proplist_sets(pProps, PA_PROP_MEDIA_ROLE, m_strMediaRole.c_str());
        m_pContext = Pulse().pa_context_new_with_proplist(
            Pulse().pa_threaded_mainloop_get_api(m_pLoop), m_strName.c_str(), pProps);
        Pulse().pa_proplist_free(pProps);
        if (m_pContext == nullptr) return false;
        Pulse().pa_context_set_state_callback(m_pContext, &SignalLoop, this);
        // No starting of a server on our behalf: no server, no sound.
        if (Pulse().pa_context_connect(m_pContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            return false;
        }
        pa_time_event* pTimer = Pulse().pa_context_rttime_new(
            m_pContext, Pulse().pa_rtclock_now() + m_nConnectTimeoutUs, &OnTimeout, this);
        const bool bOk = WaitForContext() && ConnectStream() && WaitForStream();
        if (pTimer != nullptr) Pulse().pa_threaded_mainloop_get_api(m_pLoop)->time_free(pTimer);
        return bOk;
    }

    // Waits on the loop until fnState() says ready; false once it has failed
    // or the connect time is up.
    template <typename FnState, typename State>
    bool WaitUntilReady(FnState fnState, State ready, int (*fnIsGood)(State)) {
        for (;;) {
            const State state = fnState();
            if (state == ready) return true;
            if (!fnIsGood(state) || m_bTimedOut) return false;
            Pulse().pa_threaded_mainloop_wait(m_pLoop);
        }
    }
    bool WaitForContext() {
        return WaitUntilReady([this] { return Pulse().pa_context_get_state(m_pContext); },
                              PA_CONTEXT_READY, &PA_CONTEXT_IS_GOOD);
    }
    bool WaitForStream() {
        return WaitUntilReady([this] { return Pulse().pa_stream_get_state(m_pStream); },
                              PA_STREAM_READY, &PA_STREAM_IS_GOOD);
    }

    bool ConnectStream() {
        const pa_sample_spec format{PA_SAMPLE_S16LE, kRate, 1};
        m_pStream = Pulse().pa_stream_new(m_pContext, "Sound effects", &format, nullptr);
        if (m_pStream == nullptr) return false;
        Pulse().pa_stream_set_state_callback(m_pStream, &SignalStream, this);
        Pulse().pa_stream_set_write_callback(m_pStream, &OnWrite, this);
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(Pulse().pa_usec_to_bytes(kBufferUs, &format));
        // No prebuffering: a stream that runs dry plays silence and keeps its
        // time, rather than stopping and shifting every later clip.
        attr.prebuf = 0;
        attr.minreq = static_cast<std::uint32_t>(Pulse().pa_usec_to_bytes(kRequestUs, &format));
        attr.fragsize = static_cast<std::uint32_t>(-1);
        // Corked until the first sound; the write position is kept known.
        m_bCorked = true;
        const auto flags = static_cast<pa_stream_flags_t>(
            PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_CORKED | PA_STREAM_AUTO_TIMING_UPDATE);
        return Pulse().pa_stream_connect_playback(m_pStream, nullptr, &attr, flags, nullptr,
                                                  nullptr) == 0;
    }

    // Writes the whole clip into the stream as far after the previous clip
    // as nDueUs is after that clip's due time, over what was queued there, and
    // silences what the stream still held after it (the rest of an earlier
    // clip). Sounds asked for at even intervals are so heard at even
    // intervals, to the sample. The first clip after a pause in the sounds,
    // or one whose place has drifted too far from where the stream is being
    // written, goes where the stream is being written and starts a new
    // chain. False when the stream's write position is not known.
    bool WriteInStep(const std::vector<std::int16_t>& clip, pa_usec_t nDueUs) {
        const pa_timing_info* pInfo = Pulse().pa_stream_get_timing_info(m_pStream);
        if (pInfo == nullptr || pInfo->write_index_corrupt != 0) return false;
        const pa_sample_spec* pSpec = Pulse().pa_stream_get_sample_spec(m_pStream);
        const std::int64_t nQueuedEnd = pInfo->write_index;
        std::int64_t nAt = nQueuedEnd;
        if (m_bChained && nDueUs >= m_nChainUs) {
            const auto nStep = static_cast<std::int64_t>(
                Pulse().pa_usec_to_bytes(nDueUs - m_nChainUs, pSpec) & ~std::size_t{1});
            if (IsStillAhead(*pInfo, m_nChainAt + nStep, pSpec)) nAt = m_nChainAt + nStep;
        }
        const auto nClipBytes = static_cast<std::int64_t>(clip.size() * 2);
        if (Pulse().pa_stream_write(m_pStream, clip.data(), clip.size() * 2, nullptr, nAt,
                                    PA_SEEK_ABSOLUTE) < 0) {
            return false;
        }
        if (nQueuedEnd > nAt + nClipBytes) WriteSilence(nQueuedEnd - nAt - nClipBytes);
        m_pCurrent = nullptr;
        m_nPos = 0;
        m_bChained = true;
        m_nChainAt = nAt;
        m_nChainUs = nDueUs;
        return true;
    }

    // Whether byte index nAt lies where the server has not yet read the
    // stream, and not far beyond what it keeps queued: the server reads on
    // at the stream's rate from where it last said it was.
    static bool IsStillAhead(const pa_timing_info& info, std::int64_t nAt,
                             const pa_sample_spec* pSpec) {
        if (info.read_index_corrupt != 0) return true;
        const auto bytes = [pSpec](pa_usec_t nUs) {
            return static_cast<std::int64_t>(Pulse().pa_usec_to_bytes(nUs, pSpec));
        };
        const std::int64_t nReading =
            info.read_index + bytes(Pulse().pa_timeval_age(&info.timestamp));
        return nAt >= nReading && nAt <= nReading + bytes(kBufferUs + kChainDriftUs);
    }

    // Drops what the server holds; it then asks for data again, which
    // begins with this clip.
    void PlayNow(const std::vector<std::int16_t>& clip) {
        m_pCurrent = &clip;
        m_nPos = 0;
        m_bChained = false;
        if (pa_operation* pOp = Pulse().pa_stream_flush(m_pStream, nullptr, nullptr)) {
            Pulse().pa_operation_unref(pOp);
        }
    }

    void WriteSilence(std::int64_t nBytes) {
        const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(nBytes) & ~std::size_t{1});
        Pulse().pa_stream_write(m_pStream, zeros.data(), zeros.size(), nullptr, 0,
                                PA_SEEK_RELATIVE);
    }

    // Corks the stream until the next sound, and uncorks it for that sound;
    // what it held when corked (a few ms of silence) plays first.
    void Cork(bool bCorked) {
        m_bCorked = bCorked;
        m_bChained = false;
        if (pa_operation* pOp =
                Pulse().pa_stream_cork(m_pStream, bCorked ? 1 : 0, nullptr, nullptr)) {
            Pulse().pa_operation_unref(pOp);
        }
    }

    // The server asks for nBytes more: the rest of the current clip, then
    // silence. Runs on the loop's thread, under its lock.
    void Fill(std::size_t nBytes) {
        while (nBytes >= 2) {
            void* pData = nullptr;
            std::size_t nChunk = nBytes;
            if (Pulse().pa_stream_begin_write(m_pStream, &pData, &nChunk) < 0 || pData == nullptr)
                return;
            nChunk &= ~static_cast<std::size_t>(1);
            if (nChunk == 0) {
                Pulse().pa_stream_cancel_write(m_pStream);
                return;
            }
            auto* pOut = static_cast<std::int16_t*>(pData);
            const std::size_t nFrames = nChunk / 2;
            std::size_t nCopied = 0;
            if (m_pCurrent != nullptr && m_nPos < m_pCurrent->size()) {
                nCopied = std::min(nFrames, m_pCurrent->size() - m_nPos);
                std::memcpy(pOut, m_pCurrent->data() + m_nPos, nCopied * 2);
                m_nPos += nCopied;
            }
            std::memset(pOut + nCopied, 0, (nFrames - nCopied) * 2);
            if (Pulse().pa_stream_write(m_pStream, pData, nChunk, nullptr, 0, PA_SEEK_RELATIVE) < 0)
                return;
            nBytes -= nChunk;
            m_nSilentBytes = nCopied != 0 ? 0 : m_nSilentBytes + nChunk;
        }
        // Long enough in silence (the last clip has been written for as long
        // and has played out): the stream sleeps until the next sound.
        if (!m_bCorked && m_nSilentBytes >= kCorkAfterBytes) Cork(true);
    }

    static void SignalLoop(pa_context*, void* pUser) {
        Pulse().pa_threaded_mainloop_signal(static_cast<PulseOutput*>(pUser)->m_pLoop, 0);
    }
    static void SignalStream(pa_stream*, void* pUser) {
        Pulse().pa_threaded_mainloop_signal(static_cast<PulseOutput*>(pUser)->m_pLoop, 0);
    }
    static void OnTimeout(pa_mainloop_api*, pa_time_event*, const timeval*, void* pUser) {
        auto* pSelf = static_cast<PulseOutput*>(pUser);
        pSelf->m_bTimedOut = true;
        Pulse().pa_threaded_mainloop_signal(pSelf->m_pLoop, 0);
    }
    static void OnWrite(pa_stream*, std::size_t nBytes, void* pUser) {
        static_cast<PulseOutput*>(pUser)->Fill(nBytes);
    }

    pa_threaded_mainloop* m_pLoop = nullptr;
    // Everything below is used under the loop's lock.
    pa_context* m_pContext = nullptr;
    pa_stream* m_pStream = nullptr;
    std::atomic<bool> m_bTimedOut{false};
    std::map<int, std::vector<std::int16_t>> m_clips;
    const std::vector<std::int16_t>* m_pCurrent = nullptr;
    std::size_t m_nPos = 0;
    // Bytes of silence written since the last clip, and whether the stream
    // is corked for it.
    std::size_t m_nSilentBytes = 0;
    bool m_bCorked = false;
    // Where in the stream the last clip was written (a byte index), and when
    // it was asked for: the next clip goes in step with it.
    bool m_bChained = false;
    std::int64_t m_nChainAt = 0;
    pa_usec_t m_nChainUs = 0;
    const std::string m_strName;
    const std::string m_strMediaRole;
    // A server that accepts the connection but does not finish setting it up
    // in this time is given up on: the player stays silent.
    const pa_usec_t m_nConnectTimeoutUs;
};

}  // namespace

std::unique_ptr<SoundOutput> MakePulseOutput(const std::string& strMediaRole,
                                             std::chrono::milliseconds connectTimeout) {
    // The name the sound server shows for the stream: the application's,
    // read here, on the thread that owns the application object.
    std::string strName = QCoreApplication::applicationName().toStdString();
    if (strName.empty()) strName = "Qt application";
    const auto timeout =
        std::max(std::chrono::microseconds(connectTimeout), std::chrono::microseconds::zero());
    return std::make_unique<PulseOutput>(std::move(strName), strMediaRole,
                                         static_cast<pa_usec_t>(timeout.count()));
}
