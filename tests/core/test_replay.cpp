// SPDX-License-Identifier: GPL-3.0-or-later
// The headless driver, run as the built program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/Board.h"
#include "support/Files.h"
#include "tools/replay/Replay.h"
#include "tools/replay/TranscriptHost.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadText;
using testsupport::TempDir;

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

// Runs the driver, in strDir when one is given.
RunResult RunReplay(const std::vector<std::string>& args, const std::string& strDir = {}) {
    const TempDir dir;
    std::string strCommand = strDir.empty() ? "" : "cd " + Quote(strDir) + " && ";
    strCommand += Quote(COILIX_REPLAY_BIN);
    for (const std::string& arg : args) strCommand += " " + Quote(arg);
    strCommand += " >" + Quote(dir.File("out")) + " 2>" + Quote(dir.File("err"));
    const int nStatus = std::system(strCommand.c_str());
    RunResult result;
    result.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    result.strOut = ReadText(dir.File("out"));
    result.strErr = ReadText(dir.File("err"));
    return result;
}

// Where two transcripts part: the line number and both lines.
std::string FirstDifference(const std::string& strGot, const std::string& strWant) {
    std::istringstream got(strGot);
    std::istringstream want(strWant);
    std::string a;
    std::string b;
    for (int nLine = 1;; ++nLine) {
        const bool bGot = static_cast<bool>(std::getline(got, a));
        const bool bWant = static_cast<bool>(std::getline(want, b));
        if (!bGot && !bWant) return "the same lines, other bytes";
        if (!bGot || !bWant || a != b) {
            return "line " + std::to_string(nLine) + ": got '" + (bGot ? a : "(end)") +
                   "', expected '" + (bWant ? b : "(end)") + "'";
        }
    }
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

// Every transcript that tests/data/replay/cases.txt lists is printed again,
// byte for byte, by the arguments listed with it.
TEST(ReplayTest, GoldenTranscripts) {
    const fs::path folder = fs::path(COILIX_TEST_DATA_DIR) / "replay";
    std::istringstream cases(ReadText(folder / "cases.txt"));
    int nCases = 0;
    for (std::string strLine; std::getline(cases, strLine);) {
        std::istringstream words(strLine);
        std::string strGolden;
        if (!(words >> strGolden) || strGolden[0] == '#') continue;
        SCOPED_TRACE(strGolden);
        std::vector<std::string> args;
        for (std::string strArg; words >> strArg;) args.push_back(strArg);
        const std::string strExpected = ReadText(folder / strGolden);
        ASSERT_FALSE(strExpected.empty());
        const RunResult r = RunReplay(args, folder.string());
        EXPECT_EQ(r.nExit, 0) << r.strErr;
        // Compared without printing the whole of a long transcript.
        EXPECT_TRUE(r.strOut == strExpected) << FirstDifference(r.strOut, strExpected);
        ++nCases;
    }
    EXPECT_GT(nCases, 0) << "cases.txt lists no golden transcript";
}

TEST(ReplayTest, NewGameCommandStartsTheNextGameWithTheNextSeed) {
    // F2 after a game over: the status of a fresh game, then the next game
    // plays as a run seeded with the next number would.
    const std::string strNewGame = "pane 1 Score: 0\npane 0 Ready\n";
    const RunResult first = RunReplay({"--width", "5", "--height", "5", "--events", "L.UR..."});
    const RunResult second =
        RunReplay({"--width", "5", "--height", "5", "--seed", "2", "--events", "D...."});
    const RunResult both =
        RunReplay({"--width", "5", "--height", "5", "--events", "L.UR...ND...."});
    ASSERT_NE(first.strOut.find("pane 0 Game over"), std::string::npos);
    ASSERT_FALSE(second.strOut.empty());
    EXPECT_EQ(both.nExit, 0) << both.strErr;
    EXPECT_EQ(both.strOut, first.strOut + strNewGame + second.strOut);

    // F2 in the middle of a game stops its timer: periods do nothing until
    // the next arrow.
    const RunResult running = RunReplay({"--events", "L.."});
    const RunResult stopped = RunReplay({"--events", "L..N...K..P.."});
    EXPECT_EQ(stopped.strOut, running.strOut + strNewGame);
}

TEST(ReplayTest, EventsFromFilesRunInTheOrderGiven) {
    const TempDir dir;
    testsupport::WriteText(dir.File("up.events"), "U .\n.\tL\n");
    testsupport::WriteText(dir.File("bad.events"), "L..\nx\n");
    const RunResult inline_ = RunReplay({"--events", "L..U..L"});
    const RunResult mixed =
        RunReplay({"--events", "L.", "--events-file", dir.File("up.events"), "--events", "."});
    EXPECT_EQ(mixed.nExit, 0) << mixed.strErr;
    EXPECT_EQ(mixed.strOut, RunReplay({"--events", "L.U..L."}).strOut);
    EXPECT_NE(inline_.strOut, mixed.strOut);

    const RunResult missing = RunReplay({"--events-file", dir.File("none.events")});
    EXPECT_EQ(missing.nExit, 1);
    EXPECT_NE(missing.strErr.find("none.events"), std::string::npos) << missing.strErr;
    // The whole script is checked before anything runs.
    const RunResult bad = RunReplay({"--events-file", dir.File("bad.events")});
    EXPECT_EQ(bad.nExit, 2);
    EXPECT_EQ(bad.strOut, "");
    EXPECT_NE(bad.strErr.find("unknown event 'x'"), std::string::npos) << bad.strErr;
}

TEST(ReplayTest, ANewHighScoreIsKeptForTheRestOfTheRun) {
    std::vector<std::string> lines;
    TranscriptHost host([&lines](const std::string& s) { lines.push_back(s); });
    host.SetEchoing(true);
    replay::Session session(replay::Session::Setup{}, host);
    // Each game runs into the wall at once with the score given.
    const auto endWithScore = [&](int32_t nScore) {
        lines.clear();
        ASSERT_TRUE(session.NewGame());
        CCoilixDoc& doc = session.Doc();
        testsupport::BlankBoard(doc, 17, 13);
        testsupport::LayCrawler(doc, {{1, 4}, {0, 4}});
        doc.m_nScore = nScore;
        ASSERT_TRUE(session.Apply('L'));
        ASSERT_TRUE(session.Apply('.'));
        ASSERT_EQ(doc.m_nDirection, dirGameOver);
    };
    const auto scores = [&] {
        std::vector<int32_t> v;
        for (const ScoreEntry& e : session.ScoreTable().m_aScores) v.push_back(e.nScore);
        return v;
    };

    endWithScore(500);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "pane 0 New high score"), 1);
    endWithScore(300);
    // The new game found the first score in the store.
    EXPECT_EQ(scores(), (std::vector<int32_t>{500, 300, 0, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(session.NewGame());
    EXPECT_EQ(scores(), (std::vector<int32_t>{500, 300, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ReplayTest, RefusedFilesExitWithOne) {
    const TempDir dir;
    std::ofstream(dir.Path() / "garbage.cx") << "this is not a saved game";
    std::ofstream(dir.Path() / "empty.cx").close();
    for (const char* pszName : {"missing.cx", "garbage.cx", "empty.cx"}) {
        SCOPED_TRACE(pszName);
        const RunResult r = RunReplay({"--load", dir.File(pszName), "--events", "L.."});
        EXPECT_EQ(r.nExit, 1);
        EXPECT_EQ(r.strOut, "");
        EXPECT_NE(r.strErr.find(pszName), std::string::npos) << r.strErr;
    }
    const RunResult r = RunReplay({"--events", "L.", "--save", dir.File("no/such/dir/x.cx")});
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.strErr.find("x.cx"), std::string::npos) << r.strErr;
}

TEST(ReplayTest, SavedGameContinuesWhereItStopped) {
    const TempDir dir;
    const std::string strFile = dir.File("game.cx");
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
    const std::string strOver = dir.File("over.cx");
    ASSERT_EQ(
        RunReplay({"--width", "5", "--height", "5", "--events", "L.UR..", "--save", strOver}).nExit,
        0);
    const RunResult over = RunReplay({"--load", strOver, "--events", "LURDKP..."});
    EXPECT_EQ(over.nExit, 0) << over.strErr;
    EXPECT_EQ(over.strOut, "");
}
