// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files and environment for the tests: a private folder removed afterwards,
// whole files read and written as bytes or text, and an environment variable
// set for one scope.

#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace testsupport {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// A fresh folder for one test, removed with everything in it afterwards
// (permissions a test took away are given back first).
class TempDir {
public:
    TempDir() {
        std::string strTemplate = (fs::temp_directory_path() / "coilix-test-XXXXXX").string();
        if (::mkdtemp(strTemplate.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        m_path = strTemplate;
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        for (const auto& entry : fs::recursive_directory_iterator(m_path, ec)) {
            if (entry.is_directory(ec)) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
            }
        }
        fs::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& Path() const { return m_path; }
    // The path of a file in the folder, as a string.
    std::string File(const std::string& strName) const { return (m_path / strName).string(); }
    // Names in the folder, hidden ones included, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path m_path;
};

// A whole file; empty when it cannot be read.
inline Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline std::string ReadText(const fs::path& path) {
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

inline void WriteBytes(const fs::path& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}
inline void WriteText(const fs::path& path, const std::string& text) {
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

// Sets (or, with nullptr, unsets) an environment variable until the scope ends.
class ScopedEnv {
public:
    ScopedEnv(const char* pszName, const char* pszValue) : m_strName(pszName) {
        if (const char* pszOld = std::getenv(pszName)) m_old = pszOld;
        if (pszValue != nullptr) {
            ::setenv(pszName, pszValue, 1);
        } else {
            ::unsetenv(pszName);
        }
    }
    ~ScopedEnv() {
        if (m_old) {
            ::setenv(m_strName.c_str(), m_old->c_str(), 1);
        } else {
            ::unsetenv(m_strName.c_str());
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_strName;
    std::optional<std::string> m_old;
};

}  // namespace testsupport
