// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

// A path as the file system's bytes, shown as text (bytes that are not text
// in the locale's encoding show as replacement characters).
QString PathToDisplay(const std::string& strPath);

// The file dialogs of Open and Save As, and the file a print to PDF is
// offered as: they offer the game's file type and "All Files", and start in
// the folder of the last game opened or saved, while it is there.
class CFileDialogs {
public:
    // The game last opened or saved (the file system's bytes of its path).
    void SetLastGame(const std::string& strPath);

    // The game the player chose to open; nothing for Cancel.
    std::optional<std::string> AskOpenPath(QWidget* pParent) const;
    // Where the player chose to save the game now at strCurrent (empty while
    // untitled, which is offered under the document's name, "Game.cx"); the
    // extension is added when the name has none. Nothing for Cancel.
    std::optional<std::string> AskSavePath(QWidget* pParent, const std::string& strCurrent) const;
    // The game's name ("Game" while untitled) as a PDF, where the dialogs
    // start (else in the current folder).
    QString ProposedPdfPath(const std::string& strCurrent) const;

private:
    void Prepare(QFileDialog& dlg) const;
    // The folder of the last game, if it is still there.
    QString LastFolder() const;

    QString m_strLastFolder;
};
