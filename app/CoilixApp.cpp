// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CoilixApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QResource>
#include <QSessionManager>
#include <cstdio>
#include <filesystem>
#include <span>
#include <utility>

#include "app/AboutDlg.h"
#include "app/AppInfo.h"
#include "app/BarState.h"
#include "app/BoardPrinting.h"
#include "app/DialogButtons.h"
#include "app/HighScores.h"
#include "app/HowToPlayDlg.h"
#include "app/MainFrame.h"
#include "app/Menus.h"
#include "app/NewGameDlg.h"
#include "app/QuitSignals.h"
#include "app/StoreNotices.h"
#include "app/StoredPlacement.h"
#include "app/Strings.h"
#include "devices/PngResource.h"
#include "devices/PulseOutput.h"
#include "devices/Sound.h"
#include "framework/FramePlacement.h"
#include "framework/ResString.h"
#include "framework/ShownText.h"
#include "res/resource.h"
#include "store/CodePage.h"
#include "store/CoilixDoc.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "view/CoilixView.h"

namespace {

constexpr const char* kSettingsSection = "Settings";

struct SoundRes {
    int nID;
    const char* pszFile;
};
constexpr SoundRes kSounds[] = {
    {IDW_MOVE, "move"},
    {IDW_APPLE, "apple"},
    {IDW_COIN, "coin"},
    {IDW_SKULL, "skull"},
    {IDW_CRASH, "crash"},
    {IDW_DROPPING, "dropping"},
    {IDW_HIGH_SCORE, "highscore"},
};

QString AppTitle() {
    return LoadQString(AFX_IDS_APP_TITLE);
}

// The program's icon for its windows and dialogs (the window system's task
// switcher and title bars; desktops mostly take the desktop entry's). Up to
// 128 pixels: window systems show none larger for a window.
void SetProgramIcon() {
    QIcon icon;
    for (int nSize : {16, 32, 48, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(
            ReadPngResource(QStringLiteral(":/icons/coilix-%1.png").arg(nSize))));
    }
    QApplication::setWindowIcon(icon);
}

}  // namespace

void ReportToStderr(const QString& strText) {
    std::fprintf(stderr, "%s: %s\n", kProgramName,
                 WithoutIsolates(strText).toLocal8Bit().constData());
    std::fflush(stderr);
}

CCoilixApp::CCoilixApp() : m_recentFiles(kRecentFileCount) {}
CCoilixApp::~CCoilixApp() = default;

void CCoilixApp::SetSoundOutput(std::unique_ptr<SoundOutput> pOutput) {
    m_pSoundOutput = std::move(pOutput);
}

bool CCoilixApp::InitInstance(const CommandLineInfo& cmdInfo) {
    // Every layer reads the program's texts through the framework.
    SetStringLoader(ProgramString);
    using Action = CommandLineInfo::Action;
    const bool bPrintJob = cmdInfo.action == Action::kPrint || cmdInfo.action == Action::kPrintTo;
    LoadSettings();
    CreateSoundPlayer(bPrintJob);
    CreateDocument();
    CreateMainWindow();
    if (bPrintJob) {
        m_nExitCode = PrintFromCommandLine(cmdInfo) ? 0 : kExitFileFailure;
        return false;
    }
    if (!StartFirstGame(cmdInfo)) {
        m_nExitCode = kExitFileFailure;
        return false;
    }
    ShowMainWindow();
    // What went wrong with the store, now and later, over the window once the
    // window manager has put it in its place (a box shown before would be
    // placed by where the window was before that); what waits for the store
    // is tried again while the game runs.
    m_pMainWnd->Placement().WhenFramed(
        [this] { AttachStoreNotices(*m_pRegistry, m_pMainWnd.get()); });
    RetryWaitingStoreWrites(*m_pRegistry, m_pMainWnd.get());
    EndAsExitOnSignalOrLogout();
    return true;
}

void CCoilixApp::LoadSettings() {
    // Players' names are kept in the code page of the language the program
    // speaks, chosen once at start.
    const CodePage cp = CodePageForLanguage(GetLanguage().toStdString());
    // Of a store too large to read whole, what is under the program's key is
    // kept: its settings and score tables.
    const std::string strAppKey = CProfile::AppKeyPath(kCompanyName, kAppName);
    m_pRegistry =
        std::make_unique<CFileRegistry>(CFileRegistry::DefaultPath(kCompanyName, kAppName), cp,
                                        [strAppKey](const std::string& strKey, const std::string&) {
                                            return IsSameOrSubKey(strKey, strAppKey);
                                        });
    m_pProfile = std::make_unique<CProfile>(*m_pRegistry, strAppKey);
    m_pHighScores =
        std::make_unique<CHighScores>(m_scoreTable, m_settings, *m_pRegistry, strAppKey, cp);
    m_recentFiles.ReadList(*m_pProfile);
    if (!m_recentFiles.Files().empty()) m_fileDialogs.SetLastGame(m_recentFiles.Files().front());
    m_settings.Load(*m_pProfile, kSettingsSection);
    // A stored placement that no screen could hold is damaged: it is dropped,
    // and the window starts as it does the very first time.
    if (m_settings.m_placement.IsKept() && !SaneNormalRect(m_settings.m_placement)) {
        m_settings.m_placement = WindowPlacement{};
    }
    m_bFirstStart = !m_settings.m_placement.IsKept();
}

void CCoilixApp::CreateSoundPlayer(bool bPrintJob) {
    // The player opens the audio device on a thread of its own: the window
    // never waits for it. The device is opened, and the clips read and
    // decoded, once a game with sounds is played. A print job plays nothing
    // and leaves the sound server alone.
    std::unique_ptr<SoundOutput> pOutput = bPrintJob        ? MakeSilentOutput()
                                           : m_pSoundOutput ? std::move(m_pSoundOutput)
                                                            : MakePulseOutput("game");
    m_pSounds = std::make_unique<CSoundPlayer>(std::move(pOutput));
    if (bPrintJob) return;
    m_pSounds->AddClipsWhenFirstWanted([pSounds = m_pSounds.get()] {
        for (const SoundRes& s : kSounds) {
            // Read in place from the program's own pages (no copy).
            const QResource resource(QStringLiteral(":/sounds/%1.wav").arg(s.pszFile));
            if (!resource.isValid()) continue;  // that sound stays silent
            const QByteArray bytes = resource.uncompressedData();
            pSounds->AddClip(s.nID, {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size())});
        }
    });
}

void CCoilixApp::CreateDocument() {
    m_pDoc = std::make_unique<CCoilixDoc>(m_settings, m_scoreTable, *m_pProfile);
    m_pDoc->SetErrorReporter([this](const FileErrorReport& r) { ReportFileError(r); });
    if (m_seedSource) m_pDoc->SetSeedSource(m_seedSource);
}

void CCoilixApp::CreateMainWindow() {
    // The frame is created hidden and shown once its placement is applied.
    m_pMainWnd = std::make_unique<CMainFrame>();
    m_pView = new CCoilixView(*m_pDoc, m_settings, *m_pSounds, m_pMainWnd.get());
    m_pView->SetFrame(m_pMainWnd.get());
    m_pView->SetFirstStart(m_bFirstStart);
    m_pView->SetNewScoreHandler(
        [this] { m_pHighScores->EnterNewScore(m_pMainWnd.get(), *m_pDoc); });
    m_pMainWnd->setCentralWidget(m_pView);
    m_pMainWnd->SetActiveView(m_pView);
    m_pMainWnd->SetAppTarget(this);
    m_pMainWnd->SetClosingHandler([this] { OnFrameClosing(); });
    m_pMainWnd->SetRecentFiles(m_recentFiles.Files());
    m_pMainWnd->RestoreBarState(ReadBarState(*m_pProfile));
    m_pPrinting = std::make_unique<CBoardPrinting>(
        *m_pDoc, m_pView->BoardPainter(), [this](const QString& s) { ShowMessage(s); },
        [this] { return m_fileDialogs.ProposedPdfPath(m_pDoc->GetPathName()); });
    m_pGamepads = std::make_unique<CGamepads>(m_pMainWnd.get(),
                                              [this](CGamepads::Press press) { OnGamepad(press); });
}

bool CCoilixApp::StartFirstGame(const CommandLineInfo& cmdInfo) {
    if (cmdInfo.action == CommandLineInfo::Action::kOpen) {
        bool bReplaced = false;
        if (!OpenDocumentFile(*m_pDoc, cmdInfo.strFile, bReplaced)) return false;
        m_pDoc->SetPathName(cmdInfo.strFile);
        RememberFile(cmdInfo.strFile);
    } else if (!m_pDoc->OnNewDocument()) {
        return false;
    }
    UpdateTitle();
    m_pView->OnInitialUpdate();
    return true;
}

void CCoilixApp::ShowMainWindow() {
    if (m_bFirstStart) {
        // The window keeps the size fitted to the board, and from now on is
        // no longer fitted on its own.
        m_settings.m_placement.showCmd = kShowCmdShow;
        m_bFirstStart = false;
        m_pView->SetFirstStart(false);
    } else {
        ApplyWindowPlacement(*m_pMainWnd, m_settings.m_placement);
    }
    m_pView->CenterScrollPosition();
    m_pMainWnd->show();
    m_pView->setFocus();
    m_pMainWnd->UpdateCommandUI();
    // What the first picture of the window does not need comes after it.
    m_pMainWnd->Placement().WhenFramed([this] {
        SetProgramIcon();
        m_pGamepads->Start();
    });
}

void CCoilixApp::OnGamepad(CGamepads::Press press) {
    // Where the keyboard would not reach the board, neither does a pad.
    if (!m_pMainWnd->isActiveWindow() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr)
        return;
    switch (press) {
        case CGamepads::Press::kLeft:
            return m_pView->Steer(GameKey::kLeft);
        case CGamepads::Press::kRight:
            return m_pView->Steer(GameKey::kRight);
        case CGamepads::Press::kUp:
            return m_pView->Steer(GameKey::kUp);
        case CGamepads::Press::kDown:
            return m_pView->Steer(GameKey::kDown);
        case CGamepads::Press::kStart:  // as Break
            m_pMainWnd->RouteCommand(ID_PAUSE);
            return;
    }
}

void CCoilixApp::EndAsExitOnSignalOrLogout() {
    // Ending by signal or by the session ends as Exit does: nothing is lost.
    m_pQuitSignals = std::make_unique<QuitSignals>([this](int nSignal) { OnQuitSignal(nSignal); });
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, m_pMainWnd.get(),
                     [this](QSessionManager&) { SaveSession(); });
    QObject::connect(qGuiApp, &QGuiApplication::saveStateRequest, m_pMainWnd.get(),
                     [this](QSessionManager&) { SaveSession(); });
#endif
}

void CCoilixApp::OnQuitSignal(int nSignal) {
    m_nQuitSignal = nSignal;
    // Ends every event loop, those of open dialogs included, and makes any
    // dialog that code still opens on its way out return at once. The window
    // is closed in ExitInstance, after the main loop.
    QCoreApplication::exit(0);
}

void CCoilixApp::SaveSession() {
    if (m_pMainWnd->isVisible()) {
        m_settings.m_placement = CaptureWindowPlacement(*m_pMainWnd);
    }
    m_settings.Save(*m_pProfile, kSettingsSection);
}

void CCoilixApp::ShowMessage(const QString& strText) {
    if (m_bHeadless || m_bCommandLineJob) ReportToStderr(strText);
    if (m_bHeadless) return;
    QWidget* pParent = m_pMainWnd && m_pMainWnd->isVisible() ? m_pMainWnd.get() : nullptr;
    ShowMessageBox(pParent, QMessageBox::Warning, strText);
}

void CCoilixApp::OnFrameClosing() {
    // From here on the program ends: what failed during the run and fails
    // again now is said again, once.
    m_pRegistry->TellAgain();
    // What is saved from here to the end goes to the store in one pass.
    m_pRegistry->BeginBatch();
    m_pView->OnDestroy();
    m_pDoc->OnCloseDocument();
    // The window's last placement goes with the settings, its bars are kept
    // at once, and everything is saved while the window is still shown.
    m_settings.m_placement = CaptureWindowPlacement(*m_pMainWnd);
    WriteBarState(*m_pProfile, m_pMainWnd->CurrentBarState());
    SaveAtExit();
}

void CCoilixApp::SaveAtExit() {
    if (m_bSavedAtExit || !m_pProfile) return;
    m_bSavedAtExit = true;
    m_settings.Save(*m_pProfile, kSettingsSection);
    // Said while the window is still there to be seen, or at a signal (when
    // no dialog can be answered) on the error output; the exit code says it.
    QWidget* pWindow = m_bHeadless ? nullptr : m_pMainWnd.get();
    if (!FinishStoreAtExit(*m_pRegistry, pWindow, m_nQuitSignal) && m_nExitCode == 0) {
        m_nExitCode = kExitFileFailure;
    }
}

int CCoilixApp::ExitInstance() {
    // Still open when a signal ended the main loop: closed as Exit closes it,
    // which keeps its placement in the settings and saves them.
    if (m_pMainWnd && m_pMainWnd->isVisible()) m_pMainWnd->close();
    // Silence at once; a sound device that hangs does not hold the exit.
    if (m_pSounds) m_pSounds->Shutdown();
    SaveAtExit();
    // Only now: a second signal while the settings are written changes nothing.
    m_pQuitSignals.reset();
    return m_nExitCode;
}

void CCoilixApp::ReportFileError(const FileErrorReport& r) {
    const QString strPath = ShownAsIs(PathToDisplay(r.path), TextDirection::kLeftToRight);
    QString strText;
    switch (r.error) {
        case FileError::kCannotOpen:
            strText = LoadQString(IDS_ERR_CANNOT_OPEN).arg(strPath);
            break;
        case FileError::kBadFormat:
            strText = LoadQString(IDS_ERR_BAD_FORMAT);
            break;
        case FileError::kOutOfMemory:
            strText = LoadQString(IDS_ERR_OUT_OF_MEMORY);
            break;
        case FileError::kCannotSave:
            strText = LoadQString(IDS_ERR_CANNOT_SAVE).arg(strPath);
            break;
    }
    // The system's own explanation goes with a file that could not be opened
    // or written; a bad format needs none.
    const bool bSystemError =
        r.error == FileError::kCannotOpen || r.error == FileError::kCannotSave;
    if (bSystemError && !r.detail.empty())
        strText += QStringLiteral("\n") + QString::fromStdString(r.detail);
    ShowMessage(strText);
}

void CCoilixApp::UpdateTitle() {
    const std::string& strPath = m_pDoc->GetPathName();
    if (strPath.empty()) {
        m_pMainWnd->setWindowTitle(AppTitle());
        return;
    }
    // A title is plain text, but "[*]" marks where a modified flag would go;
    // doubled, it shows as itself.
    QString strName =
        ShownAsIs(QFileInfo(PathToDisplay(strPath)).fileName(), TextDirection::kLeftToRight);
    strName.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    m_pMainWnd->setWindowTitle(strName + QStringLiteral(" - ") + AppTitle());
}

void CCoilixApp::RememberFile(const std::string& strPath) {
    // Paths are kept as the file system's bytes, whatever their encoding.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(strPath, ec);
    const std::string strAbsolute = ec ? strPath : absolute.lexically_normal().string();
    m_fileDialogs.SetLastGame(strAbsolute);
    m_recentFiles.Add(strAbsolute);
    m_recentFiles.WriteList(*m_pProfile);
    m_pMainWnd->SetRecentFiles(m_recentFiles.Files());
}

// ---- commands -------------------------------------------------------------

void CCoilixApp::OnFileNew() {
    if (!m_pDoc->OnNewDocument()) return;
    m_pDoc->SetPathName({});
    UpdateTitle();
    m_pView->OnInitialUpdate();
}

void CCoilixApp::OnNewGame() {
    CNewGameDlg dlg(m_pMainWnd.get(), m_settings);
    if (dlg.exec() != QDialog::Accepted) return;
    OnFileNew();
    m_pView->CenterScrollPosition();
    m_pView->OnUpdate();
}

void CCoilixApp::OnSounds() {
    m_settings.m_bSounds = m_settings.m_bSounds ? 0 : 1;
}

void CCoilixApp::OnAppAbout() {
    CAboutDlg dlg(m_pMainWnd.get());
    dlg.exec();
}

void CCoilixApp::OnHowToPlay() {
    CHowToPlayDlg dlg(m_pMainWnd.get());
    dlg.exec();
}

bool CCoilixApp::OpenFile(const std::string& strPath) {
    bool bReplaced = false;
    if (!OpenDocumentFile(*m_pDoc, strPath, bReplaced)) {
        if (bReplaced) {
            // Reading had begun: a fresh game from the settings stands in.
            m_pDoc->SetPathName({});
            UpdateTitle();
            m_pView->OnInitialUpdate();
        }
        return false;
    }
    m_pDoc->SetPathName(strPath);
    RememberFile(strPath);
    UpdateTitle();
    m_pView->OnInitialUpdate();
    return true;
}

void CCoilixApp::OnFileOpen() {
    if (const std::optional<std::string> path = m_fileDialogs.AskOpenPath(m_pMainWnd.get())) {
        OpenFile(*path);
    }
}

bool CCoilixApp::SaveFile(const std::string& strPath) {
    if (!m_pDoc->OnSaveDocument(strPath)) return false;
    m_pDoc->SetPathName(strPath);
    RememberFile(strPath);
    UpdateTitle();
    return true;
}

bool CCoilixApp::OnFileSave() {
    if (m_pDoc->GetPathName().empty()) return OnFileSaveAs();
    return SaveFile(m_pDoc->GetPathName());
}

bool CCoilixApp::OnFileSaveAs() {
    const std::optional<std::string> path =
        m_fileDialogs.AskSavePath(m_pMainWnd.get(), m_pDoc->GetPathName());
    return path && SaveFile(*path);
}

bool CCoilixApp::PrintFromCommandLine(const CommandLineInfo& cmdInfo) {
    // No window is shown: what goes wrong is told on the error output too.
    m_bCommandLineJob = true;
    if (!m_pDoc->OnOpenDocument(cmdInfo.strFile)) return false;
    m_pDoc->SetPathName(cmdInfo.strFile);
    if (cmdInfo.action == CommandLineInfo::Action::kPrintTo) {
        return m_pPrinting->PrintTo(cmdInfo.strPrinter);
    }
    return m_pPrinting->PrintTo(std::nullopt);
}

bool CCoilixApp::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    const bool bRun = pCmdUI == nullptr;
    if (nID >= ID_FILE_MRU_FILE1 && nID < ID_FILE_MRU_FILE1 + kRecentFileCount) {
        const size_t n = nID - ID_FILE_MRU_FILE1;
        if (!bRun) {
            pCmdUI->Enable(n < m_recentFiles.Files().size());
        } else if (n < m_recentFiles.Files().size()) {
            const std::string strPath = m_recentFiles.Files()[n];
            if (!OpenFile(strPath) && m_pDoc->LastError() &&
                m_pDoc->LastError()->error == FileError::kCannotOpen) {
                // A file that is gone leaves the list.
                m_recentFiles.Remove(n);
                m_recentFiles.WriteList(*m_pProfile);
                m_pMainWnd->SetRecentFiles(m_recentFiles.Files());
            }
        }
        return true;
    }
    if (nID == ID_SOUNDS) {
        if (bRun) {
            OnSounds();
        } else {
            // Checked (button pressed) while the game is silent.
            pCmdUI->SetCheck(m_settings.m_bSounds == 0);
        }
        return true;
    }
    // The application's commands: always enabled, each run by its handler.
    static const std::pair<unsigned, void (*)(CCoilixApp&)> kCommands[] = {
        {ID_FILE_NEW, [](CCoilixApp& app) { app.OnFileNew(); }},
        {ID_NEW_GAME, [](CCoilixApp& app) { app.OnNewGame(); }},
        {ID_FILE_OPEN, [](CCoilixApp& app) { app.OnFileOpen(); }},
        {ID_FILE_SAVE, [](CCoilixApp& app) { app.OnFileSave(); }},
        {ID_FILE_SAVE_AS, [](CCoilixApp& app) { app.OnFileSaveAs(); }},
        {ID_FILE_PRINT, [](CCoilixApp& app) { app.Printing().OnFilePrint(app.m_pMainWnd.get()); }},
        {ID_FILE_PRINT_PREVIEW,
         [](CCoilixApp& app) { app.Printing().OnFilePrintPreview(app.m_pMainWnd.get()); }},
        {ID_FILE_PRINT_SETUP,
         [](CCoilixApp& app) { app.Printing().OnFilePrintSetup(app.m_pMainWnd.get()); }},
        {ID_HIGH_SCORES, [](CCoilixApp& app) { app.m_pHighScores->Show(app.m_pMainWnd.get()); }},
        {ID_APP_ABOUT, [](CCoilixApp& app) { app.OnAppAbout(); }},
        {ID_HOW_TO_PLAY, [](CCoilixApp& app) { app.OnHowToPlay(); }},
    };
    for (const auto& [nCommand, fnRun] : kCommands) {
        if (nCommand != nID) continue;
        if (bRun) fnRun(*this);
        return true;
    }
    return false;
}
