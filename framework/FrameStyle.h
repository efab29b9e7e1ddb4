// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QProxyStyle>

// The style the desktop or the user chose for the application, with one
// change: the picture of the button that shows what a bar has no room for
// (a menu bar's or a toolbar's ») is drawn here. The styles read theirs with
// Qt's image readers, and the first picture read loads every image format
// plugin installed, in the moments before the window first shows.
class CFrameStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap sp, const QStyleOption* pOption,
                       const QWidget* pWidget) const override;
};

// Makes CFrameStyle the application's style. Call it before the first window.
void UseFrameStyle();
