// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A shared library loaded while the program runs, and never closed, with its
// functions found by name: for the optional parts (gamepads, sound, the
// check for a display) whose libraries the program starts without, and runs
// without where they are not installed. The one place the program loads a
// library or looks a function up in one; a library's users see it through
// the struct RUNTIME_LIBRARY_FUNCTIONS declares.
class RuntimeLibrary {
public:
    // Loads the library; with bAlreadyLoaded, only takes it if it is already
    // in the process.
    RuntimeLibrary(const char* pszName, bool bAlreadyLoaded);

    // Sets fn to the library's function pszName; false, and fn null, when
    // the library is not there or has no such function.
    template <typename Fn>
    bool Find(Fn*& fn, const char* pszName) const {
        fn = reinterpret_cast<Fn*>(Symbol(pszName));
        return fn != nullptr;
    }

private:
    void* Symbol(const char* pszName) const;

    void* m_pLib;
};

// The functions the program calls in one library, each named once, in a list
// macro: LIST(X) expands to X(name) for each, name as the library's header
// declares it. Written in a struct, this gives it the library's file name
// (kLibrary), a pointer for each function named as the function, so that a
// call reads as the header has it (functions.pa_stream_write(...)), and
// Load(bAlreadyLoaded), which sets them all and says whether the library is
// there with every one of them. A false Load leaves no pointer to be called.
#define RUNTIME_LIBRARY_FUNCTIONS(pszLibrary, LIST)         \
    static constexpr const char* kLibrary = pszLibrary;     \
    LIST(RUNTIME_LIBRARY_POINTER)                           \
    bool Load(bool bAlreadyLoaded = false) {                \
        const RuntimeLibrary lib(kLibrary, bAlreadyLoaded); \
        bool bAll = true;                                   \
        LIST(RUNTIME_LIBRARY_FIND)                          \
        if (!bAll) *this = {};                              \
        return bAll;                                        \
    }
// (name is the member's name: it cannot be put in parentheses.)
#define RUNTIME_LIBRARY_POINTER(name) \
    decltype(&::name) name = nullptr;  // NOLINT(bugprone-macro-parentheses)
#define RUNTIME_LIBRARY_FIND(name) bAll = lib.Find(name, #name) && bAll;

// The functions of Functions (a struct of RUNTIME_LIBRARY_FUNCTIONS), loaded
// the first time they are asked for, from any thread; null when the library
// is not installed or lacks one of them.
template <typename Functions>
const Functions* LoadedOnce() {
    static const Functions* const pFound = []() -> const Functions* {
        static Functions functions;
        return functions.Load() ? &functions : nullptr;
    }();
    return pFound;
}
