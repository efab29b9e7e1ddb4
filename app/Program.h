// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "store/CoilixDoc.h"

// What a program built on the game may set before it runs: the shipped
// program sets nothing; a test build gives a seed source, so that its boards
// are known in advance.
struct ProgramSetup {
    CCoilixDoc::SeedSource seedSource;
};

// The whole program, as main runs it: the command line, the application
// object and Qt's, the window and its main loop. Returns the exit code.
int RunProgram(int argc, char** argv, const ProgramSetup& setup = {});
