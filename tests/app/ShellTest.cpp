// Files from the shell reaching the main window: macros as the message service hands them over,
// and dropped files.
#include "MainFormFixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QMessageBox>
#include <QMimeData>

#include <sys/stat.h>

namespace {

class ShellTest : public TMainFormFixture
{
public:
    void SetUp() override
    {
        TMainFormFixture::SetUp();
        WriteBytes(Folder / "one.clr", "001,002,003 // One\r\n");
        WriteBytes(Folder / "two.clr", "004,005,006 // Two\r\n007,008,009 // Three\r\n");
        fs::create_directories(Folder / "languages");
        WriteBytes(Folder / "lang.clf", "[GroupItem]\r\nCaption=Eintrag\r\n");
        SavePreviewFile(Folder / "small.cpf", TPreviewMap(3, 2));
    }
    std::string P(const char* name) const { return (Folder / name).string(); }

    // Drops a text/uri-list on the window, as a drag would end.
    void Drop(const std::string& uriList)
    {
        QMimeData data;
        data.setData("text/uri-list", QByteArray::fromStdString(uriList));
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(Form.get(), &enter);
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(Form.get(), &drop);
        QApplication::processEvents();
    }
    QString ItemGroup() const { return Form->findChild<QGroupBox*>("GroupBox1")->title(); }
};

TEST_F(ShellTest, MacrosRunTheirCommandsInOrder)
{
    struct TRow
    {
        const char* Name;
        std::string Macro;
        const char* Caption; // the document afterwards
        int Items;
    };
    const TRow rows[] = {
        {"two commands, a malformed one between",
            "[Open(" + P("one.clr") + ")] [Close(x)] [open(\"" + P("two.clr") + "\")]", "two.clr",
            2},
        {"commands over several lines", "[OPEN(\r\n  " + P("one.clr") + "\r\n)]", "one.clr", 1},
        {"a ] before the first [ runs nothing", "] [Open(" + P("one.clr") + ")]", "", 8},
        {"no brackets", "Open(" + P("one.clr") + ")", "", 8},
        {"a file that does not exist", "[Open(" + P("none.clr") + ")]", "", 8},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TMainForm& form = Start();
        form.ExecuteMacroText(row.Macro);
        EXPECT_EQ(form.windowTitle(),
            *row.Caption ? QString(row.Caption) + " - " + Title : QString(Title));
        EXPECT_EQ(ListBox1(form)->count(), row.Items);
        Form.reset();
    }
}

TEST_F(ShellTest, OpenAsksFirstAndCancelSkipsOnlyThatLoad)
{
    TMainForm& form = Start();
    Select(1);
    TypeCode("ABCDEF");
    AnswerMessageBox(QMessageBox::Cancel);
    form.ExecuteMacroText("[Open(" + P("one.clr") + ")][Preview(" + P("small.cpf") + ")]");
    EXPECT_FALSE(PendingAnswer());
    EXPECT_TRUE(form.Modified());
    EXPECT_EQ(ListBox1(form)->count(), 8);
    // The next command still ran.
    EXPECT_EQ(form.Document().PreviewMap().Width(), 3);
    form.SetModified(false);
}

TEST_F(ShellTest, PreviewAndLanguageKeepAMissingPath)
{
    TMainForm& form = Start();
    form.ExecuteMacroText(
        "[Preview(" + P("missing.cpf") + ")][Language(" + P("missing.clf") + ")]");
    EXPECT_EQ(form.Settings().DefaultPreview, P("missing.cpf"));
    EXPECT_EQ(form.Settings().DefaultLanguage, P("missing.clf"));
    EXPECT_EQ(form.Document().PreviewMap(), SmallMap());
    EXPECT_TRUE(form.close());
    const std::string settings = ReadBytes(SettingsFile());
    EXPECT_NE(settings.find("DefaultLanguage=" + P("missing.clf")), std::string::npos);
    EXPECT_NE(settings.find("DefaultPreview=" + P("missing.cpf")), std::string::npos);
}

// A request any program on the bus can make must not break the next start, nor closing.
TEST_F(ShellTest, APreviewOrLanguageThatFailsOrCannotBeStoredIsNotRemembered)
{
    WriteBytes(Folder / "bad.cpf", "not a preview");
    ASSERT_EQ(::mkfifo((Folder / "fifo.clf").c_str(), 0600), 0);
    struct TRow
    {
        const char* Name;
        std::string Macro;
        const char* Message; // the start of the message shown
    };
    const TRow rows[] = {
        {"a damaged preview", "[Preview(" + P("bad.cpf") + ")]", "Error"},
        {"a language file that is a FIFO", "[Language(" + P("fifo.clf") + ")]", "Cannot open file"},
        {"a preview path with a line break", "[Preview(" + P("a\r\nb.cpf") + ")]",
            "The file name holds a line break"},
        {"a language path with a line break", "[Language(" + P("a\nb.clf") + ")]",
            "The file name holds a line break"},
    };
    TMainForm& form = Start();
    const TSettings before = form.Settings();
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const auto message = CaptureMessageBox(QMessageBox::Ok);
        form.ExecuteMacroText(row.Macro);
        EXPECT_TRUE(message->Text.startsWith(row.Message)) << message->Text.toStdString();
        EXPECT_EQ(form.Settings().DefaultPreview, before.DefaultPreview);
        EXPECT_EQ(form.Settings().DefaultLanguage, before.DefaultLanguage);
        EXPECT_EQ(form.Document().PreviewMap(), SmallMap());
    }
    EXPECT_TRUE(form.close());
    EXPECT_EQ(ReadBytes(SettingsFile()), FirstStartSettings);
}

TEST_F(ShellTest, ADropOpensItsFirstFileByExtension)
{
    WriteBytes(Folder / "CAPS.CLR", "010,020,030 // Caps\r\n");
    struct TRow
    {
        const char* Name;
        std::string List;
        const char* Caption;
        const char* Group;
        int PreviewWidth;
    };
    const std::string file = "file://";
    const TRow rows[] = {
        {"three files: only the first",
            file + P("one.clr") + "\r\n" + file + P("two.clr") + "\r\n" + file + P("lang.clf")
                + "\r\n",
            "one.clr", "Choose item", 8},
        {"capital extension", file + P("CAPS.CLR") + "\r\n", "CAPS.CLR", "Choose item", 8},
        {"comment lines and localhost", "# a comment\r\nfile://localhost" + P("two.clr") + "\r\n",
            "two.clr", "Choose item", 8},
        {"a preview", file + P("small.cpf") + "\r\n", "", "Choose item", 3},
        {"a language", file + P("lang.clf") + "\r\n", "", "Eintrag", 8},
        {"another extension", file + P("tintwright.ini") + "\r\n", "", "Choose item", 8},
        {"no such file", file + P("none.clr") + "\r\n", "", "Choose item", 8},
    };
    WriteBytes(SettingsFile(), "");
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TMainForm& form = Start();
        Drop(row.List);
        EXPECT_EQ(form.windowTitle(),
            *row.Caption ? QString(row.Caption) + " - " + Title : QString(Title));
        EXPECT_EQ(ItemGroup(), row.Group);
        EXPECT_EQ(form.Document().PreviewMap().Width(), row.PreviewWidth);
        Form.reset();
    }
}

TEST_F(ShellTest, ADroppedColourFileAsksToSaveAModifiedDocument)
{
    TMainForm& form = Start();
    Select(1);
    TypeCode("ABCDEF");
    AnswerMessageBox(QMessageBox::No);
    Drop("file://" + P("one.clr") + "\r\n");
    EXPECT_FALSE(PendingAnswer());
    EXPECT_EQ(form.windowTitle(), QString("one.clr - ") + Title);
}

} // namespace
