// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FrameStyle.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <algorithm>

namespace {

// Two chevrons, », pointing the way the bar's hidden items lie: along a
// horizontal bar (to the right, or left in a right-to-left layout) or down a
// vertical one, in the colour of a button's text.
class ChevronIconEngine : public QIconEngine {
public:
    explicit ChevronIconEngine(bool bVertical) : m_bVertical(bVertical) {}

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const QPalette::ColorGroup group =
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        const double dSide = std::min(rect.width(), rect.height());
        const double dArm = dSide * 0.22;  // half the height of one chevron
        QPainterPath path;
        for (const double dAt : {-0.16, 0.16}) {
            // One chevron pointing right, around the centre.
            const double dTip = dSide * (dAt + 0.11);
            path.moveTo(dTip - dArm, -dArm);
            path.lineTo(dTip, 0);
            path.lineTo(dTip - dArm, dArm);
        }
        pPainter->save();
        pPainter->setRenderHint(QPainter::Antialiasing);
        pPainter->translate(QRectF(rect).center());
        if (m_bVertical) {
            pPainter->rotate(90);
        } else if (QGuiApplication::layoutDirection() == Qt::RightToLeft) {
            pPainter->scale(-1, 1);
        }
        pPainter->setPen(QPen(QGuiApplication::palette().color(group, QPalette::ButtonText),
                              std::max(1.0, dSide / 10.0), Qt::SolidLine, Qt::SquareCap,
                              Qt::MiterJoin));
        pPainter->drawPath(path);
        pPainter->restore();
    }

    // On a clear ground (the engine's own pixmap leaves it unset).
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new ChevronIconEngine(m_bVertical); }

private:
    bool m_bVertical;
};

}  // namespace

QIcon CFrameStyle::standardIcon(StandardPixmap sp, const QStyleOption* pOption,
                                const QWidget* pWidget) const {
    if (sp == SP_ToolBarHorizontalExtensionButton || sp == SP_ToolBarVerticalExtensionButton) {
        return QIcon(new ChevronIconEngine(sp == SP_ToolBarVerticalExtensionButton));
    }
    return QProxyStyle::standardIcon(sp, pOption, pWidget);
}

void UseFrameStyle() {
    // Without a style of its own, the proxy stands on the one the application
    // would have had: the user's -style or QT_STYLE_OVERRIDE, else the
    // desktop's.
    QApplication::setStyle(new CFrameStyle);
}
