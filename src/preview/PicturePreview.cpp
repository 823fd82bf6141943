#include "preview/PicturePreview.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include <exception>
#include <utility>

namespace {

// Larger files get no preview: a screenshot of a large screen as a 24-bit bitmap is below this.
constexpr qint64 MaxPreviewFileBytes = qint64(64) << 20;

class TPicturePreview : public QWidget
{
public:
    TPicturePreview(QWidget* parent, TPictureLoader load, TPicturePreviewTexts texts)
        : QWidget(parent)
        , FImage(new QLabel(this))
        , FSize(new QLabel(this))
        , FLoad(std::move(load))
        , FTexts(std::move(texts))
    {
        setObjectName("PicturePreview");
        FImage->setObjectName("PicturePreviewImage");
        FSize->setObjectName("PicturePreviewSize");
        FImage->setFixedSize(160, 160);
        FImage->setAlignment(Qt::AlignCenter);
        FImage->setFrameShape(QFrame::StyledPanel);
        FSize->setAlignment(Qt::AlignCenter);
        FSize->setTextFormat(Qt::PlainText);
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
        if (info.size() > MaxPreviewFileBytes) {
            FSize->setText(FTexts.NoPreview);
            return;
        }
        try {
            const QImage image = FLoad(fileName);
            FImage->setPixmap(QPixmap::fromImage(image.scaled(
                FImage->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            FSize->setText(FTexts.Size.arg(image.width()).arg(image.height()));
        } catch (const std::exception&) {
            FSize->setText(FTexts.NoPreview);
        }
    }

private:
    QLabel* FImage;
    QLabel* FSize;
    TPictureLoader FLoad;
    TPicturePreviewTexts FTexts;
};

} // namespace

void AddPicturePreview(QFileDialog& dialog, TPictureLoader load, TPicturePreviewTexts texts)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr)
        return;
    auto* preview = new TPicturePreview(&dialog, std::move(load), std::move(texts));
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
        [preview](const QString& fileName) { preview->Show(fileName); });
}
