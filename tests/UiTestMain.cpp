// Runs the widget tests inside one QApplication on the offscreen platform, so they need no display.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
        qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tintwright");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
