// SPDX-License-Identifier: GPL-3.0-or-later
// The sound server output without a working server: no server at all, one
// that hangs up at once, and one that accepts the connection and never
// answers (given up on after the connect timeout, set short here). It does
// not open, and it says nothing.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "devices/PulseOutput.h"
#include "support/Files.h"

namespace {

// A unix socket of the test's own, named to the client library the way a
// user's PULSE_SERVER names a server.
class FakeServer {
public:
    enum class Kind { kNone, kHung, kVanishing };

    FakeServer(Kind kind, const std::string& strPath)
        : m_strPath(strPath), m_env("PULSE_SERVER", ("unix:" + strPath).c_str()) {
        if (kind == Kind::kNone) return;
        m_nSocket = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", m_strPath.c_str());
        EXPECT_EQ(bind(m_nSocket, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        // A listening socket completes connections without accepting them:
        // the client then waits for an answer that never comes.
        EXPECT_EQ(listen(m_nSocket, 4), 0);
        if (kind == Kind::kVanishing) {
            m_closer = std::thread([this] {
                const int nClient = accept(m_nSocket, nullptr, nullptr);
                if (nClient >= 0) close(nClient);
            });
        }
    }
    ~FakeServer() {
        if (m_nSocket >= 0) shutdown(m_nSocket, SHUT_RDWR);
        if (m_closer.joinable()) m_closer.join();
        if (m_nSocket >= 0) close(m_nSocket);
        unlink(m_strPath.c_str());
    }
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

private:
    std::string m_strPath;
    testsupport::ScopedEnv m_env;
    int m_nSocket = -1;
    std::thread m_closer;
};

TEST(PulseOutput, FailsQuietlyWithoutAWorkingServer) {
    testsupport::TempDir dir;
    // No starting of a server on the test's behalf, and no user settings.
    testsupport::ScopedEnv home("HOME", dir.Path().c_str());
    testsupport::ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    const struct {
        const char* pszCase;
        FakeServer::Kind kind;
    } cases[] = {
        {"no server", FakeServer::Kind::kNone},
        {"server hangs up", FakeServer::Kind::kVanishing},
        {"server never answers", FakeServer::Kind::kHung},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        FakeServer server(c.kind, dir.File("server.sock"));
        auto pOutput = MakePulseOutput({}, std::chrono::milliseconds(100));
        testing::internal::CaptureStderr();
        const bool bOpen = pOutput->Open();
        pOutput->Start(150,
                       std::chrono::steady_clock::now());  // nothing loaded, nothing open: ignored
        pOutput->Close();
        const std::string strErr = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(bOpen);
        EXPECT_EQ(strErr, "");
    }
}

}  // namespace
