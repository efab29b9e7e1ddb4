#include "app/Menus.h"

#include "app/Strings.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {

struct ItemText {
    unsigned nID;  // 0: a separator
    const char* pszEnglish;
    const char* pszCzech;
    unsigned nShowKeyOf = 0;
};

struct PopupText {
    const char* pszEnglish;
    const char* pszCzech;
    std::initializer_list<ItemText> items;
};

QString Text(const char* pszEnglish, const char* pszCzech) {
    return QString::fromUtf8(GetLanguage() == Language::kCzech ? pszCzech : pszEnglish);
}

// "&New..." shows F2, the key of the new-game command without the dialog.
const PopupText kMenu[] = {
    {"&Game",
     "&Hra",
     {
         {ID_NEW_GAME, "&New...", "&Nová...", ID_FILE_NEW},
         {ID_FILE_OPEN, "&Open...", "&Otevřít..."},
         {ID_FILE_SAVE, "&Save", "&Uložit"},
         {ID_FILE_SAVE_AS, "Save &As...", "Uložit j&ako..."},
         {0, nullptr, nullptr},
         {ID_FILE_PRINT, "&Print...", "&Tisk..."},
         {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Ná&hled"},
         {ID_FILE_PRINT_SETUP, "P&rint Setup...", "&Nastavení tisku..."},
         {0, nullptr, nullptr},
         {ID_FILE_MRU_FILE1, "Recent File", "Minulý soubor"},
         {0, nullptr, nullptr},
         {ID_APP_EXIT, "E&xit", "&Konec"},
     }},
    {"&View",
     "&Zobrazit",
     {
         {ID_VIEW_TOOLBAR, "&Toolbar", "Panel &nástrojů"},
         {ID_VIEW_STATUS_BAR, "&Status Bar", "&Stavový řádek"},
         {0, nullptr, nullptr},
         {ID_HIGH_SCORES, "&High Scores...", "&Rekordy..."},
     }},
    {"&Options",
     "&Možnosti",
     {
         {ID_PAUSE, "&Pause", "&Přerušit"},
         {ID_SOUNDS, "&Sound Off", "&Vypnout zvuky"},
         {0, nullptr, nullptr},
         {ID_AUTO_RESIZE, "&Auto Resize", "&Přizpůsobit velikost"},
     }},
    {"&Help", "Nápo&věda", {{ID_APP_ABOUT, "&About Coilix...", "&Co je Coilix..."}}},
};

}  // namespace

FrameBars MainFrameBars() {
    FrameBars bars;
    for (const PopupText& popup : kMenu) {
        PopupDef def{Text(popup.pszEnglish, popup.pszCzech), {}};
        for (const ItemText& item : popup.items) {
            if (item.nID == 0) {
                def.items.push_back({});
            } else {
                def.items.push_back(
                    {item.nID, Text(item.pszEnglish, item.pszCzech), item.nShowKeyOf});
            }
        }
        bars.menu.push_back(std::move(def));
    }
    bars.toolbar = {
        {ID_FILE_NEW, "new"},
        {ID_FILE_OPEN, "open"},
        {ID_FILE_SAVE, "save"},
        {0, {}},
        {ID_PAUSE, "pause"},
        {ID_SOUNDS, "sound_off"},
        {ID_AUTO_RESIZE, "auto_resize"},
        {0, {}},
        {ID_FILE_PRINT, "print"},
        {ID_APP_ABOUT, "about"},
    };
    bars.accelerators = {
        {QKeySequence(Qt::CTRL | Qt::Key_H), ID_HIGH_SCORES},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ID_FILE_PRINT},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
        {QKeySequence(Qt::Key_Escape), ID_APP_EXIT},
        {QKeySequence(Qt::Key_F2), ID_FILE_NEW},
        {QKeySequence(Qt::Key_Pause), ID_PAUSE},
    };
    bars.strToolbarCaption = LoadQString(IDS_TOOLBAR);
    bars.strToolbarMore = Text("More Buttons", "Další tlačítka");
    bars.nPane1Width = kScorePaneMinWidth;
    bars.strPane1Format = LoadQString(IDS_SCORE);
    return bars;
}

QString BoardAccessibleName() {
    return Text("Board", "Hrací plocha");
}
