// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/AppInfo.h"
#include "app/CoilixApp.h"
#include "app/Strings.h"
#include "app/Version.h"
#include "framework/CommandLine.h"
#include "res/resource.h"

namespace {

bool HasEnv(const char* pszName) {
    const char* pszValue = std::getenv(pszName);
    return pszValue != nullptr && *pszValue != '\0';
}

QString Text(unsigned nID) {
    return ProgramString(nID);
}

QString HelpText() {
    const QString strFile = Text(IDS_CMD_ARG_FILE);
    const QString strPrinter = Text(IDS_CMD_ARG_PRINTER);
    const std::pair<QString, unsigned> rows[] = {
        {QStringLiteral("-h, --help"), IDS_CMD_OPT_HELP},
        {QStringLiteral("-v, --version"), IDS_CMD_OPT_VERSION},
        {QStringLiteral("--print ") + strFile, IDS_CMD_OPT_PRINT},
        {QStringLiteral("--print-to %1 %2").arg(strFile, strPrinter), IDS_CMD_OPT_PRINT_TO},
        {QStringLiteral("/p ") + strFile, IDS_CMD_OPT_SHORT_PRINT},
        {QStringLiteral("/pt %1 %2").arg(strFile, strPrinter), IDS_CMD_OPT_SHORT_PRINT_TO},
    };
    qsizetype nWidth = 0;
    for (const auto& row : rows) nWidth = std::max(nWidth, row.first.size());
    nWidth += 2;
    const QString strIndent(2 + nWidth, QLatin1Char(' '));

    QString out = Text(IDS_CMD_USAGE).arg(QString::fromLatin1(kProgramName), strFile) + '\n' +
                  Text(IDS_CMD_DESCRIPTION) + QStringLiteral("\n\n") + Text(IDS_CMD_OPTIONS) + '\n';
    for (const auto& [strSyntax, nID] : rows) {
        // A description of several lines continues under its first line.
        out += QStringLiteral("  ") + strSyntax.leftJustified(nWidth) +
               Text(nID).replace(QLatin1Char('\n'), QLatin1Char('\n') + strIndent) + '\n';
    }
    return out + '\n' + Text(IDS_CMD_QT_OPTIONS) + '\n';
}

QString ErrorText(const CommandLineInfo& info) {
    const QString strArg = QString::fromLocal8Bit(info.strErrorArg.c_str());
    switch (info.error) {
        case CommandLineInfo::Error::kUnknownOption:
            return Text(IDS_CMD_ERR_UNKNOWN).arg(strArg);
        case CommandLineInfo::Error::kMissingValue:
            return Text(IDS_CMD_ERR_MISSING_VALUE).arg(strArg);
        case CommandLineInfo::Error::kMissingFile:
            return Text(IDS_CMD_ERR_MISSING_FILE).arg(strArg);
        case CommandLineInfo::Error::kMissingPrinter:
            return Text(IDS_CMD_ERR_MISSING_PRINTER);
        case CommandLineInfo::Error::kUnexpectedArgument:
        case CommandLineInfo::Error::kNone:
            break;
    }
    return Text(IDS_CMD_ERR_UNEXPECTED).arg(strArg);
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLineInfo cmdInfo = ParseCommandLine({argv + 1, argv + argc});
    using Action = CommandLineInfo::Action;
    if (cmdInfo.action == Action::kVersion) {
        std::puts("Coilix " COILIX_VERSION);
        return 0;
    }

    const bool bPrint = cmdInfo.action == Action::kPrint || cmdInfo.action == Action::kPrintTo;
    const bool bDisplay = HasEnv("DISPLAY") || HasEnv("WAYLAND_DISPLAY") ||
                          HasEnv("QT_QPA_PLATFORM") || cmdInfo.bPlatformGiven;
    if (cmdInfo.action == Action::kHelp || cmdInfo.action == Action::kError ||
        (!bDisplay && !bPrint)) {
        // Only a text to write, in the user's language: an application object
        // without a window (which needs no display) holds the translation.
        int nCoreArgc = 1;
        QCoreApplication core(nCoreArgc, argv);
        SetLanguage(LanguageFromEnvironment());
        if (cmdInfo.action == Action::kHelp) {
            std::fputs(HelpText().toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (cmdInfo.action == Action::kError) {
            ReportToStderr(ErrorText(cmdInfo) + '\n' +
                           Text(IDS_CMD_TRY_HELP).arg(QString::fromLatin1(kProgramName)));
            return 2;
        }
        // Qt would abort trying to reach a display; say plainly why we end.
        ReportToStderr(Text(IDS_ERR_NO_DISPLAY));
        return 1;
    }
    // Printing shows no window; it works without a display too.
    if (!bDisplay) setenv("QT_QPA_PLATFORM", "offscreen", 0);

    // Qt sees only its own options; our arguments are ours alone.
    std::vector<std::string> qtArgs{argv[0]};
    qtArgs.insert(qtArgs.end(), cmdInfo.qtArgs.begin(), cmdInfo.qtArgs.end());
    std::vector<char*> qtArgv;
    for (std::string& s : qtArgs) qtArgv.push_back(s.data());
    qtArgv.push_back(nullptr);
    int nArgc = static_cast<int>(qtArgs.size());
    QApplication app(nArgc, qtArgv.data());
    QApplication::setApplicationName(QString::fromLatin1(kAppName));
    QApplication::setOrganizationName(QString::fromLatin1(kCompanyName));
    QApplication::setApplicationVersion(QStringLiteral(COILIX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(COILIX_APP_ID));
    QIcon icon;
    for (int nSize : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/coilix-%1.png").arg(nSize), QSize(nSize, nSize));
    }
    QApplication::setWindowIcon(icon);

    // The program's texts and Qt's own in the user's language.
    SetLanguage(LanguageFromEnvironment());

    CCoilixApp theApp;
    // Without a screen no one could answer a message box: every message goes
    // to the error output instead.
    const QString strPlatform = QGuiApplication::platformName();
    theApp.SetHeadless(strPlatform == QLatin1String("offscreen") ||
                       strPlatform == QLatin1String("minimal"));
    if (!theApp.InitInstance(cmdInfo)) return theApp.ExitCode();
    QApplication::exec();
    return theApp.ExitInstance();
}
