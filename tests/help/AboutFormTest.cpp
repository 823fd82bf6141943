#include "help/UnitAbout.h"

#include "app/MainFormFixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

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

} // namespace
