// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/StatusPanes.h"

#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>

// A label that shows as much of its text as its width holds: the whole text,
// or its start and an ellipsis. The whole text then becomes its tooltip and
// what a screen reader reads, so nothing of it is lost.
class CMessagePane : public QLabel {
public:
    using QLabel::QLabel;

    void SetWholeText(const QString& strText) {
        m_strWhole = strText;
        Fit();
    }
    const QString& WholeText() const { return m_strWhole; }

protected:
    void resizeEvent(QResizeEvent* pEvent) override {
        QLabel::resizeEvent(pEvent);
        Fit();
    }
    void changeEvent(QEvent* pEvent) override {
        QLabel::changeEvent(pEvent);
        if (pEvent->type() == QEvent::FontChange || pEvent->type() == QEvent::StyleChange) Fit();
    }

private:
    void Fit() {
        const QFontMetrics fm = fontMetrics();
        // The text's room: inside the frame, the margins and the indent a
        // label keeps beside a frame.
        const int nIndent = indent() >= 0      ? indent()
                            : frameWidth() > 0 ? fm.horizontalAdvance(QLatin1Char('x')) / 2
                                               : 0;
        const int nRoom = contentsRect().width() - 2 * margin() - nIndent;
        const QString strShown = fm.elidedText(m_strWhole, Qt::ElideRight, nRoom);
        const bool bCut = strShown != m_strWhole;
        if (text() != strShown) setText(strShown);
        setToolTip(bCut ? m_strWhole : QString());
        setAccessibleName(bCut ? m_strWhole : QString());
    }

    QString m_strWhole;
};

void CStatusPanes::Create(QStatusBar& bar, const std::vector<StatusPaneDef>& panes) {
    auto* pMessage = new CMessagePane(&bar);
    pMessage->setObjectName(QStringLiteral("pane0"));
    m_pMessage = pMessage;
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
    if (pPane == nullptr || Text(nPane) == strText) return;
    if (nPane == 0) {
        m_pMessage->SetWholeText(strText);
    } else {
        pPane->setText(strText);
        FitWidth(nPane);
    }
    pPane->repaint();
}

QString CStatusPanes::Text(int nPane) const {
    if (nPane == 0 && m_pMessage != nullptr) return m_pMessage->WholeText();
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
