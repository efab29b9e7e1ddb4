// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CoilixApp.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QResource>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <span>
#include <utility>

#include "app/AboutDlg.h"
#include "app/AppInfo.h"
#include "app/BoardPrinting.h"
#include "app/DialogButtons.h"
#include "app/HighScoresDlg.h"
#include "app/HowToPlayDlg.h"
#include "app/MainFrame.h"
#include "app/Menus.h"
#include "app/NewGameDlg.h"
#include "app/StoreNotices.h"
#include "app/Strings.h"
#include "framework/FramePlacement.h"
#include "framework/PngResource.h"
#include "framework/PulseOutput.h"
#include "framework/ResString.h"
#include "framework/ShownText.h"
#include "framework/Sound.h"
#include "res/resource.h"
#include "store/CoilixDoc.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "store/ScoreStore.h"
#include "view/CoilixView.h"

namespace {

// A path as the file system's bytes, shown as text (bytes that are not text
// in the locale's encoding show as replacement characters), and a path the
// player chose in a dialog as bytes for the file system.
QString PathToDisplay(const std::string& strPath) {
    return QFile::decodeName(QByteArray::fromStdString(strPath));
}
std::string PathFromDialog(const QString& strPath) {
    return QFile::encodeName(strPath).toStdString();
}

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

// One field of the document string: 0 window title ... 3 filter name, 4 extension.
QString DocString(int nField) {
    return LoadQString(IDR_MAINFRAME).section('\n', nField, nField);
}

QString AppTitle() {
    return LoadQString(AFX_IDS_APP_TITLE);
}

// The write end of the pipe through which the signal handler wakes the main
// loop; -1 while no handler is installed.
int g_nQuitPipe = -1;

extern "C" void OnTerminationSignal(int nSignal) {
    // Only what is safe in a signal handler: one byte down the pipe.
    const int nSavedErrno = errno;
    const char c = static_cast<char>(nSignal);
    [[maybe_unused]] const ssize_t n = ::write(g_nQuitPipe, &c, 1);
    errno = nSavedErrno;
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

// SIGTERM, SIGINT and SIGHUP (a desktop logging out, a terminal closing,
// Ctrl+C) run a function in the main loop instead of killing the program.
// A signal that was ignored when the program started (nohup) stays ignored.
// The former handlers come back when this object goes.
class QuitSignals {
public:
    explicit QuitSignals(std::function<void(int)> fnQuit) : m_fnQuit(std::move(fnQuit)) {
        if (::pipe2(m_aPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
        g_nQuitPipe = m_aPipe[1];
        m_pNotifier = std::make_unique<QSocketNotifier>(m_aPipe[0], QSocketNotifier::Read);
        QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated, [this] {
            char buf[16];
            int nSignal = 0;
            for (ssize_t n; (n = ::read(m_aPipe[0], buf, sizeof buf)) > 0;) nSignal = buf[n - 1];
            m_fnQuit(nSignal);
        });
        struct sigaction action = {};
        action.sa_handler = OnTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (size_t i = 0; i < std::size(kSignals); ++i) {
            struct sigaction old = {};
            if (::sigaction(kSignals[i], nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
            m_abInstalled[i] = ::sigaction(kSignals[i], &action, &m_aOld[i]) == 0;
        }
    }
    ~QuitSignals() {
        for (size_t i = 0; i < std::size(kSignals); ++i) {
            if (m_abInstalled[i]) ::sigaction(kSignals[i], &m_aOld[i], nullptr);
        }
        m_pNotifier.reset();
        if (m_aPipe[0] >= 0) {
            g_nQuitPipe = -1;
            ::close(m_aPipe[0]);
            ::close(m_aPipe[1]);
        }
    }
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

private:
    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
    std::function<void(int)> m_fnQuit;
    int m_aPipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_pNotifier;
    struct sigaction m_aOld[std::size(kSignals)] = {};
    bool m_abInstalled[std::size(kSignals)] = {};
};

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
    // Of a store too large to read whole, what is under the program's key is
    // kept: its settings and score tables.
    const std::string strAppKey = CProfile::AppKeyPath(kCompanyName, kAppName);
    m_pRegistry = std::make_unique<CFileRegistry>(
        CFileRegistry::DefaultPath(kCompanyName, kAppName), CodePageFromEnvironment(),
        [strAppKey](const std::string& strKey, const std::string&) {
            return IsSameOrSubKey(strKey, strAppKey);
        });
    m_pProfile = std::make_unique<CProfile>(*m_pRegistry, strAppKey);
    m_recentFiles.ReadList(*m_pProfile);
    if (!m_recentFiles.Files().empty()) {
        m_strLastFolder = QFileInfo(PathToDisplay(m_recentFiles.Files().front())).path();
    }
    m_settings.Load(*m_pProfile, kSettingsSection);
    // A stored placement that no screen could hold is damaged: the window
    // starts as it does the very first time, fitted to the board.
    if (m_settings.m_placement.showCmd != kShowCmdHide && !SaneNormalRect(m_settings.m_placement)) {
        m_settings.m_placement = WindowPlacement{};
    }
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
    m_pMainWnd = std::make_unique<CMainFrame>(*this);
    m_pView = new CCoilixView(*m_pDoc, m_settings, *m_pSounds, m_pMainWnd.get());
    m_pView->SetFrame(m_pMainWnd.get());
    m_pMainWnd->setCentralWidget(m_pView);
    m_pMainWnd->SetActiveView(m_pView);
    m_pMainWnd->SetAppTarget(this);
    m_pMainWnd->SetClosingHandler([this] { OnFrameClosing(); });
    m_pMainWnd->SetRecentFiles(m_recentFiles.Files());
    m_pMainWnd->LoadBarState();
    m_pPrinting = std::make_unique<CBoardPrinting>(
        *m_pDoc, *m_pView, [this](const QString& s) { ShowMessage(s); },
        [this] { return ProposedPdfPath(); });
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
    if (m_settings.m_placement.showCmd != kShowCmdHide) {
        ApplyWindowPlacement(*m_pMainWnd, m_settings.m_placement);
    } else {
        m_settings.m_placement.showCmd = kShowCmdShow;
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
    if (press == CGamepads::Press::kStart) {
        m_pMainWnd->RouteCommand(ID_PAUSE);
        return;
    }
    static constexpr GameKey kKeyOf[] = {GameKey::kUp, GameKey::kDown, GameKey::kLeft,
                                         GameKey::kRight};
    m_pView->Steer(kKeyOf[static_cast<int>(press)]);
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
    m_strLastFolder = PathToDisplay(std::filesystem::path(strAbsolute).parent_path().string());
    m_recentFiles.Add(strAbsolute);
    m_recentFiles.WriteList(*m_pProfile);
    m_pMainWnd->SetRecentFiles(m_recentFiles.Files());
}

void CCoilixApp::EnterNewScore(int nRow) {
    const CodePage cp = CodePageFromEnvironment();
    const std::optional<std::string> name =
        RunNewHighScoreDlg(m_pMainWnd.get(), nRow, m_pDoc->m_nScore, m_settings.m_strLastName, cp);
    // Cancel leaves the row without a name, but the score is kept all the same.
    ScoreEntry row("", m_pDoc->m_nScore);
    if (name) {
        m_settings.m_strLastName = *name;
        SetRowName(row, *name, cp);
    }
    // The stored table is read again and the row entered into it, so that a
    // score another copy of the game entered meanwhile is not lost.
    EnterScore(m_scoreTable, m_pProfile->Registry(), m_pProfile->AppKey(), m_pDoc->m_nWidth,
               m_pDoc->m_nHeight, m_pDoc->m_nSpeed, row);
    ShowStoreNotices(*m_pRegistry, m_pMainWnd.get());
    ShowHighScores();
}

void CCoilixApp::ShowHighScores() {
    RunHighScoresDlg(m_pMainWnd.get(), m_scoreTable, CodePageFromEnvironment());
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

void CCoilixApp::PrepareFileDialog(QFileDialog& dlg) const {
    dlg.setNameFilters({DocString(3), LoadQString(IDS_FILTER_ALL_FILES)});
    if (const QString strFolder = LastFolder(); !strFolder.isEmpty()) dlg.setDirectory(strFolder);
}

QString CCoilixApp::ProposedPdfPath() const {
    // The game's name ("Game" while untitled) as a PDF, where the file
    // dialogs start.
    const std::string& strPath = m_pDoc->GetPathName();
    const QString strName =
        strPath.empty() ? DocString(1) : QFileInfo(PathToDisplay(strPath)).completeBaseName();
    const QString strFolder = LastFolder();
    return QDir(strFolder.isEmpty() ? QDir::currentPath() : strFolder)
        .filePath(strName + QStringLiteral(".pdf"));
}

QString CCoilixApp::LastFolder() const {
    return !m_strLastFolder.isEmpty() && QDir(m_strLastFolder).exists() ? m_strLastFolder
                                                                        : QString();
}

void CCoilixApp::OnFileOpen() {
    QFileDialog dlg(m_pMainWnd.get());
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    PrepareFileDialog(dlg);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    OpenFile(PathFromDialog(dlg.selectedFiles().constFirst()));
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
    QFileDialog dlg(m_pMainWnd.get());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    PrepareFileDialog(dlg);
    // The extension is added when the name has none.
    dlg.setDefaultSuffix(DocString(4).mid(1));
    if (!m_pDoc->GetPathName().empty()) {
        dlg.selectFile(PathToDisplay(m_pDoc->GetPathName()));
    } else {
        // An untitled game is offered under the document's name ("Game.cx").
        dlg.selectFile(DocString(1) + DocString(4));
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    return SaveFile(PathFromDialog(dlg.selectedFiles().constFirst()));
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
