// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include "framework/Sound.h"

// The output on the sound server protocol (PulseAudio, or PipeWire's server
// for it): one playback stream, always running, mono 16-bit at 22050 Hz, the
// format of the game's clips (clips in any other format are refused). It
// never starts a server itself: no server means silence, and a server that
// does not complete the connection within 3 s is given up on. It prints
// nothing and needs nothing set up in the process.
std::unique_ptr<SoundOutput> MakePulseOutput();
