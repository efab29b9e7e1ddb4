// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own numbered resources: strings, commands and dialogs, beside
// the framework's standard ones. A command's prompt string carries the
// command's number. (The sounds' numbers are the rules' own, in GameHost.h.)

#include "framework/StdIds.h"

// The document string, menu, toolbar and icon of the main window
#define IDR_MAINFRAME 128

// Status and toolbar texts
#define IDS_SCORE 200
#define IDS_GAME_OVER 201
#define IDS_PLAYING 202
#define IDS_PAUSE 203
#define IDS_NEW_HIGH_SCORE 204
#define IDS_TOOLBAR 205

// Commands of the program
#define ID_HIGH_SCORES 32771
#define ID_SOUNDS 32772
#define ID_PAUSE 32773
#define ID_NEW_GAME 32777
#define ID_AUTO_RESIZE 32778
#define ID_HOW_TO_PLAY 32800

// Our own texts for the framework layer's reports and dialogs (61440 and up)
#define IDS_ERR_CANNOT_OPEN 61440
#define IDS_ERR_BAD_FORMAT 61441
#define IDS_ERR_OUT_OF_MEMORY 61442
#define IDS_ERR_CANNOT_SAVE 61443
#define IDS_ERR_ENTER_INTEGER 61444
#define IDS_ERR_INTEGER_RANGE 61445
#define IDS_STORE_SET_ASIDE 61448
#define IDS_STORE_UNREADABLE 61449
#define IDS_STORE_LINES_DROPPED 61450
#define IDS_STORE_DAMAGED_KEPT 61451
#define IDS_STORE_CANNOT_WRITE 61452
#define IDS_STORE_LOCK_BUSY 61453
#define IDS_STORE_SCORE_KEPT_ASIDE 61454
#define IDS_STORE_LINE 61455
#define IDS_STORE_MORE_LINES 61456

// Dialog texts (62000 and up): titles, labels and buttons of the dialogs
#define IDS_ABOUT_TITLE 62000
#define IDS_ABOUT_VERSION 62001
#define IDS_ABOUT_COPYRIGHT 62002
#define IDS_ABOUT_CONTACT 62003
#define IDS_ABOUT_LICENCE 62040  // the About box's licence line
#define IDS_HIGH_SCORES_TITLE 62010
#define IDS_NEW_HIGH_SCORE_TITLE 62011
#define IDS_COL_POSITION 62012
#define IDS_COL_NAME 62013
#define IDS_COL_SCORE 62014
#define IDS_BTN_CLOSE 62015
#define IDS_BTN_OK 62016
#define IDS_BTN_CANCEL 62017
#define IDS_NAME_CHARS_REFUSED 62018  // under the name box of a new high score
#define IDS_NEW_GAME_TITLE 62020
#define IDS_LBL_ARRAY_SIZE 62021
#define IDS_LBL_WIDTH 62022
#define IDS_LBL_HEIGHT 62023
#define IDS_LBL_SPEED 62024
#define IDS_SIZE_SMALL 62025
#define IDS_SIZE_LARGE 62026
#define IDS_SIZE_CUSTOM 62027
#define IDS_SPEED_LOW 62028
#define IDS_SPEED_NORMAL 62029
#define IDS_SPEED_HIGH 62030

// The application shell (63000 and up): command line, printing, file dialogs
#define IDS_CMD_USAGE 63000
#define IDS_CMD_DESCRIPTION 63001
#define IDS_CMD_OPTIONS 63002
#define IDS_CMD_OPT_HELP 63003
#define IDS_CMD_OPT_VERSION 63004
#define IDS_CMD_OPT_PRINT 63005
#define IDS_CMD_OPT_PRINT_TO 63006
#define IDS_CMD_OPT_SHORT_PRINT 63007
#define IDS_CMD_OPT_SHORT_PRINT_TO 63008
#define IDS_CMD_QT_OPTIONS 63009
#define IDS_CMD_ARG_FILE 63010
#define IDS_CMD_ARG_PRINTER 63011
#define IDS_CMD_ERR_UNKNOWN 63012
#define IDS_CMD_ERR_MISSING_VALUE 63013
#define IDS_CMD_ERR_MISSING_PRINTER 63014
#define IDS_CMD_ERR_UNEXPECTED 63015
#define IDS_CMD_TRY_HELP 63016
#define IDS_ERR_NO_DISPLAY 63017
#define IDS_CMD_ERR_MISSING_FILE 63018
#define IDS_ERR_NO_PRINTER 63020
#define IDS_ERR_NO_DEFAULT_PRINTER 63021
#define IDS_ERR_CANNOT_PRINT 63022
#define IDS_FILTER_ALL_FILES 63030

// The settings store's notices (63100 and up)
#define IDS_STORE_LEFT_OUT 63100
#define IDS_STORE_TOO_LARGE_KEPT 63101
#define IDS_STORE_NOT_REPAIRED 63102
#define IDS_STORE_WOULD_BE_TOO_LARGE 63103
#define IDS_STORE_NOT_STORED 63104
#define IDS_STORE_AT_EXIT 63105
#define IDS_STORE_AT_SIGNAL 63106

// Start-up and help (63300 and up)
#define IDS_ERR_DISPLAY_UNREACHABLE 63300
#define IDS_HOW_TO_PLAY_TITLE 63301
#define IDS_HOW_TO_PLAY_INTRO 63302
#define IDS_HOW_TO_PLAY_KEYS 63303
#define IDS_HOW_TO_PLAY_ITEMS 63304
#define IDS_HOW_TO_PLAY_DROPPINGS 63305
#define IDS_HOW_TO_PLAY_END 63306
#define IDS_HOW_TO_PLAY_BOARDS 63307
#define IDS_HOW_TO_PLAY_SCORES 63308
