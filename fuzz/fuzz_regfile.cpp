// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the REGEDIT4 readers. Whatever is read (all of it
// or the lines that parse) must survive FormatRegFile -> ParseRegFile
// unchanged, and formatting must be stable. Memory stays in proportion to the
// text: no more lines are named than a message shows. Read from a file a line
// at a time with lines cut short and only some values kept, what is kept
// stays within its limit and is only what was asked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

#include "store/FileIO.h"
#include "store/Profile.h"
#include "store/RegFile.h"

namespace {

class FileLines : public RegLineSource {
public:
    FileLines(int fd, size_t nMaxLine) : m_reader(fd, nMaxLine) {}
    bool Next(std::string_view& line, bool& bCut) override { return m_reader.Next(line, bCut); }

private:
    fileio::LineReader m_reader;
};

// The same text from a file, lines longer than a few dozen bytes cut, only
// keys of an even length kept, within a limit of half the text.
void CheckLimitedRead(const std::string& text, CodePage cp) {
    const int fd = ::memfd_create("regfile", MFD_CLOEXEC);
    if (fd < 0) return;
    if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()) ||
        ::lseek(fd, 0, SEEK_SET) != 0) {
        ::close(fd);
        return;
    }
    RegReadLimits limits;
    limits.fnKeep = [](const std::string& strKey, const std::string&) {
        return strKey.size() % 2 == 0;
    };
    limits.nMaxKeptBytes = text.size() / 2 + 1;
    limits.nMaxValueBytes = 64;
    FileLines lines(fd, 48);
    const RegReadResult read = ReadRegLines(lines, cp, limits);
    ::close(fd);
    const size_t nHeader = FormatRegFile({}).size();
    if (FormatRegFile(read.keys).size() > limits.nMaxKeptBytes + nHeader) std::abort();
    for (const auto& [key, values] : read.keys) {
        if (key.size() % 2 != 0 || values.empty()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const CodePage cp =
        size > 0 && data[size - 1] % 2 == 1 ? CodePage::kCentralEuropean : CodePage::kWestern;
    const RegReadResult read = ReadRegFile(text, cp);
    if (read.dropped.size() > 5 || read.dropped.size() > read.nDropped) std::abort();
    const RegKeys& parsed = read.keys;

    const std::string formatted = FormatRegFile(parsed);
    const std::optional<RegKeys> again = ParseRegFile(formatted, cp);
    if (!again || *again != parsed) std::abort();
    if (FormatRegFile(*again) != formatted) std::abort();
    CheckLimitedRead(text, cp);

    // Every parsed value reads back through a store the same way.
    CMemoryRegistry reg;
    for (const auto& [key, values] : parsed) {
        for (const auto& [name, value] : values) {
            if (!reg.Set(key, name, value)) std::abort();
        }
    }
    for (const auto& [key, values] : parsed) {
        for (const auto& [name, value] : values) {
            if (reg.Query(key, name) != value) std::abort();
            const auto bytes = QueryBytes(reg, key, name, 396);
            size_t n = 0;
            switch (value.type) {
                case RegType::kString:
                    n = value.str.size() + 1;
                    break;
                case RegType::kDword:
                    n = 4;
                    break;
                case RegType::kBinary:
                    n = value.bin.size();
                    break;
            }
            if (bytes.has_value() != (n <= 396)) std::abort();
            if (bytes && bytes->size() != n) std::abort();
        }
    }
    return 0;
}
