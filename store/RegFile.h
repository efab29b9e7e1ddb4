#pragma once
#include <optional>
#include <string>

#include "store/Registry.h"

// The text form of a whole store, and its parser. ParseRegFile returns nothing
// when the text is not a well-formed REGEDIT4 file.
std::string FormatRegFile(const RegKeys& keys);
std::optional<RegKeys> ParseRegFile(const std::string& text);
