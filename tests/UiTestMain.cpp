// Runs the widget tests inside one QApplication on the offscreen platform, so they need no display.
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The program's icons, cursor and style sheet, from the ui library.
    Q_INIT_RESOURCE(tintwright);
    qputenv("QT_QPA_PLATFORM",
        qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Keep Qt's own remembered state (the file dialogs' last folder and history) away from the
    // user's configuration, so runs neither depend on nor change it.
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tintwright");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
