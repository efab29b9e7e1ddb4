// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The program's numbered strings, in the language of the run. The program
// installs its table once at start; the framework and the views read through
// it, so that no layer below the program holds a text of its own.
using StringLoader = QString (*)(unsigned nID);
void SetStringLoader(StringLoader fnLoad);

// The text of string nID; empty when the number is unknown.
QString LoadQString(unsigned nID);

// The first line of string nID (a command's prompt), and its second line
// (the command's tooltip; empty when there is none).
QString PromptOf(unsigned nID);
QString ToolTipOf(unsigned nID);

// Replaces each "%ld" of a printf-style string with the number.
QString FormatLong(const QString& strFormat, long nValue);
