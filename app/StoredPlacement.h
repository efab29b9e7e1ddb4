// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>
#include <optional>

class CFrameWnd;
struct WindowPlacement;

// The main window's placement, as the settings keep it, and back. The normal
// rectangle is the frame's outer one, decorations included, as the window
// manager places it.
WindowPlacement CaptureWindowPlacement(const CFrameWnd& wnd);
void ApplyWindowPlacement(CFrameWnd& wnd, const WindowPlacement& wp);
// The stored normal rectangle when it can be a window's: a positive size no
// larger than the largest screen, and coordinates far from the integer
// limits. Anything else is not used.
std::optional<QRect> SaneNormalRect(const WindowPlacement& wp);
