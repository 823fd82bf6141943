#include "app/FileDialogs.h"

#include "app/WindowTexts.h"
#include "common/FileAccess.h"
#include "common/UiText.h"
#include "preview/ReferenceImage.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <exception>

namespace {

const QStringList ColorFileFilters = {"TomTom Color Files (*.clr)", "All Files (*)"};
const QStringList PreviewFileFilters = {"Tintwright Preview Files (*.cpf)", "All Files (*)"};
const QStringList BitmapFilters = {"Bitmaps (*.bmp)", "All Files (*)"};

// Icons and type names from the entry's kind and name only. Qt's own provider asks the MIME
// database, which reads the start of each file: a file of /proc that blocks on reading (kmsg)
// would then hang the folder reader, and the dialog with it when it is destroyed.
class TNameOnlyIconProvider : public QFileIconProvider
{
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isRoot())
            return icon(Drive);
        return icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return Text(WindowText::FolderType);
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? Text(WindowText::FileType)
                                : Text(WindowText::SuffixFileType).arg(suffix.toUpper());
    }
};

// Larger files get no preview: a screenshot of a large screen as a 24-bit bitmap is below this.
constexpr qint64 MaxPreviewFileBytes = qint64(64) << 20;

// The picture dialog's preview pane: the picture under the cursor, scaled to fit, and its size in
// pixels. Only regular files are opened, and the same size limits apply as for converting.
class TPicturePreview : public QWidget
{
public:
    explicit TPicturePreview(QWidget* parent)
        : QWidget(parent)
        , FImage(new QLabel(this))
        , FSize(new QLabel(this))
    {
        setObjectName("PicturePreview");
        FImage->setObjectName("PicturePreviewImage");
        FSize->setObjectName("PicturePreviewSize");
        FImage->setFixedSize(160, 160);
        FImage->setAlignment(Qt::AlignCenter);
        FImage->setFrameShape(QFrame::StyledPanel);
        FSize->setAlignment(Qt::AlignCenter);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(FImage);
        layout->addWidget(FSize);
        layout->addStretch();
    }

    void Show(const QString& fileName)
    {
        FImage->clear();
        FSize->clear();
        const QFileInfo info(fileName);
        if (!info.isFile())
            return;
        // Moving the cursor over a large file of another kind must not stall the dialog while
        // the whole file is read.
        if (info.size() > MaxPreviewFileBytes) {
            FSize->setText(Text(WindowText::NoPreview));
            return;
        }
        try {
            const QImage image = LoadReferenceBitmap(fileName);
            FImage->setPixmap(QPixmap::fromImage(image.scaled(
                FImage->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            FSize->setText(Text(WindowText::PictureSize).arg(image.width()).arg(image.height()));
        } catch (const std::exception&) {
            FSize->setText(Text(WindowText::NoPreview));
        }
    }

private:
    QLabel* FImage;
    QLabel* FSize;
};

void AddPicturePreview(QFileDialog& dialog)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr)
        return;
    auto* preview = new TPicturePreview(&dialog);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
        [preview](const QString& fileName) { preview->Show(fileName); });
}

} // namespace

TFileDialogs::TFileDialogs()
    : FDialogs {{
        {"OpenDialogColorFile", false, nullptr, false, ColorFileFilters, {}},
        {"SaveDialogColorFile", true, "CLR", false, ColorFileFilters, {}},
        {"OpenPictureDialogPreviewBitmap", false, nullptr, true, BitmapFilters, {}},
        {"SaveDialogPreviewFile", true, "CPF", false, PreviewFileFilters, {}},
        {"OpenDialogPreviewFile", false, nullptr, false, PreviewFileFilters, {}},
    }}
    , FIconProvider(std::make_unique<TNameOnlyIconProvider>())
{ }

TFileDialogs::~TFileDialogs() = default;

void TFileDialogs::SetFilters(std::string_view dialogName, const QStringList& filters)
{
    for (TDialogState& dialog : FDialogs) {
        if (dialogName == dialog.Name)
            dialog.Filters = filters;
    }
}

QStringList TFileDialogs::Filters(TFileDialog dialog) const
{
    return FDialogs[std::size_t(dialog)].Filters;
}

void TFileDialogs::SetFolder(TFileDialog dialog, const std::filesystem::path& folder)
{
    FDialogs[std::size_t(dialog)].Folder = FromFileName(folder);
}

std::optional<std::filesystem::path> TFileDialogs::Execute(
    QWidget* parent, TFileDialog which, const std::filesystem::path& fileName)
{
    TDialogState& state = FDialogs[std::size_t(which)];
    QFileDialog dialog(parent);
    dialog.setObjectName(state.Name);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(FIconProvider.get());
    dialog.setNameFilters(state.Filters);
    dialog.setAcceptMode(state.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(state.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (state.DefaultSuffix != nullptr)
        dialog.setDefaultSuffix(state.DefaultSuffix);
    if (state.PicturePreview)
        AddPicturePreview(dialog);
    if (!state.Folder.isEmpty())
        dialog.setDirectory(state.Folder);
    if (!fileName.empty())
        dialog.selectFile(FromFileName(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    state.Folder = dialog.directory().absolutePath();
    return ToFileName(dialog.selectedFiles().first());
}
