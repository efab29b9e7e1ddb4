#include "tools/replay/Replay.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

#include "game/GameControl.h"
#include "game/HighScoreTable.h"
#include "game/Limits.h"
#include "store/CoilixDoc.h"
#include "store/Document.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/Registry.h"
#include "tools/replay/TranscriptHost.h"

namespace replay {
namespace {

constexpr uint32_t kDefaultSeed = 1;

struct Options {
    int32_t nWidth = SizePresets[kSizeSmall].nWidth;
    int32_t nHeight = SizePresets[kSizeSmall].nHeight;
    int32_t nSpeedIndex = kSpeedNormal;
    uint32_t nSeed = kDefaultSeed;
    std::optional<std::string> strLoad;
    std::optional<std::string> strSave;
    std::string strEvents;
    bool bHelp = false;
};

template <typename T>
bool ParseNumber(std::string_view str, T& nValue) {
    if (str.empty()) return false;
    const char* pEnd = str.data() + str.size();
    const auto [ptr, ec] = std::from_chars(str.data(), pEnd, nValue);
    return ec == std::errc() && ptr == pEnd;
}

bool IsKnownEvent(char ch) {
    switch (ch) {
        case 'L':
        case 'R':
        case 'U':
        case 'D':
        case 'K':
        case 'P':
        case '.':
            return true;
        default:
            return false;
    }
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
                            strName == "--save";
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
            (strName == "--width" ? opt.nWidth : opt.nHeight) = n;
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
            opt.nSpeedIndex = nIndex;
        } else if (strName == "--seed") {
            uint32_t n = 0;
            if (!ParseNumber(strValue, n)) {
                err << "coilix-replay: --seed must be a number from 0 to 4294967295, not '"
                    << strValue << "'\n";
                return false;
            }
            opt.nSeed = n;
        } else if (strName == "--load") {
            opt.strLoad = strValue;
        } else if (strName == "--save") {
            opt.strSave = strValue;
        } else {
            for (char ch : strValue) {
                if (!IsKnownEvent(ch)) {
                    err << "coilix-replay: unknown event '" << ch
                        << "' (events are L R U D K P and .)\n";
                    return false;
                }
            }
            opt.strEvents = strValue;
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

void RunEvents(const std::string& strEvents, GameControl& control, const TranscriptHost& host) {
    for (char ch : strEvents) {
        switch (ch) {
            case 'L':
                control.OnKeyDown(GameKey::kLeft);
                break;
            case 'R':
                control.OnKeyDown(GameKey::kRight);
                break;
            case 'U':
                control.OnKeyDown(GameKey::kUp);
                break;
            case 'D':
                control.OnKeyDown(GameKey::kDown);
                break;
            case 'K':
                control.OnKeyDown(GameKey::kOther);
                break;
            case 'P':
                control.OnPause();
                break;
            case '.':
                // A period of the game timer elapses: a message arrives only
                // while the timer runs.
                if (host.IsTimerRunning()) control.OnTimer(kGameTimerId);
                break;
            default:
                break;
        }
    }
}

}  // namespace

std::string Usage() {
    return "usage: coilix-replay [--width W] [--height H] [--speed MS] [--seed S]\n"
           "                     [--load FILE] [--events STRING] [--save FILE]\n"
           "\n"
           "Plays a scripted game without a window and prints what the window would\n"
           "be told, one line each: 'sound N', 'cell X Y', 'pane N TEXT'.\n"
           "\n"
           "  --width W, --height H  board size of a new game, 5 to 70 (17 x 13)\n"
           "  --speed MS             350, 250 or 150 milliseconds per tick (250)\n"
           "  --seed S               seed of the game's random generator (1)\n"
           "  --load FILE            open a saved game instead of a new one\n"
           "  --events STRING        L R U D arrow keys, K another key, P Pause,\n"
           "                         '.' one period of the game timer\n"
           "  --save FILE            save the game after the events\n"
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

    CMemoryRegistry registry;
    CProfile profile(registry, CProfile::AppKeyPath("Coilix", "Replay"));
    GameSettings settings;
    settings.m_nArraySize = kSizeCustom;
    settings.m_nArrayWidth = opt.nWidth;
    settings.m_nArrayHeight = opt.nHeight;
    settings.m_nGameSpeed = opt.nSpeedIndex;
    settings.m_bSounds = 1;
    HighScoreTable scoreTable;

    CCoilixDoc doc(settings, scoreTable, profile);
    doc.m_nSeedOverride = opt.nSeed;
    bool bReported = false;
    doc.SetErrorReporter([&](const FileErrorReport& report) {
        err << "coilix-replay: " << ReportText(report) << '\n';
        bReported = true;
    });

    if (opt.strLoad) {
        bool bReplaced = false;
        if (!OpenDocumentFile(doc, *opt.strLoad, bReplaced)) {
            if (!bReported) err << "coilix-replay: cannot open " << *opt.strLoad << '\n';
            return kExitFileError;
        }
    } else if (!doc.OnNewDocument()) {
        err << "coilix-replay: cannot set up a new game\n";
        return kExitFileError;
    }

    TranscriptHost host([&out](const std::string& strLine) { out << strLine << '\n'; });
    GameControl control(doc, scoreTable, host);
    control.OnInitialUpdate();
    control.ShowInitialStatus();
    host.SetEchoing(true);

    RunEvents(opt.strEvents, control, host);
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
