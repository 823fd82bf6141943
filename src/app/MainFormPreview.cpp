// The preview: loading and painting the preview map, picking an item from it, and the tools that
// make preview files (reference schemes, screenshot conversion).
#include "app/MainForm.h"

#include "common/BusyCursor.h"
#include "app/WindowDocument.h"
#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/UiText.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewImage.h"
#include "preview/ReferenceImage.h"
#include "preview/ReferenceScheme.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>

#include <algorithm>
#include <utility>

void TMainForm::LoadPreview()
{
    const std::filesystem::path path = FSettings.DefaultPreview;
    if (!FileExists(path))
        return;
    // The window's map and image change only once the whole file has been read, so their sizes
    // always agree.
    TPreviewMap map = ReadPreviewFile(path);
    QImage image;
    if (map.Width() > 0 && map.Height() > 0) {
        image = QImage(map.Width(), map.Height(), QImage::Format_RGB888);
        if (image.isNull())
            throw TError("Out of memory");
        image.fill(Qt::white);
        const QImage& old = Image1->Image();
        const int overlapWidth = std::min(old.width(), image.width());
        const int overlapHeight = std::min(old.height(), image.height());
        for (int y = 0; y < overlapHeight; ++y)
            std::copy_n(old.constScanLine(y), 3 * overlapWidth, image.scanLine(y));
    }
    FPreviewMap = std::move(map);
    Image1->Image() = std::move(image);
    Image1->update();
    emit FDocument->PreviewLoaded();
}

void TMainForm::PaintPreview()
{
    QImage& image = Image1->Image();
    if (!image.isNull())
        FDocument->Paint(FPreviewMap, FItems, image.bits(), image.bytesPerLine());
    Image1->repaint();
    emit FDocument->PreviewPainted();
}

void TMainForm::OpenPreviewFile(const std::filesystem::path& path)
{
    RefuseUnstorablePath(path);
    // A file that is there but no preview is not remembered: the next start would stop at it.
    const std::string previous = std::exchange(FSettings.DefaultPreview, path.native());
    try {
        LoadPreview();
    } catch (...) {
        FSettings.DefaultPreview = previous;
        throw;
    }
    PaintPreview();
}

void TMainForm::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    if (x < 0 || y < 0 || x >= FPreviewMap.Width() || y >= FPreviewMap.Height())
        return;
    const std::uint32_t cell = FPreviewMap.Cell(x, y);
    if (cell < ItemReferenceBase)
        return;
    // The whole difference, unchecked; an index beyond the list selects nothing.
    const std::uint32_t index = cell - ItemReferenceBase;
    SelectListRow(index < std::uint32_t(ListBox1->count()) ? int(index) : -1);
    ShowSelectedItem();
}

void TMainForm::ActionToolsOpenPreviewExecute()
{
    if (const auto fileName = FFileDialogs.Execute(this, TFileDialog::OpenPreviewFile, {}))
        OpenPreviewFile(*fileName);
}

void TMainForm::ActionToolsReferenceExecute()
{
    const auto fileName = FFileDialogs.Execute(this, TFileDialog::SaveColorFile,
        FSettings.TomTomVersion < 5 ? "GREYS.CLR" : "reference.clr");
    if (!fileName)
        return;
    const TBusyCursor busy;
    // The name is used exactly as the dialog returns it; the document is not touched.
    WriteReferenceFile(*fileName, Descriptions());
}

void TMainForm::ActionToolsImportExecute(QAction* sender)
{
    const bool fromClipboard = sender == ActionToolsClipboard;
    std::optional<std::filesystem::path> bitmapFile;
    if (!fromClipboard) {
        bitmapFile = FFileDialogs.Execute(this, TFileDialog::OpenPictureBitmap, {});
        if (!bitmapFile)
            return;
    }
    const TBusyCursor busy;
    TPreviewMap map;
    {
        QImage source;
        if (fromClipboard) {
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            if (data == nullptr || !data->hasImage())
                throw TError("The clipboard does not hold a bitmap");
            source = QGuiApplication::clipboard()->image();
            if (source.isNull())
                throw TError("Cannot open clipboard");
        } else {
            source = LoadReferenceBitmap(FromFileName(*bitmapFile));
        }
        QCoreApplication::processEvents();
        map = ScanReferenceQImage(source, FItems.size());
    }
    const auto previewFile = FFileDialogs.Execute(this, TFileDialog::SavePreviewFile, {});
    if (!previewFile)
        return;
    SavePreviewFile(*previewFile, map);
    OpenPreviewFile(*previewFile);
}

void TMainForm::ActionToolsClipboardUpdate()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ActionToolsClipboard->setEnabled(data != nullptr && data->hasImage());
}
