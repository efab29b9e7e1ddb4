// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QtGlobal>
#include <string>
#include <vector>

// Whether an X server answers at display pszDisplay (as DISPLAY names it),
// the way Qt's X platform would connect to it (its authority included).
// False also when the X client library is not there.
bool CanReachXDisplay(const char* pszDisplay);

// While it lives, what Qt says goes nowhere yet: a platform that cannot be
// started ends the program through fnFailed (which must not return) in
// place of Qt's own abort and its messages. When it goes, what was held is
// said after all. Made just before the application object, gone right after.
class PlatformStartGuard {
public:
    explicit PlatformStartGuard(void (*fnFailed)());
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;

private:
    struct Held {
        QtMsgType type;
        std::string strFile, strFunction, strCategory;
        int nLine;
        QString strText;
    };
    static void Handler(QtMsgType type, const QMessageLogContext& context, const QString& strText);

    QtMessageHandler m_fnPrevious;
    static inline PlatformStartGuard* s_pCurrent = nullptr;
    void (*m_fnFailed)();
    std::vector<Held> m_held;
};
