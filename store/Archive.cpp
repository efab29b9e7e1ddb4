// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Archive.h"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "store/Endian.h"

namespace {

// Markers of the longer archive string and count forms.
constexpr uint8_t kLongStringMarker = 0xFF;
constexpr uint16_t kWideMarker = 0xFFFF;

void PutU16(uint8_t* p, uint16_t n) {
    p[0] = static_cast<uint8_t>(n);
    p[1] = static_cast<uint8_t>(n >> 8);
}

uint16_t GetU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

const char* CArchiveException::what() const noexcept {
    switch (m_cause) {
        case ArchiveError::kFormat:
            return "unexpected file format";
        case ArchiveError::kVersion:
            return "unsupported file version";
        case ArchiveError::kEndOfFile:
            return "unexpected end of file";
        case ArchiveError::kMemory:
            return "not enough memory";
    }
    return "archive error";
}

CArchive& CArchive::operator<<(int32_t n) {
    uint8_t b[4];
    PutInt32LE(b, n);
    Write(b, sizeof b);
    return *this;
}

CArchive& CArchive::operator>>(int32_t& n) {
    uint8_t b[4];
    ReadExact(b, sizeof b);
    n = GetInt32LE(b);
    return *this;
}

void CArchive::Write(const void* p, size_t n) {
    if (m_pOut == nullptr) {
        throw std::logic_error("CArchive: writing to an archive that loads");
    }
    if (n == 0) {
        return;
    }
    const auto* pBytes = static_cast<const uint8_t*>(p);
    m_pOut->insert(m_pOut->end(), pBytes, pBytes + n);
}

size_t CArchive::Read(void* p, size_t n) {
    const size_t nCopy = n < BytesLeft() ? n : BytesLeft();
    if (nCopy != 0) {
        std::memcpy(p, m_in.data() + m_nPos, nCopy);
        m_nPos += nCopy;
    }
    return nCopy;
}

void CArchive::ReadExact(void* p, size_t n) {
    if (BytesLeft() < n) {
        throw CArchiveException(ArchiveError::kEndOfFile);
    }
    Read(p, n);
}

void CArchive::WriteString(const std::string& s) {
    const size_t nLen = s.size();
    if (nLen > std::numeric_limits<uint32_t>::max()) {
        throw CArchiveException(ArchiveError::kFormat);
    }
    uint8_t b[7];
    size_t nPrefix = 0;
    if (nLen < kLongStringMarker) {
        b[0] = static_cast<uint8_t>(nLen);
        nPrefix = 1;
    } else if (nLen < kWideMarker) {
        b[0] = kLongStringMarker;
        PutU16(b + 1, static_cast<uint16_t>(nLen));
        nPrefix = 3;
    } else {
        b[0] = kLongStringMarker;
        PutU16(b + 1, kWideMarker);
        PutInt32LE(b + 3, static_cast<int32_t>(nLen));
        nPrefix = 7;
    }
    Write(b, nPrefix);
    Write(s.data(), nLen);
}

std::string CArchive::ReadString() {
    uint8_t b[4];
    ReadExact(b, 1);
    size_t nLen = b[0];
    if (b[0] == kLongStringMarker) {
        ReadExact(b, 2);
        nLen = GetU16(b);
        if (nLen == kWideMarker) {
            ReadExact(b, 4);
            nLen = static_cast<uint32_t>(GetInt32LE(b));
        }
    }
    // A length beyond the data is damage, not a reason to reserve memory.
    if (nLen > BytesLeft()) {
        throw CArchiveException(ArchiveError::kEndOfFile);
    }
    std::string s(nLen, '\0');
    ReadExact(s.data(), nLen);
    return s;
}

void CArchive::WriteCount(uint32_t n) {
    uint8_t b[6];
    if (n < kWideMarker) {
        PutU16(b, static_cast<uint16_t>(n));
        Write(b, 2);
    } else {
        PutU16(b, kWideMarker);
        PutInt32LE(b + 2, static_cast<int32_t>(n));
        Write(b, 6);
    }
}

uint32_t CArchive::ReadCount() {
    uint8_t b[4];
    ReadExact(b, 2);
    const uint16_t n = GetU16(b);
    if (n != kWideMarker) {
        return n;
    }
    ReadExact(b, 4);
    return static_cast<uint32_t>(GetInt32LE(b));
}
