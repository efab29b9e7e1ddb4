// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HighScores.h"

#include <optional>

#include "app/HighScoresDlg.h"
#include "app/StoreNotices.h"
#include "game/HighScoreTable.h"
#include "store/CoilixDoc.h"
#include "store/FileRegistry.h"
#include "store/GameSettings.h"
#include "store/ScoreStore.h"

void CHighScores::EnterNewScore(QWidget* pParent, const CCoilixDoc& doc) {
    ScoreEntry row("", doc.m_nScore);
    const int nPosition = StoredRowForScore(m_store, m_strAppKey, doc.m_nWidth, doc.m_nHeight,
                                            doc.m_nSpeed, doc.m_nScore);
    if (nPosition >= 0) {
        if (const std::optional<std::string> name = RunNewHighScoreDlg(
                pParent, nPosition, doc.m_nScore, m_settings.m_strLastName, m_cp)) {
            m_settings.m_strLastName = *name;
            SetRowName(row, *name, m_cp);
        }
    }
    const int nRow =
        EnterScore(m_table, m_store, m_strAppKey, doc.m_nWidth, doc.m_nHeight, doc.m_nSpeed, row);
    ShowStoreNotices(m_store, pParent);
    RunHighScoresDlg(pParent, m_table, m_cp, nRow);
}

void CHighScores::Show(QWidget* pParent) const {
    RunHighScoresDlg(pParent, m_table, m_cp);
}
