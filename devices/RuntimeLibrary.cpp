// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/RuntimeLibrary.h"

#include <dlfcn.h>

RuntimeLibrary::RuntimeLibrary(const char* pszName, bool bAlreadyLoaded)
    : m_pLib(dlopen(pszName, RTLD_NOW | RTLD_LOCAL | (bAlreadyLoaded ? RTLD_NOLOAD : 0))) {}

void* RuntimeLibrary::Symbol(const char* pszName) const {
    return m_pLib != nullptr ? dlsym(m_pLib, pszName) : nullptr;
}
