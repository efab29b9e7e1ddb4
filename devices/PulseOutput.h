// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <memory>
#include <string>

#include "devices/Sound.h"

// The output on the sound server protocol (PulseAudio, or PipeWire's server
// for it): one playback stream, mono 16-bit at 22050 Hz; clips in any other
// format are refused. Its client library is loaded when the output opens:
// the program needs it only to play, and without it stays silent. It never
// starts a server itself: no server means silence, and a server that does
// not complete the connection within connectTimeout is given up on. It
// prints nothing and needs nothing set up in the process.
// The stream carries the application's name (QCoreApplication) and, where
// given, a media role ("event", "music", ...) for the server's policies.
std::unique_ptr<SoundOutput> MakePulseOutput(
    const std::string& strMediaRole = {},
    std::chrono::milliseconds connectTimeout = std::chrono::seconds(3));
