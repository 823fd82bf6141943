#include "tools/import/ColorImport.h"

#include "common/BusyCursor.h"
#include "common/ErrorMessage.h"
#include "common/UiText.h"
#include "i18n/ShownText.h"
#include "preview/ImportPicture.h"
#include "tools/import/ScreenshotColors.h"
#include "tools/import/ColorImportTexts.h"
#include "tools/import/ColorImportWindow.h"
#include "tools/DocumentSeam.h"
#include "tools/OpenFileDialog.h"
#include "tools/StatusPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>

#include <exception>
#include <utility>

namespace {

QString MegaBytes(qint64 bytes)
{
    return QLocale().toString(double(bytes) / 1048576.0, 'f', 1);
}

QString RefusalText(const TPictureRefusal& refusal, const QString& name)
{
    using R = TPictureRefusal::TReason;
    switch (refusal.Reason()) {
    case R::CannotOpen:
        return Text(ImportTexts::CannotOpen)
            .arg(name, QString::fromStdString(refusal.SystemReason()));
    case R::NotRegularFile:
        return Text(ImportTexts::NotRegularFile).arg(name);
    case R::TooManyBytes:
        return Text(ImportTexts::TooManyBytes)
            .arg(name, MegaBytes(refusal.Bytes()), MegaBytes(MaxImportPictureBytes));
    case R::TooManyPixels:
        // In one pass, so that a "%2" in the file's name stays as it is.
        return Text(ImportTexts::TooManyPixels)
            .arg(name, QString::number(refusal.Size().width()),
                QString::number(refusal.Size().height()));
    case R::NotAPicture:
        return Text(ImportTexts::NotAPicture).arg(name);
    case R::NoClipboardPicture:
        return Text(ImportTexts::NoClipboardPicture);
    }
    return QString::fromUtf8(refusal.what());
}

} // namespace

TColorImport::TColorImport(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    SetCommands({
        {.Text = {"ActionToolsImportColors", "&Import colors from screenshot...",
             "Take the colors of a screenshot of the preview's screen", "", ImportTexts::Section,
             "ImportFromScreenshot", "ImportFromScreenshotHint"},
            .Run = [this] { ImportFromFile(); }},
        {.Text = {"ActionToolsImportColorsClipboard", "Import colors from clip&board",
             "Take the colors of the screenshot on the clipboard", "", ImportTexts::Section,
             "ImportFromClipboard", "ImportFromClipboardHint"},
            .Run = [this] { ImportFromClipboard(); },
            .Enabled = [this] { return FClipboardHoldsPicture; }},
    });
    // Asking the clipboard is a round trip to the display server: once per change, not at
    // every evaluation of the commands.
    const auto watch = [this] {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        FClipboardHoldsPicture = data != nullptr && data->hasImage();
    };
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, watch);
    watch();
}

TColorImport::~TColorImport()
{
    delete FWindow;
}

TColorImportWindow* TColorImport::Window() const
{
    return FWindow;
}

std::span<const TTextKey> TColorImport::Texts() const
{
    return ImportTexts::All;
}

std::optional<std::filesystem::path> TColorImport::AskForPicture()
{
    auto file = ChooseFileToOpen(&Context().Window, "ImportPictureDialog",
        Text(ImportTexts::DialogTitle),
        Text(ImportTexts::PictureFilter) + QStringLiteral(" (*.bmp *.png *.jpg *.jpeg)"), FFolder,
        [](const QString& fileName) { return LoadImportPicture(ToFileName(fileName)).Pixels; });
    if (file)
        FFolder = file->parent_path();
    return file;
}

void TColorImport::ImportFromFile()
{
    if (const auto file = AskForPicture())
        ImportFile(*file);
}

void TColorImport::ImportFile(const std::filesystem::path& file)
{
    const QString path = FromFileName(file);
    try {
        TImportPicture picture;
        {
            const TBusyCursor busy;
            picture = LoadImportPicture(file);
        }
        Show(std::move(picture), QFileInfo(path).fileName());
    } catch (const TPictureRefusal& refusal) {
        ShowError(RefusalText(refusal, path));
    } catch (const std::exception& error) {
        ShowError(ErrorText(error));
    }
}

void TColorImport::ImportFromClipboard()
{
    try {
        TImportPicture picture;
        {
            const TBusyCursor busy;
            picture = ImportPictureFromClipboard(QGuiApplication::clipboard()->mimeData());
        }
        Show(std::move(picture), {});
    } catch (const TPictureRefusal& refusal) {
        ShowError(RefusalText(refusal, Text(ImportTexts::ClipboardPicture)));
    } catch (const std::exception& error) {
        ShowError(ErrorText(error));
    }
}

void TColorImport::Show(TImportPicture picture, const QString& name)
{
    const TPreviewMap& map = Document().PreviewMap();
    if (map.Width() == 0 || map.Height() == 0) {
        ShowError(Text(ImportTexts::NoPreviewLoaded));
        return;
    }
    const QImage& pixels = picture.Pixels;
    if (ScreenshotScale(pixels.width(), pixels.height(), map.Width(), map.Height()) == 0) {
        ShowError(Text(ImportTexts::WrongSize)
                      .arg(pixels.width())
                      .arg(pixels.height())
                      .arg(map.Width())
                      .arg(map.Height()));
        return;
    }
    if (!FWindow) {
        FWindow = new TColorImportWindow(Document(), &Context().Window);
        connect(FWindow, &TColorImportWindow::Applied, this, [this](std::size_t items) {
            Context().Status.ShowMessage(
                CountText(ImportTexts::AppliedOne, ImportTexts::Applied, items));
        });
    }
    {
        const TBusyCursor busy;
        FWindow->SetPicture(std::move(picture), name);
    }
    FWindow->show();
    FWindow->raise();
    FWindow->activateWindow();
}

void TColorImport::ShowError(const QString& text) const
{
    QWidget* parent
        = FWindow && FWindow->isVisible() ? static_cast<QWidget*>(FWindow) : &Context().Window;
    QMessageBox box(
        QMessageBox::Warning, Text(ImportTexts::WindowTitle), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
