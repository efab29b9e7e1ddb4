// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Command routing: a command number goes to the active view, then the frame,
// then the application; the first target that knows it handles it. The same
// route answers, before a menu or toolbar shows a command, whether it is
// enabled and checked. A command that no target knows is shown disabled.
class CCmdUI {
public:
    explicit CCmdUI(unsigned nID) : m_nID(nID) {}
    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    // A command whose state says checked or not is one that can be: its menu
    // item and button stay checkable, whichever state it is in now.
    void SetCheck(bool bChecked = true) {
        m_bChecked = bChecked;
        m_bCheckable = true;
    }

    unsigned m_nID;
    bool m_bEnabled = true;
    bool m_bChecked = false;
    bool m_bCheckable = false;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // With pCmdUI null: run command nID. Otherwise: fill in its state. Either
    // way, return whether this target handles the command.
    virtual bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) = 0;
};
