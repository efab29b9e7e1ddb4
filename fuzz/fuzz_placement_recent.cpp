// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the window placement value and the recent-file
// list as the store keeps them. The placement is read as raw bytes whatever
// its type (a longer value leaves it alone) and written back as it was read;
// recent-file paths, whatever their bytes, come back from the store's text
// form byte for byte, in either code page.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/RecentFileList.h"
#include "store/RegFile.h"

namespace {

constexpr const char* kAppKey = "Software\\Halvorn\\Coilix";

void Check(bool bHolds) {
    if (!bHolds) std::abort();
}

void Placement(const uint8_t* data, size_t size) {
    // The first byte picks the value's type; the rest is the value.
    const uint8_t nType = size > 0 ? data[0] % 3 : 0;
    const std::vector<uint8_t> bytes(data + (size > 0 ? 1 : 0), data + size);
    RegValue value = RegValue::Binary(bytes);
    if (nType == 1) value = RegValue::String(std::string(bytes.begin(), bytes.end()));
    if (nType == 2) {
        uint32_t n = 0;
        for (size_t i = 0; i < bytes.size() && i < 4; ++i) n |= uint32_t{bytes[i]} << (8 * i);
        value = RegValue::Dword(n);
    }
    CMemoryRegistry reg;
    reg.Set(kAppKey, "Frame Placement", value);
    CProfile profile(reg, kAppKey);
    GameSettings s;
    s.Load(profile, "Settings");

    const std::array<uint8_t, 44> loaded = s.m_placement.ToBytes();
    const std::optional<std::vector<uint8_t>> raw = ValueBytes(value, 44);
    if (raw) {
        Check(std::equal(raw->begin(), raw->end(), loaded.begin()));
        Check(std::all_of(loaded.begin() + static_cast<std::ptrdiff_t>(raw->size()), loaded.end(),
                          [](uint8_t b) { return b == 0; }));
    } else {
        Check(s.m_placement == WindowPlacement{});
    }

    // Written back as it was read, through the text form.
    s.Save(profile, "Settings");
    const std::optional<RegKeys> text = ParseRegFile(FormatRegFile(reg.Keys()));
    Check(text.has_value());
    CMemoryRegistry again;
    again.Keys() = *text;
    CProfile profileAgain(again, kAppKey);
    GameSettings t;
    t.Load(profileAgain, "Settings");
    Check(t.m_placement == s.m_placement);
}

void RecentFiles(const uint8_t* data, size_t size) {
    // Paths separated by a 0x01 byte, so that any other byte can be in one.
    CRecentFileList list(4);
    std::string path;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0x01) {
            list.Add(path);
            path.clear();
        } else {
            path += static_cast<char>(data[i]);
        }
    }
    CMemoryRegistry reg;
    CProfile profile(reg, kAppKey);
    list.WriteList(profile);
    const std::string text = FormatRegFile(reg.Keys());
    for (CodePage cp : {CodePage::kWestern, CodePage::kCentralEuropean}) {
        const std::optional<RegKeys> parsed = ParseRegFile(text, cp);
        Check(parsed.has_value());
        CMemoryRegistry again;
        again.Keys() = *parsed;
        CProfile profileAgain(again, kAppKey);
        CRecentFileList read(4);
        read.ReadList(profileAgain);
        Check(read.Files() == list.Files());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Placement(data, size);
    RecentFiles(data, size);
    return 0;
}
