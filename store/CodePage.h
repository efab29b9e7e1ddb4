// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The single-byte code pages 1250 and 1252 that the score tables keep
// players' names in: one byte per letter, so that a 31-byte name field always
// holds 31 letters. Central European languages use 1250, English and the
// western ones 1252. Everything else in the store is UTF-8; a string value
// that is not valid UTF-8 was written in one of these code pages and is read
// in the player's.

enum class CodePage : uint16_t {
    kCentralEuropean = 1250,
    kWestern = 1252,
};

// The code page of a language, named alone ("cs", "de") or with its region,
// encoding or script ("pt_BR", "cs_CZ.UTF-8", "sr_RS@latin").
CodePage CodePageForLanguage(std::string_view language);

// The character a byte stands for. Bytes the code page leaves undefined stand
// for the control character of the same number, so every byte survives a
// round trip.
char32_t DecodeByte(uint8_t b, CodePage cp);
// The byte for a character; nothing when the code page cannot hold it.
std::optional<uint8_t> EncodeChar(char32_t c, CodePage cp);

// Bytes in the code page as UTF-8 text.
std::string DecodeToUtf8(std::string_view bytes, CodePage cp);
// UTF-8 text in the code page, at most nMaxChars bytes. Characters the code
// page cannot hold and bytes that are not UTF-8 are left out.
std::string EncodeFromUtf8(std::string_view text, CodePage cp, size_t nMaxChars = SIZE_MAX);

bool IsValidUtf8(std::string_view s);

// Reads one character of UTF-8 at s[pos] and moves pos past it; nothing (pos
// moved by one byte) when the bytes there are not a valid character.
std::optional<char32_t> NextUtf8Char(std::string_view s, size_t& pos);
void AppendUtf8(std::string& out, char32_t c);
