// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileDialogs.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "framework/ResString.h"
#include "res/resource.h"

namespace {

// A path the player chose in a dialog as bytes for the file system.
std::string PathFromDialog(const QString& strPath) {
    return QFile::encodeName(strPath).toStdString();
}

// One field of the document string: 1 the name of an untitled game, 3 the
// file type's name in the dialogs, 4 its extension.
QString DocString(int nField) {
    return LoadQString(IDR_MAINFRAME).section('\n', nField, nField);
}

std::optional<std::string> ChosenPath(QFileDialog& dlg) {
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return PathFromDialog(dlg.selectedFiles().constFirst());
}

}  // namespace

QString PathToDisplay(const std::string& strPath) {
    return QFile::decodeName(QByteArray::fromStdString(strPath));
}

void CFileDialogs::SetLastGame(const std::string& strPath) {
    m_strLastFolder = QFileInfo(PathToDisplay(strPath)).path();
}

void CFileDialogs::Prepare(QFileDialog& dlg) const {
    dlg.setNameFilters({DocString(3), LoadQString(IDS_FILTER_ALL_FILES)});
    if (const QString strFolder = LastFolder(); !strFolder.isEmpty()) dlg.setDirectory(strFolder);
}

QString CFileDialogs::LastFolder() const {
    return !m_strLastFolder.isEmpty() && QDir(m_strLastFolder).exists() ? m_strLastFolder
                                                                        : QString();
}

std::optional<std::string> CFileDialogs::AskOpenPath(QWidget* pParent) const {
    QFileDialog dlg(pParent);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    Prepare(dlg);
    return ChosenPath(dlg);
}

std::optional<std::string> CFileDialogs::AskSavePath(QWidget* pParent,
                                                     const std::string& strCurrent) const {
    QFileDialog dlg(pParent);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    Prepare(dlg);
    dlg.setDefaultSuffix(DocString(4).mid(1));
    dlg.selectFile(strCurrent.empty() ? DocString(1) + DocString(4) : PathToDisplay(strCurrent));
    return ChosenPath(dlg);
}

QString CFileDialogs::ProposedPdfPath(const std::string& strCurrent) const {
    const QString strName =
        strCurrent.empty() ? DocString(1) : QFileInfo(PathToDisplay(strCurrent)).completeBaseName();
    const QString strFolder = LastFolder();
    return QDir(strFolder.isEmpty() ? QDir::currentPath() : strFolder)
        .filePath(strName + QStringLiteral(".pdf"));
}
