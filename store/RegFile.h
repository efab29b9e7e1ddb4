// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/CodePage.h"
#include "store/Registry.h"

// The text form of a whole store, REGEDIT4, and its readers.

std::string FormatRegFile(const RegKeys& keys);
// The same text handed to fnPut a piece at a time (each valid during the
// call only), never held whole; stops when fnPut returns false, and then
// returns false.
bool WriteRegText(const RegKeys& keys, const std::function<bool(std::string_view piece)>& fnPut);

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
    size_t nLeftOut = 0;                  // values read but not kept (see RegReadLimits)
    // Everything was read: nothing would be lost by writing the keys back.
    bool IsWhole() const { return bHeader && nDropped == 0 && nLeftOut == 0; }
};

// Where a text's lines come from, one at a time.
class RegLineSource {
public:
    virtual ~RegLineSource() = default;
    // The next line without its line end, valid until the next call; false
    // after the last. bCut: the line was too long and only its start is given.
    virtual bool Next(std::string_view& line, bool& bCut) = 0;
};

// Which of the values read are kept: those fnKeep accepts (all without it),
// while their text form stays within nMaxKeptBytes (0: no limit), and none
// whose text is longer than nMaxValueBytes (0: no limit).
struct RegReadLimits {
    std::function<bool(const std::string& strKey, const std::string& strName)> fnKeep;
    size_t nMaxKeptBytes = 0;
    size_t nMaxValueBytes = 0;
};

// Reads what can be read: every section and value that parses is kept, and a
// line that does not costs only itself (a bad section line also its values,
// which belong to no known key). A quoted string that is not valid UTF-8 is
// in a single-byte code page (1250 or 1252) and is read in the one given; strings given
// as bytes (hex(1)) are taken byte for byte. Memory holds what is kept and a
// line or value at a time, never the whole text.
RegReadResult ReadRegLines(RegLineSource& lines, CodePage cp, const RegReadLimits& limits = {});
RegReadResult ReadRegFile(std::string_view text, CodePage cp);
// The size of one value's lines in the text form.
size_t FormattedValueSize(const std::string& strName, const RegValue& value);

// The strict reader: nothing unless the whole text is well-formed.
std::optional<RegKeys> ParseRegFile(std::string_view text, CodePage cp = CodePage::kWestern);
