#pragma once
#include <string>
#include <vector>

// What the command line asks the program to do: no argument starts a new
// game, a file name opens that saved game, the print switches print a saved
// game and end.
struct CommandLineInfo {
    enum class Action { kNew, kOpen, kPrint, kPrintTo, kHelp, kVersion, kError };
    Action action = Action::kNew;
    std::string strFile;     // kOpen, kPrint, kPrintTo
    std::string strPrinter;  // kPrintTo: a printer name, or a file ending in ".pdf"
    std::string strError;    // kError: what was wrong
};

// args excludes the program name. "/p FILE" or "-p FILE" prints to the
// default printer; "/pt FILE PRINTER" or "-pt FILE PRINTER" to a named one.
CommandLineInfo ParseCommandLine(const std::vector<std::string>& args);

std::string CommandLineUsage(const std::string& strProgram);
