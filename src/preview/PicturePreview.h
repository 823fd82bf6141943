#pragma once

#include <QImage>
#include <QString>

#include <functional>

class QFileDialog;

// Decodes a picture file for the preview pane; throws when it cannot.
using TPictureLoader = std::function<QImage(const QString& fileName)>;

// The pane's texts: shown for a file that gives no picture, and the size of one that does (%1
// width, %2 height).
struct TPicturePreviewTexts
{
    QString NoPreview = QStringLiteral("No preview");
    QString Size = QStringLiteral("%1 x %2 pixels");
};

// Adds a preview pane to a picture dialog: the picture under the cursor, scaled to fit, and its
// size in pixels. Only regular files of a size a screenshot can have are opened, so moving the
// cursor over a large file of another kind does not stall the dialog.
void AddPicturePreview(QFileDialog& dialog, TPictureLoader load, TPicturePreviewTexts texts = {});
