// SPDX-License-Identifier: GPL-3.0-or-later
// Where the board sits in the window: centring, scroll bars and their steps,
// the start scrolled to the middle, following the head, fitting the window.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QTest>
#include <map>

#include "GuiTest.h"
#include "support/Board.h"

namespace {

// A click on one part of a scroll bar (an arrow, or the track beside the
// slider), where the style draws it.
void ClickScrollBar(QScrollBar* pBar, QStyle::SubControl part) {
    QStyleOptionSlider opt;
    opt.initFrom(pBar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = pBar->orientation();
    if (pBar->orientation() == Qt::Horizontal) opt.state |= QStyle::State_Horizontal;
    opt.minimum = pBar->minimum();
    opt.maximum = pBar->maximum();
    opt.sliderPosition = pBar->sliderPosition();
    opt.sliderValue = pBar->value();
    opt.singleStep = pBar->singleStep();
    opt.pageStep = pBar->pageStep();
    const QRect rc = pBar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, pBar);
    ASSERT_TRUE(rc.isValid());
    QTest::mouseClick(pBar, Qt::LeftButton, Qt::NoModifier, rc.center());
}

bool IsBoardGreen(QRgb c) {
    return qRed(c) == 0 && qGreen(c) == 255 && qBlue(c) == 0;
}

}  // namespace

class SizingTest : public GuiTest {};

TEST_F(SizingTest, ABoardSmallerThanTheClientIsCentredWithoutScrollBars) {
    StoredSettings s;  // Small, 17 x 13: 408 x 312 pixels
    s.placement = Placement(40, 40, 640, 520);
    WriteSettings(s);
    StartApp();
    const struct {
        int cw, ch, nOffsetX, nOffsetY;
    } cases[] = {
        {500, 400, -46, -44},
        {499, 313, -45, 0},  // 91 spare: 45 left, 46 right; one spare row pixel: no shift
        {408, 312, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cw << "x" << c.ch);
        SetClientSize(c.cw, c.ch);
        ASSERT_EQ(View().ClientSize(), QSize(c.cw, c.ch));
        EXPECT_EQ(View().OffsetX(), c.nOffsetX);
        EXPECT_EQ(View().OffsetY(), c.nOffsetY);
        EXPECT_FALSE(View().horizontalScrollBar()->isVisible());
        EXPECT_FALSE(View().verticalScrollBar()->isVisible());
        EXPECT_EQ(View().GetDeviceScrollPosition(), QPoint(0, 0));

        // Column 0 and row 0 start right after the margins.
        const QImage shot = View().viewport()->grab().toImage();
        const int x0 = -c.nOffsetX, y0 = -c.nOffsetY;
        const QPoint corner(x0, y0), farCorner(x0 + 407, y0 + 311);
        EXPECT_TRUE(IsBoardGreen(shot.pixel(corner))) << "cell (0, 0) is empty on a new game";
        EXPECT_TRUE(IsBoardGreen(shot.pixel(farCorner)));
        if (x0 > 0) {
            EXPECT_FALSE(IsBoardGreen(shot.pixel(x0 - 1, y0 + 5)));
        }
        if (y0 > 0) {
            EXPECT_FALSE(IsBoardGreen(shot.pixel(x0 + 5, y0 - 1)));
        }
        if (x0 + 408 < c.cw) {
            EXPECT_FALSE(IsBoardGreen(shot.pixel(x0 + 408, y0 + 5)));
        }
    }
}

namespace {
StoredSettings LargeBoardInSmallWindow() {
    StoredSettings s;
    s.nArraySize = 2;
    s.nWidth = s.nHeight = 70;  // 1680 x 1680 pixels
    s.placement = Placement(0, 0, 520, 480);
    return s;
}
}  // namespace

TEST_F(SizingTest, ALargeBoardStartsScrolledToItsMiddle) {
    WriteSettings(LargeBoardInSmallWindow());
    StartApp();
    const QSize outer = View().OuterSize();
    EXPECT_EQ(View().GetDeviceScrollPosition(),
              QPoint((1680 - outer.width()) / 2, (1680 - outer.height()) / 2));
    // A new game from the menu's F2 does the same.
    View().ScrollToPosition(QPoint(0, 0));
    Key(Qt::Key_F2);
    EXPECT_EQ(View().GetDeviceScrollPosition(),
              QPoint((1680 - outer.width()) / 2, (1680 - outer.height()) / 2));
}

TEST_F(SizingTest, ALargeBoardScrollsByCellsAndPagesWithinItsRange) {
    WriteSettings(LargeBoardInSmallWindow());
    StartApp();
    QScrollBar* pH = View().horizontalScrollBar();
    QScrollBar* pV = View().verticalScrollBar();
    ASSERT_TRUE(pH->isVisible());
    ASSERT_TRUE(pV->isVisible());
    EXPECT_EQ(View().OffsetX(), 0);
    EXPECT_EQ(View().OffsetY(), 0);
    const QSize client = View().ClientSize();
    EXPECT_EQ(View().PageSize(), client);
    EXPECT_EQ(pH->maximum(), 1680 - client.width());
    EXPECT_EQ(pV->maximum(), 1680 - client.height());

    const QPoint p0(300, 300);
    View().ScrollToPosition(p0);
    ClickScrollBar(pH, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(View().GetDeviceScrollPosition(), p0 + QPoint(24, 0));
    ClickScrollBar(pV, QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(View().GetDeviceScrollPosition(), p0 + QPoint(24, -24));
    ClickScrollBar(pH, QStyle::SC_ScrollBarSubPage);
    EXPECT_EQ(View().GetDeviceScrollPosition(), QPoint(0, 276)) << "clamped at the left";
    ClickScrollBar(pV, QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(View().GetDeviceScrollPosition(), QPoint(0, 276 + client.height()));

    // Positions are clamped into the scroll range.
    View().ScrollToPosition(QPoint(-100, 5000));
    EXPECT_EQ(View().GetDeviceScrollPosition(), QPoint(0, 1680 - client.height()));
}

TEST_F(SizingTest, TheViewFollowsTheHeadAlongTheAxisOfTheMove) {
    WriteSettings(LargeBoardInSmallWindow());
    StartApp({}, 3);
    const int cw = View().PageSize().width();
    const int ch = View().PageSize().height();
    const int nMaxX = 1680 - View().ClientSize().width();
    // The crawler starts at the middle; show it there.
    View().ScrollToPosition(QPoint(840 - cw / 2, 840 - ch / 2));

    // Right for 30 cells, one up, then left for 45.
    std::vector<std::pair<int, int>> jumps;  // (change, new position) of x
    auto run = [&](int nKey, int nTicks) {
        Key(nKey);
        for (int i = 0; i < nTicks; ++i) {
            const QPoint before = View().GetDeviceScrollPosition();
            ASSERT_TRUE(Tick());
            ASSERT_NE(Doc().m_nDirection, dirGameOver);
            const QPoint after = View().GetDeviceScrollPosition();
            const bool bSideways = nKey == Qt::Key_Left || nKey == Qt::Key_Right;
            EXPECT_EQ(bSideways ? after.y() : after.x(), bSideways ? before.y() : before.x())
                << "only the axis of the move scrolls";
            if (after.x() != before.x()) jumps.push_back({after.x() - before.x(), after.x()});
            const QPoint head(Doc().m_nHeadX * 24 - after.x(), Doc().m_nHeadY * 24 - after.y());
            EXPECT_TRUE(QRect(0, 0, cw, ch).contains(QRect(head, QSize(24, 24))))
                << "head out of the window at tick " << i << ": " << head.x() << "," << head.y();
        }
    };
    run(Qt::Key_Right, 30);
    const int nRightJumps = static_cast<int>(jumps.size());
    ASSERT_GE(nRightJumps, 1);
    run(Qt::Key_Up, 1);
    EXPECT_EQ(static_cast<int>(jumps.size()), nRightJumps) << "moving up scrolls nothing sideways";
    run(Qt::Key_Left, 45);
    ASSERT_GT(static_cast<int>(jumps.size()), nRightJumps);

    for (size_t i = 0; i < jumps.size(); ++i) {
        SCOPED_TRACE(i);
        const auto [nChange, nNewX] = jumps[i];
        // Half a window each time, unless the end of the board stops it.
        if (static_cast<int>(i) < nRightJumps) {
            EXPECT_TRUE(nChange == cw / 2 || (nChange > 0 && nNewX == nMaxX)) << nChange;
        } else {
            EXPECT_TRUE(nChange == -(cw / 2) || (nChange < 0 && nNewX == 0)) << nChange;
        }
    }
    EXPECT_LE(View().GetDeviceScrollPosition().x(), nMaxX);
}

TEST_F(SizingTest, TheViewJumpsByHalfAWindowWhereTheHeadNearsTheEdgeItMovesTo) {
    WriteSettings(LargeBoardInSmallWindow());
    StartApp({}, 3);
    SetClientSize(500, 400);
    ASSERT_EQ(View().PageSize(), QSize(500, 400));
    const QPoint last(1680 - 500, 1680 - 400);  // the last scroll position
    // Forward, a jump while the head's left (top) edge lies past 3/4 of the
    // window (375, 300); back, while it lies closer than 1/4 less a tile (101,
    // 76) to the near edge.
    const struct {
        const char* pszWhat;
        int32_t nDir;
        testsupport::Pos head;  // after the move
        QPoint before;
        QPoint after;
    } cases[] = {
        {"right: head edge 384 past 375", dirRight, {16, 5}, {0, 30}, {250, 30}},
        {"right: head edge 360, well inside", dirRight, {15, 5}, {0, 30}, {0, 30}},
        {"right, far out: three jumps", dirRight, {40, 0}, {0, 0}, {750, 0}},
        {"right, at the end: the last position", dirRight, {69, 0}, {1000, 0}, {last.x(), 0}},
        {"left: 1008 - 1000 = 8 is closer than 101", dirLeft, {42, 5}, {1000, 30}, {750, 30}},
        {"left: 1104 - 1000 = 104, not closer than 101", dirLeft, {46, 5}, {1000, 30}, {1000, 30}},
        {"left, near the start: never below 0", dirLeft, {4, 5}, {100, 30}, {0, 30}},
        {"down: head edge 312 past 300", dirDown, {5, 13}, {40, 0}, {40, 200}},
        {"up: head edge 0 closer than 76", dirUp, {5, 10}, {40, 240}, {40, 40}},
        {"up along the right edge: nothing sideways", dirUp, {69, 30}, {0, 400}, {0, 400}},
    };
    const std::map<int32_t, int> keys = {{dirLeft, Qt::Key_Left},
                                         {dirRight, Qt::Key_Right},
                                         {dirUp, Qt::Key_Up},
                                         {dirDown, Qt::Key_Down}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        Key(Qt::Key_F2);
        const int32_t nBack = OppositeDirection(c.nDir);
        const testsupport::Pos neck = testsupport::Moved(c.head, nBack);
        testsupport::BlankBoard(Doc(), 70, 70);
        testsupport::LayCrawler(Doc(), {testsupport::Moved(neck, nBack), neck});
        View().ScrollToPosition(c.before);
        ASSERT_EQ(View().GetDeviceScrollPosition(), c.before);
        Key(keys.at(c.nDir));
        ASSERT_TRUE(Tick());
        ASSERT_EQ(testsupport::Pos(Doc().m_nHeadX, Doc().m_nHeadY), c.head);
        EXPECT_EQ(View().GetDeviceScrollPosition(), c.after);
    }

    // A view too small for half of it to be a pixel cannot jump: the tick ends.
    Key(Qt::Key_F2);
    View().resize(View().width() - View().ClientSize().width() + 1, View().height());
    ASSERT_EQ(View().PageSize().width(), 1);
    testsupport::BlankBoard(Doc(), 70, 70);
    testsupport::LayCrawler(Doc(), {{38, 5}, {39, 5}});
    Key(Qt::Key_Right);
    ASSERT_TRUE(Tick());
    EXPECT_EQ(Doc().m_nHeadX, 40);
}

TEST_F(SizingTest, TheFirstStartFitsTheWindowToTheBoard) {
    const struct { int32_t nWidth, nHeight; } cases[] = {{17, 13}, {5, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nWidth << "x" << c.nHeight);
        QFile::remove(StorePath());
        StoredSettings s;
        s.nArraySize = 2;
        s.nWidth = c.nWidth;
        s.nHeight = c.nHeight;
        WriteSettings(s);  // no placement: the very first start
        StartApp();
        Flush();
        const QSize board(c.nWidth * 24, c.nHeight * 24);
        if (board.width() >= 225) {
            EXPECT_EQ(View().ClientSize(), board);
            EXPECT_EQ(View().OffsetX(), 0);
            EXPECT_EQ(View().OffsetY(), 0);
        } else {
            // The frame's minimum size wins, decorations included; the board
            // is centred in it.
            EXPECT_EQ(Frame().frameGeometry().size(), QSize(225, 275));
            EXPECT_LT(View().OffsetX(), 0);
            EXPECT_LT(View().OffsetY(), 0);
        }
        EXPECT_EQ(App().m_settings.m_placement.showCmd, kShowCmdShow);
        CloseApp();
    }
}

TEST_F(SizingTest, AutoResizeShrinksTheWindowBackAndIsOffWhileMaximized) {
    StoredSettings s;
    s.placement = Placement(10, 10, 700, 600);
    WriteSettings(s);
    StartApp();
    ASSERT_NE(View().ClientSize(), QSize(408, 312)) << "a stored placement is not fitted";
    QAction* pAuto = Frame().Action(ID_AUTO_RESIZE);
    ASSERT_NE(pAuto, nullptr);

    pAuto->trigger();
    Flush();
    EXPECT_EQ(View().ClientSize(), QSize(408, 312));
    EXPECT_EQ(View().OffsetX(), 0);

    // The button follows the window's state at once, with no key or menu
    // to bring it up to date.
    Frame().showMaximized();
    Flush();
    EXPECT_FALSE(pAuto->isEnabled());
    Frame().showNormal();
    Flush();
    EXPECT_TRUE(pAuto->isEnabled());
}

TEST_F(SizingTest, TheFitNeverMakesTheWindowLargerThanItsScreenUnderAnyStyle) {
    // A board wider than the screen and a low one: the width is cut to the
    // screen and the board scrolls sideways; the height makes room for that
    // scroll bar, whose height the style decides.
    const QString strStyle = QApplication::style()->name();
    for (const char* pszStyle : {"Fusion", "Windows"}) {
        SCOPED_TRACE(pszStyle);
        QApplication::setStyle(QStyleFactory::create(pszStyle));
        const struct {
            int32_t nWidth, nHeight;
            bool bFirstStart;
        } cases[] = {{70, 9, true}, {70, 70, true}, {70, 9, false}};
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.nWidth << "x" << c.nHeight
                                            << (c.bFirstStart ? " first start" : " Auto Resize"));
            QFile::remove(StorePath());
            StoredSettings s;
            s.nArraySize = 2;
            s.nWidth = c.nWidth;
            s.nHeight = c.nHeight;
            if (!c.bFirstStart) s.placement = Placement(300, 200, 400, 300);
            WriteSettings(s);
            StartApp();
            if (!c.bFirstStart) Frame().Action(ID_AUTO_RESIZE)->trigger();
            Flush();
            const QRect rcAvail = Frame().screen()->availableGeometry();
            EXPECT_TRUE(rcAvail.contains(Frame().frameGeometry()))
                << Frame().frameGeometry().x() << "," << Frame().frameGeometry().y() << " "
                << Frame().frameGeometry().width() << "x" << Frame().frameGeometry().height();
            EXPECT_TRUE(View().horizontalScrollBar()->isVisible());
            if (c.nHeight * 24 < rcAvail.height() / 2) {
                EXPECT_FALSE(View().verticalScrollBar()->isVisible());
                EXPECT_EQ(View().ClientSize().height(), c.nHeight * 24);
            } else {
                EXPECT_TRUE(View().verticalScrollBar()->isVisible());
            }
            CloseApp();
        }
    }
    QApplication::setStyle(QStyleFactory::create(strStyle));
}

TEST_F(SizingTest, TilesComeFromTheSetDrawnForTheDensityPixelForPixel) {
    const struct {
        double dRatio;
        int nPx;
    } sizes[] = {{1.0, 24},  {1.1, 24}, {1.25, 30}, {1.5, 36}, {1.75, 42}, {2.0, 48},
                 {2.25, 54}, {2.5, 60}, {2.75, 66}, {3.0, 72}, {4.0, 72},  {0.5, 24}};
    for (const auto& s : sizes) EXPECT_EQ(CBoardPainter::TileSetSize(s.dRatio), s.nPx) << s.dRatio;

    WriteSettings({});
    StartApp({}, 3);
    const int W = Doc().m_nWidth, H = Doc().m_nHeight;
    for (int nQuarter = 4; nQuarter <= 12; ++nQuarter) {
        const double dRatio = nQuarter / 4.0;
        const int nPx = nQuarter * 6;
        SCOPED_TRACE(dRatio);
        QImage board(W * nPx, H * nPx, QImage::Format_ARGB32_Premultiplied);
        board.setDevicePixelRatio(dRatio);
        board.fill(Qt::black);
        QPainter painter(&board);
        View().BoardPainter().Draw(painter, QRegion(0, 0, W * 24, H * 24), QPoint(0, 0));
        painter.end();
        // Every cell is its tile exactly, or plain green when empty.
        int nTiles = 0;
        for (int x = 0; x < W; ++x) {
            for (int y = 0; y < H; ++y) {
                const int32_t nType = Doc().CellAt(x, y).nType;
                const QImage cell =
                    board.copy(x * nPx, y * nPx, nPx, nPx).convertToFormat(QImage::Format_ARGB32);
                QImage want(nPx, nPx, QImage::Format_ARGB32);
                if (nType == ctEmpty) {
                    want.fill(QColor(0, 255, 0));
                } else {
                    ++nTiles;
                    const char* names[] = {"start", "apple", "coin", "skull", "dropping"};
                    const int types[] = {ctStart, ctApple, ctCoin, ctSkull, ctDropping};
                    QString strName;
                    for (int i = 0; i < 5; ++i) {
                        if (types[i] == nType) strName = names[i];
                    }
                    ASSERT_FALSE(strName.isEmpty()) << "type " << nType << " on a new board";
                    want = QImage(QStringLiteral(":/tiles/%1/%2.png").arg(nPx).arg(strName))
                               .convertToFormat(QImage::Format_ARGB32);
                }
                want.setDevicePixelRatio(cell.devicePixelRatio());
                EXPECT_TRUE(cell == want) << "cell " << x << "," << y;
            }
        }
        EXPECT_GE(nTiles, 1);
    }
}

// Run in a child process at one device pixel ratio (see below).
// At the screen's own ratio (1 under ctest); the next test runs it again in a
// child process for each ratio it sets.
TEST_F(SizingTest, AFirstStartFitsTheBoardWithoutScrollBarsAtTheScreensRatio) {
    StoredSettings s;
    s.nArraySize = 2;
    s.nWidth = 11;
    s.nHeight = 9;
    WriteSettings(s);  // the very first start
    StartApp();
    Flush();
    EXPECT_EQ(View().ClientSize(), QSize(11 * 24, 9 * 24));
    EXPECT_FALSE(View().horizontalScrollBar()->isVisible());
    EXPECT_FALSE(View().verticalScrollBar()->isVisible());
}

TEST_F(SizingTest, ABoardThatFitsShowsNoScrollBarsAtEveryRatioFromOneToThree) {
    // A screen of its own, large enough for the window at three times.
    const QString strConfig = TempPath("screens.json");
    QFile config(strConfig);
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 3840, "height": 3000,
        "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    for (const char* pszRatio : {"1", "1.25", "1.5", "1.75", "2", "2.5", "3"}) {
        SCOPED_TRACE(pszRatio);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + strConfig);
        env.insert("QT_SCALE_FACTOR", pszRatio);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=SizingTest."
                     "AFirstStartFitsTheBoardWithoutScrollBarsAtTheScreensRatio"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString strOut = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << strOut.toStdString();
        EXPECT_TRUE(strOut.contains("[  PASSED  ] 1 test")) << strOut.toStdString();
    }
}
