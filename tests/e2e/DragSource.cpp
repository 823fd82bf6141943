// A window the end-to-end tests drag files from: pressing the left mouse button in it starts a
// drag of the files named on its command line (paths or file URLs), as a file manager offers
// them (text/uri-list). Each drag's outcome is printed, "accepted" or "ignored", so a script can
// tell when the drop is over.
//
// Usage: tintwright_drag_source <file>...
// Drag with xdotool: press in the "Drag source" window, move over the target, release.

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QLabel>
#include <QList>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <cstdio>
#include <utility>

namespace {

class TDragSource : public QLabel
{
public:
    explicit TDragSource(QList<QUrl> urls)
        : QLabel(QStringLiteral("Drag source"))
        , FUrls(std::move(urls))
    {
        setWindowTitle(QStringLiteral("Drag source"));
        setAlignment(Qt::AlignCenter);
        resize(200, 120);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        // The drag starts at the press: a scripted pointer need not travel a start distance.
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(FUrls);
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        std::printf("%s\n", action == Qt::IgnoreAction ? "ignored" : "accepted");
        std::fflush(stdout);
    }

private:
    QList<QUrl> FUrls;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QList<QUrl> urls;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        urls << (argument.startsWith(QStringLiteral("file:"))
                ? QUrl(argument)
                : QUrl::fromLocalFile(QFileInfo(argument).absoluteFilePath()));
    }
    TDragSource window(urls);
    window.show();
    return application.exec();
}
