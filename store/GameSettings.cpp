// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/GameSettings.h"

#include <vector>

#include "store/Endian.h"
#include "store/Profile.h"

namespace {

constexpr const char* kFramePlacement = "Frame Placement";

}  // namespace

std::array<uint8_t, 44> WindowPlacement::ToBytes() const {
    std::array<uint8_t, 44> bytes{};
    const int32_t fields[11] = {length,
                                flags,
                                showCmd,
                                ptMinPosition[0],
                                ptMinPosition[1],
                                ptMaxPosition[0],
                                ptMaxPosition[1],
                                rcNormalPosition[0],
                                rcNormalPosition[1],
                                rcNormalPosition[2],
                                rcNormalPosition[3]};
    for (size_t i = 0; i < 11; ++i) PutInt32LE(bytes.data() + 4 * i, fields[i]);
    return bytes;
}

void WindowPlacement::FromBytes(const uint8_t* p, size_t n) {
    // Byte for byte, as the registry fills a buffer: a short value replaces
    // only the leading bytes, even part of a field.
    std::array<uint8_t, 44> bytes = ToBytes();
    if (n > bytes.size()) n = bytes.size();
    for (size_t i = 0; i < n; ++i) bytes[i] = p[i];
    int32_t* fields[11] = {&length,
                           &flags,
                           &showCmd,
                           &ptMinPosition[0],
                           &ptMinPosition[1],
                           &ptMaxPosition[0],
                           &ptMaxPosition[1],
                           &rcNormalPosition[0],
                           &rcNormalPosition[1],
                           &rcNormalPosition[2],
                           &rcNormalPosition[3]};
    for (size_t i = 0; i < 11; ++i) *fields[i] = GetInt32LE(bytes.data() + 4 * i);
}

void GameSettings::Load(CProfile& profile, const std::string& strSection) {
    m_strLastName = profile.GetProfileString(strSection, "Last Name", "");

    m_nArraySize = profile.GetProfileInt(strSection, "Array Size", kSizeSmall);
    if (!IsSizeChoice(m_nArraySize)) m_nArraySize = kSizeSmall;
    const SizePreset& preset = PresetFor(m_nArraySize);

    m_nArrayWidth = profile.GetProfileInt(strSection, "Array Width", preset.nWidth);
    if (!IsBoardSideAllowed(m_nArrayWidth)) m_nArrayWidth = preset.nWidth;
    m_nArrayHeight = profile.GetProfileInt(strSection, "Array Height", preset.nHeight);
    if (!IsBoardSideAllowed(m_nArrayHeight)) m_nArrayHeight = preset.nHeight;

    m_nGameSpeed = profile.GetProfileInt(strSection, "Game Speed", kSpeedNormal);
    if (!IsSpeedChoice(m_nGameSpeed)) m_nGameSpeed = kSpeedNormal;

    m_bSounds = profile.GetProfileInt(strSection, "Sounds", 1) != 0 ? 1 : 0;

    // The placement is read as raw bytes whatever its type; a longer value
    // fails and leaves the placement as it was.
    if (auto bytes = QueryBytes(profile.Registry(), profile.AppKey(), kFramePlacement, 44)) {
        m_placement.FromBytes(bytes->data(), bytes->size());
    }
}

void GameSettings::Save(CProfile& profile, const std::string& strSection) const {
    const std::string strKey = profile.SectionKey(strSection);
    auto dword = [](int32_t n) { return RegValue::Dword(static_cast<uint32_t>(n)); };
    const std::array<uint8_t, 44> placement = m_placement.ToBytes();

    // All seven values in one write: one lock, one replacement of the file.
    // A failure is ignored, as the settings rules say.
    profile.Registry().Apply({
        RegChange{strKey, "Last Name", RegValue::String(m_strLastName)},
        RegChange{strKey, "Array Size", dword(m_nArraySize)},
        RegChange{strKey, "Array Width", dword(m_nArrayWidth)},
        RegChange{strKey, "Array Height", dword(m_nArrayHeight)},
        RegChange{strKey, "Game Speed", dword(m_nGameSpeed)},
        RegChange{strKey, "Sounds", dword(m_bSounds != 0 ? 1 : 0)},
        RegChange{profile.AppKey(), kFramePlacement,
                  RegValue::Binary(std::vector<uint8_t>(placement.begin(), placement.end()))},
    });
}
