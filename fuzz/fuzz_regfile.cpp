// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the REGEDIT4 readers. Whatever is read (all of it
// or the lines that parse) must survive FormatRegFile -> ParseRegFile
// unchanged, and formatting must be stable. Memory stays in proportion to the
// text: no more lines are named than a message shows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/Profile.h"
#include "store/RegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const CodePage cp =
        size > 0 && data[size - 1] % 2 == 1 ? CodePage::kCentralEuropean : CodePage::kWestern;
    const RegReadResult read = ReadRegFile(text, cp);
    if (read.dropped.size() > 5 || read.dropped.size() > read.nDropped) std::abort();
    const RegKeys& parsed = read.keys;

    const std::string formatted = FormatRegFile(parsed);
    const std::optional<RegKeys> again = ParseRegFile(formatted, cp);
    if (!again || *again != parsed) std::abort();
    if (FormatRegFile(*again) != formatted) std::abort();

    // Every parsed value reads back through a store the same way.
    CMemoryRegistry reg;
    for (const auto& [key, values] : parsed) {
        for (const auto& [name, value] : values) {
            if (!reg.Set(key, name, value)) std::abort();
        }
    }
    for (const auto& [key, values] : parsed) {
        for (const auto& [name, value] : values) {
            if (reg.Query(key, name) != value) std::abort();
            const auto bytes = QueryBytes(reg, key, name, 396);
            size_t n = 0;
            switch (value.type) {
                case RegType::kString:
                    n = value.str.size() + 1;
                    break;
                case RegType::kDword:
                    n = 4;
                    break;
                case RegType::kBinary:
                    n = value.bin.size();
                    break;
            }
            if (bytes.has_value() != (n <= 396)) std::abort();
            if (bytes && bytes->size() != n) std::abort();
        }
    }
    return 0;
}
