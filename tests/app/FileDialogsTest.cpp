#include "app/FileDialogs.h"

#include "MainFormFixture.h"
#include "preview/ReferenceColors.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImage>
#include <QLabel>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

using FileDialogsTest = TMainFormFixture;

TEST_F(FileDialogsTest, EveryDialogListsAllFilesWithStar)
{
    const TFileDialogs dialogs;
    const TFileDialog all[] = {TFileDialog::OpenColorFile, TFileDialog::SaveColorFile,
        TFileDialog::OpenPictureBitmap, TFileDialog::SavePreviewFile, TFileDialog::OpenPreviewFile};
    for (TFileDialog dialog : all) {
        // On Linux "*.*" would hide every name without a dot.
        EXPECT_EQ(dialogs.Filters(dialog).value(1), "All Files (*)") << int(dialog);
    }
}

TEST_F(FileDialogsTest, ANameOfAnEarlierUseIsNeverOfferedAgain)
{
    TMainForm& form = Start();
    // Create reference file proposes its own name...
    AnswerFileDialog(PathOf("schemes/reference.clr"));
    Action(form, "ActionToolsReference")->trigger();
    ASSERT_FALSE(PendingAnswer());

    // ...which Save as of the untitled document must not show: Enter would overwrite it.
    Select(1);
    TypeCode("ABCDEF");
    QString shown = "<no dialog>";
    AnswerNextModal([&shown](QWidget* dialog) {
        shown = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        qobject_cast<QFileDialog*>(dialog)->reject();
    });
    Action(form, "ActionFileSaveAs")->trigger();
    EXPECT_EQ(shown, "");
    form.SetModified(false);
}

TEST_F(FileDialogsTest, TheDialogsNeverLookInsideTheFilesTheyList)
{
    // Guessing a file's type from its content means reading it, and some files block a reader
    // for good (/proc/kmsg as root): the folder reader would hang, and the dialog with it.
    // inotify tells whether anything opened the files while the dialog showed them.
    for (const char* name : {"data", "notes.txt", "scheme.clr", "shot.png"})
        WriteBytes(Folder / name, "some content, not the kind its name says");
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, Folder.Path().c_str(), IN_OPEN | IN_ACCESS), 0);

    TFileDialogs dialogs;
    for (TFileDialog kind : {TFileDialog::OpenColorFile, TFileDialog::OpenPictureBitmap}) {
        dialogs.SetFolder(kind, Folder.Path());
        AnswerNextModal([](QWidget* dialog) {
            auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
            fileDialog->selectNameFilter("All Files (*)");
            // Let the dialog list the folder, paint it and fetch its icons and types.
            QElapsedTimer shown;
            shown.start();
            while (shown.elapsed() < 500) {
                fileDialog->grab();
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            }
            fileDialog->reject();
        });
        EXPECT_FALSE(dialogs.Execute(nullptr, kind, {}));
    }

    std::vector<std::string> opened;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            if (event->len > 0 && !(event->mask & IN_ISDIR))
                opened.push_back(event->name);
            p += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    EXPECT_TRUE(opened.empty()) << "opened: " << opened.front();
}

TEST_F(FileDialogsTest, ThePictureDialogPreviewsThePictureUnderTheCursor)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(PathOf("shot.bmp"), "BMP"));
    WriteBytes(Folder / "broken.bmp", "BM not really");

    TFileDialogs dialogs;
    dialogs.SetFolder(TFileDialog::OpenPictureBitmap, Folder.Path());
    struct TSeen
    {
        QString Size;
        bool Picture = false;
    };
    std::vector<TSeen> seen;
    AnswerNextModal([&seen, this](QWidget* dialog) {
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
        auto* size = fileDialog->findChild<QLabel*>("PicturePreviewSize");
        auto* image = fileDialog->findChild<QLabel*>("PicturePreviewImage");
        for (const char* name : {"shot.bmp", "broken.bmp"}) {
            emit fileDialog->currentChanged(PathOf(name));
            seen.push_back(
                {size ? size->text() : "<no pane>", image != nullptr && !image->pixmap().isNull()});
        }
        fileDialog->reject();
    });
    dialogs.Execute(nullptr, TFileDialog::OpenPictureBitmap, {});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Size, "40 x 30 pixels");
    EXPECT_TRUE(seen[0].Picture);
    EXPECT_EQ(seen[1].Size, "No preview");
    EXPECT_FALSE(seen[1].Picture);
}

} // namespace
