#include "help/UnitAbout.h"

#include "help/VersionText.h"

#include "Version.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {

constexpr int ClientWidth = 325;
constexpr int ClientHeight = 222;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(alignment);
    if (place.size().isEmpty()) {
        label->adjustSize();
        label->move(place.topLeft());
    } else {
        label->setGeometry(place);
    }
    return label;
}

// The link: a left click opens the home page, and so do Enter and Space once Tab has brought
// the focus here, which a focus frame around the address shows.
class TLinkLabel : public QLabel
{
public:
    using QLabel::QLabel;
    std::function<void()> Clicked;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QLabel::mouseReleaseEvent(event);
        // The other buttons have uses of their own (a right-click asks "What's this?").
        if (Clicked && event->button() == Qt::LeftButton
            && rect().contains(event->position().toPoint()))
            Clicked();
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            // Taken here, so Enter on the link does not also press the default button.
            if (Clicked)
                Clicked();
            event->accept();
            return;
        default:
            QLabel::keyPressEvent(event);
        }
    }

    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        const QRect contents = contentsRect();
        option.rect = QRect(contents.topLeft(),
            QSize(std::min(contents.width(), fontMetrics().horizontalAdvance(text()) + 2),
                contents.height()));
        option.backgroundColor = palette().color(backgroundRole());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
};

// Where the link goes: over the wrapped text's last line, after its words. The layout puts it at
// 64 on the second line, which fits the original's narrow font; a wider one would run the line's
// last word under the link.
QRect LinkPlace(const QLabel& text, int left, int width)
{
    QTextLayout layout(text.text(), text.font());
    layout.beginLayout();
    qreal lastWidth = 0;
    qreal lastTop = 0;
    qreal top = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(text.width());
        line.setPosition(QPointF(0, top));
        lastWidth = line.naturalTextWidth();
        lastTop = top;
        top += line.height();
    }
    layout.endLayout();
    const int after = text.x() + int(lastWidth) + QFontMetrics(text.font()).horizontalAdvance(' ');
    const int height = QFontMetrics(text.font()).height();
    return QRect(std::max(left, after), text.y() + int(lastTop), width, height);
}

} // namespace

void OpenHomePage()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(HomePageAddress)));
}

TFormAbout::TFormAbout(QWidget* owner)
    : QDialog(owner,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("FormAbout");
    setWindowTitle("About");
    setFixedSize(ClientWidth, ClientHeight);
    QFont tahoma("Tahoma");
    tahoma.setPointSize(8);
    setFont(tahoma);

    auto* group = new QGroupBox(this);
    group->setObjectName("GroupBox1");
    group->setGeometry(8, 8, 313, 177);

    Image1 = new QLabel(group);
    Image1->setObjectName("Image1");
    Image1->setGeometry(16, 24, 48, 48);

    Label1 = MakeLabel(group, "Label1", "Tintwright", {88, 16, 217, 25}, Qt::AlignHCenter);
    QFont title("Verdana");
    title.setPixelSize(21);
    title.setItalic(true);
    Label1->setFont(title);
    Label2
        = MakeLabel(group, "Label2", "for TomTom Navigator", {88, 48, 217, 13}, Qt::AlignHCenter);
    Label4 = MakeLabel(group, "Label4", "version 2.1", {88, 64, 217, 13}, Qt::AlignHCenter);
    Label6 = MakeLabel(group, "Label6",
        "For the latest version of Tintwright, please visit our website at:", {8, 88, 297, 33});
    Label6->setWordWrap(true);
    auto* link = new TLinkLabel(QString::fromLatin1(HomePageAddress), group);
    Label7 = link;
    Label7->setObjectName("Label7");
    Label7->setGeometry(LinkPlace(*Label6, 64, 174));
    Label7->setCursor(Qt::PointingHandCursor);
    Label7->setStyleSheet("color: blue; text-decoration: underline;");
    Label7->setFont(tahoma);
    // Reached by Tab only: a click on it opens the page and leaves the focus where it was.
    Label7->setFocusPolicy(Qt::TabFocus);
    link->Clicked = [this] { Label7Click(); };
    Label3 = MakeLabel(
        group, "Label3", "Copyright \u00A9 2026 The Tintwright developers", {8, 136, 0, 0});
    Label5 = MakeLabel(group, "Label5", "Made with Qt and zlib", {8, 152, 0, 0});

    ButtonOK = new QPushButton("OK", this);
    ButtonOK->setObjectName("ButtonOK");
    ButtonOK->setGeometry(127, 192, 75, 25);
    ButtonOK->setDefault(true);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    // OK comes first and has the focus, so Enter closes the box until Tab moves on to the link.
    setTabOrder(ButtonOK, Label7);
    ButtonOK->setFocus();

    FormCreate();
}

void TFormAbout::FormCreate()
{
    Image1->setPixmap(QIcon(":/tintwright.png").pixmap(48, 48));
    Label4->setText(QString::fromStdString(VersionText(TINTWRIGHT_VERSION_MAJOR,
        TINTWRIGHT_VERSION_MINOR, TINTWRIGHT_VERSION_RELEASE, TINTWRIGHT_VERSION_BUILD)));
}

void TFormAbout::Label7Click()
{
    OpenHomePage();
}

void TFormAbout::showEvent(QShowEvent* event)
{
    // Centred on the main window.
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
