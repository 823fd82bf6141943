// Ctrl+C and Ctrl+V on the item list of the real window: the selected item's colour goes out as
// text and as a colour, and comes back from any notation as one step; what is no colour changes
// nothing and says why. The edit fields keep their own copy and paste.
#include "tools/clipboard/ColorClipboard.h"

#include "app/MainFormFixture.h"
#include "tools/HistoryRowText.h"

#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QMimeData>
#include <QTest>

#include <functional>
#include <string>

namespace {

class ColorClipboardTest : public TMainFormFixture
{
public:
    TMainForm& StartFocused()
    {
        TMainForm& form = Start();
        form.activateWindow();
        QApplication::setActiveWindow(&form);
        ListBox1(form)->setFocus();
        return form;
    }

    void KeyOnList(Qt::Key key) { QTest::keyClick(ListBox1(*Form), key, Qt::ControlModifier); }

    std::size_t Steps() const { return Form->Document().History().UndoSteps().size(); }
};

TEST_F(ColorClipboardTest, CopyGivesTheSelectedColourAsTextAndAsAColour)
{
    StartFocused();
    Select(2); // Water, 010,020,030
    KeyOnList(Qt::Key_C);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), "#0A141E");
    ASSERT_TRUE(data->hasColor());
    EXPECT_EQ(qvariant_cast<QColor>(data->colorData()), QColor(10, 20, 30));
    EXPECT_EQ(StatusPanel1(*Form)->text(), "Copied #0A141E");
    EXPECT_EQ(Steps(), 0u);

    // In the description field, Ctrl+C copies its text as ever.
    EditDescription(*Form)->setFocus();
    EditDescription(*Form)->selectAll();
    QTest::keyClick(EditDescription(*Form), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Water");
}

TEST_F(ColorClipboardTest, PasteTakesEveryNotationAsOneStepAndRefusesTheRest)
{
    const auto text = [](const QString& value) {
        return [value] { QGuiApplication::clipboard()->setText(value); };
    };
    const struct
    {
        const char* Name;
        std::function<void()> Fill;
        unsigned Item3; // Park's colour afterwards; 0x28323C unchanged
        const char* Status; // what panel 1 says, when it says something
    } rows[] = {
        {"shorthand", text("#F80"), 0xFF8800, ""},
        {"six digits, no hash", text(" ff8800\n"), 0xFF8800, ""},
        {"decimal triple", text("255, 136, 0"), 0xFF8800, ""},
        {"blank-separated", text("1 2 3"), 0x010203, ""},
        {"css rgb()", text("rgb(1, 2, 3)"), 0x010203, ""},
        {"a colour, as other programs copy it",
            [] {
                auto* data = new QMimeData;
                data->setColorData(QColor(4, 5, 6));
                QGuiApplication::clipboard()->setMimeData(data);
            },
            0x040506, ""},
        {"shorthand without a hash", text("F80"), 0x28323C, "Not a color: \"F80\""},
        {"words", text("Main road"), 0x28323C, "Not a color: \"Main road\""},
        {"a component above 255", text("256,0,0"), 0x28323C, "Not a color: \"256,0,0\""},
        {"too long", text(QString(5000, 'f')), 0x28323C,
            "The clipboard holds too much text to be a color"},
        {"empty", text(""), 0x28323C, "The clipboard holds no color"},
        {"an image, no text",
            [] { QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32)); },
            0x28323C, "The clipboard holds no color"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        StartFocused();
        Select(3);
        row.Fill();
        KeyOnList(Qt::Key_V);
        EXPECT_EQ(ItemRgb(3), row.Item3);
        const bool changed = row.Item3 != 0x28323C;
        EXPECT_EQ(Steps(), changed ? 1u : 0u);
        if (changed) {
            // Named like any other edit of one item: the item and both colours.
            EXPECT_EQ(LastStepText(Form->Document()),
                "Park: #28323C \u2192 #"
                    + QString("%1").arg(row.Item3, 6, 16, QChar('0')).toUpper().toStdString());
            EXPECT_EQ(Pixel(3, 0), row.Item3);
            EXPECT_EQ(EditColorValue(*Form)->text().toStdString(),
                QString("%1").arg(row.Item3, 6, 16, QChar('0')).toUpper().toStdString());
            Action(*Form, "ActionEditUndo")->trigger();
            EXPECT_EQ(ItemRgb(3), 0x28323Cu);
        } else {
            EXPECT_EQ(StatusPanel1(*Form)->text(), row.Status);
        }
        EXPECT_FALSE(Form->Modified());
        Form.reset();
    }
}

} // namespace
