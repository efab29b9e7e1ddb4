// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTest.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/AppInfo.h"
#include "app/Menus.h"
#include "devices/Sound.h"
#include "store/FileRegistry.h"
#include "store/Profile.h"
#include "store/RegFile.h"
#include "support/Files.h"
#include "tools/replay/Replay.h"

// ---- ModalDriver ----------------------------------------------------------

namespace {
constexpr int kPollMs = 10;
constexpr qint64 kStrangerGraceMs = 1500;
}  // namespace

ModalDriver::ModalDriver() {
    // A fresh single-shot each time: a repeating timer would not fire again
    // while one of its own handlers waits in a dialog's loop.
    QTimer::singleShot(kPollMs, this, [this] { Poll(); });
}

void ModalDriver::Expect(std::string strWhat, Match match, Act act) {
    m_steps.push_back({std::move(strWhat), std::move(match), std::move(act)});
}

std::vector<std::string> ModalDriver::Pending() const {
    std::vector<std::string> pending;
    for (size_t i = m_nNext; i < m_steps.size(); ++i) pending.push_back(m_steps[i].strWhat);
    return pending;
}

bool ModalDriver::IsHandled(QWidget* pModal) const {
    // Guarded pointers: a dialog on the stack often reuses a gone one's address.
    return std::any_of(m_handled.begin(), m_handled.end(),
                       [pModal](const QPointer<QWidget>& p) { return p == pModal; });
}

void ModalDriver::Poll() {
    QTimer::singleShot(kPollMs, this, [this] { Poll(); });
    QWidget* pModal = QApplication::activeModalWidget();
    if (pModal == nullptr || IsHandled(pModal)) return;
    // A dialog is answered once it is on screen and has had one poll to
    // settle (laid out, its show events handled), as a person sees it.
    const bool bExposed = pModal->isVisible() && pModal->windowHandle() != nullptr &&
                          pModal->windowHandle()->isExposed();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (m_pSeen != pModal) {
        m_pSeen = pModal;
        m_nSeenSince = now;
        return;
    }
    if (!bExposed) return;
    if (m_nNext < m_steps.size() && m_steps[m_nNext].match(pModal)) {
        m_handled.emplace_back(pModal);
        const Step& step = m_steps[m_nNext++];
        step.act(pModal);
        return;
    }
    // Not what the next step waits for: give it a moment, then close it.
    if (now - m_nSeenSince < kStrangerGraceMs) return;
    m_unexpected.push_back(pModal->windowTitle().toStdString() + " (" +
                           pModal->metaObject()->className() + ")");
    m_handled.emplace_back(pModal);
    if (auto* pDialog = qobject_cast<QDialog*>(pModal)) {
        pDialog->reject();
    } else {
        pModal->close();
    }
}

// ---- GuiTest --------------------------------------------------------------

void GuiTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    // Every test has a store of its own; the user's is never touched.
    qputenv("COILIX_REGISTRY", StorePath().toUtf8());
    SetLanguage("en");
}

void GuiTest::TearDown() {
    if (m_pApp) CloseApp();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "a cursor was not given back";
}

void GuiTest::WriteSettings(const StoredSettings& s) {
    CFileRegistry reg(StorePath().toStdString());
    CProfile profile(reg, CProfile::AppKeyPath(kCompanyName, kAppName));
    GameSettings settings;
    settings.m_nArraySize = s.nArraySize;
    settings.m_nArrayWidth = s.nWidth;
    settings.m_nArrayHeight = s.nHeight;
    settings.m_nGameSpeed = s.nGameSpeed;
    settings.m_strLastName = s.strLastName;
    settings.m_bSounds = s.bSounds;
    settings.m_placement = s.placement;
    settings.Save(profile, "Settings");
}

WindowPlacement Placement(int x, int y, int w, int h) {
    WindowPlacement wp;
    wp.length = 44;
    wp.showCmd = kShowCmdNormal;
    wp.rcNormalPosition[0] = x;
    wp.rcNormalPosition[1] = y;
    wp.rcNormalPosition[2] = x + w;
    wp.rcNormalPosition[3] = y + h;
    return wp;
}

void GuiTest::StartApp(const CommandLineInfo& cmd, std::optional<uint32_t> nSeed) {
    CreateApp(cmd, nSeed);
    if (HasFatalFailure()) return;
    ActivateFrame();
}

void GuiTest::CreateApp(const CommandLineInfo& cmd, std::optional<uint32_t> nSeed) {
    m_pApp = std::make_unique<CCoilixApp>();
    m_pApp->SetSoundOutput(std::make_unique<RecordingSoundOutput>(m_pSoundLog));
    if (nSeed) m_pApp->SetSeedSource([n = *nSeed] { return n; });
    ASSERT_TRUE(m_pApp->InitInstance(cmd)) << "exit code " << m_pApp->ExitCode();
}

void GuiTest::ActivateFrame() {
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    Flush();
}

void GuiTest::EndGameWithScore(int32_t nScore) {
    Key(Qt::Key_Up);
    ASSERT_TRUE(Tick());
    Doc().m_nScore = nScore;
    TickUntilOver();
    ASSERT_EQ(Doc().m_nDirection, dirGameOver);
}

void GuiTest::CloseApp() {
    if (!m_pApp) return;
    if (Frame().isVisible()) Frame().close();
    m_pApp->ExitInstance();
    m_pApp.reset();
    Flush();
}

void GuiTest::Key(int nKey, Qt::KeyboardModifiers mods) {
    QTest::keyClick(&View(), static_cast<Qt::Key>(nKey), mods);
}

bool GuiTest::Tick() {
    if (!View().Control().IsTimerRunning()) return false;
    // The view's game timer is the one running at the game's speed.
    QAbstractEventDispatcher* pDispatcher = QAbstractEventDispatcher::instance();
    for (const auto& t : pDispatcher->registeredTimers(&View())) {
        if (t.interval == Doc().m_nSpeed) {
            pDispatcher->unregisterTimer(t.timerId);
            m_nHeldTimer = t.timerId;
        }
    }
    if (m_nHeldTimer == 0) return false;
    QTimerEvent tick(m_nHeldTimer);
    QCoreApplication::sendEvent(&View(), &tick);
    Flush();
    return true;
}

int GuiTest::TickUntilOver(int nMaxTicks) {
    int n = 0;
    while (Doc().m_nDirection != dirGameOver && n < nMaxTicks && Tick()) ++n;
    return n;
}

void ExpectDriverDone(const ModalDriver& driver) {
    EXPECT_TRUE(driver.Pending().empty()) << "dialog never came: " << driver.Pending()[0];
    EXPECT_TRUE(driver.Unexpected().empty()) << "unexpected dialog: " << driver.Unexpected()[0];
}

void ExpectMessage(ModalDriver& driver, ShownMessage& shown) {
    driver.Expect<QMessageBox>("message", [&shown](QMessageBox& box) {
        shown.strText = box.text();
        shown.strTitle = box.windowTitle();
        if (auto* pLabel = box.findChild<QLabel*>("qt_msgbox_label")) {
            shown.format = pLabel->textFormat();
        }
        QTest::keyClick(&box, Qt::Key_Return);
    });
}

void Flush() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

bool CursorHidden() {
    const QCursor* pCursor = QGuiApplication::overrideCursor();
    return pCursor != nullptr && pCursor->shape() == Qt::BlankCursor;
}

void GuiTest::SetClientSize(int w, int h) {
    for (int i = 0; i < 3; ++i) {
        const QSize client = View().ClientSize();
        if (client == QSize(w, h)) return;
        Frame().resize(Frame().width() + w - client.width(),
                       Frame().height() + h - client.height());
        Flush();
    }
}

HighScoreTable GuiTest::StoredTable(int32_t nWidth, int32_t nHeight, int32_t nSpeedMs) {
    CFileRegistry reg(StorePath().toStdString());
    HighScoreTable table;
    LoadScoreTable(table, reg, CProfile::AppKeyPath(kCompanyName, kAppName), nWidth, nHeight,
                   nSpeedMs);
    return table;
}

std::string GuiTest::StoreText() const {
    std::ifstream in(StorePath().toStdString());
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

GameSettings GuiTest::StoredGameSettings() const {
    CFileRegistry reg(StorePath().toStdString());
    CProfile profile(reg, CProfile::AppKeyPath(kCompanyName, kAppName));
    GameSettings settings;
    settings.Load(profile, "Settings");
    return settings;
}

QString ShownMenuText(CFrameWnd& frame, unsigned nID) {
    QAction* pAction = frame.Action(nID);
    return pAction != nullptr ? MenuItemShownText(*pAction) : QString();
}

QStringList RecentFileEntries(CMainFrame& frame) {
    QStringList texts;
    for (QAction* pAction : frame.TopLevelMenu(0)->actions()) {
        const unsigned nID = pAction->data().toUInt();
        if (nID >= ID_FILE_MRU_FILE1 && nID < ID_FILE_MRU_FILE1 + kRecentFileCount &&
            pAction->isVisible())
            texts << pAction->text();
    }
    return texts;
}

void PrintTo(const QPoint& pt, std::ostream* os) {
    *os << "(" << pt.x() << ", " << pt.y() << ")";
}

void PrintTo(const QSize& size, std::ostream* os) {
    *os << size.width() << " x " << size.height();
}

void PrintTo(const QString& str, std::ostream* os) {
    *os << '"' << str.toStdString() << '"';
}

std::vector<std::vector<std::string>> ReplayTicks(const QStringList& args) {
    // The driver runs here, as its own main runs it.
    std::vector<std::string> argv;
    for (const QString& arg : args) argv.push_back(arg.toStdString());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(replay::Run(argv, out, err), replay::kExitOk) << err.str();
    std::vector<std::vector<std::string>> ticks;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        if (line == "pane 0 Playing...") ticks.emplace_back();
        if (!ticks.empty()) ticks.back().push_back(line);
    }
    return ticks;
}

std::vector<char> ReadBytes(const QString& strPath) {
    const testsupport::Bytes bytes =
        testsupport::ReadBytes(QFile::encodeName(strPath).toStdString());
    return {bytes.begin(), bytes.end()};
}

void WriteBytes(const QString& strPath, const std::vector<char>& bytes) {
    testsupport::WriteBytes(QFile::encodeName(strPath).toStdString(),
                            testsupport::Bytes(bytes.begin(), bytes.end()));
}

// ---- the real program as a process ----------------------------------------

EnvChanges NoDisplay() {
    return {{"DISPLAY", QString()}, {"WAYLAND_DISPLAY", QString()}, {"QT_QPA_PLATFORM", QString()}};
}

ProcessResult RunProgram(const QString& strProgram, const QStringList& args,
                         const QString& strStore, const EnvChanges& env, int nTimeoutMs) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("COILIX_REGISTRY", strStore);
    for (const auto& [strName, strValue] : env) {
        if (strValue.isNull()) {
            environment.remove(strName);
        } else {
            environment.insert(strName, strValue);
        }
    }
    process.setProcessEnvironment(environment);
    process.start(strProgram, args);
    ProcessResult run;
    if (!process.waitForFinished(nTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << strProgram.toStdString() << " " << args.join(' ').toStdString()
                      << " did not finish";
        return run;
    }
    run.nExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.strOut = QString::fromUtf8(process.readAllStandardOutput());
    run.strErr = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// ---- pictures of the board -------------------------------------------------

QRect GreenBox(const QImage& image, int* pnGreen) {
    QRect box;
    int nGreen = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) < 80 && qGreen(c) > 200 && qBlue(c) < 80) {
                box |= QRect(x, y, 1, 1);
                ++nGreen;
            }
        }
    }
    if (pnGreen != nullptr) *pnGreen = nGreen;
    return box;
}

QImage RenderPdf(const QString& strPdf, int nDpi, const QString& strWorkDir, const QRect& rcPart) {
    // A part is compared dot for dot: poppler's cairo renderer puts a picture
    // drawn at the page's resolution on exactly its dots, where pdftoppm can
    // blend a column at the seam of its own scaling.
    const QString strRenderer =
        QStandardPaths::findExecutable(rcPart.isValid() ? "pdftocairo" : "pdftoppm");
    if (strRenderer.isEmpty()) return {};
    const QString strPrefix = QDir(strWorkDir).filePath("page");
    QStringList args{"-r", QString::number(nDpi), "-png", "-singlefile"};
    if (rcPart.isValid()) {
        args << "-x" << QString::number(rcPart.x()) << "-y" << QString::number(rcPart.y()) << "-W"
             << QString::number(rcPart.width()) << "-H" << QString::number(rcPart.height());
    }
    args << strPdf << strPrefix;
    const ProcessResult render = RunProgram(strRenderer, args, QString());
    if (render.nExitCode != 0) return {};
    QImage page(strPrefix + ".png");
    QFile::remove(strPrefix + ".png");
    return page;
}
