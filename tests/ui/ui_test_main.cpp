// The desktop binding's tests run inside one QApplication, offscreen unless told otherwise.
#include <QApplication>

#include <gtest/gtest.h>

namespace {

QtMessageHandler QtDefaultHandler = nullptr;

// The offscreen platform tells of every window operation it cannot do (raise, grabbing the
// keyboard); that is the platform, not the program under test.
void QuietAboutOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.startsWith("This plugin does not support"))
        return;
    QtDefaultHandler(type, context, text);
}

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // A test must never need a display, nor pop windows up on the developer's.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QtDefaultHandler = qInstallMessageHandler(QuietAboutOffscreen);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
