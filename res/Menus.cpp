#include "res/Menus.h"

#include "res/resource.h"

namespace {

// Text after a tab is the shortcut shown beside the item; it binds nothing.
constexpr MenuItemRes kGameItems[] = {
    {ID_NEW_GAME, "&New...\tF2", "&Nová...\tF2"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O", "&Otevřít...\tCtrl+O"},
    {ID_FILE_SAVE, "&Save\tCtrl+S", "&Uložit\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Save &As...", "Uložit j&ako..."},
    {0, nullptr, nullptr},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "&Tisk...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Ná&hled"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "&Nastavení tisku..."},
    {0, nullptr, nullptr},
    {ID_FILE_MRU_FILE1, "Recent File", "Minulý soubor"},
    {0, nullptr, nullptr},
    {ID_APP_EXIT, "E&xit\tEsc", "&Konec\tEsc"},
};

constexpr MenuItemRes kViewItems[] = {
    {ID_VIEW_TOOLBAR, "&Toolbar", "Panel &nástrojů"},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "&Stavový řádek"},
    {0, nullptr, nullptr},
    {ID_HIGH_SCORES, "&High Scores...\tCtrl+H", "&Rekordy...\tCtrl+H"},
};

constexpr MenuItemRes kOptionsItems[] = {
    {ID_PAUSE, "&Pause\tBreak", "&Přerušit\tBreak"},
    {ID_SOUNDS, "&Sound Off", "&Vypnout zvuky"},
    {0, nullptr, nullptr},
    {ID_AUTO_RESIZE, "&Auto Resize", "&Přizpůsobit velikost"},
};

constexpr MenuItemRes kHelpItems[] = {
    {ID_APP_ABOUT, "&About Coilix...", "&Co je Coilix..."},
};

constexpr PopupRes kMenu[] = {
    {"&Game", "&Hra", kGameItems},
    {"&View", "&Zobrazit", kViewItems},
    {"&Options", "&Možnosti", kOptionsItems},
    {"&Help", "Nápo&věda", kHelpItems},
};

constexpr ToolButtonRes kToolbar[] = {
    {ID_FILE_NEW, "new"},
    {ID_FILE_OPEN, "open"},
    {ID_FILE_SAVE, "save"},
    {0, nullptr},
    {ID_PAUSE, "pause"},
    {ID_SOUNDS, "sound_off"},
    {ID_AUTO_RESIZE, "auto_resize"},
    {0, nullptr},
    {ID_FILE_PRINT, "print"},
    {ID_APP_ABOUT, "about"},
};

constexpr AccelRes kAccelerators[] = {
    {kAccelCtrl, AccelKey::kH, ID_HIGH_SCORES},   {kAccelCtrl, AccelKey::kO, ID_FILE_OPEN},
    {kAccelCtrl, AccelKey::kP, ID_FILE_PRINT},    {kAccelCtrl, AccelKey::kS, ID_FILE_SAVE},
    {kAccelNone, AccelKey::kEscape, ID_APP_EXIT}, {kAccelNone, AccelKey::kF2, ID_FILE_NEW},
    {kAccelNone, AccelKey::kF6, ID_NEXT_PANE},    {kAccelShift, AccelKey::kF6, ID_PREV_PANE},
    {kAccelNone, AccelKey::kPause, ID_PAUSE},
};

}  // namespace

std::span<const PopupRes> MainMenu() {
    return kMenu;
}
std::span<const ToolButtonRes> MainToolbar() {
    return kToolbar;
}
std::span<const AccelRes> MainAccelerators() {
    return kAccelerators;
}
