// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>
#include <string>
#include <vector>

// Why reading or writing an archive failed.
enum class ArchiveError {
    kFormat,     // the bytes are not what the reader expects
    kVersion,    // a version the reader does not know
    kEndOfFile,  // the data ended inside a value
    kMemory,     // storage for the data could not be had
};

class CArchiveException : public std::exception {
public:
    explicit CArchiveException(ArchiveError cause) : m_cause(cause) {}
    ArchiveError Cause() const { return m_cause; }
    const char* what() const noexcept override;

private:
    ArchiveError m_cause;
};

// Little-endian binary transfer over a byte buffer, in one of two modes.
// Loading reads from a span of bytes; storing appends to a vector.
class CArchive {
public:
    static CArchive ForLoading(std::span<const uint8_t> data) { return CArchive(data); }
    static CArchive ForStoring(std::vector<uint8_t>& out) { return CArchive(out); }

    bool IsLoading() const { return m_pOut == nullptr; }
    bool IsStoring() const { return m_pOut != nullptr; }

    // Signed 32-bit values. Reading throws kEndOfFile when fewer than four
    // bytes are left.
    CArchive& operator<<(int32_t n);
    CArchive& operator>>(int32_t& n);

    // Raw bytes. Read returns how many bytes it could copy (short at the end
    // of the data) and never throws.
    void Write(const void* p, size_t n);
    size_t Read(void* p, size_t n);

    // Archive string: below 255 characters one length byte, then the bytes;
    // longer strings use 0xFF followed by a 16-bit length (0xFFFF then a
    // 32-bit length for very long ones).
    void WriteString(const std::string& s);
    std::string ReadString();

    // Archive count: a 16-bit value, or 0xFFFF followed by a 32-bit value.
    void WriteCount(uint32_t n);
    uint32_t ReadCount();

    size_t BytesLeft() const { return IsLoading() ? m_in.size() - m_nPos : 0; }

private:
    explicit CArchive(std::span<const uint8_t> data) : m_in(data) {}
    explicit CArchive(std::vector<uint8_t>& out) : m_pOut(&out) {}

    void ReadExact(void* p, size_t n);  // throws kEndOfFile when short

    std::span<const uint8_t> m_in;
    size_t m_nPos = 0;
    std::vector<uint8_t>* m_pOut = nullptr;
};
