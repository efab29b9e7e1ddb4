// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/PlatformStart.h"

#include <xcb/xcb.h>

#include <cstdio>

#include "devices/RuntimeLibrary.h"

namespace {

// The X client library's functions used for the check: its headers only;
// the library is loaded the first time a display is checked.
#define XCB_FUNCTIONS(X)        \
    X(xcb_connect)              \
    X(xcb_connection_has_error) \
    X(xcb_disconnect)

struct XcbFunctions {
    RUNTIME_LIBRARY_FUNCTIONS("libxcb.so.1", XCB_FUNCTIONS)
};

}  // namespace

bool CanReachXDisplay(const char* pszDisplay) {
    const XcbFunctions* pXcb = LoadedOnce<XcbFunctions>();
    if (pXcb == nullptr) return false;
    // A refused connection is an object too, to be given back alike.
    xcb_connection_t* pConnection = pXcb->xcb_connect(pszDisplay, nullptr);
    const bool bReached =
        pConnection != nullptr && pXcb->xcb_connection_has_error(pConnection) == 0;
    if (pConnection != nullptr) pXcb->xcb_disconnect(pConnection);
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
