#include "app/CoilixApp.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <cstdio>

#include "app/AboutDlg.h"
#include "app/AppInfo.h"
#include "app/HighScoresDlg.h"
#include "app/MainFrame.h"
#include "app/Menus.h"
#include "app/NewGameDlg.h"
#include "app/StoreNotices.h"
#include "app/Strings.h"
#include "framework/ResString.h"
#include "framework/Sound.h"
#include "res/resource.h"
#include "store/CoilixDoc.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "store/ScoreStore.h"
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

// One field of the document string: 0 window title ... 3 filter name, 4 extension.
QString DocString(int nField) {
    return LoadQString(IDR_MAINFRAME).section('\n', nField, nField);
}

QString AppTitle() {
    return LoadQString(AFX_IDS_APP_TITLE);
}

}  // namespace

CCoilixApp::CCoilixApp() : m_recentFiles(kRecentFileCount) {}
CCoilixApp::~CCoilixApp() = default;

bool CCoilixApp::InitInstance(const CommandLineInfo& cmdInfo) {
    // Every layer reads the program's texts through the framework.
    SetStringLoader([](unsigned nID) { return QString::fromStdString(LoadString(nID)); });
    m_pRegistry =
        std::make_unique<CFileRegistry>(CFileRegistry::DefaultPath(kCompanyName, kAppName));
    m_pProfile =
        std::make_unique<CProfile>(*m_pRegistry, CProfile::AppKeyPath(kCompanyName, kAppName));
    m_recentFiles.ReadList(*m_pProfile);
    m_settings.Load(*m_pProfile, kSettingsSection);

    m_pSounds = std::make_unique<CSoundPlayer>();
    for (const SoundRes& s : kSounds) {
        m_pSounds->Add(s.nID, QStringLiteral("qrc:/sounds/%1.wav").arg(s.pszFile));
    }

    m_pDoc = std::make_unique<CCoilixDoc>(m_settings, m_scoreTable, *m_pProfile);
    m_pDoc->SetErrorReporter([this](const FileErrorReport& r) { ReportFileError(r); });
    if (const char* pszSeed = std::getenv("COILIX_TEST_SEED")) {
        // Only for end-to-end tests: a board known in advance.
        m_pDoc->m_nSeedOverride = static_cast<uint32_t>(std::strtoul(pszSeed, nullptr, 10));
    }

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

    using Action = CommandLineInfo::Action;
    if (cmdInfo.action == Action::kPrint || cmdInfo.action == Action::kPrintTo) {
        m_nExitCode = PrintFromCommandLine(cmdInfo) ? 0 : 1;
        return false;
    }
    if (cmdInfo.action == Action::kOpen) {
        bool bReplaced = false;
        if (!OpenDocumentFile(*m_pDoc, cmdInfo.strFile, bReplaced)) {
            m_nExitCode = 1;
            return false;
        }
        m_pDoc->SetPathName(cmdInfo.strFile);
        RememberFile(cmdInfo.strFile);
    } else if (!m_pDoc->OnNewDocument()) {
        m_nExitCode = 1;
        return false;
    }
    UpdateTitle();
    m_pView->OnInitialUpdate();

    if (m_settings.m_placement.showCmd != 0) {
        ApplyWindowPlacement(*m_pMainWnd, m_settings.m_placement);
    } else {
        m_settings.m_placement.showCmd = kShowCmdShow;
    }
    m_pView->CenterScrollPosition();
    m_pMainWnd->show();
    m_pView->setFocus();
    m_pMainWnd->UpdateCommandUI();

    // What went wrong with the store, now and later, over the window.
    AttachStoreNotices(*m_pRegistry, m_pMainWnd.get());
    return true;
}

void CCoilixApp::OnFrameClosing() {
    m_pView->OnDestroy();
    m_pDoc->OnCloseDocument();
}

int CCoilixApp::ExitInstance() {
    if (m_pProfile) m_settings.Save(*m_pProfile, kSettingsSection);
    return m_nExitCode;
}

void CCoilixApp::ReportFileError(const FileErrorReport& r) {
    const QString strPath = QString::fromStdString(r.path);
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
    QWidget* pParent = m_pMainWnd && m_pMainWnd->isVisible() ? m_pMainWnd.get() : nullptr;
    QMessageBox::warning(pParent, AppTitle(), strText);
}

void CCoilixApp::UpdateTitle() {
    const std::string& strPath = m_pDoc->GetPathName();
    m_pMainWnd->setWindowTitle(strPath.empty()
                                   ? AppTitle()
                                   : QFileInfo(QString::fromStdString(strPath)).fileName() +
                                         QStringLiteral(" - ") + AppTitle());
}

void CCoilixApp::RememberFile(const std::string& strPath) {
    const std::string strAbsolute =
        QFileInfo(QString::fromStdString(strPath)).absoluteFilePath().toStdString();
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
    const QString strFilter = DocString(3);
    const QString strPath =
        QFileDialog::getOpenFileName(m_pMainWnd.get(), QString(), QString(), strFilter);
    if (!strPath.isEmpty()) OpenFile(strPath.toStdString());
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
    dlg.setNameFilter(DocString(3));
    // The extension is added when the name has none.
    dlg.setDefaultSuffix(DocString(4).mid(1));
    if (!m_pDoc->GetPathName().empty())
        dlg.selectFile(QString::fromStdString(m_pDoc->GetPathName()));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    return SaveFile(dlg.selectedFiles().constFirst().toStdString());
}

QPrinter& CCoilixApp::Printer() {
    // One printer pixel per screen pixel: the board prints at its size on screen.
    if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    return *m_pPrinter;
}

void CCoilixApp::PrintBoard(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    m_pView->PrintBoard(painter);
    painter.end();
}

void CCoilixApp::OnFilePrint() {
    QPrinter& printer = Printer();
    QPrintDialog dlg(&printer, m_pMainWnd.get());
    dlg.setMinMax(1, 1);
    if (dlg.exec() == QDialog::Accepted) PrintBoard(printer);
}

void CCoilixApp::OnFilePrintPreview() {
    QPrintPreviewDialog dlg(&Printer(), m_pMainWnd.get());
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* p) { PrintBoard(*p); });
    dlg.exec();
}

void CCoilixApp::OnFilePrintSetup() {
    QPageSetupDialog dlg(&Printer(), m_pMainWnd.get());
    dlg.exec();
}

bool CCoilixApp::PrintFromCommandLine(const CommandLineInfo& cmdInfo) {
    if (!m_pDoc->OnOpenDocument(cmdInfo.strFile)) return false;
    QPrinter& printer = Printer();
    if (cmdInfo.action == CommandLineInfo::Action::kPrintTo) {
        const QString strPrinter = QString::fromStdString(cmdInfo.strPrinter);
        if (strPrinter.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(strPrinter);
        } else {
            printer.setPrinterName(strPrinter);
        }
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        std::fprintf(stderr, "coilix: there is no default printer\n");
        return false;
    }
    if (!printer.isValid()) {
        std::fprintf(stderr, "coilix: cannot print to %s\n", cmdInfo.strPrinter.c_str());
        return false;
    }
    PrintBoard(printer);
    return true;
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
    switch (nID) {
        case ID_FILE_NEW:
            if (bRun) OnFileNew();
            return true;
        case ID_NEW_GAME:
            if (bRun) OnNewGame();
            return true;
        case ID_FILE_OPEN:
            if (bRun) OnFileOpen();
            return true;
        case ID_FILE_SAVE:
            if (bRun) OnFileSave();
            return true;
        case ID_FILE_SAVE_AS:
            if (bRun) OnFileSaveAs();
            return true;
        case ID_FILE_PRINT:
            if (bRun) OnFilePrint();
            return true;
        case ID_FILE_PRINT_PREVIEW:
            if (bRun) OnFilePrintPreview();
            return true;
        case ID_FILE_PRINT_SETUP:
            if (bRun) OnFilePrintSetup();
            return true;
        case ID_APP_ABOUT:
            if (bRun) OnAppAbout();
            return true;
        case ID_SOUNDS:
            if (!bRun) {
                // Checked (button pressed) while the game is silent.
                pCmdUI->SetCheck(m_settings.m_bSounds == 0);
            } else {
                OnSounds();
            }
            return true;
        default:
            return false;
    }
}
