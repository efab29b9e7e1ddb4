#include "app/Strings.h"

#include <cstdlib>
#include <cstring>

#include "res/resource.h"

namespace {

struct StringEntry {
    unsigned nID;
    const char* pszEnglish;
    const char* pszCzech;
};

// Command prompts: the status-bar prompt, a line feed, then the tooltip.
constexpr StringEntry kStrings[] = {
    {IDR_MAINFRAME,
     "Coilix\nGame\nCoilix\nCoilix Game Files (*.cx)\n.cx\nCoilix.Document\nCoilix Document",
     "Coilix\nHra\nCoilix\nSoubory hry Coilix (*.cx)\n.cx\nCoilix.Document\nCoilix Document"},
    {IDS_SCORE, "Score: %ld", "Skóre: %ld"},
    {IDS_GAME_OVER, "Game over", "Konec hry"},
    {IDS_PLAYING, "Playing...", "Hraji..."},
    {IDS_PAUSE, "Pause", "Přerušeno"},
    {IDS_NEW_HIGH_SCORE, "New high score", "Nový rekord"},
    {IDS_TOOLBAR, "Toolbar", "Panel nástrojů"},
    {AFX_IDS_APP_TITLE, "Coilix", "Coilix"},
    {AFX_IDS_IDLEMESSAGE, "Ready", "Připraven"},
    {ID_HIGH_SCORES, "Display high scores table\nHigh Scores", "Zobrazí tabulku rekordů\nRekordy"},
    {ID_SOUNDS, "Enable and disable sounds\nSounds", "Vypne nebo zapne zvuky\nZvuky"},
    {ID_PAUSE, "Stop and continue game\nPause", "Přeruší nebo znovu spustí hru\nPřerušit"},
    {ID_NEW_GAME, "Start a new game\nNew game", "Začne novou hru\nNová hra"},
    {ID_FILE_NEW, "Start a new game\nNew game", "Začne novou hru\nNová hra"},
    {ID_AUTO_RESIZE, "Automatically resize to fit\nAuto Resize",
     "Automaticky přizpůsobí velikost okna\nPřizpůsobit velikost"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout Coilix",
     "Zobrazí informace o programu, verzi a autorských právech\nCo je Coilix"},
    {ID_FILE_OPEN, "Open an existing game\nOpen game", "Otevře uloženou hru\nOtevřít hru"},
    {ID_FILE_SAVE, "Save the game\nSave game", "Uloží hru\nUložit hru"},
    {ID_FILE_SAVE_AS, "Save the game with a new name\nSave As",
     "Uloží hru pod novým jménem\nUložit jako"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup",
     "Změní tiskárnu a nastavení tisku\nNastavení tisku"},
    {ID_FILE_PRINT, "Print the board\nPrint", "Vytiskne hrací pole\nTisk"},
    {ID_FILE_PRINT_PREVIEW, "Display the full page\nPrint Preview",
     "Zobrazí celou stránku\nNáhled"},
    {ID_FILE_MRU_FILE1, "Open this game", "Otevře tuto hru"},
    {ID_APP_EXIT, "Quit the application\nExit", "Ukončí aplikaci\nKonec"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar",
     "Zobrazí nebo skryje panel nástrojů\nPanel nástrojů"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar",
     "Zobrazí nebo skryje stavový řádek\nStavový řádek"},
    {IDS_ERR_CANNOT_OPEN, "Cannot open the file %1.", "Soubor %1 nelze otevřít."},
    {IDS_ERR_BAD_FORMAT, "Unexpected file format.", "Neočekávaný formát souboru."},
    {IDS_ERR_OUT_OF_MEMORY, "Not enough memory to open the file.",
     "Pro otevření souboru není dost paměti."},
    {IDS_ERR_CANNOT_SAVE, "Cannot save the file %1.", "Soubor %1 nelze uložit."},
    {IDS_ERR_ENTER_INTEGER, "Please enter an integer.", "Zadejte celé číslo."},
    {IDS_ERR_INTEGER_RANGE, "Please enter an integer between %1 and %2.",
     "Zadejte celé číslo od %1 do %2."},
    {IDS_STORE_SET_ASIDE,
     "The settings file %1 is far too large to be one. It was kept as %2, and the default "
     "settings are used.",
     "Soubor s nastavením %1 je příliš velký, než aby jím mohl být. Byl uschován jako %2 a "
     "použije se výchozí nastavení."},
    {IDS_STORE_UNREADABLE,
     "The settings file %1 cannot be read (%2). The default settings are used, and nothing is "
     "saved to it.",
     "Soubor s nastavením %1 nelze přečíst (%2). Použije se výchozí nastavení a nic se do něj "
     "neuloží."},
    {IDS_STORE_LINES_DROPPED,
     "Some lines of the settings file %1 could not be read and were left out (%2). Everything "
     "else was kept. The file as it was is kept as %3.",
     "Některé řádky souboru s nastavením %1 nelze přečíst, a byly proto vynechány (%2). Vše "
     "ostatní zůstalo zachováno. Původní soubor je uschován jako %3."},
    {IDS_STORE_DAMAGED_KEPT,
     "Some lines of the settings file %1 could not be read (%2), and no copy of the file could "
     "be kept (%3). The file is left as it is, and nothing is saved to it.",
     "Některé řádky souboru s nastavením %1 nelze přečíst (%2) a kopii souboru nelze uschovat "
     "(%3). Soubor zůstane, jak je, a nic se do něj neuloží."},
    {IDS_STORE_CANNOT_WRITE,
     "The settings file %1 cannot be written (%2). Settings and scores are not saved there; the "
     "game goes on.",
     "Do souboru s nastavením %1 nelze zapisovat (%2). Nastavení a rekordy se do něj neuloží; "
     "hra pokračuje."},
    {IDS_STORE_LOCK_BUSY,
     "The settings file %1 is in use by another program. What was to be saved now was not "
     "saved; the game goes on.",
     "Soubor s nastavením %1 používá jiný program. Co se mělo právě uložit, uloženo nebylo; hra "
     "pokračuje."},
    {IDS_STORE_SCORE_KEPT_ASIDE,
     "The stored high scores of this board were damaged and have been replaced. The settings "
     "file as it was is kept as %1.",
     "Uložené rekordy tohoto hracího pole byly poškozené a byly nahrazeny. Původní soubor s "
     "nastavením je uschován jako %1."},
    {IDS_STORE_LINE, "line %1: %2", "řádek %1: %2"},
    {IDS_STORE_MORE_LINES, "and %1 more", "a dalších %1"},
    {IDS_ABOUT_TITLE, "About Coilix", "Co je Coilix"},
    {IDS_ABOUT_VERSION, "Coilix Version %1", "Coilix Verze %1"},
    {IDS_ABOUT_COPYRIGHT, "Copyright \u00A9 2026 Halvorn", "Copyright \u00A9 2026 Halvorn"},
    {IDS_ABOUT_CONTACT, "Questions and ideas: coilix@halvorn.example",
     "Dotazy a nápady: coilix@halvorn.example"},
    {IDS_ABOUT_LICENCE, "This program is free software under the GNU GPL, version 3 or later.",
     "Tento program je svobodný software pod licencí GNU GPL verze 3 nebo novější."},
    {IDS_HIGH_SCORES_TITLE, "High Scores", "Rekordy"},
    {IDS_NEW_HIGH_SCORE_TITLE, "New High Score", "Nový rekord"},
    {IDS_COL_POSITION, "Position", "Pozice"},
    {IDS_COL_NAME, "Name", "Jméno"},
    {IDS_COL_SCORE, "Score", "Skóre"},
    {IDS_BTN_CLOSE, "Close", "Zavřít"},
    {IDS_BTN_OK, "OK", "OK"},
    {IDS_BTN_CANCEL, "Cancel", "Storno"},
    {IDS_NEW_GAME_TITLE, "New Game", "Nová hra"},
    {IDS_LBL_ARRAY_SIZE, "Array size:", "Velikost pole:"},
    {IDS_LBL_WIDTH, "Width:", "Šířka:"},
    {IDS_LBL_HEIGHT, "Height:", "Výška:"},
    {IDS_LBL_SPEED, "Speed:", "Rychlost:"},
    {IDS_SIZE_SMALL, "Small", "Malá"},
    {IDS_SIZE_LARGE, "Large", "Velká"},
    {IDS_SIZE_CUSTOM, "Custom", "Dle nastavení"},
    {IDS_SPEED_LOW, "Low", "Nízká"},
    {IDS_SPEED_NORMAL, "Normal", "Střední"},
    {IDS_SPEED_HIGH, "High", "Vysoká"},
    // The application shell: command line, printing, file dialogs.
    {IDS_CMD_USAGE, "Usage: %1 [options] [%2]", "Použití: %1 [volby] [%2]"},
    {IDS_CMD_DESCRIPTION,
     "Without a file, a new game starts; with one, that saved game opens, paused.",
     "Bez souboru začne nová hra; se souborem se otevře uložená hra, přerušená."},
    {IDS_CMD_OPTIONS, "Options:", "Volby:"},
    {IDS_CMD_OPT_HELP, "Show this help and end.", "Zobrazí tuto nápovědu a skončí."},
    {IDS_CMD_OPT_VERSION, "Show the version and end.", "Zobrazí verzi a skončí."},
    {IDS_CMD_OPT_PRINT, "Print a saved game on the default printer and end.",
     "Vytiskne uloženou hru na výchozí tiskárně a skončí."},
    {IDS_CMD_OPT_PRINT_TO,
     "Print a saved game on the named printer and end;\na name ending in .pdf writes a PDF "
     "file of that name.",
     "Vytiskne uloženou hru na zadané tiskárně a skončí;\njméno končící na .pdf zapíše soubor "
     "PDF tohoto jména."},
    {IDS_CMD_OPT_SHORT_PRINT, "The same as --print (also -p, in any case).",
     "Totéž co --print (také -p, malými i velkými písmeny)."},
    {IDS_CMD_OPT_SHORT_PRINT_TO, "The same as --print-to (also -pt, in any case).",
     "Totéž co --print-to (také -pt, malými i velkými písmeny)."},
    {IDS_CMD_QT_OPTIONS,
     "Qt's own options, such as -platform NAME and -style NAME, are passed on to Qt.",
     "Vlastní volby Qt, například -platform JMÉNO a -style JMÉNO, se předají Qt."},
    {IDS_CMD_ARG_FILE, "FILE.cx", "SOUBOR.cx"},
    {IDS_CMD_ARG_PRINTER, "PRINTER", "TISKÁRNA"},
    {IDS_CMD_ERR_UNKNOWN, "unknown option %1", "neznámá volba %1"},
    {IDS_CMD_ERR_MISSING_VALUE, "%1 needs a value", "%1 vyžaduje hodnotu"},
    {IDS_CMD_ERR_MISSING_FILE, "%1 needs a file name", "%1 vyžaduje jméno souboru"},
    {IDS_CMD_ERR_MISSING_PRINTER, "--print-to needs a file name and a printer name",
     "--print-to vyžaduje jméno souboru a jméno tiskárny"},
    {IDS_CMD_ERR_UNEXPECTED, "unexpected argument %1", "nečekaný argument %1"},
    {IDS_CMD_TRY_HELP, "Try '%1 --help' for more information.",
     "Více informací vypíše '%1 --help'."},
    {IDS_ERR_NO_DISPLAY,
     "cannot show the window: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)",
     "okno nelze zobrazit: není k dispozici displej (není nastaveno DISPLAY ani "
     "WAYLAND_DISPLAY)"},
    {IDS_ERR_NO_PRINTER, "There is no printer named %1.", "Tiskárna %1 neexistuje."},
    {IDS_ERR_NO_DEFAULT_PRINTER, "There is no default printer.",
     "Není nastavena výchozí tiskárna."},
    {IDS_ERR_CANNOT_PRINT, "Cannot print to %1.", "Na %1 nelze tisknout."},
    {IDS_FILTER_ALL_FILES, "All Files (*)", "Všechny soubory (*)"},
};

Language g_language = Language::kEnglish;

bool NamesCzech(const char* pszValue) {
    // "cs", "cs_CZ", "cs_CZ.UTF-8", "cs:en" ...; a LANGUAGE list is judged by its first entry.
    return std::strncmp(pszValue, "cs", 2) == 0 &&
           (pszValue[2] == '\0' || pszValue[2] == '_' || pszValue[2] == '.' || pszValue[2] == ':' ||
            pszValue[2] == '@');
}

}  // namespace

void SetLanguage(Language lang) {
    g_language = lang;
}
Language GetLanguage() {
    return g_language;
}

Language LanguageFromEnvironment() {
    for (const char* pszName : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* pszValue = std::getenv(pszName);
        if (pszValue != nullptr && *pszValue != '\0') {
            return NamesCzech(pszValue) ? Language::kCzech : Language::kEnglish;
        }
    }
    return Language::kEnglish;
}

std::string LoadString(unsigned nID, Language lang) {
    for (const StringEntry& e : kStrings) {
        if (e.nID == nID) return lang == Language::kCzech ? e.pszCzech : e.pszEnglish;
    }
    return {};
}

std::string LoadString(unsigned nID) {
    return LoadString(nID, g_language);
}
