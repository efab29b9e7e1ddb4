// The window tests need a QApplication for the whole run. They are meant for
// Qt's offscreen platform; ctest sets it, and so does this main when nothing
// else chose one (for example when ctest lists the tests).

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

namespace {

QtMessageHandler g_defaultHandler = nullptr;

// There is no sound device here; the multimedia layer's complaints about
// that would bury the test output.
void QuietAudio(QtMsgType type, const QMessageLogContext& context, const QString& strMessage) {
    const QLatin1String category(context.category != nullptr ? context.category : "");
    if (category.startsWith(QLatin1String("qt.multimedia")) ||
        strMessage.contains(QLatin1String("audio device"), Qt::CaseInsensitive) ||
        strMessage.startsWith(QLatin1String("PulseAudioService"))) {
        return;
    }
    if (g_defaultHandler != nullptr) g_defaultHandler(type, context, strMessage);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    g_defaultHandler = qInstallMessageHandler(QuietAudio);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
