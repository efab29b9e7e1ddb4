#include "tools/replay/Replay.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

#include "doc/CoilixDoc.h"
#include "framework/Document.h"
#include "framework/Registry.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "store/GameSettings.h"
#include "store/HighScoreTable.h"
#include "view/GameControl.h"
#include "view/GameHost.h"

namespace replay {
namespace {

constexpr int32_t kDefaultWidth = 17;
constexpr int32_t kDefaultHeight = 13;
constexpr int32_t kDefaultSpeedMs = 250;
constexpr uint32_t kDefaultSeed = 1;

struct Options {
    int32_t nWidth = kDefaultWidth;
    int32_t nHeight = kDefaultHeight;
    int32_t nSpeedIndex = 1;
    uint32_t nSeed = kDefaultSeed;
    std::optional<std::string> strLoad;
    std::optional<std::string> strSave;
    std::string strEvents;
    bool bHelp = false;
};

// The window side of the game without a window: every hand-over that a
// player would see or hear becomes one line of the transcript.
class TranscriptHost : public GameHost {
public:
    explicit TranscriptHost(std::ostream& out) : m_out(out) {}

    // Set-up and loading print nothing; the transcript starts with the events.
    void SetEchoing(bool bEcho) { m_bEcho = bEcho; }
    bool IsTimerRunning() const { return m_bTimerRunning; }

    void SetStatusText(int nPane, unsigned nStringID) override {
        SetStatusText(nPane, LoadString(nStringID, Language::kEnglish));
    }
    void SetStatusText(int nPane, const std::string& strText) override {
        if (m_bEcho) m_out << "pane " << nPane << ' ' << strText << '\n';
    }
    void PlaySound(int nSoundID) override {
        if (m_bEcho) m_out << "sound " << nSoundID << '\n';
    }
    void InvalidateCell(int x, int y) override {
        if (m_bEcho) m_out << "cell " << x << ' ' << y << '\n';
    }
    void KeepHeadInView() override {}
    unsigned StartTimer(int /*nIntervalMs*/) override {
        m_bTimerRunning = true;
        return kGameTimerId;
    }
    void KillTimer() override { m_bTimerRunning = false; }
    void HideCursor() override {}
    void ShowCursor() override {}
    // Nobody is there to type a name: the entry is cancelled, and the table
    // is not shown.
    std::optional<std::string> AskHighScoreName(int /*nRow*/, int /*nScore*/,
                                                const std::string& /*strProposed*/) override {
        return std::nullopt;
    }
    void ShowHighScores() override {}

private:
    std::ostream& m_out;
    bool m_bEcho = false;
    bool m_bTimerRunning = false;
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
                for (int32_t j = 0; j < 3; ++j) {
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
    unsigned nID = IDS_ERR_BAD_FORMAT;
    switch (report.error) {
        case FileError::kCannotOpen:
            nID = IDS_ERR_CANNOT_OPEN;
            break;
        case FileError::kBadFormat:
            nID = IDS_ERR_BAD_FORMAT;
            break;
        case FileError::kOutOfMemory:
            nID = IDS_ERR_OUT_OF_MEMORY;
            break;
        case FileError::kCannotSave:
            nID = IDS_ERR_CANNOT_SAVE;
            break;
    }
    std::string strText = LoadString(nID, Language::kEnglish);
    const auto dropFullStop = [&strText] {
        if (!strText.empty() && strText.back() == '.') strText.pop_back();
    };
    if (const size_t nPos = strText.find("%1"); nPos != std::string::npos) {
        strText.replace(nPos, 2, report.path);
    } else {
        dropFullStop();
        strText += " (" + report.path + ")";
    }
    if (!report.detail.empty()) {
        dropFullStop();
        strText += ": " + report.detail;
    }
    return strText;
}

// Keeps the texts English for the run and puts the caller's language back.
class EnglishTexts {
public:
    EnglishTexts() : m_previous(GetLanguage()) { SetLanguage(Language::kEnglish); }
    ~EnglishTexts() { SetLanguage(m_previous); }
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;

private:
    Language m_previous;
};

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

    EnglishTexts english;
    CMemoryRegistry registry;
    GameSettings settings;
    settings.m_nArraySize = 2;
    settings.m_nArrayWidth = opt.nWidth;
    settings.m_nArrayHeight = opt.nHeight;
    settings.m_nGameSpeed = opt.nSpeedIndex;
    settings.m_bSounds = 1;
    HighScoreTable scoreTable;

    CCoilixDoc doc(settings, scoreTable, registry);
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

    TranscriptHost host(out);
    GameControl control(doc, host);
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
