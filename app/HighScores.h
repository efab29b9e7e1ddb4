// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <utility>

#include "store/CodePage.h"

class CCoilixDoc;
class CFileRegistry;
class GameSettings;
class HighScoreTable;
class QWidget;

// The score table of the current board and speed as the player meets it: a
// finished game's score entered under the player's name, and the table
// shown. Names are kept in the code page given, the one of the language the
// program speaks.
class CHighScores {
public:
    CHighScores(HighScoreTable& table, GameSettings& settings, CFileRegistry& store,
                std::string strAppKey, CodePage cp)
        : m_table(table),
          m_settings(settings),
          m_store(store),
          m_strAppKey(std::move(strAppKey)),
          m_cp(cp) {}

    // The finished game's score enters its table: the player is asked for a
    // name (the last name proposed; OK makes the name the last one, Cancel
    // leaves the row without one) for the position the stored table gives it
    // now, unless that table has no place for it any more. The store then
    // places the row, once, under its lock; what it could not do is told; and
    // the table is shown as the store keeps it, the new row marked.
    void EnterNewScore(QWidget* pParent, const CCoilixDoc& doc);
    // The table of the current board and speed.
    void Show(QWidget* pParent) const;

private:
    HighScoreTable& m_table;
    GameSettings& m_settings;
    CFileRegistry& m_store;
    std::string m_strAppKey;
    CodePage m_cp;
};
