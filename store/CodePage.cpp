// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/CodePage.h"

#include <array>

namespace {

// Bytes 0x80..0xFF of each code page; the bytes below are ASCII. Where the
// code page defines nothing (0x81 in both, for instance) the entry is the
// control character of the same number.
constexpr std::array<char16_t, 128> kCodePage1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

constexpr std::array<char16_t, 128> kCodePage1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // B8
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,  // C0
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,  // C8
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,  // D0
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,  // D8
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,  // E0
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,  // E8
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,  // F0
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,  // F8
};

const std::array<char16_t, 128>& HighHalf(CodePage cp) {
    return cp == CodePage::kCentralEuropean ? kCodePage1250 : kCodePage1252;
}

// Languages written in the central European code page.
constexpr std::string_view kCentralEuropeanLanguages[] = {
    "cs", "sk", "pl", "hu", "sl", "hr", "bs", "ro", "sq", "hsb", "dsb",
};

}  // namespace

CodePage CodePageForLanguage(std::string_view language) {
    const std::string_view base = language.substr(0, language.find_first_of("_.@-"));
    for (std::string_view l : kCentralEuropeanLanguages) {
        if (base == l) return CodePage::kCentralEuropean;
    }
    // Serbian is central European only in its Latin script.
    if (base == "sr" && language.find("@latin") != std::string_view::npos) {
        return CodePage::kCentralEuropean;
    }
    return CodePage::kWestern;
}

char32_t DecodeByte(uint8_t b, CodePage cp) {
    return b < 0x80 ? char32_t{b} : char32_t{HighHalf(cp)[b - 0x80u]};
}

std::optional<uint8_t> EncodeChar(char32_t c, CodePage cp) {
    if (c < 0x80) return static_cast<uint8_t>(c);
    const auto& table = HighHalf(cp);
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i] == c) return static_cast<uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

std::optional<char32_t> NextUtf8Char(std::string_view s, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    size_t nLen = 0;
    char32_t c = 0;
    char32_t nMin = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        nLen = 2, c = lead & 0x1Fu, nMin = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        nLen = 3, c = lead & 0x0Fu, nMin = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        nLen = 4, c = lead & 0x07u, nMin = 0x10000;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (pos + nLen > s.size()) {
        ++pos;
        return std::nullopt;
    }
    for (size_t i = 1; i < nLen; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        c = (c << 6) | (byte(pos + i) & 0x3Fu);
    }
    // Overlong forms, surrogates and values past the last plane are not text.
    if (c < nMin || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += nLen;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(std::string_view s) {
    size_t pos = 0;
    while (pos < s.size()) {
        if (!NextUtf8Char(s, pos)) return false;
    }
    return true;
}

std::string DecodeToUtf8(std::string_view bytes, CodePage cp) {
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes) AppendUtf8(out, DecodeByte(static_cast<uint8_t>(b), cp));
    return out;
}

std::string EncodeFromUtf8(std::string_view text, CodePage cp, size_t nMaxChars) {
    std::string out;
    size_t pos = 0;
    while (pos < text.size() && out.size() < nMaxChars) {
        const std::optional<char32_t> c = NextUtf8Char(text, pos);
        if (!c) continue;
        if (const std::optional<uint8_t> b = EncodeChar(*c, cp)) out += static_cast<char>(*b);
    }
    return out;
}
