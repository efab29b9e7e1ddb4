// SPDX-License-Identifier: GPL-3.0-or-later
// The life of a game document: new game set-up, opening a saved game,
// clearing and closing.
#include "store/CoilixDoc.h"

#include <ctime>
#include <utility>

#include "game/Limits.h"
#include "store/GameSettings.h"
#include "store/Profile.h"
#include "store/ScoreStore.h"

CCoilixDoc::CCoilixDoc(GameSettings& settings, HighScoreTable& scoreTable, CProfile& profile)
    : m_settings(settings), m_scoreTable(scoreTable), m_profile(profile) {}

uint32_t CCoilixDoc::ClockSeed() {
    return static_cast<uint32_t>(std::time(nullptr));
}

void CCoilixDoc::Reseed() {
    m_random.Seed(m_seedSource ? m_seedSource() : ClockSeed());
}

void CCoilixDoc::LoadScoreTable() {
    ::LoadScoreTable(m_scoreTable, m_profile.Registry(), m_profile.AppKey(), m_nWidth, m_nHeight,
                     m_nSpeed);
}

bool CCoilixDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return false;
    Reseed();
    // The settings are range-checked when loaded and by the New Game dialog;
    // keep the board sane even if a caller filled them in otherwise.
    const SizePreset& small = SizePresets[kSizeSmall];
    const int32_t nWidth =
        IsBoardSideAllowed(m_settings.m_nArrayWidth) ? m_settings.m_nArrayWidth : small.nWidth;
    const int32_t nHeight =
        IsBoardSideAllowed(m_settings.m_nArrayHeight) ? m_settings.m_nArrayHeight : small.nHeight;
    NewGame(nWidth, nHeight, m_settings.SpeedMs());
    LoadScoreTable();
    return true;
}

bool CCoilixDoc::OnOpenDocument(const std::string& strPath) {
    if (!CDocument::OnOpenDocument(strPath)) return false;
    Reseed();
    m_bPaused = true;
    m_bLoadedGame = true;
    LoadScoreTable();
    return true;
}

void CCoilixDoc::SetContentsAside() {
    m_aside = std::move(static_cast<GameState&>(*this));
}

void CCoilixDoc::EndContentsAside(bool bRestore) {
    if (bRestore) static_cast<GameState&>(*this) = std::move(m_aside);
    m_aside.Clear();
}

void CCoilixDoc::DeleteContents() {
    Clear();
    CDocument::DeleteContents();
}
