// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "game/Limits.h"

class CProfile;

// The window's show state, as the placement keeps it.
constexpr int32_t kShowCmdHide = 0;
constexpr int32_t kShowCmdNormal = 1;
constexpr int32_t kShowCmdMinimized = 2;
constexpr int32_t kShowCmdMaximized = 3;
constexpr int32_t kShowCmdShow = 5;

// The main window's placement as the window system reports it: eleven signed
// 32-bit fields, stored as 44 little-endian bytes.
struct WindowPlacement {
    int32_t length = 0;
    int32_t flags = 0;
    int32_t showCmd = 0;  // kShowCmdHide in a store that never kept a placement
    int32_t ptMinPosition[2] = {0, 0};
    int32_t ptMaxPosition[2] = {0, 0};
    int32_t rcNormalPosition[4] = {0, 0, 0, 0};  // left, top, right, bottom

    // Whether a placement was kept: the bytes of none hold the show state 0.
    bool IsKept() const { return showCmd != kShowCmdHide; }

    std::array<uint8_t, 44> ToBytes() const;
    // Fills the leading fields from up to 44 bytes; the rest stay as they are.
    void FromBytes(const uint8_t* p, size_t n);
    bool operator==(const WindowPlacement&) const = default;
};

// The user's settings: read once at start, written once at exit.
class GameSettings {
public:
    virtual ~GameSettings() = default;

    WindowPlacement m_placement;
    std::string m_strLastName;
    int32_t m_nArraySize = kSizeSmall;  // a size choice: Small, Large or Custom
    int32_t m_nGameSpeed = kSpeedLow;   // a speed choice: Low, Normal or High
    int32_t m_nArrayWidth = 0;
    int32_t m_nArrayHeight = 0;
    uint8_t m_bSounds = 1;

    // Reads the section's values and "Frame Placement" from the profile's
    // application key. Numbers outside their valid ranges are replaced by the
    // defaults, so they never index a table.
    void Load(CProfile& profile, const std::string& strSection);
    // Writes the six values of the section and "Frame Placement" at once.
    void Save(CProfile& profile, const std::string& strSection) const;

    // Timer interval of the chosen speed (Normal for a choice out of range).
    int32_t SpeedMs() const {
        return SpeedPresets[IsSpeedChoice(m_nGameSpeed) ? m_nGameSpeed : kSpeedNormal];
    }
};
