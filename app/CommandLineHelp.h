// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

struct CommandLineInfo;

// What "--help" writes, in the user's language: the forms of the command
// line and each option.
QString CommandLineHelpText();
// Why the command line was refused, in the user's language.
QString CommandLineErrorText(const CommandLineInfo& info);
