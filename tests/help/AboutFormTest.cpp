#include "help/UnitAbout.h"

#include "app/MainFormFixture.h"
#include "help/VersionText.h"

#include <QAction>
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QWindow>

// Stands in for the user's browser while it lives: web addresses open here.
class TBrowser : public QObject
{
    Q_OBJECT

public:
    TBrowser() { QDesktopServices::setUrlHandler("https", this, "Open"); }
    ~TBrowser() override { QDesktopServices::unsetUrlHandler("https"); }

    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& url) { Opened.append(url); }
};

namespace {

using AboutFormTest = TMainFormFixture;

TEST_F(AboutFormTest, TheBoxShowsTheVersionHasNoCloseBoxAndClosesOnEnter)
{
    TMainForm& form = Start();
    struct TSeen
    {
        QString Title, Version, Link;
        bool CloseBox = true;
        QSize Size;
        Qt::CursorShape LinkCursor = Qt::ArrowCursor;
        bool Icon = false;
    } seen;
    AnswerNextModal([&seen](QWidget* dialog) {
        auto* about = qobject_cast<TFormAbout*>(dialog);
        ASSERT_TRUE(about);
        seen.Title = about->windowTitle();
        seen.Version = about->Label4->text();
        seen.Link = about->Label7->text();
        seen.CloseBox = about->windowFlags().testFlag(Qt::WindowCloseButtonHint);
        seen.Size = about->size();
        seen.LinkCursor = about->Label7->cursor().shape();
        seen.Icon = !about->Image1->pixmap().isNull();
        QTest::keyClick(about, Qt::Key_Return);
    });
    Action(form, "ActionHelpAbout")->trigger();
    EXPECT_FALSE(PendingAnswer());
    EXPECT_EQ(seen.Title, "About...");
    EXPECT_EQ(seen.Version, "Version 2.1 (build 0079)");
    EXPECT_TRUE(seen.Link.startsWith("https://"));
    EXPECT_FALSE(seen.CloseBox);
    EXPECT_EQ(seen.Size, QSize(325, 222));
    EXPECT_EQ(seen.LinkCursor, Qt::PointingHandCursor);
    EXPECT_TRUE(seen.Icon);
}

TEST_F(AboutFormTest, TheLinkOpensOnALeftClickAndFromTheKeyboardWhileOKStaysTheDefault)
{
    TMainForm& form = Start();
    TBrowser browser;
    bool closedByEnter = false;
    AnswerNextModal([&](QWidget* dialog) {
        auto* about = qobject_cast<TFormAbout*>(dialog);
        ASSERT_TRUE(about);
        QWindow* window = about->windowHandle();
        const QPoint link = about->Label7->mapTo(about, QPoint(10, 5));
        const std::pair<const char*, Qt::MouseButton> clicks[]
            = {{"left", Qt::LeftButton}, {"middle", Qt::MiddleButton}, {"right", Qt::RightButton}};
        for (const auto& [name, button] : clicks) {
            SCOPED_TRACE(name);
            browser.Opened.clear();
            QTest::mouseClick(window, button, {}, link);
            EXPECT_EQ(browser.Opened.size(), button == Qt::LeftButton ? 1 : 0);
        }

        // The box opens with OK focused; Tab reaches the link, which shows its focus, and Enter
        // or Space there opens it without closing the box.
        EXPECT_TRUE(about->ButtonOK->hasFocus());
        const QImage unfocused = about->Label7->grab().toImage();
        QTest::keyClick(window, Qt::Key_Tab);
        EXPECT_TRUE(about->Label7->hasFocus());
        EXPECT_TRUE(about->Label7->grab().toImage() != unfocused) << "no focus shown";
        browser.Opened.clear();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
            QTest::keyClick(window, key);
        EXPECT_EQ(browser.Opened.size(), 3);
        EXPECT_TRUE(about->isVisible());
        EXPECT_TRUE(about->ButtonOK->isDefault());
        QTest::keyClick(window, Qt::Key_Tab);
        EXPECT_TRUE(about->ButtonOK->hasFocus());
        QTest::keyClick(window, Qt::Key_Return);
        closedByEnter = !about->isVisible();
        if (!closedByEnter)
            about->reject();
    });
    Action(form, "ActionHelpAbout")->trigger();
    EXPECT_FALSE(PendingAnswer());
    EXPECT_TRUE(closedByEnter);
    for (const QUrl& url : browser.Opened)
        EXPECT_EQ(url.toString().toStdString(), HomePageAddress);
}

} // namespace

#include "AboutFormTest.moc"
