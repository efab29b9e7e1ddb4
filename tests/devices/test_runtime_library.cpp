// SPDX-License-Identifier: GPL-3.0-or-later
// The loader of optional libraries: a library's functions found and called
// through their pointers, none of them when the library lacks one or is not
// there, and a library that is only taken when already in the process.

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>

#include "devices/RuntimeLibrary.h"

namespace {

#define LIBC_FUNCTIONS(X) \
    X(getpid)             \
    X(strlen)
struct LibcFunctions {
    RUNTIME_LIBRARY_FUNCTIONS("libc.so.6", LIBC_FUNCTIONS)
};

// j0 is the maths library's, not the C library's.
#define LIBC_AND_MORE_FUNCTIONS(X) \
    X(getpid)                      \
    X(j0)
struct LibcLacking {
    RUNTIME_LIBRARY_FUNCTIONS("libc.so.6", LIBC_AND_MORE_FUNCTIONS)
};
struct NotInstalled {
    RUNTIME_LIBRARY_FUNCTIONS("libnot-installed-anywhere.so.0", LIBC_FUNCTIONS)
};

// The tests link no SDL: it is in the process only once loaded.
#define SDL_VERSION_FUNCTIONS(X) X(SDL_GetVersion)
struct SdlVersion {
    RUNTIME_LIBRARY_FUNCTIONS("libSDL2-2.0.so.0", SDL_VERSION_FUNCTIONS)
};

TEST(RuntimeLibrary, FindsEveryFunctionOrNone) {
    const LibcFunctions* pLibc = LoadedOnce<LibcFunctions>();
    ASSERT_NE(pLibc, nullptr);
    EXPECT_EQ(pLibc->getpid(), getpid());
    EXPECT_EQ(pLibc->strlen("four"), 4u);
    EXPECT_EQ(LoadedOnce<LibcFunctions>(), pLibc);

    LibcLacking lacking;
    EXPECT_FALSE(lacking.Load(true));
    EXPECT_EQ(lacking.getpid, nullptr) << "a function was left of a library that lacks one";
    EXPECT_EQ(LoadedOnce<LibcLacking>(), nullptr);
    EXPECT_EQ(LoadedOnce<NotInstalled>(), nullptr);
}

TEST(RuntimeLibrary, TakesALibraryAlreadyInTheProcessWithoutLoadingIt) {
    SdlVersion sdl;
    ASSERT_FALSE(sdl.Load(true)) << "SDL is in the test process before it was loaded";
    // Asking did not load it.
    ASSERT_FALSE(sdl.Load(true));
    ASSERT_TRUE(sdl.Load(false)) << "SDL 2 is installed with its headers";
    SDL_version version{};
    sdl.SDL_GetVersion(&version);
    EXPECT_EQ(version.major, 2);
    SdlVersion again;
    EXPECT_TRUE(again.Load(true));
}

}  // namespace
