#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppInfo.h"
#include "app/CoilixApp.h"
#include "app/Strings.h"
#include "app/Version.h"
#include "framework/CommandLine.h"
#include "framework/Sound.h"

namespace {

bool HasEnv(const char* pszName) {
    const char* pszValue = std::getenv(pszName);
    return pszValue != nullptr && *pszValue != '\0';
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLineInfo cmdInfo = ParseCommandLine(args);
    switch (cmdInfo.action) {
        case CommandLineInfo::Action::kHelp:
            std::fputs(CommandLineUsage("coilix").c_str(), stdout);
            return 0;
        case CommandLineInfo::Action::kVersion:
            std::puts("Coilix " COILIX_VERSION);
            return 0;
        case CommandLineInfo::Action::kError:
            std::fprintf(stderr, "coilix: %s\n%s", cmdInfo.strError.c_str(),
                         CommandLineUsage("coilix").c_str());
            return 2;
        case CommandLineInfo::Action::kPrint:
        case CommandLineInfo::Action::kPrintTo:
            // Printing shows no window; it works without a display too.
            if (!HasEnv("DISPLAY") && !HasEnv("WAYLAND_DISPLAY")) {
                setenv("QT_QPA_PLATFORM", "offscreen", 0);
            }
            break;
        default:
            break;
    }

    InstallQuietAudioMessages();
    int nArgc = 1;
    QApplication app(nArgc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppName));
    QApplication::setOrganizationName(QString::fromLatin1(kCompanyName));
    QApplication::setApplicationVersion(QStringLiteral(COILIX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.halvorn.Coilix"));
    QIcon icon;
    for (int nSize : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/coilix-%1.png").arg(nSize), QSize(nSize, nSize));
    }
    QApplication::setWindowIcon(icon);

    SetLanguage(LanguageFromEnvironment());
    QTranslator qtTranslator;
    if (GetLanguage() == Language::kCzech &&
        qtTranslator.load(QStringLiteral("qtbase_cs"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    CCoilixApp theApp;
    if (!theApp.InitInstance(cmdInfo)) return theApp.ExitCode();
    QApplication::exec();
    return theApp.ExitInstance();
}
