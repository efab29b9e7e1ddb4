// The headless driver, run as the built program.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A scratch directory of this test process, removed at the end.
class ScratchDir {
public:
    ScratchDir() {
        static std::atomic<int> nNext{0};
        m_path = fs::temp_directory_path() /
                 ("coilix_replay_" + std::to_string(getpid()) + "_" + std::to_string(nNext++));
        fs::create_directories(m_path);
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    fs::path operator/(const std::string& strName) const { return m_path / strName; }

private:
    fs::path m_path;
};

struct RunResult {
    int nExit = -1;
    std::string strOut;
    std::string strErr;
};

std::string Quote(const std::string& s) {
    std::string quoted = "'";
    for (char ch : s) {
        if (ch == '\'') {
            quoted += "'\\''";
        } else {
            quoted += ch;
        }
    }
    return quoted + "'";
}

RunResult RunReplay(const std::vector<std::string>& args) {
    ScratchDir dir;
    std::string strCommand = Quote(COILIX_REPLAY_BIN);
    for (const std::string& arg : args) strCommand += " " + Quote(arg);
    strCommand += " >" + Quote((dir / "out").string()) + " 2>" + Quote((dir / "err").string());
    const int nStatus = std::system(strCommand.c_str());
    RunResult result;
    result.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    result.strOut = ReadFile(dir / "out");
    result.strErr = ReadFile(dir / "err");
    return result;
}

}  // namespace

TEST(ReplayTest, BadArgumentsExitWithUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {"--width", "4"},
        {"--width", "71"},
        {"--height", "0"},
        {"--width", "12x"},
        {"--width"},
        {"--speed", "200"},
        {"--speed", "fast"},
        {"--seed", "-1"},
        {"--seed", "4294967296"},
        {"--seed", ""},
        {"--colour", "red"},
        {"game.cx"},
        // The whole script is checked before anything runs.
        {"--events", "L..x"},
        {"--events", "l"},
        {"--events", "L.", "--width", "3"},
    };
    for (const auto& args : cases) {
        std::string strArgs;
        for (const std::string& a : args) strArgs += a + " ";
        SCOPED_TRACE(strArgs);
        const RunResult r = RunReplay(args);
        EXPECT_EQ(r.nExit, 2);
        EXPECT_EQ(r.strOut, "");
        EXPECT_NE(r.strErr.find("usage: coilix-replay"), std::string::npos) << r.strErr;
    }
}

TEST(ReplayTest, HelpAndEmptyScript) {
    const RunResult help = RunReplay({"--help"});
    EXPECT_EQ(help.nExit, 0);
    EXPECT_NE(help.strOut.find("usage: coilix-replay"), std::string::npos);

    // Set-up prints nothing, and neither does a timer period before any key.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"--events", "..."}, {"--width", "70", "--height", "5", "--speed", "150"}}) {
        const RunResult r = RunReplay(args);
        EXPECT_EQ(r.nExit, 0);
        EXPECT_EQ(r.strOut, "");
        EXPECT_EQ(r.strErr, "");
    }
}

TEST(ReplayTest, GoldenTranscripts) {
    struct Case {
        std::vector<std::string> args;
        const char* pszGolden;
    };
    const Case cases[] = {
        {{"--events", "L..U."}, "left_then_up.txt"},
        {{"--width", "5", "--height", "5", "--seed", "1", "--events", "L.UR..."},
         "small_board_reversal_then_wall.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszGolden);
        const std::string strGolden =
            ReadFile(fs::path(COILIX_TEST_DATA_DIR) / "replay" / c.pszGolden);
        ASSERT_FALSE(strGolden.empty());
        const RunResult r = RunReplay(c.args);
        EXPECT_EQ(r.nExit, 0) << r.strErr;
        EXPECT_EQ(r.strOut, strGolden);
    }
}

TEST(ReplayTest, RefusedFilesExitWithOne) {
    ScratchDir dir;
    std::ofstream(dir / "garbage.cx") << "this is not a saved game";
    std::ofstream(dir / "empty.cx").close();
    for (const char* pszName : {"missing.cx", "garbage.cx", "empty.cx"}) {
        SCOPED_TRACE(pszName);
        const RunResult r = RunReplay({"--load", (dir / pszName).string(), "--events", "L.."});
        EXPECT_EQ(r.nExit, 1);
        EXPECT_EQ(r.strOut, "");
        EXPECT_NE(r.strErr.find(pszName), std::string::npos) << r.strErr;
    }
    const RunResult r =
        RunReplay({"--events", "L.", "--save", (dir / "no/such/dir/x.cx").string()});
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.strErr.find("x.cx"), std::string::npos) << r.strErr;
}

TEST(ReplayTest, SavedGameContinuesWhereItStopped) {
    ScratchDir dir;
    const std::string strFile = (dir / "game.cx").string();
    const RunResult whole = RunReplay({"--events", "L.L."});
    const RunResult first = RunReplay({"--events", "L.", "--save", strFile});
    ASSERT_EQ(first.nExit, 0) << first.strErr;
    ASSERT_EQ(whole.strOut.compare(0, first.strOut.size(), first.strOut), 0);
    const std::string strSecondTick = whole.strOut.substr(first.strOut.size());
    ASSERT_FALSE(strSecondTick.empty());

    struct Case {
        const char* pszEvents;
        bool bMoves;
    };
    const Case cases[] = {
        {".", false},   // paused, and no timer runs yet
        {"K.", false},  // the timer runs, but the game stays paused
        {"P.", false},  // resumed, but still no timer
        {"KP.", true},  // both
        {"L.", true},   // an arrow does both
        {"R.", true},   // refused against the stored direction, still resumes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszEvents);
        const RunResult r = RunReplay({"--load", strFile, "--events", c.pszEvents});
        EXPECT_EQ(r.nExit, 0) << r.strErr;
        EXPECT_EQ(r.strOut, c.bMoves ? strSecondTick : "");
    }

    // A game saved after its end opens ended and ignores everything.
    const std::string strOver = (dir / "over.cx").string();
    ASSERT_EQ(
        RunReplay({"--width", "5", "--height", "5", "--events", "L.UR..", "--save", strOver}).nExit,
        0);
    const RunResult over = RunReplay({"--load", strOver, "--events", "LURDKP..."});
    EXPECT_EQ(over.nExit, 0) << over.strErr;
    EXPECT_EQ(over.strOut, "");
}
