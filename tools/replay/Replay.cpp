// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/replay/Replay.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string_view>

#include "store/Document.h"
#include "store/ScoreStore.h"
#include "tools/replay/TranscriptHost.h"

namespace replay {

Session::Session(const Setup& setup, TranscriptHost& host)
    : m_profile(m_registry, CProfile::AppKeyPath("Coilix", "Replay")),
      m_doc(m_settings, m_scoreTable, m_profile),
      m_host(host),
      m_control(m_doc, m_scoreTable, host),
      m_nNextSeed(setup.nSeed) {
    m_settings.m_nArraySize = kSizeCustom;
    m_settings.m_nArrayWidth = setup.nWidth;
    m_settings.m_nArrayHeight = setup.nHeight;
    m_settings.m_nGameSpeed = setup.nSpeedIndex;
    m_settings.m_bSounds = 1;
    // Each game of the script gets the next seed, a failed open's stand-in
    // the same as the game it stood in for.
    m_doc.SetSeedSource([this] { return m_nSeed; });
    // As the program does once the name is asked (here none is typed).
    host.SetScoreKeeper([this] {
        EnterScore(m_scoreTable, m_registry, m_profile.AppKey(), m_doc.m_nWidth, m_doc.m_nHeight,
                   m_doc.m_nSpeed, ScoreEntry("", m_doc.m_nScore));
    });
}

bool Session::NewGame() {
    m_nSeed = m_nNextSeed++;
    if (!m_doc.OnNewDocument()) return false;
    m_control.OnInitialUpdate();
    m_control.ShowInitialStatus();
    return true;
}

bool Session::Open(const std::string& strPath) {
    m_nSeed = m_nNextSeed++;
    bool bReplaced = false;
    if (!OpenDocumentFile(m_doc, strPath, bReplaced)) return false;
    m_control.OnInitialUpdate();
    m_control.ShowInitialStatus();
    return true;
}

bool Session::Apply(char chEvent) {
    switch (chEvent) {
        case 'L':
            m_control.OnKeyDown(GameKey::kLeft);
            break;
        case 'R':
            m_control.OnKeyDown(GameKey::kRight);
            break;
        case 'U':
            m_control.OnKeyDown(GameKey::kUp);
            break;
        case 'D':
            m_control.OnKeyDown(GameKey::kDown);
            break;
        case 'K':
            m_control.OnKeyDown(GameKey::kOther);
            break;
        case 'P':
            m_control.OnPause();
            break;
        case 'N':
            return NewGame();
        case '.':
            // A period of the game timer elapses: a message arrives only
            // while the timer runs.
            if (m_control.IsTimerRunning()) m_control.OnTimer();
            break;
        default:
            break;
    }
    return true;
}

bool IsEvent(char ch) {
    return std::string_view("LRUDKPN.").find(ch) != std::string_view::npos;
}

namespace {

struct Options {
    Session::Setup setup;
    std::optional<std::string> strLoad;
    std::optional<std::string> strSave;
    // The script, in the order given: event strings and files of events.
    struct EventSource {
        bool bFile;
        std::string str;
    };
    std::vector<EventSource> events;
    bool bHelp = false;
};

template <typename T>
bool ParseNumber(std::string_view str, T& nValue) {
    if (str.empty()) return false;
    const char* pEnd = str.data() + str.size();
    const auto [ptr, ec] = std::from_chars(str.data(), pEnd, nValue);
    return ec == std::errc() && ptr == pEnd;
}

// Whether every character of the script is an event; names the first that
// is not.
bool CheckEvents(std::string_view strEvents, std::ostream& err) {
    for (char ch : strEvents) {
        if (!IsEvent(ch)) {
            err << "coilix-replay: unknown event '" << ch << "' (events are L R U D K P N and .)\n";
            return false;
        }
    }
    return true;
}

// The events of a file: its characters without spaces and line breaks.
std::optional<std::string> ReadEventsFile(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    if (!in) return std::nullopt;
    std::string strEvents;
    for (auto it = std::istreambuf_iterator<char>(in); it != std::istreambuf_iterator<char>();
         ++it) {
        if (std::isspace(static_cast<unsigned char>(*it)) == 0) strEvents += *it;
    }
    if (in.bad()) return std::nullopt;
    return strEvents;
}

// Parses the arguments; on failure writes the reason to `err` and returns false.
bool ParseArgs(const std::vector<std::string>& args, Options& opt, std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        std::string strName = args[i];
        std::optional<std::string> strInline;
        if (strName == "--help" || strName == "-h") {
            opt.bHelp = true;
            return true;
        }
        if (const size_t nEq = strName.find('=');
            strName.rfind("--", 0) == 0 && nEq != std::string::npos) {
            strInline = strName.substr(nEq + 1);
            strName.erase(nEq);
        }
        const bool bKnown = strName == "--width" || strName == "--height" || strName == "--speed" ||
                            strName == "--seed" || strName == "--load" || strName == "--events" ||
                            strName == "--events-file" || strName == "--save";
        if (!bKnown) {
            err << "coilix-replay: unknown argument '" << args[i] << "'\n";
            return false;
        }
        std::string strValue;
        if (strInline) {
            strValue = *strInline;
        } else if (i + 1 < args.size()) {
            strValue = args[++i];
        } else {
            err << "coilix-replay: " << strName << " needs a value\n";
            return false;
        }

        if (strName == "--width" || strName == "--height") {
            int32_t n = 0;
            if (!ParseNumber(strValue, n) || n < kMinBoardSide || n > kMaxBoardSide) {
                err << "coilix-replay: " << strName << " must be a number from " << kMinBoardSide
                    << " to " << kMaxBoardSide << ", not '" << strValue << "'\n";
                return false;
            }
            (strName == "--width" ? opt.setup.nWidth : opt.setup.nHeight) = n;
        } else if (strName == "--speed") {
            int32_t n = 0;
            int32_t nIndex = -1;
            if (ParseNumber(strValue, n)) {
                for (int32_t j = kSpeedLow; j <= kSpeedHigh; ++j) {
                    if (SpeedPresets[j] == n) nIndex = j;
                }
            }
            if (nIndex < 0) {
                err << "coilix-replay: --speed must be 350, 250 or 150, not '" << strValue << "'\n";
                return false;
            }
            opt.setup.nSpeedIndex = nIndex;
        } else if (strName == "--seed") {
            uint32_t n = 0;
            if (!ParseNumber(strValue, n)) {
                err << "coilix-replay: --seed must be a number from 0 to 4294967295, not '"
                    << strValue << "'\n";
                return false;
            }
            opt.setup.nSeed = n;
        } else if (strName == "--load") {
            opt.strLoad = strValue;
        } else if (strName == "--save") {
            opt.strSave = strValue;
        } else if (strName == "--events-file") {
            opt.events.push_back({true, strValue});
        } else {
            if (!CheckEvents(strValue, err)) return false;
            opt.events.push_back({false, strValue});
        }
    }
    return true;
}

std::string ReportText(const FileErrorReport& report) {
    std::string strText;
    switch (report.error) {
        case FileError::kCannotOpen:
            strText = "cannot open " + report.path;
            break;
        case FileError::kBadFormat:
            strText = "unexpected file format (" + report.path + ")";
            break;
        case FileError::kOutOfMemory:
            strText = "not enough memory to open " + report.path;
            break;
        case FileError::kCannotSave:
            strText = "cannot save " + report.path;
            break;
    }
    if (!report.detail.empty()) strText += ": " + report.detail;
    return strText;
}

}  // namespace

std::string Usage() {
    return "usage: coilix-replay [--width W] [--height H] [--speed MS] [--seed S]\n"
           "                     [--load FILE] [--events STRING] [--events-file FILE]\n"
           "                     [--save FILE]\n"
           "\n"
           "Plays a scripted game without a window and prints what the window would\n"
           "be told, one line each: 'sound N', 'cell X Y', 'pane N TEXT'.\n"
           "\n"
           "  --width W, --height H  board size of a new game, 5 to 70 (17 x 13)\n"
           "  --speed MS             350, 250 or 150 milliseconds per tick (250)\n"
           "  --seed S               seed of the game's random generator (1); each\n"
           "                         later new game (N) takes the next number\n"
           "  --load FILE            open a saved game instead of a new one\n"
           "  --events STRING        L R U D arrow keys, K another key, P Pause,\n"
           "                         N new game with the same settings (F2),\n"
           "                         '.' one period of the game timer\n"
           "  --events-file FILE     events read from FILE, spaces and line breaks\n"
           "                         ignored; several --events and --events-file\n"
           "                         run in the order given\n"
           "  --save FILE            save the game after the events\n"
           "\n"
           "A new high score is kept for the rest of the run with an empty name.\n"
           "\n"
           "Exit status: 0 done, 1 a file could not be opened or saved, 2 bad arguments.\n";
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options opt;
    if (!ParseArgs(args, opt, err)) {
        err << Usage();
        return kExitBadArguments;
    }
    if (opt.bHelp) {
        out << Usage();
        return kExitOk;
    }

    // The whole script is read and checked before anything runs.
    std::string strEvents;
    for (const Options::EventSource& source : opt.events) {
        if (!source.bFile) {
            strEvents += source.str;
            continue;
        }
        const std::optional<std::string> strRead = ReadEventsFile(source.str);
        if (!strRead) {
            err << "coilix-replay: cannot read " << source.str << '\n';
            return kExitFileError;
        }
        if (!CheckEvents(*strRead, err)) {
            err << Usage();
            return kExitBadArguments;
        }
        strEvents += *strRead;
    }

    TranscriptHost host([&out](const std::string& strLine) { out << strLine << '\n'; });
    Session session(opt.setup, host);
    CCoilixDoc& doc = session.Doc();
    bool bReported = false;
    doc.SetErrorReporter([&](const FileErrorReport& report) {
        err << "coilix-replay: " << ReportText(report) << '\n';
        bReported = true;
    });

    // Set-up and loading print nothing; the transcript starts with the events.
    if (opt.strLoad) {
        if (!session.Open(*opt.strLoad)) {
            if (!bReported) err << "coilix-replay: cannot open " << *opt.strLoad << '\n';
            return kExitFileError;
        }
    } else if (!session.NewGame()) {
        err << "coilix-replay: cannot set up a new game\n";
        return kExitFileError;
    }
    host.SetEchoing(true);

    for (char ch : strEvents) {
        if (!session.Apply(ch)) {
            out.flush();
            err << "coilix-replay: cannot set up a new game\n";
            return kExitFileError;
        }
    }
    out.flush();

    if (opt.strSave) {
        bReported = false;
        if (!doc.OnSaveDocument(*opt.strSave)) {
            if (!bReported) err << "coilix-replay: cannot save " << *opt.strSave << '\n';
            return kExitFileError;
        }
    }
    return kExitOk;
}

}  // namespace replay
