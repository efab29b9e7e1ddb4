// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BarState.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "store/Endian.h"
#include "store/Profile.h"
#include "store/Registry.h"

namespace {
constexpr const char* kBarSection = "Control";
constexpr const char* kBarValue = "Bar State";
constexpr const char* kMarginsValue = "Frame Margins";
constexpr size_t kMarginsBytes = 16;
constexpr size_t kMaxBarStateBytes = size_t{1} << 16;
// A window's decorations are a few dozen pixels; anything more is not theirs.
constexpr int32_t kMaxMargin = 500;
}  // namespace

BarState ReadBarState(CProfile& profile) {
    BarState state;
    const std::string strKey = profile.SectionKey(kBarSection);
    if (auto margins = QueryBytes(profile.Registry(), strKey, kMarginsValue, kMarginsBytes);
        margins && margins->size() == kMarginsBytes) {
        const uint8_t* p = margins->data();
        const QMargins m(GetInt32LE(p), GetInt32LE(p + 4), GetInt32LE(p + 8), GetInt32LE(p + 12));
        const bool bSane = std::min({m.left(), m.top(), m.right(), m.bottom()}) >= 0 &&
                           std::max({m.left(), m.top(), m.right(), m.bottom()}) <= kMaxMargin;
        if (bSane) state.frameMargins = m;
    }
    if (auto bytes = QueryBytes(profile.Registry(), strKey, kBarValue, kMaxBarStateBytes)) {
        state.toolBars = QByteArray(reinterpret_cast<const char*>(bytes->data()),
                                    static_cast<qsizetype>(bytes->size()));
    }
    return state;
}

void WriteBarState(CProfile& profile, const BarState& state) {
    const std::string strKey = profile.SectionKey(kBarSection);
    std::vector<RegChange> changes = {
        RegChange{
            strKey, kBarValue,
            RegValue::Binary(std::vector<uint8_t>(state.toolBars.begin(), state.toolBars.end()))},
    };
    if (state.frameMargins) {
        const QMargins& m = *state.frameMargins;
        std::vector<uint8_t> margins(kMarginsBytes);
        PutInt32LE(margins.data(), m.left());
        PutInt32LE(margins.data() + 4, m.top());
        PutInt32LE(margins.data() + 8, m.right());
        PutInt32LE(margins.data() + 12, m.bottom());
        changes.push_back(RegChange{strKey, kMarginsValue, RegValue::Binary(std::move(margins))});
    }
    profile.Registry().Apply(changes);
}
