#pragma once

#include <QTextBrowser>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The page view of the help viewer: shows the pages of a compiled help file under URLs of its
// own scheme (help:/index.htm), with their style sheets and pictures read from the same file.
// Pages and style sheets are Windows-1252 text. Links between pages are followed here; web and
// mail links open in the desktop's browser. A page reaches Qt only as SanitizeHelpPage rewrote it
// (help/HelpPage.h), as its plain text when it is too large to read; larger style sheets and
// pictures are left out; any other link (another
// file, a local file) does nothing, and nothing is ever fetched from outside the help file.
class THelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    static constexpr const char* Scheme = "help";

    // Gives the bytes of an archive path such as "/index.htm", or nothing.
    using TReader = std::function<std::optional<std::string>(std::string_view path)>;

    explicit THelpBrowser(QWidget* parent = nullptr);

    void SetReader(TReader reader);

    // The URL of an archive path ("/index.htm#part").
    static QUrl PageUrl(const QString& archivePath);

    // Shows the page when the help file holds it; returns false (and stays) otherwise.
    bool ShowPage(const QUrl& url);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void FollowLink(const QUrl& url);
    std::optional<std::string> ReadResource(const QUrl& url) const;

    TReader FReader;
};
