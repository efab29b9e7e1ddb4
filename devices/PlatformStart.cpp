// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/PlatformStart.h"

#include <dlfcn.h>

#include <cstdio>

namespace {
constexpr const char* kXcbLibrary = "libxcb.so.1";
}  // namespace

bool CanReachXDisplay(const char* pszDisplay) {
    void* pLib = dlopen(kXcbLibrary, RTLD_NOW | RTLD_LOCAL);
    if (pLib == nullptr) return false;
    // The connection is opaque here: only these three calls are made on it.
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    auto fnConnect = reinterpret_cast<Connect>(dlsym(pLib, "xcb_connect"));
    auto fnHasError = reinterpret_cast<HasError>(dlsym(pLib, "xcb_connection_has_error"));
    auto fnDisconnect = reinterpret_cast<Disconnect>(dlsym(pLib, "xcb_disconnect"));
    bool bReached = false;
    if (fnConnect != nullptr && fnHasError != nullptr && fnDisconnect != nullptr) {
        // A refused connection is an object too, to be given back alike.
        void* pConnection = fnConnect(pszDisplay, nullptr);
        bReached = pConnection != nullptr && fnHasError(pConnection) == 0;
        if (pConnection != nullptr) fnDisconnect(pConnection);
    }
    dlclose(pLib);
    return bReached;
}

PlatformStartGuard::PlatformStartGuard(void (*fnFailed)()) : m_fnFailed(fnFailed) {
    s_pCurrent = this;
    m_fnPrevious = qInstallMessageHandler(Handler);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(m_fnPrevious);
    s_pCurrent = nullptr;
    for (const Held& held : m_held) {
        const QMessageLogContext context(held.strFile.c_str(), held.nLine, held.strFunction.c_str(),
                                         held.strCategory.c_str());
        if (m_fnPrevious != nullptr) {
            m_fnPrevious(held.type, context, held.strText);
        } else {
            std::fprintf(
                stderr, "%s\n",
                qFormatLogMessage(held.type, context, held.strText).toLocal8Bit().constData());
        }
    }
}

void PlatformStartGuard::Handler(QtMsgType type, const QMessageLogContext& context,
                                 const QString& strText) {
    PlatformStartGuard* pGuard = s_pCurrent;
    if (pGuard == nullptr) return;
    // Qt gives up only when no platform could be started.
    if (type == QtFatalMsg) pGuard->m_fnFailed();
    const auto copy = [](const char* psz) { return std::string(psz != nullptr ? psz : ""); };
    pGuard->m_held.push_back({type, copy(context.file), copy(context.function),
                              copy(context.category), context.line, strText});
}
