// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/AppInfo.h"
#include "app/CoilixApp.h"
#include "app/CommandLineHelp.h"
#include "app/Strings.h"
#include "app/Version.h"
#include "devices/PlatformStart.h"
#include "framework/CommandLine.h"
#include "framework/FrameStyle.h"
#include "res/resource.h"

namespace {

bool HasEnv(const char* pszName) {
    const char* pszValue = std::getenv(pszName);
    return pszValue != nullptr && *pszValue != '\0';
}

// Only a text to write, in the user's language: an application object
// without a window (which needs no display) holds the translation.
int AnswerWithoutWindow(const CommandLineInfo& cmdInfo, char* pszArgv0) {
    int nCoreArgc = 1;
    char* coreArgv[] = {pszArgv0, nullptr};
    QCoreApplication core(nCoreArgc, coreArgv);
    SetLanguage(LanguageFromEnvironment());
    using Action = CommandLineInfo::Action;
    if (cmdInfo.action == Action::kHelp) {
        std::fputs(CommandLineHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (cmdInfo.action == Action::kError) {
        ReportToStderr(CommandLineErrorText(cmdInfo) + '\n' +
                       ProgramString(IDS_CMD_TRY_HELP).arg(QString::fromLatin1(kProgramName)));
        return 2;
    }
    // Qt would abort trying to reach a display; say plainly why we end.
    ReportToStderr(ProgramString(IDS_ERR_NO_DISPLAY));
    return 1;
}

// The display variables that are set, as "DISPLAY=:1": where the window was
// to go.
QString DisplaysSet() {
    QStringList set;
    for (const char* pszName : {"WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM"}) {
        if (HasEnv(pszName)) {
            set << QString::fromLatin1(pszName) + QLatin1Char('=') +
                       QString::fromLocal8Bit(std::getenv(pszName));
        }
    }
    return set.join(QStringLiteral(", "));
}

// Qt could start no platform (the display is not there, or refuses us): one
// sentence in the user's language in place of Qt's abort. Nothing has been
// opened or written yet, so the program ends at once.
void EndAsNoDisplayReached() {
    SetLanguage(LanguageFromEnvironment());
    ReportToStderr(ProgramString(IDS_ERR_DISPLAY_UNREACHABLE).arg(DisplaysSet()));
    std::_Exit(1);
}

// Names, version and desktop entry of the program, for the window system,
// the sound server and the dialogs. (The icon comes once the window shows.)
void IntroduceProgram() {
    QApplication::setApplicationName(QString::fromLatin1(kAppName));
    QApplication::setOrganizationName(QString::fromLatin1(kCompanyName));
    QApplication::setApplicationVersion(QStringLiteral(COILIX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(COILIX_APP_ID));
}

}  // namespace

int RunProgram(int argc, char** argv, const ProgramSetup& setup) {
    const CommandLineInfo cmdInfo = ParseCommandLine({argv + 1, argv + argc});
    using Action = CommandLineInfo::Action;
    if (cmdInfo.action == Action::kVersion) {
        std::puts("Coilix " COILIX_VERSION);
        return 0;
    }

    const bool bPrint = cmdInfo.action == Action::kPrint || cmdInfo.action == Action::kPrintTo;
    const bool bPlatformNamed = HasEnv("QT_QPA_PLATFORM") || cmdInfo.bPlatformGiven;
    const bool bDisplay = HasEnv("DISPLAY") || HasEnv("WAYLAND_DISPLAY") || bPlatformNamed;
    if (cmdInfo.action == Action::kHelp || cmdInfo.action == Action::kError ||
        (!bDisplay && !bPrint)) {
        return AnswerWithoutWindow(cmdInfo, argv[0]);
    }
    // Printing shows no window: it needs no display, and uses one only to
    // put its messages in boxes, where an X server answers.
    if (bPrint && !bPlatformNamed && !(HasEnv("DISPLAY") && CanReachXDisplay(nullptr))) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    // Qt sees only its own options; our arguments are ours alone.
    std::vector<std::string> qtArgs{argv[0]};
    qtArgs.insert(qtArgs.end(), cmdInfo.qtArgs.begin(), cmdInfo.qtArgs.end());
    std::vector<char*> qtArgv;
    for (std::string& s : qtArgs) qtArgv.push_back(s.data());
    qtArgv.push_back(nullptr);
    int nArgc = static_cast<int>(qtArgs.size());
    std::optional<PlatformStartGuard> guard(std::in_place, EndAsNoDisplayReached);
    QApplication app(nArgc, qtArgv.data());
    guard.reset();
    IntroduceProgram();
    UseFrameStyle();

    // The program's texts and Qt's own in the user's language.
    SetLanguage(LanguageFromEnvironment());

    CCoilixApp theApp;
    // Without a screen no one could answer a message box: every message goes
    // to the error output instead.
    const QString strPlatform = QGuiApplication::platformName();
    theApp.SetHeadless(strPlatform == QLatin1String("offscreen") ||
                       strPlatform == QLatin1String("minimal"));
    if (setup.seedSource) theApp.SetSeedSource(setup.seedSource);
    if (!theApp.InitInstance(cmdInfo)) return theApp.ExitCode();
    QApplication::exec();
    return theApp.ExitInstance();
}
