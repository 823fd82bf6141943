#include "help/HelpBrowser.h"

#include "common/UiText.h"
#include "help/HelpPage.h"

#include <QBuffer>
#include <QByteArray>
#include <QDesktopServices>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>

namespace {

// Larger style sheets and pictures are not used: no help page needs them, and reading them
// would hold the window.
constexpr std::size_t MaxStyleSheetSize = std::size_t {256} << 10;
constexpr int MaxPictureSide = 4096;

QImage Picture(const std::string& bytes)
{
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return {};
    return reader.read();
}

} // namespace

THelpBrowser::THelpBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    // Links are followed here, so that none leaves the help file unasked.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &THelpBrowser::FollowLink);
}

void THelpBrowser::SetReader(TReader reader)
{
    FReader = std::move(reader);
}

QUrl THelpBrowser::PageUrl(const QString& archivePath)
{
    const qsizetype hash = archivePath.indexOf('#');
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(hash < 0 ? archivePath : archivePath.left(hash));
    if (hash >= 0)
        url.setFragment(archivePath.mid(hash + 1));
    return url;
}

bool THelpBrowser::ShowPage(const QUrl& url)
{
    if (url.scheme() != Scheme || !ReadResource(url))
        return false;
    setSource(url, QTextDocument::HtmlResource);
    return true;
}

std::optional<std::string> THelpBrowser::ReadResource(const QUrl& url) const
{
    if (url.scheme() != Scheme || !FReader)
        return std::nullopt;
    return FReader(ToWindows1252(url.path()));
}

QVariant THelpBrowser::loadResource(int type, const QUrl& name)
{
    // Relative names (pictures, style sheets) belong to the page shown; the base class is never
    // asked, as it would read local files.
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    const std::optional<std::string> bytes = ReadResource(url);
    if (!bytes)
        return {};
    switch (type) {
    case QTextDocument::HtmlResource:
        // Qt reads only pages as rewritten, never the file's own bytes.
        return FromWindows1252(
            (bytes->size() > MaxHelpPageSize ? PlainTextHelpPage(*bytes) : SanitizeHelpPage(*bytes))
                .Html);
    case QTextDocument::StyleSheetResource:
        if (bytes->size() > MaxStyleSheetSize)
            return {};
        return FromWindows1252(*bytes);
    case QTextDocument::ImageResource: {
        const QImage image = Picture(*bytes);
        return image.isNull() ? QVariant() : QVariant(image);
    }
    default:
        return QByteArray::fromStdString(*bytes);
    }
}

void THelpBrowser::FollowLink(const QUrl& url)
{
    const QString scheme = url.scheme();
    if (scheme == Scheme)
        ShowPage(url);
    else if (scheme == "http" || scheme == "https" || scheme == "mailto")
        QDesktopServices::openUrl(url);
}
