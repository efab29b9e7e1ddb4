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
    for (unsigned n = 1; n < m_nCount; ++n) {
        QAction* pMore = m_router.MakeAction(m_nFirstID + n, QString());
        pMore->setVisible(false);
        menu.addAction(pMore);
    }
}

void CRecentFileMenu::SetFiles(const std::vector<std::string>& files, const QFontMetrics& fm) {
    // About forty average letters, as menus of recent files usually allow.
    const int nMaxWidth = fm.averageCharWidth() * 40;
    QStringList paths, names;
    for (const std::string& strFile : files) {
        paths << QFile::decodeName(QByteArray::fromStdString(strFile));
        names << paths.back().section(QLatin1Char('/'), -1);
    }
    for (unsigned n = 0; n < m_nCount; ++n) {
        QAction* pAction = m_router.Action(m_nFirstID + n);
        if (pAction == nullptr) continue;
        if (n < files.size()) {
            // The name alone, or the path where two files share the name; the
            // whole path is the item's prompt.
            const QString& strPath = paths[static_cast<qsizetype>(n)];
            const bool bShared = names.count(names[static_cast<qsizetype>(n)]) > 1;
            pAction->setText(
                RecentFileMenuText(static_cast<int>(n) + 1, strPath, bShared, fm, nMaxWidth));
            pAction->setStatusTip(ShownAsIs(strPath, TextDirection::kLeftToRight));
            pAction->setVisible(true);
        } else {
            pAction->setText(n == 0 ? m_strPlaceholder : QString());
            pAction->setStatusTip(n == 0 ? PromptOf(m_nFirstID) : QString());
            pAction->setVisible(n == 0);
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
