// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <dlfcn.h>

// A shared library loaded while the program runs, and never closed, with its
// functions found by name: for the optional parts (gamepads, sound) whose
// libraries the program starts without, and runs without where they are not
// installed.
class RuntimeLibrary {
public:
    // Loads the library; with bAlreadyLoaded, only takes it if it is already
    // in the process.
    explicit RuntimeLibrary(const char* pszName, bool bAlreadyLoaded = false)
        : m_pLib(dlopen(pszName, RTLD_NOW | RTLD_LOCAL | (bAlreadyLoaded ? RTLD_NOLOAD : 0))),
          m_bFoundAll(m_pLib != nullptr) {}

    // Sets fn to the library's function pszName (null when it has none).
    template <typename Fn>
    void Find(Fn*& fn, const char* pszName) {
        fn = m_pLib != nullptr ? reinterpret_cast<Fn*>(dlsym(m_pLib, pszName)) : nullptr;
        m_bFoundAll = m_bFoundAll && fn != nullptr;
    }

    // Whether the library is there and had every function asked for.
    bool FoundAll() const { return m_bFoundAll; }

private:
    void* m_pLib;
    bool m_bFoundAll;
};
