// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <string>
#include <vector>

class CCommandRouter;
class QFontMetrics;
class QMenu;

// The recent-file list in a menu: nCount places with the command numbers
// nFirstID and up. While the list is empty the first place shows a
// placeholder, disabled. The other places are in the menu only while they
// hold a file, so that a screen reader meets no empty items.
class CRecentFileMenu {
public:
    CRecentFileMenu(CCommandRouter& router, unsigned nFirstID, unsigned nCount)
        : m_router(router), m_nFirstID(nFirstID), m_nCount(nCount) {}

    // The first place's item is already in menu; the others follow it once
    // they are filled.
    void AddPlaces(QMenu& menu, const QString& strPlaceholder);
    // Shows the files (paths as the file system's bytes), most recent first.
    void SetFiles(const std::vector<std::string>& files, const QFontMetrics& fm);

private:
    CCommandRouter& m_router;
    unsigned m_nFirstID;
    unsigned m_nCount;
    QString m_strPlaceholder;
    QMenu* m_pMenu = nullptr;
};

// A recent-file entry as the menu shows it: "&1 " and the file's name, or,
// with bWholePath, its path with the home folder as "~" and the folders
// elided in the middle to fit nMaxWidth pixels of the menu's font (the name is
// kept whole where it can be). Ampersands are doubled: none becomes a mnemonic.
QString RecentFileMenuText(int nIndex, const QString& strPath, bool bWholePath,
                           const QFontMetrics& fm, int nMaxWidth);
