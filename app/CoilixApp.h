#pragma once
#include <QString>
#include <memory>
#include <string>

#include "framework/CmdTarget.h"
#include "framework/CommandLine.h"
#include "game/HighScoreTable.h"
#include "store/GameSettings.h"
#include "store/RecentFileList.h"

class CCoilixDoc;
class CCoilixView;
class CFileRegistry;
class CMainFrame;
class CProfile;
class CSoundPlayer;
class QPrinter;
struct FileErrorReport;

// The application: the user's settings and the current board's score table,
// the one document, frame and view, the application-wide commands (files,
// printing, new game, sounds, about), start-up and exit.
class CCoilixApp : public CCmdTarget {
public:
    CCoilixApp();
    ~CCoilixApp() override;

    // Builds the window and the first game as the command line asks; false
    // ends the program (nExitCode then says how).
    bool InitInstance(const CommandLineInfo& cmdInfo);
    // Writes the settings; returns the exit code.
    int ExitInstance();
    int ExitCode() const { return m_nExitCode; }

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    void OnFileNew();
    void OnNewGame();
    void OnSounds();
    void OnAppAbout();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

    // Opens a saved game as the Open command does; false when it failed (a
    // fresh game then stands in if reading had begun).
    bool OpenFile(const std::string& strPath);
    bool SaveFile(const std::string& strPath);
    // Prints the whole board, one page, from the page's top-left corner.
    void PrintBoard(QPrinter& printer);

    // A finished game was given row nRow of the table: ask the player's name,
    // store the table at once, then show it.
    void EnterNewScore(int nRow);
    // The table of the current board and speed.
    void ShowHighScores();

    GameSettings m_settings;
    HighScoreTable m_scoreTable;

    CCoilixDoc& Document() { return *m_pDoc; }
    CCoilixView& View() { return *m_pView; }
    CMainFrame& MainFrame() { return *m_pMainWnd; }
    CSoundPlayer& Sounds() { return *m_pSounds; }
    CProfile& Profile() { return *m_pProfile; }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    QPrinter& Printer();

private:
    void OnFrameClosing();
    void ReportFileError(const FileErrorReport& report);
    void UpdateTitle();
    void RememberFile(const std::string& strPath);
    bool PrintFromCommandLine(const CommandLineInfo& cmdInfo);

    std::unique_ptr<CFileRegistry> m_pRegistry;
    std::unique_ptr<CProfile> m_pProfile;
    std::unique_ptr<CCoilixDoc> m_pDoc;
    std::unique_ptr<CSoundPlayer> m_pSounds;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    std::unique_ptr<QPrinter> m_pPrinter;
    CCoilixView* m_pView = nullptr;  // owned by the frame
    CRecentFileList m_recentFiles;
    int m_nExitCode = 0;
};
