// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Strings.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>

#include "res/resource.h"

namespace {

struct NumberedText {
    unsigned nID;
    const char* pszId;  // the translation id: the number, written out
};

// The numbered texts. Each is translated by its number; the English text after
// "//%" is its source, which lupdate writes into the translation files, and
// "//:" says to the translator what the text is.
constexpr NumberedText kTexts[] = {
    //: The document string, fields split by line feeds: the window title, the name of an
    //: untitled game (the file name offered when saving), the program, the file type's name
    //: in the file dialogs, its extension; the last two fields are never shown.
    //% "Coilix\nGame\nCoilix\nCoilix Game Files (*.cx)\n.cx\nCoilix.Document\nCoilix Document"
    {IDR_MAINFRAME, QT_TRID_NOOP("128")},
    //: The score in the status bar; %ld is the number.
    //% "Score: %ld"
    {IDS_SCORE, QT_TRID_NOOP("200")},
    //% "Game over"
    {IDS_GAME_OVER, QT_TRID_NOOP("201")},
    //% "Playing..."
    {IDS_PLAYING, QT_TRID_NOOP("202")},
    //% "Pause"
    {IDS_PAUSE, QT_TRID_NOOP("203")},
    //% "New high score"
    {IDS_NEW_HIGH_SCORE, QT_TRID_NOOP("204")},
    //% "Toolbar"
    {IDS_TOOLBAR, QT_TRID_NOOP("205")},
    //% "Coilix"
    {AFX_IDS_APP_TITLE, QT_TRID_NOOP("57344")},
    //: The status bar when nothing else is said.
    //% "Ready"
    {AFX_IDS_IDLEMESSAGE, QT_TRID_NOOP("57345")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Display high scores table\nHigh Scores"
    {ID_HIGH_SCORES, QT_TRID_NOOP("32771")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Enable and disable sounds\nSounds"
    {ID_SOUNDS, QT_TRID_NOOP("32772")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Stop and continue game\nPause"
    {ID_PAUSE, QT_TRID_NOOP("32773")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Start a new game\nNew game"
    {ID_NEW_GAME, QT_TRID_NOOP("32777")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Start a new game\nNew game"
    {ID_FILE_NEW, QT_TRID_NOOP("57600")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Automatically resize to fit\nAuto Resize"
    {ID_AUTO_RESIZE, QT_TRID_NOOP("32778")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Display the program's version and copyright\nAbout Coilix"
    {ID_APP_ABOUT, QT_TRID_NOOP("57664")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Explain the keys, the rules and the scoring\nHow to Play"
    {ID_HOW_TO_PLAY, QT_TRID_NOOP("32800")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Open an existing game\nOpen game"
    {ID_FILE_OPEN, QT_TRID_NOOP("57601")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Save the game\nSave game"
    {ID_FILE_SAVE, QT_TRID_NOOP("57603")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Save the game with a new name\nSave As"
    {ID_FILE_SAVE_AS, QT_TRID_NOOP("57604")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Change the printer and printing options\nPrint Setup"
    {ID_FILE_PRINT_SETUP, QT_TRID_NOOP("57606")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Print the board\nPrint"
    {ID_FILE_PRINT, QT_TRID_NOOP("57607")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Display the full page\nPrint Preview"
    {ID_FILE_PRINT_PREVIEW, QT_TRID_NOOP("57609")},
    //% "Open this game"
    {ID_FILE_MRU_FILE1, QT_TRID_NOOP("57616")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Quit the application\nExit"
    {ID_APP_EXIT, QT_TRID_NOOP("57665")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Show or hide the toolbar\nToggle ToolBar"
    {ID_VIEW_TOOLBAR, QT_TRID_NOOP("59392")},
    //: A command's prompt in the status bar, a line feed, then its tooltip.
    //% "Show or hide the status bar\nToggle StatusBar"
    {ID_VIEW_STATUS_BAR, QT_TRID_NOOP("59393")},
    //% "Cannot open the file %1."
    {IDS_ERR_CANNOT_OPEN, QT_TRID_NOOP("61440")},
    //% "Unexpected file format."
    {IDS_ERR_BAD_FORMAT, QT_TRID_NOOP("61441")},
    //% "Not enough memory to open the file."
    {IDS_ERR_OUT_OF_MEMORY, QT_TRID_NOOP("61442")},
    //% "Cannot save the file %1."
    {IDS_ERR_CANNOT_SAVE, QT_TRID_NOOP("61443")},
    //% "Please enter an integer."
    {IDS_ERR_ENTER_INTEGER, QT_TRID_NOOP("61444")},
    //% "Please enter an integer between %1 and %2."
    {IDS_ERR_INTEGER_RANGE, QT_TRID_NOOP("61445")},
    //% "The settings file %1 was larger than a settings file can be. It is kept as %2; the scores "
    //% "and settings in it were read from it and are still used."
    {IDS_STORE_SET_ASIDE, QT_TRID_NOOP("61448")},
    //% "The settings file %1 cannot be read (%2). The default settings are used, and nothing is "
    //% "saved to it."
    {IDS_STORE_UNREADABLE, QT_TRID_NOOP("61449")},
    //% "Some lines of the settings file %1 could not be read and were left out (%2). Everything "
    //% "else was kept. The file as it was is kept as %3."
    {IDS_STORE_LINES_DROPPED, QT_TRID_NOOP("61450")},
    //% "Some lines of the settings file %1 could not be read (%2), and no copy of the file could "
    //% "be kept (%3). The file is left as it is, and nothing is saved to it."
    {IDS_STORE_DAMAGED_KEPT, QT_TRID_NOOP("61451")},
    //% "The settings file %1 cannot be written (%2). Settings and scores are not saved there."
    {IDS_STORE_CANNOT_WRITE, QT_TRID_NOOP("61452")},
    //% "The settings file %1 is in use by another program. What is to be saved waits, and is "
    //% "saved as soon as the file is free."
    {IDS_STORE_LOCK_BUSY, QT_TRID_NOOP("61453")},
    //% "The stored high scores of this board were damaged and have been replaced. The settings "
    //% "file as it was is kept as %1."
    {IDS_STORE_SCORE_KEPT_ASIDE, QT_TRID_NOOP("61454")},
    //: One line of the settings file that was left out: %1 its number, %2 its text.
    //% "line %1: %2"
    {IDS_STORE_LINE, QT_TRID_NOOP("61455")},
    //: After a few such lines: how many more there are.
    //% "and %1 more"
    {IDS_STORE_MORE_LINES, QT_TRID_NOOP("61456")},
    //% "About Coilix"
    {IDS_ABOUT_TITLE, QT_TRID_NOOP("62000")},
    //: %1 is the version number.
    //% "Coilix Version %1"
    {IDS_ABOUT_VERSION, QT_TRID_NOOP("62001")},
    //% "Copyright \u00A9 2026 Halvorn"
    {IDS_ABOUT_COPYRIGHT, QT_TRID_NOOP("62002")},
    //% "Questions and ideas: coilix@halvorn.example"
    {IDS_ABOUT_CONTACT, QT_TRID_NOOP("62003")},
    //% "This program is free software under the GNU GPL, version 3 or later."
    {IDS_ABOUT_LICENCE, QT_TRID_NOOP("62040")},
    //% "High Scores"
    {IDS_HIGH_SCORES_TITLE, QT_TRID_NOOP("62010")},
    //% "New High Score"
    {IDS_NEW_HIGH_SCORE_TITLE, QT_TRID_NOOP("62011")},
    //% "Position"
    {IDS_COL_POSITION, QT_TRID_NOOP("62012")},
    //% "Name"
    {IDS_COL_NAME, QT_TRID_NOOP("62013")},
    //% "Score"
    {IDS_COL_SCORE, QT_TRID_NOOP("62014")},
    //% "Close"
    {IDS_BTN_CLOSE, QT_TRID_NOOP("62015")},
    //% "OK"
    {IDS_BTN_OK, QT_TRID_NOOP("62016")},
    //% "Cancel"
    {IDS_BTN_CANCEL, QT_TRID_NOOP("62017")},
    //: Under the name box of the New High Score dialog, when the player typed or pasted
    //: characters that the score table cannot keep (its names are stored in a single-byte
    //: code page: 1250 for Czech, 1252 for English and German); they are not taken into the
    //: box. %1 is those characters, separated by spaces.
    //% "The score table cannot keep these characters: %1"
    {IDS_NAME_CHARS_REFUSED, QT_TRID_NOOP("62018")},
    //% "New Game"
    {IDS_NEW_GAME_TITLE, QT_TRID_NOOP("62020")},
    //% "Array size:"
    {IDS_LBL_ARRAY_SIZE, QT_TRID_NOOP("62021")},
    //% "Width:"
    {IDS_LBL_WIDTH, QT_TRID_NOOP("62022")},
    //% "Height:"
    {IDS_LBL_HEIGHT, QT_TRID_NOOP("62023")},
    //% "Speed:"
    {IDS_LBL_SPEED, QT_TRID_NOOP("62024")},
    //% "Small"
    {IDS_SIZE_SMALL, QT_TRID_NOOP("62025")},
    //% "Large"
    {IDS_SIZE_LARGE, QT_TRID_NOOP("62026")},
    //% "Custom"
    {IDS_SIZE_CUSTOM, QT_TRID_NOOP("62027")},
    //% "Low"
    {IDS_SPEED_LOW, QT_TRID_NOOP("62028")},
    //% "Normal"
    {IDS_SPEED_NORMAL, QT_TRID_NOOP("62029")},
    //% "High"
    {IDS_SPEED_HIGH, QT_TRID_NOOP("62030")},
    // The application shell: command line, printing, file dialogs.
    //: The first line of --help: %1 is the program, %2 the name of a file (text 63010).
    //% "Usage: %1 [options] [%2]"
    {IDS_CMD_USAGE, QT_TRID_NOOP("63000")},
    //% "Without a file, a new game starts; with one, that saved game opens, paused."
    {IDS_CMD_DESCRIPTION, QT_TRID_NOOP("63001")},
    //% "Options:"
    {IDS_CMD_OPTIONS, QT_TRID_NOOP("63002")},
    //% "Show this help and end."
    {IDS_CMD_OPT_HELP, QT_TRID_NOOP("63003")},
    //% "Show the version and end."
    {IDS_CMD_OPT_VERSION, QT_TRID_NOOP("63004")},
    //% "Print a saved game on the default printer and end."
    {IDS_CMD_OPT_PRINT, QT_TRID_NOOP("63005")},
    //% "Print a saved game on the named printer and end;\na name ending in .pdf writes a PDF "
    //% "file of that name."
    {IDS_CMD_OPT_PRINT_TO, QT_TRID_NOOP("63006")},
    //% "The same as --print (also -p, in any case)."
    {IDS_CMD_OPT_SHORT_PRINT, QT_TRID_NOOP("63007")},
    //% "The same as --print-to (also -pt, in any case)."
    {IDS_CMD_OPT_SHORT_PRINT_TO, QT_TRID_NOOP("63008")},
    //% "Qt's own options, such as -platform NAME and -style NAME, are passed on to Qt."
    {IDS_CMD_QT_OPTIONS, QT_TRID_NOOP("63009")},
    //: How --help names a saved-game file and a printer; written as placeholders, in capitals.
    //% "FILE.cx"
    {IDS_CMD_ARG_FILE, QT_TRID_NOOP("63010")},
    //% "PRINTER"
    {IDS_CMD_ARG_PRINTER, QT_TRID_NOOP("63011")},
    //: A command-line error, on the error output after "coilix: ", so in lower case;
    //: %1 is what was typed.
    //% "unknown option %1"
    {IDS_CMD_ERR_UNKNOWN, QT_TRID_NOOP("63012")},
    //: A command-line error, on the error output after "coilix: ", so in lower case;
    //: %1 is what was typed.
    //% "%1 needs a value"
    {IDS_CMD_ERR_MISSING_VALUE, QT_TRID_NOOP("63013")},
    //: A command-line error, on the error output after "coilix: ", so in lower case;
    //: %1 is what was typed.
    //% "%1 needs a file name"
    {IDS_CMD_ERR_MISSING_FILE, QT_TRID_NOOP("63018")},
    //: A command-line error, on the error output after "coilix: ", so in lower case.
    //% "--print-to needs a file name and a printer name"
    {IDS_CMD_ERR_MISSING_PRINTER, QT_TRID_NOOP("63014")},
    //: A command-line error, on the error output after "coilix: ", so in lower case;
    //: %1 is what was typed.
    //% "unexpected argument %1"
    {IDS_CMD_ERR_UNEXPECTED, QT_TRID_NOOP("63015")},
    //: After a command-line error; %1 is the program's name.
    //% "Try '%1 --help' for more information."
    {IDS_CMD_TRY_HELP, QT_TRID_NOOP("63016")},
    //: On the error output, after "coilix: "; lower case, as the other errors there.
    //% "cannot show the window: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)"
    {IDS_ERR_NO_DISPLAY, QT_TRID_NOOP("63017")},
    //% "There is no printer named %1."
    {IDS_ERR_NO_PRINTER, QT_TRID_NOOP("63020")},
    //% "There is no default printer."
    {IDS_ERR_NO_DEFAULT_PRINTER, QT_TRID_NOOP("63021")},
    //% "Cannot print to %1."
    {IDS_ERR_CANNOT_PRINT, QT_TRID_NOOP("63022")},
    //% "All Files (*)"
    {IDS_FILTER_ALL_FILES, QT_TRID_NOOP("63030")},
    //: After the text of a settings file kept aside: %1 is how many values it held that
    //: belong to other programs.
    //% "It also held values of other programs (%1 in all); they were left out."
    {IDS_STORE_LEFT_OUT, QT_TRID_NOOP("63100")},
    //% "The settings file %1 is larger than a settings file can be, and cannot be kept aside "
    //% "(%2). The scores and settings in it are still used, but nothing is saved to it."
    {IDS_STORE_TOO_LARGE_KEPT, QT_TRID_NOOP("63101")},
    //: %2 names the lines left out, %3 is the system's reason, %4 where the copy is.
    //% "Some lines of the settings file %1 could not be read (%2), and the file cannot be written "
    //% "again without them (%3). A copy of it is kept as %4. Everything else in it is used, but "
    //% "nothing is saved to it."
    {IDS_STORE_NOT_REPAIRED, QT_TRID_NOOP("63102")},
    //% "The settings file %1 would grow larger than a settings file can be read back. What was to "
    //% "be saved was not saved; the file stays as it was."
    {IDS_STORE_WOULD_BE_TOO_LARGE, QT_TRID_NOOP("63103")},
    //% "The settings file %1 was still in use by another program. The settings and scores that "
    //% "waited for it were not saved."
    {IDS_STORE_NOT_STORED, QT_TRID_NOOP("63104")},
    //: Above what went wrong with the settings file as the program ends.
    //% "Coilix is closing, and not everything could be saved."
    {IDS_STORE_AT_EXIT, QT_TRID_NOOP("63105")},
    //: One line on the error output: %1 names the signal that ended the program (SIGTERM),
    //: %2 says what went wrong with the settings file.
    //% "Ended by %1, and not everything could be saved: %2"
    {IDS_STORE_AT_SIGNAL, QT_TRID_NOOP("63106")},
    //: On the error output, after "coilix: "; lower case, as the other errors there. %1 names
    //: the display variables that are set ("DISPLAY=:1").
    //% "cannot show the window: the display cannot be reached (%1)"
    {IDS_ERR_DISPLAY_UNREACHABLE, QT_TRID_NOOP("63300")},
    // The How to Play page: its title, then its parts in order; each part but
    // the first starts with its heading on a line of its own.
    //: The title of the How to Play page, and its name for a screen reader.
    //% "How to Play"
    {IDS_HOW_TO_PLAY_TITLE, QT_TRID_NOOP("63301")},
    //: The How to Play page's first paragraph.
    //% "Steer the crawler across the board. Eat apples and coins, and keep away from the wall, "
    //% "the skulls and the crawler's own body."
    {IDS_HOW_TO_PLAY_INTRO, QT_TRID_NOOP("63302")},
    //: The How to Play page: a heading on its own line, then the keys. %1 is the Pause key's
    //: name, as the Options menu shows it ("Break"); %2 the key of a new game (F2); %3 the menu
    //: item of the New Game dialog ("Game > New..."); %4 the High Scores key (Ctrl+H); %5 the
    //: key of this page (F1); %6 the Exit key (Esc).
    //% "Keys\n"
    //% "The arrow keys steer: the crawler moves on by itself, one cell at a time, the way you "
    //% "sent it last. A new game waits for the first arrow key and sets off that way.\n"
    //% "The crawler cannot turn back on itself: an arrow pointing back the way it is going is "
    //% "ignored, and it goes straight on.\n"
    //% "%1 pauses the game; %1 again or an arrow key plays on. The game also pauses when its "
    //% "window is minimised or another program takes the focus, but not while one of its own "
    //% "dialogs, such as this page, is open.\n"
    //% "%2 starts a new game on the same board at the same speed; %3 lets you choose the board "
    //% "and the speed first.\n"
    //% "%4 shows the high scores, %5 this page, and %6 quits.\n"
    //% "A gamepad's direction pad or left stick steers as the arrow keys do; its Start button "
    //% "pauses."
    {IDS_HOW_TO_PLAY_KEYS, QT_TRID_NOOP("63303")},
    //: The How to Play page: a heading on its own line, then the items. %1 is what an apple
    //: scores (100), %2 and %3 the least and the most a coin scores (100, 1000).
    //% "What lies on the board\n"
    //% "Apple: %1 points, and the crawler grows one cell longer.\n"
    //% "Coin: %2 to %3 points.\n"
    //% "Skull: running onto it ends the game.\n"
    //% "Apples, coins and skulls turn up on free cells every few moves and vanish again after a "
    //% "while; skulls stay longer. A new skull never turns up straight ahead of the crawler's "
    //% "head."
    {IDS_HOW_TO_PLAY_ITEMS, QT_TRID_NOOP("63304")},
    //: The How to Play page: a heading on its own line, then the droppings. %1 and %2 are the
    //: least and the most a dropping costs (100, 800), %3 how many moves the crawler frowns (7).
    //% "Droppings\n"
    //% "Now and then the crawler leaves a dropping behind its tail. Eating one costs %1 to %2 "
    //% "points and makes the crawler frown for %3 moves; the score can fall below zero. "
    //% "Droppings vanish after a while, too."
    {IDS_HOW_TO_PLAY_DROPPINGS, QT_TRID_NOOP("63305")},
    //: The How to Play page: a heading on its own line, then what ends a game.
    //% "What ends a game\n"
    //% "Running into the wall, into the crawler's own body or onto a skull. Moving into the cell "
    //% "that the tail is just leaving is safe."
    {IDS_HOW_TO_PLAY_END, QT_TRID_NOOP("63306")},
    //: The How to Play page: a heading on its own line, then the boards and speeds, named as
    //: the New Game dialog names them. %1 and %2 are the sizes of the Small and the Large board
    //: ("17 × 13"), %3 and %4 the least and the most cells a custom board's side may have (5,
    //: 70), %5, %6 and %7 the milliseconds per move at the speeds Low, Normal and High.
    //% "Boards and speeds\n"
    //% "A Small board is %1 cells, a Large one %2; a Custom board may be %3 to %4 cells wide and "
    //% "high. At Low, Normal and High speed the crawler moves one cell every %5, %6 or %7 "
    //% "milliseconds."
    {IDS_HOW_TO_PLAY_BOARDS, QT_TRID_NOOP("63307")},
    //: The How to Play page: a heading on its own line, then the score tables. %1 is how many
    //: scores a table keeps (10).
    //% "High scores\n"
    //% "Every board size and speed has its own table of the %1 best scores. When a game ends "
    //% "with a score above zero that beats the lowest score in the table, or while the table "
    //% "holds fewer than %1, you are asked for your name. A game opened from a file comes back "
    //% "paused (an arrow key plays on) and never enters the table."
    {IDS_HOW_TO_PLAY_SCORES, QT_TRID_NOOP("63308")},
};

// Each id is its text's number, and no number is there twice.
constexpr bool IdIsTheNumber(const NumberedText& text) {
    unsigned n = 0;
    const char* p = text.pszId;
    if (*p == '\0') return false;
    for (; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return false;
        n = n * 10 + static_cast<unsigned>(*p - '0');
    }
    return n == text.nID;
}
constexpr bool NumbersAreUnique() {
    for (const NumberedText& a : kTexts) {
        if (std::count_if(std::begin(kTexts), std::end(kTexts),
                          [&a](const NumberedText& b) { return b.nID == a.nID; }) != 1) {
            return false;
        }
    }
    return true;
}
static_assert(std::all_of(std::begin(kTexts), std::end(kTexts), IdIsTheNumber));
static_assert(NumbersAreUnique());

// The program's translations and Qt's own, installed in the application.
struct Translations {
    QTranslator english;
    QTranslator program;
    QTranslator qt;
    QString strLanguage;
};

Translations& Installed() {
    static Translations t;
    return t;
}

const QString kEnglish = QStringLiteral("en");

}  // namespace

QStringList AvailableLanguages() {
    // The translations are built into the program as :/i18n/coilix_<language>.qm.
    // (Matched by hand: a name filter would compile a regular expression, a
    // cost the start of the program does without.)
    const QString strPrefix = QStringLiteral("coilix_");
    const QString strSuffix = QStringLiteral(".qm");
    QStringList languages;
    for (const QString& strFile :
         QDir(QStringLiteral(":/i18n")).entryList(QDir::Files, QDir::Name)) {
        if (strFile.startsWith(strPrefix) && strFile.endsWith(strSuffix))
            languages << strFile.sliced(strPrefix.size(),
                                        strFile.size() - strPrefix.size() - strSuffix.size());
    }
    return languages;
}

QString ChooseLanguage(const QStringList& userLanguages) {
    const QStringList available = AvailableLanguages();
    for (const QString& strWanted : userLanguages) {
        // "pt-BR" takes pt_BR, else pt; "zh-Hant-TW" zh_Hant_TW, zh_Hant, zh.
        QString strName = QString(strWanted).replace(QLatin1Char('-'), QLatin1Char('_'));
        while (!strName.isEmpty()) {
            for (const QString& strHave : available) {
                if (strHave.compare(strName, Qt::CaseInsensitive) == 0) return strHave;
            }
            const qsizetype n = strName.lastIndexOf(QLatin1Char('_'));
            strName.truncate(n < 0 ? 0 : n);
        }
    }
    return kEnglish;
}

QString LanguageFromEnvironment() {
    return ChooseLanguage(QLocale::system().uiLanguages());
}

void SetLanguage(const QString& strLanguage) {
    Translations& t = Installed();
    for (QTranslator* pTranslator : {&t.english, &t.program, &t.qt}) {
        QCoreApplication::removeTranslator(pTranslator);
    }
    t.strLanguage = AvailableLanguages().contains(strLanguage) ? strLanguage : kEnglish;
    // English has a translation too: it turns the ids into the English texts.
    // Installed first, it is asked last: a text that a language's file does
    // not hold yet comes out in English.
    const QString strDir = QStringLiteral(":/i18n");
    if (t.english.load(QStringLiteral("coilix_") + kEnglish, strDir)) {
        QCoreApplication::installTranslator(&t.english);
    }
    if (t.strLanguage != kEnglish &&
        t.program.load(QStringLiteral("coilix_") + t.strLanguage, strDir)) {
        QCoreApplication::installTranslator(&t.program);
    }
    // Qt's own texts, where the system has them; Qt itself is in English.
    if (t.strLanguage != kEnglish &&
        t.qt.load(QStringLiteral("qtbase_") + t.strLanguage,
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&t.qt);
    }
}

QString GetLanguage() {
    return Installed().strLanguage;
}

QString ProgramString(unsigned nID) {
    for (const NumberedText& text : kTexts) {
        if (text.nID == nID) return qtTrId(text.pszId);
    }
    return {};
}
