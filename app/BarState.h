// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QMargins>
#include <optional>

class CProfile;

// The main window's bars as the store keeps them, in the section "Control":
// Qt's own record of the toolbars (where each is docked or floats, whether it
// shows) as "Bar State", and the widths of the window's decorations last seen
// as "Frame Margins", four 32-bit little-endian numbers: left, top, right,
// bottom.
struct BarState {
    QByteArray toolBars;                   // empty: nothing kept
    std::optional<QMargins> frameMargins;  // nothing kept
};

// What the store holds; margins no decoration could have are left out.
BarState ReadBarState(CProfile& profile);
// Both values in one write: one lock, one replacement of the file.
void WriteBarState(CProfile& profile, const BarState& state);
