// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store at its largest: every score table of every board and
// speed. Measures the memory that reading it takes, as a factor of the file's
// size, and the time and speed; then the memory and time of entering one more
// score (read again, changed, written). The budgets are on the read: memory
// grows by at most kReadFactorBudget times the file's size, and the file is
// read and parsed at kReadMBpsBudget or more of the process's CPU time
// (checked in builds without assertions only; the time on the clock is
// printed too, but a machine busy with other work changes it far more).
//
// usage: coilix_bench_store [--by-score-entry]
//        coilix_bench_store --write-large PATH
//   --by-score-entry  fills the store one game's end at a time, through the
//                     score entry itself (13,068 writes of a growing file:
//                     minutes, not seconds), and checks every row read back.
//   --write-large     writes a store of 31 MiB at PATH, for timing the program
//                     on it (bench/store_large.sh): the program's settings and
//                     a few score tables, and beside them a key of another
//                     program holding the rest, as binary and text values.
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/Limits.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "store/RegFile.h"
#include "store/ScoreStore.h"

namespace {

// Memory while reading, at most this many times the file's size.
constexpr double kReadFactorBudget = 1.0;
// Reading and parsing, at least this many megabytes (10^6 bytes) a second.
constexpr double kReadMBpsBudget = 100.0;

constexpr const char* kAppKey = "Software\\Halvorn\\Coilix";

ScoreEntry RowFor(size_t i) {
    return ScoreEntry(std::string(kMaxNameBytes, static_cast<char>('A' + i % 26)),
                      static_cast<int32_t>(i + 1));
}

// A field of /proc/self/status in kilobytes (VmRSS, VmHWM).
long StatusKb(const char* pszField) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(pszField);
    while (std::getline(in, line)) {
        if (line.compare(0, n, pszField) == 0 && line[n] == ':') {
            return std::strtol(line.c_str() + n + 1, nullptr, 10);
        }
    }
    return -1;
}

// The peak resident memory starts again from what is resident now.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The CPU time this process has used, in seconds.
double CpuSeconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Writes the largest store: ten full rows on every board, in one write.
void WriteAtOnce(const std::string& path, size_t nBoards) {
    std::vector<RegChange> changes;
    for (size_t i = 0; i < nBoards; ++i) {
        const BoardAndSpeed b = NthBoardAndSpeed(static_cast<int32_t>(i));
        changes.push_back({kAppKey, ScoreValueName(b.nWidth, b.nHeight, b.nSpeedMs),
                           RegValue::Binary(EncodeScoreTable(
                               std::vector<ScoreEntry>(kScoreTableRows, RowFor(i))))});
    }
    CFileRegistry reg(path);
    if (!reg.Apply(changes)) std::exit(2);
}

// Fills the store as play would: one score entered per board and speed.
void WriteByScoreEntry(const std::string& path, size_t nBoards) {
    CFileRegistry reg(path);
    const auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < nBoards; ++i) {
        const BoardAndSpeed b = NthBoardAndSpeed(static_cast<int32_t>(i));
        HighScoreTable table;
        if (EnterScore(table, reg, kAppKey, b.nWidth, b.nHeight, b.nSpeedMs, RowFor(i)) != 0 ||
            reg.HasNotices()) {
            std::fprintf(stderr, "entry %zu failed\n", i);
            std::exit(2);
        }
        if (i % 1000 == 999) {
            std::printf("  %zu entered, %.0f s, store %ju bytes\n", i + 1,
                        Seconds(std::chrono::steady_clock::now() - start),
                        static_cast<uintmax_t>(std::filesystem::file_size(path)));
            std::fflush(stdout);
        }
    }
}

// A store of nBytes or a little less: the program's own values, and a
// foreign key of padding beside them.
int WriteLarge(const std::string& path, size_t nBytes) {
    RegKeys keys;
    const std::string strSettings = std::string(kAppKey) + "\\Settings";
    keys[strSettings]["Last Name"] = RegValue::String("Ann");
    keys[strSettings]["Array Size"] = RegValue::Dword(0);
    keys[strSettings]["Array Width"] = RegValue::Dword(17);
    keys[strSettings]["Array Height"] = RegValue::Dword(13);
    keys[strSettings]["Game Speed"] = RegValue::Dword(1);
    keys[strSettings]["Sounds"] = RegValue::Dword(0);
    for (int32_t i = 0; i < 30; ++i) {
        const BoardAndSpeed b = NthBoardAndSpeed(i);
        keys[kAppKey][ScoreValueName(b.nWidth, b.nHeight, b.nSpeedMs)] = RegValue::Binary(
            EncodeScoreTable(std::vector<ScoreEntry>(kScoreTableRows, RowFor(size_t(i)))));
    }
    // Two values in three binary, one text, until the file is full.
    RegValues& padding = keys["Software\\Someone Else\\Padding"];
    size_t nSize = FormatRegFile(keys).size();
    for (size_t i = 0;; ++i) {
        char szName[32];
        std::snprintf(szName, sizeof szName, "Pad %07zu", i);
        RegValue value;
        if (i % 3 == 2) {
            value = RegValue::String("padding text " + std::string(200, char('a' + i % 26)));
        } else {
            std::vector<uint8_t> bytes(500);
            for (size_t j = 0; j < bytes.size(); ++j) bytes[j] = uint8_t(i * 31 + j * 7);
            value = RegValue::Binary(std::move(bytes));
        }
        const size_t nValue = FormattedValueSize(szName, value);
        if (nSize + nValue > nBytes) break;
        nSize += nValue;
        padding[szName] = std::move(value);
    }
    const std::string text = FormatRegFile(keys);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out.good() ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-large") == 0) {
        return WriteLarge(argv[2], size_t{31} << 20);
    }
    const bool bByScoreEntry = argc > 1 && std::strcmp(argv[1], "--by-score-entry") == 0;
    char szDir[] = "/tmp/coilix-bench-store-XXXXXX";
    if (::mkdtemp(szDir) == nullptr) return 2;
    const std::string path = std::string(szDir) + "/Coilix.reg";
    const size_t nBoards = kBoardsAndSpeeds;

    // Written by a process of its own, so that this one's memory is only
    // what reading takes.
    const auto writeStart = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (bByScoreEntry) {
            WriteByScoreEntry(path, nBoards);
        } else {
            WriteAtOnce(path, nBoards);
        }
        std::fflush(stdout);
        ::_exit(0);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return 2;
    }
    const double dWrite = Seconds(std::chrono::steady_clock::now() - writeStart);
    const double dFile = static_cast<double>(std::filesystem::file_size(path));

    ResetPeak();
    const long nBaseKb = StatusKb("VmRSS");
    auto start = std::chrono::steady_clock::now();
    const double dCpuStart = CpuSeconds();
    bool bWhole = true;
    {
        CFileRegistry reg(path);
        const double dRead = Seconds(std::chrono::steady_clock::now() - start);
        const double dReadCpu = CpuSeconds() - dCpuStart;
        const double dReadFactor = double(StatusKb("VmHWM") - nBaseKb) * 1024.0 / dFile;

        // Every row back as it was entered.
        size_t nRows = 0;
        for (size_t i = 0; i < nBoards; ++i) {
            const BoardAndSpeed b = NthBoardAndSpeed(static_cast<int32_t>(i));
            HighScoreTable table;
            LoadScoreTable(table, reg, kAppKey, b.nWidth, b.nHeight, b.nSpeedMs);
            const ScoreEntry want = RowFor(i);
            for (const ScoreEntry& row : table.m_aScores) {
                if (std::memcmp(&row, &want, sizeof row) == 0) ++nRows;
            }
        }
        const size_t nWant = nBoards * (bByScoreEntry ? 1 : kScoreTableRows);
        bWhole = nRows == nWant && !reg.HasNotices();

        ResetPeak();
        const long nBeforeEntryKb = StatusKb("VmRSS");
        start = std::chrono::steady_clock::now();
        HighScoreTable table;
        EnterScore(table, reg, kAppKey, 17, 13, 250, ScoreEntry("Bench", 1 << 30));
        const double dEnter = Seconds(std::chrono::steady_clock::now() - start);
        const double dEnterFactor = double(StatusKb("VmHWM") - nBeforeEntryKb) * 1024.0 / dFile;

        std::printf("store: %zu tables, %.0f bytes, written in %.1f s (%s)\n", nBoards, dFile,
                    dWrite, bByScoreEntry ? "one score entry each" : "one write");
        std::printf("rows read back: %zu of %zu\n", nRows, nWant);
        const double dMBps = dFile / 1e6 / dRead;
        const double dCpuMBps = dFile / 1e6 / dReadCpu;
        std::printf("read:  %.3f s, %.0f MB/s; CPU %.3f s, %.0f MB/s (budget %.0f)\n", dRead, dMBps,
                    dReadCpu, dCpuMBps, kReadMBpsBudget);
        std::printf("       memory grew by %.2f x the file (budget %.2f)\n", dReadFactor,
                    kReadFactorBudget);
        std::printf("enter one score (read again, write): %.3f s, memory grew by %.2f x\n", dEnter,
                    dEnterFactor);
        std::filesystem::remove_all(szDir);
        if (!bWhole) return 1;
#ifdef NDEBUG
        if (dCpuMBps < kReadMBpsBudget) return 1;
#endif
        return dReadFactor <= kReadFactorBudget ? 0 : 1;
    }
}
