#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// The headless driver: sets up or opens a game exactly as the program does,
// feeds it a script of keys, Pause commands and timer periods, and writes one
// line per hand-over to the window ("sound N", "cell X Y", "pane N TEXT").
namespace replay {

// Exit codes of the driver.
constexpr int kExitOk = 0;
constexpr int kExitFileError = 1;
constexpr int kExitBadArguments = 2;

// Runs the driver on the command-line arguments that follow the program name.
// Transcript lines go to `out`, usage and error messages to `err` (usage for
// --help goes to `out`). Returns the exit code.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string Usage();

}  // namespace replay
