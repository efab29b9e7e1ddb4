// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "store/Archive.h"

// Why opening or saving a document failed, as reported to the user.
enum class FileError {
    kCannotOpen,   // the file could not be opened or read at all
    kBadFormat,    // unexpected file format (format, version, end-of-file)
    kOutOfMemory,  // not enough memory to hold the document
    kCannotSave,   // the file could not be written
};

struct FileErrorReport {
    FileError error;
    std::string path;
    std::string detail;  // the system's explanation, when there is one
};

// The document part of a single-document program: the open/save/new/close
// cycle around a Serialize operation, and the modified flag, which only the
// cycle itself touches.
class CDocument {
public:
    virtual ~CDocument() = default;

    // Clears the previous contents and the modified flag.
    virtual bool OnNewDocument();
    // Reads the file into memory first (failure: report kCannotOpen, nothing
    // cleared), then sets the contents aside, marks the document modified
    // while it reads, and runs Serialize. On any archive error the contents
    // set aside come back while the error is reported (the person reads the
    // message over the document as it was, not a half-read one), then they are
    // cleared, and the modified flag stays set so that the caller knows it
    // must set up a fresh document. An empty file is refused as a format
    // error.
    virtual bool OnOpenDocument(const std::string& strPath);
    // Serializes into memory, then writes a temporary file beside the target
    // and renames it over the target, so a failed save never destroys the
    // previous file. In a folder where no temporary file can be made, a
    // writable file is written in place instead. Failure is reported and
    // leaves everything as it was.
    virtual bool OnSaveDocument(const std::string& strPath);
    virtual void DeleteContents() {}
    virtual void OnCloseDocument() { DeleteContents(); }
    virtual void Serialize(CArchive& ar) = 0;
    // Around a read: the contents move aside (the document is left empty for
    // Serialize) and come back, or are dropped once the read has succeeded.
    // A document that keeps nothing aside has nothing to give back.
    virtual void SetContentsAside() {}
    virtual void EndContentsAside(bool /*bRestore*/) {}

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }

    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& strPath) { m_strPathName = strPath; }

    // Where failures go; without a reporter they are only remembered.
    void SetErrorReporter(std::function<void(const FileErrorReport&)> fn) {
        m_fnReport = std::move(fn);
    }
    const std::optional<FileErrorReport>& LastError() const { return m_lastError; }

protected:
    void ReportError(FileError error, const std::string& strPath, const std::string& strDetail);

private:
    bool m_bModified = false;
    std::string m_strPathName;
    std::function<void(const FileErrorReport&)> m_fnReport;
    std::optional<FileErrorReport> m_lastError;
};

// The single-document template's Open: open the file into the document; when
// reading failed part-way (the document was cleared), set up a new document
// instead so that a valid game is always held. Returns whether the file was
// opened; on false, `bReplaced` tells whether a fresh document now stands in.
bool OpenDocumentFile(CDocument& doc, const std::string& strPath, bool& bReplaced);
