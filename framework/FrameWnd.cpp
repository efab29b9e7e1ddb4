#include "framework/FrameWnd.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

#include "framework/ResString.h"
#include "framework/StdIds.h"

QString AcceleratorText(const QKeySequence& key) {
    // The Pause key is the one keyboards label Break.
    if (key == QKeySequence(Qt::Key_Pause)) return QStringLiteral("Break");
    return key.toString(QKeySequence::PortableText);
}

CFrameWnd::CFrameWnd(QWidget* pParent) : QMainWindow(pParent) {}

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
    if (pPane == nullptr) return;
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
    auto* pAction = new QAction(strText, this);
    pAction->setData(nID);
    pAction->setStatusTip(GetMessageString(nID));
    pAction->setToolTip(ToolTipOf(nID));
    connect(pAction, &QAction::triggered, this, [this, nID] { RouteCommand(nID); });
    m_actions[nID] = pAction;
    return pAction;
}

void CFrameWnd::CreateBars(const FrameBars& bars, unsigned nRecentFiles) {
    m_nRecentFiles = nRecentFiles;
    auto keyOf = [&bars](unsigned nID) -> const QKeySequence* {
        for (const AccelDef& accel : bars.accelerators) {
            if (accel.nID == nID) return &accel.key;
        }
        return nullptr;
    };

    for (const PopupDef& popup : bars.menu) {
        QMenu* pMenu = menuBar()->addMenu(popup.strText);
        m_popups.append(pMenu);
        for (const MenuItemDef& item : popup.items) {
            if (item.nID == 0) {
                pMenu->addSeparator();
                continue;
            }
            QString strText = item.strText;
            if (const QKeySequence* pKey =
                    keyOf(item.nShowKeyOf != 0 ? item.nShowKeyOf : item.nID)) {
                // Shown beside the item; the accelerator itself binds the key.
                strText += QLatin1Char('\t') + AcceleratorText(*pKey);
            }
            pMenu->addAction(MakeAction(item.nID, strText));
            if (item.nID == ID_FILE_MRU_FILE1) {
                // Room for the rest of the recent-file list, shown when filled.
                for (unsigned n = 1; n < m_nRecentFiles; ++n) {
                    QAction* pAction = MakeAction(item.nID + n, QString());
                    pAction->setVisible(false);
                    pMenu->addAction(pAction);
                }
                m_strRecentPlaceholder = strText;
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
    m_pPane1->setFixedWidth(bars.nPane1Width);
    m_pPane1->setFrameShape(QFrame::Panel);
    m_pPane1->setFrameShadow(QFrame::Sunken);
    statusBar()->addWidget(m_pPane0, 1);
    statusBar()->addPermanentWidget(m_pPane1);
    statusBar()->setSizeGripEnabled(true);
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CFrameWnd::SetRecentFiles(const std::vector<std::string>& files) {
    for (unsigned n = 0; n < m_nRecentFiles; ++n) {
        QAction* pAction = Action(ID_FILE_MRU_FILE1 + n);
        if (pAction == nullptr) continue;
        if (n < files.size()) {
            // "&1 name.cx"; the full path is the item's prompt.
            const QString strPath = QString::fromStdString(files[n]);
            QString strName = strPath.section('/', -1);
            strName.replace('&', QStringLiteral("&&"));
            pAction->setText(QStringLiteral("&%1 %2").arg(n + 1).arg(strName));
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
