// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/RecentFileMenu.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QMenu>

#include "framework/CommandRouter.h"
#include "framework/ResString.h"
#include "framework/ShownText.h"

void CRecentFileMenu::AddPlaces(QMenu& menu, const QString& strPlaceholder) {
    m_strPlaceholder = strPlaceholder;
    m_pMenu = &menu;
    for (unsigned n = 1; n < m_nCount; ++n) m_router.MakeAction(m_nFirstID + n, QString());
}

void CRecentFileMenu::SetFiles(const std::vector<std::string>& files, const QFontMetrics& fm) {
    // About forty average letters, as menus of recent files usually allow.
    const int nMaxWidth = fm.averageCharWidth() * 40;
    QStringList paths, names;
    for (const std::string& strFile : files) {
        paths << QFile::decodeName(QByteArray::fromStdString(strFile));
        names << paths.back().section(QLatin1Char('/'), -1);
    }
    // The places after the first leave the menu, and the filled ones come
    // back after it, in order.
    QAction* pFirst = m_router.Action(m_nFirstID);
    QAction* pAfter = nullptr;
    if (m_pMenu != nullptr && pFirst != nullptr) {
        for (unsigned n = 1; n < m_nCount; ++n)
            m_pMenu->removeAction(m_router.Action(m_nFirstID + n));
        const QList<QAction*> actions = m_pMenu->actions();
        pAfter = actions.value(actions.indexOf(pFirst) + 1, nullptr);
    }
    for (unsigned n = 0; n < m_nCount; ++n) {
        QAction* pAction = m_router.Action(m_nFirstID + n);
        if (pAction == nullptr) continue;
        if (n > 0 && n < files.size() && m_pMenu != nullptr) m_pMenu->insertAction(pAfter, pAction);
        if (n < files.size()) {
            // The name alone, or the path where two files share the name; the
            // whole path is the item's prompt.
            const QString& strPath = paths[static_cast<qsizetype>(n)];
            const bool bShared = names.count(names[static_cast<qsizetype>(n)]) > 1;
            pAction->setText(
                RecentFileMenuText(static_cast<int>(n) + 1, strPath, bShared, fm, nMaxWidth));
            pAction->setStatusTip(ShownAsIs(strPath, TextDirection::kLeftToRight));
        } else {
            pAction->setText(n == 0 ? m_strPlaceholder : QString());
            pAction->setStatusTip(n == 0 ? PromptOf(m_nFirstID) : QString());
        }
    }
}

QString RecentFileMenuText(int nIndex, const QString& strPath, bool bWholePath,
                           const QFontMetrics& fm, int nMaxWidth) {
    // Measured and shortened as it shows: its controls as placeholders.
    QString strShown = WithVisibleControls(QDir::toNativeSeparators(strPath));
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
    return QStringLiteral("&%1 %2").arg(nIndex).arg(
        Isolated(strShown, TextDirection::kLeftToRight));
}
