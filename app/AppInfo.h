// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names under which the program keeps its settings: the store's key
// ("Software\<company>\<app>") and its file (<company>/<app>.reg in the
// user's configuration folder).
inline constexpr const char* kCompanyName = "Halvorn";
inline constexpr const char* kAppName = "Coilix";
