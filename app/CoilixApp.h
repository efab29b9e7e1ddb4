// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <memory>
#include <string>

#include "app/FileDialogs.h"
#include "devices/Gamepads.h"
#include "framework/CmdTarget.h"
#include "framework/CommandLine.h"
#include "game/HighScoreTable.h"
#include "store/CoilixDoc.h"
#include "store/GameSettings.h"
#include "store/RecentFileList.h"

class CBoardPrinting;
class CCoilixView;
class CFileRegistry;
class CHighScores;
class CMainFrame;
class CProfile;
class CSoundPlayer;
class SoundOutput;
class QuitSignals;
struct FileErrorReport;

// The program's name in its messages on the error output.
inline constexpr const char* kProgramName = "coilix";
// Writes "coilix: TEXT" and a line end to the error output.
void ReportToStderr(const QString& strText);
// The exit code when a file could not be opened or printed, or the settings
// and scores could not all be saved as the program ended.
inline constexpr int kExitFileFailure = 1;

// The application: the user's settings and the current board's score table,
// the one document, frame and view, the application-wide commands (files,
// new game, sounds, how to play, about; printing is CBoardPrinting's),
// start-up and exit.
class CCoilixApp : public CCmdTarget {
public:
    CCoilixApp();
    ~CCoilixApp() override;

    // Without a screen (Qt's offscreen or minimal platform) no message box
    // could be answered: messages then go to the error output.
    void SetHeadless(bool bHeadless) { m_bHeadless = bHeadless; }
    // Where the sounds go: the sound server, unless another output is given
    // before InitInstance (the window tests give one that records).
    void SetSoundOutput(std::unique_ptr<SoundOutput> pOutput);
    // Where the games' seeds come from: the clock, unless another source is
    // given before InitInstance (tests that want boards known in advance).
    void SetSeedSource(CCoilixDoc::SeedSource source) { m_seedSource = std::move(source); }

    // Builds the window and the first game as the command line asks; false
    // ends the program (nExitCode then says how).
    bool InitInstance(const CommandLineInfo& cmdInfo);
    // Closes the main window as Exit does if it is still open (the main loop
    // was ended by a signal), and saves as SaveAtExit does; returns the exit
    // code.
    int ExitInstance();
    // The main window is closing: the settings are written, and what waits
    // for the store is waited for a while; what could not be saved is said
    // while the window is still shown (at a signal, on the error output).
    void SaveAtExit();
    int ExitCode() const { return m_nExitCode; }

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    void OnFileNew();
    void OnNewGame();
    void OnSounds();
    void OnAppAbout();
    void OnHowToPlay();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();

    // Opens a saved game as the Open command does; false when it failed (a
    // fresh game then stands in if reading had begun).
    bool OpenFile(const std::string& strPath);
    bool SaveFile(const std::string& strPath);

    // A warning for the player: a message box over the main window, or the
    // error output where there is no screen or the job is the command line's.
    void ShowMessage(const QString& strText);

    // A termination signal (SIGTERM, SIGINT, SIGHUP) arrived: every dialog and
    // the main loop end, and the program ends as Exit ends it.
    void OnQuitSignal(int nSignal);
    // The session is being saved: the settings and the window's placement
    // are written now.
    void SaveSession();

    GameSettings m_settings;
    HighScoreTable m_scoreTable;

    CCoilixDoc& Document() { return *m_pDoc; }
    CCoilixView& View() { return *m_pView; }
    CMainFrame& MainFrame() { return *m_pMainWnd; }
    CProfile& Profile() { return *m_pProfile; }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    CBoardPrinting& Printing() { return *m_pPrinting; }
    // The gamepads, read once the window is on screen.
    CGamepads& Gamepads() { return *m_pGamepads; }

private:
    // The steps of InitInstance, in order.
    void LoadSettings();
    void CreateSoundPlayer(bool bPrintJob);
    void CreateDocument();
    void CreateMainWindow();
    bool StartFirstGame(const CommandLineInfo& cmdInfo);
    void ShowMainWindow();
    void EndAsExitOnSignalOrLogout();

    // A gamepad's direction steers as the arrow key does, its Start button
    // pauses as the Break key does, in the active main window only.
    void OnGamepad(CGamepads::Press press);
    // The main window is closing: the game ends, and the window's placement,
    // its bars and the settings are saved.
    void OnFrameClosing();
    void ReportFileError(const FileErrorReport& report);
    void UpdateTitle();
    void RememberFile(const std::string& strPath);
    bool PrintFromCommandLine(const CommandLineInfo& cmdInfo);

    std::unique_ptr<CFileRegistry> m_pRegistry;
    std::unique_ptr<CProfile> m_pProfile;
    std::unique_ptr<CCoilixDoc> m_pDoc;
    std::unique_ptr<SoundOutput> m_pSoundOutput;  // until InitInstance hands it to the player
    std::unique_ptr<CSoundPlayer> m_pSounds;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    std::unique_ptr<CBoardPrinting> m_pPrinting;
    std::unique_ptr<CGamepads> m_pGamepads;
    std::unique_ptr<CHighScores> m_pHighScores;
    CFileDialogs m_fileDialogs;
    CCoilixDoc::SeedSource m_seedSource;
    CCoilixView* m_pView = nullptr;  // owned by the frame
    CRecentFileList m_recentFiles;
    std::unique_ptr<QuitSignals> m_pQuitSignals;
    // No window placement was kept: until the window shows, the view fits
    // it to the board.
    bool m_bFirstStart = false;
    int m_nExitCode = 0;
    int m_nQuitSignal = 0;  // the signal that ended the program, if one did
    bool m_bSavedAtExit = false;
    bool m_bHeadless = false;
    bool m_bCommandLineJob = false;  // printing from the command line
};
