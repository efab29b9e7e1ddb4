#include "framework/Registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

// ---------------------------------------------------------------------------
// Names and paths
// ---------------------------------------------------------------------------

namespace {

unsigned char LowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(static_cast<unsigned char>(a[i])) !=
            LowerAscii(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

constexpr std::string_view kRootName = "HKEY_CURRENT_USER";

// A key path the text form can hold: not empty, no empty component (so no
// leading, trailing or doubled backslash) and on one line.
bool IsValidKeyPath(std::string_view path) {
    if (path.empty() || path.front() == '\\' || path.back() == '\\') return false;
    if (path.find('\n') != std::string_view::npos) return false;
    return path.find("\\\\") == std::string_view::npos;
}

// A value name the text form can hold: on one line ("" is the key's default
// value, written "@").
bool IsValidValueName(std::string_view name) {
    return name.find('\n') == std::string_view::npos;
}

bool IsValidChange(const RegChange& change) {
    return IsValidKeyPath(change.strKey) && IsValidValueName(change.strName);
}

void ApplyChanges(RegKeys& keys, const std::vector<RegChange>& changes) {
    for (const RegChange& change : changes) {
        if (change.value) {
            keys[change.strKey][change.strName] = *change.value;
        } else {
            auto it = keys.find(change.strKey);
            if (it != keys.end()) it->second.erase(change.strName);
        }
    }
}

}  // namespace

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = LowerAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = LowerAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

// ---------------------------------------------------------------------------
// CMemoryRegistry
// ---------------------------------------------------------------------------

std::optional<RegValue> CMemoryRegistry::Query(const std::string& strKey,
                                               const std::string& strName) {
    auto key = m_keys.find(strKey);
    if (key == m_keys.end()) return std::nullopt;
    auto value = key->second.find(strName);
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

bool CMemoryRegistry::Apply(const std::vector<RegChange>& changes) {
    for (const RegChange& change : changes) {
        if (!IsValidChange(change)) return false;
    }
    ApplyChanges(m_keys, changes);
    return true;
}

// ---------------------------------------------------------------------------
// The REGEDIT4 text form
// ---------------------------------------------------------------------------

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr size_t kWrapColumn = 80;

const char kHexDigits[] = "0123456789abcdef";

void AppendHexByte(std::string& out, uint8_t b) {
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 15];
}

void AppendQuoted(std::string& out, std::string_view s) {
    out += '"';
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

// Strings with control characters (line breaks above all) cannot stand
// between quotes on one line; they are written as hex(1), the registry
// editor's form of a REG_SZ given as bytes (with the terminating zero).
bool NeedsHexString(std::string_view s) {
    for (char c : s) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t') || u == 0x7f) return true;
    }
    return false;
}

// "hex:" or "hex(n):" and the bytes, wrapped the way the registry editor
// wraps them: ",\" at the end of a line, continuation lines indented by two
// spaces, no line longer than 80 columns unless the name alone is.
void AppendHexList(std::string& out, size_t nLineStart, std::string_view prefix, const uint8_t* p,
                   size_t n) {
    out += prefix;
    for (size_t i = 0; i < n; ++i) {
        if (i > 0) {
            out += ',';
            // Room for "xx," and a possible "\" after it.
            if (out.size() - nLineStart + 4 > kWrapColumn) {
                out += "\\\n  ";
                nLineStart = out.size() - 2;
            }
        }
        AppendHexByte(out, p[i]);
    }
}

void AppendValue(std::string& out, const std::string& name, const RegValue& value) {
    const size_t nLineStart = out.size();
    if (name.empty()) {
        out += '@';
    } else {
        AppendQuoted(out, name);
    }
    out += '=';
    switch (value.type) {
        case RegType::kString:
            if (NeedsHexString(value.str)) {
                std::vector<uint8_t> bytes(value.str.begin(), value.str.end());
                bytes.push_back(0);
                AppendHexList(out, nLineStart, "hex(1):", bytes.data(), bytes.size());
            } else {
                AppendQuoted(out, value.str);
            }
            break;
        case RegType::kDword: {
            char buf[16];
            std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(value.dw));
            out += buf;
            break;
        }
        case RegType::kBinary:
            AppendHexList(out, nLineStart, "hex:", value.bin.data(), value.bin.size());
            break;
    }
    out += '\n';
}

// --- parsing ---

std::string_view TrimView(std::string_view s) {
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 1 to 8 hex digits, the whole of s.
std::optional<uint32_t> ParseHexNumber(std::string_view s) {
    if (s.empty() || s.size() > 8) return std::nullopt;
    uint32_t n = 0;
    for (char c : s) {
        const int v = HexValue(c);
        if (v < 0) return std::nullopt;
        n = n * 16 + static_cast<uint32_t>(v);
    }
    return n;
}

// A quoted string starting at s[pos] == '"'. "\\" and "\"" are the escapes;
// a backslash before any other character stands for itself. On success pos
// is just past the closing quote.
std::optional<std::string> ParseQuoted(std::string_view s, size_t& pos) {
    if (pos >= s.size() || s[pos] != '"') return std::nullopt;
    std::string out;
    size_t i = pos + 1;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '"') {
            pos = i + 1;
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out += s[i + 1];
            i += 2;
            continue;
        }
        out += c;
        ++i;
    }
    return std::nullopt;
}

// Comma-separated bytes of one or two hex digits each; spaces around them
// are allowed, and so is one comma after the last byte.
std::optional<std::vector<uint8_t>> ParseHexList(std::string_view s) {
    std::vector<uint8_t> bytes;
    s = TrimView(s);
    if (s.empty()) return bytes;
    size_t pos = 0;
    while (true) {
        const size_t comma = s.find(',', pos);
        const std::string_view token =
            TrimView(s.substr(pos, comma == std::string_view::npos ? s.npos : comma - pos));
        if (token.empty()) {
            // Only a trailing comma may leave an empty token behind it.
            if (comma == std::string_view::npos && !bytes.empty()) return bytes;
            return std::nullopt;
        }
        if (token.size() > 2) return std::nullopt;
        const auto v = ParseHexNumber(token);
        if (!v) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(*v));
        if (comma == std::string_view::npos) return bytes;
        pos = comma + 1;
    }
}

class RegFileParser {
public:
    explicit RegFileParser(std::string_view text) {
        // A UTF-8 byte order mark, as some editors add, is not part of the text.
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            m_lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
    }

    std::optional<RegKeys> Parse() {
        // The header comes first; only blank and comment lines may precede it.
        bool bHeader = false;
        while (m_nLine < m_lines.size()) {
            const std::string_view line = TrimView(m_lines[m_nLine++]);
            if (line.empty() || line.front() == ';') continue;
            if (line != kHeader) return std::nullopt;
            bHeader = true;
            break;
        }
        if (!bHeader) return std::nullopt;

        RegKeys keys;
        RegValues* pValues = nullptr;
        while (m_nLine < m_lines.size()) {
            const std::string_view line = TrimView(m_lines[m_nLine++]);
            if (line.empty() || line.front() == ';') continue;
            if (line.front() == '[') {
                if (line.size() < 2 || line.back() != ']') return std::nullopt;
                const std::string_view inner = line.substr(1, line.size() - 2);
                if (!StartsWithNoCase(inner, kRootName) || inner.size() <= kRootName.size() ||
                    inner[kRootName.size()] != '\\')
                    return std::nullopt;
                const std::string_view path = inner.substr(kRootName.size() + 1);
                if (!IsValidKeyPath(path)) return std::nullopt;
                pValues = &keys[std::string(path)];
            } else if (line.front() == '"' || line.front() == '@') {
                if (!pValues || !ParseValueLine(line, *pValues)) return std::nullopt;
            } else {
                return std::nullopt;
            }
        }
        return keys;
    }

private:
    bool ParseValueLine(std::string_view line, RegValues& values) {
        size_t pos = 0;
        std::string name;
        if (line.front() == '@') {
            pos = 1;
        } else {
            auto quoted = ParseQuoted(line, pos);
            if (!quoted) return false;
            name = std::move(*quoted);
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        if (pos >= line.size() || line[pos] != '=') return false;
        ++pos;
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        const std::string_view data = line.substr(pos);

        std::optional<RegValue> value;
        if (!data.empty() && data.front() == '"') {
            size_t end = 0;
            auto str = ParseQuoted(data, end);
            if (!str || end != data.size()) return false;
            value = RegValue::String(std::move(*str));
        } else if (StartsWithNoCase(data, "dword:")) {
            const auto n = ParseHexNumber(data.substr(6));
            if (!n) return false;
            value = RegValue::Dword(*n);
        } else if (StartsWithNoCase(data, "hex")) {
            value = ParseHexValue(data.substr(3));
        }
        if (!value) return false;
        values[name] = std::move(*value);
        return true;
    }

    // After "hex": ":" or "(n):", then the bytes, perhaps over several lines.
    std::optional<RegValue> ParseHexValue(std::string_view s) {
        uint32_t nType = 3;
        if (!s.empty() && s.front() == '(') {
            const size_t close = s.find(')');
            if (close == std::string_view::npos) return std::nullopt;
            const auto n = ParseHexNumber(s.substr(1, close - 1));
            if (!n) return std::nullopt;
            nType = *n;
            s.remove_prefix(close + 1);
        }
        if (s.empty() || s.front() != ':') return std::nullopt;
        s.remove_prefix(1);

        std::string joined(s);
        while (!joined.empty() && joined.back() == '\\') {
            joined.pop_back();
            // A continuation needs a line with more bytes on it.
            if (m_nLine >= m_lines.size()) return std::nullopt;
            const std::string_view next = TrimView(m_lines[m_nLine++]);
            if (next.empty()) return std::nullopt;
            joined += next;
        }
        auto bytes = ParseHexList(joined);
        if (!bytes) return std::nullopt;

        switch (nType) {
            case 3:
                return RegValue::Binary(std::move(*bytes));
            case 1:
                if (!bytes->empty() && bytes->back() == 0) bytes->pop_back();
                return RegValue::String(std::string(bytes->begin(), bytes->end()));
            case 4:
                if (bytes->size() != 4) return std::nullopt;
                return RegValue::Dword(static_cast<uint32_t>((*bytes)[0]) |
                                       static_cast<uint32_t>((*bytes)[1]) << 8 |
                                       static_cast<uint32_t>((*bytes)[2]) << 16 |
                                       static_cast<uint32_t>((*bytes)[3]) << 24);
            default:
                return std::nullopt;  // types this store does not keep
        }
    }

    std::vector<std::string_view> m_lines;
    size_t m_nLine = 0;
};

}  // namespace

std::string FormatRegFile(const RegKeys& keys) {
    std::string out;
    out += kHeader;
    out += "\n\n";
    for (const auto& [path, values] : keys) {
        // Keys and names the text form cannot hold are left out, so the text
        // always parses; the stores never accept them in the first place.
        if (!IsValidKeyPath(path)) continue;
        out += '[';
        out += kRootName;
        out += '\\';
        out += path;
        out += "]\n";
        for (const auto& [name, value] : values) {
            if (!IsValidValueName(name)) continue;
            AppendValue(out, name, value);
        }
        out += '\n';
    }
    return out;
}

std::optional<RegKeys> ParseRegFile(const std::string& text) {
    return RegFileParser(text).Parse();
}

// ---------------------------------------------------------------------------
// CFileRegistry
// ---------------------------------------------------------------------------

namespace {

std::string DirName(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a store path stands for: symbolic links (as dotfile managers make)
// are followed, so the file they point to is replaced and not the link.
std::string ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int i = 0; i < 16; ++i) {
        struct stat st;
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size()) return current;
        target.resize(static_cast<size_t>(n));
        current = (target.front() == '/') ? target : DirName(current) + "/" + target;
    }
    return current;
}

// Creates the folder and its parents when missing.
bool MakeDirs(const std::string& dir) {
    struct stat st;
    if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string parent = DirName(dir);
    if (parent != dir && !MakeDirs(parent)) return false;
    if (mkdir(dir.c_str(), 0700) == 0) return true;
    return errno == EEXIST && stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool WriteAll(int fd, const std::string& data) {
    const char* p = data.data();
    size_t n = data.size();
    while (n > 0) {
        const ssize_t w = write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

enum class ReadResult { kOk, kMissing, kError };

ReadResult ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kError;
    char buf[65536];
    while (true) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            return ReadResult::kError;
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    return ReadResult::kOk;
}

// Writes the whole text to a temporary file beside the target, flushes it to
// the disk and renames it over the target: the target is either the old file
// or the new one, never a part of either.
bool WriteFileAtomically(const std::string& target, const std::string& text) {
    const std::string dir = DirName(target);
    std::string tmp = dir + "/" + BaseName(target) + ".tmp-XXXXXX";
    const int fd = mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) return false;

    struct stat st;
    const mode_t mode = (stat(target.c_str(), &st) == 0) ? (st.st_mode & 07777) : 0644;
    bool ok = fchmod(fd, mode) == 0 || errno == EPERM;
    ok = ok && WriteAll(fd, text);
    ok = ok && fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    if (ok && rename(tmp.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) {
        unlink(tmp.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here leaves a complete file.
    const int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return true;
}

// Moves the file to a name that does not exist yet; never replaces a file.
bool RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    // No atomic form on this file system: a hard link fails when the name is
    // taken; without links, check and rename (the store's lock is held).
    if (link(from.c_str(), to.c_str()) == 0) return unlink(from.c_str()) == 0;
    if (errno == EEXIST) return false;
    struct stat st;
    if (lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    if (errno != ENOENT) return false;
    return rename(from.c_str(), to.c_str()) == 0;
}

// <file>.bad-<UTC date-time>, with -1, -2, ... when that name is taken.
std::optional<std::string> SetAside(const std::string& file) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
    const std::string base = file + ".bad-" + stamp;
    for (int i = 0; i < 1000; ++i) {
        const std::string name = i == 0 ? base : base + "-" + std::to_string(i);
        if (RenameNoReplace(file, name)) return name;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

// An exclusive lock on a sidecar file beside the store (the store file itself
// is replaced by every write, so it cannot carry the lock). Held until the
// object goes away.
class StoreLock {
public:
    StoreLock() = default;
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    ~StoreLock() {
        if (m_fd >= 0) close(m_fd);  // closing releases the lock
    }

    bool Acquire(const std::string& path) {
        m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0) m_fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) return false;
        while (flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                close(m_fd);
                m_fd = -1;
                return false;
            }
        }
        return true;
    }

private:
    int m_fd = -1;
};

}  // namespace

CFileRegistry::CFileRegistry(std::string strPath) : m_strPath(std::move(strPath)) {
    Reload();
}

// Beside the file itself, so that a symbolic link and its target share it.
std::string CFileRegistry::LockPath() const {
    return ResolveLinks(m_strPath) + ".lock";
}

CFileRegistry::FileId CFileRegistry::CurrentFileId() const {
    FileId id;
    struct stat st;
    if (stat(m_strPath.c_str(), &st) == 0) {
        id.bExists = true;
        id.nDev = static_cast<uint64_t>(st.st_dev);
        id.nIno = static_cast<uint64_t>(st.st_ino);
        id.nSize = static_cast<int64_t>(st.st_size);
        id.nMtimeSec = static_cast<int64_t>(st.st_mtim.tv_sec);
        id.nMtimeNsec = static_cast<int64_t>(st.st_mtim.tv_nsec);
    }
    return id;
}

bool CFileRegistry::ReadLocked(RegKeys& keys) {
    keys.clear();
    const std::string file = ResolveLinks(m_strPath);
    const FileId id = CurrentFileId();
    std::string text;
    switch (ReadWholeFile(file, text)) {
        case ReadResult::kMissing:
            m_fileId = id;
            return true;
        case ReadResult::kError:
            m_fileId = FileId{};
            m_fileId.bUnreadable = true;
            return false;
        case ReadResult::kOk:
            break;
    }
    // An empty file holds nothing that could be lost: it is an empty store.
    if (text.empty()) {
        m_fileId = id;
        return true;
    }
    if (auto parsed = ParseRegFile(text)) {
        keys = std::move(*parsed);
        m_fileId = id;
        return true;
    }
    // Damaged: keep it under a new name and go on with an empty store. When
    // it cannot be moved it must not be overwritten either.
    if (auto aside = SetAside(file)) {
        m_strSetAside = std::move(aside);
        m_fileId = CurrentFileId();
        return true;
    }
    m_fileId = FileId{};
    m_fileId.bUnreadable = true;
    return false;
}

void CFileRegistry::Reload() {
    // The lock keeps a second copy from writing between our read and a
    // set-aside. Without a folder there is no file and nothing to lock.
    StoreLock lock;
    lock.Acquire(LockPath());
    RegKeys keys;
    ReadLocked(keys);
    m_keys = std::move(keys);
}

std::optional<RegValue> CFileRegistry::Query(const std::string& strKey,
                                             const std::string& strName) {
    // Another copy of the game may have written since: read again when the
    // file is no longer the one last read.
    const FileId id = CurrentFileId();
    if (m_fileId.bUnreadable || !(id == m_fileId)) Reload();
    auto key = m_keys.find(strKey);
    if (key == m_keys.end()) return std::nullopt;
    auto value = key->second.find(strName);
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

bool CFileRegistry::Apply(const std::vector<RegChange>& changes) {
    for (const RegChange& change : changes) {
        if (!IsValidChange(change)) return false;
    }
    const std::string file = ResolveLinks(m_strPath);
    if (!MakeDirs(DirName(file))) return false;

    StoreLock lock;
    if (!lock.Acquire(LockPath())) return false;

    RegKeys keys;
    const bool bRead = ReadLocked(keys);
    m_keys = keys;
    if (!bRead) return false;

    ApplyChanges(keys, changes);
    if (!WriteFileAtomically(file, FormatRegFile(keys))) return false;
    m_keys = std::move(keys);
    m_fileId = CurrentFileId();
    return true;
}

std::string CFileRegistry::DefaultPath() {
    if (const char* p = std::getenv("COILIX_REGISTRY"); p && *p) return p;
    std::string base;
    if (const char* p = std::getenv("XDG_CONFIG_HOME"); p && *p == '/') {
        base = p;
    } else {
        std::string home;
        if (const char* h = std::getenv("HOME"); h && *h) {
            home = h;
        } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
            home = pw->pw_dir;
        }
        base = home + "/.config";
    }
    return base + "/Halvorn/Coilix.reg";
}

// ---------------------------------------------------------------------------
// CProfile and QueryBytes
// ---------------------------------------------------------------------------

std::string CProfile::GetProfileString(const std::string& strSection, const std::string& strEntry,
                                       const std::string& strDefault) {
    auto value = m_reg.Query(SectionKey(strSection), strEntry);
    if (!value || value->type != RegType::kString) return strDefault;
    return value->str;
}

int32_t CProfile::GetProfileInt(const std::string& strSection, const std::string& strEntry,
                                int32_t nDefault) {
    auto value = m_reg.Query(SectionKey(strSection), strEntry);
    if (!value || value->type != RegType::kDword) return nDefault;
    return static_cast<int32_t>(value->dw);
}

bool CProfile::WriteProfileString(const std::string& strSection, const std::string& strEntry,
                                  const std::string& strValue) {
    return m_reg.Set(SectionKey(strSection), strEntry, RegValue::String(strValue));
}

bool CProfile::WriteProfileInt(const std::string& strSection, const std::string& strEntry,
                               int32_t nValue) {
    return m_reg.Set(SectionKey(strSection), strEntry,
                     RegValue::Dword(static_cast<uint32_t>(nValue)));
}

std::optional<std::vector<uint8_t>> QueryBytes(CRegistry& reg, const std::string& strKey,
                                               const std::string& strName, size_t nMaxBytes) {
    auto value = reg.Query(strKey, strName);
    if (!value) return std::nullopt;
    std::vector<uint8_t> bytes;
    switch (value->type) {
        case RegType::kString:
            bytes.assign(value->str.begin(), value->str.end());
            bytes.push_back(0);
            break;
        case RegType::kDword:
            for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value->dw >> (8 * i)));
            break;
        case RegType::kBinary:
            bytes = value->bin;
            break;
    }
    if (bytes.size() > nMaxBytes) return std::nullopt;
    return bytes;
}
