// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/CodePage.h"
#include "store/Registry.h"

// The text form of a whole store, in the registry editor's export format
// (REGEDIT4), and its readers.

std::string FormatRegFile(const RegKeys& keys);

// A line that could not be read and was left out.
struct RegDroppedLine {
    size_t nLine = 0;     // counted from 1
    std::string strText;  // the line, shortened for a message
};

struct RegReadResult {
    RegKeys keys;
    bool bHeader = false;                 // the text began with the REGEDIT4 line
    size_t nDropped = 0;                  // lines left out in all
    std::vector<RegDroppedLine> dropped;  // the first few of them
    // Everything was read: nothing would be lost by writing the keys back.
    bool IsWhole() const { return bHeader && nDropped == 0; }
};

// Reads what can be read: every section and value that parses is kept, and a
// line that does not costs only itself (a bad section line also its values,
// which belong to no known key). A quoted string that is not valid UTF-8 was
// written in a Windows code page and is read in the one given; strings given
// as bytes (hex(1)) are taken byte for byte.
RegReadResult ReadRegFile(std::string_view text, CodePage cp);

// The strict reader: nothing unless the whole text is well-formed.
std::optional<RegKeys> ParseRegFile(std::string_view text, CodePage cp = CodePage::kWestern);
