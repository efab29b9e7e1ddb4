// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// What the command line asks a document program to do: no argument starts a
// new document, a file name opens that document, the print switches print a
// document and end.
//
// Forms: "--print FILE" and "--print-to FILE PRINTER", with the short forms
// "/p FILE" and "/pt FILE PRINTER" ('/' or '-', in any case); "--help" (also
// "-h", "/?"), "--version" (also "-v"); "--" ends the options. Qt's own
// options ("-platform NAME", "-style NAME", ...) are recognised and handed
// on to Qt. Paths keep their bytes as given.
struct CommandLineInfo {
    enum class Action { kNew, kOpen, kPrint, kPrintTo, kHelp, kVersion, kError };
    enum class Error {
        kNone,
        kUnknownOption,       // strErrorArg: the option as given
        kMissingValue,        // strErrorArg: the option that needs a value
        kMissingFile,         // strErrorArg: the print option without its file
        kMissingPrinter,      // --print-to without its printer
        kUnexpectedArgument,  // strErrorArg: an argument too many
    };
    Action action = Action::kNew;
    std::string strFile;     // kOpen, kPrint, kPrintTo
    std::string strPrinter;  // kPrintTo: a printer name, or a file ending in ".pdf"
    Error error = Error::kNone;
    std::string strErrorArg;
    // Qt's own options as found ("-platform", "offscreen", ...), for Qt.
    std::vector<std::string> qtArgs;
    bool bPlatformGiven = false;  // "-platform" was among them
};

// args excludes the program name.
CommandLineInfo ParseCommandLine(const std::vector<std::string>& args);
