// SPDX-License-Identifier: GPL-3.0-or-later
// The player's device side on the sound server protocol (PulseAudio, or
// PipeWire's server for it): one playback stream that is always running,
// filled on request with the clip that is playing or with silence. Starting a
// clip drops whatever the server still holds of the previous one, so the new
// clip follows within one short buffer.

#include "framework/PulseOutput.h"

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
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr std::uint32_t kBytesPerMs = kRate * 2 / 1000;
// A server that accepts the connection but does not finish setting it up in
// this time is given up on: the player stays silent.
constexpr pa_usec_t kConnectTimeoutUs = 3 * PA_USEC_PER_SEC;

// Holds the loop's lock for a scope; the loop's callbacks run under it.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* pLoop) : m_pLoop(pLoop) {
        pa_threaded_mainloop_lock(m_pLoop);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_pLoop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* m_pLoop;
};

class PulseOutput final : public SoundOutput {
public:
    PulseOutput(std::string strName, std::string strMediaRole)
        : m_strName(std::move(strName)), m_strMediaRole(std::move(strMediaRole)) {}
    ~PulseOutput() override { Close(); }

    bool Open() override {
        m_pLoop = pa_threaded_mainloop_new();
        if (m_pLoop == nullptr) return false;
        if (pa_threaded_mainloop_start(m_pLoop) < 0) {
            pa_threaded_mainloop_free(m_pLoop);
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

    void Start(int nID) override {
        if (m_pLoop == nullptr) return;
        LoopLock lock(m_pLoop);
        const auto it = m_clips.find(nID);
        if (it == m_clips.end() || m_pStream == nullptr) return;
        m_pCurrent = &it->second;
        m_nPos = 0;
        // Drop what the server holds (the end of the last clip, or silence);
        // it then asks for data again, which begins with this clip.
        if (pa_stream_get_state(m_pStream) == PA_STREAM_READY) {
            if (pa_operation* pOp = pa_stream_flush(m_pStream, nullptr, nullptr)) {
                pa_operation_unref(pOp);
            }
        }
    }

    void Close() override {
        if (m_pLoop == nullptr) return;
        {
            LoopLock lock(m_pLoop);
            if (m_pStream != nullptr) {
                pa_stream_set_state_callback(m_pStream, nullptr, nullptr);
                pa_stream_set_write_callback(m_pStream, nullptr, nullptr);
                pa_stream_disconnect(m_pStream);
                pa_stream_unref(m_pStream);
                m_pStream = nullptr;
            }
            if (m_pContext != nullptr) {
                pa_context_set_state_callback(m_pContext, nullptr, nullptr);
                pa_context_disconnect(m_pContext);
                pa_context_unref(m_pContext);
                m_pContext = nullptr;
            }
        }
        pa_threaded_mainloop_stop(m_pLoop);
        pa_threaded_mainloop_free(m_pLoop);
        m_pLoop = nullptr;
    }

private:
    bool ConnectLocked() {
        pa_proplist* pProps = pa_proplist_new();
        pa_proplist_sets(pProps, PA_PROP_APPLICATION_NAME, m_strName.c_str());
        if (!m_strMediaRole.empty())
            pa_proplist_sets(pProps, PA_PROP_MEDIA_ROLE, m_strMediaRole.c_str());
        m_pContext = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(m_pLoop),
                                                  m_strName.c_str(), pProps);
        pa_proplist_free(pProps);
        if (m_pContext == nullptr) return false;
        pa_context_set_state_callback(m_pContext, &SignalLoop, this);
        // No starting of a server on our behalf: no server, no sound.
        if (pa_context_connect(m_pContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            return false;
        }
        pa_time_event* pTimer = pa_context_rttime_new(
            m_pContext, pa_rtclock_now() + kConnectTimeoutUs, &OnTimeout, this);
        const bool bOk = WaitForContext() && ConnectStream() && WaitForStream();
        if (pTimer != nullptr) pa_threaded_mainloop_get_api(m_pLoop)->time_free(pTimer);
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
            pa_threaded_mainloop_wait(m_pLoop);
        }
    }
    bool WaitForContext() {
        return WaitUntilReady([this] { return pa_context_get_state(m_pContext); }, PA_CONTEXT_READY,
                              &PA_CONTEXT_IS_GOOD);
    }
    bool WaitForStream() {
        return WaitUntilReady([this] { return pa_stream_get_state(m_pStream); }, PA_STREAM_READY,
                              &PA_STREAM_IS_GOOD);
    }

    bool ConnectStream() {
        const pa_sample_spec format{PA_SAMPLE_S16LE, kRate, 1};
        m_pStream = pa_stream_new(m_pContext, "Sound effects", &format, nullptr);
        if (m_pStream == nullptr) return false;
        pa_stream_set_state_callback(m_pStream, &SignalStream, this);
        pa_stream_set_write_callback(m_pStream, &OnWrite, this);
        // 60 ms buffered, asked for 10 ms at a time: enough that a busy
        // machine does not starve the stream. The buffer does not delay a new
        // sound, as starting one drops what is buffered.
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = 60 * kBytesPerMs;
        attr.prebuf = static_cast<std::uint32_t>(-1);
        attr.minreq = 10 * kBytesPerMs;
        attr.fragsize = static_cast<std::uint32_t>(-1);
        return pa_stream_connect_playback(m_pStream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY,
                                          nullptr, nullptr) == 0;
    }

    // The server asks for nBytes more: the rest of the current clip, then
    // silence. Runs on the loop's thread, under its lock.
    void Fill(std::size_t nBytes) {
        while (nBytes >= 2) {
            void* pData = nullptr;
            std::size_t nChunk = nBytes;
            if (pa_stream_begin_write(m_pStream, &pData, &nChunk) < 0 || pData == nullptr) return;
            nChunk &= ~static_cast<std::size_t>(1);
            if (nChunk == 0) {
                pa_stream_cancel_write(m_pStream);
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
            if (pa_stream_write(m_pStream, pData, nChunk, nullptr, 0, PA_SEEK_RELATIVE) < 0) return;
            nBytes -= nChunk;
        }
    }

    static void SignalLoop(pa_context*, void* pUser) {
        pa_threaded_mainloop_signal(static_cast<PulseOutput*>(pUser)->m_pLoop, 0);
    }
    static void SignalStream(pa_stream*, void* pUser) {
        pa_threaded_mainloop_signal(static_cast<PulseOutput*>(pUser)->m_pLoop, 0);
    }
    static void OnTimeout(pa_mainloop_api*, pa_time_event*, const timeval*, void* pUser) {
        auto* pSelf = static_cast<PulseOutput*>(pUser);
        pSelf->m_bTimedOut = true;
        pa_threaded_mainloop_signal(pSelf->m_pLoop, 0);
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
    const std::string m_strName;
    const std::string m_strMediaRole;
};

}  // namespace

std::unique_ptr<SoundOutput> MakePulseOutput(const std::string& strMediaRole) {
    // The name the sound server shows for the stream: the application's,
    // read here, on the thread that owns the application object.
    std::string strName = QCoreApplication::applicationName().toStdString();
    if (strName.empty()) strName = "Qt application";
    return std::make_unique<PulseOutput>(std::move(strName), strMediaRole);
}
