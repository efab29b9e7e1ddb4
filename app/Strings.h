#pragma once
#include <cstdint>
#include <string>

// The program's numbered texts, in English and Czech with the same numbers.
enum class Language { kEnglish, kCzech };

void SetLanguage(Language lang);
Language GetLanguage();

// Czech when the first of LANGUAGE, LC_ALL, LC_MESSAGES, LANG that is set and
// not empty names Czech ("cs", "cs_CZ.UTF-8", "cs:en", ...), English otherwise.
Language LanguageFromEnvironment();

// The text of a string resource in the current language; empty when the
// number is unknown.
std::string LoadString(unsigned nID);
std::string LoadString(unsigned nID, Language lang);
