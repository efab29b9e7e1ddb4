#include "framework/CommandLine.h"

namespace {

bool IsSwitch(const std::string& s, const char* pszName) {
    return (s.size() > 1 && (s[0] == '/' || s[0] == '-')) && s.substr(1) == pszName;
}

CommandLineInfo Error(std::string strWhat) {
    CommandLineInfo info;
    info.action = CommandLineInfo::Action::kError;
    info.strError = std::move(strWhat);
    return info;
}

}  // namespace

CommandLineInfo ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineInfo info;
    if (args.empty()) return info;
    const std::string& first = args[0];
    if (first == "--help" || first == "-h") {
        info.action = CommandLineInfo::Action::kHelp;
        return info;
    }
    if (first == "--version") {
        info.action = CommandLineInfo::Action::kVersion;
        return info;
    }
    if (IsSwitch(first, "p")) {
        if (args.size() != 2) return Error("/p needs exactly one file name");
        info.action = CommandLineInfo::Action::kPrint;
        info.strFile = args[1];
        return info;
    }
    if (IsSwitch(first, "pt")) {
        if (args.size() != 3) return Error("/pt needs a file name and a printer name");
        info.action = CommandLineInfo::Action::kPrintTo;
        info.strFile = args[1];
        info.strPrinter = args[2];
        return info;
    }
    if (first.size() > 1 && first[0] == '-' && first != "--")
        return Error("unknown option " + first);
    size_t nFile = first == "--" ? 1 : 0;
    if (args.size() != nFile + 1) return Error("only one file name can be opened");
    info.action = CommandLineInfo::Action::kOpen;
    info.strFile = args[nFile];
    return info;
}

std::string CommandLineUsage(const std::string& strProgram) {
    return "Usage: " + strProgram + " [FILE.cx]\n" + "       " + strProgram +
           " /p FILE.cx              print a saved game on the default printer\n" + "       " +
           strProgram + " /pt FILE.cx PRINTER     print on the named printer (a name ending\n" +
           "                                              in .pdf writes a PDF file of that "
           "name)\n" +
           "       " + strProgram + " --help | --version\n" +
           "Without a file, a new game starts; with one, that saved game opens, paused.\n";
}
