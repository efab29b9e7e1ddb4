// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/StatusPanes.h"

#include <QLabel>
#include <QStatusBar>
#include <algorithm>

void CStatusPanes::Create(QStatusBar& bar, const std::vector<StatusPaneDef>& panes) {
    auto* pMessage = new QLabel(&bar);
    pMessage->setObjectName(QStringLiteral("pane0"));
    m_panes = {pMessage};
    m_minWidths = {0};
    for (const StatusPaneDef& def : panes) {
        auto* pPane = new QLabel(&bar);
        pPane->setObjectName(QStringLiteral("pane%1").arg(m_panes.size()));
        pPane->setFrameShape(QFrame::Panel);
        pPane->setFrameShadow(QFrame::Sunken);
        if (!def.strAccessibleName.isEmpty()) pPane->setAccessibleName(def.strAccessibleName);
        m_panes.push_back(pPane);
        m_minWidths.push_back(def.nMinWidth);
    }
    for (QLabel* pPane : m_panes) pPane->setTextFormat(Qt::PlainText);
    Refit();
    bar.addWidget(pMessage, 1);
    for (size_t n = 1; n < m_panes.size(); ++n) bar.addPermanentWidget(m_panes[n]);
}

QLabel* CStatusPanes::Pane(int nPane) const {
    if (nPane < 0 || static_cast<size_t>(nPane) >= m_panes.size()) return nullptr;
    return m_panes[static_cast<size_t>(nPane)];
}

void CStatusPanes::SetText(int nPane, const QString& strText) {
    QLabel* pPane = Pane(nPane);
    if (pPane == nullptr || pPane->text() == strText) return;
    pPane->setText(strText);
    if (nPane > 0) FitWidth(nPane);
    pPane->repaint();
}

QString CStatusPanes::Text(int nPane) const {
    const QLabel* pPane = Pane(nPane);
    return pPane != nullptr ? pPane->text() : QString();
}

void CStatusPanes::FitWidth(int nPane) {
    QLabel* pPane = m_panes[static_cast<size_t>(nPane)];
    const QFontMetrics fm = pPane->fontMetrics();
    // The label's frame, its indent (half an x beside a frame) and a pixel to spare.
    const int nText = fm.horizontalAdvance(pPane->text()) + 2 * pPane->frameWidth() +
                      2 * pPane->margin() + fm.horizontalAdvance(QLatin1Char('x')) + 2;
    const int nWidth = std::max(m_minWidths[static_cast<size_t>(nPane)], nText);
    if (pPane->minimumWidth() != nWidth || pPane->maximumWidth() != nWidth)
        pPane->setFixedWidth(nWidth);
}

void CStatusPanes::Refit() {
    if (m_panes.empty()) return;
    int nHeight = 0;
    for (QLabel* pPane : m_panes) {
        // A line of text in the pane's font, inside its margins and frame:
        // what the label asks for with one line, whatever it shows now.
        const int nLine =
            pPane->fontMetrics().height() + 2 * pPane->margin() + 2 * pPane->frameWidth();
        nHeight = std::max(nHeight, nLine);
    }
    for (size_t n = 0; n < m_panes.size(); ++n) {
        m_panes[n]->setMinimumHeight(nHeight);
        if (n > 0) FitWidth(static_cast<int>(n));
    }
}
