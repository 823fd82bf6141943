// Runs the widget tests inside one QApplication on the offscreen platform, so they need no display.
#include <QApplication>
#include <QLocale>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// A language applied sets the program's locale, which lives as long as the program: each test
// starts with the one the program starts with.
class TLocaleKeeper : public ::testing::EmptyTestEventListener
{
public:
    void OnTestEnd(const ::testing::TestInfo&) override { QLocale::setDefault(FLocale); }

private:
    QLocale FLocale;
};

} // namespace

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
    ::testing::UnitTest::GetInstance()->listeners().Append(new TLocaleKeeper);
    return RUN_ALL_TESTS();
}
