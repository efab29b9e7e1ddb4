// SPDX-License-Identifier: GPL-3.0-or-later
// The store's text form, REGEDIT4: a header line, then one section per key
// ("[HKEY_CURRENT_USER\\path]") with one line per value.
#include "store/RegFile.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "store/Ascii.h"
#include "store/Endian.h"

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kRootName = "HKEY_CURRENT_USER";
constexpr size_t kWrapColumn = 80;

const char kHexDigits[] = "0123456789abcdef";

void AppendQuoted(std::string& out, std::string_view s) {
    out += '"';
    // A run without a character to escape at a time.
    for (size_t nPos = 0; nPos < s.size();) {
        const size_t nEscape = s.find_first_of("\\\"", nPos);
        out.append(s, nPos, nEscape == std::string_view::npos ? s.npos : nEscape - nPos);
        if (nEscape == std::string_view::npos) break;
        out += '\\';
        out += s[nEscape];
        nPos = nEscape + 1;
    }
    out += '"';
}

// Plain ASCII is valid UTF-8 at once; only other bytes need the full check.
bool IsUtf8(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return IsValidUtf8(s);
    }
    return true;
}

// Strings with control characters (line breaks above all) cannot stand
// between quotes on one line, and quoted bytes that are not UTF-8 are read in
// a single-byte code page (1250 or 1252); such strings are written as
// hex(1), the form's REG_SZ given as bytes (with the terminating zero), which
// keeps every byte as it is (a file path that is not UTF-8, for one).
bool NeedsHexString(std::string_view s) {
    for (char c : s) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t') || u == 0x7f) return true;
    }
    return !IsUtf8(s);
}

// "hex:" or "hex(n):" and the bytes, wrapped as the REGEDIT4 form wraps
// them: ",\" at the end of a line, continuation lines indented by two
// spaces, no line longer than 80 columns unless the name alone is.
void AppendHexList(std::string& out, size_t nLineStart, std::string_view prefix, const uint8_t* p,
                   size_t n) {
    out += prefix;
    // Written in place: each byte takes "xx,", and each line after the first
    // holds at least 20 of them, so this is room enough.
    const size_t nOld = out.size();
    out.resize(nOld + 3 * n + 4 * (n / 20 + 2));
    char* pOut = out.data() + nOld;
    size_t nColumn = nOld - nLineStart;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0) {
            *pOut++ = ',';
            ++nColumn;
            // Room for "xx," and a possible "\" after it.
            if (nColumn + 4 > kWrapColumn) {
                *pOut++ = '\\';
                *pOut++ = '\n';
                *pOut++ = ' ';
                *pOut++ = ' ';
                nColumn = 2;
            }
        }
        *pOut++ = kHexDigits[p[i] >> 4];
        *pOut++ = kHexDigits[p[i] & 15];
        nColumn += 2;
    }
    out.resize(static_cast<size_t>(pOut - out.data()));
}

void AppendValue(std::string& out, const std::string& name, const RegValue& value) {
    const size_t nLineStart = out.size();
    if (name.empty()) {
        out += '@';
    } else {
        AppendQuoted(out, name);
    }
    out += '=';
    switch (value.type) {
        case RegType::kString:
            if (NeedsHexString(value.str)) {
                std::vector<uint8_t> bytes(value.str.begin(), value.str.end());
                bytes.push_back(0);
                AppendHexList(out, nLineStart, "hex(1):", bytes.data(), bytes.size());
            } else {
                AppendQuoted(out, value.str);
            }
            break;
        case RegType::kDword: {
            char buf[16];
            std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(value.dw));
            out += buf;
            break;
        }
        case RegType::kBinary:
            AppendHexList(out, nLineStart, "hex:", value.bin.data(), value.bin.size());
            break;
    }
    out += '\n';
}

// The section line of a key and the blank line after its values.
size_t FormattedSectionSize(std::string_view path) {
    return 1 + kRootName.size() + 1 + path.size() + 2 + 1;
}

// --- reading ---

std::string_view TrimView(std::string_view s) {
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

// The value of each byte as a hex digit, -1 for the others: a store is mostly
// hex digits, read here one table look-up each.
constexpr std::array<int8_t, 256> kHexValues = [] {
    std::array<int8_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        values[static_cast<size_t>(c)] = static_cast<int8_t>(c >= '0' && c <= '9'   ? c - '0'
                                                             : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                             : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                                    : -1);
    }
    return values;
}();

int HexValue(char c) {
    return kHexValues[static_cast<unsigned char>(c)];
}

// 1 to 8 hex digits, the whole of s.
std::optional<uint32_t> ParseHexNumber(std::string_view s) {
    if (s.empty() || s.size() > 8) return std::nullopt;
    uint32_t n = 0;
    for (char c : s) {
        const int v = HexValue(c);
        if (v < 0) return std::nullopt;
        n = n * 16 + static_cast<uint32_t>(v);
    }
    return n;
}

// A quoted string starting at s[pos] == '"'. "\\\\" and "\\"" are the escapes;
// a backslash before any other character stands for itself. On success pos
// is just past the closing quote.
std::optional<std::string> ParseQuoted(std::string_view s, size_t& pos) {
    if (pos >= s.size() || s[pos] != '"') return std::nullopt;
    std::string out;
    size_t i = pos + 1;
    while (i < s.size()) {
        // A run of plain characters at a time.
        const size_t nStop = s.find_first_of("\"\\", i);
        if (nStop == std::string_view::npos) return std::nullopt;
        out.append(s, i, nStop - i);
        i = nStop;
        if (s[i] == '"') {
            pos = i + 1;
            return out;
        }
        if (i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out += s[i + 1];
            i += 2;
        } else {
            out += '\\';
            ++i;
        }
    }
    return std::nullopt;
}

// Comma-separated bytes of one or two hex digits each; spaces around them
// are allowed, and so is one comma after the last byte. One pass over the
// text: a store is mostly such lists.
std::optional<std::vector<uint8_t>> ParseHexList(std::string_view s) {
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    // Room for the bytes of the form the store is written in, three
    // characters a byte but the last.
    std::vector<uint8_t> bytes;
    bytes.reserve(s.size() / 3 + 1);
    auto done = [&] { return std::optional<std::vector<uint8_t>>(std::move(bytes)); };
    const size_t n = s.size();
    size_t i = 0;
    for (;;) {
        // The form the store is written in first: two digits, then a comma
        // or the end.
        if (i + 1 < n && (i + 2 == n || s[i + 2] == ',')) {
            const int nHigh = HexValue(s[i]);
            const int nLow = HexValue(s[i + 1]);
            if (nHigh >= 0 && nLow >= 0) {
                bytes.push_back(static_cast<uint8_t>(nHigh * 16 + nLow));
                i += 3;
                if (i >= n) return done();  // the end, or a last comma
                continue;
            }
        }
        while (i < n && isSpace(s[i])) ++i;
        const size_t nStart = i;
        while (i < n && s[i] != ',' && !isSpace(s[i])) ++i;
        const size_t nDigits = i - nStart;
        while (i < n && isSpace(s[i])) ++i;
        // Spaces end a byte only before a comma or the end.
        if (i < n && s[i] != ',') return std::nullopt;
        if (nDigits == 0) {
            // Nothing but spaces is no byte; nor is an empty place between
            // commas, but the end after a last comma is.
            if (i == n) return done();
            return std::nullopt;
        }
        if (nDigits > 2) return std::nullopt;
        const int nHigh = nDigits == 2 ? HexValue(s[nStart]) : 0;
        const int nLow = HexValue(s[nStart + nDigits - 1]);
        if (nHigh < 0 || nLow < 0) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(nHigh * 16 + nLow));
        if (i == n) return done();
        ++i;  // the comma
    }
}

// A line as it may stand in a message: at most about 60 bytes, not cut inside
// a UTF-8 character.
std::string ShortLine(std::string_view line) {
    constexpr size_t kMax = 60;
    if (line.size() <= kMax) return std::string(line);
    size_t n = kMax;
    while (n > 0 && (static_cast<unsigned char>(line[n]) & 0xC0) == 0x80) --n;
    return std::string(line.substr(0, n)) + "...";
}

// The lines of a text held whole in memory.
class TextLines : public RegLineSource {
public:
    explicit TextLines(std::string_view text) : m_text(text) {}
    bool Next(std::string_view& line, bool& bCut) override {
        bCut = false;
        if (m_nPos > m_text.size()) return false;
        size_t end = m_text.find('\n', m_nPos);
        if (end == std::string_view::npos) end = m_text.size();
        line = m_text.substr(m_nPos, end - m_nPos);
        m_nPos = end + 1;
        return true;
    }

private:
    std::string_view m_text;
    size_t m_nPos = 0;
};

// Goes through the text line by line, keeping only the keys and values it
// reads, so memory stays in proportion to what is kept.
class RegFileReader {
public:
    RegFileReader(RegLineSource& lines, CodePage cp, const RegReadLimits& limits)
        : m_lines(lines), m_cp(cp), m_limits(limits) {}

    RegReadResult Read() {
        RegReadResult result;
        Line line;
        // The header comes first; only blank and comment lines may precede
        // it. Without it the rest is still read, line by line.
        while (NextLine(line)) {
            if (line.text.empty() || line.text.front() == ';') continue;
            result.bHeader = !line.bCut && line.text == kHeader;
            if (!result.bHeader) PushBack(line);
            break;
        }
        RegValues* pValues = nullptr;
        std::string strKey;
        std::string strValueLine;
        while (NextLine(line)) {
            if (line.text.empty() || line.text.front() == ';') continue;
            const size_t nLine = m_nLine;
            bool bRead = false;
            if (line.bCut) {
                // Far longer than any line of a store: not one of its lines.
            } else if (line.text.front() == '[') {
                const std::optional<std::string_view> path = SectionPath(line.text);
                // Values after a bad section line belong to no known key.
                pValues = nullptr;
                if (path) {
                    strKey = *path;
                    pValues = &result.keys[strKey];
                }
                bRead = path.has_value();
            } else if (line.text.front() == '"' || line.text.front() == '@') {
                // Its own copy: reading a wrapped value reads the next lines.
                strValueLine = line.text;
                line.text = strValueLine;
                bRead = pValues != nullptr && ReadValueLine(strValueLine, strKey, *pValues, result);
            }
            if (!bRead) Drop(result, nLine, line.text);
        }
        // A section whose values were all left out is not kept either.
        if (m_limits.fnKeep || m_limits.nMaxKeptBytes > 0) {
            std::erase_if(result.keys, [](const auto& key) { return key.second.empty(); });
        }
        return result;
    }

private:
    struct Line {
        std::string_view text;
        bool bCut = false;
    };

    // The next line, trimmed; false at the end of the text.
    bool NextLine(Line& line) {
        if (m_bPushedBack) {
            m_bPushedBack = false;
            m_strCurrent = std::move(m_strPushedBack);
            line = {m_strCurrent, m_bPushedCut};
            ++m_nLine;
            return true;
        }
        if (!m_lines.Next(line.text, line.bCut)) return false;
        // A UTF-8 byte order mark, as some editors add, is not part of the text.
        if (m_nLine == 0 && line.text.substr(0, 3) == "\xEF\xBB\xBF") line.text.remove_prefix(3);
        line.text = TrimView(line.text);
        ++m_nLine;
        return true;
    }

    // Gives the line again at the next NextLine.
    void PushBack(const Line& line) {
        m_strPushedBack = line.text;
        m_bPushedCut = line.bCut;
        m_bPushedBack = true;
        --m_nLine;
    }

    static void Drop(RegReadResult& result, size_t nLine, std::string_view line) {
        constexpr size_t kKeptForMessage = 5;
        ++result.nDropped;
        if (result.dropped.size() < kKeptForMessage) {
            result.dropped.push_back({nLine, ShortLine(line)});
        }
    }

    static std::optional<std::string_view> SectionPath(std::string_view line) {
        if (line.size() < 2 || line.back() != ']') return std::nullopt;
        const std::string_view inner = line.substr(1, line.size() - 2);
        if (!StartsWithNoCase(inner, kRootName) || inner.size() <= kRootName.size() ||
            inner[kRootName.size()] != '\\')
            return std::nullopt;
        const std::string_view path = inner.substr(kRootName.size() + 1);
        if (!IsValidKeyPath(path)) return std::nullopt;
        return path;
    }

    bool ReadValueLine(std::string_view line, const std::string& strKey, RegValues& values,
                       RegReadResult& result) {
        size_t pos = 0;
        std::string name;
        if (line.front() == '@') {
            pos = 1;
        } else {
            auto quoted = ParseQuoted(line, pos);
            if (!quoted) return false;
            name = std::move(*quoted);
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        if (pos >= line.size() || line[pos] != '=') return false;
        ++pos;
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        const std::string_view data = line.substr(pos);

        std::optional<RegValue> value;
        if (!data.empty() && data.front() == '"') {
            size_t end = 0;
            auto str = ParseQuoted(data, end);
            if (!str || end != data.size()) return false;
            if (!IsUtf8(*str)) str = DecodeToUtf8(*str, m_cp);
            value = RegValue::String(std::move(*str));
        } else if (StartsWithNoCase(data, "dword:")) {
            const auto n = ParseHexNumber(data.substr(6));
            if (!n) return false;
            value = RegValue::Dword(*n);
        } else if (StartsWithNoCase(data, "hex")) {
            value = ReadHexValue(data.substr(3));
        }
        if (!value) return false;
        Keep(strKey, std::move(name), std::move(*value), values, result);
        return true;
    }

    // Keeps a value read, unless the limits leave it out.
    void Keep(const std::string& strKey, std::string name, RegValue value, RegValues& values,
              RegReadResult& result) {
        if (m_limits.fnKeep && !m_limits.fnKeep(strKey, name)) {
            ++result.nLeftOut;
            return;
        }
        if (m_limits.nMaxKeptBytes > 0) {
            // The value's lines, and its section's when it is the first kept.
            const size_t nSize = FormattedValueSize(name, value) +
                                 (values.empty() ? FormattedSectionSize(strKey) : 0);
            const auto it = values.find(name);
            const size_t nOld = it == values.end() ? 0 : FormattedValueSize(name, it->second);
            if (m_nKeptBytes - nOld + nSize > m_limits.nMaxKeptBytes) {
                ++result.nLeftOut;
                return;
            }
            m_nKeptBytes = m_nKeptBytes - nOld + nSize;
        }
        // A store is written in order: a name after the last one goes at
        // the end without a search.
        if (values.empty() || values.key_comp()(values.rbegin()->first, name)) {
            values.emplace_hint(values.end(), std::move(name), std::move(value));
        } else {
            values[std::move(name)] = std::move(value);
        }
    }

    // After "hex": ":" or "(n):", then the bytes, perhaps over several lines.
    std::optional<RegValue> ReadHexValue(std::string_view s) {
        std::string joined;
        bool bContinued = !s.empty() && s.back() == '\\';
        joined = bContinued ? s.substr(0, s.size() - 1) : s;
        // Take the continuation lines first, so that a bad value is left out
        // whole; a line that starts a section or a value is no continuation.
        bool bBroken = false;
        while (bContinued) {
            Line next;
            if (!NextLine(next)) {
                bBroken = true;
                break;
            }
            if (next.text.empty() || next.text.front() == '[' || next.text.front() == '"' ||
                next.text.front() == '@') {
                PushBack(next);
                bBroken = true;
                break;
            }
            bContinued = next.text.back() == '\\';
            if (bContinued) next.text.remove_suffix(1);
            // A value longer than any kept is read to its end, not kept.
            bBroken = bBroken || next.bCut;
            if (m_limits.nMaxValueBytes > 0 && joined.size() > m_limits.nMaxValueBytes) {
                bBroken = true;
                joined.clear();
            }
            if (!bBroken) joined += next.text;
        }
        if (bBroken) return std::nullopt;

        std::string_view rest = joined;
        uint32_t nType = 3;
        if (!rest.empty() && rest.front() == '(') {
            const size_t close = rest.find(')');
            if (close == std::string_view::npos) return std::nullopt;
            const auto n = ParseHexNumber(rest.substr(1, close - 1));
            if (!n) return std::nullopt;
            nType = *n;
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest.front() != ':') return std::nullopt;
        rest.remove_prefix(1);
        auto bytes = ParseHexList(rest);
        if (!bytes) return std::nullopt;

        switch (nType) {
            case 3:
                return RegValue::Binary(std::move(*bytes));
            case 1:
                if (!bytes->empty() && bytes->back() == 0) bytes->pop_back();
                return RegValue::String(std::string(bytes->begin(), bytes->end()));
            case 4:
                if (bytes->size() != 4) return std::nullopt;
                return RegValue::Dword(static_cast<uint32_t>(GetInt32LE(bytes->data())));
            default:
                return std::nullopt;  // types this store does not keep
        }
    }

    RegLineSource& m_lines;
    CodePage m_cp;
    const RegReadLimits& m_limits;
    size_t m_nLine = 0;
    size_t m_nKeptBytes = 0;
    std::string m_strCurrent;
    std::string m_strPushedBack;
    bool m_bPushedBack = false;
    bool m_bPushedCut = false;
};

}  // namespace

namespace {

// Formats the keys into out, handing it to fnFlush (which empties it)
// whenever it holds nFlushAt bytes or more, and at the end. False when
// fnFlush returned false.
bool FormatKeys(const RegKeys& keys, std::string& out, size_t nFlushAt,
                const std::function<bool(std::string&)>& fnFlush) {
    out += kHeader;
    out += "\n\n";
    for (const auto& [path, values] : keys) {
        // Keys and names the text form cannot hold are left out, so the text
        // always parses; the stores never accept them in the first place.
        if (!IsValidKeyPath(path)) continue;
        out += '[';
        out += kRootName;
        out += '\\';
        out += path;
        out += "]\n";
        for (const auto& [name, value] : values) {
            if (!IsValidValueName(name)) continue;
            AppendValue(out, name, value);
            if (out.size() >= nFlushAt && !fnFlush(out)) return false;
        }
        out += '\n';
    }
    return !fnFlush || fnFlush(out);
}

}  // namespace

std::string FormatRegFile(const RegKeys& keys) {
    std::string out;
    FormatKeys(keys, out, std::string::npos, {});
    return out;
}

bool WriteRegText(const RegKeys& keys, const std::function<bool(std::string_view piece)>& fnPut) {
    // Pieces of about this size: few calls, and little memory however large
    // the store.
    constexpr size_t kPieceBytes = size_t{256} << 10;
    std::string piece;
    piece.reserve(kPieceBytes + 1024);
    return FormatKeys(keys, piece, kPieceBytes, [&fnPut](std::string& text) {
        const bool bPut = fnPut(text);
        text.clear();
        return bPut;
    });
}

RegReadResult ReadRegLines(RegLineSource& lines, CodePage cp, const RegReadLimits& limits) {
    return RegFileReader(lines, cp, limits).Read();
}

RegReadResult ReadRegFile(std::string_view text, CodePage cp) {
    TextLines lines(text);
    return ReadRegLines(lines, cp);
}

size_t FormattedValueSize(const std::string& strName, const RegValue& value) {
    std::string line;
    AppendValue(line, strName, value);
    return line.size();
}

std::optional<RegKeys> ParseRegFile(std::string_view text, CodePage cp) {
    RegReadResult result = ReadRegFile(text, cp);
    if (!result.IsWhole()) return std::nullopt;
    return std::move(result.keys);
}
