// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FrameWnd.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <limits>

#include "framework/ResString.h"
#include "framework/StdIds.h"

namespace {

// A menu item shows its key, but the frame's accelerator table binds the
// keys: the item's own shortcut never fires, also not while its menu is open
// (where the window's accelerators are off, too). "New..." shows F2, the key
// of another command.
class CMenuItemAction : public QAction {
public:
    using QAction::QAction;

protected:
    bool event(QEvent* pEvent) override {
        if (pEvent->type() == QEvent::Shortcut) return true;
        return QAction::event(pEvent);
    }
};

// A menu that shows each item's key as the accelerator table names it
// (the Pause key as "Break").
class CMenu : public QMenu {
public:
    using QMenu::QMenu;

protected:
    void initStyleOption(QStyleOptionMenuItem* pOption, const QAction* pAction) const override {
        QMenu::initStyleOption(pOption, pAction);
        if (pOption->menuItemType == QStyleOptionMenuItem::Normal)
            pOption->text = MenuItemShownText(*pAction);
    }
};

// The property of a menu item's action that holds its key's own name.
constexpr const char* kKeyNameProperty = "coilixKeyName";

// How long the window manager is given to take a window just shown.
constexpr int kToolBarSettleMs = 100;

// The text shown beside a menu item for an accelerator key: strKeyName when
// given, else Qt's name for the key in the user's language ("Ctrl+O", in
// German "Strg+O").
QString AcceleratorText(const QKeySequence& key, const QString& strKeyName) {
    if (!strKeyName.isEmpty()) return strKeyName;
    return key.toString(QKeySequence::NativeText);
}

}  // namespace

QString MenuItemShownText(const QAction& action) {
    const QKeySequence key = action.shortcut();
    if (key.isEmpty()) return action.text();
    return action.text() + QLatin1Char('\t') +
           AcceleratorText(key, action.property(kKeyNameProperty).toString());
}

QString RecentFileMenuText(int nIndex, const QString& strPath, bool bWholePath,
                           const QFontMetrics& fm, int nMaxWidth) {
    QString strShown = QDir::toNativeSeparators(strPath);
    const qsizetype nSlash = strShown.lastIndexOf(QDir::separator());
    const QString strName = strShown.mid(nSlash + 1);
    if (!bWholePath) {
        strShown = fm.elidedText(strName, Qt::ElideMiddle, nMaxWidth);
    } else {
        const QString strHome = QDir::toNativeSeparators(QDir::homePath());
        if (strHome.size() > 1 && strShown.startsWith(strHome + QDir::separator()))
            strShown = QStringLiteral("~") + strShown.mid(strHome.size());
        if (fm.horizontalAdvance(strShown) > nMaxWidth) {
            // The folders give way first; the name only when it alone is too long.
            const QString strFolder = strShown.left(strShown.size() - strName.size());
            const int nNameWidth = fm.horizontalAdvance(strName);
            strShown =
                nNameWidth < nMaxWidth * 2 / 3
                    ? fm.elidedText(strFolder, Qt::ElideMiddle, nMaxWidth - nNameWidth) + strName
                    : fm.elidedText(strShown, Qt::ElideMiddle, nMaxWidth);
        }
    }
    strShown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(nIndex).arg(strShown);
}

CFrameWnd::CFrameWnd(QWidget* pParent) : QMainWindow(pParent) {
    // The bars offer no menus of their own.
    menuBar()->setContextMenuPolicy(Qt::PreventContextMenu);
}

CFrameWnd::~CFrameWnd() = default;

QString CFrameWnd::GetMessageString(unsigned nID) const {
    return PromptOf(nID);
}

void CFrameWnd::SetMessageText(unsigned nID) {
    SetMessageText(GetMessageString(nID));
}

void CFrameWnd::SetMessageText(const QString& strText) {
    if (m_pPane0 != nullptr) m_pPane0->setText(strText);
}

void CFrameWnd::SetPaneText(int nPane, const QString& strText) {
    QLabel* pPane = Pane(nPane);
    // The score is written on every tick; an unchanged text needs no repaint.
    if (pPane == nullptr || pPane->text() == strText) return;
    pPane->setText(strText);
    pPane->repaint();
}

QString CFrameWnd::GetPaneText(int nPane) const {
    QLabel* pPane = Pane(nPane);
    return pPane != nullptr ? pPane->text() : QString();
}

QAction* CFrameWnd::MakeAction(unsigned nID, const QString& strText) {
    auto it = m_actions.find(nID);
    if (it != m_actions.end()) return it->second;
    auto* pAction = new CMenuItemAction(strText, this);
    pAction->setData(nID);
    pAction->setStatusTip(GetMessageString(nID));
    pAction->setToolTip(ToolTipOf(nID));
    // Menus are text; the toolbar keeps the pictures.
    pAction->setIconVisibleInMenu(false);
    connect(pAction, &QAction::triggered, this, [this, nID] { RouteCommand(nID); });
    m_actions[nID] = pAction;
    return pAction;
}

void CFrameWnd::CreateBars(const FrameBars& bars, unsigned nRecentFiles) {
    m_nRecentFiles = nRecentFiles;
    auto accelOf = [&bars](unsigned nID) -> const AccelDef* {
        for (const AccelDef& accel : bars.accelerators) {
            if (accel.nID == nID) return &accel;
        }
        return nullptr;
    };

    for (const PopupDef& popup : bars.menu) {
        QMenu* pMenu = new CMenu(popup.strText, this);
        menuBar()->addMenu(pMenu);
        m_popups.append(pMenu);
        for (const MenuItemDef& item : popup.items) {
            if (item.nID == 0) {
                pMenu->addSeparator();
                continue;
            }
            QAction* pAction = MakeAction(item.nID, item.strText);
            if (const AccelDef* pAccel =
                    accelOf(item.nShowKeyOf != 0 ? item.nShowKeyOf : item.nID)) {
                // The key is the item's shortcut, so the menu shows it and a
                // screen reader reads it apart from the item's name.
                pAction->setShortcut(pAccel->key);
                pAction->setProperty(kKeyNameProperty, pAccel->strKeyName);
                pAction->setShortcutContext(Qt::WidgetShortcut);
                pAction->setShortcutVisibleInContextMenu(true);
            }
            pMenu->addAction(pAction);
            if (item.nID == ID_FILE_MRU_FILE1) {
                // Room for the rest of the recent-file list, shown when filled.
                for (unsigned n = 1; n < m_nRecentFiles; ++n) {
                    QAction* pMore = MakeAction(item.nID + n, QString());
                    pMore->setVisible(false);
                    pMenu->addAction(pMore);
                }
                m_strRecentPlaceholder = item.strText;
            }
        }
        connect(pMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandUI(); });
        // Back to the idle prompt (or the game's message) when the menu closes.
        connect(pMenu, &QMenu::aboutToHide, this, [this] { SetMessageText(AFX_IDS_IDLEMESSAGE); });
    }

    m_pToolBar = new QToolBar(bars.strToolbarCaption, this);
    m_pToolBar->setObjectName("Toolbar");
    m_pToolBar->setIconSize(QSize(16, 15));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setMovable(true);
    m_pToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const ToolButtonDef& button : bars.toolbar) {
        if (button.nID == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* pAction = MakeAction(button.nID, ToolTipOf(button.nID));
        QIcon icon;
        icon.addFile(QStringLiteral(":/toolbar/%1.png").arg(button.strImage), QSize(16, 15));
        icon.addFile(QStringLiteral(":/toolbar/2x/%1.png").arg(button.strImage), QSize(32, 30));
        pAction->setIcon(icon);
        m_pToolBar->addAction(pAction);
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    // The toolbar's own button for what does not fit has no name of its own.
    for (QToolButton* pButton : m_pToolBar->findChildren<QToolButton*>(
             QStringLiteral("qt_toolbar_ext_button"), Qt::FindDirectChildrenOnly)) {
        pButton->setAccessibleName(bars.strToolbarMore);
    }
    // A floating toolbar is a small window of its own, with its caption and
    // a close box; the View menu follows it when that box hides it.
    m_pToolBar->installEventFilter(this);
    connect(m_pToolBar, &QToolBar::topLevelChanged, this, [this] { DecorateFloatingToolBar(); });
    connect(m_pToolBar, &QToolBar::visibilityChanged, this, [this] { RequestCommandUIUpdate(); });

    // Accelerators work whether or not a menu item shows them.
    for (const AccelDef& accel : bars.accelerators) {
        auto* pShortcut = new QShortcut(accel.key, this);
        pShortcut->setContext(Qt::WindowShortcut);
        const unsigned nID = accel.nID;
        connect(pShortcut, &QShortcut::activated, this, [this, nID] { RouteCommand(nID); });
    }

    m_pPane0 = new QLabel(this);
    m_pPane0->setObjectName("pane0");
    m_pPane1 = new QLabel(this);
    m_pPane1->setObjectName("pane1");
    m_pPane1->setFrameShape(QFrame::Panel);
    m_pPane1->setFrameShadow(QFrame::Sunken);
    for (QLabel* pPane : {m_pPane0, m_pPane1}) {
        // Paths and names pass through here: never read as markup.
        pPane->setTextFormat(Qt::PlainText);
    }
    m_nPane1MinWidth = bars.nPane1Width;
    m_strPane1Format = bars.strPane1Format;
    UpdatePane1Width();
    statusBar()->addWidget(m_pPane0, 1);
    statusBar()->addPermanentWidget(m_pPane1);
    statusBar()->setSizeGripEnabled(true);
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CFrameWnd::UpdatePane1Width() {
    if (m_pPane1 == nullptr) return;
    // The widest number: a minus and ten of the font's widest digit.
    const QFontMetrics fm = m_pPane1->fontMetrics();
    QChar chWidest = QLatin1Char('0');
    for (char c = '0'; c <= '9'; ++c) {
        if (fm.horizontalAdvance(QLatin1Char(c)) > fm.horizontalAdvance(chWidest))
            chWidest = QLatin1Char(c);
    }
    QString strWidest = m_strPane1Format;
    strWidest.replace(QStringLiteral("%ld"), QLatin1Char('-') + QString(10, chWidest));
    // The label's frame, its indent (half an x beside a frame) and a pixel to spare.
    const int nText = fm.horizontalAdvance(strWidest) + 2 * m_pPane1->frameWidth() +
                      2 * m_pPane1->margin() + fm.horizontalAdvance(QLatin1Char('x')) + 2;
    m_pPane1->setFixedWidth(std::max(m_nPane1MinWidth, nText));
    // The panes keep one height whatever they show, so the status bar does
    // not change height when a text first arrives.
    const QString strSaved = m_pPane1->text();
    m_pPane1->setText(strWidest);
    const int nHeight = std::max(m_pPane1->sizeHint().height(), m_pPane0->sizeHint().height());
    m_pPane1->setText(strSaved);
    m_pPane0->setMinimumHeight(nHeight);
    m_pPane1->setMinimumHeight(nHeight);
}

void CFrameWnd::SetRecentFiles(const std::vector<std::string>& files) {
    const QFontMetrics fm(Popup(0) != nullptr ? Popup(0)->font() : font());
    // About forty average letters, as menus of recent files usually allow.
    const int nMaxWidth = fm.averageCharWidth() * 40;
    // The paths are bytes as the file system names them.
    QStringList paths, names;
    for (const std::string& strFile : files) {
        paths << QFile::decodeName(QByteArray::fromStdString(strFile));
        names << paths.back().section(QLatin1Char('/'), -1);
    }
    for (unsigned n = 0; n < m_nRecentFiles; ++n) {
        QAction* pAction = Action(ID_FILE_MRU_FILE1 + n);
        if (pAction == nullptr) continue;
        if (n < files.size()) {
            // The name alone, or the path where two games share the name; the
            // whole path is the item's prompt.
            const QString& strPath = paths[static_cast<qsizetype>(n)];
            const bool bShared = names.count(names[static_cast<qsizetype>(n)]) > 1;
            pAction->setText(
                RecentFileMenuText(static_cast<int>(n) + 1, strPath, bShared, fm, nMaxWidth));
            pAction->setStatusTip(strPath);
            pAction->setVisible(true);
        } else {
            pAction->setText(n == 0 ? m_strRecentPlaceholder : QString());
            pAction->setStatusTip(n == 0 ? GetMessageString(ID_FILE_MRU_FILE1) : QString());
            pAction->setVisible(n == 0);
        }
    }
}

QAction* CFrameWnd::Action(unsigned nID) const {
    auto it = m_actions.find(nID);
    return it == m_actions.end() ? nullptr : it->second;
}

QMenu* CFrameWnd::Popup(int nIndex) const {
    return m_popups.value(nIndex, nullptr);
}

bool CFrameWnd::RouteUpdate(CCmdUI& ui) {
    if (m_pActiveView != nullptr && m_pActiveView->OnCmdMsg(ui.m_nID, &ui)) return true;
    if (OnCmdMsg(ui.m_nID, &ui)) return true;
    return m_pAppTarget != nullptr && m_pAppTarget->OnCmdMsg(ui.m_nID, &ui);
}

bool CFrameWnd::RouteCommand(unsigned nID) {
    // A command that is disabled now is not run, also when it comes from an
    // accelerator.
    CCmdUI ui(nID);
    if (!RouteUpdate(ui) || !ui.m_bEnabled) return false;
    bool bDone = (m_pActiveView != nullptr && m_pActiveView->OnCmdMsg(nID, nullptr)) ||
                 OnCmdMsg(nID, nullptr) ||
                 (m_pAppTarget != nullptr && m_pAppTarget->OnCmdMsg(nID, nullptr));
    RequestCommandUIUpdate();
    return bDone;
}

void CFrameWnd::UpdateCommandUI() {
    for (auto& [nID, pAction] : m_actions) {
        CCmdUI ui(nID);
        const bool bHandled = RouteUpdate(ui);
        pAction->setEnabled(bHandled && ui.m_bEnabled);
        if (ui.m_bChecked && !pAction->isCheckable()) pAction->setCheckable(true);
        if (pAction->isCheckable()) pAction->setChecked(ui.m_bChecked);
    }
}

void CFrameWnd::RequestCommandUIUpdate() {
    if (m_bUpdatePending) return;
    m_bUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_bUpdatePending = false;
        UpdateCommandUI();
    });
}

bool CFrameWnd::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    switch (nID) {
        case ID_VIEW_TOOLBAR:
            if (pCmdUI != nullptr) {
                pCmdUI->SetCheck(m_pToolBar != nullptr && !m_pToolBar->isHidden());
            } else if (m_pToolBar != nullptr) {
                m_pToolBar->setHidden(!m_pToolBar->isHidden());
            }
            return true;
        case ID_VIEW_STATUS_BAR:
            if (pCmdUI != nullptr) {
                pCmdUI->SetCheck(!statusBar()->isHidden());
            } else {
                statusBar()->setHidden(!statusBar()->isHidden());
            }
            return true;
        case ID_APP_EXIT:
            if (pCmdUI == nullptr) close();
            return true;
        default:
            return false;
    }
}

bool CFrameWnd::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::StatusTip) {
        // Prompts of menu items and toolbar buttons go to the message pane;
        // when the pointer leaves, the idle prompt rule decides what shows.
        const QString strTip = static_cast<QStatusTipEvent*>(pEvent)->tip();
        if (strTip.isEmpty()) {
            SetMessageText(AFX_IDS_IDLEMESSAGE);
        } else {
            SetMessageText(strTip);
        }
        return true;
    }
    return QMainWindow::event(pEvent);
}

// ---- the floating toolbar --------------------------------------------------

bool CFrameWnd::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_pToolBar &&
        (pEvent->type() == QEvent::Show || pEvent->type() == QEvent::ParentChange)) {
        // The toolbar sets its own frameless flags whenever it floats anew
        // (a drag, a restored state): put the caption back after it.
        QueueToolBarDecoration();
    } else if (pWatched == windowHandle() && pEvent->type() == QEvent::Expose) {
        QueueSettle();
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

void CFrameWnd::QueueToolBarDecoration() {
    if (!ToolBarNeedsDecorating() || m_bToolBarFixQueued) return;
    m_bToolBarFixQueued = true;
    // A moment later: the window manager is still taking the window the
    // toolbar has just shown.
    QTimer::singleShot(kToolBarSettleMs, this, [this] { DecorateFloatingToolBar(); });
}

void CFrameWnd::QueueSettle() {
    // On screen: the window manager has framed the window by now, and the
    // layout has taken its shown sizes.
    if (m_bSettled || m_bSettleQueued || windowHandle() == nullptr || !windowHandle()->isExposed())
        return;
    m_bSettleQueued = true;
    QTimer::singleShot(0, this, [this] { Settle(); });
}

void CFrameWnd::ShowToolBarAndRecheck() {
    m_pToolBar->show();
    m_pToolBar->raise();
    QTimer::singleShot(kToolBarSettleMs * 3, this, [this] { EnsureToolBarOnScreen(); });
}

bool CFrameWnd::ToolBarNeedsDecorating() const {
    if (m_pToolBar == nullptr || !m_pToolBar->isFloating()) return false;
    const Qt::WindowFlags flags = m_pToolBar->windowFlags();
    if ((flags & Qt::FramelessWindowHint) != 0 || (flags & Qt::WindowTitleHint) == 0) return true;
    // Shown before the main window was: not yet kept above it.
    const QWindow* pWindow = m_pToolBar->windowHandle();
    return !m_pToolBar->isHidden() && isVisible() && pWindow != nullptr &&
           pWindow->transientParent() != windowHandle();
}

void CFrameWnd::DecorateFloatingToolBar() {
    m_bToolBarFixQueued = false;
    if (m_pToolBar == nullptr || !m_pToolBar->isFloating()) return;
    if (QApplication::mouseButtons() != Qt::NoButton) {
        // Still being dragged: the toolbar moves itself until it is let go.
        m_bToolBarFixQueued = true;
        QTimer::singleShot(50, this, [this] { DecorateFloatingToolBar(); });
        return;
    }
    // Until the main window is on screen the toolbar is left as it is; it is
    // done again when the window shows.
    if (!isVisible() || !ToolBarNeedsDecorating()) return;
    const Qt::WindowFlags flags =
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    const bool bShown = !m_pToolBar->isHidden();
    if ((m_pToolBar->windowFlags() & (Qt::FramelessWindowHint | Qt::WindowTitleHint)) !=
        Qt::WindowTitleHint) {
        // The buttons stay where they were; the caption goes above them.
        const QRect rc = m_pToolBar->geometry();
        m_pToolBar->setWindowFlags(flags);
        m_pToolBar->setGeometry(rc);
    }
    if (!bShown) return;
    // It belongs to the main window, known as such before it is shown: kept
    // above it, also when the board is clicked.
    m_pToolBar->createWinId();
    if (QWindow* pWindow = m_pToolBar->windowHandle()) pWindow->setTransientParent(windowHandle());
    m_nToolBarShowTries = 3;
    ShowToolBarAndRecheck();
}

void CFrameWnd::EnsureToolBarOnScreen() {
    // A window shown again right after it was hidden can be lost between the
    // hide and the show by a window manager still withdrawing it: show it once more.
    if (m_pToolBar == nullptr || m_pToolBar->isHidden() || !m_pToolBar->isFloating() ||
        m_nToolBarShowTries <= 0)
        return;
    const QWindow* pWindow = m_pToolBar->windowHandle();
    if (pWindow == nullptr || pWindow->isExposed()) return;
    --m_nToolBarShowTries;
    m_pToolBar->hide();
    QTimer::singleShot(kToolBarSettleMs, this, [this] {
        if (m_pToolBar == nullptr || !m_pToolBar->isFloating()) return;
        ShowToolBarAndRecheck();
    });
}

// ---- the window on the screen ----------------------------------------------

void CFrameWnd::changeEvent(QEvent* pEvent) {
    QMainWindow::changeEvent(pEvent);
    switch (pEvent->type()) {
        case QEvent::WindowStateChange:
            // Commands that depend on the state (Auto Resize) follow it at once.
            RequestCommandUIUpdate();
            // A window manager may resize the window before it tells of the
            // new state: that size was never the normal one.
            if ((windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0 &&
                m_rcLastNormal == geometry().marginsAdded(m_margins)) {
                m_rcLastNormal = m_rcPrevNormal;
            }
            RefreshFrameMargins();
            break;
        case QEvent::FontChange:
        case QEvent::StyleChange:
            UpdatePane1Width();
            break;
        default:
            break;
    }
}

void CFrameWnd::moveEvent(QMoveEvent* pEvent) {
    QMainWindow::moveEvent(pEvent);
    RefreshFrameMargins();
}

void CFrameWnd::resizeEvent(QResizeEvent* pEvent) {
    QMainWindow::resizeEvent(pEvent);
    RefreshFrameMargins();
}

void CFrameWnd::showEvent(QShowEvent* pEvent) {
    QMainWindow::showEvent(pEvent);
    // A toolbar that floated before the window came up goes above it now.
    QueueToolBarDecoration();
    if (QWindow* pWindow = windowHandle()) {
        pWindow->removeEventFilter(this);
        pWindow->installEventFilter(this);
        QueueSettle();
    }
}

void CFrameWnd::RefreshFrameMargins() {
    if (!isVisible() || windowHandle() == nullptr) return;
    const QMargins margins = windowHandle()->frameMargins();
    if (margins != m_margins) {
        m_margins = margins;
        ApplyMinimumSize();
    }
    if (!IsNormalState() || !m_bSettled) return;
    m_normalMargins = margins;
    if (m_rcWantedOuter.isValid()) {
        // First seen normal since it was placed: the decorations may differ
        // from what was expected, so the frame goes exactly where it was asked.
        const QRect rcWanted = m_rcWantedOuter;
        m_rcWantedOuter = QRect();
        if (geometry().marginsAdded(margins) != rcWanted) {
            SetNormalFrameRect(rcWanted);
            return;
        }
    }
    const QRect rc = geometry().marginsAdded(margins);
    if (rc != m_rcLastNormal) {
        m_rcPrevNormal = m_rcLastNormal;
        m_rcLastNormal = rc;
    }
}

void CFrameWnd::SetExpectedFrameMargins(const QMargins& margins) {
    if (m_bSettled) return;
    m_margins = margins;
    m_normalMargins = margins;
    ApplyMinimumSize();
}

void CFrameWnd::SetMinTrackSize(QSize sizeOuter) {
    m_sizeMinOuter = sizeOuter;
    ApplyMinimumSize();
}

void CFrameWnd::ApplyMinimumSize() {
    if (!m_sizeMinOuter.isValid()) return;
    const QSize sizeMin = m_sizeMinOuter.shrunkBy(m_margins).expandedTo(QSize(0, 0));
    setMinimumSize(sizeMin);
}

bool CFrameWnd::IsNormalState() const {
    return (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) ==
           0;
}

QRect CFrameWnd::NormalFrameRect() const {
    // Placed but not yet seen on screen: the rectangle as it was asked for.
    if (m_rcWantedOuter.isValid()) return m_rcWantedOuter;
    if (IsNormalState()) return geometry().marginsAdded(m_margins);
    if (m_rcLastNormal.isValid()) return m_rcLastNormal;
    QRect rcClient = normalGeometry();
    if (!rcClient.isValid()) rcClient = geometry();
    return rcClient.marginsAdded(m_normalMargins);
}

void CFrameWnd::SetNormalFrameRect(const QRect& rcOuter) {
    m_rcWantedOuter = rcOuter;
    // The position is the frame's (a window's position includes its frame);
    // the size is the client's, so the margins come off.
    move(rcOuter.topLeft());
    resize(rcOuter.size().shrunkBy(m_bSettled ? m_margins : m_normalMargins));
    if (m_bSettled) m_rcWantedOuter = QRect();
}

QRect CFrameWnd::AvailableArea() const {
    const QScreen* pScreen = nullptr;
    if (isVisible()) {
        pScreen = screen();
    } else {
        pScreen = QGuiApplication::screenAt(geometry().center());
        if (pScreen == nullptr) pScreen = screen();
    }
    if (pScreen == nullptr) pScreen = QGuiApplication::primaryScreen();
    return pScreen != nullptr ? pScreen->availableGeometry() : QRect();
}

void CFrameWnd::WhenSettled(std::function<void()> fn) {
    if (m_bSettled) {
        fn();
        return;
    }
    m_whenSettled.push_back(std::move(fn));
}

void CFrameWnd::Settle() {
    m_bSettleQueued = false;
    if (m_bSettled || !isVisible()) return;
    m_bSettled = true;
    RefreshFrameMargins();
    auto callbacks = std::move(m_whenSettled);
    m_whenSettled.clear();
    for (auto& fn : callbacks) fn();
    RequestCommandUIUpdate();
}
