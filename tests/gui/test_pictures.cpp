// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures without Qt's image readers: every PNG built in reads
// as Qt reads it, pixel for pixel; the bars' » buttons are drawn; and the
// window starts, tiles, toolbar and icon shown, with no image format plugin
// loaded.

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStyle>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <string>

#include "GuiTest.h"
#include "devices/PngResource.h"

namespace {

// Whether an image format plugin is mapped in this process.
bool AnyImagePluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

// The pixels of an icon at nSide, as ARGB words.
QImage IconPixels(const QIcon& icon, int nSide) {
    return icon.pixmap(nSide, nSide).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Whether the image's corners are clear: a picture drawn on a clear ground
// and kept off its edges.
bool CornersClear(const QImage& image) {
    const int nRight = image.width() - 1;
    const int nBottom = image.height() - 1;
    return qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(nRight, 0)) == 0 &&
           qAlpha(image.pixel(0, nBottom)) == 0 && qAlpha(image.pixel(nRight, nBottom)) == 0;
}

bool AnyPixelSeen(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) return true;
        }
    }
    return false;
}

}  // namespace

class PicturesTest : public GuiTest {};

TEST_F(PicturesTest, EveryBuiltInPngReadsAsQtReadsIt) {
    int nRead = 0;
    for (QDirIterator it(QStringLiteral(":/"), {QStringLiteral("*.png")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString strPath = it.next();
        if (strPath.startsWith(QLatin1String(":/qt-project.org"))) continue;  // Qt's own
        SCOPED_TRACE(strPath.toStdString());
        const QImage mine = ReadPngResource(strPath);
        const QImage qts(strPath);
        ASSERT_FALSE(qts.isNull());
        ASSERT_FALSE(mine.isNull());
        EXPECT_EQ(mine.hasAlphaChannel(), qts.hasAlphaChannel());
        EXPECT_EQ(mine.convertToFormat(QImage::Format_ARGB32),
                  qts.convertToFormat(QImage::Format_ARGB32));
        ++nRead;
    }
    // Tiles, toolbar and program icons.
    EXPECT_GE(nRead, 100);
    // Not there, and not a PNG: no picture.
    EXPECT_TRUE(ReadPngResource(QStringLiteral(":/tiles/24/nothing.png")).isNull());
    EXPECT_TRUE(ReadPngResource(QStringLiteral(":/sounds/move.wav")).isNull());
}

// The » of a horizontal bar points along it, that of a vertical one down:
// both are drawn, and differ.
TEST_F(PicturesTest, TheBarsHiddenItemsButtonsAreDrawn) {
    QStyle* pStyle = QApplication::style();
    const QImage horizontal =
        IconPixels(pStyle->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), 16);
    const QImage vertical =
        IconPixels(pStyle->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton), 16);
    EXPECT_TRUE(AnyPixelSeen(horizontal));
    EXPECT_TRUE(AnyPixelSeen(vertical));
    EXPECT_TRUE(CornersClear(horizontal));
    EXPECT_TRUE(CornersClear(vertical));
    EXPECT_NE(horizontal, vertical);
    // As the toolbar's button shows it, at twice the density too.
    const QIcon icon = pStyle->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    EXPECT_TRUE(CornersClear(icon.pixmap(QSize(16, 16), 2.0).toImage()));
    // Every other picture is the style's own.
    EXPECT_FALSE(pStyle->standardIcon(QStyle::SP_MessageBoxWarning).isNull());
}

// Run in a fresh process (the test starts itself again): nothing else has
// read a picture there before the window starts.
TEST_F(PicturesTest, TheWindowStartsWithItsPicturesAndNoImagePlugin) {
    if (!qEnvironmentVariableIsSet("COILIX_PICTURES_CHILD")) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("COILIX_PICTURES_CHILD"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=PicturesTest.TheWindowStartsWithItsPicturesAndNoImagePlugin"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString strOut = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << strOut.toStdString();
        EXPECT_TRUE(strOut.contains("[  PASSED  ] 1 test")) << strOut.toStdString();
        return;
    }
    ASSERT_FALSE(AnyImagePluginLoaded());
    WriteSettings({});
    StartApp();
    ASSERT_TRUE(QTest::qWaitFor([] { return !QApplication::windowIcon().isNull(); }));
    Flush();
    EXPECT_TRUE(AnyPixelSeen(IconPixels(QApplication::windowIcon(), 32)));
    for (QAction* pAction : Frame().ToolBar()->actions()) {
        if (!pAction->isSeparator()) {
            EXPECT_TRUE(AnyPixelSeen(IconPixels(pAction->icon(), 16)));
        }
    }
    const QImage board = View().grab().toImage();
    EXPECT_GT(board.width(), 0);
    EXPECT_FALSE(AnyImagePluginLoaded());
}
