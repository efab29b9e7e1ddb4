#pragma once
// Numbered resources shared by the core and the window: strings, commands,
// sounds, tiles and dialogs. Commands' prompt strings carry the command's id.

// Dialogs
#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 128
#define IDD_HIGH_SCORES 157
#define IDD_NEW_HIGH_SCORE 158
#define IDD_NEW_GAME 166

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

// Standard commands
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_FILE_MRU_FILE1 57616
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Standard strings
#define AFX_IDS_APP_TITLE 57344
#define AFX_IDS_IDLEMESSAGE 57345

// Our own texts for the framework layer's reports and dialogs (61440 and up)
#define IDS_ERR_CANNOT_OPEN 61440
#define IDS_ERR_BAD_FORMAT 61441
#define IDS_ERR_OUT_OF_MEMORY 61442
#define IDS_ERR_CANNOT_SAVE 61443
#define IDS_ERR_ENTER_INTEGER 61444
#define IDS_ERR_INTEGER_RANGE 61445
#define IDS_ERR_TEXT_TOO_LONG 61446
#define IDS_UNTITLED 61447
#define IDS_STORE_SET_ASIDE 61448

// Dialog texts (62000 and up): titles, labels and buttons of the dialogs
#define IDS_ABOUT_TITLE 62000
#define IDS_ABOUT_VERSION 62001
#define IDS_ABOUT_COPYRIGHT 62002
#define IDS_ABOUT_CONTACT 62003
#define IDS_HIGH_SCORES_TITLE 62010
#define IDS_NEW_HIGH_SCORE_TITLE 62011
#define IDS_COL_POSITION 62012
#define IDS_COL_NAME 62013
#define IDS_COL_SCORE 62014
#define IDS_BTN_CLOSE 62015
#define IDS_BTN_OK 62016
#define IDS_BTN_CANCEL 62017
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

// Sounds
#define IDW_MOVE 150
#define IDW_APPLE 152
#define IDW_COIN 153
#define IDW_SKULL 154
#define IDW_CRASH 155
#define IDW_DROPPING 156
#define IDW_HIGH_SCORE 159
