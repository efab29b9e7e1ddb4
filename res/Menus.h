#pragma once
#include <span>

#include "res/Strings.h"

// The main window's menu, toolbar and accelerator tables, in both languages.

struct MenuItemRes {
    unsigned nID;  // 0: a separator
    const char* pszEnglish;
    const char* pszCzech;
    const char* Text(Language lang) const {
        return lang == Language::kCzech ? pszCzech : pszEnglish;
    }
};

struct PopupRes {
    const char* pszEnglish;
    const char* pszCzech;
    std::span<const MenuItemRes> items;
    const char* Text(Language lang) const {
        return lang == Language::kCzech ? pszCzech : pszEnglish;
    }
};

// Toolbar buttons in order; nID 0 is a separator. pszImage names the image in
// the embedded resources.
struct ToolButtonRes {
    unsigned nID;
    const char* pszImage;
};

enum AccelModifier : unsigned { kAccelNone = 0, kAccelCtrl = 1, kAccelShift = 2 };

enum class AccelKey { kH, kO, kP, kS, kEscape, kF2, kF6, kPause };

struct AccelRes {
    unsigned nModifiers;
    AccelKey key;
    unsigned nID;
};

std::span<const PopupRes> MainMenu();
std::span<const ToolButtonRes> MainToolbar();
std::span<const AccelRes> MainAccelerators();
