// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Document.h"

#include <cerrno>
#include <new>
#include <stdexcept>
#include <vector>

#include "store/FileIO.h"

namespace {

// No saved document comes anywhere near this; a larger file is refused before
// it is read so that it cannot exhaust memory.
constexpr size_t kMaxDocumentBytes = size_t{64} << 20;

}  // namespace

bool CDocument::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const std::string& strPath) {
    m_lastError.reset();

    // Everything is read before the current contents are touched, so a file
    // that cannot be read leaves the document as it was.
    std::vector<uint8_t> data;
    try {
        const fileio::ReadResult read = fileio::ReadRegularFile(strPath, kMaxDocumentBytes, data);
        if (read.status != fileio::ReadStatus::kOk) {
            // Larger than any game: not a saved game at all.
            const FileError error = read.status == fileio::ReadStatus::kTooLarge
                                        ? FileError::kBadFormat
                                        : FileError::kCannotOpen;
            ReportError(error, strPath, read.detail);
            return false;
        }
    } catch (const std::bad_alloc&) {
        ReportError(FileError::kOutOfMemory, strPath, fileio::ErrorText(ENOMEM));
        return false;
    }

    SetContentsAside();
    DeleteContents();
    // Modified while reading: if reading fails, the caller sees a cleared
    // document and knows it must set up a fresh one.
    SetModifiedFlag(true);

    FileError error = FileError::kBadFormat;
    std::string strDetail;
    if (data.empty()) {
        strDetail = "the file is empty";
    } else {
        try {
            CArchive ar = CArchive::ForLoading(data);
            Serialize(ar);
            EndContentsAside(false);
            SetModifiedFlag(false);
            return true;
        } catch (const CArchiveException& e) {
            error = e.Cause() == ArchiveError::kMemory ? FileError::kOutOfMemory
                                                       : FileError::kBadFormat;
            strDetail = e.what();
        } catch (const std::bad_alloc&) {
            error = FileError::kOutOfMemory;
            strDetail = fileio::ErrorText(ENOMEM);
        } catch (const std::length_error&) {
            error = FileError::kOutOfMemory;
            strDetail = fileio::ErrorText(ENOMEM);
        }
    }
    // The message is read over the document as it was before the read.
    DeleteContents();
    EndContentsAside(true);
    ReportError(error, strPath, strDetail);
    DeleteContents();
    return false;
}

bool CDocument::OnSaveDocument(const std::string& strPath) {
    m_lastError.reset();

    std::vector<uint8_t> data;
    try {
        CArchive ar = CArchive::ForStoring(data);
        Serialize(ar);
    } catch (const CArchiveException& e) {
        ReportError(FileError::kCannotSave, strPath, e.what());
        return false;
    } catch (const std::bad_alloc&) {
        ReportError(FileError::kCannotSave, strPath, fileio::ErrorText(ENOMEM));
        return false;
    }

    if (auto strFailure = fileio::ReplaceFile(strPath, data, fileio::WriteMode::kAtomicOrInPlace)) {
        ReportError(FileError::kCannotSave, strPath, *strFailure);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::ReportError(FileError error, const std::string& strPath,
                            const std::string& strDetail) {
    m_lastError = FileErrorReport{error, strPath, strDetail};
    if (m_fnReport) {
        m_fnReport(*m_lastError);
    }
}

bool OpenDocumentFile(CDocument& doc, const std::string& strPath, bool& bReplaced) {
    bReplaced = false;
    if (doc.OnOpenDocument(strPath)) {
        doc.SetPathName(strPath);
        return true;
    }
    // The file was read only in part and the document has been cleared: a
    // fresh document with the default title takes its place.
    if (doc.IsModified()) {
        doc.SetPathName(std::string());
        bReplaced = doc.OnNewDocument();
    }
    return false;
}
